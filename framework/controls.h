// The controls the program uses.
#ifndef VELBROOK_FRAMEWORK_CONTROLS_H
#define VELBROOK_FRAMEWORK_CONTROLS_H

#include <string>

#include "framework/wnd.h"

// A button control; the program's buttons are the owner-drawn kinds below.
class CButton : public CWnd {};

// An owner-drawn button that shows a bitmap resource; the one image serves
// every state unless others are given. The bitmaps are drawn for 96 DPI; the
// button shows them at its window's DPI, from copies resampled smoothly once
// per DPI.
class CBitmapButton : public CButton {
 public:
  ~CBitmapButton() override;
  BOOL LoadBitmaps(UINT normal, UINT selected = 0, UINT focus = 0, UINT disabled = 0);
  // Resizes the button to its normal bitmap at the window's DPI, making the
  // copies for that DPI first when they were made for another.
  void SizeToContent();
  // The size the button shows its normal bitmap at; empty before any.
  SIZE GetScaledSize() const;

 protected:
  void DrawItem(DRAWITEMSTRUCT* item) override;

 private:
  void FreeBitmaps();
  void FreeScaled();
  void MakeScaled(UINT dpi);
  HBITMAP m_bitmaps[4] = {};  // normal, selected, focused, disabled; as loaded
  HBITMAP m_scaled[4] = {};   // the same at m_nScaledDpi
  UINT m_nScaledDpi = 0;
};

// After a window has moved to a screen of another DPI: every bitmap button
// inside it sizes itself and its pictures anew.
void AfxRescaleBitmapButtons(HWND window);

// A push button that a screen reader names otherwise than by its text: for
// several buttons of one text, each told apart by what it does.
class CNamedButton : public CButton {
 public:
  void SetAccessibleName(const std::string& name) { m_strName = name; }

 protected:
  // Answers a screen reader's WM_GETOBJECT with the system's own object for
  // the button, whose name alone is this one.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::string m_strName;
};

class CListBox : public CWnd {
 public:
  int GetCount() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0)); }
  int GetCurSel() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0)); }
  int SetCurSel(int index) { return static_cast<int>(::SendMessageA(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0)); }
  int AddString(const std::string& text);
  int InsertString(int index, const std::string& text);
  int DeleteString(int index) {
    return static_cast<int>(::SendMessageA(m_hWnd, LB_DELETESTRING, static_cast<WPARAM>(index), 0));
  }
  std::string GetText(int index) const;
};

#endif
