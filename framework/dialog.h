// Dialogs made from templates, modal or modeless, with value exchange.
#ifndef VELBROOK_FRAMEWORK_DIALOG_H
#define VELBROOK_FRAMEWORK_DIALOG_H

#include <string>

#include "framework/wnd.h"

class CDataExchange;

class CDialog : public CWnd {
 public:
  CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
  ~CDialog() override;

  // Modeless: creates the window and returns at once.
  virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
  // Modal, in the platform's own modal loop; returns what EndDialog gave,
  // or -1 when the window could not be created.
  virtual INT_PTR DoModal();
  void EndDialog(INT_PTR result);

  // Moves values between the controls and the members: saving (TRUE) runs
  // the validations and returns FALSE when one failed.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

 protected:
  // Every message of the dialog comes here first; the default calls the
  // handlers below. Return what a dialog procedure returns.
  virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Called when the dialog is about to be shown; loads the controls.
  virtual BOOL OnInitDialog();
  // Called for WM_COMMAND; the default sends OK and Cancel to their handlers.
  virtual BOOL OnCommand(int id, int code, HWND control);
  // Called by the OK button: saves the values and ends a modal dialog.
  virtual void OnOK();
  // Called by Cancel, Escape and closing the window.
  virtual void OnCancel();
  // Called while the window is being destroyed, before its children.
  virtual void OnDestroy();
  // Called when the window is gone; the object may delete itself here.
  virtual void PostNcDestroy();
  virtual void DoDataExchange(CDataExchange* dx);

 private:
  static INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  BOOL m_bModal = FALSE;
};

// Thrown by a failed validation; UpdateData turns it into FALSE.
struct DataExchangeFailure {};

class CDataExchange {
 public:
  CDataExchange(CDialog* dialog, BOOL save) : m_pDlgWnd(dialog), m_bSaveAndValidate(save) {}
  // The control exchanged last: validations apply to it.
  HWND PrepareCtrl(int id);
  // Puts the focus on the failing control and ends the exchange.
  [[noreturn]] void Fail();

  CDialog* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
  HWND m_hLastControl = nullptr;
};

void DDX_Text(CDataExchange* dx, int id, std::string& value);
void DDX_Check(CDataExchange* dx, int id, BOOL& value);
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// The edit limit that lets `count` characters in (EM_LIMITTEXT).
int EditLimitFor(int count);
// Loading limits the edit to `count` characters; saving a longer text tells
// the user the limit, focuses the edit and fails.
void DDV_MaxChars(CDataExchange* dx, const std::string& value, int count);

#endif
