#include "pages/text_import.h"

#include <cstdio>

#include "dravel/text_file.h"

namespace velbrook {

namespace {

// The program's code pages as the shared reader asks for them.
class ReaderCodePages : public dravel::TextCodePages {
 public:
  ReaderCodePages(const CodePage& process, const CodePage& legacy) : m_process(process), m_legacy(legacy) {}
  std::size_t DecodeLegacy(const char* bytes, std::size_t size, char16_t* units) const override {
    const std::u16string decoded = m_legacy.Decode(std::string_view(bytes, size));
    decoded.copy(units, decoded.size());
    return decoded.size();
  }
  std::size_t EncodeProcess(char32_t c, char* out) const override {
    const std::string bytes = m_process.Encode(c);
    return bytes.copy(out, bytes.size() <= 4 ? bytes.size() : 0);
  }

 private:
  const CodePage& m_process;
  const CodePage& m_legacy;
};

}  // namespace

TextImport ImportTextFile(const std::string& path, const CodePage& process, const CodePage& legacy) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return {TextImport::kFileError, std::string()};
  // One byte more than any file whose text could fit tells one that is too
  // long, without trusting a size the file system reports.
  std::string bytes(static_cast<std::size_t>(dravel::MaxTextFileBytes(kMaxImportBytes)) + 1, '\0');
  std::size_t read = 0;
  while (read < bytes.size()) {
    const std::size_t got = std::fread(&bytes[read], 1, bytes.size() - read, file);
    if (got == 0) break;
    read += got;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return {TextImport::kFileError, std::string()};
  if (read == bytes.size()) return {TextImport::kTooLong, std::string()};
  std::u16string units(read, u'\0');
  std::string text(static_cast<std::size_t>(kMaxImportBytes) + 1, '\0');
  const std::size_t length =
      dravel::TextFromFile(reinterpret_cast<const unsigned char*>(bytes.data()), read, ReaderCodePages(process, legacy),
                           &units[0], &text[0], static_cast<std::size_t>(kMaxImportBytes));
  if (length == dravel::kTextTooLong) return {TextImport::kTooLong, std::string()};
  text.resize(length);
  return {TextImport::kImported, text};
}

}  // namespace velbrook
