// The footer page: the "Last updated" line, its centring and style, and the
// author's e-mail address.
#ifndef VELBROOK_PAGES_FOOTER_PAGE_H
#define VELBROOK_PAGES_FOOTER_PAGE_H

#include "core/page_settings.h"
#include "pages/velbrook_page.h"

class CFooterPage : public CVelbrookPage {
 public:
  static constexpr PageIdentity kIdentity{IDD_FOOTER_PAGE, HelpContextOf(IDS_HELP_FOOTER), IDS_CAPTION_FOOTER};

  CFooterPage(FooterSettings& settings, CWnd* wizard);

  // The style has no exchange of its own: its radios write it the moment
  // they are clicked.
  FooterSettings& m_settings;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;
  void DoDataExchange(CDataExchange* dx) override;
  // Called when "Include 'Last updated' field" is clicked: the line's
  // controls follow it.
  void OnLastUpdated();
};

#endif
