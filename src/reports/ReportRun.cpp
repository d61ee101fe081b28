#include "reports/ReportRun.h"

#include <fstream>
#include <iterator>

#include "core/AtomicFile.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "reports/ReportTemplate.h"
#include "reports/Reports.h"
#include "reports/KeptWorksheetReports.h"

namespace zarvic {
namespace {

constexpr int kNoPrinterMessage = 19426;

std::string ReadBytes(const std::string& path) {
  if (path.empty()) return {};
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The wait cursor for the length of a run, whichever way it ends.
class WaitCursor {
 public:
  WaitCursor() { CurrentUi().SetWaitCursor(true); }
  ~WaitCursor() { CurrentUi().SetWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

ReportRun::ReportRun(CTDoc& doc, ReportComputation& computation) : doc_(doc), computation_(computation) {}

ReportRun::~ReportRun() = default;

void ReportRun::CloseReport() {
  writer_.reset();
}

int ReportRun::PageCount() const {
  return writer_ ? writer_->pageCount : 0;
}

const std::string& ReportRun::ReportPath() const {
  static const std::string none;
  return writer_ ? writer_->ReportPath() : none;
}

std::vector<std::int64_t> ReportRun::PageStarts() const {
  return writer_ ? writer_->pageStart : std::vector<std::int64_t>();
}

int ReportRun::PrepareReports(PageLength& page, bool printing) {
  ProblemRun run(doc_);
  if (!run.Acquired()) {
    RefuseBusyProblem();
    return 0;
  }
  ProblemMessageScope scope(doc_);
  CloseReport();
  WaitCursor wait;

  if (IsDate(options_.computeDate)) doc_.m_computeDate = options_.computeDate;
  const bool computeDateSet = IsDate(doc_.m_computeDate);

  bool computed = false;
  if (AnyProblemReportSelected(options_) && computeDateSet) computed = computation_.ComputeProblem(doc_);

  return WriteRun(page, printing, [&](ReportWriter& w) {
    if (computed) {
      if (options_.interestAndPenaltyDetail) {
        WriteEventList(w, false);
        WriteInterestDetail(w, false);
        WritePenaltyDetails(w);
      }
      if (options_.interestDetailWithFactors) WriteInterestDetail(w, true);
      if (options_.mainScreenEvents &&
          (!options_.interestAndPenaltyDetail || options_.eventSummaryWithDetail))
        WriteEventList(w, true);
      if (options_.paymentAllocationDetail) WritePaymentAllocation(w);
      if (options_.penaltyComputationDetail && !options_.interestAndPenaltyDetail) WritePenaltyDetails(w);
      if (options_.monthlyAccrual) WriteMonthlyAccrual(w);
    }
    if (options_.rateTable) WriteRateTableListing(w);
    const bool worksheets = WriteWorksheetReports(w, doc_, options_);
    if (computed || options_.rateTable || worksheets) w.FinishReports();
  });
}

int ReportRun::PrepareReport(PageLength& page, bool printing,
                             const std::function<void(ReportWriter&)>& write) {
  CloseReport();
  WaitCursor wait;
  return WriteRun(page, printing, [&](ReportWriter& w) {
    write(w);
    w.FinishReports();
  });
}

int ReportRun::WriteRun(PageLength& page, bool printing, const std::function<void(ReportWriter&)>& write) {
  const int lines = page.LinesPerPage();
  if (lines < kMinLinesPerPage) {
    MessageBoxId(kNoPrinterMessage);
    return 0;
  }

  const int missingBefore = MissingTemplateCount();
  auto writer = std::make_unique<ReportWriter>(doc_, options_, computation_);
  writer->noRuleLines = printing;
  writer->linesPerPage = lines;
  if (!writer->OpenReportFile()) return 0;
  ReportWriter& w = *writer;
  write(w);

  if (!w.CloseReportFile()) {
    // A report cut short by a full disk must not pass for a whole one.
    MessageBoxId(20051);
    return 0;
  }
  // A report with a template missing has gaps (a page of rule lines only, a header without its
  // fields); the message named the template, and nothing is handed on as a report.
  if (w.pageCount == 0 || MissingTemplateCount() != missingBefore) return 0;
  writer_ = std::move(writer);
  return writer_->pageCount;
}

std::vector<std::string> SplitReportLines(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t nul = bytes.find('\0', start);
    if (nul == std::string_view::npos) nul = bytes.size();
    lines.emplace_back(bytes.substr(start, nul - start));
    start = nul + 1;
  }
  return lines;
}

std::vector<std::string> ReportRun::ReadLines() const {
  return SplitReportLines(ReadBytes(ReportPath()));
}

std::vector<std::string> ReportRun::ReadPage(int page) const {
  if (!writer_ || page < 1 || page > writer_->pageCount) return {};
  std::string bytes = ReadBytes(ReportPath());
  auto begin = static_cast<size_t>(writer_->pageStart[static_cast<size_t>(page - 1)]);
  size_t end = page < writer_->pageCount ? static_cast<size_t>(writer_->pageStart[static_cast<size_t>(page)])
                                         : bytes.size();
  if (begin > bytes.size()) return {};
  end = std::min(end, bytes.size());
  return SplitReportLines(std::string_view(bytes).substr(begin, end - begin));
}

std::string ReportText(const ReportRun& run, const ReportTextFormat& format) {
  std::string text;
  // The report is made in the problem's Windows-1252, one byte a column; the text leaves as UTF-8.
  for (const auto& line : run.ReadLines()) {
    text += format.linePrefix;
    text += Windows1252ToUtf8(line);
    text += format.lineEnd;
  }
  return text;
}

bool WriteReportText(const ReportRun& run, const std::string& path, const ReportTextFormat& format,
                     int* error) {
  if (run.PageCount() == 0) return false;
  return WriteFileAtomically(path, ReportText(run, format), error);
}

}  // namespace zarvic
