#pragma once

#include "core/Dates.h"

namespace zarvic {

class CTDoc;

// The penalty computations the interest engine calls.

// One pass through date, with Whole Dollar Mode suspended: fills doc.m_penaltyResults (amounts,
// arrays, assessment list, monthly lists) and prepares the hot-interest record 22 for the run.
void ComputePenalties(CTDoc& doc, DayNumber date);
// Interest on the assessed penalties and entered penalties through date; fills the penalty interest
// list, PenaltyInterestTotal and the two penalty interest flags. Returns 1 when the run reached date, 0
// when nothing bears interest.
int ComputePenaltyInterest(CTDoc& doc, DayNumber date, bool monthlyBreaks);
// True ("too large") when the amounts subject to the accuracy-related penalties exceed the tax; for
// returns due after 1989 it also sets doc.TotalTax to the tax, motivated tax, debit and IRS check
// amounts. Quiet: the caller shows 18007.
bool CheckAccuracyStacking(CTDoc& doc);
// Cautions 19415 and 20048 after the first computation of a problem. They show whatever showMessages
// says (the driver calls this even when it runs quietly).
void CheckDelinquencyAmounts(CTDoc& doc, bool showMessages);
// A record other than the hot-interest record 22 is active.
bool AnyActivePenalty(const CTDoc& doc);

}  // namespace zarvic
