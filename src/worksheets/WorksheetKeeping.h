#pragma once

#include "core/Amounts.h"
#include "core/Dates.h"
#include "worksheets/DepositPenalty.h"
#include "worksheets/EstimatedTax.h"
#include "worksheets/WorksheetPenalty.h"

namespace zarvic {

class CTDoc;

// What both worksheet windows do with their problem: show the worksheet kept with it, keep what the
// user entered with it (the problem is changed only when the worksheet is), and date and add its
// penalty.

// The worksheet kept with doc, or a new one.
EstimatedTaxWorksheet KeptEstimatedTax(const CTDoc& doc);
DepositPenaltyWorksheet KeptDepositPenalty(const CTDoc& doc);

// Keeps the worksheet and the penalty date with doc; marks doc changed when either differs from what
// it kept. Returns whether anything changed.
bool KeepWorksheet(CTDoc& doc, const EstimatedTaxWorksheet& sheet, DayNumber penaltyDate);
bool KeepWorksheet(CTDoc& doc, const DepositPenaltyWorksheet& sheet, DayNumber penaltyDate);

// The date the window offers for the penalty: that of the worksheet's event in the problem, else the
// one kept with the worksheet, else the first notice date of the deposit worksheet, else none (the
// user enters the date of the notice that assessed it).
DayNumber OfferedPenaltyDate(const CTDoc& doc, WorksheetKind kind);

}  // namespace zarvic
