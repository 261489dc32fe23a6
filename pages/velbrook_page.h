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
  // Writes the page's working values into their block of `record`, as the
  // page writes its own block when it goes; the preview reads every page
  // this way while the wizard is still open.
  virtual void WriteValues(PageSettings& record) { (void)record; }

 protected:
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
