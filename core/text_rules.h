// Rules on plain text that several parts of the program share.
#ifndef VELBROOK_CORE_TEXT_RULES_H
#define VELBROOK_CORE_TEXT_RULES_H

#include <string>

namespace velbrook {

// Compares two texts ignoring the case of ASCII letters only.
bool EqualsIgnoreAsciiCase(const std::string& a, const std::string& b);

// Whether `reference` is a URL ("http://..." and the like: letters, then
// "://"), which names no file. A drive letter is no scheme.
bool HasScheme(const std::string& reference);

}  // namespace velbrook

#endif
