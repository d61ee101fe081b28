// Up to ten problems share one process with their windows: a run of a problem refuses a second run
// of the same problem started from inside one of its message boxes, the window hooks survive being
// replaced while they run, an allocation window leaves the problem's results as they were, and
// messages and refreshes name their problem.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "allocation/PaymentAllocation.h"
#include "engine/ComputeDriver.h"
#include "penalties/PenaltyModel.h"
#include "support/ProblemFixture.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Line;
using testing::MakeTable;

class ProblemRunsTest : public testing::ProblemFixture {
 protected:
  void SetUp() override { savedDialog_ = SetCCorporationDialog(nullptr); }
  void TearDown() override {
    SetCCorporationDialog(savedDialog_);
    ProblemFixture::TearDown();
  }

  // A tax, a payment and a compute date before the payment: every computation shows 20012's caution.
  static void FillProblem(CTDoc& doc) {
    doc.m_rateTable = MakeTable("STATE", {Line("01-01-90", kModeSimple, 10, 12, 9)});
    for (CEvent& e : doc.m_events) e.Clear();
    doc.m_events[0].m_type = kEventTax;
    doc.m_events[0].m_date = D("01-01-95");
    doc.m_events[0].m_amount = 100000;
    doc.m_events[1].m_type = kEventPayment;
    doc.m_events[1].m_date = D("03-01-95");
    doc.m_events[1].m_amount = 50000;
    doc.m_computeDate = D("02-01-95");
  }

  CCorporationDialog savedDialog_;
};

// Regression: F9 pressed in a problem's window while a message box of that problem's computation was
// up ran a second computation inside the first, which then went on over cleared results.
TEST_F(ProblemRunsTest, ARecomputeFromInsideAMessageBoxIsRefused) {
  FillProblem(Doc());
  bool inner = true;
  ui_.whileShown = [&](const RecordingUserInterface::Message& shown) {
    EXPECT_EQ(&Doc(), shown.problem);
    inner = ComputeProblem(Doc(), false);
  };
  ASSERT_TRUE(ComputeProblem(Doc(), false));
  EXPECT_FALSE(inner);
  ASSERT_EQ(2u, ui_.messages.size());
  EXPECT_EQ(kProblemBusyText, ui_.messages[1].text);
  EXPECT_FALSE(Doc().IsBusy());

  CTDoc fresh;
  FillProblem(fresh);
  ASSERT_TRUE(ComputeProblem(fresh, false));
  EXPECT_EQ(FinalTotal(fresh), FinalTotal(Doc()));
  EXPECT_EQ(TotalInterest(fresh), TotalInterest(Doc()));

  // Another problem computes meanwhile as usual.
  CTDoc other;
  FillProblem(other);
  bool otherComputed = false;
  ui_.whileShown = [&](const RecordingUserInterface::Message&) { otherComputed = ComputeProblem(other, true); };
  ASSERT_TRUE(ComputeProblem(Doc(), false));
  EXPECT_TRUE(otherComputed);
  EXPECT_EQ(FinalTotal(fresh), FinalTotal(other));
}

// Regression: the hooks were called through a reference to the installed function, so a dialog that
// installed another hook while it was open destroyed the function that was running.
TEST_F(ProblemRunsTest, AHookReplacedWhileItsDialogIsOpenKeepsRunning) {
  Doc().m_rateTable = MakeTable("FEDTEST", {Line("01-01-94", kModeDaily, 8, 9.6, 7)});
  Doc().m_events[0].m_type = kEventPayment;
  Doc().m_events[0].m_date = D("06-30-94");
  Doc().m_events[0].m_amount = 1500000;
  Doc().m_header.m_cCorporation = 1;
  Doc().m_computeDate = D("06-30-95");
  auto state = std::make_shared<std::string>("captured");
  std::string seen;
  SetCCorporationDialog([state, &seen](CTDoc&) {
    SetCCorporationDialog(nullptr);  // frees the installed function
    seen = *state;                   // still this call's own copy
    return false;
  });
  ASSERT_TRUE(ComputeProblem(Doc(), false));
  EXPECT_EQ("captured", seen);

  Doc().m_events[0].m_type = kEventTax;
  Doc().m_events[0].m_date = D("04-15-1995");
  Doc().m_events[0].m_amount = 1000000;
  PenaltyWindowHook saved = SetPenaltyWindowHook([state, &seen](CTDoc&, int, PenaltyWindowClass) {
    SetPenaltyWindowHook(nullptr);
    seen = *state + " again";
    return false;
  });
  EXPECT_FALSE(EditPenalty(Doc(), 1));
  EXPECT_EQ("captured again", seen);
  SetPenaltyWindowHook(saved);
}

// Regression: the allocation window's checks compute through the payment, and a cancelled window left
// those partial results in the problem; the window's dues also lived in the problem.
TEST_F(ProblemRunsTest, TheAllocationWindowLeavesTheResultsAsTheyWere) {
  FillProblem(Doc());
  Doc().m_computeDate = D("12-31-95");
  ASSERT_TRUE(ComputeProblem(Doc(), true));
  const Amount total = FinalTotal(Doc());
  const Amount interest = TotalInterest(Doc());
  for (AllocationWindowResult result : {AllocationWindowResult::Cancel, AllocationWindowResult::Ok}) {
    double dueTaxSeen = -1;
    OpenPaymentAllocation(Doc(), 1, [&](CTDoc& doc, int, const DueByCategory& dueBefore) {
      // Something else computes the problem meanwhile; the window's own figures stay.
      doc.m_dueByCategory.fill(0);
      dueTaxSeen = dueBefore[kCategoryTax];
      return result;
    });
    EXPECT_EQ(100000.0, dueTaxSeen);
    EXPECT_EQ(total, FinalTotal(Doc()));
    EXPECT_EQ(interest, TotalInterest(Doc()));
  }
}

TEST_F(ProblemRunsTest, RefreshesNameTheirProblem) {
  FillProblem(Doc());
  ui_.refreshed.clear();
  Doc().SortEvents(0);
  std::swap(Doc().m_events[0], Doc().m_events[1]);
  Doc().SortEvents(0);
  ASSERT_FALSE(ui_.refreshed.empty());
  for (const CTDoc* problem : ui_.refreshed) EXPECT_EQ(&Doc(), problem);
}

}  // namespace
}  // namespace zarvic
