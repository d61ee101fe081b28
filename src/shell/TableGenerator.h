#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Dates.h"
#include "ratetables/RateTable.h"

namespace zarvic {

class CTDoc;

// Batch table generation: a script of KEY=VALUE settings, each "GO" writing one table with a regular
// series of lines and a text listing of it beside the table.

enum class GenerateFrequency { Quarterly, Annual, OneEntry, Month };

// The settings a script has given so far; they persist from line to line.
struct GenerationSettings {
  std::string outputFolder;   // "OUTDIR"; empty: the current folder
  DayNumber start = NO_DATE;  // "TABLESTART"
  DayNumber end = NO_DATE;    // "TABLEEND": lines are generated for dates before it
  std::optional<GenerateFrequency> frequency;
  std::string name;         // "NAME": the table file name; ".TB3" is its extension
  std::string description;  // "DESC"
  // "METHOD": a computation mode, or kModePQuarterly / kModePMonthly for alternating Simple and Daily
  // lines.
  std::optional<int> method;
  std::optional<double> rate;  // "RATE": percent, for all three rates
};

std::optional<GenerateFrequency> FrequencyFromText(std::string_view text);  // upper-cased first
std::optional<int> MethodFromText(std::string_view text);                   // upper-cased first

// The lines of the table: from the start date, while before the end date, each line at the rate with
// 366 days per year in leap years, else 365, the date then advancing by the frequency. Alternating
// methods give one Simple line on the start date, then a Daily and a Simple line on each later date.
// Empty when the settings lack a date, the frequency, the method or the rate, and when more than 500
// lines would be needed (tooMany is then set).
std::vector<RateLine> GeneratedLines(const GenerationSettings& settings, bool* tooMany = nullptr);

// Writes the listing of problem's rate table to path; false when it was not written (it said why).
using TableListing = std::function<bool(CTDoc& problem, const std::string& path)>;

// Writes one table (asking before it replaces a file of that name) to the output folder, makes it the
// problem's table and writes its listing beside it with the extension ".TXT". False, after a message,
// when either was not written.
bool GenerateTable(const GenerationSettings& settings, CTDoc& problem, const TableListing& listing);

// Runs the script (double quotes removed from its name, blanks trimmed). Lines beginning with "//"
// are comments; others hold KEY=VALUE pairs separated by blanks (a value in double quotes may hold
// blanks), and a pair without "=" ends its line ("GO" alone is "GO"). A bad setting or a failed
// generation ends the run. True when the script was read to its end and every table and listing was
// written.
bool GenerateTables(const std::string& script, const TableListing& listing);

}  // namespace zarvic
