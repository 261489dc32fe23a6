#include "pages/color.h"

#include "framework/app.h"

void CColor::SetColor(COLORREF color) {
  if (m_pair.Choose(color) && m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CColor::PickColor() {
  COLORREF chosen;
  if (AfxGetServices().PickColor(GetColor(), chosen)) SetColor(chosen);
}

void CColor::DrawItem(DRAWITEMSTRUCT* item) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  HBRUSH brush = m_pair.Chosen() ? ::CreateSolidBrush(m_pair.Color()) : ::CreateHatchBrush(HS_BDIAGONAL, RGB(255, 0, 0));
  ::FillRect(item->hDC, &client, brush);
  ::DeleteObject(brush);
}
