#include "framework/wnd.h"

namespace {
const char kObjectProperty[] = "VelbrookWnd";
}

CWnd::~CWnd() {
  // An object going away before its window leaves no dangling link behind.
  if (m_hWnd) Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
  return window ? static_cast<CWnd*>(::GetPropA(window, kObjectProperty)) : nullptr;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::Attach(HWND window) {
  m_hWnd = window;
  ::SetPropA(window, kObjectProperty, this);
}

void CWnd::Detach() {
  if (m_oldWndProc) {
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldWndProc));
    m_oldWndProc = nullptr;
  }
  ::RemovePropA(m_hWnd, kObjectProperty);
  m_hWnd = nullptr;
}

BOOL CWnd::SubclassWindow(HWND window) {
  if (!window || FromHandlePermanent(window)) return FALSE;
  Attach(window);
  m_oldWndProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(int id, CWnd* parent) { return SubclassWindow(::GetDlgItem(parent->m_hWnd, id)); }

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* self = FromHandlePermanent(window);
  if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    WNDPROC original = self->m_oldWndProc;
    self->Detach();
    return ::CallWindowProcA(original, window, message, wParam, lParam);
  }
  return self->WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(m_oldWndProc, m_hWnd, message, wParam, lParam);
}

void CWnd::DrawItem(DRAWITEMSTRUCT*) {}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

std::string CWnd::GetWindowText() const {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(m_hWnd)) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(m_hWnd, &text[0], static_cast<int>(text.size()))));
  return text;
}

void CWnd::CenterWindow(HWND alternateOwner) {
  HWND owner = alternateOwner ? alternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
  RECT area, self;
  if (owner && ::IsWindowVisible(owner)) {
    ::GetWindowRect(owner, &area);
  } else {
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  ::GetWindowRect(m_hWnd, &self);
  const int width = self.right - self.left, height = self.bottom - self.top;
  int x = area.left + (area.right - area.left - width) / 2;
  int y = area.top + (area.bottom - area.top - height) / 2;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT AfxGetDpiForWindow(HWND window) {
  // Looked up, not imported: the program must still start on XP.
  using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
  static const GetDpiForWindowProc getDpiForWindow = reinterpret_cast<GetDpiForWindowProc>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && window) {
    if (const UINT dpi = getDpiForWindow(window)) return dpi;
  }
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void AfxTakeSuggestedRect(HWND window, LPARAM lParam) {
  const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
  ::SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void AfxRemoveTheme(HWND window) {
  // uxtheme is loaded with the themed controls; where it is not, nothing is themed.
  HMODULE uxtheme = ::GetModuleHandleA("uxtheme.dll");
  using SetWindowThemeProc = HRESULT(WINAPI*)(HWND, const wchar_t*, const wchar_t*);
  const auto setWindowTheme = uxtheme ? reinterpret_cast<SetWindowThemeProc>(reinterpret_cast<void*>(
                                            ::GetProcAddress(uxtheme, "SetWindowTheme")))
                                      : nullptr;
  // A class list that names no class: Windows and Wine alike then find no
  // theme for the window (Wine refuses the empty strings Windows takes).
  if (setWindowTheme) setWindowTheme(window, L" ", L" ");
}
