#pragma once

namespace zarvic {

// The arithmetic of a printed (or PDF) report page; lengths in points (1/72 inch).

inline constexpr double kMinPrintMargin = 36.0;  // half an inch on every side
inline constexpr int kPrintColumns = 80;         // the widest report line

// One side's margin: at least half an inch, more where the page setup asks for more or the printer
// cannot print closer to the edge.
double PrintMargin(double asked, double printerMinimum);

// The report lines of a page: the whole lines of spacing that fit in height, less two.
int PrintLinesPerPage(double height, double lineSpacing);

// The font size at which kPrintColumns characters fit width, given that one character is advance wide
// at size points: points itself when they fit, else smaller in proportion (a fixed-pitch font).
double FittedFontPoints(double points, double advance, double width);

}  // namespace zarvic
