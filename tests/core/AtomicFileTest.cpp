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

}  // namespace
}  // namespace zarvic
