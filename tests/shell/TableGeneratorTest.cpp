#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Paths.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableOperations.h"
#include "shell/TableGenerator.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::TempFolder;
using testing::WriteFile;
using V = std::vector<std::string>;

struct L {
  const char* date;
  int mode;
};

class TableGeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramFolder(program_.path());  // no FEDERAL.TB3: the generator needs none
    savedLoader_ = SetTableLoader([](RateTable&, const std::string&) { return false; });
    ResetFederalTableWarning();
  }
  void TearDown() override {
    SetTableLoader(savedLoader_);
    SetProgramFolder("");
    ResetFederalTableWarning();
  }

  // Runs a script of the given lines, with OUTDIR set to the output folder first.
  bool Run(const std::string& lines) {
    WriteFile(work_ / "script.txt", "OUTDIR=" + out_.path() + "\n" + lines);
    return GenerateTables(work_ / "script.txt", listing_);
  }
  std::unique_ptr<RateTable> Table(const std::string& name) {
    auto t = std::make_unique<RateTable>();
    EXPECT_TRUE(LoadTable(*t, out_ / name, false)) << name;
    return t;
  }
  // Messages after the first (19207: the new problem finds no federal table).
  V Messages() const {
    V texts = ui_.Texts();
    if (!texts.empty() && texts[0] == "No Federal Table Found") texts.erase(texts.begin());
    return texts;
  }

  static void ExpectLines(const std::vector<L>& expected, const RateTable& t, double rate) {
    ASSERT_EQ(static_cast<int>(expected.size()), UsedLineCount(t));
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const RateLine& line = t.lines[i];
      EXPECT_EQ(ParseDate(expected[i].date), line.start) << i;
      EXPECT_EQ(expected[i].mode, line.mode) << i;
      EXPECT_EQ(rate, line.normalRate) << i;
      EXPECT_EQ(rate, line.motivatedRate) << i;
      EXPECT_EQ(rate, line.refundRate) << i;
    }
  }

  RecordingUserInterface ui_;
  ScopedUserInterface scopedUi_{ui_};
  TempFolder program_, work_, out_;
  V listed_;  // table name and listing path of every listing asked for
  TableListing listing_ = [this](CTDoc& problem, const std::string& path) {
    listed_.push_back(problem.m_rateTable.name + " " + path);
    return true;
  };

 private:
  TableLoader savedLoader_;
};

const char kQuarterly[] = "TABLESTART=01-01-95 TABLEEND=01-01-96 FREQUENCY=QUARTERLY RATE=8\n";

TEST_F(TableGeneratorTest, QuarterlyDailyTableAndItsListing) {
  ASSERT_TRUE(Run(std::string(kQuarterly) + "NAME=Q95 DESC=\"Quarterly 1995\" METHOD=DAILY GO=1\n"));
  EXPECT_EQ(V{}, Messages());
  auto t = Table("Q95.TB3");
  ExpectLines({{"01-01-95", 2}, {"04-01-95", 2}, {"07-01-95", 2}, {"10-01-95", 2}}, *t, 8.0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(365, t->lines[i].daysPerYear);
  EXPECT_EQ(MakeDate(1, 1, 96), t->endDate);
  EXPECT_EQ("Quarterly 1995", t->description);
  EXPECT_EQ(V{"Q95 " + (out_ / "Q95.TXT")}, listed_);
}

TEST_F(TableGeneratorTest, AlternatingMethodsRepeatEachLaterDate) {
  for (const char* method : {"PQUARTERLY", "pmonthly"}) {
    ui_.defaultAnswer = Answer::Yes;
    ASSERT_TRUE(Run(std::string(kQuarterly) + "NAME=P METHOD=" + method + "\nGO\n")) << method;
    ExpectLines({{"01-01-95", 1},
                 {"04-01-95", 2},
                 {"04-01-95", 1},
                 {"07-01-95", 2},
                 {"07-01-95", 1},
                 {"10-01-95", 2},
                 {"10-01-95", 1}},
                *Table("P.TB3"), 8.0);
  }
}

TEST_F(TableGeneratorTest, FrequenciesAndDaysPerYear) {
  struct Case {
    const char* script;
    std::vector<L> lines;
    std::vector<int> days;
  };
  const Case cases[] = {
      {"TABLESTART=07-01-95 TABLEEND=12-31-99 FREQUENCY=ONEENTRY", {{"07-01-95", 3}}, {365}},
      {"TABLESTART=02-29-96 TABLEEND=03-01-99 FREQUENCY=annual",
       {{"02-29-96", 3}, {"02-28-97", 3}, {"02-28-98", 3}, {"02-28-99", 3}},
       {366, 365, 365, 365}},
      {"TABLESTART=11-30-99 TABLEEND=03-01-00 FREQUENCY=MONTH",
       {{"11-30-99", 3}, {"12-31-99", 3}, {"01-31-00", 3}, {"02-29-00", 3}},
       {365, 365, 366, 366}},
  };
  for (const Case& c : cases) {
    ui_.defaultAnswer = Answer::Yes;
    ASSERT_TRUE(Run(std::string(c.script) + " NAME=F METHOD=MONTHLY RATE=7.125 GO=now\n")) << c.script;
    auto t = Table("F.TB3");
    ExpectLines(c.lines, *t, 7.125);
    for (std::size_t i = 0; i < c.days.size(); ++i) EXPECT_EQ(c.days[i], t->lines[i].daysPerYear) << c.script;
  }
}

TEST_F(TableGeneratorTest, SettingsPersistAcrossLinesAndTables) {
  ASSERT_TRUE(
      Run("// two tables from one set of dates\n"
          "TABLESTART=01-01-95\nTABLEEND=01-01-96\nFREQUENCY=QUARTERLY\n"
          "NAME=A METHOD=SIMPLE RATE=6 GO=1\n"
          "NAME=B.OLD METHOD=MonthlyWM RATE=9 GO=1\n"));
  ExpectLines({{"01-01-95", 1}, {"04-01-95", 1}, {"07-01-95", 1}, {"10-01-95", 1}}, *Table("A.TB3"), 6.0);
  ExpectLines({{"01-01-95", 5}, {"04-01-95", 5}, {"07-01-95", 5}, {"10-01-95", 5}}, *Table("B.TB3"), 9.0);
  EXPECT_EQ((V{"A " + (out_ / "A.TXT"), "B " + (out_ / "B.TXT")}), listed_);
}

TEST_F(TableGeneratorTest, BadSettingsEndTheRun) {
  struct Case {
    std::string script;
    std::string message;
  };
  const std::string dir = work_ / "no such folder";
  WriteFile(work_ / "a file", "");
  const Case cases[] = {
      {"OUTDIR=\"" + dir + "\" NAME=X GO=1", "Directory \"" + dir + "\" does not exist - please create it."},
      {"OUTDIR=\"" + (work_ / "a file") + "\"",
       "Directory \"" + (work_ / "a file") + "\" does not exist - please create it."},
      {"TABLESTART=13-01-95 GO=1", "Invalid table start date \"13-01-95\""},
      {"TABLEEND=soon", "Invalid table end date \"soon\""},
      {"FREQUENCY=WEEKLY", "Undefined frequency \"WEEKLY\""},
      {"METHOD=Weekly", "Undefined compound method \"Weekly\""},
      {"RATE=eight", "Invalid rate \"eight\""},
      {"RAET=8", "Undefined key \"RAET\""},
      {"NAME=X GO=1", "GO without TABLESTART, TABLEEND, FREQUENCY, METHOD, RATE: give them before GO."},
      {"TABLESTART=01-01-96 TABLEEND=01-01-95 FREQUENCY=MONTH METHOD=DAILY RATE=8 NAME=X GO=1",
       "Table \"" + (out_ / "X.TB3") + "\" would have no line: TABLESTART is not before TABLEEND."},
      {"TABLESTART=01-01-55 TABLEEND=01-01-99 FREQUENCY=MONTH METHOD=DAILY RATE=8 NAME=X GO=1",
       "Table \"" + (out_ / "X.TB3") + "\" would need more than 500 lines; it was not written."},
  };
  for (const Case& c : cases) {
    ui_.messages.clear();
    EXPECT_FALSE(Run(c.script + "\nTABLESTART=01-01-95 TABLEEND=01-01-96 FREQUENCY=QUARTERLY "
                                "METHOD=DAILY RATE=8 NAME=LATER GO=1\n"))
        << c.script;
    EXPECT_EQ(V{c.message}, Messages()) << c.script;
  }
  EXPECT_EQ(V{}, out_.Entries());  // nothing after the bad setting was generated
}

TEST_F(TableGeneratorTest, MalformedLinesAreReportedAndSkipped) {
  EXPECT_FALSE(Run(std::string(kQuarterly) + "METHOD=DAILY NAME=\"GOOD GO=1\n"
                                             "NAME=OK GO=1\n"
                                             "RATE 9 GO=1\n"));
  EXPECT_EQ((V{"Mismatched quotes",
               "Expected KEY=VALUE, found \"RATE\"; the rest of the line is ignored:\nRATE 9 GO=1"}),
            Messages());
  EXPECT_EQ(V{"OK.TB3"}, out_.Entries());  // the listing is faked here
}

TEST_F(TableGeneratorTest, ExistingTableIsReplacedOnlyWhenAgreed) {
  const std::string script = std::string(kQuarterly) + "NAME=T METHOD=DAILY GO=1\n";
  ASSERT_TRUE(Run(script));
  const std::string before = testing::ReadFile(out_ / "T.TB3");

  ui_.messages.clear();
  ui_.defaultAnswer = Answer::No;
  EXPECT_FALSE(Run(std::string(kQuarterly) + "NAME=T METHOD=SIMPLE GO=1\n"));
  EXPECT_EQ(V{"File \"" + (out_ / "T.TB3") + "\" exists.  OK to replace?"}, Messages());
  EXPECT_EQ(MessageKind::YesNo, ui_.messages.back().kind);
  EXPECT_EQ(before, testing::ReadFile(out_ / "T.TB3"));

  ui_.defaultAnswer = Answer::Yes;
  EXPECT_TRUE(Run(std::string(kQuarterly) + "NAME=T METHOD=SIMPLE GO=1\n"));
  EXPECT_EQ(kModeSimple, Table("T.TB3")->lines[0].mode);
}

TEST_F(TableGeneratorTest, TableWhoseExtensionDiffersInCaseIsAskedAbout) {
  WriteFile(out_ / "T.tb3", "old");
  ui_.defaultAnswer = Answer::No;
  EXPECT_FALSE(Run(std::string(kQuarterly) + "NAME=T METHOD=DAILY GO=1\n"));
  EXPECT_EQ(V{"File \"" + (out_ / "T.tb3") + "\" exists.  OK to replace?"}, Messages());
  EXPECT_EQ((V{"T.tb3"}), out_.Entries());
}

TEST_F(TableGeneratorTest, ScriptThatCannotBeOpened) {
  EXPECT_FALSE(GenerateTables("\" " + (work_ / "missing.txt") + " \"", listing_));
  EXPECT_EQ(V{"Failed to open file \"" + (work_ / "missing.txt") + "\""}, Messages());
  ui_.messages.clear();
  EXPECT_FALSE(GenerateTables("", listing_));
  EXPECT_EQ(V{"Failed to open file \"\""}, Messages());
}

TEST_F(TableGeneratorTest, ListingFailureFailsTheRun) {
  listing_ = [](CTDoc&, const std::string&) { return false; };
  EXPECT_FALSE(Run(std::string(kQuarterly) + "NAME=T METHOD=DAILY GO=1\nNAME=U GO=1\n"));
  EXPECT_EQ(V{"T.TB3"}, out_.Entries());
}

}  // namespace
}  // namespace zarvic
