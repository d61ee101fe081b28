#pragma once

#include "tools/screenshots/Screenshots.h"

namespace zarvic {

// main-empty.png, main-problem.png and about.png.
void RegisterMainShots(std::vector<Shot>& shots);

}  // namespace zarvic
