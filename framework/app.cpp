#include "framework/app.h"

#include "framework/wnd.h"

namespace {
CWinApp* g_app = nullptr;
}

// The program has one application object; a test may make a second one for
// a while, which hands the role back when it goes.
CWinApp::CWinApp() : m_pPrevious(g_app) { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) g_app = m_pPrevious;
}

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetResourceHandle() {
  return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

BOOL CWinApp::PreTranslateChain(MSG* msg) {
  for (HWND window = msg->hwnd; window; window = ::GetParent(window)) {
    if (CWnd* object = CWnd::FromHandlePermanent(window)) {
      if (object->PreTranslateMessage(msg)) return TRUE;
    }
  }
  return FALSE;
}

BOOL CWinApp::PumpMessage() {
  // The W functions, though the windows are ANSI: a message fetched with
  // the A ones turns every typed character outside the keyboard's code page
  // into "?" before the control sees it (an emoji panel or an IME types
  // them as VK_PACKET). Dispatched to an ANSI window, the system converts
  // what it must, and under the UTF-8 process code page that loses nothing.
  if (::GetMessageW(&m_msgCur, nullptr, 0, 0) <= 0) return FALSE;
  if (!PreTranslateChain(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageW(&m_msgCur);
  }
  return TRUE;
}

void CWinApp::WinHelp(DWORD_PTR data, UINT command) {
  if (!m_pServices) return;
  if (command == HELP_QUIT) {
    m_pServices->CloseHelp();
  } else {
    m_pServices->ShowHelp(static_cast<int>(data));
  }
}

velbrook::Services& AfxGetServices() { return *AfxGetApp()->m_pServices; }

int AfxMessageBox(const std::string& text, unsigned style, int helpContext) {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pServices) return app->m_pServices->ShowMessage(text, style, helpContext);
  return ::MessageBoxA(::GetActiveWindow(), text.c_str(), "", style);
}

const velbrook::TextSource& AfxGetTexts() {
  static const velbrook::BuiltinTexts builtin;
  CWinApp* app = AfxGetApp();
  return app && app->m_pTexts ? *app->m_pTexts : builtin;
}

std::string AfxLoadText(int id) { return AfxGetTexts().Load(id); }
