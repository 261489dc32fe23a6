// Page building and reading at the largest record the pages allow, beside a
// plain copy of the same number of bytes, to show that the cost grows with
// the output.
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/delivery.h"
#include "core/html_writer.h"
#include "core/page_reader.h"

namespace velbrook {
namespace {

class NullServices : public Services {
 public:
  int ShowMessage(const std::string&, unsigned, int) override { return kIdNo; }
  bool CopyFileReplacing(const std::string&, const std::string&) override { return true; }
  bool WriteFileReplacing(const std::string&, const std::string&) override { return true; }
  bool AnotherFileAt(const std::string&, const std::string&) override { return false; }
  bool PutTextOnClipboard(const std::string&) override { return true; }
  bool ChooseFile(const FileDialogRequest&, std::string&) override { return false; }
  bool PickColor(COLORREF, COLORREF&) override { return false; }
  std::string CurrentDirectory() override { return std::string(); }
  bool ChangeDirectory(const std::string&) override { return true; }
  void ShowHelp(int) override {}
  void CloseHelp() override {}

  std::string TempFolder() override { return std::string(); }
  bool OpenWithShell(const std::string&) override { return true; }
  void RunTransfer(const std::string&, const std::function<void(HttpsLink&)>&) override {}
  RememberedSite RecallSite() override { return RememberedSite(); }
  bool RememberSite(const RememberedSite&) override { return true; }
  std::string Sha1Hex(const std::string&) override { return std::string(); }
};

class NoonClock : public Clock {
 public:
  std::tm Now() const override {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mday = 1;
    t.tm_hour = 12;
    return t;
  }
};

// Every option on; `scale` 1.0 is the largest record, smaller values shrink
// the text and the lists to show how the cost grows.
PageSettings LargestRecord(double scale) {
  PageSettings s;
  s.title = {std::string(30, 't'), std::string(60, 'h'), std::string(80, 's'), TRUE, TRUE, TRUE};
  s.background = {std::string(260, 'b'), std::string(260, 'm'), 0x123456, TRUE, TRUE, TRUE};
  s.color = {1, TRUE, 2, TRUE, 3, TRUE};
  s.picture = {TRUE, TRUE, TRUE, std::string(260, 'p')};
  s.text.m_strText = std::string(static_cast<std::size_t>(65536 * scale), 'x');
  const int entries = static_cast<int>(1000 * scale);
  s.items.m_arrItems.assign(entries, std::string(255, 'i'));
  s.items.m_nItems = entries;
  s.items.m_strListTitle = std::string(132, 'l');
  s.links.m_arrLinks.assign(entries, std::string(260, 'r') + " : " + std::string(35, 'n'));
  s.links.m_nLinks = entries;
  s.links.m_bFavorites = TRUE;
  s.footer = {TRUE, TRUE, std::string(255, 'e'), 1};
  return s;
}

// The page of `settings`, built once.
std::string PageOf(const PageSettings& settings) {
  BuiltinTexts texts;
  NullServices services;
  NoonClock clock;
  PageDelivery delivery(services, texts);
  std::string page;
  BuildPage(settings, delivery.OfferCopies(settings), page, texts, clock);
  return page;
}

std::string LargestPage(double scale) { return PageOf(LargestRecord(scale)); }

void BM_BuildPage(benchmark::State& state) {
  const double scale = state.range(0) / 100.0;
  const PageSettings settings = LargestRecord(scale);
  BuiltinTexts texts;
  NullServices services;
  NoonClock clock;
  std::size_t bytes = 0;
  for (auto _ : state) {
    PageDelivery delivery(services, texts);
    std::string page;
    BuildPage(settings, delivery.OfferCopies(settings), page, texts, clock);
    bytes = page.size();
    benchmark::DoNotOptimize(page.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["page_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BuildPage)->Arg(25)->Arg(50)->Arg(100);

// Reading the same pages back into a record, as the wizard does when it is
// started with a page.
void BM_ReadPage(benchmark::State& state) {
  const std::string page = LargestPage(state.range(0) / 100.0);
  BuiltinTexts texts;
  for (auto _ : state) {
    PageSettings read;
    if (!ReadPage(page, "C:\\pages\\home.htm", texts, read)) state.SkipWithError("the page did not read");
    benchmark::DoNotOptimize(read.text.m_strText.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
  state.counters["page_bytes"] = static_cast<double>(page.size());
}
BENCHMARK(BM_ReadPage)->Arg(25)->Arg(50)->Arg(100);

// Pages of the largest size the reader takes, each one field filled with
// one piece over and over: the shapes that would cost the reader the square
// of the size if any pass went back over what it had read. Each must open,
// or be refused, within a second.
const struct {
  const char* name;
  const char* marker;  // the field's value in the record, replaced by the fill
  const char* piece;
} kHostileShapes[] = {
    {"ALT text all &quot;", "@ALT@", "&quot;"},
    {"text all references", "@TEXT@", "&#8364;"},
    {"text all item lines", "@TEXT@", "\r\n<LI>item"},
    {"text all link lines", "@TEXT@", "\r\n<LI><A HREF=\"a\">a</A>"},
    {"text all quotes and line ends", "@TEXT@", "\"\r\n"},
    {"background name all quotes", "@BACKGROUND@", "\""},
};

std::string HostilePage(const char* marker, const std::string& piece) {
  PageSettings s = LargestRecord(0.01);
  s.picture.m_strDescription = "@ALT@";
  s.text.m_strText = "@TEXT@";
  s.background.m_strBitmapFile = "@BACKGROUND@";
  std::string page = PageOf(s);
  const std::size_t at = page.find(marker);
  const std::size_t room = kMaxPageBytes - (page.size() - std::strlen(marker));
  std::string fill;
  fill.reserve(room);
  while (fill.size() + piece.size() <= room) fill += piece;
  return page.replace(at, std::strlen(marker), fill);
}

void BM_ReadHostilePage(benchmark::State& state) {
  const auto& shape = kHostileShapes[state.range(0)];
  state.SetLabel(shape.name);
  const std::string page = HostilePage(shape.marker, shape.piece);
  BuiltinTexts texts;
  bool read = false;
  for (auto _ : state) {
    PageSettings settings;
    read = ReadPage(page, "C:\\pages\\home.htm", texts, settings);
    benchmark::DoNotOptimize(settings.text.m_strText.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
  state.counters["page_bytes"] = static_cast<double>(page.size());
  state.counters["opens"] = read;
}
BENCHMARK(BM_ReadHostilePage)->DenseRange(0, sizeof kHostileShapes / sizeof kHostileShapes[0] - 1)
    ->Unit(benchmark::kMillisecond);

// The same number of bytes as the largest page, copied once into a new text.
void BM_PlainCopy(benchmark::State& state) {
  const std::string page = LargestPage(1.0);
  for (auto _ : state) {
    std::string copy(page.size(), '\0');
    std::memcpy(&copy[0], page.data(), page.size());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_PlainCopy);

}  // namespace
}  // namespace velbrook

BENCHMARK_MAIN();
