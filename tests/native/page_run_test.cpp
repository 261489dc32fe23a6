#include <functional>
#include <new>
#include <set>
#include <stdexcept>

#include <gtest/gtest.h>

#include "core/page_run.h"
#include "res/resource.h"
#include "tests/native/scripted_services.h"

namespace velbrook {
namespace {

// Notes how many messages had been shown when the notice came and went.
class RecordingNotice : public CreationNotice {
 public:
  explicit RecordingNotice(const ScriptedServices& services) : m_services(services) {}
  void Show() override { shownAfter = static_cast<int>(m_services.messages.size()); }
  void Remove() override { removedAfter = static_cast<int>(m_services.messages.size()); }
  int shownAfter = -1;
  int removedAfter = -1;

 private:
  const ScriptedServices& m_services;
};

class NoonClock : public Clock {
 public:
  std::tm Now() const override { return std::tm{}; }
};

class FinishRunTest : public ::testing::Test {
 protected:
  void Run(int result) { FinishRun(result, settings, page, services, *texts, clock, notice); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& message : services.messages) texts.push_back(message.text);
    return texts;
  }

  PageSettings settings;
  std::string page;
  BuiltinTexts builtin;
  const TextSource* texts = &builtin;
  ScriptedServices services;
  RecordingNotice notice{services};
  NoonClock clock;
};

TEST_F(FinishRunTest, CancelSaysNothingWasCreated) {
  settings.file.m_bClipboard = TRUE;
  Run(kWizardCancel);
  EXPECT_EQ((std::vector<std::string>{"The Velbrook was fully completed.\nThere is no home page created."}),
            Messages());
  EXPECT_EQ(static_cast<unsigned>(kMbOk | kMbIconExclamation), services.messages[0].style);
  EXPECT_TRUE(page.empty());
  EXPECT_TRUE(services.clipboard.empty());
  EXPECT_EQ(-1, notice.shownAfter);
}

TEST_F(FinishRunTest, OtherResultsShowNothingButAWindowNotCreated) {
  settings.file.m_bClipboard = TRUE;
  Run(-1);
  EXPECT_TRUE(services.messages.empty());
  Run(kWizardNotCreated);
  EXPECT_EQ((std::vector<std::string>{"Bad resource"}), Messages());
  EXPECT_TRUE(page.empty());
}

TEST_F(FinishRunTest, NeitherFileNorClipboardCreatesNothing) {
  settings.background.m_bUseBitmap = TRUE;
  settings.background.m_strBitmapFile = "D:\\far\\away.gif";
  Run(kWizardFinish);
  EXPECT_EQ((std::vector<std::string>{"No home page created."}), Messages()) << "no copy offer either";
  EXPECT_EQ(-1, notice.shownAfter);
  EXPECT_TRUE(page.empty());
}

TEST_F(FinishRunTest, ClipboardOnlyNamesNoFile) {
  settings.file.m_bClipboard = TRUE;
  Run(kWizardFinish);
  ASSERT_EQ(1u, services.clipboard.size());
  EXPECT_EQ(page, services.clipboard[0]);
  EXPECT_EQ("</HTML>\r\n", page.substr(page.size() - 9));
  EXPECT_EQ((std::vector<std::string>{"Congratulations! You've been created new Home Page ()!"}), Messages());
  EXPECT_EQ(static_cast<unsigned>(kMbOk | kMbIconInformation), services.messages[0].style);
  EXPECT_EQ(0, notice.shownAfter);
  EXPECT_EQ(0, notice.removedAfter);
}

TEST_F(FinishRunTest, CopyOffersComeWhileTheNoticeIsShown) {
  settings.file.m_bClipboard = TRUE;
  settings.picture = {TRUE, FALSE, FALSE, "D:\\pics\\me.gif"};
  Run(kWizardFinish);
  ASSERT_EQ(2u, services.messages.size());
  EXPECT_EQ(0u, services.messages[0].text.find("The D:\\pics\\me.gif is not"));
  EXPECT_EQ(0, notice.shownAfter);
  EXPECT_EQ(1, notice.removedAfter) << "the notice goes before the outcome message";
}

TEST_F(FinishRunTest, PageFileIsWrittenAndNamed) {
  const std::string file = "C:\\WEB\\HOME.HTM";
  settings.file.m_strFileName = file;
  Run(kWizardFinish);
  EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{{file, page}}), services.writes);
  EXPECT_TRUE(services.clipboard.empty());
  EXPECT_EQ((std::vector<std::string>{"Congratulations! You've been created new Home Page (" + file + ")!"}),
            Messages());
}

TEST_F(FinishRunTest, UnwritableFileStillFillsTheClipboardAndWarns) {
  settings.file.m_strFileName = "/nonexistent-dir/home.htm";
  settings.file.m_bClipboard = TRUE;
  services.writeSucceeds = false;
  settings.publish = {TRUE, "my-site", "0123456789abcdef0123456789abcdef", FALSE, ""};
  Run(kWizardFinish);
  EXPECT_EQ(1u, services.clipboard.size());
  EXPECT_EQ((std::vector<std::string>{
                "Error while file operation!",
                "It is possible that the bad home page file (/nonexistent-dir/home.htm) has been created.",
                "The page was not put on the web, because no page file was written."}),
            Messages());
  EXPECT_TRUE(services.requests.empty()) << "a page not written is not published";
}

TEST_F(FinishRunTest, FailedAgreedCopyEndsInTheWarning) {
  settings.file.m_bClipboard = TRUE;
  settings.picture = {TRUE, FALSE, FALSE, "D:\\pics\\me.gif"};
  services.answers = {kIdYes};
  services.copySucceeds = false;
  Run(kWizardFinish);
  EXPECT_EQ("It is possible that the bad home page file () has been created.", Messages().back());
  EXPECT_NE(std::string::npos, page.find("<IMG SRC=\"me.gif\">"));
}

// Fails like an exhausted heap or a broken resource when one of `ids` is
// loaded.
class FailingTexts : public BuiltinTexts {
 public:
  FailingTexts(std::set<int> ids, bool memory) : m_ids(std::move(ids)), m_memory(memory) {}
  std::string Load(int id) const override {
    if (m_ids.count(id)) {
      if (m_memory) throw std::bad_alloc();
      throw ResourceError("broken");
    }
    return BuiltinTexts::Load(id);
  }

 private:
  std::set<int> m_ids;
  bool m_memory;
};

// A page cut short goes to a new file only: a file already at its name is
// left as it was, and the clipboard keeps what it held.
TEST_F(FinishRunTest, WriterFailuresDeliverThePartialPageAndWarn) {
  const std::string kept = "C:\\WEB\\HOME.HTM", fresh = "C:\\WEB\\NEW.HTM";
  const struct {
    const std::string fileName;
    std::string outcome;
    unsigned style;
    bool written;
  } cases[] = {
      {"", "It is possible that the bad home page file () has been created.", kMbOk | kMbIconInformation, false},
      {fresh, "It is possible that the bad home page file (" + fresh + ") has been created.",
       kMbOk | kMbIconInformation, true},
      {kept, "The Velbrook could not make the whole home page, so the file " + kept + " was left as it was.",
       kMbOk | kMbIconExclamation, false},
  };
  for (bool memory : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << (memory ? "memory, " : "resource, ") << c.fileName);
      FailingTexts failing({IDS_ITEM_LINE}, memory);
      texts = &failing;
      page.clear();
      services = ScriptedServices();
      services.otherFiles = {kept};
      settings.file.m_bClipboard = TRUE;
      settings.file.m_strFileName = c.fileName;
      settings.items.m_arrItems = {"one"};
      settings.items.m_nItems = 1;
      Run(kWizardFinish);
      EXPECT_EQ((std::vector<std::string>{memory ? "Memory corrupt!" : "Bad resource", c.outcome}), Messages());
      EXPECT_EQ(static_cast<unsigned>(kMbOk | kMbIconExclamation), services.messages[0].style);
      EXPECT_EQ(c.style, services.messages[1].style);
      EXPECT_TRUE(services.clipboard.empty());
      EXPECT_EQ(c.written ? 1u : 0u, services.writes.size());
      if (c.written) EXPECT_EQ(page, services.writes[0].second);
      EXPECT_EQ("<UL>\r\n", page.substr(page.size() - 6)) << "cut short where the failure happened";
    }
  }
}

// The favourite links are a resource of their own; without them the page
// stops where they would go.
class NoFavoriteLinks : public BuiltinTexts {
 public:
  std::string LoadFavoriteLinks() const override { throw ResourceError("no favourite links"); }
};

TEST_F(FinishRunTest, MissingFavoriteLinksAreABadResource) {
  NoFavoriteLinks broken;
  texts = &broken;
  settings.file.m_bClipboard = TRUE;
  settings.links.m_bFavorites = TRUE;
  Run(kWizardFinish);
  EXPECT_EQ((std::vector<std::string>{"Bad resource",
                                      "It is possible that the bad home page file () has been created."}),
            Messages());
  EXPECT_TRUE(services.clipboard.empty()) << "a page cut short is no page to paste";
  EXPECT_EQ("\r\n<P>\r\n\r\n<UL>\r\n", page.substr(page.size() - 15)) << "cut short at the list";
}

TEST_F(FinishRunTest, TextsThatCannotBeLoadedLeaveTheirMessageOutAndTheRunEnds) {
  const std::string unwritable = "/nonexistent-dir/home.htm";
  const std::string warning = "It is possible that the bad home page file (" + unwritable + ") has been created.";
  const struct {
    int missing;
    int result;
    const char* fileName;
    std::vector<std::string> shown;
  } cases[] = {
      {IDS_CANCELLED, kWizardCancel, "", {}},
      {IDS_NO_PAGE, kWizardFinish, nullptr, {}},
      {IDS_PAGE_CREATED, kWizardFinish, "", {}},
      {IDS_FILE_ERROR, kWizardFinish, unwritable.c_str(), {warning}},
      {IDS_BAD_PAGE, kWizardFinish, unwritable.c_str(), {"Error while file operation!"}},
  };
  for (bool memory : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << "string " << c.missing << (memory ? ", no memory" : ", no resource"));
      FailingTexts failing({c.missing}, memory);
      texts = &failing;
      services.messages.clear();
      notice.shownAfter = notice.removedAfter = -1;
      page.clear();
      settings.file.m_bClipboard = c.fileName != nullptr;
      settings.file.m_strFileName = c.fileName ? c.fileName : "";
      services.writeSucceeds = settings.file.m_strFileName != unwritable;
      EXPECT_NO_THROW(Run(c.result));
      EXPECT_EQ(c.shown, Messages());
      EXPECT_EQ(notice.shownAfter >= 0, notice.removedAfter >= 0) << "a notice shown is removed";
    }
  }
}

// Services whose clipboard fails the way `fill` does.
class FailingClipboard : public ScriptedServices {
 public:
  explicit FailingClipboard(std::function<bool()> fill) : m_fill(std::move(fill)) {}
  bool PutTextOnClipboard(const std::string&) override { return m_fill(); }

 private:
  std::function<bool()> m_fill;
};

TEST_F(FinishRunTest, AFailureWhileDeliveringIsReportedAndTheFileStillWritten) {
  const struct {
    std::function<bool()> fill;
    const char* shown;
  } cases[] = {
      {[]() -> bool { throw std::bad_alloc(); }, "Memory corrupt!"},
      {[]() -> bool { throw std::length_error("too long"); }, "Memory corrupt!"},
      {[]() -> bool { throw 42; }, "Bad resource"},
      {[] { return false; }, "The home page could not be put on the clipboard."},
  };
  const std::string file = "C:\\WEB\\HOME.HTM";
  settings.file.m_strFileName = file;
  settings.file.m_bClipboard = TRUE;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    page.clear();
    FailingClipboard services(c.fill);
    RecordingNotice notice(services);
    EXPECT_NO_THROW(FinishRun(kWizardFinish, settings, page, services, *texts, clock, notice));
    ASSERT_EQ(2u, services.messages.size());
    EXPECT_EQ(c.shown, services.messages[0].text);
    EXPECT_EQ(static_cast<unsigned>(kMbOk | kMbIconExclamation), services.messages[0].style);
    EXPECT_EQ("It is possible that the bad home page file (" + file + ") has been created.",
              services.messages[1].text);
    EXPECT_EQ(1, notice.removedAfter);
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{{file, page}}), services.writes);
  }
}

// Notes, each time the clipboard is filled, how many files were written.
class FileWatchingServices : public ScriptedServices {
 public:
  bool PutTextOnClipboard(const std::string& text) override {
    writtenBefore.push_back(writes.size());
    return ScriptedServices::PutTextOnClipboard(text);
  }
  std::vector<std::size_t> writtenBefore;
};

TEST_F(FinishRunTest, TheClipboardIsFilledBeforeTheFileIsWritten) {
  FileWatchingServices services;
  settings.file.m_strFileName = "C:\\WEB\\HOME.HTM";
  settings.file.m_bClipboard = TRUE;
  FinishRun(kWizardFinish, settings, page, services, *texts, clock, notice);
  EXPECT_EQ(std::vector<std::size_t>{0}, services.writtenBefore);
  EXPECT_EQ(1u, services.writes.size());
}

TEST_F(FinishRunTest, AnEmptyPageIsNeitherCopiedNorWritten) {
  // The writer fails before it has appended anything.
  FailingTexts failing({IDS_CENTER_OPEN, IDS_CENTER_CLOSE, IDS_PARAGRAPH, IDS_RULE}, false);
  texts = &failing;
  const std::string file = "C:\\WEB\\HOME.HTM";
  settings.file.m_strFileName = file;
  settings.file.m_bClipboard = TRUE;
  Run(kWizardFinish);
  EXPECT_TRUE(page.empty());
  EXPECT_TRUE(services.clipboard.empty());
  EXPECT_TRUE(services.writes.empty());
  EXPECT_EQ((std::vector<std::string>{"Bad resource", "It is possible that the bad home page file (" + file +
                                                          ") has been created."}),
            Messages());
}

}  // namespace
}  // namespace velbrook
