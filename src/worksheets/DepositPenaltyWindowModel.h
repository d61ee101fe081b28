#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/Dates.h"
#include "worksheets/DepositPenalty.h"
#include "worksheets/WorksheetGrid.h"
#include "worksheets/WorksheetPenalty.h"

namespace zarvic {

class CTDoc;

// The "Deposit Penalty" window's rules over one problem: the worksheet kept with it (or a new one) in
// fields and two grids, the penalty of every liability figured again after each change, and the two
// steps into the problem (keeping the worksheet, adding its penalty).

// The date fields of the window. Each one takes a date or nothing; anything else is refused.
enum class DepositField { PeriodStart, PeriodEnd, FirstNotice, Demand, PenaltyDate };

// The columns of the liabilities grid and of the deposits grid.
enum LiabilityColumn { kLiabilityDateColumn, kLiabilityAmountColumn, kLiabilityDueDateColumn };
enum DepositColumn {
  kDepositDateColumn,
  kDepositAmountColumn,
  kDepositDirectColumn,
  kDepositDesignatedColumn
};

// The result table: one row per liability, the parts that paid it (and the part never paid) one a line
// in the last six cells, in the order they were applied.
enum DepositResultColumn {
  kResultLiability,
  kResultAmount,
  kResultDueDate,
  kResultRule,
  kResultPaidOn,
  kResultPaid,
  kResultHowPaid,
  kResultDaysLate,
  kResultRate,
  kResultPenalty,
};
inline constexpr int kDepositResultColumns = 10;
extern const std::array<const char*, kDepositResultColumns> kDepositResultCaptions;

struct DepositPenaltyRow {
  int liability = -1;  // the row of the liabilities grid; -1 for an averaged liability
  std::array<std::string, kDepositResultColumns> cells;
};

class DepositPenaltyWindowModel {
 public:
  explicit DepositPenaltyWindowModel(CTDoc& doc);

  const DepositPenaltyWorksheet& Worksheet() const { return sheet_; }
  DayNumber PenaltyDate() const { return penaltyDate_; }

  // A field's text: the date in the program's date form, or nothing.
  std::string FieldText(DepositField field) const;
  // Takes a field's text whole: an empty text clears the date. False after message 20032 for a text
  // that is not a date; the field then holds what it held (FieldText).
  bool SetField(DepositField field, std::string_view text);
  // What is being typed into a field: the rows follow it as soon as it reads as a date, without the
  // field taking it yet (a text that does not read leaves the rows as the field's value made them).
  void Edit(DepositField field, std::string_view text);

  void SetSchedule(DepositSchedule schedule);
  void SetAveraged(bool averaged);

  // The grids the window binds its tables to; after one of them changed, GridChanged takes its rows.
  WorksheetGrid& Liabilities() { return liabilities_; }
  WorksheetGrid& Deposits() { return deposits_; }
  void GridChanged();
  // What is being typed into a cell of one of the grids: the rows follow it as soon as it reads, without
  // the grid taking it (a text that does not read leaves the rows as the grids made them).
  void EditCell(const WorksheetGrid& grid, int row, int column, std::string_view text);

  // The figured worksheet: Rows and TotalText, or the message of what keeps it from being figured (and
  // the grid row at fault: ErrorLiability, ErrorDeposit, -1 for none).
  const DepositPenaltyResult& Result() const { return result_; }
  bool HasError() const { return result_.error.has_value(); }
  std::string ErrorText() const;
  int ErrorLiability() const { return result_.error ? result_.error->liability : -1; }
  int ErrorDeposit() const { return result_.error ? result_.error->deposit : -1; }
  const std::vector<DepositPenaltyRow>& Rows() const { return rows_; }
  // "Total penalty: 600.00"; nothing while the worksheet cannot be figured.
  std::string TotalText() const;
  // What else the figures say: the deposits left over, the de minimis rule.
  std::string NotesText() const;
  // The due date the schedule gives a liability of the grid whose due date was not entered (nothing
  // when it has one, or none can be figured), shown in its empty cell.
  std::string FiguredDueDate(int liabilityRow) const;

  // Whether the worksheet or the penalty date differs from what the window opened with.
  bool Changed() const;

  // "Add to Problem": keeps the worksheet with the problem, then adds or updates its one Entered penalty
  // event of the total on the penalty date. A worksheet that cannot be figured is refused with its
  // message and nothing changes; the other refusals are AddWorksheetPenalty's (no date, no penalty).
  AddResult AddToProblem();
  // "Report...": keeps the worksheet with the problem for the report run. False, after its message and
  // with nothing kept, for a worksheet that cannot be figured.
  bool KeepForReport();
  // Closing the window: keeps the worksheet when it was changed. Returns whether the problem changed.
  bool Close();

 private:
  void Recompute();
  void Figure(const DepositPenaltyWorksheet& sheet);
  bool Keep();

  CTDoc& doc_;
  DepositPenaltyWorksheet sheet_;
  DayNumber penaltyDate_ = NO_DATE;
  DepositPenaltyWorksheet opened_;  // as the window opened, or as last kept
  DayNumber openedPenaltyDate_ = NO_DATE;
  WorksheetGrid liabilities_;
  WorksheetGrid deposits_;
  DepositPenaltyResult result_;
  std::vector<DepositPenaltyRow> rows_;
};

}  // namespace zarvic
