#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Dates.h"

namespace zarvic {

// The spreadsheet form of the Interest and Penalty Detail report: the report text as shown in the
// report window (every line with its one-blank margin) is cut into rows of cells by a column layout
// per section, then typed the way a spreadsheet reads such cells.

inline constexpr char kOnlyDetailExports[] =
    "Export to Spreadsheet is only supported for the Interest and Penalty Detail Report";

// One report line through one column layout: the row as CSV text (quoted cells, "," between
// cells, "\n" at the end). Characters the grammar does not know are skipped and each is added to
// unexpected (when given) as "Unexpected character %c in template!".
std::string ApplyColumnLayout(std::string_view layout, std::string_view line,
                              std::vector<std::string>* unexpected = nullptr);

// Splits CSV text made by ApplyColumnLayout into rows of cell texts (quotes removed).
std::vector<std::vector<std::string>> SplitCsvRows(std::string_view csv);

// How the report's pages were dressed, so that the page furniture (headings, footer, filler lines)
// is not taken for report lines.
struct ReportPageDressing {
  bool header = false;  // each page starts with the problem's three heading lines and a blank
  bool footer = false;  // each page is filled to linesPerPage and ends with the footer line
  int linesPerPage = 0;
};

struct DetailSheet {
  std::vector<std::vector<std::string>> rows;
  std::string csv;           // the same rows as CSV text
  int eventHeadingRow = 0;   // rows counted from 1; 0 when not met
  int firstInterestRow = 0;  // the title row of the first interest section
  std::vector<int> interestTitleRows;
  int summaryRow = 0;  // the "Summary as of" row
};

// Converts the window lines of an Interest and Penalty Detail report. Nothing (and error set to
// kOnlyDetailExports, or to the unexpected-character messages) when the lines are not such a report.
std::optional<DetailSheet> ConvertDetailReport(const std::vector<std::string>& windowLines,
                                               const ReportPageDressing& dressing, std::string* error);

// A cell as the spreadsheet takes it.
struct SheetValue {
  enum class Kind { Blank, Number, Date, Text };
  Kind kind = Kind::Blank;
  double number = 0.0;  // Number: the value ("(1,234.56)" is -1234.56)
  DayNumber date = NO_DATE;
  std::string text;  // Text: the cell text (a leading "'" only marks text and is dropped)
  bool operator==(const SheetValue&) const = default;
};
SheetValue ReadSheetCell(std::string_view cell);

}  // namespace zarvic
