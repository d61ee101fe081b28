#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/AppOptions.h"
#include "core/UserInterface.h"
#include "engine/ComputePeriod.h"
#include "ratetables/RateTable.h"

namespace zarvic {
namespace {

DayNumber D(const char* text) {
  bool ok = false;
  DayNumber d = ParseDate(text, ok);
  EXPECT_TRUE(ok) << text;
  return d;
}

struct Period {
  int mode = kModeSimple;
  DayNumber start = 0;
  DayNumber end = 0;
  double principal = 100000.0;  // $1,000.00
  double daysPerYear = 365.0;
  double rate = 9.0;
  double normalRate = 9.0;
};

ComputeResults Compute(ComputeState& state, const Period& p) {
  ComputeResults node;
  ComputePeriod(state, p.principal, p.start, p.end, p.mode, p.daysPerYear, p.rate, p.normalRate, node);
  return node;
}

class ComputePeriodTest : public ::testing::Test {
 protected:
  void TearDown() override { Options() = savedOptions_; }

  ComputeState state_;
  RecordingUserInterface ui_;
  ScopedUserInterface scopedUi_{ui_};

 private:
  AppOptions savedOptions_ = Options();
};

TEST_F(ComputePeriodTest, DateConstants) {
  EXPECT_EQ(MakeDate(12, 31, 94), kGattStartDate);
  EXPECT_EQ(MakeDate(12, 31, 98), kReducedRefundDate);
}

TEST_F(ComputePeriodTest, EveryMode) {
  struct Case {
    const char* name;
    Period period;
    int years, months, days;
    double factor;
    double interest;
  };
  const DayNumber y2001 = D("01-01-01");
  const Case cases[] = {
      {"Daily, 365 days, $10,000 at 10%",
       {kModeDaily, y2001, AddDays(y2001, 365), 1000000.0, 365.0, 10.0, 10.0},
       0,
       0,
       365,
       0.10515578161623251,
       105156.0},
      {"Simple, 183 days at 9%",
       {kModeSimple, y2001, AddDays(y2001, 183)},
       0,
       0,
       183,
       0.045123287671232877,
       4512.0},
      {"Monthly + exact days",
       {kModeMonthly, D("01-20-95"), D("03-10-95")},
       0,
       1,
       18,
       0.01197164383561633,
       1197.0},
      {"Monthly whole months, month end to month end",
       {kModeMonthlyWhole, D("01-31-95"), D("02-28-95")},
       0,
       1,
       0,
       0.0075,
       750.0},
      {"Monthly whole months, mid-month",
       {kModeMonthlyWhole, D("01-15-95"), D("02-15-95")},
       0,
       2,
       0,
       0.015056250000000216,
       1506.0},
      {"Sum of Factors, 1 day",
       {kModeFactorSum, y2001, AddDays(y2001, 1), 100000.0, 365.0, 1.25, 1.25},
       0,
       0,
       1,
       0.0125,
       1250.0},
      {"Sum of Factors, 30 days",
       {kModeFactorSum, y2001, AddDays(y2001, 30), 100000.0, 366.0, 1.25, 1.25},
       0,
       0,
       30,
       0.0125,
       1250.0},
      {"Sum of Factors, 400 days",
       {kModeFactorSum, y2001, AddDays(y2001, 400), 100000.0, 365.25, 1.25, 1.25},
       0,
       0,
       400,
       0.0125,
       1250.0},
      {"Old IRS Method", {kModeOldIrs, D("01-15-95"), D("03-10-95")}, 0, 1, 23, 0.01317123287671233, 1317.0},
      {"PQUARTERLY compounds daily within the period",
       {kModePQuarterly, y2001, AddDays(y2001, 365), 1000000.0, 365.0, 10.0, 10.0},
       0,
       0,
       365,
       0.10515578161623251,
       105156.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ComputeState state;
    ComputeResults node = Compute(state, c.period);
    EXPECT_EQ(c.period.start, node.m_start);
    EXPECT_EQ(c.period.end, node.m_end);
    EXPECT_EQ(c.period.mode, node.m_mode);
    EXPECT_EQ(c.years, node.m_years);
    EXPECT_EQ(c.months, node.m_months);
    EXPECT_EQ(c.days, node.m_days);
    EXPECT_NEAR(c.factor, node.m_normalFactor, 1e-12);
    EXPECT_EQ(c.interest, node.m_normalInterest);
    EXPECT_EQ(c.period.principal, node.m_normalPrincipal);
    EXPECT_EQ(c.period.rate, node.m_normalRate);
    EXPECT_EQ(0, node.m_hot);
    EXPECT_EQ(0.0, node.m_gattPrincipal);  // GATT does not apply
    EXPECT_EQ(0.0, node.m_gattInterest);
    EXPECT_EQ(0.0, node.m_gattFactor);
  }
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ComputePeriodTest, PeriodsWithoutDaysEarnNothing) {
  state_.m_accrued = 500.0;
  state_.m_gattApplies = true;
  state_.m_gatt = -300.0;
  for (int mode : {0, 1, 2, 3, 4, 5, 10}) {
    SCOPED_TRACE(mode);
    for (DayNumber end : {D("01-15-95"), D("01-10-95")}) {
      ComputeResults node = Compute(state_, {mode, D("01-15-95"), end});
      EXPECT_EQ(static_cast<std::int16_t>(end - D("01-15-95")), node.m_days);
      EXPECT_EQ(0.0, node.m_normalInterest);
      EXPECT_EQ(0.0, node.m_normalFactor);
      EXPECT_EQ(0.0, node.m_gattInterest);
      EXPECT_EQ(-300.0, node.m_gattPrincipal);
      EXPECT_EQ(0.0, node.m_balance);  // stopped before the balance is worked out
    }
  }
  EXPECT_FALSE(state_.m_nonDailyRefundMode);
}

TEST_F(ComputePeriodTest, StoppedInterestGivesANodeWithoutInterest) {
  state_.m_interestRunning = false;
  state_.m_gattApplies = true;
  state_.m_gatt = -50000.0;
  for (int mode : {0, 1, 2, 3, 4, 5, 11}) {
    SCOPED_TRACE(mode);
    ComputeResults node = Compute(state_, {mode, D("01-15-99"), D("07-15-99"), -100000.0, 365.0, 8.0, 9.0});
    EXPECT_EQ(D("01-15-99"), node.m_start);
    EXPECT_EQ(D("07-15-99"), node.m_end);
    EXPECT_EQ(-100000.0, node.m_normalPrincipal);
    EXPECT_EQ(-50000.0, node.m_gattPrincipal);
    EXPECT_EQ(0.0, node.m_normalInterest);
    EXPECT_EQ(0.0, node.m_normalFactor);
    EXPECT_EQ(0.0, node.m_gattInterest);
    EXPECT_EQ(0.0, node.m_gattFactor);
  }
}

TEST_F(ComputePeriodTest, HotInterest) {
  struct Case {
    const char* name;
    double principal;
    double rate;
    double normalRate;
    int hot;
    double usedRate;
  };
  const Case cases[] = {
      {"normal tax: 2 points more", 100000.0, 9.0, 9.0, 1, 11.0},
      {"motivated tax: 120% of the hot rate", 100000.0, 10.8, 9.0, 1, 13.2},
      {"zero balance counts as an underpayment", 0.0, 9.0, 9.0, 1, 11.0},
      {"never on an overpayment", -100000.0, 8.0, 9.0, 0, 8.0},
  };
  state_.m_hotInEffect = true;
  const DayNumber start = D("01-01-92");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ComputeResults node =
        Compute(state_, {kModeSimple, start, AddDays(start, 365), c.principal, 365.0, c.rate, c.normalRate});
    EXPECT_EQ(c.hot, node.m_hot);
    EXPECT_NEAR(c.usedRate, node.m_normalRate, 1e-12);
    EXPECT_NEAR(c.usedRate / 100, node.m_normalFactor, 1e-12);
  }
}

// A C-corporation refund ending after 12-31-98 shows the reduced rates; only Daily computes with them.
TEST_F(ComputePeriodTest, CCorporationRefundRates) {
  struct Case {
    int mode;
    double interest;
  };
  const Case cases[] = {
      {kModeDaily, -7250.0},    // 7%
      {kModeSimple, -8000.0},   // 8%
      {kModeOldIrs, -8000.0},   // one year at 8%
      {kModeMonthly, -8300.0},  // twelve months at 8%
  };
  state_.m_gattApplies = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    ComputeResults node = Compute(state_, {c.mode, D("01-01-99"), D("01-01-00"), -100000.0, 365.0, 8.0, 9.0});
    EXPECT_EQ(7.0, node.m_normalRate);
    EXPECT_EQ(5.5, node.m_gattRate);
    EXPECT_EQ(c.interest, node.m_normalInterest);
  }
}

TEST_F(ComputePeriodTest, ShownRatesByEndDate) {
  struct Case {
    const char* end;
    bool gattApplies;
    double principal;
    double normalRate;
    double gattRate;
  };
  const Case cases[] = {
      {"12-31-94", true, -100.0, 8.0, 8.0},  // not after the GATT start
      {"01-01-95", true, -100.0, 8.0, 6.5},
      {"12-31-98", true, -100.0, 8.0, 6.5},
      {"01-01-99", true, -100.0, 7.0, 5.5},
      {"01-01-99", false, -100.0, 8.0, 5.5},  // the normal rate is reduced only where GATT applies
      {"01-01-99", true, 100.0, 8.0, 5.5},    // and only for an overpayment
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.end);
    ComputeState state;
    state.m_gattApplies = c.gattApplies;
    ComputeResults node =
        Compute(state, {kModeSimple, D("01-01-94"), D(c.end), c.principal, 365.0, 8.0, 9.0});
    EXPECT_EQ(c.normalRate, node.m_normalRate);
    EXPECT_EQ(c.gattRate, node.m_gattRate);
  }
  ComputeResults low = Compute(state_, {kModeSimple, D("01-01-99"), D("06-01-99"), -100.0, 365.0, 2.0, 3.0});
  EXPECT_EQ(0.0, low.m_gattRate);  // never below 0
}

TEST_F(ComputePeriodTest, GattBalance) {
  struct Case {
    const char* name;
    int mode;
    double gatt;
    double gattPrincipal;
    double gattFactor;
  };
  const double daily55 = 0.05653623699373145;  // (1 + 0.055/365)^365 - 1
  const Case cases[] = {
      {"Daily: GATT rate less 2.5 points", kModeDaily, -200000.0, -200000.0, daily55},
      {"Simple: GATT rate less 1.5 points", kModeSimple, -200000.0, -200000.0, 0.065},
      {"Daily: a positive GATT balance earns nothing", kModeDaily, 5000.0, 0.0, daily55},
      {"Simple keeps a positive GATT balance", kModeSimple, 5000.0, 5000.0, 0.065},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ComputeState state;
    state.m_gattApplies = true;
    state.m_gatt = c.gatt;
    ComputeResults node = Compute(state, {c.mode, D("01-01-99"), D("01-01-00"), -100000.0, 365.0, 8.0, 9.0});
    EXPECT_EQ(c.gattPrincipal, node.m_gattPrincipal);
    EXPECT_NEAR(c.gattFactor, node.m_gattFactor, 1e-12);
    EXPECT_EQ(RoundedAmount(c.gattPrincipal * node.m_gattFactor), node.m_gattInterest);
  }
}

TEST_F(ComputePeriodTest, SumOfFactorsGattFactorComesFromTheScaledRate) {
  state_.m_gattApplies = true;
  state_.m_gatt = -100000.0;
  // 30 days of a factor of 1.25%: annual rate 0.0125 x 365 / 30, less 1.5 points, over 30 days.
  ComputeResults node =
      Compute(state_, {kModeFactorSum, D("01-01-96"), D("01-31-96"), -100.0, 365.0, 1.25, 1.25});
  EXPECT_NEAR((0.0125 * 365 / 30 - 0.015) * 30 / 365, node.m_gattFactor, 1e-15);
  // Short enough a period and the scaled rate stays below 1.5 points: no GATT interest.
  node = Compute(state_, {kModeFactorSum, D("01-01-96"), D("12-31-96"), -100.0, 365.0, 1.25, 1.25});
  EXPECT_EQ(0.0, node.m_gattFactor);
}

// Regression: the reductions of the Daily mode must not turn a low refund rate negative, which would
// charge the taxpayer interest on an overpayment.
TEST_F(ComputePeriodTest, ReducedDailyRatesStopAtZero) {
  state_.m_gattApplies = true;
  state_.m_gatt = -100000.0;
  ComputeResults node =
      Compute(state_, {kModeDaily, D("01-01-99"), D("01-01-00"), -100000.0, 365.0, 0.5, 9.0});
  EXPECT_EQ(0.0, node.m_normalFactor);
  EXPECT_EQ(0.0, node.m_normalInterest);
  EXPECT_EQ(0.0, node.m_gattFactor);
  EXPECT_EQ(0.0, node.m_gattInterest);
}

TEST_F(ComputePeriodTest, OldIrsSplit) {
  struct Case {
    const char* start;
    const char* end;
    bool monthlyBreaks;
    int years, months, days;
  };
  const Case cases[] = {
      {"01-15-95", "03-10-95", false, 0, 1, 23},  // 10 - 15 = -5, plus February's 28
      {"01-31-95", "03-01-95", false, 0, 0, 29},  // borrows twice
      {"12-20-94", "01-10-95", false, 0, 0, 21},  // January borrows December's 31
      {"11-15-94", "02-10-95", false, 0, 2, 26},
      {"03-15-93", "05-20-95", false, 2, 2, 5},
      {"01-31-95", "02-28-95", false, 0, 0, 28},
      {"01-31-95", "02-28-95", true, 0, 1, 0},  // month end to month end is one month
      {"02-28-95", "03-31-95", false, 0, 1, 3},
      {"02-28-95", "03-31-95", true, 0, 1, 0},
      {"01-30-95", "01-31-95", false, 0, 0, 1},
      {"01-30-95", "01-31-95", true, 0, 0, 0},  // a lone day is dropped
      {"01-15-95", "01-16-95", true, 0, 0, 0},
      {"01-15-95", "01-17-95", true, 0, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " to " + c.end + (c.monthlyBreaks ? " monthly" : ""));
    int years = -1, months = -1, days = -1;
    ASSERT_TRUE(SplitOldIrsPeriod(D(c.start), D(c.end), c.monthlyBreaks, years, months, days));
    EXPECT_EQ(c.years, years);
    EXPECT_EQ(c.months, months);
    EXPECT_EQ(c.days, days);

    ComputeState state;
    state.m_monthlyBreaks = c.monthlyBreaks;
    ComputeResults node = Compute(state, {kModeOldIrs, D(c.start), D(c.end)});
    EXPECT_EQ(c.years, node.m_years);
    EXPECT_EQ(c.months, node.m_months);
    EXPECT_EQ(c.days, node.m_days);
    EXPECT_NEAR(c.months * 0.09 / 12 + c.years * 0.09 + c.days * 0.09 / 365, node.m_normalFactor, 1e-15);
  }
  int years = 0, months = 0, days = 0;
  EXPECT_FALSE(SplitOldIrsPeriod(D("03-10-95"), D("01-15-95"), false, years, months, days));
}

// An end more than 32767 days before the start wraps to a positive 16-bit day count; the split then
// fails with the internal date error and the period earns nothing.
TEST_F(ComputePeriodTest, OldIrsDateErrorIsReported) {
  ComputeResults node = Compute(state_, {kModeOldIrs, 40000, 5000});
  EXPECT_EQ(0.0, node.m_normalFactor);
  EXPECT_EQ(0.0, node.m_normalInterest);
  ASSERT_EQ(1u, ui_.messages.size());
  EXPECT_NE("", ui_.messages[0].text);
}

TEST_F(ComputePeriodTest, NonDailyRefundModeFlag) {
  struct Case {
    int mode;
    bool flagged;
  };
  const Case cases[] = {{0, true}, {1, true},  {2, false},  {3, true},
                        {4, true}, {5, false}, {10, false}, {11, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    ComputeState state;
    Compute(state, {c.mode, D("01-01-96"), D("03-01-96"), -100000.0, 365.0, 8.0, 9.0});
    EXPECT_EQ(c.flagged, state.m_nonDailyRefundMode);
  }
}

TEST_F(ComputePeriodTest, BalanceOfNonCompoundingModes) {
  struct Case {
    int mode;
    double balance;
  };
  const Case cases[] = {{0, 100025.0}, {1, 100025.0}, {2, 0.0},       {3, 0.0},
                        {4, 100025.0}, {5, 0.0},      {10, 100025.0}, {11, 100025.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    ComputeState state;
    state.m_accruedMotivated = 10.0;
    state.m_accrued = 20.0;
    state.m_accruedRefund = -5.0;
    ComputeResults node = Compute(state, {c.mode, D("01-01-96"), D("03-01-96")});
    EXPECT_EQ(c.balance, node.m_balance);
  }
}

TEST_F(ComputePeriodTest, InterestIsRoundedHalfAwayFromZero) {
  struct Case {
    bool wholeDollars;
    double principal;
    double interest;
  };
  // A factor of exactly 0.5: 365 days at 50% simple.
  const Case cases[] = {
      {false, 1.0, 1.0}, {false, -1.0, -1.0},  {false, 3.0, 2.0},      {false, -3.0, -2.0},
      {false, 2.0, 1.0}, {true, 100.0, 100.0}, {true, -100.0, -100.0}, {true, 98.0, 0.0},
  };
  const DayNumber start = D("01-01-97");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.principal);
    Options().wholeDollarMode = c.wholeDollars;
    ComputeState state;
    ComputeResults node =
        Compute(state, {kModeSimple, start, AddDays(start, 365), c.principal, 365.0, 50.0, 50.0});
    EXPECT_EQ(0.5, node.m_normalFactor);
    EXPECT_EQ(c.interest, node.m_normalInterest);
  }
}

}  // namespace
}  // namespace zarvic
