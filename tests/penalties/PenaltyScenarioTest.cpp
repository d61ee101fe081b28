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

}  // namespace
}  // namespace zarvic
