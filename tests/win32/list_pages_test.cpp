// The items, links and footer pages inside the program's real wizard,
// driven through their real buttons; the item and link dialogs answered
// as they come up.
#include <windows.h>

#include <cstdio>
#include <regex>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/win32/wizard_run.h"

namespace velbrook {
namespace {

std::vector<std::string> Entries(HWND list) {
  std::vector<std::string> entries;
  const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[512] = {};
    ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    entries.push_back(text);
  }
  return entries;
}

int Selection(HWND list) { return static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0)); }
void Select(HWND list, int index) { ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

using Texts = std::vector<std::string>;

class ListPagesTest : public WizardRunTest {
 protected:
  // The page text between the rule and the credit line.
  std::string Middle(const std::string& page) {
    const std::size_t start = page.find("<HR>\r\n\r\n") + 8;
    return page.substr(start, page.find("<P>\r\n\r\n<EM>This page") - start);
  }
};

TEST_F(ListPagesTest, ItemButtonsFollowTheListRules) {
  Texts shown;
  PostAction([&] {
    NextTo("Items on the page");
    HWND page = CurrentPage(Wizard());
    HWND list = ::GetDlgItem(page, IDC_ITEM_LIST);
    EXPECT_TRUE(Entries(list).empty());

    AnswerDialog("Input the value of item", {{IDC_ITEM_VALUE, "Chess"}}, IDOK, &shown);
    Click(page, IDC_ITEM_ADD);
    AnswerDialog("Input the value of item", {{IDC_ITEM_VALUE, "Never"}}, IDCANCEL);
    Click(page, IDC_ITEM_ADD);
    AnswerDialog("Input the value of item", {{IDC_ITEM_VALUE, "Go"}}, IDOK);
    Click(page, IDC_ITEM_INSERT);  // nothing selected: appended
    EXPECT_EQ((Texts{"Chess", "Go"}), Entries(list));

    Select(list, 0);
    AnswerDialog("Input the value of item", {{IDC_ITEM_VALUE, "Bridge"}}, IDOK);
    Click(page, IDC_ITEM_INSERT);
    EXPECT_EQ((Texts{"Bridge", "Chess", "Go"}), Entries(list));
    EXPECT_EQ(1, Selection(list)) << "the selected entry stays selected";

    Click(page, IDC_ITEM_UP);
    EXPECT_EQ((Texts{"Chess", "Bridge", "Go"}), Entries(list));
    EXPECT_EQ(-1, Selection(list));
    Click(page, IDC_ITEM_UP);  // nothing selected
    Click(page, IDC_ITEM_DELETE);
    EXPECT_EQ(3u, Entries(list).size());

    Select(list, 2);
    Click(page, IDC_ITEM_DOWN);  // the last one: nothing
    EXPECT_EQ(2, Selection(list));
    AnswerDialog("Input the value of item", {{IDC_ITEM_VALUE, "Go (the game)"}}, IDOK, &shown);
    Click(page, IDC_ITEM_EDIT);
    EXPECT_EQ((Texts{"Chess", "Bridge", "Go (the game)"}), Entries(list));

    Select(list, 1);
    Click(page, IDC_ITEM_DELETE);
    EXPECT_EQ((Texts{"Chess", "Go (the game)"}), Entries(list));
    ::SetWindowTextA(::GetDlgItem(page, IDC_LIST_TITLE), "My games");
    FinishInto(file);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ((Texts{"", "Go"}), shown) << "Add opens empty, Edit opens with the entry";
  EXPECT_EQ("<P>\r\n\r\nMy games<UL>\r\n<LI>Chess\r\n<LI>Go (the game)\r\n\r\n</UL>\r\n\r\n", Middle(ReadFile(file)));
}

TEST_F(ListPagesTest, ItemDialogRefusesTooLongATextAndHasHelp) {
  PostAction([&] {
    NextTo("Items on the page");
    HWND page = CurrentPage(Wizard());
    PostAction([] {
      HWND dialog = ::FindWindowA("#32770", "Input the value of item");
      ASSERT_NE(nullptr, dialog);
      Click(dialog, IDC_DIALOG_HELP);
      ::SetWindowTextA(::GetDlgItem(dialog, IDC_ITEM_VALUE), std::string(256, 'x').c_str());
      Click(dialog, IDOK);
      EXPECT_TRUE(::IsWindow(dialog)) << "a failed save keeps the dialog open";
      Click(dialog, IDCANCEL);
    });
    Click(page, IDC_ITEM_ADD);
    EXPECT_TRUE(Entries(::GetDlgItem(page, IDC_ITEM_LIST)).empty());
    Click(Wizard(), IDCANCEL);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ((std::vector<int>{9, 0}), services.help);
  EXPECT_EQ("Please enter no more than 255 characters.", services.messages.at(0).text);
}

TEST_F(ListPagesTest, LinksAreComposedSplitForEditAndWrittenWithFavourites) {
  Texts shown;
  PostAction([&] {
    NextTo("Link to other pages");
    HWND page = CurrentPage(Wizard());
    HWND list = ::GetDlgItem(page, IDC_LINK_LIST);
    AnswerDialog("Edit link", {{IDC_LINK_TITLE, "Chapter 1 : Start"}, {IDC_LINK_REFERENCE, "one.htm"}}, IDOK);
    Click(page, IDC_LINK_ADD);
    AnswerDialog("Edit link", {{IDC_LINK_TITLE, ""}, {IDC_LINK_REFERENCE, ""}}, IDOK);
    Click(page, IDC_LINK_ADD);
    EXPECT_EQ((Texts{"one.htm : Chapter 1 : Start", " : "}), Entries(list));

    Select(list, 0);
    AnswerDialog("Edit link", {{IDC_LINK_TITLE, "Chapter 1 : Start"}, {IDC_LINK_REFERENCE, "one.htm"}}, IDOK,
                 &shown);
    Click(page, IDC_LINK_EDIT);
    Select(list, 1);
    AnswerDialog("Edit link", {{IDC_LINK_TITLE, "Mail me"}, {IDC_LINK_REFERENCE, "mailto:me@example.org"}}, IDOK,
                 &shown);
    Click(page, IDC_LINK_EDIT);
    Select(list, 1);
    Click(page, IDC_LINK_UP);
    EXPECT_EQ((Texts{"mailto:me@example.org : Mail me", "one.htm : Chapter 1 : Start"}), Entries(list));
    Click(page, IDC_FAVORITES);
    FinishInto(file);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ((Texts{"Chapter 1 : Start", "one.htm", "", ""}), shown)
      << "Edit shows the title whole and the reference alone";
  EXPECT_EQ("\r\n<P>\r\n\r\n<UL>\r\n<LI><A HREF=\"mailto:me@example.org\">mailto:me@example.org</A> Mail me<BR>\r\n"
            "<LI><A HREF=\"one.htm\">one.htm</A> Chapter 1 : Start<BR>\r\n" +
                texts.LoadFavoriteLinks() + "\r\n</UL>\r\n",
            Middle(ReadFile(file)));
}

TEST_F(ListPagesTest, LinkInsertDeleteAndDownFollowTheListRules) {
  PostAction([&] {
    NextTo("Link to other pages");
    HWND page = CurrentPage(Wizard());
    HWND list = ::GetDlgItem(page, IDC_LINK_LIST);
    AnswerDialog("Edit link", {{IDC_LINK_TITLE, "One"}, {IDC_LINK_REFERENCE, "one.htm"}}, IDOK);
    Click(page, IDC_LINK_INSERT);  // nothing selected: appended
    AnswerDialog("Edit link", {{IDC_LINK_TITLE, "Three"}, {IDC_LINK_REFERENCE, "three.htm"}}, IDOK);
    Click(page, IDC_LINK_INSERT);
    EXPECT_EQ((Texts{"one.htm : One", "three.htm : Three"}), Entries(list));

    Select(list, 1);
    AnswerDialog("Edit link", {{IDC_LINK_TITLE, "Two"}, {IDC_LINK_REFERENCE, "two.htm"}}, IDOK);
    Click(page, IDC_LINK_INSERT);
    EXPECT_EQ((Texts{"one.htm : One", "two.htm : Two", "three.htm : Three"}), Entries(list));
    EXPECT_EQ(2, Selection(list)) << "the selected entry stays selected";
    AnswerDialog("Edit link", {{IDC_LINK_TITLE, "Never"}, {IDC_LINK_REFERENCE, "never.htm"}}, IDCANCEL);
    Click(page, IDC_LINK_INSERT);
    EXPECT_EQ(3u, Entries(list).size()) << "a cancelled insert adds nothing";

    Select(list, 0);
    Click(page, IDC_LINK_DOWN);
    EXPECT_EQ((Texts{"two.htm : Two", "one.htm : One", "three.htm : Three"}), Entries(list));
    Select(list, 2);
    Click(page, IDC_LINK_DOWN);  // the last one: nothing
    EXPECT_EQ("three.htm : Three", Entries(list)[2]);

    Click(page, IDC_LINK_DELETE);
    EXPECT_EQ((Texts{"two.htm : Two", "one.htm : One"}), Entries(list));
    Click(page, IDC_LINK_DELETE);  // nothing selected any more
    EXPECT_EQ(2u, Entries(list).size());
    FinishInto(file);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ("\r\n<P>\r\n\r\n<UL>\r\n<LI><A HREF=\"two.htm\">two.htm</A> Two<BR>\r\n"
            "<LI><A HREF=\"one.htm\">one.htm</A> One<BR>\r\n\r\n</UL>\r\n",
            Middle(ReadFile(file)));
}

TEST_F(ListPagesTest, FooterControlsFollowTheBoxAndTheRadiosStoreTheStyle) {
  PostAction([&] {
    NextTo("Your e-mail adress");
    HWND page = CurrentPage(Wizard());
    const int line[] = {IDC_STYLE_NONE, IDC_STYLE_MARQUEE, IDC_STYLE_BLINKING, IDC_CENTER_LAST_UPDATED};
    for (int id : line) {
      EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, id))) << id;
      EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(::GetDlgItem(page, id), BM_GETCHECK, 0, 0)) << id;
    }
    Click(page, IDC_LAST_UPDATED);
    for (int id : line) EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(page, id))) << id;
    Click(page, IDC_STYLE_BLINKING);
    Click(page, IDC_STYLE_MARQUEE);
    Click(page, IDC_CENTER_LAST_UPDATED);
    TypeInto(::GetDlgItem(page, IDC_EMAIL), "me@example.org");
    // Back and forth keeps it all.
    Click(Wizard(), IDC_WIZARD_NEXT);
    Click(Wizard(), IDC_WIZARD_BACK);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(page, IDC_STYLE_MARQUEE), BM_GETCHECK, 0, 0));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(page, IDC_STYLE_MARQUEE)));
    FinishInto(file);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ(
      "<P>\r\n\r\n<!-- \"Last updated\" field -->\r\n<CENTER>\r\n<FONT SIZE=1><MARQUEE>Last updated at 14:05:09 "
      "12.07.26 (Mon)\r\n</MARQUEE>\r\n</FONT></CENTER>\r\n",
      Middle(ReadFile(file)));
  EXPECT_NE(std::string::npos, ReadFile(file).find("<A HREF=\"mailto:me@example.org\">me@example.org</A>\r\n</ADDRESS>"));
}

TEST_F(ListPagesTest, AClearedBoxKeepsTheStyleButWritesNoLine) {
  PostAction([&] {
    NextTo("Your e-mail adress");
    HWND page = CurrentPage(Wizard());
    Click(page, IDC_LAST_UPDATED);
    Click(page, IDC_STYLE_BLINKING);
    Click(page, IDC_LAST_UPDATED);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, IDC_STYLE_BLINKING)));
    FinishInto(file);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ(std::string::npos, ReadFile(file).find("Last updated"));
}

}  // namespace
}  // namespace velbrook
