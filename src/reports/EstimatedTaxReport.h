#pragma once

#include "reports/ReportWriter.h"
#include "worksheets/EstimatedTax.h"

namespace zarvic {

inline constexpr char kEstimatedTaxTemplate[] = "P6654.DM";

// The "Estimated Tax Penalty" report of a computed worksheet (result.Ok()), laid out by its template
// like the worksheet of Form 2210 (Form 2220): the installments in columns, then each rate period with
// its days and amounts, then the total on a line of its own that starts with "Total penalty" and ends
// with the amount. Lines of the template holding a rate period's keywords are written once a period,
// those of its unpaid amounts once for each amount; the reason and caution lines once each, or not at
// all when there is none. False when the template is missing (after message 20027).
bool WriteEstimatedTaxReport(ReportWriter& w, const EstimatedTaxWorksheet& sheet,
                             const EstimatedTaxResult& result);

}  // namespace zarvic
