#include "worksheets/DepositCalendar.h"

namespace zarvic {
namespace {

constexpr int kTuesday = 2;
constexpr int kWednesday = 3;
constexpr int kFriday = 5;
constexpr int kSaturday = 6;

}  // namespace

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
  return LastTimelyDay(month == 12 ? MakeDate(1, 15, year + 1) : MakeDate(month + 1, 15, year));
}

DayNumber SemiweeklyDepositDueDate(DayNumber d) {
  return AddTaxBusinessDays(SemiweeklyPeriodEnd(d), 3);
}

DayNumber NextDayDepositDueDate(DayNumber d) {
  return AddTaxBusinessDays(d, 1);
}

DayNumber ReturnDueDate(DayNumber periodEnd) {
  if (!IsDate(periodEnd)) return periodEnd;
  DayNumber d = AddMonths(periodEnd, 1);
  EndOfMonth(d);
  return LastTimelyDay(d);
}

DayNumber SemiweeklyShortfallMakeupDate(DayNumber dueDate) {
  if (!IsDate(dueDate)) return dueDate;
  const DayNumber next = AddMonths(dueDate, 1);
  DayNumber d = MakeDate(MonthOf(next), 15, YearOf(next));
  while (DayOfWeek(d) != kWednesday && DayOfWeek(d) != kFriday) d = AddDays(d, 1);
  return LastTimelyDay(d);
}

}  // namespace zarvic
