// The HTTPS link publishing talks over: WinINet on a worker thread, one
// request after another, each given up on when it stops moving or takes
// longer than its size allows, and ended at once by Cancel.
//
// Certificates are checked as Windows checks them: no request here, nor
// anywhere in the program, carries a flag that ignores a certificate error,
// and a redirect is never followed.
#ifndef VELBROOK_APP_HTTPS_LINK_WIN32_H
#define VELBROOK_APP_HTTPS_LINK_WIN32_H

#include <windows.h>
#include <wininet.h>

#include <functional>
#include <string>

#include "core/services.h"

namespace velbrook {

// Posted to the progress window: wParam bytes sent, lParam the total.
const UINT kTransferProgressMessage = WM_APP + 1;
// Posted once the work has returned.
const UINT kTransferDoneMessage = WM_APP + 2;

// The transfer shared by the window's thread and the worker: the session
// can be closed from either side, once.
class WinInetTransfer : public HttpsLink {
 public:
  WinInetTransfer(const std::string& host, const std::function<void(HttpsLink&)>& work);
  ~WinInetTransfer() override;
  WinInetTransfer(const WinInetTransfer&) = delete;
  WinInetTransfer& operator=(const WinInetTransfer&) = delete;

  // Runs the work on the calling thread (the worker); tells `window` (if
  // any) how it goes and when it is done.
  void Run();
  HttpsAnswer Send(const HttpsRequest& request) override;

  // Called from the window's thread. Cancel ends a blocking call at once;
  // CheckTime ends the request in flight once it is overdue, so that a
  // server sending a byte now and then still times out.
  void Cancel();
  void CheckTime();
  // The file the request in flight carries (empty: none).
  std::string Label();

  HWND window = nullptr;

 private:
  bool SendBody(HINTERNET call, const HttpsRequest& request);
  bool ReadAnswer(HINTERNET call, HttpsAnswer& answer, std::size_t maxBytes);
  HttpsAnswer& Failed(HttpsAnswer& answer);
  void CloseRequest();
  void CloseSession();

  std::string m_host;
  const std::function<void(HttpsLink&)>& m_work;
  HINTERNET m_session = nullptr;
  HINTERNET m_connection = nullptr;
  HINTERNET m_request = nullptr;
  volatile LONG m_cancelled = 0;
  volatile LONG m_timedOut = 0;
  volatile DWORD m_lastProgress = 0;  // when the request last moved
  volatile DWORD m_requestStart = 0;
  volatile DWORD m_requestLimit = 0;  // 0: no request in flight
  CRITICAL_SECTION m_labelLock;
  std::string m_label;
};

}  // namespace velbrook

#endif
