// The program's one run: the hidden main window, then the page built from
// the settings record and delivered, then the outcome.
#include <windows.h>

#include "app/html_writer.h"
#include "app/module_texts.h"
#include "app/page_run.h"
#include "app/services_win32.h"
#include "dravel/dravel.h"
#include "res/resource.h"

namespace velbrook {
namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

class NoticeWindow : public CreationNotice {
 public:
  explicit NoticeWindow(HINSTANCE module) : m_module(module) {}
  ~NoticeWindow() override { Remove(); }
  // A notice that cannot be created is simply not shown.
  void Show() override {
    m_window = ::CreateDialogParamA(m_module, MAKEINTRESOURCEA(IDD_CREATION_NOTICE), nullptr, PlainDialogProc, 0);
    if (m_window) {
      ::ShowWindow(m_window, SW_SHOWNORMAL);
      ::UpdateWindow(m_window);
    }
  }
  void Remove() override {
    if (m_window) ::DestroyWindow(m_window);
    m_window = nullptr;
  }

 private:
  HINSTANCE m_module;
  HWND m_window = nullptr;
};

int Run(HINSTANCE module) {
  HWND mainWindow = ::CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_MAIN_WINDOW), nullptr, PlainDialogProc, 0);
  if (!mainWindow) return 0;

  PageSettings settings;
  // The wizard that fills the record joins here; until then the run builds
  // the page of an untouched record and puts it on the clipboard.
  settings.file.m_bClipboard = TRUE;
  Win32Services services(mainWindow);
  ModuleTexts texts(module);
  LocalClock clock;
  NoticeWindow notice(module);
  std::string page;
  FinishRun(kWizardFinish, settings, page, services, texts, clock, notice);

  ::DestroyWindow(mainWindow);
  return 0;
}

}  // namespace
}  // namespace velbrook

// The pages' edits get their drop handling from dravel once the pages
// exist; until then this table keeps the load-time import in the program.
extern BOOL(WINAPI* const g_dropExtensions[2])(HWND);
BOOL(WINAPI* const g_dropExtensions[2])(HWND) = {EnableFileNameDrop, EnableFileTextDrop};

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  try {
    return velbrook::Run(instance);
  } catch (...) {
    return 1;
  }
}
