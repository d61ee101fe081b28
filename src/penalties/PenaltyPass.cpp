#include "penalties/PenaltyPass.h"

#include "core/AppOptions.h"
#include "penalties/AccuracyPenalties.h"
#include "penalties/Delinquency.h"
#include "penalties/PenaltyInterest.h"
#include "penalties/PenaltySupport.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

constexpr std::uint16_t kHotRestartBit = 0x0040;

// Record 22 carries the hot-interest switch of the run: active while hot interest applies, bit 6 when a
// restart date is given, and the explanation when the compute date is too early.
void PrepareHotInterestRecord(CTDoc& doc, DayNumber date) {
  PenaltyResults& res = doc.m_penaltyResults;
  PenaltyRecord& hot = doc.m_penalties[kPenaltyHotInterest];
  res.hotDates = ComputeHotInterestDates(doc.m_header, date);
  hot.SetFlag(PEN_ACTIVE, false);
  if (res.hotDates.explainNotApplied) res.PenaltyExplainTemplate[kPenaltyHotInterest] = "R6621CF.DM";
  if (!doc.m_header.m_hotInterest || res.hotDates.explainNotApplied) return;
  hot.SetFlag(PEN_ACTIVE, true);
  if (res.hotDates.restartGiven) hot.m_flags = static_cast<std::uint16_t>(hot.m_flags | kHotRestartBit);
}

}  // namespace

void ComputePenalties(CTDoc& doc, DayNumber date) {
  WholeDollarSuspender toTheCent;
  doc.RecomputeTaxTotals();
  PenaltyResults& res = doc.m_penaltyResults;
  res.Clear();
  PrepareHotInterestRecord(doc, date);

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
  // Interest on penalties is rounded per period as the engine rounds interest on tax.
  return ComputePenaltyInterest(doc, date, monthlyBreaks, OverpaymentProbe{});
}

bool CheckAccuracyStacking(CTDoc& doc) {
  return CheckAccuracyStacking(doc, false);
}

}  // namespace zarvic
