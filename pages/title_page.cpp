#include "pages/title_page.h"

#include "res/resource.h"

CTitlePage::CTitlePage(TitleSettings& settings, CWnd* wizard)
    : CVelbrookPage(kIdentity, wizard), m_settings(settings) {}

BOOL CTitlePage::OnInitDialog() {
  // The user's own language comes first, as Windows names it (XP has this).
  char user[9] = "";
  ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, user, sizeof user);
  m_languages = velbrook::LanguageChoices(user, m_settings.m_strLanguage);
  HWND list = GetDlgItem(IDC_LANGUAGE);
  for (const auto& language : m_languages) {
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(language.label.c_str()));
  }
  return CVelbrookPage::OnInitDialog();
}

void CTitlePage::DDX_Language(CDataExchange* dx, int id, std::string& code) {
  HWND list = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    const LRESULT chosen = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
    // The code as the page wrote it stays while its language stays chosen,
    // so that a page opened again is written with its own bytes.
    if (chosen >= 0 && static_cast<std::size_t>(chosen) < m_languages.size() &&
        !velbrook::SameLanguage(m_languages[chosen].code, code)) {
      code = m_languages[chosen].code;
    }
    return;
  }
  for (std::size_t i = 0; i < m_languages.size(); ++i) {
    if (velbrook::SameLanguage(m_languages[i].code, code)) {
      ::SendMessageA(list, CB_SETCURSEL, i, 0);
      return;
    }
  }
}

void CTitlePage::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_WINDOW_TITLE, m_settings.m_strWindowTitle);
  DDV_MaxChars(dx, m_settings.m_strWindowTitle, 30);
  DDX_Text(dx, IDC_HEADER, m_settings.m_strHeader);
  DDV_MaxChars(dx, m_settings.m_strHeader, 60);
  DDX_Text(dx, IDC_SUBHEADER, m_settings.m_strSubHeader);
  DDV_MaxChars(dx, m_settings.m_strSubHeader, 80);
  DDX_Check(dx, IDC_HTML3, m_settings.m_bHTML3);
  DDX_Check(dx, IDC_CENTER_HEADER, m_settings.m_bCenterHeader);
  DDX_Check(dx, IDC_CENTER_SUBHEADER, m_settings.m_bCenterSubHeader);
  DDX_Check(dx, IDC_FIT_PHONE, m_settings.m_bFitPhone);
  DDX_Language(dx, IDC_LANGUAGE, m_settings.m_strLanguage);
}
