#include "core/Clock.h"

#include <ctime>
#include <utility>

namespace zarvic {
namespace {

ClockTime SystemNow() {
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
