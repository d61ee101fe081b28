#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Amounts.h"
#include "core/Dates.h"

namespace zarvic {

// The rows of a worksheet window's small grids (payments, withholding, liabilities, deposits): typed
// cells of dates, amounts and yes/no flags, each taken whole or refused with a message, the cell keeping
// what it held. A window binds a table widget to it; the worksheet's model reads the typed values.
enum class WorksheetCellKind {
  Date,          // a date; a row needs one
  OptionalDate,  // a date or nothing (emptied, it holds none)
  Money,         // an amount to the cent, not negative
  Flag,          // yes or no, switched by the window (a check box)
};

struct WorksheetColumn {
  const char* caption;
  WorksheetCellKind kind;
};

struct WorksheetCell {
  DayNumber date = NO_DATE;
  Amount amount = 0.0;
  bool flag = false;
  bool operator==(const WorksheetCell&) const = default;
};

using WorksheetRow = std::vector<WorksheetCell>;

class WorksheetGrid {
 public:
  WorksheetGrid(std::vector<WorksheetColumn> columns, int maxRows);

  const std::vector<WorksheetColumn>& Columns() const { return columns_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int MaxRows() const { return maxRows_; }
  const WorksheetRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
  const std::vector<WorksheetRow>& Rows() const { return rows_; }

  // What a cell shows: a date in the program's date form, an amount with thousands commas and cents,
  // "Yes" or nothing for a flag; nothing for the cells of the empty row after the last one.
  std::string Text(int row, int column) const;

  struct Commit {
    bool changed = false;
    int messageId = 0;  // the refusal, shown by the window; the cell keeps what it held
  };
  // Takes what was typed into a cell. Typing into the empty row after the last one starts a new row
  // (nothing typed there starts none); empty text leaves a date or amount as it was (an optional date
  // is cleared). A row beyond MaxRows is refused (kGridFullId).
  Commit Set(int row, int column, std::string_view text);
  // A flag cell's check box; on the empty row it starts a new row.
  bool SetFlag(int row, int column, bool on);

  void RemoveRow(int row);
  // Every row given is kept, even beyond MaxRows (a worksheet read from a file); only new rows are
  // refused there.
  void SetRows(std::vector<WorksheetRow> rows);
  // A row of cells of the grid's width, every cell empty.
  WorksheetRow EmptyRow() const { return WorksheetRow(columns_.size()); }

 private:
  std::vector<WorksheetColumn> columns_;
  int maxRows_;
  std::vector<WorksheetRow> rows_;
};

// How the grids show and read their values; the worksheet windows' own fields use them too, so a
// figure reads and shows alike wherever it is typed.
// Grouped, to the cent, whatever Whole Dollar Mode says ("1,234.56").
std::string WorksheetAmountText(Amount cents);
// What was typed (trimmed, not empty): 0 with the value, or the refusal's message id.
// kGridBadAmountId, kGridNegativeId, kGridBeyondCentsId (a digit other than 0 after the cents),
// kGridTooLargeId (at or beyond the amount limit)
int ReadWorksheetAmount(std::string_view text, Amount& cents);
int ReadWorksheetDate(std::string_view text, DayNumber& date);  // kGridBadDateId

inline constexpr int kGridBadDateId = 20032;
inline constexpr int kGridBadAmountId = 21250;
inline constexpr int kGridNegativeId = 20034;
inline constexpr int kGridFullId = 21604;
inline constexpr int kGridBeyondCentsId = 21622;
inline constexpr int kGridTooLargeId = 20041;

}  // namespace zarvic
