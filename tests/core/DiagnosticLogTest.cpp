// The in-house diagnostic log: kept only with "AtKBN" on, in the program's data folder, and a file that
// cannot be made is said, with the system's reason, and leaves diagnostics off.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/Clock.h"
#include "core/DiagnosticLog.h"
#include "core/Paths.h"
#include "core/ScopedEnv.h"
#include "core/UserInterface.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

class DiagnosticLogTest : public ::testing::Test {
 protected:
  void SetUp() override { Options().atKbn = true; }
  void TearDown() override {
    CloseDiagnosticLog();
    Options().atKbn = false;
    SetClock({});
  }
  std::string LogFolder() const { return data_ / "Orlendt Software/Zarvic"; }

  testing::TempFolder data_;
  testing::ScopedEnv env_{"XDG_DATA_HOME", data_.path()};
  RecordingUserInterface ui_;
  ScopedUserInterface guard_{ui_};
};

TEST_F(DiagnosticLogTest, ABareNameGoesIntoTheDataFolderMadeWhenMissing) {
  ASSERT_TRUE(DiagnosticLog("run.log", false));
  EXPECT_TRUE(DiagnosticLogActive());
  EXPECT_EQ(LogFolder() + "/run.log", DiagnosticLogPath());
  WriteDiagnostic("first\n");
  WriteDiagnostic("second\n");
  // Flushed at once: the file holds each line as soon as it is written.
  EXPECT_EQ("first\nsecond\n", testing::ReadFile(LogFolder() + "/run.log"));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(DiagnosticLogTest, AppendKeepsEarlierRunsANewLogStartsEmpty) {
  const std::string path = data_ / "given.log";  // a path is used as it is
  testing::WriteFile(path, "earlier run\n");
  ASSERT_TRUE(DiagnosticLog(path, true));
  WriteDiagnostic("this run\n");
  EXPECT_EQ("earlier run\nthis run\n", testing::ReadFile(path));
  ASSERT_TRUE(DiagnosticLog(path, false));  // closes the first, starts afresh
  WriteDiagnostic("new\n");
  EXPECT_EQ("new\n", testing::ReadFile(path));
}

TEST_F(DiagnosticLogTest, WithoutAtKbnNothingIsKept) {
  Options().atKbn = false;
  EXPECT_FALSE(DiagnosticLog("run.log", true));
  EXPECT_FALSE(DiagnosticLogActive());
  WriteDiagnostic("lost\n");
  StartRunDiagnostics("-EX (batch data entry)");
  EXPECT_FALSE(std::filesystem::exists(LogFolder()));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(DiagnosticLogTest, AFileThatCannotBeMadeIsSaidAndDiagnosticsStayOff) {
  testing::WriteFile(data_ / "plain", "not a folder");
  struct Case {
    std::string name;
    std::string path;    // the file named in the message
    std::string reason;  // the system's
  };
  const std::vector<Case> cases = {
      {data_ / "no folder/run.log", data_ / "no folder/run.log", "No such file or directory"},
      {data_ / "plain/run.log", data_ / "plain/run.log", "Not a directory"},
  };
  for (const Case& c : cases) {
    ui_.messages.clear();
    EXPECT_FALSE(DiagnosticLog(c.name, true)) << c.name;
    EXPECT_FALSE(DiagnosticLogActive());
    EXPECT_EQ("", DiagnosticLogPath());
    EXPECT_EQ(std::vector<std::string>{"The diagnostic log " + c.path + " could not be created: " + c.reason +
                                       ".\nDiagnostics stay off."},
              ui_.Texts());
    WriteDiagnostic("lost\n");  // nothing to write to, and no crash
  }

  // A data folder that cannot be made: the bare name's file cannot be made either.
  testing::ScopedEnv blocked("XDG_DATA_HOME", data_ / "plain");
  ui_.messages.clear();
  EXPECT_FALSE(DiagnosticLog(kDiagnosticLogName, true));
  EXPECT_EQ(std::vector<std::string>{"The diagnostic log " + (data_ / "plain/Orlendt Software/Zarvic/") +
                                     kDiagnosticLogName +
                                     " could not be created: Not a directory.\n"
                                     "Diagnostics stay off."},
            ui_.Texts());
}

TEST_F(DiagnosticLogTest, EachRunStartsWithItsLine) {
  SetClock([] { return ClockTime{{2026, 4, 2}, 9, 5, 7}; });
  StartRunDiagnostics("-EX (batch data entry)");
  StartRunDiagnostics("the windows");
  EXPECT_EQ(std::string("Zarvic ") + ZARVIC_VERSION + ", 2026-04-02 09:05:07: -EX (batch data entry)\n" +
                "Zarvic " + ZARVIC_VERSION + ", 2026-04-02 09:05:07: the windows\n",
            testing::ReadFile(LogFolder() + "/" + kDiagnosticLogName));
}

}  // namespace
}  // namespace zarvic
