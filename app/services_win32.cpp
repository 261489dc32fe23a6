#include "app/services_win32.h"

#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstring>
#include <vector>

#include "core/file_paths.h"
#include "core/win_types.h"
#include "framework/app.h"
#include "framework/wnd.h"

namespace velbrook {

static_assert(kMbYesNo == MB_YESNO && kMbIconQuestion == MB_ICONQUESTION &&
                  kMbIconExclamation == MB_ICONEXCLAMATION && kMbIconInformation == MB_ICONINFORMATION &&
                  kMbDefButton2 == MB_DEFBUTTON2,
              "message styles must be Win32's");
static_assert(kOfnOverwritePrompt == OFN_OVERWRITEPROMPT && kOfnHideReadOnly == OFN_HIDEREADONLY &&
                  kOfnPathMustExist == OFN_PATHMUSTEXIST && kOfnFileMustExist == OFN_FILEMUSTEXIST,
              "file dialog flags must be Win32's");
static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL && kIdYes == IDYES && kIdNo == IDNO,
              "message answers must be Win32's");

namespace {

// The program has no name of its own, so its boxes carry the name of the
// executable, as an application framework does by default.
std::string ExecutableName() {
  char path[kMaxPathBytes + 1] = {};
  ::GetModuleFileNameA(nullptr, path, kMaxPathBytes);
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/') name = p + 1;
  }
  std::string result(name);
  const std::size_t dot = result.rfind('.');
  return dot == std::string::npos ? result : result.substr(0, dot);
}

}  // namespace

Win32Services::Win32Services(const TextSource& texts) : m_caption(ExecutableName()), m_help(texts) {}

HWND Win32Services::MainWindow() {
  CWinApp* app = AfxGetApp();
  return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
}

namespace {
// The services whose box is up, which F1 in it asks for help. Boxes come
// one on top of another on the one thread, each putting back the one below.
Win32Services* g_boxHelp = nullptr;
}  // namespace

void CALLBACK Win32Services::OnBoxHelp(LPHELPINFO info) {
  if (g_boxHelp) g_boxHelp->ShowHelp(static_cast<int>(info->dwContextId));
}

int Win32Services::ShowMessage(const std::string& text, unsigned style, int helpContext) {
  MSGBOXPARAMSA box = {};
  box.cbSize = sizeof box;
  // Owned by the window the user works in, so that it stays modal to it.
  box.hwndOwner = ::GetActiveWindow();
  if (!box.hwndOwner) box.hwndOwner = MainWindow();
  box.lpszText = text.c_str();
  box.lpszCaption = m_caption.c_str();
  box.dwStyle = style;
  box.dwContextHelpId = static_cast<DWORD>(helpContext);
  // Without a topic F1 goes to the owner, as in any other box.
  if (helpContext != kNoHelp) box.lpfnMsgBoxCallback = OnBoxHelp;
  Win32Services* below = g_boxHelp;
  g_boxHelp = this;
  const int answer = ::MessageBoxIndirectA(&box);
  g_boxHelp = below;
  return answer;
}

namespace {

// The file system's identity of the file at `path`; asks for no access, so
// a file another program holds open can still be told.
bool IdentifyFile(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE file = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const BOOL known = ::GetFileInformationByHandle(file, &info);
  ::CloseHandle(file);
  return known != FALSE;
}

// Whether `a` and `b` name one existing file: the same volume and the same
// file index, however the two paths are spelt (case, / or \, relative).
bool SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION first, second;
  return IdentifyFile(a, first) && IdentifyFile(b, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

// Makes the file at `path` anew: `fill` writes it whole into a fresh file in
// the same folder, which is flushed to the disk and only then takes the old
// file's place. Whatever fails, the old file stays as it was and the fresh
// one is removed, so a full disk or a network folder that drops never costs
// the user the page they had.
//
// The last step is MoveFileExA rather than ReplaceFileA: one call serves a
// file that is new as well as one that is replaced (ReplaceFileA wants the old
// file to exist), it works on FAT and on network shares alike, and it either
// happens or not, where a ReplaceFileA that fails half-way can leave the old
// file under the fresh one's name.
//
// What a replaced file keeps of the old one: a read-only file is not
// replaced (the user marked it so; the write fails as it always did); the
// hidden and system flags are carried over; a file with several names (a
// hard link) gets the new bytes under this name only, the other names keep
// the old bytes, as after any editor that saves safely.
template <typename Fill>
bool PutInPlace(const std::string& path, Fill fill) {
  const DWORD old = ::GetFileAttributesA(path.c_str());
  if (old != INVALID_FILE_ATTRIBUTES && (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;
  // "C:page.htm" lies in the current directory of drive C:, not in its root.
  const PathParts parts = SplitPath(path);
  const std::string folder = parts.drive + (parts.dir.empty() ? "." : parts.dir);
  char fresh[kMaxPathBytes];
  if (!::GetTempFileNameA(folder.c_str(), "vbk", 0, fresh)) return false;
  bool placed = fill(fresh);
  const DWORD kept = old == INVALID_FILE_ATTRIBUTES ? 0 : old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  if (placed && kept) placed = ::SetFileAttributesA(fresh, kept | FILE_ATTRIBUTE_ARCHIVE) != FALSE;
  // A virus scanner or an indexer may hold the fresh file for a moment
  // after it is closed; that is no reason to fail the user's page.
  for (int tries = 5; placed; --tries) {
    if (::MoveFileExA(fresh, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) break;
    const DWORD error = ::GetLastError();
    placed = tries > 1 && (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION);
    if (placed) ::Sleep(100);
  }
  if (!placed) {
    ::SetFileAttributesA(fresh, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(fresh);
  }
  return placed;
}

// Writes `size` bytes at the start of the fresh file `path` (none after a
// copy) and waits until the disk has all of it: a full disk may only show
// when the data leaves the cache.
bool WriteAndFlush(const char* path, const char* bytes, std::size_t size) {
  HANDLE file = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  while (ok && size > 0) {
    const DWORD chunk = size > 0x100000 ? 0x100000 : static_cast<DWORD>(size);
    DWORD written = 0;
    ok = ::WriteFile(file, bytes, chunk, &written, nullptr) && written == chunk;
    bytes += chunk;
    size -= chunk;
  }
  ok = ::FlushFileBuffers(file) && ok;
  return ::CloseHandle(file) && ok;
}

}  // namespace

bool Win32Services::CopyFileReplacing(const std::string& from, const std::string& to) {
  // A file already where the copy would go needs no copy; copying it onto
  // itself would fail, as its source is open while the destination is made.
  if (SameFile(from, to)) return true;
  // The copy takes the source's attributes: a picture from a CD is
  // read-only, which would keep it from being flushed here and from being
  // replaced by the next copy the user agrees to.
  return PutInPlace(to, [&](const char* fresh) {
    return ::CopyFileA(from.c_str(), fresh, FALSE) &&
           ::SetFileAttributesA(fresh, ::GetFileAttributesA(fresh) & ~FILE_ATTRIBUTE_READONLY) &&
           WriteAndFlush(fresh, nullptr, 0);
  });
}

bool Win32Services::WriteFileReplacing(const std::string& path, const std::string& bytes) {
  return PutInPlace(path, [&](const char* fresh) { return WriteAndFlush(fresh, bytes.data(), bytes.size()); });
}

bool Win32Services::AnotherFileAt(const std::string& path, const std::string& other) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && !SameFile(path, other);
}

bool Win32Services::ChooseFile(const FileDialogRequest& request, std::string& path) {
  // The pages write filters with '|' between the parts; the dialog wants
  // zero bytes.
  std::string filter = request.filter;
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  filter += '\0';
  std::vector<char> file(32 * 1024, '\0');
  request.fileName.copy(file.data(), file.size() - 1);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = ::GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str() + (request.defaultExt[0] == '.');
  dialog.Flags = request.flags | OFN_EXPLORER;
  const BOOL ok = request.save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog);
  if (!ok) return false;
  path = file.data();
  return true;
}

bool Win32Services::PickColor(COLORREF initial, COLORREF& chosen) {
  CHOOSECOLORA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = ::GetActiveWindow();
  dialog.rgbResult = initial;
  dialog.lpCustColors = m_customColors;
  dialog.Flags = CC_RGBINIT;
  if (!::ChooseColorA(&dialog)) return false;
  chosen = dialog.rgbResult;
  return true;
}

std::string Win32Services::CurrentDirectory() {
  const DWORD length = ::GetCurrentDirectoryA(0, nullptr);
  if (length == 0) return std::string();
  std::string directory(length, '\0');
  directory.resize(::GetCurrentDirectoryA(length, &directory[0]));
  return directory;
}

bool Win32Services::ChangeDirectory(const std::string& directory) {
  return ::SetCurrentDirectoryA(directory.c_str()) != FALSE;
}

namespace {

// Another program (a clipboard viewer, say) may hold the clipboard for a
// moment; like other well-behaved programs, wait about a second for it.
bool OpenClipboardPatiently(HWND owner) {
  const int tries = 10;
  for (int i = 0; i < tries; ++i) {
    if (::OpenClipboard(owner)) return true;
    if (i + 1 < tries) ::Sleep(100);
  }
  return false;
}

}  // namespace

bool Win32Services::PutTextOnClipboard(const std::string& text) {
  if (!OpenClipboardPatiently(MainWindow())) return false;
  bool handedOver = false;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
  if (block) {
    if (char* bytes = static_cast<char*>(::GlobalLock(block))) {
      std::memcpy(bytes, text.data(), text.size());
      bytes[text.size()] = '\0';
      ::GlobalUnlock(block);
      handedOver = ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, block) != nullptr;
    }
    // Until the clipboard takes the block it is still ours to free.
    if (!handedOver) ::GlobalFree(block);
  }
  return ::CloseClipboard() != FALSE && handedOver;
}

std::string Win32Services::TempFolder() {
  char folder[kMaxPathBytes + 1];
  const DWORD length = ::GetTempPathA(sizeof folder, folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

bool Win32Services::OpenWithShell(const std::string& path) {
  // The program a type is registered with may be reached through COM (a
  // shell extension), which wants the thread's COM set up for the call.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  HWND owner = ::GetActiveWindow();
  if (!owner) owner = MainWindow();
  const HINSTANCE result = ::ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (SUCCEEDED(com)) ::CoUninitialize();
  // Values up to 32 are the shell's error codes.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace velbrook
