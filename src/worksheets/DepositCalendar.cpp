#include "worksheets/DepositCalendar.h"

namespace zarvic {
namespace {

constexpr int kSunday = 0;
constexpr int kTuesday = 2;
constexpr int kWednesday = 3;
constexpr int kFriday = 5;
constexpr int kSaturday = 6;

// A holiday of the District observed as the federal ones are: on a Saturday, the Friday before; on a
// Sunday, the Monday after.
bool IsObservedOn(DayNumber d, int month, int day, int year) {
  const DayNumber date = MakeDate(month, day, year);
  switch (DayOfWeek(date)) {
    case kSaturday:
      return d == AddDays(date, -1);
    case kSunday:
      return d == AddDays(date, 1);
    default:
      return d == date;
  }
}

bool IsDistrictHoliday(DayNumber d) {
  const int year = 1900 + YearOf(d);
  const int month = MonthOf(d);
  // DC Emancipation Day, a legal holiday of the District since 2005; its observed day may be April 15.
  if (month == 4 && year >= 2005 && IsObservedOn(d, 4, 16, year)) return true;
  // Inauguration Day, January 20 of each fourth year after 1965, a legal holiday in the District
  // (5 U.S.C. 6103(c)); it moves only off a Sunday.
  if (month == 1 && year > 1965 && (year - 1965) % 4 == 0) {
    const DayNumber inauguration = MakeDate(1, 20, year);
    return d == (DayOfWeek(inauguration) == kSunday ? AddDays(inauguration, 1) : inauguration);
  }
  return false;
}

}  // namespace

bool IsDepositHoliday(DayNumber d) {
  if (!IsDate(d)) return false;
  return IsLegalHoliday(d) || IsDistrictHoliday(d);
}

bool IsDepositBusinessDay(DayNumber d) {
  const int weekday = DayOfWeek(d);
  return weekday > kSunday && weekday < kSaturday && !IsDepositHoliday(d);
}

DayNumber OnOrNextDepositBusinessDay(DayNumber d) {
  while (IsDate(d) && !IsDepositBusinessDay(d)) d = AddDays(d, 1);
  return d;
}

DayNumber AddDepositBusinessDays(DayNumber d, int n) {
  for (int i = 0; i < n && IsDate(d); ++i) d = OnOrNextDepositBusinessDay(AddDays(d, 1));
  return d;
}

DayNumber SemiweeklyPeriodEnd(DayNumber d) {
  if (!IsDate(d)) return d;
  const int weekday = DayOfWeek(d);
  // Saturday to Tuesday ends on the Tuesday, Wednesday to Friday on the Friday.
  const int end = weekday == kSaturday || weekday <= kTuesday ? kTuesday : kFriday;
  return AddDays(d, (end - weekday + 7) % 7);
}

DayNumber MonthlyDepositDueDate(DayNumber d) {
  if (!IsDate(d)) return d;
  const int month = MonthOf(d);
  const int year = YearOf(d);
  return OnOrNextDepositBusinessDay(month == 12 ? MakeDate(1, 15, year + 1) : MakeDate(month + 1, 15, year));
}

DayNumber SemiweeklyDepositDueDate(DayNumber d) {
  return AddDepositBusinessDays(SemiweeklyPeriodEnd(d), 3);
}

DayNumber NextDayDepositDueDate(DayNumber d) {
  return AddDepositBusinessDays(d, 1);
}

DayNumber ReturnDueDate(DayNumber periodEnd) {
  if (!IsDate(periodEnd)) return periodEnd;
  DayNumber d = AddMonths(periodEnd, 1);
  EndOfMonth(d);
  return OnOrNextDepositBusinessDay(d);
}

DayNumber SemiweeklyShortfallMakeupDate(DayNumber dueDate) {
  if (!IsDate(dueDate)) return dueDate;
  const DayNumber next = AddMonths(dueDate, 1);
  DayNumber d = MakeDate(MonthOf(next), 15, YearOf(next));
  while (DayOfWeek(d) != kWednesday && DayOfWeek(d) != kFriday) d = AddDays(d, 1);
  return OnOrNextDepositBusinessDay(d);
}

}  // namespace zarvic
