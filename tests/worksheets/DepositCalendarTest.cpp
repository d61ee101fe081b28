#include <gtest/gtest.h>

#include <string>

#include "DepositPenaltyTestSupport.h"
#include "worksheets/DepositCalendar.h"

namespace zarvic {
namespace {

using deposit_testing::D;
using deposit_testing::Text;

TEST(DepositCalendar, SemiweeklyPeriodEnds) {
  struct Case {
    const char* day;
    const char* end;
  };
  const Case cases[] = {
      {"03-01-2025", "03-04-2025"},  // Saturday to Tuesday
      {"03-02-2025", "03-04-2025"}, {"03-03-2025", "03-04-2025"},
      {"03-04-2025", "03-04-2025"}, {"03-05-2025", "03-07-2025"},  // Wednesday to Friday
      {"03-06-2025", "03-07-2025"}, {"03-07-2025", "03-07-2025"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.end, Text(SemiweeklyPeriodEnd(D(c.day)))) << c.day;
}

// Treas. Reg. 31.6302-1(c)(1): the 15th of the next month, moved off weekends and holidays (IRC 7503).
TEST(DepositCalendar, MonthlyDueDates) {
  struct Case {
    const char* liability;
    const char* due;
  };
  const Case cases[] = {
      {"03-07-2025", "04-15-2025"},  // Publication 15 (2025), Spruce Co.: March paydays by April 15
      {"12-31-2025", "01-15-2026"},  // into the next year
      {"01-10-2025", "02-18-2025"},  // February 15 a Saturday and Monday the 17th Washington's Birthday
      {"05-30-2025", "06-16-2025"},  // June 15 a Sunday
      {"03-01-2025", "04-15-2025"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.due, Text(MonthlyDepositDueDate(D(c.liability)))) << c.liability;
}

// Treas. Reg. 31.6302-1(c)(2): Wednesday to Friday paydays by the next Wednesday, Saturday to Tuesday
// by the next Friday, with at least three business days after the semiweekly period.
TEST(DepositCalendar, SemiweeklyDueDates) {
  struct Case {
    const char* payday;
    const char* due;
  };
  const Case cases[] = {
      {"05-30-2025", "06-04-2025"},  // Publication 15 (2025), Green, Inc.: Friday May 30 by Wednesday June 4
      {"03-29-2025", "04-04-2025"},  // Publication 15 (2025): Saturday March 29 and Tuesday April 1 ...
      {"04-01-2025", "04-04-2025"},  // ... both by Friday April 4, though in different quarters
      {"08-29-2025", "09-04-2025"},  // Friday payday, Labor Day Monday: Thursday (three business days)
      {"11-25-2025", "12-01-2025"},  // Tuesday payday, Thanksgiving Thursday: the Monday after
      {"12-18-2024", "12-26-2024"},  // due on Christmas Day: the day after
      {"04-11-2025", "04-17-2025"},  // due on DC Emancipation Day: the day after
      {"03-02-2025", "03-07-2025"},  // a Sunday payday
  };
  for (const Case& c : cases) EXPECT_EQ(c.due, Text(SemiweeklyDepositDueDate(D(c.payday)))) << c.payday;
}

// Treas. Reg. 31.6302-1(c)(3): the next business day.
TEST(DepositCalendar, NextDayDueDates) {
  EXPECT_EQ("03-04-2025", Text(NextDayDepositDueDate(D("03-03-2025"))));
  EXPECT_EQ("09-02-2025", Text(NextDayDepositDueDate(D("08-29-2025"))));  // over Labor Day
  EXPECT_EQ("05-12-2025", Text(NextDayDepositDueDate(D("05-09-2025"))));  // Publication 15 (2025), Elm, Inc.
}

// Publication 15 (2025), "Accuracy of Deposits Rule": a semiweekly shortfall of July 2025 is made up by
// Friday August 15; one of the deposit due Wednesday October 1 by Wednesday November 19, but the
// return for the third quarter is due first, on October 31.
TEST(DepositCalendar, ShortfallMakeupAndReturnDueDates) {
  EXPECT_EQ("08-15-2025", Text(SemiweeklyShortfallMakeupDate(D("07-16-2025"))));
  EXPECT_EQ("11-19-2025", Text(SemiweeklyShortfallMakeupDate(D("10-01-2025"))));
  EXPECT_EQ("10-31-2025", Text(ReturnDueDate(D("09-30-2025"))));
  EXPECT_EQ("02-02-2026", Text(ReturnDueDate(D("12-31-2025"))));  // January 31, 2026 is a Saturday
  EXPECT_EQ("06-17-2026", Text(SemiweeklyShortfallMakeupDate(D("05-20-2026"))));  // June 15 a Monday
  EXPECT_EQ(NO_DATE, ReturnDueDate(NO_DATE));
}

}  // namespace
}  // namespace zarvic
