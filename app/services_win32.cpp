#include "app/services_win32.h"

#include <cstring>

#include "app/win_types.h"
#include "framework/app.h"
#include "framework/wnd.h"

namespace velbrook {

static_assert(kMbYesNo == MB_YESNO && kMbIconQuestion == MB_ICONQUESTION &&
                  kMbIconExclamation == MB_ICONEXCLAMATION && kMbIconInformation == MB_ICONINFORMATION &&
                  kMbDefButton2 == MB_DEFBUTTON2,
              "message styles must be Win32's");
static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL && kIdYes == IDYES && kIdNo == IDNO,
              "message answers must be Win32's");

namespace {

// The program has no name of its own, so its boxes carry the name of the
// executable, as an application framework does by default.
std::string ExecutableName() {
  char path[MAX_PATH + 1] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/') name = p + 1;
  }
  std::string result(name);
  const std::size_t dot = result.rfind('.');
  return dot == std::string::npos ? result : result.substr(0, dot);
}

}  // namespace

Win32Services::Win32Services(const TextSource& texts) : m_caption(ExecutableName()), m_help(texts) {}

HWND Win32Services::MainWindow() {
  CWinApp* app = AfxGetApp();
  return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
}

int Win32Services::ShowMessage(const std::string& text, unsigned style) {
  // Owned by the window the user works in, so that it stays modal to it.
  HWND owner = ::GetActiveWindow();
  if (!owner) owner = MainWindow();
  return ::MessageBoxA(owner, text.c_str(), m_caption.c_str(), style);
}

bool Win32Services::CopyFileReplacing(const std::string& from, const std::string& to) {
  return ::CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool Win32Services::PutTextOnClipboard(const std::string& text) {
  if (!::OpenClipboard(MainWindow())) return false;
  bool handedOver = false;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
  if (block) {
    if (char* bytes = static_cast<char*>(::GlobalLock(block))) {
      std::memcpy(bytes, text.data(), text.size());
      bytes[text.size()] = '\0';
      ::GlobalUnlock(block);
      handedOver = ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, block) != nullptr;
    }
    // Until the clipboard takes the block it is still ours to free.
    if (!handedOver) ::GlobalFree(block);
  }
  return ::CloseClipboard() != FALSE && handedOver;
}

}  // namespace velbrook
