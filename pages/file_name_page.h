// The last page: the page file's name and the clipboard option, the check
// that asks before the wizard ends without any output, and the preview.
#ifndef VELBROOK_PAGES_FILE_NAME_PAGE_H
#define VELBROOK_PAGES_FILE_NAME_PAGE_H

#include "core/page_settings.h"
#include "core/preview.h"
#include "framework/controls.h"
#include "pages/velbrook_page.h"

class CFileNamePage : public CVelbrookPage {
 public:
  static constexpr PageIdentity kIdentity{IDD_FILE_NAME_PAGE, HelpContextOf(IDS_HELP_FILENAME), IDS_CAPTION_FILE_NAME};

  // Preview shows the page through `preview`; without one the button stays
  // disabled.
  CFileNamePage(FileSettings& settings, CWnd* wizard, velbrook::PagePreview* preview = nullptr);

  // Saves the values, then asks before leaving with no output chosen.
  BOOL LeavePage() override;

  CBitmapButton m_btnPicture;
  FileSettings& m_settings;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;
  void DoDataExchange(CDataExchange* dx) override;
  // Called when "B&rowse..." is clicked.
  void OnBrowse();
  // Called when "Pre&view" is clicked.
  void OnPreview();

 private:
  velbrook::PagePreview* m_pPreview;
};

#endif
