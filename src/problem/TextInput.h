#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/Amounts.h"
#include "core/Dates.h"

namespace zarvic {

class CTDoc;

// The line reader of text input and test-list files: the whole file is read at once, then handed out
// line by line without the line breaks.
class TextLineReader {
 public:
  TextLineReader() = default;
  // Reads the whole file. False when it cannot be opened or read (error then holds the errno value);
  // the reader then has no lines.
  bool Open(const std::string& path);
  // Takes the content of a file already in memory.
  void SetContent(std::string content);

  // The next line without its line break. A line ends at CR LF, at a lone LF or at a lone CR, so that
  // every blank line comes back as an empty line whatever system wrote the file; a final line break
  // gives no extra empty line.
  std::string ReadLine();
  bool AtEnd() const { return position_ >= content_.size(); }
  int Error() const { return error_; }
  // The path given to Open (empty for SetContent) and the number, from 1, of the last line read.
  const std::string& Path() const { return path_; }
  int LineNumber() const { return lineNumber_; }
  // "PATH:LINE: " before a message about the last line read, so it can be found; empty without a path.
  std::string Where() const;

 private:
  std::string path_;
  std::string content_;
  std::size_t position_ = 0;
  int lineNumber_ = 0;
  int error_ = 0;
};

// The text without the UTF-8 byte order mark an editor may put before a file's first line.
std::string_view WithoutByteOrderMark(std::string_view text);
// The first line of the reader's file that is not blank, without a byte order mark; the reader given
// is a copy, so the caller's reader still starts at the first line.
std::string FirstKeywordLine(TextLineReader reader);

// The seven reports the "REP1" ... "REP7" keywords select, in the order of the report selection.
enum class BatchReport {
  InterestAndPenaltyDetail,
  PaymentAllocationDetail,
  InterestDetailWithFactors,
  PenaltyComputationDetail,
  MainScreenEvents,
  MonthlyAccrual,
  InterestRateTable,
};
inline constexpr int kBatchReports = 7;
inline constexpr int kBatchHeadings = 3;
inline constexpr std::size_t kBatchTextMax = 132;  // heading and footer texts

// What a text input file says about its reports; it belongs to the problem being filled and is not
// stored in the problem file.
struct BatchEntrySettings {
  std::array<bool, kBatchReports> reports{};
  std::array<bool, kBatchHeadings> headingFlags{};
  std::array<std::string, kBatchHeadings> headings;
  bool footerFlag = false;
  std::string footer;

  bool AnyReport() const;
  bool AnyHeading() const;
};

enum class InputLineResult {
  Valid,
  Invalid,   // no keyword, no tab, a missing amount, a date or an amount that does not parse
  NoRoom,    // an event line while all 1000 event slots are taken
  Negative,  // a negative amount on an event line
  // A hot interest restart date (30-day letter, applicable date) on or before 12-31-97, refused as the
  // hot interest dialog refuses it (20052, 20053).
  RestartLetterTooEarly,
  RestartApplicableTooEarly,
  // A name, ID, heading or footer with characters the problem file cannot store (Windows-1252 only),
  // refused instead of stored as "?".
  TextNotStorable,
};

// The strict readers of text input values, shared by every text input: a date as ParseDate reads it
// (ended by the end or a tab), and the amount up to the next tab when it is well formed
// (IsWellFormedAmount) and within the amount limit. Nothing when the value is not one.
std::optional<DayNumber> ReadInputDate(std::string_view value);
std::optional<Amount> ReadInputAmount(std::string_view value);

// Applies one line of a text input file to the problem. A line is a keyword at its very start,
// matched without regard to case against the first characters only ("TAXES" is "TAX"), then, except
// for "REP1" ... "REP7", a tab and one or two tab-separated values. The keywords are tried in the
// order of their table (so "HOT302" wins over "HOT30", "HOTAPP2" over "HOTAP", "GATTP" over "GATT").
// Amounts must be well formed (IsWellFormedAmount) and within the amount limit: a file is never
// guessed at the way a typed field is. A line that is not valid changes nothing.
InputLineResult ParseInputLine(CTDoc& problem, BatchEntrySettings& batch, std::string_view line);

// The message of a line that was not applied.
std::string InvalidInputLineMessage(std::string_view line);
std::string NoRoomInputLineMessage(std::string_view line);
std::string NegativeInputLineMessage(std::string_view line);

// Fills a new problem from the reader: clears batch, applies every line and shows the message of each
// line that was not applied, going on with the next. A reader opened on a file puts "PATH:LINE: "
// before each message, so the line can be found. Returns the number of lines not applied.
int FillProblemFromInput(CTDoc& problem, BatchEntrySettings& batch, TextLineReader& reader);

}  // namespace zarvic
