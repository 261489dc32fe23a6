#include "framework/help_window.h"

#include "framework/app.h"
#include "framework/wnd.h"
#include "res/resource.h"

namespace {
const char kClassName[] = "VelbrookHelp";
const int kTextId = 100;

// The text's margin inside the window, 8 pixels at 96 DPI.
void PlaceText(HWND window, HWND text, int width, int height) {
  const int margin = ::MulDiv(8, static_cast<int>(AfxGetDpiForWindow(window)), 96);
  ::MoveWindow(text, margin, margin, width - 2 * margin, height - 2 * margin, TRUE);
}
}  // namespace

LRESULT CALLBACK CHelpWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CHelpWindow* self = reinterpret_cast<CHelpWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      ::SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      break;
    case WM_SIZE:
      if (self && self->m_hText) PlaceText(window, self->m_hText, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case kWmDpiChanged:
      AfxTakeSuggestedRect(window, lParam);
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
    // Beside the window the user asked from, where it hides nothing; 380 by
    // 300 pixels at 96 DPI.
    HWND active = ::GetActiveWindow();
    const int dpi = static_cast<int>(AfxGetDpiForWindow(active));
    const int width = ::MulDiv(380, dpi, 96), height = ::MulDiv(300, dpi, 96), gap = ::MulDiv(8, dpi, 96);
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    RECT asking, screen;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    if (active) {
      ::GetWindowRect(active, &asking);
      x = asking.right + gap + width <= screen.right ? asking.right + gap : screen.right - width;
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
    PlaceText(m_hWnd, m_hText, client.right, client.bottom);
  }
  ::SetWindowTextA(m_hText, topic.c_str());
  ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
  ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CHelpWindow::Close() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}
