// The page reader: takes a page the writer made back into the settings the
// wizard starts from, so that a home page can be changed and written again
// instead of being typed anew.
//
// A page is read as the writer wrote it, piece by piece. A user text ends
// where the page's own text that follows it begins. Where a text holds the
// page's own marker lines itself, so that the page alone cannot tell two
// records apart (page text ending in what looks like a whole item list, say),
// the reader takes the marker lines as the page's own: the item list, the
// link list and the "Last updated" line are read from the end of the page,
// and the page text is what stands before them. Either reading writes the
// same page again.
#ifndef VELBROOK_CORE_PAGE_READER_H
#define VELBROOK_CORE_PAGE_READER_H

#include <cstddef>
#include <string>

#include "core/page_settings.h"
#include "core/texts.h"

namespace velbrook {

// No page the wizard makes from what a person types comes near this; a file
// larger than it is not read at all.
const std::size_t kMaxPageBytes = 16 * 1024 * 1024;

// The one path on a command line, as Windows passes it: in double quotes or
// not, a path with blanks included; empty when there is none.
std::string PageArgument(const std::string& commandLine);

// Reads `page`, the text of the file `pagePath`, into `settings`. The
// background picture, the sound and the picture are read as the page's
// directory plus the bare name the page names, where the copy offer finds
// them beside the page; the file name is `pagePath` and the clipboard is
// off. A page whose line ends are all LF (sent to a UNIX host as text) is
// read as if they were CR LF. Returns false and leaves `settings` as it was
// when `page` is not a page the writer made.
bool ReadPage(const std::string& page, const std::string& pagePath, const TextSource& texts,
              PageSettings& settings);

// Reads the file `path` as ReadPage does. False, with `settings` as it was,
// when the file cannot be read (missing, a folder, no access), is larger than
// kMaxPageBytes, or is no page the writer made.
bool ReadPageFile(const std::string& path, const TextSource& texts, PageSettings& settings);

}  // namespace velbrook

#endif
