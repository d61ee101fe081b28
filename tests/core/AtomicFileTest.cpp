#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "core/AtomicFile.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

TEST(WriteFileAtomically, CreatesWithTheUsualPermissionsAndReplacesKeepingThem) {
  TempFolder dir;
  mode_t mask = ::umask(022);
  ASSERT_TRUE(WriteFileAtomically(dir / "new.bin", std::string("a\0b", 3)));
  EXPECT_EQ(std::string("a\0b", 3), ReadFile(dir / "new.bin"));
  EXPECT_EQ(0644u, ModeOf(dir / "new.bin"));
  ::umask(mask);

  ::chmod((dir / "new.bin").c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomically(dir / "new.bin", "replaced"));
  EXPECT_EQ("replaced", ReadFile(dir / "new.bin"));
  EXPECT_EQ(0600u, ModeOf(dir / "new.bin"));
  EXPECT_EQ((std::vector<std::string>{"new.bin"}), dir.Entries());
}

TEST(WriteFileAtomically, FollowsASymbolicLink) {
  TempFolder dir;
  WriteFile(dir / "target", "old");
  std::filesystem::create_symlink(dir / "target", dir / "link");
  ASSERT_TRUE(WriteFileAtomically(dir / "link", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
  EXPECT_EQ("new", ReadFile(dir / "target"));
}

TEST(WriteFileAtomically, FailuresLeaveEverythingAsItWas) {
  TempFolder dir;
  std::filesystem::create_directory(dir / "folder");
  int error = 0;
  EXPECT_FALSE(WriteFileAtomically(dir / "folder", "x", &error));
  EXPECT_EQ(EISDIR, error);
  EXPECT_FALSE(WriteFileAtomically(dir / "missing/file", "x", &error));
  EXPECT_EQ(ENOENT, error);
  EXPECT_FALSE(WriteFileAtomically("", "x", &error));
  EXPECT_EQ((std::vector<std::string>{"folder"}), dir.Entries());
}

// The "-TS" run writes a result file per problem with one sync for the whole run.
TEST(AtomicFileBatch, ReplacesEveryFileWholeOnCommit) {
  TempFolder dir;
  WriteFile(dir / "A.TS", "old");
  {
    AtomicFileBatch batch;
    ASSERT_TRUE(batch.Add(dir / "A.TS", "100000.000000"));
    ASSERT_TRUE(batch.Add(dir / "B.TS", "2500.000000"));
    ::mkdir((dir / "C.TS").c_str(), 0700);
    int error = 0;
    EXPECT_FALSE(batch.Add(dir / "C.TS", "x", &error));
    EXPECT_EQ(EISDIR, error);
    EXPECT_EQ("old", ReadFile(dir / "A.TS"));  // nothing is replaced before the commit
    std::vector<std::pair<std::string, int>> failures;
    EXPECT_TRUE(batch.Commit(&failures));
    EXPECT_TRUE(failures.empty());
  }
  EXPECT_EQ("100000.000000", ReadFile(dir / "A.TS"));
  EXPECT_EQ("2500.000000", ReadFile(dir / "B.TS"));
  EXPECT_EQ((std::vector<std::string>{"A.TS", "B.TS", "C.TS"}), dir.Entries());

  // A batch given up leaves the old files and no temporary ones.
  {
    AtomicFileBatch batch;
    ASSERT_TRUE(batch.Add(dir / "A.TS", "never"));
  }
  EXPECT_EQ("100000.000000", ReadFile(dir / "A.TS"));
  EXPECT_EQ((std::vector<std::string>{"A.TS", "B.TS", "C.TS"}), dir.Entries());
}

// The id of a process that has ended: a child that exits at once.
long EndedProcess() {
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return static_cast<long>(child);
}

// Regression: the temporary files of a save or run that was killed stayed beside the user's files for
// good, taxpayer data in them. The next writer in that folder removes those whose process is gone.
TEST(RemoveStaleTemporaryFiles, RemovesOnlyWhatEndedProcessesLeft) {
  TempFolder dir;
  const long ended = EndedProcess();
  const std::string mine = std::to_string(::getpid());
  const std::string gone = std::to_string(ended);
  WriteFile(dir / "CASE.ZR3", "problem");
  WriteFile(dir / (".CASE.ZR3." + gone + "-0.tmp"), "taxpayer data");
  WriteFile(dir / (".CASE.TS." + gone + "-17.tmp"), "1.000000");
  WriteFile(dir / (".CASE.ZR3." + mine + "-0.tmp"), "a save under way");  // this process runs
  WriteFile(dir / ".CASE.ZR3.1-0.tmp", "init runs");
  // Names of another kind stay, and so does what is not a plain file.
  WriteFile(dir / (".CASE.ZR3." + gone + ".tmp"), "no counter");
  WriteFile(dir / ("CASE.ZR3." + gone + "-0.tmp"), "no leading dot");
  WriteFile(dir / (".CASE.ZR3." + gone + "-x.tmp"), "not a number");
  WriteFile(dir / ("." + gone + "-0.tmp"), "no name");
  std::filesystem::create_directory(dir / (".DIR." + gone + "-0.tmp"));
  std::filesystem::create_symlink(dir / "CASE.ZR3", dir / (".LINK." + gone + "-0.tmp"));

  EXPECT_EQ(2, RemoveStaleTemporaryFiles(dir.path()));
  std::vector<std::string> kept = {"." + gone + "-0.tmp",          ".CASE.ZR3.1-0.tmp",
                                   ".CASE.ZR3." + gone + "-x.tmp", ".CASE.ZR3." + gone + ".tmp",
                                   ".CASE.ZR3." + mine + "-0.tmp", ".DIR." + gone + "-0.tmp",
                                   ".LINK." + gone + "-0.tmp",     "CASE.ZR3",
                                   "CASE.ZR3." + gone + "-0.tmp"};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(kept, dir.Entries());
  EXPECT_EQ(0, RemoveStaleTemporaryFiles(dir / "no such folder"));
}

TEST(RemoveStaleTemporaryFiles, TheNextWriterInTheFolderRemovesThem) {
  TempFolder dir;
  const std::string stale = ".A.ZR3." + std::to_string(EndedProcess()) + "-0.tmp";
  WriteFile(dir / stale, "taxpayer data");
  ASSERT_TRUE(WriteFileAtomically(dir / "A.ZR3", "saved"));
  EXPECT_EQ((std::vector<std::string>{"A.ZR3"}), dir.Entries());

  WriteFile(dir / stale, "taxpayer data");
  AtomicFileBatch batch;
  ASSERT_TRUE(batch.Add(dir / "A.TS", "1.000000"));
  ASSERT_TRUE(batch.Add(dir / "B.TS", "2.000000"));
  ASSERT_TRUE(batch.Commit());
  EXPECT_EQ((std::vector<std::string>{"A.TS", "A.ZR3", "B.TS"}), dir.Entries());
}

}  // namespace
}  // namespace zarvic
