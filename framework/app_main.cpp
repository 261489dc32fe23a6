// The program's entry point: hands control to the one application object.
#include <windows.h>

#include "framework/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
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
