// What the program's own controls do when they are left, and where their navigation keys go.

#include <gtest/gtest.h>

#include <array>

#include "core/AppOptions.h"
#include "core/ControlCommands.h"
#include "core/FieldRules.h"
#include "core/UserInterface.h"

namespace zarvic {
namespace {

class ControlRulesTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = Options(); }
  void TearDown() override { Options() = saved_; }
  AppOptions saved_;
  RecordingUserInterface ui_;
  ScopedUserInterface scoped_{ui_};
};

TEST_F(ControlRulesTest, DateFieldLeft) {
  struct Case {
    const char* typed;
    bool century;
    bool valid;
    const char* shown;
  };
  constexpr std::array cases{
      Case{"1/5/95", false, true, "01-05-95"},   Case{"1/5/95", true, true, "01-05-1995"},
      Case{"01-05-95", false, true, "01-05-95"}, Case{"", false, true, ""},
      Case{"13/45/95", false, false, ""},        Case{"hello", true, false, ""},
      Case{"2/29/96", false, true, "02-29-96"},  Case{"2/29/97", false, false, ""},
  };
  for (const Case& c : cases) {
    Options().showCentury = c.century;
    StringField f(c.typed);
    EXPECT_EQ(c.valid, LeaveDateField(f)) << c.typed;
    EXPECT_EQ(c.shown, f.Text()) << c.typed;
  }
  EXPECT_TRUE(ui_.messages.empty());  // the control shows 20032 itself, after the focus change
}

TEST_F(ControlRulesTest, AmountFieldLeft) {
  struct Case {
    const char* typed;
    bool wholeDollars;
    const char* shown;
    bool accepted = true;
  };
  // A text that is no amount is left as it is: the control puts back its old text and says why.
  constexpr std::array cases{
      Case{"1234.5", false, "1,234.50"},
      Case{"2k", false, "2k", false},
      Case{"-25", false, "-25.00"},
      Case{"", false, ""},
      Case{"1234.5", true, "1,235"},
      Case{"1,234.50", false, "1,234.50"},
      Case{"1.5E+06", false, "1.5E+06", false},
      Case{"4x88.26", false, "4x88.26", false},
  };
  for (const Case& c : cases) {
    Options().wholeDollarMode = c.wholeDollars;
    StringField f(c.typed);
    EXPECT_EQ(c.accepted, LeaveAmountField(f)) << c.typed;
    EXPECT_EQ(c.shown, f.Text()) << c.typed;
  }
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ControlRulesTest, CellLeftInEachMode) {
  struct Case {
    CellMode mode;
    const char* typed;
    CellOutcome outcome;
    const char* shown;
  };
  constexpr std::array cases{
      Case{CellMode::Date, "1/5/95", CellOutcome::DateAccepted, "01-05-95"},
      Case{CellMode::Date, "", CellOutcome::DateAccepted, ""},
      Case{CellMode::Date, "13/45/95", CellOutcome::DateInvalid, ""},
      Case{CellMode::Rate, "150", CellOutcome::RateReduced, "15.00"},
      Case{CellMode::Rate, "8.25", CellOutcome::RateAccepted, "8.25"},
      Case{CellMode::Rate, "99.99", CellOutcome::RateAccepted, "99.99"},
      Case{CellMode::Rate, "100", CellOutcome::RateReduced, "10.00"},
      Case{CellMode::Rate, "12000", CellOutcome::RateReduced, "12.00"},
      Case{CellMode::Rate, "", CellOutcome::RateAccepted, "0.00"},
      Case{CellMode::Rate, "8,25", CellOutcome::RateMalformed, "8,25"},
      Case{CellMode::Rate, "1.5E+", CellOutcome::RateMalformed, "1.5E+"},
      Case{CellMode::Rate, "4x8", CellOutcome::RateMalformed, "4x8"},
      Case{CellMode::Text, "Heading 1/5/95", CellOutcome::None, "Heading 1/5/95"},
  };
  for (const Case& c : cases) {
    StringField f(c.typed);
    EXPECT_EQ(c.outcome, LeaveCellField(f, c.mode)) << c.typed;
    EXPECT_EQ(c.shown, f.Text()) << c.typed;
  }
}

// Regression: a rate of 8.25 read under Whole Dollar Mode became 8.00; a rate is not money.
TEST_F(ControlRulesTest, RateCellKeepsHundredthsInWholeDollarMode) {
  Options().wholeDollarMode = true;
  StringField f("8.25");
  EXPECT_EQ(CellOutcome::RateAccepted, LeaveCellField(f, CellMode::Rate));
  EXPECT_EQ("8.25", f.Text());
}

// Qt's line edits cut an existing text to a new limit: a field must take the dates it shows.
TEST_F(ControlRulesTest, LimitsHoldTheShownDates) {
  for (bool century : {false, true}) {
    Options().showCentury = century;
    const int shown = static_cast<int>(DateFieldText(MakeDate(12, 31, 1999)).size());
    EXPECT_LE(shown, DateFieldLimit());
    EXPECT_LE(shown, CellFieldLimit(static_cast<int>(CellMode::Date)));
  }
  Options().showCentury = false;
  EXPECT_EQ(8, DateFieldLimit());
  EXPECT_EQ(5, CellFieldLimit(static_cast<int>(CellMode::Rate)));
  EXPECT_EQ(-1, CellFieldLimit(static_cast<int>(CellMode::Text)));
}

TEST(ControlKeysTest, RoutesOfEachControl) {
  struct Case {
    ControlKind kind;
    NavKey key;
    KeyRoute route;
  };
  constexpr std::array cases{
      Case{ControlKind::GridEdit, NavKey::PageDown, {kCmdPageDown, true}},
      Case{ControlKind::GridEdit, NavKey::PageUp, {kCmdPageUp, true}},
      Case{ControlKind::GridEdit, NavKey::Home, {kCmdHome, true}},
      Case{ControlKind::GridEdit, NavKey::End, {kCmdEnd, true}},
      Case{ControlKind::GridEdit, NavKey::Up, {kCmdUp, true}},
      Case{ControlKind::GridEdit, NavKey::Down, {kCmdDown, true}},
      Case{ControlKind::GridEdit, NavKey::Right, {0, true}},
      Case{ControlKind::GridTypeList, NavKey::Right, {kCmdNextField, false}},
      Case{ControlKind::GridTypeList, NavKey::Left, {kCmdPreviousField, false}},
      Case{ControlKind::GridTypeList, NavKey::PageDown, {kCmdPageDown, false}},
      Case{ControlKind::GridTypeList, NavKey::Down, {kCmdDown, false}},
      Case{ControlKind::GridTypeList, NavKey::Home, {0, false}},
      Case{ControlKind::GridTypeList, NavKey::End, {0, false}},
      Case{ControlKind::GridTypeList, NavKey::Other, {0, true}},
      Case{ControlKind::TableCell, NavKey::PageUp, {kCmdPageUp, true}},
      Case{ControlKind::TableCell, NavKey::Down, {kCmdDown, true}},
      Case{ControlKind::TableCell, NavKey::Home, {0, true}},
      Case{ControlKind::HeadingEdit, NavKey::Down, {kCmdDown, false}},
      Case{ControlKind::HeadingEdit, NavKey::Up, {0, true}},
      Case{ControlKind::KeyTrap, NavKey::Delete, {kCmdDeleteLine, true}},
      Case{ControlKind::KeyTrap, NavKey::Down, {0, true}},
  };
  for (const Case& c : cases) {
    const KeyRoute got = RouteKey(c.kind, c.key);
    EXPECT_EQ(c.route.command, got.command) << static_cast<int>(c.kind) << "/" << static_cast<int>(c.key);
    EXPECT_EQ(c.route.passOn, got.passOn) << static_cast<int>(c.kind) << "/" << static_cast<int>(c.key);
  }
}

}  // namespace
}  // namespace zarvic
