#include "tools/screenshots/WorksheetShots.h"

namespace zarvic {

void RegisterDepositPenaltyShots(std::vector<Shot>& /*shots*/) {}

}  // namespace zarvic
