#include "pages/text_import.h"

#include "core/file_paths.h"
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
  // Bounded by the bytes of the longest text that could fit, not by a size
  // the file system reports.
  const std::size_t maxBytes = static_cast<std::size_t>(dravel::MaxTextFileBytes(kMaxImportBytes));
  std::string bytes;
  if (!ReadFileUpTo(path, maxBytes, bytes)) {
    return {bytes.size() > maxBytes ? TextImport::kTooLong : TextImport::kFileError, std::string()};
  }
  const std::size_t read = bytes.size();
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
