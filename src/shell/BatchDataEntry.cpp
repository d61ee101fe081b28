#include "shell/BatchDataEntry.h"

#include <cstring>
#include <functional>
#include <memory>

#include "core/AtomicFile.h"
#include "core/Dates.h"
#include "core/FileExtension.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "reports/DepositPenaltyReport.h"
#include "reports/EngineReportComputation.h"
#include "reports/EstimatedTaxReport.h"
#include "reports/ReportRun.h"
#include "shell/OneLineMessages.h"
#include "worksheets/DepositPenaltyInput.h"
#include "worksheets/EstimatedTaxInput.h"

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

// The report of inputPath cannot go where it would replace the input itself.
bool ReportWouldReplaceInput(const std::string& inputPath, const std::string& outputPath) {
  if (outputPath != inputPath) return false;
  MessageBoxText(StringPrintf(
      "The report of \"%s\" would replace the input file itself; nothing was written.", inputPath.c_str()));
  return true;
}

// The report text of a run, after a first line saying that lines of the input were refused.
std::string ReportFileText(const ReportRun& run, const std::string& inputPath, int refusedLines) {
  std::string text;
  if (refusedLines > 0) {
    // A report read later must not be taken for the whole problem.
    text = StringPrintf("*** INCOMPLETE: %d line%s refused in %s (see the messages of the run) ***\r\n",
                        refusedLines, refusedLines == 1 ? " was" : "s were", inputPath.c_str());
  }
  ReportTextFormat format;
  format.lineEnd = "\r\n";
  return text + ReportText(run, format);
}

BatchOutcome NoReport(const std::string& inputPath, const std::string& outputPath) {
  MessageBoxText(StringPrintf("No report could be made from \"%s\"; \"%s\" was not written.",
                              inputPath.c_str(), outputPath.c_str()));
  return BatchOutcome::Failed;
}

// Replaces the report file whole; an earlier one is left as it was when it cannot be written.
BatchOutcome WriteReportFile(const std::string& outputPath, const std::string& text, int refusedLines) {
  int error = 0;
  if (!WriteFileAtomically(outputPath, text, &error)) {
    MessageBoxText(StringPrintf("The report file \"%s\" could not be written: %s", outputPath.c_str(),
                                std::strerror(error)));
    return BatchOutcome::Failed;
  }
  return refusedLines > 0 ? BatchOutcome::Incomplete : BatchOutcome::Done;
}

// The report of a worksheet (figured outside the problem's computation) written beside its input, in
// one report run of problem without heading lines or footer (a worksheet's input has none to print).
// refusedLines as for ReportFileText. Nothing is written when the report cannot be made.
BatchOutcome WriteWorksheetReport(CTDoc& problem, const std::string& inputPath, DayNumber reportDate,
                                  int refusedLines, const std::function<void(ReportWriter&)>& write) {
  const std::string outputPath = ReportPathForInput(inputPath);
  ReportOptions options(CurrentReportSettings(), reportDate);
  options.ClearReportSwitches();
  options.includeHeader = false;
  options.includeFooter = false;
  EngineReportComputation computation;  // the problem is not computed: the report is the worksheet's
  ReportRun run(problem, computation);
  run.Options() = options;
  FixedPageLength page;
  if (run.PrepareReport(page, false, write) == 0) return NoReport(inputPath, outputPath);
  return WriteReportFile(outputPath, ReportFileText(run, inputPath, refusedLines), refusedLines);
}

// An estimated tax input: read, computed with its rate table, and its report written beside it. Each
// refused line is named; an input that is not one whole (no ESTTAX line) or cannot be computed writes
// nothing.
BatchOutcome RunEstimatedTaxInput(TextLineReader& reader, const std::string& inputPath) {
  if (ReportWouldReplaceInput(inputPath, ReportPathForInput(inputPath))) return BatchOutcome::Failed;
  EstimatedTaxInput input;
  std::vector<std::string> messages;
  const bool read = ReadEstimatedTaxInput(reader, input, messages);
  for (const std::string& message : messages) MessageBoxText(message);
  if (!read) return BatchOutcome::Failed;

  auto problem = std::make_unique<CTDoc>();
  problem->ResetProblem();
  if (!LoadNamedTable(problem->m_rateTable, input.tableName)) {
    MessageBoxText(
        inputPath + ": " +
        StringPrintfDynamic(std::string(StringText(kTableMissingId)).c_str(), input.tableName.c_str()));
    return BatchOutcome::Failed;
  }
  const EstimatedTaxResult result = ComputeEstimatedTax(input.sheet, problem->m_rateTable);
  if (!result.Ok()) {
    MessageBoxText(inputPath + ": " + std::string(StringText(result.errorId)));
    return BatchOutcome::Failed;
  }
  for (int id : result.cautionIds) MessageBoxText(inputPath + ": " + std::string(StringText(id)));
  return WriteWorksheetReport(*problem, inputPath, result.computedThrough, static_cast<int>(messages.size()),
                              [&](ReportWriter& w) { WriteEstimatedTaxReport(w, input.sheet, result); });
}

// A deposit penalty input: read, checked and computed, and its report written beside it. A penalty
// figured without a refused line could be wrong in either direction, so any error writes nothing.
BatchOutcome RunDepositPenaltyInput(TextLineReader& reader, const std::string& inputPath) {
  if (ReportWouldReplaceInput(inputPath, ReportPathForInput(inputPath))) return BatchOutcome::Failed;
  const DepositPenaltyInput input = ReadDepositPenaltyInput(reader);
  for (const DepositInputError& error : input.errors)
    MessageBoxText(FormatDepositInputError(inputPath, error));
  if (!input.errors.empty()) return BatchOutcome::Failed;
  const DepositPenaltyResult result = ComputeDepositPenalty(input.worksheet);
  if (result.error) {
    MessageBoxText(FormatDepositInputError(inputPath, {0, result.error->message}));
    return BatchOutcome::Failed;
  }
  auto problem = std::make_unique<CTDoc>();
  problem->ResetProblem();
  return WriteWorksheetReport(*problem, inputPath, NO_DATE, 0, [&](ReportWriter& w) {
    WriteDepositPenaltyReport(w, input.worksheet, result);
  });
}

}  // namespace

std::string ReportPathForInput(const std::string& inputPath) {
  std::string path = inputPath;
  SetExtension(path, ".rpt");
  return path;
}

BatchOutcome RunAutomatic(CTDoc& problem, const BatchEntrySettings& batch, const std::string& inputPath,
                          int refusedLines) {
  const std::string outputPath = ReportPathForInput(inputPath);
  if (ReportWouldReplaceInput(inputPath, outputPath)) return BatchOutcome::Failed;

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
  // The computation replaces a missing compute date by today; the report options carry the date.
  if (!IsDate(problem.m_computeDate)) problem.m_computeDate = Today();

  std::array<bool, kBatchReports> chosen = batch.reports;
  if (!batch.AnyReport()) {
    chosen[static_cast<int>(BatchReport::InterestAndPenaltyDetail)] = true;
    chosen[static_cast<int>(BatchReport::MainScreenEvents)] = true;
  }
  ReportOptions options = RunOptions(problem, batch);
  for (int i = 0; i < kBatchReports; ++i) {
    if (chosen[i]) Select(options, static_cast<BatchReport>(i));
  }
  options.eventSummaryWithDetail = true;

  // One report run: the page numbers run on through the file. The computation's cautions go out as
  // in the window (an unattended run is not quieter), one line each.
  std::string text;
  bool made = false;
  {
    OneLineMessages oneLine(CurrentUi());
    ScopedUserInterface scoped(oneLine);
    EngineReportComputation computation;
    ReportRun run(problem, computation);
    run.Options() = options;
    FixedPageLength page;
    if (run.PrepareReports(page, false) > 0) {
      made = true;
      text = ReportFileText(run, inputPath, refusedLines);
      run.CloseReport();
    }
  }
  if (!made) return NoReport(inputPath, outputPath);
  return WriteReportFile(outputPath, text, 0);
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
  const std::string first = FirstKeywordLine(reader);
  if (IsEstimatedTaxKeywordLine(first)) return RunEstimatedTaxInput(reader, inputPath);
  if (IsDepositPenaltyInput(first)) return RunDepositPenaltyInput(reader, inputPath);
  auto problem = std::make_unique<CTDoc>();
  problem->ResetProblem();
  BatchEntrySettings batch;
  int refused = FillProblemFromInput(*problem, batch, reader);
  BatchOutcome outcome = RunAutomatic(*problem, batch, inputPath, refused);
  if (outcome == BatchOutcome::Done && refused > 0) return BatchOutcome::Incomplete;
  return outcome;
}

}  // namespace zarvic
