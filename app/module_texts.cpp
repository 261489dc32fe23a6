#include "app/module_texts.h"

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

class AnsiCodePage : public CodePage {
 public:
  std::u16string Decode(std::string_view text) const override {
    if (text.empty()) return std::u16string();
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], length);
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
    // not come back as a look-alike.
    char bytes[8];
    BOOL lacking = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, bytes, sizeof bytes, nullptr,
                                             &lacking);
    return length > 0 && !lacking ? std::string(bytes, static_cast<std::size_t>(length)) : std::string();
  }
};

}  // namespace

const CodePage& ModuleTexts::TextCodePage() const {
  static const AnsiCodePage codePage;
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
