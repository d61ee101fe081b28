#pragma once

#include "core/Dates.h"

namespace zarvic {

class CTDoc;

// The penalty computations the interest engine calls. While no penalty record is active they leave
// every result at zero.

// One pass through date: fills doc.m_penaltyResults (amounts, arrays, assessment list, monthly lists).
void ComputePenalties(CTDoc& doc, DayNumber date);
// Interest on the assessed penalties and entered penalties through date; fills the penalty interest
// list and PenaltyInterestTotal.
void ComputePenaltyInterest(CTDoc& doc, DayNumber date, bool monthlyBreaks);
// True ("too large", message 18007) when the amounts subject to the accuracy-related penalties exceed
// the tax; for returns due after 1989 it also sets doc.TotalTax to the tax, motivated tax, debit and
// IRS check amounts.
bool CheckAccuracyStacking(CTDoc& doc);
// Cautions 19415 and 20048 after the first computation of a problem.
void CheckDelinquencyAmounts(CTDoc& doc, bool showMessages);
// A record other than the hot-interest record 22 is active.
bool AnyActivePenalty(const CTDoc& doc);

}  // namespace zarvic
