#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "core/Paths.h"
#include "core/ScopedEnv.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "ratetables/BatchEdit.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableImage.h"
#include "ratetables/TableOperations.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::ReadFile;
using testing::TableImage;
using testing::TempFolder;
using testing::WriteFile;

const char* const kHeading = "Table,End,Start,Method,Normal,Motivated,Refund,Days,Description,Notes\n";
// The closing message of a run that dealt with every line, and of one that stopped at a line.
std::string Done(const char* counts) {
  return std::string("Batch-mode edit done. ") + counts + ".";
}
std::string Stopped(int line, const std::string& file, const char* counts) {
  return "Batch-mode edit stopped at line " + std::to_string(line) + " of " + file + ": " + counts +
         " before it; that line and the lines after it were not added.";
}

class BatchEditTest : public ::testing::Test {
 protected:
  BatchEditTest() : guard_(ui_) {}
  void SetUp() override { SetProgramFolder(program_.path()); }
  void TearDown() override { SetProgramFolder(""); }

  bool Run(const std::string& lines) {
    WriteFile(work_ / "edit.csv", kHeading + lines);
    return BatchEditTables(work_ / "edit.csv", tables_.path());
  }
  std::unique_ptr<RateTable> Table(const std::string& name) {
    auto t = std::make_unique<RateTable>();
    EXPECT_TRUE(LoadTable(*t, tables_ / name, false)) << name;
    return t;
  }

  RecordingUserInterface ui_;
  ScopedUserInterface guard_;
  TempFolder program_, tables_, work_;
};

const char* const kTwoLines =
    "STATE,12-31-1995,01-01-1995,Daily,9,10.8,8,365,State rates,First line\\nSecond line\n"
    "STATE,,07-01-1995,Monthly,8.5,10.2,7.5,365,,\n";

TEST_F(BatchEditTest, HeadingAndTwoLinesCreateATwoLineTable) {
  EXPECT_TRUE(Run(kTwoLines));
  EXPECT_EQ((std::vector<std::string>{Done("2 lines added; 0 duplicates not saved")}), ui_.Texts());
  EXPECT_EQ((std::vector<std::string>{"STATE.TB3"}), tables_.Entries());

  auto t = Table("STATE");
  ASSERT_EQ(2, UsedLineCount(*t));
  EXPECT_EQ((RateLine{MakeDate(1, 1, 1995), kModeDaily, 9, 10.8, 8, 365}), t->lines[0]);
  EXPECT_EQ((RateLine{MakeDate(7, 1, 1995), kModeMonthly, 8.5, 10.2, 7.5, 365}), t->lines[1]);
  EXPECT_EQ(MakeDate(12, 31, 1995), t->endDate);  // the second line's empty end date keeps it
  EXPECT_EQ("State rates", t->description);       // and its empty description and notes too
  EXPECT_EQ("First line\r\nSecond line", t->notes);
  EXPECT_EQ(0, t->vendorFlag);
  EXPECT_EQ(4, t->version);
}

TEST_F(BatchEditTest, SecondRunAsksAboutEveryDuplicate) {
  ASSERT_TRUE(Run(kTwoLines));
  const std::string before = ReadFile(tables_ / "STATE.TB3");
  ui_.messages.clear();
  ui_.defaultAnswer = Answer::No;
  EXPECT_TRUE(Run(kTwoLines));
  const RecordingUserInterface::Message question{"Duplicating entry in table STATE.  Save anyway?",
                                                 MessageKind::YesNo};
  ASSERT_EQ(3u, ui_.messages.size());
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(question.text, ui_.messages[i].text);
    EXPECT_EQ(question.kind, ui_.messages[i].kind);
  }
  EXPECT_EQ(Done("0 lines added; 2 duplicates not saved"), ui_.messages[2].text);
  EXPECT_EQ(before, ReadFile(tables_ / "STATE.TB3"));

  ui_.messages.clear();
  ui_.answers = {Answer::Yes, Answer::No};
  EXPECT_TRUE(Run(kTwoLines));
  EXPECT_EQ(3, UsedLineCount(*Table("STATE")));
}

TEST_F(BatchEditTest, StderrInterfaceAnswersNoWithoutATerminal) {
  ASSERT_TRUE(Run(kTwoLines));
  const std::string before = ReadFile(tables_ / "STATE.TB3");
  StderrUserInterface stderrUi(false);
  ScopedUserInterface useStderr(stderrUi);
  std::ostringstream captured;
  auto* saved = std::cerr.rdbuf(captured.rdbuf());
  bool ok = Run(kTwoLines);
  std::cerr.rdbuf(saved);
  EXPECT_TRUE(ok);
  EXPECT_NE(std::string::npos, captured.str().find("Duplicating entry in table STATE.  Save anyway?"));
  EXPECT_NE(std::string::npos, captured.str().find("answered No"));
  EXPECT_EQ(before, ReadFile(tables_ / "STATE.TB3"));
}

TEST(ModeFromText, SearchOrderDecides) {
  struct Case {
    const char* text;
    int mode;
  };
  for (const Case& c :
       {Case{"Monthly", 3}, Case{"MonthlyWM", 5}, Case{"Monthly whole months", 3}, Case{"monthlywm", 5},
        Case{"Daily", 2}, Case{"simple", 1}, Case{"Old IRS Method", 0}, Case{"IRS", 0}, Case{"FactorSum", 4},
        Case{"Simple daily", 1}, Case{"Daily monthly", 2}, Case{"compound", -1}, Case{"", -1}}) {
    EXPECT_EQ(c.mode, ModeFromText(c.text)) << c.text;
  }
}

TEST(SplitBatchFields, QuotesAndCommas) {
  using V = std::vector<std::string>;
  EXPECT_EQ((V{"a", "", "b"}), SplitBatchFields("a,,b"));
  EXPECT_EQ((V{"a", "x, y", " c "}), SplitBatchFields("a,\"x, y\", c "));
  EXPECT_EQ((V{"a", "x"}), SplitBatchFields("a,\"x\"tail"));
  EXPECT_EQ((V{"a", "open, quote"}), SplitBatchFields("a,\"open, quote"));
  EXPECT_EQ((V{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}),
            SplitBatchFields("1,2,3,4,5,6,7,8,9,10,11,12"));
  EXPECT_EQ((V{""}), SplitBatchFields(""));
  EXPECT_EQ((V{"a", ""}), SplitBatchFields("a,"));
}

const char* const kBadName =
    "Invalid table name: a table name is a file name in the table folder, without a folder.";
const char* const kBadRate = "Invalid rate: the rates are numbers of percent, not negative (e.g. 7 or 8.25).";

TEST_F(BatchEditTest, EachInvalidLineStopsTheRunWithItsMessage) {
  struct Case {
    const char* line;
    const char* error;
  };
  const Case cases[] = {
      {"BAD,,13-01-1995,Daily,9,10.8,8,365,,", "Invalid start date."},
      {"BAD,,,Daily,9,10.8,8,365,,", "Invalid start date."},
      {"BAD,,01-01-1995,Compound,9,10.8,8,365,,", "Invalid compound method."},
      {"BAD,,01-01-1995,Daily,9,10.8,8,360,,", "Invalid days per year."},
      {"BAD,,01-01-1995,Daily,9,10.8,8,,,", "Invalid days per year."},
      {",,01-01-1995,Daily,9,10.8,8,365,,", "Missing table name."},
      // Regression: a name with a folder wrote outside the table folder; rates that are no numbers
      // became 0.00 and negative rates were taken.
      {"../x,,01-01-1995,Daily,9,10.8,8,365,,", kBadName},
      {"sub/x,,01-01-1995,Daily,9,10.8,8,365,,", kBadName},
      {"..,,01-01-1995,Daily,9,10.8,8,365,,", kBadName},
      {"BAD,,01-01-1995,Daily,abc,10.8,8,365,,", kBadRate},
      {"BAD,,01-01-1995,Daily,9,-5,8,365,,", kBadRate},
      {"BAD,,01-01-1995,Daily,9,10.8,,365,,", kBadRate},
      {"BAD,,01-01-1995,Daily,9,10.8,1e2,365,,", kBadRate},
      {"BAD,,01-01-1995,Daily,9%,10.8,8,365,,", kBadRate},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ui_.messages.clear();
    std::string lines = std::string("GOOD,,01-01-1995,Daily,9,10.8,8,365,,\n") + c.line +
                        "\r\nLATER,,01-01-1995,Daily,9,10.8,8,365,,\n";
    EXPECT_FALSE(Run(lines));
    const std::string file = work_ / "edit.csv";
    EXPECT_EQ((std::vector<std::string>{file + ":3: " + c.error + "\n" + c.line,
                                        Stopped(3, file, "1 line added; 0 duplicates not saved")}),
              ui_.Texts());
    EXPECT_EQ((std::vector<std::string>{"GOOD.TB3"}), tables_.Entries());  // lines before it stay
    EXPECT_FALSE(std::filesystem::exists(tables_ / "../x.TB3"));
    std::filesystem::remove(tables_ / "GOOD.TB3");
  }
}

TEST_F(BatchEditTest, SkippedLinesQuotedFieldsAndQuarterDays) {
  EXPECT_TRUE(
      Run("\n,,,,\n*** a comment, with commas\n"
          "Q,bad date,01-01-1996,\"Daily, compounded\",8,9.6,7, 365.25,\"Rates, 1996\",\n"
          "Q,06-30-1996,04-01-1996,old irs,+8.5, 0 ,7,366trailing,,\n"));
  EXPECT_EQ((std::vector<std::string>{Done("2 lines added; 0 duplicates not saved")}), ui_.Texts());
  auto t = Table("Q");
  ASSERT_EQ(2, UsedLineCount(*t));
  EXPECT_EQ((RateLine{MakeDate(1, 1, 1996), kModeDaily, 8, 9.6, 7, 100}), t->lines[0]);
  // A rate may have a sign and blanks; the days per year are read as the C library reads them.
  EXPECT_EQ((RateLine{MakeDate(4, 1, 1996), kModeOldIrs, 8.5, 0, 7, 366}), t->lines[1]);
  EXPECT_EQ("Rates, 1996", t->description);
  EXPECT_EQ(MakeDate(6, 30, 1996), t->endDate);
  EXPECT_EQ(5, t->version);
}

TEST_F(BatchEditTest, ExistingTableGetsTheLineAtItsEnd) {
  TableImage image;
  image.description = "existing";
  image.endDate = MakeDate(12, 31, 1990);
  image.notes = "kept";
  image.lines = {{MakeDate(1, 1, 1990), kModeSimple, 11, 13.2, 11, 365}};
  WriteFile(tables_ / "OLD.TB3", image.File());
  EXPECT_TRUE(Run("OLD,,01-01-1989,Daily,10,12,10,365,,\n"));
  auto t = Table("OLD");
  ASSERT_EQ(2, UsedLineCount(*t));
  EXPECT_EQ(MakeDate(1, 1, 1989), t->lines[1].start);  // appended, not sorted in
  EXPECT_EQ("existing", t->description);
  EXPECT_EQ("kept", t->notes);
  EXPECT_EQ(MakeDate(12, 31, 1990), t->endDate);
}

// As -B runs it: tables go to the user's table folder (made on the first write), a shipped table of
// the same name is copied there before the line is added, and the program's folder is never written.
TEST_F(BatchEditTest, ShippedTablesAreCopiedIntoTheUserTableFolder) {
  TempFolder data;
  testing::ScopedEnv env("XDG_DATA_HOME", data.path());
  TableImage image;
  image.description = "shipped";
  image.lines = {{MakeDate(1, 1, 1990), kModeSimple, 11, 13.2, 11, 365}};
  WriteFile(program_ / "FEDERAL.TB3", image.File());
  const std::string shipped = ReadFile(program_ / "FEDERAL.TB3");
  WriteFile(work_ / "edit.csv", std::string(kHeading) + "FEDERAL,,01-01-1991,Daily,10,12,10,365,,\n" +
                                    "NEWONE,,01-01-1991,Daily,7,8.4,6,365,,\n");
  const std::string folder = UserTableFolder();
  EXPECT_EQ(data / "Orlendt Software/Zarvic/Tables", folder);
  EXPECT_TRUE(BatchEditTables(work_ / "edit.csv", folder, ProgramFolder()));

  EXPECT_EQ((std::vector<std::string>{"FEDERAL.TB3"}), program_.Entries());
  EXPECT_EQ(shipped, ReadFile(program_ / "FEDERAL.TB3"));
  auto federal = std::make_unique<RateTable>();
  ASSERT_TRUE(LoadTable(*federal, JoinPath(folder, "FEDERAL.TB3"), false));
  ASSERT_EQ(2, UsedLineCount(*federal));
  EXPECT_EQ(MakeDate(1, 1, 1990), federal->lines[0].start);  // the shipped line, then the new one
  EXPECT_EQ(MakeDate(1, 1, 1991), federal->lines[1].start);
  EXPECT_EQ("shipped", federal->description);
  EXPECT_EQ("FEDERAL", federal->name);
  auto added = std::make_unique<RateTable>();
  ASSERT_TRUE(LoadTable(*added, JoinPath(folder, "NEWONE.TB3"), false));
  EXPECT_EQ(1, UsedLineCount(*added));
}

TEST_F(BatchEditTest, UnreadableOrFullTablesAreLeftAlone) {
  WriteFile(tables_ / "DAMAGED.TB3", std::string(100, '\x03'));
  EXPECT_FALSE(Run("DAMAGED,,01-01-1995,Daily,9,10.8,8,365,,\n"));
  EXPECT_EQ(std::string(100, '\x03'), ReadFile(tables_ / "DAMAGED.TB3"));
  ASSERT_EQ(2u, ui_.messages.size());
  EXPECT_EQ(work_ / "edit.csv" +
                ":2: The table DAMAGED cannot be read; it was left unchanged.\nDAMAGED,,01-01-1995,Daily,9,10.8,8,365,,",
            ui_.messages[0].text);

  TableImage newer;
  newer.version = 6;
  WriteFile(tables_ / "NEWER.TB3", newer.File());
  ui_.messages.clear();
  EXPECT_FALSE(Run("NEWER,,01-01-1995,Daily,9,10.8,8,365,,\n"));
  EXPECT_EQ((std::vector<std::string>{std::string(StringText(20001)),
                                      Stopped(2, work_ / "edit.csv", "0 lines added; 0 duplicates not saved")}),
            ui_.Texts());
  EXPECT_EQ(newer.File(), ReadFile(tables_ / "NEWER.TB3"));

  auto full = std::make_unique<RateTable>();
  for (int i = 0; i < kMaxRateLines; ++i)
    full->lines[i] = {AddDays(MakeDate(1, 1, 1980), i), 2, 1, 1, 1, 365};
  ASSERT_TRUE(SaveTable(*full, tables_ / "FULL"));
  const std::string before = ReadFile(tables_ / "FULL.TB3");
  ui_.messages.clear();
  EXPECT_FALSE(Run("FULL,,01-01-2000,Daily,9,10.8,8,365,,\n"));
  EXPECT_EQ(work_ / "edit.csv" +
                ":2: The table FULL already has 500 lines; no line can be added.\nFULL,,01-01-2000,Daily,9,10.8,8,365,,",
            ui_.messages[0].text);
  EXPECT_EQ(before, ReadFile(tables_ / "FULL.TB3"));
}

TEST_F(BatchEditTest, FileNameProblems) {
  for (const char* name : {"", "  ", "\"\"", " \" \" "}) {
    ui_.messages.clear();
    EXPECT_FALSE(BatchEditTables(name, tables_.path())) << name;
    EXPECT_EQ((std::vector<std::string>{"Expected batch file name missing."}), ui_.Texts());
  }
  ui_.messages.clear();
  EXPECT_FALSE(BatchEditTables(work_ / "missing.csv", tables_.path()));
  EXPECT_EQ((std::vector<std::string>{"Batch file open failed with error 2 (" + (work_ / "missing.csv") +
                                      ": No such file or directory)"}),
            ui_.Texts());
  // Regression: a folder named as the file was read as an empty file and the run reported success.
  ui_.messages.clear();
  EXPECT_FALSE(BatchEditTables(work_.path(), tables_.path()));
  EXPECT_EQ((std::vector<std::string>{"Batch file open failed with error 21 (" + work_.path() +
                                      ": Is a directory)"}),
            ui_.Texts());

  // Quotes and blanks around the name are removed.
  WriteFile(work_ / "edit.csv", std::string(kHeading) + "T,,01-01-1995,Daily,9,10.8,8,365,,\n");
  ui_.messages.clear();
  EXPECT_TRUE(BatchEditTables(" \"" + (work_ / "edit.csv") + "\" ", tables_.path()));
  EXPECT_EQ((std::vector<std::string>{Done("1 line added; 0 duplicates not saved")}), ui_.Texts());
  EXPECT_EQ((std::vector<std::string>{"T.TB3"}), tables_.Entries());
}

}  // namespace
}  // namespace zarvic
