#include "penalties/PenaltyPass.h"

#include "core/AppOptions.h"
#include "engine/SpecialRates.h"
#include "penalties/AccuracyPenalties.h"
#include "penalties/Delinquency.h"
#include "penalties/PenaltyInterest.h"
#include "penalties/PenaltySupport.h"
#include "problem/CTDoc.h"

namespace zarvic {

void ComputePenalties(CTDoc& doc, DayNumber date) {
  WholeDollarSuspender toTheCent;
  // The monthly penalties read the payments in date order; the run sorts the events next anyway.
  doc.SortEvents(-1);
  doc.RecomputeTaxTotals();
  PenaltyResults& res = doc.m_penaltyResults;
  res.Clear();
  // The interest parts of 6653(a) and (b) need the run's hot-interest dates now; the driver's own
  // hot-date step later derives the same.
  HotDateStep(doc, date);
  res.hotDates.start = doc.m_compute.m_hotStartDate;
  res.hotDates.stop = doc.m_compute.m_hotStopDate;
  res.hotDates.restart = doc.m_compute.m_hotRestartDate;

  const auto active = [&](int k) { return doc.m_penalties[k].IsActive(); };
  if (active(kPenaltyFailureToFile) || active(kPenaltyFailureToPay))
    ComputeFailureToFileAndPay(doc, date, false);
  if (active(kPenalty6653a)) ComputeNegligence6653a(doc, date);
  if (active(kPenalty6653b)) ComputeFraud6653b(doc, date);
  for (int k : {kPenalty6659, kPenalty6659A, kPenalty6660, kPenalty6661}) {
    if (active(k)) ComputeRatePenalty(doc, k);
  }
  if (active(kPenaltyFailureToPayAssessment)) ComputeFailureToPayAssessment(doc, date);
  for (int k : {kPenalty6662c, kPenalty6662d, kPenalty6662e, kPenalty6662f, kPenalty6662g, kPenalty6663}) {
    if (active(k)) ComputeRatePenalty(doc, k);
  }
  for (int k = 0; k < kPenaltyRecords; ++k) {
    if (res.PenaltyAmount[k] < 0.0) res.PenaltyAmount[k] = 0.0;
    if (res.PenaltyGross[k] < 0.0) res.PenaltyGross[k] = 0.0;
    if (res.PenaltyComponent[k] < 0.0) res.PenaltyComponent[k] = 0.0;
  }
}

int ComputePenaltyInterest(CTDoc& doc, DayNumber date, bool monthlyBreaks) {
  // Interest on penalties is rounded per period as the engine rounds interest on tax. The main
  // balance is an overpayment at a date when the last sign change before it is negative.
  const OverpaymentProbe overpaid = [&doc](DayNumber at) {
    int sign = 0;
    for (const SignChange& change : doc.m_signChanges) {
      if (change.m_date >= at) break;
      sign = change.m_sign;
    }
    return sign < 0;
  };
  return ComputePenaltyInterest(doc, date, monthlyBreaks, overpaid);
}

bool CheckAccuracyStacking(CTDoc& doc) {
  return CheckAccuracyStacking(doc, false);
}

}  // namespace zarvic
