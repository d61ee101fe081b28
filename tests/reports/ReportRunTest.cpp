#include <algorithm>
#include <string>
#include <vector>

#include "reports/ReportTestSupport.h"

namespace zarvic::testing {
namespace {

class ReportRunTest : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    options.ClearReportSwitches();
    options.computeDate = MakeDate(12, 31, 96);
    AddEvent(kEventTax, MakeDate(4, 15, 95), 1000000);
    CEvent& payment = AddEvent(kEventPayment, MakeDate(6, 15, 95), 100000);
    payment.Allocation().m_payment[0] = 100000;
    doc.m_penalties[23].m_flags = PEN_ACTIVE;
    RateLine& line = doc.m_rateTable.lines[0];
    line = {MakeDate(1, 1, 87), kModeDaily, 9, 10.8, 8, 365};
    doc.m_rateTable.lineCount = 1;
  }
  // Titles in the order the report run wrote them (the first line of each page header).
  static std::vector<std::string> Titles(const std::vector<std::string>& lines) {
    const char* titles[] = {
        "INTEREST AND PENALTY DETAIL REPORT", "INTEREST COMPUTATION DETAIL REPORT", "EVENT SUMMARY REPORT",
        "PAYMENT ALLOCATION DETAIL REPORT",   "PENALTY COMPUTATION DETAIL REPORT",  "MONTHLY ACCRUAL REPORT",
        "INTEREST RATE TABLE LISTING"};
    std::vector<std::string> seen;
    for (const auto& line : lines) {
      for (const char* title : titles) {
        if (line.rfind(title, 0) == 0 && (seen.empty() || seen.back() != title)) seen.push_back(title);
      }
    }
    return seen;
  }
};

TEST_F(ReportRunTest, RateTableAloneNeedsNoComputation) {
  options.rateTable = true;
  options.computeDate = NO_DATE;
  std::vector<std::string> lines = RunReports();
  EXPECT_EQ(1, pages);
  EXPECT_EQ(0, computation.computeCalls);
  EXPECT_EQ(std::vector<std::string>{"INTEREST RATE TABLE LISTING"}, Titles(lines));
}

TEST_F(ReportRunTest, RateTableWithAProblemReportComputes) {
  options.rateTable = true;
  options.monthlyAccrual = true;
  std::vector<std::string> lines = RunReports();
  EXPECT_EQ(1, computation.computeCalls);
  EXPECT_EQ((std::vector<std::string>{"MONTHLY ACCRUAL REPORT", "INTEREST RATE TABLE LISTING"}),
            Titles(lines));
}

TEST_F(ReportRunTest, ReportsComeInTheirFixedOrder) {
  options.interestAndPenaltyDetail = true;
  options.interestDetailWithFactors = true;
  options.mainScreenEvents = true;  // part of the detail report already
  options.paymentAllocationDetail = true;
  options.penaltyComputationDetail = true;  // likewise
  options.monthlyAccrual = true;
  options.rateTable = true;
  const std::vector<std::string> expected = {"INTEREST AND PENALTY DETAIL REPORT",
                                             "PENALTY COMPUTATION DETAIL REPORT",
                                             "INTEREST COMPUTATION DETAIL REPORT",
                                             "PAYMENT ALLOCATION DETAIL REPORT",
                                             "MONTHLY ACCRUAL REPORT",
                                             "INTEREST RATE TABLE LISTING"};
  EXPECT_EQ(expected, Titles(RunReports()));

  options.interestAndPenaltyDetail = false;
  const std::vector<std::string> without = {
      "INTEREST COMPUTATION DETAIL REPORT", "EVENT SUMMARY REPORT",   "PAYMENT ALLOCATION DETAIL REPORT",
      "PENALTY COMPUTATION DETAIL REPORT",  "MONTHLY ACCRUAL REPORT", "INTEREST RATE TABLE LISTING"};
  EXPECT_EQ(without, Titles(RunReports()));
}

TEST_F(ReportRunTest, NoProblemReportWithoutComputation) {
  options.interestAndPenaltyDetail = true;
  options.rateTable = true;
  computation.computeResult = false;
  EXPECT_EQ(std::vector<std::string>{"INTEREST RATE TABLE LISTING"}, Titles(RunReports()));

  options.rateTable = false;
  EXPECT_TRUE(RunReports().empty());
  EXPECT_EQ(0, pages);
  EXPECT_EQ("", Run().ReportPath());
  EXPECT_TRUE(tempFolder.Entries() == std::vector<std::string>({"cwd"}));  // no report file left

  computation.computeResult = true;
  options.computeDate = NO_DATE;
  doc.m_computeDate = NO_DATE;
  EXPECT_EQ(0, (RunReports(), pages));
  EXPECT_EQ(2, computation.computeCalls);  // an unset compute date computes nothing
}

TEST_F(ReportRunTest, PageTooShortRefusesTheRun) {
  options.rateTable = true;
  RunReports(9);
  EXPECT_EQ(0, pages);
  EXPECT_TRUE(ui.Saw(std::string(StringText(19426))));
  RunReports(10);
  EXPECT_LT(0, pages);
}

TEST_F(ReportRunTest, PagesReadBackAndNumberOnAcrossReports) {
  options.interestAndPenaltyDetail = true;
  options.monthlyAccrual = true;
  std::vector<std::string> all = RunReports(20);
  ASSERT_GT(pages, 2);
  std::vector<std::string> joined;
  for (int p = 1; p <= pages; ++p) {
    std::vector<std::string> page = Run().ReadPage(p);
    EXPECT_EQ(std::string(79, '*'), page.back()) << p;
    if (p > 1) {
      EXPECT_EQ("Page " + std::to_string(p), page[2].substr(72)) << p;
    }
    joined.insert(joined.end(), page.begin(), page.end());
  }
  EXPECT_EQ(all, joined);
}

TEST_F(ReportRunTest, ReportIsWrittenAsText) {
  options.rateTable = true;
  RunReports();
  std::vector<std::string> lines = Run().ReadLines();
  std::string path = tempFolder / "report.txt";
  ASSERT_TRUE(WriteReportText(Run(), path, ReportTextFormat{"\r\n", ""}));
  std::string text = ReadFile(path);
  std::string expected;
  for (const auto& line : lines) expected += line + "\r\n";
  EXPECT_EQ(expected, text);

  ASSERT_TRUE(WriteReportText(Run(), path, ReportTextFormat{"\n", " "}));
  EXPECT_EQ(" INTEREST RATE TABLE LISTING", ReadFile(path).substr(0, 28));

  std::string reportFile = Run().ReportPath();
  EXPECT_TRUE(FileExists(reportFile));
  Run().CloseReport();
  EXPECT_FALSE(FileExists(reportFile));
  EXPECT_FALSE(WriteReportText(Run(), path, ReportTextFormat{}));  // no report any more
}

// Regression: a name, ID, heading or description holding ESC or a line break (from a file written
// elsewhere) went into the report as it was, so that "cat" of the report could clear a terminal or forge
// a line. Each control character becomes one printable byte; the report is laid out as for that text.
TEST_F(ReportRunTest, ControlCharactersNeverReachTheReport) {
  options.interestAndPenaltyDetail = true;
  options.interestDetailWithFactors = true;
  options.paymentAllocationDetail = true;
  options.includeHeader = true;
  options.includeFooter = true;
  CEvent& debit = AddEvent(kEventDebit, MakeDate(7, 15, 95), 5000);
  auto fill = [&](const char* name, const char* id, const char* heading, const char* footer,
                  const char* description) {
    doc.m_header.m_taxpayerName.SetText(name);
    doc.m_header.m_taxpayerId.SetText(id);
    doc.m_header.m_headings[0].SetText(heading);
    doc.m_header.m_footer.SetText(footer);
    debit.SetDescription(description);
  };
  fill("Avery\x1B[2J\r\nHolloway", "12\t3\x9D", "Line one\nLine two", "Foot\x90\x1B", "Paid\x1B]0;x\x07\n");
  const std::vector<std::string> lines = RunReports();
  ASSERT_GT(pages, 0);
  for (const std::string& line : lines) {
    for (char c : line) {
      const auto byte = static_cast<unsigned char>(c);
      EXPECT_TRUE(byte >= 0x20 && byte != 0x7F && byte != 0x81 && byte != 0x8D && byte != 0x8F &&
                  byte != 0x90 && byte != 0x9D)
          << line;
    }
  }
  fill("Avery?[2J  Holloway", "12 3?", "Line one Line two", "Foot??", "Paid?]0;x? ");
  EXPECT_EQ(RunReports(), lines);
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find("Avery?[2J  Holloway") != std::string::npos;
  }));
}

}  // namespace
}  // namespace zarvic::testing
