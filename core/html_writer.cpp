#include "core/html_writer.h"

#include <cstdio>

#include "core/link_entry.h"
#include "core/page_format.h"
#include "core/text_rules.h"
#include "res/resource.h"

namespace velbrook {

using namespace page_format;

namespace {

// About the size of the page for `settings`, so that the page text can be
// allocated once instead of growing step by step through the lists.
std::size_t EstimatePageSize(const PageSettings& settings) {
  std::size_t size = 2048 + settings.text.m_strText.size() + settings.items.m_strListTitle.size();
  for (const std::string& item : settings.items.m_arrItems) size += item.size() + 8;
  for (const std::string& link : settings.links.m_arrLinks) size += 2 * link.size() + 32;
  if (settings.links.m_bFavorites) size += 1200;
  return size;
}

// Which of the three files the page refers to; the background picture is
// named even when no file was chosen for it.
bool RefersToBackground(const PageSettings& settings) { return settings.background.m_bUseBitmap; }
bool RefersToSound(const PageSettings& settings) { return !settings.background.m_strSoundFile.empty(); }
bool RefersToPicture(const PageSettings& settings) {
  return settings.picture.m_bIncludePicture && !settings.picture.m_strPictureFile.empty();
}

}  // namespace

std::tm LocalTime(std::time_t when) {
  // The runtime has no local time for a time past what it can represent,
  // nor for the -1 of a clock that could not be read.
  const std::tm* local = std::localtime(&when);
  return local ? *local : std::tm{};
}

std::tm LocalClock::Now() const { return LocalTime(std::time(nullptr)); }

std::string FormatHtmlColor(COLORREF color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned>(color & 0xFF),
                static_cast<unsigned>((color >> 8) & 0xFF), static_cast<unsigned>((color >> 16) & 0xFF));
  return text;
}

PageFiles ResolveFiles(const PageSettings& settings, const std::function<std::string(const std::string&)>& resolve) {
  PageFiles files;
  if (RefersToBackground(settings)) files.background = resolve(settings.background.m_strBitmapFile);
  if (RefersToSound(settings)) files.sound = resolve(settings.background.m_strSoundFile);
  if (RefersToPicture(settings)) files.picture = resolve(settings.picture.m_strPictureFile);
  return files;
}

void BuildPage(const PageSettings& settings, const PageFiles& files, std::string& page, const TextSource& texts,
               const Clock& clock) {
  const std::string centerOpen = texts.Load(IDS_CENTER_OPEN);
  const std::string centerClose = texts.Load(IDS_CENTER_CLOSE);
  const std::string paragraph = texts.Load(IDS_PARAGRAPH);
  const std::string rule = texts.Load(IDS_RULE);
  page.reserve(page.size() + EstimatePageSize(settings));
  // Everything the user gave goes on the page as pure ASCII.
  const CodePage& codePage = texts.TextCodePage();
  const auto ascii = [&codePage](std::string_view text) { return WithReferences(text, codePage); };

  const TitleSettings& title = settings.title;
  const BackgroundSettings& background = settings.background;
  const ColorSettings& color = settings.color;
  const PictureSettings& picture = settings.picture;
  const ItemSettings& items = settings.items;
  const LinkSettings& links = settings.links;
  const FooterSettings& footer = settings.footer;

  if (title.m_bHTML3) page += kDoctype;
  page += kHtmlOpen;
  if (!title.m_strLanguage.empty()) page += kLanguageOpen + ascii(title.m_strLanguage) + kAttributeClose;
  page += kDocumentHead;
  if (title.m_bFitPhone) page += kPhoneViewport;
  if (!title.m_strWindowTitle.empty()) {
    AppendFormatted(page, texts.Load(IDS_TITLE_BLOCK), ascii(title.m_strWindowTitle));
  } else {
    page += kTitlePlaceholder;
  }

  page += kBodyStart;
  if (background.m_bUseColor) page += kBackgroundColor + FormatHtmlColor(background.m_crBackground);
  if (RefersToBackground(settings)) page += kBackgroundOpen + ascii(files.background) + kAttributeClose;
  if (color.m_bTextChosen) page += kTextColor + FormatHtmlColor(color.m_crText);
  if (color.m_bLinkChosen) page += kLinkColor + FormatHtmlColor(color.m_crLink);
  if (color.m_bVLinkChosen) page += kVLinkColor + FormatHtmlColor(color.m_crVLink);
  if (background.m_bFixedBackground) page += kFixedBackground;
  page += kBodyTagEnd;

  if (RefersToSound(settings)) AppendFormatted(page, texts.Load(IDS_SOUND_LINE), ascii(files.sound));

  if (!title.m_strHeader.empty()) {
    if (title.m_bCenterHeader) page += centerOpen;
    AppendFormatted(page, texts.Load(IDS_HEADER_BLOCK), ascii(title.m_strHeader));
    if (title.m_bCenterHeader) page += centerClose;
    page += kLineEnd;
  }
  page += rule;
  if (!title.m_strSubHeader.empty()) {
    if (title.m_bCenterSubHeader) page += centerOpen;
    AppendFormatted(page, texts.Load(IDS_SUBHEADER_BLOCK), ascii(title.m_strSubHeader));
    if (title.m_bCenterSubHeader) page += centerClose;
    page += kLineEnd;
  }

  if (RefersToPicture(settings)) {
    if (picture.m_bCenterPicture) page += centerOpen;
    if (picture.m_bFramePicture) page += kFrameOpen;
    std::string attributes = ascii(files.picture);
    if (!picture.m_strDescription.empty()) {
      attributes += kPictureDescription;
      for (const char c : ascii(picture.m_strDescription)) {
        if (c == '"') {
          attributes += kQuoteReference;
        } else {
          attributes += c;
        }
      }
    }
    if (title.m_bFitPhone) attributes += kPhonePictureWidth;
    AppendFormatted(page, texts.Load(IDS_PICTURE_LINE), attributes);
    if (picture.m_bFramePicture) page += kFrameClose;
    if (picture.m_bCenterPicture) page += centerClose;
  }

  if (!settings.text.m_strText.empty()) {
    page += paragraph;
    AppendWithReferences(page, settings.text.m_strText, codePage);
    page += kLineEnd;
  }

  if (!items.m_arrItems.empty()) {
    page += paragraph;
    AppendWithReferences(page, items.m_strListTitle, codePage);
    page += kItemListOpen;
    const PreparedText itemLine(texts.Load(IDS_ITEM_LINE));
    const std::size_t count = CountedEntries(items.m_nItems, items.m_arrItems);
    std::string buffer;
    for (std::size_t i = 0; i < count; ++i) itemLine.AppendTo(page, AsAscii(items.m_arrItems[i], codePage, buffer));
    page += kItemListClose;
  }

  const bool linkList = links.m_nLinks > 0 || links.m_bFavorites;
  if (linkList) {
    page += kLinkListOpen;
    const PreparedText linkLine(texts.Load(IDS_LINK_LINE));
    const std::size_t count = CountedEntries(links.m_nLinks, links.m_arrLinks);
    std::string reference, title;
    for (std::size_t i = 0; i < count; ++i) {
      const auto parts = SplitLinkEntryView(links.m_arrLinks[i]);
      linkLine.AppendTo(page, AsAscii(parts.first, codePage, reference), AsAscii(parts.second, codePage, title));
    }
  }
  if (links.m_bFavorites) page += texts.LoadFavoriteLinks();
  if (linkList) page += kLinkListClose;

  if (footer.m_bLastUpdated) {
    page += paragraph;
    page += kLastUpdatedComment;
    if (footer.m_bCenterLastUpdated) page += centerOpen;
    page += kSmallFontOpen;
    if (footer.m_nLastUpdatedStyle == 1) page += kMarqueeOpen;
    if (footer.m_nLastUpdatedStyle == 2) page += kBlinkOpen;
    const std::tm now = clock.Now();
    char line[128];
    const std::size_t length = std::strftime(line, sizeof line, kTimeFormat, &now);
    page.append(line, length);
    if (footer.m_nLastUpdatedStyle == 1) page += kMarqueeClose;
    if (footer.m_nLastUpdatedStyle == 2) page += kBlinkClose;
    page += kSmallFontClose;
    if (footer.m_bCenterLastUpdated) page += centerClose;
  }

  page += texts.Load(IDS_CREDIT);
  if (!footer.m_strEMail.empty()) {
    const std::string address = ascii(footer.m_strEMail);
    const bool mails = EqualsIgnoreAsciiCase(address.substr(0, sizeof kMailScheme - 1), kMailScheme);
    AppendFormatted(page, texts.Load(IDS_EMAIL_BLOCK), mails ? address : kMailScheme + address, address);
  }
  page += kDocumentEnd;
}

}  // namespace velbrook
