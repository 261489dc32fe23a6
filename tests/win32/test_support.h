// Helpers for the Win32 tests: pumping pending messages and answering the
// message boxes the code under test opens on this thread.
#ifndef VELBROOK_TESTS_WIN32_TEST_SUPPORT_H
#define VELBROOK_TESTS_WIN32_TEST_SUPPORT_H

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <memory>
#include <functional>
#include <string>
#include <vector>

namespace velbrook {

// Dispatches what is waiting in the queue, a bounded number of rounds.
inline void FlushEvents() {
  MSG msg;
  for (int round = 0; round < 100 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++round) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

inline std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
  return text;
}

// A file in Windows' temporary folder, and its bytes.
inline std::string TempPath(const std::string& name) {
  char dir[MAX_PATH];
  ::GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, f) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

inline std::string ReadFile(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

// The window procedure of PostAction's message-only window. A named CALLBACK
// function, since a lambda has the wrong calling convention on 32-bit x86.
inline LRESULT CALLBACK PostActionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) {
    std::unique_ptr<std::function<void()>> run(reinterpret_cast<std::function<void()>*>(lParam));
    (*run)();
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// Runs `action` when the message loop of this thread gets to it, after
// everything posted before. Modal loops under test are driven this way.
inline void PostAction(std::function<void()> action) {
  static HWND driver = [] {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PostActionProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VelbrookTestDriver";
    ::RegisterClassA(&windowClass);
    return ::CreateWindowExA(0, "VelbrookTestDriver", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
  }();
  ::PostMessageA(driver, WM_APP, 0, reinterpret_cast<LPARAM>(new std::function<void()>(std::move(action))));
}

// Runs `action` after the messages that what is queued now will itself
// post (a translated key's character, a key a page hands to the host).
inline void PostActionLater(std::function<void()> action, int rounds = 4) {
  if (rounds <= 0) {
    PostAction(std::move(action));
    return;
  }
  PostAction([action, rounds] { PostActionLater(action, rounds - 1); });
}

// A key as the keyboard delivers it to the window with the focus: key down
// (translated into its character by the message loop) and key up. With
// `shift` or `alt`, the modifier is held while the key goes through.
inline void PostKey(WORD key, bool shift = false, bool alt = false) {
  BYTE state[256];
  ::GetKeyboardState(state);
  state[VK_SHIFT] = shift ? 0x80 : 0;
  state[VK_MENU] = alt ? 0x80 : 0;
  ::SetKeyboardState(state);
  HWND focus = ::GetFocus();
  const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN, up = alt ? WM_SYSKEYUP : WM_KEYUP;
  const LPARAM altFlag = alt ? (1 << 29) : 0;
  ::PostMessageA(focus, down, key, 1 | altFlag);
  ::PostMessageA(focus, up, key, static_cast<LPARAM>(0xC0000001u) | altFlag);
  // The modifiers are let go once these keys have gone through.
  PostActionLater([] {
    BYTE released[256];
    ::GetKeyboardState(released);
    released[VK_SHIFT] = released[VK_MENU] = 0;
    ::SetKeyboardState(released);
  }, 2);
}

// A key pressed and let go on the keyboard itself: it reaches the window
// with the focus through the system's input, as keys like F1 must.
inline void PressKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, input, sizeof(INPUT));
}

// Clicks a button as the user would, through its own message.
inline void Click(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// The page the wizard `wizard` shows now: its visible child dialog.
inline HWND CurrentPage(HWND wizard) {
  for (HWND child = ::GetWindow(wizard, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = {};
    ::GetClassNameA(child, className, sizeof className);
    if (std::string(className) == "#32770" && ::IsWindowVisible(child)) return child;
  }
  return nullptr;
}

// A drop of `paths` as the shell makes it: DROPFILES, then the paths, each
// zero-terminated, then one more zero; `wide` gives them as UTF-16 (from
// UTF-8), as the shell of Windows NT does.
inline HDROP MakeDrop(const std::vector<std::string>& paths, bool wide = false) {
  std::wstring units;
  std::string bytes;
  for (const std::string& path : paths) {
    std::wstring unitsOf(path.size() + 1, L'\0');
    unitsOf.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &unitsOf[0],
                                                                  static_cast<int>(unitsOf.size()))));
    units += unitsOf;
    bytes += path + '\0';
  }
  units += L'\0';
  bytes += '\0';
  const std::size_t size = wide ? units.size() * sizeof(wchar_t) : bytes.size();
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + size);
  char* at = static_cast<char*>(::GlobalLock(block));
  DROPFILES* header = reinterpret_cast<DROPFILES*>(at);
  header->pFiles = sizeof(DROPFILES);
  header->fWide = wide;
  std::memcpy(at + sizeof(DROPFILES), wide ? static_cast<const void*>(units.data()) : bytes.data(), size);
  ::GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

// Types `text` into a control one character at a time, as the keyboard
// would deliver it.
inline void TypeInto(HWND control, const std::string& text) {
  for (char c : text) ::SendMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// Answers the next modal dialog with `caption` once it is up: notes in
// `shown` what the given controls showed, sets their texts, then clicks
// `button`. Queued behind whatever opens it.
inline void AnswerDialog(const std::string& caption, std::vector<std::pair<int, std::string>> texts, int button,
                         std::vector<std::string>* shown = nullptr) {
  PostAction([caption, texts, button, shown] {
    HWND dialog = ::FindWindowA("#32770", caption.c_str());
    if (!dialog) {
      ADD_FAILURE() << "no dialog \"" << caption << "\" is open";
      return;
    }
    for (const auto& text : texts) {
      if (shown) shown->push_back(WindowText(::GetDlgItem(dialog, text.first)));
      ::SetWindowTextA(::GetDlgItem(dialog, text.first), text.second.c_str());
    }
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  });
}

// Points `module`'s import of `function` at `replacement` while it lives:
// how a test makes one Windows call of a library, or of the program
// itself, fail.
class ImportPatch {
 public:
  ImportPatch(HMODULE module, const char* function, ULONG_PTR replacement) {
    BYTE* base = reinterpret_cast<BYTE*>(module);
    const IMAGE_NT_HEADERS* headers =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name; ++dll) {
      auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
      auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
      for (; name->u1.AddressOfData; ++name, ++slot) {
        if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
        const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) m_slot = &slot->u1.Function;
      }
    }
    if (m_slot) m_saved = Write(replacement);
  }
  ~ImportPatch() {
    if (m_slot) Write(m_saved);
  }
  bool Applied() const { return m_slot != nullptr; }

 private:
  ULONG_PTR Write(ULONG_PTR value) {
    DWORD protection;
    ::VirtualProtect(m_slot, sizeof *m_slot, PAGE_READWRITE, &protection);
    const ULONG_PTR before = *m_slot;
    *m_slot = value;
    ::VirtualProtect(m_slot, sizeof *m_slot, protection, &protection);
    return before;
  }
  decltype(IMAGE_THUNK_DATA().u1.Function)* m_slot = nullptr;
  ULONG_PTR m_saved = 0;
};

// While alive, every message box opened on this thread is read (caption,
// text) and closed with the next scripted answer, or IDOK/IDNO when the
// script is empty. The box is closed from its first activation, so a test
// never blocks on it.
class MessageBoxAnswerer {
 public:
  struct Seen {
    std::string caption;
    std::string text;
  };

  MessageBoxAnswerer() {
    s_current = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
  }
  ~MessageBoxAnswerer() {
    ::UnhookWindowsHookEx(m_hook);
    s_current = nullptr;
  }

  std::deque<int> answers;
  std::vector<Seen> seen;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && s_current) {
      HWND box = reinterpret_cast<HWND>(wParam);
      char className[32] = {};
      ::GetClassNameA(box, className, sizeof className);
      HWND text = ::GetDlgItem(box, 0xFFFF);
      if (std::string(className) == "#32770" && text && ::GetProp(box, "VelbrookAnswered") == nullptr) {
        ::SetPropA(box, "VelbrookAnswered", reinterpret_cast<HANDLE>(1));
        s_current->seen.push_back({WindowText(box), WindowText(text)});
        int answer = IDOK;
        if (!s_current->answers.empty()) {
          answer = s_current->answers.front();
          s_current->answers.pop_front();
        } else if (::GetDlgItem(box, IDNO)) {
          answer = IDNO;
        }
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, answer)));
      }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  HHOOK m_hook;
  static inline MessageBoxAnswerer* s_current = nullptr;
};

}  // namespace velbrook

#endif
