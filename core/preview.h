// The preview: the page as Finish would write it now, shown in the user's
// browser before anything is written. It differs from the page in one way
// only: the background picture, the sound and the picture are referred to
// where they lie now, so that the browser finds them without the copy offer.
#ifndef VELBROOK_CORE_PREVIEW_H
#define VELBROOK_CORE_PREVIEW_H

#include <string>

#include "core/html_writer.h"
#include "core/page_settings.h"
#include "core/services.h"
#include "core/texts.h"

namespace velbrook {

// The file:/// URL of the file at `path`, a relative path taken from
// `currentDirectory`. Backslashes become slashes; blanks and the characters
// a URL or an HTML attribute gives a meaning to are escaped, other bytes are
// kept for the browser to read in the page's own code page. A reference
// that is already a URL ("http://...") and an empty one stay as they are.
std::string FileUrl(const std::string& path, const std::string& currentDirectory);

// The page for `settings` with the three references as file URLs. Nothing
// is asked, nothing copied, and `settings` is not changed.
std::string BuildPreviewPage(const PageSettings& settings, const TextSource& texts, const Clock& clock,
                             const std::string& currentDirectory);

class PagePreview {
 public:
  // `settings` is the run's record, which the pages' working values complete
  // for each preview; `fileName` names the preview within the temporary
  // folder, one name for the run.
  PagePreview(const PageSettings& settings, Services& services, const TextSource& texts, const Clock& clock,
              std::string fileName);
  // The preview file goes with the run, however the run ends.
  ~PagePreview();
  PagePreview(const PagePreview&) = delete;
  PagePreview& operator=(const PagePreview&) = delete;

  const PageSettings& Settings() const { return m_settings; }

  // Writes the preview of `current` over the last one and opens it. A file
  // that cannot be written or opened is told (message 34, OK, exclamation,
  // help at `helpContext`) and false returned; nothing else changes.
  bool Show(const PageSettings& current, int helpContext);

  // Where the preview is written; empty until the first Show.
  const std::string& Path() const { return m_path; }

 private:
  const PageSettings& m_settings;
  Services& m_services;
  const TextSource& m_texts;
  const Clock& m_clock;
  std::string m_fileName;
  std::string m_path;
};

}  // namespace velbrook

#endif
