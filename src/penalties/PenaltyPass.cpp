#include "penalties/PenaltyPass.h"

#include "problem/CTDoc.h"

namespace zarvic {

// The penalty computations themselves are not built yet: with no penalty computed every result stays
// zero, which is exact for a problem without active penalties.

void ComputePenalties(CTDoc& doc, DayNumber /*date*/) {
  doc.m_penaltyResults.Clear();
}

void ComputePenaltyInterest(CTDoc& doc, DayNumber /*date*/, bool /*monthlyBreaks*/) {
  doc.m_penaltyList.Clear();
  doc.m_penaltyResults.PenaltyInterestTotal = 0.0;
}

bool CheckAccuracyStacking(CTDoc& /*doc*/) {
  return false;
}

void CheckDelinquencyAmounts(CTDoc& /*doc*/, bool /*showMessages*/) {}

bool AnyActivePenalty(const CTDoc& doc) {
  for (int k = 0; k < kPenaltyRecords; ++k) {
    if (k != kHotInterestSlot && doc.m_penalties[k].IsActive()) return true;
  }
  return false;
}

}  // namespace zarvic
