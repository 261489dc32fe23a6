// The program's entry point: hands control to the one application object.
#include <windows.h>

#include <commctrl.h>

#include "framework/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  // XP lends the manifest's common controls 6 to the dialogs only once
  // comctl32 is loaded; later Windows load it themselves.
  ::InitCommonControls();
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  app->m_hInstance = instance;
  app->m_lpCmdLine = commandLine;
  try {
    if (!app->InitInstance()) return 0;
    while (app->PumpMessage()) {
    }
    return static_cast<int>(app->m_msgCur.wParam);
  } catch (...) {
    return 1;
  }
}
