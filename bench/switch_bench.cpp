// The time of a page switch inside the program: the wizard filled, then
// Next> and <Back clicked through the wizard's own loop many times, timed
// with the performance counter around each click. Then Preview on the last
// page, timed from the press to the call that hands the file to the shell.
// The first argument names the machine's state in the printed lines.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/module_texts.h"
#include "app/page_app.h"
#include "res/resource.h"
#include "tests/native/scripted_services.h"
#include "tests/win32/test_support.h"

namespace {

class NoonClock : public velbrook::Clock {
 public:
  std::tm Now() const override { return std::tm{}; }
};

// Notes when the preview is handed over; opens nothing.
class TimedOpen : public velbrook::ScriptedServices {
 public:
  bool OpenWithShell(const std::string&) override {
    ::QueryPerformanceCounter(&opened);
    return true;
  }
  LARGE_INTEGER opened = {};
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PrintFigure(const char* what, const char* state, std::vector<double>& times) {
  std::sort(times.begin(), times.end());
  std::printf("%s (%s): median %.2f ms, 90th percentile %.2f ms (%zu times)\n", what, state, times[times.size() / 2],
              times[times.size() * 9 / 10], times.size());
}

}  // namespace

int main(int argc, char** argv) {
  const char* state = argc > 1 ? argv[1] : "as the machine is";
  // A second argument "once" times each step once: the benchmark's smoke
  // test, which only shows that it still runs to the end.
  const bool once = argc > 2 && std::strcmp(argv[2], "once") == 0;
  const int switchTimes = once ? 2 : 200, previewTimes = once ? 1 : 50;
  CPageApp app;
  app.m_hInstance = ::GetModuleHandleA(nullptr);
  velbrook::ModuleTexts texts(app.m_hInstance);
  TimedOpen services;
  services.tempFolder = velbrook::TempPath("");
  NoonClock clock;
  std::vector<double> switches;
  std::vector<double> previews;
  velbrook::PostAction([&] {
    HWND wizard = ::GetActiveWindow();
    // Every page made once, up to the last, however many there are.
    while (::IsWindowEnabled(::GetDlgItem(wizard, IDC_WIZARD_NEXT))) velbrook::Click(wizard, IDC_WIZARD_NEXT);
    HWND last = velbrook::CurrentPage(wizard);
    if (!::GetDlgItem(last, IDC_CLIPBOARD) || !::GetDlgItem(last, IDC_PREVIEW)) {
      velbrook::Click(wizard, IDCANCEL);
      return;
    }
    velbrook::Click(last, IDC_CLIPBOARD);  // leaving asks nothing
    for (int i = 0; i < switchTimes; ++i) {
      LARGE_INTEGER start, end;
      ::QueryPerformanceCounter(&start);
      velbrook::Click(wizard, i % 2 ? IDC_WIZARD_NEXT : IDC_WIZARD_BACK);
      ::UpdateWindow(wizard);
      ::QueryPerformanceCounter(&end);
      switches.push_back(Milliseconds(start, end));
    }
    for (int i = 0; i < previewTimes; ++i) {
      LARGE_INTEGER start;
      ::QueryPerformanceCounter(&start);
      services.opened.QuadPart = 0;
      velbrook::Click(velbrook::CurrentPage(wizard), IDC_PREVIEW);
      if (services.opened.QuadPart == 0) break;  // no preview was handed over: no figure
      previews.push_back(Milliseconds(start, services.opened));
    }
    velbrook::Click(wizard, IDCANCEL);
  });
  app.Run(services, texts, clock);
  if (switches.size() != static_cast<std::size_t>(switchTimes) ||
      previews.size() != static_cast<std::size_t>(previewTimes)) {
    std::printf("the page switch or the preview could not be timed\n");
    return 1;
  }
  PrintFigure("page switch inside the program", state, switches);
  PrintFigure("Preview, from the press to the shell's open call", state, previews);
  return 0;
}
