#include "framework/controls.h"

#include "framework/app.h"

namespace {

// `source` at `width` x `height` in a DIB section: each pixel the average of
// the pixels it covers (HALFTONE), where a plain stretch would double them.
HBITMAP ResampledCopy(HBITMAP source, int width, int height) {
  BITMAP info;
  if (!source || !::GetObjectA(source, sizeof info, &info) || width <= 0 || height <= 0) return nullptr;
  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP copy = ::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!copy) return nullptr;
  HDC from = ::CreateCompatibleDC(nullptr);
  HDC to = ::CreateCompatibleDC(nullptr);
  HGDIOBJ oldFrom = ::SelectObject(from, source);
  HGDIOBJ oldTo = ::SelectObject(to, copy);
  ::SetStretchBltMode(to, HALFTONE);
  ::SetBrushOrgEx(to, 0, 0, nullptr);  // as HALFTONE asks
  ::StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  ::SelectObject(from, oldFrom);
  ::SelectObject(to, oldTo);
  ::DeleteDC(from);
  ::DeleteDC(to);
  return copy;
}

BOOL CALLBACK RescaleBitmapButton(HWND window, LPARAM) {
  if (CBitmapButton* button = dynamic_cast<CBitmapButton*>(CWnd::FromHandlePermanent(window))) {
    button->SizeToContent();
  }
  return TRUE;
}

}  // namespace

CBitmapButton::~CBitmapButton() { FreeBitmaps(); }

void CBitmapButton::FreeBitmaps() {
  FreeScaled();
  for (HBITMAP& bitmap : m_bitmaps) {
    if (bitmap) ::DeleteObject(bitmap);
    bitmap = nullptr;
  }
}

void CBitmapButton::FreeScaled() {
  for (HBITMAP& bitmap : m_scaled) {
    if (bitmap) ::DeleteObject(bitmap);
    bitmap = nullptr;
  }
  m_nScaledDpi = 0;
}

BOOL CBitmapButton::LoadBitmaps(UINT normal, UINT selected, UINT focus, UINT disabled) {
  FreeBitmaps();
  const UINT ids[4] = {normal, selected, focus, disabled};
  for (int i = 0; i < 4; ++i) {
    if (ids[i]) m_bitmaps[i] = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(ids[i]));
  }
  return m_bitmaps[0] != nullptr;
}

void CBitmapButton::MakeScaled(UINT dpi) {
  if (dpi == m_nScaledDpi) return;
  FreeScaled();
  for (int i = 0; i < 4; ++i) {
    BITMAP info;
    if (!m_bitmaps[i] || !::GetObjectA(m_bitmaps[i], sizeof info, &info)) continue;
    m_scaled[i] = ResampledCopy(m_bitmaps[i], ::MulDiv(info.bmWidth, dpi, 96), ::MulDiv(info.bmHeight, dpi, 96));
  }
  m_nScaledDpi = dpi;
}

SIZE CBitmapButton::GetScaledSize() const {
  BITMAP info;
  SIZE size = {0, 0};
  if (m_scaled[0] && ::GetObjectA(m_scaled[0], sizeof info, &info)) {
    size.cx = info.bmWidth;
    size.cy = info.bmHeight;
  }
  return size;
}

void CBitmapButton::SizeToContent() {
  MakeScaled(AfxGetDpiForWindow(m_hWnd));
  const SIZE size = GetScaledSize();
  if (size.cx == 0) return;
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CBitmapButton::DrawItem(DRAWITEMSTRUCT* item) {
  int state = 0;
  if ((item->itemState & ODS_SELECTED) && m_bitmaps[1]) state = 1;
  else if ((item->itemState & ODS_FOCUS) && m_bitmaps[2]) state = 2;
  else if ((item->itemState & ODS_DISABLED) && m_bitmaps[3]) state = 3;
  if (!m_scaled[state]) MakeScaled(AfxGetDpiForWindow(m_hWnd));
  HBITMAP bitmap = m_scaled[state] ? m_scaled[state] : m_bitmaps[state];
  if (!bitmap) return;
  HDC memory = ::CreateCompatibleDC(item->hDC);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  const RECT& r = item->rcItem;
  ::BitBlt(item->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
}

void AfxRescaleBitmapButtons(HWND window) { ::EnumChildWindows(window, RescaleBitmapButton, 0); }

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
