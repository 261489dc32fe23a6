#include "core/text_message.h"

namespace velbrook {

int ShowTextMessage(Services& services, const TextSource& texts, int id, unsigned style, const std::string& first,
                    int helpContext, const std::string& second) {
  // Whatever fails here, loading the text or showing the box, leaves this
  // one message out; the run must still get to its closing steps.
  try {
    return services.ShowMessage(FormatText(texts.Load(id), first, second), style, helpContext);
  } catch (...) {
    return kIdCancel;
  }
}

}  // namespace velbrook
