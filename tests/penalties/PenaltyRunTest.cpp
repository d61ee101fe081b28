#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PenaltyTestSupport.h"
#include "allocation/PaymentAllocation.h"
#include "core/StringTable.h"
#include "engine/ComputeDriver.h"
#include "penalties/PenaltyPass.h"
#include "ratetables/TableFile.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Usd;

// Whole computations through the compute driver: the payments are allocated by the driver itself.
class PenaltyRunTest : public testing::PenaltyTest {
 protected:
  void LoadFederalTable() {
    ASSERT_TRUE(LoadTable(doc().m_rateTable, std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3", true));
  }
  // A payment left for the driver to allocate.
  int Unallocated(const char* date, double cents) {
    const int i = Pay(date, cents);
    doc().m_events[i].m_allocation.reset();
    return i;
  }
  // The numbers of the messages shown, in order.
  std::vector<int> MessageIds() const {
    std::vector<int> ids;
    for (const std::string& text : ui_.Texts()) {
      for (const StringEntry& entry : StringTableEntries()) {
        if (text == entry.text) {
          ids.push_back(entry.id);
          break;
        }
      }
    }
    return ids;
  }
};

// The late-filed, late-paid return of the penalty scenario, now allocated and computed by the driver.
// The IRS order sends the whole $20,000 payment to tax, so the penalty figures are those worked out
// there. The tax interest, worked by hand the same way (daily compounding, one rounding per period):
// $20,000 from 4-15 to 6-30 at 4% (167.26), to 9-20 at 5% (227.80); the $395.06 of interest left after
// the payment to 9-30 at 5% (0.54) and to 12-31 at 6% (6.03): $401.63. Final total: that, the penalty
// interest $172.63 and the penalties $5,100.00.
TEST_F(PenaltyRunTest, LateFiledLatePaidReturnThroughTheDriver) {
  LoadFederalTable();
  Tax("04-15-2022", Usd(20000));
  const int payment = Unallocated("09-20-2022", Usd(20000));
  Activate(1, Usd(20000), {{0, "04-15-2022"}, {1, "10-17-2022"}}).SetFlag(PEN_INDIVIDUAL_TIMELY, true);
  Activate(23, Usd(20000), {{0, "04-15-2022"}, {2, "09-20-2022"}});
  doc().m_computeDate = D("12-31-2022");

  ASSERT_TRUE(ComputeProblem(doc(), true));
  ASSERT_TRUE(doc().m_events[payment].m_allocation);
  EXPECT_EQ(Usd(20000), doc().m_events[payment].m_allocation->m_payment[0]);
  EXPECT_EQ(Usd(600), res().PenaltyAmount[1]);
  EXPECT_EQ(Usd(4500), res().PenaltyAmount[23]);
  EXPECT_EQ(17263, res().PenaltyInterestTotal);
  EXPECT_EQ(40163, doc().m_compute.m_normalInterestTotal);
  EXPECT_EQ(40163 + 17263 + Usd(5100), FinalTotal(doc()));
}

// At the payment the dues include the penalty interest then accrued (category 5): the failure-to-file
// assessment of $4,500 from 4-15 to 9-20 ($37.63 to 6-30 at 4%, $51.25 to 9-20 at 5%).
TEST_F(PenaltyRunTest, PenaltyInterestIsDueAtAPayment) {
  LoadFederalTable();
  Tax("04-15-2022", Usd(20000));
  const int payment = Unallocated("09-20-2022", Usd(20000));
  Activate(1, Usd(20000), {{0, "04-15-2022"}, {1, "10-17-2022"}});
  Activate(23, Usd(20000), {{0, "04-15-2022"}, {2, "09-20-2022"}});
  doc().m_computeDate = D("12-31-2022");
  ASSERT_TRUE(RunComputation(doc(), D("09-20-2022"), false, false));
  EXPECT_EQ(3763 + 5125, res().PenaltyInterestTotal);
  AllocatePayment(doc(), payment);
  EXPECT_EQ(3763 + 5125, doc().m_dueByCategory[5]);
  EXPECT_EQ(Usd(4500), doc().m_dueByCategory[6 + 23]);
}

// The cautions of a first computation that concern penalties, in their order: 20038 (a penalty paid
// beyond what was assessed of it), 18015 (penalties without the federal table), then 19415 and 20048.
TEST_F(PenaltyRunTest, PenaltyCautionsOfTheFirstComputation) {
  LoadFederalTable();
  doc().m_rateTable.name = "STATE";
  Tax("04-15-2021", Usd(10000));
  // $10,200 on 10-1-21: $10,000 to tax, $200 to failure to pay, of which only $100 (the months of 4-15
  // and 5-15) was assessed at notice 1 on 6-1-21.
  Unallocated("10-01-2021", Usd(10200));
  Activate(1, Usd(10000), {{0, "04-15-2021"}, {1, "06-01-2021"}});
  Activate(2, Usd(12000), {{0, "08-01-2021"}});
  doc().m_computeDate = D("12-31-2021");
  ASSERT_TRUE(ComputeProblem(doc(), false));
  EXPECT_TRUE(res().PenaltyPrepaidFlag);
  std::vector<int> ids = MessageIds();
  std::vector<int> penaltyCautions;
  std::copy_if(ids.begin(), ids.end(), std::back_inserter(penaltyCautions),
               [](int id) { return id == 20038 || id == 18015 || id == 19415 || id == 20048; });
  EXPECT_EQ(std::vector<int>({20038, 18015, 19415, 20048}), penaltyCautions);
}

// An entered penalty while the taxpayer has overpaid: it bears interest, and the refund warning of the
// interest report is raised.
TEST_F(PenaltyRunTest, PenaltyDuringAnOverpaymentIsFlagged) {
  LoadFederalTable();
  Tax("04-15-2021", Usd(1000));
  Unallocated("04-15-2021", Usd(5000));
  Add(kEventPenalty, "06-01-2021", Usd(500));
  doc().m_computeDate = D("12-31-2021");
  ASSERT_TRUE(ComputeProblem(doc(), true));
  EXPECT_GT(res().PenaltyInterestTotal, 0.0);
  EXPECT_TRUE(res().PenaltyWhileRefundFlag);

  doc().m_events[1].m_amount = Usd(500);  // now an underpayment throughout
  doc().m_events[1].m_allocation.reset();
  ASSERT_TRUE(ComputeProblem(doc(), true));
  EXPECT_FALSE(res().PenaltyWhileRefundFlag);
}

TEST_F(PenaltyRunTest, DelinquencyCautionsShowEvenWhenQuiet) {
  LoadFederalTable();
  Tax("04-15-2021", Usd(10000));
  Activate(2, Usd(12000), {{0, "08-01-2021"}});
  doc().m_computeDate = D("12-31-2021");
  ASSERT_TRUE(ComputeProblem(doc(), true));
  EXPECT_EQ(std::vector<int>({19415}), MessageIds());
}

}  // namespace
}  // namespace zarvic
