#include "framework/controls.h"

#include <oleacc.h>

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

namespace {

// MinGW's import libraries carry a wrong IID_IAccessible; this is the real one.
const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The system's accessible object for a window, with another name for the
// window itself; everything else is the system's answer.
class NamedAccessible : public IAccessible {
 public:
  using SysAllocStringProc = BSTR(WINAPI*)(const OLECHAR*);
  // `allocate` is oleaut32's SysAllocString, looked up with the rest.
  NamedAccessible(IAccessible* inner, const std::string& name, SysAllocStringProc allocate)
      : m_inner(inner), m_allocate(allocate) {
    if (!::MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, m_name, kNameChars)) m_name[0] = L'\0';
  }
  virtual ~NamedAccessible() { m_inner->Release(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kIidAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return m_inner->get_accName(child, name);
    if (!name) return E_POINTER;
    *name = m_allocate(m_name);
    return *name ? S_OK : E_OUTOFMEMORY;
  }

  // The rest as the system answers.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return m_inner->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return m_inner->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    return m_inner->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* badArgument) override {
    return m_inner->Invoke(id, iid, locale, flags, params, result, exception, badArgument);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return m_inner->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return m_inner->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return m_inner->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override { return m_inner->get_accValue(child, value); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return m_inner->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override { return m_inner->get_accRole(child, role); }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return m_inner->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return m_inner->get_accHelp(child, help); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return m_inner->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return m_inner->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return m_inner->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override { return m_inner->get_accSelection(children); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return m_inner->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long how, VARIANT child) override { return m_inner->accSelect(how, child); }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    return m_inner->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return m_inner->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override { return m_inner->accHitTest(x, y, child); }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return m_inner->accDoDefaultAction(child); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return m_inner->put_accName(child, name); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return m_inner->put_accValue(child, value);
  }

 private:
  static const int kNameChars = 128;
  IAccessible* m_inner;
  SysAllocStringProc m_allocate;
  wchar_t m_name[kNameChars];
  LONG m_refs = 1;
};

}  // namespace

LRESULT CNamedButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_GETOBJECT || static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT) || m_strName.empty()) {
    return CButton::WindowProc(message, wParam, lParam);
  }
  // Active Accessibility is looked up only when a screen reader asks, so
  // the program neither imports nor loads it otherwise.
  using CreateStdProc = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
  using LresultProc = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);
  static HMODULE oleacc = ::LoadLibraryA("oleacc.dll");
  static HMODULE oleaut = ::LoadLibraryA("oleaut32.dll");
  const auto createStd = oleacc ? reinterpret_cast<CreateStdProc>(reinterpret_cast<void*>(
                                      ::GetProcAddress(oleacc, "CreateStdAccessibleObject")))
                                : nullptr;
  const auto lresultFromObject =
      oleacc ? reinterpret_cast<LresultProc>(reinterpret_cast<void*>(::GetProcAddress(oleacc, "LresultFromObject")))
             : nullptr;
  const auto allocate = oleaut ? reinterpret_cast<NamedAccessible::SysAllocStringProc>(
                                     reinterpret_cast<void*>(::GetProcAddress(oleaut, "SysAllocString")))
                               : nullptr;
  IAccessible* standard = nullptr;
  if (!createStd || !lresultFromObject || !allocate ||
      FAILED(createStd(m_hWnd, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(&standard))) || !standard) {
    return CButton::WindowProc(message, wParam, lParam);
  }
  NamedAccessible* named = new NamedAccessible(standard, m_strName, allocate);
  const LRESULT result = lresultFromObject(kIidAccessible, wParam, static_cast<IAccessible*>(named));
  named->Release();
  return result;
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
