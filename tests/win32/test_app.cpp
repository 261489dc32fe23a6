// The application object of the Win32 tests: the windows under test find
// their message pump, services and texts through it.
#include "app/module_texts.h"
#include "framework/app.h"

namespace {

class TestApp : public CWinApp {
 public:
  TestApp() : m_texts(::GetModuleHandleA(nullptr)) {
    m_hInstance = ::GetModuleHandleA(nullptr);
    m_pTexts = &m_texts;
  }
  BOOL InitInstance() override { return FALSE; }

 private:
  velbrook::ModuleTexts m_texts;
};

TestApp theTestApp;

}  // namespace
