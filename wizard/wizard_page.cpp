#include "wizard/wizard_page.h"

CWizardPage::CWizardPage(const std::string& title, UINT templateId, CWnd* wizard)
    : CDialog(templateId, wizard), m_strTitle(title) {}

INT_PTR CWizardPage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      // The first tab stop once the controls exist.
      FindFirstTab();
      break;
    case WM_SETFOCUS:
      FindFirstTab();
      break;
  }
  return CDialog::DialogProc(message, wParam, lParam);
}

HWND CWizardPage::FindFirstTab() {
  // Taken afresh each time: the page enables and disables its own controls,
  // and a first tab stop that has since been disabled would trap the Tab
  // ring inside the page.
  m_hFirstTab = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
  return m_hFirstTab;
}

void CWizardPage::FocusPage(BOOL whole) {
  if (whole) {
    ::SetFocus(m_hWnd);
  } else if (HWND last = ::GetNextDlgTabItem(m_hWnd, FindFirstTab(), TRUE)) {
    ::SetFocus(last);
  }
}

BOOL CWizardPage::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && HandlePageKey(msg)) return TRUE;
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
  // Characters that may be mnemonics go on to the host, which searches this
  // page first and then its own buttons, and hands back to this page's
  // dialog handling what neither carries. The page's own dialog handling
  // would take every one of them and the host's buttons would never hear
  // Alt+N typed in an edit.
  if (m_pHost && (msg->message == WM_CHAR || msg->message == WM_SYSCHAR)) return FALSE;
  // W, as the pump fetched it (CWinApp::PumpMessage).
  return ::IsDialogMessageW(m_hWnd, msg);
}

BOOL CWizardPage::HandlePageKey(MSG* msg) {
  CPageHost* host = m_pHost;
  HWND focus = ::GetFocus();
  if (msg->wParam == VK_TAB) {
    // At the edges of the page's tab order the ring goes on in the host.
    if (!host) return FALSE;
    HWND first = FindFirstTab();
    if (::GetKeyState(VK_SHIFT) < 0) {
      if (focus != first) return FALSE;
      host->FocusHost(FALSE);
    } else {
      if (::GetNextDlgTabItem(m_hWnd, focus, FALSE) != first) return FALSE;
      host->FocusHost(TRUE);
    }
    return TRUE;
  }
  if (msg->wParam != VK_RETURN && msg->wParam != VK_ESCAPE) return FALSE;
  const LRESULT code = ::SendMessageA(focus, WM_GETDLGCODE, 0, 0);
  if ((code & DLGC_WANTALLKEYS) || !host) return FALSE;
  host->ForwardKey(msg->wParam, msg->lParam);
  return TRUE;
}
