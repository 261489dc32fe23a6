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
  CListPage(const std::string& title, UINT templateId, CWnd* wizard, int helpContext,
            const velbrook::ListButtons& buttons, CStringArray* entries, int* count);

 protected:
  // Called when the page window is made: the list shows the block's entries.
  BOOL OnInitDialog() override;
  BOOL OnCommand(int id, int code, HWND control) override;

  CListBox& List() { return m_list; }
  // The list box's entries, once the window is made (until then the block
  // holds them).
  void StoreEntries(CStringArray& entries, int& count);

 private:
  CListBox m_list;
  velbrook::ListButtons m_buttons;
  CStringArray* m_pEntries;
  int* m_pCount;
};

class CItemsPage : public CListPage {
 public:
  CItemsPage(ItemSettings* settings, const std::string& title, CWnd* wizard);

  CString m_strListTitle;
  ItemSettings* m_pSettings;

  void WriteValues(PageSettings& record) override { Store(record.items); }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  // Called when the page window goes: its values go into the block.
  void OnDestroy() override;
  bool EditEntry(std::string& entry) override;

 private:
  void Store(ItemSettings& block);
};

class CLinksPage : public CListPage {
 public:
  CLinksPage(LinkSettings* settings, const std::string& title, CWnd* wizard);

  BOOL m_bFavorites = FALSE;
  LinkSettings* m_pSettings;

  void WriteValues(PageSettings& record) override { Store(record.links); }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  // Called when the page window goes: its values go into the block.
  void OnDestroy() override;
  bool EditEntry(std::string& entry) override;

 private:
  void Store(LinkSettings& block);
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
