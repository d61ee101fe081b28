// The estimated tax penalty report beyond the published example of the fixture: what its lines say for
// each kind of filer and year, and a report without its template.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "reports/EstimatedTaxReport.h"
#include "reports/ReportDialogs.h"
#include "reports/ReportRun.h"
#include "reports/ReportTestSupport.h"
#include "worksheets/EstimatedTaxSupport.h"

namespace zarvic::testing {
namespace {

using esttax_test::D;
using esttax_test::Dollars;

class EstimatedTaxReportTest : public ReportTest {
 protected:
  std::vector<std::string> Report(const EstimatedTaxWorksheet& sheet) {
    const EstimatedTaxResult result = ComputeEstimatedTax(sheet, esttax_test::FederalRates());
    EXPECT_TRUE(result.Ok()) << result.errorId;
    run_ = std::make_unique<ReportRun>(doc, computation);
    run_->Options() = options;
    FixedPageLength page;
    pages =
        run_->PrepareReport(page, false, [&](ReportWriter& w) { WriteEstimatedTaxReport(w, sheet, result); });
    return run_->ReadLines();
  }

  std::unique_ptr<ReportRun> run_;
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(EstimatedTaxReportTest, LinesForEachFilerAndYear) {
  struct Case {
    const char* name;
    std::function<void(EstimatedTaxWorksheet&)> set;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"farmer: one installment, one column",
       [](EstimatedTaxWorksheet& s) {
         s.taxYear = 2019;
         s.farmerOrFisherman = true;
         s.requiredAnnualPayment = Dollars(4000);
         s.payments = {{D("03-01-20"), Dollars(4000)}};
       },
       {"Filer ....................: Individual, farmer or fisherman",
        "Required annual payment ..: 4,000.00 (as entered)", "                                    (a)",
        "Due date                       01-15-20", "Underpayment                   4,000.00",
        "Rate period 01-16-20 to 04-15-20 at 5% a year, 366-day year",
        "  Days                               46",
        "Total penalty ..................................................         25.14"}},
      {"individual under $1,000: the reason, and a total of 0.00",
       [](EstimatedTaxWorksheet& s) {
         s.taxYear = 2019;
         s.currentYearTax = Dollars(5000);
         s.priorYearTax = Dollars(5000);
         s.withholding = Dollars(4000.01);
       },
       // The reason is wrapped to the report's width.
       {"Total penalty ..................................................          0.00",
        "No addition to tax: the tax after withholding is less than $1,000 (IRC", "6654(e)(1))."}},
      {"rates past the end of the table: the caution",
       [](EstimatedTaxWorksheet& s) {
         s.taxYear = 2030;
         s.requiredAnnualPayment = Dollars(4000);
       },
       {std::string(StringText(kEstTaxBeyondTable))}},
      {"large corporation, fiscal year, withholding on its dates",
       [](EstimatedTaxWorksheet& s) {
         s.filer = EstimatedTaxFiler::LargeCorporation;
         s.taxYear = 2016;
         s.fiscalYearStart = D("07-01-16");
         s.requiredAnnualPayment = Dollars(400000);
         s.withholdingOnActualDates = true;
         s.withheldOnDates = {{D("10-14-16"), Dollars(50)}};
         s.computeThrough = D("06-30-17");
       },
       {"Estimated Tax Penalty -- IRC 6655 (Form 2220)", "Filer ....................: Large corporation",
        "Tax year .................: 07-01-16 to 06-30-17",
        "Withholding ..............: 50.00 on the dates withheld", "Computed through .........: 06-30-17",
        "Due date                       10-15-16     12-15-16     03-15-17     06-15-17"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EstimatedTaxWorksheet sheet;
    c.set(sheet);
    const std::vector<std::string> lines = Report(sheet);
    EXPECT_EQ(1, pages);
    for (const std::string& line : c.lines)
      EXPECT_TRUE(HasLine(lines, line)) << line << "\n" << Joined(lines);
    for (const std::string& line : lines) EXPECT_LE(line.size(), 80u) << line;  // a report line
  }
}

// Only the reason's line says why there is no addition; without a reason it is left out. A rate period
// over which nothing was unpaid is not listed.
TEST_F(EstimatedTaxReportTest, ReasonLineOnlyWhenThereIsOne) {
  EstimatedTaxWorksheet sheet;
  sheet.taxYear = 2019;
  sheet.requiredAnnualPayment = Dollars(4000);
  sheet.payments = {{D("04-15-19"), Dollars(4000)}};
  const std::vector<std::string> paid = Report(sheet);
  EXPECT_TRUE(HasLine(paid, "No addition to tax: every required installment was paid in full by its due"));
  EXPECT_TRUE(std::none_of(paid.begin(), paid.end(),
                           [](const std::string& line) { return line.rfind("Rate period", 0) == 0; }));
  sheet.payments.clear();
  const std::vector<std::string> unpaid = Report(sheet);
  EXPECT_FALSE(HasLine(unpaid, "No addition to tax: every required installment was paid in full by its due"));
  EXPECT_EQ(unpaid.end(), std::find(unpaid.begin(), unpaid.end(), ""));
}

TEST_F(EstimatedTaxReportTest, MissingTemplateMakesNoReport) {
  UseTemplateFolder();
  EstimatedTaxWorksheet sheet;
  sheet.taxYear = 2019;
  sheet.requiredAnnualPayment = Dollars(4000);
  Report(sheet);
  EXPECT_EQ(0, pages);
  const std::vector<std::string> texts = ui.Texts();
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
    return t.find(kEstimatedTaxTemplate) != std::string::npos;
  }));
}

// A worksheet kept with the problem is offered in the report selection and written by the problem's own
// report run, figured with the problem's rate table and without computing the problem.
TEST_F(EstimatedTaxReportTest, TheProblemsReportRunWritesTheKeptWorksheet) {
  doc.m_rateTable = esttax_test::FederalRates();
  ReportSettings selected;
  selected.estimatedTaxPenalty = true;
  ClearUnavailable(selected, AvailableReports(doc));
  EXPECT_FALSE(selected.estimatedTaxPenalty) << "offered only with a worksheet";

  doc.m_worksheets.estimatedTax = esttax_test::BenBrown2005();
  EXPECT_TRUE(AvailableReports(doc).estimatedTax);
  EXPECT_FALSE(AvailableReports(doc).depositPenalty);
  ReportRun run(doc, computation);
  run.Options() = options;
  run.Options().ClearReportSwitches();
  run.Options().estimatedTaxPenalty = true;
  run.Options().computeDate = NO_DATE;
  FixedPageLength page;
  ASSERT_EQ(1, run.PrepareReports(page, false));
  EXPECT_EQ(0, computation.computeCalls);
  const std::vector<std::string> lines = run.ReadLines();
  EXPECT_TRUE(HasLine(lines, "Total penalty ..................................................         68.51"))
      << Joined(lines);
}

}  // namespace
}  // namespace zarvic::testing
