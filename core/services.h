// Everything the program does that waits for the user or reaches outside the
// program goes through this interface, so that tests can answer and observe
// it. The program's real implementation calls Win32.
#ifndef VELBROOK_CORE_SERVICES_H
#define VELBROOK_CORE_SERVICES_H

#include <cstddef>
#include <functional>
#include <string>

#include "core/win_types.h"

namespace velbrook {

// The common file dialog, as a page asks for it.
struct FileDialogRequest {
  bool save = false;      // the save dialog, else the open dialog
  std::string defaultExt;  // added to a name typed without one, dot included
  std::string fileName;    // proposed in the name field
  std::string filter;      // "Text|*.TXT|All|*.*||", as the pages write it
  unsigned flags = 0;      // FileDialogFlags
};

// The file dialog options the pages use (the Win32 OFN_ values).
enum FileDialogFlags : unsigned {
  kOfnOverwritePrompt = 0x2,
  kOfnHideReadOnly = 0x4,
  kOfnPathMustExist = 0x800,
  kOfnFileMustExist = 0x1000,
};

// How a request ended short of an answer.
enum class HttpsFailure {
  kNone,          // the server answered: `status` and `body` hold it
  kNoConnection,  // the name was not found, or no (trusted) connection came
  kTimeout,
  kCancelled,     // the user pressed Cancel
  kNoTls12,       // this Windows cannot make the secure connection asked for
  kTooLong,       // the answer grew past the request's maxAnswer
};

// The most of an answer that is read; a longer one is a failure.
const std::size_t kMaxAnswerBytes = 64 * 1024;

// One HTTPS request to the publishing site. The host is the program's own
// constant; nothing here or anywhere else lets it or its checks change.
struct HttpsRequest {
  std::string verb;     // "GET" or "POST"
  std::string path;     // "/api/upload"
  std::string headers;  // each line ending in CR LF
  std::string body;
  std::string label;    // the file the body carries, as the progress names it
  std::size_t maxAnswer = kMaxAnswerBytes;  // a longer answer is a failure
};

struct HttpsAnswer {
  HttpsFailure failure = HttpsFailure::kNone;
  int status = 0;
  std::string body;
};

// The connection a transfer is given: requests go one after another.
class HttpsLink {
 public:
  virtual ~HttpsLink() = default;
  virtual HttpsAnswer Send(const HttpsRequest& request) = 0;
};

// What this computer keeps of the publishing site for the Windows user:
// all of it only while "Remember on this computer" is ticked.
struct RememberedSite {
  std::string siteName;  // empty: nothing kept
  std::string key;       // the site's key, kept encrypted for the user
  bool frontPage = true;  // "Make it the front page of my site (index.html)"
};

// The help context of a message box that has no topic of its own.
const int kNoHelp = 0;

class Services {
 public:
  virtual ~Services() = default;

  // Shows a modal message box with the program's caption; `style` holds the
  // MessageStyle bits, and F1 in the box shows the help topic of
  // `helpContext` (kNoHelp: none). Returns the button the user chose
  // (MessageAnswer).
  virtual int ShowMessage(const std::string& text, unsigned style, int helpContext) = 0;

  // Copies the file `from` to `to`, replacing a file of that name. When the
  // file system says both name one file, it is left as it is and counts as
  // copied. Like WriteFileReplacing, a copy that fails leaves `to` as it was.
  virtual bool CopyFileReplacing(const std::string& from, const std::string& to) = 0;

  // Writes `bytes` to `path`, replacing a file of that name only once all of
  // them are written and flushed: on failure the old file is untouched and
  // nothing is left beside it.
  virtual bool WriteFileReplacing(const std::string& path, const std::string& bytes) = 0;

  // Whether a file stands at `path` that is not the file `other` (however
  // either is spelt): a copy of `other` to `path` would destroy it. An
  // empty `other` names no file, so any file at `path` counts.
  virtual bool AnotherFileAt(const std::string& path, const std::string& other) = 0;

  // Replaces the clipboard's content by `text` as zero-terminated plain
  // text, waiting a moment for a clipboard another program holds. Returns
  // false when any step failed.
  virtual bool PutTextOnClipboard(const std::string& text) = 0;

  // Runs the file dialog; true with the chosen file's full path in `path`
  // when the user confirmed, false when cancelled. Like the real dialog it
  // may change the current directory.
  virtual bool ChooseFile(const FileDialogRequest& request, std::string& path) = 0;

  // Runs the colour dialog starting at `initial`; true with the chosen
  // colour in `chosen` when the user confirmed.
  virtual bool PickColor(COLORREF initial, COLORREF& chosen) = 0;

  // The process's current directory, empty when it cannot be read.
  virtual std::string CurrentDirectory() = 0;
  virtual bool ChangeDirectory(const std::string& directory) = 0;

  // Shows the help topic for `context`, replacing any topic shown before.
  virtual void ShowHelp(int context) = 0;
  // Closes the help window if it is open.
  virtual void CloseHelp() = 0;

  // The preview: the user's folder for temporary files (ending in a
  // separator; empty when it cannot be told), and opening a file as a
  // double-click does, with the program the system has for its type. False
  // when no program took it.
  virtual std::string TempFolder() = 0;
  virtual bool OpenWithShell(const std::string& path) = 0;

  // Publishing. RunTransfer shows the progress dialog (bytes sent of the
  // total, Cancel) and returns when `work`, given a link to `host` over
  // HTTPS, has returned; `work` may run on another thread, so it asks the
  // user nothing.
  virtual void RunTransfer(const std::string& host, const std::function<void(HttpsLink&)>& work) = 0;
  // What was kept of the site; an empty record when nothing was, or it
  // cannot be read (a key that cannot be decrypted is not kept).
  virtual RememberedSite RecallSite() = 0;
  // Keeps `site`, or removes everything kept when its name is empty; false
  // when that failed.
  virtual bool RememberSite(const RememberedSite& site) = 0;
  // The SHA-1 of `bytes` as 40 lowercase hex digits (empty when it cannot
  // be made), to compare with the hashes the site lists.
  virtual std::string Sha1Hex(const std::string& bytes) = 0;
};

}  // namespace velbrook

#endif
