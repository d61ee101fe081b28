#pragma once

#include "tools/screenshots/Screenshots.h"

namespace zarvic {

// compute-results.png, allocation.png, default-allocation.png, hot-interest.png and ccorp.png.
void RegisterComputeShots(std::vector<Shot>& shots);

}  // namespace zarvic
