// The last page: the page file's name and the clipboard option, and the
// check that asks before the wizard ends without any output.
#ifndef VELBROOK_PAGES_FILE_NAME_PAGE_H
#define VELBROOK_PAGES_FILE_NAME_PAGE_H

#include "core/page_settings.h"
#include "framework/controls.h"
#include "pages/velbrook_page.h"

class CFileNamePage : public CVelbrookPage {
 public:
  CFileNamePage(FileSettings* settings, const std::string& title, CWnd* wizard);
  // Writes the page's values into its block.
  ~CFileNamePage() override;

  // Saves the values, then asks before leaving with no output chosen.
  BOOL LeavePage() override;

  CString m_strFileName;
  BOOL m_bClipboard = FALSE;
  CBitmapButton m_btnPicture;
  FileSettings* m_pSettings;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;
  void DoDataExchange(CDataExchange* dx) override;
  // Called when "B&rowse..." is clicked.
  void OnBrowse();
};

#endif
