// The list-editing rules of the items and links pages: Add, Insert, Delete,
// Up, Down and Edit on a single-selection list, apart from any window.
#ifndef VELBROOK_PAGES_LIST_EDITING_H
#define VELBROOK_PAGES_LIST_EDITING_H

#include <string>

namespace velbrook {

// The list as the rules see it: a list box's entries and its selection. A
// list box keeps its selection on the same entry when another is inserted
// or removed before it, and loses it when that entry is removed.
class EditableList {
 public:
  virtual ~EditableList() = default;
  virtual int Selection() const = 0;  // -1 when nothing is selected
  virtual int Count() const = 0;
  virtual std::string Text(int index) const = 0;
  virtual void Append(const std::string& text) = 0;
  virtual void Insert(int index, const std::string& text) = 0;
  virtual void Remove(int index) = 0;
};

// The small dialog in which one entry is entered or changed.
class EntryEditor {
 public:
  virtual ~EntryEditor() = default;
  // Shows `entry` (empty for a new one); true with the changed entry in
  // `entry` when the user confirmed.
  virtual bool EditEntry(std::string& entry) = 0;
};

// The page's six buttons.
struct ListButtons {
  int add, insert, remove, up, down, edit;
};

// Runs the rule of button `id` on `list`; false when `id` is none of the
// six. The selection is read when each rule needs it; a rule that has
// nothing to act on does nothing.
bool RunListButton(int id, const ListButtons& buttons, EditableList& list, EntryEditor& editor);

void AddEntry(EditableList& list, EntryEditor& editor);
void InsertEntry(EditableList& list, EntryEditor& editor);
void DeleteEntry(EditableList& list);
void MoveEntryUp(EditableList& list);
void MoveEntryDown(EditableList& list);
void EditEntry(EditableList& list, EntryEditor& editor);

}  // namespace velbrook

#endif
