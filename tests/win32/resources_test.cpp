// The program's resources as Windows sees them: string table, favourite
// links and the dialog templates of the run.
#include <windows.h>

#include <string>

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
  EXPECT_EQ(54, found);
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

// The manifest of velbrook.exe beside this test program, as Windows reads
// it when it starts the program; dravel.dll carries none.
TEST(Resources, ProgramManifestAsksForNoElevationNamesEveryWindowsSinceVistaAndIsDpiAware) {
  char path[MAX_PATH];
  std::string exe(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
  exe = exe.substr(0, exe.find_last_of('\\') + 1) + "velbrook.exe";
  HMODULE program = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, program) << exe << ": error " << ::GetLastError();
  HRSRC found = ::FindResourceA(program, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  ASSERT_NE(nullptr, found) << "no manifest in " << exe;
  const std::string manifest(static_cast<const char*>(::LockResource(::LoadResource(program, found))),
                             ::SizeofResource(program, found));
  ::FreeLibrary(program);
  const HMODULE dravel = ::GetModuleHandleA("dravel.dll");
  for (int id = 1; id <= 16; ++id) EXPECT_EQ(nullptr, ::FindResourceA(dravel, MAKEINTRESOURCEA(id), RT_MANIFEST));

  const struct {
    const char* text;
    bool present;
  } elements[] = {
      // The form Windows XP accepts: asm.v2, declared once.
      {"<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v2\">", true},
      {"<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>", true},
      {"<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>", true},  // Vista
      {"<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>", true},  // 7
      {"<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>", true},  // 8
      {"<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>", true},  // 8.1
      {"<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>", true},  // 10 and 11
      // Per-monitor DPI awareness and common controls 6, each namespace
      // declared once on its own element.
      {"<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">", true},
      {"<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>", true},
      {"<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>",
       true},
      {"<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>", true},
      {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", true},
      {"publicKeyToken=\"6595b64144ccf1df\"", true},
  };
  for (const auto& e : elements) EXPECT_EQ(e.present, manifest.find(e.text) != std::string::npos) << e.text;

  // What Windows' own reader makes of it: the run level, and an OS list of five.
  ACTCTXA context = {};
  context.cbSize = sizeof context;
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = exe.c_str();
  context.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
  HANDLE read = ::CreateActCtxA(&context);
  ASSERT_NE(INVALID_HANDLE_VALUE, read) << "unreadable manifest: error " << ::GetLastError();
  ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
  EXPECT_TRUE(::QueryActCtxW(0, read, nullptr, RunlevelInformationInActivationContext, &level, sizeof level, nullptr));
  EXPECT_EQ(ACTCTX_RUN_LEVEL_AS_INVOKER, level.RunLevel);
  EXPECT_EQ(0u, level.UiAccess);
  DWORD compatibility[64] = {};  // the element count, then the elements
  EXPECT_TRUE(::QueryActCtxW(0, read, nullptr, CompatibilityInformationInActivationContext, compatibility,
                             sizeof compatibility, nullptr));
  EXPECT_EQ(5u, compatibility[0]);
  const struct {
    const wchar_t* space;
    const wchar_t* name;
    const wchar_t* value;
  } settings[] = {
      {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true/pm"},
      {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness", L"PerMonitorV2, PerMonitor"},
      {L"http://schemas.microsoft.com/SMI/2019/WindowsSettings", L"activeCodePage", L"UTF-8"},
  };
  // Windows 7's, so not in the XP headers this builds with.
  using QuerySettings = BOOL(WINAPI*)(DWORD, HANDLE, const wchar_t*, const wchar_t*, wchar_t*, SIZE_T, SIZE_T*);
  const auto querySettings = reinterpret_cast<QuerySettings>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "QueryActCtxSettingsW")));
  ASSERT_NE(nullptr, querySettings);
  for (const auto& setting : settings) {
    wchar_t value[64] = {};
    EXPECT_TRUE(querySettings(0, read, setting.space, setting.name, value, 64, nullptr)) << setting.value;
    EXPECT_EQ(std::wstring(setting.value), value);
  }
  ::ReleaseActCtx(read);
  // This test program carries the same manifest, and Wine, as Windows 10
  // from 1903, honours it.
  EXPECT_EQ(static_cast<UINT>(CP_UTF8), ::GetACP());
}

}  // namespace
}  // namespace velbrook
