#include <gtest/gtest.h>

#include <optional>

#include "core/AppOptions.h"
#include "core/FieldRules.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"

namespace zarvic {
namespace {

class FieldRulesTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = Options(); }
  void TearDown() override { Options() = saved_; }
  AppOptions saved_;
  RecordingUserInterface ui_;
  ScopedUserInterface scoped_{ui_};
};

TEST_F(FieldRulesTest, DateFields) {
  StringField f("1/5/95");
  NormalizeDateField(f);
  EXPECT_EQ("01-05-95", f.Text());
  f.SetText("13/5/95");
  NormalizeDateField(f);
  EXPECT_EQ("", f.Text());

  // Only the first ten characters are read.
  StringField longer("01-05-1995 trailing");
  EXPECT_EQ(MakeDate(1, 5, 1995), GetDateField(longer));

  Options().showCentury = true;
  SetDateField(f, MakeDate(1, 5, 2003));
  EXPECT_EQ("01-05-2003", f.Text());
}

TEST_F(FieldRulesTest, AmountFields) {
  StringField f("1500");
  EXPECT_TRUE(NormalizeAmountField(f));
  EXPECT_EQ("1,500.00", f.Text());
  f.SetText("1.5k");  // no amount: left for the window to refuse
  EXPECT_FALSE(NormalizeAmountField(f));
  EXPECT_EQ("1.5k", f.Text());
  f.SetText("-25");
  NormalizeAmountField(f);
  EXPECT_EQ("25.00", f.Text());
  f.SetText("-25");
  NormalizeAmountField(f, true);
  EXPECT_EQ("-25.00", f.Text());

  SetAmountField(f, 0, true);
  EXPECT_EQ("<0.00>", f.Text());
  SetAmountField(f, 0, false);
  EXPECT_EQ("0.00", f.Text());
  SetAmountField(f, -123456, true);
  EXPECT_EQ("<1,234.56>", f.Text());
  Options().wholeDollarMode = true;
  SetAmountField(f, 0, true);
  EXPECT_EQ("<0>", f.Text());

  // The whole text is read: the largest amount the field shows keeps its cents.
  Options().wholeDollarMode = false;
  StringField largest("-9,999,999,999,999.99");
  EXPECT_EQ(-999999999999999.0, GetAmountField(largest));
  EXPECT_EQ(std::optional<Amount>(0.0), ReadAmountField("  "));
  EXPECT_EQ(std::nullopt, ReadAmountField("3,08O,514.86"));
}

TEST_F(FieldRulesTest, PercentFieldsAcceptWholeNumbersOnly) {
  Options().wholeDollarMode = true;  // ignored for percentages
  StringField whole("20");
  EXPECT_TRUE(NormalizePercentField(whole));
  EXPECT_EQ("20", whole.Text());
  EXPECT_TRUE(ui_.messages.empty());

  StringField half("12.5");
  EXPECT_FALSE(NormalizePercentField(half));
  EXPECT_EQ("13", half.Text());
  ASSERT_EQ(1u, ui_.messages.size());
  EXPECT_EQ(std::string(StringText(19208)), ui_.messages[0].text);
}

TEST_F(FieldRulesTest, IntLetterAndChangedTexts) {
  StringField f("  42abc");
  EXPECT_EQ(42, GetIntField(f));
  SetIntField(f, -7);
  EXPECT_EQ("-7", f.Text());
  SetLetterField(f, 'b');
  EXPECT_EQ("B", f.Text());
  EXPECT_FALSE(SetTextIfChanged(f, "b"));
  EXPECT_EQ("B", f.Text());
  EXPECT_TRUE(SetTextIfChanged(f, "c"));
  EXPECT_EQ("c", f.Text());
}

TEST_F(FieldRulesTest, MessageBoxSuspendsEnterAsTab) {
  Options().specialCR = true;
  struct Probe : UserInterface {
    bool seen = true;
    Answer Show(const std::string&, MessageKind) override {
      seen = SpecialCRActive();
      return Answer::Ok;
    }
  } probe;
  ScopedUserInterface scoped(probe);
  MessageBoxText("hello");
  EXPECT_FALSE(probe.seen);
  EXPECT_TRUE(Options().specialCR);
}

}  // namespace
}  // namespace zarvic
