#include <gtest/gtest.h>

#include "core/AppOptions.h"
#include "core/UserInterface.h"

namespace zarvic {
namespace {

// Regression: the suspensions saved and restored the settings themselves, so a toggle the user
// clicked while one was in force was undone when it ended.
TEST(OptionSuspensionTest, AChangeMadeDuringASuspensionIsKept) {
  const AppOptions saved = Options();
  struct Case {
    bool before;
    bool changedTo;
  };
  for (Case c : {Case{false, true}, Case{true, false}}) {
    Options().wholeDollarMode = c.before;
    {
      WholeDollarSuspender suspend;
      EXPECT_FALSE(WholeDollarActive());
      Options().wholeDollarMode = c.changedTo;  // "Whole Dollar Mode" clicked meanwhile
      EXPECT_FALSE(WholeDollarActive());
    }
    EXPECT_EQ(c.changedTo, Options().wholeDollarMode);
    EXPECT_EQ(c.changedTo, WholeDollarActive());

    Options().specialCR = c.before;
    RecordingUserInterface ui;
    ScopedUserInterface scoped(ui);
    ui.whileShown = [&](const RecordingUserInterface::Message&) {
      EXPECT_FALSE(SpecialCRActive());
      Options().specialCR = c.changedTo;
    };
    MessageBoxText("x");
    EXPECT_EQ(c.changedTo, Options().specialCR);
    EXPECT_EQ(c.changedTo, SpecialCRActive());
  }
  {
    // Nested suspensions end with the outermost.
    Options().wholeDollarMode = true;
    WholeDollarSuspender outer;
    { WholeDollarSuspender inner; }
    EXPECT_FALSE(WholeDollarActive());
  }
  EXPECT_TRUE(WholeDollarActive());
  Options() = saved;
}

}  // namespace
}  // namespace zarvic
