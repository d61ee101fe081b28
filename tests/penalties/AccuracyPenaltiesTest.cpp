#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "PenaltyTestSupport.h"
#include "core/StringTable.h"
#include "engine/ComputePeriod.h"
#include "penalties/AccuracyPenalties.h"
#include "penalties/PenaltyPass.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Usd;

class AccuracyPenaltiesTest : public testing::PenaltyTest {};

struct ThresholdCase {
  const char* name;
  int k;
  const char* taxDate;
  double base;
  double rate;
  double amount;
  const char* explain;
};

TEST_F(AccuracyPenaltiesTest, Thresholds) {
  const ThresholdCase cases[] = {
      {"6659AtOneThousand", 7, "04-15-1985", Usd(1000), 20, Usd(200), ""},
      {"6659Below", 7, "04-15-1985", 99999, 20, 0.0, "R6662FF.DM"},
      {"6660Below", 9, "04-15-1985", 99999, 30, 0.0, "R6662FF.DM"},
      {"6659ABeforeItsDate", 8, "10-22-1986", Usd(5000), 20, 0.0, "R6662FF.DM"},
      {"6659AFromItsDate", 8, "10-23-1986", Usd(5000), 20, Usd(1000), ""},
      {"6662fAtOneThousand", 14, "04-15-1995", Usd(1000), 20, 0.0, "R6662FF.DM"},
      {"6662fAbove", 14, "04-15-1995", 100001, 20, 20000, ""},
      {"6662dAtFiveThousand", 12, "04-15-1995", Usd(5000), 20, 0.0, "R6662DD.DM"},
      {"6662eAbove", 13, "04-15-1995", 500001, 40, 200000, ""},
      {"6662gAtFiveThousand", 15, "04-15-1995", Usd(5000), 20, 0.0, "R6662DD.DM"},
      {"6661AtFiveThousand", 10, "04-15-1985", Usd(5000), 0, 0.0, "R6662DD.DM"},
      {"6661Before1983", 10, "04-15-1982", Usd(50000), 0, 0.0, "R6662DD.DM"},
  };
  for (const ThresholdCase& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    Tax(c.taxDate, Usd(100000));
    PenaltyRecord& r = Activate(c.k, c.base, {{0, c.taxDate}, {1, c.taxDate}});
    r.SetRate(c.rate);
    ComputePenalties(doc(), D("01-01-2000"));
    EXPECT_EQ(c.amount, res().PenaltyAmount[c.k]) << c.name;
    EXPECT_EQ(c.amount, res().PenaltyGross[c.k]) << c.name;
    EXPECT_EQ(std::string(c.explain), res().PenaltyExplainTemplate[c.k]) << c.name;
    EXPECT_EQ(c.amount > 0 ? 1u : 0u, res().assessments.size()) << c.name;
  }
}

// Regression: a C corporation's substantial understatement (6662(d)(1)(B)) and substantial valuation
// misstatement (6662(e)(2)) must exceed $10,000, not $5,000. Return due 3-15-2019, tax $100,000:
// an $8,000 understatement is no penalty for the corporation (20% would be $1,600, as for anyone
// else); $10,000.01 is: 20% = $2,000.002, $2,000.00. 6662(g) (estate and gift) keeps $5,000.
TEST_F(AccuracyPenaltiesTest, CorporateFloors) {
  struct Case {
    const char* name;
    int k;
    bool corporation;
    double base;
    double amount;
  };
  const Case cases[] = {
      {"6662dCorporation8000", 12, true, Usd(8000), 0.0},
      {"6662dIndividual8000", 12, false, Usd(8000), Usd(1600)},
      {"6662dCorporationAt10000", 12, true, Usd(10000), 0.0},
      {"6662dCorporationAbove10000", 12, true, 1000001, Usd(2000)},
      {"6662eCorporationAt10000", 13, true, Usd(10000), 0.0},
      {"6662eCorporationAbove10000", 13, true, 1000001, Usd(2000)},
      {"6662gCorporationAbove5000", 15, true, 500001, Usd(1000)},
  };
  for (const Case& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    doc().m_header.m_cCorporation = c.corporation ? 1 : 0;
    Tax("03-15-2019", Usd(100000));
    Activate(c.k, c.base, {{0, "03-15-2019"}}).SetRate(20.0);
    ComputePenalties(doc(), D("01-01-2020"));
    EXPECT_EQ(c.amount, res().PenaltyAmount[c.k]) << c.name;
    EXPECT_EQ(std::string(c.amount > 0 ? "" : "R6662DD.DM"), res().PenaltyExplainTemplate[c.k]) << c.name;
  }
}

TEST_F(AccuracyPenaltiesTest, SubstantialUnderstatementRate6661) {
  struct Case {
    const char* taxDate;
    const char* assessed;
    double rate;
  };
  for (const Case& c : {Case{"04-15-1985", "10-01-1986", 10}, Case{"04-15-1985", "11-01-1986", 25},
                        Case{"04-15-1987", "05-01-1987", 25}}) {
    doc_ = std::make_unique<CTDoc>();
    Tax(c.taxDate, Usd(100000));
    PenaltyRecord& r = Activate(10, Usd(10000), {{0, c.taxDate}, {1, c.assessed}});
    ComputePenalties(doc(), D("01-01-2000"));
    EXPECT_EQ(c.rate, r.m_rate) << c.assessed;
    EXPECT_EQ(Usd(10000) * c.rate / 100, res().PenaltyAmount[10]) << c.assessed;
    ASSERT_EQ(1u, res().assessments.size());
    EXPECT_EQ(D(c.taxDate), res().assessments[0].date);
  }
}

TEST_F(AccuracyPenaltiesTest, OlderPenaltiesAssessedNoEarlierThanTheLawAllows) {
  // Before 7-18-84 interest on these penalties runs from the notice date, or from 7-18-84.
  Tax("04-15-1983", Usd(100000));
  PenaltyRecord& r = Activate(7, Usd(10000), {{0, "04-15-1983"}});
  r.SetRate(30.0);
  ComputePenalties(doc(), D("01-01-2000"));
  ASSERT_EQ(1u, res().assessments.size());
  EXPECT_EQ(D("07-18-1984"), res().assessments[0].date);
  r.m_dates[1] = D("01-10-1984");
  ComputePenalties(doc(), D("01-01-2000"));
  EXPECT_EQ(D("01-10-1984"), res().assessments[0].date);
}

// Fraud under 6653(b) on $20,000 with the same amount attributable to fraud, a simple 10% table and no
// payments: the interest component is half the simple interest from the tax date to the computation
// date (365 days: $2,000; 366 days: 20,000 x 10% x 366/365 = $2,005.48).
TEST_F(AccuracyPenaltiesTest, Fraud6653bByReturnYear) {
  struct Case {
    const char* taxDate;
    const char* computeDate;
    double rate;
    double component;
    const char* assessedOn;
  };
  const Case cases[] = {
      {"06-15-1986", "06-15-1987", 50, Usd(1000), "01-15-1990"},
      {"04-15-1987", "04-15-1988", 75, 100274, "01-15-1990"},
      {"04-15-1989", "04-15-1990", 75, 0.0, "04-15-1989"},
  };
  for (const Case& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    FlatTable(10.0, kModeSimple);
    Tax(c.taxDate, Usd(100000));
    PenaltyRecord& r = Activate(4, Usd(20000), {{0, c.taxDate}, {1, "01-15-1990"}});
    r.m_amounts[1] = Usd(20000);
    ComputePenalties(doc(), D(c.computeDate));
    EXPECT_EQ(c.rate, r.m_rate) << c.taxDate;
    EXPECT_EQ(c.component, res().PenaltyComponent[4]) << c.taxDate;
    EXPECT_EQ(Usd(20000) * c.rate / 100 + c.component, res().PenaltyAmount[4]) << c.taxDate;
    ASSERT_EQ(1u, res().assessments.size());
    EXPECT_EQ(D(c.assessedOn), res().assessments[0].date) << c.taxDate;
  }
}

TEST_F(AccuracyPenaltiesTest, NegligenceWithoutNoticeIsNotListed) {
  FlatTable(10.0, kModeSimple);
  Tax("04-15-1985", Usd(10000));
  PenaltyRecord& r = Activate(3, Usd(10000), {});
  r.m_amounts[1] = Usd(10000);
  r.SetFlag(PEN_OPTION, true);
  ComputePenalties(doc(), D("04-15-1986"));
  // 5% of $10,000 plus half of a year's 10% simple interest on it.
  EXPECT_EQ(Usd(500), res().PenaltyComponent[3]);
  EXPECT_EQ(Usd(1000), res().PenaltyAmount[3]);
  EXPECT_TRUE(res().assessments.empty());
  EXPECT_EQ(Usd(1000), res().PenaltyAssessedTotal[3]);
  EXPECT_EQ(NO_DATE, res().PenaltyFirstDate[3]);
  EXPECT_EQ(5.0, r.m_rate);
}

TEST_F(AccuracyPenaltiesTest, NegligenceLimitedByTheFraudAmount) {
  FlatTable(10.0, kModeSimple);
  Tax("04-15-1985", Usd(10000));
  Activate(4, Usd(6000), {{0, "04-15-1985"}, {1, "06-01-1986"}}).m_amounts[1] = Usd(6000);
  PenaltyRecord& r = Activate(3, Usd(10000), {{1, "06-01-1986"}});
  r.m_amounts[1] = Usd(8000);
  ComputePenalties(doc(), D("04-15-1986"));
  EXPECT_EQ((std::array<Amount, 3>{Usd(4000), Usd(4000), 0.0}), res().NegligenceAmounts);
  EXPECT_EQ(Usd(4000), res().PenaltyFullBase[3]);
  EXPECT_EQ(Usd(200) + Usd(200), res().PenaltyAmount[3]);
}

// With IRS payment allocation, payments first pay the tax not subject to the penalty's interest part:
// $10,000 tax of which $4,000 negligent, $6,000 paid after half a year leaves the negligent part
// untouched; $8,000 paid takes $2,000 off it.
TEST_F(AccuracyPenaltiesTest, InterestComponentFollowsThePaymentOrder) {
  FlatTable(10.0, kModeSimple);
  Tax("01-01-1985", Usd(10000));
  const int payment = Pay("07-02-1985", Usd(6000));  // 182 days after the tax date
  PenaltyRecord& r = Activate(3, Usd(4000), {});
  r.m_amounts[1] = Usd(4000);
  const DayNumber from = D("01-01-1985");
  const DayNumber to = D("01-01-1986");
  EXPECT_EQ(Usd(400), InterestComponent(doc(), Usd(4000), InterestKind::Normal, from, to, true, 3));
  doc().m_events[payment].m_allocation->m_payment[0] = Usd(8000);
  // 182 days on $4,000 (199.45) and 183 days on $2,000 (100.27).
  EXPECT_EQ(19945 + 10027, InterestComponent(doc(), Usd(4000), InterestKind::Normal, from, to, true, 3));
  // Without the IRS order every payment reduces the amount at once.
  EXPECT_EQ(19945, InterestComponent(doc(), Usd(4000), InterestKind::Normal, from, to, false, 3));
}

TEST_F(AccuracyPenaltiesTest, InterestComponentCompoundsAtRatePeriodEnds) {
  FlatTable(10.0, kModeDaily);
  AddLine("07-01-1985", 10.0, kModeDaily);
  Tax("01-01-1985", Usd(10000));
  // 181 days, folded, then 184 days: each period compounds daily and rounds once.
  const double first = RoundedAmount(1000000 * (std::pow(1 + 0.1 / 365, 180) - 1));
  const double second = RoundedAmount((1000000 + first) * (std::pow(1 + 0.1 / 365, 185) - 1));
  EXPECT_EQ(first + second, InterestComponent(doc(), Usd(10000), InterestKind::Normal, D("01-01-1985"),
                                              D("01-01-1986"), false, 3));
}

// A walk picked up from an earlier one must give what the walk from the start gives, whatever changed
// in between: only steps that read nothing that changed are kept.
TEST_F(AccuracyPenaltiesTest, InterestComponentPickedUpGivesTheWalkFromTheStart) {
  enum class Change { None, Allocation, PaymentBefore, PaymentOnStepDay, RateChanged, LineAdded, HotBegun };
  struct Case {
    const char* name;
    const char* firstTo;  // the walk that leaves its steps
    const char* to;       // the walk that picks them up
    Change change;
    double x = Usd(40000);
  };
  const Case cases[] = {
      {"the next payment's run", "06-01-1986", "03-01-1987", Change::None},
      {"an earlier end", "03-01-1987", "06-01-1986", Change::None},
      {"an earlier payment's allocation changed", "03-01-1987", "03-01-1987", Change::Allocation},
      {"a payment added before the last step", "03-01-1987", "03-01-1987", Change::PaymentBefore},
      {"a payment added on a step's day", "03-01-1987", "03-01-1987", Change::PaymentOnStepDay},
      {"a rate line changed", "03-01-1987", "03-01-1987", Change::RateChanged},
      {"a rate line added", "03-01-1987", "03-01-1987", Change::LineAdded},
      {"hot interest begun", "03-01-1987", "03-01-1987", Change::HotBegun},
      {"another amount", "03-01-1987", "03-01-1987", Change::None, Usd(30000)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    doc_ = std::make_unique<CTDoc>();
    FlatTable(10.0, kModeDaily);
    AddLine("07-01-1985", 11.0, kModeDaily);
    AddLine("01-01-1986", 12.0, kModeMonthly);
    AddLine("07-01-1986", 10.0, kModeDaily);
    Tax("01-01-1985", Usd(100000));
    Pay("04-15-1985", Usd(30000));
    Pay("07-01-1985", Usd(40000));
    Pay("09-30-1985", Usd(20000));
    Pay("02-15-1986", Usd(5000));
    Pay("12-01-1986", Usd(5000));
    PenaltyRecord& r = Activate(3, Usd(40000), {});
    r.m_amounts[1] = Usd(40000);
    const DayNumber from = D("01-01-1985");
    Amount picked = 0.0;
    {
      InterestComponentMemo memo;
      InterestComponent(doc(), Usd(40000), InterestKind::Normal, from, D(c.firstTo), true, 3);
      switch (c.change) {
        case Change::None: break;
        case Change::Allocation: doc().m_events[2].m_allocation->m_payment[0] = Usd(70000); break;
        case Change::PaymentBefore: Pay("10-10-1985", Usd(65000)); break;
        case Change::PaymentOnStepDay: Pay("07-01-1985", Usd(65000)); break;
        case Change::RateChanged: doc().m_rateTable.lines[1].normalRate = 13.0; break;
        case Change::LineAdded: AddLine("01-01-1987", 9.0, kModeDaily); break;
        case Change::HotBegun: res().hotDates.start = D("02-01-1986"); break;
      }
      doc().SortEvents(-1);
      picked = InterestComponent(doc(), c.x, InterestKind::Normal, from, D(c.to), true, 3);
    }
    EXPECT_EQ(InterestComponent(doc(), c.x, InterestKind::Normal, from, D(c.to), true, 3), picked);
  }
}

TEST_F(AccuracyPenaltiesTest, FraudComesOutOfTheNegligenceBase6663) {
  Tax("04-15-1995", Usd(100000));
  Activate(16, Usd(40000), {{0, "04-15-1995"}});
  Activate(11, Usd(80000), {{0, "04-15-1995"}});
  ComputePenalties(doc(), D("01-01-2000"));
  EXPECT_EQ(Usd(60000), res().PenaltyBase[11]);
  EXPECT_EQ(Usd(12000), res().PenaltyAmount[11]);
  EXPECT_EQ(Usd(30000), res().PenaltyAmount[16]);
  EXPECT_EQ(75.0, rec(16).m_rate);
  EXPECT_EQ(2u, res().assessments.size());
}

TEST_F(AccuracyPenaltiesTest, StackingCautionStillComputesBoth) {
  Tax("04-15-1995", Usd(100000));
  Activate(11, Usd(60000), {{0, "04-15-1995"}});
  Activate(12, Usd(50000), {{0, "04-15-1995"}}).SetRate(20.0);
  EXPECT_TRUE(CheckAccuracyStacking(doc(), true));
  EXPECT_TRUE(res().AccuracyStackingFlag);
  EXPECT_EQ(std::vector<std::string>{std::string(StringText(18007))}, ui_.Texts());
  ComputePenalties(doc(), D("01-01-2000"));
  EXPECT_EQ(Usd(12000), res().PenaltyAmount[11]);
  EXPECT_EQ(Usd(10000), res().PenaltyAmount[12]);

  rec(12).m_amounts[0] = Usd(40000);
  ui_.messages.clear();
  EXPECT_FALSE(CheckAccuracyStacking(doc()));
  EXPECT_TRUE(ui_.Texts().empty());
}

TEST_F(AccuracyPenaltiesTest, StackingNotTestedBefore1990) {
  Tax("04-15-1989", Usd(100000));
  Activate(11, Usd(200000), {{0, "04-15-1989"}});
  EXPECT_FALSE(CheckAccuracyStacking(doc(), true));
  EXPECT_TRUE(ui_.Texts().empty());
}

TEST_F(AccuracyPenaltiesTest, PenaltiesAreComputedToTheCentInWholeDollarMode) {
  Options().wholeDollarMode = true;
  Tax("04-15-1995", Usd(100000));
  Activate(11, 1234567, {{0, "04-15-1995"}});
  ComputePenalties(doc(), D("01-01-2000"));
  EXPECT_EQ(246913, res().PenaltyAmount[11]);  // 20% of $12,345.67
  EXPECT_TRUE(Options().wholeDollarMode);
}

}  // namespace
}  // namespace zarvic
