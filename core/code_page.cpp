#include "core/code_page.h"

namespace velbrook {

namespace {

// 0x80 to 0x9F of code page 1252; from 0xA0 on it is Latin-1. The five
// bytes it leaves undefined map to the C1 code points of their value, as
// Windows maps them.
const char16_t k1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

class CodePage1252 : public CodePage {
 public:
  std::u16string Decode(std::string_view text) const override {
    std::u16string units;
    units.reserve(text.size());
    for (const char c : text) {
      const unsigned char byte = static_cast<unsigned char>(c);
      units += byte >= 0x80 && byte < 0xA0 ? k1252High[byte - 0x80] : static_cast<char16_t>(byte);
    }
    return units;
  }
  std::string Encode(char32_t c) const override {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return std::string(1, static_cast<char>(c));
    for (int i = 0; i < 32; ++i) {
      if (k1252High[i] == c) return std::string(1, static_cast<char>(0x80 + i));
    }
    return std::string();
  }
};

// The length of the strict UTF-8 sequence at `text[at]` (no overlong form,
// no surrogate, nothing past U+10FFFF) and its code point, or 0.
std::size_t Utf8Length(std::string_view text, std::size_t at, char32_t& c) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
  if (length == 0 || text.size() - at < length) return 0;
  static const unsigned char kLeadBits[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  static const char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
  c = lead & kLeadBits[length];
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    c = (c << 6) | (next & 0x3F);
  }
  return c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000) ? 0 : length;
}

class CodePageUtf8 : public CodePage {
 public:
  std::u16string Decode(std::string_view text) const override {
    std::u16string units;
    units.reserve(text.size());
    char32_t c = 0;
    for (std::size_t at = 0; at < text.size();) {
      std::size_t length = Utf8Length(text, at, c);
      if (length == 0) length = 1, c = 0xFFFD;
      at += length;
      if (c >= 0x10000) {
        units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        c = 0xDC00 + ((c - 0x10000) & 0x3FF);
      }
      units += static_cast<char16_t>(c);
    }
    return units;
  }
  std::string Encode(char32_t c) const override {
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return std::string();
    const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    static const unsigned char kLead[5] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (int i = length - 1; i > 0; --i, c >>= 6) bytes[i] = static_cast<char>(0x80 | (c & 0x3F));
    bytes[0] = static_cast<char>(kLead[length] | c);
    return bytes;
  }
};

// Each character of `units` (UTF-16), a surrogate pair taken as one.
template <typename Take>
void ForEachCodePoint(const std::u16string& units, Take take) {
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    }
    take(c);
  }
}

void AppendReference(std::string& out, char32_t c) {
  out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ';';
}

}  // namespace

const CodePage& Utf8CodePage() {
  static const CodePageUtf8 codePage;
  return codePage;
}

bool IsUtf8(std::string_view text) {
  // The pages this version writes are ASCII: checked at the speed of memory.
  if (IsAscii(text)) return true;
  char32_t c;
  for (std::size_t at = 0, length; at < text.size(); at += length) {
    length = Utf8Length(text, at, c);
    if (length == 0) return false;
  }
  return true;
}

std::string Recode(std::string_view text, const CodePage& from, const CodePage& to) {
  if (&from == &to || IsAscii(text)) return std::string(text);
  std::string out;
  out.reserve(text.size());
  ForEachCodePoint(from.Decode(text), [&](char32_t c) {
    const std::string bytes = c < 0x80 ? std::string(1, static_cast<char>(c)) : to.Encode(c);
    if (bytes.empty()) {
      AppendReference(out, c);
    } else {
      out += bytes;
    }
  });
  return out;
}

std::size_t CountCharacters(std::string_view text, const CodePage& codePage) {
  if (IsAscii(text)) return text.size();
  std::size_t count = 0;
  ForEachCodePoint(codePage.Decode(text), [&count](char32_t) { ++count; });
  return count;
}

bool IsAscii(std::string_view text) {
  // No early way out: the loop then runs at the speed of memory, and most
  // texts are ASCII to their end anyway.
  unsigned char any = 0;
  for (const char c : text) any |= static_cast<unsigned char>(c);
  return any < 0x80;
}

std::string_view AsAscii(std::string_view text, const CodePage& codePage, std::string& buffer) {
  if (IsAscii(text)) return text;
  buffer.clear();
  AppendWithReferences(buffer, text, codePage);
  return buffer;
}

const CodePage& WindowsCodePage1252() {
  static const CodePage1252 codePage;
  return codePage;
}

void AppendWithReferences(std::string& out, std::string_view text, const CodePage& codePage) {
  // Most pages are all ASCII: they are copied as they are, unconverted.
  if (IsAscii(text)) {
    out.append(text);
    return;
  }
  ForEachCodePoint(codePage.Decode(text), [&out](char32_t c) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      AppendReference(out, c);
    }
  });
}

std::string WithReferences(std::string_view text, const CodePage& codePage) {
  std::string out;
  AppendWithReferences(out, text, codePage);
  return out;
}

std::string WithoutReferences(std::string_view text, const CodePage& codePage) {
  std::string out;
  out.reserve(text.size());
  std::size_t done = 0;
  for (std::size_t at = text.find("&#"); at != std::string_view::npos; at = text.find("&#", at + 1)) {
    std::size_t end = at + 2;
    unsigned long n = 0;
    while (end < text.size() && end - at < 10 && text[end] >= '0' && text[end] <= '9') {
      n = n * 10 + static_cast<unsigned long>(text[end++] - '0');
    }
    // Only the form the writer writes, so that writing the field again
    // gives the same reference back.
    if (end == at + 2 || end >= text.size() || text[end] != ';' || text[at + 2] == '0' || n < 0x80 ||
        n > 0x10FFFF || (n >= 0xD800 && n < 0xE000)) {
      continue;
    }
    const std::string bytes = codePage.Encode(static_cast<char32_t>(n));
    if (bytes.empty() || WithReferences(bytes, codePage) != text.substr(at, end + 1 - at)) continue;
    out.append(text.substr(done, at - done));
    out += bytes;
    done = end + 1;
    at = end;
  }
  out.append(text.substr(done));
  return out;
}

}  // namespace velbrook
