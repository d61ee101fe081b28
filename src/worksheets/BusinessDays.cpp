#include "worksheets/BusinessDays.h"

namespace zarvic {

namespace {

constexpr int kSunday = 0;
constexpr int kMonday = 1;
constexpr int kFriday = 5;
constexpr int kSaturday = 6;
constexpr int kFirstEmancipationDayYear = 2007;

}  // namespace

bool IsDcEmancipationDay(DayNumber d) {
  if (!IsDate(d) || MonthOf(d) != 4 || YearOf(d) + 1900 < kFirstEmancipationDayYear) return false;
  const int day = DayOf(d);
  const int weekday = DayOfWeek(d);
  if (day == 16) return weekday != kSaturday && weekday != kSunday;
  if (day == 15) return weekday == kFriday;  // April 16 is a Saturday
  if (day == 17) return weekday == kMonday;  // April 16 is a Sunday
  return false;
}

bool IsTaxBusinessDay(DayNumber d) {
  return IsBusinessDay(d) && !IsDcEmancipationDay(d);
}

DayNumber LastTimelyDay(DayNumber due) {
  DayNumber d = due;
  while (IsDate(d) && !IsTaxBusinessDay(d)) d = AddDays(d, 1);
  return d;
}

}  // namespace zarvic
