#include <gtest/gtest.h>

#include "EstimatedTaxSupport.h"
#include "worksheets/BusinessDays.h"

namespace zarvic {
namespace {

using esttax_test::D;
using esttax_test::Dollars;
using esttax_test::ExpectLines;
using esttax_test::ExpectRatePeriods;
using esttax_test::FederalRates;
using esttax_test::GivenInstallments;

EstimatedTaxResult Compute(const EstimatedTaxWorksheet& sheet) {
  EstimatedTaxResult result = ComputeEstimatedTax(sheet, FederalRates());
  EXPECT_TRUE(result.Ok()) << result.errorId;
  return result;
}

// IRC 7503 with the District's Emancipation Day (April 16, observed Friday or Monday) from 2007.
TEST(EstimatedTaxDueDates, LastTimelyDayMovesPastWeekendsAndHolidays) {
  struct Case {
    const char* due;
    const char* last;
  };
  const Case cases[] = {
      {"04-15-05", "04-15-05"},  // Friday; April 16 not yet a due-date holiday
      {"04-15-06", "04-17-06"},  // Saturday
      {"04-15-07", "04-17-07"},  // Sunday, then Emancipation Day on Monday
      {"04-15-11", "04-18-11"},  // Friday, Emancipation Day observed (April 16 a Saturday)
      {"04-15-12", "04-17-12"},  // Sunday, then Emancipation Day
      {"04-15-16", "04-18-16"},  // Friday observed
      {"04-15-17", "04-18-17"},  // Saturday, Sunday, Monday observed (April 16 a Sunday)
      {"04-15-18", "04-17-18"},  // Sunday, then Emancipation Day
      {"04-15-19", "04-15-19"},  // Monday; Emancipation Day is the day after
      {"04-15-22", "04-18-22"},  // Friday observed
      {"04-15-23", "04-18-23"},  // Saturday, Monday observed
      {"01-15-06", "01-17-06"},  // Sunday, then Martin Luther King Day
      {"06-15-14", "06-16-14"},  // Sunday
      {"09-15-07", "09-17-07"},  // Saturday
      {"12-15-19", "12-16-19"},  // Sunday
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.due);
    EXPECT_EQ(D(c.last), LastTimelyDay(D(c.due)));
  }
  EXPECT_EQ(NO_DATE, LastTimelyDay(NO_DATE));
}

TEST(EstimatedTaxDueDates, InstallmentsAndPeriodEndFollowTheYear) {
  struct Case {
    EstimatedTaxFiler filer;
    int year;
    const char* fiscalStart;  // empty for a calendar year
    bool farmer;
    std::vector<const char*> due;
    const char* end;
  };
  const Case cases[] = {
      {EstimatedTaxFiler::Individual,
       2019,
       "",
       false,
       {"04-15-19", "06-15-19", "09-15-19", "01-15-20"},
       "04-15-20"},
      {EstimatedTaxFiler::Individual, 2019, "", true, {"01-15-20"}, "04-15-20"},
      {EstimatedTaxFiler::Individual,
       2005,
       "07-01-05",
       false,
       {"10-15-05", "12-15-05", "03-15-06", "07-15-06"},
       "10-15-06"},
      {EstimatedTaxFiler::Corporation,
       2015,
       "",
       false,
       {"04-15-15", "06-15-15", "09-15-15", "12-15-15"},
       "03-15-16"},
      {EstimatedTaxFiler::Corporation,
       2016,
       "",
       false,
       {"04-15-16", "06-15-16", "09-15-16", "12-15-16"},
       "04-15-17"},
      // A year ending June 30 keeps the 3rd month for years beginning before 2026.
      {EstimatedTaxFiler::LargeCorporation,
       2016,
       "07-01-16",
       false,
       {"10-15-16", "12-15-16", "03-15-17", "06-15-17"},
       "09-15-17"},
      {EstimatedTaxFiler::Corporation,
       2026,
       "07-01-26",
       false,
       {"10-15-26", "12-15-26", "03-15-27", "06-15-27"},
       "10-15-27"},
      {EstimatedTaxFiler::Corporation,
       2016,
       "10-01-16",
       false,
       {"01-15-17", "03-15-17", "06-15-17", "09-15-17"},
       "01-15-18"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + " " + c.fiscalStart);
    EstimatedTaxWorksheet sheet;
    sheet.filer = c.filer;
    sheet.taxYear = c.year;
    sheet.farmerOrFisherman = c.farmer;
    if (*c.fiscalStart) sheet.fiscalYearStart = D(c.fiscalStart);
    std::vector<DayNumber> due;
    for (const char* d : c.due) due.push_back(D(d));
    EXPECT_EQ(due, EstimatedTaxDueDates(sheet));
    EXPECT_EQ(D(c.end), EstimatedTaxPeriodEnd(sheet));
  }
}

// One installment of 1,000 due 04-15-19 (a Monday) paid once: on the due date nothing is owed, the day
// after (Emancipation Day) is one day late at 6%.
TEST(EstimatedTaxBoundary, PaymentOnTheDueDateAndTheDayAfter) {
  struct Case {
    const char* paid;
    Amount underpayment;
    Amount total;
  };
  const Case cases[] = {{"04-14-19", 0, 0}, {"04-15-19", 0, 0}, {"04-16-19", Dollars(1000), 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.paid);
    EstimatedTaxWorksheet sheet = GivenInstallments(2019, Dollars(1000), 0, 0, 0);
    sheet.payments = {{D(c.paid), Dollars(1000)}};
    const EstimatedTaxResult result = Compute(sheet);
    EXPECT_EQ(c.underpayment, result.installments[0].underpayment);
    EXPECT_EQ(c.total, result.total);
    EXPECT_EQ(c.total == 0 ? kEstTaxPaidInFull : 0, result.reasonId);
  }
}

// Due dates on a Sunday: the Monday after is on time; the Tuesday is late and counted from the Sunday.
TEST(EstimatedTaxBoundary, SundayDueDatePaidMondayOrTuesday) {
  struct Case {
    int year;
    int column;
    const char* paid;
    int days;      // 0: on time
    Amount total;  // at the year's rate
  };
  const Case cases[] = {
      {2014, 1, "06-16-14", 0, 0},
      {2014, 1, "06-17-14", 2, 16},  // 1,000 x 2 x 3% / 365
      // April 15, 2018 is a Sunday and April 16 Emancipation Day: Tuesday is the last timely day.
      {2018, 0, "04-17-18", 0, 0},
      {2018, 0, "04-18-18", 3, 41},  // 1,000 x 3 x 5% / 365
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.paid);
    EstimatedTaxWorksheet sheet = GivenInstallments(c.year, 0, 0, 0, 0);
    sheet.installments[c.column] = Dollars(1000);
    sheet.payments = {{D(c.paid), Dollars(1000)}};
    const EstimatedTaxResult result = Compute(sheet);
    const EstimatedTaxInstallment& due = result.installments[c.column];
    if (c.days == 0) {
      EXPECT_EQ(0, due.underpayment);
      EXPECT_EQ(Dollars(1000), due.paidInPeriod);
    } else {
      ASSERT_EQ(1u, due.lines.size());
      EXPECT_EQ(c.days, due.lines[0].days);
      EXPECT_EQ(due.dueDate, due.lines[0].from);
    }
    EXPECT_EQ(c.total, result.total);
  }
}

// 2021: the 3% of March 2022 also runs through April 15, 2022 for an individual (6621(b)(2)(B)), so one
// period covers the whole year; a corporation pays April 2022's 4% from April 1.
TEST(EstimatedTaxBoundary, FifteenDaysOfTheFourthMonth) {
  EstimatedTaxWorksheet individual = GivenInstallments(2021, 0, 0, 0, Dollars(1000));
  const EstimatedTaxResult a = Compute(individual);
  ExpectRatePeriods(a, {{"04-16-21", "04-15-22", 3.0, 365}});
  ExpectLines(a, {{3, 0, Dollars(1000), 90, 740}});  // from Saturday 01-15-22

  EstimatedTaxWorksheet corporation = individual;
  corporation.filer = EstimatedTaxFiler::Corporation;
  const EstimatedTaxResult b = Compute(corporation);
  ExpectRatePeriods(b, {{"04-16-21", "03-31-22", 3.0, 365}, {"04-01-22", "04-15-22", 4.0, 365}});
  ExpectLines(b, {{3, 0, Dollars(1000), 106, 871}, {3, 1, Dollars(1000), 15, 164}});
  EXPECT_EQ(1035, b.total);

  // A fiscal year from 07-01-07: September 2008's 5% runs through 10-15-08, though October is at 6%.
  EstimatedTaxWorksheet fiscal = GivenInstallments(2007, 0, 0, 0, Dollars(1000));
  fiscal.fiscalYearStart = D("07-01-07");
  const EstimatedTaxResult c = Compute(fiscal);
  ExpectRatePeriods(c, {{"10-16-07", "12-31-07", 8.0, 365},
                        {"01-01-08", "03-31-08", 7.0, 366},
                        {"04-01-08", "06-30-08", 6.0, 366},
                        {"07-01-08", "10-15-08", 5.0, 366}});
  ExpectLines(c, {{3, 3, Dollars(1000), 92, 1257}});  // from 07-15-08
}

// 2008 (Publication 505 (2009), Figure 4-C's Section A): March 2009's 5% holds through April 15, 2009,
// though April 2009 is at 4%.
TEST(EstimatedTaxBoundary, FifteenDayRuleAgainstALowerAprilRate) {
  EstimatedTaxWorksheet sheet = GivenInstallments(2008, 0, Dollars(77), Dollars(1137), Dollars(1814));
  sheet.withholding = Dollars(1488);
  sheet.payments = {{D("08-15-08"), Dollars(100)}, {D("12-03-08"), Dollars(500)}};
  const EstimatedTaxResult result = Compute(sheet);
  ExpectRatePeriods(result, {{"04-16-08", "06-30-08", 6.0, 366},
                             {"07-01-08", "09-30-08", 5.0, 366},
                             {"10-01-08", "12-31-08", 6.0, 366},
                             {"01-01-09", "04-15-09", 5.0, 365}});
  ExpectLines(result, {{3, 3, Dollars(940), 90, 1159}});
}

// Adjacent quarters at one rate make one period; January 1 cuts only where the years differ in length
// (2011 has 365 days, 2012 has 366). A line crossing the cut is split there.
TEST(EstimatedTaxBoundary, AdjacentQuartersAndTheLeapYearCut) {
  EstimatedTaxWorksheet sheet = GivenInstallments(2011, 0, 0, Dollars(1000), Dollars(1000));
  const EstimatedTaxResult result = Compute(sheet);
  ExpectRatePeriods(result, {{"04-16-11", "09-30-11", 4.0, 365},
                             {"10-01-11", "12-31-11", 3.0, 365},
                             {"01-01-12", "04-15-12", 3.0, 366}});
  ExpectLines(result, {{2, 0, Dollars(1000), 15, 164},
                       {2, 1, Dollars(1000), 92, 756},
                       {2, 2, Dollars(1000), 106, 869},
                       {3, 2, Dollars(1000), 91, 746}});  // from Sunday 01-15-12
  EXPECT_EQ(2535, result.total);

  // 2019 to 2020: the same 5% on both sides of January 1, cut because 2020 has 366 days.
  const EstimatedTaxResult leap = Compute(GivenInstallments(2019, 0, 0, 0, Dollars(1000)));
  ExpectRatePeriods(leap, {{"04-16-19", "06-30-19", 6.0, 365},
                           {"07-01-19", "12-31-19", 5.0, 365},
                           {"01-01-20", "04-15-20", 5.0, 366}});
  ExpectLines(leap, {{3, 2, Dollars(1000), 91, 1243}});
}

// A payment in the third period pays the first period's underpayment first; the next pays the second's,
// and what is left covers the third and fourth installments.
TEST(EstimatedTaxBoundary, LatePaymentGoesToTheEarliestUnderpayment) {
  EstimatedTaxWorksheet sheet =
      GivenInstallments(2019, Dollars(1000), Dollars(1000), Dollars(1000), Dollars(1000));
  sheet.payments = {{D("08-01-19"), Dollars(1000)}, {D("09-15-19"), Dollars(3000)}};
  const EstimatedTaxResult result = Compute(sheet);
  EXPECT_EQ((std::vector<DatedAmount>{{D("08-01-19"), Dollars(1000)}}), result.installments[0].paidLater);
  EXPECT_EQ((std::vector<DatedAmount>{{D("09-15-19"), Dollars(1000)}}), result.installments[1].paidLater);
  EXPECT_EQ(0, result.installments[2].underpayment);
  EXPECT_EQ(Dollars(1000), result.installments[2].overpayment);
  EXPECT_EQ(0, result.installments[3].underpayment);
  ExpectLines(result, {{0, 0, Dollars(1000), 76, 1249},
                       {0, 1, Dollars(1000), 32, 438},
                       {1, 0, Dollars(1000), 15, 247},
                       {1, 1, Dollars(1000), 77, 1055}});
  EXPECT_EQ(2989, result.total);
}

// 6654(e)(1): no addition when the tax after withholding is under $1,000 ($500 for years before 1998);
// 6655(f): none for a corporation whose tax is under $500.
TEST(EstimatedTaxBoundary, SmallTaxThresholds) {
  struct Case {
    EstimatedTaxFiler filer;
    int year;
    Amount tax;
    Amount withheld;
    int reason;
  };
  const Case cases[] = {
      {EstimatedTaxFiler::Individual, 2019, 1099999, Dollars(10000), kEstTaxUnderThousand},
      {EstimatedTaxFiler::Individual, 2019, 1100000, Dollars(10000), 0},
      {EstimatedTaxFiler::Individual, 1997, 1049999, Dollars(10000), kEstTaxUnderFiveHundredIndividual},
      {EstimatedTaxFiler::Individual, 1997, 1050000, Dollars(10000), 0},
      {EstimatedTaxFiler::Corporation, 2019, 49999, 0, kEstTaxUnderFiveHundredCorporation},
      {EstimatedTaxFiler::Corporation, 2019, 50000, 0, 0},
      {EstimatedTaxFiler::LargeCorporation, 2019, 49999, 0, kEstTaxUnderFiveHundredCorporation},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + " " + std::to_string(c.tax));
    EstimatedTaxWorksheet sheet;
    sheet.filer = c.filer;
    sheet.taxYear = c.year;
    sheet.currentYearTax = c.tax;
    if (c.withheld > 0) {
      // All withheld at the end of the year, so that the earlier installments are underpaid.
      sheet.withholdingOnActualDates = true;
      sheet.withheldOnDates = {{MakeDate(12, 31, c.year), c.withheld}};
    }
    const EstimatedTaxResult result = Compute(sheet);
    EXPECT_EQ(c.reason, result.reasonId);
    EXPECT_EQ(c.reason != 0, result.total == 0);
    EXPECT_GT(result.installments[0].underpayment, 0);  // the figures stay for the window and report
    if (c.reason != 0) {
      EXPECT_TRUE(result.installments[0].lines.empty());
    }
  }
}

// 6654(e)(2): no addition after a full prior year without liability; a short prior year does not count.
TEST(EstimatedTaxBoundary, NoLiabilityForAFullPriorYear) {
  EstimatedTaxWorksheet sheet;
  sheet.taxYear = 2019;
  sheet.currentYearTax = Dollars(20000);
  sheet.priorYearTax = 0.0;
  EXPECT_EQ(kEstTaxNoPriorLiability, Compute(sheet).reasonId);
  sheet.priorYearFull = false;
  const EstimatedTaxResult shortYear = Compute(sheet);
  EXPECT_EQ(0, shortYear.reasonId);
  EXPECT_EQ(Dollars(18000), shortYear.requiredAnnualPayment);
}

TEST(EstimatedTaxBoundary, PriorYearPercentageByIncomeAndYear) {
  struct Case {
    int year;
    Amount agi;
    bool separately;
    bool farmer;
    Amount required;
    double percent;
  };
  // Current tax 20,000 (90% is 18,000; 66 2/3% is 13,333.33), prior year 10,000.
  const Case cases[] = {
      {2019, Dollars(150000), false, false, Dollars(10000), 100.0},
      {2019, Dollars(150001), false, false, Dollars(11000), 110.0},
      {2019, 15000001, false, false, Dollars(11000), 110.0},
      {2019, Dollars(75000), true, false, Dollars(10000), 100.0},
      {2019, Dollars(75001), true, false, Dollars(11000), 110.0},
      {2019, Dollars(200000), false, true, Dollars(10000), 100.0},   // farmers keep 100%
      {1998, Dollars(200000), false, false, Dollars(10000), 100.0},  // prior year 1997
      {1999, Dollars(200000), false, false, Dollars(10500), 105.0},
      {2000, Dollars(200000), false, false, Dollars(10860), 108.6},
      {2002, Dollars(200000), false, false, Dollars(11200), 112.0},
      {1995, Dollars(200000), false, false, Dollars(11000), 110.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + " " + std::to_string(c.agi));
    EstimatedTaxWorksheet sheet;
    sheet.taxYear = c.year;
    sheet.currentYearTax = Dollars(20000);
    sheet.priorYearTax = Dollars(10000);
    sheet.priorYearAgi = c.agi;
    sheet.marriedFilingSeparately = c.separately;
    sheet.farmerOrFisherman = c.farmer;
    const EstimatedTaxResult result = Compute(sheet);
    EXPECT_EQ(c.required, result.requiredAnnualPayment);
    EXPECT_EQ(c.percent, result.priorYearPercent);
  }

  EstimatedTaxWorksheet noPriorReturn;
  noPriorReturn.taxYear = 2019;
  noPriorReturn.currentYearTax = Dollars(20000);
  EXPECT_EQ(Dollars(18000), Compute(noPriorReturn).requiredAnnualPayment);
}

// A farmer or fisherman: 66 2/3% of the year's tax, one installment due January 15.
TEST(EstimatedTaxBoundary, FarmerPaysOneInstallment) {
  EstimatedTaxWorksheet sheet;
  sheet.taxYear = 2019;
  sheet.farmerOrFisherman = true;
  sheet.currentYearTax = Dollars(30000);
  sheet.priorYearTax = Dollars(25000);
  sheet.payments = {{D("01-15-20"), Dollars(15000)}};
  const EstimatedTaxResult result = Compute(sheet);
  ASSERT_EQ(1u, result.installments.size());
  EXPECT_EQ(Dollars(20000), result.installments[0].required);
  EXPECT_EQ(Dollars(5000), result.installments[0].underpayment);
  ExpectLines(result, {{0, 0, Dollars(5000), 91, 6216}});  // at 5% over 366 days
}

// 6655(d)(2): a large corporation may rest only its first installment on the prior year; the
// difference is added to the second.
TEST(EstimatedTaxBoundary, LargeCorporationFirstAndSecondInstallments) {
  struct Case {
    EstimatedTaxFiler filer;
    Amount prior;
    std::vector<Amount> required;
  };
  const Case cases[] = {
      {EstimatedTaxFiler::LargeCorporation,
       Dollars(100000),
       {Dollars(25000), Dollars(175000), Dollars(100000), Dollars(100000)}},
      {EstimatedTaxFiler::Corporation,
       Dollars(100000),
       {Dollars(25000), Dollars(25000), Dollars(25000), Dollars(25000)}},
      // A prior year without tax, or with more than this year, gives no relief.
      {EstimatedTaxFiler::LargeCorporation,
       0,
       {Dollars(100000), Dollars(100000), Dollars(100000), Dollars(100000)}},
      {EstimatedTaxFiler::Corporation,
       0,
       {Dollars(100000), Dollars(100000), Dollars(100000), Dollars(100000)}},
      {EstimatedTaxFiler::LargeCorporation,
       Dollars(500000),
       {Dollars(100000), Dollars(100000), Dollars(100000), Dollars(100000)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.prior));
    EstimatedTaxWorksheet sheet;
    sheet.filer = c.filer;
    sheet.taxYear = 2019;
    sheet.currentYearTax = Dollars(400000);
    sheet.priorYearTax = c.prior;
    std::vector<Amount> required;
    for (const EstimatedTaxInstallment& i : Compute(sheet).installments) required.push_back(i.required);
    EXPECT_EQ(c.required, required);

    // The same with the required annual payment entered instead of the year's tax.
    sheet.currentYearTax.reset();
    sheet.requiredAnnualPayment =
        c.filer == EstimatedTaxFiler::LargeCorporation || c.prior == 0 ? Dollars(400000) : Dollars(100000);
    required.clear();
    for (const EstimatedTaxInstallment& i : Compute(sheet).installments) required.push_back(i.required);
    EXPECT_EQ(c.required, required);
  }
}

// The lesser of the annualized and the regular installment; a reduction is recaptured in the next
// regular installment (and the ones after, until it is).
TEST(EstimatedTaxBoundary, AnnualizedInstallmentsWithRecapture) {
  struct Case {
    EstimatedTaxFiler filer;
    std::array<Amount, 4> annualized;
    std::vector<Amount> required;
  };
  const Case cases[] = {
      {EstimatedTaxFiler::Individual,
       {Dollars(200), Dollars(500), Dollars(3000), Dollars(3000)},
       {Dollars(200), Dollars(500), Dollars(2300), Dollars(1000)}},
      {EstimatedTaxFiler::Individual,
       {Dollars(1500), 0, 0, Dollars(5000)},
       {Dollars(1000), 0, 0, Dollars(3000)}},
      {EstimatedTaxFiler::LargeCorporation,
       {Dollars(100), Dollars(500), Dollars(4000), Dollars(4000)},
       {Dollars(100), Dollars(500), Dollars(2400), Dollars(1000)}},
  };
  for (const Case& c : cases) {
    EstimatedTaxWorksheet sheet;
    sheet.filer = c.filer;
    sheet.taxYear = 2019;
    sheet.basis = InstallmentBasis::Annualized;
    sheet.installments = c.annualized;
    if (c.filer == EstimatedTaxFiler::Individual) {
      sheet.requiredAnnualPayment = Dollars(4000);
    } else {
      sheet.currentYearTax = Dollars(4000);  // large: 250, 1,750, 1,000, 1,000 before the comparison
      sheet.priorYearTax = Dollars(1000);
    }
    const EstimatedTaxResult result = Compute(sheet);
    std::vector<Amount> required;
    for (const EstimatedTaxInstallment& i : result.installments) required.push_back(i.required);
    EXPECT_EQ(c.required, required);
  }
}

TEST(EstimatedTaxBoundary, WithholdingInEqualPartsOrOnItsDates) {
  EXPECT_EQ((std::vector<Amount>{2500, 2501, 2500, 2500}), EqualParts(10001, 4));
  EXPECT_EQ((std::vector<Amount>{1, 1, 0, 1}), EqualParts(3, 4));
  EXPECT_EQ((std::vector<Amount>{777}), EqualParts(777, 1));

  EstimatedTaxWorksheet sheet =
      GivenInstallments(2019, Dollars(1000), Dollars(1000), Dollars(1000), Dollars(1000));
  sheet.withholding = Dollars(4000);
  EXPECT_EQ(kEstTaxPaidInFull, Compute(sheet).reasonId);

  sheet.withholdingOnActualDates = true;
  sheet.withheldOnDates = {{D("12-31-19"), Dollars(4000)}};
  const EstimatedTaxResult actual = Compute(sheet);
  EXPECT_EQ(0, actual.reasonId);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ((std::vector<DatedAmount>{{D("12-31-19"), Dollars(1000)}}), actual.installments[i].paidLater);
  }
  EXPECT_EQ(0, actual.installments[3].underpayment);
}

// Computed through a date before the end of the period: lines stop there, and the parts paid later
// share one line.
TEST(EstimatedTaxBoundary, ComputeThroughAnEarlierDate) {
  EstimatedTaxWorksheet sheet;
  sheet.taxYear = 2005;
  sheet.requiredAnnualPayment = Dollars(6116);
  sheet.withholding = Dollars(3228);
  sheet.payments = {{D("09-02-05"), Dollars(1000)}, {D("01-12-06"), Dollars(1000)}};
  sheet.computeThrough = D("12-31-05");
  const EstimatedTaxResult result = Compute(sheet);
  EXPECT_EQ(D("12-31-05"), result.computedThrough);
  ExpectLines(result, {{0, 0, Dollars(722), 61, 724},
                       {1, 0, Dollars(1000), 79, 1299},
                       {1, 0, Dollars(444), 92, 671},
                       {2, 0, Dollars(1166), 15, 288},
                       {2, 1, Dollars(1166), 92, 2057}});
  EXPECT_EQ(5039, result.total);
}

// An addition that rounds to nothing still says why there is none.
TEST(EstimatedTaxBoundary, UnderpaymentsThatAddLessThanACent) {
  EstimatedTaxWorksheet sheet = GivenInstallments(2019, 1, 0, 0, 0);
  sheet.payments = {{D("04-16-19"), 1}};
  EstimatedTaxResult result = Compute(sheet);
  EXPECT_EQ(1, result.installments[0].underpayment);
  EXPECT_EQ(0, result.total);
  EXPECT_EQ(kEstTaxUnderACent, result.reasonId);

  sheet = GivenInstallments(2019, Dollars(1000), 0, 0, 0);
  sheet.computeThrough = D("04-15-19");
  result = Compute(sheet);
  EXPECT_TRUE(result.ratePeriods.empty());
  EXPECT_EQ(kEstTaxUnderACent, result.reasonId);
}

TEST(EstimatedTaxBoundary, RatesBeyondTheTableAreCautioned) {
  RateTable table = FederalRates();
  table.endDate = D("12-31-19");
  EstimatedTaxResult result = ComputeEstimatedTax(GivenInstallments(2019, 0, 0, 0, Dollars(1000)), table);
  EXPECT_EQ((std::vector<int>{kEstTaxBeyondTable}), result.cautionIds);
  result = ComputeEstimatedTax(GivenInstallments(2018, 0, 0, 0, Dollars(1000)), table);
  EXPECT_TRUE(result.cautionIds.empty());
}

TEST(EstimatedTaxBoundary, WorksheetsThatCannotBeComputed) {
  auto regular = [] {
    EstimatedTaxWorksheet sheet;
    sheet.taxYear = 2019;
    sheet.requiredAnnualPayment = Dollars(4000);
    return sheet;
  };
  struct Case {
    const char* what;
    EstimatedTaxWorksheet sheet;
    int error;
  };
  std::vector<Case> cases;
  cases.push_back({"no year", EstimatedTaxWorksheet{}, kEstTaxNeedsYear});
  EstimatedTaxWorksheet s = regular();
  s.fiscalYearStart = D("07-15-19");
  cases.push_back({"fiscal start mid-month", s, kEstTaxBadFiscalStart});
  s.fiscalYearStart = D("07-01-18");
  cases.push_back({"fiscal start in another year", s, kEstTaxBadFiscalStart});
  s = regular();
  s.requiredAnnualPayment.reset();
  cases.push_back({"no required payment", s, kEstTaxNeedsRequiredPayment});
  s.basis = InstallmentBasis::Annualized;
  cases.push_back({"annualized without required payment", s, kEstTaxNeedsRequiredPayment});
  s = regular();
  s.farmerOrFisherman = true;
  s.basis = InstallmentBasis::Annualized;
  cases.push_back({"farmer annualized", s, kEstTaxFarmerAnnualized});
  s = regular();
  s.filer = EstimatedTaxFiler::Corporation;
  s.marriedFilingSeparately = true;
  cases.push_back({"corporation filing separately", s, kEstTaxIndividualOnly});
  s = regular();
  s.payments = {{NO_DATE, Dollars(1)}};
  cases.push_back({"undated payment", s, kEstTaxUndatedPayment});
  s = regular();
  s.payments = {{D("04-15-19"), -1}};
  cases.push_back({"negative payment", s, kEstTaxNegativeAmount});
  s = regular();
  s.installments[2] = -1;
  cases.push_back({"negative installment", s, kEstTaxNegativeAmount});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.error, ComputeEstimatedTax(c.sheet, FederalRates()).errorId);
  }
  EXPECT_EQ(kEstTaxNoRates, ComputeEstimatedTax(regular(), RateTable{}).errorId);
  EXPECT_TRUE(ComputeEstimatedTax(regular(), FederalRates()).Ok());
}

}  // namespace
}  // namespace zarvic
