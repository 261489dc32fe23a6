// The program's help: a small window of its own that shows one topic from
// the string table at a time, standing in for a help file.
#ifndef VELBROOK_FRAMEWORK_HELP_WINDOW_H
#define VELBROOK_FRAMEWORK_HELP_WINDOW_H

#include <windows.h>

#include "core/texts.h"

class CHelpWindow {
 public:
  explicit CHelpWindow(const velbrook::TextSource& texts) : m_texts(texts) {}
  ~CHelpWindow() { Close(); }

  // Shows the topic for `context`, opening the window or replacing the
  // topic it shows.
  void Show(int context);
  void Close();
  HWND Window() const { return m_hWnd; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  const velbrook::TextSource& m_texts;
  HWND m_hWnd = nullptr;
  HWND m_hText = nullptr;
};

#endif
