// dravel with real edit controls and real drops: a DROPFILES block in
// global memory sent as WM_DROPFILES, as the shell sends it.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dravel/dravel.h"
#include "tests/win32/test_support.h"

namespace velbrook {
namespace {

// A drop of `paths` as the shell makes it: DROPFILES, then the paths, each
// zero-terminated, then one more zero.
HDROP MakeDrop(const std::vector<std::string>& paths) {
  std::size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& path : paths) size += path.size() + 1;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  char* bytes = static_cast<char*>(::GlobalLock(block));
  DROPFILES* header = reinterpret_cast<DROPFILES*>(bytes);
  header->pFiles = sizeof(DROPFILES);
  header->fWide = FALSE;
  char* at = bytes + sizeof(DROPFILES);
  for (const std::string& path : paths) {
    std::memcpy(at, path.c_str(), path.size() + 1);
    at += path.size() + 1;
  }
  ::GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

class DravelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    edit = ::CreateWindowExA(0, "EDIT", "before", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(nullptr, edit);
  }
  void TearDown() override {
    if (::IsWindow(edit)) ::DestroyWindow(edit);
  }
  void Drop(const std::vector<std::string>& paths) {
    ::SendMessageA(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
  }
  std::string Text() const {
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(edit, &text[0], static_cast<int>(text.size()))));
    return text;
  }
  HWND edit = nullptr;
  MessageBoxAnswerer boxes;
};

TEST_F(DravelTest, ANameDropReplacesTheTextWithTheFirstPath) {
  ASSERT_EQ(TRUE, EnableFileNameDrop(edit));
  EXPECT_TRUE(::GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "registered as a drop target";
  Drop({"C:\\pics\\first.gif", "C:\\pics\\second.gif"});
  EXPECT_EQ("C:\\pics\\first.gif", Text());
  const std::string longPath = "C:\\" + std::string(250, 'd') + "\\me.gif";  // more than 259 characters
  Drop({longPath});
  EXPECT_EQ(longPath, Text()) << "a long path is not cut";
  EXPECT_TRUE(boxes.seen.empty());
}

TEST_F(DravelTest, ATextDropTakesTheFirstFilesContents) {
  const std::string first = TempPath("dravel_first.txt"), second = TempPath("dravel_second.txt");
  WriteFile(first, "Hello\r\nworld");
  WriteFile(second, "other");
  ASSERT_EQ(TRUE, EnableFileTextDrop(edit));
  Drop({first, second});
  EXPECT_EQ("Hello\r\nworld", Text());
  ::DeleteFileA(first.c_str());
  ::DeleteFileA(second.c_str());
}

TEST_F(DravelTest, TextDropSizeLimitIs65535Bytes) {
  const std::string fits = TempPath("dravel_fits.txt"), big = TempPath("dravel_big.txt");
  WriteFile(fits, std::string(65535, 'a'));
  WriteFile(big, std::string(65536, 'b'));
  ::SendMessageA(edit, EM_LIMITTEXT, 0, 0);
  ASSERT_EQ(TRUE, EnableFileTextDrop(edit));
  Drop({fits});
  EXPECT_EQ(65535u, Text().size());
  Drop({big});
  EXPECT_EQ(std::string(65535, 'a'), Text()) << "the text is left as it was";
  ASSERT_EQ(1u, boxes.seen.size());
  EXPECT_EQ("Drag&Drop", boxes.seen[0].caption);
  EXPECT_EQ("File is too big", boxes.seen[0].text);
  ::DeleteFileA(fits.c_str());
  ::DeleteFileA(big.c_str());
}

TEST_F(DravelTest, EmptyFilesAndZeroBytes) {
  const std::string empty = TempPath("dravel_empty.txt"), zero = TempPath("dravel_zero.txt");
  WriteFile(empty, "");
  WriteFile(zero, std::string("up to\0and no further", 20));
  ASSERT_EQ(TRUE, EnableFileTextDrop(edit));
  Drop({empty});
  EXPECT_EQ("", Text());
  Drop({zero});
  EXPECT_EQ("up to", Text());
  EXPECT_TRUE(boxes.seen.empty());
  ::DeleteFileA(empty.c_str());
  ::DeleteFileA(zero.c_str());
}

TEST_F(DravelTest, AFolderOrAMissingFileCannotBeOpened) {
  char dir[MAX_PATH];
  ::GetTempPathA(MAX_PATH, dir);
  ASSERT_EQ(TRUE, EnableFileTextDrop(edit));
  Drop({dir});
  Drop({TempPath("dravel_no_such_file.txt")});
  EXPECT_EQ("before", Text());
  ASSERT_EQ(2u, boxes.seen.size());
  EXPECT_EQ("Couldn't open file", boxes.seen[0].text);
  EXPECT_EQ("Couldn't open file", boxes.seen[1].text);
}

// dravel's mark on a control: a property keyed by its local atom.
HANDLE DravelProperty(HWND window) { return ::GetPropA(window, MAKEINTATOM(::FindAtomA("DravelThis"))); }

// The edit's own procedure, in front of which dravel puts its own: it must
// see the last message, and by then dravel must be gone.
WNDPROC g_editProc = nullptr;
bool g_sawNcDestroy = false;
bool g_propertyGone = false;
LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    g_sawNcDestroy = true;
    g_propertyGone = DravelProperty(window) == nullptr;
  }
  return ::CallWindowProcA(g_editProc, window, message, wParam, lParam);
}

TEST_F(DravelTest, DestroyingTheControlRemovesTheRecordFirst) {
  g_editProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnProc)));
  ASSERT_EQ(TRUE, EnableFileNameDrop(edit));
  EXPECT_NE(0, ::FindAtomA("DravelThis")) << "added when the library was loaded";
  EXPECT_NE(nullptr, DravelProperty(edit));
  EXPECT_NE(reinterpret_cast<LONG_PTR>(&OwnProc), ::GetWindowLongPtrA(edit, GWLP_WNDPROC));
  ::DestroyWindow(edit);
  EXPECT_TRUE(g_sawNcDestroy);
  EXPECT_TRUE(g_propertyGone);
}

TEST(Dravel, ANonWindowIsNotExtended) {
  EXPECT_EQ(FALSE, EnableFileNameDrop(nullptr));
  EXPECT_EQ(FALSE, EnableFileTextDrop(nullptr));
}

}  // namespace
}  // namespace velbrook
