// A link as the links page stores it and the writer reads it: the
// reference, the separator " : ", the title.
#ifndef VELBROOK_CORE_LINK_ENTRY_H
#define VELBROOK_CORE_LINK_ENTRY_H

#include <string>
#include <string_view>
#include <utility>

namespace velbrook {

std::string ComposeLinkEntry(const std::string& reference, const std::string& title);

// Splits at the first separator, so a title may hold the separator but a
// reference may not. An entry without one is all reference.
void SplitLinkEntry(const std::string& entry, std::string& reference, std::string& title);
// The same split as views into `entry`: reference first, then title.
std::pair<std::string_view, std::string_view> SplitLinkEntryView(std::string_view entry);

}  // namespace velbrook

#endif
