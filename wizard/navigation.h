// The wizard's navigation and button rules, apart from any window.
#ifndef VELBROOK_WIZARD_NAVIGATION_H
#define VELBROOK_WIZARD_NAVIGATION_H

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

// A fixed list of at most `Capacity` pages, in wizard order.
template <typename Page, int Capacity>
class PageSlots {
 public:
  // Appends `page`; FALSE when the list is full (the page is not taken).
  bool Add(Page* page) {
    if (m_count >= Capacity) return false;
    m_slots[m_count++] = page;
    return true;
  }
  Page* At(int index) const { return index >= 0 && index < m_count ? m_slots[index] : nullptr; }
  int Count() const { return m_count; }
  void Clear() { m_count = 0; }

 private:
  Page* m_slots[Capacity] = {};
  int m_count = 0;
};

}  // namespace velbrook

#endif
