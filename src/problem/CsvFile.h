#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Dates.h"
#include "problem/CTDoc.h"

namespace zarvic {

inline constexpr char kCsvNoEvents[] = "There are no events to export.";
inline constexpr char kCsvOverwriteQuestion[] = "This will overwrite the current data file. OK to proceed?";
inline constexpr char kCsvOpenFailed[] = "CSV file open failed with error %d\n%s";
inline constexpr char kCsvUnexpectedLine[] = "The CSV file contains an unexpected line:\n\n%s";
inline constexpr char kCsvMismatchedQuotes[] = "Mismatched quotes in:\n%s";
inline constexpr char kCsvExportTitle[] = "Export to CSV file";
inline constexpr char kCsvExportFilter[] = "CSV files (*.CSV)|*.CSV|All Files (*.*)|*.*||";
inline constexpr char kCsvImportFilter[] = "CSV files (*.csv)|*.csv|All Files (*.*)|*.*||";
inline constexpr std::size_t kCsvDescriptionLength = 19;  // what an imported description keeps
// Lines longer than this cannot hold an event; the import stops at one as at any unexpected line.
inline constexpr std::size_t kCsvLongestLine = 64 * 1024;

// One line of a CSV file split into fields. Fields are numbered from 1; there are as many as the
// line has commas plus one (none for an empty line), and those the line does not fill stay empty.
// A field in double quotes is taken as it stands, commas included; a quote cannot be escaped.
class CCSVLine {
 public:
  // The empty text on success; "Mismatched quotes in:\n" and the line when a quoted field is not
  // closed (parsing stops there and the error flag is set).
  std::string Parse(std::string_view line);

  bool Error() const { return error_; }
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  // Empty for n out of range.
  std::string FieldText(int n) const;
  // NO_DATE for n out of range and for an empty field, "0" or "-1"; otherwise ParseDate of the field.
  DayNumber FieldDate(int n) const;
  // Dollars to cents: "$" and "," dropped, the number at the start read (0 when there is none) and cut
  // toward zero to whole cents, exactly as written ("1234.567" is 123456 cents). -1.0 for n out of
  // range and for amounts that do not fit 32-bit cents (21,474,836.48 dollars and more), which every
  // caller passes over as negative.
  double FieldAmount(int n) const;

 private:
  bool error_ = false;
  std::vector<std::string> fields_;
};

// The amount part of FieldAmount: cents of a dollar text, or nothing when they do not fit 32 bits.
std::optional<std::int32_t> CsvCents(std::string_view text);

// The exported line of one event: keyword, date with century, amount without separators or brackets,
// and the description in double quotes, ending with carriage return and line feed.
std::string CsvExportLine(const CEvent& event);

// "Export to CSV file...": asks for a file (starting beside the problem's file, problemPath, proposing
// its name with the extension CSV) and writes one line per listed event. The previous file survives a
// failed write. False when nothing was written.
bool ExportEventsToCsv(const CTDoc& problem, const std::string& problemPath);

// "Import from CSV file...": after the overwrite question and an open dialog, fills the event slots
// from the first one, one per usable line (known keyword, a date, an amount of 0 or more), at most 1000;
// lines that are not usable are passed over, and a line that cannot be parsed ends the import with a
// message (what was imported stays). Nothing else of the problem changes. Returns the number of events
// stored; nullopt when the import did not run (No, cancel, a file that cannot be opened).
std::optional<int> ImportEventsFromCsv(CTDoc& problem);
// The import of an opened file's lines, without the question and the dialog.
int ImportCsvLines(CTDoc& problem, std::istream& in);

}  // namespace zarvic
