#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include <fuzzer/FuzzedDataProvider.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "core/delivery.h"
#include "core/html_writer.h"
#include "core/page_reader.h"
#include "core/page_run.h"
#include "fuzz/settings_generator.h"
#include "tests/native/fixed_clock.h"
#include "tests/native/scripted_services.h"

namespace velbrook {
namespace {

const char kPageFile[] = "C:\\My Pages\\home.htm";

// Every field, one a line, so that a difference shows where it is.
std::string Describe(const PageSettings& s) {
  std::ostringstream out;
  const auto list = [&](const CStringArray& entries) {
    for (const std::string& entry : entries) out << " [" << entry << "]";
    out << "\n";
  };
  out << "title [" << s.title.m_strWindowTitle << "] [" << s.title.m_strHeader << "] [" << s.title.m_strSubHeader
      << "] " << s.title.m_bHTML3 << s.title.m_bCenterHeader << s.title.m_bCenterSubHeader
      << s.title.m_bFitPhone << " [" << s.title.m_strLanguage << "]\n"
      << "background [" << s.background.m_strBitmapFile << "] [" << s.background.m_strSoundFile << "] "
      << s.background.m_crBackground << " " << s.background.m_bFixedBackground << s.background.m_bUseColor
      << s.background.m_bUseBitmap << "\n"
      << "colors " << s.color.m_crText << "/" << s.color.m_bTextChosen << " " << s.color.m_crLink << "/"
      << s.color.m_bLinkChosen << " " << s.color.m_crVLink << "/" << s.color.m_bVLinkChosen << "\n"
      << "picture " << s.picture.m_bIncludePicture << s.picture.m_bCenterPicture << s.picture.m_bFramePicture << " ["
      << s.picture.m_strPictureFile << "] [" << s.picture.m_strDescription << "]\n"
      << "text [" << s.text.m_strText << "]\n"
      << "items [" << s.items.m_strListTitle << "] " << s.items.m_nItems << ":";
  list(s.items.m_arrItems);
  out << "links " << s.links.m_bFavorites << " " << s.links.m_nLinks << ":";
  list(s.links.m_arrLinks);
  out << "footer " << s.footer.m_bLastUpdated << s.footer.m_bCenterLastUpdated << s.footer.m_nLastUpdatedStyle
      << " [" << s.footer.m_strEMail << "]\n"
      << "file [" << s.file.m_strFileName << "] " << s.file.m_bClipboard << "\n";
  return out.str();
}

class PageReaderTest : public ::testing::Test {
 protected:
  // The page for `s`, built as the program builds it, answering No to any
  // copy offer; `questions` counts the offers.
  std::string Build(PageSettings s, std::size_t* questions = nullptr) {
    ScriptedServices services;
    PageDelivery delivery(services, texts);
    std::string page;
    BuildPage(s, delivery.OfferCopies(s), page, texts, clock);
    if (questions) *questions = services.messages.size();
    return page;
  }

  BuiltinTexts texts;
  FixedClock clock;
};

// Each case sets what the wizard would for one feature of the page; the
// page built from it reads back to the same record, with the references
// beside the page, and writes the same page again. A case may edit the page
// by hand first (`from` replaced by `to`): a reference that then names a
// folder is read relative to the page, so that writing it again offers the
// copy and names the bare file; a page of the earlier form is written the
// new way.
TEST_F(PageReaderTest, EveryFeatureReadsBackAsItWasSet) {
  const struct {
    const char* name;
    std::function<void(PageSettings&)> set;
    const char* from = nullptr;
    const char* to = nullptr;
    unsigned offers = 0;
  } cases[] = {
      {"nothing set", [](PageSettings&) {}},
      {"title, headers, centring, HTML 3",
       [](PageSettings& s) { s.title = {"My page", "Welcome", "to my page", TRUE, TRUE, FALSE}; }},
      {"sub-header only, centred", [](PageSettings& s) { s.title.m_strSubHeader = "Sub", s.title.m_bCenterSubHeader = TRUE; }},
      {"background colour, picture, fixed",
       [](PageSettings& s) { s.background = {"C:\\My Pages\\sky.gif", "", 0x80FF00, TRUE, TRUE, TRUE}; }},
      {"background picture named empty", [](PageSettings& s) { s.background.m_bUseBitmap = TRUE; }},
      {"quote in the background picture's name",
       [](PageSettings& s) { s.background = {"C:\\My Pages\\a\" TEXT=#000000.gif", "", 0, FALSE, FALSE, TRUE}; }},
      {"quotes before a bracket, a blank and a quote in the background picture's name",
       [](PageSettings& s) { s.background = {"C:\\My Pages\\a\">b\" c\"\".gif", "", 0, FALSE, TRUE, TRUE}; }},
      {"sound", [](PageSettings& s) { s.background.m_strSoundFile = "C:\\My Pages\\tune.mid"; }},
      {"black text colour chosen, link and visited link",
       [](PageSettings& s) { s.color = {0, TRUE, 0x0000FF, TRUE, 0x123456, TRUE}; }},
      {"picture centred and framed",
       [](PageSettings& s) { s.picture = {TRUE, TRUE, TRUE, "C:\\My Pages\\me.jpg"}; }},
      {"fit to a phone, the picture centred and framed",
       [](PageSettings& s) {
         s.title.m_bFitPhone = TRUE;
         s.picture = {TRUE, TRUE, TRUE, "C:\\My Pages\\me.jpg"};
       }},
      {"picture framed only", [](PageSettings& s) { s.picture = {TRUE, FALSE, TRUE, "C:\\My Pages\\me.jpg"}; }},
      {"picture in a folder beside the page",
       [](PageSettings& s) { s.picture = {TRUE, FALSE, FALSE, "C:\\My Pages\\pics/me.jpg"}; }, "\"me.jpg\"",
       "\"pics/me.jpg\"", 1},
      {"a described picture, quotes in the description, fit to a phone",
       [](PageSettings& s) {
         s.title.m_bFitPhone = TRUE;
         s.picture = {TRUE, FALSE, FALSE, "C:\\My Pages\\me.jpg", "Me, \"at home\" \xE0 Paris"};
       }},
      {"the page's language", [](PageSettings& s) { s.title.m_strLanguage = "de"; }},
      {"a language code the list does not know", [](PageSettings& s) { s.title.m_strLanguage = "x-klingon"; }},
      {"letters of the code page and the euro sign in every text",
       [](PageSettings& s) {
         s.title = {"J\xF6rg M\xFCller \x96 Gr\xFC\xDF" "e", "\xC4", "\xD6", FALSE, FALSE, FALSE, FALSE, "de"};
         s.background = {"C:\\My Pages\\Himmel\xE9.gif", "C:\\My Pages\\T\xF6ne.mid", 0, FALSE, FALSE, TRUE};
         s.picture = {TRUE, FALSE, FALSE, "C:\\My Pages\\M\xFCller.gif", "J\xF6rg"};
         s.text.m_strText = "Eintritt zum Konzert: 12 \x80 \x96 Kinder frei.";
         s.items = {{"B\xE4r"}, "\xDC" "ber", 1};
         s.links = {{"\xFC.htm : Gr\xFC\xDF" "e"}, 1, FALSE};
         s.footer.m_strEMail = "j\xF6rg@example.org";
       }},
      {"references the code page cannot hold, or not as the writer writes them, stay as typed",
       [](PageSettings& s) { s.text.m_strText = "&#12354; &#0233; &#65; &#233x &#"; }},
      {"a page of the earlier form: 8-bit letters as they are",
       [](PageSettings& s) { s.title.m_strWindowTitle = "J\xF6rg"; }, "J&#246;rg", "J\xF6rg"},
      {"a page of the earlier form: an e-mail link without mailto:",
       [](PageSettings& s) { s.footer.m_strEMail = "me@example.org"; }, "\"mailto:me@example.org\"",
       "\"me@example.org\""},
      {"e-mail typed with mailto:", [](PageSettings& s) { s.footer.m_strEMail = "mailto:me@example.org"; }},
      {"page text with HTML, blank lines and lists of its own",
       [](PageSettings& s) {
         s.text.m_strText = "Hello,\r\n\r\n<P>\r\n\r\n<UL>\r\n<LI>one\r\n</UL>\r\n<!-- %1 -->\r\n";
       }},
      {"page text ending like a link list", [](PageSettings& s) { s.text.m_strText = "<UL>\r\n<LI>x<BR>\r\n</UL>"; }},
      {"page text that starts like a list title", [](PageSettings& s) { s.text.m_strText = "x<P>\r\n\r\n<UL>"; }},
      {"items with a title that starts like an item",
       [](PageSettings& s) { s.items = {{"Chess", "", "a<UL>", "<LI>"}, "<LI>My data", 4}; }},
      {"items after a page text",
       [](PageSettings& s) { s.text.m_strText = "text", s.items = {{"one"}, "", 1}; }},
      {"links, one title holding the separator, one empty",
       [](PageSettings& s) {
         s.links = {{"a.htm : Other page", "b : c : d", "\">\"> : \">", "x.htm : "}, 4, FALSE};
       }},
      {"favourite links only", [](PageSettings& s) { s.links.m_bFavorites = TRUE; }},
      {"links and favourite links", [](PageSettings& s) { s.links = {{"a.htm : A"}, 1, TRUE}; }},
      {"last updated, centred, blinking", [](PageSettings& s) { s.footer = {TRUE, TRUE, "", 2}; }},
      {"last updated, marquee, and e-mail", [](PageSettings& s) { s.footer = {TRUE, FALSE, "me@example.org", 1}; }},
      {"last updated, no style", [](PageSettings& s) { s.footer = {TRUE, FALSE, "", 0}; }},
      {"e-mail holding the quote and bracket", [](PageSettings& s) { s.footer.m_strEMail = "a\">b"; }},
      {"everything at once",
       [](PageSettings& s) {
         s.title = {"T", "H", "S", TRUE, TRUE, TRUE, TRUE};
         s.background = {"C:\\My Pages\\b.gif", "C:\\My Pages\\s.wav", 0xFFFFFF, TRUE, TRUE, TRUE};
         s.color = {1, TRUE, 2, TRUE, 3, TRUE};
         s.picture = {TRUE, TRUE, FALSE, "C:\\My Pages\\p.gif"};
         s.text.m_strText = "Hi\r\nthere";
         s.items = {{"i1", "i2"}, "List:", 2};
         s.links = {{"l : L"}, 1, TRUE};
         s.footer = {TRUE, TRUE, "e@x", 1};
       }},
  };
  for (const auto& c : cases) {
    PageSettings set;
    c.set(set);
    PageSettings expected = set;
    expected.file.m_strFileName = kPageFile;
    if (expected.background.m_bUseBitmap && expected.background.m_strBitmapFile.empty()) {
      expected.background.m_strBitmapFile = "C:\\My Pages\\";
    }
    const std::string page = Build(set);
    std::string edited = page;
    if (c.from) edited.replace(edited.find(c.from), std::strlen(c.from), c.to);
    PageSettings read;
    read.file.m_bClipboard = TRUE;
    ASSERT_TRUE(ReadPage(edited, kPageFile, texts, read)) << c.name << "\n" << edited;
    EXPECT_EQ(Describe(expected), Describe(read)) << c.name;
    std::size_t questions = 0;
    EXPECT_EQ(page, Build(read, &questions)) << c.name;
    EXPECT_EQ(c.offers, questions) << c.name;
  }
}

// Pages of every kind the wizard can make, built, read back and built
// again: the same bytes, and no copy offer.
TEST_F(PageReaderTest, EveryGeneratedRecordWritesTheSamePageAgain) {
  std::mt19937 random(20261209);
  std::vector<std::uint8_t> bytes(4096);
  for (int run = 0; run < 2000; ++run) {
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    FuzzedDataProvider data(bytes.data(), bytes.size());
    const std::string page = Build(SettingsGenerator(data, true).Make());
    PageSettings read;
    ASSERT_TRUE(ReadPage(page, kPageFile, texts, read)) << "run " << run << "\n" << page;
    std::size_t questions = 0;
    ASSERT_EQ(page, Build(read, &questions)) << "run " << run;
    ASSERT_EQ(0u, questions) << "run " << run;
  }
}

// The texts of a program whose process code page is UTF-8.
struct Utf8Texts : BuiltinTexts {
  const CodePage& TextCodePage() const override { return Utf8CodePage(); }
};

// A page of the earlier form holds its code page's bytes as they were: read
// as UTF-8 when the whole page is UTF-8, else in the legacy code page (1252
// here), into either kind of process code page; this version's references
// turn back into all the process code page holds.
TEST_F(PageReaderTest, EarlierFormTextIsReadInTheCodePageItIsIn) {
  const Utf8Texts utf8;
  const struct {
    const char* name;
    const TextSource& process;
    const char* title;  // as the page holds it
    const char* text;
    std::string readTitle, readText;
  } cases[] = {
      {"1252 bytes, into UTF-8", utf8, "J\xF6rg \x80", "x", "J\xC3\xB6rg \xE2\x82\xAC", "x"},
      {"UTF-8 bytes, into UTF-8", utf8, "J\xC3\xB6rg \xE6\x97\xA5", "x", "J\xC3\xB6rg \xE6\x97\xA5", "x"},
      {"1252 bytes, into 1252", texts, "J\xF6rg \x80", "x", "J\xF6rg \x80", "x"},
      {"UTF-8 bytes, into 1252: what it lacks is a reference", texts, "J\xC3\xB6rg \xE6\x97\xA5", "x",
       "J\xF6rg &#26085;", "x"},
      {"one text not UTF-8 makes the whole page 1252", utf8, "\xC3\xB6", "\xF6", "\xC3\x83\xC2\xB6", "\xC3\xB6"},
      {"references, into UTF-8: all of Unicode", utf8, "J&#246;rg &#128512;", "&#1084;", "J\xC3\xB6rg \xF0\x9F\x98\x80",
       "\xD0\xBC"},
      {"references 1252 lacks stay, into 1252", texts, "&#128512;", "&#8364;", "&#128512;", "\x80"},
  };
  PageSettings set;
  set.title.m_strWindowTitle = "TITLE";
  set.text.m_strText = "TEXT";
  const std::string page = Build(set);
  for (const auto& c : cases) {
    std::string earlier = page;
    earlier.replace(earlier.find("TITLE\r\n"), 5, c.title);
    earlier.replace(earlier.find("TEXT"), 4, c.text);
    PageSettings read;
    ASSERT_TRUE(ReadPage(earlier, kPageFile, c.process, read)) << c.name;
    EXPECT_EQ(c.readTitle, read.title.m_strWindowTitle) << c.name;
    EXPECT_EQ(c.readText, read.text.m_strText) << c.name;
  }
}

TEST(PageArgument, TakesThePathAsWindowsPassesIt) {
  const struct {
    const char* commandLine;
    const char* path;
  } cases[] = {
      {"", ""},
      {"   ", ""},
      {"C:\\home.htm", "C:\\home.htm"},
      {"\"C:\\My Pages\\home.htm\"", "C:\\My Pages\\home.htm"},
      {"  C:\\My Pages\\home.htm  ", "C:\\My Pages\\home.htm"},
      {"\"C:\\unclosed quote.htm", "C:\\unclosed quote.htm"},
      {"\"\"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.path, PageArgument(c.commandLine)) << c.commandLine;
}

// Started with a page file: one that cannot be read, or is no page of ours,
// is named, and the wizard starts as it would without it.
TEST_F(PageReaderTest, PageFilesThatCannotBeReadAreNamedAndTheWizardStartsEmpty) {
  PageSettings full;
  full.title = {"Read", "", "", TRUE, FALSE, FALSE};
  full.text.m_strText = "Text";
  full.items = {{"i"}, "", 1};
  full.links = {{"a : b"}, 1, FALSE};
  full.footer = {TRUE, TRUE, "e@x", 1};
  const std::string page = Build(full);
  PageSettings huge = full;
  huge.text.m_strText.assign(kMaxPageBytes, 'x');
  PageSettings colored;
  colored.background.m_bUseColor = TRUE, colored.background.m_crBackground = 0xABCDEF;
  std::string lowerCase = Build(colored), otherVersion = page, lineFeeds;
  lowerCase.replace(lowerCase.find("#EFCDAB"), 7, "#efcdab");
  otherVersion.replace(otherVersion.find("v1.22"), 5, "v1.23");
  for (char c : page) {
    if (c != '\r') lineFeeds += c;
  }
  // One CR LF left among the LFs: the LFs cannot all stand for CR LF.
  std::string someLineFeeds = lineFeeds;
  someLineFeeds.insert(someLineFeeds.find('\n'), "\r");
  std::vector<std::pair<std::string, std::string>> contents = {
      {"a page", page},
      {"empty", ""},
      {"another program's page", "<HTML><HEAD><TITLE>x</TITLE></HEAD><BODY>Hi</BODY></HTML>\r\n"},
      {"another version", otherVersion},
      {"lower-case colour", lowerCase},
      {"LF line ends", lineFeeds},
      {"LF and CR LF line ends", someLineFeeds},
      {"more after the end", page + "x"},
      {"a page larger than the bound", Build(huge)},
  };
  for (std::size_t cut : {1ul, 60ul, 200ul, page.size() / 2, page.size() - 30, page.size() - 1}) {
    contents.emplace_back("cut short at " + std::to_string(cut), page.substr(0, cut));
  }
  char dir[] = "/tmp/velbrook-read-XXXXXX";
  ASSERT_NE(nullptr, ::mkdtemp(dir));
  std::vector<std::pair<std::string, std::string>> files = {
      {"no file named", ""}, {"a missing file", std::string(dir) + "/missing.htm"}, {"a folder", dir}};
  for (const auto& content : contents) {
    files.emplace_back(content.first, std::string(dir) + "/" + std::to_string(files.size()) + ".htm");
    std::ofstream(files.back().second, std::ios::binary) << content.second;
  }
  for (const auto& file : files) {
    PageSettings settings;
    settings.title.m_strWindowTitle = "kept";
    ScriptedServices services;
    StartFromPage(file.second, settings, services, texts);
    // A page with LF line ends reads as the page it was, and is written
    // back with CR LF.
    const bool reads = file.first == "a page" || file.first == "LF line ends";
    EXPECT_EQ(reads ? "Read" : "kept", settings.title.m_strWindowTitle) << file.first;
    if (reads) EXPECT_EQ(page, Build(settings)) << file.first;
    ASSERT_EQ(reads || file.second.empty() ? 0u : 1u, services.messages.size()) << file.first;
    if (services.messages.empty()) continue;
    EXPECT_EQ("The file " + file.second + " cannot be read as a home page made by the Velbrook. The Velbrook starts "
              "with empty pages.", services.messages[0].text);
    EXPECT_EQ(kMbOk | kMbIconExclamation, services.messages[0].style);
    EXPECT_EQ(1, services.messages[0].helpContext) << "the welcome page's topic";
  }
  for (std::size_t i = 3; i < files.size(); ++i) std::remove(files[i].second.c_str());
  ::rmdir(dir);
}

}  // namespace
}  // namespace velbrook
