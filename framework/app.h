// The application object, the message pump and the program-wide services
// (message boxes, help, texts) the windows use.
#ifndef VELBROOK_FRAMEWORK_APP_H
#define VELBROOK_FRAMEWORK_APP_H

#include <windows.h>

#include <string>

#include "core/services.h"
#include "core/texts.h"

class CWnd;

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();

  // Called once by the start-up; FALSE ends the program.
  virtual BOOL InitInstance() = 0;

  // Waits for the next message, offers it to the PreTranslateMessage chain
  // from its window out through the parents and dispatches what nobody took.
  // Returns FALSE when the message is WM_QUIT, which stays in m_msgCur.
  BOOL PumpMessage();
  // Offers `msg` to the chain; TRUE when a window took it.
  static BOOL PreTranslateChain(MSG* msg);

  // Opens help at a context (HELP_CONTEXT) or closes it (HELP_QUIT).
  void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);
  // Modal loops tell the application when they start and end; nothing here
  // runs modeless work, so there is nothing to suspend.
  void EnableModeless(BOOL) {}

  HINSTANCE m_hInstance = nullptr;
  // The command line after the program's own name.
  LPSTR m_lpCmdLine = nullptr;
  CWnd* m_pMainWnd = nullptr;
  MSG m_msgCur = {};
  // Where modal boxes and the outside world are reached; set by the
  // application before any window is made, replaced by tests.
  velbrook::Services* m_pServices = nullptr;
  const velbrook::TextSource* m_pTexts = nullptr;

 private:
  CWinApp* m_pPrevious;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();
// The application's services; the application sets them before it makes
// any window.
velbrook::Services& AfxGetServices();
// Shows a message box through the application's services; F1 in it shows
// the help topic of `helpContext`.
int AfxMessageBox(const std::string& text, unsigned style, int helpContext = velbrook::kNoHelp);
// A string-table text through the application's text source.
std::string AfxLoadText(int id);
// The application's text source (the compiled-in texts before there is
// one): its texts and the code pages the user's text comes in.
const velbrook::TextSource& AfxGetTexts();

#endif
