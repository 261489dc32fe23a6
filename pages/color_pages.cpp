#include "pages/color_pages.h"

#include "dravel/dravel.h"
#include "framework/app.h"
#include "res/resource.h"

CBackgroundPage::CBackgroundPage(BackgroundSettings& settings, CWnd* wizard)
    : CVelbrookPage(kIdentity, wizard),
      m_settings(settings),
      m_bColorChosen(settings.m_bUseColor),
      m_wndColor(&settings.m_crBackground, &m_bColorChosen) {}

BOOL CBackgroundPage::OnInitDialog() {
  CVelbrookPage::OnInitDialog();
  m_wndColor.SubclassDlgItem(IDC_BACKGROUND_SWATCH, this);
  OnBitmapRule();
  OnColorRule();
  EnableFileNameDrop(GetDlgItem(IDC_BITMAP_FILE));
  EnableFileNameDrop(GetDlgItem(IDC_SOUND_FILE));
  return TRUE;
}

void CBackgroundPage::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_BITMAP_FILE, m_settings.m_strBitmapFile);
  DDV_MaxChars(dx, m_settings.m_strBitmapFile, 260);
  DDX_Text(dx, IDC_SOUND_FILE, m_settings.m_strSoundFile);
  DDV_MaxChars(dx, m_settings.m_strSoundFile, 260);
  DDX_Check(dx, IDC_FIXED_BACKGROUND, m_settings.m_bFixedBackground);
  DDX_Check(dx, IDC_USE_COLOR, m_settings.m_bUseColor);
  DDX_Check(dx, IDC_USE_BITMAP, m_settings.m_bUseBitmap);
}

BOOL CBackgroundPage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_SELECT_COLOR:
      m_wndColor.PickColor();
      return TRUE;
    case IDC_BROWSE_BITMAP:
      BrowseInto(m_settings.m_strBitmapFile, velbrook::PictureFileDialog());
      return TRUE;
    case IDC_BROWSE_SOUND:
      BrowseInto(m_settings.m_strSoundFile, velbrook::SoundFileDialog());
      return TRUE;
    case IDC_USE_BITMAP:
      OnBitmapRule();
      return TRUE;
    case IDC_USE_COLOR:
      OnColorRule();
      return TRUE;
    default:
      return CVelbrookPage::OnCommand(id, code, control);
  }
}

void CBackgroundPage::OnBitmapRule() {
  UpdateData(TRUE);
  EnableControls({IDC_BITMAP_FILE, IDC_BROWSE_BITMAP, IDC_FIXED_BACKGROUND}, m_settings.m_bUseBitmap != FALSE);
}

void CBackgroundPage::OnColorRule() {
  UpdateData(TRUE);
  EnableControls({IDC_SELECT_COLOR}, m_settings.m_bUseColor != FALSE);
}

CTextColorPage::CTextColorPage(ColorSettings& settings, CWnd* wizard)
    : CVelbrookPage(kIdentity, wizard),
      m_wndText(&settings.m_crText, &settings.m_bTextChosen),
      m_wndLink(&settings.m_crLink, &settings.m_bLinkChosen),
      m_wndVLink(&settings.m_crVLink, &settings.m_bVLinkChosen) {}

BOOL CTextColorPage::OnInitDialog() {
  CVelbrookPage::OnInitDialog();
  m_wndText.SubclassDlgItem(IDC_TEXT_SWATCH, this);
  m_wndLink.SubclassDlgItem(IDC_LINK_SWATCH, this);
  m_wndVLink.SubclassDlgItem(IDC_VLINK_SWATCH, this);
  // Three buttons of one text: each named for the colour it chooses.
  const int choose[3][2] = {{IDC_CHOOSE_TEXT_COLOR, IDS_NAME_CHOOSE_TEXT},
                            {IDC_CHOOSE_LINK_COLOR, IDS_NAME_CHOOSE_LINK},
                            {IDC_CHOOSE_VLINK_COLOR, IDS_NAME_CHOOSE_VLINK}};
  for (int i = 0; i < 3; ++i) {
    m_btnChoose[i].SubclassDlgItem(choose[i][0], this);
    m_btnChoose[i].SetAccessibleName(AfxLoadText(choose[i][1]));
  }
  return TRUE;
}

BOOL CTextColorPage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_CHOOSE_TEXT_COLOR:
      m_wndText.PickColor();
      return TRUE;
    case IDC_CHOOSE_LINK_COLOR:
      m_wndLink.PickColor();
      return TRUE;
    case IDC_CHOOSE_VLINK_COLOR:
      m_wndVLink.PickColor();
      return TRUE;
    default:
      return CVelbrookPage::OnCommand(id, code, control);
  }
}
