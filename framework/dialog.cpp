#include "framework/dialog.h"

#include "core/texts.h"
#include "core/win_types.h"
#include "framework/app.h"
#include "res/resource.h"

CDialog::~CDialog() {
  // A dialog object deleted with its window still up takes the window along.
  if (m_hWnd) {
    HWND window = m_hWnd;
    Detach();
    ::DestroyWindow(window);
  }
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  m_nIDTemplate = templateId;
  m_pParentWnd = parent;
  m_bModal = FALSE;
  HWND window = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(templateId),
                                     parent ? parent->m_hWnd : nullptr, StaticDialogProc,
                                     reinterpret_cast<LPARAM>(this));
  return window != nullptr;
}

INT_PTR CDialog::DoModal() {
  m_bModal = TRUE;
  HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
  return ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), parent, StaticDialogProc,
                           reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(INT_PTR result) {
  if (m_bModal) {
    ::EndDialog(m_hWnd, result);
  } else {
    DestroyWindow();
  }
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    self->Attach(window);
  } else {
    self = static_cast<CDialog*>(FromHandlePermanent(window));
  }
  if (!self) return FALSE;
  // No exception may cross back into the dialog manager.
  try {
    if (message == WM_NCDESTROY) {
      self->DialogProc(message, wParam, lParam);
      self->Detach();
      self->PostNcDestroy();
      return FALSE;
    }
    return self->DialogProc(message, wParam, lParam);
  } catch (...) {
    return FALSE;
  }
}

INT_PTR CDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
      DRAWITEMSTRUCT* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (CWnd* control = FromHandlePermanent(item->hwndItem)) {
        control->DrawItem(item);
        return TRUE;
      }
      return FALSE;
    }
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

BOOL CDialog::OnCommand(int id, int, HWND) {
  switch (id) {
    case IDOK:
      OnOK();
      return TRUE;
    case IDCANCEL:
      OnCancel();
      return TRUE;
    default:
      return FALSE;
  }
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnDestroy() {}

void CDialog::PostNcDestroy() {}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const DataExchangeFailure&) {
    return FALSE;
  }
  return TRUE;
}

HWND CDataExchange::PrepareCtrl(int id) {
  m_hLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
  return m_hLastControl;
}

void CDataExchange::Fail() {
  if (m_hLastControl) {
    ::SetFocus(m_hLastControl);
    ::SendMessageA(m_hLastControl, EM_SETSEL, 0, -1);
  }
  throw DataExchangeFailure();
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
    value = text;
  } else {
    ::SetWindowTextA(control, value.c_str());
  }
}

void DDX_Check(CDataExchange* dx, int id, BOOL& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    value = static_cast<BOOL>(::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
  } else {
    ::SendMessageA(control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (!control.m_hWnd) control.SubclassDlgItem(id, dx->m_pDlgWnd);
  dx->PrepareCtrl(id);
}

int EditLimitFor(int count) {
  // An ANSI edit counts its limit in bytes (Microsoft's documentation of
  // EM_SETLIMITTEXT), so `count` characters need room for as many of the
  // code page's widest: 4 bytes under UTF-8, 2 in a double-byte code page.
  // Wine's edit counts UTF-16 units and lets more in; the check on leaving
  // counts characters either way.
  CPINFO info;
  return ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1 ? count * static_cast<int>(info.MaxCharSize) : count;
}

void DDV_MaxChars(CDataExchange* dx, const std::string& value, int count) {
  if (!dx->m_bSaveAndValidate) {
    if (dx->m_hLastControl) ::SendMessageA(dx->m_hLastControl, EM_LIMITTEXT, static_cast<WPARAM>(EditLimitFor(count)), 0);
    return;
  }
  // What the user sees: characters, whatever bytes they take.
  if (velbrook::CountCharacters(value, AfxGetTexts().TextCodePage()) > static_cast<std::size_t>(count)) {
    AfxMessageBox(velbrook::FormatText(AfxLoadText(IDS_MAX_CHARS), std::to_string(count)),
                  velbrook::kMbOk | velbrook::kMbIconExclamation);
    dx->Fail();
  }
}
