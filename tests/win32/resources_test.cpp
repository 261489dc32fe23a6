// The program's resources as Windows sees them: string table, favourite
// links and the dialog templates of the run.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/module_texts.h"
#include "res/resource.h"
#include "tests/win32/test_support.h"

namespace velbrook {
namespace {

INT_PTR CALLBACK PlainProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

HWND CreateFromTemplate(int id) {
  return ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, PlainProc, 0);
}

TEST(Resources, StringTableHoldsExactlyTheSharedTexts) {
  ModuleTexts module(::GetModuleHandleA(nullptr));
  BuiltinTexts builtin;
  int found = 0;
  for (int id = 0; id < 64; ++id) {
    if (const char* expected = FindBuiltinText(id)) {
      EXPECT_EQ(expected, module.Load(id)) << "string " << id;
      ++found;
    } else {
      EXPECT_THROW(module.Load(id), ResourceError) << "string " << id << " is not one of the program's";
    }
  }
  EXPECT_EQ(26, found);
  // Line ends survive the resource compiler as CR LF and LF.
  EXPECT_EQ("\r\n\r\n", module.Load(IDS_BLANK_LINES));
  EXPECT_EQ("The Velbrook was fully completed.\nThere is no home page created.", module.Load(IDS_CANCELLED));
}

TEST(Resources, FavoriteLinksAreTheFragmentByteForByte) {
  const std::string fragment = ModuleTexts(::GetModuleHandleA(nullptr)).LoadFavoriteLinks();
  EXPECT_EQ(1129u, fragment.size());
  EXPECT_EQ(BuiltinTexts().LoadFavoriteLinks(), fragment);
}

TEST(Resources, ProgramIconIsThere) {
  HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
  EXPECT_NE(nullptr, icon);
}

TEST(Resources, HiddenMainWindowIsAnInvisiblePopupWithoutControls) {
  HWND window = CreateFromTemplate(IDD_MAIN_WINDOW);
  ASSERT_NE(nullptr, window) << "error " << ::GetLastError();
  const LONG style = ::GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(::IsWindowVisible(window));
  EXPECT_EQ(nullptr, ::GetWindow(window, GW_CHILD));
  RECT units = {0, 0, 67, 22}, client;
  ::MapDialogRect(window, &units);
  ::GetClientRect(window, &client);
  EXPECT_EQ(units.right, client.right);
  EXPECT_EQ(units.bottom, client.bottom);
  ::DestroyWindow(window);
}

TEST(Resources, CreationNoticeShowsOneCentredText) {
  HWND window = CreateFromTemplate(IDD_CREATION_NOTICE);
  ASSERT_NE(nullptr, window) << "error " << ::GetLastError();
  FlushEvents();
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_TRUE(::GetWindowLongA(window, GWL_STYLE) & WS_POPUP);
  HWND text = ::GetWindow(window, GW_CHILD);
  ASSERT_NE(nullptr, text);
  EXPECT_EQ(nullptr, ::GetWindow(text, GW_HWNDNEXT)) << "expected a single control";
  EXPECT_EQ("Now creating the Home Page...", WindowText(text));
  EXPECT_EQ(SS_CENTER, ::GetWindowLongA(text, GWL_STYLE) & SS_TYPEMASK);
  // The text fits its window.
  RECT inner, outer;
  ::GetWindowRect(text, &inner);
  ::GetClientRect(window, &outer);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&outer), 2);
  EXPECT_TRUE(inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
              inner.bottom <= outer.bottom);
  ::DestroyWindow(window);
}

}  // namespace
}  // namespace velbrook
