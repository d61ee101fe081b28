#pragma once

#include "reports/ReportWriter.h"
#include "worksheets/DepositPenalty.h"

namespace zarvic {

inline constexpr char kDepositPenaltyTemplate[] = "P6656.DM";

inline constexpr int kDepositSafeHarborNote = 21430;
inline constexpr int kDepositDeMinimisNote = 21431;

// The "Deposit Penalty" report of a computed worksheet, laid out by its template: the heading (the
// period, the schedule, the notice and demand dates when there are any, whether the liabilities are
// averaged), then each liability with its due date and the rule that gave it, and a line for each
// deposit applied to it and for what was never paid (days late, rate, penalty), then the notes of the
// accuracy of deposits and de minimis rules where they applied, and the total on a line of its own that
// starts with "Total penalty" and ends with the amount. False, with nothing written, for a worksheet
// that could not be figured (result.error); false when the template is missing (after message 20027).
bool WriteDepositPenaltyReport(ReportWriter& w, const DepositPenaltyWorksheet& worksheet,
                               const DepositPenaltyResult& result);

}  // namespace zarvic
