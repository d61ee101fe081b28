#pragma once

#include "core/Amounts.h"
#include "core/Dates.h"
#include "engine/ComputeResults.h"
#include "engine/ComputeState.h"

namespace zarvic {

// Periods that end after these dates get the GATT rates (12-31-94) and the reduced C-corporation
// refund and GATT rates (12-31-98).
inline constexpr DayNumber kGattStartDate = 14974;      // 12-31-94
inline constexpr DayNumber kReducedRefundDate = 16435;  // 12-31-98

// Computes the interest of one period into node: length in the mode's terms, the rate used, the factor
// and the interest on principal and, when GATT applies, on state.m_gatt. principal in cents (negative
// for an overpayment), start S and end T, mode of the governing line, daysPerYear V (365, 366, 365.25;
// 0 for an invalid code), applicable annual rate E and the line's normal rate F in percent. Both
// interests are rounded once, with RoundAmount.
void ComputePeriod(ComputeState& state, Amount principal, DayNumber start, DayNumber end, int mode,
                   double daysPerYear, double rate, double normalRate, ComputeResults& node);

// The Old IRS Method's split of start..end into years, months and days, with the monthly-breaks rule.
// False when a part comes out negative (end before start); the parts are then not to be used.
bool SplitOldIrsPeriod(DayNumber start, DayNumber end, bool monthlyBreaks, int& years, int& months,
                       int& days);

}  // namespace zarvic
