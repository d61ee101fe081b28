#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvic {

// Days since January 1, 1954 (day 0, a Friday), in 16 bits as the file formats store them.
using DayNumber = std::uint16_t;
inline constexpr DayNumber NO_DATE = 0xFFFF;
// Never produced, but every test for "set" treats it as unset too.
inline constexpr DayNumber NO_DATE_ALT = 0xFFFE;

// Years in these operations are offsets from 1900 (54 = 1954, 100 = 2000); an offset below 54
// means 2000 plus the offset. MakeDate and DaysInMonth also take full years above 1900.
DayNumber MakeDate(int month, int day, int year);
// Inline: every walk over events and table lines asks it.
inline bool IsDate(DayNumber d) {
  return d != NO_DATE && d != NO_DATE_ALT;
}
// The last day of the calendar: 12-31-2099, the last date typed text can give. A stored date after it
// comes from a damaged file.
inline constexpr DayNumber kLastCalendarDay = 53325;
int YearOf(DayNumber d);
int MonthOf(DayNumber d);
int DayOf(DayNumber d);
int DaysInMonth(int month, int year);
bool IsLastDayOfMonth(DayNumber d);

DayNumber Today();  // through the injectable clock of Clock.h

DayNumber AddDays(DayNumber d, int n);
DayNumber AddMonths(DayNumber d, int n);
// AddMonths(anchor, n) for one anchor and many n: the monthly penalty walks step hundreds of months
// from one day, and splitting it into year, month and day once is enough.
class MonthSteps {
 public:
  explicit MonthSteps(DayNumber anchor);
  DayNumber At(int n) const;

 private:
  DayNumber anchor_;
  int year_ = 0;  // offset
  int month_ = 0;
  int day_ = 0;
};
int MonthsBetween(DayNumber from, DayNumber to);
void MonthsAndDays(DayNumber from, DayNumber to, int& months, int& days);
void EndOfMonth(DayNumber& d);

// 0 = Sunday to 6 = Saturday; -1 for an unset date.
int DayOfWeek(DayNumber d);
// A legal public holiday of 5 U.S.C. 6103(a), each from the year it came into force, on its date or on
// the day it is observed: the Friday before one that falls on a Saturday, the Monday after one that
// falls on a Sunday.
bool IsLegalHoliday(DayNumber d);
// Neither a Saturday, a Sunday nor a legal holiday.
bool IsBusinessDay(DayNumber d);
// The n-th business day after d (n >= 0; d itself for 0). An unset date stays unset.
DayNumber AddBusinessDays(DayNumber d, int n);

// Returns NO_DATE and ok = false on any failure.
DayNumber ParseDate(std::string_view text, bool& ok);
inline DayNumber ParseDate(std::string_view text) {
  bool ok = false;
  return ParseDate(text, ok);
}
std::string FormatDate(DayNumber d, bool showCentury);
// FormatDate with the "Show Century in Dates" option.
std::string FormatDate(DayNumber d);

}  // namespace zarvic
