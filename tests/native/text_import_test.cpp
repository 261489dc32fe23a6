#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "pages/text_import.h"

namespace velbrook {
namespace {

namespace fs = std::filesystem;

const CodePage& k1252 = WindowsCodePage1252();
const CodePage& kUtf8 = Utf8CodePage();

class TextImportTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }
  TextImport Import(const std::string& bytes, const CodePage& process = k1252) {
    return ImportTextFile(Write(bytes), process, k1252);
  }
  void TearDown() override { fs::remove(file); }
  fs::path file = fs::temp_directory_path() / ("velbrook_import_" + std::to_string(::getpid()) + ".txt");
};

TEST_F(TextImportTest, TakesUpTo65536BytesAsTheyAre) {
  const std::string text = "line one\r\nline two\n\xE4";
  TextImport result = Import(text);
  EXPECT_EQ(TextImport::kImported, result.outcome);
  EXPECT_EQ(text, result.text);

  result = Import(std::string(65536, 'a'));
  EXPECT_EQ(TextImport::kImported, result.outcome);
  EXPECT_EQ(65536u, result.text.size());

  result = Import(std::string(65537, 'a'));
  EXPECT_EQ(TextImport::kTooLong, result.outcome);
  EXPECT_EQ("", result.text);
}

TEST_F(TextImportTest, AnEmptyFileIsAnEmptyTextAndAZeroByteEndsIt) {
  EXPECT_EQ(TextImport::kImported, Import("").outcome);
  EXPECT_EQ("", Import("").text);
  EXPECT_EQ("before", Import(std::string("before\0after", 12)).text);
}

// A file as Notepad saves it, read into each kind of process code page.
TEST_F(TextImportTest, FilesAreReadAsNotepadReadsThem) {
  const std::string umlauts8 = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xE6\x97\xA5 \xF0\x9F\x98\x80";
  const std::string umlauts1252 = "Gr\xFC\xDF" "e \x80 &#26085; &#128512;";
  const std::string utf16le("\xFF\xFEG\0r\0\xFC\0\xDF\0" "e\0 \0\xAC\x20 \0\xE5\x65 \0\x3D\xD8\x00\xDE", 26);
  const std::string utf16be("\xFE\xFF\0G\0r\0\xFC\0\xDF\0e\0 \x20\xAC\0 \x65\xE5\0 \xD8\x3D\xDE\x00", 26);
  const std::string a65535(65535, 'a'), tooLong = "(too long)";
  std::string a16;  // 65534 "a" in UTF-16 LE
  for (int i = 0; i < 65534; ++i) a16 += std::string("a\0", 2);
  const struct {
    const char* name;
    std::string bytes;
    const CodePage& process;
    std::string text;
  } cases[] = {
      {"UTF-8 without a mark, into UTF-8", umlauts8, kUtf8, umlauts8},
      {"UTF-8 without a mark, into 1252", umlauts8, k1252, umlauts1252},
      {"UTF-8 with a mark: the mark is dropped", "\xEF\xBB\xBF" + umlauts8, kUtf8, umlauts8},
      {"UTF-16 LE: zero bytes do not end it", utf16le, kUtf8, umlauts8},
      {"UTF-16 LE, into 1252", utf16le, k1252, umlauts1252},
      {"UTF-16 BE", utf16be, kUtf8, umlauts8},
      {"UTF-16 with an odd byte count: the half character is left out", utf16le + "x", kUtf8, umlauts8},
      {"UTF-16, a zero character ends it", std::string("\xFF\xFEo\0k\0\0\0x\0", 10), kUtf8, "ok"},
      {"UTF-16, half a surrogate pair", std::string("\xFF\xFE\x3D\xD8z\0", 6), k1252, "&#65533;z"},
      {"invalid UTF-8 is the legacy code page", "J\xF6rg \x80", kUtf8, "J\xC3\xB6rg \xE2\x82\xAC"},
      {"an overlong form is not UTF-8", "\xC0\xAF", kUtf8, "\xC3\x80\xC2\xAF"},
      {"a broken sequence after a UTF-8 mark is one replacement", "\xEF\xBB\xBF" "a\xFF", kUtf8, "a\xEF\xBF\xBD"},
      {"all zero bytes", std::string(16, '\0'), kUtf8, ""},
      {"the limit is on the converted text: UTF-16 of 65535 letters", "\xFF\xFE" + a16 + "a" + '\0', kUtf8, a65535},
      {"the same with a letter of 2 bytes more", "\xFF\xFE" + a16 + std::string("a\0\xFC\0", 4), kUtf8, tooLong},
      {"a reference that passes the limit", a65535 + "\xE6\x97\xA5", k1252, tooLong},
  };
  for (const auto& c : cases) {
    const TextImport result = Import(c.bytes, c.process);
    const std::string got = result.outcome == TextImport::kTooLong ? tooLong : result.text;
    EXPECT_TRUE(c.text == got) << c.name << ": " << got.size() << " bytes, " << got.substr(0, 60);
  }
}

TEST_F(TextImportTest, FilesThatCannotBeReadAreFileErrors) {
  EXPECT_EQ(TextImport::kFileError,
            ImportTextFile((fs::temp_directory_path() / "velbrook_missing.txt").string(), k1252, k1252).outcome);
  EXPECT_EQ(TextImport::kFileError, ImportTextFile(fs::temp_directory_path().string(), k1252, k1252).outcome)
      << "a folder";
}

}  // namespace
}  // namespace velbrook
