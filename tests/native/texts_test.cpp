#include <fstream>
#include <iterator>
#include <regex>

#include <gtest/gtest.h>

#include "core/texts.h"
#include "res/resource.h"

namespace velbrook {
namespace {

TEST(FormatText, FillsEveryOccurrenceOfBothPlaceholders) {
  EXPECT_EQ("a x b x c y", FormatText("a %1 b %1 c %2", "x", "y"));
  EXPECT_EQ("()", FormatText("(%2)", "x"));
}

TEST(FormatText, InsertsArgumentsUnchangedAndNeverExpandsThem) {
  EXPECT_EQ("[%2 <b>&amp;] [%1]", FormatText("[%1] [%2]", "%2 <b>&amp;", "%1"));
}

TEST(FormatText, KeepsOtherPercentSignsAndATrailingPercent) {
  EXPECT_EQ("100% %3 %s %", FormatText("100% %3 %s %", "x", "y"));
}

TEST(BuiltinTexts, HasEveryMessageAndTemplate) {
  BuiltinTexts texts;
  for (int id : {0, 1, 2, 3, 4, 5, 6, 7, 8, 30, 31, 32, 33, 34}) EXPECT_FALSE(texts.Load(id).empty()) << "message " << id;
  for (int id = 16; id <= 29; ++id) EXPECT_FALSE(texts.Load(id).empty()) << "template " << id;
  EXPECT_THROW(texts.Load(9), ResourceError);
}

TEST(BuiltinTexts, KeepsTheExactWordingOfKeyTexts) {
  BuiltinTexts texts;
  EXPECT_EQ("<P>\r\n\r\n<EM>This page was created by Korvane's Velbrook v 1.22</EM>\r\n\r\n",
            texts.Load(IDS_CREDIT));
  EXPECT_EQ("The Velbrook was fully completed.\nThere is no home page created.", texts.Load(IDS_CANCELLED));
  EXPECT_EQ("<IMG SRC=\"%1\">\r\n", texts.Load(IDS_PICTURE_LINE));
  // The address element is closed properly, so the rest of the page does not
  // end up inside it.
  EXPECT_EQ(
      "<HR>\r\n\r\n<P>My e-mail address:\r\n<ADDRESS>\r\n<A HREF=\"%1\">%2</A>\r\n</ADDRESS>\r\n\r\n<P>\r\n",
      texts.Load(IDS_EMAIL_BLOCK));
}

TEST(FavoriteLinks, AreElevenLinkLinesAndOneBlankLineOf1129Bytes) {
  std::ifstream file(VELBROOK_FAVORITES_FILE, std::ios::binary);
  const std::string onDisk((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::string fragment = BuiltinTexts().LoadFavoriteLinks();
  ASSERT_EQ(onDisk, fragment) << "the compiled-in fragment differs from res/favorites.html";
  ASSERT_EQ(1129u, fragment.size());
  EXPECT_EQ(std::string::npos, fragment.find('\0'));

  const std::regex line("<LI><A HREF=\"(https://[^\"<> ]+)\">\\1</A> [^<\r\n]+<BR>\r\n");
  std::size_t at = 0;
  int lines = 0;
  std::smatch match;
  while (at < fragment.size() - 2) {
    const std::string rest = fragment.substr(at);
    ASSERT_TRUE(std::regex_search(rest, match, line, std::regex_constants::match_continuous))
        << "line " << lines + 1 << " is not a link line: " << rest.substr(0, rest.find('\n'));
    at += match.length(0);
    ++lines;
  }
  EXPECT_EQ(11, lines);
  EXPECT_EQ("\r\n", fragment.substr(at));
}

}  // namespace
}  // namespace velbrook

namespace velbrook {
namespace {

TEST(PreparedText, FillsLikeFormatText) {
  for (const char* text : {"<LI>%1\r\n", "<LI><A HREF=\"%1\">%1</A> %2<BR>\r\n", "%1%2%1", "plain", "", "50% %3 %",
                           "%%1"}) {
    const PreparedText prepared(text);
    std::string out = "before:";
    prepared.AppendTo(out, "a%2", "b");
    EXPECT_EQ("before:" + FormatText(text, "a%2", "b"), out) << text;
  }
}

}  // namespace
}  // namespace velbrook
