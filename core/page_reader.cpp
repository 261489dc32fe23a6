#include "core/page_reader.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/file_paths.h"
#include "core/link_entry.h"
#include "core/page_format.h"
#include "res/resource.h"

namespace velbrook {

using namespace page_format;

namespace {

using View = std::string_view;

const std::size_t kLineEndLength = sizeof kLineEnd - 1;

bool StartsWith(View text, View piece) { return text.substr(0, piece.size()) == piece; }

bool EndsWith(View text, View piece) {
  return text.size() >= piece.size() && text.substr(text.size() - piece.size()) == piece;
}

// Takes `piece` off the front (Take) or the end (TakeBack) of `rest` when it
// stands there.
bool Take(View& rest, View piece) {
  if (!StartsWith(rest, piece)) return false;
  rest.remove_prefix(piece.size());
  return true;
}

bool TakeBack(View& rest, View piece) {
  if (!EndsWith(rest, piece)) return false;
  rest.remove_suffix(piece.size());
  return true;
}

// Takes the text up to the first `end` and `end` itself.
bool TakeUntil(View& rest, View end, std::string& text) {
  const std::size_t at = rest.find(end);
  if (at == View::npos) return false;
  text.assign(rest.substr(0, at));
  rest.remove_prefix(at + end.size());
  return true;
}

// "#RRGGBB" as the writer formats a colour: upper-case digits only.
bool TakeColor(View& rest, View name, COLORREF& color) {
  if (!Take(rest, name) || !Take(rest, "#") || rest.size() < 6) return false;
  COLORREF rgb = 0;
  for (int i = 0; i < 6; ++i) {
    const char c = rest[i];
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    rgb = rgb << 4 | static_cast<COLORREF>(digit);
  }
  rest.remove_prefix(6);
  color = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
  return true;
}

// An optional colour attribute: absent, or present and well formed.
bool TakeColorAttribute(View& rest, View name, COLORREF& color, BOOL& chosen) {
  chosen = StartsWith(rest, name);
  return !chosen || TakeColor(rest, name, color);
}

// For every position i of `text`, how many characters from i on agree with
// the start of `text`.
std::vector<std::size_t> PrefixMatches(View text) {
  std::vector<std::size_t> z(text.size() + 1, 0);
  z[0] = text.size();
  for (std::size_t i = 1, left = 0, right = 0; i < text.size(); ++i) {
    if (i < right) z[i] = std::min(right - i, z[i - left]);
    while (i + z[i] < text.size() && text[z[i]] == text[i + z[i]]) ++z[i];
    if (i + z[i] > right) left = i, right = i + z[i];
  }
  return z;
}

// The ALT text with each "&quot;" the writer wrote turned back into the
// quote, in one pass: replacing them in place would move the rest of the
// text once for each.
std::string WithQuotes(View text) {
  const View reference = kQuoteReference;
  std::string quoted;
  quoted.reserve(text.size());
  for (std::size_t done = 0;;) {
    const std::size_t at = text.find(reference, done);
    quoted.append(text.substr(done, at == View::npos ? View::npos : at - done));
    if (at == View::npos) return quoted;
    quoted += kAttributeClose;
    done = at + reference.size();
  }
}

class PageReader {
 public:
  PageReader(const TextSource& texts, const std::string& pagePath, const CodePage& rawCodePage)
      : m_texts(texts),
        m_rawCodePage(rawCodePage),
        m_pageDir(PageDirectory(pagePath)),
        m_centerOpen(texts.Load(IDS_CENTER_OPEN)),
        m_centerClose(texts.Load(IDS_CENTER_CLOSE)),
        m_paragraph(texts.Load(IDS_PARAGRAPH)),
        m_rule(texts.Load(IDS_RULE)),
        m_title(Pieces(IDS_TITLE_BLOCK, 1)),
        m_header(Pieces(IDS_HEADER_BLOCK, 1)),
        m_subHeader(Pieces(IDS_SUBHEADER_BLOCK, 1)),
        m_picture(Pieces(IDS_PICTURE_LINE, 1)),
        m_item(Pieces(IDS_ITEM_LINE, 1)),
        m_link(Pieces(IDS_LINK_LINE, 3)),
        m_email(Pieces(IDS_EMAIL_BLOCK, 2)),
        m_sound(Pieces(IDS_SOUND_LINE, 1)) {}

  bool Read(View page, PageSettings& s) const {
    return ReadHead(page, s) && ReadBodyTag(page, s) && ReadTop(page, s) && ReadBottom(page, s);
  }

 private:
  // Reads one optional section off the end of `rest`; false when it is not there.
  typedef bool (PageReader::*Section)(View&, PageSettings&) const;

  // The template `id` cut at its placeholders. A string table whose
  // template has another shape is one the reader cannot follow: a resource
  // failure, like a missing text.
  std::vector<std::string> Pieces(int id, std::size_t placeholders) const {
    std::vector<std::string> pieces = TemplatePieces(m_texts.Load(id));
    if (pieces.size() != placeholders + 1) throw ResourceError("unexpected template " + std::to_string(id));
    return pieces;
  }

  bool ReadHead(View& rest, PageSettings& s) const {
    TitleSettings& title = s.title;
    title.m_bHTML3 = Take(rest, kDoctype);
    if (!Take(rest, kHtmlOpen) || (Take(rest, kLanguageOpen) && !TakeUntil(rest, kAttributeClose, title.m_strLanguage)) ||
        !Take(rest, kDocumentHead)) {
      return false;
    }
    title.m_strLanguage = Plain(title.m_strLanguage);
    title.m_bFitPhone = Take(rest, kPhoneViewport);
    if (Take(rest, m_title[0])) {
      if (!TakeUntil(rest, m_title[1] + kBodyStart, title.m_strWindowTitle)) return false;
      title.m_strWindowTitle = Plain(title.m_strWindowTitle);
      return true;
    }
    return Take(rest, kTitlePlaceholder) && Take(rest, kBodyStart);
  }

  // The BODY tag's attributes. The background picture's name ends at the
  // first quote after which the tag ends as the writer ends it.
  bool ReadBodyTag(View& rest, PageSettings& s) const {
    BackgroundSettings& background = s.background;
    if (!TakeColorAttribute(rest, kBackgroundColor, background.m_crBackground, background.m_bUseColor)) return false;
    background.m_bUseBitmap = Take(rest, kBackgroundOpen);
    if (!background.m_bUseBitmap) return ReadBodyTagEnd(rest, s);
    // Only the next attribute (each starts with a blank) or the tag's end
    // can follow the name's quote. The next quote of each kind is kept, so
    // that each search goes over the tag once however many quotes the name
    // holds; each looks for the rarer character after the quote.
    const auto quoteBefore = [rest](char next, std::size_t from) {
      for (std::size_t at = rest.find(next, from + 1); at != View::npos; at = rest.find(next, at + 1)) {
        if (rest[at - 1] == kAttributeClose[0]) return at - 1;
      }
      return View::npos;
    };
    const char blankNext = kTextColor[0], endNext = kBodyTagEnd[0];
    std::size_t blank = quoteBefore(blankNext, 0), end = quoteBefore(endNext, 0);
    while (blank != View::npos || end != View::npos) {
      const std::size_t quote = std::min(blank, end);
      View after = rest.substr(quote + 1);
      if (ReadBodyTagEnd(after, s)) {
        background.m_strBitmapFile = BesidePage(rest.substr(0, quote));
        rest = after;
        return true;
      }
      if (quote == blank) {
        blank = quoteBefore(blankNext, quote + 1);
      } else {
        end = quoteBefore(endNext, quote + 1);
      }
    }
    return false;
  }

  bool ReadBodyTagEnd(View& rest, PageSettings& s) const {
    ColorSettings color;
    View r = rest;
    if (!TakeColorAttribute(r, kTextColor, color.m_crText, color.m_bTextChosen) ||
        !TakeColorAttribute(r, kLinkColor, color.m_crLink, color.m_bLinkChosen) ||
        !TakeColorAttribute(r, kVLinkColor, color.m_crVLink, color.m_bVLinkChosen)) {
      return false;
    }
    const BOOL fixed = Take(r, kFixedBackground);
    if (!Take(r, kBodyTagEnd)) return false;
    s.color = color;
    s.background.m_bFixedBackground = fixed;
    rest = r;
    return true;
  }

  // The sound, the headers and the picture: each known by how it starts.
  bool ReadTop(View& rest, PageSettings& s) const {
    std::string name;
    if (Take(rest, m_sound[0])) {
      if (!TakeUntil(rest, m_sound[1], name)) return false;
      s.background.m_strSoundFile = BesidePage(name);
    }
    TitleSettings& title = s.title;
    if (!ReadHeading(rest, m_header, title.m_strHeader, title.m_bCenterHeader) || !Take(rest, m_rule) ||
        !ReadHeading(rest, m_subHeader, title.m_strSubHeader, title.m_bCenterSubHeader)) {
      return false;
    }
    PictureSettings& picture = s.picture;
    View r = rest;
    picture.m_bCenterPicture = Take(r, m_centerOpen);
    picture.m_bFramePicture = Take(r, kFrameOpen);
    picture.m_bIncludePicture = Take(r, m_picture[0]);
    if (!picture.m_bIncludePicture) {
      picture.m_bCenterPicture = picture.m_bFramePicture = FALSE;
      return true;
    }
    const std::string nameEnd = s.title.m_bFitPhone ? kPhonePictureWidth + m_picture[1] : m_picture[1];
    if (!TakeUntil(r, nameEnd, name) ||
        (picture.m_bFramePicture && !Take(r, kFrameClose)) || (picture.m_bCenterPicture && !Take(r, m_centerClose))) {
      return false;
    }
    // A file name holds no quote, so the description starts at the first.
    const std::size_t description = name.find(kPictureDescription);
    if (description != std::string::npos) {
      picture.m_strDescription = Plain(WithQuotes(View(name).substr(description + sizeof kPictureDescription - 1)));
      name.resize(description);
    }
    picture.m_strPictureFile = BesidePage(name);
    rest = r;
    return true;
  }

  bool ReadHeading(View& rest, const std::vector<std::string>& block, std::string& text, BOOL& centred) const {
    centred = StartsWith(rest, m_centerOpen + block[0]);
    if (centred) rest.remove_prefix(m_centerOpen.size());
    if (!Take(rest, block[0])) return true;
    if (!TakeUntil(rest, block[1], text) || (centred && !Take(rest, m_centerClose)) || !Take(rest, kLineEnd)) return false;
    text = Plain(text);
    return true;
  }

  // From the end of the page back to the page text: the document end, the
  // e-mail address, the credit line, then the three optional sections.
  bool ReadBottom(View rest, PageSettings& s) const {
    if (!TakeBack(rest, kDocumentEnd)) return false;
    if (EndsWith(rest, m_email[2])) {
      rest.remove_suffix(m_email[2].size());
      const std::size_t start = rest.rfind(m_email[0]);
      if (start == View::npos) return false;
      View inner = rest.substr(start + m_email[0].size());
      // The link is "mailto:" and the address, or, on a page of the earlier
      // form or with "mailto:" typed, the address as the link shows it.
      View address;
      if (!SameTwice(inner, address) && !(Take(inner, kMailScheme) && SameTwice(inner, address))) return false;
      s.footer.m_strEMail = Plain(address);
      rest = rest.substr(0, start);
    }
    if (!TakeBack(rest, m_texts.Load(IDS_CREDIT))) return false;
    return ReadSections(rest, 0, s);
  }

  // The "Last updated" line, the link list and the item list, read from the
  // end in that order; each may be there or not. A section that reads but
  // leaves no page text before it that reads is taken as part of the page
  // text instead.
  bool ReadSections(View rest, int section, PageSettings& s) const {
    static const Section kSections[] = {&PageReader::TakeLastUpdated, &PageReader::TakeLinks,
                                        &PageReader::TakeItems};
    if (section == static_cast<int>(sizeof kSections / sizeof kSections[0])) return ReadText(rest, s);
    PageSettings with = s;
    View r = rest;
    if ((this->*kSections[section])(r, with) && ReadSections(r, section + 1, with)) {
      s = std::move(with);
      return true;
    }
    return ReadSections(rest, section + 1, s);
  }

  // The e-mail link's reference and its text: the same text, so the
  // length tells where the one ends.
  bool SameTwice(View inner, View& text) const {
    const std::size_t twice = inner.size() - std::min(inner.size(), m_email[1].size());
    text = inner.substr(0, twice / 2);
    return twice % 2 == 0 && inner == std::string(text) + m_email[1] + std::string(text);
  }

  bool ReadText(View rest, PageSettings& s) const {
    if (rest.empty()) return true;
    if (!Take(rest, m_paragraph) || !TakeBack(rest, kLineEnd) || rest.empty()) return false;
    s.text.m_strText = Plain(rest);
    return true;
  }

  bool TakeLastUpdated(View& rest, PageSettings& s) const {
    const std::string start = m_paragraph + kLastUpdatedComment;
    const std::size_t at = rest.rfind(start);
    if (at == View::npos) return false;
    View r = rest.substr(at + start.size());
    FooterSettings& footer = s.footer;
    footer.m_bCenterLastUpdated = Take(r, m_centerOpen);
    if (!Take(r, kSmallFontOpen)) return false;
    footer.m_nLastUpdatedStyle = Take(r, kMarqueeOpen) ? 1 : Take(r, kBlinkOpen) ? 2 : 0;
    // The time is the run's own and is not kept; only its form is checked.
    const View timeFormat = kTimeFormat;
    std::string time;
    if (!Take(r, timeFormat.substr(0, timeFormat.find('%'))) || !TakeUntil(r, kLineEnd, time)) return false;
    const int style = footer.m_nLastUpdatedStyle;
    const char* close = style == 1 ? kMarqueeClose : style == 2 ? kBlinkClose : "";
    if (!Take(r, close) || !Take(r, kSmallFontClose) || (footer.m_bCenterLastUpdated && !Take(r, m_centerClose)) ||
        !r.empty()) {
      return false;
    }
    footer.m_bLastUpdated = TRUE;
    rest = rest.substr(0, at);
    return true;
  }

  // Link lines from the last back to the list's start. Neither part of a
  // link holds a line break, so a line starts after the last one before it.
  bool TakeLinks(View& rest, PageSettings& s) const {
    View r = rest;
    if (!TakeBack(r, kLinkListClose)) return false;
    LinkSettings& links = s.links;
    links.m_bFavorites = TakeBack(r, m_texts.LoadFavoriteLinks());
    const std::string lineStart = kLineEnd + m_link[0];
    std::vector<std::string> entries;
    while (!TakeBack(r, kLinkListOpen)) {
      const std::size_t at = r.rfind(lineStart);
      if (at == View::npos || !ReadLinkLine(r.substr(at + lineStart.size()), entries)) return false;
      r = r.substr(0, at + kLineEndLength);
    }
    if (entries.empty() && !links.m_bFavorites) return false;
    links.m_arrLinks.assign(entries.rbegin(), entries.rend());
    links.m_nLinks = static_cast<int>(entries.size());
    rest = r;
    return true;
  }

  // One link line after its "<LI><A HREF=": the reference is written twice,
  // so it ends at the first quote and bracket after which it stands again.
  bool ReadLinkLine(View line, std::vector<std::string>& entries) const {
    if (!TakeBack(line, m_link[3])) return false;
    const std::vector<std::size_t> repeats = PrefixMatches(line);
    const View between = m_link[1], after = m_link[2];
    for (std::size_t end = line.find(between); end != View::npos; end = line.find(between, end + 1)) {
      if (repeats[end + between.size()] < end) continue;
      View title = line.substr(end + between.size() + end);
      if (!Take(title, after)) continue;
      entries.push_back(ComposeLinkEntry(Plain(line.substr(0, end)), Plain(title)));
      return true;
    }
    return false;
  }

  // Item lines from the last back, then the list's title line. An item
  // holds no line break, nor does the title; the title may itself start like
  // an item, so the list starts at the first line that reads as its title.
  bool TakeItems(View& rest, PageSettings& s) const {
    View r = rest;
    if (!TakeBack(r, kItemListClose)) return false;
    const std::string lineStart = kLineEnd + m_item[0];
    std::vector<std::size_t> starts;  // where each item line starts, last first
    View lines = r;
    while (TakeBack(lines, m_item[1])) {
      const std::size_t at = lines.rfind(lineStart);
      if (at == View::npos || lines.find(kLineEnd, at + lineStart.size()) != View::npos) break;
      starts.push_back(at + kLineEndLength);
      lines = lines.substr(0, starts.back());
    }
    for (std::size_t first = starts.size(); first > 0; --first) {
      View head = r.substr(0, starts[first - 1]);
      if (!TakeBack(head, kItemListOpen)) continue;
      const std::size_t titleStart = head.rfind(kLineEnd);
      if (titleStart == View::npos) continue;
      const View listTitle = head.substr(titleStart + kLineEndLength);
      head.remove_suffix(listTitle.size());
      if (!TakeBack(head, m_paragraph)) continue;
      ItemSettings& items = s.items;
      items.m_strListTitle = Plain(listTitle);
      items.m_arrItems.clear();
      for (std::size_t i = first; i > 0; --i) {
        const std::size_t begin = starts[i - 1] + m_item[0].size();
        const std::size_t end = (i > 1 ? starts[i - 2] : r.size()) - m_item[1].size();
        items.m_arrItems.push_back(Plain(r.substr(begin, end - begin)));
      }
      items.m_nItems = static_cast<int>(items.m_arrItems.size());
      rest = head;
      return true;
    }
    return false;
  }

  // The page's directory and the bare name the page names: where the copy
  // offer finds the file beside the page.
  std::string BesidePage(View name) const { return m_pageDir + Plain(name); }
  // A user's text as the page holds it, back in the code page's bytes. A
  // page of the earlier form holds raw 8-bit text: it is taken in the code
  // page the whole page was found to be in.
  std::string Plain(View text) const {
    const CodePage& codePage = m_texts.TextCodePage();
    if (IsAscii(text)) return WithoutReferences(text, codePage);
    return WithoutReferences(Recode(text, m_rawCodePage, codePage), codePage);
  }
  static std::string PageDirectory(const std::string& pagePath) {
    const PathParts parts = SplitPath(pagePath);
    return parts.drive + parts.dir;
  }

  const TextSource& m_texts;
  const CodePage& m_rawCodePage;
  const std::string m_pageDir;
  const std::string m_centerOpen, m_centerClose, m_paragraph, m_rule;
  const std::vector<std::string> m_title, m_header, m_subHeader, m_picture, m_item, m_link, m_email, m_sound;
};

// A page sent to a UNIX host as text and fetched back has LF where the
// writer wrote CR LF. When no CR LF is left at all, every LF was one of
// them; otherwise the page is read as it stands (a lone LF there belongs to
// a text the user gave).
std::string WithWriterLineEnds(const std::string& page) {
  if (page.find(kLineEnd) != std::string::npos) return page;
  std::string restored;
  restored.reserve(page.size() + page.size() / 16);
  for (char c : page) {
    if (c == '\n') restored += '\r';
    restored += c;
  }
  return restored;
}

}  // namespace

std::string PageArgument(const std::string& commandLine) {
  const std::size_t start = commandLine.find_first_not_of(" \t");
  if (start == std::string::npos) return std::string();
  if (commandLine[start] == '"') {
    const std::size_t close = commandLine.find('"', start + 1);
    return commandLine.substr(start + 1, close == std::string::npos ? std::string::npos : close - start - 1);
  }
  return commandLine.substr(start, commandLine.find_last_not_of(" \t") + 1 - start);
}

bool ReadPage(const std::string& page, const std::string& pagePath, const TextSource& texts,
              PageSettings& settings) {
  PageSettings read;
  // This version writes pure ASCII. An earlier one wrote the code page's
  // bytes as they were: read as UTF-8 when they are UTF-8 (a page of a
  // UTF-8 process, or of any one where every text was ASCII), else in the
  // user's legacy ANSI code page, the one that earlier version ran in.
  const CodePage& rawCodePage = IsUtf8(page) ? Utf8CodePage() : texts.LegacyCodePage();
  if (!PageReader(texts, pagePath, rawCodePage).Read(WithWriterLineEnds(page), read)) return false;
  read.file.m_strFileName = pagePath;
  read.file.m_bClipboard = FALSE;
  settings = std::move(read);
  return true;
}

bool ReadPageFile(const std::string& path, const TextSource& texts, PageSettings& settings) {
  try {
    std::string page;
    return ReadFileUpTo(path, kMaxPageBytes, page) && ReadPage(page, path, texts, settings);
  } catch (...) {
    // Out of memory, a text the reader needs missing, or anything else:
    // the page is not read, and the wizard starts empty.
    return false;
  }
}

}  // namespace velbrook
