#include "app/https_link_win32.h"

#include "res/resource.h"

namespace velbrook {

namespace {

// Long enough for a slow line, short enough that a server that never
// answers is given up on while the user still waits.
const DWORD kTimeoutMs = 30000;
const DWORD kTimeoutSlackMs = 1000;
// The whole of one request may take this long, and a second more for every
// 2 KB of its body: a line slower than that is not worth waiting for.
const DWORD kBytesPerSecond = 2048;
const DWORD kChunk = 16 * 1024;

// Whether this is XP (or Server 2003), whose WinINet never speaks TLS 1.2:
// there a secure channel that cannot be made has no other likely cause.
// Later Windows speak it (7 once updated), so there it is told as a
// connection that could not be made safely.
bool OlderThanVista() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  return ::GetVersionExA(&version) && version.dwMajorVersion < 6;
}

void SetTimeouts(HINTERNET handle) {
  DWORD timeout = kTimeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    ::InternetSetOptionA(handle, option, &timeout, sizeof timeout);
  }
}

}  // namespace

WinInetTransfer::WinInetTransfer(const std::string& host, const std::function<void(HttpsLink&)>& work)
    : m_host(host), m_work(work) {
  ::InitializeCriticalSection(&m_labelLock);
}

WinInetTransfer::~WinInetTransfer() {
  CloseSession();
  ::DeleteCriticalSection(&m_labelLock);
}

void WinInetTransfer::Run() {
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
  if (window) ::PostMessageA(window, kTransferDoneMessage, 0, 0);
}

void WinInetTransfer::Cancel() {
  // The request in flight is closed first: closing only the session does
  // not end a wait for the answer in every WinINet (Wine's waits it out).
  ::InterlockedExchange(&m_cancelled, 1);
  CloseRequest();
  CloseSession();
}

void WinInetTransfer::CheckTime() {
  const DWORD limit = m_requestLimit;
  if (limit == 0 || ::GetTickCount() - m_requestStart < limit) return;
  ::InterlockedExchange(&m_timedOut, 1);
  CloseRequest();
}

std::string WinInetTransfer::Label() {
  ::EnterCriticalSection(&m_labelLock);
  std::string label = m_label;
  ::LeaveCriticalSection(&m_labelLock);
  return label;
}

HttpsAnswer WinInetTransfer::Send(const HttpsRequest& request) {
  HttpsAnswer answer;
  ::EnterCriticalSection(&m_labelLock);
  m_label = request.label;
  ::LeaveCriticalSection(&m_labelLock);
  m_lastProgress = m_requestStart = ::GetTickCount();
  m_requestLimit = 0;
  if (m_cancelled || m_timedOut || !m_connection) return Failed(answer);
  // INTERNET_FLAG_NO_AUTO_REDIRECT: a redirect comes back as its status,
  // which is refused, instead of being followed (to http:// among others).
  const DWORD flags = INTERNET_FLAG_SECURE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                      INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTH |
                      INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_PRAGMA_NOCACHE;
  const char* accept[] = {"application/json", nullptr};
  HINTERNET call = ::HttpOpenRequestA(m_connection, request.verb.c_str(), request.path.c_str(), "HTTP/1.1", nullptr,
                                      accept, flags, 0);
  if (!call) return Failed(answer);
  ::InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&m_request), call);
  m_requestLimit = 2 * kTimeoutMs + static_cast<DWORD>(request.body.size() / kBytesPerSecond) * 1000;
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
  if (!sent || !::HttpQueryInfoA(call, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) ||
      !ReadAnswer(call, answer, request.maxAnswer)) {
    Failed(answer);
  } else {
    answer.status = static_cast<int>(status);
  }
  m_requestLimit = 0;
  CloseRequest();
  return answer;
}

bool WinInetTransfer::SendBody(HINTERNET call, const HttpsRequest& request) {
  // Microsoft documents that with HTTP_ADDREQ_FLAG_REPLACE (or REMOVE) the
  // string may hold one header only; ADD takes several lines at once, and on
  // a fresh request there is nothing to replace. Wine takes every line
  // either way, so no test here would see the difference.
  if (!::HttpAddRequestHeadersA(call, request.headers.c_str(), static_cast<DWORD>(request.headers.size()),
                                HTTP_ADDREQ_FLAG_ADD)) {
    return false;
  }
  INTERNET_BUFFERSA buffers = {};
  buffers.dwStructSize = sizeof buffers;
  buffers.dwBufferTotal = static_cast<DWORD>(request.body.size());
  if (!::HttpSendRequestExA(call, &buffers, nullptr, 0, 0)) return false;
  const std::size_t total = request.body.size();
  if (window) ::PostMessageA(window, kTransferProgressMessage, 0, static_cast<LPARAM>(total));
  for (std::size_t sent = 0; sent < total;) {
    const DWORD chunk = total - sent > kChunk ? kChunk : static_cast<DWORD>(total - sent);
    DWORD written = 0;
    if (!::InternetWriteFile(call, request.body.data() + sent, chunk, &written) || written == 0) return false;
    sent += written;
    m_lastProgress = ::GetTickCount();
    if (window) ::PostMessageA(window, kTransferProgressMessage, static_cast<WPARAM>(sent), static_cast<LPARAM>(total));
  }
  return true;
}

bool WinInetTransfer::ReadAnswer(HINTERNET call, HttpsAnswer& answer, std::size_t maxBytes) {
  // At most one read past the bound: a longer answer is refused without
  // reading it all.
  char buffer[4096];
  for (;;) {
    DWORD got = 0;
    if (!::InternetReadFile(call, buffer, sizeof buffer, &got)) return false;
    if (got == 0) return true;
    answer.body.append(buffer, got);
    if (answer.body.size() > maxBytes) {
      answer.failure = HttpsFailure::kTooLong;
      answer.body.clear();
      return true;
    }
  }
}

HttpsAnswer& WinInetTransfer::Failed(HttpsAnswer& answer) {
  const DWORD error = ::GetLastError();
  answer.body.clear();
  if (m_cancelled) {
    answer.failure = HttpsFailure::kCancelled;
  } else if (m_timedOut || error == ERROR_INTERNET_TIMEOUT ||
             ::GetTickCount() - m_lastProgress >= kTimeoutMs - kTimeoutSlackMs) {
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

void WinInetTransfer::CloseRequest() {
  // Once, from whichever thread comes first.
  if (HINTERNET call = reinterpret_cast<HINTERNET>(
          ::InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&m_request), nullptr))) {
    ::InternetCloseHandle(call);
  }
}

void WinInetTransfer::CloseSession() {
  // Closing the session ends the connection and any request under it.
  if (HINTERNET session = reinterpret_cast<HINTERNET>(
          ::InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&m_session), nullptr))) {
    ::InternetCloseHandle(session);
  }
}

}  // namespace velbrook
