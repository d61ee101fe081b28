#pragma once

// The set-up every problem file test needs: a table loader that knows a few names, empty report
// headings, recorded messages and default options, all put back afterwards.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "problem/ProblemImage.h"

namespace zarvic::testing {

// Installs, for each test, a table loader that knows only the names in knownTables, a report settings
// source of empty lines, a recording user interface and default options.
class ProblemFileFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLoader_ = SetTableLoader([this](RateTable& table, const std::string& name) {
      loadedNames.push_back(name);
      if (!knownTables.contains(name)) return false;
      table = RateTable{};
      table.lines[0].start = Day("01-01-80");
      table.lines[0].daysPerYear = 365;
      table.name = name == "FEDERAL.TB3" ? "FEDERAL" : name;
      return true;
    });
    savedHeadings_ = SetReportHeadingsSource([] { return ReportHeadings{}; });
    savedOptions_ = Options();
    ResetFederalTableWarning();
  }
  void TearDown() override {
    SetTableLoader(savedLoader_);
    SetReportHeadingsSource(savedHeadings_);
    Options() = savedOptions_;
    ResetFederalTableWarning();
  }

  std::set<std::string> knownTables{"FEDERAL.TB3", "FEDERAL", "MYRATES"};
  std::vector<std::string> loadedNames;
  RecordingUserInterface ui;
  ScopedUserInterface scopedUi{ui};

 private:
  TableLoader savedLoader_;
  ReportHeadingsSource savedHeadings_;
  AppOptions savedOptions_;
};

}  // namespace zarvic::testing
