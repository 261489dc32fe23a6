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

#include "pages/color_pair.h"

namespace velbrook {
namespace {

TEST(ColorPair, KeepsWhatItIsGivenAndTakesOnlyAChange) {
  COLORREF color = 0x123456;
  BOOL chosen = 7;
  EXPECT_TRUE(ColorPair(&color, &chosen).Chosen()) << "a colour read from a page stays chosen";
  chosen = 0;
  ColorPair pair(&color, &chosen);
  EXPECT_EQ(0x123456u, color) << "constructing leaves the colour";
  EXPECT_FALSE(pair.Choose(0x123456));
  EXPECT_FALSE(pair.Chosen()) << "the colour already held is no choice";
  EXPECT_TRUE(pair.Choose(0x0000FF));
  EXPECT_EQ(0x0000FFu, color);
  EXPECT_EQ(1, chosen);
  EXPECT_FALSE(pair.Choose(0x0000FF));
  EXPECT_TRUE(pair.Choose(0));
  EXPECT_TRUE(pair.Chosen()) << "nothing moves a pair back to not chosen";
}

TEST(FileDialogs, PictureAndSoundOfferTheirOwnTypesFirst) {
  EXPECT_EQ(".GIF", PictureFileDialog().defaultExt);
  EXPECT_EQ(0u, PictureFileDialog().filter.find("CompuServe GIF files (*.GIF)|*.GIF|"));
  EXPECT_EQ(".MID", SoundFileDialog().defaultExt);
  EXPECT_EQ(0u, SoundFileDialog().filter.find("MIDI files (*.MID)|*.MID|"));
  EXPECT_FALSE(SoundFileDialog().save);
}

}  // namespace
}  // namespace velbrook
