#include <gtest/gtest.h>

#include "pages/page_rules.h"
#include "tests/native/scripted_services.h"

namespace velbrook {
namespace {

TEST(BrowseForFile, PutsTheCurrentDirectoryBackWhateverTheAnswer) {
  ScriptedServices services;
  services.files = {"", "C:\\pics\\me.gif"};
  FileDialogRequest request;
  std::string path = "kept";
  EXPECT_FALSE(BrowseForFile(services, request, path));
  EXPECT_EQ("kept", path);
  EXPECT_EQ("C:\\WORK", services.currentDirectory);
  EXPECT_TRUE(BrowseForFile(services, request, path));
  EXPECT_EQ("C:\\pics\\me.gif", path);
  EXPECT_EQ("C:\\WORK", services.currentDirectory);
}

TEST(BrowseForFile, AnUnreadableDirectoryIsNotPutBack) {
  ScriptedServices services;
  services.currentDirectory = "";
  std::string path;
  BrowseForFile(services, FileDialogRequest(), path);
  EXPECT_TRUE(services.directoryChanges.empty());
}

TEST(MustAskToAbandon, OnlyWhenNeitherOutputIsChosen) {
  EXPECT_TRUE(MustAskToAbandon("", 0));
  EXPECT_FALSE(MustAskToAbandon(" ", 0)) << "blanks are a name";
  EXPECT_FALSE(MustAskToAbandon("", 1));
  EXPECT_FALSE(MustAskToAbandon("", -1)) << "any non-zero flag is on";
}

}  // namespace
}  // namespace velbrook
