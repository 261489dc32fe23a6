// What the application run does once the wizard has closed: build the page,
// deliver it and tell the user the outcome.
#ifndef VELBROOK_CORE_PAGE_RUN_H
#define VELBROOK_CORE_PAGE_RUN_H

#include <string>

#include "core/html_writer.h"
#include "core/page_settings.h"
#include "core/services.h"
#include "core/texts.h"

namespace velbrook {

// The "Now creating the Home Page..." window shown while the page is built.
class CreationNotice {
 public:
  virtual ~CreationNotice() = default;
  virtual void Show() = 0;
  virtual void Remove() = 0;
};

// The wizard's modal results the run tells apart.
// kWizardNotCreated: the wizard's window or a page's could not be made
// from the program's resources.
enum WizardResult { kWizardFinish = 1, kWizardCancel = 2, kWizardNotCreated = 3 };

// The help context of the welcome page, whose topic tells how a page is
// opened again.
const int kWelcomeHelp = 1;

// Fills `settings` from the page file the program was started with, if one
// was named. One that cannot be read is named in a message, and the wizard
// starts empty.
void StartFromPage(const std::string& pageFile, PageSettings& settings, Services& services,
                   const TextSource& texts);

// Acts on the wizard's result: on Finish builds the page into `page` and
// delivers it (clipboard first, then the file), on Cancel says so. A
// failure of any of its steps is caught where it happens and never escapes.
void FinishRun(int wizardResult, PageSettings& settings, std::string& page, Services& services,
               const TextSource& texts, const Clock& clock, CreationNotice& notice);

}  // namespace velbrook

#endif
