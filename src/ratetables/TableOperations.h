#pragma once

#include <string>
#include <string_view>

#include "core/Dates.h"
#include "ratetables/RateTable.h"

namespace zarvic {

// Operations on a table's lines shared by the editor, the batch tools and the engine. The used lines
// are the leading lines with a start date; a walk stops at the first free line or after 500.

// Empty name and notes, header zero except the end date (NO_DATE), all 500 lines free.
void ClearTable(RateTable& table);
// Clears the header fields and the notes; keeps the lines and the name.
void ResetTableHeader(RateTable& table);

int UsedLineCount(const RateTable& table);

// Moves the used lines together at the front (free lines between them removed), then orders them by
// start date, earlier first; lines with equal dates keep their order. The rest are free.
void SortLines(RateTable& table);
// Moves lines index+1 ... 499 one place up and frees line 499; an index outside 0..499 does nothing.
void DeleteLine(RateTable& table, int index);

// The line in effect on date: the first i with line i's start <= date < line i+1's start; with no
// later line, the last used line. A date before the first line, or an empty table, gives 0 (never an
// index outside the table).
int LineIndexFor(const RateTable& table, DayNumber date);
// Start date of the last used line; NO_DATE for an empty table.
DayNumber EndOfTable(const RateTable& table);
// Start date of line index+1; NO_DATE for index >= 499 (or below -1).
DayNumber NextLineStart(const RateTable& table, int index);
// True when one of the used lines equals line byte for byte as stored in a file.
bool HasLine(const RateTable& table, const RateLine& line);

// Sets the notes (and so the notes length); a file holds at most 65535 bytes of notes, more is cut.
void SetNotes(RateTable& table, std::string_view text);
// Description, " -- ", name: the problem window's table line.
std::string StatusText(const RateTable& table);
// The problem window's table status: for the vendor's table "Rates current to " (20007) and the end
// date with its century, for a user's table "CAUTION: User Table" (20026), " -- " and the same end
// date text; nothing without a table.
std::string TableStatus(const RateTable& table);

// Appends copies of the last used line, each one month after the previous, until a line starts on or
// after date (Sum of Factors tables run past their last line this way). Days per year follow the new
// line's year (366 in leap years, else 365) unless the code is 100. Stops at 500 lines.
void ExtendMonthly(RateTable& table, DayNumber date);

// Name tests: the GATT rule wants a name beginning with "FED" in any case; the motivated-tax cautions
// exactly "FEDERAL"; the penalty selection the first seven characters "FEDERAL" (case counts).
bool TableNameBeginsWithFed(const RateTable& table);
bool TableNameIsFederal(const RateTable& table);
bool TableNameBeginsWithFederal(const RateTable& table);

}  // namespace zarvic
