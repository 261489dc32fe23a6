// What all of the program's pages share: the window made from the page's own
// template inside the host, and help at the page's own context.
#ifndef VELBROOK_PAGES_VELBROOK_PAGE_H
#define VELBROOK_PAGES_VELBROOK_PAGE_H

#include "core/page_settings.h"
#include "framework/app.h"
#include "pages/page_rules.h"
#include "wizard/wizard_page.h"

class CVelbrookPage : public CWizardPage {
 public:
  CVelbrookPage(const std::string& title, UINT templateId, CWnd* wizard, int helpContext)
      : CWizardPage(title, templateId, wizard), m_nHelpContext(helpContext) {}

  BOOL CreatePage(CWnd* wizard) override { return Create(m_nIDTemplate, wizard); }
  BOOL HasHelp() override { return TRUE; }
  void ShowHelp() override { AfxGetApp()->WinHelp(static_cast<DWORD_PTR>(m_nHelpContext)); }
 protected:
  // A page that edits settings holds a reference to its block of the run's
  // record and binds its controls straight to the block's fields, so the
  // values reach the record when the page saves them (SaveValues).

  // A Browse button: saves the page, runs the file dialog with the current
  // directory put back afterwards, and on OK shows the chosen path in the
  // control bound to `member`.
  void BrowseInto(CString& member, const velbrook::FileDialogRequest& request) {
    UpdateData(TRUE);
    std::string path;
    if (velbrook::BrowseForFile(AfxGetServices(), request, path)) {
      member = path;
      UpdateData(FALSE);
    }
  }
  // Enables or disables the controls `ids` together.
  template <int N>
  void EnableControls(const int (&ids)[N], bool enable) {
    for (int id : ids) ::EnableWindow(GetDlgItem(id), enable);
  }

 private:
  int m_nHelpContext;
};

#endif
