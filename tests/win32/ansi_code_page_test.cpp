// The program's text of any script where Windows has no UTF-8 process code
// page (XP to 8.1): this test program has no manifest, so it runs in the
// locale's ANSI code page, 1252 here. Notepad's three kinds of file come in
// right, imported and dropped, and a character 1252 lacks arrives as a
// reference that the page shows as the character.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "app/module_texts.h"
#include "core/html_writer.h"
#include "dravel/dravel.h"
#include "pages/text_import.h"
#include "tests/native/fixed_clock.h"
#include "tests/native/scripted_services.h"
#include "tests/win32/test_support.h"

namespace velbrook {
namespace {

// The compiled-in texts (this program has no resources) in the code pages
// the program asks Windows for.
class AnsiTexts : public BuiltinTexts {
 public:
  const CodePage& TextCodePage() const override { return m_module.TextCodePage(); }
  const CodePage& LegacyCodePage() const override { return m_module.LegacyCodePage(); }

 private:
  ModuleTexts m_module{::GetModuleHandleA(nullptr)};
};

TEST(AnsiCodePage, NotepadFilesComeInAndWhat1252LacksIsAReference) {
  ASSERT_EQ(1252u, ::GetACP()) << "a program without the UTF-8 manifest";
  const AnsiTexts texts;
  const std::string expected = "Gr\xFC\xDF" "e \x80 &#26085;&#128512;";
  const struct {
    const char* name;
    std::string bytes;
  } files[] = {
      {"UTF-8", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xE6\x97\xA5\xF0\x9F\x98\x80"},
      {"UTF-8 with a mark", "\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xE6\x97\xA5\xF0\x9F\x98\x80"},
      {"UTF-16 LE", std::string("\xFF\xFEG\0r\0\xFC\0\xDF\0" "e\0 \0\xAC\x20 \0\xE5\x65\x3D\xD8\x00\xDE", 24)},
  };
  const std::string path = TempPath("velbrook_ansi.txt");
  HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                                nullptr);
  ASSERT_EQ(TRUE, EnableFileTextDrop(edit));
  for (const auto& file : files) {
    WriteFile(path, file.bytes);
    const TextImport imported = ImportTextFile(path, texts.TextCodePage(), texts.LegacyCodePage());
    EXPECT_EQ(expected, imported.text) << file.name << ", imported";
    ::SendMessageA(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({path})), 0);
    EXPECT_EQ(expected, WindowText(edit)) << file.name << ", dropped";
  }
  ::DestroyWindow(edit);
  ::DeleteFileA(path.c_str());

  PageSettings settings;
  settings.text.m_strText = expected;
  std::string page;
  ScriptedServices services;
  PageDelivery delivery(services, texts);
  BuildPage(settings, page, texts, delivery, FixedClock());
  EXPECT_NE(std::string::npos, page.find("Gr&#252;&#223;e &#8364; &#26085;&#128512;")) << page;
}

}  // namespace
}  // namespace velbrook
