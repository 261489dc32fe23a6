// The application object: the program's one run, from the wizard to the
// outcome message.
#ifndef VELBROOK_APP_PAGE_APP_H
#define VELBROOK_APP_PAGE_APP_H

#include <string>

#include "core/html_writer.h"
#include "core/services.h"
#include "core/texts.h"
#include "framework/app.h"
#include "res/resource.h"
#include "wizard/wizard.h"

class CPageWizard : public CWizard {
 public:
  CPageWizard() : CWizard(IDD_WIZARD, nullptr) {}

 protected:
  // Adds the program's icon to the host's window class.
  BOOL OnInitDialog() override;
};

class CPageApp : public CWinApp {
 public:
  // Runs the whole program with the real services; always FALSE.
  BOOL InitInstance() override;
  // The run itself, with the services, texts and clock it is given; the
  // wizard starts from `pageFile` when one is named.
  void Run(velbrook::Services& services, const velbrook::TextSource& texts, const velbrook::Clock& clock,
           const std::string& pageFile = std::string());

  std::string m_strPage;
};

#endif
