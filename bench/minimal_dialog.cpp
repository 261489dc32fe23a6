// The yardstick for start-up: the smallest Win32 dialog program, built by
// the same toolchain and started the same way as velbrook.exe.
#include <windows.h>

INT_PTR CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) ::EndDialog(window, 0);
  return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, MinimalProc, 0));
}
