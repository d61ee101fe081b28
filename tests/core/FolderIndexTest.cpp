#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/FolderIndex.h"
#include "support/LookupCounter.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::LookupCounter;

class FolderIndexTest : public ::testing::Test {
 protected:
  FolderIndexTest() {
    for (const char* name : {"case.tb3", "Both.TB3", "Both.tb3", "b.TB3", "notes.txt"})
      testing::WriteFile(folder_ / name, "x");
    std::filesystem::create_directory(folder_ / "dir.tb3");
  }
  std::string Find(const std::string& name) { return FindExtensionNoCase(folder_ / name); }

  testing::TempFolder folder_;
};

TEST_F(FolderIndexTest, FindsTheRegularFileWhoseExtensionDiffersInCase) {
  struct Case {
    const char* name;
    const char* found;  // "" for none
  };
  const Case cases[] = {
      {"case.TB3", "case.tb3"},
      {"case.tb3", "case.tb3"},
      {"Both.Tb3", "Both.TB3"},  // the first in name order of several
      {"CASE.TB3", ""},          // only the extension may differ
      {"dir.TB3", ""},           // a folder is no file
      {"case", ""},              // nothing to match without an extension
      {"b.tb2", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(*c.found ? folder_ / c.found : std::string(), Find(c.name)) << c.name;
    FileLookupScope scope;  // the kept index answers alike
    EXPECT_EQ(*c.found ? folder_ / c.found : std::string(), Find(c.name)) << c.name;
  }
  EXPECT_EQ("", FindExtensionNoCase(folder_ / "missing/case.TB3"));

  const std::vector<FolderEntry> entries = FolderEntries(folder_.path());
  std::vector<std::string> names;
  for (const FolderEntry& e : entries) names.push_back(e.name + (e.regular ? "" : "/"));
  EXPECT_EQ((std::vector<std::string>{"Both.TB3", "Both.tb3", "b.TB3", "case.tb3", "dir.tb3/", "notes.txt"}),
            names);
}

TEST_F(FolderIndexTest, AScopeListsEachFolderOnceAndFollowsTheProgramsOwnWrites) {
  LookupCounter counter;
  Find("case.TB3");
  Find("case.TB3");
  EXPECT_EQ(2, counter.listed[folder_.path()]);  // without a scope, every look-up lists
  counter.listed.clear();
  {
    FileLookupScope run;
    FileLookupScope inner;  // part of the run
    for (int i = 0; i < 50; ++i) Find(i % 2 ? "case.TB3" : "Both.tb3");
    FolderEntries(folder_.path() + "/");
    ASSERT_TRUE(WriteFileAtomically(folder_ / "new.tb3", "x"));
    EXPECT_EQ(folder_ / "new.tb3", Find("new.TB3"));
    testing::WriteFile(folder_ / "other.tb3", "x");  // written behind the run's back: not seen
    EXPECT_EQ("", Find("other.TB3"));
    std::filesystem::remove(folder_ / "case.tb3");
    NoteFileRemoved(folder_ / "case.tb3");
    EXPECT_EQ("", Find("case.TB3"));
    EXPECT_EQ(1, counter.listed[folder_.path()]);
  }
  EXPECT_EQ(folder_ / "other.tb3", Find("other.TB3"));  // the run's index is gone with it
  EXPECT_EQ(2, counter.listed[folder_.path()]);
}

}  // namespace
}  // namespace zarvic
