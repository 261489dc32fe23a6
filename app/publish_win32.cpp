// The Win32 side of publishing: WinINet over HTTPS on a worker thread, the
// progress dialog it reports to, and the key kept with DPAPI in the user's
// part of the registry.
//
// Certificates are checked as Windows checks them: no request here, nor
// anywhere in the program, carries a flag that ignores a certificate error.
#include <windows.h>
#include <commctrl.h>
#include <wincrypt.h>
#include <wininet.h>

#include <string>

#include "app/services_win32.h"
#include "core/publish.h"
#include "core/texts.h"
#include "framework/app.h"
#include "framework/dialog.h"
#include "res/resource.h"

namespace velbrook {

namespace {

const char kProgramKey[] = "Software\\Velbrook";
const char kSiteValue[] = "Neocities site";
const char kKeyValue[] = "Neocities key";
// Long enough for a slow line, short enough that a server that never
// answers is given up on while the user still waits.
const DWORD kTimeoutMs = 30000;
const DWORD kTimeoutSlackMs = 1000;
const DWORD kChunk = 16 * 1024;

const UINT kProgressMessage = WM_APP + 1;  // wParam: bytes sent, lParam: total
const UINT kDoneMessage = WM_APP + 2;

// Whether this is XP (or Server 2003), whose WinINet never speaks TLS 1.2:
// there a secure channel that cannot be made has no other likely cause.
// Later Windows speak it (7 once updated), so there it is told as a
// connection that could not be made safely.
bool OlderThanVista() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  return ::GetVersionExA(&version) && version.dwMajorVersion < 6;
}

// The transfer shared by the dialog's thread and the worker: the session
// can be closed from either side, once.
class Transfer : public HttpsLink {
 public:
  Transfer(const std::string& host, const std::function<void(HttpsLink&)>& work) : m_host(host), m_work(work) {}
  ~Transfer() override { CloseSession(); }

  // Runs on the worker thread; tells `dialog` (if any) when done.
  void Run() {
    m_session = ::InternetOpenA("Velbrook/" VELBROOK_VERSION, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (m_session) {
      SetTimeouts(m_session);
      m_connection = ::InternetConnectA(m_session, m_host.c_str(), INTERNET_DEFAULT_HTTPS_PORT, nullptr, nullptr,
                                        INTERNET_SERVICE_HTTP, 0, 0);
    }
    try {
      m_work(*this);
    } catch (...) {
      // The work keeps its own outcome; nothing crosses the thread's edge.
    }
    if (m_connection) ::InternetCloseHandle(m_connection);
    m_connection = nullptr;
    CloseSession();
    if (m_dialog) ::PostMessageA(m_dialog, kDoneMessage, 0, 0);
  }

  // Called from the dialog: a blocking call on the worker ends at once.
  // The request in flight is closed first: closing only the session does
  // not end a wait for the answer in every WinINet (Wine's waits it out).
  void Cancel() {
    ::InterlockedExchange(&m_cancelled, 1);
    CloseRequest();
    CloseSession();
  }

  HttpsAnswer Send(const HttpsRequest& request) override {
    HttpsAnswer answer;
    m_lastProgress = ::GetTickCount();
    if (m_cancelled || !m_connection) return Failed(answer);
    const DWORD flags = INTERNET_FLAG_SECURE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTH |
                        INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_PRAGMA_NOCACHE;
    const char* accept[] = {"application/json", nullptr};
    HINTERNET call = ::HttpOpenRequestA(m_connection, request.verb.c_str(), request.path.c_str(), "HTTP/1.1",
                                        nullptr, accept, flags, 0);
    if (!call) return Failed(answer);
    ::InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&m_request), call);
    // A Cancel between the open and the line above would have missed it.
    if (m_cancelled) CloseRequest();
    // Again on the request itself: not every WinINet hands the session's
    // timeouts down to it.
    SetTimeouts(call);
    bool sent = SendBody(call, request);
    m_lastProgress = ::GetTickCount();
    sent = sent && ::HttpEndRequestA(call, nullptr, 0, 0);
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!sent ||
        !::HttpQueryInfoA(call, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) ||
        !ReadAnswer(call, answer)) {
      Failed(answer);
    } else {
      answer.status = static_cast<int>(status);
    }
    CloseRequest();
    return answer;
  }

  HWND m_dialog = nullptr;

 private:
  static void SetTimeouts(HINTERNET handle) {
    DWORD timeout = kTimeoutMs;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
      ::InternetSetOptionA(handle, option, &timeout, sizeof timeout);
    }
  }

  bool SendBody(HINTERNET call, const HttpsRequest& request) {
    if (!::HttpAddRequestHeadersA(call, request.headers.c_str(), static_cast<DWORD>(request.headers.size()),
                                  HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE)) {
      return false;
    }
    INTERNET_BUFFERSA buffers = {};
    buffers.dwStructSize = sizeof buffers;
    buffers.dwBufferTotal = static_cast<DWORD>(request.body.size());
    if (!::HttpSendRequestExA(call, &buffers, nullptr, 0, 0)) return false;
    const std::size_t total = request.body.size();
    for (std::size_t sent = 0; sent < total;) {
      const DWORD chunk = total - sent > kChunk ? kChunk : static_cast<DWORD>(total - sent);
      DWORD written = 0;
      if (!::InternetWriteFile(call, request.body.data() + sent, chunk, &written) || written == 0) return false;
      sent += written;
      m_lastProgress = ::GetTickCount();
      if (m_dialog) ::PostMessageA(m_dialog, kProgressMessage, static_cast<WPARAM>(sent), static_cast<LPARAM>(total));
    }
    return true;
  }

  // Reads at most one byte past the bound: a longer answer is refused
  // without reading it all.
  bool ReadAnswer(HINTERNET call, HttpsAnswer& answer) {
    char buffer[4096];
    for (;;) {
      DWORD got = 0;
      if (!::InternetReadFile(call, buffer, sizeof buffer, &got)) return false;
      if (got == 0) return true;
      answer.body.append(buffer, got);
      if (answer.body.size() > kMaxAnswerBytes) {
        answer.failure = HttpsFailure::kTooLong;
        answer.body.clear();
        return true;
      }
    }
  }

  HttpsAnswer& Failed(HttpsAnswer& answer) {
    const DWORD error = ::GetLastError();
    answer.body.clear();
    if (m_cancelled) {
      answer.failure = HttpsFailure::kCancelled;
    } else if (error == ERROR_INTERNET_TIMEOUT || ::GetTickCount() - m_lastProgress >= kTimeoutMs - kTimeoutSlackMs) {
      // Not every WinINet says ERROR_INTERNET_TIMEOUT when a timeout ends a
      // wait (Wine's does not); a call that failed after waiting that long
      // timed out all the same.
      answer.failure = HttpsFailure::kTimeout;
    } else if (error == ERROR_INTERNET_SECURITY_CHANNEL_ERROR && OlderThanVista()) {
      answer.failure = HttpsFailure::kNoTls12;
    } else {
      answer.failure = HttpsFailure::kNoConnection;
    }
    return answer;
  }

  // Closes the request in flight, once, from whichever thread comes first.
  void CloseRequest() {
    if (HINTERNET call = reinterpret_cast<HINTERNET>(
            ::InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&m_request), nullptr))) {
      ::InternetCloseHandle(call);
    }
  }

  void CloseSession() {
    // Closing the session ends the connection and any request under it.
    if (HINTERNET session = reinterpret_cast<HINTERNET>(
            ::InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&m_session), nullptr))) {
      ::InternetCloseHandle(session);
    }
  }

  std::string m_host;
  const std::function<void(HttpsLink&)>& m_work;
  HINTERNET m_session = nullptr;
  HINTERNET m_connection = nullptr;
  HINTERNET m_request = nullptr;
  volatile LONG m_cancelled = 0;
  DWORD m_lastProgress = 0;  // when the request last moved
};

DWORD WINAPI RunTransferThread(LPVOID transfer) {
  static_cast<Transfer*>(transfer)->Run();
  return 0;
}

// "Putting the page on the web": the bytes sent of the total, and Cancel.
// It closes only once the worker is done, so nothing outlives it.
class CPublishProgress : public CDialog {
 public:
  explicit CPublishProgress(Transfer& transfer) : CDialog(IDD_PUBLISH_PROGRESS), m_transfer(transfer) {}

  HANDLE m_thread = nullptr;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_transfer.m_dialog = m_hWnd;
    ::SendDlgItemMessageA(m_hWnd, IDC_PUBLISH_BAR, PBM_SETRANGE32, 0, kBarSteps);
    ShowSent(0, 0);
    DWORD id = 0;
    m_thread = ::CreateThread(nullptr, 0, RunTransferThread, &m_transfer, 0, &id);
    if (!m_thread) EndDialog(IDABORT);
    return TRUE;
  }

  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kProgressMessage) {
      ShowSent(static_cast<std::size_t>(wParam), static_cast<std::size_t>(lParam));
      return TRUE;
    }
    if (message == kDoneMessage) {
      EndDialog(IDOK);
      return TRUE;
    }
    return CDialog::DialogProc(message, wParam, lParam);
  }

  // Called by Cancel, Escape and the close box: the worker stops, and its
  // end closes the dialog. Windows ends a blocking call at once; a WinINet
  // that cannot (Wine's, while the answer is awaited) ends it at its
  // timeout, and the window says meanwhile that it is stopping.
  void OnCancel() override {
    ::EnableWindow(::GetDlgItem(m_hWnd, IDCANCEL), FALSE);
    m_stopping = true;
    try {
      ::SetDlgItemTextA(m_hWnd, IDC_PUBLISH_STATUS, AfxLoadText(IDS_PUBLISH_STOPPING).c_str());
    } catch (...) {
    }
    m_transfer.Cancel();
  }
  void OnOK() override {}

 private:
  static const int kBarSteps = 1000;

  void ShowSent(std::size_t sent, std::size_t total) {
    if (m_stopping) return;
    const int step = total == 0 ? 0 : static_cast<int>(static_cast<double>(sent) * kBarSteps / total);
    ::SendDlgItemMessageA(m_hWnd, IDC_PUBLISH_BAR, PBM_SETPOS, step, 0);
    std::string text;
    try {
      text = FormatText(AfxLoadText(IDS_PUBLISH_PROGRESS), std::to_string((sent + 1023) / 1024),
                        std::to_string((total + 1023) / 1024));
    } catch (...) {
      return;
    }
    ::SetDlgItemTextA(m_hWnd, IDC_PUBLISH_STATUS, text.c_str());
  }

  Transfer& m_transfer;
  bool m_stopping = false;
};

}  // namespace

void Win32Services::RunTransfer(const std::string& host, const std::function<void(HttpsLink&)>& work) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
  Transfer transfer(host, work);
  CPublishProgress progress(transfer);
  progress.DoModal();
  if (progress.m_thread) {
    ::WaitForSingleObject(progress.m_thread, INFINITE);
    ::CloseHandle(progress.m_thread);
  } else {
    // No dialog or no thread could be made: the transfer still runs, here
    // and without Cancel.
    transfer.m_dialog = nullptr;
    transfer.Run();
  }
}

namespace {

// The key is encrypted for the Windows user (DPAPI): another user of the
// computer, or the registry copied elsewhere, cannot read it.
bool Protect(const std::string& secret, std::string& sealed) {
  DATA_BLOB in = {static_cast<DWORD>(secret.size()), reinterpret_cast<BYTE*>(const_cast<char*>(secret.data()))};
  DATA_BLOB out = {};
  if (!::CryptProtectData(&in, L"Velbrook: Neocities key", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                          &out)) {
    return false;
  }
  sealed.assign(reinterpret_cast<const char*>(out.pbData), out.cbData);
  ::LocalFree(out.pbData);
  return true;
}

bool Unprotect(const std::string& sealed, std::string& secret) {
  DATA_BLOB in = {static_cast<DWORD>(sealed.size()), reinterpret_cast<BYTE*>(const_cast<char*>(sealed.data()))};
  DATA_BLOB out = {};
  if (!::CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out)) return false;
  secret.assign(reinterpret_cast<const char*>(out.pbData), out.cbData);
  ::SecureZeroMemory(out.pbData, out.cbData);
  ::LocalFree(out.pbData);
  return true;
}

bool ReadValue(HKEY key, const char* name, DWORD type, std::string& value) {
  DWORD found = 0;
  DWORD size = 0;
  if (::RegQueryValueExA(key, name, nullptr, &found, nullptr, &size) != ERROR_SUCCESS || found != type ||
      size > 4096) {
    return false;
  }
  value.assign(size, '\0');
  if (::RegQueryValueExA(key, name, nullptr, &found, reinterpret_cast<BYTE*>(&value[0]), &size) != ERROR_SUCCESS) {
    return false;
  }
  value.resize(type == REG_SZ && size > 0 ? size - 1 : size);
  return true;
}

}  // namespace

RememberedSite Win32Services::RecallSite() {
  RememberedSite site;
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return site;
  std::string sealed;
  if (ReadValue(key, kSiteValue, REG_SZ, site.siteName) && IsSiteName(site.siteName) &&
      ReadValue(key, kKeyValue, REG_BINARY, sealed) && !Unprotect(sealed, site.key)) {
    site.key.clear();
  }
  if (!IsSiteName(site.siteName)) site = RememberedSite();
  ::RegCloseKey(key);
  return site;
}

bool Win32Services::RememberSite(const RememberedSite& site) {
  if (site.siteName.empty()) {
    const LONG removed = ::RegDeleteKeyA(HKEY_CURRENT_USER, kProgramKey);
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
  }
  std::string sealed;
  if (!Protect(site.key, sealed)) return false;
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const bool kept =
      ::RegSetValueExA(key, kSiteValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(site.siteName.c_str()),
                       static_cast<DWORD>(site.siteName.size() + 1)) == ERROR_SUCCESS &&
      ::RegSetValueExA(key, kKeyValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(sealed.data()),
                       static_cast<DWORD>(sealed.size())) == ERROR_SUCCESS;
  ::RegCloseKey(key);
  return kept;
}

}  // namespace velbrook
