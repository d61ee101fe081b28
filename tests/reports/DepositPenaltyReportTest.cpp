// The deposit penalty report: its lines for each liability and deposit, the notes of the rules that
// spare a deposit, the averaged penalty, and no report for a worksheet that cannot be figured.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "reports/DepositPenaltyReport.h"
#include "reports/ReportDialogs.h"
#include "reports/ReportRun.h"
#include "reports/ReportTestSupport.h"
#include "worksheets/DepositPenaltyTestSupport.h"

namespace zarvic::testing {
namespace {

using deposit_testing::D;
using deposit_testing::Usd;

class DepositPenaltyReportTest : public ReportTest {
 protected:
  std::vector<std::string> Report(const DepositPenaltyWorksheet& worksheet) {
    const DepositPenaltyResult result = ComputeDepositPenalty(worksheet);
    run_ = std::make_unique<ReportRun>(doc, computation);
    run_->Options() = options;
    FixedPageLength page;
    pages = run_->PrepareReport(
        page, false, [&](ReportWriter& w) { written = WriteDepositPenaltyReport(w, worksheet, result); });
    return run_->ReadLines();
  }

  std::unique_ptr<ReportRun> run_;
  bool written = false;
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// The amount at the end of the line that starts with "Total penalty".
std::string TotalPenalty(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (line.rfind("Total penalty", 0) == 0) return line.substr(line.find_last_of(' ') + 1);
  }
  return "(no total line)";
}

// A monthly depositor's first quarter of 2025. January's $10,000 is due 02-18 (the 15th a Saturday, the
// Monday Washington's Birthday) and paid 02-24 as designated (6 days, 5%: 500.00); February's $5,000 is
// due 03-17 (the 15th a Saturday): $4,000 paid directly on its due date (10%: 400.00), $1,000 never paid,
// 15% after the 10th day after the notice of 04-01 (150.00).
DepositPenaltyWorksheet Quarter() {
  DepositPenaltyWorksheet w;
  w.schedule = DepositSchedule::Monthly;
  w.periodStart = D("01-01-2025");
  w.periodEnd = D("03-31-2025");
  w.liabilities = {{D("01-10-2025"), Usd(10000)}, {D("02-10-2025"), Usd(5000)}};
  w.deposits = {{D("02-24-2025"), Usd(10000), false, D("01-10-2025")}, {D("03-17-2025"), Usd(4000), true}};
  w.firstNotice = D("04-01-2025");
  return w;
}

TEST_F(DepositPenaltyReportTest, LinesOfEachLiabilityAndDeposit) {
  const std::vector<std::string> lines = Report(Quarter());
  EXPECT_TRUE(written);
  EXPECT_EQ(1, pages);
  const std::vector<std::string> expected = {
      "DEPOSIT PENALTY REPORT",
      "Deposit Penalty -- IRC 6656",
      "Return period ............: 01-01-25 to 03-31-25",
      "Deposit schedule .........: Monthly",
      "First notice .............: 04-01-25",
      "Total liability ..........: 15,000.00",
      "Total deposits ...........: 14,000.00",
      "Never paid ...............: 1,000.00",
      "  Paid on          Amount  How paid             Days late  Rate        Penalty",
      "Liability of 01-10-25     10,000.00  due 02-18-25 by the monthly rule",
      "  The 15% rate applies to what is paid after 04-11-25",
      "  02-24-25      10,000.00  deposited, designated        6   5%          500.00",
      "  Penalty on the liability .....................................        500.00",
      "Liability of 02-10-25      5,000.00  due 03-17-25 by the monthly rule",
      "  03-17-25       4,000.00  direct                       0  10%          400.00",
      "                 1,000.00  never paid                      15%          150.00",
      "  Penalty on the liability .....................................        550.00",
      "Total penalty ..................................................      1,050.00",
  };
  // In this order, other lines between them.
  auto at = lines.begin();
  for (const std::string& line : expected) {
    at = std::find_if(at, lines.end(),
                      [&](const std::string& l) { return l.find(line) != std::string::npos; });
    ASSERT_NE(lines.end(), at) << line << "\n" << Joined(lines);
  }
  EXPECT_EQ("1,050.00", TotalPenalty(lines));
  for (const std::string& line : lines) {
    EXPECT_LE(line.size(), 80u) << line;  // a report line
    EXPECT_EQ(std::string::npos, line.find(kFieldMarker)) << line;
  }
  // The lines of what is not there are left out: no demand, nothing left over, not averaged, no rule
  // that spared a deposit.
  for (const char* absent : {"Notice and demand", "Deposits left over", "Liabilities ....", "Spared by",
                             "Accuracy of deposits", "De minimis"}) {
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [&](const std::string& l) {
      return l.find(absent) != std::string::npos;
    })) << absent;
  }
}

// The variants of the heading and the notes: each case's lines, and the total.
TEST_F(DepositPenaltyReportTest, SafeHarborDeMinimisAveragedAndDemand) {
  struct Case {
    const char* name;
    std::function<void(DepositPenaltyWorksheet&)> set;
    std::vector<std::string> lines;
    const char* total;
  };
  const Case cases[] = {
      {"accuracy of deposits: $100 short on the due date, made up by the return's due date",
       [](DepositPenaltyWorksheet& w) {
         w.liabilities = {{D("01-10-2025"), Usd(10000)}};
         w.deposits = {{D("02-18-2025"), Usd(9900)}, {D("03-20-2025"), Usd(100)}};
         w.firstNotice = NO_DATE;
       },
       {"  Spared by the accuracy of deposits rule: made up by 04-30-25",
        "  03-20-25         100.00  deposited                   30   0%            0.00",
        "Accuracy of deposits (Treas. Reg. 31.6302-1(f)): a shortfall of no more than"},
       "0.00"},
      {"de minimis: less than $2,500, all paid with the return",
       [](DepositPenaltyWorksheet& w) {
         w.liabilities = {{D("02-10-2025"), Usd(2000)}};
         w.deposits = {{D("04-30-2025"), Usd(2000), true}};
         w.firstNotice = NO_DATE;
       },
       {"  04-30-25       2,000.00  direct                      44   0%            0.00",
        "De minimis rule (Treas. Reg. 31.6302-1(f)(4)): the taxes of the period are less"},
       "0.00"},
      {"averaged: $3,000 over the three monthly due dates, none paid; notice and demand",
       [](DepositPenaltyWorksheet& w) {
         w.liabilities = {{D("03-31-2025"), Usd(3000)}};
         w.deposits = {{D("06-02-2025"), Usd(3500)}};
         w.averaged = true;
         w.firstNotice = NO_DATE;
         w.demand = D("05-01-2025");
       },
       {"Liabilities ..............: averaged over 3 deposit due dates",
        "Notice and demand ........: 05-01-25", "Deposits left over .......: 500.00",
        "Liability of 01-31-25      1,000.00  due 02-18-25 by the monthly rule",
        "Liability of 02-28-25      1,000.00  due 03-17-25 by the monthly rule",
        "Liability of 03-31-25      1,000.00  due 04-15-25 by the monthly rule",
        "  The 15% rate applies to what is paid after 05-01-25",
        "  06-02-25       1,000.00  deposited                  104  15%          150.00",
        "  06-02-25       1,000.00  deposited                   48  15%          150.00"},
       "450.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DepositPenaltyWorksheet w = Quarter();
    c.set(w);
    const std::vector<std::string> lines = Report(w);
    EXPECT_EQ(1, pages);
    for (const std::string& line : c.lines) {
      EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                              [&](const std::string& l) { return l.find(line) != std::string::npos; }))
          << line << "\n"
          << Joined(lines);
    }
    EXPECT_EQ(c.total, TotalPenalty(lines));
    for (const std::string& line : lines) EXPECT_LE(line.size(), 80u) << line;  // a report line
  }
}

// A long quarter goes on over pages, the column headings at the top of each.
TEST_F(DepositPenaltyReportTest, ColumnHeadingsOnEveryPage) {
  DepositPenaltyWorksheet w = Quarter();
  w.schedule = DepositSchedule::Semiweekly;
  w.firstNotice = NO_DATE;
  w.liabilities.clear();
  w.deposits.clear();
  for (DayNumber d = D("01-03-2025"); d <= D("03-28-2025"); d = AddDays(d, 7)) {
    w.liabilities.push_back({d, Usd(1000)});
    w.deposits.push_back({d, Usd(1000)});  // on payday: on time
  }
  const std::vector<std::string> lines = Report(w);
  ASSERT_GT(pages, 1);
  const auto headings = std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.rfind("  Paid on          Amount  How paid", 0) == 0;
  });
  EXPECT_EQ(pages, headings);
  EXPECT_EQ("0.00", TotalPenalty(lines));
}

TEST_F(DepositPenaltyReportTest, NoReportForAWorksheetInError) {
  DepositPenaltyWorksheet w = Quarter();
  w.periodEnd = D("12-31-2024");  // before the period's first day
  Report(w);
  EXPECT_FALSE(written);
  EXPECT_EQ(0, pages);
}

TEST_F(DepositPenaltyReportTest, MissingTemplateMakesNoReport) {
  UseTemplateFolder();
  Report(Quarter());
  EXPECT_EQ(0, pages);
  const std::vector<std::string> texts = ui.Texts();
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
    return t.find(kDepositPenaltyTemplate) != std::string::npos;
  }));
}

// A worksheet kept with the problem is written by the problem's own report run when chosen in Report
// Selection, without computing the problem; one in error shows its message and writes nothing.
TEST_F(DepositPenaltyReportTest, TheProblemsReportRunWritesTheKeptWorksheet) {
  doc.m_worksheets.depositPenalty = Quarter();
  EXPECT_TRUE(AvailableReports(doc).depositPenalty);
  auto run = [&] {
    ReportRun reports(doc, computation);
    reports.Options() = options;
    reports.Options().ClearReportSwitches();
    reports.Options().depositPenalty = true;
    FixedPageLength page;
    pages = reports.PrepareReports(page, false);
    return reports.ReadLines();
  };
  EXPECT_EQ("1,050.00", TotalPenalty(run()));
  EXPECT_EQ(1, pages);
  EXPECT_EQ(0, computation.computeCalls);

  doc.m_worksheets.depositPenalty->periodEnd = D("12-31-2024");
  run();
  EXPECT_EQ(0, pages);
  EXPECT_EQ(std::string(CheckDepositWorksheet(*doc.m_worksheets.depositPenalty)->message), ui.Texts().back());
}

}  // namespace
}  // namespace zarvic::testing
