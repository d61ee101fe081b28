#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/FolderIndex.h"
#include "core/Paths.h"
#include "core/UserInterface.h"
#include "penalties/PenaltyRecord.h"
#include "problem/CTDoc.h"
#include "problem/ProblemFile.h"
#include "ratetables/TableFile.h"
#include "shell/BatchDataEntry.h"
#include "shell/TestRunner.h"
#include "support/LookupCounter.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using V = std::vector<std::string>;

TEST(TestFolderFiles, OldGenerationFirstThenByName) {
  testing::TempFolder folder;
  for (const char* name : {"b.zr3", "A.ZR3", "C.ZR2", "a.ZR2", "notes.txt", "ZR3", "D.ZR3.bak"})
    testing::WriteFile(folder / name, "");
  std::filesystem::create_directory(folder / "E.ZR3");  // a folder is no problem file
  EXPECT_EQ((V{"C.ZR2", "a.ZR2", "A.ZR3", "b.zr3"}), TestFolderFiles(folder.path()));
  EXPECT_EQ(V{}, TestFolderFiles(folder / "missing"));
}

TEST(ParseTestListLine, ProblemOutputAndComments) {
  struct Case {
    const char* line;
    bool comment;
    const char* problem;
    const char* output;
  };
  const Case cases[] = {
      {"B.ZR3", false, "B.ZR3", "B.TXT"},
      {"  /t/case.v2/B  ", false, "/t/case.v2/B", "/t/case.v2/B.TXT"},
      {"\"my cases/B.ZR3\"\tout.txt extra", false, "my cases/B.ZR3", "out.txt"},
      {";B.ZR3", true, "", ""},
      {"  ; a comment", true, "", ""},
      {"", true, "", ""},
      {" \t ", true, "", ""},
  };
  for (const Case& c : cases) {
    TestListEntry entry = ParseTestListLine(c.line);
    EXPECT_EQ(c.comment, entry.comment) << c.line;
    EXPECT_EQ(c.problem, entry.problemPath) << c.line;
    EXPECT_EQ(c.output, entry.outputPath) << c.line;
  }
}

TEST(ReportPathForInput, BesideTheInputWithTheReportExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"CASE.TXT", "CASE.rpt"},
      {"CASE", "CASE.rpt"},
      {"/data/in.v2/CASE", "/data/in.v2/CASE.rpt"},  // a dot in a folder name is no extension
      {"../CASE", "../CASE.rpt"},
      {"/data/CASE.input.txt", "/data/CASE.input.rpt"},
  };
  for (const auto& [input, report] : cases) EXPECT_EQ(report, ReportPathForInput(input)) << input;
}

// Charges and active penalties and every interest total, less the payments, deposits and credits.
TEST(BalanceDue, ChargesPenaltiesAndInterestLessPayments) {
  auto doc = std::make_unique<CTDoc>();
  const std::pair<std::uint16_t, double> events[] = {
      {kEventTax, 100000},   {kEventMotivatedTax, 20000}, {kEventPenalty, 3000},
      {kEventDebit, 400},    {kEventIrsCheck, 5000},      {kEventPayment, 30000},
      {kEventDeposit, 6000}, {kEventCredit, 700},         {kEventStopInterest, 0}};
  for (std::size_t i = 0; i < std::size(events); ++i) {
    doc->m_events[i].m_type = events[i].first;
    doc->m_events[i].m_date = MakeDate(4, 15, 95);
    doc->m_events[i].m_amount = events[i].second;
  }
  doc->m_events[20].m_type = kEventTax;  // after the end of the list: not counted
  doc->m_events[20].m_amount = 1e9;
  doc->m_penalties[1].m_flags = PEN_ACTIVE;
  doc->m_penaltyResults.PenaltyAmount[1] = 800;
  doc->m_penaltyResults.PenaltyAmount[2] = 90000;  // not active
  doc->m_compute.m_normalInterestTotal = 10;
  doc->m_compute.m_motivatedInterestTotal = 20;
  doc->m_penaltyResults.PenaltyInterestTotal = 40;
  doc->m_compute.m_refundInterestTotal = -80;
  doc->m_compute.m_gattInterestTotal = -160;
  EXPECT_EQ(100000 + 20000 + 3000 + 400 + 5000 - 30000 - 6000 - 700 + 800 + 10 + 20 + 40 - 80 - 160,
            BalanceDue(*doc));
}

// "-TS" runs in the problem folder, as a user starts it; the shipped table and the templates lie in
// the program's folder.
class TestFolderRun : public ::testing::Test {
 protected:
  TestFolderRun() : quiet_(ui_) { SetProgramFolder(ZARVIC_BINARY_DIR); }
  ~TestFolderRun() override { SetProgramFolder(""); }

  // A tax of cents due 04-15-95, computed to computeDate, naming the table table.
  static std::string Problem(double cents, const std::string& table, const char* computeDate = "04-15-97") {
    auto doc = std::make_unique<CTDoc>();
    EXPECT_TRUE(LoadTable(doc->m_rateTable, kFederal, false));
    doc->m_rateTable.name = table;
    doc->m_events[0].m_type = kEventTax;
    doc->m_events[0].m_date = MakeDate(4, 15, 1995);
    doc->m_events[0].m_amount = doc->m_events[0].m_gattAmount = cents;
    doc->m_computeDate = ParseDate(computeDate);
    return WriteProblem(*doc);
  }
  void CopyFederalTable(const std::string& name) {
    std::filesystem::copy_file(kFederal, folder_ / name, std::filesystem::copy_options::overwrite_existing);
  }
  BatchOutcome Run() {
    testing::ScopedCurrentFolder cd(folder_.path());
    err_.str("");
    return RunTestFolder(*problem_, ".", err_);
  }

  static constexpr char kFederal[] = ZARVIC_BINARY_DIR "/FEDERAL.TB3";
  RecordingUserInterface ui_;
  ScopedUserInterface quiet_;
  testing::TempFolder folder_;
  std::unique_ptr<CTDoc> problem_ = std::make_unique<CTDoc>();
  std::ostringstream err_;
};

// Regression: every problem listed the folder about six times and read the table three times, so a
// run took time with the square of the folder.
TEST_F(TestFolderRun, ListsTheFolderOnceAndReadsEachTableOnceWhateverItsSize) {
  CopyFederalTable("Rates.tb3");  // found for "Rates" only through the look-up without case
  std::string first;
  for (int count : {3, 80}) {
    for (int i = 0; i < count; ++i)
      testing::WriteFile(folder_ / ("P" + std::to_string(i) + ".ZR3"), Problem(100000.0 + i, "Rates"));
    testing::LookupCounter counter;
    EXPECT_EQ(BatchOutcome::Done, Run()) << err_.str();
    EXPECT_EQ((std::map<std::string, int>{{".", 1}}), counter.listed) << count;
    EXPECT_EQ((std::map<std::string, int>{{"Rates.tb3", 1}, {kFederal, 1}}), counter.read) << count;
    EXPECT_EQ(static_cast<std::size_t>(2 * count + 1), folder_.Entries().size());
    if (first.empty()) first = testing::ReadFile(folder_ / "P0.TS");
    EXPECT_EQ(first, testing::ReadFile(folder_ / "P0.TS"));
  }
  EXPECT_NE("100000.000000", first);  // two years of interest
}

TEST_F(TestFolderRun, ReadsATableChangedBetweenTwoProblemsAgain) {
  CopyFederalTable("RATES.TB3");
  testing::WriteFile(folder_ / "A.ZR3", Problem(100000.0, "RATES"));
  testing::WriteFile(folder_ / "B.ZR3", Problem(100000.0, "RATES"));
  auto doubled = std::make_unique<RateTable>();
  ASSERT_TRUE(LoadTable(*doubled, kFederal, false));
  for (RateLine& line : doubled->lines) line.normalRate *= 2;

  testing::LookupCounter counter;
  counter.whileRead = [&](const std::string& path) {
    // A's table has just been read: the table is saved anew before B is read.
    if (path == "RATES.TB3" && counter.read[path] == 1) {
      EXPECT_TRUE(SaveTable(*doubled, "RATES.TB3"));
    }
  };
  EXPECT_EQ(BatchOutcome::Done, Run()) << err_.str();
  EXPECT_EQ(2, counter.read["RATES.TB3"]);
  const std::string a = testing::ReadFile(folder_ / "A.TS");
  const std::string b = testing::ReadFile(folder_ / "B.TS");
  EXPECT_NE(a, b);

  counter.whileRead = nullptr;
  EXPECT_EQ(BatchOutcome::Done, Run()) << err_.str();
  EXPECT_EQ(b, testing::ReadFile(folder_ / "A.TS"));  // B was computed with the new table
  EXPECT_EQ(b, testing::ReadFile(folder_ / "B.TS"));
}

// Regression: a problem whose table was missing got a balance without interest, with exit status 0,
// and a problem unreadable this time kept the result of an earlier run.
TEST_F(TestFolderRun, WritesAResultOnlyForAProblemReadAndComputedCompletely) {
  testing::WriteFile(folder_ / "GOOD.ZR3", Problem(100000.0, "FEDERAL"));
  testing::WriteFile(folder_ / "NOTABLE.ZR3", Problem(100000.0, "NOSUCH"));
  testing::WriteFile(folder_ / "NOTABLE.TS", "100000.000000");
  testing::WriteFile(folder_ / "DAMAGED.ZR3", "not a problem file");
  testing::WriteFile(folder_ / "DAMAGED.TS", "2500.000000");
  testing::WriteFile(folder_ / "EARLY.ZR3", Problem(100000.0, "FEDERAL", "01-01-95"));  // before the tax
  EXPECT_EQ(BatchOutcome::Failed, Run());
  EXPECT_EQ((std::vector<std::string>{"DAMAGED.ZR3", "EARLY.ZR3", "GOOD.TS", "GOOD.ZR3", "NOTABLE.ZR3"}),
            folder_.Entries());
  EXPECT_EQ(
      "wzrv: DAMAGED.ZR3 cannot be read: the file ends inside the header; no result file (the earlier "
      "result DAMAGED.TS was removed)\n"
      "wzrv: EARLY.ZR3 cannot be computed with the rate table \"FEDERAL\"; no result file\n"
      "wzrv: NOTABLE.ZR3 cannot be computed: its rate table \"NOSUCH\" cannot be found; no result file (the "
      "earlier result NOTABLE.TS was removed)\n",
      err_.str());
  EXPECT_TRUE(ui_.Saw("Can't find the interest rate table that was used with this file (NOSUCH)."))
      << err_.str();

  // A file that cannot be read fails the run on its own too, named with what is wrong with it.
  std::filesystem::remove(folder_ / "NOTABLE.ZR3");
  std::filesystem::remove(folder_ / "EARLY.ZR3");
  EXPECT_EQ(BatchOutcome::Failed, Run());
  EXPECT_EQ("wzrv: DAMAGED.ZR3 cannot be read: the file ends inside the header; no result file\n", err_.str());
}

}  // namespace
}  // namespace zarvic
