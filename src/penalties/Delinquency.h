#pragma once

#include "core/Amounts.h"
#include "core/Dates.h"

namespace zarvic {

class CTDoc;

// The delinquency penalties of section 6651, computed into doc.m_penaltyResults. Amounts are cents and
// rounded to the cent whatever Whole Dollar Mode says (the pass suspends it).

// Failure to pay tax shown (1) when active, then failure to file (23) when active, through
// computeDate; with noAssess nothing is put on the assessment list.
void ComputeFailureToFileAndPay(CTDoc& doc, DayNumber computeDate, bool noAssess);
// Failure to pay an amount assessed (2) through computeDate.
void ComputeFailureToPayAssessment(CTDoc& doc, DayNumber computeDate);
// The 25% maximum of penalty 1 or 2 (not rounded).
Amount DelinquencyCap(const CTDoc& doc, int k);
// The minimum failure-to-file penalty for a return due on dueDate (with extensions).
Amount MinimumFailureToFile(DayNumber dueDate);

}  // namespace zarvic
