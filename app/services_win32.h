// The real services: Win32 message boxes, clipboard and file copy.
#ifndef VELBROOK_APP_SERVICES_WIN32_H
#define VELBROOK_APP_SERVICES_WIN32_H

#include <windows.h>

#include "app/publish_progress_win32.h"
#include "app/site_store_win32.h"
#include "core/services.h"
#include "framework/help_window.h"

namespace velbrook {

class Win32Services : public Services {
 public:
  // The application's main window owns the clipboard while the page is put
  // on it, and the message boxes when no other window is active.
  explicit Win32Services(const TextSource& texts);

  int ShowMessage(const std::string& text, unsigned style, int helpContext) override;
  bool CopyFileReplacing(const std::string& from, const std::string& to) override;
  bool WriteFileReplacing(const std::string& path, const std::string& bytes) override;
  bool AnotherFileAt(const std::string& path, const std::string& other) override;
  bool PutTextOnClipboard(const std::string& text) override;
  bool ChooseFile(const FileDialogRequest& request, std::string& path) override;
  bool PickColor(COLORREF initial, COLORREF& chosen) override;
  std::string CurrentDirectory() override;
  bool ChangeDirectory(const std::string& directory) override;
  void ShowHelp(int context) override { m_help.Show(context); }
  void CloseHelp() override { m_help.Close(); }
  HWND HelpWindow() const { return m_help.Window(); }

  std::string TempFolder() override;
  bool OpenWithShell(const std::string& path) override;

  // Publishing: the progress window and its HTTPS link live in
  // app/publish_progress_win32.* and app/https_link_win32.*, the site store
  // and the file hash in app/site_store_win32.*.
  void RunTransfer(const std::string& host, const std::function<void(HttpsLink&)>& work) override {
    RunTransferWithProgress(host, work);
  }
  RememberedSite RecallSite() override { return RecallKeptSite(); }
  bool RememberSite(const RememberedSite& site) override { return KeepSite(site); }
  std::string Sha1Hex(const std::string& bytes) override { return Sha1HexOf(bytes); }

 private:
  static HWND MainWindow();
  // Called by a message box when F1 is pressed in it.
  static void CALLBACK OnBoxHelp(LPHELPINFO info);
  std::string m_caption;
  CHelpWindow m_help;
  // The colour dialog's row of custom colours, shared by every colour
  // dialog of the run.
  COLORREF m_customColors[16] = {};
};

}  // namespace velbrook

#endif
