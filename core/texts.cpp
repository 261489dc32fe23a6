#include "core/texts.h"

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

namespace {

// Walks `text` as pieces of itself (`literal(start, length)`) and "%1"/"%2"
// placeholders (`argument(1 or 2)`), in order.
template <typename Literal, typename Argument>
void ScanPlaceholders(const std::string& text, Literal literal, Argument argument) {
  std::size_t done = 0;
  for (std::size_t at = text.find('%'); at != std::string::npos && at + 1 < text.size();
       at = text.find('%', at + 1)) {
    const char digit = text[at + 1];
    if (digit != '1' && digit != '2') continue;
    if (at > done) literal(done, at - done);
    argument(digit - '0');
    done = at + 2;
    ++at;
  }
  if (done < text.size()) literal(done, text.size() - done);
}

}  // namespace

void AppendFormatted(std::string& out, const std::string& text, const std::string& first,
                     const std::string& second) {
  ScanPlaceholders(
      text, [&](std::size_t start, std::size_t length) { out.append(text, start, length); },
      [&](int argument) { out += argument == 1 ? first : second; });
}

std::vector<std::string> TemplatePieces(const std::string& text) {
  std::vector<std::string> pieces(1);
  ScanPlaceholders(
      text, [&](std::size_t start, std::size_t length) { pieces.back().append(text, start, length); },
      [&](int) { pieces.emplace_back(); });
  return pieces;
}

PreparedText::PreparedText(std::string text) : m_text(std::move(text)) {
  ScanPlaceholders(
      m_text, [this](std::size_t start, std::size_t length) { m_pieces.push_back({start, length, 0}); },
      [this](int argument) { m_pieces.push_back({0, 0, argument}); });
}

void PreparedText::AppendTo(std::string& out, std::string_view first, std::string_view second) const {
  for (const Piece& piece : m_pieces) {
    if (piece.argument == 0) {
      out.append(m_text, piece.start, piece.length);
    } else {
      out += piece.argument == 1 ? first : second;
    }
  }
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
