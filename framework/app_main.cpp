// The program's entry point: hands control to the one application object.
#include <windows.h>

#include "framework/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  app->m_hInstance = instance;
  try {
    if (!app->InitInstance()) return 0;
    while (app->PumpMessage()) {
    }
    return static_cast<int>(app->m_msgCur.wParam);
  } catch (...) {
    return 1;
  }
}
