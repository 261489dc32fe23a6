// The first page: a picture, a greeting and the About box.
#ifndef VELBROOK_PAGES_WELCOME_PAGE_H
#define VELBROOK_PAGES_WELCOME_PAGE_H

#include "framework/controls.h"
#include "pages/velbrook_page.h"

class CWelcomePage : public CVelbrookPage {
 public:
  static constexpr PageIdentity kIdentity{IDD_WELCOME_PAGE, HelpContextOf(IDS_HELP_WELCOME), IDS_CAPTION_WELCOME};

  // The welcome page edits no settings.
  explicit CWelcomePage(CWnd* wizard);

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;
  // Called when "&About..." is clicked.
  void OnAbout();

 private:
  CBitmapButton m_picture;
};

#endif
