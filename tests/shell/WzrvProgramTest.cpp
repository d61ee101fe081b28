// The unattended modes run from the built program, in a temporary folder with real files.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "problem/CTDoc.h"
#include "problem/DamagedProblemFiles.h"
#include "problem/ProblemFile.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableOperations.h"
#include "shell/CommandLine.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;
using V = std::vector<std::string>;

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Every line of a report file ends in CR LF.
bool EndsEveryLineWithCrLf(const std::string& text) {
  if (text.empty() || text.back() != '\n') return false;
  for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
    if (i == 0 || text[i - 1] != '\r') return false;
  }
  return true;
}

class WzrvProgramTest : public ::testing::Test {
 protected:
  // Runs the program in the work folder without a terminal or display; the exit status, standard error
  // in err_.
  int Run(const std::vector<std::string>& arguments) {
    std::string command = "cd " + Quoted(work_.path()) + " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                          env_ + " " + Quoted(program_ + "/wzrv");
    for (const std::string& a : arguments) command += " " + Quoted(a);
    command += " </dev/null >" + Quoted(logs_ / "stdout") + " 2>" + Quoted(logs_ / "stderr");
    int status = std::system(command.c_str());
    err_ = ReadFile(logs_ / "stderr");
    out_ = ReadFile(logs_ / "stdout");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // A problem file of one tax event, computed to the tax date, on the shipped federal table.
  static std::string TaxProblemFile(double cents, const char* date, const char* taxpayer = "") {
    auto doc = std::make_unique<CTDoc>();
    doc->m_header.m_taxpayerName.SetText(taxpayer);
    EXPECT_TRUE(LoadTable(doc->m_rateTable, std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3", false));
    doc->m_events[0].m_type = kEventTax;
    doc->m_events[0].m_date = ParseDate(date);
    doc->m_events[0].m_amount = cents;
    doc->m_events[0].m_gattAmount = cents;
    doc->m_computeDate = ParseDate(date);
    return WriteProblem(*doc);
  }

  // Runs a copy of the program from its own folder: with the shipped templates and the federal table
  // beside it or without them, and with the tables that -B writes kept out of the build folder.
  void UseProgramCopy(bool withData) {
    std::string command = "cp " + Quoted(std::string(ZARVIC_BINARY_DIR) + "/wzrv") + " " + Quoted(copy_.path());
    if (withData) {
      command += " && cp " + Quoted(std::string(ZARVIC_BINARY_DIR)) + "/*.DM " +
                 Quoted(std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3") + " " + Quoted(copy_.path());
    }
    ASSERT_EQ(0, std::system(command.c_str()));
    program_ = copy_.path();
  }

  TempFolder work_, logs_, copy_;
  std::string program_ = ZARVIC_BINARY_DIR;
  std::string env_ = "ZARVIC_TODAY=2024-06-28";  // the fixed today of every run
  std::string err_, out_;
};

const char kFourLines[] = "TAX\t04-15-95\t1000\r\nPAY\t06-15-96\t500\r\nCOM\t12-31-96\r\nREP1\r\n";

TEST_F(WzrvProgramTest, BatchDataEntryWritesTheChosenReportBesideTheInput) {
  WriteFile(work_ / "CASE.TXT", kFourLines);
  EXPECT_EQ(kExitDone, Run({"-EXCASE.TXT"})) << err_;
  EXPECT_EQ(V({"CASE.TXT", "CASE.rpt"}), work_.Entries());
  const std::string report = ReadFile(work_ / "CASE.rpt");
  EXPECT_TRUE(EndsEveryLineWithCrLf(report));
  EXPECT_TRUE(Contains(report, "INTEREST AND PENALTY DETAIL REPORT"));
  EXPECT_TRUE(Contains(report, "04-15-95"));
  EXPECT_TRUE(Contains(report, "1,000.00"));
  EXPECT_FALSE(Contains(report, "EVENT SUMMARY REPORT"));
  EXPECT_FALSE(Contains(report, "INTEREST RATE TABLE LISTING"));
}

// The examples the README points to run as they are.
TEST_F(WzrvProgramTest, ShippedExamplesReport) {
  const std::pair<const char*, V> cases[] = {
      {"LATE", {"INTEREST AND PENALTY DETAIL REPORT", "Jordan A. Whitfield", "EVENT SUMMARY REPORT"}},
      {"HOT", {"Harwell Logistics Corp.", "Hot Interest", "INTEREST COMPUTATION DETAIL REPORT"}},
      {"GATT", {"Brightwater Instruments Inc.", "GATT Rate", "IRS Check"}},
  };
  for (const auto& [name, texts] : cases) {
    const std::string input = work_ / (std::string(name) + ".TXT");
    WriteFile(input, ReadFile(std::string(ZARVIC_SOURCE_DIR) + "/examples/" + name + ".TXT"));
    EXPECT_EQ(kExitDone, Run({"-EX" + input})) << name << err_;
    EXPECT_EQ("", err_) << name;
    const std::string report = ReadFile(work_ / (std::string(name) + ".rpt"));
    for (const std::string& text : texts) EXPECT_TRUE(Contains(report, text)) << name << ": " << text;
  }
}

TEST_F(WzrvProgramTest, BatchDataEntryPathForms) {
  ASSERT_EQ(0, std::system(("mkdir " + Quoted(work_ / "my cases.v2")).c_str()));
  WriteFile(work_ / "my cases.v2/CASE.TXT", kFourLines);
  WriteFile(work_ / "my cases.v2/NODOT", kFourLines);
  struct Case {
    std::vector<std::string> arguments;
    std::string report;
  };
  const Case cases[] = {
      {{"-EXmy cases.v2/CASE.TXT"}, "my cases.v2/CASE.rpt"},
      {{"-ex", "my cases.v2/CASE.TXT"}, "my cases.v2/CASE.rpt"},
      {{"-EX" + (work_ / "my cases.v2/NODOT")}, "my cases.v2/NODOT.rpt"},
  };
  for (const Case& c : cases) {
    std::remove((work_ / c.report).c_str());
    EXPECT_EQ(kExitDone, Run(c.arguments)) << c.arguments[0] << err_;
    EXPECT_TRUE(Contains(ReadFile(work_ / c.report), "INTEREST AND PENALTY DETAIL REPORT")) << c.arguments[0];
  }
}

TEST_F(WzrvProgramTest, BatchDataEntryReportChoice) {
  struct Case {
    const char* reports;  // the REP lines of the file
    V titles;             // the report titles, in the order they appear
    V absent;
  };
  const Case cases[] = {
      {"", {"INTEREST AND PENALTY DETAIL REPORT", "EVENT SUMMARY REPORT"}, {"INTEREST RATE TABLE LISTING"}},
      {"REP7\n",
       {"INTEREST RATE TABLE LISTING"},
       {"INTEREST AND PENALTY DETAIL REPORT", "EVENT SUMMARY REPORT"}},
      {"REP5\nREP6\n",
       {"EVENT SUMMARY REPORT", "MONTHLY ACCRUAL REPORT"},
       {"INTEREST AND PENALTY DETAIL REPORT"}},
  };
  for (const Case& c : cases) {
    WriteFile(work_ / "CASE", std::string("TAX\t04-15-95\t1000\nCOM\t12-31-96\n") + c.reports);
    EXPECT_EQ(kExitDone, Run({"-EX" + (work_ / "CASE")})) << c.reports << err_;
    const std::string report = ReadFile(work_ / "CASE.rpt");
    std::size_t at = 0;
    for (const std::string& title : c.titles) {
      std::size_t found = report.find(title, at);
      EXPECT_NE(std::string::npos, found) << c.reports << title;
      at = found == std::string::npos ? at : found;
    }
    for (const std::string& title : c.absent) EXPECT_FALSE(Contains(report, title)) << c.reports << title;
  }
}

TEST_F(WzrvProgramTest, BatchDataEntryHeadingsAndLongReports) {
  std::string content = "NAME\tPat Example\nHEADER1\tPrepared for the examiner\nFOOTER\tDraft only\n";
  for (int i = 0; i < 400; ++i)
    content += "PAY\t" + std::to_string(i % 12 + 1) + "-01-" + std::to_string(60 + i / 12) + "\t10\n";
  content += "TAX\t01-01-60\t50000\nCOM\t12-31-99\nREP1\nREP5\n";
  WriteFile(work_ / "BIG.TXT", content);
  EXPECT_EQ(kExitDone, Run({"-EX", "BIG.TXT"})) << err_;
  const std::string report = ReadFile(work_ / "BIG.rpt");
  EXPECT_GT(report.size(), 60000u);  // the whole report, however long
  EXPECT_TRUE(Contains(report, "Pat Example"));
  EXPECT_TRUE(Contains(report, "Prepared for the examiner"));
  EXPECT_TRUE(Contains(report, "Draft only"));
  EXPECT_TRUE(Contains(report, "12-01-92"));  // the last payment is in it
}

TEST_F(WzrvProgramTest, BatchDataEntryFailures) {
  EXPECT_EQ(kExitFailed, Run({"-EXmissing.TXT"}));
  EXPECT_TRUE(Contains(err_, "missing.TXT")) << err_;
  EXPECT_TRUE(Contains(err_, "No such file")) << err_;
  EXPECT_EQ(V{}, work_.Entries());

  EXPECT_EQ(kExitFailed, Run({"-EX"}));
  EXPECT_TRUE(Contains(err_, "-EX needs")) << err_;

  // The report cannot be written: its name is taken by a folder.
  WriteFile(work_ / "CASE.TXT", kFourLines);
  ASSERT_EQ(0, std::system(("mkdir " + Quoted(work_ / "CASE.rpt")).c_str()));
  EXPECT_EQ(kExitFailed, Run({"-EXCASE.TXT"}));
  EXPECT_TRUE(Contains(err_, "CASE.rpt")) << err_;

  // An input file named like its report is not replaced by it.
  WriteFile(work_ / "IN.rpt", kFourLines);
  EXPECT_EQ(kExitFailed, Run({"-EXIN.rpt"}));
  EXPECT_EQ(kFourLines, ReadFile(work_ / "IN.rpt"));
}

TEST_F(WzrvProgramTest, BatchDataEntryWithRefusedLinesStillReports) {
  WriteFile(work_ / "CASE.TXT", "TAX\t04-15-95\t1000\n\nTAX\t05-15-95\nCOM\t12-31-96\nREP1\n");
  EXPECT_EQ(kExitIncomplete, Run({"-EXCASE.TXT"}));
  EXPECT_TRUE(Contains(err_, "Zarvic: CASE.TXT:2: Error in text input file\nThe following line is invalid:\n\n\n"))
      << err_;
  EXPECT_TRUE(Contains(err_, "Zarvic: CASE.TXT:3: Error in text input file\nThe following line is invalid:\n\nTAX\t05-15-95"))
      << err_;
  EXPECT_TRUE(Contains(ReadFile(work_ / "CASE.rpt"), "INTEREST AND PENALTY DETAIL REPORT"));
}

// Regression: amounts were read the way a typed field is ("1.5E+06" as 1.51, "12,34" as 1,234.00) and
// the run ended with status 0.
TEST_F(WzrvProgramTest, BatchDataEntryRefusesMalformedAmounts) {
  struct Case {
    const char* line;  // line 2 of the file
    const char* message;
  };
  const char* const invalid = "Error in text input file\nThe following line is invalid:\n\n";
  const Case cases[] = {
      {"PAY\t06-15-96\t1.5E+06", invalid},
      {"PAY\t06-15-96\t1e20", invalid},
      {"PAY\t06-15-96\tabc", invalid},
      {"PAY\t06-15-96\t1.2.3", invalid},
      {"PAY\t06-15-96\t12,34", invalid},
      {"PAY\t06-15-96\t", invalid},
      {"IRS\t06-15-96\t500\t5O", invalid},
      {"GATT\t1O000", invalid},
      {"PAY\t06-15-96\t-500",
       "Error in text input file\nNegative numbers are not allowed here. (A payment is reversed by a Debit "
       "event, entered in the window.)\n\n"},
  };
  for (const Case& c : cases) {
    WriteFile(work_ / "CASE.TXT", std::string("TAX\t04-15-95\t1000\n") + c.line + "\nCOM\t12-31-96\nREP1\n");
    EXPECT_EQ(kExitIncomplete, Run({"-EXCASE.TXT"})) << c.line;
    EXPECT_TRUE(Contains(err_, std::string("Zarvic: CASE.TXT:2: ") + c.message + c.line + "\n")) << err_;
    const std::string report = ReadFile(work_ / "CASE.rpt");
    // The report says at its top that it leaves something out, and holds only the tax.
    EXPECT_EQ(0u, report.find("*** INCOMPLETE: 1 line was refused in CASE.TXT")) << report.substr(0, 200);
    EXPECT_TRUE(Contains(report, "1,000.00")) << c.line;
    EXPECT_FALSE(Contains(report, "06-15-96")) << c.line;
  }
  // Well-formed amounts are taken as written.
  WriteFile(work_ / "CASE.TXT", "TAX\t04-15-95\t+1,234,567.5\nPAY\t06-15-96\t 500. \nCOM\t12-31-96\nREP1\n");
  EXPECT_EQ(kExitDone, Run({"-EXCASE.TXT"})) << err_;
  const std::string report = ReadFile(work_ / "CASE.rpt");
  EXPECT_TRUE(Contains(report, "1,234,567.50")) << report;
  EXPECT_TRUE(Contains(report, "500.00")) << report;
}

TEST_F(WzrvProgramTest, RefusedLinesAreShownEscaped) {
  WriteFile(work_ / "CASE.TXT", "TAX\t04-15-95\t1000\nNOTE\x1B[2J\tsecret\x07\nCOM\t12-31-96\nREP1\n");
  EXPECT_EQ(kExitIncomplete, Run({"-EXCASE.TXT"}));
  EXPECT_TRUE(Contains(err_, "CASE.TXT:2: Error in text input file")) << err_;
  EXPECT_TRUE(Contains(err_, "NOTE\\x1B[2J\tsecret\\x07\n")) << err_;
  EXPECT_FALSE(Contains(err_, "\x1B")) << err_;
}

// Regression: without a "COM" line no report was made and the run failed.
TEST_F(WzrvProgramTest, BatchDataEntryWithoutComputeDateComputesToToday) {
  WriteFile(work_ / "CASE.TXT", "TAX\t04-15-23\t1000\nREP1\n");
  EXPECT_EQ(kExitDone, Run({"-EXCASE.TXT"})) << err_;
  const std::string report = ReadFile(work_ / "CASE.rpt");
  EXPECT_TRUE(Contains(report, "INTEREST AND PENALTY DETAIL REPORT")) << report;
  EXPECT_TRUE(Contains(report, "06-28-24")) << report;  // the fixed today
  EXPECT_FALSE(Contains(report, "*** INCOMPLETE")) << report;
}

// The cautions of the window's first computation come out on standard error, one line each; they do
// not change the exit status.
TEST_F(WzrvProgramTest, BatchDataEntryShowsTheComputationCautions) {
  WriteFile(work_ / "CASE.TXT", "TAX\t04-18-17\t50000\nHOT30\t09-10-19\nCOM\t06-30-21\nREP1\n");
  EXPECT_EQ(kExitDone, Run({"-EXCASE.TXT"})) << err_;
  EXPECT_TRUE(Contains(err_, "Zarvic: Caution:  The \"Large corporate\" or Section 6621(c) \"Hot\" interest rate "
                             "will be computed, but the deficiency is not over $100,000. Generally"))
      << err_;
  EXPECT_TRUE(Contains(ReadFile(work_ / "CASE.rpt"), "INTEREST AND PENALTY DETAIL REPORT"));
}

// Regression: the default report came from two runs (the event summary began again at "Page 1"), and
// "REP1" with "REP3" printed the 6621(c) page twice.
TEST_F(WzrvProgramTest, BatchDataEntryReportIsOneRun) {
  WriteFile(work_ / "CASE.TXT", "TAX\t04-15-95\t1000\nPAY\t06-15-96\t500\nCOM\t12-31-96\n");
  EXPECT_EQ(kExitDone, Run({"-EXCASE.TXT"})) << err_;
  std::string report = ReadFile(work_ / "CASE.rpt");
  const std::size_t summary = report.find("EVENT SUMMARY REPORT");
  ASSERT_NE(std::string::npos, summary);
  EXPECT_EQ(std::string::npos, report.find("Page 1", summary)) << report;
  EXPECT_NE(std::string::npos, report.find("Page 2", summary)) << report;

  WriteFile(work_ / "HOT.TXT", ReadFile(std::string(ZARVIC_SOURCE_DIR) + "/examples/HOT.TXT"));
  EXPECT_EQ(kExitDone, Run({"-EXHOT.TXT"})) << err_;
  report = ReadFile(work_ / "HOT.rpt");
  const char* const hotPage = "Interest on Large Corporate Underpayments -- IRC 6621(c)";
  const std::size_t first = report.find(hotPage);
  ASSERT_NE(std::string::npos, first) << report;
  EXPECT_EQ(std::string::npos, report.find(hotPage, first + 1)) << report;
}

// Regression: a UTF-8 name shifted the date one column per accented letter. The text input file and
// the report are UTF-8; the columns count characters.
TEST_F(WzrvProgramTest, BatchDataEntryNamesInUtf8) {
  WriteFile(work_ / "CASE.TXT", std::string("NAME\tJos\xC3\xA9 Mu\xC3\xB1oz\n") + kFourLines);
  EXPECT_EQ(kExitDone, Run({"-EXCASE.TXT"})) << err_;
  const std::string report = ReadFile(work_ / "CASE.rpt");
  const std::size_t at = report.find("Taxpayer name...: Jos\xC3\xA9 Mu\xC3\xB1oz ");
  ASSERT_NE(std::string::npos, at) << report;
  const std::string line = report.substr(at, report.find('\r', at) - at);
  EXPECT_EQ("06-28-24", line.substr(line.size() - 8)) << line;
  EXPECT_EQ(78u + 2u, line.size()) << line;  // 78 characters, two of them two bytes long
}

TEST_F(WzrvProgramTest, BatchDataEntryWithAMissingTable) {
  WriteFile(work_ / "CASE.TXT", std::string("TAB\tNOSUCH\n") + kFourLines);
  EXPECT_NE(kExitDone, Run({"-EXCASE.TXT"}));
  EXPECT_TRUE(Contains(err_, "Can't find the interest rate table that was used with this file (NOSUCH)."))
      << err_;
}

// The total line of a worksheet's report (estimated tax, deposit penalty): "Total penalty ..." ending
// with the amount.
std::string TotalPenalty(const std::string& report) {
  const std::size_t at = report.find("\r\nTotal penalty ");
  if (at == std::string::npos) return {};
  const std::size_t end = report.find("\r\n", at + 2);
  const std::string line = report.substr(at + 2, end - at - 2);
  return line.substr(line.find_last_of(' ') + 1);
}

// The shipped estimated tax input: Publication 505 (2006), Figure 4-B (Ben Brown, 2005).
TEST_F(WzrvProgramTest, EstimatedTaxInputWritesItsReport) {
  WriteFile(work_ / "ESTTAX.TXT", ReadFile(std::string(ZARVIC_SOURCE_DIR) + "/examples/ESTTAX.TXT"));
  EXPECT_EQ(kExitDone, Run({"-EXESTTAX.TXT"})) << err_;
  EXPECT_EQ("", err_);
  EXPECT_EQ(V({"ESTTAX.TXT", "ESTTAX.rpt"}), work_.Entries());
  const std::string report = ReadFile(work_ / "ESTTAX.rpt");
  EXPECT_TRUE(EndsEveryLineWithCrLf(report));
  EXPECT_TRUE(Contains(report, "ESTIMATED TAX PENALTY REPORT"));
  EXPECT_TRUE(
      Contains(report, "Due date                       04-15-05     06-15-05     09-15-05     01-15-06"));
  EXPECT_EQ("68.51", TotalPenalty(report));
  EXPECT_FALSE(Contains(report, "INTEREST AND PENALTY DETAIL REPORT"));
}

// An estimated tax input is known by its first keyword line, after blank lines and a byte order mark;
// an ESTTAX line further down an ordinary text input is only an unknown line of it. Four installments of
// 1,000.00 for 2019, none paid: 52.18 + 42.16 + 29.14 + 12.43.
TEST_F(WzrvProgramTest, EstimatedTaxInputIsKnownByItsFirstLine) {
  WriteFile(work_ / "CASE.TXT",
            "\xEF\xBB\xBF\r\n  \r\nesttax\tINDIVIDUAL\r\nYEAR\t2019\r\nREQUIRED\t4000\r\n");
  EXPECT_EQ(kExitDone, Run({"-EXCASE.TXT"})) << err_;
  EXPECT_EQ("135.91", TotalPenalty(ReadFile(work_ / "CASE.rpt")));

  WriteFile(work_ / "CASE.TXT", std::string(kFourLines) + "ESTTAX\tINDIVIDUAL\r\n");
  EXPECT_EQ(kExitIncomplete, Run({"-EXCASE.TXT"}));
  EXPECT_TRUE(Contains(err_, "CASE.TXT:5: ")) << err_;
  const std::string report = ReadFile(work_ / "CASE.rpt");
  EXPECT_TRUE(Contains(report, "INTEREST AND PENALTY DETAIL REPORT"));
  EXPECT_FALSE(Contains(report, "ESTIMATED TAX PENALTY REPORT"));
}

TEST_F(WzrvProgramTest, EstimatedTaxInputWithRefusedLinesStillReports) {
  WriteFile(
      work_ / "CASE.TXT",
      "ESTTAX\tINDIVIDUAL\nYEAR\t2019\nREQUIRED\t4000\nESTPAY\t04-15-19\t-5\nESTPAY\t04-15-19\nBONUS\t1\n");
  EXPECT_EQ(kExitIncomplete, Run({"-EXCASE.TXT"}));
  EXPECT_TRUE(Contains(err_, "CASE.TXT:4: The amounts of an estimated tax input cannot be negative."))
      << err_;
  EXPECT_TRUE(Contains(err_, "CASE.TXT:5: A value of this line is missing")) << err_;
  EXPECT_TRUE(Contains(err_, "CASE.TXT:6: Unknown keyword in an estimated tax input.")) << err_;
  const std::string report = ReadFile(work_ / "CASE.rpt");
  EXPECT_EQ(0u, report.find("*** INCOMPLETE: 3 lines were refused in CASE.TXT")) << report;
  EXPECT_EQ("135.91", TotalPenalty(report));
}

// Nothing is written when the input cannot be computed; each failure says why.
TEST_F(WzrvProgramTest, EstimatedTaxInputFailures) {
  const std::pair<const char*, const char*> cases[] = {
      {"ESTTAX\tPARTNERSHIP\nYEAR\t2019\n", "CASE.TXT:1: "},
      {"ESTTAX\tINDIVIDUAL\nREQUIRED\t4000\n", "CASE.TXT: Enter a tax year from 1955 to 2098."},
      {"ESTTAX\tINDIVIDUAL\nYEAR\t2019\nREQUIRED\t4000\nTAB\tNOSUCH\n",
       "CASE.TXT: Can't find the interest rate table that was used with this file (NOSUCH)."},
  };
  for (const auto& [input, message] : cases) {
    WriteFile(work_ / "CASE.TXT", input);
    EXPECT_EQ(kExitFailed, Run({"-EXCASE.TXT"})) << input;
    EXPECT_TRUE(Contains(err_, message)) << input << err_;
    EXPECT_EQ(V{"CASE.TXT"}, work_.Entries()) << input;
  }
}

// The shipped deposit penalty input: a semiweekly quarter of six paydays of 4,000.00. The deposit of
// 08-08's liability, due 08-13, is made 08-20 (7 days late, 5%: 200.00); 09-19's is paid directly with
// the return (10%: 400.00).
TEST_F(WzrvProgramTest, DepositPenaltyInputWritesItsReport) {
  WriteFile(work_ / "DEPTAX.TXT", ReadFile(std::string(ZARVIC_SOURCE_DIR) + "/examples/DEPTAX.TXT"));
  EXPECT_EQ(kExitDone, Run({"-EXDEPTAX.TXT"})) << err_;
  EXPECT_EQ("", err_);
  EXPECT_EQ(V({"DEPTAX.TXT", "DEPTAX.rpt"}), work_.Entries());
  const std::string report = ReadFile(work_ / "DEPTAX.rpt");
  EXPECT_TRUE(EndsEveryLineWithCrLf(report));
  EXPECT_TRUE(Contains(report, "DEPOSIT PENALTY REPORT"));
  EXPECT_TRUE(Contains(report, "Liability of 08-08-25      4,000.00  due 08-13-25 by the semiweekly rule"));
  EXPECT_TRUE(Contains(report, "  08-20-25       4,000.00  deposited                    7   5%          200.00"));
  EXPECT_TRUE(Contains(report, "  10-31-25       4,000.00  direct                      37  10%          400.00"));
  EXPECT_EQ("600.00", TotalPenalty(report));
  EXPECT_FALSE(Contains(report, "INTEREST AND PENALTY DETAIL REPORT"));
}

// A deposit penalty input is known by its first keyword line, after blank lines and a byte order mark;
// a DEPTAX line further down an ordinary text input is only an unknown line of it. One monthly
// liability of 1,000.00 never paid: 10%.
TEST_F(WzrvProgramTest, DepositPenaltyInputIsKnownByItsFirstLine) {
  WriteFile(work_ / "CASE.TXT", "\xEF\xBB\xBF\r\n  \r\ndeptax\tMONTHLY\r\nPERIOD\t01-01-2025\t03-31-2025\r\n"
                                "LIABILITY\t01-10-2025\t1000\r\n");
  EXPECT_EQ(kExitDone, Run({"-EXCASE.TXT"})) << err_;
  EXPECT_EQ("100.00", TotalPenalty(ReadFile(work_ / "CASE.rpt")));

  WriteFile(work_ / "CASE.TXT", std::string(kFourLines) + "DEPTAX\tMONTHLY\r\n");
  EXPECT_EQ(kExitIncomplete, Run({"-EXCASE.TXT"}));
  EXPECT_TRUE(Contains(err_, "CASE.TXT:5: ")) << err_;
  EXPECT_FALSE(Contains(ReadFile(work_ / "CASE.rpt"), "DEPOSIT PENALTY REPORT"));
}

// A deposit penalty input with any line it cannot take writes nothing: a penalty figured without that
// line could be wrong either way. Every such line is named, and the worksheet's own errors on the line
// of the row at fault.
TEST_F(WzrvProgramTest, DepositPenaltyInputFailures) {
  const char* const head = "DEPTAX\tMONTHLY\nPERIOD\t01-01-2025\t03-31-2025\n";
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {std::string(head) + "LIABILITY\t01-10-2025\t1.5E+03\nBONUS\t1\nDEPOSIT\t02-18-2025\n",
       {"CASE.TXT:3: 1.5E+03 is not an amount.",
        "CASE.TXT:4: BONUS is not a keyword of a deposit penalty input",
        "CASE.TXT:5: DEPOSIT takes the date, the amount"}},
      {std::string(head) + "LIABILITY\t01-10-2025\t1000\nLIABILITY\t04-10-2025\t1000\n",
       {"CASE.TXT:4: The liability of 04-10-25 is not in the return period."}},
      {"DEPTAX\tMONTHLY\nLIABILITY\t01-10-2025\t1000\n",
       {"CASE.TXT: A deposit penalty input needs a PERIOD line."}},
      {"DEPTAX\tWEEKLY\nPERIOD\t01-01-2025\t03-31-2025\n",
       {"CASE.TXT:1: DEPTAX takes the deposit schedule: MONTHLY, SEMIWEEKLY or DATES."}},
  };
  for (const auto& [input, messages] : cases) {
    WriteFile(work_ / "CASE.TXT", input);
    EXPECT_EQ(kExitFailed, Run({"-EXCASE.TXT"})) << input;
    for (const std::string& message : messages) EXPECT_TRUE(Contains(err_, message)) << input << err_;
    EXPECT_EQ(V{"CASE.TXT"}, work_.Entries()) << input;
  }
}

TEST_F(WzrvProgramTest, TestFolderWritesTheBalanceDueOfEveryProblem) {
  WriteFile(work_ / "A.ZR3", TaxProblemFile(100000.0, "04-15-95"));
  // Both generations of one name: the .ZR2 first, so A.TS holds the .ZR3's balance.
  WriteFile(work_ / "A.ZR2", TaxProblemFile(5000.0, "04-15-95"));
  WriteFile(work_ / "B.zr2", TaxProblemFile(2500.0, "04-15-95"));
  EXPECT_EQ(kExitDone, Run({"-TS"})) << err_;
  EXPECT_EQ("100000.000000", ReadFile(work_ / "A.TS"));
  EXPECT_EQ("2500.000000", ReadFile(work_ / "B.TS"));
  EXPECT_TRUE(Contains(err_, "Test Complete\nSee *.TS for results")) << err_;
}

TEST_F(WzrvProgramTest, TestFolderSkipsWhatItCannotRead) {
  TempFolder other;
  WriteFile(other / "A.ZR3", TaxProblemFile(100000.0, "04-15-95"));
  WriteFile(other / "DAMAGED.ZR3", "not a problem file");
  // The readable problem still gets its result; the run fails, since one problem got none.
  EXPECT_EQ(kExitFailed, Run({"-TS", other.path()}));
  EXPECT_EQ("100000.000000", ReadFile(other / "A.TS"));
  EXPECT_TRUE(Contains(err_, "DAMAGED.ZR3 cannot be read: ")) << err_;
  EXPECT_EQ(V({"A.TS", "A.ZR3", "DAMAGED.ZR3"}), other.Entries());

  // A result file that cannot be written fails the run.
  ASSERT_EQ(0, std::system(("mkdir " + Quoted(work_ / "A.TS")).c_str()));
  WriteFile(work_ / "A.ZR3", TaxProblemFile(100000.0, "04-15-95"));
  EXPECT_EQ(kExitFailed, Run({"-TS"}));
  EXPECT_TRUE(Contains(err_, "A.TS")) << err_;

  EXPECT_EQ(kExitFailed, Run({"-TS", work_ / "no such folder"}));
  EXPECT_TRUE(Contains(err_, "no such folder")) << err_;
}

// Regression: a damaged problem file (one byte changed, NaN amounts, random bytes) gave "-nan" in its
// .TS file and "Balance due nan" in its report, with exit status 0. Every damaged file is refused by both
// runs: no result file, a message naming it (with what is wrong, where the reader's message is shown).
TEST_F(WzrvProgramTest, DamagedProblemFilesGetNoResult) {
  const std::vector<testing::DamagedFile> files = testing::DamagedProblemFiles();
  std::string list;
  for (const testing::DamagedFile& f : files) {
    WriteFile(work_ / (f.what + ".ZR3"), f.bytes);
    list += f.what + ".ZR3\n";
  }
  WriteFile(work_ / "list.txt", list);
  EXPECT_EQ(kExitFailed, Run({"-TS"}));
  for (const testing::DamagedFile& f : files) {
    const std::string message = f.what + ".ZR3 cannot be read: " + f.reason;
    EXPECT_TRUE(Contains(err_, message)) << message << "\n" << err_;
  }

  EXPECT_EQ(kExitFailed, Run({"-TF", "list.txt"}));
  for (const testing::DamagedFile& f : files) {
    // The window's reader names the file by its whole path.
    const std::string message = "Error reading file\n" + (work_ / (f.what + ".ZR3")) + ": " + f.reason;
    EXPECT_TRUE(Contains(err_, message)) << message << "\n" << err_;
  }
  for (const std::string& name : work_.Entries()) {
    EXPECT_TRUE(name.ends_with(".ZR3") || name == "list.txt") << name;
  }
}

// Regression: ESC and line breaks of a name went into the report as they were ("cat" of it could clear
// the terminal or forge a line), and into messages.
TEST_F(WzrvProgramTest, ControlCharactersReachNeitherReportsNorMessages) {
  WriteFile(work_ / "B.ZR3", TaxProblemFile(100000.0, "04-15-95", "Avery\x1B[2J\nHolloway"));
  WriteFile(work_ / "E\x1B[2J.ZR3", "damaged");
  WriteFile(work_ / "list.txt", "B.ZR3\nE\x1B[2J.ZR3\n");
  EXPECT_NE(kExitDone, Run({"-TF", "list.txt"}));
  const std::string report = ReadFile(work_ / "B.TXT");
  EXPECT_TRUE(Contains(report, "Avery?[2J Holloway")) << report;
  EXPECT_FALSE(Contains(report, "\x1B"));
  EXPECT_TRUE(EndsEveryLineWithCrLf(report));
  EXPECT_TRUE(Contains(err_, "Error reading file\n" + (work_ / "E\\x1B[2J.ZR3: the file ends inside the header.")))
      << err_;
  EXPECT_FALSE(Contains(err_, "\x1B")) << err_;

  // The folder run names the damaged file escaped too.
  EXPECT_EQ(kExitFailed, Run({"-TS"}));
  EXPECT_TRUE(Contains(err_, "E\\x1B[2J.ZR3 cannot be read: the file ends inside the header")) << err_;
  EXPECT_FALSE(Contains(err_, "\x1B")) << err_;
}

// Regression: the events of a file after its 1,000th were dropped without a word.
TEST_F(WzrvProgramTest, EventsLeftOutOfAProblemAreNamed) {
  std::string bytes = testing::HeaderImage({.eventCount = 1001}) + testing::Penalties88({});
  for (int i = 0; i < 1001; ++i)
    bytes += testing::EventImage42({.type = 0, .date = testing::Day("04-15-95"), .amount = 1});
  WriteFile(work_ / "MANY.ZR3", bytes);
  WriteFile(work_ / "list.txt", "MANY.ZR3\n");
  const std::string message =
      "MANY.ZR3 holds 1,001 events, and a problem holds at most 1,000 events: the last 1, "
      "dated 04-15-95 to 04-15-95, were left out.";
  // A problem read only in part gets no result: the figure would pass for the whole file's.
  EXPECT_EQ(kExitFailed, Run({"-TS"}));
  EXPECT_TRUE(Contains(err_, message)) << err_;
  EXPECT_TRUE(Contains(err_, "MANY.ZR3 holds more than the 1,000 events of a problem and was not read whole; "
                             "no result file")) << err_;
  EXPECT_EQ(kExitFailed, Run({"-TF", "list.txt"}));
  EXPECT_TRUE(Contains(err_, message)) << err_;
  EXPECT_TRUE(Contains(err_, "The problem file MANY.ZR3 was not read whole; no report was written for it"))
      << err_;
  EXPECT_EQ(V({"MANY.ZR3", "list.txt"}), work_.Entries());
}

// The temporary files a killed run left beside its results go with the next run in that folder.
TEST_F(WzrvProgramTest, TheNextRunRemovesWhatAKilledRunLeft) {
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  WriteFile(work_ / "A.ZR3", TaxProblemFile(100000.0, "04-15-95"));
  WriteFile(work_ / (".A.TS." + std::to_string(child) + "-0.tmp"), "1.000000");
  EXPECT_EQ(kExitDone, Run({"-TS"})) << err_;
  EXPECT_EQ(V({"A.TS", "A.ZR3"}), work_.Entries());
}

TEST_F(WzrvProgramTest, TestListWritesEachReport) {
  WriteFile(work_ / "B.ZR3", TaxProblemFile(100000.0, "04-15-95"));
  WriteFile(work_ / "list.txt", "; the regression list\nB.ZR3\n\"B.ZR3\" \"out put.txt\"\n");
  EXPECT_EQ(kExitDone, Run({"-TF", "list.txt"})) << err_;
  EXPECT_EQ(V({"B.TXT", "B.ZR3", "list.txt", "out put.txt"}), work_.Entries());
  const std::string report = ReadFile(work_ / "B.TXT");
  EXPECT_TRUE(EndsEveryLineWithCrLf(report));
  EXPECT_TRUE(Contains(report, "INTEREST AND PENALTY DETAIL REPORT"));
  for (std::size_t i = 0; i < report.size(); i = report.find('\n', i) + 1) EXPECT_EQ(' ', report[i]) << i;
  EXPECT_EQ(report, ReadFile(work_ / "out put.txt"));
}

TEST_F(WzrvProgramTest, TestListFailures) {
  EXPECT_EQ(kExitFailed, Run({"-TF", "missing.txt"}));
  EXPECT_TRUE(Contains(err_, "The test list could not be read (missing.txt: No such file or directory)"))
      << err_;

  WriteFile(work_ / "B.ZR3", TaxProblemFile(100000.0, "04-15-95"));
  // A problem that cannot be opened fails the run; the others still get their reports.
  WriteFile(work_ / "list.txt", "NONE.ZR3\nB.ZR3\n");
  EXPECT_EQ(kExitFailed, Run({"-TF", "list.txt"}));
  EXPECT_TRUE(Contains(err_, "The problem file NONE.ZR3 could not be opened; no report was written for it"))
      << err_;
  EXPECT_TRUE(Contains(ReadFile(work_ / "B.TXT"), "INTEREST AND PENALTY DETAIL REPORT"));

  WriteFile(work_ / "list.txt", "B.ZR3 \"" + (work_ / "no folder/B.TXT") + "\"\n");
  EXPECT_EQ(kExitFailed, Run({"-TF", "list.txt"}));
  EXPECT_TRUE(Contains(err_, "The report could not be written (" + (work_ / "no folder/B.TXT") +
                                 ": No such file or directory)"))
      << err_;
}

// Regression: "-TF" kept the cautions of the computation to itself; it shows them as "-EX" does.
TEST_F(WzrvProgramTest, TestListShowsTheCautionsAsBatchDataEntryDoes) {
  WriteFile(work_ / "CASE.TXT", "TAX\t04-18-17\t50000\nHOT30\t09-10-19\nCOM\t06-30-21\nREP1\n");
  EXPECT_EQ(kExitDone, Run({"-EXCASE.TXT"})) << err_;
  const std::string batchCautions = err_;
  EXPECT_TRUE(Contains(batchCautions, "Zarvic: Caution:  The \"Large corporate\"")) << batchCautions;

  auto doc = std::make_unique<CTDoc>();
  ASSERT_TRUE(LoadTable(doc->m_rateTable, std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3", false));
  doc->m_events[0].m_type = kEventTax;
  doc->m_events[0].m_date = ParseDate("04-18-17");
  doc->m_events[0].m_amount = doc->m_events[0].m_gattAmount = 5000000.0;
  doc->m_header.m_hotInterest = 1;
  doc->m_header.m_thirtyDayLetter = ParseDate("09-10-19");
  doc->m_computeDate = ParseDate("06-30-21");
  WriteFile(work_ / "CASE.ZR3", WriteProblem(*doc));
  WriteFile(work_ / "list.txt", "CASE.ZR3 CASE.OUT\n");
  EXPECT_EQ(kExitDone, Run({"-TF", "list.txt"})) << err_;
  EXPECT_EQ(batchCautions, err_);
  EXPECT_TRUE(Contains(ReadFile(work_ / "CASE.OUT"), "INTEREST AND PENALTY DETAIL REPORT"));
}

// Regression: "-TF" wrote its report over any file of the output name, a text input file too.
TEST_F(WzrvProgramTest, TestListReplacesOnlyItsOwnReports) {
  WriteFile(work_ / "B.ZR3", TaxProblemFile(100000.0, "04-15-95"));
  WriteFile(work_ / "B.TXT", kFourLines);  // a text input file of the same base name
  WriteFile(work_ / "list.txt", "B.ZR3\n");
  EXPECT_EQ(kExitFailed, Run({"-TF", "list.txt"}));
  EXPECT_TRUE(Contains(err_, "B.TXT exists and is not a report written by this program")) << err_;
  EXPECT_EQ(kFourLines, ReadFile(work_ / "B.TXT"));

  // A report of an earlier run is replaced.
  std::remove((work_ / "B.TXT").c_str());
  EXPECT_EQ(kExitDone, Run({"-TF", "list.txt"})) << err_;
  const std::string first = ReadFile(work_ / "B.TXT");
  WriteFile(work_ / "B.ZR3", TaxProblemFile(200000.0, "04-15-95"));
  EXPECT_EQ(kExitDone, Run({"-TF", "list.txt"})) << err_;
  EXPECT_NE(first, ReadFile(work_ / "B.TXT"));
  EXPECT_TRUE(Contains(ReadFile(work_ / "B.TXT"), "2,000.00"));
}

// Regression: without its templates the program replaced the report with a line of asterisks and
// ended with status 0.
TEST_F(WzrvProgramTest, MissingTemplatesFailTheRunAndKeepTheEarlierReport) {
  UseProgramCopy(false);
  ASSERT_EQ(0, std::system(("cp " + Quoted(std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3") + " " +
                            Quoted(copy_.path()))
                               .c_str()));
  WriteFile(work_ / "CASE.TXT", kFourLines);
  WriteFile(work_ / "CASE.rpt", "the earlier report\r\n");
  EXPECT_EQ(kExitFailed, Run({"-EXCASE.TXT"}));
  EXPECT_TRUE(Contains(err_, ".DM was looked for in " + work_.path() + " and in " + copy_.path())) << err_;
  EXPECT_EQ("the earlier report\r\n", ReadFile(work_ / "CASE.rpt"));

  WriteFile(work_ / "B.ZR3", TaxProblemFile(100000.0, "04-15-95"));
  WriteFile(work_ / "list.txt", "B.ZR3\n");
  EXPECT_EQ(kExitFailed, Run({"-TF", "list.txt"}));
  EXPECT_FALSE(std::filesystem::exists(work_ / "B.TXT"));
}

// Regression: "-B" wrote "../x" outside the program's folder, took "abc" as 0.00 and -5 as a rate,
// reported success for a folder, and ended a run that refused a line with "done".
TEST_F(WzrvProgramTest, BatchEditRefusesBadLines) {
  UseProgramCopy(true);
  TempFolder data;
  env_ += " XDG_DATA_HOME=" + Quoted(data.path());
  const std::string tables = data / "Orlendt Software/Zarvic/Tables";
  struct Case {
    const char* line;  // line 2 of the file
    const char* error;
  };
  const Case cases[] = {
      {"../x,,01-01-2025,Daily,7,8,7,365,,", "Invalid table name"},
      {"T,,01-01-2025,Daily,abc,8,7,365,,", "Invalid rate"},
      {"T,,01-01-2025,Daily,7,-5,7,365,,", "Invalid rate"},
  };
  for (const Case& c : cases) {
    WriteFile(work_ / "edit.csv", std::string("heading\n") + c.line + "\n");
    EXPECT_EQ(kExitFailed, Run({"-B", "edit.csv"})) << c.line;
    EXPECT_TRUE(Contains(err_, std::string("edit.csv:2: ") + c.error)) << err_;
    EXPECT_TRUE(Contains(err_, std::string(c.line) + "\n")) << err_;
    EXPECT_TRUE(Contains(err_, "Batch-mode edit stopped at line 2 of edit.csv")) << err_;
    EXPECT_FALSE(Contains(err_, "done")) << err_;
  }
  EXPECT_FALSE(std::filesystem::exists(tables + "/../x.TB3"));
  EXPECT_FALSE(std::filesystem::exists(tables + "/T.TB3"));

  EXPECT_EQ(kExitFailed, Run({"-B", work_.path()}));
  EXPECT_TRUE(Contains(err_, "Is a directory")) << err_;

  WriteFile(work_ / "edit.csv", "heading\nT,,01-01-2025,Daily,7,8.4,7,365,,\n");
  EXPECT_EQ(kExitDone, Run({"-B", "edit.csv"})) << err_;
  EXPECT_TRUE(Contains(err_, "Batch-mode edit done. 1 line added; 0 duplicates not saved.")) << err_;
  EXPECT_TRUE(std::filesystem::exists(tables + "/T.TB3"));
  EXPECT_FALSE(std::filesystem::exists(copy_ / "T.TB3"));  // never beside the program
}

const char kQuarterlyScript[] =
    "// quarterly table\n"
    "OUTDIR=tables TABLESTART=01-01-95 TABLEEND=01-01-96\n"
    "FREQUENCY=QUARTERLY METHOD=DAILY RATE=8 NAME=Q95 DESC=\"Quarterly test table\"\n"
    "GO=1\n";

TEST_F(WzrvProgramTest, TableGenerationWritesTableAndListing) {
  ASSERT_EQ(0, std::system(("mkdir " + Quoted(work_ / "tables")).c_str()));
  WriteFile(work_ / "gen.txt", kQuarterlyScript);
  EXPECT_EQ(kExitDone, Run({"-G", "gen.txt"})) << err_;
  auto t = std::make_unique<RateTable>();
  ASSERT_TRUE(LoadTable(*t, work_ / "tables/Q95.TB3", false));
  EXPECT_EQ(4, UsedLineCount(*t));
  const std::string listing = ReadFile(work_ / "tables/Q95.TXT");
  EXPECT_TRUE(Contains(listing, "INTEREST RATE TABLE LISTING")) << listing;
  EXPECT_TRUE(Contains(listing, "10-01-95")) << listing;
  EXPECT_TRUE(Contains(listing, "Quarterly test table")) << listing;

  // Run again without a terminal: the question is answered No and the table stays as it was.
  const std::string before = ReadFile(work_ / "tables/Q95.TB3");
  EXPECT_EQ(kExitFailed, Run({"-G", "gen.txt"}));
  EXPECT_TRUE(Contains(err_, "Q95.TB3\" exists.  OK to replace?")) << err_;
  EXPECT_TRUE(Contains(err_, "answered No")) << err_;
  EXPECT_EQ(before, ReadFile(work_ / "tables/Q95.TB3"));
}

TEST_F(WzrvProgramTest, TableGenerationFailures) {
  EXPECT_EQ(kExitFailed, Run({"-G", "missing.txt"}));
  EXPECT_TRUE(Contains(err_, "Failed to open file \"missing.txt\"")) << err_;

  WriteFile(work_ / "gen.txt", "OUTDIR=nowhere\n");
  EXPECT_EQ(kExitFailed, Run({"-G", "gen.txt"}));
  EXPECT_TRUE(Contains(err_, "Directory \"nowhere\" does not exist - please create it.")) << err_;

  WriteFile(work_ / "gen.txt", "FREQUENCY=FORTNIGHTLY\nTABLESTART=01-01-95 NAME=X GO=1\n");
  EXPECT_EQ(kExitFailed, Run({"-G", "gen.txt"}));
  EXPECT_TRUE(Contains(err_, "Undefined frequency \"FORTNIGHTLY\"")) << err_;
  EXPECT_EQ(V{"gen.txt"}, work_.Entries());
}

TEST_F(WzrvProgramTest, HelpAndOptionsThatNeedTheWindow) {
  EXPECT_EQ(kExitDone, Run({"--help"}));
  for (const char* option : {"-GATTDIAGNOSTIC", "-EXPATH", "-TS", "-TF", "-B ", "-G ", "Exit status"})
    EXPECT_TRUE(Contains(out_, option)) << option;
  // The tests run without a display: the window options say so, the unattended ones ran above.
  EXPECT_EQ(kExitFailed, Run({"-XX"}));
  EXPECT_TRUE(Contains(err_, "no display")) << err_;
}

}  // namespace
}  // namespace zarvic
