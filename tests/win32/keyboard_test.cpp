// The keyboard across the wizard host and its page, with keys going through
// the host's own modal loop: the Tab ring, mnemonics, Enter and Escape.
#include <windows.h>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/win32/wizard_run.h"

namespace velbrook {
namespace {

std::string Describe(HWND window) {
  if (!window) return "nothing";
  return "control " + std::to_string(::GetDlgCtrlID(window)) + " \"" + WindowText(window) + "\"";
}

class KeyboardTest : public WizardRunTest {
 protected:
  static HWND Host(int id) { return ::GetDlgItem(g_wizard, id); }
  static HWND Page(int id) { return ::GetDlgItem(CurrentPage(g_wizard), id); }
  // Runs `steps` one after the other, each once the keys the one before
  // posted have gone through the wizard's loop.
  void Run(std::vector<std::function<void()>> steps) {
    PostAction([] { g_wizard = ::GetActiveWindow(); });
    Chain(std::make_shared<std::vector<std::function<void()>>>(std::move(steps)), 0);
    app.Run(services, texts, clock);
  }
  static void Chain(std::shared_ptr<std::vector<std::function<void()>>> steps, std::size_t at) {
    if (at >= steps->size()) return;
    PostActionLater([steps, at] {
      (*steps)[at]();
      Chain(steps, at + 1);
    });
  }

  static inline HWND g_wizard = nullptr;
};

TEST_F(KeyboardTest, TabRunsOneRingThroughPageAndHost) {
  Run({
      [] {
        NextTo("Title and headers of the page");
        ::SetFocus(Page(IDC_LANGUAGE));  // the page's last tab stop
        PostKey(VK_TAB);
      },
      [] {
        EXPECT_EQ(Host(IDC_WIZARD_NEXT), ::GetFocus())
            << "Tab from the page's last tab stop: expected Next>, got " << Describe(::GetFocus());
        ::SetFocus(Host(IDC_WIZARD_HELP));  // the host's last enabled button
        PostKey(VK_TAB);
      },
      [] {
        EXPECT_EQ(CurrentPage(g_wizard), ::GetParent(::GetFocus()))
            << "Tab from Help: expected a page control, got " << Describe(::GetFocus());
        ::SetFocus(Page(IDC_WINDOW_TITLE));  // the page's first tab stop
        PostKey(VK_TAB, true);
      },
      [] {
        EXPECT_EQ(Host(IDC_WIZARD_HELP), ::GetFocus())
            << "Shift+Tab from the page's first tab stop: expected Help, got " << Describe(::GetFocus());
        ::SetFocus(Host(IDC_WIZARD_NEXT));  // the host's first enabled button
        PostKey(VK_TAB, true);
      },
      [] {
        EXPECT_EQ(Page(IDC_LANGUAGE), ::GetFocus())
            << "Shift+Tab from Next>: expected the page's last tab stop, got " << Describe(::GetFocus());
        Click(g_wizard, IDCANCEL);
      },
  });
}

TEST_F(KeyboardTest, MnemonicsFromAHostButtonReachHostAndPage) {
  Run({
      [] {
        ::SetFocus(Host(IDC_WIZARD_NEXT));
        ::PostMessageA(::GetFocus(), WM_CHAR, 'n', 1);  // N acts as Next>
      },
      [] {
        EXPECT_EQ("Title and headers of the page", WindowText(g_wizard));
        ::SetFocus(Host(IDC_WIZARD_NEXT));
        ::SetWindowTextA(Page(IDC_HEADER), "Welcome");
        ::PostMessageA(::GetFocus(), WM_CHAR, 'h', 1);  // the page's "&Header" label
      },
      [] {
        EXPECT_EQ(Page(IDC_HEADER), ::GetFocus()) << "expected the header edit, got " << Describe(::GetFocus());
        DWORD start = 0, end = 0;
        ::SendMessageA(Page(IDC_HEADER), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(0u, start);
        EXPECT_EQ(7u, end) << "its text is selected";
        ::SetFocus(Host(IDC_WIZARD_BACK));
        ::PostMessageA(::GetFocus(), WM_CHAR, 'm', 1);  // "&Mark Home Page as HTML 3+ file", the only M
      },
      [] {
        EXPECT_EQ(Page(IDC_HTML3), ::GetFocus());
        EXPECT_EQ(BST_CHECKED, ::SendMessageA(Page(IDC_HTML3), BM_GETCHECK, 0, 0)) << "the only match is clicked";
        ::SetFocus(Host(IDC_WIZARD_NEXT));
        ::PostMessageA(::GetFocus(), WM_SYSCHAR, 'n', 1 << 29);  // Alt+N
      },
      [] {
        EXPECT_EQ("Background color, picture and sound", WindowText(g_wizard));
        ::SetFocus(Host(IDC_WIZARD_NEXT));
        ::PostMessageA(::GetFocus(), WM_SYSCHAR, 'f', 1 << 29);  // Alt+F: nothing carries F here
      },
      [] {
        EXPECT_EQ("Background color, picture and sound", WindowText(g_wizard));
        EXPECT_NE(nullptr, g_wizard);
        Click(g_wizard, IDCANCEL);
      },
  });
  EXPECT_EQ(1u, services.messages.size()) << "only the Cancel message";
}

TEST_F(KeyboardTest, AltFOnAPageWhoseControlCarriesF) {
  Run({
      [] {
        NextTo("Link to other pages");
        ::SetFocus(Host(IDC_WIZARD_NEXT));
        ::PostMessageA(::GetFocus(), WM_SYSCHAR, 'f', 1 << 29);
      },
      [] {
        EXPECT_EQ("Link to other pages", WindowText(g_wizard)) << "Finish is not reached from here";
        EXPECT_EQ(Page(IDC_FAVORITES), ::GetFocus());
        EXPECT_EQ(BST_CHECKED, ::SendMessageA(Page(IDC_FAVORITES), BM_GETCHECK, 0, 0));
        Click(g_wizard, IDCANCEL);
      },
  });
}

TEST_F(KeyboardTest, EnterOnAPageGoesToTheHost) {
  Run({
      [] {
        NextTo("Title and headers of the page");
        ::SetFocus(Page(IDC_CENTER_HEADER));
        PostKey(VK_RETURN);  // a check box: not toggled, and Finish is off here
      },
      [] {
        EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(Page(IDC_CENTER_HEADER), BM_GETCHECK, 0, 0));
        EXPECT_EQ("Title and headers of the page", WindowText(g_wizard));
        ::SetFocus(Page(IDC_WINDOW_TITLE));
        PostKey(VK_RETURN);  // a single-line edit, not on the last page: nothing
      },
      [] {
        EXPECT_EQ("Title and headers of the page", WindowText(g_wizard));
        NextTo("Text of the page");
        ::SetFocus(Page(IDC_PAGE_TEXT));
        PostKey(VK_RETURN);  // the page text takes Enter itself
      },
      [] {
        EXPECT_EQ("\r\n", WindowText(Page(IDC_PAGE_TEXT))) << "Enter starts a new line";
        EXPECT_EQ("Text of the page", WindowText(g_wizard));
        NextTo("File name for the page");
        ::SetWindowTextA(Page(IDC_FILE_NAME), "");
        ::SetFocus(Page(IDC_CLIPBOARD));
        ::SendMessageA(Page(IDC_CLIPBOARD), BM_SETCHECK, BST_CHECKED, 0);
        ::SetFocus(Page(IDC_FILE_NAME));
        PostKey(VK_RETURN);  // on the last page Enter finishes
      },
  });
  ASSERT_EQ(1u, services.messages.size());
  EXPECT_EQ("Congratulations! You've been created new Home Page ()!", services.messages[0].text);
  EXPECT_EQ(1u, services.clipboard.size());
}

TEST_F(KeyboardTest, EscapeCancels) {
  Run({
      [] {
        NextTo("Title and headers of the page");
        ::SetFocus(Page(IDC_HEADER));
        PostKey(VK_ESCAPE);
      },
  });
  ASSERT_EQ(1u, services.messages.size());
  EXPECT_EQ("The Velbrook was fully completed.\nThere is no home page created.", services.messages[0].text);
}

// The background page disables its first tab stop ("Select color...") when
// "Solid color" is cleared; the ring must still leave the page both ways.
TEST_F(KeyboardTest, TabLeavesAPageWhoseFirstControlWasDisabled) {
  Run({
      [] {
        NextTo("Background color, picture and sound");
        Click(CurrentPage(g_wizard), IDC_USE_COLOR);
        Click(g_wizard, IDC_WIZARD_NEXT);
        Click(g_wizard, IDC_WIZARD_BACK);
        Click(CurrentPage(g_wizard), IDC_USE_COLOR);
        ASSERT_FALSE(::IsWindowEnabled(Page(IDC_SELECT_COLOR)));
        HWND first = ::GetNextDlgTabItem(CurrentPage(g_wizard), nullptr, FALSE);
        ::SetFocus(::GetNextDlgTabItem(CurrentPage(g_wizard), first, TRUE));  // the last tab stop
        PostKey(VK_TAB);
      },
      [] {
        EXPECT_EQ(Host(IDC_WIZARD_NEXT), ::GetFocus())
            << "Tab from the page's last tab stop: expected Next>, got " << Describe(::GetFocus());
        ::SetFocus(::GetNextDlgTabItem(CurrentPage(g_wizard), nullptr, FALSE));
        PostKey(VK_TAB, true);
      },
      [] {
        EXPECT_EQ(Host(IDC_WIZARD_HELP), ::GetFocus())
            << "Shift+Tab from the page's first tab stop: expected Help, got " << Describe(::GetFocus());
        Click(g_wizard, IDCANCEL);
      },
  });
}

// Characters typed with the focus inside a page or on a host button: the
// page's buttons and labels first, then the host's; edits' text is never a
// mnemonic, and plain characters typed into an edit stay text.
TEST_F(KeyboardTest, MnemonicsTypedAnywhere) {
  static const struct {
    const char* what;
    const char* page;  // where it starts
    int focus;         // page control with the focus, 0 for Next>
    WORD key;
    bool alt;
    const char* pageAfter;
    int focusAfter;  // page control expected to have the focus, 0 if not checked
    int hidden;      // page control hidden before the key, 0 for none
  } cases[] = {
      {"Alt+N in the title edit", "Title and headers of the page", IDC_WINDOW_TITLE, 'N', true,
       "Background color, picture and sound", 0, 0},
      {"Alt+H in the title edit: the page's Header label before the host's Help", "Title and headers of the page",
       IDC_WINDOW_TITLE, 'H', true, "Title and headers of the page", IDC_HEADER, 0},
      {"Alt+P in the title edit: the phone tick", "Title and headers of the page", IDC_WINDOW_TITLE, 'P', true,
       "Title and headers of the page", IDC_FIT_PHONE, 0},
      {"N on Next> while the header reads Smith&Nephew", "Title and headers of the page", 0, 'N', false,
       "Background color, picture and sound", 0, 0},
      {"Alt+N in the multi-line page text", "Text of the page", IDC_PAGE_TEXT, 'N', true, "Items on the page", 0, 0},
      {"Alt+W in the site name: the password", "Put the page on the web", IDC_SITE_NAME, 'W', true,
       "Put the page on the web", IDC_SITE_PASSWORD, 0},
      {"N typed in the title edit", "Title and headers of the page", IDC_WINDOW_TITLE, 'N', false,
       "Title and headers of the page", IDC_WINDOW_TITLE, 0},
      // The bitmap's Browse is disabled until a bitmap is chosen.
      {"Alt+B past the page's disabled and hidden &Browse buttons: the host's Back",
       "Background color, picture and sound", 0, 'B', true, "Title and headers of the page", 0, IDC_BROWSE_SOUND},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    static HWND s_page;
    Run({
        [&c] {
          NextTo(c.page);
          s_page = CurrentPage(g_wizard);
          if (HWND header = ::GetDlgItem(s_page, IDC_HEADER)) ::SetWindowTextA(header, "Smith&Nephew");
          if (c.hidden) ::ShowWindow(Page(c.hidden), SW_HIDE);
          ::SetFocus(c.focus ? Page(c.focus) : Host(IDC_WIZARD_NEXT));
          PostKey(c.key, false, c.alt);
        },
        [&c] {
          EXPECT_EQ(c.pageAfter, WindowText(g_wizard));
          if (c.focusAfter) {
            EXPECT_EQ(::GetDlgItem(s_page, c.focusAfter), ::GetFocus()) << "got " << Describe(::GetFocus());
          }
          if (HWND header = ::GetDlgItem(s_page, IDC_HEADER)) {
            EXPECT_EQ("Smith&Nephew", WindowText(header)) << "the header keeps its text";
          }
          if (!c.alt && c.focus) {
            EXPECT_EQ("n", WindowText(Page(c.focus))) << "a plain character is text";
          }
          Click(g_wizard, IDCANCEL);
        },
    });
  }
}

// Enter on a page's push button is the host's default command: Finish on the
// last page, nothing elsewhere; the button itself is never pressed.
TEST_F(KeyboardTest, EnterOnAPagePushButton) {
  static const struct {
    const char* page;
    int button;
    bool finishes;
  } cases[] = {
      {"File name for the page", IDC_FILE_BROWSE, true},
      {"Items on the page", IDC_ITEM_ADD, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    services.messages.clear();
    const std::string path = file;
    Run({
        [&c, path] {
          NextTo(c.page);
          if (HWND name = Page(IDC_FILE_NAME)) ::SetWindowTextA(name, path.c_str());
          // As Tab puts it there: the page's dialog makes the button its default.
          ::SendMessageA(CurrentPage(g_wizard), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Page(c.button)), TRUE);
          PostKey(VK_RETURN);
        },
        [&c] {
          if (!::IsWindow(g_wizard)) return;  // finished: the run has ended
          EXPECT_FALSE(c.finishes) << "Enter did not finish";
          EXPECT_EQ(c.page, WindowText(g_wizard)) << "Enter must not leave the page";
          if (HWND item = ::FindWindowA(nullptr, "Input the value of item")) {
            ADD_FAILURE() << "Enter pressed the Add... button";
            ::PostMessageA(item, WM_COMMAND, IDCANCEL, 0);
          }
          Click(g_wizard, IDCANCEL);
        },
    });
    FlushEvents();  // a step left over from a run that finished
    ASSERT_EQ(1u, services.messages.size());
    EXPECT_EQ(c.finishes, services.messages[0].text.rfind("Congratulations!", 0) == 0) << services.messages[0].text;
    EXPECT_TRUE(services.fileDialogs.empty()) << "Browse must not open";
  }
}

}  // namespace
}  // namespace velbrook
