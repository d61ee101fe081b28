#include <gtest/gtest.h>
#include <sys/stat.h>

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

}  // namespace
}  // namespace zarvic
