#include "pages/file_name_page.h"

#include "dravel/dravel.h"
#include "pages/page_rules.h"
#include "res/resource.h"
#include "wizard/wizard.h"

namespace {
const int kFileNameHelp = 8;
}  // namespace

CFileNamePage::CFileNamePage(FileSettings* settings, const std::string& title, CWnd* wizard,
                             velbrook::PagePreview* preview)
    : CVelbrookPage(title, IDD_FILE_NAME_PAGE, wizard, kFileNameHelp),
      m_strFileName(settings->m_strFileName),
      m_bClipboard(settings->m_bClipboard),
      m_pSettings(settings),
      m_pPreview(preview) {}

CFileNamePage::~CFileNamePage() { Store(*m_pSettings); }

void CFileNamePage::Store(FileSettings& block) const {
  block.m_strFileName = m_strFileName;
  block.m_bClipboard = m_bClipboard;
}

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
  DDX_Text(dx, IDC_FILE_NAME, m_strFileName);
  DDV_MaxChars(dx, m_strFileName, 260);
  DDX_Check(dx, IDC_CLIPBOARD, m_bClipboard);
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
    m_strFileName = path;
    UpdateData(FALSE);
  }
}

void CFileNamePage::OnPreview() {
  if (!m_pPreview) return;
  // Every page's working values over a copy of the record: the settings
  // themselves stay as they are until the wizard closes.
  PageSettings current = m_pPreview->Settings();
  if (CWizard* wizard = dynamic_cast<CWizard*>(m_pWizard)) {
    for (int i = 0; i < wizard->m_pages.Count(); ++i) {
      if (CVelbrookPage* page = dynamic_cast<CVelbrookPage*>(wizard->m_pages.At(i))) page->WriteValues(current);
    }
  }
  m_pPreview->Show(current, kFileNameHelp);
}

BOOL CFileNamePage::LeavePage() {
  if (!CVelbrookPage::LeavePage()) return FALSE;
  if (!velbrook::MustAskToAbandon(m_strFileName, m_bClipboard)) return TRUE;
  // The message's own number is its help context.
  const int answer = AfxMessageBox(AfxLoadText(IDS_ABANDON_WORK),
                                   velbrook::kMbYesNo | velbrook::kMbIconQuestion | velbrook::kMbDefButton2,
                                   IDS_ABANDON_WORK);
  return answer == velbrook::kIdYes;
}
