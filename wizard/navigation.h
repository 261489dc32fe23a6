// The wizard's navigation and button rules, apart from any window.
#ifndef VELBROOK_WIZARD_NAVIGATION_H
#define VELBROOK_WIZARD_NAVIGATION_H

#include <cstddef>
#include <vector>

namespace velbrook {

struct WizardButtons {
  bool back;
  bool next;
  bool finish;
  bool help;
};

// The enabled states for the page at `current` of `count` pages. Finish is
// enabled on the last page only, so it is the one way to finish.
WizardButtons ButtonsFor(int current, int count, bool hasHelp);

// The page Next> or <Back moves to from `current`, or -1 when the step
// does nothing (no current page, already at that end).
int NextPageIndex(int current, int count);
int BackPageIndex(int current, int count);

// The character a control's text marks with "&" (lower-cased), or 0 when
// it marks none; "&&" is a plain ampersand.
char MnemonicOf(const char* text);

// The wizard's pages in their order; At answers null outside the list, so
// that "no current page" (-1) needs no test of its own at every use.
template <typename Page>
class PageSlots {
 public:
  void Add(Page* page) { m_slots.push_back(page); }
  Page* At(int index) const { return index >= 0 && index < Count() ? m_slots[static_cast<std::size_t>(index)] : nullptr; }
  int Count() const { return static_cast<int>(m_slots.size()); }
  void Clear() { m_slots.clear(); }

 private:
  std::vector<Page*> m_slots;
};

}  // namespace velbrook

#endif
