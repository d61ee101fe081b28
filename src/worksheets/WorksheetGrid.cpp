#include "worksheets/WorksheetGrid.h"

#include <cmath>

#include "core/AppOptions.h"
#include "core/Text.h"

namespace zarvic {

std::string WorksheetAmountText(Amount cents) {
  const WholeDollarSuspender toTheCent;  // what the worksheet holds, whatever the display mode
  return FormatAmount(cents, true, false, false);
}

int ReadWorksheetAmount(std::string_view text, Amount& cents) {
  const std::string typed = Trim(std::string(text));
  // A figure of the IRS is in cents: a third decimal would be rounded away without a word.
  if (IsWellFormedAmount(typed) && HasDigitsBeyondCents(typed)) return kGridBeyondCentsId;
  if (IsWellFormedAmount(typed) && !(std::fabs(ParseAmountCents(typed)) < kAmountLimitCents)) return kGridTooLargeId;
  const std::optional<Amount> read = ParseWellFormedCents(typed);
  if (!read) return kGridBadAmountId;
  if (*read < 0.0) return kGridNegativeId;
  cents = *read;
  return 0;
}

int ReadWorksheetDate(std::string_view text, DayNumber& date) {
  bool ok = false;
  const DayNumber read = ParseDate(Trim(std::string(text)), ok);
  if (!ok || !IsDate(read)) return kGridBadDateId;
  date = read;
  return 0;
}

WorksheetGrid::WorksheetGrid(std::vector<WorksheetColumn> columns, int maxRows)
    : columns_(std::move(columns)), maxRows_(maxRows) {}

std::string WorksheetGrid::Text(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= static_cast<int>(columns_.size())) return {};
  const WorksheetCell& cell = rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  switch (columns_[static_cast<std::size_t>(column)].kind) {
    case WorksheetCellKind::Date:
    case WorksheetCellKind::OptionalDate:
      return IsDate(cell.date) ? FormatDate(cell.date) : std::string();
    case WorksheetCellKind::Money:
      return WorksheetAmountText(cell.amount);
    case WorksheetCellKind::Flag:
      return cell.flag ? "Yes" : "";
  }
  return {};
}

WorksheetGrid::Commit WorksheetGrid::Set(int row, int column, std::string_view text) {
  if (row < 0 || row > RowCount() || column < 0 || column >= static_cast<int>(columns_.size())) return {};
  const WorksheetCellKind kind = columns_[static_cast<std::size_t>(column)].kind;
  const std::string typed = Trim(std::string(text));
  const bool newRow = row == RowCount();
  if (typed.empty() && (newRow || kind != WorksheetCellKind::OptionalDate)) return {};
  if (newRow && row >= maxRows_) return {false, kGridFullId};

  WorksheetCell value;
  switch (kind) {
    case WorksheetCellKind::Date:
    case WorksheetCellKind::OptionalDate: {
      if (typed.empty()) break;  // an optional date emptied: none
      if (const int refused = ReadWorksheetDate(typed, value.date)) return {false, refused};
      break;
    }
    case WorksheetCellKind::Money:
      if (const int refused = ReadWorksheetAmount(typed, value.amount)) return {false, refused};
      break;
    case WorksheetCellKind::Flag:
      return {};  // switched by SetFlag
  }
  if (newRow) rows_.push_back(EmptyRow());
  WorksheetCell& cell = rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  if (cell == value) return {};
  cell = value;
  return {true, 0};
}

bool WorksheetGrid::SetFlag(int row, int column, bool on) {
  if (row < 0 || row > RowCount() || column < 0 || column >= static_cast<int>(columns_.size())) return false;
  if (columns_[static_cast<std::size_t>(column)].kind != WorksheetCellKind::Flag) return false;
  if (row == RowCount()) {
    if (!on || row >= maxRows_) return false;
    rows_.push_back(EmptyRow());
  }
  bool& flag = rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].flag;
  if (flag == on) return false;
  flag = on;
  return true;
}

void WorksheetGrid::RemoveRow(int row) {
  if (row >= 0 && row < RowCount()) rows_.erase(rows_.begin() + row);
}

void WorksheetGrid::SetRows(std::vector<WorksheetRow> rows) {
  for (WorksheetRow& r : rows) r.resize(columns_.size());
  rows_ = std::move(rows);
}

}  // namespace zarvic
