#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "pages/text_import.h"

namespace velbrook {
namespace {

namespace fs = std::filesystem;

class TextImportTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }
  void TearDown() override { fs::remove(file); }
  fs::path file = fs::temp_directory_path() / ("velbrook_import_" + std::to_string(::getpid()) + ".txt");
};

TEST_F(TextImportTest, TakesUpTo65536BytesAsTheyAre) {
  const std::string text = "line one\r\nline two\n\xE4";
  TextImport result = ImportTextFile(Write(text));
  EXPECT_EQ(TextImport::kImported, result.outcome);
  EXPECT_EQ(text, result.text);

  result = ImportTextFile(Write(std::string(65536, 'a')));
  EXPECT_EQ(TextImport::kImported, result.outcome);
  EXPECT_EQ(65536u, result.text.size());

  result = ImportTextFile(Write(std::string(65537, 'a')));
  EXPECT_EQ(TextImport::kTooLong, result.outcome);
  EXPECT_EQ("", result.text);
}

TEST_F(TextImportTest, AnEmptyFileIsAnEmptyTextAndAZeroByteEndsIt) {
  EXPECT_EQ(TextImport::kImported, ImportTextFile(Write("")).outcome);
  EXPECT_EQ("", ImportTextFile(Write("")).text);
  EXPECT_EQ("before", ImportTextFile(Write(std::string("before\0after", 12))).text);
}

TEST_F(TextImportTest, FilesThatCannotBeReadAreFileErrors) {
  EXPECT_EQ(TextImport::kFileError, ImportTextFile((fs::temp_directory_path() / "velbrook_missing.txt").string()).outcome);
  EXPECT_EQ(TextImport::kFileError, ImportTextFile(fs::temp_directory_path().string()).outcome) << "a folder";
}

}  // namespace
}  // namespace velbrook
