#include "core/Clock.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

namespace zarvic {
namespace {

// ZARVIC_TODAY=YYYY-MM-DD fixes the date of a whole run (tests of the program itself, which cannot
// call SetClock); the time of day is then noon.
bool FixedToday(ClockTime& now) {
  const char* fixed = std::getenv("ZARVIC_TODAY");
  int year = 0, month = 0, day = 0;
  char tail = 0;
  if (!fixed || std::sscanf(fixed, "%4d-%2d-%2d%c", &year, &month, &day, &tail) != 3) return false;
  if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  now = ClockTime{{year, month, day}, 12, 0, 0};
  return true;
}

ClockTime SystemNow() {
  if (ClockTime fixed{}; FixedToday(fixed)) return fixed;
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return ClockTime{
      {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour, local.tm_min, local.tm_sec};
}

ClockSource& Source() {
  static ClockSource source;
  return source;
}

}  // namespace

ClockTime Now() {
  return Source() ? Source()() : SystemNow();
}

void SetClock(ClockSource source) {
  Source() = std::move(source);
}

}  // namespace zarvic
