#include <gtest/gtest.h>

#include <memory>

#include "core/Paths.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableImage.h"
#include "ratetables/TableOperations.h"
#include "ratetables/TableSelection.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::TableImage;
using testing::TempFolder;
using testing::WriteFile;

class TableSelectionTest : public ::testing::Test {
 protected:
  TableSelectionTest() : guard_(ui_) {}
  void SetUp() override {
    SetProgramFolder(program_.path());
    SetTableFolder(tables_.path());
    table_ = std::make_unique<RateTable>();
    table_->name = "BEFORE";
    table_->lines[0] = {MakeDate(1, 1, 1990), kModeDaily, 11, 13.2, 11, 365};
  }
  void TearDown() override { SetProgramFolder(""); }

  void PutTable(const std::string& path, int version, const std::string& notes = "") {
    TableImage image;
    image.version = static_cast<std::uint8_t>(version);
    image.description = "chosen";
    image.notes = notes;
    image.lines = {{MakeDate(1, 1, 2000), kModeDaily, 8, 9.6, 8, 366}};
    WriteFile(path, image.File());
  }

  RecordingUserInterface ui_;
  ScopedUserInterface guard_;
  TempFolder program_, tables_, other_;
  std::unique_ptr<RateTable> table_;
};

TEST_F(TableSelectionTest, OpenDialogStartsWithFederalInTheTableFolder) {
  ui_.files.push_back(std::nullopt);
  EXPECT_FALSE(SelectTable(*table_));
  ASSERT_EQ(1u, ui_.fileRequests.size());
  const FileChoice& asked = ui_.fileRequests[0];
  EXPECT_FALSE(asked.save);
  EXPECT_EQ("Open Interest Rate Table", asked.title);
  EXPECT_EQ(tables_ / "FEDERAL.TB3", asked.initialPath);
  EXPECT_EQ(std::string(StringText(20002)), asked.filter);
  EXPECT_EQ("BEFORE", table_->name);  // Cancel changes nothing
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(TableSelectionTest, ChosenTableIsLoadedAndItsFolderRemembered) {
  PutTable(other_ / "STATE.TB3", 4, "see me");
  ui_.files.push_back(other_ / "STATE.TB3");
  EXPECT_TRUE(SelectTable(*table_));
  EXPECT_EQ("STATE", table_->name);
  EXPECT_EQ("chosen -- STATE", StatusText(*table_));
  EXPECT_EQ("see me", table_->notes);
  EXPECT_EQ(other_.path(), TableFolder());
}

TEST_F(TableSelectionTest, NewerVersionIsRefusedAndLeavesAnEmptyTable) {
  PutTable(other_ / "NEW.TB3", 6);
  ui_.files.push_back(other_ / "NEW.TB3");
  EXPECT_TRUE(SelectTable(*table_));
  EXPECT_EQ((std::vector<std::string>{std::string(StringText(20001))}), ui_.Texts());
  EXPECT_FALSE(table_->IsLoaded());
  EXPECT_EQ("", table_->name);
  EXPECT_EQ(tables_.path(), TableFolder());  // a failed load is no choice of folder
}

TEST_F(TableSelectionTest, SaveAsProposesATb3NameAndTakesTheChosenOne) {
  ui_.files.push_back(std::nullopt);
  EXPECT_FALSE(SaveTableAs(*table_, ""));
  ASSERT_EQ(1u, ui_.fileRequests.size());
  EXPECT_TRUE(ui_.fileRequests[0].save);
  EXPECT_EQ(tables_ / "*.TB3", ui_.fileRequests[0].initialPath);
  EXPECT_EQ(std::string(StringText(20002)), ui_.fileRequests[0].filter);
  EXPECT_TRUE(other_.Entries().empty());

  ui_.files.push_back(other_ / "MINE.dat");
  EXPECT_TRUE(SaveTableAs(*table_, tables_ / "OLD.TB2"));
  EXPECT_EQ(tables_ / "OLD.TB3", ui_.fileRequests[1].initialPath);
  EXPECT_EQ("MINE", table_->name);
  EXPECT_EQ((std::vector<std::string>{"MINE.TB3"}), other_.Entries());
  EXPECT_EQ(other_.path(), TableFolder());
}

TEST_F(TableSelectionTest, SaveAsReportsAFailedSave) {
  ui_.files.push_back(other_ / "missing/MINE.TB3");
  EXPECT_TRUE(SaveTableAs(*table_, "MINE"));
  EXPECT_EQ(tables_ / "MINE.TB3", ui_.fileRequests[0].initialPath);
  EXPECT_EQ((std::vector<std::string>{"Error saving table"}), ui_.Texts());
}

}  // namespace
}  // namespace zarvic
