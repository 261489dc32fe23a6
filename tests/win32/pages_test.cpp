// The title and file name pages inside the program's real wizard, driven
// through their controls and the wizard's buttons.
#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/delivery.h"
#include "core/html_writer.h"
#include "core/preview.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "res/resource.h"
#include "tests/win32/wizard_run.h"

namespace velbrook {
namespace {

class PagesTest : public WizardRunTest {};

TEST_F(PagesTest, TitleAndFileNameMakeTheFirstWorkedPage) {
  PostAction([&] {
    NextTo("Title and headers of the page");
    HWND page = CurrentPage(Wizard());
    TypeInto(::GetDlgItem(page, IDC_WINDOW_TITLE), "My page");
    NextTo("File name for the page");
    page = CurrentPage(Wizard());
    EXPECT_EQ("", WindowText(::GetDlgItem(page, IDC_FILE_NAME)));
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(::GetDlgItem(page, IDC_CLIPBOARD), BM_GETCHECK, 0, 0));
    TypeInto(::GetDlgItem(page, IDC_FILE_NAME), file);
    Click(Wizard(), IDOK);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ((std::vector<std::string>{"Congratulations! You've been created new Home Page (" + file + ")!"}),
            Messages());
  EXPECT_EQ(
      "<HTML>\r\n\r\n<META NAME=\"CREATOR\" CONTENT=\"The Velbrook v1.22\">\r\n\r\n<HEAD>\r\n<TITLE>\r\nMy page\r\n"
      "</TITLE>\r\n</HEAD>\r\n\r\n<BODY>\r\n\r\n<HR>\r\n\r\n<P>\r\n\r\n<EM>This page was created by Korvane's "
      "Velbrook v 1.22</EM>\r\n\r\n</BODY>\r\n\r\n</HTML>\r\n",
      ReadFile(file));
}

// What a control shows: a button's tick, a list's entries, else its text;
// " (disabled)" after a control the user cannot reach.
std::string Shown(HWND control) {
  char kind[16] = "";
  ::GetClassNameA(control, kind, sizeof kind);
  std::string shown;
  if (lstrcmpiA(kind, "Button") == 0) {
    shown = ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "[x]" : "[ ]";
  } else if (lstrcmpiA(kind, "ListBox") == 0) {
    const int count = static_cast<int>(::SendMessageA(control, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      std::string entry(::SendMessageA(control, LB_GETTEXTLEN, i, 0), '\0');
      ::SendMessageA(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&entry[0]));
      shown += (i ? "|" : "") + entry;
    }
  } else {
    shown = WindowText(control);
  }
  return ::IsWindowEnabled(control) ? shown : shown + " (disabled)";
}

// A page the wizard wrote, opened again: every page shows what the page
// holds, and Finish writes the same bytes but for the one edit (an item
// added to the list read back) and asks nothing.
TEST_F(PagesTest, APageOpenedAgainFillsEveryPageAndIsWrittenWithJustItsEdit) {
  PageSettings written;
  // Texts of any script, in the UTF-8 process code page the manifest asks for.
  written.title = {"J\xC3\xB6rg's page", "\xD0\x9C\xD0\xBE\xD0\xB9 \xF0\x9F\x98\x80 \xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1",
                   "to my page", TRUE, TRUE, FALSE, TRUE, "DE"};  // the code in any case
  written.background = {"sky.gif", "tune.mid", 0xE0FFFF, TRUE, TRUE, TRUE};
  written.color = {0x80, TRUE, 0, FALSE, 0x800080, TRUE};
  written.picture = {TRUE, FALSE, TRUE, "\xE5\x86\x99\xE7\x9C\x9F.gif", "Me, \"at home\" \xE6\x97\xA5\xE6\x9C\xAC"};
  // A lone LF, as a text imported from a UNIX file keeps it: the page's
  // line ends are not all LF, so the page is read byte for byte.
  written.text.m_strText = "Hello,\r\n<UL>\r\n<LI>my own list\r\n</UL>\r\nimported\nlines, 12 \xE2\x82\xAC";
  written.items = {{"Chess", "Go"}, "Hobbies:", 2};
  written.links = {{"a.htm : Other page", "b.htm : "}, 2, TRUE};
  written.footer = {TRUE, FALSE, "j\xC3\xB6rg@example.org", 2};
  std::string page;
  PageDelivery quiet(services, texts);
  BuildPage(written, quiet.OfferCopies(written), page, texts, clock);
  WriteFile(file, page);
  const std::string dir = file.substr(0, file.find_last_of('\\') + 1);

  const struct {
    const char* caption;
    int id;
    std::string shown;
  } controls[] = {
      {"Title and headers of the page", IDC_WINDOW_TITLE, written.title.m_strWindowTitle},
      {"Title and headers of the page", IDC_HEADER, written.title.m_strHeader},
      {"Title and headers of the page", IDC_LANGUAGE, "German (de)"},
      {"Title and headers of the page", IDC_SUBHEADER, "to my page"},
      {"Title and headers of the page", IDC_CENTER_HEADER, "[x]"},
      {"Title and headers of the page", IDC_CENTER_SUBHEADER, "[ ]"},
      {"Title and headers of the page", IDC_HTML3, "[x]"},
      {"Title and headers of the page", IDC_FIT_PHONE, "[x]"},
      {"Background color, picture and sound", IDC_USE_COLOR, "[x]"},
      {"Background color, picture and sound", IDC_SELECT_COLOR, "[ ]"},  // enabled by Solid color
      {"Background color, picture and sound", IDC_BITMAP_FILE, dir + "sky.gif"},
      {"Background color, picture and sound", IDC_FIXED_BACKGROUND, "[x]"},
      {"Background color, picture and sound", IDC_SOUND_FILE, dir + "tune.mid"},
      {"Picture for the page", IDC_INCLUDE_PICTURE, "[x]"},
      {"Picture for the page", IDC_CENTER_PICTURE, "[ ]"},
      {"Picture for the page", IDC_FRAME_PICTURE, "[x]"},
      {"Picture for the page", IDC_PICTURE_FILE, dir + written.picture.m_strPictureFile},
      {"Picture for the page", IDC_PICTURE_DESCRIPTION, written.picture.m_strDescription},
      {"Text of the page", IDC_PAGE_TEXT, written.text.m_strText},
      {"Items on the page", IDC_LIST_TITLE, "Hobbies:"},
      {"Items on the page", IDC_ITEM_LIST, "Chess|Go"},
      {"Link to other pages", IDC_LINK_LIST, "a.htm : Other page|b.htm : "},
      {"Link to other pages", IDC_FAVORITES, "[x]"},
      {"Your e-mail adress", IDC_LAST_UPDATED, "[x]"},
      {"Your e-mail adress", IDC_CENTER_LAST_UPDATED, "[ ]"},
      {"Your e-mail adress", IDC_STYLE_NONE, "[ ]"},
      {"Your e-mail adress", IDC_STYLE_BLINKING, "[x]"},
      {"Your e-mail adress", IDC_EMAIL, written.footer.m_strEMail},
      {"File name for the page", IDC_FILE_NAME, file},
      {"File name for the page", IDC_CLIPBOARD, "[ ]"},
  };
  services.messages.clear();
  PostAction([&] {
    for (const auto& control : controls) {
      NextTo(control.caption);
      EXPECT_EQ(control.shown, Shown(::GetDlgItem(CurrentPage(Wizard()), control.id)))
          << control.caption << ", control " << control.id;
      if (control.id == IDC_ITEM_LIST) {
        AnswerDialog("Input the value of item", {{IDC_ITEM_VALUE, "Poker"}}, IDOK);
        Click(CurrentPage(Wizard()), IDC_ITEM_ADD);
      }
    }
    Click(Wizard(), IDOK);
  });
  app.Run(services, texts, clock, file);
  EXPECT_EQ((std::vector<std::string>{"Congratulations! You've been created new Home Page (" + file + ")!"}),
            Messages());
  PageSettings edited = written;
  edited.items = {{"Chess", "Go", "Poker"}, "Hobbies:", 3};
  page.clear();
  BuildPage(edited, quiet.OfferCopies(edited), page, texts, clock);
  EXPECT_EQ(page, ReadFile(file));
}

TEST_F(PagesTest, TitlePageKeepsItsValuesAndHonoursItsLimits) {
  PostAction([&] {
    NextTo("Title and headers of the page");
    HWND page = CurrentPage(Wizard());
    HWND title = ::GetDlgItem(page, IDC_WINDOW_TITLE);
    const std::size_t typed = static_cast<std::size_t>(EditLimitFor(30));
    TypeInto(title, std::string(typed + 1, 'x'));
    EXPECT_EQ(std::string(typed, 'x'), WindowText(title)) << "typing stops at the edit's limit";
    // Thirty letters of two bytes each are thirty characters: Next takes them.
    std::string cyrillic;
    for (int i = 0; i < 30; ++i) cyrillic += "\xD0\xB4";
    ::SetWindowTextA(title, cyrillic.c_str());
    TypeInto(::GetDlgItem(page, IDC_HEADER), "Welcome");
    Click(page, IDC_CENTER_HEADER);
    TypeInto(::GetDlgItem(page, IDC_SUBHEADER), "<I>sub</I>");
    Click(page, IDC_CENTER_SUBHEADER);
    Click(page, IDC_HTML3);

    // Back and Next again: the page shows what it had.
    Click(Wizard(), IDC_WIZARD_NEXT);
    Click(Wizard(), IDC_WIZARD_BACK);
    EXPECT_EQ("Title and headers of the page", WindowText(Wizard()));
    EXPECT_EQ("Welcome", WindowText(::GetDlgItem(page, IDC_HEADER)));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(page, IDC_HTML3), BM_GETCHECK, 0, 0));

    // A text longer than its limit that got in anyway is refused on leaving.
    ::SetWindowTextA(::GetDlgItem(page, IDC_HEADER), std::string(61, 'h').c_str());
    Click(Wizard(), IDC_WIZARD_NEXT);
    EXPECT_EQ("Title and headers of the page", WindowText(Wizard())) << "a failed save keeps the page";
    EXPECT_EQ(::GetDlgItem(page, IDC_HEADER), ::GetFocus()) << "the focus goes to the failing edit";
    ::SetWindowTextA(::GetDlgItem(page, IDC_HEADER), "Welcome");
    Click(Wizard(), IDCANCEL);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ((std::vector<std::string>{"Please enter no more than 60 characters.",
                                      "The Velbrook was fully completed.\nThere is no home page created."}),
            Messages());
  EXPECT_EQ(static_cast<unsigned>(kMbOk | kMbIconExclamation), services.messages[0].style);
}

TEST_F(PagesTest, FileNamePageAsksBeforeEndingWithoutOutput) {
  services.answers = {kIdNo, kIdYes, kIdYes};
  PostAction([&] {
    NextTo("File name for the page");
    HWND page = CurrentPage(Wizard());
    Click(Wizard(), IDOK);
    EXPECT_EQ("File name for the page", WindowText(Wizard())) << "No stays on the page";
    Click(Wizard(), IDC_WIZARD_BACK);
    EXPECT_EQ("Put the page on the web", WindowText(Wizard())) << "Yes goes where Back leads";
    NextTo("File name for the page");
    // A name of blanks is a name: no question.
    TypeInto(::GetDlgItem(page, IDC_FILE_NAME), " ");
    Click(Wizard(), IDC_WIZARD_BACK);
    EXPECT_EQ(2u, services.messages.size());
    NextTo("File name for the page");
    ::SetWindowTextA(::GetDlgItem(page, IDC_FILE_NAME), "");
    Click(page, IDC_CLIPBOARD);
    Click(Wizard(), IDOK);
  });
  app.Run(services, texts, clock);
  const std::string question = texts.Load(IDS_ABANDON_WORK);
  ASSERT_EQ(3u, services.messages.size());
  EXPECT_EQ(question, services.messages[0].text);
  EXPECT_EQ(IDS_ABANDON_WORK, services.messages[0].helpContext) << "the message's own number";
  EXPECT_EQ(question, services.messages[1].text);
  EXPECT_EQ("Congratulations! You've been created new Home Page ()!", services.messages[2].text)
      << "the clipboard alone needs no question";
  ASSERT_EQ(1u, services.clipboard.size());
  EXPECT_EQ(app.m_strPage, services.clipboard[0]);
}

// Preview hands the shell one file holding the page as it stands, values of
// every page included, whether the page was left by Next, by Back or not at
// all, and Finish then writes the page from the same values; a failure is
// told and the wizard stays; the file goes with the run.
TEST_F(PagesTest, PreviewAndFinishSeeEveryValueTypedAndTheFileGoesWithTheRun) {
  services.tempFolder = TempPath("");
  services.openSucceeds = false;
  bool previewWroteNothingElse = false;
  PostAction([&] {
    NextTo("Title and headers of the page");
    TypeInto(::GetDlgItem(CurrentPage(Wizard()), IDC_WINDOW_TITLE), "My page");
    NextTo("Picture for the page");
    HWND page = CurrentPage(Wizard());
    Click(page, IDC_INCLUDE_PICTURE);
    TypeInto(::GetDlgItem(page, IDC_PICTURE_FILE), "D:\\pics\\me.gif");
    NextTo("Text of the page");
    TypeInto(::GetDlgItem(CurrentPage(Wizard()), IDC_PAGE_TEXT), "Typed, then left by Back");
    Click(Wizard(), IDC_WIZARD_BACK);
    NextTo("Items on the page");
    AnswerDialog("Input the value of item", {{IDC_ITEM_VALUE, "Chess"}}, IDOK);
    Click(CurrentPage(Wizard()), IDC_ITEM_ADD);
    NextTo("Link to other pages");
    AnswerDialog("Edit link", {{IDC_LINK_TITLE, "Other"}, {IDC_LINK_REFERENCE, "a.htm"}}, IDOK);
    Click(CurrentPage(Wizard()), IDC_LINK_ADD);
    NextTo("Your e-mail adress");
    TypeInto(::GetDlgItem(CurrentPage(Wizard()), IDC_EMAIL), "me@example.org");
    NextTo("File name for the page");
    page = CurrentPage(Wizard());
    TypeInto(::GetDlgItem(page, IDC_FILE_NAME), file);
    Click(page, IDC_CLIPBOARD);
    Click(page, IDC_PREVIEW);
    EXPECT_EQ("File name for the page", WindowText(Wizard())) << "a failed preview keeps the wizard as it was";
    services.openSucceeds = true;
    Click(page, IDC_PREVIEW);
    previewWroteNothingElse = services.copies.empty() && services.clipboard.empty() &&
                              ::GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES;
    Click(Wizard(), IDOK);
  });
  app.Run(services, texts, clock);
  EXPECT_TRUE(previewWroteNothingElse) << "a preview copies nothing and writes neither the page nor the clipboard";
  ASSERT_EQ(2u, services.opened.size());
  const std::string path = services.opened[1].first;
  EXPECT_EQ(services.opened[0].first, path) << "one file, replaced at each press";
  EXPECT_EQ(TempPath("velbrook-preview-"), path.substr(0, TempPath("velbrook-preview-").size()));
  PageSettings expected;
  expected.title.m_strWindowTitle = "My page";
  expected.picture = {TRUE, FALSE, FALSE, "D:\\pics\\me.gif", ""};
  expected.text.m_strText = "Typed, then left by Back";
  expected.items = {{"Chess"}, "", 1};
  expected.links = {{"a.htm : Other"}, 1, FALSE};
  expected.footer.m_strEMail = "me@example.org";
  expected.file = {file, TRUE};
  EXPECT_EQ(BuildPreviewPage(expected, texts, clock, services.currentDirectory), services.opened[1].second);
  EXPECT_NE(std::string::npos, services.opened[1].second.find("<IMG SRC=\"file:///D:/pics/me.gif\">"));
  ASSERT_EQ(3u, services.messages.size());
  EXPECT_EQ(FormatText(texts.Load(IDS_PREVIEW_ERROR), path), services.messages[0].text) << "nothing asked";
  EXPECT_EQ(8, services.messages[0].helpContext);
  // Finish asks to copy the picture (No, the script's default) and writes
  // the page from the same record.
  std::string page;
  PageDelivery quiet(services, texts);
  BuildPage(expected, quiet.OfferCopies(expected), page, texts, clock);
  EXPECT_EQ(page, ReadFile(file));
  ASSERT_EQ(1u, services.clipboard.size());
  EXPECT_EQ(page, services.clipboard[0]);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(path.c_str())) << "the preview is gone after the run";
}

TEST_F(PagesTest, BrowseProposesHomePageAndPutsTheDirectoryBack) {
  services.files = {"", "C:\\WEB\\INDEX.HTM"};
  PostAction([&] {
    NextTo("File name for the page");
    HWND page = CurrentPage(Wizard());
    TypeInto(::GetDlgItem(page, IDC_FILE_NAME), "typed.htm");
    Click(page, IDC_CLIPBOARD);
    Click(page, IDC_FILE_BROWSE);  // cancelled
    EXPECT_EQ("typed.htm", WindowText(::GetDlgItem(page, IDC_FILE_NAME)));
    Click(page, IDC_FILE_BROWSE);  // confirmed
    EXPECT_EQ("C:\\WEB\\INDEX.HTM", WindowText(::GetDlgItem(page, IDC_FILE_NAME)));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(page, IDC_CLIPBOARD), BM_GETCHECK, 0, 0));
    Click(Wizard(), IDCANCEL);
  });
  app.Run(services, texts, clock);
  ASSERT_EQ(2u, services.fileDialogs.size());
  for (const FileDialogRequest& request : services.fileDialogs) {
    EXPECT_TRUE(request.save);
    EXPECT_EQ("HomePage.HTM", request.fileName) << "proposed every time, whatever the edit holds";
    EXPECT_EQ(".HTM", request.defaultExt);
    EXPECT_EQ("HTML files (*.HTM)|*.HTM|HTML 3+ files for PC (*.HT3)|*.HT3|All files (*.*)|*.*||", request.filter);
    EXPECT_TRUE(request.flags & kOfnOverwritePrompt);
  }
  EXPECT_EQ((std::vector<std::string>{"C:\\WORK", "C:\\WORK"}), services.directoryChanges)
      << "the directory is put back after Cancel and after OK";
}

TEST_F(PagesTest, TextPageImportsReplacesAndKeepsTheTextWhenAnImportFails) {
  const std::string fits = TempPath("velbrook_fits.txt"), big = TempPath("velbrook_big.txt"),
                    empty = TempPath("velbrook_empty.txt"), zero = TempPath("velbrook_zero.txt");
  WriteFile(fits, std::string(65536, 'a'));
  WriteFile(big, std::string(65537, 'b'));
  WriteFile(empty, "");
  WriteFile(zero, std::string("kept\0lost", 9));
  services.files = {"", fits, big, TempPath("velbrook_no_such.txt"), zero, empty};
  std::string afterFits, afterCancel, afterBig, afterMissing, afterZero, afterEmpty;
  PostAction([&] {
    NextTo("Text of the page");
    HWND page = CurrentPage(Wizard());
    HWND edit = ::GetDlgItem(page, IDC_PAGE_TEXT);
    TypeInto(edit, "My own words\r");
    Click(page, IDC_IMPORT);  // cancelled
    afterCancel = WindowText(edit);
    Click(page, IDC_IMPORT);
    afterFits = WindowText(edit);
    ::SetWindowTextA(edit, "typed over");
    Click(page, IDC_IMPORT);  // too long
    afterBig = WindowText(edit);
    Click(page, IDC_IMPORT);  // missing
    afterMissing = WindowText(edit);
    Click(page, IDC_IMPORT);
    afterZero = WindowText(edit);
    Click(page, IDC_IMPORT);
    afterEmpty = WindowText(edit);
    TypeInto(edit, "Final text");
    Click(Wizard(), IDC_WIZARD_NEXT);  // saved when left
    Click(Wizard(), IDCANCEL);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ("My own words\r\n", afterCancel) << "Enter starts a new line and Cancel changes nothing";
  EXPECT_EQ(65536u, afterFits.size());
  EXPECT_EQ("typed over", afterBig) << "a file too long keeps the text";
  EXPECT_EQ("typed over", afterMissing) << "a file that cannot be read keeps the text";
  EXPECT_EQ("kept", afterZero);
  EXPECT_EQ("", afterEmpty);
  ASSERT_GE(services.messages.size(), 2u);
  EXPECT_EQ("File " + big + " is too long!", services.messages[0].text);
  EXPECT_EQ("Error while file operation!", services.messages[1].text);
  EXPECT_EQ(".TXT", services.fileDialogs[0].defaultExt);
  EXPECT_FALSE(services.fileDialogs[0].save);
  EXPECT_EQ("Text files (*.TXT)|*.TXT|All files (*.*)|*.*||", services.fileDialogs[0].filter);
  for (const std::string& f : {fits, big, empty, zero}) ::DeleteFileA(f.c_str());
}

// The name a screen reader reads for `control`, as Active Accessibility
// gives it. Windows names an edit, a list box or a combo box by the static
// label just before it in its template; Wine's oleacc reads their own text
// instead (what the user typed or chose), so for them this applies Windows'
// rule itself, counting a hidden label as one.
std::string AccessibleName(HWND control) {
  char className[16] = {};
  ::GetClassNameA(control, className, sizeof className);
  if (lstrcmpiA(className, "Edit") == 0 || lstrcmpiA(className, "ListBox") == 0 ||
      lstrcmpiA(className, "ComboBox") == 0) {
    HWND label = ::GetWindow(control, GW_HWNDPREV);
    ::GetClassNameA(label, className, sizeof className);
    std::string name = lstrcmpiA(className, "Static") == 0 ? WindowText(label) : "";
    if (name.find('&') != std::string::npos) name.erase(name.find('&'), 1);
    return name;
  }
  // MinGW's import library carries a wrong IID_IAccessible.
  const IID iAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
  IAccessible* accessible = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(control, OBJID_CLIENT, iAccessible, reinterpret_cast<void**>(&accessible)))) {
    return "";
  }
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  char text[1024] = {};
  if (accessible->get_accName(self, &name) == S_OK && name) {
    ::WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text - 1, nullptr, nullptr);
  }
  ::SysFreeString(name);
  accessible->Release();
  return text;
}

// Every control of `window` that Tab or the mouse reaches (all but labels
// and frames) must have a name; gives the tab stops in their order, and
// adds a row of the names table for each control to `rows`.
std::vector<int> NamedTabStops(HWND window, const char* where, std::vector<std::string>& rows) {
  std::vector<int> tabStops;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = {};
    ::GetClassNameA(child, className, sizeof className);
    const LONG style = ::GetWindowLongA(child, GWL_STYLE);
    if (lstrcmpiA(className, "Static") == 0 || lstrcmpiA(className, "#32770") == 0) continue;
    if (lstrcmpiA(className, "Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX) continue;
    if (style & WS_TABSTOP) tabStops.push_back(::GetDlgCtrlID(child));
    const std::string name = AccessibleName(child);
    EXPECT_FALSE(name.empty()) << where << ": control " << ::GetDlgCtrlID(child) << " has no accessible name";
    const char* kind = lstrcmpiA(className, "Edit") == 0      ? "edit"
                       : lstrcmpiA(className, "ListBox") == 0  ? "list box"
                       : lstrcmpiA(className, "ComboBox") == 0 ? "drop-down list"
                                                               : "button";
    // A table cell holds no line break: a label's lines are joined by a blank.
    std::string cell;
    for (char c : name) {
      if (c != '\r') cell += c == '\n' ? ' ' : c;
    }
    rows.push_back(std::string(where) + " | " + std::to_string(::GetDlgCtrlID(child)) + " | " + kind + " | " +
                   (style & WS_TABSTOP ? "yes" : "") + " | " + cell);
  }
  return tabStops;
}

// At the DPI this runs at (its own prefix's, VELBROOK_DPI, for the run at
// 144): every text of `window` fits its control, and the picture button
// `picture`, if any, shows `bitmap` scaled to that DPI within a pixel, from
// a copy of that size.
void CheckRoomAtThisDpi(HWND window, const std::string& where, int picture = 0, int bitmap = 0) {
  const int dpi = static_cast<int>(AfxGetDpiForWindow(window));
  if (const char* asked = std::getenv("VELBROOK_DPI")) {
    ASSERT_EQ(std::atoi(asked), dpi) << "the prefix's DPI";
  }
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = {};
    ::GetClassNameA(child, className, sizeof className);
    const LONG style = ::GetWindowLongA(child, GWL_STYLE);
    const bool button = lstrcmpiA(className, "Button") == 0, label = lstrcmpiA(className, "Static") == 0;
    const LONG type = style & (button ? BS_TYPEMASK : SS_TYPEMASK);
    const std::string text = WindowText(child);
    // Owner-drawn buttons draw no text; icons and frames have none.
    if (text.empty() || !(button || label) || (button && type == BS_OWNERDRAW)) continue;
    if (label && type > SS_RIGHT && type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP) continue;
    RECT room;
    ::GetClientRect(child, &room);
    const bool box = button && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && type != BS_GROUPBOX;
    // What the control keeps for itself: a button's edges, a check box's
    // box and gap, a frame's corners beside its title (6 pixels at 96 DPI).
    const int kept = ::MulDiv(box ? 16 : 6, dpi, 96);
    room.right -= button ? kept : 0;
    const bool wraps = (label && type <= SS_RIGHT) || (button && (style & BS_MULTILINE));
    UINT format = DT_CALCRECT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE);
    if (label && (style & SS_NOPREFIX)) format |= DT_NOPREFIX;
    HDC dc = ::GetDC(child);
    HGDIOBJ font = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(child, WM_GETFONT, 0, 0)));
    RECT needed = {0, 0, room.right, 0};
    ::DrawTextA(dc, text.c_str(), -1, &needed, format);
    ::SelectObject(dc, font);
    ::ReleaseDC(child, dc);
    EXPECT_LE(needed.right, room.right) << where << ": \"" << text << "\" is wider than its control at " << dpi << " DPI";
    EXPECT_LE(needed.bottom, room.bottom) << where << ": \"" << text << "\" is taller than its control at " << dpi
                                          << " DPI";
  }
  if (!picture) return;
  BITMAP original;
  HBITMAP loaded = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmap));
  ASSERT_TRUE(::GetObjectA(loaded, sizeof original, &original)) << where;
  ::DeleteObject(loaded);
  RECT shown;
  ::GetWindowRect(::GetDlgItem(window, picture), &shown);
  EXPECT_NEAR(::MulDiv(original.bmWidth, dpi, 96), shown.right - shown.left, 1) << where << " at " << dpi << " DPI";
  EXPECT_NEAR(::MulDiv(original.bmHeight, dpi, 96), shown.bottom - shown.top, 1) << where << " at " << dpi << " DPI";
  const auto* drawn = dynamic_cast<CBitmapButton*>(CWnd::FromHandlePermanent(::GetDlgItem(window, picture)));
  ASSERT_NE(nullptr, drawn) << where;
  EXPECT_EQ(shown.right - shown.left, drawn->GetScaledSize().cx) << where;
  EXPECT_EQ(shown.bottom - shown.top, drawn->GetScaledSize().cy) << where;
}

// Every page and dialog: help at its own context, its tab order, a name for
// every control a screen reader can reach, each as the table in
// docs/accessible-names.md gives it, and room for every text and picture at
// the DPI it runs at (also run at 144 DPI: cmake/win32.cmake).
TEST_F(PagesTest, EveryPageAndDialogHasItsHelpItsTabOrderAndNamedControls) {
  const struct {
    const char* page;
    int context;
    std::vector<int> tabStops;
    int picture = 0, bitmap = 0;
  } pages[] = {
      {"Welcome to the Velbrook!", 1, {IDC_ABOUT}, IDC_WELCOME_PICTURE, IDB_WELCOME},
      {"Title and headers of the page", 2,
       {IDC_WINDOW_TITLE, IDC_HEADER, IDC_CENTER_HEADER, IDC_SUBHEADER, IDC_CENTER_SUBHEADER, IDC_FIT_PHONE,
        IDC_HTML3, IDC_LANGUAGE}},
      {"Background color, picture and sound", 19,
       {IDC_SELECT_COLOR, IDC_BITMAP_FILE, IDC_BROWSE_BITMAP, IDC_SOUND_FILE, IDC_BROWSE_SOUND, IDC_FIXED_BACKGROUND,
        IDC_USE_COLOR, IDC_USE_BITMAP}},
      {"Text color", 20, {IDC_CHOOSE_TEXT_COLOR, IDC_CHOOSE_LINK_COLOR, IDC_CHOOSE_VLINK_COLOR}},
      {"Picture for the page", 3,
       {IDC_INCLUDE_PICTURE, IDC_CENTER_PICTURE, IDC_FRAME_PICTURE, IDC_PICTURE_FILE, IDC_PICTURE_DESCRIPTION,
        IDC_BROWSE_PICTURE},
       IDC_PICTURE_ILLUSTRATION, IDB_PICTURE_PAGE},
      {"Text of the page", 4, {IDC_PAGE_TEXT, IDC_IMPORT}},
      {"Items on the page", 5,
       {IDC_LIST_TITLE, IDC_ITEM_LIST, IDC_ITEM_ADD, IDC_ITEM_INSERT, IDC_ITEM_DELETE, IDC_ITEM_UP, IDC_ITEM_EDIT,
        IDC_ITEM_DOWN}},
      {"Link to other pages", 6,
       {IDC_LINK_LIST, IDC_LINK_ADD, IDC_LINK_INSERT, IDC_LINK_DELETE, IDC_LINK_UP, IDC_LINK_EDIT, IDC_LINK_DOWN,
        IDC_FAVORITES}},
      {"Your e-mail adress", 7, {IDC_LAST_UPDATED, IDC_CENTER_LAST_UPDATED, IDC_STYLE_NONE, IDC_EMAIL}},
      {"Put the page on the web", 11, {IDC_PUBLISH, IDC_SITE_NAME, IDC_SITE_PASSWORD, IDC_FRONT_PAGE, IDC_REMEMBER}},
      {"File name for the page", 8, {IDC_FILE_NAME, IDC_FILE_BROWSE, IDC_PREVIEW, IDC_CLIPBOARD}, IDC_FILE_PICTURE,
       IDB_FILE_NAME_PAGE},
  };
  const struct {
    const char* page;
    int opens;
    const char* dialog;
    int context;  // 0: the dialog has no Help button
    std::vector<int> tabStops;
  } dialogs[] = {
      {"Welcome to the Velbrook!", IDC_ABOUT, "About Velbrook", 0, {IDOK}},
      {"Items on the page", IDC_ITEM_ADD, "Input the value of item", 9,
       {IDC_ITEM_VALUE, IDOK, IDCANCEL, IDC_DIALOG_HELP}},
      {"Link to other pages", IDC_LINK_ADD, "Edit link", 10,
       {IDC_LINK_TITLE, IDC_LINK_REFERENCE, IDOK, IDCANCEL, IDC_DIALOG_HELP}},
  };
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  std::vector<int> expected;
  std::vector<std::string> rows;
  PostAction([&] {
    EXPECT_EQ((std::vector<int>{IDOK, IDC_WIZARD_NEXT, IDC_WIZARD_BACK, IDCANCEL, IDC_WIZARD_HELP}),
              NamedTabStops(Wizard(), "the wizard", rows));
    CheckRoomAtThisDpi(Wizard(), "the wizard");
    for (const auto& page : pages) {
      NextTo(page.page);
      Click(Wizard(), IDC_WIZARD_HELP);
      expected.push_back(page.context);
      EXPECT_EQ(page.tabStops, NamedTabStops(CurrentPage(Wizard()), page.page, rows));
      CheckRoomAtThisDpi(CurrentPage(Wizard()), page.page, page.picture, page.bitmap);
      for (const auto& dialog : dialogs) {
        if (std::string(dialog.page) != page.page) continue;
        PostAction([&dialog, &rows] {
          HWND window = ::FindWindowA("#32770", dialog.dialog);
          ASSERT_NE(nullptr, window) << dialog.dialog;
          EXPECT_EQ(dialog.tabStops, NamedTabStops(window, dialog.dialog, rows));
          CheckRoomAtThisDpi(window, dialog.dialog);
          if (dialog.context) Click(window, IDC_DIALOG_HELP);
          Click(window, dialog.context ? IDCANCEL : IDOK);
        });
        Click(CurrentPage(Wizard()), dialog.opens);
        if (dialog.context) expected.push_back(dialog.context);
      }
    }
    Click(Wizard(), IDCANCEL);
  });
  Run();
  ::CoUninitialize();
  expected.push_back(0);  // help closed when the run ends
  EXPECT_EQ(expected, services.help);

  // The table's rows, cells trimmed, header and rule left out: row for row
  // what the walk read.
  std::vector<std::string> documented;
  std::istringstream table(ReadFile(VELBROOK_ACCESSIBLE_NAMES));
  for (std::string line; std::getline(table, line);) {
    if (line.compare(0, 2, "| ") != 0 || line.compare(0, 9, "| Window ") == 0) continue;
    std::string row;
    for (std::size_t start = 1, bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1) {
      const std::string cell = line.substr(start, bar - start);
      const std::size_t first = cell.find_first_not_of(' '), last = cell.find_last_not_of(' ');
      row += (start > 1 ? " | " : "") + (first == std::string::npos ? "" : cell.substr(first, last - first + 1));
    }
    documented.push_back(row);
  }
  ASSERT_FALSE(documented.empty()) << VELBROOK_ACCESSIBLE_NAMES;
  for (std::size_t i = 0; i < std::max(rows.size(), documented.size()); ++i) {
    ASSERT_EQ(i < rows.size() ? rows[i] : "(no control)", i < documented.size() ? documented[i] : "(no row)")
        << "row " << i + 1 << " of the table in " << VELBROOK_ACCESSIBLE_NAMES
        << " (a control added or changed needs its row there)";
  }
}

// Types one character past `chars` into control `id` of `window`, which
// must keep `chars` of them; then puts the longer text in as a paste would
// and runs `save`, which must refuse it with the focus on the control.
void CheckLimit(HWND window, int id, int chars, const std::vector<ScriptedServices::Message>& messages,
                const std::function<void()>& save, const std::function<bool()>& kept) {
  HWND edit = ::GetDlgItem(window, id);
  ::SetWindowTextA(edit, "");
  const int typed = EditLimitFor(chars);
  TypeInto(edit, std::string(typed + 1, 'x'));
  EXPECT_EQ(static_cast<std::size_t>(typed), WindowText(edit).size()) << "typing stops at the edit's limit";
  ::SetWindowTextA(edit, std::string(chars + 1, 'x').c_str());
  const std::size_t shown = messages.size();
  save();
  EXPECT_TRUE(kept()) << "a failed save keeps the window";
  EXPECT_EQ(edit, ::GetFocus()) << "the focus goes to the failing edit";
  ASSERT_EQ(shown + 1, messages.size());
  EXPECT_EQ("Please enter no more than " + std::to_string(chars) + " characters.", messages.back().text);
  ::SetWindowTextA(edit, "");
}

TEST_F(PagesTest, EveryTextFieldTakesItsLimitAndRefusesMoreOnSave) {
  const struct Limit {
    const char* page;
    int opens;           // the button that opens the dialog, or 0 for the page itself
    const char* dialog;  // that dialog's caption
    int enables;         // a box to tick before the field can be typed into, or 0
    int edit;
    int chars;
  } limits[] = {
      {"Title and headers of the page", 0, nullptr, 0, IDC_WINDOW_TITLE, 30},
      {"Title and headers of the page", 0, nullptr, 0, IDC_HEADER, 60},
      {"Title and headers of the page", 0, nullptr, 0, IDC_SUBHEADER, 80},
      {"Background color, picture and sound", 0, nullptr, IDC_USE_BITMAP, IDC_BITMAP_FILE, 260},
      {"Background color, picture and sound", 0, nullptr, 0, IDC_SOUND_FILE, 260},
      {"Picture for the page", 0, nullptr, IDC_INCLUDE_PICTURE, IDC_PICTURE_FILE, 260},
      {"Picture for the page", 0, nullptr, 0, IDC_PICTURE_DESCRIPTION, 255},
      {"Items on the page", 0, nullptr, 0, IDC_LIST_TITLE, 132},
      {"Items on the page", IDC_ITEM_ADD, "Input the value of item", 0, IDC_ITEM_VALUE, 255},
      {"Link to other pages", IDC_LINK_ADD, "Edit link", 0, IDC_LINK_TITLE, 40},
      {"Link to other pages", IDC_LINK_ADD, "Edit link", 0, IDC_LINK_REFERENCE, 255},
      {"Your e-mail adress", 0, nullptr, 0, IDC_EMAIL, 255},
      {"Put the page on the web", 0, nullptr, 0, IDC_SITE_NAME, 32},
      {"Put the page on the web", 0, nullptr, 0, IDC_SITE_PASSWORD, 255},
      {"File name for the page", 0, nullptr, 0, IDC_FILE_NAME, 260},
  };
  PostAction([&] {
    for (const Limit& limit : limits) {
      SCOPED_TRACE(testing::Message() << limit.page << ", control " << limit.edit);
      NextTo(limit.page);
      HWND page = CurrentPage(Wizard());
      if (limit.enables) Click(page, limit.enables);
      if (!limit.dialog) {
        // Leaving saves; the last page has no Next.
        const int leave =
            ::IsWindowEnabled(::GetDlgItem(Wizard(), IDC_WIZARD_NEXT)) ? IDC_WIZARD_NEXT : IDC_WIZARD_BACK;
        CheckLimit(page, limit.edit, limit.chars, services.messages, [&] { Click(Wizard(), leave); },
                   [&] { return WindowText(Wizard()) == limit.page; });
        continue;
      }
      PostAction([&] {
        HWND dialog = ::FindWindowA("#32770", limit.dialog);
        ASSERT_NE(nullptr, dialog) << limit.dialog;
        CheckLimit(dialog, limit.edit, limit.chars, services.messages, [&] { Click(dialog, IDOK); },
                   [&] { return ::IsWindow(dialog) != FALSE; });
        Click(dialog, IDCANCEL);
      });
      Click(page, limit.opens);
    }
    Click(Wizard(), IDCANCEL);
  });
  Run();
  EXPECT_EQ(std::size(limits) + 1, services.messages.size()) << "one refusal each, then Cancel's message";
}

TEST_F(PagesTest, EveryFileFieldTakesDroppedFiles) {
  const std::string dropped = TempPath("velbrook_dropped.txt");
  WriteFile(dropped, "Dropped words");
  const struct {
    const char* page;
    int edit;
    bool contents;  // the file's contents, else its path
  } fields[] = {
      {"Background color, picture and sound", IDC_BITMAP_FILE, false},
      {"Background color, picture and sound", IDC_SOUND_FILE, false},
      {"Picture for the page", IDC_PICTURE_FILE, false},
      {"Text of the page", IDC_PAGE_TEXT, true},
      {"File name for the page", IDC_FILE_NAME, false},
  };
  PostAction([&] {
    for (const auto& field : fields) {
      SCOPED_TRACE(testing::Message() << field.page << ", control " << field.edit);
      NextTo(field.page);
      HWND edit = ::GetDlgItem(CurrentPage(Wizard()), field.edit);
      EXPECT_TRUE(::GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "a drop target for the shell";
      ::SendMessageA(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({dropped})), 0);
      EXPECT_EQ(field.contents ? "Dropped words" : dropped, WindowText(edit));
    }
    Click(Wizard(), IDCANCEL);
  });
  Run();
  ::DeleteFileA(dropped.c_str());
}

}  // namespace
}  // namespace velbrook
