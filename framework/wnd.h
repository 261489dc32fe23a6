// Our stand-in for the application framework: thin C++ classes over Win32
// windows. Only what the program uses is here.
#ifndef VELBROOK_FRAMEWORK_WND_H
#define VELBROOK_FRAMEWORK_WND_H

#include <windows.h>

#include <string>

// A C++ object bound to a window. The link from the window to the object is
// a window property set when the object attaches, so that the message pump
// can find the object of any of the program's windows and nothing else.
class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;

  // The object attached to `window`, or nullptr for a window not ours.
  static CWnd* FromHandlePermanent(HWND window);

  // Called by the message pump for each message addressed to this window
  // or a window inside it, innermost first; TRUE when it took the message.
  virtual BOOL PreTranslateMessage(MSG* msg);

  // Attaches to an existing window and routes its messages through
  // WindowProc; undone when the window is destroyed.
  BOOL SubclassWindow(HWND window);
  BOOL SubclassDlgItem(int id, CWnd* parent);

  BOOL DestroyWindow();
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
  std::string GetWindowText() const;
  BOOL ShowWindow(int show) { return ::ShowWindow(m_hWnd, show); }
  BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  HWND SetFocus() { return ::SetFocus(m_hWnd); }
  void CenterWindow(HWND alternateOwner = nullptr);

 protected:
  // The window procedure of a subclassed window; the default passes the
  // message to the window's original procedure.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Called when owner-drawn controls of this window need drawing; handed
  // on by the parent dialog.
  virtual void DrawItem(DRAWITEMSTRUCT* item);

  void Attach(HWND window);
  void Detach();

 private:
  friend class CDialog;
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  WNDPROC m_oldWndProc = nullptr;
};

// The DPI `window` is shown at: its monitor's where Windows tells it per
// window (10 1607 and later), else the system's, which the dialogs are then
// laid out for.
UINT AfxGetDpiForWindow(HWND window);
// WM_DPICHANGED (Windows 8.1): the window has moved to a screen of another
// scale, and lParam points at the rectangle Windows suggests for it there.
const UINT kWmDpiChanged = 0x02E0;
// Moves `window` to the rectangle a WM_DPICHANGED suggests.
void AfxTakeSuggestedRect(HWND window, LPARAM lParam);
// Draws `window` in the classic look where the system's theme would draw it
// otherwise; nothing where no theme is in use.
void AfxRemoveTheme(HWND window);

#endif
