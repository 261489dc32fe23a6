#include "pages/list_pages.h"

#include "core/link_entry.h"
#include "res/resource.h"

namespace {

// The list box as the list-editing rules see it.
class ListBoxEntries : public velbrook::EditableList {
 public:
  explicit ListBoxEntries(CListBox& list) : m_list(list) {}
  int Selection() const override { return m_list.GetCurSel(); }
  int Count() const override { return m_list.GetCount(); }
  std::string Text(int index) const override { return m_list.GetText(index); }
  void Append(const std::string& text) override { m_list.AddString(text); }
  void Insert(int index, const std::string& text) override { m_list.InsertString(index, text); }
  void Remove(int index) override { m_list.DeleteString(index); }

 private:
  CListBox& m_list;
};

// The small dialogs' Help button.
bool HelpClicked(int id, int context) {
  if (id != IDC_DIALOG_HELP) return false;
  AfxGetApp()->WinHelp(static_cast<DWORD_PTR>(context));
  return true;
}

}  // namespace

CListPage::CListPage(const PageIdentity& identity, CWnd* wizard, const velbrook::ListButtons& buttons,
                     CStringArray& entries, int& count)
    : CVelbrookPage(identity, wizard), m_buttons(buttons), m_entries(entries), m_count(count) {}

BOOL CListPage::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED && m_list.m_hWnd) {
    ListBoxEntries entries(m_list);
    if (velbrook::RunListButton(id, m_buttons, entries, *this)) return TRUE;
  }
  return CVelbrookPage::OnCommand(id, code, control);
}

BOOL CListPage::OnInitDialog() {
  CVelbrookPage::OnInitDialog();
  const std::size_t count = CountedEntries(m_count, m_entries);
  for (std::size_t i = 0; i < count; ++i) m_list.AddString(m_entries[i]);
  return TRUE;
}

void CListPage::DDX_Entries(CDataExchange* dx, int id) {
  DDX_Control(dx, id, m_list);
  if (!dx->m_bSaveAndValidate) return;
  m_count = m_list.GetCount();
  m_entries.clear();
  for (int i = 0; i < m_count; ++i) m_entries.push_back(m_list.GetText(i));
}

CItemsPage::CItemsPage(ItemSettings& settings, CWnd* wizard)
    : CListPage(kIdentity, wizard,
                {IDC_ITEM_ADD, IDC_ITEM_INSERT, IDC_ITEM_DELETE, IDC_ITEM_UP, IDC_ITEM_DOWN, IDC_ITEM_EDIT},
                settings.m_arrItems, settings.m_nItems),
      m_settings(settings) {}

void CItemsPage::DoDataExchange(CDataExchange* dx) {
  DDX_Entries(dx, IDC_ITEM_LIST);
  DDX_Text(dx, IDC_LIST_TITLE, m_settings.m_strListTitle);
  DDV_MaxChars(dx, m_settings.m_strListTitle, 132);
}

bool CItemsPage::EditEntry(std::string& entry) {
  CItemDlg dialog(entry);
  if (dialog.DoModal() != IDOK) return false;
  entry = dialog.m_strValue;
  return true;
}

CLinksPage::CLinksPage(LinkSettings& settings, CWnd* wizard)
    : CListPage(kIdentity, wizard,
                {IDC_LINK_ADD, IDC_LINK_INSERT, IDC_LINK_DELETE, IDC_LINK_UP, IDC_LINK_DOWN, IDC_LINK_EDIT},
                settings.m_arrLinks, settings.m_nLinks),
      m_settings(settings) {}

void CLinksPage::DoDataExchange(CDataExchange* dx) {
  DDX_Entries(dx, IDC_LINK_LIST);
  DDX_Check(dx, IDC_FAVORITES, m_settings.m_bFavorites);
}

bool CLinksPage::EditEntry(std::string& entry) {
  std::string reference, title;
  velbrook::SplitLinkEntry(entry, reference, title);
  CLinkDlg dialog(title, reference);
  if (dialog.DoModal() != IDOK) return false;
  entry = velbrook::ComposeLinkEntry(dialog.m_strReference, dialog.m_strLinkTitle);
  return true;
}

CItemDlg::CItemDlg(const std::string& value, CWnd* parent) : CDialog(IDD_ITEM, parent), m_strValue(value) {}

void CItemDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_ITEM_VALUE, m_strValue);
  DDV_MaxChars(dx, m_strValue, 255);
}

BOOL CItemDlg::OnCommand(int id, int code, HWND control) {
  return HelpClicked(id, 9) || CDialog::OnCommand(id, code, control);
}

CLinkDlg::CLinkDlg(const std::string& title, const std::string& reference, CWnd* parent)
    : CDialog(IDD_LINK, parent), m_strLinkTitle(title), m_strReference(reference) {}

void CLinkDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_LINK_TITLE, m_strLinkTitle);
  DDV_MaxChars(dx, m_strLinkTitle, 40);
  DDX_Text(dx, IDC_LINK_REFERENCE, m_strReference);
  DDV_MaxChars(dx, m_strReference, 255);
}

BOOL CLinkDlg::OnCommand(int id, int code, HWND control) {
  return HelpClicked(id, 10) || CDialog::OnCommand(id, code, control);
}
