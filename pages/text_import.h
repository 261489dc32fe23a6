// Reading a text file into the page text, apart from any window.
#ifndef VELBROOK_PAGES_TEXT_IMPORT_H
#define VELBROOK_PAGES_TEXT_IMPORT_H

#include <string>

#include "core/code_page.h"

namespace velbrook {

// The longest text the text page imports, in bytes of the process code
// page (the text as converted, not the file).
const long kMaxImportBytes = 65536;

struct TextImport {
  enum Outcome { kImported, kTooLong, kFileError } outcome;
  // The file's text in the process code page, when imported.
  std::string text;
};

// Reads `path` as Notepad reads it (dravel/text_file.h): its text in
// `process`, or why not. `legacy` is the user's legacy ANSI code page.
TextImport ImportTextFile(const std::string& path, const CodePage& process, const CodePage& legacy);

}  // namespace velbrook

#endif
