// "Putting the page on the web": the window that shows a transfer's
// progress (the file being sent, its bytes of the total) and offers Cancel
// while the worker thread talks to the site.
#ifndef VELBROOK_APP_PUBLISH_PROGRESS_WIN32_H
#define VELBROOK_APP_PUBLISH_PROGRESS_WIN32_H

#include <functional>
#include <string>

#include "core/services.h"

namespace velbrook {

// Runs `work` over an HTTPS link to `host` on a worker thread behind the
// progress window, and returns once it has returned.
void RunTransferWithProgress(const std::string& host, const std::function<void(HttpsLink&)>& work);

}  // namespace velbrook

#endif
