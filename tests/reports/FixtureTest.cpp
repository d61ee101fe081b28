// Complete reports of realistic problems, compared line by line with reviewed files in
// tests/fixtures/reports/. After an intended change, ZARVIC_UPDATE_FIXTURES=1 rewrites them; review the
// difference before committing it.

#include <cstdlib>
#include <string>

#include "reports/EngineReportComputation.h"
#include "reports/EstimatedTaxReport.h"
#include "reports/ReportTestSupport.h"
#include "worksheets/EstimatedTaxSupport.h"

namespace zarvic::testing {
namespace {

std::string FixturePath(const std::string& name) {
  return std::string(ZARVIC_SOURCE_DIR) + "/tests/fixtures/reports/" + name;
}

void Node(ComputeResultList& list, DayNumber start, DayNumber end, int kind, int event, int days,
          double principal, double interest, double rate, double factor, double amount = 0.0) {
  ComputeResults& n = list.Append();
  n.m_start = start;
  n.m_end = end;
  n.m_kind = static_cast<std::int16_t>(kind);
  n.m_event = static_cast<std::int16_t>(event);
  n.m_days = static_cast<std::int16_t>(days);
  n.m_mode = kModeDaily;
  n.m_normalPrincipal = principal;
  n.m_normalInterest = interest;
  n.m_normalRate = rate;
  n.m_normalFactor = factor;
  n.m_amount = amount;
}

class FixtureTest : public ReportTest {
 protected:
  void ExpectFixture(const std::string& name, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    const char* update = std::getenv("ZARVIC_UPDATE_FIXTURES");
    if (update != nullptr && std::string(update) == "1") WriteFile(FixturePath(name), text);
    std::vector<std::string> expected;
    std::string fixture = ReadFile(FixturePath(name));
    size_t start = 0;
    for (size_t end; (end = fixture.find('\n', start)) != std::string::npos; start = end + 1) {
      expected.push_back(fixture.substr(start, end - start));
    }
    ASSERT_FALSE(expected.empty()) << "missing fixture " << name;
    EXPECT_EQ(expected, lines);
  }

  // An individual's 2022 return due 04-15-23, filed 08-01-23: a tax of 10,000.00, a payment of 4,000.00
  // on 06-15-24, failure to file and failure to pay, computed to 04-15-25 with daily compounding.
  void LateReturnWithPayment() {
    doc.m_header.m_headings[0].SetText("Holloway & Lin, CPAs");
    doc.m_header.m_headings[1].SetText("Interest and penalty computation for tax year 2022");
    doc.m_header.m_headings[2].SetText("Prepared for client review");
    const DayNumber due = MakeDate(4, 15, 2023);
    const DayNumber paid = MakeDate(6, 15, 2024);
    const DayNumber computeDate = MakeDate(4, 15, 2025);
    options.computeDate = computeDate;
    doc.m_computeDate = computeDate;
    doc.TaxDate = due;
    doc.TotalTax = 1000000;
    AddEvent(kEventTax, due, 1000000, "Deficiency per notice CP2000");
    CEvent& payment = AddEvent(kEventPayment, paid, 400000);
    payment.Allocation().m_payment[0] = 400000;

    const DayNumber q3 = MakeDate(9, 30, 2023), y23 = MakeDate(12, 31, 2023), y24 = MakeDate(12, 31, 2024);
    Node(doc.m_normalList, 0, due, kEventTax, 0, 0, 0, 0, 0, 0);
    Node(doc.m_normalList, due, q3, kKindRateChange, -1, 168, 1000000, 32741, 7, 0.032740645);
    Node(doc.m_normalList, q3, y23, kKindRateChange, -1, 92, 1032741, 21034, 8, 0.020366804);
    Node(doc.m_normalList, y23, paid, kEventPayment, 1, 167, 1053775, 39172, 8, 0.037173001);
    Node(doc.m_normalList, paid, y24, kKindRateChange, -1, 199, 692947, 30803, 8, 0.044452176);
    Node(doc.m_normalList, y24, computeDate, kKindFinal, -1, 105, 723750, 14720, 7, 0.020339133);

    Node(doc.m_penaltyList, 0, due, kKindPenaltySlotBase + 23, -1, 0, 0, 0, 0, 0, 180000);
    Node(doc.m_penaltyList, due, q3, kKindRateChange, -1, 168, 180000, 5893, 7, 0.032740645);
    Node(doc.m_penaltyList, q3, y23, kKindRateChange, -1, 92, 185893, 3786, 8, 0.020366804);
    Node(doc.m_penaltyList, y23, paid, kKindRateChange, -1, 167, 189679, 7051, 8, 0.037173001);
    Node(doc.m_penaltyList, paid, y24, kKindRateChange, -1, 199, 196730, 8745, 8, 0.044452176);
    Node(doc.m_penaltyList, y24, computeDate, kKindFinal, -1, 105, 205475, 4179, 7, 0.020339133);

    computation.totals.normalInterest = 138470;
    computation.totals.penaltyInterest = 29654;
    computation.balanceOnDate = {{due, 1000000}, {paid, 959677}, {computeDate, 1048124}};

    PenaltyRecord& ftf = doc.m_penalties[23];
    ftf.m_flags = PEN_ACTIVE;
    ftf.m_dates[0] = due;
    ftf.m_dates[2] = MakeDate(8, 1, 2023);
    ftf.m_amounts[0] = 1000000;
    ftf.m_amounts[1] = 4;
    ftf.m_monthsCharged = 4;
    ftf.SetRate(5);
    PenaltyRecord& ftp = doc.m_penalties[1];
    ftp.m_flags = PEN_ACTIVE;
    ftp.m_dates[0] = due;
    ftp.m_amounts[0] = 1000000;
    ftp.SetRate(24);

    PenaltyResults& r = doc.m_penaltyResults;
    r.PenaltyBase[23] = r.PenaltyFullBase[23] = 1000000;
    r.PenaltyGross[23] = 200000;
    r.PenaltyOverlap[23] = 20000;
    r.PenaltyMinimum[23] = 45000;
    r.PenaltyAmount[23] = 180000;
    r.PenaltyAssessedTotal[23] = 180000;
    r.PenaltyFirstDate[23] = due;
    r.PenaltyBase[1] = r.PenaltyFullBase[1] = 1000000;
    r.PenaltyGross[1] = 100000;
    r.PenaltyCap[1] = 250000;
    r.PenaltyAmount[1] = 100000;
    for (int m = 0; m < 24; ++m) {
      const bool afterPayment = m >= 14;
      r.failureToPayMonths.push_back(
          {AddMonths(due, m), 1, afterPayment ? 600000.0 : 1000000.0, afterPayment ? 3000.0 : 5000.0, false});
    }
    r.PenaltyInterestTotal = 29654;
  }
};

TEST_F(FixtureTest, InterestAndPenaltyDetailOfALateReturn) {
  LateReturnWithPayment();
  options.ClearReportSwitches();
  options.interestAndPenaltyDetail = true;
  options.includeHeader = true;
  options.includeFooter = true;
  doc.m_header.m_footer.SetText("Prepared using Zarvic");
  std::vector<std::string> lines = RunReports(60, true);
  EXPECT_EQ(3, pages);
  ExpectFixture("detail-late-return.txt", lines);
}

TEST_F(FixtureTest, InterestDetailWithFactorsAndPaymentAllocation) {
  LateReturnWithPayment();
  options.ClearReportSwitches();
  options.interestDetailWithFactors = true;
  options.paymentAllocationDetail = true;
  std::vector<std::string> lines = RunReports(60, false);
  ExpectFixture("factors-and-allocation.txt", lines);
}

TEST_F(FixtureTest, ComputedDetailAndMonthlyAccrual) {
  // The same tax and payment computed by the compute driver with a table of the 2023 to 2025 rates.
  const RateLine lines[] = {
      {MakeDate(1, 1, 2023), kModeDaily, 7, 7, 6, 365},
      {MakeDate(10, 1, 2023), kModeDaily, 8, 8, 7, 365},
      {MakeDate(1, 1, 2024), kModeDaily, 8, 8, 7, 366},
      {MakeDate(1, 1, 2025), kModeDaily, 7, 7, 6, 365},
  };
  for (size_t i = 0; i < std::size(lines); ++i) doc.m_rateTable.lines[i] = lines[i];
  doc.m_rateTable.lineCount = static_cast<std::uint16_t>(std::size(lines));
  doc.m_rateTable.vendorFlag = 0;
  AddEvent(kEventTax, MakeDate(4, 15, 2023), 1000000);
  AddEvent(kEventPayment, MakeDate(6, 15, 2024), 400000);
  options.ClearReportSwitches();
  options.interestAndPenaltyDetail = true;
  options.monthlyAccrual = true;
  options.fiscalYearEnd = 8;  // September
  options.computeDate = MakeDate(4, 15, 2025);
  EngineReportComputation engine;
  ReportRun run(doc, engine);
  run.Options() = options;
  FixedPageLength page;
  ASSERT_EQ(2, run.PrepareReports(page, false));
  ExpectFixture("computed-detail-and-accrual.txt", run.ReadLines());
}

// Regression: a long taxpayer name left template text in the page header and pushed the date out; a
// label longer than its column ran into the date ("Hot Interest12-16-19"); amounts of $100 billion lost
// digits or merged with the next column, and amounts of $100 million lost their cents instead of
// rounding. The report keeps every column: a name is cut before the next field, a label before the
// date, and an amount that does not fit shows asterisks.
TEST_F(FixtureTest, LayoutLimitsOfNamesLabelsAndAmounts) {
  const RateLine lines[] = {
      {MakeDate(1, 1, 2023), kModeDaily, 7, 7, 6, 365},
      {MakeDate(10, 1, 2023), kModeDaily, 8, 8, 7, 365},
      {MakeDate(1, 1, 2024), kModeDaily, 8, 8, 7, 366},
      {MakeDate(1, 1, 2025), kModeDaily, 7, 7, 6, 365},
  };
  for (size_t i = 0; i < std::size(lines); ++i) doc.m_rateTable.lines[i] = lines[i];
  doc.m_rateTable.lineCount = static_cast<std::uint16_t>(std::size(lines));
  doc.m_rateTable.vendorFlag = 0;
  const std::string name = "Bartholomew-Ashworth Consolidated Freight Holdings";
  ASSERT_EQ(50u, name.size());
  doc.m_header.m_taxpayerName.SetText(name);
  doc.m_header.m_hotInterest = 1;
  doc.m_header.m_thirtyDayLetter = MakeDate(9, 10, 2023);
  AddEvent(kEventTax, MakeDate(4, 15, 2023), 12345678951.0);      // $123,456,789.51
  AddEvent(kEventTax, MakeDate(4, 15, 2023), 12345678901234.0);   // $123,456,789,012.34
  AddEvent(kEventPayment, MakeDate(6, 15, 2024), 400000);
  options.ClearReportSwitches();
  options.interestAndPenaltyDetail = true;
  options.interestDetailWithFactors = true;
  options.includeTime = true;
  options.computeDate = MakeDate(4, 15, 2025);
  EngineReportComputation engine;
  ReportRun run(doc, engine);
  run.Options() = options;
  FixedPageLength page;
  ASSERT_GT(run.PrepareReports(page, false), 0);
  ExpectFixture("layout-limits.txt", run.ReadLines());
}

// Names with accented letters: the report is made one byte a character (the problem's Windows-1252)
// and leaves as UTF-8, so the columns after the name stay where they are.
TEST_F(FixtureTest, AccentedNameKeepsTheColumns) {
  LateReturnWithPayment();
  doc.m_header.m_taxpayerName.SetText("Jos\xE9 Mu\xF1oz-P\xE9rez & Fran\xE7oise L\xF6we");
  options.ClearReportSwitches();
  options.interestAndPenaltyDetail = true;
  options.includeTime = true;
  RunReports(60, false);
  ReportRun& run = Run();
  ReportTextFormat format;
  format.lineEnd = "\n";
  const std::string text = ReportText(run, format);
  std::vector<std::string> utf8;
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    utf8.push_back(text.substr(start, end - start));
  ExpectFixture("accented-name.txt", utf8);
}

// The estimated tax penalty of Publication 505 (2006), Figure 4-B (Ben Brown, 2005): the installments
// in columns, the two rate periods with each amount unpaid, and the total of 68.51.
TEST_F(FixtureTest, EstimatedTaxPenaltyBenBrown2005) {
  const EstimatedTaxWorksheet sheet = esttax_test::BenBrown2005();
  const EstimatedTaxResult result = ComputeEstimatedTax(sheet, esttax_test::FederalRates());
  ASSERT_TRUE(result.Ok());
  doc.m_header.m_taxpayerName.SetText("Ben Brown");
  options.includeTime = true;
  ReportRun run(doc, computation);
  run.Options() = options;
  FixedPageLength page;
  ASSERT_EQ(
      1, run.PrepareReport(page, false, [&](ReportWriter& w) { WriteEstimatedTaxReport(w, sheet, result); }));
  EXPECT_EQ(0, computation.computeCalls);
  ExpectFixture("estimated-tax-ben-brown-2005.txt", run.ReadLines());
}

}  // namespace
}  // namespace zarvic::testing
