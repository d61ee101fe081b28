#pragma once

#include "tools/screenshots/Screenshots.h"

namespace zarvic {

// help.png: the help window on the netting topic. The help pages are found beside the program.
void RegisterHelpShots(std::vector<Shot>& shots);

}  // namespace zarvic
