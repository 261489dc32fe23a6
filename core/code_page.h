// The ANSI code page the user's texts come in, and the numeric character
// references that carry them on the page.
//
// Hosts serve pages as UTF-8 and say so in a header that beats any META
// line, so a page of 8-bit code-page bytes shows "?" there. The page is
// therefore pure ASCII: every character above 127 is written as "&#N;", N
// its Unicode code point, which reads the same whatever charset a host or
// browser assumes. ASCII stays byte for byte, so the markup a user types is
// untouched.
#ifndef VELBROOK_CORE_CODE_PAGE_H
#define VELBROOK_CORE_CODE_PAGE_H

#include <string>
#include <string_view>

namespace velbrook {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // `text` as UTF-16 code units; a double-byte character is one unit, or
  // two for a surrogate pair.
  virtual std::u16string Decode(std::string_view text) const = 0;
  // The bytes of the code point `c`, or empty when the code page holds no
  // such character (no look-alike stands in for it).
  virtual std::string Encode(char32_t c) const = 0;
};

// Windows' code page 1252 (Western European), the one the native build and
// its tests use; the program asks Windows for the code page it runs in.
const CodePage& WindowsCodePage1252();
// UTF-8, the process code page on Windows 10 1903 and later: it holds every
// character. Bytes that are not UTF-8 decode as U+FFFD each.
const CodePage& Utf8CodePage();
bool IsUtf8(std::string_view text);

// `text`, in the code page `from`, in the code page `to`; a character `to`
// cannot hold becomes "&#N;".
std::string Recode(std::string_view text, const CodePage& from, const CodePage& to);

// How many characters the user sees in `text`: code points, not bytes, so
// that a limit means the same in every code page.
std::size_t CountCharacters(std::string_view text, const CodePage& codePage);

// Appends `text` with every character above 127 as "&#N;".
void AppendWithReferences(std::string& out, std::string_view text, const CodePage& codePage);
std::string WithReferences(std::string_view text, const CodePage& codePage);
// The same as a view: `text` itself when it is all ASCII, as most texts
// are, else the text with references, kept in `buffer`.
std::string_view AsAscii(std::string_view text, const CodePage& codePage, std::string& buffer);
bool IsAscii(std::string_view text);

// `text` with every "&#N;" that the writer writes (N above 127, in decimal
// without leading zeros) and the code page holds turned back into its bytes;
// every other text as it stands, so that writing the result again gives
// `text` again.
std::string WithoutReferences(std::string_view text, const CodePage& codePage);

}  // namespace velbrook

#endif
