// The time of a page switch inside the program: the wizard filled, then
// Next> and <Back clicked through the wizard's own loop many times, timed
// with the performance counter around each click.
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

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main() {
  CPageApp app;
  app.m_hInstance = ::GetModuleHandleA(nullptr);
  velbrook::ModuleTexts texts(app.m_hInstance);
  velbrook::ScriptedServices services;
  NoonClock clock;
  std::vector<double> switches;
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
    velbrook::Click(wizard, IDCANCEL);
  });
  app.Run(services, texts, clock);
  std::sort(switches.begin(), switches.end());
  std::printf("page switch inside the program: median %.2f ms, 90th percentile %.2f ms (%zu switches)\n",
              switches[switches.size() / 2], switches[switches.size() * 9 / 10], switches.size());
  return 0;
}
