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

std::string FormatText(const std::string& text, const std::string& first,
                       const std::string& second) {
  std::string out;
  out.reserve(text.size() + first.size() + second.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
      out += text[i + 1] == '1' ? first : second;
      ++i;
    } else {
      out += text[i];
    }
  }
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
