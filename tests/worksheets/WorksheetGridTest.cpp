// The worksheet windows' grids: every cell taken whole or refused with its message, the cell keeping
// what it held; new rows from the empty row after the last, and not beyond the grid's limit.
#include <gtest/gtest.h>

#include <string>

#include "core/AppOptions.h"
#include "core/StringTable.h"
#include "worksheets/WorksheetGrid.h"

namespace zarvic {
namespace {

enum Column { kDate, kAmount, kDue, kDirect };

WorksheetGrid Deposits(int maxRows = 3) {
  return WorksheetGrid({{"Date", WorksheetCellKind::Date},
                        {"Amount", WorksheetCellKind::Money},
                        {"Due date", WorksheetCellKind::OptionalDate},
                        {"Direct", WorksheetCellKind::Flag}},
                       maxRows);
}

TEST(WorksheetGrid, CellsAreTakenWholeOrRefused) {
  struct Case {
    const char* name;
    int column;
    const char* typed;
    int message;
    const char* shown;  // the cell afterwards
  } cases[] = {
      {"a date", kDate, "7/15/25", 0, "07-15-25"},
      {"not a date", kDate, "07-45-25", kGridBadDateId, "07-01-25"},
      {"letters for a date", kDate, "soon", kGridBadDateId, "07-01-25"},
      {"an emptied date stays", kDate, "  ", 0, "07-01-25"},
      {"an amount with cents", kAmount, "1,234.56", 0, "1,234.56"},
      {"cents kept in whole dollar mode", kAmount, "0.49", 0, "0.49"},
      {"a misread amount", kAmount, "3,08O,514.86", kGridBadAmountId, "100.00"},
      {"an exponent", kAmount, "1.5E+06", kGridBadAmountId, "100.00"},
      {"a negative amount", kAmount, "-5", kGridNegativeId, "100.00"},
      {"at the amount limit", kAmount, "99,999,999,999,999.98", kGridTooLargeId, "100.00"},
      {"far too long", kAmount, "123456789012345678901234567890", kGridTooLargeId, "100.00"},
      {"ten trillion dollars to the cent", kAmount, "9,999,999,999,999.99", 0, "9999999999999.99"},  // too wide for commas
      {"far too long a date", kDate, "07-01-25 07-01-25 07-01-25", kGridBadDateId, "07-01-25"},
      {"a third decimal", kAmount, "12.345", kGridBeyondCentsId, "100.00"},
      {"zeros after the cents", kAmount, "12.3400", 0, "12.34"},
      {"an optional date", kDue, "08-15-25", 0, "08-15-25"},
      {"an optional date emptied", kDue, "", 0, ""},
      {"an optional date misread", kDue, "08-15-2x", kGridBadDateId, "07-16-25"},
  };
  const AppOptions saved = Options();
  Options().wholeDollarMode = true;
  Options().showCentury = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WorksheetGrid grid = Deposits();
    WorksheetRow row = grid.EmptyRow();
    row[kDate].date = MakeDate(7, 1, 25);
    row[kAmount].amount = 10000.0;
    row[kDue].date = MakeDate(7, 16, 25);
    grid.SetRows({row});
    const WorksheetGrid::Commit commit = grid.Set(0, c.column, c.typed);
    EXPECT_EQ(c.message, commit.messageId);
    EXPECT_EQ(c.message == 0 && grid.Row(0) != row, commit.changed);
    EXPECT_EQ(c.shown, grid.Text(0, c.column));
    EXPECT_EQ(1, grid.RowCount());
  }
  Options() = saved;
}

TEST(WorksheetGrid, NewRowsStartFromTheEmptyRowUpToTheLimit) {
  WorksheetGrid grid = Deposits(2);
  EXPECT_FALSE(grid.Set(0, kAmount, "").changed) << "nothing typed starts no row";
  EXPECT_EQ(0, grid.RowCount());
  EXPECT_EQ(kGridBadAmountId, grid.Set(0, kAmount, "12x").messageId);
  EXPECT_EQ(0, grid.RowCount()) << "a refused entry starts no row";
  EXPECT_TRUE(grid.Set(0, kAmount, "12").changed);
  EXPECT_EQ(1, grid.RowCount());
  EXPECT_EQ(NO_DATE, grid.Row(0)[kDate].date);
  EXPECT_TRUE(grid.SetFlag(1, kDirect, true));
  EXPECT_EQ("Yes", grid.Text(1, kDirect));
  EXPECT_EQ(kGridFullId, grid.Set(2, kDate, "01-01-25").messageId);
  EXPECT_FALSE(grid.SetFlag(2, kDirect, true));
  EXPECT_FALSE(StringText(kGridFullId).empty());
  EXPECT_EQ(2, grid.RowCount());
  grid.RemoveRow(0);
  EXPECT_EQ(1, grid.RowCount());
  EXPECT_TRUE(grid.Row(0)[kDirect].flag);

  // Rows a worksheet brings are all kept, even beyond the limit.
  grid.SetRows(std::vector<WorksheetRow>(5, grid.EmptyRow()));
  EXPECT_EQ(5, grid.RowCount());
}

}  // namespace
}  // namespace zarvic
