// The picture page: whether the page shows a picture, centred or framed,
// and which file.
#ifndef VELBROOK_PAGES_PICTURE_PAGE_H
#define VELBROOK_PAGES_PICTURE_PAGE_H

#include "core/page_settings.h"
#include "framework/controls.h"
#include "pages/velbrook_page.h"

class CPicturePage : public CVelbrookPage {
 public:
  CPicturePage(PictureSettings* settings, const std::string& title, CWnd* wizard);

  BOOL m_bIncludePicture = FALSE;
  BOOL m_bCenterPicture = FALSE;
  BOOL m_bFramePicture = FALSE;
  CString m_strPictureFile;
  CBitmapButton m_btnPicture;
  PictureSettings* m_pSettings;

  void WriteValues(PageSettings& record) override { Store(record.picture); }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;
  void DoDataExchange(CDataExchange* dx) override;
  // Called when the page window goes: the values go into the block.
  void OnDestroy() override;
  // Called when the include box is clicked: the picture's controls follow.
  void OnIncludePicture();

 private:
  void Store(PictureSettings& block) const;
};

#endif
