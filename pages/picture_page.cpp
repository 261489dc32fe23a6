#include "pages/picture_page.h"

#include "dravel/dravel.h"
#include "res/resource.h"

namespace {
const int kPictureControls[] = {IDC_CENTER_PICTURE, IDC_FRAME_PICTURE, IDC_PICTURE_FILE, IDC_BROWSE_PICTURE,
                                IDC_PICTURE_DESCRIPTION};
}

CPicturePage::CPicturePage(PictureSettings& settings, CWnd* wizard)
    : CVelbrookPage(kIdentity, wizard), m_settings(settings) {}

BOOL CPicturePage::OnInitDialog() {
  CVelbrookPage::OnInitDialog();
  m_btnPicture.SubclassDlgItem(IDC_PICTURE_ILLUSTRATION, this);
  m_btnPicture.LoadBitmaps(IDB_PICTURE_PAGE);
  m_btnPicture.SizeToContent();
  EnableFileNameDrop(GetDlgItem(IDC_PICTURE_FILE));
  EnableControls(kPictureControls, m_settings.m_bIncludePicture != FALSE);
  return TRUE;
}

void CPicturePage::DoDataExchange(CDataExchange* dx) {
  DDX_Check(dx, IDC_INCLUDE_PICTURE, m_settings.m_bIncludePicture);
  DDX_Check(dx, IDC_CENTER_PICTURE, m_settings.m_bCenterPicture);
  DDX_Check(dx, IDC_FRAME_PICTURE, m_settings.m_bFramePicture);
  DDX_Text(dx, IDC_PICTURE_FILE, m_settings.m_strPictureFile);
  DDV_MaxChars(dx, m_settings.m_strPictureFile, 260);
  DDX_Text(dx, IDC_PICTURE_DESCRIPTION, m_settings.m_strDescription);
  DDV_MaxChars(dx, m_settings.m_strDescription, 255);
}

BOOL CPicturePage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_INCLUDE_PICTURE:
      OnIncludePicture();
      return TRUE;
    case IDC_BROWSE_PICTURE:
      BrowseInto(m_settings.m_strPictureFile, velbrook::PictureFileDialog());
      return TRUE;
    default:
      return CVelbrookPage::OnCommand(id, code, control);
  }
}

void CPicturePage::OnIncludePicture() {
  EnableControls(kPictureControls, !::IsWindowEnabled(GetDlgItem(IDC_CENTER_PICTURE)));
}
