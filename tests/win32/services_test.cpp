// The real services against Windows: message boxes, the clipboard and file
// copies on a real file system.
#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/delivery.h"
#include "core/page_run.h"
#include "app/module_texts.h"
#include "app/services_win32.h"
#include "core/win_types.h"
#include "framework/app.h"
#include "framework/dialog.h"
#include "res/resource.h"
#include "tests/win32/test_support.h"

namespace velbrook {
namespace {

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!::OpenClipboard(owner)) return "<clipboard busy>";
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    const char* bytes = static_cast<const char*>(::GlobalLock(data));
    text = bytes ? bytes : "";
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

class ServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(mainWindow.Create(IDD_MAIN_WINDOW, nullptr));
    AfxGetApp()->m_pMainWnd = &mainWindow;
    owner = mainWindow.m_hWnd;
  }
  void TearDown() override {
    AfxGetApp()->m_pMainWnd = nullptr;
    mainWindow.DestroyWindow();
  }
  CDialog mainWindow{IDD_MAIN_WINDOW};
  HWND owner = nullptr;
  ModuleTexts texts{::GetModuleHandleA(nullptr)};
  Win32Services services{texts};
};

TEST_F(ServicesTest, MessageBoxShowsTheTextUnderTheProgramsNameAndReturnsTheAnswer) {
  MessageBoxAnswerer answerer;
  answerer.answers = {IDYES};
  EXPECT_EQ(kIdYes, services.ShowMessage("Copy it?", kMbYesNo, kNoHelp));
  EXPECT_EQ(kIdOk, services.ShowMessage("Done.", kMbOk | kMbIconInformation, kNoHelp));
  ASSERT_EQ(2u, answerer.seen.size());
  EXPECT_EQ("Copy it?", answerer.seen[0].text);
  EXPECT_EQ("win32_tests", answerer.seen[0].caption);
}

TEST_F(ServicesTest, F1InABoxShowsTheTopicOfItsHelpContext) {
  std::string topic;
  PostAction([&] {
    HWND box = ::GetActiveWindow();
    PressKey(VK_F1);
    FlushEvents();
    if (HWND help = services.HelpWindow()) topic = WindowText(::GetWindow(help, GW_CHILD));
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
  });
  EXPECT_EQ(kIdNo, services.ShowMessage(texts.Load(IDS_ABANDON_WORK), kMbYesNo | kMbIconQuestion | kMbDefButton2,
                                        IDS_ABANDON_WORK));
  EXPECT_EQ(texts.Load(IDS_HELP_ABANDON), topic);
  services.CloseHelp();
}

BOOL WINAPI RefusedEmptyClipboard() { return FALSE; }
HANDLE WINAPI RefusedSetClipboardData(UINT, HANDLE) { return nullptr; }
// A network folder that drops while the page is flushed.
BOOL WINAPI RefusedFlushFileBuffers(HANDLE) {
  ::SetLastError(ERROR_NETNAME_DELETED);
  return FALSE;
}

TEST_F(ServicesTest, ClipboardTakesTheWholeTextAndReplacesWhatWasThere) {
  ASSERT_TRUE(services.PutTextOnClipboard("old"));
  const std::string page = "<HTML>\r\n" + std::string(70000, 'x') + "\r\n</HTML>\r\n";
  ASSERT_TRUE(services.PutTextOnClipboard(page));
  EXPECT_EQ(page, ClipboardText(owner));

  // A clipboard that opens but cannot be emptied or filled is a failure.
  const struct {
    const char* function;
    ULONG_PTR refusal;
  } refusals[] = {
      {"EmptyClipboard", reinterpret_cast<ULONG_PTR>(&RefusedEmptyClipboard)},
      {"SetClipboardData", reinterpret_cast<ULONG_PTR>(&RefusedSetClipboardData)},
  };
  for (const auto& refused : refusals) {
    bool put = true;
    {
      ImportPatch patch(::GetModuleHandleA(nullptr), refused.function, refused.refusal);
      ASSERT_TRUE(patch.Applied()) << refused.function;
      put = services.PutTextOnClipboard("never");
    }
    EXPECT_FALSE(put) << refused.function << " failed";
    EXPECT_NE("never", ClipboardText(owner)) << refused.function << " failed";
  }
}

// Another program holding the clipboard for a while, as a viewer does.
struct ClipboardHolder {
  DWORD milliseconds;
  HANDLE opened = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

DWORD WINAPI HoldClipboard(LPVOID parameter) {
  const ClipboardHolder* holder = static_cast<ClipboardHolder*>(parameter);
  const BOOL held = ::OpenClipboard(nullptr);
  ::SetEvent(holder->opened);
  ::Sleep(holder->milliseconds);
  if (held) ::CloseClipboard();
  return held;
}

TEST_F(ServicesTest, ClipboardHeldByAnotherProgramIsWaitedForAboutASecond) {
  ASSERT_TRUE(services.PutTextOnClipboard("old"));
  for (DWORD milliseconds : {2500, 300}) {
    const bool inTime = milliseconds < 1000;
    ClipboardHolder holder{milliseconds};
    HANDLE thread = ::CreateThread(nullptr, 0, HoldClipboard, &holder, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ::WaitForSingleObject(holder.opened, INFINITE);
    EXPECT_EQ(inTime, services.PutTextOnClipboard("page")) << "held for " << milliseconds << " ms";
    ::WaitForSingleObject(thread, INFINITE);
    DWORD held = 0;
    ::GetExitCodeThread(thread, &held);
    EXPECT_EQ(1u, held) << "the other program had the clipboard";
    ::CloseHandle(thread);
    ::CloseHandle(holder.opened);
    EXPECT_EQ(inTime ? "page" : "old", ClipboardText(owner));
  }
}

TEST_F(ServicesTest, CopyFileReplacesTheDestination) {
  const std::string from = TempPath("velbrook_from.gif"), to = TempPath("velbrook_to.gif");
  WriteFile(from, "new");
  WriteFile(to, "an older, longer file");
  EXPECT_TRUE(services.CopyFileReplacing(from, to));
  EXPECT_EQ("new", ReadFile(to));
  EXPECT_FALSE(services.CopyFileReplacing(TempPath("velbrook_missing.gif"), to));
  ::DeleteFileA(from.c_str());
  ::DeleteFileA(to.c_str());
}

TEST_F(ServicesTest, ACopyOntoTheFileItselfLeavesItAndSucceeds) {
  const std::string file = TempPath("velbrook_self.gif");
  WriteFile(file, "the picture");
  std::string upper = file, slashes = file;
  for (char& c : upper) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
  for (char& c : slashes) c = c == '\\' ? '/' : c;
  const std::string dir = file.substr(0, file.rfind('\\') + 1);
  // A second name of the file that no comparison of paths can match.
  const std::string link = dir + "velbrook_link.gif";
  ::DeleteFileA(link.c_str());
  ASSERT_TRUE(::CreateHardLinkA(link.c_str(), file.c_str(), nullptr)) << "error " << ::GetLastError();
  for (const std::string& to : {file, upper, slashes, dir + ".\\velbrook_self.gif", link}) {
    EXPECT_TRUE(services.CopyFileReplacing(file, to)) << to;
    EXPECT_EQ("the picture", ReadFile(file)) << to;
  }
  ::DeleteFileA(link.c_str());
  const std::string missing = TempPath("velbrook_missing.gif");
  EXPECT_FALSE(services.CopyFileReplacing(missing, missing)) << "a source that is not there is still a failure";
  ::DeleteFileA(file.c_str());
}

// The names in `folder`, to see that nothing was left beside the file.
std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (found.cFileName[0] != '.') names.push_back(found.cFileName);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

// The program's texts without the credit line, which ends every page.
class TextsWithoutCredit : public ModuleTexts {
 public:
  TextsWithoutCredit() : ModuleTexts(::GetModuleHandleA(nullptr)) {}
  std::string Load(int id) const override {
    if (id == IDS_CREDIT) throw ResourceError("no credit");
    return ModuleTexts::Load(id);
  }
};

// A page written back, or an agreed copy, leaves the old file or the new
// one whole, and nothing else in the folder; a page whose build failed
// leaves the old one alone.
TEST_F(ServicesTest, AFileIsReplacedWholeOrNotAtAll) {
  const std::string folder = TempPath("velbrook_place\\");
  const std::string source = TempPath("velbrook_pic.gif"), copyName = "velbrook_pic.gif";
  const std::string page("<HTML>\r\n\0\xE4\r\n</HTML>\r\n", 21), picture = "the new picture";
  enum Setup { kPlain, kNew, kReadOnly, kHidden, kLocked, kNoFolder, kReadOnlySource, kFlushFails, kBuildFails };
  const struct {
    const char* name;
    Setup setup;
    std::deque<int> answers;  // empty: the page is written, else the copy offer's answers
    bool replaced;
    bool failed;
  } cases[] = {
      {"a page written back over a longer one", kPlain, {}, true, false},
      {"a new page", kNew, {}, true, false},
      {"a page in a missing folder", kNoFolder, {}, false, true},
      {"a read-only page", kReadOnly, {}, false, true},
      {"a hidden page", kHidden, {}, true, false},
      {"a page another program holds open (the last step fails)", kLocked, {}, false, true},
      {"a page whose flush fails (a network folder that drops)", kFlushFails, {}, false, true},
      {"a page whose build failed part-way", kBuildFails, {}, false, false},
      {"another file where the copy goes, Yes", kPlain, {IDYES, IDYES}, true, false},
      {"another file where the copy goes, No", kPlain, {IDYES, IDNO}, false, false},
      {"another file held open where the copy goes, Yes (the last step fails)", kLocked, {IDYES, IDYES}, false, true},
      {"a read-only picture (from a CD, say)", kReadOnlySource, {IDYES}, true, false},
  };
  // What a failed run of this test left behind would fail the next one.
  for (const std::string& name : FolderNames(folder)) {
    ::SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA((folder + name).c_str());
  }
  WriteFile(source, picture);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const bool copy = !c.answers.empty();
    const std::string target = folder + (copy ? copyName : "home.htm"), old = std::string(5000, 'o');
    ::CreateDirectoryA(folder.c_str(), nullptr);
    if (c.setup != kNew && c.setup != kNoFolder && c.setup != kReadOnlySource) WriteFile(target, old);
    ::SetFileAttributesA(source.c_str(), c.setup == kReadOnlySource ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    if (c.setup == kReadOnly) ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    if (c.setup == kHidden) ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_HIDDEN);
    if (c.setup == kNoFolder) ::RemoveDirectoryA(folder.c_str());
    HANDLE lock = c.setup == kLocked ? ::CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                     : INVALID_HANDLE_VALUE;

    MessageBoxAnswerer answerer;
    answerer.answers = c.answers;
    PageDelivery delivery(services, texts);
    std::unique_ptr<ImportPatch> flush;
    if (c.setup == kFlushFails) {
      flush.reset(new ImportPatch(::GetModuleHandleA(nullptr), "FlushFileBuffers",
                                  reinterpret_cast<ULONG_PTR>(&RefusedFlushFileBuffers)));
      ASSERT_TRUE(flush->Applied());
    }
    if (copy) {
      std::string reference = source;
      reference = delivery.OfferCopyToPageDir(folder + "home.htm", reference);
      EXPECT_EQ(copyName, reference);
      EXPECT_TRUE(answerer.answers.empty()) << "both questions asked";
    } else if (c.setup == kBuildFails) {
      struct : CreationNotice {
        void Show() override {}
        void Remove() override {}
      } notice;
      PageSettings settings;
      settings.file.m_strFileName = target;
      std::string partial;
      FinishRun(kWizardFinish, settings, partial, services, TextsWithoutCredit(), LocalClock(), notice);
      ASSERT_EQ(2u, answerer.seen.size());
      EXPECT_EQ("The Velbrook could not make the whole home page, so the file " + target + " was left as it was.",
                answerer.seen[1].text);
    } else {
      delivery.WritePageFile(page, target);
      EXPECT_EQ(c.failed ? 1u : 0u, answerer.seen.size()) << "message 2 only on failure";
    }
    if (lock != INVALID_HANDLE_VALUE) ::CloseHandle(lock);
    flush.reset();
    EXPECT_EQ(c.failed, delivery.Failed());
    if (c.setup != kNoFolder) {
      EXPECT_EQ(c.replaced ? (copy ? picture : page) : old, ReadFile(target));
      EXPECT_EQ(std::vector<std::string>{target.substr(folder.size())}, FolderNames(folder));
      const DWORD flag = c.setup == kHidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_READONLY;
      const DWORD kept = c.setup == kHidden || c.setup == kReadOnly ? flag : 0;
      EXPECT_EQ(kept, ::GetFileAttributesA(target.c_str()) & flag) << "the old file's flag is kept, a copy is never read-only";
    } else {
      EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(folder.c_str()));
    }
    ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(target.c_str());
    ::RemoveDirectoryA(folder.c_str());
  }
  ::SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA(source.c_str());
}

// The key is sealed with its site name, read back for that site only, and
// forgetting removes the program's key whatever grew under it.
TEST_F(ServicesTest, TheSiteStoreKeepsAKeyForItsSiteOnlyAndForgetsItWhole) {
  const std::string key = "0123456789abcdef0123456789abcdef";
  ASSERT_TRUE(services.RememberSite({"my-site", key, false}));
  RememberedSite kept = services.RecallSite();
  EXPECT_EQ("my-site", kept.siteName);
  EXPECT_EQ(key, kept.key);
  EXPECT_FALSE(kept.frontPage);
  const char other[] = "other-site";
  HKEY store = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Velbrook", 0, KEY_SET_VALUE, &store));
  EXPECT_EQ(ERROR_SUCCESS,
            ::RegSetValueExA(store, "Neocities site", 0, REG_SZ, reinterpret_cast<const BYTE*>(other), sizeof other));
  ::RegCloseKey(store);
  kept = services.RecallSite();
  EXPECT_EQ("other-site", kept.siteName);
  EXPECT_EQ("", kept.key) << "a key is never read back for another site";
  HKEY grown = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Velbrook\\Grown\\Deeper", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &grown, nullptr));
  ::RegCloseKey(grown);
  EXPECT_TRUE(services.RememberSite(RememberedSite()));
  HKEY gone = nullptr;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Velbrook", 0, KEY_READ, &gone));
  EXPECT_TRUE(services.RememberSite(RememberedSite())) << "nothing kept is nothing to remove";
  EXPECT_EQ("a9993e364706816aba3e25717850c26c9cd0d89d", services.Sha1Hex("abc"));
}

TEST_F(ServicesTest, HelpShowsOneTopicAtATimeUntilClosed) {
  services.ShowHelp(1);
  HWND help = services.HelpWindow();
  ASSERT_NE(nullptr, help);
  EXPECT_TRUE(::IsWindowVisible(help));
  EXPECT_EQ("Velbrook Help", WindowText(help));
  HWND text = ::GetWindow(help, GW_CHILD);
  EXPECT_EQ(0u, WindowText(text).find("Welcome\r\n")) << WindowText(text);

  services.ShowHelp(8);
  EXPECT_EQ(help, services.HelpWindow()) << "a second request reuses the window";
  EXPECT_EQ(0u, WindowText(text).find("File name for the page\r\n")) << WindowText(text);

  // Every context the program asks for has a topic of its own.
  for (int context : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 19, 20, 30}) {
    services.ShowHelp(context);
    EXPECT_EQ(texts.Load(IDS_HELP_BASE + context), WindowText(text)) << "context " << context;
  }
  services.ShowHelp(77);
  EXPECT_EQ("There is no help for this part of the Velbrook.", WindowText(text));

  services.CloseHelp();
  EXPECT_FALSE(::IsWindow(help));
  EXPECT_EQ(nullptr, services.HelpWindow());
  services.CloseHelp();  // closing again is harmless
}

}  // namespace
}  // namespace velbrook
