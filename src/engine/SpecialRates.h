#pragma once

#include "core/Dates.h"

namespace zarvic {

class CTDoc;
struct ProblemHeader;

// Dates of the statutory rate rules (6621(c) hot interest, C-corporation GATT rates, motivated tax).
inline constexpr DayNumber kEarliestHotStart = 13513;         // 12-31-90
inline constexpr DayNumber kRestartNeedsComputeFrom = 15706;  // 01-01-97
inline constexpr DayNumber kHotStopDate = 16070;              // 12-31-97
inline constexpr DayNumber kMotivatedRepealDate = 13149;      // 01-01-90

// A restart of hot interest must come after the 12-31-97 stop; the hot interest dialog refuses any
// other date (20052/20053 as it is typed, 20054/20055 on OK).
inline constexpr bool RestartDateAccepted(DayNumber date) {
  return date > kHotStopDate;
}

// The report text that explains why no hot interest was computed (compute date too early).
inline constexpr char kHotTooEarlyTemplate[] = "R6621CF.DM";

// C-corporation flag set and the rate table's name begins with "FED" (in any case).
bool GattApplies(const CTDoc& doc);

// Derives the hot-interest start, stop and restart dates for a run to computeDate (doc.m_compute) and
// sets the hot-interest penalty slot 22 active, with bit 6 when a restart date is given. The stop on
// 12-31-97 stops only hot interest that began before it; a stored restart date that the dialog would
// refuse counts as no restart (RefusedRestartMessage says so).
void HotDateStep(CTDoc& doc, DayNumber computeDate);

// 20054 or 20055 when hot interest stops on 12-31-97 and the problem holds a restart 30-day letter or
// applicable date on or before it (a file may hold one); else 0.
int RefusedRestartMessage(const ProblemHeader& header);

}  // namespace zarvic
