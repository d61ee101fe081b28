#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "reports/ReportTextCopy.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

TEST(WriteNewTextFile, NeverReplacesAnEarlierCopy) {
  testing::TempFolder folder;
  const std::string copies = folder / "Text Copies";  // made on first use
  EXPECT_EQ(copies + "/LATE - Report.txt", WriteNewTextFile(copies, "LATE - Report", "one"));
  EXPECT_EQ(copies + "/LATE - Report (2).txt", WriteNewTextFile(copies, "LATE - Report", "two"));
  EXPECT_EQ(copies + "/LATE - Report (3).txt", WriteNewTextFile(copies, "LATE - Report", "three"));
  EXPECT_EQ("one", testing::ReadFile(copies + "/LATE - Report.txt"));
  EXPECT_EQ("two", testing::ReadFile(copies + "/LATE - Report (2).txt"));
  int error = 0;
  EXPECT_EQ("", WriteNewTextFile("/proc/no-such-folder", "x", "y", &error));
  EXPECT_NE(0, error);
}

TEST(RemoveOldTextCopies, RemovesOnlyTextFilesOlderThanAWeek) {
  testing::TempFolder folder;
  const auto now = std::filesystem::file_time_type::clock::now();
  using std::chrono::hours;
  struct Case {
    std::string name;
    hours age;
    bool removed;
  };
  const Case cases[] = {
      {"old.txt", hours(24 * 7 + 1), true},     {"OLD2.TXT", hours(24 * 30), true},
      {"recent.txt", hours(24 * 7 - 1), false}, {"today.txt", hours(0), false},
      {"notes.odt", hours(24 * 30), false},  // not a copy of ours
  };
  for (const Case& c : cases) {
    testing::WriteFile(folder / c.name, "x");
    std::filesystem::last_write_time(folder / c.name, now - c.age);
  }
  EXPECT_EQ(2, RemoveOldTextCopies(folder.path(), now));
  for (const Case& c : cases) EXPECT_EQ(!c.removed, std::filesystem::exists(folder / c.name)) << c.name;
  EXPECT_EQ(0, RemoveOldTextCopies(folder / "missing", now));
}

}  // namespace
}  // namespace zarvic
