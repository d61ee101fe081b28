#include "worksheets/BusinessDays.h"

namespace zarvic {

namespace {

constexpr int kSunday = 0;
constexpr int kSaturday = 6;
constexpr int kFirstEmancipationDayYear = 2007;
constexpr int kFirstInaugurationDayYear = 1969;

// April 16 moved off a weekend the way the District moves its holidays: a Saturday's to the Friday
// before, a Sunday's to the Monday after.
DayNumber ObservedEmancipationDay(int year) {
  const DayNumber april16 = MakeDate(4, 16, year);
  switch (DayOfWeek(april16)) {
    case kSaturday:
      return AddDays(april16, -1);
    case kSunday:
      return AddDays(april16, 1);
    default:
      return april16;
  }
}

}  // namespace

bool IsDcEmancipationDay(DayNumber d) {
  if (!IsDate(d) || MonthOf(d) != 4) return false;
  const int year = YearOf(d) + 1900;
  return year >= kFirstEmancipationDayYear && d == ObservedEmancipationDay(year);
}

bool IsInaugurationDay(DayNumber d) {
  if (!IsDate(d) || MonthOf(d) != 1) return false;
  const int year = YearOf(d) + 1900;
  if (year < kFirstInaugurationDayYear || (year - kFirstInaugurationDayYear) % 4 != 0) return false;
  const DayNumber january20 = MakeDate(1, 20, year);
  return d == (DayOfWeek(january20) == kSunday ? AddDays(january20, 1) : january20);
}

bool IsTaxHoliday(DayNumber d) {
  return IsDate(d) && (IsLegalHoliday(d) || IsDcEmancipationDay(d) || IsInaugurationDay(d));
}

bool IsTaxBusinessDay(DayNumber d) {
  const int weekday = DayOfWeek(d);
  return weekday != kSunday && weekday != kSaturday && !IsTaxHoliday(d);
}

DayNumber LastTimelyDay(DayNumber due) {
  DayNumber d = due;
  while (IsDate(d) && !IsTaxBusinessDay(d)) d = AddDays(d, 1);
  return d;
}

DayNumber AddTaxBusinessDays(DayNumber d, int n) {
  for (int i = 0; i < n && IsDate(d); ++i) d = LastTimelyDay(AddDays(d, 1));
  return d;
}

}  // namespace zarvic
