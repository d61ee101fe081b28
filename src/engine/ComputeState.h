#pragma once

namespace zarvic {

// The state of one computation run that the period computation reads and writes. It lives in the
// problem (CTDoc::m_compute), is reset at the start of every run and by ResetProblem.
struct ComputeState {
  bool m_hotInEffect = false;     // hot interest applies now (6621(c))
  bool m_gattApplies = false;     // C-corporation flag set and the table name begins with "FED"
  bool m_interestRunning = true;  // off after a stop-interest event: periods earn nothing
  bool m_monthlyBreaks = false;   // the run breaks at month ends (monthly accrual report)

  double m_gatt = 0.0;              // cents: C-corporation GATT balance
  double m_accrued = 0.0;           // cents: underpayment interest not yet folded into principal
  double m_accruedRefund = 0.0;     // cents: refund interest not yet folded (negative)
  double m_accruedMotivated = 0.0;  // cents: interest accrued on the motivated balance

  // Caution 20025: set whenever a period is computed in mode 0, 1, 3 or 4.
  bool m_nonDailyRefundMode = false;
};

}  // namespace zarvic
