#pragma once

#include <array>
#include <functional>

#include "core/Amounts.h"
#include "core/Dates.h"
#include "penalties/PenaltyRecord.h"
#include "penalties/PenaltyResults.h"

namespace zarvic {

class CTDoc;

// Money paid toward each penalty ahead of its assessment (positive), or still to arrive for an
// assessment paid within its grace period (negative); cents.
using PenaltyCredits = std::array<Amount, kPenaltyRecords>;

// The grace period of an assessment is still running on `date`, or the payments applied to its penalty
// from its date through the end of its grace period, with the credit, pay it in full. Always false for an
// entered penalty. For failure to pay (1 and 2) the grace period of the notice (NoticeGraceEnd); none for
// the additions whose interest runs from the due date (failure to file, 6653, 6659, 6660, 6661, 6662,
// 6663) from 7-18-84 on, beyond payment on the day itself; 10 days otherwise.
bool AssessmentPaidInGrace(const CTDoc& doc, const PenaltyAssessment& entry, DayNumber date,
                           const PenaltyCredits& credit);

// Whether the main balance is an overpayment at a date (the engine's sign-change list answers it).
using OverpaymentProbe = std::function<bool(DayNumber date)>;

// Interest on the assessed and entered penalties through computeDate: fills doc.m_penaltyList, the
// results' PenaltyInterestTotal, PenaltyPrepaidFlag and PenaltyWhileRefundFlag. With monthEnds every
// month end ends a step. Returns 1 when the run reached computeDate, 0 when nothing bears interest.
int ComputePenaltyInterest(CTDoc& doc, DayNumber computeDate, bool monthEnds,
                           const OverpaymentProbe& overpaidAt);

}  // namespace zarvic
