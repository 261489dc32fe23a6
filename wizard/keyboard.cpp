// The host's half of the keyboard handling that makes the host and its
// current page one dialog: the Tab ring and mnemonics across both.
#include "framework/app.h"
#include "wizard/wizard.h"

namespace {

// The next direct child of `dialog` after `start` (wrapping, `start` last)
// whose text marks `character` as its mnemonic. As in the platform's own
// dialogs, only visible, enabled buttons and labels carry mnemonics: the text
// of an edit is what the user typed ("Smith&Nephew"), not a mnemonic.
HWND NextMnemonicChild(HWND dialog, HWND start, char character) {
  HWND first = ::GetWindow(dialog, GW_CHILD);
  if (!first) return nullptr;
  if (!start || ::GetParent(start) != dialog) start = first;
  HWND child = start;
  do {
    child = ::GetWindow(child, GW_HWNDNEXT);
    if (!child) child = first;
    if (!::IsWindowVisible(child) || !::IsWindowEnabled(child)) continue;
    if (!(::SendMessageA(child, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_STATIC))) continue;
    char className[16] = {};
    ::GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 && (::GetWindowLongA(child, GWL_STYLE) & SS_NOPREFIX)) continue;
    char text[256] = {};
    ::GetWindowTextA(child, text, sizeof text);
    if (velbrook::MnemonicOf(text) == character) return child;
  } while (child != start);
  return nullptr;
}

char Lower(WPARAM key) {
  const char c = static_cast<char>(key);
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsKeyboardMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

}  // namespace

BOOL CWizard::PreTranslateMessage(MSG* msg) {
  if (!m_hWnd || (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))) return FALSE;
  CWizardPage* page = CurrentPage();

  // The host's side of the Tab ring.
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && page && page->m_hWnd) {
    HWND focus = ::GetFocus();
    if (::GetKeyState(VK_SHIFT) < 0) {
      if (focus && focus == m_hFirstTab) {
        page->FocusPage(FALSE);
        return TRUE;
      }
    } else if (focus && ::GetParent(focus) == m_hWnd && ::GetNextDlgTabItem(m_hWnd, focus, FALSE) == m_hFirstTab) {
      page->FocusPage(TRUE);
      return TRUE;
    }
  }
  // Enter that a page forwarded is the dialog's default command, Finish.
  // The platform's dialog handling would instead send the id of a focused
  // push button inside the page (Browse...), which the host does not know.
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && msg->hwnd == m_hWnd) {
    HWND finish = GetDlgItem(IDOK);
    if (::IsWindowEnabled(finish)) {
      ::SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(finish));
    }
    return TRUE;
  }
  if (HandleMnemonic(msg)) return TRUE;
  if (!IsKeyboardMessage(msg->message)) return FALSE;
  // W, as the pump fetched it (CWinApp::PumpMessage).
  if (page && page->m_hWnd && ::IsChild(page->m_hWnd, msg->hwnd) && ::IsDialogMessageW(page->m_hWnd, msg)) {
    return TRUE;
  }
  return ::IsDialogMessageW(m_hWnd, msg);
}

BOOL CWizard::HandleMnemonic(MSG* msg) {
  if (msg->message != WM_CHAR && msg->message != WM_SYSCHAR) return FALSE;
  if (msg->message == WM_SYSCHAR && !::GetFocus() && ::GetKeyState(VK_MENU) >= 0) return FALSE;
  CWizardPage* page = CurrentPage();
  if (msg->hwnd == m_hWnd || (page && msg->hwnd == page->m_hWnd)) return FALSE;
  // A control that wants characters keeps the plain ones; Alt+letter is a
  // mnemonic wherever the focus is, the multi-line page text included, as
  // in the platform's own dialogs.
  if (msg->message == WM_CHAR) {
    const LRESULT code = ::SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTCHARS)) return FALSE;
  }
  // The character is UTF-16, as the pump fetched it; the program's
  // mnemonics are ASCII letters and digits, and a character beyond ASCII
  // must not pass for one by its low byte.
  if (msg->wParam >= 0x80) return FALSE;
  const char character = Lower(msg->wParam);
  HWND control = FindMnemonicControl(msg->hwnd, character);
  if (!control) return FALSE;
  if (::CallMsgFilterW(msg, MSGF_DIALOGBOX)) return TRUE;
  ActivateMnemonicControl(control, character);
  return TRUE;
}

HWND CWizard::FindMnemonicControl(HWND window, char character) {
  CWizardPage* page = CurrentPage();
  HWND pageWindow = page ? page->m_hWnd : nullptr;
  if (pageWindow && ::IsChild(pageWindow, window)) {
    if (HWND found = NextMnemonicChild(pageWindow, window, character)) return found;
    return NextMnemonicChild(m_hWnd, pageWindow, character);
  }
  if (pageWindow) {
    if (HWND found = NextMnemonicChild(pageWindow, ::GetWindow(pageWindow, GW_CHILD), character)) return found;
  }
  return NextMnemonicChild(m_hWnd, window, character);
}

void CWizard::ActivateMnemonicControl(HWND control, char character) {
  HWND first = control;
  // Bounded: a chain of disabled targets that never returns to the first
  // match must not hang the keyboard.
  for (int tries = 0; tries < 64; ++tries) {
    HWND target = control;
    LRESULT code = ::SendMessageA(control, WM_GETDLGCODE, 0, 0);
    // A label hands its mnemonic to the control that follows it.
    if ((code & DLGC_STATIC) && ::IsWindowEnabled(control)) {
      target = ::GetNextDlgTabItem(::GetParent(control), control, FALSE);
    }
    if (!target || !::IsWindowEnabled(target)) {
      control = FindMnemonicControl(target ? target : control, character);
      if (!control || control == first) return;
      continue;
    }
    code = ::SendMessageA(target, WM_GETDLGCODE, 0, 0);
    if (!(code & DLGC_BUTTON)) {
      if (code & DLGC_HASSETSEL) ::SendMessageA(target, EM_SETSEL, 0, -1);
      ::SetFocus(target);
      return;
    }
    if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
      // Check boxes and radio buttons: focused, and clicked when no other
      // control shares the character.
      ::SetFocus(target);
      if (FindMnemonicControl(target, character) == target) {
        ::SendMessageA(target, WM_LBUTTONDOWN, 0, 0);
        ::SendMessageA(target, WM_LBUTTONUP, 0, 0);
      }
      return;
    }
    ::SendMessageA(target, BM_SETSTATE, TRUE, 0);
    ::Sleep(50);
    ::SendMessageA(target, BM_SETSTATE, FALSE, 0);
    ::SendMessageA(::GetParent(target), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(target), 0),
                   reinterpret_cast<LPARAM>(target));
    return;
  }
}
