// The colour swatch, the background page and the picture page inside the
// program's real wizard: what the swatch paints, the enabling rules, and
// what reaches the page that is written.
#include <windows.h>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/win32/wizard_run.h"

namespace velbrook {
namespace {

// The colours a swatch shows now: how many of its pixels are `color`, and
// how many are anything else.
struct Paint {
  int matching = 0;
  int other = 0;
};
Paint PaintOf(HWND swatch, COLORREF color) {
  ::RedrawWindow(swatch, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RECT r;
  ::GetClientRect(swatch, &r);
  HDC dc = ::GetDC(swatch);
  Paint paint;
  for (int y = 1; y < r.bottom - 1; y += 3) {
    for (int x = 1; x < r.right - 1; x += 3) {
      (::GetPixel(dc, x, y) == color ? paint.matching : paint.other)++;
    }
  }
  ::ReleaseDC(swatch, dc);
  return paint;
}

bool Hatched(HWND swatch) {
  const Paint red = PaintOf(swatch, RGB(255, 0, 0));
  return red.matching > 0 && red.other > red.matching;  // thin red lines on the background
}
bool Solid(HWND swatch, COLORREF color) {
  const Paint paint = PaintOf(swatch, color);
  return paint.matching > 0 && paint.other == 0;
}

class ColorPagesTest : public WizardRunTest {
 protected:
  static bool Enabled(HWND page, int id) { return ::IsWindowEnabled(::GetDlgItem(page, id)) != FALSE; }
  static bool Checked(HWND page, int id) {
    return ::SendMessageA(::GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  std::string Body(const std::string& page) {
    const std::size_t start = page.find("<BODY");
    return page.substr(start, page.find(">\r\n\r\n", start) - start + 1);
  }
};

TEST_F(ColorPagesTest, TextColourSwatchesShowAndStoreTheChoice) {
  // Text: black again (no change), then red; link: cancelled; visited: blue.
  services.colors = {RGB(0, 0, 0), RGB(255, 0, 0), -1, RGB(0, 0, 255), RGB(0, 128, 0)};
  PostAction([&] {
    NextTo("Text color");
    HWND page = CurrentPage(Wizard());
    HWND text = ::GetDlgItem(page, IDC_TEXT_SWATCH), link = ::GetDlgItem(page, IDC_LINK_SWATCH),
         vlink = ::GetDlgItem(page, IDC_VLINK_SWATCH);
    EXPECT_TRUE(Hatched(text) && Hatched(link) && Hatched(vlink)) << "no colour chosen yet";
    EXPECT_FALSE(::GetWindowLongA(text, GWL_STYLE) & WS_TABSTOP);

    Click(page, IDC_CHOOSE_TEXT_COLOR);
    EXPECT_TRUE(Hatched(text)) << "choosing the black already held is no choice";
    Click(page, IDC_CHOOSE_TEXT_COLOR);
    EXPECT_TRUE(Solid(text, RGB(255, 0, 0)));
    Click(page, IDC_CHOOSE_LINK_COLOR);
    EXPECT_TRUE(Hatched(link)) << "Cancel changes nothing";
    Click(page, IDC_CHOOSE_VLINK_COLOR);
    EXPECT_TRUE(Solid(vlink, RGB(0, 0, 255)));
    Click(page, IDC_CHOOSE_VLINK_COLOR);
    EXPECT_TRUE(Solid(vlink, RGB(0, 128, 0))) << "a new colour repaints";
    Click(page, IDC_TEXT_SWATCH);  // the swatch itself does nothing
    FinishInto(file);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ((std::vector<COLORREF>{0, 0, 0, 0, RGB(0, 0, 255)}), services.colorDialogs)
      << "each dialog starts at the colour held";
  EXPECT_EQ("<BODY TEXT=#FF0000 VLINK=#008000>", Body(ReadFile(file)));
}

TEST_F(ColorPagesTest, BackgroundControlsFollowTheirBoxesAndKeepTheirValues) {
  services.files = {"", "C:\\PICS\\BACK.GIF", "C:\\SND\\TUNE.MID"};
  services.colors = {RGB(255, 255, 255)};
  PostAction([&] {
    NextTo("Background color, picture and sound");
    HWND page = CurrentPage(Wizard());
    HWND swatch = ::GetDlgItem(page, IDC_BACKGROUND_SWATCH);
    EXPECT_FALSE(Enabled(page, IDC_SELECT_COLOR));
    EXPECT_FALSE(Enabled(page, IDC_BITMAP_FILE) || Enabled(page, IDC_BROWSE_BITMAP) ||
                 Enabled(page, IDC_FIXED_BACKGROUND));
    EXPECT_TRUE(Enabled(page, IDC_SOUND_FILE) && Enabled(page, IDC_BROWSE_SOUND));
    EXPECT_TRUE(Hatched(swatch));

    Click(page, IDC_USE_COLOR);
    EXPECT_TRUE(Enabled(page, IDC_SELECT_COLOR));
    Click(page, IDC_SELECT_COLOR);
    EXPECT_TRUE(Solid(swatch, RGB(255, 255, 255)));
    Click(page, IDC_USE_BITMAP);
    EXPECT_TRUE(Enabled(page, IDC_BITMAP_FILE) && Enabled(page, IDC_BROWSE_BITMAP) &&
                Enabled(page, IDC_FIXED_BACKGROUND));
    Click(page, IDC_BROWSE_BITMAP);  // cancelled
    EXPECT_EQ("", WindowText(::GetDlgItem(page, IDC_BITMAP_FILE)));
    Click(page, IDC_BROWSE_BITMAP);
    EXPECT_EQ("C:\\PICS\\BACK.GIF", WindowText(::GetDlgItem(page, IDC_BITMAP_FILE)));
    Click(page, IDC_FIXED_BACKGROUND);
    Click(page, IDC_BROWSE_SOUND);
    EXPECT_EQ("C:\\SND\\TUNE.MID", WindowText(::GetDlgItem(page, IDC_SOUND_FILE)));

    // Clearing the boxes disables, but keeps, what they govern.
    Click(page, IDC_USE_BITMAP);
    EXPECT_FALSE(Enabled(page, IDC_BITMAP_FILE));
    EXPECT_EQ("C:\\PICS\\BACK.GIF", WindowText(::GetDlgItem(page, IDC_BITMAP_FILE)));
    EXPECT_TRUE(Checked(page, IDC_FIXED_BACKGROUND));
    Click(page, IDC_USE_COLOR);
    EXPECT_FALSE(Enabled(page, IDC_SELECT_COLOR));
    FinishInto(file);
  });
  services.answers = {kIdNo};  // the sound lies elsewhere: no copy
  app.Run(services, texts, clock);
  const std::string page = ReadFile(file);
  EXPECT_EQ("<BODY BGPROPERTIES=\"FIXED\">", Body(page)) << "colour and picture are off, the fixed flag is kept";
  EXPECT_NE(std::string::npos, page.find("<BGSOUND SRC=\"TUNE.MID\">")) << page;
  ASSERT_EQ(3u, services.fileDialogs.size());
  EXPECT_EQ(".GIF", services.fileDialogs[0].defaultExt);
  EXPECT_EQ(".MID", services.fileDialogs[2].defaultExt);
  EXPECT_EQ("MIDI files (*.MID)|*.MID|WAVE files (*.WAV)|*.WAV|All files (*.*)|*.*||", services.fileDialogs[2].filter);
  EXPECT_EQ((std::vector<std::string>{"C:\\WORK", "C:\\WORK", "C:\\WORK"}), services.directoryChanges);
}

TEST_F(ColorPagesTest, SolidColourWithoutAChoiceIsBlack) {
  PostAction([&] {
    NextTo("Background color, picture and sound");
    Click(CurrentPage(Wizard()), IDC_USE_COLOR);
    FinishInto(file);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ("<BODY BGCOLOR=#000000>", Body(ReadFile(file)));
}

TEST_F(ColorPagesTest, PictureControlsFollowTheIncludeBox) {
  services.files = {"", "C:\\PICS\\ME.GIF"};
  PostAction([&] {
    NextTo("Picture for the page");
    HWND page = CurrentPage(Wizard());
    const int dependents[] = {IDC_CENTER_PICTURE, IDC_FRAME_PICTURE, IDC_PICTURE_FILE, IDC_BROWSE_PICTURE};
    for (int id : dependents) EXPECT_FALSE(Enabled(page, id)) << id;
    Click(page, IDC_INCLUDE_PICTURE);
    for (int id : dependents) EXPECT_TRUE(Enabled(page, id)) << id;
    TypeInto(::GetDlgItem(page, IDC_PICTURE_FILE), "typed.gif");
    Click(page, IDC_BROWSE_PICTURE);  // cancelled: the typed name stays
    EXPECT_EQ("typed.gif", WindowText(::GetDlgItem(page, IDC_PICTURE_FILE)));
    Click(page, IDC_BROWSE_PICTURE);
    EXPECT_EQ("C:\\PICS\\ME.GIF", WindowText(::GetDlgItem(page, IDC_PICTURE_FILE)));
    Click(page, IDC_CENTER_PICTURE);
    Click(page, IDC_FRAME_PICTURE);
    Click(page, IDC_INCLUDE_PICTURE);
    for (int id : dependents) EXPECT_FALSE(Enabled(page, id)) << id;
    Click(page, IDC_INCLUDE_PICTURE);
    FinishInto(file);
  });
  services.answers = {kIdNo};
  app.Run(services, texts, clock);
  EXPECT_NE(std::string::npos,
            ReadFile(file).find("<CENTER>\r\n<TABLE BORDER=4 CELLPADDING=8>\r\n<TR>\r\n<TD>\r\n<IMG SRC=\"ME.GIF\">"));
  EXPECT_EQ(0u, services.messages[0].text.find("The C:\\PICS\\ME.GIF is not in the Home Page"));
  EXPECT_EQ((std::vector<std::string>{"C:\\WORK", "C:\\WORK"}), services.directoryChanges);
}

TEST_F(ColorPagesTest, AnExcludedPictureStillDeliversItsName) {
  PostAction([&] {
    NextTo("Picture for the page");
    HWND page = CurrentPage(Wizard());
    Click(page, IDC_INCLUDE_PICTURE);
    TypeInto(::GetDlgItem(page, IDC_PICTURE_FILE), "me.gif");
    Click(page, IDC_INCLUDE_PICTURE);
    FinishInto(file);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ(std::string::npos, ReadFile(file).find("<IMG")) << "not included, so not written";
  EXPECT_EQ(1u, services.messages.size()) << "and no copy offered";
}

}  // namespace
}  // namespace velbrook
