#include "pages/publish_page.h"

#include "core/publish.h"
#include "res/resource.h"


CPublishPage::CPublishPage(PublishSettings& settings, CWnd* wizard)
    : CVelbrookPage(kIdentity, wizard), m_settings(settings) {}

void CPublishPage::DoDataExchange(CDataExchange* dx) {
  DDX_Check(dx, IDC_PUBLISH, m_settings.m_bPublish);
  DDX_Text(dx, IDC_SITE_NAME, m_settings.m_strSiteName);
  DDV_MaxChars(dx, m_settings.m_strSiteName, 32);
  DDX_Text(dx, IDC_SITE_PASSWORD, m_settings.m_strPassword);
  DDV_MaxChars(dx, m_settings.m_strPassword, 255);
  DDX_Check(dx, IDC_FRONT_PAGE, m_settings.m_bFrontPage);
  DDX_Check(dx, IDC_REMEMBER, m_settings.m_bRemember);
}

BOOL CPublishPage::LeavePage() {
  if (!CVelbrookPage::LeavePage()) return FALSE;
  const int problem = velbrook::PublishPageProblem(m_settings);
  if (problem == 0) return TRUE;
  AfxMessageBox(AfxLoadText(problem), velbrook::kMbOk | velbrook::kMbIconExclamation, kIdentity.helpContext);
  ::SetFocus(GetDlgItem(problem == IDS_PUBLISH_BAD_NAME ? IDC_SITE_NAME : IDC_SITE_PASSWORD));
  return FALSE;
}
