#pragma once

#include "tools/screenshots/Screenshots.h"

namespace zarvic {

// report.png, print-preview.png, report-selection.png, report-setup.png and headers.png.
void RegisterReportShots(std::vector<Shot>& shots);

}  // namespace zarvic
