#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "PenaltyTestSupport.h"
#include "penalties/PenaltyInterest.h"
#include "penalties/PenaltyPass.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Usd;

class PenaltyInterestTest : public testing::PenaltyTest {
 protected:
  void Assess(int k, const char* date, double cents, int notice = -1) {
    res().assessments.push_back({k, D(date), cents, notice, -1});
  }
  int Run(const char* computeDate, bool monthEnds = false) {
    return ComputePenaltyInterest(doc(), D(computeDate), monthEnds, OverpaymentProbe{});
  }
  std::vector<int> Kinds() const {
    std::vector<int> kinds;
    for (const ComputeResults* n = doc_->m_penaltyList.First(); n; n = n->m_next) kinds.push_back(n->m_kind);
    return kinds;
  }
  const ComputeResults& Step(std::size_t i) const {
    const ComputeResults* n = doc_->m_penaltyList.First();
    for (std::size_t j = 0; j < i && n; ++j) n = n->m_next;
    return *n;
  }
};

TEST_F(PenaltyInterestTest, NothingAssessedBearsNothing) {
  FlatTable(8.0, kModeDaily);
  Tax("01-15-1998", Usd(10000));
  EXPECT_EQ(0, Run("06-01-1998"));
  EXPECT_EQ(0.0, res().PenaltyInterestTotal);
  EXPECT_TRUE(doc().m_penaltyList.Empty());
}

// A failure-to-pay-assessment notice of 3-1-98 with the 21-day grace period: paid in full within it
// the assessment bears no interest; paid on 3-25-98 it bears interest from 3-1-98 to the payment
// (24 days of 8% compounded daily on $50: 26 cents).
TEST_F(PenaltyInterestTest, GracePeriodOfAFailureToPayNotice) {
  struct Case {
    const char* paid;
    int result;
    double interest;
  };
  for (const Case& c :
       {Case{"03-15-1998", 0, 0.0}, Case{"03-22-1998", 0, 0.0}, Case{"03-25-1998", 1, 26.0}}) {
    doc_ = std::make_unique<CTDoc>();
    FlatTable(8.0, kModeDaily);
    Tax("01-15-1998", Usd(10000));
    PayTo(c.paid, {{8, Usd(50)}});
    rec(2).m_graceBits = 0x00FE;  // notice 1: 21 days
    Assess(2, "03-01-1998", Usd(50), 0);
    EXPECT_EQ(c.result, Run("06-01-1998")) << c.paid;
    EXPECT_EQ(c.interest, res().PenaltyInterestTotal) << c.paid;
  }
  // The late payment ends a step that applies $50; the 26 cents stay and earn under half a cent.
  EXPECT_EQ(std::vector<int>({13, 2, 100}), Kinds());
  EXPECT_EQ(Usd(50), Step(0).m_amount);
  EXPECT_EQ(Usd(50), Step(1).m_penaltyPayment);
  EXPECT_EQ(26.0, Step(2).m_normalPrincipal);
  EXPECT_FALSE(res().PenaltyPrepaidFlag);
}

// Regression: the 10-business-day grace period of a failure-to-pay notice was taken as 14 calendar
// days. $5,000 of failure to pay demanded by a notice on Monday 5-13-2019 with "10 Days": the business
// days are 5-14 to 5-17, 5-20 to 5-24 and 5-28 (Memorial Day 5-27 skipped), so paid on 5-28 it bears
// no interest. Paid on 5-29 it bears interest from the notice: 16 days at 6% (the underpayment rate of
// 2019's second quarter) compounded daily, $5,000 x ((1 + 0.06/365)^16 - 1) = $13.1669, $13.17. A notice
// of Monday 4-1-2019 has no holiday inside: the tenth business day is 4-15, two weeks on; paid 4-16,
// 15 days: $5,000 x ((1 + 0.06/365)^15 - 1) = $12.3430, $12.34.
TEST_F(PenaltyInterestTest, TenBusinessDaysOfAFailureToPayNotice) {
  struct Case {
    const char* notice;
    const char* paid;
    const char* computeDate;
    double interest;
  };
  const Case cases[] = {
      {"05-13-2019", "05-28-2019", "12-31-2019", 0.0},
      {"05-13-2019", "05-29-2019", "05-29-2019", 1317.0},
      {"04-01-2019", "04-15-2019", "12-31-2019", 0.0},
      {"04-01-2019", "04-16-2019", "04-16-2019", 1234.0},
  };
  for (const Case& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    FlatTable(6.0, kModeDaily);
    Tax("04-15-2019", Usd(1000000));
    PayTo(c.paid, {{7, Usd(5000)}});
    rec(1).m_graceBits = 0x00FF;  // "10 Days"
    Assess(1, c.notice, Usd(5000), 0);
    Run(c.computeDate);
    EXPECT_EQ(c.interest, res().PenaltyInterestTotal) << c.notice << " paid " << c.paid;
  }
}

// Regression: interest on failure to file and on the accuracy-related and fraud penalties had a 10-day
// grace period; 6601(e)(2)(B) runs it from the return's due date to payment. Assessed at the due date
// 4-15-2019 (6% compounded daily): paid that day, nothing; paid the next day, one day of interest:
// $2,000 (6662(c)) x 0.06/365 = $0.3288, $0.33; $7,500 (6663) x 0.06/365 = $1.2329, $1.23. Failure to
// file assessed at a notice before 7-18-84 stands for a notice and demand of the older law and keeps
// its 10 days.
TEST_F(PenaltyInterestTest, NoGraceForPenaltiesRunningFromTheDueDate) {
  struct Case {
    int k;
    const char* assessed;
    double amount;
    const char* paid;
    const char* computeDate;
    double interest;
  };
  const Case cases[] = {
      {11, "04-15-2019", Usd(2000), "04-15-2019", "12-31-2019", 0.0},
      {11, "04-15-2019", Usd(2000), "04-16-2019", "04-16-2019", 33.0},
      {16, "04-15-2019", Usd(7500), "04-16-2019", "04-16-2019", 123.0},
      {23, "06-01-1984", Usd(500), "06-11-1984", "12-31-1984", 0.0},
  };
  for (const Case& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    FlatTable(6.0, kModeDaily);
    Tax(c.assessed, Usd(100000));
    PayTo(c.paid, {{6 + c.k, c.amount}});
    Assess(c.k, c.assessed, c.amount);
    Run(c.computeDate);
    EXPECT_EQ(c.interest, res().PenaltyInterestTotal) << c.k << " paid " << c.paid;
  }
}

// The example of the fault above through the penalty pass: $200,000 due 4-15-2019, filed and paid with
// every penalty on 4-22-2019. Failure to pay: one month at 0.5%, $1,000; failure to file: one month at
// 5%, $10,000, less that $1,000: $9,000, assessed at 4-15 (filed within 60 days: no minimum). Its
// interest to the payment: 7 days at 6% compounded daily, $9,000 x ((1 + 0.06/365)^7 - 1) = $10.3613,
// $10.36. Failure to pay has no notice, so nothing of it is assessed.
TEST_F(PenaltyInterestTest, FailureToFileBearsInterestFromTheDueDate) {
  FlatTable(6.0, kModeDaily);
  Tax("04-15-2019", Usd(200000));
  PayTo("04-22-2019", {{0, Usd(200000)}, {7, Usd(1000)}, {29, Usd(9000)}});
  Activate(1, Usd(200000), {{0, "04-15-2019"}});
  Activate(23, Usd(200000), {{0, "04-15-2019"}, {2, "04-22-2019"}});
  ComputePenalties(doc(), D("04-22-2019"));
  EXPECT_EQ(Usd(9000), res().PenaltyAmount[23]);
  ASSERT_EQ(1u, res().assessments.size());
  EXPECT_EQ(1, Run("04-22-2019"));
  EXPECT_EQ(1036.0, res().PenaltyInterestTotal);
}

TEST_F(PenaltyInterestTest, GraceStillRunningAtTheComputationDate) {
  FlatTable(8.0, kModeDaily);
  Tax("01-15-1998", Usd(10000));
  rec(2).m_graceBits = 0x00FE;  // notice 1: 21 days
  Assess(2, "03-01-1998", Usd(500), 0);
  EXPECT_EQ(0, Run("03-22-1998"));  // 21 days: still within
  EXPECT_EQ(1, Run("03-23-1998"));
}

// $100 applied to a penalty assessed at $60: the balance drops by $60, $40 waits as credit for the
// next assessment of that penalty.
TEST_F(PenaltyInterestTest, PaymentBeyondTheAssessmentIsKeptAsCredit) {
  FlatTable(8.0, kModeSimple);
  Tax("01-01-2000", Usd(10000));
  Assess(11, "01-01-2000", Usd(60));
  PayTo("02-01-2000", {{17, Usd(100)}});
  Assess(11, "03-01-2000", Usd(60));
  EXPECT_EQ(1, Run("04-01-2000"));
  EXPECT_TRUE(res().PenaltyPrepaidFlag);
  EXPECT_EQ(std::vector<int>({22, 2, 22, 100}), Kinds());
  EXPECT_EQ(Usd(60), Step(1).m_penaltyPayment);
  EXPECT_EQ(0.0, Step(2).m_normalPrincipal);  // nothing left to bear interest
  EXPECT_EQ(Usd(20), Step(3).m_normalPrincipal);
  // 31 days on $60, then 31 days on $20, simple 8%.
  EXPECT_EQ(RoundedAmount(6000 * 0.08 * 31 / 365) + RoundedAmount(2000 * 0.08 * 31 / 365),
            res().PenaltyInterestTotal);
}

// $1,000 assessed on 1-1-2000 through 1-1-2001 with month ends: 8% simple rounds each month on the
// same $1,000; compounded daily each month's interest joins the balance. Expected figures from a
// separate month-by-month calculation.
TEST_F(PenaltyInterestTest, CompoundingFollowsTheRatePeriodMode) {
  struct Case {
    int mode;
    double total;
  };
  for (const Case& c : {Case{kModeSimple, 8022}, Case{kModeDaily, 8353}}) {
    doc_ = std::make_unique<CTDoc>();
    FlatTable(8.0, c.mode);
    Tax("01-01-2000", Usd(10000));
    Assess(11, "01-01-2000", Usd(1000));
    EXPECT_EQ(1, Run("01-01-2001", true));
    EXPECT_EQ(c.total, res().PenaltyInterestTotal) << c.mode;
    EXPECT_EQ(14u, doc().m_penaltyList.Size());  // the assessment, 12 month ends, the computation date
  }
}

TEST_F(PenaltyInterestTest, StopInterestSuspendsPenaltyInterest) {
  FlatTable(8.0, kModeSimple);
  Tax("01-01-2000", Usd(10000));
  Assess(11, "01-01-2000", Usd(1000));
  Add(kEventStopInterest, "02-01-2000", 0);
  Add(kEventStartInterest, "03-01-2000", 0);
  EXPECT_EQ(1, Run("04-01-2000"));
  EXPECT_EQ(2 * 679.0, res().PenaltyInterestTotal);  // 31 days before the stop and after the start
}

TEST_F(PenaltyInterestTest, EnteredPenaltiesBearInterestFromTheirDate) {
  FlatTable(8.0, kModeSimple);
  Tax("01-01-2000", Usd(10000));
  Add(kEventPenalty, "02-01-2000", Usd(1000));
  EXPECT_EQ(1, Run("03-03-2000"));
  EXPECT_EQ(RoundedAmount(100000 * 0.08 * 31 / 365), res().PenaltyInterestTotal);
  EXPECT_EQ(std::vector<int>({kEventPenalty, 100}), Kinds());
  EXPECT_EQ(1, Step(0).m_event);
  ASSERT_EQ(1u, res().assessments.size());
  EXPECT_EQ(-1, res().assessments[0].penalty);
}

TEST_F(PenaltyInterestTest, RatePeriodEndsBreakSteps) {
  FlatTable(10.0, kModeDaily);
  AddLine("07-01-2000", 5.0, kModeDaily);
  Tax("01-01-2000", Usd(10000));
  Assess(11, "06-01-2000", Usd(1000));
  EXPECT_EQ(1, Run("08-01-2000"));
  EXPECT_EQ(std::vector<int>({22, 100, 100}), Kinds());
  const double june = RoundedAmount(100000 * (std::pow(1 + 0.10 / 365, 29) - 1));
  const double july = RoundedAmount((100000 + june) * (std::pow(1 + 0.05 / 365, 32) - 1));
  EXPECT_EQ(june + july, res().PenaltyInterestTotal);
  EXPECT_EQ(D("06-30-2000"), Step(1).m_end);
}

// Hot interest from its applicable date 2-1-2000: two points more on the penalty balance after it.
TEST_F(PenaltyInterestTest, HotInterestRaisesTheRateFromItsStart) {
  FlatTable(8.0, kModeSimple);
  Tax("01-01-2000", Usd(10000));
  doc().m_header.m_hotInterest = 1;
  doc().m_header.m_applicableDate = D("02-01-2000");
  ComputePenalties(doc(), D("03-01-2000"));  // the run's hot dates
  Assess(11, "01-01-2000", Usd(1000));
  EXPECT_EQ(1, Run("03-01-2000"));
  EXPECT_EQ(std::vector<int>({22, 33, 100}), Kinds());
  EXPECT_EQ(RoundedAmount(100000 * 0.08 * 31 / 365) + RoundedAmount(100000 * 0.10 * 29 / 365),
            res().PenaltyInterestTotal);
  EXPECT_EQ(1, Step(2).m_hot);
}

TEST_F(PenaltyInterestTest, PenaltyWhileOverpaidIsFlagged) {
  FlatTable(8.0, kModeDaily);
  Tax("01-01-2000", Usd(10000));
  Assess(11, "01-01-2000", Usd(1000));
  ComputePenaltyInterest(doc(), D("03-01-2000"), false, [](DayNumber) { return true; });
  EXPECT_TRUE(res().PenaltyWhileRefundFlag);
  ComputePenaltyInterest(doc(), D("03-01-2000"), false, [](DayNumber) { return false; });
  EXPECT_FALSE(res().PenaltyWhileRefundFlag);
}

}  // namespace
}  // namespace zarvic
