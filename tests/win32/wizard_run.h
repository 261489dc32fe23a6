// A fixture for tests that run the program's whole run with real windows
// and scripted services: the wizard is driven through posted actions while
// the run's own loop goes on.
#ifndef VELBROOK_TESTS_WIN32_WIZARD_RUN_H
#define VELBROOK_TESTS_WIN32_WIZARD_RUN_H

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/module_texts.h"
#include "app/page_app.h"
#include "res/resource.h"
#include "tests/native/fixed_clock.h"
#include "tests/native/scripted_services.h"
#include "tests/win32/test_support.h"

namespace velbrook {

// Scripted answers, but a finished page is really written, so that a test
// reads it back as a user would and can open it again.
class WritingServices : public ScriptedServices {
 public:
  bool WriteFileReplacing(const std::string& path, const std::string& bytes) override {
    if (!ScriptedServices::WriteFileReplacing(path, bytes)) return false;
    WriteFile(path, bytes);
    return true;
  }
};

class WizardRunTest : public ::testing::Test {
 protected:
  WizardRunTest() { app.m_hInstance = ::GetModuleHandleA(nullptr); }
  void SetUp() override { ::DeleteFileA(file.c_str()); }
  void TearDown() override { ::DeleteFileA(file.c_str()); }

  // The wizard while an action runs: the window the user works in.
  static HWND Wizard() { return ::GetActiveWindow(); }
  // Moves the wizard on to the page with `caption`.
  static void NextTo(const char* caption) {
    for (int i = 0; i < 11 && WindowText(Wizard()) != caption; ++i) Click(Wizard(), IDC_WIZARD_NEXT);
    ASSERT_EQ(caption, WindowText(Wizard()));
  }
  // Goes on to the last page and finishes with the page written to `path`.
  static void FinishInto(const std::string& path) {
    NextTo("File name for the page");
    ::SetWindowTextA(::GetDlgItem(CurrentPage(Wizard()), IDC_FILE_NAME), path.c_str());
    Click(Wizard(), IDOK);
  }
  void Run() { app.Run(services, texts, clock); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> shown;
    for (const auto& message : services.messages) shown.push_back(message.text);
    return shown;
  }

  CPageApp app;  // the framework's application object while the test runs
  ModuleTexts texts{::GetModuleHandleA(nullptr)};
  WritingServices services;
  FixedClock clock;
  // Where a test that finishes writes its page.
  const std::string file = TempPath("velbrook_run_test.htm");
};

}  // namespace velbrook

#endif
