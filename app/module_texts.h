// The string table and the favourite links, read from the program's own
// resources.
#ifndef VELBROOK_APP_MODULE_TEXTS_H
#define VELBROOK_APP_MODULE_TEXTS_H

#include <windows.h>

#include "core/texts.h"

namespace velbrook {

class ModuleTexts : public TextSource {
 public:
  explicit ModuleTexts(HINSTANCE module) : m_module(module) {}
  std::string Load(int id) const override;
  std::string LoadFavoriteLinks() const override;
  // The ANSI code page Windows runs the program in.
  const CodePage& TextCodePage() const override;
  const CodePage& LegacyCodePage() const override;

 private:
  HINSTANCE m_module;
};

}  // namespace velbrook

#endif
