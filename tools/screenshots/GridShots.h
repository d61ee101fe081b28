#pragma once

#include <vector>

#include "tools/screenshots/Screenshots.h"

namespace zarvic {

// grid.png: the problem window's event grid with a dozen events and two active penalties on the bar.
void RegisterGridShots(std::vector<Shot>& shots);

}  // namespace zarvic
