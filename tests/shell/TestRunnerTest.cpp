#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "penalties/PenaltyRecord.h"
#include "problem/CTDoc.h"
#include "shell/BatchDataEntry.h"
#include "shell/TestRunner.h"
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

}  // namespace
}  // namespace zarvic
