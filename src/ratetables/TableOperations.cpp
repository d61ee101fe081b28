#include "ratetables/TableOperations.h"

#include <algorithm>

#include "core/StringTable.h"
#include "core/Text.h"
#include "ratetables/TableFile.h"

namespace zarvic {

void ResetTableHeader(RateTable& table) {
  table.formatMark = 0;
  table.version = 0;
  table.lineCount = 0;
  table.reserved4 = 0;
  table.endDate = NO_DATE;
  table.writerTag = {};
  table.word30 = 0;
  table.notes.clear();
  table.description.clear();
  table.word132 = 0;
  table.vendorFlag = 0;
}

void ClearTable(RateTable& table) {
  ResetTableHeader(table);
  table.lines.fill(RateLine{});
  table.name.clear();
}

int UsedLineCount(const RateTable& table) {
  int n = 0;
  while (n < kMaxRateLines && table.lines[n].IsUsed()) ++n;
  return n;
}

void SortLines(RateTable& table) {
  auto end = std::stable_partition(table.lines.begin(), table.lines.end(),
                                   [](const RateLine& line) { return line.IsUsed(); });
  std::fill(end, table.lines.end(), RateLine{});
  std::stable_sort(table.lines.begin(), end,
                   [](const RateLine& a, const RateLine& b) { return a.start < b.start; });
}

void DeleteLine(RateTable& table, int index) {
  if (index < 0 || index >= kMaxRateLines) return;
  std::move(table.lines.begin() + index + 1, table.lines.end(), table.lines.begin() + index);
  table.lines.back() = RateLine{};
}

int LineIndexFor(const RateTable& table, DayNumber date) {
  int used = UsedLineCount(table);
  for (int i = 0; i + 1 < used; ++i) {
    if (date >= table.lines[i].start && date < table.lines[i + 1].start) return i;
  }
  if (used == 0 || date < table.lines[0].start) return 0;
  return used - 1;
}

DayNumber EndOfTable(const RateTable& table) {
  int used = UsedLineCount(table);
  return used == 0 ? NO_DATE : table.lines[used - 1].start;
}

DayNumber NextLineStart(const RateTable& table, int index) {
  if (index < -1 || index >= kMaxRateLines - 1) return NO_DATE;
  return table.lines[index + 1].start;
}

bool HasLine(const RateTable& table, const RateLine& line) {
  auto wanted = tablefile::EncodeLine(line);
  int used = UsedLineCount(table);
  for (int i = 0; i < used; ++i) {
    if (tablefile::EncodeLine(table.lines[i]) == wanted) return true;
  }
  return false;
}

void SetNotes(RateTable& table, std::string_view text) {
  table.notes.assign(text.substr(0, std::min(text.size(), tablefile::kMaxNotesBytes)));
}

std::string StatusText(const RateTable& table) {
  return table.description + " -- " + table.name;
}

std::string TableStatus(const RateTable& table) {
  if (!table.IsLoaded()) return {};
  const std::string through = std::string(StringText(20007)) +
                              (IsDate(table.endDate) ? FormatDate(table.endDate, true) : std::string());
  if (table.vendorFlag != 0) return through;
  // A user's table is current only up to its own end date, so it says which.
  const std::string caution(StringText(20026));
  return IsDate(table.endDate) ? caution + " -- " + through : caution;
}

void ExtendMonthly(RateTable& table, DayNumber date) {
  int used = UsedLineCount(table);
  if (used == 0) return;
  while (used < kMaxRateLines && table.lines[used - 1].start < date) {
    RateLine next = table.lines[used - 1];
    next.start = AddMonths(next.start, 1);
    // The last representable months cannot be stepped past.
    if (!IsDate(next.start) || next.start <= table.lines[used - 1].start) return;
    if (next.daysPerYear != 100) next.daysPerYear = DaysInMonth(2, YearOf(next.start)) == 29 ? 366 : 365;
    table.lines[used++] = next;
  }
}

bool TableNameBeginsWithFed(const RateTable& table) {
  return StartsWithNoCase(table.name, "FED");
}

bool TableNameIsFederal(const RateTable& table) {
  return table.name == "FEDERAL";
}

bool TableNameBeginsWithFederal(const RateTable& table) {
  return table.name.rfind("FEDERAL", 0) == 0;
}

}  // namespace zarvic
