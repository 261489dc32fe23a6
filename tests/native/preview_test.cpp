// The preview: the Finish page but for the three file references, written
// to one file of the temporary folder, opened, and gone with the run.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "core/delivery.h"
#include "core/preview.h"
#include "res/resource.h"
#include "tests/native/fixed_clock.h"
#include "tests/native/scripted_services.h"

namespace velbrook {
namespace {

namespace fs = std::filesystem;

// Replaces every `from` in `text` by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

TEST(Preview, IsTheFinishPageButForTheThreeReferences) {
  const struct {
    const char* what;
    void (*set)(PageSettings&);
    // Each reference as Finish writes it (after the copy offer) and as the
    // preview writes it.
    std::vector<std::pair<std::string, std::string>> references;
  } cases[] = {
      {"a picture on another drive, with a blank in its folder",
       [](PageSettings& s) { s.picture = {TRUE, TRUE, TRUE, "D:\\My Pics\\me.gif"}; },
       {{"\"me.gif\"", "\"file:///D:/My%20Pics/me.gif\""}}},
      {"a picture with its description",
       [](PageSettings& s) { s.picture = {TRUE, FALSE, FALSE, "me.gif", "Me at the sea"}; },
       {{"\"me.gif\"", "\"file:///C:/WORK/me.gif\""}}},
      {"a sound only, named from the current directory",
       [](PageSettings& s) { s.background.m_strSoundFile = "sounds\\tune.mid"; },
       {{"\"tune.mid\"", "\"file:///C:/WORK/sounds/tune.mid\""}}},
      {"a background picture on a server, with # and % in its name",
       [](PageSettings& s) {
         s.background.m_bUseBitmap = TRUE;
         s.background.m_strBitmapFile = "\\\\server\\share\\bg #1 100%.gif";
       },
       {{"\"bg #1 100%.gif\"", "\"file://server/share/bg%20%231%20100%25.gif\""}}},
      {"a picture named in letters beyond ASCII: references, which a browser makes the name again",
       [](PageSettings& s) { s.picture = {TRUE, FALSE, FALSE, "D:\\Gr\xFC\xDF" "e.gif"}; },
       {{"\"Gr&#252;&#223;e.gif\"", "\"file:///D:/Gr&#252;&#223;e.gif\""}}},
      {"none, with every other option on",
       [](PageSettings& s) {
         s.title = {"Title", "Header", "Sub", TRUE, TRUE, TRUE};
         s.background.m_bUseColor = TRUE;
         s.text.m_strText = "Text with C:\\a.gif in it";
         s.items.m_arrItems = {"one"};
         s.items.m_nItems = 1;
         s.links.m_arrLinks = {"a.htm : A"};
         s.links.m_nLinks = 1;
         s.links.m_bFavorites = TRUE;
         s.footer = {TRUE, TRUE, "me@example.org", 2};
       },
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PageSettings settings;
    settings.file.m_strFileName = "C:\\WEB\\HOME.HTM";
    c.set(settings);
    const PageSettings before = settings;
    BuiltinTexts texts;
    FixedClock clock;
    ScriptedServices services;  // answers No to every copy offer
    const std::string preview = BuildPreviewPage(settings, texts, clock, "C:\\WORK");
    EXPECT_EQ(before.picture.m_strPictureFile, settings.picture.m_strPictureFile) << "the settings are unchanged";
    EXPECT_EQ(before.background.m_strBitmapFile, settings.background.m_strBitmapFile);
    EXPECT_EQ(before.background.m_strSoundFile, settings.background.m_strSoundFile);
    EXPECT_TRUE(services.messages.empty());

    PageDelivery delivery(services, texts);
    std::string finish;
    BuildPage(settings, delivery.OfferCopies(settings), finish, texts, clock);
    EXPECT_EQ(c.references.size(), services.messages.size()) << "Finish offers a copy of each file";
    for (const auto& reference : c.references) finish = Replaced(finish, reference.first, reference.second);
    EXPECT_EQ(finish, preview);
  }
}

TEST(Preview, FileUrlsOfEveryKindOfPath) {
  const struct {
    const char* path;
    const char* currentDirectory;
    const char* url;
  } cases[] = {
      {"C:\\pics\\me.gif", "D:\\elsewhere", "file:///C:/pics/me.gif"},
      {"c:/pics/me.gif", "D:\\", "file:///c:/pics/me.gif"},
      {"me.gif", "C:\\WORK\\", "file:///C:/WORK/me.gif"},
      {"..\\me.gif", "C:\\WORK", "file:///C:/WORK/../me.gif"},
      {"\\pics\\me.gif", "E:\\WORK", "file:///E:/pics/me.gif"},
      {"c:me.gif", "C:\\WORK", "file:///C:/WORK/me.gif"},
      {"D:me.gif", "C:\\WORK", "file:///D:/me.gif"},
      {"\\\\server\\share\\me.gif", "C:\\WORK", "file://server/share/me.gif"},
      {"C:\\caf\xe9 \"<a>\"?.gif", "C:\\", "file:///C:/caf\xe9%20%22%3Ca%3E%22%3F.gif"},
      {"http://example.org/me.gif", "C:\\WORK", "http://example.org/me.gif"},
      {"", "C:\\WORK", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.url, FileUrl(c.path, c.currentDirectory)) << c.path;
}

class PagePreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("velbrook_preview_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    services.tempFolder = folder.string() + "/";
  }
  void TearDown() override { fs::remove_all(folder); }

  fs::path folder;
  PageSettings settings;
  BuiltinTexts texts;
  FixedClock clock;
  ScriptedServices services;
};

TEST_F(PagePreviewTest, OneFileReplacedAtEachPressOpenedAndGoneWithTheRun) {
  auto preview = std::make_unique<PagePreview>(settings, services, texts, clock, "run.htm");
  PageSettings current = preview->Settings();
  ASSERT_TRUE(preview->Show(current, 8));
  current.title.m_strWindowTitle = "Second press";
  ASSERT_TRUE(preview->Show(current, 8));

  const std::string path = (folder / "run.htm").string();
  ASSERT_EQ(2u, services.opened.size());
  for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(path, services.opened[i].first);
  EXPECT_EQ(BuildPreviewPage(current, texts, clock, services.currentDirectory), services.opened[1].second);
  EXPECT_NE(std::string::npos, services.opened[1].second.find("<TITLE>\r\nSecond press"));
  EXPECT_TRUE(services.messages.empty());
  EXPECT_TRUE(services.clipboard.empty());
  EXPECT_EQ("", settings.title.m_strWindowTitle) << "the run's settings are unchanged";
  EXPECT_TRUE(fs::exists(path));
  preview.reset();
  EXPECT_FALSE(fs::exists(path)) << "the preview goes with the run";
}

TEST_F(PagePreviewTest, AFileThatCannotBeWrittenOrOpenedIsTold) {
  const struct {
    const char* what;
    std::string tempFolder;
    bool opens;
    std::size_t openCalls;
  } cases[] = {
      {"no temporary folder", "", true, 0},
      {"a folder that is not there", services.tempFolder + "missing/", true, 0},
      {"no program for .htm files", services.tempFolder, false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedServices scripted;
    scripted.tempFolder = c.tempFolder;
    scripted.openSucceeds = c.opens;
    PagePreview preview(settings, scripted, texts, clock, "run.htm");
    EXPECT_FALSE(preview.Show(settings, 8));
    EXPECT_EQ(c.openCalls, scripted.opened.size());
    ASSERT_EQ(1u, scripted.messages.size());
    EXPECT_EQ(FormatText(texts.Load(IDS_PREVIEW_ERROR), preview.Path()), scripted.messages[0].text);
    EXPECT_EQ(static_cast<unsigned>(kMbOk | kMbIconExclamation), scripted.messages[0].style);
    EXPECT_EQ(8, scripted.messages[0].helpContext);
  }
}

}  // namespace
}  // namespace velbrook
