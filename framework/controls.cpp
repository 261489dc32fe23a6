#include "framework/controls.h"

#include "framework/app.h"

CBitmapButton::~CBitmapButton() { FreeBitmaps(); }

void CBitmapButton::FreeBitmaps() {
  for (HBITMAP& bitmap : m_bitmaps) {
    if (bitmap) ::DeleteObject(bitmap);
    bitmap = nullptr;
  }
}

BOOL CBitmapButton::LoadBitmaps(UINT normal, UINT selected, UINT focus, UINT disabled) {
  FreeBitmaps();
  const UINT ids[4] = {normal, selected, focus, disabled};
  for (int i = 0; i < 4; ++i) {
    if (ids[i]) m_bitmaps[i] = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(ids[i]));
  }
  return m_bitmaps[0] != nullptr;
}

void CBitmapButton::SizeToContent() {
  BITMAP info;
  if (!m_bitmaps[0] || !::GetObjectA(m_bitmaps[0], sizeof info, &info)) return;
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(DRAWITEMSTRUCT* item) {
  HBITMAP bitmap = m_bitmaps[0];
  if ((item->itemState & ODS_SELECTED) && m_bitmaps[1]) bitmap = m_bitmaps[1];
  else if ((item->itemState & ODS_FOCUS) && m_bitmaps[2]) bitmap = m_bitmaps[2];
  else if ((item->itemState & ODS_DISABLED) && m_bitmaps[3]) bitmap = m_bitmaps[3];
  if (!bitmap) return;
  HDC memory = ::CreateCompatibleDC(item->hDC);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  const RECT& r = item->rcItem;
  ::BitBlt(item->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
}

int CListBox::AddString(const std::string& text) {
  return static_cast<int>(::SendMessageA(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CListBox::InsertString(int index, const std::string& text) {
  return static_cast<int>(
      ::SendMessageA(m_hWnd, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
}

std::string CListBox::GetText(int index) const {
  const LRESULT length = ::SendMessageA(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT got = ::SendMessageA(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
  return text;
}
