#include "shell/BatchDataEntry.h"

#include <cstring>
#include <memory>

#include "core/AtomicFile.h"
#include "core/FileExtension.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "reports/EngineReportComputation.h"
#include "reports/ReportRun.h"

namespace zarvic {
namespace {

constexpr int kTableMissingId = 19203;

// The report options of one run: the application's report settings with the file's headings and
// footer, every report switch off.
ReportOptions RunOptions(const CTDoc& problem, const BatchEntrySettings& batch) {
  ReportOptions options(CurrentReportSettings(), problem.m_computeDate);
  options.ClearReportSwitches();
  if (batch.AnyHeading()) {
    options.includeHeader = true;
    for (int i = 0; i < kBatchHeadings; ++i) {
      if (batch.headingFlags[i]) options.headerLines[i] = batch.headings[i];
    }
  }
  if (batch.footerFlag) {
    options.includeFooter = true;
    options.footer = batch.footer;
  }
  return options;
}

void Select(ReportOptions& options, BatchReport report) {
  switch (report) {
    case BatchReport::InterestAndPenaltyDetail:
      options.interestAndPenaltyDetail = true;
      break;
    case BatchReport::PaymentAllocationDetail:
      options.paymentAllocationDetail = true;
      break;
    case BatchReport::InterestDetailWithFactors:
      options.interestDetailWithFactors = true;
      break;
    case BatchReport::PenaltyComputationDetail:
      options.penaltyComputationDetail = true;
      break;
    case BatchReport::MainScreenEvents:
      options.mainScreenEvents = true;
      break;
    case BatchReport::MonthlyAccrual:
      options.monthlyAccrual = true;
      break;
    case BatchReport::InterestRateTable:
      options.rateTable = true;
      break;
  }
}

// One report run with the given options; appends its text. False when it wrote nothing.
bool AppendReports(CTDoc& problem, const ReportOptions& options, std::string& text) {
  EngineReportComputation computation;
  ReportRun run(problem, computation);
  run.Options() = options;
  FixedPageLength page;
  if (run.PrepareReports(page, false) == 0) return false;
  ReportTextFormat format;
  format.lineEnd = "\r\n";
  text += ReportText(run, format);
  run.CloseReport();
  return true;
}

}  // namespace

std::string ReportPathForInput(const std::string& inputPath) {
  std::string path = inputPath;
  SetExtension(path, ".rpt");
  return path;
}

BatchOutcome RunAutomatic(CTDoc& problem, const BatchEntrySettings& batch, const std::string& inputPath) {
  const std::string outputPath = ReportPathForInput(inputPath);
  if (outputPath == inputPath) {
    MessageBoxText(StringPrintf(
        "The report of \"%s\" would replace the input file itself; nothing was written.", inputPath.c_str()));
    return BatchOutcome::Failed;
  }

  const std::string tableName = problem.m_rateTable.name;
  if (!tableName.empty()) {
    auto table = std::make_unique<RateTable>();
    if (LoadNamedTable(*table, tableName)) {
      problem.m_rateTable = std::move(*table);
    } else {
      MessageBoxText(
          StringPrintfDynamic(std::string(StringText(kTableMissingId)).c_str(), tableName.c_str()));
      problem.m_rateTable = RateTable{};
    }
  }
  // An unattended run shows errors but none of the first computation's cautions. The report run
  // computes the problem.
  problem.m_suppressCautions = true;

  std::array<bool, kBatchReports> chosen = batch.reports;
  if (!batch.AnyReport()) {
    chosen[static_cast<int>(BatchReport::InterestAndPenaltyDetail)] = true;
    chosen[static_cast<int>(BatchReport::MainScreenEvents)] = true;
  }
  // A report run leaves out Main Screen Events when Interest and Penalty Detail is chosen (its event
  // list is the detailed one); asked for both, the file gets Main Screen Events from a second run.
  const bool separateEvents = chosen[static_cast<int>(BatchReport::InterestAndPenaltyDetail)] &&
                              chosen[static_cast<int>(BatchReport::MainScreenEvents)];
  ReportOptions options = RunOptions(problem, batch);
  for (int i = 0; i < kBatchReports; ++i) {
    if (chosen[i] && !(separateEvents && i == static_cast<int>(BatchReport::MainScreenEvents)))
      Select(options, static_cast<BatchReport>(i));
  }
  std::string text;
  bool made = AppendReports(problem, options, text);
  if (made && separateEvents) {
    ReportOptions events = RunOptions(problem, batch);
    Select(events, BatchReport::MainScreenEvents);
    made = AppendReports(problem, events, text);
  }
  if (!made) {
    MessageBoxText(StringPrintf("No report could be made from \"%s\"; \"%s\" was not written.",
                                inputPath.c_str(), outputPath.c_str()));
    return BatchOutcome::Failed;
  }
  int error = 0;
  if (!WriteFileAtomically(outputPath, text, &error)) {
    MessageBoxText(StringPrintf("The report file \"%s\" could not be written: %s", outputPath.c_str(),
                                std::strerror(error)));
    return BatchOutcome::Failed;
  }
  return BatchOutcome::Done;
}

BatchOutcome RunBatchDataEntry(const std::string& inputPath) {
  TextLineReader reader;
  if (!reader.Open(inputPath)) {
    MessageBoxText(StringPrintf("The text input file \"%s\" cannot be read: %s", inputPath.c_str(),
                                std::strerror(reader.Error())));
    return BatchOutcome::Failed;
  }
  return RunBatchDataEntry(reader, inputPath);
}

BatchOutcome RunBatchDataEntry(TextLineReader& reader, const std::string& inputPath) {
  auto problem = std::make_unique<CTDoc>();
  problem->ResetProblem();
  BatchEntrySettings batch;
  int refused = FillProblemFromInput(*problem, batch, reader);
  BatchOutcome outcome = RunAutomatic(*problem, batch, inputPath);
  if (outcome == BatchOutcome::Done && refused > 0) return BatchOutcome::Incomplete;
  return outcome;
}

}  // namespace zarvic
