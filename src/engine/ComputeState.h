#pragma once

#include "core/Dates.h"

namespace zarvic {

// The state of one computation run: its flags, running balances, totals, hot-interest dates and caution
// flags. It lives in the problem (CTDoc::m_compute), is reset at the start of every run and by
// ResetProblem. Amounts are cents.
struct ComputeState {
  bool m_hotInEffect = false;     // hot interest applies now (6621(c))
  bool m_gattApplies = false;     // C-corporation flag set and the table name begins with "FED"
  bool m_interestRunning = true;  // off after a stop-interest event: periods earn nothing
  bool m_monthlyBreaks = false;   // the run breaks at month ends (monthly accrual report)
  bool m_showMessages = false;    // this run shows its messages (asked for, and not computed once)

  // Running balances and the interest accrued on them but not yet folded into principal.
  double m_balance = 0.0;           // normal principal; negative for an overpayment (a refund)
  double m_motivated = 0.0;         // motivated-tax principal
  double m_gatt = 0.0;              // C-corporation GATT balance (negative), or a positive amount to net
  double m_accrued = 0.0;           // underpayment interest on m_balance
  double m_accruedRefund = 0.0;     // refund interest on a negative m_balance (negative)
  double m_accruedMotivated = 0.0;  // interest on m_motivated
  double m_accruedGatt = 0.0;       // interest on m_gatt (negative)

  // Room left under the GATT threshold: A follows payments and charges, B the high-rate reductions of
  // IRS checks. Both start at the problem's GATT threshold.
  double m_thresholdA = 0.0;
  double m_thresholdB = 0.0;

  // Totals of the run. The penalty interest total is PenaltyResults::PenaltyInterestTotal.
  double m_normalInterestTotal = 0.0;
  double m_motivatedInterestTotal = 0.0;
  double m_refundInterestTotal = 0.0;  // negative
  double m_gattInterestTotal = 0.0;    // negative
  double m_finalTotal = 0.0;           // balance due at the compute date; negative: a refund is due

  // Hot interest (6621(c)): the dates the hot-date step derives and how far the walk has passed them.
  // The stop date is 12-31-97 only when the stop flag is set and hot interest starts before it.
  DayNumber m_hotStartDate = NO_DATE;
  DayNumber m_hotStopDate = NO_DATE;
  DayNumber m_hotRestartDate = NO_DATE;
  bool m_hotStarted = false;
  bool m_hotStopped = false;  // passed 12-31-97 with the stop flag set
  bool m_hotRestarted = false;
  bool m_gattStartPassed = false;  // the walk is past the 12-31-94 GATT start

  // Caution flags read by ComputeProblem.
  bool m_nonDailyRefundMode = false;     // 20025: a period was computed in mode 0, 1, 3 or 4
  bool m_depositNotConsumed = false;     // 20019
  bool m_taxOffsetByGatt = false;        // 20020
  bool m_refundWithSimpleShown = false;  // 20045 is shown once per run

  // End date of the period closed last on either result list (the sign-change list's dates).
  DayNumber m_lastClosedEnd = NO_DATE;
};

}  // namespace zarvic
