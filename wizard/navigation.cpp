#include "wizard/navigation.h"

namespace velbrook {

WizardButtons ButtonsFor(int current, int count, bool hasHelp) {
  if (current == 0) return {false, true, false, hasHelp};
  if (current > 0 && current == count - 1) return {true, false, true, hasHelp};
  return {true, true, false, hasHelp};
}

int NextPageIndex(int current, int count) {
  if (current < 0 || count - current <= 1) return -1;
  return current + 1;
}

int BackPageIndex(int current, int count) {
  if (current <= 0 || current >= count) return -1;
  return current - 1;
}

char MnemonicOf(const char* text) {
  for (const char* p = text; *p; ++p) {
    if (*p != '&') continue;
    ++p;
    if (*p == '\0') break;
    if (*p == '&') continue;
    const char c = *p;
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return 0;
}

}  // namespace velbrook
