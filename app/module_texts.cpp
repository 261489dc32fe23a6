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

std::string ModuleTexts::LoadFavoriteLinks() const {
  HRSRC info = ::FindResourceA(m_module, MAKEINTRESOURCEA(IDR_FAVORITE_LINKS), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL data = info ? ::LoadResource(m_module, info) : nullptr;
  const char* bytes = data ? static_cast<const char*>(::LockResource(data)) : nullptr;
  if (!bytes) throw ResourceError("no favourite links");
  return std::string(bytes, ::SizeofResource(m_module, info));
}

}  // namespace velbrook
