#pragma once

// Shared set-up of the report tests: a temporary TEMP folder for report files, the shipped templates
// as the program's folder, a recording user interface, a fixed clock, and a computation whose results
// the tests write by hand.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/Clock.h"
#include "core/Paths.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "reports/ReportComputation.h"
#include "reports/ReportRun.h"
#include "reports/ReportTemplate.h"
#include "reports/ReportWriter.h"
#include "support/TestFiles.h"

namespace zarvic::testing {

inline std::string Marked(std::string text) {
  for (char& c : text) {
    if (c == '~') c = kFieldMarker;
  }
  return text;
}

// A computation that computes nothing: its totals, balances and flags are set by the test.
class FakeComputation : public ReportComputation {
 public:
  bool computeResult = true;
  int computeCalls = 0;
  struct Run {
    DayNumber date;
    bool monthly;
  };
  std::vector<Run> runs;
  ReportTotals totals;                        // what every run leaves
  std::map<DayNumber, Amount> balanceOnDate;  // finalTotal of a run through that date
  std::function<void(CTDoc&, DayNumber, bool)> onRun;
  DayNumber hotStart = NO_DATE;
  bool penaltyWhileRefund = false;
  std::array<Amount, 3> negligence{};
  bool stacking = false;
  Amount paymentsInPeriod = 0.0;
  bool diagnostic = false;

  bool ComputeProblem(CTDoc& /*doc*/) override {
    ++computeCalls;
    ran_ = true;
    last_ = totals;
    return computeResult;
  }
  bool RunComputation(CTDoc& doc, DayNumber date, bool monthlyBreaks) override {
    runs.push_back({date, monthlyBreaks});
    ran_ = true;
    last_ = totals;
    auto it = balanceOnDate.find(date);
    if (it != balanceOnDate.end()) last_.finalTotal = it->second;
    if (onRun) onRun(doc, date, monthlyBreaks);
    return true;
  }
  // Before any run the totals are those set by the test.
  ReportTotals Totals(const CTDoc& /*doc*/) const override { return ran_ ? last_ : totals; }
  DayNumber HotStartDate(const CTDoc& /*doc*/) const override { return hotStart; }
  bool PenaltyWhileRefund(const CTDoc& /*doc*/) const override { return penaltyWhileRefund; }
  std::array<Amount, 3> NegligenceAmounts(const CTDoc& /*doc*/) const override { return negligence; }
  bool AccuracyStacking(CTDoc& /*doc*/) override { return stacking; }
  Amount PaymentsInPeriod(const CTDoc& /*doc*/, int /*k*/, DayNumber /*from*/,
                          DayNumber /*to*/) const override {
    return paymentsInPeriod;
  }
  bool GattDiagnostic() const override { return diagnostic; }

 private:
  bool ran_ = false;
  ReportTotals last_;
};

class ReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* temp = std::getenv("TEMP");
    savedTemp_ = temp ? temp : "";
    hadTemp_ = temp != nullptr;
    ::setenv("TEMP", tempFolder.path().c_str(), 1);
    SetProgramFolder(std::string(ZARVIC_SOURCE_DIR) + "/data");
    SetClock([] { return ClockTime{{2026, 4, 15}, 14, 45, 0}; });
    savedOptions_ = Options();
    Options() = AppOptions{};
    ::mkdir((tempFolder / "cwd").c_str(), 0700);
    cwd_ = std::make_unique<ScopedCurrentFolder>(tempFolder / "cwd");
    doc.m_header.m_taxpayerName.SetText("Avery Holloway");
    doc.m_header.m_taxpayerId.SetText("123-45-6789");
    doc.m_rateTable.name = "FEDERAL";
    doc.m_rateTable.description = "Federal underpayment and overpayment rates";
    doc.m_rateTable.vendorFlag = 1;
    doc.m_rateTable.endDate = MakeDate(12, 31, 2026);
  }
  void TearDown() override {
    cwd_.reset();
    SetClock({});
    SetProgramFolder("");
    Options() = savedOptions_;
    if (hadTemp_) {
      ::setenv("TEMP", savedTemp_.c_str(), 1);
    } else {
      ::unsetenv("TEMP");
    }
  }

  // Folder for templates written by the test; it becomes the program's folder.
  std::string UseTemplateFolder() {
    std::string folder = tempFolder / "templates";
    ::mkdir(folder.c_str(), 0700);
    SetProgramFolder(folder);
    return folder;
  }
  void WriteTemplate(const std::string& name, const std::string& text) {
    WriteFile(UseTemplateFolderOnce() + "/" + name, Marked(text));
  }

  CEvent& AddEvent(std::uint16_t type, DayNumber date, Amount cents, const std::string& description = "") {
    CEvent& e = doc.m_events[static_cast<size_t>(doc.EventCount())];
    e.m_type = type;
    e.m_date = date;
    e.m_amount = cents;
    if (!description.empty()) e.SetDescription(description);
    return e;
  }

  // A writer with a page of the given length and an open report file, for tests of the pieces.
  ReportWriter& Writer(int linesPerPage = 60) {
    writer_ = std::make_unique<ReportWriter>(doc, options, computation);
    writer_->linesPerPage = linesPerPage;
    EXPECT_TRUE(writer_->OpenReportFile());
    return *writer_;
  }
  std::vector<std::string> WrittenLines() {
    writer_->CloseReportFile();
    return SplitReportLines(ReadFile(writer_->ReportPath()));
  }

  std::vector<std::string> RunReports(int linesPerPage = 60, bool printing = false) {
    run_ = std::make_unique<ReportRun>(doc, computation);
    run_->Options() = options;
    FixedPageLength page(linesPerPage);
    pages = run_->PrepareReports(page, printing);
    return run_->ReadLines();
  }
  ReportRun& Run() { return *run_; }

  TempFolder tempFolder;
  RecordingUserInterface ui;
  ScopedUserInterface scopedUi{ui};
  CTDoc doc;
  ReportOptions options{DefaultReportSettings()};
  FakeComputation computation;
  int pages = 0;

 private:
  std::string UseTemplateFolderOnce() {
    if (templateFolder_.empty()) templateFolder_ = UseTemplateFolder();
    return templateFolder_;
  }

  std::string savedTemp_;
  bool hadTemp_ = false;
  AppOptions savedOptions_;
  std::unique_ptr<ScopedCurrentFolder> cwd_;
  std::unique_ptr<ReportWriter> writer_;
  std::unique_ptr<ReportRun> run_;
  std::string templateFolder_;
};

}  // namespace zarvic::testing
