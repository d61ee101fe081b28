#pragma once

#include "tools/screenshots/Screenshots.h"

namespace zarvic {

// estimated-tax.png and estimated-tax-report.png (an individual with four installments and a late
// payment); deposit-penalty.png and deposit-penalty-report.png (a semiweekly quarter with a late and a
// direct payment).
void RegisterEstimatedTaxShots(std::vector<Shot>& shots);
void RegisterDepositPenaltyShots(std::vector<Shot>& shots);

}  // namespace zarvic
