#include <limits>

#include <gtest/gtest.h>

#include "core/delivery.h"
#include "core/html_writer.h"
#include "core/page_reader.h"
#include "res/resource.h"
#include "tests/native/fixed_clock.h"
#include "tests/native/scripted_services.h"

namespace velbrook {
namespace {

const char kHead[] = "<HTML>\r\n\r\n<META NAME=\"CREATOR\" CONTENT=\"The Velbrook v1.22\">\r\n\r\n<HEAD>\r\n";
const char kCredit[] = "<P>\r\n\r\n<EM>This page was created by Korvane's Velbrook v 1.22</EM>\r\n\r\n";
const char kEnd[] = "</BODY>\r\n\r\n</HTML>\r\n";

class BuildPageTest : public ::testing::Test {
 protected:
  std::string Build() {
    std::string page;
    files = delivery.OfferCopies(settings);
    BuildPage(settings, files, page, texts, clock);
    return page;
  }
  // The page text between the end of the BODY tag and the credit line.
  std::string Body() {
    const std::string page = Build();
    const std::size_t start = page.find(">\r\n\r\n", page.find("<BODY")) + 5;
    const std::size_t end = page.rfind(kCredit);
    return page.substr(start, end - start);
  }

  PageSettings settings;
  BuiltinTexts texts;
  ScriptedServices services;
  PageDelivery delivery{services, texts};
  FixedClock clock;
  PageFiles files;
};

TEST_F(BuildPageTest, InitialSettingsGiveTheFirstWorkedExample) {
  EXPECT_EQ(std::string(kHead) + "<!-- Insert Title here -->\r\n\r\n</HEAD>\r\n\r\n<BODY>\r\n\r\n<HR>\r\n\r\n" +
                kCredit + kEnd,
            Build());
  EXPECT_TRUE(services.messages.empty());
  EXPECT_EQ(0, clock.reads) << "the clock is read only for the last-updated line";

  settings.title.m_bFitPhone = TRUE;
  EXPECT_EQ(std::string(kHead) + "<META NAME=\"viewport\" CONTENT=\"width=device-width, initial-scale=1\">\r\n" +
                "<!-- Insert Title here -->\r\n\r\n</HEAD>\r\n\r\n<BODY>\r\n\r\n<HR>\r\n\r\n" + kCredit + kEnd,
            Build())
      << "fitted to a phone: the one line more, in the head";
}

TEST_F(BuildPageTest, SecondWorkedExampleByteForByte) {
  settings.title.m_bHTML3 = TRUE;
  settings.title.m_strWindowTitle = "My page";
  settings.title.m_strHeader = "Welcome";
  settings.title.m_bCenterHeader = TRUE;
  settings.background.m_bUseColor = TRUE;
  settings.background.m_crBackground = 0xFFFFFF;
  settings.color.m_bTextChosen = TRUE;
  settings.color.m_crText = 0x0000FF;
  settings.text.m_strText = "Hello";
  settings.items.m_arrItems = {"Chess"};
  settings.items.m_nItems = 1;
  settings.links.m_arrLinks = {"a.htm : Other page"};
  settings.links.m_nLinks = 1;

  const std::string expected = std::string("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 3.0//EN\">\r\n") + kHead +
                               "<TITLE>\r\nMy page\r\n</TITLE>\r\n" + "</HEAD>\r\n\r\n<BODY" + " BGCOLOR=#FFFFFF" +
                               " TEXT=#FF0000" + ">\r\n\r\n" + "<CENTER>\r\n" + "<H1>\r\nWelcome\r\n</H1>\r\n" +
                               "</CENTER>\r\n" + "\r\n" + "<HR>\r\n\r\n" + "<P>\r\n\r\n" + "Hello" + "\r\n" +
                               "<P>\r\n\r\n" + "<UL>\r\n" + "<LI>Chess\r\n" + "\r\n</UL>\r\n\r\n" +
                               "\r\n<P>\r\n\r\n<UL>\r\n" + "<LI><A HREF=\"a.htm\">a.htm</A> Other page<BR>\r\n" +
                               "\r\n</UL>\r\n" + kCredit + kEnd;
  EXPECT_EQ(expected, Build());
}

TEST_F(BuildPageTest, LastUpdatedLineCentredWithMarquee) {
  settings.footer.m_bLastUpdated = TRUE;
  settings.footer.m_bCenterLastUpdated = TRUE;
  settings.footer.m_nLastUpdatedStyle = 1;
  EXPECT_EQ(
      "<HR>\r\n\r\n<P>\r\n\r\n<!-- \"Last updated\" field -->\r\n<CENTER>\r\n<FONT SIZE=1><MARQUEE>Last updated at "
      "14:05:09 12.07.26 (Mon)\r\n</MARQUEE>\r\n</FONT></CENTER>\r\n",
      Body());
  EXPECT_EQ(1, clock.reads);
}

TEST_F(BuildPageTest, LastUpdatedStylesWrapOrNot) {
  settings.footer.m_bLastUpdated = TRUE;
  settings.footer.m_nLastUpdatedStyle = 2;
  EXPECT_NE(std::string::npos, Body().find("<FONT SIZE=1><BLINK>Last updated at 14:05:09 12.07.26 (Mon)\r\n"
                                           "</BLINK>\r\n</FONT>"));
  for (int style : {0, 3, -1}) {
    settings.footer.m_nLastUpdatedStyle = style;
    const std::string page = Build();
    EXPECT_NE(std::string::npos, page.find("<FONT SIZE=1>Last updated at 14:05:09 12.07.26 (Mon)\r\n</FONT>" +
                                           std::string(kCredit)))
        << "style " << style;
    EXPECT_EQ(std::string::npos, page.find("MARQUEE")) << "style " << style;
    EXPECT_EQ(std::string::npos, page.find("BLINK")) << "style " << style;
  }
}

TEST_F(BuildPageTest, TitleWithoutBodyAttributesGivesABareBodyTag) {
  settings.title.m_strWindowTitle = "T";
  EXPECT_NE(std::string::npos, Build().find("<TITLE>\r\nT\r\n</TITLE>\r\n</HEAD>\r\n\r\n<BODY>\r\n\r\n"));
}

TEST_F(BuildPageTest, BodyAttributesInOrderEachOnce) {
  settings.background.m_bUseColor = TRUE;
  settings.background.m_crBackground = 0xFF8000;  // blue FF, green 80, red 0
  settings.background.m_bUseBitmap = TRUE;
  settings.background.m_strBitmapFile = "bg.gif";
  settings.background.m_bFixedBackground = TRUE;
  settings.color = {0x0000FF, TRUE, 0x00FF00, TRUE, 0x123456, TRUE};
  EXPECT_NE(std::string::npos,
            Build().find("<BODY BGCOLOR=#0080FF BACKGROUND=\"bg.gif\" TEXT=#FF0000 LINK=#00FF00 VLINK=#563412 "
                         "BGPROPERTIES=\"FIXED\">\r\n\r\n"));
}

TEST_F(BuildPageTest, ColourIsWrittenOnlyWhenChosen) {
  settings.color.m_crText = 0x0000FF;  // a value without its flag
  settings.background.m_crBackground = 0x0000FF;
  EXPECT_NE(std::string::npos, Build().find("<BODY>\r\n"));
}

TEST_F(BuildPageTest, BitmapSwitchedOnWithoutAFileStillWritesTheAttribute) {
  settings.background.m_bUseBitmap = TRUE;
  EXPECT_NE(std::string::npos, Build().find("<BODY BACKGROUND=\"\">"));
}

TEST_F(BuildPageTest, HeadersAroundTheRule) {
  settings.title.m_strSubHeader = "Sub";
  EXPECT_EQ("<HR>\r\n\r\n<H2>\r\nSub\r\n</H2>\r\n\r\n", Body());

  settings.title.m_strHeader = "Head";
  settings.title.m_bCenterSubHeader = TRUE;
  EXPECT_EQ("<H1>\r\nHead\r\n</H1>\r\n\r\n<HR>\r\n\r\n<CENTER>\r\n<H2>\r\nSub\r\n</H2>\r\n</CENTER>\r\n\r\n", Body());
}

TEST_F(BuildPageTest, PictureCentreWrapsFrameWrapsImage) {
  settings.picture = {TRUE, TRUE, TRUE, "me.gif"};
  EXPECT_EQ(
      "<HR>\r\n\r\n<CENTER>\r\n<TABLE BORDER=4 CELLPADDING=8>\r\n<TR>\r\n<TD>\r\n<IMG SRC=\"me.gif\">\r\n"
      "\r\n</TD>\r\n</TR>\r\n</TABLE>\r\n</CENTER>\r\n",
      Body());
  settings.title.m_bFitPhone = TRUE;
  EXPECT_EQ(
      "<HR>\r\n\r\n<CENTER>\r\n<TABLE BORDER=4 CELLPADDING=8>\r\n<TR>\r\n<TD>\r\n"
      "<IMG SRC=\"me.gif\" STYLE=\"max-width:100%\">\r\n\r\n</TD>\r\n</TR>\r\n</TABLE>\r\n</CENTER>\r\n",
      Body())
      << "fitted to a phone, a picture wider than the screen shrinks";
  settings.picture.m_strDescription = "Me";
  EXPECT_NE(std::string::npos, Body().find("<IMG SRC=\"me.gif\" ALT=\"Me\" STYLE=\"max-width:100%\">\r\n"))
      << "described, the description comes before the width";
  EXPECT_EQ("me.gif", settings.picture.m_strPictureFile);
}

TEST_F(BuildPageTest, PictureNeedsBothTheToggleAndAFile) {
  settings.picture.m_bIncludePicture = TRUE;
  EXPECT_EQ("<HR>\r\n\r\n", Body());
  settings.picture = {FALSE, TRUE, TRUE, "me.gif"};
  EXPECT_EQ("<HR>\r\n\r\n", Body());
  EXPECT_EQ("me.gif", settings.picture.m_strPictureFile) << "no offer for a picture that is not written";
}

TEST_F(BuildPageTest, ItemListWithAndWithoutTitle) {
  settings.items.m_arrItems = {"one", "two"};
  settings.items.m_nItems = 2;
  EXPECT_EQ("<HR>\r\n\r\n<P>\r\n\r\n<UL>\r\n<LI>one\r\n<LI>two\r\n\r\n</UL>\r\n\r\n", Body());
  settings.items.m_strListTitle = "Hobbies";
  EXPECT_EQ("<HR>\r\n\r\n<P>\r\n\r\nHobbies<UL>\r\n<LI>one\r\n<LI>two\r\n\r\n</UL>\r\n\r\n", Body());
}

TEST_F(BuildPageTest, ListCountsThatDisagreeWithTheListsNeverReadPastThem) {
  settings.items.m_arrItems = {"one"};
  settings.items.m_nItems = 5;
  settings.links.m_arrLinks = {"a : b"};
  settings.links.m_nLinks = 3;
  EXPECT_EQ(
      "<HR>\r\n\r\n<P>\r\n\r\n<UL>\r\n<LI>one\r\n\r\n</UL>\r\n\r\n\r\n<P>\r\n\r\n<UL>\r\n"
      "<LI><A HREF=\"a\">a</A> b<BR>\r\n\r\n</UL>\r\n",
      Body());
  // A count of links with an empty list still opens and closes the list.
  settings.items = ItemSettings();
  settings.links.m_arrLinks.clear();
  EXPECT_EQ("<HR>\r\n\r\n\r\n<P>\r\n\r\n<UL>\r\n\r\n</UL>\r\n", Body());
}

TEST_F(BuildPageTest, LinkEntriesSplitAtTheFirstSeparator) {
  settings.links.m_arrLinks = {"a : b : c", "x.htm : ", "plain", "http://h/p?q= : t"};
  settings.links.m_nLinks = 4;
  EXPECT_EQ(
      "<HR>\r\n\r\n\r\n<P>\r\n\r\n<UL>\r\n"
      "<LI><A HREF=\"a\">a</A> b : c<BR>\r\n"
      "<LI><A HREF=\"x.htm\">x.htm</A> <BR>\r\n"
      "<LI><A HREF=\"plain\">plain</A> <BR>\r\n"
      "<LI><A HREF=\"http://h/p?q=\">http://h/p?q=</A> t<BR>\r\n"
      "\r\n</UL>\r\n",
      Body());
}

TEST_F(BuildPageTest, FavouriteLinksOnlyAndAfterEntries) {
  const std::string favorites = texts.LoadFavoriteLinks();
  settings.links.m_bFavorites = TRUE;
  EXPECT_EQ("<HR>\r\n\r\n\r\n<P>\r\n\r\n<UL>\r\n" + favorites + "\r\n</UL>\r\n", Body());
  settings.links.m_arrLinks = {"a : b"};
  settings.links.m_nLinks = 1;
  EXPECT_EQ("<HR>\r\n\r\n\r\n<P>\r\n\r\n<UL>\r\n<LI><A HREF=\"a\">a</A> b<BR>\r\n" + favorites + "\r\n</UL>\r\n",
            Body());
}

// The link mails, and shows the address as it was typed.
TEST_F(BuildPageTest, EMailBlockLinksToMailAndClosesAddress) {
  const struct {
    const char* typed;
    const char* link;
  } cases[] = {
      {"me@example.org", "<A HREF=\"mailto:me@example.org\">me@example.org</A>"},
      {"mailto:me@example.org", "<A HREF=\"mailto:me@example.org\">mailto:me@example.org</A>"},
      {"MailTo:me@example.org", "<A HREF=\"MailTo:me@example.org\">MailTo:me@example.org</A>"},
      {"j\xF6rg@example.org", "<A HREF=\"mailto:j&#246;rg@example.org\">j&#246;rg@example.org</A>"},
  };
  for (const auto& c : cases) {
    settings.footer.m_strEMail = c.typed;
    const std::string page = Build();
    EXPECT_EQ(std::string(kCredit) + "<HR>\r\n\r\n<P>My e-mail address:\r\n<ADDRESS>\r\n" + c.link +
                  "\r\n</ADDRESS>\r\n\r\n<P>\r\n" + kEnd,
              page.substr(page.find(kCredit)))
        << c.typed;
  }
}

// A double-byte code page in miniature: 0x82 0xA0 is U+3042, 0x83 0x5C is
// U+30BD (its trail byte is the backslash), 0x84 0x40 is U+1F600, which
// takes a surrogate pair.
class TinyDoubleByteCodePage : public CodePage {
 public:
  std::u16string Decode(std::string_view text) const override {
    std::u16string units;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const std::string pair(text.substr(i, 2));
      if (pair == "\x82\xA0") units += u'\u3042', ++i;
      else if (pair == "\x83\x5C") units += u'\u30BD', ++i;
      else if (pair == "\x84\x40") units += u"\U0001F600", ++i;
      else units += static_cast<char16_t>(static_cast<unsigned char>(text[i]));
    }
    return units;
  }
  std::string Encode(char32_t c) const override {
    return c < 0x80 ? std::string(1, static_cast<char>(c)) : c == 0x3042 ? "\x82\xA0" : c == 0x30BD ? "\x83\x5C"
           : c == 0x1F600 ? "\x84\x40" : "";
  }
};
class DoubleByteTexts : public BuiltinTexts {
 public:
  const CodePage& TextCodePage() const override { return m_codePage; }
  TinyDoubleByteCodePage m_codePage;
};

// The user's texts keep their ASCII as typed, markup and ampersands
// included; every other character becomes a reference to its code point,
// from the code page the text came in. Only the description's quote is
// escaped: it would end the attribute.
TEST_F(BuildPageTest, UserTextsKeepTheirAsciiAndCarryTheRestAsReferences) {
  settings.title = {"%1 & %2 <b> J\xF6rg M\xFCller \x96 Gr\xFC\xDF" "e", "\x80", "", FALSE, FALSE, FALSE, FALSE, "de"};
  settings.text.m_strText = "  <I>line %1</I>\r\nsecond\n12 \x80 &amp; &#233;";
  settings.items = {{"%2", "B\xE4r"}, "\xDC" "ber", 2};
  settings.links = {{"\xFC.htm : Gr\xFC\xDF" "e"}, 1, FALSE};
  settings.picture = {TRUE, FALSE, FALSE, "M\xFCller.gif", "Ein \"Bild\" & \xE9"};
  settings.file.m_strFileName = "M\xFCller.htm";
  const std::string page = Build();
  const struct {
    const char* written;
  } expected[] = {
      {"<HTML LANG=\"de\">\r\n"},
      {"<TITLE>\r\n%1 & %2 <b> J&#246;rg M&#252;ller &#8211; Gr&#252;&#223;e\r\n</TITLE>"},
      {"<H1>\r\n&#8364;\r\n</H1>"},
      {"<P>\r\n\r\n  <I>line %1</I>\r\nsecond\n12 &#8364; &amp; &#233;\r\n"},
      {"&#220;ber<UL>\r\n<LI>%2\r\n<LI>B&#228;r\r\n"},
      {"<LI><A HREF=\"&#252;.htm\">&#252;.htm</A> Gr&#252;&#223;e<BR>"},
      {"<IMG SRC=\"M&#252;ller.gif\" ALT=\"Ein &quot;Bild&quot; & &#233;\">\r\n"},
  };
  for (const auto& e : expected) EXPECT_NE(std::string::npos, page.find(e.written)) << e.written << "\n" << page;
  for (const char c : page) ASSERT_LT(static_cast<unsigned char>(c), 0x80) << page;

  // From a double-byte code page: a trail byte that is ASCII is no ASCII of
  // its own, and a character past U+FFFF is one reference. Read back, the
  // page gives the bytes again.
  DoubleByteTexts doubleByte;
  settings.title.m_strWindowTitle = "\x82\xA0\x83\x5C\x84\x40!";
  std::string fromDoubleByte;
  BuildPage(settings, delivery.OfferCopies(settings), fromDoubleByte, doubleByte, clock);
  EXPECT_NE(std::string::npos, fromDoubleByte.find("<TITLE>\r\n&#12354;&#12477;&#128512;!\r\n</TITLE>"));
  PageSettings read;
  ASSERT_TRUE(ReadPage(fromDoubleByte, "C:\\home.htm", doubleByte, read));
  EXPECT_EQ("\x82\xA0\x83\x5C\x84\x40!", read.title.m_strWindowTitle);
}

TEST_F(BuildPageTest, FileReferencesAreOfferedInOrderAndReducedToBareNames) {
  settings.file.m_strFileName = "C:\\WEB\\HOME.HTM";
  settings.background.m_bUseBitmap = TRUE;
  settings.background.m_strBitmapFile = "D:\\PICS\\BG.GIF";
  settings.background.m_strSoundFile = "D:\\SND\\TUNE.MID";
  settings.picture = {TRUE, FALSE, FALSE, "c:\\web\\me.gif"};
  services.answers = {kIdYes, kIdNo};
  const std::string page = Build();

  ASSERT_EQ(2u, services.messages.size()) << "the picture lies in the page's directory";
  EXPECT_NE(std::string::npos, services.messages[0].text.find("The D:\\PICS\\BG.GIF is not"));
  EXPECT_NE(std::string::npos, services.messages[1].text.find("The D:\\SND\\TUNE.MID is not"));
  ASSERT_EQ(1u, services.copies.size());
  EXPECT_EQ("C:\\WEB\\BG.GIF", services.copies[0].second);
  EXPECT_NE(std::string::npos, page.find("<BODY BACKGROUND=\"BG.GIF\">"));
  EXPECT_NE(std::string::npos, page.find("<BGSOUND SRC=\"TUNE.MID\">\r\n\r\n<HR>"));
  EXPECT_NE(std::string::npos, page.find("<IMG SRC=\"me.gif\">"));
  EXPECT_EQ("BG.GIF", files.background);
  EXPECT_EQ("TUNE.MID", files.sound);
  EXPECT_EQ("me.gif", files.picture);

  // Written again from the same record and names, the page is the same and
  // nothing is asked: the record still holds the files where they lie.
  EXPECT_EQ("D:\\PICS\\BG.GIF", settings.background.m_strBitmapFile);
  const std::size_t asked = services.messages.size();
  for (int again = 0; again < 2; ++again) {
    std::string same;
    BuildPage(settings, files, same, texts, clock);
    EXPECT_EQ(page, same);
  }
  EXPECT_EQ(asked, services.messages.size());
  EXPECT_EQ(1u, services.copies.size());
}

// Fails on one chosen string-table entry, as a broken resource would.
class FailingTexts : public BuiltinTexts {
 public:
  explicit FailingTexts(int failing) : m_failing(failing) {}
  std::string Load(int id) const override {
    if (id == m_failing) throw ResourceError("missing");
    return BuiltinTexts::Load(id);
  }

 private:
  int m_failing;
};

TEST_F(BuildPageTest, AResourceFailureKeepsWhatWasAppendedBefore) {
  settings.title.m_strWindowTitle = "T";
  settings.items.m_arrItems = {"one"};
  settings.items.m_nItems = 1;
  FailingTexts failing(IDS_ITEM_LINE);
  std::string page = "kept";
  EXPECT_THROW(BuildPage(settings, delivery.OfferCopies(settings), page, failing, clock), ResourceError);
  EXPECT_EQ("kept" + std::string(kHead) + "<TITLE>\r\nT\r\n</TITLE>\r\n</HEAD>\r\n\r\n<BODY>\r\n\r\n<HR>\r\n\r\n"
                "<P>\r\n\r\n<UL>\r\n",
            page);
}

TEST(LocalTime, ATimeTheRuntimeCannotTellGivesZeroes) {
  const std::tm unknown = LocalTime(std::numeric_limits<std::time_t>::max());
  EXPECT_EQ(0, unknown.tm_year);
  EXPECT_EQ(0, unknown.tm_mday);
  EXPECT_EQ(71, LocalTime(400 * 86400).tm_year) << "a time it can tell: February 1971";
}

TEST(FormatHtmlColor, RedFirstUpperCaseTopByteIgnored) {
  EXPECT_EQ("#000000", FormatHtmlColor(0));
  EXPECT_EQ("#FF0000", FormatHtmlColor(0x0000FF));
  EXPECT_EQ("#0080FF", FormatHtmlColor(0xFF8000));
  EXPECT_EQ("#ABCDEF", FormatHtmlColor(0xFFEFCDAB));
}

}  // namespace
}  // namespace velbrook
