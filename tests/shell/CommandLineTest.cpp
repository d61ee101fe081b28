#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include "core/Paths.h"
#include "core/ScopedEnv.h"
#include "core/UserInterface.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableOperations.h"
#include "shell/CommandLine.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::ScopedEnv;
using testing::TempFolder;
using testing::WriteFile;

TEST(ParseCommandLine, OptionsInOrderByPrefixWithoutCase) {
  struct Case {
    const char* text;
    StartAction action;
    const char* argument;
    bool gatt;
  };
  const Case cases[] = {
      {"", StartAction::NewProblem, "", false},
      {"   ", StartAction::NewProblem, "", false},
      {"-GATTDIAGNOSTIC", StartAction::NewProblem, "", true},
      {"-gattdiagnostic", StartAction::NewProblem, "", true},
      {"-GATTX", StartAction::BatchGenerate, "ATTX", false},
      {"-GATTDIAGNOSTIC more", StartAction::BatchGenerate, "ATTDIAGNOSTIC more", false},
      {"-ts tests.txt", StartAction::TestFile, "tests.txt", false},
      {"-EX/data/input.txt", StartAction::BatchDataEntry, "/data/input.txt", false},
      {"-TF list.txt \"a b\"", StartAction::TestList, "list.txt \"a b\"", false},
      {"-c", StartAction::BatchMode, "", false},
      {"-B  rates.csv ", StartAction::BatchEdit, "rates.csv", false},
      {"-bogus", StartAction::BatchEdit, "ogus", false},
      {"-G script.txt", StartAction::BatchGenerate, "script.txt", false},
      {"-xx", StartAction::NoWindow, "", false},
      {"-X", StartAction::Unknown, "-X", false},
      {"--frobnicate", StartAction::Unknown, "--frobnicate", false},
      {"/home/me/Problem 1.ZR3", StartAction::OpenProblem, "/home/me/Problem 1.ZR3", false},
      {"--help", StartAction::Help, "", false},
      {"-h", StartAction::Help, "", false},
  };
  for (const Case& c : cases) {
    StartCommand command = ParseCommandLine(c.text);
    EXPECT_EQ(c.action, command.action) << c.text;
    EXPECT_EQ(c.argument, command.argument) << c.text;
    EXPECT_EQ(c.gatt, command.gattDiagnostic) << c.text;
  }
}

TEST(CommandLineText, JoinsAndQuotesAndSplitsBack) {
  EXPECT_EQ("-B \"my rates.csv\"", CommandLineText({"-B", "my rates.csv"}));
  EXPECT_EQ("", CommandLineText({}));
  // The option is read by its beginning, so the first argument is never quoted.
  EXPECT_EQ("-EX/my folder/CASE.TXT", CommandLineText({"-EX/my folder/CASE.TXT"}));
  EXPECT_EQ("-TF \"my list.txt\"", CommandLineText({"-TF", "my list.txt"}));
  using V = std::vector<std::string>;
  EXPECT_EQ((V{"list.txt", "a b", "c"}), SplitArguments(" list.txt\t\"a b\"\nc "));
  EXPECT_EQ((V{}), SplitArguments(" \t"));
}

class RunCommandLineTest : public ::testing::Test {
 protected:
  RunCommandLineTest() : guard_(ui_) {}
  void SetUp() override { SetProgramFolder(program_.path()); }
  void TearDown() override { SetProgramFolder(""); }
  int Run(const std::vector<std::string>& arguments) {
    out_.str("");
    err_.str("");
    return RunCommandLine(arguments, out_, err_);
  }

  RecordingUserInterface ui_;
  ScopedUserInterface guard_;
  TempFolder program_, work_, data_;
  ScopedEnv dataEnv_{"XDG_DATA_HOME", data_.path()};  // where -B writes the user's tables
  std::ostringstream out_, err_;
};

TEST_F(RunCommandLineTest, HelpListsEveryOption) {
  EXPECT_EQ(kExitDone, Run({"--help"}));
  for (const char* option :
       {"-GATTDIAGNOSTIC", "-TS", "-EX", "-TF", "-C ", "-B ", "-G ", "-XX", "PROBLEM-FILE"}) {
    EXPECT_NE(std::string::npos, out_.str().find(option)) << option;
  }
  EXPECT_EQ("", err_.str());
}

TEST_F(RunCommandLineTest, WindowOptionsNeedADisplay) {
  ScopedEnv display("DISPLAY", std::nullopt), wayland("WAYLAND_DISPLAY", std::nullopt),
      platform("QT_QPA_PLATFORM", std::nullopt);
  int started = 0;
  WindowStarter starter = [&](const WindowPlan&) { return ++started, kExitDone; };
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{}, {"-GATTDIAGNOSTIC"}, {"-C"}, {"-XX"}, {"problem.ZR3"}}) {
    out_.str("");
    err_.str("");
    EXPECT_EQ(kExitFailed, RunCommandLine(arguments, out_, err_, starter)) << CommandLineText(arguments);
    EXPECT_NE(std::string::npos, err_.str().find("no display")) << err_.str();
    EXPECT_EQ("", out_.str());
  }
  EXPECT_EQ(0, started);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(RunCommandLineTest, WindowOptionsGiveTheirPlan) {
  ScopedEnv platform("QT_QPA_PLATFORM", "offscreen");
  struct Case {
    std::vector<std::string> arguments;
    WindowStart start;
    const char* file;
    bool batchMode, gatt;
  };
  const Case cases[] = {
      {{}, WindowStart::NewProblem, "", false, false},
      {{"-gattdiagnostic"}, WindowStart::NewProblem, "", false, true},
      {{"-c"}, WindowStart::NewProblem, "", true, false},
      {{"-XX"}, WindowStart::NoProblem, "", false, false},
      {{"my case.ZR3"}, WindowStart::OpenProblem, "my case.ZR3", false, false},
      // "-EX" whose file cannot be read starts normally, without a message.
      {{"-EX" + (work_ / "missing.TXT")}, WindowStart::NewProblem, "", false, false},
  };
  for (const Case& c : cases) {
    std::optional<WindowPlan> seen;
    EXPECT_EQ(7, RunCommandLine(c.arguments, out_, err_, [&](const WindowPlan& plan) {
                seen = plan;
                return 7;  // the windows' own status comes back
              }));
    ASSERT_TRUE(seen) << CommandLineText(c.arguments);
    EXPECT_EQ(c.start, seen->start) << CommandLineText(c.arguments);
    EXPECT_EQ(c.file, seen->problemFile);
    EXPECT_EQ(c.batchMode, seen->batchMode);
    EXPECT_EQ(c.gatt, seen->gattDiagnostic);
  }
  EXPECT_TRUE(ui_.messages.empty());

  // "-TF" runs its list first, then opens a new problem.
  WriteFile(work_ / "list.txt", "; nothing to run\n");
  int started = 0;
  EXPECT_EQ(kExitDone, RunCommandLine({"-TF", work_ / "list.txt"}, out_, err_, [&](const WindowPlan& plan) {
    EXPECT_EQ(WindowStart::NewProblem, plan.start);
    return ++started, kExitDone;
  }));
  EXPECT_EQ(1, started);
}

TEST_F(RunCommandLineTest, UnknownOptionsAreRefusedNotOpened) {
  ScopedEnv platform("QT_QPA_PLATFORM", "offscreen");
  int started = 0;
  for (const char* option : {"--frobnicate", "-X", "-zr3"}) {
    out_.str("");
    err_.str("");
    EXPECT_EQ(kExitUnavailable, RunCommandLine({option}, out_, err_, [&](const WindowPlan&) { return ++started; }));
    EXPECT_EQ(std::string("wzrv: unknown option ") + option + " (see wzrv --help)\n", err_.str());
  }
  EXPECT_EQ(0, started);
}

TEST_F(RunCommandLineTest, BatchEditWritesTablesIntoTheUserTableFolder) {
  const std::string file = work_ / "my edit.csv";
  WriteFile(file, "heading\nT,,01-01-1995,Daily,9,10.8,8,365,,\nT,,07-01-1995,Daily,8,9.6,7,365,,\n");
  EXPECT_EQ(kExitDone, Run({"-B", file}));
  EXPECT_EQ((std::vector<std::string>{"Batch-mode edit done. 2 lines added; 0 duplicates not saved."}),
            ui_.Texts());
  auto t = std::make_unique<RateTable>();
  ASSERT_TRUE(LoadTable(*t, data_ / "Orlendt Software/Zarvic/Tables/T.TB3", false));
  EXPECT_EQ(2, UsedLineCount(*t));
  EXPECT_TRUE(program_.Entries().empty());  // the program's folder is never written

  ui_.defaultAnswer = Answer::No;
  EXPECT_EQ(kExitDone, Run({"-b", file}));  // duplicates declined: the job is still done
}

TEST_F(RunCommandLineTest, BatchEditFailuresGiveAnErrorStatus) {
  EXPECT_EQ(kExitFailed, Run({"-B"}));
  EXPECT_EQ((std::vector<std::string>{"Expected batch file name missing."}), ui_.Texts());
  EXPECT_EQ(kExitFailed, Run({"-B", work_ / "missing.csv"}));
  WriteFile(work_ / "bad.csv", "heading\nT,,never,Daily,9,10.8,8,365,,\n");
  EXPECT_EQ(kExitFailed, Run({"-B", work_ / "bad.csv"}));
  EXPECT_TRUE(ui_.Saw(work_ / "bad.csv" + ":2: Invalid start date.\nT,,never,Daily,9,10.8,8,365,,"));
}

TEST_F(RunCommandLineTest, ShippedExampleBuildsItsTable) {
  EXPECT_EQ(kExitDone, Run({"-B", std::string(ZARVIC_SOURCE_DIR) + "/data/examples/batch-edit.csv"}));
  EXPECT_EQ((std::vector<std::string>{"Batch-mode edit done. 2 lines added; 0 duplicates not saved."}),
            ui_.Texts());
  auto t = std::make_unique<RateTable>();
  ASSERT_TRUE(LoadTable(*t, JoinPath(UserTableFolder(), "EXAMPLE"), false));
  EXPECT_EQ(2, UsedLineCount(*t));
  EXPECT_EQ(MakeDate(6, 30, 2025), t->endDate);
}

// The program itself: exit status and where the reason goes.
int RunProgram(const std::string& arguments, const std::string& errFile) {
  std::string command =
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + std::string(ZARVIC_BINARY_DIR) + "/wzrv " + arguments + " </dev/null >/dev/null 2>" + errFile;
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(WzrvProgram, ExitStatusAndReasons) {
  TempFolder work;
  const std::string err = work / "stderr.txt";
  EXPECT_EQ(kExitDone, RunProgram("--help", err));
  // No display in the tests: the window options say so.
  EXPECT_EQ(kExitFailed, RunProgram("-XX", err));
  EXPECT_NE(std::string::npos, testing::ReadFile(err).find("no display"));
  EXPECT_EQ(kExitUnavailable, RunProgram("--frobnicate", err));
  EXPECT_EQ("wzrv: unknown option --frobnicate (see wzrv --help)\n", testing::ReadFile(err));
  WriteFile(work / "bad.csv", "heading\nT,,01-01-1995,Weekly,9,10.8,8,365,,\n");
  EXPECT_EQ(kExitFailed, RunProgram("-B " + (work / "bad.csv"), err));
  EXPECT_NE(std::string::npos, testing::ReadFile(err).find("Invalid compound method."));
}

}  // namespace
}  // namespace zarvic
