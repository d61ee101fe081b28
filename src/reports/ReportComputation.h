#pragma once

#include <array>

#include "core/Amounts.h"
#include "core/Dates.h"

namespace zarvic {

class CTDoc;

// The totals of the last engine run (cents).
struct ReportTotals {
  Amount normalInterest = 0.0;     // interest on tax
  Amount motivatedInterest = 0.0;  // interest on motivated tax
  Amount penaltyInterest = 0.0;    // interest on penalties
  Amount refundInterest = 0.0;     // interest on overpayments (negative)
  Amount gattInterest = 0.0;       // interest on the GATT balance (negative)
  Amount finalTotal = 0.0;         // the balance due at the run's date; negative: a refund is due
};

// What the reports need from the interest engine and the penalty computations. Reports read the
// problem's result lists and penalty results directly; everything else goes through here, so that the
// reports can be laid out from hand-built results.
class ReportComputation {
 public:
  virtual ~ReportComputation() = default;

  // The computation a report run starts with: allocation, penalties and interest through the problem's
  // compute date, with the cautions of a first computation. False when it failed (it said why).
  virtual bool ComputeProblem(CTDoc& doc) = 0;
  // One engine run through date without messages, leaving the result lists and totals of that date.
  virtual bool RunComputation(CTDoc& doc, DayNumber date, bool monthlyBreaks) = 0;
  virtual ReportTotals Totals(const CTDoc& doc) const = 0;

  // First day of 6621(c) hot interest of the last run; NO_DATE when hot interest does not apply.
  virtual DayNumber HotStartDate(const CTDoc& doc) const = 0;
  // The penalty balance was positive while the main balance was an overpayment ("INTWARN.DM").
  virtual bool PenaltyWhileRefund(const CTDoc& doc) const = 0;
  // The three 6653(a) amounts: subject to 5%, attributable to negligence, also motivated.
  virtual std::array<Amount, 3> NegligenceAmounts(const CTDoc& doc) const = 0;
  // The accuracy-related penalties exceed the total tax (no message).
  virtual bool AccuracyStacking(CTDoc& doc) = 0;
  // Money of balance-reducing events applied to tax (k = -1) or to penalty k from..to.
  virtual Amount PaymentsInPeriod(const CTDoc& doc, int k, DayNumber from, DayNumber to) const = 0;
  // The application's GATT diagnostic mode.
  virtual bool GattDiagnostic() const = 0;
};

}  // namespace zarvic
