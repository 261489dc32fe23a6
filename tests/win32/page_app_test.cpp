// The program's run with real windows and scripted services: the wizard
// driven through its buttons, the messages the run chooses, help closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "res/resource.h"
#include "tests/win32/wizard_run.h"

namespace velbrook {
namespace {

class PageAppTest : public WizardRunTest {};

TEST_F(PageAppTest, CancelSaysSoClosesHelpAndWritesNothing) {
  PostAction([&] {
    HWND wizard = Wizard();
    ASSERT_NE(nullptr, wizard);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(wizard, IDC_WIZARD_BACK)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(wizard, IDOK)));
    // The hidden main window exists but is never shown.
    ASSERT_NE(nullptr, app.m_pMainWnd);
    EXPECT_FALSE(::IsWindowVisible(app.m_pMainWnd->m_hWnd));
    Click(wizard, IDC_WIZARD_HELP);
    Click(wizard, IDCANCEL);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ((std::vector<std::string>{"The Velbrook was fully completed.\nThere is no home page created."}),
            Messages());
  EXPECT_EQ(static_cast<unsigned>(kMbOk | kMbIconExclamation), services.messages[0].style);
  EXPECT_EQ((std::vector<int>{1, 0}), services.help) << "help at the welcome context, then closed";
  EXPECT_TRUE(app.m_strPage.empty());
  EXPECT_EQ(nullptr, app.m_pMainWnd);
}

TEST_F(PageAppTest, FinishWithNoOutputChosenCreatesNothing) {
  services.answers = {kIdYes};  // abandon the work
  PostAction([&] {
    HWND wizard = Wizard();
    ASSERT_NE(nullptr, wizard);
    const char* captions[] = {"Title and headers of the page", "Background color, picture and sound",
                              "Text color", "Picture for the page", "Text of the page", "Items on the page",
                              "Link to other pages", "Your e-mail adress", "Put the page on the web",
                              "File name for the page"};
    for (const char* caption : captions) {
      Click(wizard, IDC_WIZARD_NEXT);
      EXPECT_EQ(caption, WindowText(wizard));
    }
    Click(wizard, IDOK);
  });
  app.Run(services, texts, clock);
  EXPECT_EQ((std::vector<std::string>{texts.Load(IDS_ABANDON_WORK), "No home page created."}), Messages());
  EXPECT_EQ(static_cast<unsigned>(kMbYesNo | kMbIconQuestion | kMbDefButton2), services.messages[0].style);
  EXPECT_EQ(static_cast<unsigned>(kMbOk | kMbIconInformation), services.messages[1].style);
  EXPECT_TRUE(app.m_strPage.empty());
  EXPECT_EQ((std::vector<int>{0}), services.help) << "help is closed even when it was never opened";
}

// The program's own texts, but for the outcome message.
class TextsWithoutOutcome : public ModuleTexts {
 public:
  TextsWithoutOutcome() : ModuleTexts(::GetModuleHandleA(nullptr)) {}
  std::string Load(int id) const override {
    if (id == IDS_PAGE_CREATED) throw ResourceError("no outcome");
    return ModuleTexts::Load(id);
  }
};

// Services whose clipboard throws what no step of the run foresees.
class ClipboardThatThrows : public ScriptedServices {
 public:
  bool PutTextOnClipboard(const std::string& text) override {
    ScriptedServices::PutTextOnClipboard(text);
    throw std::logic_error("unforeseen");
  }
};

TEST_F(PageAppTest, AFailureAfterTheWizardStillClosesHelpAndTheMainWindow) {
  TextsWithoutOutcome withoutOutcome;
  ClipboardThatThrows throwing;
  const struct {
    const TextSource& texts;
    ScriptedServices& services;
    std::vector<std::string> shown;
  } cases[] = {
      {withoutOutcome, services, {}},
      {texts, throwing, {"Bad resource", "It is possible that the bad home page file () has been created."}},
  };
  for (const auto& c : cases) {
    HWND mainWindow = nullptr;
    PostAction([&] {
      mainWindow = app.m_pMainWnd->m_hWnd;
      Click(Wizard(), IDC_WIZARD_HELP);
      NextTo("File name for the page");
      Click(CurrentPage(Wizard()), IDC_CLIPBOARD);
      Click(Wizard(), IDOK);
    });
    EXPECT_NO_THROW(app.Run(c.services, c.texts, clock));
    std::vector<std::string> shown;
    for (const auto& message : c.services.messages) shown.push_back(message.text);
    EXPECT_EQ(c.shown, shown);
    EXPECT_EQ(1u, c.services.clipboard.size()) << "the page was handed to the clipboard";
    EXPECT_EQ((std::vector<int>{1, 0}), c.services.help) << "help closed";
    EXPECT_FALSE(::IsWindow(mainWindow)) << "main window destroyed";
  }
}

TEST_F(PageAppTest, WizardCarriesTheProgramIcon) {
  PostAction([&] {
    HWND wizard = Wizard();
    ASSERT_NE(nullptr, wizard);
    EXPECT_NE(0u, ::GetClassLongPtrA(wizard, GCLP_HICON));
    Click(wizard, IDCANCEL);
  });
  app.Run(services, texts, clock);
}

TEST_F(PageAppTest, WelcomePageShowsItsPictureAndAboutBox) {
  PostAction([&] {
    HWND wizard = Wizard();
    ASSERT_NE(nullptr, wizard);
    HWND page = ::GetParent(::GetDlgItem(::FindWindowExA(wizard, nullptr, "#32770", nullptr), IDC_ABOUT));
    ASSERT_NE(nullptr, page);
    // The picture button is sized to its bitmap and clicking it does nothing.
    RECT picture;
    ::GetClientRect(::GetDlgItem(page, IDC_WELCOME_PICTURE), &picture);
    EXPECT_EQ(170, picture.right);
    EXPECT_EQ(265, picture.bottom);
    Click(page, IDC_WELCOME_PICTURE);
    EXPECT_EQ("Welcome to the Velbrook!", WindowText(wizard));

    // About runs modally; the next action, queued behind, finds and closes it.
    PostAction([&] {
      HWND about = ::FindWindowA(nullptr, "About Velbrook");
      ASSERT_NE(nullptr, about);
      EXPECT_EQ(wizard, ::GetWindow(about, GW_OWNER)) << "modal to the wizard";
      bool hasVersion = false;
      for (HWND child = ::GetWindow(about, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        hasVersion = hasVersion || WindowText(child) == "The Velbrook Version 1.22";
      }
      EXPECT_TRUE(hasVersion);
      Click(about, IDOK);
    });
    Click(page, IDC_ABOUT);
    EXPECT_EQ(nullptr, ::FindWindowA(nullptr, "About Velbrook"));
    EXPECT_EQ("Welcome to the Velbrook!", WindowText(wizard)) << "the wizard stays on the welcome page";
    Click(wizard, IDC_WIZARD_NEXT);
    EXPECT_EQ("Title and headers of the page", WindowText(wizard)) << "leaving the welcome page always succeeds";
    Click(wizard, IDCANCEL);
  });
  app.Run(services, texts, clock);
}

}  // namespace
}  // namespace velbrook
