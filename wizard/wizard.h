// The wizard host: a dialog with Help, Cancel, <Back, Next> and Finish that
// shows one page at a time and runs its own modal loop.
#ifndef VELBROOK_WIZARD_WIZARD_H
#define VELBROOK_WIZARD_WIZARD_H

#include "framework/dialog.h"
#include "wizard/navigation.h"
#include "wizard/wizard_page.h"

class CWizard : public CDialog {
 public:
  CWizard(UINT templateId, CWnd* owner);
  ~CWizard() override;

  // Hands `page` to the wizard, which owns it from then on.
  void AddPage(CWizardPage* page);
  // Shows the wizard at its first page; returns 1 after Finish, 2 after
  // Cancel, Escape, closing or a quit request, 3 when the window or a page's
  // window could not be created (the run ends there), -1 when it was
  // destroyed otherwise.
  INT_PTR DoModal() override;
  static const int kPageNotCreated = 3;

  // A page's Tab handling moves the focus to the host: the whole host (the
  // dialog chooses the button) or its last tab stop.
  void FocusHost(BOOL whole);
  BOOL PreTranslateMessage(MSG* msg) override;

  CWizardPage* CurrentPage() const { return m_pages.At(m_nCurrentPage); }

  CWnd* m_pOwner;
  int m_nResult = -1;
  velbrook::PageSlots<CWizardPage> m_pages;
  int m_nCurrentPage = -1;
  HWND m_hFirstTab = nullptr;

 protected:
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;
  // Called by Finish (or Enter while Finish is enabled).
  void OnOK() override;
  // Called by Cancel, Escape and closing the window.
  void OnCancel() override;
  // Called when the host window goes: every page goes with it.
  void OnDestroy() override;
  // Called when the Help button is clicked.
  void OnHelp();
  // Called when Next> or <Back is clicked.
  void OnNext();
  void OnBack();

 private:
  // Called when the window has moved to a screen of another DPI: takes the
  // rectangle Windows suggests, then the rule and the pictures follow.
  void OnDpiChanged(LPARAM suggested);
  void PlaceRule();
  void SwitchTo(int index);
  // Shows the page that has just become current: caption, page, buttons,
  // and the focus on the host.
  void PresentPage(CWizardPage* page);
  void UpdateButtons(BOOL help);
  // The mnemonic steps of the keyboard handling.
  BOOL HandleMnemonic(MSG* msg);
  HWND FindMnemonicControl(HWND window, char character);
  void ActivateMnemonicControl(HWND control, char character);
};

#endif
