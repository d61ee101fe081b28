#include <gtest/gtest.h>

#include <memory>

#include "ratetables/TableOperations.h"

namespace zarvic {
namespace {

RateLine Line(DayNumber start, double rate = 8.0, std::uint16_t days = 365) {
  return RateLine{start, kModeDaily, rate, rate * 1.2, rate, days};
}

std::unique_ptr<RateTable> TableOf(std::initializer_list<RateLine> lines) {
  auto t = std::make_unique<RateTable>();
  int i = 0;
  for (const RateLine& l : lines) t->lines[i++] = l;
  return t;
}

const DayNumber k940101 = MakeDate(1, 1, 1994);
const DayNumber k950101 = MakeDate(1, 1, 1995);
const DayNumber k950701 = MakeDate(7, 1, 1995);

TEST(SortLines, SparseTableIsCompactedThenOrdered) {
  auto t = TableOf({Line(k950101), RateLine{}, Line(k940101)});
  t->lines[1].mode = 0xFFFF;  // a row the editor left without a date
  t->lines[1].daysPerYear = 365;
  SortLines(*t);
  EXPECT_EQ(k940101, t->lines[0].start);
  EXPECT_EQ(k950101, t->lines[1].start);
  for (int i = 2; i < kMaxRateLines; ++i) ASSERT_EQ(RateLine{}, t->lines[i]) << i;
}

TEST(SortLines, EqualDatesKeepTheirOrder) {
  auto t = TableOf({Line(k950701, 3), Line(k950101, 1), Line(k950701, 4), Line(k950101, 2)});
  SortLines(*t);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(i + 1, t->lines[i].normalRate) << i;
}

TEST(SortLines, FullTableInReverseOrder) {
  auto t = std::make_unique<RateTable>();
  for (int i = 0; i < kMaxRateLines; ++i) t->lines[i] = Line(AddDays(k940101, kMaxRateLines - i), i);
  SortLines(*t);
  for (int i = 0; i < kMaxRateLines; ++i) ASSERT_EQ(AddDays(k940101, i + 1), t->lines[i].start) << i;
  EXPECT_EQ(kMaxRateLines, UsedLineCount(*t));
}

TEST(DeleteLine, FirstLineOfAFullTableFreesTheLast) {
  auto t = std::make_unique<RateTable>();
  for (int i = 0; i < kMaxRateLines; ++i) t->lines[i] = Line(AddDays(k940101, i), i);
  DeleteLine(*t, 0);
  EXPECT_EQ(1.0, t->lines[0].normalRate);
  EXPECT_EQ(499.0, t->lines[498].normalRate);
  EXPECT_EQ(RateLine{}, t->lines[499]);
  EXPECT_EQ(499, UsedLineCount(*t));
}

TEST(DeleteLine, SparseTableMovesEverythingBehindUp) {
  auto t = TableOf({Line(k940101, 1), Line(k950101, 2), RateLine{}, Line(k950701, 3)});
  DeleteLine(*t, 1);
  EXPECT_EQ(k940101, t->lines[0].start);
  EXPECT_FALSE(t->lines[1].IsUsed());
  EXPECT_EQ(k950701, t->lines[2].start);
  DeleteLine(*t, 499);
  DeleteLine(*t, -1);  // outside the table: nothing
  DeleteLine(*t, 500);
  EXPECT_EQ(k950701, t->lines[2].start);
}

TEST(LineIndexFor, FindsTheLineInEffect) {
  auto t = TableOf({Line(k940101), Line(k950101), Line(k950701)});
  struct Case {
    DayNumber date;
    int index;
  };
  for (const Case& c :
       {Case{k940101, 0}, Case{AddDays(k950101, -1), 0}, Case{k950101, 1}, Case{AddDays(k950701, -1), 1},
        Case{k950701, 2}, Case{MakeDate(1, 1, 2030), 2}, Case{AddDays(k940101, -1), 0}}) {
    EXPECT_EQ(c.index, LineIndexFor(*t, c.date)) << FormatDate(c.date, true);
  }
  EXPECT_EQ(0, LineIndexFor(RateTable{}, k950101));
}

TEST(TableQueries, EndOfTableAndNextLineStart) {
  auto t = TableOf({Line(k940101), Line(k950101), RateLine{}, Line(k950701)});
  EXPECT_EQ(k950101, EndOfTable(*t));
  EXPECT_EQ(NO_DATE, EndOfTable(RateTable{}));
  EXPECT_EQ(k950101, NextLineStart(*t, 0));
  EXPECT_EQ(k940101, NextLineStart(*t, -1));
  EXPECT_EQ(NO_DATE, NextLineStart(*t, 1));
  EXPECT_EQ(NO_DATE, NextLineStart(*t, 499));
  EXPECT_EQ(NO_DATE, NextLineStart(*t, 10000));
  EXPECT_EQ(NO_DATE, NextLineStart(*t, -5));
}

TEST(HasLine, ComparesTheStoredBytesOfTheCountedLines) {
  auto t = TableOf({Line(k940101, 8.0), Line(k950101, 0.0), RateLine{}, Line(k950701, 5.0)});
  EXPECT_TRUE(HasLine(*t, Line(k940101, 8.0)));
  RateLine other = Line(k940101, 8.0);
  other.daysPerYear = 366;
  EXPECT_FALSE(HasLine(*t, other));
  EXPECT_FALSE(HasLine(*t, Line(k950701, 5.0)));  // behind the first free line
  RateLine negativeZero = Line(k950101, 0.0);
  negativeZero.normalRate = -0.0;  // equal as a number, not as stored bytes
  EXPECT_FALSE(HasLine(*t, negativeZero));
}

TEST(ClearTable, EmptiesEverythingAndResetKeepsLinesAndName) {
  auto t = TableOf({Line(k940101)});
  t->name = "STATE";
  t->description = "desc";
  t->endDate = k950101;
  t->vendorFlag = 1;
  t->version = 5;
  SetNotes(*t, "notes");
  auto reset = std::make_unique<RateTable>(*t);
  ResetTableHeader(*reset);
  EXPECT_EQ("STATE", reset->name);
  EXPECT_EQ(k940101, reset->lines[0].start);
  EXPECT_EQ("", reset->notes);
  EXPECT_EQ("", reset->description);
  EXPECT_EQ(NO_DATE, reset->endDate);
  EXPECT_EQ(0, reset->vendorFlag);
  EXPECT_EQ(0, reset->version);

  ClearTable(*t);
  EXPECT_EQ(RateTable{}.lines, t->lines);
  EXPECT_EQ("", t->name);
  EXPECT_EQ("", t->notes);
  EXPECT_EQ(NO_DATE, t->endDate);
  EXPECT_EQ("", t->description);
}

TEST(TableTexts, StatusTextAndNotesLimit) {
  RateTable t;
  t.description = "Federal IRS interest";
  t.name = "FEDERAL";
  EXPECT_EQ("Federal IRS interest -- FEDERAL", StatusText(t));
  SetNotes(t, std::string(70000, 'x'));
  EXPECT_EQ(65535u, t.notes.size());
}

TEST(TableTexts, TableStatusTellsTheVendorsTableFromAUsersTable) {
  RateTable t;
  EXPECT_EQ("", TableStatus(t));
  t.lines[0] = Line(MakeDate(1, 1, 1990), 8, 365);
  t.endDate = MakeDate(12, 31, 2026);
  EXPECT_EQ("CAUTION: User Table -- Rates current to 12-31-2026", TableStatus(t));
  t.vendorFlag = 1;
  EXPECT_EQ("Rates current to 12-31-2026", TableStatus(t));
  t.endDate = NO_DATE;
  EXPECT_EQ("Rates current to ", TableStatus(t));
  t.vendorFlag = 0;
  EXPECT_EQ("CAUTION: User Table", TableStatus(t));
}

TEST(ExtendMonthly, AppendsMonthlyCopiesUntilTheDate) {
  auto t = TableOf({Line(MakeDate(11, 1, 2027), 1.5, 365)});
  t->lines[0].mode = kModeFactorSum;
  ExtendMonthly(*t, MakeDate(3, 15, 2028));
  const DayNumber expected[] = {MakeDate(11, 1, 2027), MakeDate(12, 1, 2027), MakeDate(1, 1, 2028),
                                MakeDate(2, 1, 2028),  MakeDate(3, 1, 2028),  MakeDate(4, 1, 2028)};
  ASSERT_EQ(6, UsedLineCount(*t));
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(expected[i], t->lines[i].start) << i;
    EXPECT_EQ(1.5, t->lines[i].normalRate);
    EXPECT_EQ(kModeFactorSum, t->lines[i].mode);
    EXPECT_EQ(i >= 2 ? 366 : 365, t->lines[i].daysPerYear) << i;
  }
}

TEST(ExtendMonthly, KeepsCode100AndStopsAtFiveHundredLines) {
  auto t = TableOf({Line(MakeDate(1, 1, 1990), 1, 100)});
  ExtendMonthly(*t, MakeDate(1, 1, 2050));
  EXPECT_EQ(kMaxRateLines, UsedLineCount(*t));
  EXPECT_EQ(100, t->lines[499].daysPerYear);
  EXPECT_EQ(AddMonths(MakeDate(1, 1, 1990), 499), t->lines[499].start);

  auto onDate = TableOf({Line(MakeDate(1, 1, 1990))});
  ExtendMonthly(*onDate, MakeDate(1, 1, 1990));  // a line already starts on the date
  EXPECT_EQ(1, UsedLineCount(*onDate));
  RateTable empty;
  ExtendMonthly(empty, MakeDate(1, 1, 1990));
  EXPECT_EQ(0, UsedLineCount(empty));
}

TEST(TableNames, TheThreeFederalTests) {
  struct Case {
    const char* name;
    bool fed, federal, federalPrefix;
  };
  for (const Case& c : {Case{"FEDERAL", true, true, true}, Case{"federal", true, false, false},
                        Case{"Fed2", true, false, false}, Case{"FEDERAL2", true, false, true},
                        Case{"FEDERA", true, false, false}, Case{"STATE", false, false, false},
                        Case{"FE", false, false, false}, Case{"", false, false, false}}) {
    RateTable t;
    t.name = c.name;
    EXPECT_EQ(c.fed, TableNameBeginsWithFed(t)) << c.name;
    EXPECT_EQ(c.federal, TableNameIsFederal(t)) << c.name;
    EXPECT_EQ(c.federalPrefix, TableNameBeginsWithFederal(t)) << c.name;
  }
}

}  // namespace
}  // namespace zarvic
