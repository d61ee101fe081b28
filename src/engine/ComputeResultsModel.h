#pragma once

#include <array>
#include <string>

#include "core/Amounts.h"
#include "core/Dates.h"

namespace zarvic {

class CTDoc;

// The seven totals of the results window, in display order.
enum class ResultRow {
  Tax,
  Penalties,
  Interest,
  DebitAndIrsCheck,
  RefundInterest,
  PaymentsAndCredits,
  Total
};
inline constexpr int kResultRows = 7;
using ResultValues = std::array<Amount, kResultRows>;

// The row labels ("Tax", ..., "Total").
const char* ResultRowLabel(ResultRow row);

// The seven values of the problem's last computation at the compute date (cents): the sums of the
// events dated on or before it, the penalty and interest totals of the run and its final total.
ResultValues ComputeResultValues(const CTDoc& doc, DayNumber computeDate);

// A row's text: grouped, brackets for rows 4 to 7, whole dollars in Whole Dollar Mode. The refund
// interest and payments rows show a zero as "<0.00>" ("<0>"), since they only ever subtract.
std::string FormatResultValue(ResultRow row, Amount value);

// A refund total shows in brackets; the window shifts a plain total so that the digits of both align.
inline bool TotalIsRefund(Amount total) {
  return total < -0.001;
}

// What the results window does with its compute date, without the window: the date last applied,
// the recompute and the rows it shows.
// The trace of a problem's last computation for the diagnostic log: taxpayer and compute date, then
// the result nodes of the normal, motivated and penalty interest lists. The results window writes it
// after each computation while the log is kept.
std::string ComputationTrace(const CTDoc& doc);

class ComputeResultsModel {
 public:
  // The window opens on the problem's compute date, Today when it has none.
  explicit ComputeResultsModel(CTDoc& doc);

  DayNumber ComputeDate() const;

  // The problem's compute date becomes date; a date other than the one last applied here makes the
  // problem show its cautions again. A date computes the problem (with its messages); NO_DATE clears
  // the results, zeroes rows 1 to 6, keeps the total shown and gives 20023: false then, and the
  // window puts the focus in the date field.
  bool Recompute(DayNumber date);

  const ResultValues& Values() const { return values_; }
  std::string Text(ResultRow row) const { return FormatResultValue(row, values_[static_cast<int>(row)]); }

 private:
  CTDoc& doc_;
  DayNumber lastApplied_;
  ResultValues values_{};
};

}  // namespace zarvic
