#pragma once

#include <functional>

namespace zarvic {

struct CalendarDay {
  int year;   // full year, e.g. 2026
  int month;  // 1-12
  int day;    // 1-31
};
struct ClockTime {
  CalendarDay date;
  int hour;
  int minute;
  int second;
};

// The core never reads the system clock directly: tests fix the time through SetClock, and a run of
// the program through ZARVIC_TODAY=YYYY-MM-DD (for tests only).
using ClockSource = std::function<ClockTime()>;
ClockTime Now();
void SetClock(ClockSource source);  // an empty source restores the system clock

}  // namespace zarvic
