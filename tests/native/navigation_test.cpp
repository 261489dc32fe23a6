#include <gtest/gtest.h>

#include "wizard/navigation.h"

namespace velbrook {
namespace {

TEST(ButtonsFor, FollowThePositionInTheList) {
  struct Case {
    int current, count;
    bool back, next, finish;
  } cases[] = {
      {0, 10, false, true, false},  // first page
      {1, 10, true, true, false},   {8, 10, true, true, false},
      {9, 10, true, false, true},   // last page: the only place to finish
      {0, 1, false, true, false},   // a single page counts as the first
      {1, 2, true, false, true},
  };
  for (const Case& c : cases) {
    const WizardButtons b = ButtonsFor(c.current, c.count, true);
    EXPECT_EQ(c.back, b.back) << c.current << " of " << c.count;
    EXPECT_EQ(c.next, b.next) << c.current << " of " << c.count;
    EXPECT_EQ(c.finish, b.finish) << c.current << " of " << c.count;
  }
  EXPECT_TRUE(ButtonsFor(3, 10, true).help);
  EXPECT_FALSE(ButtonsFor(3, 10, false).help);
}

TEST(PageIndex, NextAndBackStopAtTheEnds) {
  EXPECT_EQ(1, NextPageIndex(0, 10));
  EXPECT_EQ(-1, NextPageIndex(9, 10));
  EXPECT_EQ(-1, NextPageIndex(-1, 10)) << "no current page";
  EXPECT_EQ(-1, NextPageIndex(0, 1));
  EXPECT_EQ(8, BackPageIndex(9, 10));
  EXPECT_EQ(-1, BackPageIndex(0, 10));
  EXPECT_EQ(-1, BackPageIndex(-1, 10));
}

TEST(PageSlots, TakesEveryPageAndAnswersNullOutsideTheList) {
  int pages[12];
  PageSlots<int> slots;
  for (int& page : pages) slots.Add(&page);
  EXPECT_EQ(12, slots.Count());
  EXPECT_EQ(&pages[10], slots.At(10)) << "an eleventh page is kept";
  EXPECT_EQ(nullptr, slots.At(12));
  EXPECT_EQ(nullptr, slots.At(-1));
}

TEST(MnemonicOf, FindsTheMarkedCharacter) {
  EXPECT_EQ('n', MnemonicOf("&Next>"));
  EXPECT_EQ('b', MnemonicOf("<&Back"));
  EXPECT_EQ('r', MnemonicOf("B&rowse..."));
  EXPECT_EQ(0, MnemonicOf("Cancel"));
  EXPECT_EQ(0, MnemonicOf("Drag&&Drop"));
  EXPECT_EQ('d', MnemonicOf("Drag&& &Drop"));
  EXPECT_EQ(0, MnemonicOf("trailing &"));
}

}  // namespace
}  // namespace velbrook
