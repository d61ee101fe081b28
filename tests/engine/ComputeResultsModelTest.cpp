#include <gtest/gtest.h>

#include "core/AppOptions.h"
#include "core/DiagnosticLog.h"
#include "engine/ComputeDriver.h"
#include "engine/ComputeResultsModel.h"
#include "problem/EventTypes.h"
#include "support/ProblemFixture.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Ev;

class ComputeResultsModelTest : public testing::ProblemFixture {
 protected:
  void SetUp() override {
    UseFederalTable();
    SetEvents({{kEventTax, "04-15-1995", 100000}, {kEventPayment, "06-15-1996", 50000}});
    Doc().m_computeDate = D("12-31-1997");
  }
};

TEST_F(ComputeResultsModelTest, RowsAreTheCoreTotals) {
  // Each row against the core's own total of the same run.
  ComputeResultsModel model(Doc());
  ASSERT_TRUE(model.Recompute(D("12-31-1997")));
  const ResultValues& v = model.Values();
  EXPECT_EQ(10000000.0, v[0]);
  EXPECT_EQ(0.0, v[1]);
  EXPECT_EQ(TotalInterest(Doc()), v[2]);
  EXPECT_EQ(2016510.0, v[2]);
  EXPECT_EQ(0.0, v[3]);
  EXPECT_EQ(TotalRefundInterest(Doc()), v[4]);
  EXPECT_EQ(-5000000.0, v[5]);
  EXPECT_EQ(FinalTotal(Doc()), v[6]);
  EXPECT_EQ(7016510.0, v[6]);
  EXPECT_EQ("100,000.00", model.Text(ResultRow::Tax));
  EXPECT_EQ("<0.00>", model.Text(ResultRow::RefundInterest));
  EXPECT_EQ("<50,000.00>", model.Text(ResultRow::PaymentsAndCredits));
  EXPECT_EQ("70,165.10", model.Text(ResultRow::Total));
}

// With "AtKBN" on and its log kept, each computation of the window leaves its result nodes there.
TEST_F(ComputeResultsModelTest, EachComputationIsTracedInTheDiagnosticLog) {
  testing::TempFolder folder;
  const std::string log = folder / "trace.log";
  Doc().m_header.m_taxpayerName.SetText("Jordan Whitfield");
  ComputeResultsModel model(Doc());
  ASSERT_TRUE(model.Recompute(D("12-31-1997")));  // no log yet: nothing is written
  Options().atKbn = true;
  ASSERT_TRUE(DiagnosticLog(log, false));
  ASSERT_TRUE(model.Recompute(D("12-31-1997")));
  CloseDiagnosticLog();
  Options().atKbn = false;
  ASSERT_TRUE(model.Recompute(D("12-31-1997")));  // closed: nothing more

  const std::string text = testing::ReadFile(log);
  EXPECT_EQ(ComputationTrace(Doc()).size(), text.size());
  EXPECT_EQ(0u, text.find("Computed Jordan Whitfield to 12-31-1997\nNormal list:\nComputeResults (0X"))
      << text;
  // Each list is named; the normal list has a node per period (tax, payment, rate changes, the end).
  const std::size_t motivated = text.find("Motivated list:\n");
  const std::size_t penalty = text.find("Penalty interest list:\n");
  ASSERT_NE(std::string::npos, motivated);
  ASSERT_NE(std::string::npos, penalty);
  EXPECT_LT(motivated, penalty);
  EXPECT_NE(std::string::npos, text.find("Type: NORMALTAX "));
  EXPECT_NE(std::string::npos, text.find("Type: PAYMENT "));
  EXPECT_EQ(std::string::npos, text.find("ComputeResults", motivated));  // no motivated tax, no penalties
}

TEST_F(ComputeResultsModelTest, RowsCountOnlyEventsThroughTheComputeDate) {
  ComputeResultsModel model(Doc());
  ASSERT_TRUE(model.Recompute(D("01-31-1996")));
  EXPECT_EQ(0.0, model.Values()[5]);  // the payment of 06-15-96 is later
  EXPECT_EQ("<0.00>", model.Text(ResultRow::PaymentsAndCredits));
}

TEST(ComputeResultsFormat, BracketsAndWholeDollars) {
  struct Case {
    ResultRow row;
    double cents;
    bool wholeDollar;
    const char* text;
  };
  const Case cases[] = {
      {ResultRow::Tax, 123456, false, "1,234.56"},
      {ResultRow::Tax, -123456, false, "-1,234.56"},  // rows 1 to 3 never bracket
      {ResultRow::DebitAndIrsCheck, -123456, false, "<1,234.56>"},
      {ResultRow::Total, -123456, false, "<1,234.56>"},
      {ResultRow::Total, 0, false, "0.00"},
      {ResultRow::Total, 123456, true, "1,235"},
      {ResultRow::Total, -123450, true, "<1,235>"},
      {ResultRow::RefundInterest, 0, false, "<0.00>"},
      {ResultRow::RefundInterest, -0.005, false, "<0.00>"},
      {ResultRow::RefundInterest, 0, true, "<0>"},
      {ResultRow::RefundInterest, -98765, false, "<987.65>"},
      {ResultRow::PaymentsAndCredits, 0, false, "<0.00>"},
      // A positive payments row (a negative payment from a file) is not hidden as a zero.
      {ResultRow::PaymentsAndCredits, 5000, false, "50.00"},
  };
  const AppOptions saved = Options();
  for (const Case& c : cases) {
    Options().wholeDollarMode = c.wholeDollar;
    EXPECT_EQ(c.text, FormatResultValue(c.row, c.cents)) << ResultRowLabel(c.row) << " " << c.cents;
  }
  Options() = saved;
  EXPECT_TRUE(TotalIsRefund(-0.01));
  EXPECT_FALSE(TotalIsRefund(0.0));
}

TEST_F(ComputeResultsModelTest, OpeningWithoutComputeDateTakesToday) {
  Doc().m_computeDate = NO_DATE;
  ComputeResultsModel model(Doc());
  EXPECT_EQ(Today(), model.ComputeDate());
}

TEST_F(ComputeResultsModelTest, InvalidDateZeroesRowsKeepsTotal) {
  ComputeResultsModel model(Doc());
  ASSERT_TRUE(model.Recompute(D("12-31-1997")));
  ui_.messages.clear();
  EXPECT_FALSE(model.Recompute(NO_DATE));
  EXPECT_EQ(Texts({20023}), ui_.Texts());
  for (int row = 0; row < 6; ++row) EXPECT_EQ(0.0, model.Values()[row]) << row;
  EXPECT_EQ(7016510.0, model.Values()[6]);
  EXPECT_EQ("<0.00>", model.Text(ResultRow::PaymentsAndCredits));
  EXPECT_EQ(0.0, FinalTotal(Doc()));  // the problem's results are cleared
}

TEST_F(ComputeResultsModelTest, CautionsShowAgainOnlyForANewDate) {
  // A compute date before the last event gives its caution on every computation; the first-run
  // cautions (here the large underpayment without hot interest, 20022) only when the date changes.
  SetEvents({{kEventTax, "04-15-1995", 200000}, {kEventPayment, "06-15-1996", 50000}});
  ComputeResultsModel model(Doc());
  ASSERT_TRUE(model.Recompute(D("12-31-1997")));
  const std::string caution(StringText(20022));
  ASSERT_TRUE(ui_.Saw(caution));
  ui_.messages.clear();
  ASSERT_TRUE(model.Recompute(D("12-31-1997")));
  EXPECT_FALSE(ui_.Saw(caution));
  ASSERT_TRUE(model.Recompute(D("06-30-1998")));
  EXPECT_TRUE(ui_.Saw(caution));
}

// Regression: the results window's new compute date made every recompute of a C corporation's refund
// open the "C Corporation Refund Issues" dialog again. It opens on the first computation after the
// problem is opened or reset only; the cautions of a new date still show.
TEST_F(ComputeResultsModelTest, CCorporationDialogOpensOnlyOnTheFirstComputation) {
  SetEvents({{kEventPayment, "06-30-1994", 15000}, {kEventTax, "04-15-1995", 200}});
  Doc().m_header.m_cCorporation = 1;
  Doc().m_rateTable.endDate = D("12-31-1996");
  int dialogs = 0;
  const CCorporationDialog saved = SetCCorporationDialog([&dialogs](CTDoc&) {
    ++dialogs;
    return false;
  });
  const std::string afterTableEnd(StringText(20015));
  ComputeResultsModel model(Doc());
  ASSERT_TRUE(model.Recompute(D("12-31-1997")));
  ASSERT_LT(FinalTotal(Doc()), 0.0);  // a refund, which the dialog is about
  EXPECT_EQ(1, dialogs);
  EXPECT_TRUE(ui_.Saw(afterTableEnd));
  for (const char* date : {"06-30-1998", "12-31-1997", "03-31-1999"}) {
    SCOPED_TRACE(date);
    ui_.messages.clear();
    ASSERT_TRUE(model.Recompute(D(date)));
    EXPECT_EQ(1, dialogs);
    EXPECT_TRUE(ui_.Saw(afterTableEnd));  // another date is another first computation for the cautions
  }
  // A reset (as opening a file does) starts over.
  Doc().ClearComputation();
  ASSERT_TRUE(model.Recompute(D("03-31-1999")));
  EXPECT_EQ(2, dialogs);
  SetCCorporationDialog(saved);
}

}  // namespace
}  // namespace zarvic
