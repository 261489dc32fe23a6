#include "pages/welcome_page.h"

#include "res/resource.h"

CWelcomePage::CWelcomePage(CWnd* wizard) : CVelbrookPage(kIdentity, wizard) {}

BOOL CWelcomePage::OnInitDialog() {
  CVelbrookPage::OnInitDialog();
  m_picture.SubclassDlgItem(IDC_WELCOME_PICTURE, this);
  m_picture.LoadBitmaps(IDB_WELCOME);
  m_picture.SizeToContent();
  return TRUE;
}

BOOL CWelcomePage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_ABOUT:
      OnAbout();
      return TRUE;
    default:
      return CVelbrookPage::OnCommand(id, code, control);
  }
}

void CWelcomePage::OnAbout() {
  CDialog about(IDD_ABOUT, this);
  about.DoModal();
}
