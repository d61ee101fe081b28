#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zarvic {

// Batch-mode table edit. The file's first line is a heading; every further line adds one rate line
// to a table in tableFolder (creating the folder and the table when there is none; a table of that
// name in shippedFolder, when given, is copied first, and shippedFolder itself is never written):
//   name, end date, start date, mode text, normal %, motivated %, refund %, days per year,
//   description, notes
// Empty lines, lines of commas only and lines beginning with "***" are skipped. Every message goes
// through the UserInterface; "Batch-mode edit done." ends every run that could open its file.
// Returns true when every line was dealt with (a duplicate the user declined counts as dealt with);
// false when the run could not start or stopped at a line.
bool BatchEditTables(const std::string& file, const std::string& tableFolder,
                     const std::string& shippedFolder = {});

// The mode of a batch mode text: upper-cased and searched for "SIMPLE" (1), "DAILY" (2), "MONTHLYWM"
// (5), "MONTHLY" (3), "OLD" (0), "IRS" (0), "FACTORSUM" (4), the first found winning; -1 when none.
int ModeFromText(std::string_view text);

// Splits a line at commas into at most ten fields. A field that begins with a double quote runs to the
// next double quote (commas inside belong to it; without a closing quote, to the end of the line) and
// then to the next comma. Fields are not trimmed.
std::vector<std::string> SplitBatchFields(std::string_view line);

}  // namespace zarvic
