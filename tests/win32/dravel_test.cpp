// dravel with real edit controls and real drops: a DROPFILES block in
// global memory sent as WM_DROPFILES, as the shell sends it.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <winioctl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dravel/dravel.h"
#include "tests/win32/test_support.h"

namespace velbrook {
namespace {

class DravelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    edit = NewEdit();
    ASSERT_NE(nullptr, edit);
  }
  static HWND NewEdit() {
    return ::CreateWindowExA(0, "EDIT", "before", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, nullptr, nullptr,
                             nullptr, nullptr);
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
  // A name of any script, as the shell gives it, in the UTF-8 process code page.
  const std::string japanese = "C:\\pics\\\xE5\x86\x99\xE7\x9C\x9F.gif";
  ::SendMessageA(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({japanese}, true)), 0);
  EXPECT_EQ(japanese, Text());
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

// `size` bytes of text in lines short enough for the edit to lay out fast.
std::string Lines(std::size_t size) {
  std::string text;
  while (text.size() < size) text += std::string(63, 'a') + "\r\n";
  text.resize(size);
  return text;
}

// A file of `size` bytes that starts with up to 65,536 bytes of text;
// anything beyond is a hole, so that a file past 4 GiB costs no disk.
void WriteFileOfSize(const std::string& path, std::uint64_t size) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
  DWORD done = 0;
  ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &done, nullptr);
  const std::string head = Lines(static_cast<std::size_t>(std::min<std::uint64_t>(size, 65536)));
  ::WriteFile(file, head.data(), static_cast<DWORD>(head.size()), &done, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  EXPECT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file)) << path;
  ::CloseHandle(file);
}

TEST_F(DravelTest, TextDropSizeLimitIs65535Bytes) {
  const struct {
    const char* name;
    std::uint64_t size;
    bool taken;
  } cases[] = {
      {"dravel_fits.txt", 65535, true},
      {"dravel_big.txt", 65536, false},
      // Its low 32 bits alone would pass for a file of 10 bytes.
      {"dravel_huge.txt", 0x100000000ull + 10, false},
  };
  ::SendMessageA(edit, EM_LIMITTEXT, 0, 0);
  ASSERT_EQ(TRUE, EnableFileTextDrop(edit));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = TempPath(c.name);
    WriteFileOfSize(path, c.size);
    ::SetWindowTextA(edit, "before");
    boxes.seen.clear();
    Drop({path});
    if (c.taken) {
      EXPECT_EQ(Lines(static_cast<std::size_t>(c.size)), Text());
      EXPECT_TRUE(boxes.seen.empty());
    } else {
      EXPECT_EQ("before", Text()) << "the text is left as it was";
      ASSERT_EQ(1u, boxes.seen.size());
      EXPECT_EQ("Drag&Drop", boxes.seen[0].caption);
      EXPECT_EQ("File is too big", boxes.seen[0].text);
    }
    ::DeleteFileA(path.c_str());
  }
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
  // Read as Notepad reads it, into this program's UTF-8 code page: zero
  // bytes of UTF-16 do not end the text, and bytes that are not UTF-8 are
  // the legacy code page's.
  WriteFile(zero, std::string("\xFF\xFEu\0p\0 \0\xFC\0", 10));
  Drop({zero});
  EXPECT_EQ("up \xC3\xBC", Text());
  WriteFile(zero, "J\xF6rg");
  Drop({zero});
  EXPECT_EQ("J\xC3\xB6rg", Text());
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

// dravel's blocks on the process heap, where it keeps its records: what it
// allocated less what it freed. Wine's own blocks there come and go under
// load; these move only when dravel calls.
LONG g_dravelBlocks = 0;
LPVOID WINAPI CountedHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size) {
  LPVOID block = ::HeapAlloc(heap, flags, size);
  if (block) ++g_dravelBlocks;
  return block;
}
BOOL WINAPI CountedHeapFree(HANDLE heap, DWORD flags, LPVOID block) {
  const BOOL freed = ::HeapFree(heap, flags, block);
  if (freed && block) --g_dravelBlocks;
  return freed;
}

TEST_F(DravelTest, ASecondEnableChangesNothing) {
  typedef BOOL(WINAPI * EnableDrop)(HWND);
  const std::string file = TempPath("dravel_second.txt");
  WriteFile(file, "the file's words");
  const struct {
    EnableDrop first, second;
    const char* what;
    std::string dropped;  // what a drop shows: the first kind's
  } cases[] = {
      {EnableFileNameDrop, EnableFileNameDrop, "name, then name", file},
      {EnableFileNameDrop, EnableFileTextDrop, "name, then text", file},
      {EnableFileTextDrop, EnableFileTextDrop, "text, then text", "the file's words"},
      {EnableFileTextDrop, EnableFileNameDrop, "text, then name", "the file's words"},
  };
  const HMODULE dravel = ::GetModuleHandleA("dravel.dll");
  ImportPatch alloc(dravel, "HeapAlloc", reinterpret_cast<ULONG_PTR>(&CountedHeapAlloc));
  ImportPatch release(dravel, "HeapFree", reinterpret_cast<ULONG_PTR>(&CountedHeapFree));
  ASSERT_TRUE(alloc.Applied() && release.Applied());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (!::IsWindow(edit)) edit = NewEdit();
    ASSERT_NE(nullptr, edit);
    const LONG before = g_dravelBlocks;
    g_sawNcDestroy = g_propertyGone = false;
    g_editProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnProc)));
    ASSERT_EQ(TRUE, c.first(edit));
    const HANDLE record = DravelProperty(edit);
    const LONG_PTR hook = ::GetWindowLongPtrA(edit, GWLP_WNDPROC);
    EXPECT_EQ(before + 1, g_dravelBlocks) << "one record";
    EXPECT_EQ(FALSE, c.second(edit));
    EXPECT_EQ(before + 1, g_dravelBlocks) << "no second record was made";
    EXPECT_EQ(record, DravelProperty(edit)) << "the control keeps its one record";
    EXPECT_EQ(hook, ::GetWindowLongPtrA(edit, GWLP_WNDPROC));

    ::SetWindowTextA(edit, "");
    TypeInto(edit, "typed");
    EXPECT_EQ("typed", Text());
    Drop({file});
    EXPECT_EQ(c.dropped, Text());
    ::DestroyWindow(edit);
    EXPECT_TRUE(g_sawNcDestroy);
    EXPECT_TRUE(g_propertyGone);
    EXPECT_EQ(before, g_dravelBlocks) << "the record and the drops' buffers are freed";
  }
  EXPECT_TRUE(boxes.seen.empty());
  ::DeleteFileA(file.c_str());
}

BOOL WINAPI RefusedSetProp(HWND, LPCSTR, HANDLE) {
  ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return FALSE;
}

using EnableDrop = BOOL(WINAPI*)(HWND);

// dravel loaded once more (a copy under another name) while this process's
// local atom table is full (Wine's holds 16384 names): the copy cannot add
// its atom, so it must mark nothing.
class AtomlessDravel {
 public:
  AtomlessDravel() {
    // The name must be new to the table: the loaded library's goes first.
    ::DeleteAtom(m_loaded);
    char name[16];
    for (int n = 0; n < 0x10000; ++n) {
      ::wsprintfA(name, "fill%d", n);
      const ATOM atom = ::AddAtomA(name);
      if (!atom) break;
      m_fill.push_back(atom);
    }
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(::GetModuleHandleA("dravel.dll"), path, MAX_PATH);
    ::CopyFileA(path, m_copy.c_str(), FALSE);
    m_module = ::LoadLibraryA(m_copy.c_str());
  }
  ~AtomlessDravel() {
    if (m_module) ::FreeLibrary(m_module);
    ::DeleteFileA(m_copy.c_str());
    // The loaded library keeps the atom it was given, so its name must come
    // back as that very atom: the filler that took it goes first, and the
    // name then gets the one free place in the full table.
    for (ATOM& atom : m_fill) {
      if (atom == m_loaded) ::DeleteAtom(atom), atom = 0;
    }
    const ATOM back = ::AddAtomA("DravelThis");
    for (ATOM atom : m_fill) {
      if (atom) ::DeleteAtom(atom);
    }
    EXPECT_EQ(m_loaded, back) << "the loaded library's atom is back for the tests after this one";
  }
  EnableDrop Export(int ordinal) const {
    if (!m_module) return nullptr;
    return reinterpret_cast<EnableDrop>(reinterpret_cast<void*>(::GetProcAddress(m_module, MAKEINTRESOURCEA(ordinal))));
  }

 private:
  const std::string m_copy = TempPath("dravel_atomless.dll");
  const ATOM m_loaded = ::FindAtomA("DravelThis");
  std::vector<ATOM> m_fill;
  HMODULE m_module = nullptr;
};

TEST_F(DravelTest, AControlThatCannotBeMarkedIsLeftAsItWas) {
  const LONG_PTR own = ::GetWindowLongPtrA(edit, GWLP_WNDPROC);
  for (bool noAtom : {false, true}) {
    SCOPED_TRACE(noAtom ? "no atom" : "the window property refused");
    if (noAtom) {
      AtomlessDravel copy;
      ASSERT_NE(nullptr, copy.Export(1));
      EXPECT_EQ(FALSE, copy.Export(1)(edit));
      EXPECT_EQ(FALSE, copy.Export(2)(edit));
    } else {
      ImportPatch refused(::GetModuleHandleA("dravel.dll"), "SetPropA", reinterpret_cast<ULONG_PTR>(&RefusedSetProp));
      ASSERT_TRUE(refused.Applied());
      EXPECT_EQ(FALSE, EnableFileNameDrop(edit));
      EXPECT_EQ(FALSE, EnableFileTextDrop(edit));
    }
    EXPECT_EQ(own, ::GetWindowLongPtrA(edit, GWLP_WNDPROC)) << "the control's own procedure is back";
    EXPECT_FALSE(::GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "not a drop target";
    EXPECT_EQ(nullptr, DravelProperty(edit));
    ::SetWindowTextA(edit, "");
    TypeInto(edit, "still an edit");
    EXPECT_EQ("still an edit", Text());
  }
  EXPECT_EQ(TRUE, EnableFileNameDrop(edit)) << "and it can be extended later";
}

TEST(Dravel, ANonWindowIsNotExtended) {
  EXPECT_EQ(FALSE, EnableFileNameDrop(nullptr));
  EXPECT_EQ(FALSE, EnableFileTextDrop(nullptr));
}

}  // namespace
}  // namespace velbrook
