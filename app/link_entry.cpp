#include "app/link_entry.h"

namespace velbrook {

namespace {
const char kLinkSeparator[] = " : ";
const std::size_t kLinkSeparatorLength = sizeof kLinkSeparator - 1;
}  // namespace

std::string ComposeLinkEntry(const std::string& reference, const std::string& title) {
  return reference + kLinkSeparator + title;
}

void SplitLinkEntry(const std::string& entry, std::string& reference, std::string& title) {
  const std::size_t separator = entry.find(kLinkSeparator);
  if (separator == std::string::npos) {
    reference = entry;
    title.clear();
    return;
  }
  reference.assign(entry, 0, separator);
  title.assign(entry, separator + kLinkSeparatorLength, std::string::npos);
}

}  // namespace velbrook
