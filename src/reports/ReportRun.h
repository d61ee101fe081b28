#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "reports/ReportComputation.h"
#include "reports/ReportOptions.h"
#include "reports/ReportWriter.h"

namespace zarvic {

class CTDoc;

// The report run of one view: its options, its temporary report file of NUL-ended lines and the pages
// in it. The file lives until the next run, CloseReport or the run's destruction.
class ReportRun {
 public:
  ReportRun(CTDoc& doc, ReportComputation& computation);
  ~ReportRun();
  ReportRun(const ReportRun&) = delete;
  ReportRun& operator=(const ReportRun&) = delete;

  ReportOptions& Options() { return options_; }
  const ReportOptions& Options() const { return options_; }

  // Computes the problem (unless only the rate table listing is selected) and writes the selected
  // reports in their fixed order. printing suppresses the rule lines at page ends. Returns the number
  // of pages; 0 when nothing was written or the run failed (the file is then gone).
  int PrepareReports(PageLength& page, bool printing);
  // The same for a report made outside the problem's computation (a worksheet's): write writes its
  // pages through the run's writer; the problem is not computed.
  int PrepareReport(PageLength& page, bool printing, const std::function<void(ReportWriter&)>& write);

  int PageCount() const;
  const std::string& ReportPath() const;
  // Byte offsets of the pages in the report file: page n (from 1) runs from PageStart(n) to
  // PageStart(n + 1), the last one to the end of the file.
  std::vector<std::int64_t> PageStarts() const;
  // The lines of the whole file, or of page n (from 1); empty when there is no report file.
  std::vector<std::string> ReadLines() const;
  std::vector<std::string> ReadPage(int page) const;
  // Closes and deletes the report file.
  void CloseReport();

 private:
  // Writes a run's report file with write: the number of pages, or 0 with the file gone.
  int WriteRun(PageLength& page, bool printing, const std::function<void(ReportWriter&)>& write);

  CTDoc& doc_;
  ReportComputation& computation_;
  ReportOptions options_;
  std::unique_ptr<ReportWriter> writer_;
};

// Splits the bytes of a report file into its NUL-ended lines (a last line without NUL is kept too).
std::vector<std::string> SplitReportLines(std::string_view bytes);

struct ReportTextFormat {
  std::string lineEnd = "\r\n";
  std::string linePrefix;  // written before every line (the test list's one-blank margin)
};

// Writes the run's report file as plain UTF-8 text, each line followed by the line end, replacing the file at
// path as a whole. False when there is no report or the file cannot be written (error set to errno).
bool WriteReportText(const ReportRun& run, const std::string& path, const ReportTextFormat& format,
                     int* error = nullptr);
// The same text, in memory.
std::string ReportText(const ReportRun& run, const ReportTextFormat& format);

}  // namespace zarvic
