// The program's text of any script where Windows has no UTF-8 process code
// page (XP to 8.1): this test program has no manifest, so it runs in the
// locale's ANSI code page, 1252 here. Notepad's three kinds of file come in
// right, imported and dropped, and a character 1252 lacks arrives as a
// reference, which the page (HTML, written as it stands) shows as the
// character.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/module_texts.h"
#include "dravel/dravel.h"
#include "pages/text_import.h"
#include "tests/win32/test_support.h"

namespace velbrook {
namespace {

TEST(AnsiCodePage, NotepadFilesComeInAndWhat1252LacksIsAReference) {
  ASSERT_EQ(1252u, ::GetACP()) << "a program without the UTF-8 manifest";
  const ModuleTexts texts(::GetModuleHandleA(nullptr));  // its code pages; this program has no string table
  const std::string text8 = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xE6\x97\xA5\xF0\x9F\x98\x80";
  const std::string files[] = {
      text8, "\xEF\xBB\xBF" + text8,
      std::string("\xFF\xFEG\0r\0\xFC\0\xDF\0" "e\0 \0\xAC\x20 \0\xE5\x65\x3D\xD8\x00\xDE", 24)};
  const std::string path = TempPath("velbrook_ansi.txt");
  HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                                nullptr);
  ASSERT_EQ(TRUE, EnableFileTextDrop(edit));
  for (const std::string& file : files) {
    WriteFile(path, file);
    const std::string expected = "Gr\xFC\xDF" "e \x80 &#26085;&#128512;";
    EXPECT_EQ(expected, ImportTextFile(path, texts.TextCodePage(), texts.LegacyCodePage()).text) << "imported";
    ::SendMessageA(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({path})), 0);
    EXPECT_EQ(expected, WindowText(edit)) << "dropped";
  }
  ::DestroyWindow(edit);
  ::DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace velbrook
