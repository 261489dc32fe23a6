// Fuzz targets for the plain logic, one per entry point, chosen at build
// time by FUZZ_TARGET: the page writer over arbitrary settings records, the
// page reader over any bytes, the path split and copy offer, the link split,
// "%1"/"%2" formatting, and the drop and import text rules.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/delivery.h"
#include "core/file_paths.h"
#include "core/html_writer.h"
#include "core/link_entry.h"
#include "core/page_reader.h"
#include "dravel/drop_rules.h"
#include "fuzz/settings_generator.h"
#include "pages/text_import.h"
#include "tests/native/scripted_services.h"

namespace {

using velbrook::BuiltinTexts;
using velbrook::PageDelivery;
using velbrook::PathParts;
using velbrook::ScriptedServices;

void Check(bool condition) {
  if (!condition) std::abort();
}

class FuzzClock : public velbrook::Clock {
 public:
  explicit FuzzClock(std::tm time) : m_time(time) {}
  std::tm Now() const override { return m_time; }

 private:
  std::tm m_time;
};

std::string Text(FuzzedDataProvider& data) { return data.ConsumeRandomLengthString(300); }

void FuzzBuildPage(FuzzedDataProvider& data) {
  PageSettings s = velbrook::SettingsGenerator(data, false).Make();
  std::tm time{};
  time.tm_hour = data.ConsumeIntegralInRange(0, 23);
  time.tm_mday = data.ConsumeIntegralInRange(1, 31);
  time.tm_wday = data.ConsumeIntegralInRange(0, 6);
  FuzzClock clock(time);

  ScriptedServices services;
  for (int i = 0; i < 3; ++i) services.answers.push_back(data.ConsumeBool() ? velbrook::kIdYes : velbrook::kIdNo);
  services.copySucceeds = data.ConsumeBool();
  BuiltinTexts texts;
  PageDelivery delivery(services, texts);
  std::string page;
  const PageFiles files = delivery.OfferCopies(s);
  // The references the page writes, and so offers and reduces.
  std::vector<const std::string*> written;
  if (s.background.m_bUseBitmap) written.push_back(&files.background);
  if (!s.background.m_strSoundFile.empty()) written.push_back(&files.sound);
  if (s.picture.m_bIncludePicture && !s.picture.m_strPictureFile.empty()) written.push_back(&files.picture);
  velbrook::BuildPage(s, files, page, texts, clock);
  const std::string end = "</BODY>\r\n\r\n</HTML>\r\n";
  Check(page.size() >= end.size() && page.compare(page.size() - end.size(), end.size(), end) == 0);
  // Every reference the page names is a bare name.
  for (const std::string* reference : written) {
    Check(reference->find_first_of("\\/") == std::string::npos);
  }
  Check(services.messages.size() <= written.size());
}

// Any bytes as a page file: no crash, no hang. What reads as a page is
// written again; from then on it reads back beside the page, asking nothing,
// and is written with the same bytes.
void FuzzReadPage(FuzzedDataProvider& data) {
  const std::string bytes = data.ConsumeRemainingBytesAsString();
  const char pageFile[] = "C:\\pages\\home.htm";
  BuiltinTexts texts;
  FuzzClock clock(std::tm{});
  std::string pages[3];
  PageSettings s;
  if (!velbrook::ReadPage(bytes, pageFile, texts, s)) return;
  for (int i = 0; i < 3; ++i) {
    ScriptedServices services;
    PageDelivery delivery(services, texts);
    velbrook::BuildPage(s, delivery.OfferCopies(s), pages[i], texts, clock);
    Check(i == 0 || services.messages.empty());
    Check(velbrook::ReadPage(pages[i], pageFile, texts, s));
  }
  Check(pages[1] == pages[2]);
}

void FuzzPaths(FuzzedDataProvider& data) {
  const std::string pageFile = Text(data);
  std::string reference = data.ConsumeRemainingBytesAsString();
  const PathParts parts = velbrook::SplitPath(reference);
  Check(parts.drive + parts.dir + parts.name + parts.ext == reference);
  Check(parts.dir.empty() || parts.dir.find_last_of("\\/") == parts.dir.size() - 1);
  Check((parts.name + parts.ext).find_first_of("\\/") == std::string::npos);
  ScriptedServices services;
  BuiltinTexts texts;
  PageDelivery delivery(services, texts);
  services.answers = {velbrook::kIdYes};
  reference = delivery.OfferCopyToPageDir(pageFile, reference);
  Check(reference == parts.name + parts.ext);
  Check(services.copies.size() <= 1);
}

void FuzzLinkEntry(FuzzedDataProvider& data) {
  const std::string entry = data.ConsumeRemainingBytesAsString();
  std::string reference, title;
  velbrook::SplitLinkEntry(entry, reference, title);
  if (entry.find(" : ") != std::string::npos) {
    Check(velbrook::ComposeLinkEntry(reference, title) == entry);
    Check(reference.find(" : ") == std::string::npos);
  } else {
    Check(reference == entry && title.empty());
  }
}

void FuzzFormat(FuzzedDataProvider& data) {
  const std::string first = Text(data), second = Text(data);
  const std::string text = data.ConsumeRemainingBytesAsString();
  const std::string out = velbrook::FormatText(text, first, second);
  std::size_t ones = 0, twos = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '%' && (text[i + 1] == '1' || text[i + 1] == '2')) {
      (text[i + 1] == '1' ? ones : twos)++;
      ++i;
    }
  }
  Check(out.size() == text.size() - 2 * (ones + twos) + ones * first.size() + twos * second.size());
}

void FuzzDropAndImport(FuzzedDataProvider& data) {
  const std::string bytes = data.ConsumeRemainingBytesAsString();
  const std::size_t length = dravel::DropTextLength(bytes.data(), bytes.size());
  Check(length <= bytes.size() && bytes.compare(0, length, bytes, 0, length) == 0);
  Check(length == bytes.size() || bytes[length] == '\0');
  Check(std::string(bytes.data(), length).find('\0') == std::string::npos);

  char path[] = "/tmp/velbrook-fuzz-XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd < 0) return;
  Check(::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
  ::close(fd);
  // Read into either kind of process code page: never a file error, never
  // more than the limit or a zero byte, UTF-8 where the process is.
  const velbrook::CodePage& legacy = velbrook::WindowsCodePage1252();
  for (const velbrook::CodePage* process : {&legacy, &velbrook::Utf8CodePage()}) {
    const velbrook::TextImport result = velbrook::ImportTextFile(path, *process, legacy);
    Check(result.outcome != velbrook::TextImport::kFileError && result.text.find('\0') == std::string::npos);
    Check(result.text.size() <= static_cast<std::size_t>(velbrook::kMaxImportBytes));
    Check(process == &legacy || velbrook::IsUtf8(result.text));
  }
  ::unlink(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  FUZZ_TARGET(data);
  return 0;
}
