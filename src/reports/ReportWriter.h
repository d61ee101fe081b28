#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Amounts.h"
#include "core/Dates.h"
#include "reports/ReportComputation.h"
#include "reports/ReportOptions.h"

namespace zarvic {

class CTDoc;

// The length of a report page. The GUI measures its printer; the command-line modes use a fixed one.
class PageLength {
 public:
  virtual ~PageLength() = default;
  // Lines that fit on one page; a value below kMinLinesPerPage refuses the run (message 19426).
  virtual int LinesPerPage() = 0;
};

inline constexpr int kMinLinesPerPage = 10;
inline constexpr int kTextLinesPerPage = 60;  // the command-line modes' page

class FixedPageLength : public PageLength {
 public:
  explicit FixedPageLength(int lines = kTextLinesPerPage) : lines_(lines) {}
  int LinesPerPage() override { return lines_; }

 private:
  int lines_;
};

inline constexpr int kMaxColumnHeadings = 10;
inline constexpr int kRuleLineWidth = 79;

// The interest computation detail records where GATT interest starts; the GATT lists and "GDAT" read it.
struct GattStartValues {
  DayNumber date = NO_DATE;
  Amount refund = 0.0;      // GATT principal + normal principal on the start date
  Amount gattPart = 0.0;    // GATT principal
  Amount normalPart = 0.0;  // normal principal
};

// A field of a report made outside the problem (a worksheet's report): its value, the length of its
// keyword, and whether it is a text (a text may be cut to its room; a figure never is).
struct ReportField {
  std::string value;
  std::size_t keywordLength = 0;
  bool isText = false;
};

// The line writer of one report run: the temporary report file, its pages and their headers and
// footers, and the template field substitution. Reports write through it.
class ReportWriter {
 public:
  ReportWriter(CTDoc& doc, const ReportOptions& options, ReportComputation& computation);
  ~ReportWriter();  // closes and deletes the report file
  ReportWriter(const ReportWriter&) = delete;
  ReportWriter& operator=(const ReportWriter&) = delete;

  CTDoc& doc;
  const ReportOptions& options;
  ReportComputation& computation;

  // The state of the run.
  int linesPerPage = kTextLinesPerPage;
  int lineOnPage = 0;
  int pageCount = 0;                    // pages begun so far
  std::vector<std::int64_t> pageStart;  // byte offset of each page begun; grows with the run
  std::int64_t bytesWritten = 0;
  std::string reportTitle;
  std::array<std::string, kMaxColumnHeadings> columnHeadings;
  int columnHeadingCount = 0;
  bool noRuleLines = false;   // printing: no rule line of asterisks at page ends
  bool noPageHeader = false;  // page breaks repeat only the column headings
  GattStartValues gattStart;
  bool hotInterestSectionWritten = false;  // the 6621(c) page closes the first interest detail of a run only
  // The fields of a worksheet's report, asked before the problem's keywords: true when the text after
  // the marker begins with one of its keywords, field then set.
  std::function<bool(std::string_view after, ReportField& field)> extraFields;

  // Creates the first free "tmp%d.~tm" (0-49) in the TEMP folder. False after message 20051.
  bool OpenReportFile();
  // Writes out what is buffered and closes the handle; the file stays. False when a write failed.
  bool CloseReportFile();
  void DeleteReportFile();
  const std::string& ReportPath() const { return reportPath_; }
  bool WriteFailed() const { return writeFailed_; }

  // Appends one line and its NUL; true when a page break followed it.
  bool WriteReportLine(std::string_view text, bool breakAllowed = true);
  void WriteBlankLine();
  // Ends the current page (filler lines and footer, rule line) and begins the next (heading lines).
  void StartReportPage();
  // "GLHEAD.DM" through FillTemplateLine; the number of its lines (0 when noPageHeader is set).
  int WritePageHeader();
  void FinishReports();
  // Replaces every field of line by its value and writes it; some keywords write lines of their own
  // instead. slot is the penalty slot (-1 for none). False when nothing was written for the line itself.
  bool FillTemplateLine(std::string line, int slot, bool breakAllowed = true);

  // Stores up to 10 lines as the column headings repeated after page breaks.
  void SetColumnHeadings(const std::vector<std::string>& lines);
  void ClearColumnHeadings() { columnHeadingCount = 0; }

 private:
  struct FieldResult;
  FieldResult FieldValue(std::string_view keyword, int slot);
  bool PenaltyLineKept(std::string_view keyword, int slot) const;
  bool IncludeSubTemplate(const std::string& name, int slot);
  // Appends one line and its NUL to the file, nothing else: no page break.
  void AppendLine(std::string_view text);
  void EndPage();
  void Flush();
  int WritePageHeaderLines();

  std::string reportPath_;
  int fd_ = -1;
  std::string buffer_;
  bool writeFailed_ = false;
  bool inPageHeading_ = false;  // writing a new page's heading: no nested page break
  int includeDepth_ = 0;
  bool pageHeaderMissing_ = false;
};

// Value forms shared by the reports.
std::string ReportDate(DayNumber d);     // MM-DD-YY; empty when not set
inline constexpr size_t kAmountWidth = 13;
// Grouped, bracketed, shortened, right-justified in 13; 13 asterisks when it does not fit.
std::string ReportAmount(Amount cents);
std::string BareAmount(Amount cents);    // the same without justification; empty for exactly 0
// Writes text into line at column, widening the line with blanks as needed.
void PutAt(std::string& line, size_t column, std::string_view text);

}  // namespace zarvic
