// Reading a text file into the page text, apart from any window.
#ifndef VELBROOK_PAGES_TEXT_IMPORT_H
#define VELBROOK_PAGES_TEXT_IMPORT_H

#include <string>

namespace velbrook {

// The largest file the text page imports, in bytes.
const long kMaxImportBytes = 65536;

struct TextImport {
  enum Outcome { kImported, kTooLong, kFileError } outcome;
  // The file's bytes up to the first zero byte, when imported.
  std::string text;
};

// Reads `path`: its bytes, or why not.
TextImport ImportTextFile(const std::string& path);

}  // namespace velbrook

#endif
