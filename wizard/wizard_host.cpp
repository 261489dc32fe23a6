// The wizard as its pages' host: what a page may ask of it.
#include "wizard/wizard.h"

void CWizard::ForwardKey(WPARAM key, LPARAM data) {
  // Posted, so that it arrives through the host's own keyboard handling.
  ::PostMessageA(m_hWnd, WM_KEYDOWN, key, data);
}

void CWizard::FocusHost(BOOL whole) {
  if (whole) {
    ::SetFocus(m_hWnd);
  } else if (HWND last = ::GetNextDlgTabItem(m_hWnd, m_hFirstTab, TRUE)) {
    ::SetFocus(last);
  }
}
