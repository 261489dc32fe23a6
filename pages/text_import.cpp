#include "pages/text_import.h"

#include <cstdio>
#include <cstring>

namespace velbrook {

TextImport ImportTextFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return {TextImport::kFileError, std::string()};
  // One byte more than the limit tells a file that is too long, without
  // trusting a size the file system reports.
  std::string bytes(static_cast<std::size_t>(kMaxImportBytes) + 1, '\0');
  std::size_t read = 0;
  while (read < bytes.size()) {
    const std::size_t got = std::fread(&bytes[read], 1, bytes.size() - read, file);
    if (got == 0) break;
    read += got;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return {TextImport::kFileError, std::string()};
  if (read > static_cast<std::size_t>(kMaxImportBytes)) return {TextImport::kTooLong, std::string()};
  // The buffer is zero past the bytes read, so the text ends at the first
  // zero byte or where the file did.
  bytes.resize(std::strlen(bytes.c_str()));
  return {TextImport::kImported, bytes};
}

}  // namespace velbrook
