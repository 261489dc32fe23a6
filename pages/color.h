// The colour swatch: an owner-drawn button that shows a colour pair, red
// hatched until a colour is chosen.
#ifndef VELBROOK_PAGES_COLOR_H
#define VELBROOK_PAGES_COLOR_H

#include "framework/controls.h"
#include "pages/color_pair.h"

class CColor : public CButton {
 public:
  // Shows the pair at `color` and `chosen` as it stands.
  CColor(COLORREF* color, BOOL* chosen) : m_pair(color, chosen) {}

  COLORREF GetColor() const { return m_pair.Color(); }
  // Takes a colour; the same colour again changes nothing.
  void SetColor(COLORREF color);
  // Runs the colour dialog at the current colour and takes its answer.
  void PickColor();

 protected:
  void DrawItem(DRAWITEMSTRUCT* item) override;

 private:
  velbrook::ColorPair m_pair;
};

#endif
