// The advisory lock beside a problem file and the stamp that tells whether a file changed on disk.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "problem/FileGuards.h"
#include "support/EndedProcess.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::EndedProcessId;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

std::string Host() {
  char name[HOST_NAME_MAX + 1] = {};
  gethostname(name, sizeof name - 1);
  return name;
}

// The id of a process that has ended (and been reaped).
TEST(FileGuardsTest, ALockIsTakenReleasedAndSeenByOthersOnly) {
  TempFolder folder;
  const std::string file = folder / "CASE.ZR3";
  const std::string lockFile = folder / ".CASE.ZR3.lock";
  EXPECT_EQ(lockFile, ProblemFileLock::LockPathOf(file));
  {
    ProblemFileLock lock;
    ASSERT_TRUE(lock.Acquire(file));
    EXPECT_EQ(file, lock.HeldPath());
    EXPECT_TRUE(std::filesystem::exists(lockFile));
    EXPECT_EQ(std::to_string(getpid()) + " " + Host(),
              ReadFile(lockFile).substr(0, ReadFile(lockFile).rfind(' ')));
    EXPECT_FALSE(ProblemFileLock::HolderOf(file));  // this program's own
  }
  EXPECT_FALSE(std::filesystem::exists(lockFile));  // released with its owner
}

TEST(FileGuardsTest, WhoseLockKeepsTheFile) {
  struct Case {
    const char* name;
    std::string content;
    bool heldElsewhere;
  };
  const Case cases[] = {
      {"a live process of this machine", "1 " + Host() + "\n", true},
      {"a process of another machine", "1 elsewhere.example\n", true},
      {"an ended process", std::to_string(EndedProcessId()) + " " + Host() + "\n", false},
      // The id was given to another process since: process 1 started long before that tick.
      {"a process id used again", "1 " + Host() + " 999999999999\n", false},
      {"a lock cut short by a crash", "", false},
      {"garbage", "not a lock", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string file = folder / "CASE.ZR3";
    WriteFile(ProblemFileLock::LockPathOf(file), c.content);
    EXPECT_EQ(c.heldElsewhere, ProblemFileLock::HolderOf(file).has_value());
    ProblemFileLock lock;
    EXPECT_EQ(!c.heldElsewhere, lock.Acquire(file));
    if (c.heldElsewhere) {
      EXPECT_EQ(c.content, ReadFile(ProblemFileLock::LockPathOf(file)));  // left alone
      EXPECT_EQ(1, ProblemFileLock::HolderOf(file)->pid);
    } else {
      EXPECT_EQ(file, lock.HeldPath());
    }
  }
}

TEST(FileGuardsTest, AFolderWithoutWriteAccessLeavesTheFileUnlocked) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  TempFolder folder;
  std::filesystem::permissions(folder.path(),
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  ProblemFileLock lock;
  EXPECT_TRUE(lock.Acquire(folder / "CASE.ZR3"));
  EXPECT_EQ("", lock.HeldPath());
  std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
}

TEST(FileGuardsTest, StampFollowsEveryKindOfWrite) {
  TempFolder folder;
  const std::string file = folder / "CASE.ZR3";
  EXPECT_FALSE(StampOf(file));
  WriteFile(file, "first");
  const std::optional<FileStamp> first = StampOf(file);
  ASSERT_TRUE(first);
  EXPECT_EQ(first, StampOf(file));
  WriteFile(file, "second, longer");  // in place
  EXPECT_NE(first, StampOf(file));
  const std::optional<FileStamp> second = StampOf(file);
  WriteFile(folder / "new", "second, longer");
  std::filesystem::rename(folder / "new", file);  // renamed over it, as a careful save does
  EXPECT_NE(second, StampOf(file));
}

TEST(FileGuardsTest, ProcessAlive) {
  EXPECT_TRUE(ProcessAlive(getpid()));
  EXPECT_TRUE(ProcessAlive(getpid(), ProcessStartTime(getpid())));
  EXPECT_FALSE(ProcessAlive(getpid(), ProcessStartTime(getpid()) + 1));
  EXPECT_FALSE(ProcessAlive(EndedProcessId()));
  EXPECT_FALSE(ProcessAlive(0));
}

}  // namespace
}  // namespace zarvic
