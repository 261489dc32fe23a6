// Drives the real program from outside, as a user would: finds windows by
// caption, clicks controls with the mouse and types with the keyboard
// (SendInput), reads texts, message boxes and the clipboard. Reads one
// command a line from standard input and answers one line:
//   wait CAPTION               a visible top-level window with that caption
//   gone CAPTION               until no such window is left
//   click CAPTION ID           left click on the centre of control ID
//   type TEXT                  the text's keys, as typed
//   key KEY[+KEY...]           e.g. alt+n, shift+tab, return, escape, tab, f1
//   text CAPTION ID            the control's text
//   enabled CAPTION ID         1 or 0
//   focus                      "CAPTION ID" of the control with the focus
//   box                        waits for a message box: "CAPTION|TEXT"
//   answer ID                  clicks button ID of the message box
//   clipboard                  the clipboard's text
//   rect CAPTION               "LEFT TOP RIGHT BOTTOM" of that window on screen
//   drop CAPTION ID PATH       drops the file PATH on control ID, as the shell
//                              does: a DROPFILES block in the program's own
//                              memory, handed over with WM_DROPFILES
// Texts in answers have \ as \\ and line breaks as \r and \n.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const DWORD kTimeoutMs = 15000;

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

std::string TextOf(HWND window) {
  char text[70000] = {};
  ::SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

struct Search {
  std::string caption;
  HWND found;
};

BOOL CALLBACK FindTop(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  if (::IsWindowVisible(window) && TextOf(window) == search->caption) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindTopLevel(const std::string& caption) {
  Search search = {caption, nullptr};
  ::EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

template <typename Found>
auto WaitFor(Found found) -> decltype(found()) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (auto result = found()) return result;
    if (::GetTickCount() - start > kTimeoutMs) return decltype(found())();
    ::Sleep(50);
  }
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM data) {
  ControlSearch* search = reinterpret_cast<ControlSearch*>(data);
  if (::GetDlgCtrlID(window) == search->id && ::IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// Control `id` anywhere inside the window with `caption` (the wizard's
// pages are windows inside the wizard).
HWND FindControl(const std::string& caption, int id) {
  return WaitFor([&]() -> HWND {
    HWND top = FindTopLevel(caption);
    if (!top) return nullptr;
    ControlSearch search = {id, nullptr};
    ::EnumChildWindows(top, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
  });
}

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
  char className[16] = {};
  ::GetClassNameA(window, className, sizeof className);
  // A message box: its text is control 0xFFFF and it has an answer button
  // (the creation notice has such a text but no button).
  const bool hasButton = ::GetDlgItem(window, IDOK) || ::GetDlgItem(window, IDYES) || ::GetDlgItem(window, IDNO);
  if (::IsWindowVisible(window) && std::string(className) == "#32770" && ::GetDlgItem(window, 0xFFFF) && hasButton) {
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindMessageBox() {
  return WaitFor([]() -> HWND {
    HWND box = nullptr;
    ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
    return box;
  });
}

void Send(const std::vector<INPUT>& inputs) {
  ::SendInput(static_cast<UINT>(inputs.size()), const_cast<INPUT*>(inputs.data()), sizeof(INPUT));
  ::Sleep(30);
}

INPUT Key(WORD vk, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Whether a click at the control's centre would land in its window now:
// the window is enabled and nothing else covers it there. (A group box
// around the control may be what the point finds.)
bool ReadyForClick(HWND control, int x, int y) {
  POINT p = {x, y};
  HWND root = ::GetAncestor(control, GA_ROOT);
  return ::IsWindowEnabled(root) && ::GetAncestor(::WindowFromPoint(p), GA_ROOT) == root;
}

bool IsButton(HWND control) {
  char className[16] = {};
  ::GetClassNameA(control, className, sizeof className);
  return lstrcmpiA(className, "Button") == 0;
}

bool HasFocus(HWND control) {
  GUITHREADINFO info = {};
    info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(control, nullptr), &info) && info.hwndFocus == control;
}

INPUT Mouse(int x, int y, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = (x * 65535) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = (y * 65535) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return input;
}

// Presses and releases the left button on the control's centre. A window
// that has only just appeared may let the first press go by; the press is
// made again until the control shows that it took it (a button shows
// itself pushed, another control takes the focus).
bool ClickAt(HWND control) {
  RECT r;
  ::GetWindowRect(control, &r);
  const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
  WaitFor([&] { return ReadyForClick(control, x, y); });
  const bool button = IsButton(control);
  for (int attempt = 0; attempt < 5; ++attempt) {
    Send({Mouse(x, y, MOUSEEVENTF_MOVE), Mouse(x, y, MOUSEEVENTF_LEFTDOWN)});
    bool took = false;
    for (int wait = 0; wait < 20 && !took; ++wait) {
      took = button ? (::SendMessageA(control, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0 : HasFocus(control);
      if (!took) ::Sleep(25);
    }
    Send({Mouse(x, y, MOUSEEVENTF_LEFTUP)});
    if (took || !::IsWindow(control)) return true;
  }
  return false;
}

// Types one UTF-16 unit as the character itself (VK_PACKET), as an emoji
// panel or an input method does.
void TypeUnit(WCHAR unit) {
  INPUT down = {};
  down.type = INPUT_KEYBOARD;
  down.ki.wScan = unit;
  down.ki.dwFlags = KEYEVENTF_UNICODE;
  INPUT up = down;
  up.ki.dwFlags |= KEYEVENTF_KEYUP;
  Send({down, up});
}

void TypeText(const std::string& text) {
  for (char c : text) {
    const SHORT scan = ::VkKeyScanA(c);
    if (scan == -1) {
      // A letter the keyboard has no key for comes as the character itself,
      // as an input method gives it.
      WCHAR unit = 0;
      if (::MultiByteToWideChar(CP_ACP, 0, &c, 1, &unit, 1)) TypeUnit(unit);
      continue;
    }
    std::vector<INPUT> inputs;
    const bool shift = (scan & 0x100) != 0;
    if (shift) inputs.push_back(Key(VK_SHIFT, false));
    inputs.push_back(Key(LOBYTE(scan), false));
    inputs.push_back(Key(LOBYTE(scan), true));
    if (shift) inputs.push_back(Key(VK_SHIFT, true));
    Send(inputs);
  }
}

// Types UTF-8 `text` unit by unit, a pair for a character past U+FFFF.
void TypeUnicode(const std::string& text) {
  std::wstring units(text.size() + 1, L'\0');
  units.resize(static_cast<std::size_t>(
      ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &units[0],
                            static_cast<int>(units.size()))));
  for (const wchar_t unit : units) TypeUnit(unit);
}

// The window's text as UTF-8, whatever the code pages of the two programs.
std::string Utf8TextOf(HWND window) {
  static wchar_t text[70000];
  text[0] = L'\0';
  ::SendMessageW(window, WM_GETTEXT, sizeof text / sizeof *text, reinterpret_cast<LPARAM>(text));
  std::string out(4 * std::wcslen(text) + 1, '\0');
  out.resize(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0],
                                                            static_cast<int>(out.size()), nullptr, nullptr)));
  if (!out.empty()) out.pop_back();
  return out;
}

WORD NamedKey(const std::string& name) {
  if (name == "alt") return VK_MENU;
  if (name == "shift") return VK_SHIFT;
  if (name == "ctrl") return VK_CONTROL;
  if (name == "return") return VK_RETURN;
  if (name == "escape") return VK_ESCAPE;
  if (name == "tab") return VK_TAB;
  if (name == "space") return VK_SPACE;
  if (name == "f1") return VK_F1;
  if (name.size() == 1) return LOBYTE(::VkKeyScanA(name[0]));
  return 0;
}

void PressKeys(const std::string& combination) {
  std::vector<WORD> keys;
  std::stringstream parts(combination);
  std::string part;
  while (std::getline(parts, part, '+')) keys.push_back(NamedKey(part));
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(Key(key, false));
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) inputs.push_back(Key(*it, true));
  Send(inputs);
}

std::string ClipboardText() {
  std::string text;
  if (!::OpenClipboard(nullptr)) return text;
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) text = bytes;
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

// "CAPTION ID" from the rest of a command line: the id is the last word.
bool SplitCaptionId(const std::string& rest, std::string& caption, int& id) {
  const std::size_t space = rest.rfind(' ');
  if (space == std::string::npos) return false;
  caption = rest.substr(0, space);
  id = std::atoi(rest.c_str() + space + 1);
  return true;
}

// The shell hands a drop over as a block of the receiving program's memory;
// a fixed block's handle is its address, which is what is made here.
std::string DropFile(HWND control, const std::string& path) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(control, &process);
  HANDLE target = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process);
  if (!target) return "error cannot reach the program";
  std::vector<char> block(sizeof(DROPFILES) + path.size() + 2, '\0');
  DROPFILES* header = reinterpret_cast<DROPFILES*>(block.data());
  header->pFiles = sizeof(DROPFILES);
  header->fWide = FALSE;
  std::copy(path.begin(), path.end(), block.begin() + sizeof(DROPFILES));
  void* remote = ::VirtualAllocEx(target, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  const bool written = remote && ::WriteProcessMemory(target, remote, block.data(), block.size(), nullptr);
  ::CloseHandle(target);
  if (!written) return "error cannot write the drop";
  ::PostMessageA(control, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
  return "ok";
}

std::string Run(const std::string& command, const std::string& rest) {
  std::string caption;
  int id = 0;
  if (command == "wait") return WaitFor([&] { return FindTopLevel(rest); }) ? "ok" : "error no window " + rest;
  if (command == "gone") return WaitFor([&] { return !FindTopLevel(rest); }) ? "ok" : "error still there " + rest;
  if (command == "type") {
    TypeText(rest);
    return "ok";
  }
  if (command == "unicode") {
    TypeUnicode(rest);
    return "ok";
  }
  if (command == "key") {
    PressKeys(rest);
    return "ok";
  }
  if (command == "box") {
    HWND box = FindMessageBox();
    if (!box) return "error no message box";
    return "ok " + Escape(TextOf(box)) + "|" + Escape(TextOf(::GetDlgItem(box, 0xFFFF)));
  }
  if (command == "answer") {
    HWND box = FindMessageBox();
    HWND button = box ? ::GetDlgItem(box, std::atoi(rest.c_str())) : nullptr;
    if (!button) return "error no such button";
    if (!ClickAt(button)) return "error the click did not take";
    return WaitFor([&] { return !::IsWindow(box); }) ? "ok" : "error the box stayed";
  }
  if (command == "clipboard") return "ok " + Escape(ClipboardText());
  // Another program holding the clipboard, as a clipboard viewer does.
  if (command == "hold") return ::OpenClipboard(nullptr) ? "ok" : "error the clipboard is busy";
  if (command == "release") return ::CloseClipboard() ? "ok" : "error the clipboard was not held";
  if (command == "rect") {
    HWND window = WaitFor([&] { return FindTopLevel(rest); });
    RECT r;
    if (!window || !::GetWindowRect(window, &r)) return "error no window " + rest;
    return "ok " + std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
           std::to_string(r.bottom);
  }
  if (command == "focus") {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(0, &info) || !info.hwndFocus) return "error no focus";
    return "ok " + Escape(TextOf(::GetAncestor(info.hwndFocus, GA_ROOT))) + " " +
           std::to_string(::GetDlgCtrlID(info.hwndFocus));
  }
  if (command == "drop") {
    // CAPTION ID PATH: the path is the last word, the id the one before.
    const std::size_t space = rest.rfind(' ');
    if (space == std::string::npos || !SplitCaptionId(rest.substr(0, space), caption, id)) return "error bad command";
    HWND control = FindControl(caption, id);
    return control ? DropFile(control, rest.substr(space + 1)) : "error no control";
  }
  if (!SplitCaptionId(rest, caption, id)) return "error bad command";
  HWND control = FindControl(caption, id);
  if (!control) return "error no control " + std::to_string(id) + " in " + caption;
  if (command == "click") return ClickAt(control) ? "ok" : "error the click did not take";
  if (command == "text") return "ok " + Escape(TextOf(control));
  if (command == "utf8text") return "ok " + Escape(Utf8TextOf(control));
  if (command == "enabled") return ::IsWindowEnabled(control) ? "ok 1" : "ok 0";
  return "error unknown command " + command;
}

}  // namespace

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
    std::cout << Run(command, rest) << std::endl;
  }
  return 0;
}
