#include "pages/text_page.h"

#include "dravel/dravel.h"
#include "pages/text_import.h"
#include "res/resource.h"

CTextPage::CTextPage(TextSettings& settings, CWnd* wizard)
    : CVelbrookPage(kIdentity, wizard), m_settings(settings) {}

BOOL CTextPage::CreatePage(CWnd* wizard) {
  const BOOL created = CVelbrookPage::CreatePage(wizard);
  if (created) EnableFileTextDrop(GetDlgItem(IDC_PAGE_TEXT));
  return created;
}

BOOL CTextPage::OnInitDialog() {
  // The text has no limit of its own; the edit's default would stop the
  // user long before an imported file does.
  ::SendMessageA(GetDlgItem(IDC_PAGE_TEXT), EM_LIMITTEXT, 0, 0);
  return CVelbrookPage::OnInitDialog();
}

void CTextPage::DoDataExchange(CDataExchange* dx) { DDX_Text(dx, IDC_PAGE_TEXT, m_settings.m_strText); }

BOOL CTextPage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_IMPORT:
      OnImport();
      return TRUE;
    default:
      return CVelbrookPage::OnCommand(id, code, control);
  }
}

void CTextPage::OnImport() {
  velbrook::FileDialogRequest request;
  request.defaultExt = ".TXT";
  request.filter = "Text files (*.TXT)|*.TXT|All files (*.*)|*.*||";
  request.flags = velbrook::kOfnHideReadOnly | velbrook::kOfnOverwritePrompt;
  std::string path;
  if (!AfxGetServices().ChooseFile(request, path)) return;

  // An import that fails says why and keeps what the user had typed.
  const velbrook::TextSource& texts = AfxGetTexts();
  const velbrook::TextImport result = velbrook::ImportTextFile(path, texts.TextCodePage(), texts.LegacyCodePage());
  const unsigned style = velbrook::kMbOk | velbrook::kMbIconExclamation;
  switch (result.outcome) {
    case velbrook::TextImport::kImported:
      m_settings.m_strText = result.text;
      UpdateData(FALSE);
      break;
    case velbrook::TextImport::kTooLong:
      AfxMessageBox(velbrook::FormatText(AfxLoadText(IDS_FILE_TOO_LONG), path), style);
      break;
    case velbrook::TextImport::kFileError:
      AfxMessageBox(AfxLoadText(IDS_FILE_ERROR), style);
      break;
  }
}
