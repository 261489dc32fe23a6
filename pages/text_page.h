// The text page: the page's main text, typed, imported or dropped.
#ifndef VELBROOK_PAGES_TEXT_PAGE_H
#define VELBROOK_PAGES_TEXT_PAGE_H

#include "core/page_settings.h"
#include "pages/velbrook_page.h"

class CTextPage : public CVelbrookPage {
 public:
  static constexpr PageIdentity kIdentity{IDD_TEXT_PAGE, HelpContextOf(IDS_HELP_TEXT), IDS_CAPTION_TEXT};

  CTextPage(TextSettings& settings, CWnd* wizard);

  // Creates the page and lets its edit take dropped files' contents.
  BOOL CreatePage(CWnd* wizard) override;

  TextSettings& m_settings;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;
  void DoDataExchange(CDataExchange* dx) override;
  // Called when "&Import..." is clicked.
  void OnImport();
};

#endif
