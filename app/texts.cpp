#include "app/texts.h"

#include "res/resource.h"

namespace velbrook {

namespace {

struct TextEntry {
  int id;
  const char* text;
};

const TextEntry kTexts[] = {
#include "texts_table.inc"
};

const char kFavoriteLinks[] = {
#include "favorites_bytes.inc"
};

}  // namespace

void AppendFormatted(std::string& out, const std::string& text, const std::string& first,
                     const std::string& second) {
  std::size_t done = 0;
  for (std::size_t at = text.find('%'); at != std::string::npos && at + 1 < text.size();
       at = text.find('%', at + 1)) {
    const char digit = text[at + 1];
    if (digit != '1' && digit != '2') continue;
    out.append(text, done, at - done);
    out += digit == '1' ? first : second;
    done = at + 2;
    ++at;
  }
  out.append(text, done, std::string::npos);
}

std::string FormatText(const std::string& text, const std::string& first,
                       const std::string& second) {
  std::string out;
  out.reserve(text.size() + first.size() + second.size());
  AppendFormatted(out, text, first, second);
  return out;
}

const char* FindBuiltinText(int id) {
  for (const TextEntry& entry : kTexts) {
    if (entry.id == id) return entry.text;
  }
  return nullptr;
}

std::string BuiltinTexts::Load(int id) const {
  const char* text = FindBuiltinText(id);
  if (!text) throw ResourceError("no string-table entry " + std::to_string(id));
  return text;
}

std::string BuiltinTexts::LoadFavoriteLinks() const {
  return std::string(kFavoriteLinks, sizeof kFavoriteLinks);
}

}  // namespace velbrook
