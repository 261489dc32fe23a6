// The real services: Win32 message boxes, clipboard and file copy.
#ifndef VELBROOK_APP_SERVICES_WIN32_H
#define VELBROOK_APP_SERVICES_WIN32_H

#include <windows.h>

#include "app/services.h"

namespace velbrook {

class Win32Services : public Services {
 public:
  // `mainWindow` owns the clipboard while the page is put on it and the
  // message boxes when no other window of the program is active.
  explicit Win32Services(HWND mainWindow = nullptr);
  void SetMainWindow(HWND mainWindow) { m_mainWindow = mainWindow; }

  int ShowMessage(const std::string& text, unsigned style) override;
  bool CopyFile(const std::string& from, const std::string& to) override;
  bool PutTextOnClipboard(const std::string& text) override;

 private:
  HWND m_mainWindow;
  std::string m_caption;
};

}  // namespace velbrook

#endif
