// Where the main window and the problem windows appear.

#include <gtest/gtest.h>

#include "shell/WindowPlacement.h"

namespace zarvic {
namespace {

TEST(FirstStartFrame, TakesMostOfTheScreenCentred) {
  struct Case {
    const char* what;
    ScreenRect available;
    ScreenRect frame;
  };
  const Case cases[] = {
      {"a 1600x1000 screen", {0, 0, 1600, 1000}, {80, 50, 1440, 900}},
      {"a panel on the left and top", {64, 32, 1856, 1048}, {157, 84, 1670, 943}},
      {"a second screen to the right", {1920, 0, 1280, 1024}, {1984, 51, 1152, 921}},
      {"a small screen keeps the least size", {0, 0, 700, 520}, {30, 20, 640, 480}},
      {"a screen below the least size is filled", {0, 0, 600, 400}, {0, 0, 600, 400}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.frame, FirstStartFrame(c.available, 640, 480)) << c.what;
}

TEST(CascadedProblemWindow, CascadesFromTheCornerAndStaysInside) {
  struct Case {
    const char* what;
    int width, height, open;
    ScreenRect window;
  };
  // Least size 700 x 235; a step is 24 pixels and four steps of room are kept.
  const Case cases[] = {
      {"the first window sits in the corner", 1400, 800, 0, {0, 0, 1304, 704}},
      {"the second one step on", 1400, 800, 1, {24, 24, 1304, 704}},
      {"the fifth is the last that fits", 1400, 800, 4, {96, 96, 1304, 704}},
      {"the sixth starts over at the corner", 1400, 800, 5, {0, 0, 1304, 704}},
      {"a narrow workspace keeps every column", 760, 800, 1, {24, 24, 700, 704}},
      {"room for one step across: the third starts over", 740, 800, 2, {0, 0, 700, 704}},
      {"narrower than the columns: the whole width", 600, 400, 3, {0, 0, 600, 304}},
      {"lower than the least height: the whole height", 1000, 200, 2, {0, 0, 904, 200}},
  };
  for (const Case& c : cases) {
    const ScreenRect got = CascadedProblemWindow(c.width, c.height, c.open, 700, 235);
    EXPECT_EQ(c.window, got) << c.what;
    EXPECT_LE(got.x + got.width, c.width) << c.what;
    EXPECT_LE(got.y + got.height, c.height) << c.what;
  }
}

}  // namespace
}  // namespace zarvic
