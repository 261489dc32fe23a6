// The title page: the browser window's title, the header and sub-header,
// their centring, the HTML 3 mark and whether the page fits a phone's screen.
#ifndef VELBROOK_PAGES_TITLE_PAGE_H
#define VELBROOK_PAGES_TITLE_PAGE_H

#include <vector>

#include "core/page_settings.h"
#include "pages/languages.h"
#include "pages/velbrook_page.h"

class CTitlePage : public CVelbrookPage {
 public:
  static constexpr PageIdentity kIdentity{IDD_TITLE_PAGE, HelpContextOf(IDS_HELP_TITLE), IDS_CAPTION_TITLE};

  CTitlePage(TitleSettings& settings, CWnd* wizard);

  TitleSettings& m_settings;

 protected:
  // Called when the page window is made: the language list is filled.
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

 private:
  // The language drop-down in the page's exchange: its entry for `code`.
  void DDX_Language(CDataExchange* dx, int id, std::string& code);

  std::vector<velbrook::LanguageChoice> m_languages;
};

#endif
