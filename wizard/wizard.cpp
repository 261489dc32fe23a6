#include "wizard/wizard.h"

#include "framework/app.h"
#include "framework/controls.h"
#include "res/resource.h"

CWizard::CWizard(UINT templateId, CWnd* owner) : CDialog(templateId, owner), m_pOwner(owner) {}

CWizard::~CWizard() {
  // Pages of a wizard that never ran are still ours to delete.
  for (int i = 0; i < m_pages.Count(); ++i) delete m_pages.At(i);
  m_pages.Clear();
}

void CWizard::AddPage(CWizardPage* page) {
  if (page) page->m_pHost = this;
  m_pages.Add(page);
}

INT_PTR CWizard::DoModal() {
  INT_PTR result = velbrook::kWizardNotCreated;
  CWinApp* app = AfxGetApp();
  app->EnableModeless(FALSE);
  HWND focusBefore = ::GetFocus();

  // Set before the window exists: a first page that cannot be created ends
  // the run while the host is still being initialised.
  m_nResult = velbrook::kWizardDestroyed;
  if (Create(m_nIDTemplate, m_pOwner)) {
    // Modal to the owner chain: disable every enabled window up to the
    // desktop, remembering the outermost to enable again.
    HWND outermost = nullptr;
    for (HWND window = ::GetParent(m_hWnd); window && window != ::GetDesktopWindow(); window = ::GetParent(window)) {
      if (::IsWindowEnabled(window)) {
        outermost = window;
        ::EnableWindow(window, FALSE);
      }
    }
    ::EnableWindow(m_hWnd, TRUE);
    ::SetForegroundWindow(m_hWnd);
    ::SetActiveWindow(m_hWnd);

    bool shown = ::IsWindowVisible(m_hWnd) != FALSE;
    MSG msg;
    while (m_nResult == velbrook::kWizardDestroyed && m_hWnd) {
      if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        HWND parent = m_pOwner ? m_pOwner->m_hWnd : nullptr;
        if (parent && !(::GetWindowLongA(parent, GWL_STYLE) & DS_NOIDLEMSG)) {
          ::SendMessageA(parent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
        }
        if (!shown) {
          ShowWindow(SW_SHOWNORMAL);
          shown = true;
        }
      }
      do {
        if (!app->PumpMessage()) {
          // The application's own loop must still see the quit request.
          ::PostQuitMessage(static_cast<int>(app->m_msgCur.wParam));
          m_nResult = velbrook::kWizardCancel;
          break;
        }
        if (m_nResult != velbrook::kWizardDestroyed || !m_hWnd) break;
      } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
    result = m_nResult;
    // Ended by a quit request: the window goes too, so that the pages
    // still write their values and are deleted before this returns.
    if (m_hWnd) DestroyWindow();
    if (outermost) ::EnableWindow(outermost, TRUE);
  }

  if (focusBefore && ::IsWindow(focusBefore)) {
    ::SetActiveWindow(focusBefore);
    ::SetFocus(focusBefore);
  }
  app->EnableModeless(TRUE);
  return result;
}

namespace {
const UINT kAfterDpiChanged = WM_APP + 0x100;  // posted to follow the dialog manager's own scaling
}  // namespace

INT_PTR CWizard::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      m_hFirstTab = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
      break;
    case kWmDpiChanged:
      OnDpiChanged(lParam);
      return FALSE;  // the dialog manager still scales the controls (10 1703 and later)
    case kAfterDpiChanged:
      PlaceRule();
      AfxRescaleBitmapButtons(m_hWnd);
      return TRUE;
  }
  return CDialog::DialogProc(message, wParam, lParam);
}

void CWizard::OnDpiChanged(LPARAM suggested) {
  AfxTakeSuggestedRect(m_hWnd, suggested);
  ::PostMessageA(m_hWnd, kAfterDpiChanged, 0, 0);
}

void CWizard::PlaceRule() {
  // The frame becomes a rule between the page and the buttons, 8 pixels
  // high at 96 DPI, on the line where its frame ended. A theme would draw
  // so low a frame as two corners and a faint line; the classic frame is
  // one etched line.
  if (HWND frame = GetDlgItem(IDC_WIZARD_RULE)) {
    AfxRemoveTheme(frame);
    RECT r;
    ::GetWindowRect(frame, &r);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    const int height = ::MulDiv(8, static_cast<int>(AfxGetDpiForWindow(m_hWnd)), 96);
    ::MoveWindow(frame, r.left, r.bottom - height, r.right - r.left, height, TRUE);
  }
}

BOOL CWizard::OnInitDialog() {
  CDialog::OnInitDialog();
  CenterWindow(m_pOwner ? m_pOwner->m_hWnd : nullptr);
  m_hFirstTab = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);

  PlaceRule();

  if (CWizardPage* page = m_pages.At(0)) {
    const BOOL locked = ::LockWindowUpdate(m_hWnd);
    m_nCurrentPage = 0;
    if (page->CreatePage(this)) {
      PresentPage(page);
    } else {
      m_nResult = velbrook::kWizardNotCreated;
    }
    if (locked) ::LockWindowUpdate(nullptr);
  }
  return TRUE;
}

BOOL CWizard::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_WIZARD_HELP:
      OnHelp();
      return TRUE;
    case IDC_WIZARD_BACK:
      OnBack();
      return TRUE;
    case IDC_WIZARD_NEXT:
      OnNext();
      return TRUE;
    default:
      return CDialog::OnCommand(id, code, control);
  }
}

void CWizard::OnNext() { SwitchTo(velbrook::NextPageIndex(m_nCurrentPage, m_pages.Count())); }

void CWizard::OnBack() { SwitchTo(velbrook::BackPageIndex(m_nCurrentPage, m_pages.Count())); }

void CWizard::SwitchTo(int index) {
  CWizardPage* page = CurrentPage();
  CWizardPage* next = m_pages.At(index);
  if (!page || !next || !page->LeavePage()) return;

  const BOOL locked = ::LockWindowUpdate(m_hWnd);
  page->ShowWindow(SW_HIDE);
  m_nCurrentPage = index;
  if (!next->m_hWnd && !next->CreatePage(this)) {
    if (locked) ::LockWindowUpdate(nullptr);
    m_nResult = velbrook::kWizardNotCreated;
    DestroyWindow();
    return;
  }
  next->EnterPage();
  PresentPage(next);
  if (locked) ::LockWindowUpdate(nullptr);
}

void CWizard::PresentPage(CWizardPage* page) {
  SetWindowText(page->m_strTitle);
  page->ShowWindow(SW_SHOW);
  page->SetFocus();
  UpdateButtons(page->HasHelp());
  ::SetFocus(m_hWnd);
}

void CWizard::UpdateButtons(BOOL help) {
  const velbrook::WizardButtons buttons = velbrook::ButtonsFor(m_nCurrentPage, m_pages.Count(), help != FALSE);
  const struct {
    int id;
    bool enabled;
  } states[] = {{IDC_WIZARD_BACK, buttons.back},
                {IDC_WIZARD_NEXT, buttons.next},
                {IDOK, buttons.finish},
                {IDC_WIZARD_HELP, buttons.help}};
  // The focus is in the page while the buttons change; the host takes it
  // back afterwards (PresentPage), and its dialog handling then settles on
  // an enabled button.
  for (const auto& state : states) ::EnableWindow(GetDlgItem(state.id), state.enabled);
  m_hFirstTab = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
}

void CWizard::OnOK() {
  // Enter reaches this as the dialog's default command even while Finish
  // is disabled; only an enabled Finish finishes.
  if (!::IsWindowEnabled(GetDlgItem(IDOK))) return;
  CWizardPage* page = CurrentPage();
  if (!page || !page->LeavePage()) return;
  const BOOL locked = ::LockWindowUpdate(m_hWnd);
  page->ShowWindow(SW_HIDE);
  ::SetFocus(m_hWnd);
  if (locked) ::LockWindowUpdate(nullptr);
  if (!UpdateData(TRUE)) return;
  m_nResult = velbrook::kWizardFinish;
  DestroyWindow();
}

void CWizard::OnCancel() {
  m_nResult = velbrook::kWizardCancel;
  DestroyWindow();
}

void CWizard::OnHelp() {
  if (CWizardPage* page = CurrentPage()) page->ShowHelp();
}

void CWizard::OnDestroy() {
  CDialog::OnDestroy();
  for (int i = 0; i < m_pages.Count(); ++i) {
    CWizardPage* page = m_pages.At(i);
    if (!page) continue;
    if (page->m_hWnd) page->DestroyWindow();
    delete page;
  }
  m_pages.Clear();
  m_nCurrentPage = -1;
}
