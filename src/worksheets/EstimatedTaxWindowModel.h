#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Amounts.h"
#include "core/Dates.h"
#include "worksheets/EstimatedTax.h"
#include "worksheets/WorksheetGrid.h"
#include "worksheets/WorksheetPenalty.h"

namespace zarvic {

class CTDoc;

// The text fields of the "Estimated Tax Penalty" window.
enum class EstTaxField {
  Year,
  FiscalStart,      // optional: empty for a calendar year
  RequiredPayment,  // optional: empty when figured from the annual figures
  CurrentTax,       // optional
  PriorTax,         // optional: empty when no return was filed for the prior year
  PriorAgi,         // optional
  Withholding,      // in equal parts; empty is none
  Installment1,
  Installment2,
  Installment3,
  Installment4,
  ComputeThrough,  // optional: empty is the end of the period
  PenaltyDate,     // optional until "Add to Problem"
};
inline constexpr int kEstTaxFieldCount = 13;

// The yes/no choices of the window.
enum class EstTaxFlag { PriorYearFull, MarriedFilingSeparately, FarmerOrFisherman, WithholdingOnActualDates };

// What the "Estimated Tax Penalty" window does with its problem's estimated tax worksheet: its fields
// (each value taken whole or refused with a message, the field showing its old value again), the rows
// of the installments computed on the problem's rate table after every change, the problem's payments
// offered for the payments grid, and the step into the problem. The window only maps widgets to it.
class EstimatedTaxWindowModel {
 public:
  // The worksheet kept with the problem, or a new one for the year before the problem's tax date (a
  // return's due date falls in the year after its tax year).
  explicit EstimatedTaxWindowModel(CTDoc& doc);

  const EstimatedTaxWorksheet& Sheet() const { return sheet_; }
  DayNumber PenaltyDate() const { return penaltyDate_; }
  const CTDoc& Problem() const { return doc_; }

  // A field's value as the window shows it (empty for an unset one); amounts to the cent.
  std::string FieldText(EstTaxField field) const;

  // What is being typed into a field: the rows follow it as soon as it reads as a value, without the
  // field taking it yet (a text that does not read leaves the rows as the field's value made them).
  void Edit(EstTaxField field, std::string_view text);
  // The field is left: its text is taken whole (0), or refused (the message id; nothing changes and
  // FieldText gives the old value back). The window shows the message.
  int Leave(EstTaxField field, std::string_view text);

  void SetFiler(EstimatedTaxFiler filer);
  void SetBasis(InstallmentBasis basis);
  bool Flag(EstTaxFlag flag) const;
  void SetFlag(EstTaxFlag flag, bool on);
  // Which fields mean something for the choices made (the window disables the others; their values
  // are kept).
  bool FieldApplies(EstTaxField field) const;
  bool FlagApplies(EstTaxFlag flag) const;

  // The estimated payments (date, amount) and, with the election, the amounts withheld on their dates.
  WorksheetGrid& PaymentsGrid() { return payments_; }
  WorksheetGrid& WithheldGrid() { return withheld_; }
  // After the window changed a grid: the worksheet reads its rows again.
  void GridsChanged();
  // What is being typed into a cell of one of the grids: the rows follow it as soon as it reads, without
  // the grid taking it (a text that does not read leaves the rows as the grid made them).
  void EditCell(const WorksheetGrid& grid, int row, int column, std::string_view text);

  // The computed worksheet, and its rows as the window shows them.
  const EstimatedTaxResult& Result() const { return result_; }
  struct Row {
    std::string dueDate, required, paid, underpayment, addition;
  };
  // One row per installment; none when the worksheet cannot be computed.
  std::vector<Row> Rows() const;
  // Under the rows: "Total penalty" and the amount; the reason there is none; or why nothing can be
  // computed. Cautions follow on lines of their own.
  std::string TotalText() const;

  // "Offer the problem's payments": the problem's payments and credits (types 2 and 8) dated from the
  // first day of the tax year through the end of the period, added to the payments grid unless the
  // grid already holds them (a payment of the same date and amount), so a second use adds nothing.
  // Returns how many were added; refused with a message (none added) when there is no year, nothing
  // new to add, or not room for all of them.
  int OfferProblemPayments();

  // "Add to Problem": keeps the worksheet with the problem, then adds (or updates) its Entered penalty
  // event for the total, dated the penalty date. A worksheet that cannot be computed or has no addition
  // is refused with its message.
  AddResult AddToProblem();
  // Keeps the worksheet with the problem when the person changed it since the window opened or last
  // kept it; a window opened and closed without a change leaves the problem as it was. True when the
  // problem changed.
  bool KeepIfChanged();
  // Keeps it whether changed or not (the report is of the kept worksheet).
  void Keep();

 private:
  void Recompute();
  void FillGrids();
  // Reads text for field into sheet/penalty date; 0 or the refusal's id.
  int Read(EstTaxField field, std::string_view text, EstimatedTaxWorksheet& sheet,
           DayNumber& penaltyDate) const;

  CTDoc& doc_;
  EstimatedTaxWorksheet sheet_;
  DayNumber penaltyDate_ = NO_DATE;
  // As the window opened or the worksheet was last kept: what a close compares with.
  EstimatedTaxWorksheet shownSheet_;
  DayNumber shownPenaltyDate_ = NO_DATE;
  WorksheetGrid payments_;
  WorksheetGrid withheld_;
  EstimatedTaxResult result_;
};

// Messages of the window.
inline constexpr int kEstWinNoNewPayments = 21620;
// The total's caption, as the report's total line starts.
inline constexpr char kEstWinTotalCaption[] = "Total penalty";
// The grids' rows at most: a payment a week and more.
inline constexpr int kEstWinMaxPayments = 200;

}  // namespace zarvic
