// What all of the program's pages share: the window made from the page's own
// template inside the host, and help at the page's own context.
#ifndef VELBROOK_PAGES_VELBROOK_PAGE_H
#define VELBROOK_PAGES_VELBROOK_PAGE_H

#include "framework/app.h"
#include "wizard/wizard_page.h"

class CVelbrookPage : public CWizardPage {
 public:
  CVelbrookPage(const std::string& title, UINT templateId, CWnd* wizard, int helpContext)
      : CWizardPage(title, templateId, wizard), m_nHelpContext(helpContext) {}

  BOOL CreatePage(CWnd* wizard) override { return Create(m_nIDTemplate, wizard); }
  BOOL HasHelp() override { return TRUE; }
  void ShowHelp() override { AfxGetApp()->WinHelp(static_cast<DWORD_PTR>(m_nHelpContext)); }

 private:
  int m_nHelpContext;
};

#endif
