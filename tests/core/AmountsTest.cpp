#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <utility>

#include "core/Amounts.h"
#include "core/AppOptions.h"

namespace zarvic {
namespace {

class AmountsTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = Options(); }
  void TearDown() override { Options() = saved_; }
  AppOptions saved_;
};

struct ParseCase {
  const char* text;
  double cents;
};

TEST_F(AmountsTest, ParseAmountTextRules) {
  const ParseCase cases[] = {
      {"1,234.567", 123457},
      {"1.2.3", 0},
      {"-5", -500},
      {"5-", -500},
      {"$ 12", 1200},
      {"<5.00>", 500},
      {"3k", 300000},
      {"1.5k", 150000},
      {"2m", 200000000},
      {"1c", 10000},
      {"", 0},
      {"   ", 0},
      {"0.005", 1},
      {"-0.005", -1},
      {"0.0049", 0},
      {"1.005", 101},  // as typed
      {"12.50\t99", 1250},
      {"  -1,000", -100000},
      {"abc", 0},
      {"-", 0},
      {"99999999999999.99", 9999999999999998},
      {"1e30", 13000},  // "e" is skipped: the digits read 130
      {"999999999999999999999999999999", 9999999999999998},
      {"-999999999999999999999999999999", -9999999999999998},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.cents, ParseAmount(c.text)) << '"' << c.text << '"';
  }
}

// Files must not be misread the way the lenient field parser reads them ("1.5E+06" as 1.51).
TEST_F(AmountsTest, WellFormedAmounts) {
  const std::pair<const char*, bool> cases[] = {
      {"1000", true},     {"1,000.00", true},  {"-5", true},        {"+5.5", true},     {" 12.50 ", true},
      {".5", true},       {"5.", true},        {"1,234,567", true}, {"0", true},        {"1.5E+06", false},
      {"1e20", false},    {"abc", false},      {"1.2.3", false},    {"12,34", false},   {"1,2345", false},
      {",123", false},    {"1234,567", false}, {"1,234.5,6", false}, {"", false},        {"-", false},
      {".", false},       {"5-", false},       {"$12", false},      {"3k", false},      {"1 000", false},
      {"--5", false},     {"1,000,00", false}, {"12\t5", false},
  };
  for (const auto& [text, wellFormed] : cases) EXPECT_EQ(wellFormed, IsWellFormedAmount(text)) << '"' << text << '"';
}

// Windows and text input files read amounts by one strict rule: a well-formed text reads as the
// lenient reader reads it, anything else is refused instead of misread.
TEST_F(AmountsTest, StrictAmountsAreReadAsTypedOrRefused) {
  struct Case {
    const char* text;
    std::optional<double> cents;
  };
  const Case cases[] = {
      {"3,08O,514.86", std::nullopt},  // letter O: once 308,514.86
      {"1.5E+06", std::nullopt},       // once 1.51
      {"4x88.26", std::nullopt},       // once 488.26
      {"12,34", std::nullopt},
      {"1.2.3", std::nullopt},
      {"2k", std::nullopt},
      {"$12", std::nullopt},
      {"<5.00>", std::nullopt},
      {"5-", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"3,080,514.86", 308051486},
      {"1234.5", 123450},
      {" -1,000 ", -100000},
      {"+3.5", 350},
      {".5", 50},
      {"1.005", 101},
      {"99999999999999.99", 9999999999999998},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.cents, ParseWellFormedAmount(c.text)) << '"' << c.text << '"';
    if (c.cents) {
      EXPECT_EQ(ParseAmount(c.text), *c.cents) << '"' << c.text << '"';
    }
  }
  Options().wholeDollarMode = true;
  EXPECT_EQ(std::optional<double>(1300), ParseWellFormedAmount("12.50"));
}

// The worksheets' reading: to the cent in any display mode, a digit beyond the cents refused rather
// than rounded, trailing zeros allowed.
TEST_F(AmountsTest, WorksheetAmountsAreReadToTheCentOrRefused) {
  const std::pair<const char*, std::optional<double>> cases[] = {
      {"1,234.56", 123456}, {"12.3400", 1234},      {"0.49", 49},           {"-7", -700},
      {"0.005", std::nullopt}, {"1.001", std::nullopt}, {"12.3401", std::nullopt}, {"4x88.26", std::nullopt},
      {"99999999999999.99", std::nullopt},  // at the amount limit
  };
  Options().wholeDollarMode = true;
  for (const auto& [text, cents] : cases) EXPECT_EQ(cents, ParseWellFormedCents(text)) << '"' << text << '"';
}

TEST_F(AmountsTest, StrictRatesAreDecimalNumbersWithoutCommas) {
  const std::pair<const char*, std::optional<double>> cases[] = {
      {"8.25", 8.25},
      {"8", 8.0},
      {".5", 0.5},
      {"-1.5", -1.5},
      {" 12.5 ", 12.5},
      {"8.255", 8.26},
      {"1,000", std::nullopt},
      {"8,25", std::nullopt},
      {"1e2", std::nullopt},
      {"8%", std::nullopt},
      {"8.2.5", std::nullopt},
      {"", std::nullopt},
      {"x", std::nullopt},
  };
  Options().wholeDollarMode = true;  // a rate is never rounded to whole units
  for (const auto& [text, rate] : cases) EXPECT_EQ(rate, ParseWellFormedRate(text)) << '"' << text << '"';
}

TEST_F(AmountsTest, WholeDollarMode) {
  Options().wholeDollarMode = true;
  EXPECT_EQ(1300, ParseAmount("12.50"));
  EXPECT_EQ(-1300, ParseAmount("-12.50"));
  EXPECT_EQ(1200, ParseAmount("12.49"));
  EXPECT_EQ(1250, ParseAmountCents("12.50"));  // percentages are never rounded to dollars
  EXPECT_EQ("13", FormatAmount(1250, true, false, false));
  EXPECT_EQ("0", FormatAmount(0, true, false, false));
  EXPECT_EQ("<1,235>", FormatAmount(-123456, true, true, false));
  double a = 1250;
  RoundAmount(a);
  EXPECT_EQ(1300, a);
  double b = 1250.4;
  RoundToCents(b);
  EXPECT_EQ(1250, b);
}

TEST_F(AmountsTest, RoundingIsHalfAwayFromZero) {
  struct Case {
    double in, out;
  };
  const Case cases[] = {{0.5, 1},   {-0.5, -1}, {0.49, 0},  {-0.49, 0}, {1.5, 2},
                        {-1.5, -2}, {2.5, 3},   {-2.5, -3}, {0, 0},     {123456.0, 123456}};
  for (const auto& c : cases) {
    double v = c.in;
    RoundAmount(v);
    EXPECT_EQ(c.out, v) << c.in;
    double w = c.in;
    RoundToCents(w);
    EXPECT_EQ(c.out, w) << c.in;
  }
}

struct FormatCase {
  double cents;
  bool group, bracket, shorten;
  const char* text;
};

TEST_F(AmountsTest, FormatAmountTextRules) {
  const FormatCase cases[] = {
      {123456, true, false, false, "1,234.56"},
      {-123456, true, true, false, "<1,234.56>"},
      {-123456, true, false, false, "-1,234.56"},
      {-123456, false, false, false, "-1234.56"},
      {0, true, true, false, "0.00"},
      {-0.005, true, true, false, "0.00"},  // no sign for less than a hundredth of a cent
      {-0.01, true, false, false, "-0.00"},
      {99, true, false, false, "0.99"},
      {100000, true, false, false, "1,000.00"},
      {10000000000, true, false, true, "100,000,000"},  // $100,000,000.00 loses its cents
      {999999999, true, false, true, "9,999,999.99"},
      {-1000000000, true, true, true, "<10,000,000>"},  // negative from $10,000,000.00
      {-999999999, true, true, true, "<9,999,999.99>"},
      {10000000000, true, false, false, "100,000,000.00"},
      {1000000000000000, true, false, false, "10000000000000.00"},  // too wide to group
      {9999999999999998, false, false, false, "99999999999999.98"},
      {1.0e16, true, false, false, ""},  // beyond the display limit
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::string(c.text), FormatAmount(c.cents, c.group, c.bracket, c.shorten)) << c.cents;
  }
}

TEST_F(AmountsTest, InsertThousandsAndRightJustify) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case groups[] = {{"123", "123"},          {"1234", "1,234"},        {"123.45", "123.45"},
                         {"1234.56", "1,234.56"}, {"1234567", "1,234,567"}, {"12345678.90", "12,345,678.90"}};
  for (const auto& c : groups) {
    std::string s = c.in;
    InsertThousands(s);
    EXPECT_EQ(std::string(c.out), s);
  }
  std::string tooLong(51, '1');
  std::string copy = tooLong;
  InsertThousands(copy);
  EXPECT_EQ(tooLong, copy);

  std::string bracketed = "<5.00>";
  RightJustify(bracketed, 8);
  EXPECT_EQ("   <5.00>", bracketed);  // ">" in the ninth column
  std::string plain = "5.00";
  RightJustify(plain, 8);
  EXPECT_EQ("    5.00", plain);  // ends in the eighth
  std::string wide = "12345678";
  RightJustify(wide, 8);
  EXPECT_EQ("12345678", wide);
}

TEST_F(AmountsTest, ParsersNeverReadPastTheirInput) {
  std::mt19937 rng(4242);
  const std::string alphabet = "0123456789.,-kKmMcC$<> \tx";
  for (int n = 0; n < 20000; ++n) {
    std::string text(static_cast<size_t>(rng() % 40), ' ');
    for (char& ch : text) ch = alphabet[rng() % alphabet.size()];
    double v = ParseAmount(text);
    EXPECT_LE(std::abs(v), kAmountLimitCents);
    EXPECT_EQ(v, RoundedToCents(v));
  }
  std::string huge(1 << 20, '9');
  EXPECT_EQ(kAmountLimitCents, ParseAmount(huge));
  std::string multipliers(1 << 16, 'm');
  EXPECT_EQ(0, ParseAmount(multipliers));
}

}  // namespace
}  // namespace zarvic
