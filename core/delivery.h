// Output delivery: the page file, the clipboard, and the copy offer that
// makes every file the page refers to reachable from the page's directory.
#ifndef VELBROOK_CORE_DELIVERY_H
#define VELBROOK_CORE_DELIVERY_H

#include <cstddef>
#include <string>

#include "core/services.h"
#include "core/texts.h"
#include "core/win_types.h"

namespace velbrook {

// A path in the four parts the runtime's path splitter gives: drive ("C:"
// or empty), directory (up to and including the last \ or /), name (the last
// component up to its last dot) and extension (from that dot on).
struct PathParts {
  std::string drive;
  std::string dir;
  std::string name;
  std::string ext;
};
PathParts SplitPath(const std::string& path);

// The whole of the file `path` into `bytes`; false when it cannot be read
// (missing, a folder, no access) or holds more than `maxBytes`.
bool ReadFileUpTo(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Whether `reference` is a URL ("http://..." and the like: letters, then
// "://"), which names no file. A drive letter is no scheme.
bool HasScheme(const std::string& reference);

// Compares two texts ignoring the case of ASCII letters only.
bool EqualsIgnoreAsciiCase(const std::string& a, const std::string& b);

// Shows the string-table message `id` with %1 = `first` and %2 = `second`;
// F1 in it shows the topic of `helpContext`. Returns the button pressed. A
// text that cannot be loaded, or a box that cannot be shown, shows nothing,
// as a message box given a missing string does, and gives kIdCancel; the
// caller goes on.
int ShowTextMessage(Services& services, const TextSource& texts, int id, unsigned style,
                    const std::string& first = std::string(), int helpContext = kNoHelp,
                    const std::string& second = std::string());

class PageDelivery {
 public:
  PageDelivery(Services& services, const TextSource& texts)
      : m_services(services), m_texts(texts) {}

  // Offers to copy `reference` next to `pageFile` when it lies elsewhere,
  // asking again before the copy replaces another file of that name, then
  // reduces `reference` to its bare name and extension in every case.
  void OfferCopyToPageDir(const std::string& pageFile, std::string& reference);

  // Writes `page` byte for byte to `fileName`, keeping an old file there
  // whole until the new one is.
  void WritePageFile(const std::string& page, const std::string& fileName);

  // Puts `page` on the clipboard; a clipboard that cannot be opened or
  // filled is reported (message 31) and marks the run as failed.
  BOOL CopyPageToClipboard(const std::string& page);

  // Marks the run as failed and shows message `id` (OK, exclamation).
  void ReportFailure(int id);

  // Whether any failure was reported during writing and delivery.
  bool Failed() const { return m_bError; }

 private:
  Services& m_services;
  const TextSource& m_texts;
  bool m_bError = false;
};

}  // namespace velbrook

#endif
