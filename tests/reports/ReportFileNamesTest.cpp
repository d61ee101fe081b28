#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "core/Settings.h"
#include "reports/ReportFileNames.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

TEST(SuggestedReportFile, NamesTheProblemAndTheReportInTheFolderLastUsed) {
  testing::TempFolder folder;
  std::filesystem::create_directories(folder / "cases");
  std::filesystem::create_directories(folder / "exports");
  testing::WriteFile(folder / "cases/LATE.ZR3", "x");
  struct Case {
    std::string problem;
    std::string last;
    std::string expected;
  };
  const std::string report = "Interest and Penalty Detail";
  const Case cases[] = {
      {folder / "cases/LATE.ZR3", folder / "exports", folder / "exports/LATE - " + report + ".xlsx"},
      {folder / "cases/LATE.ZR3", "", folder / "cases/LATE - " + report + ".xlsx"},
      // A folder that is gone since it was used is passed over.
      {folder / "cases/LATE.ZR3", folder / "gone", folder / "cases/LATE - " + report + ".xlsx"},
      {"", "", folder / "fallback/Untitled - " + report + ".xlsx"},
      {folder / "gone/case.v2.zr3", "", folder / "fallback/case.v2 - " + report + ".xlsx"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, SuggestedReportFile(c.problem, report, ".xlsx", c.last, folder / "fallback"))
        << c.problem << " " << c.last;
  }
  EXPECT_EQ("/f/Untitled - B-C.pdf", SuggestedReportFile("", "B/C", ".pdf", "", "/f"));
}

TEST(ReportRunName, NamesTheOneReportChosenElseReports) {
  struct Case {
    std::vector<bool ReportSettings::*> chosen;
    std::string name;
  };
  const Case cases[] = {
      {{&ReportSettings::interestAndPenaltyDetail}, "Interest and Penalty Detail"},
      {{&ReportSettings::interestDetailWithFactors}, "Interest Detail with Factors"},
      {{&ReportSettings::rateTable}, "Interest Rate Table"},
      {{&ReportSettings::interestAndPenaltyDetail, &ReportSettings::monthlyAccrual}, "Reports"},
      {{}, "Reports"},
  };
  for (const Case& c : cases) {
    ReportSettings options;
    for (auto member : c.chosen) options.*member = true;
    EXPECT_EQ(c.name, ReportRunName(options));
    EXPECT_EQ(c.name + " - Jordan A. Whitfield", ReportDocumentTitle(options, " Jordan A. Whitfield "));
    EXPECT_EQ(c.name, ReportDocumentTitle(options, "   "));
  }
}

}  // namespace
}  // namespace zarvic
