// Output delivery: the page file, the clipboard, and the copy offer that
// makes every file the page refers to reachable from the page's directory.
#ifndef VELBROOK_CORE_DELIVERY_H
#define VELBROOK_CORE_DELIVERY_H

#include <string>

#include "core/page_settings.h"
#include "core/services.h"
#include "core/texts.h"
#include "core/win_types.h"

namespace velbrook {

class PageDelivery {
 public:
  PageDelivery(Services& services, const TextSource& texts)
      : m_services(services), m_texts(texts) {}

  // Offers to copy `reference` next to `pageFile` when it lies elsewhere,
  // asking again before the copy replaces another file of that name. Gives
  // the name the page then refers to it by: its bare name and extension, in
  // every case.
  std::string OfferCopyToPageDir(const std::string& pageFile, const std::string& reference);

  // The names Finish gives the page's files: each file the page for
  // `settings` refers to goes through the copy offer, in the order the page
  // names them. `settings` keeps the files where they lie.
  PageFiles OfferCopies(const PageSettings& settings);

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
