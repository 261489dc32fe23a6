#include "framework/help_window.h"

#include "framework/app.h"
#include "res/resource.h"

namespace {
const char kClassName[] = "VelbrookHelp";
const int kTextId = 100;
}

LRESULT CALLBACK CHelpWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CHelpWindow* self = reinterpret_cast<CHelpWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      ::SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_SIZE:
      if (self && self->m_hText) ::MoveWindow(self->m_hText, 8, 8, LOWORD(lParam) - 16, HIWORD(lParam) - 16, TRUE);
      return 0;
    case WM_CTLCOLORSTATIC:
      // The read-only text reads like a page, not like a disabled field.
      ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    case WM_NCDESTROY:
      if (self) {
        self->m_hWnd = nullptr;
        self->m_hText = nullptr;
      }
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

void CHelpWindow::Show(int context) {
  std::string topic;
  try {
    topic = m_texts.Load(IDS_HELP_BASE + context);
  } catch (const velbrook::ResourceError&) {
    topic = m_texts.Load(IDS_HELP_MISSING);
  }
  if (!m_hWnd) {
    HINSTANCE module = AfxGetResourceHandle();
    WNDCLASSA windowClass = {};
    if (!::GetClassInfoA(module, kClassName, &windowClass)) {
      windowClass.lpfnWndProc = WindowProc;
      windowClass.hInstance = module;
      windowClass.hIcon = ::LoadIconA(module, MAKEINTRESOURCEA(IDI_PROGRAM));
      windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
      windowClass.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
      windowClass.lpszClassName = kClassName;
      ::RegisterClassA(&windowClass);
    }
    // Beside the window the user asked from, where it hides nothing.
    const int width = 380, height = 300;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    RECT asking, screen;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    if (HWND active = ::GetActiveWindow()) {
      ::GetWindowRect(active, &asking);
      x = asking.right + 8 + width <= screen.right ? asking.right + 8 : screen.right - width;
      y = asking.top;
    }
    m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, m_texts.Load(IDS_HELP_CAPTION).c_str(),
                               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, width, height, nullptr, nullptr,
                               module, this);
    if (!m_hWnd) return;
    m_hText = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                                0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), module,
                                nullptr);
    ::SendMessageA(m_hText, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    ::MoveWindow(m_hText, 8, 8, client.right - 16, client.bottom - 16, FALSE);
  }
  ::SetWindowTextA(m_hText, topic.c_str());
  ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
  ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CHelpWindow::Close() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}
