#pragma once

#include "tools/screenshots/Screenshots.h"

namespace zarvic {

// penalty-selection.png (a 2019 return with two penalties active) and one PNG per penalty input
// window, penalty-<class without C, lower case>.png, each over a return of the window's era.
void RegisterPenaltyShots(std::vector<Shot>& shots);

}  // namespace zarvic
