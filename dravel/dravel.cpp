// The drop-file edit extension: a per-window record attached to an edit
// control through a window property, a window procedure of its own in front
// of the control's, and the two kinds of drop.
#include "dravel/dravel.h"

#include <shellapi.h>

#include <new>

#include "dravel/drop_rules.h"
#include "dravel/text_file.h"

namespace {

const char kCaption[] = "Drag&Drop";

// The atom of the property that marks an extended control; added when the
// library is loaded, deleted when it is unloaded.
class HookAtom {
 public:
  HookAtom() : m_atom(::AddAtomA("DravelThis")) {}
  ~HookAtom() {
    if (m_atom) ::DeleteAtom(m_atom);
  }
  // Zero when the atom could not be added: then no control can be marked.
  bool Valid() const { return m_atom != 0; }
  LPCSTR Key() const { return MAKEINTATOM(m_atom); }

 private:
  ATOM m_atom;
};
HookAtom g_atom;

// The records live on the process heap and are made and unmade here, so
// that the library needs nothing of the C++ runtime's allocation.
template <typename Hook>
Hook* NewHook() {
  void* block = ::HeapAlloc(::GetProcessHeap(), 0, sizeof(Hook));
  return block ? new (block) Hook : nullptr;
}

class WindowHook {
 public:
  virtual ~WindowHook() = default;
  // Handles one message of the control; sets `handled` when the result
  // counts. Every kind of hook has its own; this one handles nothing.
  virtual LRESULT OnMessage(UINT, WPARAM, LPARAM, BOOL& handled) {
    handled = FALSE;
    return 0;
  }
  HWND m_hwndHooked = nullptr;
};

void DeleteHook(WindowHook* hook) {
  if (!hook) return;
  hook->~WindowHook();
  ::HeapFree(::GetProcessHeap(), 0, hook);
}

WindowHook* FindHook(HWND window) {
  return g_atom.Valid() ? static_cast<WindowHook*>(::GetPropA(window, g_atom.Key())) : nullptr;
}

BOOL AttachHook(HWND window, WindowHook* hook) {
  if (!g_atom.Valid() || !::SetPropA(window, g_atom.Key(), hook)) return FALSE;
  hook->m_hwndHooked = window;
  return TRUE;
}

LRESULT CALLBACK HookWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class SubclassHook : public WindowHook {
 public:
  // Hooked with the W functions: a window whose procedure is set with the
  // A ones becomes an ANSI window, and each character typed then reaches
  // the control through the ANSI code page, one WM_CHAR for what UTF-8
  // needs up to four bytes for, so a Japanese letter typed in a drop
  // target would arrive as "?".
  BOOL Subclass(HWND window) {
    m_pfnSavedProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (!m_pfnSavedProc) return FALSE;
    if (!::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookWindowProc))) {
      m_pfnSavedProc = nullptr;
      return FALSE;
    }
    if (!AttachHook(window, this)) {
      // Without its record the hook would hand every message to the default
      // procedure: the control gets its own procedure back instead.
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSavedProc));
      m_pfnSavedProc = nullptr;
      return FALSE;
    }
    return TRUE;
  }
  WNDPROC m_pfnSavedProc = nullptr;
};

void DetachHook(HWND window) {
  if (SubclassHook* hook = static_cast<SubclassHook*>(FindHook(window))) {
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook->m_pfnSavedProc));
  }
  ::RemovePropA(window, g_atom.Key());
}

// What both kinds of drop target share: the shell registration and the
// messages they handle.
class DropHook : public SubclassHook {
 public:
  BOOL EnableDrop(HWND window) {
    // shell32 is loaded on the first call into it (the build links it so);
    // loaded here first and checked, a Windows without it gets a control
    // that takes no drops instead of an ended program.
    if ((!::GetModuleHandleA("shell32.dll") && !::LoadLibraryA("shell32.dll")) || !Subclass(window)) return FALSE;
    ::DragAcceptFiles(window, TRUE);
    return TRUE;
  }
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM, BOOL& handled) override {
    switch (message) {
      case WM_DESTROY:
        ::DragAcceptFiles(m_hwndHooked, FALSE);
        handled = TRUE;
        return 0;
      case WM_DROPFILES:
        Drop(reinterpret_cast<HDROP>(wParam));
        handled = TRUE;
        return 0;
      default:
        return 0;
    }
  }

 protected:
  virtual void Drop(HDROP drop) { ::DragFinish(drop); }

  // The path of the drop's first file, in a buffer from the process heap
  // as long as the path, whatever the shell gives; any further files are
  // ignored. Null when there is no memory for it.
  static char* FirstPath(HDROP drop) {
    const UINT length = ::DragQueryFileA(drop, 0, nullptr, 0);
    char* path = static_cast<char*>(::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, length + 1));
    if (path) ::DragQueryFileA(drop, 0, path, length + 1);
    return path;
  }
  static void Free(void* block) {
    if (block) ::HeapFree(::GetProcessHeap(), 0, block);
  }
  void Complain(const char* text) const { ::MessageBoxA(m_hwndHooked, text, kCaption, MB_OK | MB_ICONEXCLAMATION); }
};

class FileNameDropHook : public DropHook {
 protected:
  void Drop(HDROP drop) override {
    char* path = FirstPath(drop);
    if (path) ::SetWindowTextA(m_hwndHooked, path);
    Free(path);
    ::DragFinish(drop);
  }
};

// Windows' code pages as the text reader asks for them.
class WindowsCodePages : public dravel::TextCodePages {
 public:
  std::size_t DecodeLegacy(const char* bytes, std::size_t size, char16_t* units) const override {
    // The code page of the system's locale, the one ANSI programs ran in
    // before the UTF-8 process code page; it stays so under UTF-8.
    char digits[8] = {};
    ::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, digits, sizeof digits);
    UINT number = 0;
    for (const char* digit = digits; *digit >= '0' && *digit <= '9'; ++digit) number = number * 10 + (*digit - '0');
    if (size == 0) return 0;
    const int count = ::MultiByteToWideChar(number ? number : CP_ACP, 0, bytes, static_cast<int>(size),
                                            reinterpret_cast<wchar_t*>(units), static_cast<int>(size));
    return count > 0 ? static_cast<std::size_t>(count) : 0;
  }
  std::size_t EncodeProcess(char32_t c, char* out) const override {
    wchar_t units[2];
    int count = 1;
    if (c >= 0x10000) {
      units[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      units[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
      count = 2;
    } else {
      units[0] = static_cast<wchar_t>(c);
    }
    // Microsoft's documentation refuses any flag but 0 and the used-default
    // pointer for UTF-8 (Wine takes them): UTF-8 holds every character
    // anyway. Elsewhere no best fit, so that a character the code page
    // lacks becomes a reference, not a look-alike.
    if (::GetACP() == CP_UTF8) {
      const int length = ::WideCharToMultiByte(CP_UTF8, 0, units, count, out, 4, nullptr, nullptr);
      return length > 0 ? static_cast<std::size_t>(length) : 0;
    }
    BOOL lacking = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, out, 4, nullptr, &lacking);
    return length > 0 && !lacking ? static_cast<std::size_t>(length) : 0;
  }
};

class FileTextDropHook : public DropHook {
 protected:
  void Drop(HDROP drop) override {
    char* path = FirstPath(drop);
    ::DragFinish(drop);
    if (!path) {
      Complain("Out of memory");
      return;
    }
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    Free(path);
    if (file == INVALID_HANDLE_VALUE) {
      Complain("Couldn't open file");
      return;
    }
    // The whole 64-bit size: a file past 4 GiB must not pass for its low
    // 32 bits.
    LARGE_INTEGER fileSize;
    if (!::GetFileSizeEx(file, &fileSize) ||
        !dravel::DropSizeAccepted(static_cast<std::uint64_t>(fileSize.QuadPart))) {
      ::CloseHandle(file);
      Complain("File is too big");
      return;
    }
    const DWORD size = static_cast<DWORD>(fileSize.QuadPart);
    char* bytes = static_cast<char*>(::HeapAlloc(::GetProcessHeap(), 0, size + 1));
    if (!bytes) {
      ::CloseHandle(file);
      Complain("Out of memory");
      return;
    }
    DWORD read = 0;
    const BOOL ok = ::ReadFile(file, bytes, size, &read, nullptr);
    ::CloseHandle(file);
    // A read that fails leaves the text as it was; a short one ends the
    // text at the bytes that did arrive. The bytes are read as Notepad
    // reads them; no character takes more than 8 bytes of the text ("&#N;"
    // of a character of one byte, or of two UTF-16 ones).
    if (!ok) {
      Free(bytes);
      Complain("Couldn't open file");
      return;
    }
    char16_t* units = static_cast<char16_t*>(::HeapAlloc(::GetProcessHeap(), 0, (read + 1) * sizeof(char16_t)));
    char* text = static_cast<char*>(::HeapAlloc(::GetProcessHeap(), 0, 8 * static_cast<SIZE_T>(read) + 1));
    const bool room = units && text;
    if (room) {
      dravel::TextFromFile(reinterpret_cast<const unsigned char*>(bytes), read, WindowsCodePages(), units, text,
                           8 * static_cast<std::size_t>(read));
      ::SetWindowTextA(m_hwndHooked, text);
    }
    Free(units);
    Free(text);
    Free(bytes);
    if (!room) Complain("Out of memory");
  }
};

LRESULT CALLBACK HookWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SubclassHook* hook = static_cast<SubclassHook*>(FindHook(window));
  WNDPROC saved = hook ? hook->m_pfnSavedProc : nullptr;
  if (message == WM_NCDESTROY) {
    DetachHook(window);
    DeleteHook(hook);
    hook = nullptr;
  }
  if (hook) {
    BOOL handled = FALSE;
    const LRESULT result = hook->OnMessage(message, wParam, lParam, handled);
    if (handled) return result;
  }
  return saved ? ::CallWindowProcW(saved, window, message, wParam, lParam)
               : ::DefWindowProcW(window, message, wParam, lParam);
}

template <typename Hook>
BOOL Enable(HWND window) {
  // One record a control: a second one would save the hook's own procedure
  // as the control's, and the hook would call itself for ever.
  if (FindHook(window)) return FALSE;
  Hook* hook = NewHook<Hook>();
  if (!hook) return FALSE;
  if (hook->EnableDrop(window)) return TRUE;
  DeleteHook(hook);
  return FALSE;
}

}  // namespace

BOOL WINAPI EnableFileNameDrop(HWND hEdit) { return Enable<FileNameDropHook>(hEdit); }

BOOL WINAPI EnableFileTextDrop(HWND hEdit) { return Enable<FileTextDropHook>(hEdit); }
