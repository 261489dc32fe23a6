// The clock of the tests: Monday 7 December 2026, 14:05:09, and how often
// it was read.
#ifndef VELBROOK_TESTS_NATIVE_FIXED_CLOCK_H
#define VELBROOK_TESTS_NATIVE_FIXED_CLOCK_H

#include "core/html_writer.h"

namespace velbrook {

class FixedClock : public Clock {
 public:
  std::tm Now() const override {
    ++reads;
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 7;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    t.tm_wday = 1;
    t.tm_yday = 340;
    return t;
  }
  mutable int reads = 0;
};

}  // namespace velbrook

#endif
