#include "pages/file_name_page.h"

#include "dravel/dravel.h"
#include "pages/page_rules.h"
#include "res/resource.h"

CFileNamePage::CFileNamePage(FileSettings& settings, CWnd* wizard, velbrook::PagePreview* preview)
    : CVelbrookPage(kIdentity, wizard), m_settings(settings), m_pPreview(preview) {}

BOOL CFileNamePage::OnInitDialog() {
  CVelbrookPage::OnInitDialog();
  m_btnPicture.SubclassDlgItem(IDC_FILE_PICTURE, this);
  m_btnPicture.LoadBitmaps(IDB_FILE_NAME_PAGE);
  m_btnPicture.SizeToContent();
  EnableFileNameDrop(GetDlgItem(IDC_FILE_NAME));
  ::EnableWindow(GetDlgItem(IDC_PREVIEW), m_pPreview != nullptr);
  return TRUE;
}

void CFileNamePage::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_FILE_NAME, m_settings.m_strFileName);
  DDV_MaxChars(dx, m_settings.m_strFileName, 260);
  DDX_Check(dx, IDC_CLIPBOARD, m_settings.m_bClipboard);
}

BOOL CFileNamePage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_FILE_BROWSE:
      OnBrowse();
      return TRUE;
    case IDC_PREVIEW:
      OnPreview();
      return TRUE;
    default:
      return CVelbrookPage::OnCommand(id, code, control);
  }
}

void CFileNamePage::OnBrowse() {
  velbrook::FileDialogRequest request;
  request.save = true;
  request.defaultExt = ".HTM";
  request.fileName = "HomePage.HTM";
  request.filter = "HTML files (*.HTM)|*.HTM|HTML 3+ files for PC (*.HT3)|*.HT3|All files (*.*)|*.*||";
  request.flags = velbrook::kOfnHideReadOnly | velbrook::kOfnOverwritePrompt;
  std::string path;
  if (velbrook::BrowseForFile(AfxGetServices(), request, path)) {
    UpdateData(TRUE);
    m_settings.m_strFileName = path;
    UpdateData(FALSE);
  }
}

void CFileNamePage::OnPreview() {
  // The pages already left saved their values as they were left; this one
  // saves its own as leaving it would.
  if (!m_pPreview || !SaveValues()) return;
  m_pPreview->Show(m_pPreview->Settings(), kIdentity.helpContext);
}

BOOL CFileNamePage::LeavePage() {
  if (!CVelbrookPage::LeavePage()) return FALSE;
  if (!velbrook::MustAskToAbandon(m_settings.m_strFileName, m_settings.m_bClipboard)) return TRUE;
  // The message's own number is its help context.
  const int answer = AfxMessageBox(AfxLoadText(IDS_ABANDON_WORK),
                                   velbrook::kMbYesNo | velbrook::kMbIconQuestion | velbrook::kMbDefButton2,
                                   IDS_ABANDON_WORK);
  return answer == velbrook::kIdYes;
}
