#include "worksheets/WorksheetGrid.h"

#include "core/AppOptions.h"
#include "core/Text.h"

namespace zarvic {
namespace {

// A well-formed amount with a digit other than 0 after the cents: reading it would round it.
bool BeyondCents(const std::string& typed) {
  const std::size_t point = typed.find('.');
  if (point == std::string::npos) return false;
  const std::size_t last = typed.find_last_not_of('0');
  return last != std::string::npos && last > point + 2;
}

}  // namespace

WorksheetGrid::WorksheetGrid(std::vector<WorksheetColumn> columns, int maxRows)
    : columns_(std::move(columns)), maxRows_(maxRows) {}

std::string WorksheetGrid::Text(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= static_cast<int>(columns_.size())) return {};
  const WorksheetCell& cell = rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  switch (columns_[static_cast<std::size_t>(column)].kind) {
    case WorksheetCellKind::Date:
    case WorksheetCellKind::OptionalDate:
      return IsDate(cell.date) ? FormatDate(cell.date) : std::string();
    case WorksheetCellKind::Money: {
      const WholeDollarSuspender toTheCent;  // what the grid holds, whatever the display mode
      return FormatAmount(cell.amount, true, false, false);
    }
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
      bool ok = false;
      value.date = ParseDate(typed, ok);
      if (!ok || !IsDate(value.date)) return {false, kGridBadDateId};
      break;
    }
    case WorksheetCellKind::Money: {
      const std::optional<Amount> cents = ParseWellFormedCents(typed);
      if (!cents) return {false, kGridBadAmountId};
      if (BeyondCents(typed)) return {false, kGridFractionOfCentId};
      if (*cents < 0.0) return {false, kGridNegativeId};
      value.amount = *cents;
      break;
    }
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
