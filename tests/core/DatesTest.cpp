#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/AppOptions.h"
#include "core/Clock.h"
#include "core/Dates.h"

namespace zarvic {
namespace {

struct YmdCase {
  int month, day, year;
  DayNumber expected;
};

TEST(MakeDate, DayNumbersAndInvalidDates) {
  const YmdCase cases[] = {
      {1, 1, 1954, 0},        {1, 1, 54, 0},
      {1, 2, 54, 1},          {3, 1, 1956, 365 + 365 + 31 + 29},  // 1956 is a leap year
      {2, 29, 1995, NO_DATE}, {4, 31, 1995, NO_DATE},
      {2, 29, 2000, 16860},   // 2000 is a leap year
      {2, 29, 100, 16860},    // the same as a year offset
      {2, 29, 0, 16860},      // offsets below 54 mean 2000 and later
      {12, 31, 2099, 53325},  // the last date text input can produce
      {0, 1, 1995, NO_DATE},  {13, 1, 1995, NO_DATE},
      {1, 0, 1995, NO_DATE},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, MakeDate(c.month, c.day, c.year)) << c.month << "-" << c.day << "-" << c.year;
  }
}

TEST(MakeDate, SplitsBackIntoItsParts) {
  // Every day of the range splits into the month, day and year it was made from.
  for (int year = 54; year <= 199; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= DaysInMonth(month, year); ++day) {
        DayNumber d = MakeDate(month, day, year);
        ASSERT_EQ(year, YearOf(d));
        ASSERT_EQ(month, MonthOf(d));
        ASSERT_EQ(day, DayOf(d));
      }
    }
  }
  EXPECT_EQ(-1, YearOf(NO_DATE));
  EXPECT_EQ(-1, MonthOf(NO_DATE_ALT));
  EXPECT_EQ(-1, DayOf(NO_DATE));
  EXPECT_FALSE(IsDate(NO_DATE));
  EXPECT_FALSE(IsDate(NO_DATE_ALT));
  EXPECT_TRUE(IsDate(0));
}

struct ParseCase {
  const char* text;
  DayNumber expected;  // NO_DATE: must fail
};

TEST(ParseDate, TextRules) {
  const ParseCase cases[] = {
      {"2-29-00", MakeDate(2, 29, 2000)},
      {"12-31-53", MakeDate(12, 31, 2053)},
      {"01-01-54", 0},
      {"01-01-1920", MakeDate(1, 1, 2020)},  // four-digit years 1900-1953 read as offsets, so 2000-2053
      {"01-01-2100", NO_DATE},
      {"12-31-2099", kLastCalendarDay},  // the calendar's last day
      {"01-01-1899", NO_DATE},
      {"12-25-94 ", NO_DATE},  // a trailing blank fails
      {"12-25-94\tmore", MakeDate(12, 25, 1994)},
      {"122594", MakeDate(12, 25, 1994)},
      {"1/5/95", MakeDate(1, 5, 1995)},
      {"1 5 95", MakeDate(1, 5, 1995)},
      {"01-05-2003", MakeDate(1, 5, 2003)},
      {" 1/5/95", NO_DATE},  // leading blank
      {"1//5/95", NO_DATE},  // doubled separator
      {"13-01-95", NO_DATE},
      {"01-32-95", NO_DATE},
      {"02-30-96", NO_DATE},
      {"00-10-95", NO_DATE},
      {"01-00-95", NO_DATE},
      {"1-5-5", NO_DATE},    // one-digit year
      {"1-5-195", NO_DATE},  // three-digit year
      {"1-5-19955", NO_DATE},
      {"", NO_DATE},
      {"-", NO_DATE},
      {"12-25", NO_DATE},
      {"ab-cd-ef", NO_DATE},
  };
  for (const auto& c : cases) {
    bool ok = true;
    EXPECT_EQ(c.expected, ParseDate(c.text, ok)) << '"' << c.text << '"';
    EXPECT_EQ(c.expected != NO_DATE, ok) << '"' << c.text << '"';
  }
}

TEST(ParseDate, NeverReadsPastItsInput) {
  // Run under the sanitizers: random, empty and huge texts, each in a buffer of exactly its size.
  std::mt19937 rng(12345);
  const std::string alphabet = "0123456789-/ \t.x";
  for (int n = 0; n < 20000; ++n) {
    std::string text(static_cast<size_t>(rng() % 14), ' ');
    for (char& c : text) c = alphabet[rng() % alphabet.size()];
    bool ok = false;
    DayNumber d = ParseDate(std::string_view(text), ok);
    EXPECT_EQ(ok, IsDate(d));
  }
  std::string huge(1 << 20, '1');
  EXPECT_EQ(NO_DATE, ParseDate(huge));
}

TEST(FormatDate, TwoAndFourDigitYears) {
  EXPECT_EQ("", FormatDate(NO_DATE, false));
  EXPECT_EQ("", FormatDate(NO_DATE_ALT, true));
  EXPECT_EQ("01-05-03", FormatDate(MakeDate(1, 5, 2003), false));
  EXPECT_EQ("01-05-2003", FormatDate(MakeDate(1, 5, 2003), true));
  EXPECT_EQ("12-31-1999", FormatDate(MakeDate(12, 31, 1999), true));
  EXPECT_EQ("01-01-54", FormatDate(0, false));

  AppOptions saved = Options();
  Options().showCentury = true;
  EXPECT_EQ("07-04-1976", FormatDate(MakeDate(7, 4, 1976)));
  Options() = saved;
}

struct StepCase {
  const char* from;
  int months;
  const char* expected;  // "" for NO_DATE
};

TEST(AddMonths, CalendarStepsAndMonthEnds) {
  const StepCase cases[] = {
      {"01-31-95", 1, "02-28-95"},  {"02-29-96", 12, "02-28-97"},  {"02-28-95", 12, "02-29-96"},
      {"04-30-95", 1, "05-31-95"},  {"01-15-95", -12, "01-15-94"}, {"01-15-95", -13, ""},
      {"03-15-95", -15, ""},        {"03-15-95", -3, "12-15-94"},  {"11-30-95", 3, "02-29-96"},
      {"12-15-95", 1, "01-15-96"},  {"12-15-95", 13, "01-15-97"},  {"01-15-95", 24, "01-15-97"},
      {"03-31-95", -1, "02-28-95"}, {"01-29-95", 1, "02-28-95"},   {"01-15-95", 0, "01-15-95"},
  };
  for (const auto& c : cases) {
    DayNumber from = ParseDate(c.from);
    EXPECT_EQ(std::string(c.expected), FormatDate(AddMonths(from, c.months), false))
        << c.from << " " << c.months;
  }
  EXPECT_EQ(NO_DATE, AddMonths(NO_DATE, 1));
}

TEST(MonthSteps, GivesWhatAddMonthsGives) {
  // Month ends, leap days and a day that later months lack, over forty years either way.
  for (const char* anchor :
       {"01-31-95", "02-29-96", "02-28-95", "04-30-95", "01-29-95", "12-15-54", "06-15-49"}) {
    const DayNumber from = ParseDate(anchor);
    const MonthSteps steps(from);
    for (int n = -13; n <= 480; ++n) ASSERT_EQ(AddMonths(from, n), steps.At(n)) << anchor << " " << n;
  }
  EXPECT_EQ(NO_DATE, MonthSteps(NO_DATE).At(3));
  EXPECT_EQ(NO_DATE_ALT, MonthSteps(NO_DATE_ALT).At(3));
}

TEST(AddDays, StepsAndLeavesUnsetDates) {
  EXPECT_EQ(NO_DATE, AddDays(NO_DATE, 5));
  EXPECT_EQ(NO_DATE_ALT, AddDays(NO_DATE_ALT, 5));
  EXPECT_EQ(ParseDate("03-01-96"), AddDays(ParseDate("02-28-96"), 2));
  EXPECT_EQ(ParseDate("02-28-96"), AddDays(ParseDate("03-01-96"), -2));
}

struct SpanCase {
  const char* from;
  const char* to;
  int months, days;
};

TEST(MonthsAndDays, WholeMonthsAndRemainingDays) {
  const SpanCase cases[] = {
      {"01-20-95", "03-10-95", 1, 18}, {"01-31-95", "03-10-95", 1, 10}, {"04-30-95", "05-31-95", 1, 0},
      {"01-15-95", "01-15-95", 0, 0},  {"01-15-95", "02-15-95", 1, 0},  {"01-15-95", "02-14-95", 0, 30},
      {"02-28-95", "03-31-95", 1, 0},  {"01-31-96", "02-29-96", 1, 0},  {"12-20-95", "01-10-96", 0, 21},
      {"04-15-95", "06-15-96", 14, 0},
  };
  for (const auto& c : cases) {
    int months = -1, days = -1;
    MonthsAndDays(ParseDate(c.from), ParseDate(c.to), months, days);
    EXPECT_EQ(c.months, months) << c.from << " to " << c.to;
    EXPECT_EQ(c.days, days) << c.from << " to " << c.to;
  }
  EXPECT_EQ(2, MonthsBetween(ParseDate("01-31-95"), ParseDate("03-01-95")));
  EXPECT_EQ(13, MonthsBetween(ParseDate("12-31-94"), ParseDate("01-01-96")));
  EXPECT_EQ(0, MonthsBetween(ParseDate("01-01-95"), ParseDate("01-31-95")));
}

TEST(Calendar, MonthLengthsAndEndOfMonth) {
  EXPECT_EQ(29, DaysInMonth(2, 2000));
  EXPECT_EQ(29, DaysInMonth(2, 100));
  EXPECT_EQ(28, DaysInMonth(2, 95));
  EXPECT_EQ(31, DaysInMonth(12, 1995));
  DayNumber d = ParseDate("02-10-96");
  EndOfMonth(d);
  EXPECT_EQ(ParseDate("02-29-96"), d);
  DayNumber unset = NO_DATE;
  EndOfMonth(unset);
  EXPECT_EQ(NO_DATE, unset);
  EXPECT_TRUE(IsLastDayOfMonth(ParseDate("04-30-95")));
  EXPECT_FALSE(IsLastDayOfMonth(ParseDate("02-28-96")));
}

TEST(DayOfWeek, CountsFromAFriday) {
  EXPECT_EQ(5, DayOfWeek(0));  // 01-01-1954
  EXPECT_EQ(3, DayOfWeek(ParseDate("06-07-2023")));
  EXPECT_EQ(0, DayOfWeek(ParseDate("02-29-2032")));
  EXPECT_EQ(-1, DayOfWeek(NO_DATE));
}

struct HolidayCase {
  const char* date;
  bool holiday;
};

// Observed legal holidays as the federal calendars list them, and the days the rules must not take.
TEST(IsLegalHoliday, HolidaysFromTheYearTheyCameIntoForce) {
  const HolidayCase cases[] = {
      {"01-02-2023", true},   // New Year's Day on a Sunday: the Monday after
      {"01-01-2023", true},   // ... the day itself is a holiday too (and a weekend day)
      {"12-31-2021", true},   // New Year's Day 2022 on a Saturday: Friday of the year before
      {"01-16-2023", true},   // Martin Luther King, Jr., third Monday in January
      {"01-20-1986", true},   //   from 1986
      {"01-21-1985", false},  //   not before
      {"02-20-2023", true},   // Washington's Birthday, third Monday in February from 1971
      {"02-15-1971", true},   //   its first year on a Monday
      {"02-23-1970", true},   //   before, February 22 (a Sunday in 1970)
      {"02-16-1970", false},  //   not the Monday before 1971
      {"05-29-2023", true},   // Memorial Day, last Monday in May from 1971
      {"05-22-2023", false},  //   not the Monday before the last
      {"05-30-1968", true},   //   before, May 30
      {"06-19-2023", true},   // Juneteenth from 2021
      {"06-18-2021", true},   //   its first year, on a Saturday: the Friday before
      {"06-19-2020", false},  //   not before
      {"07-04-2023", true},   // Independence Day
      {"07-05-2021", true},   //   on a Sunday in 2021: the Monday after
      {"09-04-2023", true},   // Labor Day, first Monday in September
      {"10-09-2023", true},   // Columbus Day, second Monday in October from 1971
      {"10-12-1970", false},  //   not before
      {"11-10-2023", true},   // Veterans Day on a Saturday: the Friday before
      {"10-27-1975", true},   //   fourth Monday in October 1971 to 1977
      {"11-11-1975", false},  //   not November 11 then
      {"11-10-1978", true},   //   November 11 again from 1978 (a Saturday that year)
      {"11-23-2023", true},   // Thanksgiving Day, fourth Thursday in November
      {"11-30-2023", false},  //   not the fifth
      {"12-25-2023", true},   // Christmas Day
      {"12-26-2022", true},   //   on a Sunday in 2022
      {"04-17-2023", false},  // the District's Emancipation Day is not a legal public holiday
      {"06-20-2023", false},  // an ordinary Tuesday
      {"12-29-2023", false},  // a Friday before a Monday holiday
  };
  for (const auto& c : cases) EXPECT_EQ(c.holiday, IsLegalHoliday(ParseDate(c.date))) << c.date;
  EXPECT_FALSE(IsLegalHoliday(NO_DATE));
}

struct BusinessDayCase {
  const char* from;
  int days;
  const char* expected;
};

TEST(AddBusinessDays, SkipsWeekendsAndHolidays) {
  const BusinessDayCase cases[] = {
      {"03-01-2023", 10, "03-15-2023"},  // no holiday inside: two weeks
      {"08-30-2023", 10, "09-14-2023"},  // Labor Day inside
      {"06-07-2023", 10, "06-22-2023"},  // Juneteenth inside
      {"05-13-2019", 10, "05-28-2019"},  // Memorial Day inside
      {"12-20-2022", 10, "01-05-2023"},  // Christmas and New Year's Day observed on Mondays
      {"06-10-2023", 1, "06-12-2023"},   // from a Saturday
      {"06-16-2023", 1, "06-20-2023"},   // over a weekend and a Monday holiday
      {"06-17-2023", 0, "06-17-2023"},   // no days: the day itself
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::string(c.expected), FormatDate(AddBusinessDays(ParseDate(c.from), c.days), true))
        << c.from << " + " << c.days;
  }
  EXPECT_EQ(NO_DATE, AddBusinessDays(NO_DATE, 10));
  EXPECT_TRUE(IsBusinessDay(ParseDate("06-20-2023")));
  EXPECT_FALSE(IsBusinessDay(ParseDate("06-19-2023")));
  EXPECT_FALSE(IsBusinessDay(ParseDate("06-17-2023")));
}

TEST(Today, ComesFromTheInjectedClock) {
  SetClock([] { return ClockTime{{2026, 12, 10}, 9, 30, 0}; });
  EXPECT_EQ(MakeDate(12, 10, 2026), Today());
  SetClock(nullptr);
  EXPECT_TRUE(IsDate(Today()));
}

}  // namespace
}  // namespace zarvic
