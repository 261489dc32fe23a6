// The base of every wizard page: a modeless child dialog of the wizard
// host, driven through five page operations.
#ifndef VELBROOK_WIZARD_WIZARD_PAGE_H
#define VELBROOK_WIZARD_WIZARD_PAGE_H

#include <string>

#include "framework/dialog.h"
#include "wizard/page_host.h"

class CWizardPage : public CDialog {
 public:
  CWizardPage(const std::string& title, UINT templateId, CWnd* wizard);

  // Creates the page window inside the host; the host calls it the first
  // time the page becomes current.
  virtual BOOL CreatePage(CWnd* wizard) = 0;
  // Whether the host's Help button is enabled while the page is current.
  virtual BOOL HasHelp() { return FALSE; }
  // Saves the controls' values and checks them; FALSE when a check failed.
  // This is the one moment a page's values reach the settings record, since
  // a page binds its controls straight to its block of the record: leaving
  // the page by Next, Back or Finish saves through here, and so does a
  // preview for the page it is shown from. A page never shown leaves its
  // block as it was; so Finish and a preview see the same values.
  BOOL SaveValues() { return UpdateData(TRUE); }
  // Before Next, Back and Finish: saves and checks the values; FALSE keeps
  // the page.
  virtual BOOL LeavePage() { return SaveValues(); }
  // When Next or Back make the page current again: reloads the controls.
  virtual void EnterPage() { UpdateData(FALSE); }
  // When Help is pressed while the page is current.
  virtual void ShowHelp() {}

  // The host's Tab handling moves the focus into the page: the whole page
  // (the dialog chooses the control) or its last tab stop.
  void FocusPage(BOOL whole);
  BOOL PreTranslateMessage(MSG* msg) override;

  HWND m_hFirstTab = nullptr;
  // The host the page is shown in, once it has been handed to one.
  CPageHost* m_pHost = nullptr;
  std::string m_strTitle;

 protected:
  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Enter and Escape belong to the host, which the keyboard handling
  // forwards them to; a page never ends itself.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  BOOL HandlePageKey(MSG* msg);
  // The page's first tab stop as it is now, kept in m_hFirstTab.
  HWND FindFirstTab();
};

#endif
