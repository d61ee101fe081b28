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
inline constexpr int kCsvReplaceQuestionId = 21254;
inline constexpr int kCsvTooManyEventsId = 21255;
inline constexpr int kCsvPassedOverId = 21256;
inline constexpr int kCsvDescriptionRefusedId = 21257;
inline constexpr char kCsvOpenFailed[] = "CSV file open failed with error %d\n%s";
inline constexpr char kCsvUnexpectedLine[] = "The CSV file contains an unexpected line:\n\n%s";
inline constexpr char kCsvMismatchedQuotes[] = "Mismatched quotes in:\n%s";
inline constexpr char kCsvExportTitle[] = "Export to CSV file";
inline constexpr char kCsvExportFilter[] = "CSV files (*.CSV)|*.CSV|All Files (*.*)|*.*||";
inline constexpr char kCsvImportFilter[] = "CSV files (*.csv)|*.csv|All Files (*.*)|*.*||";
// Lines longer than this cannot hold an event; the import stops at one as at any unexpected line.
inline constexpr std::size_t kCsvLongestLine = 64 * 1024;

// One line of a CSV file split into fields. Fields are numbered from 1; there are as many as the
// line has commas plus one (none for an empty line), and those the line does not fill stay empty.
// A field in double quotes is taken as it stands, commas included; a doubled quote inside it is one
// quote of the field.
class CCSVLine {
 public:
  // The empty text on success; "Mismatched quotes in:\n" and the line when a quoted field is not
  // closed (parsing stops there and the error flag is set).
  std::string Parse(std::string_view line);

  bool Error() const { return error_; }
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  // Empty for n out of range.
  std::string FieldText(int n) const;
  // Whether field n stood between double quotes.
  bool FieldQuoted(int n) const;
  // The fields the line really has: commas inside quotes separate none.
  int ParsedFieldCount() const { return parsed_; }
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
  std::vector<bool> quoted_;
  int parsed_ = 0;
};

// The amount part of FieldAmount: cents of a dollar text, or nothing when they do not fit 32 bits.
std::optional<std::int32_t> CsvCents(std::string_view text);

// The exported line of one event: keyword, date with century, amount without separators or brackets,
// and the description in double quotes, ending with carriage return and line feed. An IRS check whose
// GATT part differs from its amount writes that part before the description, in the form the import
// has always read, so that it comes back.
std::string CsvExportLine(const CEvent& event);

// "Export to CSV file...": asks for a file (starting beside the problem's file, problemPath, proposing
// its name with the extension CSV) and writes one line per listed event. The previous file survives a
// failed write. False when nothing was written.
bool ExportEventsToCsv(const CTDoc& problem, const std::string& problemPath);

// "Import from CSV file...": after the question and an open dialog, replaces the events of the problem
// with one per usable line (known keyword, a date, an amount of 0 or more), at most 1000. The
// description is the fourth field as the export writes it (quoted, or not a number), or the fifth after
// an IRS check's second amount. Lines passed over and lines beyond the 1000th event are named in a
// message. A line that cannot be parsed, or a description the problem file cannot store (more than 40
// characters, characters outside Windows-1252), refuses the whole import with its message. Nothing
// else of the problem changes. Returns the number of events stored; nullopt when nothing was imported
// (No, cancel, a file that cannot be opened, a refused file).
std::optional<int> ImportEventsFromCsv(CTDoc& problem);
// The import of an opened file's lines, without the question and the dialog. A file without a usable
// line leaves the problem as it was (0).
std::optional<int> ImportCsvLines(CTDoc& problem, std::istream& in);

}  // namespace zarvic
