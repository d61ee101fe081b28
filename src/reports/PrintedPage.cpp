#include "reports/PrintedPage.h"

#include <algorithm>
#include <cmath>

namespace zarvic {

double PrintMargin(double asked, double printerMinimum) {
  return std::max({kMinPrintMargin, asked, printerMinimum});
}

int PrintLinesPerPage(double height, double lineSpacing) {
  if (lineSpacing <= 0.0 || height <= 0.0) return 0;
  return std::max(0, static_cast<int>(std::floor(height / lineSpacing)) - 2);
}

double FittedFontPoints(double points, double advance, double width) {
  const double needed = advance * kPrintColumns;
  if (needed <= width || needed <= 0.0) return points;
  // A hair smaller than the exact proportion, so rounding of glyph advances cannot push the last
  // column over the margin.
  return std::floor(points * width / needed * 0.98 * 10.0) / 10.0;
}

}  // namespace zarvic
