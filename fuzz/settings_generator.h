// Settings records made from fuzzer bytes, for the page fuzzers and the
// property tests. Any record the program could hold, or (wizard) only what
// the wizard's pages can put into one: texts within their edits' limits,
// no line breaks where the edit has one line, no zero bytes, lists whose
// counts agree, colours from the colour dialog.
#ifndef VELBROOK_FUZZ_SETTINGS_GENERATOR_H
#define VELBROOK_FUZZ_SETTINGS_GENERATOR_H

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

#include "core/link_entry.h"
#include "core/page_settings.h"

namespace velbrook {

class SettingsGenerator {
 public:
  SettingsGenerator(FuzzedDataProvider& data, bool wizard) : m_data(data), m_wizard(wizard) {}

  PageSettings Make() {
    PageSettings s;
    static const char* const kLanguages[] = {"", "de", "en-GB", "x-other"};
    s.title = {Line(30), Line(60), Line(80), Flag(), m_data.ConsumeBool(), m_data.ConsumeBool(), Flag(),
               kLanguages[m_data.ConsumeIntegralInRange(0, 3)]};
    s.background = {Line(260), Line(260), Color(), m_data.ConsumeBool(), m_data.ConsumeBool(), m_data.ConsumeBool()};
    s.color = {Color(), m_data.ConsumeBool(), Color(), m_data.ConsumeBool(), Color(), m_data.ConsumeBool()};
    s.picture = {m_data.ConsumeBool(), m_data.ConsumeBool(), m_data.ConsumeBool(), Line(260), Line(255)};
    s.text.m_strText = Text(m_wizard ? 2000 : 300);
    for (int i = m_data.ConsumeIntegralInRange(0, 8); i > 0; --i) s.items.m_arrItems.push_back(Line(255));
    s.items.m_nItems = Count(s.items.m_arrItems);
    s.items.m_strListTitle = Line(132);
    for (int i = m_data.ConsumeIntegralInRange(0, 8); i > 0; --i) {
      s.links.m_arrLinks.push_back(m_wizard ? ComposeLinkEntry(Line(255), Line(40)) : Text(300));
    }
    s.links.m_nLinks = Count(s.links.m_arrLinks);
    s.links.m_bFavorites = m_data.ConsumeBool();
    s.footer = {m_data.ConsumeBool(), m_data.ConsumeBool(), Line(255),
                m_wizard ? m_data.ConsumeIntegralInRange(0, 2) : m_data.ConsumeIntegralInRange(-1, 3)};
    s.file.m_strFileName = Line(260);
    return s;
  }

 private:
  std::string Text(std::size_t limit) {
    std::string text = m_data.ConsumeRandomLengthString(m_wizard ? limit : 300);
    if (m_wizard) text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
  }
  // A text of a one-line edit.
  std::string Line(std::size_t limit) {
    std::string text = Text(limit);
    if (m_wizard) text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
  }
  BOOL Flag() { return m_wizard ? m_data.ConsumeBool() : m_data.ConsumeIntegral<int>(); }
  COLORREF Color() {
    const COLORREF color = m_data.ConsumeIntegral<COLORREF>();
    return m_wizard ? color & 0xFFFFFF : color;
  }
  // The count the page sets with its list; any count for other records.
  int Count(const CStringArray& list) {
    return m_wizard ? static_cast<int>(list.size()) : m_data.ConsumeIntegralInRange(-3, 12);
  }

  FuzzedDataProvider& m_data;
  bool m_wizard;
};

}  // namespace velbrook

#endif
