// The items and links pages, which share the list-editing rules, and the
// small dialogs in which one item or one link is entered.
#ifndef VELBROOK_PAGES_LIST_PAGES_H
#define VELBROOK_PAGES_LIST_PAGES_H

#include "core/page_settings.h"
#include "framework/controls.h"
#include "pages/list_editing.h"
#include "pages/velbrook_page.h"

// What the two list pages share: the list box under the rules, the six
// buttons, and the list filled from the block when the window is made.
class CListPage : public CVelbrookPage, protected velbrook::EntryEditor {
 public:
  CListPage(const PageIdentity& identity, CWnd* wizard, const velbrook::ListButtons& buttons, CStringArray& entries,
            int& count);

 protected:
  // Called when the page window is made: the list shows the block's entries.
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;

  // The list box `id` in the page's exchange. While the window lives, the
  // list box holds the entries the user edits; saving puts them in the block.
  void DDX_Entries(CDataExchange* dx, int id);

 private:
  CListBox m_list;
  velbrook::ListButtons m_buttons;
  CStringArray& m_entries;
  int& m_count;
};

class CItemsPage : public CListPage {
 public:
  static constexpr PageIdentity kIdentity{IDD_ITEMS_PAGE, HelpContextOf(IDS_HELP_ITEMS), IDS_CAPTION_ITEMS};

  CItemsPage(ItemSettings& settings, CWnd* wizard);

  ItemSettings& m_settings;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  bool EditEntry(std::string& entry) override;
};

class CLinksPage : public CListPage {
 public:
  static constexpr PageIdentity kIdentity{IDD_LINKS_PAGE, HelpContextOf(IDS_HELP_LINKS), IDS_CAPTION_LINKS};

  CLinksPage(LinkSettings& settings, CWnd* wizard);

  LinkSettings& m_settings;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  bool EditEntry(std::string& entry) override;
};

// "Input the value of item".
class CItemDlg : public CDialog {
 public:
  explicit CItemDlg(const std::string& value, CWnd* parent = nullptr);
  CString m_strValue;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnCommand(int id, int code, HWND control) override;
};

// "Edit link".
class CLinkDlg : public CDialog {
 public:
  CLinkDlg(const std::string& title, const std::string& reference, CWnd* parent = nullptr);
  CString m_strLinkTitle;
  CString m_strReference;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnCommand(int id, int code, HWND control) override;
};

#endif
