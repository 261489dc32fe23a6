// What the wizard's modal run gives back: the run tells Finish, Cancel and
// a window not created apart and does nothing for the others.
#ifndef VELBROOK_CORE_WIZARD_RESULT_H
#define VELBROOK_CORE_WIZARD_RESULT_H

namespace velbrook {

enum WizardResult : int {
  kWizardFinish = 1,      // Finish, or Enter while Finish is enabled
  kWizardCancel = 2,      // Cancel, Escape, closing or a quit request
  kWizardNotCreated = 3,  // the host window or a page's could not be created
  kWizardDestroyed = -1,  // the host window went some other way
};

}  // namespace velbrook

#endif
