#include "pages/title_page.h"

#include "res/resource.h"

CTitlePage::CTitlePage(TitleSettings* settings, const std::string& title, CWnd* wizard)
    : CVelbrookPage(title, IDD_TITLE_PAGE, wizard, 2),
      m_strWindowTitle(settings->m_strWindowTitle),
      m_strHeader(settings->m_strHeader),
      m_strSubHeader(settings->m_strSubHeader),
      m_bHTML3(settings->m_bHTML3),
      m_bCenterHeader(settings->m_bCenterHeader),
      m_bCenterSubHeader(settings->m_bCenterSubHeader),
      m_bFitPhone(settings->m_bFitPhone),
      m_pSettings(settings) {}

CTitlePage::~CTitlePage() { Store(*m_pSettings); }

void CTitlePage::Store(TitleSettings& block) const {
  block.m_strWindowTitle = m_strWindowTitle;
  block.m_strHeader = m_strHeader;
  block.m_strSubHeader = m_strSubHeader;
  block.m_bHTML3 = m_bHTML3;
  block.m_bCenterHeader = m_bCenterHeader;
  block.m_bCenterSubHeader = m_bCenterSubHeader;
  block.m_bFitPhone = m_bFitPhone;
}

void CTitlePage::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_WINDOW_TITLE, m_strWindowTitle);
  DDV_MaxChars(dx, m_strWindowTitle, 30);
  DDX_Text(dx, IDC_HEADER, m_strHeader);
  DDV_MaxChars(dx, m_strHeader, 60);
  DDX_Text(dx, IDC_SUBHEADER, m_strSubHeader);
  DDV_MaxChars(dx, m_strSubHeader, 80);
  DDX_Check(dx, IDC_HTML3, m_bHTML3);
  DDX_Check(dx, IDC_CENTER_HEADER, m_bCenterHeader);
  DDX_Check(dx, IDC_CENTER_SUBHEADER, m_bCenterSubHeader);
  DDX_Check(dx, IDC_FIT_PHONE, m_bFitPhone);
}
