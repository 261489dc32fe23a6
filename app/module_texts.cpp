#include "app/module_texts.h"

#include <cstdlib>
#include <vector>

#include "res/resource.h"

namespace velbrook {

std::string ModuleTexts::Load(int id) const {
  // LoadString cuts a text to the buffer without saying so: grow until the
  // text fits with room to spare.
  std::vector<char> buffer(256);
  for (;;) {
    int length = ::LoadStringA(m_module, static_cast<UINT>(id), buffer.data(), static_cast<int>(buffer.size()));
    if (length <= 0) throw ResourceError("no string-table entry " + std::to_string(id));
    if (static_cast<std::size_t>(length) < buffer.size() - 1) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

namespace {

// A Windows code page other than UTF-8 (which core/code_page.h has as
// plain code): the process code page of a Windows before 10 1903, or the
// user's legacy ANSI code page.
class WindowsCodePage : public CodePage {
 public:
  explicit WindowsCodePage(UINT number) : m_number(number) {}
  std::u16string Decode(std::string_view text) const override {
    if (text.empty()) return std::u16string();
    // Flags 0: Microsoft documents MB_PRECOMPOSED and the others as refused
    // by some code pages (UTF-8 among them), and decoding needs none.
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(m_number, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) ::MultiByteToWideChar(m_number, 0, text.data(), size, &wide[0], length);
    return std::u16string(wide.begin(), wide.end());
  }
  std::string Encode(char32_t c) const override {
    wchar_t units[2];
    int count = 1;
    if (c >= 0x10000) {
      units[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      units[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
      count = 2;
    } else {
      units[0] = static_cast<wchar_t>(c);
    }
    // No best fit: a character the code page lacks must stay a reference,
    // not come back as a look-alike. Microsoft's documentation refuses
    // WC_NO_BEST_FIT_CHARS and the used-default flag for UTF-7, UTF-8 and a
    // few code pages no Windows runs programs in (Wine takes them): UTF-8
    // never comes here, and the ANSI code pages of every locale take both.
    char bytes[8];
    BOOL lacking = FALSE;
    const int length = ::WideCharToMultiByte(m_number, WC_NO_BEST_FIT_CHARS, units, count, bytes, sizeof bytes,
                                             nullptr, &lacking);
    return length > 0 && !lacking ? std::string(bytes, static_cast<std::size_t>(length)) : std::string();
  }

 private:
  UINT m_number;
};

}  // namespace

const CodePage& ModuleTexts::TextCodePage() const {
  // The manifest asks for UTF-8 (activeCodePage); Windows before 10 1903
  // ignores that and runs the program in the locale's ANSI code page.
  if (::GetACP() == CP_UTF8) return Utf8CodePage();
  static const WindowsCodePage codePage(::GetACP());
  return codePage;
}

const CodePage& ModuleTexts::LegacyCodePage() const {
  // The code page of the system's locale, the one an ANSI program ran in
  // before the UTF-8 process code page: it stays so under UTF-8 too. A
  // locale of Unicode only has none; its files are then read as the
  // process's.
  char digits[8] = {};
  ::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, digits, sizeof digits);
  const UINT number = static_cast<UINT>(std::strtoul(digits, nullptr, 10));
  if (number == 0 || number == ::GetACP()) return TextCodePage();
  static const WindowsCodePage codePage(number);
  return codePage;
}

std::string ModuleTexts::LoadFavoriteLinks() const {
  HRSRC info = ::FindResourceA(m_module, MAKEINTRESOURCEA(IDR_FAVORITE_LINKS), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL data = info ? ::LoadResource(m_module, info) : nullptr;
  const char* bytes = data ? static_cast<const char*>(::LockResource(data)) : nullptr;
  if (!bytes) throw ResourceError("no favourite links");
  return std::string(bytes, ::SizeofResource(m_module, info));
}

}  // namespace velbrook
