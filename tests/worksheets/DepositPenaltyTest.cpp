#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "DepositPenaltyTestSupport.h"
#include "core/StringTable.h"
#include "worksheets/DepositPenalty.h"

namespace zarvic {
namespace {

using deposit_testing::D;
using deposit_testing::Text;
using deposit_testing::Usd;

DepositPenaltyWorksheet Period(DepositSchedule schedule, const char* start, const char* end) {
  DepositPenaltyWorksheet w;
  w.schedule = schedule;
  w.periodStart = D(start);
  w.periodEnd = D(end);
  return w;
}

void AddLiability(DepositPenaltyWorksheet& w, const char* date, double dollars, const char* due = nullptr) {
  w.liabilities.push_back({D(date), Usd(dollars), D(due)});
}

void AddDeposit(DepositPenaltyWorksheet& w, const char* date, double dollars, bool direct = false,
                const char* designated = nullptr) {
  w.deposits.push_back({D(date), Usd(dollars), direct, D(designated)});
}

DepositPenaltyResult Compute(const DepositPenaltyWorksheet& w) {
  DepositPenaltyResult r = ComputeDepositPenalty(w);
  EXPECT_FALSE(r.error.has_value()) << (r.error ? r.error->message : "");
  return r;
}

// Publication 80 (2012) and earlier editions of Publication 15, "Order in which deposits are applied",
// Cedar, Inc.: deposits of $1,000 due June 15 and $1,500 due July 15; nothing on June 15 and $2,000 on
// July 15. The deposit pays the most recent liability first, so $500 of the June 15 deposit stays
// undeposited. Set in 2026, when both days are business days. (The 2025 edition moved the example to
// April 15 and May 15, two different quarters, which the deposit rule does not join.)
TEST(DepositPenalty, PublicationExampleOrderOfDeposits) {
  DepositPenaltyWorksheet w = Period(DepositSchedule::Monthly, "04-01-2026", "06-30-2026");
  AddLiability(w, "05-29-2026", 1000);
  AddLiability(w, "06-26-2026", 1500);
  AddDeposit(w, "07-15-2026", 2000);
  const DepositPenaltyResult r = Compute(w);
  ASSERT_EQ(2u, r.liabilities.size());
  const LiabilityPenalty& may = r.liabilities[0];
  const LiabilityPenalty& june = r.liabilities[1];
  EXPECT_EQ("06-15-2026", Text(may.dueDate));
  EXPECT_EQ("07-15-2026", Text(june.dueDate));
  ASSERT_EQ(1u, june.applications.size());
  EXPECT_EQ(Usd(1500), june.applications[0].amount);
  EXPECT_EQ(0, june.applications[0].rate);
  ASSERT_EQ(2u, may.applications.size());
  EXPECT_EQ(Usd(500), may.applications[0].amount);  // 30 days late
  EXPECT_EQ(30, may.applications[0].daysLate);
  EXPECT_EQ(10, may.applications[0].rate);
  EXPECT_EQ(-1, may.applications[1].deposit);  // the $500 never deposited
  EXPECT_EQ(Usd(500), may.unpaid);
  EXPECT_EQ(Usd(100), may.penalty);
  EXPECT_EQ(Usd(100), r.totalPenalty);
  EXPECT_EQ(Usd(500), r.totalUnpaid);
  EXPECT_EQ(0.0, r.excessDeposits);
}

// IRC 6656(b): the rate by calendar days from the due date to the deposit, 10% for a payment made to the
// IRS instead of deposited, 15% for a payment made after the 10th day after the first notice or after
// the day of notice and demand. The $10,000 liability of 01-10-2025 is due 02-18-2025: the 15th was a
// Saturday and the Monday after it Washington's Birthday.
TEST(DepositPenalty, RateByDaysLateNoticeAndDemand) {
  struct Case {
    const char* deposited;
    bool direct;
    const char* notice;
    const char* demand;
    int daysLate;
    int rate;
    double penalty;
  };
  const Case cases[] = {
      {"02-14-2025", false, nullptr, nullptr, 0, 0, 0},            // early
      {"02-18-2025", false, nullptr, nullptr, 0, 0, 0},            // on the moved due date
      {"02-19-2025", false, nullptr, nullptr, 1, 2, 200},          // 1 day
      {"02-23-2025", false, nullptr, nullptr, 5, 2, 200},          // 5 days
      {"02-24-2025", false, nullptr, nullptr, 6, 5, 500},          // 6 days
      {"03-05-2025", false, nullptr, nullptr, 15, 5, 500},         // 15 days
      {"03-06-2025", false, nullptr, nullptr, 16, 10, 1000},       // 16 days
      {"02-14-2025", true, nullptr, nullptr, 0, 10, 1000},         // paid directly to the IRS, though early
      {"02-20-2025", true, nullptr, nullptr, 2, 10, 1000},         // paid directly, 2 days late
      {"04-11-2025", false, "04-01-2025", nullptr, 52, 10, 1000},  // the 10th day after the notice
      {"04-12-2025", false, "04-01-2025", nullptr, 53, 15, 1500},  // the 11th
      {"04-12-2025", true, "04-01-2025", nullptr, 53, 15, 1500},   // paid directly after it
      {"04-05-2025", false, "04-01-2025", "04-05-2025", 46, 10, 1000},  // on the day of the demand
      {"04-06-2025", false, "04-01-2025", "04-05-2025", 47, 15, 1500},  // after it, before notice + 10
      {"04-12-2025", false, "02-10-2025", nullptr, 53, 10, 1000},       // a notice before the due date
  };
  for (const Case& c : cases) {
    DepositPenaltyWorksheet w = Period(DepositSchedule::Monthly, "01-01-2025", "03-31-2025");
    AddLiability(w, "01-10-2025", 10000);
    AddDeposit(w, c.deposited, 10000, c.direct);
    w.firstNotice = D(c.notice);
    w.demand = D(c.demand);
    const DepositPenaltyResult r = Compute(w);
    ASSERT_EQ(1u, r.liabilities.size());
    const LiabilityPenalty& l = r.liabilities[0];
    EXPECT_EQ("02-18-2025", Text(l.dueDate));
    ASSERT_EQ(1u, l.applications.size()) << c.deposited;
    EXPECT_EQ(c.daysLate, l.applications[0].daysLate) << c.deposited;
    EXPECT_EQ(c.rate, l.applications[0].rate) << c.deposited << (c.direct ? " direct" : "");
    EXPECT_EQ(Usd(c.penalty), l.penalty) << c.deposited;
    EXPECT_EQ(Usd(c.penalty), r.totalPenalty) << c.deposited;
  }
  EXPECT_EQ(15, DepositPenaltyRate(0, false, true));
  EXPECT_EQ(10, DepositPenaltyRate(0, true, false));
}

// A liability never paid: more than 15 days, so 10%; 15% once the notice has passed; a liability that
// came due after the notice was not delinquent when it was sent.
TEST(DepositPenalty, NeverPaid) {
  struct Case {
    const char* notice;
    const char* demand;
    int rate;
  };
  const Case cases[] = {
      {nullptr, nullptr, 10},
      {"04-01-2025", nullptr, 15},
      {nullptr, "04-01-2025", 15},
      {"02-18-2025", nullptr, 10},  // the due date itself
  };
  for (const Case& c : cases) {
    DepositPenaltyWorksheet w = Period(DepositSchedule::Monthly, "01-01-2025", "03-31-2025");
    AddLiability(w, "01-10-2025", 4000);
    w.firstNotice = D(c.notice);
    w.demand = D(c.demand);
    const DepositPenaltyResult r = Compute(w);
    ASSERT_EQ(1u, r.liabilities[0].applications.size());
    EXPECT_EQ(-1, r.liabilities[0].applications[0].deposit);
    EXPECT_EQ(c.rate, r.liabilities[0].applications[0].rate);
    EXPECT_EQ(Usd(4000) * c.rate / 100, r.totalPenalty);
    EXPECT_EQ(Usd(4000), r.totalUnpaid);
  }
}

// A semiweekly depositor pays Friday 01-03-2025 ($5,000, due Wednesday 01-08) and Tuesday 01-07 ($5,000,
// due Friday 01-10) with $5,000 on 01-10 and $5,000 on 01-24. Undesignated, the first deposit pays the
// most recent liability (6656(e)(1)) and the older one waits 16 days; designated to the older one, each
// is late by less.
TEST(DepositPenalty, MostRecentLiabilityFirstUnlessDesignated) {
  struct Case {
    const char* designated;
    int firstRate;   // the liability of 01-03
    int secondRate;  // the liability of 01-07
    double total;
  };
  const Case cases[] = {
      {nullptr, 10, 0, 500},
      {"01-03-2025", 2, 5, 350},
  };
  for (const Case& c : cases) {
    DepositPenaltyWorksheet w = Period(DepositSchedule::Semiweekly, "01-01-2025", "03-31-2025");
    AddLiability(w, "01-03-2025", 5000);
    AddLiability(w, "01-07-2025", 5000);
    AddDeposit(w, "01-10-2025", 5000, false, c.designated);
    AddDeposit(w, "01-24-2025", 5000);
    const DepositPenaltyResult r = Compute(w);
    ASSERT_EQ(2u, r.liabilities.size());
    EXPECT_EQ("01-08-2025", Text(r.liabilities[0].dueDate));
    EXPECT_EQ("01-10-2025", Text(r.liabilities[1].dueDate));
    ASSERT_EQ(1u, r.liabilities[0].applications.size());
    ASSERT_EQ(1u, r.liabilities[1].applications.size());
    EXPECT_EQ(c.firstRate, r.liabilities[0].applications[0].rate);
    EXPECT_EQ(c.designated != nullptr, r.liabilities[0].applications[0].designated);
    EXPECT_EQ(c.secondRate, r.liabilities[1].applications[0].rate);
    EXPECT_EQ(Usd(c.total), r.totalPenalty);
  }
}

// Three $10,000 liabilities due 02-01-2016, 02-25-2016 and 03-15-2016, deposits of $10,000 on 02-25, 03-15
// and 03-20. Applied in the order of Rev. Proc. 90-58 (each deposit to the oldest liability still open)
// two timely deposits would turn late and the penalty be $2,200; 6656(e)(1) applies each deposit to the
// most recent liability due, so only the first liability is late (48 days, 10%). Designating the
// deposits in the old order reproduces the $2,200.
TEST(DepositPenalty, MostRecentRuleAgainstOldestFirst) {
  struct Case {
    bool oldestFirst;
    double total;
    std::vector<int> daysLate;
  };
  const Case cases[] = {{false, 1000, {48, 0, 0}}, {true, 2200, {24, 19, 5}}};
  for (const Case& c : cases) {
    DepositPenaltyWorksheet w = Period(DepositSchedule::Dates, "01-01-2016", "03-31-2016");
    AddLiability(w, "01-22-2016", 10000, "02-01-2016");
    AddLiability(w, "02-19-2016", 10000, "02-25-2016");
    AddLiability(w, "03-09-2016", 10000, "03-15-2016");
    AddDeposit(w, "02-25-2016", 10000, false, c.oldestFirst ? "01-22-2016" : nullptr);
    AddDeposit(w, "03-15-2016", 10000, false, c.oldestFirst ? "02-19-2016" : nullptr);
    AddDeposit(w, "03-20-2016", 10000, false, c.oldestFirst ? "03-09-2016" : nullptr);
    const DepositPenaltyResult r = Compute(w);
    ASSERT_EQ(3u, r.liabilities.size());
    for (std::size_t i = 0; i < 3; ++i) {
      ASSERT_EQ(1u, r.liabilities[i].applications.size());
      EXPECT_EQ(c.daysLate[i], r.liabilities[i].applications[0].daysLate) << i;
    }
    EXPECT_EQ(Usd(c.total), r.totalPenalty);
  }
}

// A deposit larger than the liability it is designated to pays the rest by the usual order.
TEST(DepositPenalty, DesignationRemainderFollowsTheUsualOrder) {
  DepositPenaltyWorksheet w = Period(DepositSchedule::Monthly, "01-01-2025", "03-31-2025");
  AddLiability(w, "01-31-2025", 4000);
  AddLiability(w, "02-28-2025", 6000);
  AddDeposit(w, "03-17-2025", 7000, false, "01-31-2025");
  const DepositPenaltyResult r = Compute(w);
  ASSERT_EQ(2u, r.liabilities.size());
  EXPECT_EQ(Usd(4000), r.liabilities[0].applications[0].amount);
  EXPECT_TRUE(r.liabilities[0].applications[0].designated);
  EXPECT_EQ(27, r.liabilities[0].applications[0].daysLate);  // due 02-18
  EXPECT_EQ(Usd(3000), r.liabilities[1].applications[0].amount);
  EXPECT_FALSE(r.liabilities[1].applications[0].designated);
  EXPECT_EQ(0, r.liabilities[1].applications[0].rate);  // due 03-17 (the 15th a Saturday)
  EXPECT_EQ(Usd(3000), r.liabilities[1].unpaid);
  EXPECT_EQ(Usd(400) + Usd(300), r.totalPenalty);
}

// A deposit made before any liability is due pays the one coming due first; what is left over after
// every liability is reported, not spread.
TEST(DepositPenalty, EarlyAndExcessDeposits) {
  DepositPenaltyWorksheet w = Period(DepositSchedule::Monthly, "01-01-2025", "03-31-2025");
  AddLiability(w, "01-31-2025", 1000);
  AddLiability(w, "02-28-2025", 1000);
  AddDeposit(w, "01-31-2025", 2500);
  const DepositPenaltyResult r = Compute(w);
  EXPECT_EQ(0.0, r.totalPenalty);
  EXPECT_EQ(Usd(2000), r.totalLiability);
  EXPECT_EQ(Usd(2500), r.totalDeposits);
  EXPECT_EQ(Usd(500), r.excessDeposits);
  EXPECT_EQ(0.0, r.totalUnpaid);
}

// Deposits are applied in the order of their dates, whatever the order they were entered in: the
// deposit of 02-18 pays January on time before the larger one of 03-20 comes to the liabilities, and
// what is left of that one is excess. Taken in the order entered, the 03-20 deposit would pay January
// too, 30 days late, for $1,200.
TEST(DepositPenalty, DepositsAppliedInDateOrder) {
  DepositPenaltyWorksheet w = Period(DepositSchedule::Monthly, "01-01-2025", "03-31-2025");
  AddLiability(w, "01-31-2025", 10000);
  AddLiability(w, "02-28-2025", 10000);
  AddDeposit(w, "03-20-2025", 20000);
  AddDeposit(w, "02-18-2025", 10000);
  const DepositPenaltyResult r = Compute(w);
  ASSERT_EQ(2u, r.liabilities.size());
  ASSERT_EQ(1u, r.liabilities[0].applications.size());
  EXPECT_EQ(1, r.liabilities[0].applications[0].deposit);
  EXPECT_EQ(0, r.liabilities[0].applications[0].rate);
  ASSERT_EQ(1u, r.liabilities[1].applications.size());
  EXPECT_EQ(0, r.liabilities[1].applications[0].deposit);
  EXPECT_EQ(3, r.liabilities[1].applications[0].daysLate);  // due 03-17
  EXPECT_EQ(Usd(200), r.totalPenalty);
  EXPECT_EQ(Usd(10000), r.excessDeposits);
}

// The semiweekly period ending Friday 08-29-2025 is followed by Labor Day, so its deposit is due on the
// third business day, Thursday 09-04.
TEST(DepositPenalty, SemiweeklyThreeBusinessDaysCrossAHoliday) {
  struct Case {
    const char* deposited;
    int rate;
  };
  const Case cases[] = {{"09-03-2025", 0}, {"09-04-2025", 0}, {"09-05-2025", 2}};
  for (const Case& c : cases) {
    DepositPenaltyWorksheet w = Period(DepositSchedule::Semiweekly, "07-01-2025", "09-30-2025");
    AddLiability(w, "08-29-2025", 5000);
    AddDeposit(w, c.deposited, 5000);
    const DepositPenaltyResult r = Compute(w);
    EXPECT_EQ("09-04-2025", Text(r.liabilities[0].dueDate));
    EXPECT_EQ(DueDateRule::Semiweekly, r.liabilities[0].rule);
    EXPECT_EQ(c.rate, r.liabilities[0].applications[0].rate) << c.deposited;
  }
}

// Treas. Reg. 31.6302-1(c)(3) and Publication 15 (2025), "$100,000 Next-Day Deposit Rule".
TEST(DepositPenalty, HundredThousandDollarNextDayRule) {
  struct Row {
    const char* date;
    double dollars;
    const char* due;
    DueDateRule rule;
  };
  struct Case {
    const char* name;
    DepositSchedule schedule;
    const char* start;
    const char* end;
    std::vector<Row> rows;
  };
  const Case cases[] = {
      // Fir Co.: $110,000 on a Monday by Tuesday; $30,000 more on Tuesday starts anew, due Friday.
      {"Fir Co.",
       DepositSchedule::Semiweekly,
       "01-01-2025",
       "03-31-2025",
       {{"03-03-2025", 110000, "03-04-2025", DueDateRule::NextDay},
        {"03-04-2025", 30000, "03-07-2025", DueDateRule::Semiweekly}}},
      // $95,000 on a Tuesday and $10,000 on the Wednesday are in two deposit periods.
      {"two periods",
       DepositSchedule::Semiweekly,
       "01-01-2025",
       "03-31-2025",
       {{"03-11-2025", 95000, "03-14-2025", DueDateRule::Semiweekly},
        {"03-12-2025", 10000, "03-19-2025", DueDateRule::Semiweekly}}},
      // Elm, Inc., a monthly depositor: $40,000 on Wednesday May 7 and $60,000 on Friday May 9, together
      // due Monday May 12; from May 10 it is a semiweekly depositor.
      {"Elm, Inc.",
       DepositSchedule::Monthly,
       "04-01-2025",
       "06-30-2025",
       {{"05-07-2025", 40000, "05-12-2025", DueDateRule::NextDay},
        {"05-09-2025", 60000, "05-12-2025", DueDateRule::NextDay},
        {"05-16-2025", 5000, "05-21-2025", DueDateRule::Semiweekly}}},
      // A monthly depositor's accumulation does not carry into the next month.
      {"two months",
       DepositSchedule::Monthly,
       "04-01-2025",
       "06-30-2025",
       {{"04-30-2025", 60000, "05-15-2025", DueDateRule::Monthly},
        {"05-01-2025", 50000, "06-16-2025", DueDateRule::Monthly}}},
  };
  for (const Case& c : cases) {
    DepositPenaltyWorksheet w = Period(c.schedule, c.start, c.end);
    for (const Row& row : c.rows) AddLiability(w, row.date, row.dollars);
    const DepositPenaltyResult r = Compute(w);
    ASSERT_EQ(c.rows.size(), r.liabilities.size()) << c.name;
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
      EXPECT_EQ(c.rows[i].due, Text(r.liabilities[i].dueDate)) << c.name << " " << c.rows[i].date;
      EXPECT_EQ(c.rows[i].rule, r.liabilities[i].rule) << c.name << " " << c.rows[i].date;
    }
  }
}

// A due date entered by the user (or the schedule of entered dates) still moves off a weekend.
TEST(DepositPenalty, EnteredDueDates) {
  DepositPenaltyWorksheet w = Period(DepositSchedule::Dates, "01-01-2025", "03-31-2025");
  AddLiability(w, "01-10-2025", 2000, "02-15-2025");
  AddLiability(w, "01-17-2025", 2000, "01-21-2025");
  AddDeposit(w, "02-18-2025", 4000);
  const DepositPenaltyResult r = Compute(w);
  ASSERT_EQ(2u, r.liabilities.size());
  EXPECT_EQ("02-18-2025", Text(r.liabilities[0].dueDate));
  EXPECT_EQ(DueDateRule::Entered, r.liabilities[0].rule);
  EXPECT_EQ(0, r.liabilities[0].applications[0].rate);
  EXPECT_EQ(28, r.liabilities[1].applications[0].daysLate);
  EXPECT_EQ(Usd(200), r.totalPenalty);

  // An entered due date overrides the schedule for its liability only.
  DepositPenaltyWorksheet m = Period(DepositSchedule::Monthly, "01-01-2025", "03-31-2025");
  AddLiability(m, "01-10-2025", 1000, "01-13-2025");
  AddLiability(m, "01-17-2025", 1000);
  const DepositPenaltyResult rm = Compute(m);
  EXPECT_EQ(DueDateRule::Entered, rm.liabilities[0].rule);
  EXPECT_EQ("01-13-2025", Text(rm.liabilities[0].dueDate));
  EXPECT_EQ(DueDateRule::Monthly, rm.liabilities[1].rule);
}

// Treas. Reg. 31.6302-1(f)(3) and Publication 15 (2025), "Accuracy of Deposits Rule": a semiweekly
// shortfall of July 2025 is made up by Friday August 15; one of the deposit due Wednesday October 1 by
// the due date of the return, October 31, which comes before Wednesday November 19. A monthly
// depositor makes it up by the due date of the return.
TEST(DepositPenalty, ShortfallMakeupDates) {
  DepositPenaltyWorksheet w = Period(DepositSchedule::Semiweekly, "07-01-2025", "09-30-2025");
  AddLiability(w, "07-11-2025", 10000);
  AddLiability(w, "09-26-2025", 10000);
  DepositPenaltyResult r = Compute(w);
  ASSERT_EQ(2u, r.liabilities.size());
  EXPECT_EQ("07-16-2025", Text(r.liabilities[0].dueDate));
  EXPECT_EQ("08-15-2025", Text(r.liabilities[0].makeupDate));
  EXPECT_EQ("10-01-2025", Text(r.liabilities[1].dueDate));
  EXPECT_EQ("10-31-2025", Text(r.liabilities[1].makeupDate));

  w.schedule = DepositSchedule::Monthly;
  r = Compute(w);
  EXPECT_EQ("10-31-2025", Text(r.liabilities[0].makeupDate));
  w.schedule = DepositSchedule::Dates;
  w.liabilities[0].dueDate = D("07-16-2025");
  w.liabilities[1].dueDate = D("10-01-2025");
  r = Compute(w);
  EXPECT_EQ(NO_DATE, r.liabilities[0].makeupDate);  // an entered due date's rule is not known
}

// A shortfall of no more than $100, or 2% of the deposit if greater, bears no penalty when it is made
// up in time. The $10,000 paid on Friday 09-26-2025 is due Wednesday 10-01, its shortfall by 10-31.
TEST(DepositPenalty, AccuracyOfDepositsRule) {
  struct Case {
    DepositSchedule schedule;
    double timely;
    const char* later;
    bool direct;
    bool spared;
    double penalty;
  };
  const Case cases[] = {
      {DepositSchedule::Semiweekly, 9900, "10-31-2025", false, true, 0},
      {DepositSchedule::Semiweekly, 9900, "11-03-2025", false, false, 10},     // after the makeup date
      {DepositSchedule::Semiweekly, 9900, "10-31-2025", true, false, 10},      // paid, not deposited
      {DepositSchedule::Semiweekly, 9800, "10-10-2025", false, true, 0},       // 2% of $10,000
      {DepositSchedule::Semiweekly, 9750, "10-10-2025", false, false, 12.50},  // more than 2%: 9 days, 5%
      {DepositSchedule::Monthly, 9900, "10-31-2025", true, true, 0},  // a monthly one may pay with the return
      {DepositSchedule::Monthly, 9900, "11-03-2025", false, false, 10},
  };
  for (const Case& c : cases) {
    DepositPenaltyWorksheet w = Period(c.schedule, "07-01-2025", "09-30-2025");
    AddLiability(w, "09-26-2025", 10000);
    const char* due = c.schedule == DepositSchedule::Monthly ? "10-15-2025" : "10-01-2025";
    AddDeposit(w, due, c.timely);
    AddDeposit(w, c.later, 10000 - c.timely, c.direct);
    const DepositPenaltyResult r = Compute(w);
    const LiabilityPenalty& l = r.liabilities[0];
    EXPECT_EQ(due, Text(l.dueDate));
    EXPECT_EQ(c.spared, l.safeHarbor) << c.later << " " << c.timely;
    ASSERT_EQ(2u, l.applications.size());
    EXPECT_EQ(c.spared, l.applications[1].excused);
    EXPECT_EQ(Usd(c.penalty), r.totalPenalty) << c.later << " " << c.timely;
  }
}

// The shortfall is measured on the whole deposit obligation: both paydays of a month.
TEST(DepositPenalty, ShortfallOfOneDepositObligation) {
  DepositPenaltyWorksheet w = Period(DepositSchedule::Monthly, "01-01-2025", "03-31-2025");
  AddLiability(w, "01-10-2025", 3000);
  AddLiability(w, "01-24-2025", 3000);
  AddDeposit(w, "02-18-2025", 5900);
  AddDeposit(w, "04-30-2025", 100, true);
  DepositPenaltyResult r = Compute(w);
  EXPECT_TRUE(r.liabilities[0].safeHarbor);
  EXPECT_TRUE(r.liabilities[1].safeHarbor);
  EXPECT_EQ(0.0, r.totalPenalty);

  w.deposits[0].amount = Usd(5850);  // $150 short: more than $100 and 2% of $6,000
  w.deposits[1].amount = Usd(150);
  r = Compute(w);
  EXPECT_FALSE(r.liabilities[0].safeHarbor);
  EXPECT_EQ(Usd(15), r.totalPenalty);  // paid with the return: 10%
}

// A period with less than $2,500 of taxes, all paid by the due date of the return, bears no penalty
// however late or however paid; $2,500 is no longer de minimis.
TEST(DepositPenalty, DeMinimisPeriod) {
  struct Case {
    double liability;
    const char* paid;
    bool direct;
    bool deMinimis;
    double penalty;
  };
  const Case cases[] = {
      {2499.99, "04-30-2025", true, true, 0},
      {2499.99, "03-20-2025", false, true, 0},
      {2499.99, "05-01-2025", false, false, 250},  // after the return's due date: 10%
      {2500, "04-30-2025", true, false, 250},
  };
  for (const Case& c : cases) {
    DepositPenaltyWorksheet w = Period(DepositSchedule::Monthly, "01-01-2025", "03-31-2025");
    AddLiability(w, "01-10-2025", c.liability);
    AddDeposit(w, c.paid, c.liability, c.direct);
    const DepositPenaltyResult r = Compute(w);
    EXPECT_EQ(c.deMinimis, r.deMinimis) << c.liability << " " << c.paid;
    EXPECT_EQ(c.deMinimis, r.liabilities[0].applications[0].excused);
    EXPECT_EQ(std::round(Usd(c.penalty)), r.totalPenalty) << c.liability << " " << c.paid;
  }
}

// Publication 15 (2025), "Averaged FTD penalty": the period's total liability is spread equally over its
// deposit due dates and the deposits are applied to those liabilities.
TEST(DepositPenalty, AveragedPenaltyOfAQuarter) {
  DepositPenaltyWorksheet w = Period(DepositSchedule::Monthly, "01-01-2025", "03-31-2025");
  AddLiability(w, "03-31-2025", 30000);
  AddDeposit(w, "02-18-2025", 10000);
  AddDeposit(w, "03-17-2025", 5000);
  AddDeposit(w, "04-30-2025", 15000);

  // As entered, the whole $30,000 is due April 15: the last deposit pays $15,000 15 days late.
  EXPECT_EQ(Usd(750), Compute(w).totalPenalty);

  w.averaged = true;
  const DepositPenaltyResult r = Compute(w);
  ASSERT_EQ(3u, r.liabilities.size());
  const char* dates[] = {"01-31-2025", "02-28-2025", "03-31-2025"};
  const char* dues[] = {"02-18-2025", "03-17-2025", "04-15-2025"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(dates[i], Text(r.liabilities[i].date));
    EXPECT_EQ(dues[i], Text(r.liabilities[i].dueDate));
    EXPECT_EQ(Usd(10000), r.liabilities[i].amount);
    EXPECT_EQ(-1, r.liabilities[i].liability);
  }
  EXPECT_EQ(0.0, r.liabilities[0].penalty);
  // The $15,000 of April 30 pays March's $10,000 15 days late (5%) and February's last $5,000 44 days
  // late (10%).
  EXPECT_EQ(Usd(500), r.liabilities[2].penalty);
  EXPECT_EQ(Usd(500), r.liabilities[1].penalty);
  EXPECT_EQ(Usd(1000), r.totalPenalty);
}

TEST(DepositPenalty, AveragedSharesAndSemiweeklyPeriods) {
  // Whole cents each; the last due date takes the cent left over.
  DepositPenaltyWorksheet w = Period(DepositSchedule::Monthly, "01-01-2025", "03-31-2025");
  AddLiability(w, "01-15-2025", 4000);
  AddLiability(w, "02-15-2025", 6000);
  w.averaged = true;
  DepositPenaltyResult r = Compute(w);
  ASSERT_EQ(3u, r.liabilities.size());
  EXPECT_EQ(333333.0, r.liabilities[0].amount);
  EXPECT_EQ(333333.0, r.liabilities[1].amount);
  EXPECT_EQ(333334.0, r.liabilities[2].amount);
  EXPECT_EQ(Usd(10000), r.totalLiability);

  // The first quarter of 2025 has 26 semiweekly periods, from Wednesday January 1 to the part of one
  // that ends with the quarter on Monday March 31.
  DepositPenaltyWorksheet s = Period(DepositSchedule::Semiweekly, "01-01-2025", "03-31-2025");
  AddLiability(s, "02-14-2025", 26000);
  s.averaged = true;
  r = Compute(s);
  ASSERT_EQ(26u, r.liabilities.size());
  EXPECT_EQ("01-03-2025", Text(r.liabilities.front().date));
  EXPECT_EQ("01-08-2025", Text(r.liabilities.front().dueDate));
  EXPECT_EQ("03-31-2025", Text(r.liabilities.back().date));
  EXPECT_EQ("04-04-2025", Text(r.liabilities.back().dueDate));
  for (const LiabilityPenalty& l : r.liabilities) EXPECT_EQ(Usd(1000), l.amount);

  // A designated deposit pays the averaged liability of the deposit period holding the designated day.
  s.deposits.clear();
  AddDeposit(s, "04-04-2025", 1000, false, "01-02-2025");
  r = Compute(s);
  ASSERT_EQ(1u, r.liabilities.front().applications.size());
  EXPECT_TRUE(r.liabilities.front().applications[0].designated);
  EXPECT_EQ(86, r.liabilities.front().applications[0].daysLate);
}

// What keeps a worksheet from being figured, with the row it is about.
TEST(DepositPenalty, WorksheetErrors) {
  struct Case {
    const char* name;
    void (*edit)(DepositPenaltyWorksheet&);
    int id;
    int liability;
    int deposit;
  };
  const Case cases[] = {
      {"no end", [](DepositPenaltyWorksheet& w) { w.periodEnd = NO_DATE; }, 21400, -1, -1},
      {"end before start", [](DepositPenaltyWorksheet& w) { w.periodEnd = D("12-31-2024"); }, 21400, -1, -1},
      {"two years", [](DepositPenaltyWorksheet& w) { w.periodEnd = D("12-31-2026"); }, 21401, -1, -1},
      {"undated liability", [](DepositPenaltyWorksheet& w) { w.liabilities[1].date = NO_DATE; }, 21402, 1,
       -1},
      {"outside", [](DepositPenaltyWorksheet& w) { w.liabilities[1].date = D("04-01-2025"); }, 21403, 1, -1},
      {"negative", [](DepositPenaltyWorksheet& w) { w.liabilities[0].amount = -1; }, 21404, 0, -1},
      {"no due date", [](DepositPenaltyWorksheet& w) { w.schedule = DepositSchedule::Dates; }, 21405, 0, -1},
      {"due before", [](DepositPenaltyWorksheet& w) { w.liabilities[1].dueDate = D("01-30-2025"); }, 21406, 1,
       -1},
      {"undated deposit", [](DepositPenaltyWorksheet& w) { w.deposits[0].date = NO_DATE; }, 21407, -1, 0},
      {"zero deposit", [](DepositPenaltyWorksheet& w) { w.deposits[0].amount = 0; }, 21408, -1, 0},
      {"designated", [](DepositPenaltyWorksheet& w) { w.deposits[0].designated = D("01-30-2025"); }, 21409,
       -1, 0},
  };
  for (const Case& c : cases) {
    DepositPenaltyWorksheet w = Period(DepositSchedule::Monthly, "01-01-2025", "03-31-2025");
    AddLiability(w, "01-31-2025", 1000);
    AddLiability(w, "02-28-2025", 1000);
    AddDeposit(w, "02-18-2025", 1000);
    ASSERT_FALSE(CheckDepositWorksheet(w).has_value());
    c.edit(w);
    const DepositPenaltyResult r = ComputeDepositPenalty(w);
    ASSERT_TRUE(r.error.has_value()) << c.name;
    EXPECT_EQ(c.id, r.error->messageId) << c.name;
    EXPECT_EQ(c.liability, r.error->liability) << c.name;
    EXPECT_EQ(c.deposit, r.error->deposit) << c.name;
    EXPECT_FALSE(r.error->message.empty()) << c.name;
    EXPECT_EQ(std::string::npos, r.error->message.find('%')) << c.name;
    EXPECT_TRUE(r.liabilities.empty()) << c.name;
    EXPECT_EQ(0.0, r.totalPenalty) << c.name;
  }
  DepositPenaltyWorksheet w = Period(DepositSchedule::Monthly, "01-01-2025", "03-31-2025");
  w.liabilities.push_back({D("04-02-2025"), Usd(5), NO_DATE});
  std::string expected(StringText(21403));
  expected.replace(expected.find("%s"), 2, FormatDate(D("04-02-2025")));
  EXPECT_EQ(expected, CheckDepositWorksheet(w)->message);
}

}  // namespace
}  // namespace zarvic
