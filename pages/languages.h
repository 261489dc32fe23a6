// The languages the title page offers for the page, by their English names
// with their codes, as a page states its language (<HTML LANG="de">).
#ifndef VELBROOK_PAGES_LANGUAGES_H
#define VELBROOK_PAGES_LANGUAGES_H

#include <string>
#include <vector>

namespace velbrook {

struct LanguageChoice {
  std::string label;  // "German (de)"
  std::string code;   // "de"; empty for "(not stated)"
};

// The drop-down's entries: "(not stated)" first, then the language of the
// user's Windows (`userCode`, when the list knows it), then the others by
// name. A `current` code the list does not know (a page opened again) is
// offered too, as itself, so that the page keeps it.
std::vector<LanguageChoice> LanguageChoices(const std::string& userCode, const std::string& current);

// Whether two codes name the same language: a code is the same in any case
// (a page may say LANG="DE").
bool SameLanguage(const std::string& code, const std::string& other);

}  // namespace velbrook

#endif
