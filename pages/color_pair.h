// A colour of the page settings and its colour-chosen flag, and the rule
// by which the user's choice sets them.
#ifndef VELBROOK_PAGES_COLOR_PAIR_H
#define VELBROOK_PAGES_COLOR_PAIR_H

#include "core/win_types.h"

namespace velbrook {

class ColorPair {
 public:
  // Takes the pair as it stands: not chosen for a new page (the run clears
  // it), chosen where a page read back named the colour.
  ColorPair(COLORREF* color, BOOL* chosen) : m_color(color), m_chosen(chosen) {}

  COLORREF Color() const { return *m_color; }
  // Shown in its colour once chosen, hatched before.
  bool Chosen() const { return *m_chosen != 0; }

  // Takes the user's choice; choosing the colour already held changes
  // nothing, not even the flag. Returns whether anything changed.
  bool Choose(COLORREF color) {
    if (*m_color == color) return false;
    *m_color = color;
    *m_chosen = 1;
    return true;
  }

 private:
  COLORREF* m_color;
  BOOL* m_chosen;
};

}  // namespace velbrook

#endif
