#include <gtest/gtest.h>

#include "reports/PrintedPage.h"

namespace zarvic {
namespace {

TEST(PrintMargin, AtLeastHalfAnInchAndMoreWhereAsked) {
  struct Case {
    double asked, printerMinimum, expected;
  };
  for (const Case& c : {Case{0, 0, 36}, Case{20, 0, 36}, Case{0, 18, 36}, Case{72, 0, 72}, Case{0, 50, 50},
                        Case{40, 50, 50}}) {
    EXPECT_EQ(c.expected, PrintMargin(c.asked, c.printerMinimum)) << c.asked << " " << c.printerMinimum;
  }
}

TEST(PrintLinesPerPage, WholeLinesLessTwo) {
  struct Case {
    double height, spacing;
    int lines;
  };
  // US Letter less two half-inch margins is 720 points high.
  for (const Case& c : {Case{720, 12, 58}, Case{720, 13.9, 49}, Case{720, 14.5, 47}, Case{24, 12, 0},
                        Case{10, 12, 0}, Case{720, 0, 0}}) {
    EXPECT_EQ(c.lines, PrintLinesPerPage(c.height, c.spacing)) << c.height << " " << c.spacing;
  }
}

TEST(FittedFontPoints, ShrinksOnlyWhatDoesNotFit) {
  // 12-point Courier is 7.2 points a character: 576 points for 80 columns, more than the 540 between
  // half-inch margins on US Letter.
  const double fitted = FittedFontPoints(12, 7.2, 540);
  EXPECT_LT(fitted * 0.6 * kPrintColumns, 540.0);
  EXPECT_GE(fitted, 11.0);
  EXPECT_EQ(10.0, FittedFontPoints(10, 6.0, 540));  // 480 points fit
  EXPECT_EQ(9.0, FittedFontPoints(9, 0.0, 540));
}

}  // namespace
}  // namespace zarvic
