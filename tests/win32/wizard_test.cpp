// The wizard host with real windows: its own modal loop, result codes,
// navigation, button states and the pages' lifetime.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/app.h"
#include "res/resource.h"
#include "tests/win32/test_support.h"
#include "wizard/wizard.h"

namespace velbrook {
namespace {

// What happened to the test pages, kept after they are deleted.
struct PageLog {
  int created = 0;
  int entered = 0;
  int left = 0;
  int helped = 0;
  bool deleted = false;
  bool windowGoneBeforeDelete = false;
  bool drawingLockedOnEnter = false;
};

class TestPage : public CWizardPage {
 public:
  TestPage(const std::string& title, CWnd* wizard, PageLog& log) : CWizardPage(title, IDD_TEXT_COLOR_PAGE, wizard), m_log(log) {}
  ~TestPage() override {
    m_log.deleted = true;
    m_log.windowGoneBeforeDelete = m_hWnd == nullptr;
  }
  BOOL CreatePage(CWnd* wizard) override {
    ++m_log.created;
    return Create(templateId, wizard);
  }
  BOOL HasHelp() override { return hasHelp; }
  BOOL LeavePage() override {
    ++m_log.left;
    return mayLeave;
  }
  void EnterPage() override {
    ++m_log.entered;
    // The host holds the one drawing lock during a switch, so no other
    // window can take it now.
    HWND other = ::GetDesktopWindow();
    const BOOL took = ::LockWindowUpdate(other);
    if (took) ::LockWindowUpdate(nullptr);
    m_log.drawingLockedOnEnter = !took;
  }
  void ShowHelp() override { ++m_log.helped; }

  BOOL hasHelp = TRUE;
  BOOL mayLeave = TRUE;
  UINT templateId = IDD_TEXT_COLOR_PAGE;

 private:
  PageLog& m_log;
};

class WizardTest : public ::testing::Test {
 protected:
  void AddPages(int count) {
    for (int i = 0; i < count; ++i) {
      pages[i] = new TestPage("Page " + std::to_string(i + 1), &wizard, logs[i]);
      wizard.AddPage(pages[i]);
    }
  }
  HWND Host() const { return wizard.m_hWnd; }
  bool Enabled(int id) const { return ::IsWindowEnabled(::GetDlgItem(wizard.m_hWnd, id)) != FALSE; }
  std::string Caption() const { return WindowText(wizard.m_hWnd); }

  CWizard wizard{IDD_WIZARD, nullptr};
  TestPage* pages[10] = {};
  PageLog logs[11];
};

TEST_F(WizardTest, StartsOnTheFirstPageWithoutEnteringIt) {
  AddPages(3);
  PostAction([&] {
    EXPECT_EQ(0, wizard.m_nCurrentPage);
    EXPECT_EQ("Page 1", Caption());
    EXPECT_TRUE(::IsWindowVisible(pages[0]->m_hWnd));
    EXPECT_EQ(1, logs[0].created);
    EXPECT_EQ(0, logs[0].entered) << "the first showing loads the controls in the dialog's initialisation";
    EXPECT_EQ(0, logs[1].created) << "pages are created when first shown";
    EXPECT_FALSE(Enabled(IDC_WIZARD_BACK));
    EXPECT_TRUE(Enabled(IDC_WIZARD_NEXT));
    EXPECT_FALSE(Enabled(IDOK));
    EXPECT_TRUE(Enabled(IDC_WIZARD_HELP));
    EXPECT_TRUE(Enabled(IDCANCEL));
    Click(Host(), IDCANCEL);
  });
  EXPECT_EQ(2, wizard.DoModal());
  EXPECT_EQ(0, logs[0].left) << "Cancel asks no page to leave";
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(logs[i].deleted) << "page " << i;
}

TEST_F(WizardTest, NextAndBackMoveOneStepAndKeepPageWindows) {
  AddPages(3);
  PostAction([&] {
    Click(Host(), IDC_WIZARD_NEXT);
    EXPECT_EQ(1, wizard.m_nCurrentPage);
    EXPECT_EQ("Page 2", Caption());
    EXPECT_EQ(1, logs[1].created);
    EXPECT_EQ(1, logs[1].entered) << "entered right after being created";
    EXPECT_TRUE(logs[1].drawingLockedOnEnter);
    EXPECT_FALSE(::IsWindowVisible(pages[0]->m_hWnd));
    EXPECT_TRUE(Enabled(IDC_WIZARD_BACK) && Enabled(IDC_WIZARD_NEXT) && !Enabled(IDOK));

    Click(Host(), IDC_WIZARD_NEXT);
    EXPECT_EQ("Page 3", Caption());
    EXPECT_TRUE(Enabled(IDC_WIZARD_BACK) && !Enabled(IDC_WIZARD_NEXT) && Enabled(IDOK));
    EXPECT_NE(nullptr, ::GetFocus()) << "the focus must not stay on the disabled Next>";
    EXPECT_TRUE(::IsWindowEnabled(::GetFocus()));

    const int leftBefore = logs[2].left;
    ::SendMessageA(Host(), WM_COMMAND, IDC_WIZARD_NEXT, 0);  // Next> on the last page
    EXPECT_EQ(2, wizard.m_nCurrentPage);
    EXPECT_EQ(leftBefore, logs[2].left) << "Next on the last page asks nothing";

    Click(Host(), IDC_WIZARD_BACK);
    Click(Host(), IDC_WIZARD_BACK);
    EXPECT_EQ("Page 1", Caption());
    EXPECT_TRUE(::IsWindowEnabled(::GetFocus())) << "the focus must not stay on the disabled <Back";
    EXPECT_EQ(1, logs[0].entered) << "reached again with Back, the first page is entered";
    EXPECT_EQ(1, logs[1].created) << "created once, then only hidden and shown";
    EXPECT_EQ(2, logs[1].entered);

    const int firstLeft = logs[0].left;
    ::SendMessageA(Host(), WM_COMMAND, IDC_WIZARD_BACK, 0);  // <Back on the first page
    EXPECT_EQ(0, wizard.m_nCurrentPage);
    EXPECT_EQ(firstLeft, logs[0].left);
    Click(Host(), IDCANCEL);
  });
  EXPECT_EQ(2, wizard.DoModal());
}

TEST_F(WizardTest, APageThatRefusesToBeLeftStays) {
  AddPages(2);
  PostAction([&] {
    pages[0]->mayLeave = FALSE;
    Click(Host(), IDC_WIZARD_NEXT);
    EXPECT_EQ(0, wizard.m_nCurrentPage);
    EXPECT_EQ("Page 1", Caption());
    EXPECT_EQ(0, logs[1].created);
    pages[0]->mayLeave = TRUE;
    Click(Host(), IDC_WIZARD_NEXT);
    pages[1]->mayLeave = FALSE;
    Click(Host(), IDC_WIZARD_BACK);
    EXPECT_EQ(1, wizard.m_nCurrentPage);
    Click(Host(), IDOK);
    EXPECT_EQ(1, wizard.m_nCurrentPage) << "Finish refused as well";
    EXPECT_TRUE(::IsWindowVisible(pages[1]->m_hWnd));
    EXPECT_EQ("Page 2", Caption());
    EXPECT_TRUE(Enabled(IDOK) && Enabled(IDC_WIZARD_BACK) && !Enabled(IDC_WIZARD_NEXT));
    pages[1]->mayLeave = TRUE;
    Click(Host(), IDOK);
  });
  EXPECT_EQ(1, wizard.DoModal());
}

TEST_F(WizardTest, FinishDestroysEveryPageWindowThenDeletesThePages) {
  AddPages(2);
  PostAction([&] {
    Click(Host(), IDC_WIZARD_NEXT);
    Click(Host(), IDOK);
  });
  EXPECT_EQ(1, wizard.DoModal());
  EXPECT_EQ(nullptr, wizard.m_hWnd);
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(logs[i].deleted) << "page " << i;
    EXPECT_TRUE(logs[i].windowGoneBeforeDelete) << "page " << i;
  }
  EXPECT_EQ(0, wizard.m_pages.Count());
}

TEST_F(WizardTest, HelpFollowsThePage) {
  AddPages(2);
  pages[1]->hasHelp = FALSE;
  PostAction([&] {
    Click(Host(), IDC_WIZARD_HELP);
    EXPECT_EQ(1, logs[0].helped);
    Click(Host(), IDC_WIZARD_NEXT);
    EXPECT_FALSE(Enabled(IDC_WIZARD_HELP));
    Click(Host(), IDC_WIZARD_BACK);
    EXPECT_TRUE(Enabled(IDC_WIZARD_HELP));
    Click(Host(), IDCANCEL);
  });
  EXPECT_EQ(2, wizard.DoModal());
}

TEST_F(WizardTest, EscapeAndTheSystemMenuCancel) {
  AddPages(1);
  PostAction([&] {
    ::SetFocus(::GetDlgItem(Host(), IDCANCEL));
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(2, wizard.DoModal());

  CWizard second(IDD_WIZARD, nullptr);
  PageLog log;
  second.AddPage(new TestPage("Only", &second, log));
  PostAction([&] { ::PostMessageA(second.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); });
  EXPECT_EQ(2, second.DoModal());
  EXPECT_TRUE(log.deleted);
}

TEST_F(WizardTest, AQuitRequestCancelsAndIsPostedAgain) {
  AddPages(2);
  PostAction([] { ::PostQuitMessage(42); });
  EXPECT_EQ(2, wizard.DoModal());
  EXPECT_TRUE(logs[0].deleted) << "the pages still go before the run returns";
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request was swallowed";
  EXPECT_EQ(42u, msg.wParam);
}

TEST_F(WizardTest, DestroyedWithoutFinishOrCancelGivesMinusOne) {
  AddPages(1);
  PostAction([&] { ::DestroyWindow(Host()); });
  EXPECT_EQ(-1, wizard.DoModal());
  EXPECT_TRUE(logs[0].deleted);
}

TEST_F(WizardTest, AWindowThatCannotBeCreatedGivesThree) {
  CWizard broken(4242, nullptr);  // no such template
  PageLog log;
  broken.AddPage(new TestPage("Never shown", &broken, log));
  EXPECT_EQ(3, broken.DoModal());
  EXPECT_EQ(0, log.created);

  // A page whose template is missing, first or reached with Next, ends the
  // run the same way.
  for (int failing = 0; failing < 2; ++failing) {
    CWizard wizard(IDD_WIZARD, nullptr);
    PageLog pageLogs[2];
    TestPage* pages[2];
    for (int i = 0; i < 2; ++i) wizard.AddPage(pages[i] = new TestPage("Page", &wizard, pageLogs[i]));
    pages[failing]->templateId = 4242;
    if (failing) PostAction([&] { Click(wizard.m_hWnd, IDC_WIZARD_NEXT); });
    EXPECT_EQ(3, wizard.DoModal()) << "page " << failing;
    EXPECT_EQ(0, pageLogs[failing].entered);
    EXPECT_TRUE(pageLogs[0].deleted && pageLogs[1].deleted);
  }
}

// Also after WM_DPICHANGED (here to the same DPI), whose suggested
// rectangle the host takes.
TEST_F(WizardTest, TheFrameBecomesAnEightPixelRule) {
  AddPages(1);
  PostAction([&] {
    HWND frame = ::GetDlgItem(Host(), IDC_WIZARD_RULE);
    RECT suggested;
    ::GetWindowRect(Host(), &suggested);
    ::OffsetRect(&suggested, 10, 20);
    ::SendMessageA(Host(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    FlushEvents();
    RECT rule, now, units = {5, 171, 5 + 270, 171 + 9};
    ::GetWindowRect(Host(), &now);
    EXPECT_TRUE(::EqualRect(&suggested, &now)) << "the suggested rectangle taken";
    ::MapDialogRect(Host(), &units);
    ::GetWindowRect(frame, &rule);
    ::MapWindowPoints(nullptr, Host(), reinterpret_cast<POINT*>(&rule), 2);
    EXPECT_EQ(8, rule.bottom - rule.top);
    EXPECT_EQ(units.bottom, rule.bottom);
    EXPECT_EQ(units.left, rule.left);
    EXPECT_EQ(units.right - units.left, rule.right - rule.left);
    Click(Host(), IDCANCEL);
  });
  wizard.DoModal();
}

TEST_F(WizardTest, AnEleventhPageIsShownAndFinishesTheWizard) {
  AddPages(10);
  wizard.AddPage(new TestPage("Eleventh", &wizard, logs[10]));
  PostAction([&] {
    for (int i = 0; i < 10; ++i) Click(Host(), IDC_WIZARD_NEXT);
    EXPECT_EQ("Eleventh", WindowText(Host()));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(Host(), IDC_WIZARD_NEXT)));
    Click(Host(), IDOK);
  });
  EXPECT_EQ(1, wizard.DoModal());
  EXPECT_TRUE(logs[10].deleted);
}

TEST_F(WizardTest, NoPagesShowsAnEmptyWizard) {
  PostAction([&] {
    EXPECT_EQ(-1, wizard.m_nCurrentPage);
    Click(Host(), IDC_WIZARD_NEXT);
    Click(Host(), IDC_WIZARD_HELP);
    Click(Host(), IDCANCEL);
  });
  EXPECT_EQ(2, wizard.DoModal());
}

}  // namespace
}  // namespace velbrook
