#include "shell/TestRunner.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>

#include "allocation/PaymentAllocation.h"
#include "core/AtomicFile.h"
#include "core/FileExtension.h"
#include "core/FolderIndex.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "engine/ComputeDriver.h"
#include "problem/CTDoc.h"
#include "problem/DocumentManager.h"
#include "problem/ProblemFile.h"
#include "problem/TextInput.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableOperations.h"
#include "reports/EngineReportComputation.h"
#include "reports/ReportRun.h"
#include "shell/CommandLine.h"
#include "shell/OneLineMessages.h"

namespace zarvic {
namespace {

constexpr int kTestCompleteId = 18013;

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The bytes of an existing file at path; false when there is none (or it cannot be read, which the
// write then reports).
bool ReadExisting(const std::string& path, std::string& bytes) {
  if (!IsRegularFile(path)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::string JoinedPath(const std::string& folder, const std::string& name) {
  return folder.empty() || folder == "." ? name : JoinPath(folder, name);
}

// The last rate table asked for and whether it could be loaded: reading a problem asks for the table
// it names last, and a problem whose table cannot be found reads without one; its message names it.
class LastTableLoad {
 public:
  LastTableLoad() {
    previous_ = SetTableLoader([this](RateTable& table, const std::string& name) {
      const bool loaded = previous_ ? previous_(table, name) : LoadTable(table, name, false);
      name_ = name;
      failed_ = !loaded;
      return loaded;
    });
  }
  ~LastTableLoad() { SetTableLoader(std::move(previous_)); }
  LastTableLoad(const LastTableLoad&) = delete;
  LastTableLoad& operator=(const LastTableLoad&) = delete;

  bool Failed() const { return failed_; }
  const std::string& Name() const { return name_; }

 private:
  TableLoader previous_;
  std::string name_;
  bool failed_ = false;
};

std::string RateTableNameOf(const CTDoc& problem) {
  return "\"" + problem.m_rateTable.name + "\"";
}

void OutputFailed(const std::string& path, int error) {
  MessageBoxText(std::string("The report could not be written") + FileErrorText(path, error));
}

struct StaleResult {
  bool removed = false;
  int error = 0;  // errno when it is there and could not be removed
};

StaleResult RemoveStaleResult(const std::string& path) {
  StaleResult out;
  if (!IsRegularFile(path)) return out;
  if (::unlink(path.c_str()) != 0) {
    out.error = errno;
    return out;
  }
  NoteFileRemoved(path);
  out.removed = true;
  return out;
}

}  // namespace

std::string FileErrorText(const std::string& path, int error) {
  return " (" + (path.empty() ? std::string() : path + ": ") + std::strerror(error) + ")";
}

bool IsListReport(std::string_view bytes) {
  // Every line starts with the one-blank margin and ends in CR LF; the last is the rule line that
  // closes every report's last page.
  const std::string lastLine = " " + std::string(static_cast<std::size_t>(kRuleLineWidth), '*') + "\r\n";
  if (bytes.size() < lastLine.size() || !bytes.ends_with(lastLine)) return false;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos || end == start || bytes[end - 1] != '\r' || bytes[start] != ' ')
      return false;
    start = end + 1;
  }
  return true;
}

std::vector<std::string> TestFolderFiles(const std::string& folder) {
  std::vector<std::string> zr2, zr3;
  for (const FolderEntry& entry : FolderEntries(folder)) {
    if (!entry.regular) continue;
    if (HasExtensionNoCase(entry.name, ".ZR2")) zr2.push_back(entry.name);
    if (HasExtensionNoCase(entry.name, ".ZR3")) zr3.push_back(entry.name);
  }
  // The entries come in name order.
  zr2.insert(zr2.end(), zr3.begin(), zr3.end());
  return zr2;
}

Amount BalanceDue(const CTDoc& problem) {
  Amount charges = 0.0;
  Amount payments = 0.0;
  for (const CEvent& event : problem.ListedEvents()) {
    (LowersBalance(event.m_type) ? payments : charges) += event.m_amount;
  }
  for (std::size_t k = 0; k < problem.m_penalties.size(); ++k) {
    if (problem.m_penalties[k].IsActive()) charges += problem.m_penaltyResults.PenaltyAmount[k];
  }
  const ComputeState& c = problem.m_compute;
  charges += c.m_normalInterestTotal + c.m_motivatedInterestTotal +
             problem.m_penaltyResults.PenaltyInterestTotal + c.m_refundInterestTotal + c.m_gattInterestTotal;
  return charges - payments;
}

BatchOutcome RunTestFolder(CTDoc& problem, const std::string& folder, std::ostream& err) {
  if (!std::filesystem::is_directory(folder)) {
    err << "wzrv: -TS: \"" << folder << "\" is not a folder\n";
    return BatchOutcome::Failed;
  }
  // However many problems the folder holds, it is listed once and each rate table read once.
  FileLookupScope lookups;
  LastTableLoad tables;
  problem.m_suppressCautions = true;
  bool skipped = false;
  bool failed = false;
  // Each result file replaces its old one whole; the run syncs the disk once, not twice per file.
  AtomicFileBatch results;
  for (const std::string& name : TestFolderFiles(folder)) {
    const std::string path = JoinedPath(folder, name);
    std::string resultPath = path;
    SetExtension(resultPath, ".TS");
    // A problem without a result this time keeps none from an earlier run either.
    auto noResult = [&](const std::string& why, bool fails) {
      // File names come from the folder: a line break or ESC in one must not forge or clear a line.
      err << "wzrv: " << EscapeForMessage(path) << why << "; no result file";
      const StaleResult stale = RemoveStaleResult(resultPath);
      if (stale.removed) err << " (the earlier result " << EscapeForMessage(resultPath) << " was removed)";
      if (stale.error != 0) {
        err << ", and the earlier result " << EscapeForMessage(resultPath)
            << " could not be removed: " << std::strerror(stale.error);
        fails = true;
      }
      err << '\n';
      (fails ? failed : skipped) = true;
    };
    problem.ResetProblem();
    // A problem that cannot be read, or was read only in part, has no result: a figure for it would
    // be taken for the file's.
    std::string reason;
    if (!LoadProblemFile(problem, path, false, nullptr, &reason)) {
      noResult(" cannot be read" + (reason.empty() ? std::string() : ": " + EscapeForMessage(reason)), true);
      continue;
    }
    if (problem.m_eventsLeftOut > 0) {
      noResult(" holds more than the 1,000 events of a problem and was not read whole", true);
      continue;
    }
    const DayNumber date = problem.m_header.m_computeDate;
    if (!IsDate(date)) {
      noResult(" has no compute date", false);
      continue;
    }
    if (!problem.m_rateTable.IsLoaded() && tables.Failed()) {
      noResult(" cannot be computed: its rate table \"" + tables.Name() + "\" cannot be found", true);
      continue;
    }
    problem.m_computeDate = date;
    AllocateAllPayments(problem, kMaxEvents - 1);
    problem.m_compute.m_gattApplies =
        problem.m_header.m_cCorporation != 0 && TableNameBeginsWithFed(problem.m_rateTable);
    if (!RunComputation(problem, date, false, false)) {
      noResult(" cannot be computed with the rate table " + RateTableNameOf(problem), true);
      continue;
    }
    const Amount balance = BalanceDue(problem);
    if (!std::isfinite(balance)) {
      noResult(" gives a balance due that is not a finite number", true);
      continue;
    }
    int error = 0;
    if (!results.Add(resultPath, StringPrintf("%lf", balance), &error)) {
      err << "wzrv: " << resultPath << " cannot be written: " << std::strerror(error) << '\n';
      failed = true;
    }
  }
  std::vector<std::pair<std::string, int>> failures;
  if (!results.Commit(&failures)) {
    for (const auto& [path, error] : failures)
      err << "wzrv: " << path << " cannot be written: " << std::strerror(error) << '\n';
    failed = true;
  }
  MessageBoxId(kTestCompleteId);
  if (failed) return BatchOutcome::Failed;
  return skipped ? BatchOutcome::Incomplete : BatchOutcome::Done;
}

TestListEntry ParseTestListLine(std::string_view line) {
  TestListEntry entry;
  std::vector<std::string> arguments = SplitArguments(line);
  if (arguments.empty() || arguments[0].starts_with(';')) {
    entry.comment = true;
    return entry;
  }
  entry.problemPath = arguments[0];
  if (arguments.size() > 1) {
    entry.outputPath = arguments[1];
  } else {
    entry.outputPath = entry.problemPath;
    SetExtension(entry.outputPath, ".TXT");
  }
  return entry;
}

BatchOutcome TestList(const std::string& arguments) {
  std::vector<std::string> args = SplitArguments(arguments);
  TextLineReader reader;
  if (args.empty() || !reader.Open(args[0])) {
    const int error = args.empty() ? ENOENT : reader.Error();
    MessageBoxText(std::string("The test list could not be read") +
                   FileErrorText(args.empty() ? std::string() : args[0], error));
    return BatchOutcome::Failed;
  }
  bool skipped = false;
  bool failed = false;
  // A list of thousands of problems lists each folder once and reads each rate table once.
  FileLookupScope lookups;
  AtomicFileBatch reports;
  DocumentManager documents;
  while (!reader.AtEnd()) {
    TestListEntry entry = ParseTestListLine(reader.ReadLine());
    if (entry.comment) continue;
    if (entry.outputPath == entry.problemPath) {
      // A problem file named *.TXT would be replaced by its own report.
      MessageBoxText(
          StringPrintf("The report of %s would replace the problem file itself; give another output path",
                       EscapeForMessage(entry.problemPath).c_str()));
      skipped = true;
      continue;
    }
    ProblemDocument* doc = documents.OpenDocumentFile(entry.problemPath);
    if (!doc) {
      MessageBoxText(StringPrintf("The problem file %s could not be opened; no report was written for it",
                                  EscapeForMessage(entry.problemPath).c_str()));
      failed = true;
      continue;
    }
    if (doc->problem.m_eventsLeftOut > 0) {
      // The reader has said what was left out; a report of the first 1,000 would pass for the file's.
      MessageBoxText(StringPrintf("The problem file %s was not read whole; no report was written for it",
                                  EscapeForMessage(entry.problemPath).c_str()));
      doc->problem.SetModified(false);
      documents.CloseDocument(*doc);
      failed = true;
      continue;
    }
    {
      // The cautions of the computation come out as those of "-EX" do, one line each.
      OneLineMessages oneLine(CurrentUi());
      ScopedUserInterface scoped(oneLine);
      if (!TesListWriteReport(doc->problem, ListReport::InterestAndPenaltyDetail, entry.outputPath, &reports))
        failed = true;
    }
    // The computation may have touched the problem; the test run never saves it, and never asks.
    doc->problem.SetModified(false);
    documents.CloseDocument(*doc);
  }
  std::vector<std::pair<std::string, int>> failures;
  if (!reports.Commit(&failures)) {
    for (const auto& [path, error] : failures) OutputFailed(path, error);
    failed = true;
  }
  if (failed) return BatchOutcome::Failed;
  return skipped ? BatchOutcome::Incomplete : BatchOutcome::Done;
}

bool TesListWriteReport(CTDoc& problem, ListReport report, const std::string& outputPath,
                        AtomicFileBatch* reports) {
  EngineReportComputation computation;
  ReportRun run(problem, computation);
  ReportOptions& options = run.Options();
  options = ReportOptions(CurrentReportSettings(), problem.m_computeDate);
  options.ClearReportSwitches();
  (report == ListReport::InterestRateTable ? options.rateTable : options.interestAndPenaltyDetail) = true;
  FixedPageLength page;
  // Only a report of this program is replaced: a list line that names another file as its output
  // (a text input file of the same base name, notes) leaves it alone.
  std::string existing;
  if (ReadExisting(outputPath, existing) && !IsListReport(existing)) {
    MessageBoxText(outputPath +
                   " exists and is not a report written by this program; it was left as it is and no report "
                   "was written");
    return false;
  }
  if (run.PrepareReports(page, false) == 0) {
    MessageBoxText("The report for " + outputPath + " could not be made; the messages before say why");
    return false;
  }
  ReportTextFormat format;
  format.lineEnd = "\r\n";
  format.linePrefix = " ";
  int error = 0;
  const std::string text = ReportText(run, format);
  bool written =
      reports ? reports->Add(outputPath, text, &error) : WriteFileAtomically(outputPath, text, &error);
  run.CloseReport();
  if (!written) {
    OutputFailed(outputPath, error);
    return false;
  }
  return true;
}

}  // namespace zarvic
