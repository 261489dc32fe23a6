// The two pages with colour swatches: the background (colour, picture and
// sound) and the three text colours.
#ifndef VELBROOK_PAGES_COLOR_PAGES_H
#define VELBROOK_PAGES_COLOR_PAGES_H

#include "core/page_settings.h"
#include "pages/color.h"
#include "pages/velbrook_page.h"

class CBackgroundPage : public CVelbrookPage {
 public:
  static constexpr PageIdentity kIdentity{IDD_BACKGROUND_PAGE, HelpContextOf(IDS_HELP_BACKGROUND),
                                          IDS_CAPTION_BACKGROUND};

  CBackgroundPage(BackgroundSettings& settings, CWnd* wizard);

  BackgroundSettings& m_settings;
  // The swatch's colour-chosen flag, only for its look; never copied into
  // the settings. A page read back with a solid colour shows it chosen.
  BOOL m_bColorChosen = FALSE;
  CColor m_wndColor;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;
  void DoDataExchange(CDataExchange* dx) override;
  // Called when "Bitmap image" is clicked: its controls follow it.
  void OnBitmapRule();
  // Called when "Solid color" is clicked: the colour button follows it.
  void OnColorRule();
};

class CTextColorPage : public CVelbrookPage {
 public:
  static constexpr PageIdentity kIdentity{IDD_TEXT_COLOR_PAGE, HelpContextOf(IDS_HELP_COLORS), IDS_CAPTION_TEXT_COLOR};

  CTextColorPage(ColorSettings& settings, CWnd* wizard);

  CColor m_wndText;
  CColor m_wndLink;
  CColor m_wndVLink;
  CNamedButton m_btnChoose[3];  // text, link, visited link

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;
};

#endif
