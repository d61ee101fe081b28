#include <gtest/gtest.h>

#include "DepositPenaltyTestSupport.h"
#include "worksheets/BusinessDays.h"

namespace zarvic {
namespace {

using deposit_testing::D;
using deposit_testing::Text;

// The legal holidays of the District of Columbia (IRC 7503), the same for a deposit and for an
// installment of estimated tax: the federal ones plus the District's own, each from the year it counts.
TEST(BusinessDays, LegalHolidaysOfTheDistrictOfColumbia) {
  struct Case {
    const char* date;
    bool holiday;
    bool emancipation;
  };
  const Case cases[] = {
      {"04-16-2025", true, true},    // Emancipation Day, a Wednesday
      {"04-16-2019", true, true},    // a Tuesday
      {"04-16-2007", true, true},    // a Monday: the first year it moved a due date
      {"04-16-2004", false, false},  // before it became a legal holiday
      {"04-15-2005", false, false},  // April 16, 2005 a Saturday, but the IRS kept Friday's due date
      {"04-16-2005", false, false},
      {"04-17-2006", false, false},  // April 16, 2006 a Sunday; the IRS kept Monday's due date
      {"04-15-2022", true, true},    // April 16, 2022 a Saturday: observed the Friday before
      {"04-15-2011", true, true},
      {"04-16-2022", false, false},
      {"04-16-2011", false, false},
      {"04-17-2023", true, true},  // April 16, 2023 a Sunday: observed the Monday after
      {"04-17-2017", true, true},
      {"04-16-2023", false, false},
      {"04-17-2019", false, false},  // April 16 a weekday: the days around it are ordinary
      {"04-15-2019", false, false},
      {"01-20-2021", true, false},  // Inauguration Day
      {"01-20-1969", true, false},
      {"01-20-2023", false, false},  // not an inauguration year
      {"01-21-1985", true, false},   // January 20, 1985 was a Sunday
      {"01-20-1985", false, false},
      {"01-19-2001", false, false},  // January 20, 2001 a Saturday: not moved to the Friday
      {"01-20-1965", false, false},  // only the fourth years from 1969
      {"07-04-2025", true, false},   // the federal holidays are holidays here too
      {"06-19-2020", false, false},  // Juneteenth only from 2021
      {"06-19-2023", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.date);
    EXPECT_EQ(c.holiday, IsTaxHoliday(D(c.date)));
    EXPECT_EQ(c.emancipation, IsDcEmancipationDay(D(c.date)));
  }
  EXPECT_FALSE(IsTaxHoliday(NO_DATE));
  EXPECT_FALSE(IsDcEmancipationDay(NO_DATE));
  EXPECT_FALSE(IsInaugurationDay(NO_DATE));
  EXPECT_FALSE(IsTaxBusinessDay(D("04-16-2025")));
  EXPECT_FALSE(IsTaxBusinessDay(D("04-19-2025")));  // a Saturday
  EXPECT_TRUE(IsTaxBusinessDay(D("04-17-2025")));
}

TEST(BusinessDays, Steps) {
  EXPECT_EQ("04-17-2025", Text(LastTimelyDay(D("04-16-2025"))));
  EXPECT_EQ("04-17-2025", Text(LastTimelyDay(D("04-17-2025"))));
  EXPECT_EQ("02-18-2025", Text(LastTimelyDay(D("02-15-2025"))));  // Saturday, then a holiday
  EXPECT_EQ("01-21-2025", Text(LastTimelyDay(D("01-20-2025"))));  // Inauguration and King Day at once
  EXPECT_EQ("01-21-2009", Text(LastTimelyDay(D("01-20-2009"))));  // Inauguration Day, a Tuesday
  EXPECT_EQ("04-17-2025", Text(AddTaxBusinessDays(D("04-15-2025"), 1)));
  EXPECT_EQ("04-15-2025", Text(AddTaxBusinessDays(D("04-15-2025"), 0)));
  EXPECT_EQ(NO_DATE, LastTimelyDay(NO_DATE));
  EXPECT_EQ(NO_DATE, AddTaxBusinessDays(NO_DATE, 3));
}

}  // namespace
}  // namespace zarvic
