#include <deque>
#include <vector>

#include <gtest/gtest.h>

#include "core/link_entry.h"
#include "pages/list_editing.h"

namespace velbrook {
namespace {

// A list box as Windows keeps one: the selection follows its entry when
// others are inserted or removed before it, and goes with it.
class FakeListBox : public EditableList {
 public:
  FakeListBox(std::vector<std::string> entries, int selection) : entries(std::move(entries)), selection(selection) {}
  int Selection() const override { return selection; }
  int Count() const override { return static_cast<int>(entries.size()); }
  std::string Text(int index) const override { return entries.at(static_cast<std::size_t>(index)); }
  void Append(const std::string& text) override { entries.push_back(text); }
  void Insert(int index, const std::string& text) override {
    entries.insert(entries.begin() + index, text);
    if (selection >= index) ++selection;
  }
  void Remove(int index) override {
    entries.erase(entries.begin() + index);
    if (selection == index) selection = -1;
    else if (selection > index) --selection;
  }
  std::vector<std::string> entries;
  int selection;
};

// Answers the entry dialog from a script; records what it was shown.
class ScriptedEditor : public EntryEditor {
 public:
  bool EditEntry(std::string& entry) override {
    shown.push_back(entry);
    if (answers.empty()) return false;
    const auto answer = answers.front();
    answers.pop_front();
    if (!answer.first) return false;
    entry = answer.second;
    return true;
  }
  void Ok(const std::string& text) { answers.push_back({true, text}); }
  void Cancel() { answers.push_back({false, std::string()}); }
  std::deque<std::pair<bool, std::string>> answers;
  std::vector<std::string> shown;
};

using Entries = std::vector<std::string>;

TEST(ListEditing, AddAppendsAndKeepsTheSelection) {
  FakeListBox list({"P", "Q"}, 0);
  ScriptedEditor editor;
  editor.Ok("R");
  editor.Ok("");
  editor.Cancel();
  AddEntry(list, editor);
  AddEntry(list, editor);
  AddEntry(list, editor);
  EXPECT_EQ((Entries{"P", "Q", "R", ""}), list.entries) << "an empty text is an entry, Cancel adds nothing";
  EXPECT_EQ(0, list.selection);
  EXPECT_EQ((Entries{"", "", ""}), editor.shown) << "the dialog opens empty";
}

TEST(ListEditing, InsertGoesAboveTheSelectionOrAtTheEnd) {
  FakeListBox list({"A", "B"}, -1);
  ScriptedEditor editor;
  editor.Ok("end");
  InsertEntry(list, editor);
  EXPECT_EQ((Entries{"A", "B", "end"}), list.entries) << "no selection: like Add";

  list.selection = 0;
  editor.Ok("first");
  editor.Ok("second");
  InsertEntry(list, editor);
  InsertEntry(list, editor);
  EXPECT_EQ((Entries{"first", "second", "A", "B", "end"}), list.entries);
  EXPECT_EQ(2, list.selection) << "the selected entry stays selected";
}

// Changes the selection while the dialog is open, as a user cannot, to see
// that Insert reads it afterwards.
class SelectingEditor : public EntryEditor {
 public:
  explicit SelectingEditor(FakeListBox& list) : m_list(list) {}
  bool EditEntry(std::string& entry) override {
    m_list.selection = 1;
    entry = "new";
    return true;
  }

 private:
  FakeListBox& m_list;
};

TEST(ListEditing, InsertReadsTheSelectionAfterTheDialog) {
  FakeListBox list({"A", "B"}, -1);
  SelectingEditor editor(list);
  InsertEntry(list, editor);
  EXPECT_EQ((Entries{"A", "new", "B"}), list.entries);
}

TEST(ListEditing, DeleteRemovesTheSelectedEntryOnly) {
  FakeListBox list({"A", "B", "A"}, -1);
  DeleteEntry(list);
  EXPECT_EQ((Entries{"A", "B", "A"}), list.entries);
  list.selection = 2;
  DeleteEntry(list);
  EXPECT_EQ((Entries{"A", "B"}), list.entries) << "duplicates are separate entries";
  EXPECT_EQ(-1, list.selection);
}

TEST(ListEditing, UpAndDownMoveOneStepAndClearTheSelection) {
  FakeListBox list({"P", "Q", "R"}, 1);
  MoveEntryUp(list);
  EXPECT_EQ((Entries{"Q", "P", "R"}), list.entries);
  EXPECT_EQ(-1, list.selection);
  MoveEntryUp(list);  // nothing selected now: nothing happens
  EXPECT_EQ((Entries{"Q", "P", "R"}), list.entries);

  FakeListBox pair({"P", "Q"}, 0);
  MoveEntryDown(pair);
  EXPECT_EQ((Entries{"Q", "P"}), pair.entries);
  EXPECT_EQ(-1, pair.selection);
}

TEST(ListEditing, UpAtTheTopAndDownAtTheBottomKeepEverything) {
  FakeListBox list({"P", "Q"}, 0);
  MoveEntryUp(list);
  EXPECT_EQ(0, list.selection);
  list.selection = 1;
  MoveEntryDown(list);
  EXPECT_EQ(1, list.selection);
  EXPECT_EQ((Entries{"P", "Q"}), list.entries);
  FakeListBox empty({}, -1);
  MoveEntryDown(empty);
  MoveEntryUp(empty);
  EXPECT_TRUE(empty.entries.empty());
}

TEST(ListEditing, EditReplacesInPlaceOrChangesNothing) {
  FakeListBox list({"A", "B", "C"}, -1);
  ScriptedEditor editor;
  EditEntry(list, editor);
  EXPECT_TRUE(editor.shown.empty()) << "no selection: no dialog";

  list.selection = 1;
  editor.Cancel();
  EditEntry(list, editor);
  EXPECT_EQ((Entries{"A", "B", "C"}), list.entries);
  EXPECT_EQ(1, list.selection) << "Cancel keeps the selection";

  editor.Ok("B");
  EditEntry(list, editor);
  EXPECT_EQ((Entries{"A", "B", "C"}), list.entries);
  EXPECT_EQ(-1, list.selection) << "OK without a change still clears the selection";

  list.selection = 2;
  editor.Ok("changed");
  EditEntry(list, editor);
  EXPECT_EQ((Entries{"A", "B", "changed"}), list.entries);
  EXPECT_EQ((Entries{"B", "B", "C"}), editor.shown) << "the dialog opens with the entry";
}

TEST(ListEditing, ButtonsRunTheirRules) {
  const ListButtons buttons = {10, 11, 12, 13, 14, 15};
  FakeListBox list({"A", "B"}, 1);
  ScriptedEditor editor;
  EXPECT_TRUE(RunListButton(13, buttons, list, editor));
  EXPECT_EQ((Entries{"B", "A"}), list.entries);
  list.selection = 0;
  EXPECT_TRUE(RunListButton(14, buttons, list, editor));
  EXPECT_EQ((Entries{"A", "B"}), list.entries);
  list.selection = 0;
  EXPECT_TRUE(RunListButton(12, buttons, list, editor));
  EXPECT_EQ((Entries{"B"}), list.entries);
  editor.Ok("C");
  EXPECT_TRUE(RunListButton(10, buttons, list, editor));
  EXPECT_EQ((Entries{"B", "C"}), list.entries);
  EXPECT_FALSE(RunListButton(99, buttons, list, editor));
}

TEST(LinkEntry, ComposesAndSplitsAtTheFirstSeparator) {
  EXPECT_EQ("a.htm : Other page", ComposeLinkEntry("a.htm", "Other page"));
  EXPECT_EQ(" : ", ComposeLinkEntry("", ""));
  std::string reference, title;
  SplitLinkEntry(" : ", reference, title);
  EXPECT_EQ("", reference);
  EXPECT_EQ("", title);
  SplitLinkEntry(ComposeLinkEntry("x.htm", "Chapter 1 : Start"), reference, title);
  EXPECT_EQ("x.htm", reference);
  EXPECT_EQ("Chapter 1 : Start", title) << "a title may hold the separator";
  SplitLinkEntry(ComposeLinkEntry("odd : ref", "T"), reference, title);
  EXPECT_EQ("odd", reference) << "a reference may not";
  EXPECT_EQ("ref : T", title);
  EXPECT_EQ("odd : ref : T", ComposeLinkEntry(reference, title)) << "and confirming unchanged stores it again";
  SplitLinkEntry("no-separator", reference, title);
  EXPECT_EQ("no-separator", reference);
  EXPECT_EQ("", title);
}

}  // namespace
}  // namespace velbrook
