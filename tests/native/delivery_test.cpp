#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "core/delivery.h"
#include "core/file_paths.h"
#include "core/text_rules.h"
#include "res/resource.h"
#include "tests/native/scripted_services.h"

namespace velbrook {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(SplitPath, SplitsLikeTheRuntimeSplitter) {
  struct Case {
    const char* path;
    const char* drive;
    const char* dir;
    const char* name;
    const char* ext;
  } cases[] = {
      {"C:\\WEB\\HOME.HTM", "C:", "\\WEB\\", "HOME", ".HTM"},
      {"me.gif", "", "", "me", ".gif"},
      {"d:pic.tar.gz", "d:", "", "pic.tar", ".gz"},
      {"a/b.c/readme", "", "a/b.c/", "readme", ""},
      {"x\\y/z.", "", "x\\y/", "z", "."},
      {".profile", "", "", "", ".profile"},
      {"C:\\", "C:", "\\", "", ""},
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    const PathParts parts = SplitPath(c.path);
    EXPECT_EQ(c.drive, parts.drive) << c.path;
    EXPECT_EQ(c.dir, parts.dir) << c.path;
    EXPECT_EQ(c.name, parts.name) << c.path;
    EXPECT_EQ(c.ext, parts.ext) << c.path;
  }
}

TEST(SplitPath, HasNoLengthLimit) {
  const std::string dir = "C:\\" + std::string(400, 'd') + "\\";
  const std::string name(300, 'n');
  const std::string ext = "." + std::string(300, 'e');
  const PathParts parts = SplitPath(dir + name + ext);
  EXPECT_EQ("C:", parts.drive);
  EXPECT_EQ(dir.substr(2), parts.dir);
  EXPECT_EQ(name, parts.name);
  EXPECT_EQ(ext, parts.ext);
}

TEST(EqualsIgnoreAsciiCase, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(EqualsIgnoreAsciiCase("\\WEB\\", "\\web\\"));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("\\WEB", "\\WEB\\"));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("\xC4", "\xE4"));  // Ä and ä in the ANSI code page
}

class CopyOfferTest : public ::testing::Test {
 protected:
  std::string Offer(const std::string& pageFile, std::string reference) {
    return delivery.OfferCopyToPageDir(pageFile, reference);
  }
  BuiltinTexts texts;
  ScriptedServices services;
  PageDelivery delivery{services, texts};
};

TEST_F(CopyOfferTest, SameDirectoryApartFromCaseAsksNothing) {
  EXPECT_EQ("me.gif", Offer("C:\\WEB\\HOME.HTM", "c:\\web\\me.gif"));
  EXPECT_TRUE(services.messages.empty());
  EXPECT_TRUE(services.copies.empty());
}

TEST_F(CopyOfferTest, AnotherDriveAsksAndYesCopiesNextToThePage) {
  services.answers = {kIdYes};
  EXPECT_EQ("ME.GIF", Offer("C:\\WEB\\HOME.HTM", "D:\\PICS\\ME.GIF"));
  ASSERT_EQ(1u, services.messages.size());
  EXPECT_EQ(
      "The D:\\PICS\\ME.GIF is not in the Home Page (C:\\WEB\\HOME.HTM) directory. Some browsers will cannot "
      "locate D:\\PICS\\ME.GIF. Do You want to copy D:\\PICS\\ME.GIF to the directory where the Home Page places?",
      services.messages[0].text);
  EXPECT_EQ(static_cast<unsigned>(kMbYesNo), services.messages[0].style) << "Yes and No, no icon";
  ASSERT_EQ(1u, services.copies.size());
  EXPECT_EQ("D:\\PICS\\ME.GIF", services.copies[0].first);
  EXPECT_EQ("C:\\WEB\\ME.GIF", services.copies[0].second);
  EXPECT_FALSE(delivery.Failed());
}

TEST_F(CopyOfferTest, NoCopiesNothingButStillReducesTheReference) {
  services.answers = {kIdNo};
  EXPECT_EQ("ME.GIF", Offer("C:\\WEB\\HOME.HTM", "D:\\PICS\\ME.GIF"));
  EXPECT_EQ(1u, services.messages.size());
  EXPECT_TRUE(services.copies.empty());
  EXPECT_FALSE(delivery.Failed());
}

TEST_F(CopyOfferTest, DirectoriesAreComparedAsPlainText) {
  // No resolution of "." or of a missing separator: these count as different.
  services.answers = {kIdNo, kIdNo};
  Offer("C:\\WEB\\HOME.HTM", "C:\\WEB\\.\\me.gif");
  Offer("C:\\WEB\\HOME.HTM", "C:/WEB/me.gif");
  EXPECT_EQ(2u, services.messages.size());
}

TEST_F(CopyOfferTest, AReferenceWithoutDirectoryIsOfferedFromTheCurrentDirectory) {
  services.answers = {kIdYes};
  EXPECT_EQ("me.gif", Offer("C:\\WEB\\HOME.HTM", "me.gif"));
  ASSERT_EQ(1u, services.copies.size());
  EXPECT_EQ("me.gif", services.copies[0].first);
  EXPECT_EQ("C:\\WEB\\me.gif", services.copies[0].second);
}

TEST_F(CopyOfferTest, ClipboardOnlyShowsEmptyParenthesesAndCopiesToTheCurrentDirectory) {
  services.answers = {kIdYes};
  EXPECT_EQ("me.gif", Offer("", "D:\\PICS\\me.gif"));
  ASSERT_EQ(1u, services.messages.size());
  EXPECT_NE(std::string::npos, services.messages[0].text.find("Home Page () directory"));
  ASSERT_EQ(1u, services.copies.size());
  EXPECT_EQ("me.gif", services.copies[0].second);
}

TEST_F(CopyOfferTest, AnEmptyReferenceIsOfferedAndStaysEmpty) {
  services.answers = {kIdYes};
  services.copySucceeds = false;
  EXPECT_EQ("", Offer("C:\\WEB\\HOME.HTM", ""));
  ASSERT_EQ(1u, services.messages.size());
  EXPECT_EQ(0u, services.messages[0].text.find("The  is not in the Home Page (C:\\WEB\\HOME.HTM) directory."));
  EXPECT_EQ(1u, services.copies.size());
}

TEST_F(CopyOfferTest, AnAgreedCopyThatFailsMarksTheRunAsFailed) {
  services.answers = {kIdYes};
  services.copySucceeds = false;
  EXPECT_EQ("ME.GIF", Offer("C:\\WEB\\HOME.HTM", "D:\\PICS\\ME.GIF"));
  EXPECT_TRUE(delivery.Failed());
  EXPECT_EQ(1u, services.messages.size()) << "the failed copy adds no message of its own";
}

TEST_F(CopyOfferTest, TheSameFileUsedTwiceIsOfferedTwice) {
  services.answers = {kIdYes, kIdYes};
  Offer("C:\\WEB\\HOME.HTM", "D:\\PICS\\ME.GIF");
  Offer("C:\\WEB\\HOME.HTM", "D:\\PICS\\ME.GIF");
  EXPECT_EQ(2u, services.messages.size());
  EXPECT_EQ(2u, services.copies.size());
}

TEST_F(CopyOfferTest, AnotherFileOfThatNameIsReplacedOnlyWhenTheUserAgreesAgain) {
  for (int second : {kIdYes, kIdNo}) {
    SCOPED_TRACE(second == kIdYes ? "Yes" : "No");
    ScriptedServices services;
    PageDelivery delivery(services, texts);
    services.otherFiles = {"C:\\WEB\\ME.GIF"};
    services.answers = {kIdYes, second};
    std::string reference = "D:\\PICS\\ME.GIF";
    reference = delivery.OfferCopyToPageDir("C:\\WEB\\HOME.HTM", reference);
    EXPECT_EQ("ME.GIF", reference);
    ASSERT_EQ(2u, services.messages.size());
    EXPECT_EQ("The Home Page directory already has another file named C:\\WEB\\ME.GIF. Do You want to replace it "
              "with D:\\PICS\\ME.GIF?",
              services.messages[1].text);
    EXPECT_EQ(static_cast<unsigned>(kMbYesNo | kMbIconExclamation), services.messages[1].style);
    EXPECT_EQ(second == kIdYes ? 1u : 0u, services.copies.size());
    EXPECT_FALSE(delivery.Failed()) << "No is the user's choice, not a failure";
  }
}

// A copy offer whose Yes really copies, to see the file system's side.
class CopyingServices : public ScriptedServices {
 public:
  bool CopyFileReplacing(const std::string& from, const std::string& to) override {
    ScriptedServices::CopyFileReplacing(from, to);
    std::error_code error;
    return fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
  }
};

class FileDeliveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("velbrook_" + std::to_string(::getpid()) + "_" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(dir, fs::perms::owner_all, ignored);
    fs::remove_all(dir, ignored);
  }
  fs::path dir;
  BuiltinTexts texts;
  CopyingServices services;
  PageDelivery delivery{services, texts};
};

TEST_F(FileDeliveryTest, AgreedCopyOverwritesTheFileNextToThePage) {
  fs::create_directories(dir / "web");
  fs::create_directories(dir / "pics");
  std::ofstream(dir / "pics" / "me.gif", std::ios::binary) << "new picture";
  std::ofstream(dir / "web" / "me.gif", std::ios::binary) << "an older and longer picture";
  services.answers = {kIdYes};
  std::string reference = (dir / "pics" / "me.gif").string();
  reference = delivery.OfferCopyToPageDir((dir / "web" / "home.htm").string(), reference);
  EXPECT_EQ("me.gif", reference);
  EXPECT_EQ("new picture", ReadFile(dir / "web" / "me.gif"));
  EXPECT_FALSE(delivery.Failed());
}

TEST(WritePageFile, AFileThatCannotBeWrittenGivesMessage2) {
  BuiltinTexts texts;
  ScriptedServices services;
  PageDelivery delivery(services, texts);
  services.writeSucceeds = false;
  delivery.WritePageFile("page", "C:\\WEB\\HOME.HTM");
  EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{{"C:\\WEB\\HOME.HTM", "page"}}), services.writes);
  ASSERT_EQ(1u, services.messages.size());
  EXPECT_EQ("Error while file operation!", services.messages[0].text);
  EXPECT_EQ(static_cast<unsigned>(kMbOk | kMbIconExclamation), services.messages[0].style);
  EXPECT_TRUE(delivery.Failed());
}

TEST(CopyPageToClipboard, HandsTheWholeTextToTheClipboardAndReportsAFailure) {
  BuiltinTexts texts;
  ScriptedServices services;
  PageDelivery delivery(services, texts);
  EXPECT_EQ(TRUE, delivery.CopyPageToClipboard("<HTML>\r\n"));
  EXPECT_TRUE(services.messages.empty());
  EXPECT_FALSE(delivery.Failed());
  services.clipboardSucceeds = false;
  EXPECT_EQ(FALSE, delivery.CopyPageToClipboard("again"));
  EXPECT_EQ((std::vector<std::string>{"<HTML>\r\n", "again"}), services.clipboard);
  ASSERT_EQ(1u, services.messages.size());
  EXPECT_EQ("The home page could not be put on the clipboard.", services.messages[0].text);
  EXPECT_EQ(static_cast<unsigned>(kMbOk | kMbIconExclamation), services.messages[0].style);
  EXPECT_TRUE(delivery.Failed());
}

}  // namespace
}  // namespace velbrook
