// Everything the program does that waits for the user or reaches outside the
// program goes through this interface, so that tests can answer and observe
// it. The program's real implementation calls Win32.
#ifndef VELBROOK_APP_SERVICES_H
#define VELBROOK_APP_SERVICES_H

#include <string>

namespace velbrook {

class Services {
 public:
  virtual ~Services() = default;

  // Shows a modal message box with the program's caption; `style` holds the
  // MessageStyle bits. Returns the button the user chose (MessageAnswer).
  virtual int ShowMessage(const std::string& text, unsigned style) = 0;

  // Copies the file `from` to `to`, replacing a file of that name.
  virtual bool CopyFileReplacing(const std::string& from, const std::string& to) = 0;

  // Replaces the clipboard's content by `text` as zero-terminated plain
  // text. Returns false when any step failed.
  virtual bool PutTextOnClipboard(const std::string& text) = 0;

  // Shows the help topic for `context`, replacing any topic shown before.
  virtual void ShowHelp(int context) = 0;
  // Closes the help window if it is open.
  virtual void CloseHelp() = 0;
};

}  // namespace velbrook

#endif
