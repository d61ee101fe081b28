#include <gtest/gtest.h>

#include <memory>

#include "core/Amounts.h"
#include "core/UserInterface.h"
#include "ratetables/FederalTable.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableOperations.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::TempFolder;
using testing::WriteFile;

// The table the build made beside the binaries.
class ShippedFederalTable : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    table_ = new RateTable;
    loaded_ = LoadTable(*table_, std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3", true);
  }
  static void TearDownTestSuite() {
    delete table_;
    table_ = nullptr;
  }
  static const RateLine& At(DayNumber start) {
    int i = LineIndexFor(*table_, start);
    EXPECT_EQ(start, table_->lines[i].start) << "no line starts on " << FormatDate(start, true);
    return table_->lines[i];
  }

  static RateTable* table_;
  static bool loaded_;
};
RateTable* ShippedFederalTable::table_ = nullptr;
bool ShippedFederalTable::loaded_ = false;

TEST_F(ShippedFederalTable, HeaderSaysWhatItIs) {
  ASSERT_TRUE(loaded_);
  EXPECT_EQ("FEDERAL", table_->name);
  EXPECT_NE(0, table_->vendorFlag);
  EXPECT_EQ(4, table_->version);
  EXPECT_EQ(MakeDate(3, 31, 2026), table_->endDate);
  EXPECT_FALSE(table_->description.empty());
  EXPECT_LE(table_->description.size(), 20u);
  EXPECT_NE(std::string::npos, table_->notes.find("26 CFR 301.6621-1"));
  EXPECT_NE(std::string::npos, table_->notes.find("Rev. Rul. 2025-22"));  // the last quarter's source
}

TEST_F(ShippedFederalTable, KnownDatesMatchTheRateHistory) {
  ASSERT_TRUE(loaded_);
  struct Case {
    DayNumber start;
    RateLine line;
  };
  const Case cases[] = {
      {MakeDate(1, 1, 1954), {0, kModeOldIrs, 6, 7.2, 6, 365}},
      {MakeDate(2, 1, 1980), {0, kModeSimple, 12, 14.4, 12, 365}},
      {MakeDate(2, 1, 1982), {0, kModeSimple, 20, 24, 20, 365}},
      {MakeDate(1, 1, 1983), {0, kModeDaily, 16, 19.2, 16, 365}},
      {MakeDate(7, 1, 1983), {0, kModeDaily, 11, 13.2, 11, 365}},
      {MakeDate(1, 1, 1984),
       {0, kModeDaily, 11, 13.2, 11, 366}},  // no row starts then: split for the leap year
      {MakeDate(1, 1, 1987), {0, kModeDaily, 9, 10.8, 8, 365}},
      {MakeDate(1, 1, 1999), {0, kModeDaily, 7, 8.4, 7, 365}},
      {MakeDate(4, 1, 2000), {0, kModeDaily, 9, 10.8, 9, 366}},
      {MakeDate(1, 1, 2026), {0, kModeDaily, 7, 8.4, 7, 365}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(FormatDate(c.start, true));
    RateLine expected = c.line;
    expected.start = c.start;
    EXPECT_EQ(expected, At(c.start));
  }
  EXPECT_EQ(MakeDate(1, 1, 2026), EndOfTable(*table_));
  EXPECT_EQ(MakeDate(1, 1, 1984), table_->lines[LineIndexFor(*table_, MakeDate(6, 15, 1984))].start);
}

TEST_F(ShippedFederalTable, EveryLineFollowsTheRules) {
  ASSERT_TRUE(loaded_);
  int used = UsedLineCount(*table_);
  EXPECT_EQ(used, table_->lineCount);
  for (int i = 0; i < used; ++i) {
    const RateLine& l = table_->lines[i];
    SCOPED_TRACE(FormatDate(l.start, true));
    if (i > 0) {
      EXPECT_LT(table_->lines[i - 1].start, l.start);
    }
    int mode = l.start < MakeDate(2, 1, 1980)   ? kModeOldIrs
               : l.start < MakeDate(1, 1, 1983) ? kModeSimple
                                                : kModeDaily;
    EXPECT_EQ(mode, l.mode);
    bool leap = DaysInMonth(2, YearOf(l.start)) == 29;
    EXPECT_EQ(mode == kModeDaily && leap ? 366 : 365, l.daysPerYear);
    EXPECT_EQ(RoundHalfAwayFromZero(l.normalRate * 120) / 100, l.motivatedRate);
  }
  for (int year = 1983; year <= 2026; ++year) At(MakeDate(1, 1, year));
}

class BuildFederalTableTest : public ::testing::Test {
 protected:
  bool Build(const std::string& rows, std::string& error) {
    WriteFile(dir_ / "rates.csv", "start_date,underpayment,overpayment_noncorporate,note,source\r\n" + rows);
    return BuildFederalTable(dir_ / "rates.csv", *table_, error);
  }
  TempFolder dir_;
  std::unique_ptr<RateTable> table_ = std::make_unique<RateTable>();
};

TEST_F(BuildFederalTableTest, SplitsAtEveryNewYearFromNineteenEightyThree) {
  std::string error;
  ASSERT_TRUE(
      Build("06-01-1982,8.125,7.3,x,\"first, source\"\n"
            "07-01-1986,7.3,6,,\"last\"\"source\"\n",
            error))
      << error;
  const DayNumber starts[] = {MakeDate(6, 1, 1982), MakeDate(1, 1, 1983), MakeDate(1, 1, 1984),
                              MakeDate(1, 1, 1985), MakeDate(1, 1, 1986), MakeDate(7, 1, 1986)};
  ASSERT_EQ(6, UsedLineCount(*table_));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(starts[i], table_->lines[i].start) << i;
  EXPECT_EQ((RateLine{starts[0], kModeSimple, 8.125, 9.75, 7.3, 365}), table_->lines[0]);
  EXPECT_EQ((RateLine{starts[2], kModeDaily, 8.125, 9.75, 7.3, 366}), table_->lines[2]);
  EXPECT_EQ((RateLine{starts[5], kModeDaily, 7.3, 8.76, 6, 365}), table_->lines[5]);
  EXPECT_EQ(MakeDate(9, 30, 1986), table_->endDate);
  EXPECT_NE(std::string::npos, table_->notes.find("last\"source"));
}

TEST_F(BuildFederalTableTest, RefusesBadHistories) {
  struct Case {
    const char* rows;
    const char* error;
  };
  for (const Case& c :
       {Case{"", "no rates"}, Case{"01-01-1990,9,9,,a\n01-01-1989,9,9,,b\n", "out of date order"},
        Case{"01-01-1990,9,9,,a\n01-01-1990,9,9,,b\n", "out of date order"},
        Case{"1990-01-01,9,9,,a\n", "bad start date"}, Case{"01-01-1990,nine,9,,a\n", "bad rate"},
        Case{"01-01-1990,9,,,a\n", "bad rate"}}) {
    std::string error;
    EXPECT_FALSE(Build(c.rows, error)) << c.rows;
    EXPECT_NE(std::string::npos, error.find(c.error)) << error;
  }
  WriteFile(dir_ / "other.csv", "date,rate\n01-01-1990,9\n");
  std::string error;
  EXPECT_FALSE(BuildFederalTable(dir_ / "other.csv", *table_, error));
  EXPECT_FALSE(BuildFederalTable(dir_ / "missing.csv", *table_, error));
}

}  // namespace
}  // namespace zarvic
