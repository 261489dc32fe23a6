#include "app/publish_progress_win32.h"

#include <windows.h>
#include <commctrl.h>

#include "app/https_link_win32.h"
#include "core/texts.h"
#include "framework/app.h"
#include "framework/dialog.h"
#include "res/resource.h"

namespace velbrook {

namespace {

// How often the window looks whether the request in flight is overdue.
const UINT kClockTimer = 1;
const UINT kClockMs = 1000;

DWORD WINAPI RunTransferThread(LPVOID transfer) {
  static_cast<WinInetTransfer*>(transfer)->Run();
  return 0;
}

// It closes only once the worker is done, so nothing outlives it.
class CPublishProgress : public CDialog {
 public:
  explicit CPublishProgress(WinInetTransfer& transfer) : CDialog(IDD_PUBLISH_PROGRESS), m_transfer(transfer) {}

  HANDLE m_thread = nullptr;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_transfer.window = m_hWnd;
    ::SendDlgItemMessageA(m_hWnd, IDC_PUBLISH_BAR, PBM_SETRANGE32, 0, kBarSteps);
    ShowSent(0, 0);
    ::SetTimer(m_hWnd, kClockTimer, kClockMs, nullptr);
    DWORD id = 0;
    m_thread = ::CreateThread(nullptr, 0, RunTransferThread, &m_transfer, 0, &id);
    if (!m_thread) EndDialog(IDABORT);
    return TRUE;
  }

  INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kTransferProgressMessage) {
      ShowSent(static_cast<std::size_t>(wParam), static_cast<std::size_t>(lParam));
      return TRUE;
    }
    if (message == WM_TIMER && wParam == kClockTimer) {
      m_transfer.CheckTime();
      return TRUE;
    }
    if (message == kTransferDoneMessage) {
      ::KillTimer(m_hWnd, kClockTimer);
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
      const std::string label = m_transfer.Label();
      if (!label.empty()) text = FormatText(AfxLoadText(IDS_PUBLISH_SENDING), label, text);
    } catch (...) {
      return;
    }
    ::SetDlgItemTextA(m_hWnd, IDC_PUBLISH_STATUS, text.c_str());
  }

  WinInetTransfer& m_transfer;
  bool m_stopping = false;
};

}  // namespace

void RunTransferWithProgress(const std::string& host, const std::function<void(HttpsLink&)>& work) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
  WinInetTransfer transfer(host, work);
  CPublishProgress progress(transfer);
  progress.DoModal();
  if (progress.m_thread) {
    ::WaitForSingleObject(progress.m_thread, INFINITE);
    ::CloseHandle(progress.m_thread);
  } else {
    // No dialog or no thread could be made: the transfer still runs, here
    // and without Cancel.
    transfer.window = nullptr;
    transfer.Run();
  }
}

}  // namespace velbrook
