#include "core/text_message.h"

namespace velbrook {

int ShowTextMessage(Services& services, const TextSource& texts, int id, unsigned style, const std::string& first,
                    int helpContext, const std::string& second, const std::string& below) {
  // Whatever fails here, loading the text or showing the box, leaves this
  // one message out; the run must still get to its closing steps.
  try {
    std::string text = FormatText(texts.Load(id), first, second);
    if (!below.empty()) text += "\n\n" + below;
    return services.ShowMessage(text, style, helpContext);
  } catch (...) {
    return kIdCancel;
  }
}

}  // namespace velbrook
