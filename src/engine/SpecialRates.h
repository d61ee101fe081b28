#pragma once

#include "core/Dates.h"

namespace zarvic {

class CTDoc;

// Dates of the statutory rate rules (6621(c) hot interest, C-corporation GATT rates, motivated tax).
inline constexpr DayNumber kEarliestHotStart = 13513;         // 12-31-90
inline constexpr DayNumber kHotNeedsComputeAfter = 13544;     // 01-31-91
inline constexpr DayNumber kRestartNeedsComputeFrom = 15706;  // 01-01-97
inline constexpr DayNumber kHotStopDate = 16070;              // 12-31-97
inline constexpr DayNumber kMotivatedRepealDate = 13149;      // 01-01-90

// The report text that explains why no hot interest was computed (compute date too early).
inline constexpr char kHotTooEarlyTemplate[] = "R6621CF.DM";

// C-corporation flag set and the rate table's name begins with "FED" (in any case).
bool GattApplies(const CTDoc& doc);

// Derives the hot-interest start and restart dates for a run to computeDate (doc.m_compute) and sets
// the hot-interest penalty slot 22 active, with bit 6 when a restart date is given.
void HotDateStep(CTDoc& doc, DayNumber computeDate);

}  // namespace zarvic
