// The time of a page switch inside the program: the wizard filled, then
// Next> and <Back clicked through the wizard's own loop many times, timed
// with the performance counter around each click. Then Preview on the last
// page, timed from the press to the call that hands the file to the shell.
// The first argument names the machine's state in the printed lines.
#include <windows.h>

#include <algorithm>
#include <cstdio>
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
    for (int page = 0; page < 9; ++page) velbrook::Click(wizard, IDC_WIZARD_NEXT);  // every page made once
    velbrook::Click(velbrook::CurrentPage(wizard), IDC_CLIPBOARD);  // leaving asks nothing
    for (int i = 0; i < 200; ++i) {
      LARGE_INTEGER start, end;
      ::QueryPerformanceCounter(&start);
      velbrook::Click(wizard, i % 2 ? IDC_WIZARD_NEXT : IDC_WIZARD_BACK);
      ::UpdateWindow(wizard);
      ::QueryPerformanceCounter(&end);
      switches.push_back(Milliseconds(start, end));
    }
    for (int i = 0; i < 50; ++i) {
      LARGE_INTEGER start;
      ::QueryPerformanceCounter(&start);
      velbrook::Click(velbrook::CurrentPage(wizard), IDC_PREVIEW);
      previews.push_back(Milliseconds(start, services.opened));
    }
    velbrook::Click(wizard, IDCANCEL);
  });
  app.Run(services, texts, clock);
  if (switches.empty() || previews.empty()) return 1;
  PrintFigure("page switch inside the program", state, switches);
  PrintFigure("Preview, from the press to the shell's open call", state, previews);
  return 0;
}
