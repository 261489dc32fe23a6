// The picture page: whether the page shows a picture, centred or framed,
// and which file.
#ifndef VELBROOK_PAGES_PICTURE_PAGE_H
#define VELBROOK_PAGES_PICTURE_PAGE_H

#include "core/page_settings.h"
#include "framework/controls.h"
#include "pages/velbrook_page.h"

class CPicturePage : public CVelbrookPage {
 public:
  static constexpr PageIdentity kIdentity{IDD_PICTURE_PAGE, HelpContextOf(IDS_HELP_PICTURE), IDS_CAPTION_PICTURE};

  CPicturePage(PictureSettings& settings, CWnd* wizard);

  CBitmapButton m_btnPicture;
  PictureSettings& m_settings;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;
  void DoDataExchange(CDataExchange* dx) override;
  // Called when the include box is clicked: the picture's controls follow.
  void OnIncludePicture();
};

#endif
