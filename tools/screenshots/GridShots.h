#pragma once

#include <vector>

#include "tools/screenshots/Screenshots.h"

namespace zarvic {

// grid.png: the problem window's event grid with a dozen events and two active penalties on the bar.
// grid-full.png: a problem with all 1,000 events, scrolled to the end, where the grid says why there is
// no entry row; its taxpayer name has the 59 characters the file keeps.
void RegisterGridShots(std::vector<Shot>& shots);

}  // namespace zarvic
