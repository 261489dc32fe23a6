#include "pages/footer_page.h"

#include "res/resource.h"

namespace {
// The controls of the "Last updated" line, and the style each radio stores.
const int kLineControls[] = {IDC_STYLE_BLINKING, IDC_STYLE_MARQUEE, IDC_STYLE_NONE, IDC_CENTER_LAST_UPDATED};
const struct {
  int radio;
  int style;
} kStyles[] = {{IDC_STYLE_NONE, 0}, {IDC_STYLE_MARQUEE, 1}, {IDC_STYLE_BLINKING, 2}};
}  // namespace

CFooterPage::CFooterPage(FooterSettings& settings, CWnd* wizard)
    : CVelbrookPage(kIdentity, wizard), m_settings(settings) {}

BOOL CFooterPage::OnInitDialog() {
  CVelbrookPage::OnInitDialog();
  EnableControls(kLineControls, m_settings.m_bLastUpdated != FALSE);
  // The radios write the style the moment they are clicked, so the page
  // shows the one its block holds; a new page's 0 leaves them all clear.
  for (const auto& style : kStyles) {
    if (style.style != 0 && style.style == m_settings.m_nLastUpdatedStyle) {
      ::SendMessageA(GetDlgItem(style.radio), BM_SETCHECK, BST_CHECKED, 0);
    }
  }
  return TRUE;
}

void CFooterPage::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_EMAIL, m_settings.m_strEMail);
  DDV_MaxChars(dx, m_settings.m_strEMail, 255);
  DDX_Check(dx, IDC_LAST_UPDATED, m_settings.m_bLastUpdated);
  DDX_Check(dx, IDC_CENTER_LAST_UPDATED, m_settings.m_bCenterLastUpdated);
}

BOOL CFooterPage::OnCommand(int id, int code, HWND control) {
  if (id == IDC_LAST_UPDATED) {
    OnLastUpdated();
    return TRUE;
  }
  for (const auto& style : kStyles) {
    if (id == style.radio && code == BN_CLICKED) {
      m_settings.m_nLastUpdatedStyle = style.style;
      return TRUE;
    }
  }
  return CVelbrookPage::OnCommand(id, code, control);
}

void CFooterPage::OnLastUpdated() {
  EnableControls(kLineControls, !::IsWindowEnabled(GetDlgItem(IDC_STYLE_BLINKING)));
}
