// A string-table message shown through the services.
#ifndef VELBROOK_CORE_TEXT_MESSAGE_H
#define VELBROOK_CORE_TEXT_MESSAGE_H

#include <string>

#include "core/services.h"
#include "core/texts.h"

namespace velbrook {

// Shows the string-table message `id` with %1 = `first` and %2 = `second`,
// and `below` under it after a blank line when there is one; F1 in it
// shows the topic of `helpContext`. Returns the button pressed. A
// text that cannot be loaded, or a box that cannot be shown, shows nothing,
// as a message box given a missing string does, and gives kIdCancel; the
// caller goes on.
int ShowTextMessage(Services& services, const TextSource& texts, int id, unsigned style,
                    const std::string& first = std::string(), int helpContext = kNoHelp,
                    const std::string& second = std::string(), const std::string& below = std::string());

}  // namespace velbrook

#endif
