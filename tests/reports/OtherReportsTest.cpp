#include <string>
#include <vector>

#include "reports/ReportTestSupport.h"
#include "reports/Reports.h"

namespace zarvic::testing {
namespace {

void Add(ComputeResultList& list, DayNumber end, Amount interest, int kind = 100) {
  ComputeResults& node = list.Append();
  node.m_start = list.Size() > 1 ? node.m_previous->m_end : 0;
  node.m_end = end;
  node.m_mode = 2;
  node.m_kind = static_cast<std::int16_t>(kind);
  node.m_normalInterest = interest;
}

std::vector<std::string> Between(const std::vector<std::string>& lines, const std::string& first,
                                 const std::string& last) {
  std::vector<std::string> out;
  bool in = false;
  for (const auto& line : lines) {
    if (line.find(first) == 0) in = true;
    if (in) out.push_back(line);
    if (in && line.find(last) == 0) break;
  }
  return out;
}

class MonthlyAccrualTest : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    doc.m_computeDate = MakeDate(8, 15, 96);
    AddEvent(kEventTax, MakeDate(4, 15, 96), 1000000);
    Add(doc.m_normalList, MakeDate(4, 15, 96), 0, 0);
    Add(doc.m_normalList, MakeDate(4, 30, 96), 10000, 200);
    Add(doc.m_normalList, MakeDate(5, 31, 96), 10300, 200);
    Add(doc.m_normalList, MakeDate(6, 30, 96), 10000, 200);
    Add(doc.m_normalList, MakeDate(7, 31, 96), 10100, 200);
    Add(doc.m_normalList, MakeDate(8, 15, 96), 5000, 500);
    Add(doc.m_penaltyList, MakeDate(7, 31, 96), 1000);
    computation.totals.normalInterest = 45400;
    computation.totals.penaltyInterest = 1000;
    options.fiscalYearEnd = 5;  // June
  }
  std::vector<std::string> Accrual() {
    ReportWriter& w = Writer();
    EXPECT_TRUE(WriteMonthlyAccrual(w));
    return WrittenLines();
  }
};

TEST_F(MonthlyAccrualTest, MonthsWithFiscalYearTotalsAndGrandTotals) {
  std::vector<std::string> lines = Accrual();
  EXPECT_EQ(0u, lines[0].find("MONTHLY ACCRUAL REPORT"));
  const std::vector<std::string> expected = {
      "04-30-96                    100.00           0.00           0.00         100.00",
      "05-31-96                    103.00           0.00           0.00         103.00",
      "06-30-96                    100.00           0.00           0.00         100.00",
      "1996 Totals                 303.00           0.00           0.00         303.00",
      " ",
      "07-31-96                    101.00          10.00           0.00         111.00",
      "08-15-96                     50.00           0.00           0.00          50.00",
      "1997 Totals                 151.00          10.00           0.00         161.00",
      " ",
      "Grand Totals                454.00          10.00           0.00         464.00",
      " ",
      " ",
      "                              Summary as of 08-15-96",
  };
  EXPECT_EQ(expected, Between(lines, "04-30-96", "                              Summary"));
  ASSERT_EQ(2u, computation.runs.size());
  EXPECT_TRUE(computation.runs[0].monthly);
  EXPECT_FALSE(computation.runs[1].monthly);
}

TEST_F(MonthlyAccrualTest, RoundingAdjustmentOnlyWhenTheSumsDiffer) {
  for (const auto& line : Accrual()) EXPECT_EQ(std::string::npos, line.find("Rounding adjustment"));
  computation.totals.normalInterest = 45401;
  computation.totals.refundInterest = -200;
  std::vector<std::string> lines = Accrual();
  std::vector<std::string> rows = Between(lines, "Rounding adjustment", "Grand Totals");
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ("Rounding adjustment           0.01           0.00          -2.00          -1.99", rows[0]);
}

TEST_F(MonthlyAccrualTest, DecemberYearEndNamesTheCalendarYear) {
  options.fiscalYearEnd = 11;
  doc.m_computeDate = MakeDate(1, 31, 97);
  Add(doc.m_normalList, MakeDate(1, 31, 97), 2000, 500);
  std::vector<std::string> lines = Accrual();
  EXPECT_EQ(1u, Between(lines, "1996 Totals", "1996 Totals").size());
  EXPECT_EQ(0u, Between(lines, "12-31-96", "12-31-96")[0].find("12-31-96"));
  EXPECT_EQ(1u, Between(lines, "1997 Totals", "1997 Totals").size());
}

class PenaltyReportTest : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    doc.m_computeDate = MakeDate(8, 15, 96);
    doc.TaxDate = MakeDate(4, 15, 95);
  }
};

TEST_F(PenaltyReportTest, FailureToFileAloneWritesOneSection) {
  PenaltyRecord& ftf = doc.m_penalties[23];
  ftf.m_flags = PEN_ACTIVE;
  ftf.m_dates[0] = MakeDate(4, 15, 95);
  ftf.m_dates[2] = MakeDate(7, 20, 95);
  ftf.m_amounts[1] = 4;
  ftf.m_monthsCharged = 4;
  ftf.SetRate(5);
  doc.m_penaltyResults.PenaltyBase[23] = 1000000;
  doc.m_penaltyResults.PenaltyGross[23] = 200000;
  doc.m_penaltyResults.PenaltyAmount[23] = 200000;
  doc.m_penalties[22].m_flags = PEN_ACTIVE;  // the hot-interest record is never a penalty section
  ReportWriter& w = Writer();
  EXPECT_EQ(1, WritePenaltyDetails(w));
  std::vector<std::string> lines = WrittenLines();
  EXPECT_EQ(0u, lines[0].find("PENALTY COMPUTATION DETAIL REPORT"));
  EXPECT_EQ("Failure to File Return When Due -- IRC 6651(a)(1)", lines[4]);
  const std::vector<std::string> expected = {
      "Return due date (with extensions) ....: 04-15-95", "Date return received .................: 07-20-95",
      "Months late (a part month counts) ....:  4",       "Months charged (at most 5) ...........: 4",
      "Rate per month .......................:  5 %",     "Failure to file due to fraud .........: No",
      "Minimum penalty rule applied .........: Yes",
  };
  // The notice date line is for returns due before 07-19-84 only.
  EXPECT_EQ(expected, std::vector<std::string>(lines.begin() + 8, lines.begin() + 15));
  for (const auto& line : lines) EXPECT_EQ(std::string::npos, line.find("6621(c)"));
}

TEST_F(PenaltyReportTest, FailureToPayHistoryGroupsMonthsAtNoticesAndChanges) {
  doc.m_penalties[1].m_dates[1] = MakeDate(5, 20, 96);
  doc.m_penaltyResults.failureToPayMonths = {
      {MakeDate(4, 15, 96), 1, 1000000, 5000, false},
      {MakeDate(5, 15, 96), 1, 1000000, 5000, false},
      {MakeDate(6, 15, 96), 1, 800000, 4000, false},
      {MakeDate(7, 15, 96), 3, 800000, 8000, false},
  };
  ReportWriter& w = Writer();
  WriteFailureToPayHistory(w, 1);
  const std::vector<std::string> expected = {
      "  IRS notice date           05-20-96",
      "  Penalty base through      06-15-96     10,000.00    2  0.5%          100.00",
      "  Less payments                          <2,000.00>",
      " ",
      "  Penalty base through      07-15-96      8,000.00    1  0.5%           40.00",
      "  Penalty rate change",
      " ",
      "  Penalty base through      08-15-96      8,000.00    1  1.0%           80.00",
      " ",
  };
  EXPECT_EQ(expected, WrittenLines());
}

TEST_F(PenaltyReportTest, GracePeriodPaymentsAreNamedSo) {
  doc.m_penaltyResults.failureToPayAssessmentMonths = {
      {MakeDate(3, 22, 98), 1, 500000, 0, true},
      {MakeDate(4, 22, 98), 1, 300000, 1500, false},
  };
  ReportWriter& w = Writer();
  WriteFailureToPayHistory(w, 2);
  const std::vector<std::string> expected = {
      "  Payment made during grace period       <2,000.00>",
      " ",
      "  Penalty base through      08-15-96      3,000.00    1  0.5%           15.00",
      " ",
  };
  EXPECT_EQ(expected, WrittenLines());
}

class PaymentReportTest : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    doc.m_computeDate = MakeDate(12, 31, 96);
    AddEvent(kEventTax, MakeDate(4, 15, 95), 1000000);
  }
  std::vector<std::string> Allocation() {
    ReportWriter& w = Writer();
    WritePaymentAllocation(w);
    return WrittenLines();
  }
};

TEST_F(PaymentReportTest, DepositsShowTheirTotalOrWhatIsLeftUnallocated) {
  CEvent& payment = AddEvent(kEventPayment, MakeDate(6, 15, 95), 150000);
  payment.Allocation().m_payment[0] = 100000;
  payment.Allocation().m_payment[1] = 50000;
  CEvent& full = AddEvent(kEventDeposit, MakeDate(7, 1, 95), 200000);
  full.Allocation().m_payment[0] = 200000;
  CEvent& part = AddEvent(kEventDeposit, MakeDate(8, 1, 95), 300000);
  part.Allocation().m_payment[0] = 200000;
  std::vector<std::string> lines = Allocation();
  const std::vector<std::string> expected = {
      "06-15-95  Tax                           1,000.00",
      "          Interest                        500.00                      1,500.00",
      " ",
      "07-01-95  Tax                                          2,000.00       2,000.00",
      " ",
      "08-01-95  Tax                                          2,000.00",
      "          Unallocated amount of deposit                1,000.00       3,000.00",
      " ",
      "          Totals                        1,500.00       5,000.00       6,500.00",
  };
  EXPECT_EQ(expected, Between(lines, "06-15-95", "          Totals"));
}

TEST_F(PaymentReportTest, TaxLabelNamesIrsChecksWhenThereAreAny) {
  CEvent& payment = AddEvent(kEventPayment, MakeDate(6, 15, 95), 100000);
  payment.Allocation().m_payment[0] = 100000;
  EXPECT_EQ(1u, Between(Allocation(), "06-15-95  Tax  ", "06-15-95").size());
  AddEvent(kEventIrsCheck, MakeDate(9, 1, 95), 5000);
  EXPECT_EQ(1u, Between(Allocation(), "06-15-95  Tax or IRS Check", "06-15-95").size());
}

TEST_F(PaymentReportTest, NothingToPrintWithoutPayments) {
  EXPECT_TRUE(Allocation().empty());
  EXPECT_TRUE(ui.Saw("No payments to print"));
}

TEST_F(ReportTest, RateTableListingNamesEveryMethod) {
  RateTable& t = doc.m_rateTable;
  const RateLine rows[] = {
      {MakeDate(1, 1, 83), kModeOldIrs, 16, 19.2, 16, 365},
      {MakeDate(1, 1, 87), kModeDaily, 9, 10.8, 8, 365},
      {MakeDate(1, 1, 88), kModeDaily, 11, 13.2, 10, 366},
      {MakeDate(1, 1, 89), kModePQuarterly, 11, 13.2, 10, 100},
      {MakeDate(1, 1, 90), kModePMonthly, 11, 13.2, 10, 100},
      {MakeDate(1, 1, 91), kModeMonthlyWhole, 10, 12, 9, 365},
  };
  for (size_t i = 0; i < std::size(rows); ++i) t.lines[i] = rows[i];
  t.lineCount = static_cast<std::uint16_t>(std::size(rows));
  ReportWriter& w = Writer();
  EXPECT_EQ(6, WriteRateTableListing(w));
  std::vector<std::string> lines = WrittenLines();
  EXPECT_EQ(0u, lines[0].find("INTEREST RATE TABLE LISTING"));
  const std::vector<std::string> expected = {
      "01-01-83     Old IRS Method       16.00       19.20      16.00   365",
      "01-01-87     Daily                 9.00       10.80       8.00   365",
      "01-01-88     Daily                11.00       13.20      10.00   366",
      "01-01-89     Unknown method       11.00       13.20      10.00   365.25",
      "01-01-90     Unknown method       11.00       13.20      10.00   365.25",
      "01-01-91     Monthly (wh mnths)   10.00       12.00       9.00   365",
  };
  EXPECT_EQ(expected, Between(lines, "01-01-83", "01-01-91"));
}

}  // namespace
}  // namespace zarvic::testing
