// What all of the program's pages share: the window made from the page's own
// template inside the host, and help at the page's own context.
#ifndef VELBROOK_PAGES_VELBROOK_PAGE_H
#define VELBROOK_PAGES_VELBROOK_PAGE_H

#include "core/page_settings.h"
#include "core/texts.h"
#include "framework/app.h"
#include "pages/page_rules.h"
#include "res/resource.h"
#include "wizard/wizard_page.h"

// What names a page. Each page class holds its own as kIdentity, so that a
// page is told by its class alone.
struct PageIdentity {
  UINT templateId;  // the page's dialog template
  int helpContext;  // its help topic is IDS_HELP_BASE + this
  int caption;      // the host's caption while the page is current
};

// The help context whose topic is the string-table entry `topic`.
constexpr int HelpContextOf(int topic) { return topic - IDS_HELP_BASE; }

class CVelbrookPage : public CWizardPage {
 public:
  CVelbrookPage(const PageIdentity& identity, CWnd* wizard)
      : CWizardPage(LoadCaption(identity.caption), identity.templateId, wizard),
        m_nHelpContext(identity.helpContext) {}

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
  // A caption that cannot be loaded leaves the host's caption empty, as a
  // missing string-table entry does; the page still works.
  static std::string LoadCaption(int id) {
    try {
      return AfxLoadText(id);
    } catch (const velbrook::ResourceError&) {
      return std::string();
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
