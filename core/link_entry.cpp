#include "core/link_entry.h"

namespace velbrook {

namespace {
const char kLinkSeparator[] = " : ";
const std::size_t kLinkSeparatorLength = sizeof kLinkSeparator - 1;
}  // namespace

std::string ComposeLinkEntry(const std::string& reference, const std::string& title) {
  return reference + kLinkSeparator + title;
}

std::pair<std::string_view, std::string_view> SplitLinkEntryView(std::string_view entry) {
  const std::size_t separator = entry.find(kLinkSeparator);
  if (separator == std::string_view::npos) return {entry, std::string_view()};
  return {entry.substr(0, separator), entry.substr(separator + kLinkSeparatorLength)};
}

void SplitLinkEntry(const std::string& entry, std::string& reference, std::string& title) {
  const auto parts = SplitLinkEntryView(entry);
  reference.assign(parts.first);
  title.assign(parts.second);
}

}  // namespace velbrook
