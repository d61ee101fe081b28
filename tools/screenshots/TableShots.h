#pragma once

#include "tools/screenshots/Screenshots.h"

namespace zarvic {

// table-editor.png (FEDERAL.TB3 opened at its end), table-notes.png and payoff.png (a fixed term of
// 24 months calculated for the late-return example).
void RegisterTableShots(std::vector<Shot>& shots);

}  // namespace zarvic
