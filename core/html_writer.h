// The HTML page writer: turns the filled settings record into one HTML 3.0
// page with CR LF line ends.
#ifndef VELBROOK_CORE_HTML_WRITER_H
#define VELBROOK_CORE_HTML_WRITER_H

#include <ctime>
#include <functional>
#include <string>

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

// The names the page gives its files: `resolve` turns each file the page
// for `settings` refers to into its name on the page, in the order the page
// names them (background picture, sound, picture). A file the page does not
// refer to is neither resolved nor named.
PageFiles ResolveFiles(const PageSettings& settings, const std::function<std::string(const std::string&)>& resolve);

// Appends the page for `settings` to `page`, naming the three files as
// `files` does. It only writes text: it asks nothing and changes nothing
// else, so one record gives one page however often it is built. Throws
// std::bad_alloc or ResourceError; whatever was appended before the failure
// stays in `page`.
void BuildPage(const PageSettings& settings, const PageFiles& files, std::string& page, const TextSource& texts,
               const Clock& clock);

}  // namespace velbrook

#endif
