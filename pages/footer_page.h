// The footer page: the "Last updated" line, its centring and style, and the
// author's e-mail address.
#ifndef VELBROOK_PAGES_FOOTER_PAGE_H
#define VELBROOK_PAGES_FOOTER_PAGE_H

#include "core/page_settings.h"
#include "pages/velbrook_page.h"

class CFooterPage : public CVelbrookPage {
 public:
  CFooterPage(FooterSettings* settings, const std::string& title, CWnd* wizard);
  // Writes the page's values into its block.
  ~CFooterPage() override;

  CString m_strEMail;
  BOOL m_bLastUpdated = FALSE;
  BOOL m_bCenterLastUpdated = FALSE;
  FooterSettings* m_pSettings;

  // The style is not among them: its radios write it into the record the
  // moment they are clicked.
  void WriteValues(PageSettings& record) override { Store(record.footer); }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;
  void DoDataExchange(CDataExchange* dx) override;
  // Called when "Include 'Last updated' field" is clicked: the line's
  // controls follow it.
  void OnLastUpdated();

 private:
  void Store(FooterSettings& block) const;
};

#endif
