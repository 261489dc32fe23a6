// Reading a text file as Notepad reads it, apart from any window. The
// library's drop on a text edit and the program's text import both read
// files through this one reader: it lives here because the library may
// include nothing of the program's, while the program's pages may include
// the library's headers. Plain C++ without the runtime's allocation or
// exceptions, as the library is built: the caller hands in the memory.
//
// The form of the bytes, as Notepad decides it: a UTF-16 LE or BE
// byte-order mark means UTF-16, a UTF-8 mark means UTF-8 (the mark is not
// text), bytes that are valid UTF-8 are UTF-8, anything else is the user's
// legacy ANSI code page. The text ends at the first zero character (a zero
// code unit in UTF-16, not a zero byte) and comes out in the process code
// page; a character that code page cannot hold becomes "&#N;", which the
// page, being HTML, shows as the character.
#ifndef VELBROOK_DRAVEL_TEXT_FILE_H
#define VELBROOK_DRAVEL_TEXT_FILE_H

#include <cstddef>
#include <cstdint>

#include "dravel/drop_rules.h"

namespace dravel {

// The code pages a conversion goes through, given by the caller.
class TextCodePages {
 public:
  // The `size` bytes in the user's legacy ANSI code page as UTF-16, into
  // `units` (room for `size` units); returns how many units.
  virtual std::size_t DecodeLegacy(const char* bytes, std::size_t size, char16_t* units) const = 0;
  // The bytes of `c` in the process code page, into `out` (room for 4), or
  // 0 when that code page holds no such character.
  virtual std::size_t EncodeProcess(char32_t c, char* out) const = 0;

 protected:
  ~TextCodePages() = default;
};

// The most file bytes whose text may still fit in `limit` bytes: UTF-16
// with a mark takes two bytes for each ASCII character.
inline std::uint64_t MaxTextFileBytes(std::uint64_t limit) { return 2 * limit + 2; }

// What TextFromFile returns when the text is longer than its limit.
const std::size_t kTextTooLong = static_cast<std::size_t>(-1);

// The length of a strict UTF-8 sequence starting at `bytes[at]` (no
// overlong form, no surrogate, nothing past U+10FFFF), or 0 when there is
// none there; `c` is its code point.
inline std::size_t Utf8Sequence(const unsigned char* bytes, std::size_t size, std::size_t at, char32_t& c) {
  const unsigned char lead = bytes[at];
  if (lead < 0x80) {
    c = lead;
    return 1;
  }
  std::size_t length;
  char32_t least;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, least = 0x80, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, least = 0x800, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, least = 0x10000, c = lead & 0x07;
  } else {
    return 0;
  }
  if (size - at < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((bytes[at + i] & 0xC0) != 0x80) return 0;
    c = (c << 6) | (bytes[at + i] & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return 0;
  return length;
}

inline bool IsUtf8(const unsigned char* bytes, std::size_t size) {
  char32_t c;
  for (std::size_t at = 0; at < size;) {
    const std::size_t length = Utf8Sequence(bytes, size, at, c);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

// The text of the file's `size` bytes in the process code page, written to
// `out` (room for `limit` bytes, plus the zero written after the text);
// returns the text's length, or kTextTooLong. `units` is room for `size`
// UTF-16 units.
inline std::size_t TextFromFile(const unsigned char* bytes, std::size_t size, const TextCodePages& codePages,
                                char16_t* units, char* out, std::size_t limit) {
  // First the file as UTF-16 code units, to the first zero one.
  std::size_t count = 0;
  const bool littleEndian = size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
  const bool bigEndian = size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF;
  if (littleEndian || bigEndian) {
    // An odd last byte is half a character: it is left out.
    for (std::size_t at = 2; at + 1 < size; at += 2) {
      const char16_t unit = littleEndian ? static_cast<char16_t>(bytes[at] | bytes[at + 1] << 8)
                                         : static_cast<char16_t>(bytes[at] << 8 | bytes[at + 1]);
      if (unit == 0) break;
      units[count++] = unit;
    }
  } else {
    const std::size_t end = DropTextLength(reinterpret_cast<const char*>(bytes), size);
    const std::size_t mark = size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    if (mark || IsUtf8(bytes, size)) {
      char32_t c;
      for (std::size_t at = mark; at < end;) {
        // After a mark the bytes need not all be valid: a broken sequence
        // is one replacement character.
        std::size_t length = Utf8Sequence(bytes, end, at, c);
        if (length == 0) length = 1, c = 0xFFFD;
        at += length;
        if (c >= 0x10000) {
          units[count++] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
          c = 0xDC00 + ((c - 0x10000) & 0x3FF);
        }
        units[count++] = static_cast<char16_t>(c);
      }
    } else {
      count = codePages.DecodeLegacy(reinterpret_cast<const char*>(bytes), end, units);
    }
  }

  // Then the units in the process code page, or as references.
  std::size_t length = 0;
  for (std::size_t i = 0; i < count; ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;  // half a pair
    }
    char bytesOf[12];
    std::size_t n = c < 0x80 ? (bytesOf[0] = static_cast<char>(c), 1) : codePages.EncodeProcess(c, bytesOf);
    if (n == 0) {
      char digits[8];
      std::size_t d = 0;
      for (char32_t rest = c; rest; rest /= 10) digits[d++] = static_cast<char>('0' + rest % 10);
      bytesOf[n++] = '&';
      bytesOf[n++] = '#';
      while (d) bytesOf[n++] = digits[--d];
      bytesOf[n++] = ';';
    }
    if (n > limit - length) return kTextTooLong;
    for (std::size_t k = 0; k < n; ++k) out[length++] = bytesOf[k];
  }
  out[length] = '\0';
  return length;
}

}  // namespace dravel

#endif
