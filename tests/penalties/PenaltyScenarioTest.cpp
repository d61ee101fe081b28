#include <gtest/gtest.h>

#include <string>

#include "PenaltyTestSupport.h"
#include "penalties/PenaltyInterest.h"
#include "penalties/PenaltyPass.h"
#include "ratetables/TableFile.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Usd;

class PenaltyScenarioTest : public testing::PenaltyTest {
 protected:
  void LoadFederalTable() {
    ASSERT_TRUE(LoadTable(doc().m_rateTable, std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3", true));
  }
};

// An individual's 2021 return, due 4-15-2022 without extension, showing $20,000 of tax, filed and paid
// in full on 9-20-2022; the IRS gives notice of the failure-to-pay penalty on 10-17-2022. Computed
// through 12-31-2022.
//
// Worked by hand:
// - Failure to pay: 0.5% of $20,000 = $100 for each month from 4-15, 5-15, 6-15, 7-15, 8-15 and 9-15
//   (the payment falls in the window of the month from 9-15, which runs to 10-16): $600. The 25% cap
//   runs on the same declining balance and is $600 too. All of it is assessed at the notice.
// - Failure to file: received in the sixth month; five months of 5% of $20,000 = $5,000, less the
//   $500 of failure to pay of those five months: $4,500, assessed at the due date.
// - Interest on the penalties, daily compounding on the federal rates (4% from 4-1-22, 5% from 7-1-22,
//   6% from 10-1-22), each period rounded to the cent:
//   $4,500 from 4-15 to 6-30 (76 days, 4%): 37.63; to 9-30 (92 days, 5%): 57.54; to 10-17 (17 days,
//   6%): 12.86; then with the $600 from 10-17 to 12-31 (75 days, 6%): 64.60. Total $172.63.
TEST_F(PenaltyScenarioTest, LateFiledLatePaidIndividualReturn) {
  LoadFederalTable();
  Tax("04-15-2022", Usd(20000));
  Pay("09-20-2022", Usd(20000));
  Activate(1, Usd(20000), {{0, "04-15-2022"}, {1, "10-17-2022"}}).SetFlag(PEN_INDIVIDUAL_TIMELY, true);
  Activate(23, Usd(20000), {{0, "04-15-2022"}, {2, "09-20-2022"}});
  const DayNumber C = D("12-31-2022");

  ComputePenalties(doc(), C);
  EXPECT_EQ(Usd(600), res().PenaltyAmount[1]);
  EXPECT_EQ(Usd(600), res().PenaltyCap[1]);
  EXPECT_EQ(9.0, rec(1).m_rate);
  EXPECT_EQ(Usd(5000), res().PenaltyGross[23]);
  EXPECT_EQ(Usd(500), res().PenaltyOverlap[23]);
  EXPECT_EQ(Usd(4500), res().PenaltyAmount[23]);
  EXPECT_EQ(5, rec(23).m_monthsCharged);
  EXPECT_EQ(6.0, rec(23).m_amounts[1]);
  ASSERT_EQ(2u, res().assessments.size());
  EXPECT_EQ(23, res().assessments[0].penalty);
  EXPECT_EQ(D("04-15-2022"), res().assessments[0].date);
  EXPECT_EQ(1, res().assessments[1].penalty);
  EXPECT_EQ(D("10-17-2022"), res().assessments[1].date);

  EXPECT_EQ(1, ComputePenaltyInterest(doc(), C, false, OverpaymentProbe{}));
  EXPECT_EQ(3763 + 5754 + 1286 + 6460, res().PenaltyInterestTotal);
}

// Fraud on a 1985 return due 4-15-1986: $50,000 of tax, $20,000 of it fraudulent, $40,000 paid on
// 4-15-1987; notice of the penalty 6-1-1988, computed through 4-15-1988.
//
// Worked by hand: 50% of $20,000 is $10,000. The interest component follows the IRS order: the payment
// pays the $30,000 not due to fraud first, so only $10,000 of it comes off the fraudulent $20,000. On
// the federal rates (10% to 6-30-86, 9% to 9-30-87 with the line breaks of 12-31-86 and 3-31-87, 10% to
// 12-31-87, 11% to 3-31-88, 10% after, daily compounding within each line period, the period's
// interest joining the amount at its end, 366 days a year in 1988):
// 420.75 + 947.71 + 479.45 + 80.95 (to the payment) + 224.09 + 278.80 + 317.29 + 353.44 + 53.80
// = $3,156.28; half of it, $1,578.14, is added.
TEST_F(PenaltyScenarioTest, FraudOnA1985ReturnWithAPayment) {
  LoadFederalTable();
  Tax("04-15-1986", Usd(50000));
  Pay("04-15-1987", Usd(40000));
  PenaltyRecord& fraud = Activate(4, Usd(20000), {{0, "04-15-1986"}, {1, "06-01-1988"}});
  fraud.m_amounts[1] = Usd(20000);
  ComputePenalties(doc(), D("04-15-1988"));
  EXPECT_EQ(50.0, fraud.m_rate);
  EXPECT_EQ(157814, res().PenaltyComponent[4]);
  EXPECT_EQ(Usd(10000) + 157814, res().PenaltyAmount[4]);
  ASSERT_EQ(1u, res().assessments.size());
  EXPECT_EQ(D("06-01-1988"), res().assessments[0].date);
}

}  // namespace
}  // namespace zarvic
