// The HTML page writer: turns the filled settings record into one HTML 3.0
// page with CR LF line ends.
#ifndef VELBROOK_CORE_HTML_WRITER_H
#define VELBROOK_CORE_HTML_WRITER_H

#include <ctime>
#include <string>

#include "core/delivery.h"
#include "core/page_settings.h"
#include "core/texts.h"

namespace velbrook {

// The local time the last-updated line shows; tests set their own.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::tm Now() const = 0;
};

class LocalClock : public Clock {
 public:
  std::tm Now() const override;
};

// The local time of `when`; all fields zero when the runtime cannot tell it.
std::tm LocalTime(std::time_t when);

// "#RRGGBB" in upper-case hex digits from a 0x00BBGGRR colour.
std::string FormatHtmlColor(COLORREF color);

// What becomes of each of the three file references (background picture,
// sound, picture) just before the writer writes it.
class FileReferences {
 public:
  virtual ~FileReferences() = default;
  virtual void Resolve(const std::string& pageFile, std::string& reference) = 0;
};

// Appends the page for `settings` to `page`. The three file references are
// passed through the copy offer (and so rewritten) just before each is
// written. Throws std::bad_alloc or ResourceError; whatever was appended
// before the failure stays in `page`.
void BuildPage(PageSettings& settings, std::string& page, const TextSource& texts,
               PageDelivery& delivery, const Clock& clock);
// The same page with the references rewritten by `references` instead.
void BuildPage(PageSettings& settings, std::string& page, const TextSource& texts,
               FileReferences& references, const Clock& clock);

}  // namespace velbrook

#endif
