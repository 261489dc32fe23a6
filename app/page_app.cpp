#include "app/page_app.h"

#include "app/module_texts.h"
#include "core/page_reader.h"
#include "core/page_run.h"
#include "core/page_settings.h"
#include "core/preview.h"
#include "core/publish.h"
#include "app/services_win32.h"
#include "pages/color_pages.h"
#include "pages/file_name_page.h"
#include "pages/footer_page.h"
#include "pages/list_pages.h"
#include "pages/picture_page.h"
#include "pages/publish_page.h"
#include "pages/text_page.h"
#include "pages/title_page.h"
#include "pages/welcome_page.h"
#include "res/resource.h"

namespace {

// "Now creating the Home Page..." while the page is built; it is only
// drawn, not served, until it is removed.
class NoticeWindow : public velbrook::CreationNotice {
 public:
  void Show() override {
    if (m_dialog.Create(IDD_CREATION_NOTICE, nullptr)) {
      m_dialog.ShowWindow(SW_SHOWNORMAL);
      ::UpdateWindow(m_dialog.m_hWnd);
    }
  }
  void Remove() override { m_dialog.DestroyWindow(); }

 private:
  CDialog m_dialog{IDD_CREATION_NOTICE};
};

// The page named on the command line, as a full path: the file name page
// shows it, and the copy offer compares its directory with the files'.
std::string PageToEdit(const char* commandLine) {
  const std::string path = velbrook::PageArgument(commandLine ? commandLine : "");
  char full[velbrook::kMaxPathBytes];
  const DWORD length = path.empty() ? 0 : ::GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

// The preview's file name: one per run, so that two wizards open at once
// never write over each other's preview.
std::string PreviewFileName() {
  return "velbrook-preview-" + std::to_string(::GetCurrentProcessId()) + ".htm";
}

}  // namespace

BOOL CPageWizard::OnInitDialog() {
  CWizard::OnInitDialog();
  HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_PROGRAM));
  ::SetClassLongPtrA(m_hWnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
  return TRUE;
}

BOOL CPageApp::InitInstance() {
  velbrook::ModuleTexts texts(m_hInstance);
  velbrook::Win32Services services(texts);
  velbrook::LocalClock clock;
  Run(services, texts, clock, PageToEdit(m_lpCmdLine));
  return FALSE;
}

void CPageApp::Run(velbrook::Services& services, const velbrook::TextSource& texts, const velbrook::Clock& clock,
                   const std::string& pageFile) {
  m_pServices = &services;
  m_pTexts = &texts;
  // The record outlives the wizard: pages save their values into it.
  PageSettings settings;
  CPageWizard wizard;

  CDialog mainWindow(IDD_MAIN_WINDOW);
  m_pMainWnd = &mainWindow;
  if (mainWindow.Create(IDD_MAIN_WINDOW, nullptr)) {
    settings.background.m_crBackground = 0;
    settings.color.m_crText = settings.color.m_crLink = settings.color.m_crVLink = 0;
    settings.color.m_bTextChosen = settings.color.m_bLinkChosen = settings.color.m_bVLinkChosen = FALSE;
    velbrook::StartFromPage(pageFile, settings, services, texts);
    velbrook::RecallPublishing(settings.publish, services);
    // Goes after the outcome message, whichever way the wizard ended.
    velbrook::PagePreview preview(settings, services, texts, clock, PreviewFileName());

    // The pages in their order, each with its block of the record.
    wizard.AddPage(new CWelcomePage(&wizard));
    wizard.AddPage(new CTitlePage(settings.title, &wizard));
    wizard.AddPage(new CBackgroundPage(settings.background, &wizard));
    wizard.AddPage(new CTextColorPage(settings.color, &wizard));
    wizard.AddPage(new CPicturePage(settings.picture, &wizard));
    wizard.AddPage(new CTextPage(settings.text, &wizard));
    wizard.AddPage(new CItemsPage(settings.items, &wizard));
    wizard.AddPage(new CLinksPage(settings.links, &wizard));
    wizard.AddPage(new CFooterPage(settings.footer, &wizard));
    // Before the last page, which stays where the user decides and
    // finishes: publishing happens at Finish, after the page is written.
    wizard.AddPage(new CPublishPage(settings.publish, &wizard));
    wizard.AddPage(new CFileNamePage(settings.file, &wizard, &preview));

    const INT_PTR result = wizard.DoModal();
    NoticeWindow notice;
    velbrook::FinishRun(static_cast<int>(result), settings, m_strPage, services, texts, clock, notice);
    WinHelp(0, HELP_QUIT);
    mainWindow.DestroyWindow();
  }
  m_pMainWnd = nullptr;
  m_pServices = nullptr;
  m_pTexts = nullptr;
}
