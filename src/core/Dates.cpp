#include "core/Dates.h"

#include <cstdio>

#include "core/AppOptions.h"
#include "core/Clock.h"

namespace zarvic {
namespace {

constexpr int kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Year offsets below 54 mean 2000 and later; full years above 1900 are reduced to offsets.
int NormalizeYear(int year) {
  if (year > 1900) year -= 1900;
  if (year < 54) year += 100;
  return year;
}

bool IsLeap(int yearOffset) {
  return yearOffset % 4 == 0;
}

int MonthLength(int month, int yearOffset) {
  return month == 2 && IsLeap(yearOffset) ? 29 : kMonthLength[month - 1];
}

// Days of a year before each month (and the year's length at 12), by leap year: the penalty walks
// split and build dates month by month, many thousands of times in one computation.
constexpr int kDaysBeforeMonth[2][13] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
                                         {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};

// Days from 01-01-1954 to January 1 of the year offset (>= 54). Every fourth year is a leap year.
long DaysBeforeYear(int yearOffset) {
  return 365L * (yearOffset - 54) + (yearOffset - 1) / 4 - 13;
}

struct Ymd {
  int year;  // offset
  int month;
  int day;
};

Ymd Split(DayNumber d) {
  long n = d;
  int year = 54 + static_cast<int>(n / 366);
  while (DaysBeforeYear(year + 1) <= n) ++year;
  const long rest = n - DaysBeforeYear(year);
  const int* before = kDaysBeforeMonth[IsLeap(year) ? 1 : 0];
  // No month is longer than 31 days, so the month is at least this one.
  int month = static_cast<int>(rest / 31) + 1;
  while (month < 12 && rest >= before[month]) ++month;
  return {year, month, static_cast<int>(rest - before[month - 1]) + 1};
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsSeparator(char c) {
  return c == '-' || c == '/' || c == ' ';
}

}  // namespace

DayNumber MakeDate(int month, int day, int year) {
  year = NormalizeYear(year);
  if (month < 1 || month > 12 || day < 1 || day > MonthLength(month, year)) return NO_DATE;
  const long n = DaysBeforeYear(year) + kDaysBeforeMonth[IsLeap(year) ? 1 : 0][month - 1];
  return static_cast<DayNumber>(n + day - 1);
}

int YearOf(DayNumber d) {
  return IsDate(d) ? Split(d).year : -1;
}
int MonthOf(DayNumber d) {
  return IsDate(d) ? Split(d).month : -1;
}
int DayOf(DayNumber d) {
  return IsDate(d) ? Split(d).day : -1;
}

int DaysInMonth(int month, int year) {
  if (month < 1 || month > 12) return 0;
  return MonthLength(month, NormalizeYear(year));
}

bool IsLastDayOfMonth(DayNumber d) {
  if (!IsDate(d)) return false;
  Ymd t = Split(d);
  return t.day == MonthLength(t.month, t.year);
}

DayNumber Today() {
  ClockTime now = Now();
  return MakeDate(now.date.month, now.date.day, now.date.year);
}

DayNumber AddDays(DayNumber d, int n) {
  if (!IsDate(d)) return d;
  return static_cast<DayNumber>(d + n);
}

namespace {

DayNumber AddMonthsTo(const Ymd& t, int n) {
  int year = t.year;
  int month = t.month + n;
  if (month > 12) {
    year += (month - 13) / 12 + 1;
    month = (month - 13) % 12 + 1;
  }
  if (month <= 0) {
    // Only one year is borrowed: a step further back than that gives no date.
    if (year > 54) --year;
    month += 12;
  }
  if (month < 1) return NO_DATE;
  int day = t.day;
  int newLength = MonthLength(month, year);
  if (t.day == MonthLength(t.month, t.year) || day > newLength) day = newLength;
  return MakeDate(month, day, year);
}

}  // namespace

DayNumber AddMonths(DayNumber d, int n) {
  return IsDate(d) ? AddMonthsTo(Split(d), n) : d;
}

MonthSteps::MonthSteps(DayNumber anchor) : anchor_(anchor) {
  if (!IsDate(anchor)) return;
  const Ymd t = Split(anchor);
  year_ = t.year;
  month_ = t.month;
  day_ = t.day;
}

DayNumber MonthSteps::At(int n) const {
  return IsDate(anchor_) ? AddMonthsTo({year_, month_, day_}, n) : anchor_;
}

int MonthsBetween(DayNumber from, DayNumber to) {
  Ymd f = Split(from);
  Ymd t = Split(to);
  return (12 * t.year + t.month) - (12 * f.year + f.month);
}

void MonthsAndDays(DayNumber from, DayNumber to, int& months, int& days) {
  Ymd f = Split(from);
  Ymd t = Split(to);
  months = 12 * (t.year - f.year) + t.month - f.month;
  days = t.day - f.day;
  if (f.day == MonthLength(f.month, f.year)) {
    if (t.day == MonthLength(t.month, t.year)) {
      days = 0;
    } else {
      --months;
      days = t.day;
    }
    return;
  }
  if (days < 0) {
    DayNumber back = AddMonths(to, -1);
    Ymd b = Split(back);
    --months;
    days = MonthLength(b.month, b.year) + b.day - f.day;
  }
}

void EndOfMonth(DayNumber& d) {
  if (!IsDate(d)) return;
  Ymd t = Split(d);
  d = MakeDate(t.month, MonthLength(t.month, t.year), t.year);
}

int DayOfWeek(DayNumber d) {
  return IsDate(d) ? (d + 5) % 7 : -1;  // day 0, 01-01-1954, was a Friday
}

namespace {

constexpr int kSunday = 0;
constexpr int kMonday = 1;
constexpr int kThursday = 4;
constexpr int kFriday = 5;
constexpr int kSaturday = 6;

// The holidays with a fixed date, on that date whatever the weekday. Washington's Birthday and Memorial
// Day moved to Mondays in 1971 (Uniform Monday Holiday Act), Veterans Day for 1971 to 1977.
bool IsFixedHoliday(DayNumber d) {
  if (!IsDate(d)) return false;
  const Ymd t = Split(d);
  const int year = 1900 + t.year;
  switch (t.month * 100 + t.day) {
    case 101:   // New Year's Day
    case 704:   // Independence Day
    case 1225:  // Christmas Day
      return true;
    case 222:  // Washington's Birthday
    case 530:  // Memorial Day
      return year < 1971;
    case 619:  // Juneteenth National Independence Day
      return year >= 2021;
    case 1111:  // Veterans Day
      return year < 1971 || year > 1977;
    default:
      return false;
  }
}

// The holidays on the n-th weekday of a month, which never fall on a weekend.
bool IsWeekdayHoliday(DayNumber d) {
  const Ymd t = Split(d);
  const int year = 1900 + t.year;
  const int weekday = DayOfWeek(d);
  const int nth = (t.day - 1) / 7 + 1;  // the n-th such weekday of the month
  const bool last = t.day + 7 > MonthLength(t.month, t.year);
  if (weekday == kThursday) return t.month == 11 && nth == 4;  // Thanksgiving Day
  if (weekday != kMonday) return false;
  switch (t.month) {
    case 1:  // Birthday of Martin Luther King, Jr.
      return nth == 3 && year >= 1986;
    case 2:  // Washington's Birthday
      return nth == 3 && year >= 1971;
    case 5:  // Memorial Day
      return last && year >= 1971;
    case 9:  // Labor Day
      return nth == 1;
    case 10:  // Columbus Day; Veterans Day 1971 to 1977
      return (nth == 2 && year >= 1971) || (nth == 4 && year >= 1971 && year <= 1977);
    default:
      return false;
  }
}

}  // namespace

bool IsLegalHoliday(DayNumber d) {
  if (!IsDate(d)) return false;
  if (IsFixedHoliday(d) || IsWeekdayHoliday(d)) return true;
  const int weekday = DayOfWeek(d);
  return (weekday == kFriday && IsFixedHoliday(AddDays(d, 1))) ||
         (weekday == kMonday && d > 0 && IsFixedHoliday(AddDays(d, -1)));
}

bool IsBusinessDay(DayNumber d) {
  const int weekday = DayOfWeek(d);
  return weekday != kSaturday && weekday != kSunday && weekday >= 0 && !IsLegalHoliday(d);
}

DayNumber AddBusinessDays(DayNumber d, int n) {
  for (int i = 0; i < n && IsDate(d); ++i) {
    do {
      d = AddDays(d, 1);
    } while (IsDate(d) && !IsBusinessDay(d));
  }
  return d;
}

DayNumber ParseDate(std::string_view text, bool& ok) {
  ok = false;
  size_t i = 0;
  auto readOneOrTwo = [&](int& value) {
    if (i >= text.size() || !IsDigit(text[i])) return false;
    value = text[i++] - '0';
    if (i < text.size() && IsDigit(text[i])) value = value * 10 + (text[i++] - '0');
    return true;
  };
  auto skipSeparator = [&] {
    if (i < text.size() && IsSeparator(text[i])) ++i;
  };

  int month = 0;
  size_t monthStart = i;
  if (!readOneOrTwo(month) || (i - monthStart == 2 && month > 12)) return NO_DATE;
  skipSeparator();
  int day = 0;
  size_t dayStart = i;
  if (!readOneOrTwo(day) || (i - dayStart == 2 && day > 31)) return NO_DATE;
  skipSeparator();

  size_t yearStart = i;
  int year = 0;
  while (i < text.size() && IsDigit(text[i])) {
    if (i - yearStart < 4) year = year * 10 + (text[i] - '0');
    ++i;
  }
  size_t digits = i - yearStart;
  if (digits == 2) {
    // 54-99 are 1954-1999, 00-53 are 2000-2053 (by the year-offset rule).
  } else if (digits == 4) {
    if (year < 1900 || year > 2099) return NO_DATE;
    year -= 1900;
  } else {
    return NO_DATE;
  }
  if (i < text.size() && text[i] != '\t') return NO_DATE;

  DayNumber d = MakeDate(month, day, year);
  ok = IsDate(d);
  return d;
}

std::string FormatDate(DayNumber d, bool showCentury) {
  if (!IsDate(d)) return {};
  Ymd t = Split(d);
  char buf[16];
  if (showCentury) {
    std::snprintf(buf, sizeof buf, "%02d-%02d-%s%02d", t.month, t.day, t.year < 100 ? "19" : "20",
                  t.year % 100);
  } else {
    std::snprintf(buf, sizeof buf, "%02d-%02d-%02d", t.month, t.day, t.year % 100);
  }
  return buf;
}

std::string FormatDate(DayNumber d) {
  return FormatDate(d, Options().showCentury);
}

}  // namespace zarvic
