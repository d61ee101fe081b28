#pragma once

#include "tools/screenshots/Screenshots.h"

class QWidget;

namespace zarvic {

class CTDoc;
struct ReportSettings;

// The report of a worksheet kept with doc in the report window, as its "Report..." shows it, tall
// enough for lines lines of text.
QWidget* WorksheetReportWindow(CTDoc& doc, bool ReportSettings::*report, int lines);

// estimated-tax.png and estimated-tax-report.png (an individual with four installments and a late
// payment); deposit-penalty.png and deposit-penalty-report.png (a semiweekly quarter with a late and a
// direct payment).
void RegisterEstimatedTaxShots(std::vector<Shot>& shots);
void RegisterDepositPenaltyShots(std::vector<Shot>& shots);

}  // namespace zarvic
