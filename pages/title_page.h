// The title page: the browser window's title, the header and sub-header,
// their centring, the HTML 3 mark and whether the page fits a phone's screen.
#ifndef VELBROOK_PAGES_TITLE_PAGE_H
#define VELBROOK_PAGES_TITLE_PAGE_H

#include "core/page_settings.h"
#include "pages/velbrook_page.h"

class CTitlePage : public CVelbrookPage {
 public:
  CTitlePage(TitleSettings* settings, const std::string& title, CWnd* wizard);
  // Writes the page's values into its block.
  ~CTitlePage() override;

  CString m_strWindowTitle;
  CString m_strHeader;
  CString m_strSubHeader;
  BOOL m_bHTML3 = FALSE;
  BOOL m_bCenterHeader = FALSE;
  BOOL m_bCenterSubHeader = FALSE;
  BOOL m_bFitPhone = FALSE;
  TitleSettings* m_pSettings;

  void WriteValues(PageSettings& record) override { Store(record.title); }

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void Store(TitleSettings& block) const;
};

#endif
