#include "pages/languages.h"

#include "core/text_rules.h"

namespace velbrook {

namespace {

const struct {
  const char* name;
  const char* code;
} kLanguages[] = {
    {"Afrikaans", "af"}, {"Albanian", "sq"},  {"Arabic", "ar"},     {"Basque", "eu"},     {"Belarusian", "be"},
    {"Bulgarian", "bg"}, {"Catalan", "ca"},   {"Chinese", "zh"},    {"Croatian", "hr"},   {"Czech", "cs"},
    {"Danish", "da"},    {"Dutch", "nl"},     {"English", "en"},    {"Esperanto", "eo"},  {"Estonian", "et"},
    {"Finnish", "fi"},   {"French", "fr"},    {"Galician", "gl"},   {"German", "de"},     {"Greek", "el"},
    {"Hebrew", "he"},    {"Hindi", "hi"},     {"Hungarian", "hu"},  {"Icelandic", "is"},  {"Indonesian", "id"},
    {"Irish", "ga"},     {"Italian", "it"},   {"Japanese", "ja"},   {"Korean", "ko"},     {"Latvian", "lv"},
    {"Lithuanian", "lt"}, {"Macedonian", "mk"}, {"Malay", "ms"},    {"Norwegian", "no"},  {"Persian", "fa"},
    {"Polish", "pl"},    {"Portuguese", "pt"}, {"Romanian", "ro"},  {"Russian", "ru"},    {"Serbian", "sr"},
    {"Slovak", "sk"},    {"Slovenian", "sl"}, {"Spanish", "es"},    {"Swahili", "sw"},    {"Swedish", "sv"},
    {"Thai", "th"},      {"Turkish", "tr"},   {"Ukrainian", "uk"},  {"Vietnamese", "vi"}, {"Welsh", "cy"},
};

}  // namespace

bool SameLanguage(const std::string& code, const std::string& other) { return EqualsIgnoreAsciiCase(code, other); }

std::vector<LanguageChoice> LanguageChoices(const std::string& userCode, const std::string& current) {
  std::vector<LanguageChoice> choices{{"(not stated)", ""}};
  bool known = current.empty();
  for (const auto& language : kLanguages) {
    known = known || SameLanguage(current, language.code);
    LanguageChoice choice{std::string(language.name) + " (" + language.code + ")", language.code};
    if (SameLanguage(userCode, language.code)) {
      choices.insert(choices.begin() + 1, choice);
    } else {
      choices.push_back(choice);
    }
  }
  if (!known) choices.push_back({current, current});
  return choices;
}

}  // namespace velbrook
