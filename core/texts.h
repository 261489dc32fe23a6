// The program's message texts and HTML templates, and the "%1"/"%2" format
// helper that fills them.
#ifndef VELBROOK_CORE_TEXTS_H
#define VELBROOK_CORE_TEXTS_H

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/code_page.h"

namespace velbrook {

// Raised when a string-table entry or the favourite links cannot be loaded.
class ResourceError : public std::runtime_error {
 public:
  explicit ResourceError(const std::string& what) : std::runtime_error(what) {}
};

// Replaces every "%1" by `first` and every "%2" by `second`. Arguments are
// inserted as they are and never searched for placeholders themselves; any
// other '%' is kept.
std::string FormatText(const std::string& text, const std::string& first,
                       const std::string& second = std::string());
// The same, appended to `out` without an intermediate text.
void AppendFormatted(std::string& out, const std::string& text, const std::string& first,
                     const std::string& second = std::string());

// The literal pieces of `text` around its "%1"/"%2" placeholders, in order:
// one more piece than there are placeholders (a piece may be empty).
std::vector<std::string> TemplatePieces(const std::string& text);

// A text whose placeholders are found once, for a template filled many
// times (one line per list entry).
class PreparedText {
 public:
  explicit PreparedText(std::string text);
  // The same as AppendFormatted with the text given at construction.
  void AppendTo(std::string& out, std::string_view first, std::string_view second = std::string_view()) const;

 private:
  struct Piece {
    std::size_t start;
    std::size_t length;
    int argument;  // 0 for a piece of the text itself, else 1 or 2
  };
  std::string m_text;
  std::vector<Piece> m_pieces;
};

// Where the texts come from: the module's resources in the program, the
// compiled-in tables in the native build.
class TextSource {
 public:
  virtual ~TextSource() = default;
  // The string-table entry `id`; throws ResourceError when there is none.
  virtual std::string Load(int id) const = 0;
  // The favourite-links fragment, byte for byte; throws ResourceError.
  virtual std::string LoadFavoriteLinks() const = 0;
  // The code page the texts and what the user types come in, which the
  // page's character references are made from and read back into.
  virtual const CodePage& TextCodePage() const { return WindowsCodePage1252(); }
  // The user's legacy ANSI code page, which 8-bit files that are not UTF-8
  // come in; the same as the above where the process code page is not
  // UTF-8.
  virtual const CodePage& LegacyCodePage() const { return WindowsCodePage1252(); }
};

// The same texts the .rc string table is generated from.
class BuiltinTexts : public TextSource {
 public:
  std::string Load(int id) const override;
  std::string LoadFavoriteLinks() const override;
};

// The compiled-in text `id`, or nullptr when the table has none.
const char* FindBuiltinText(int id);

}  // namespace velbrook

#endif
