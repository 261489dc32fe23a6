#include "pages/list_editing.h"

namespace velbrook {

void AddEntry(EditableList& list, EntryEditor& editor) {
  std::string entry;
  if (editor.EditEntry(entry)) list.Append(entry);
}

void InsertEntry(EditableList& list, EntryEditor& editor) {
  std::string entry;
  if (!editor.EditEntry(entry)) return;
  // Read after the dialog: the entry goes above whatever is selected now.
  const int selection = list.Selection();
  if (selection < 0) {
    list.Append(entry);
  } else {
    list.Insert(selection, entry);
  }
}

void DeleteEntry(EditableList& list) {
  const int selection = list.Selection();
  if (selection >= 0) list.Remove(selection);
}

void MoveEntryUp(EditableList& list) {
  const int selection = list.Selection();
  if (selection <= 0) return;
  const std::string text = list.Text(selection);
  list.Remove(selection);
  list.Insert(selection - 1, text);
}

void MoveEntryDown(EditableList& list) {
  const int selection = list.Selection();
  if (selection < 0 || selection >= list.Count() - 1) return;
  const std::string text = list.Text(selection);
  list.Remove(selection);
  list.Insert(selection + 1, text);
}

void EditEntry(EditableList& list, EntryEditor& editor) {
  const int selection = list.Selection();
  if (selection < 0) return;
  std::string entry = list.Text(selection);
  if (!editor.EditEntry(entry)) return;
  list.Remove(selection);
  list.Insert(selection, entry);
}

bool RunListButton(int id, const ListButtons& buttons, EditableList& list, EntryEditor& editor) {
  if (id == buttons.add) {
    AddEntry(list, editor);
  } else if (id == buttons.insert) {
    InsertEntry(list, editor);
  } else if (id == buttons.remove) {
    DeleteEntry(list);
  } else if (id == buttons.up) {
    MoveEntryUp(list);
  } else if (id == buttons.down) {
    MoveEntryDown(list);
  } else if (id == buttons.edit) {
    EditEntry(list, editor);
  } else {
    return false;
  }
  return true;
}

}  // namespace velbrook
