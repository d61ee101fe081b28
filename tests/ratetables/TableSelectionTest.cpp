#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/Paths.h"
#include "core/ScopedEnv.h"
#include "core/StringTable.h"
#include "core/Text.h"
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
using testing::ReadFile;
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

// Regression: a table chosen from another folder left the problem with a name that was not found when
// the problem was opened again.
TEST_F(TableSelectionTest, AProblemKeepsOnlyATableItsNameFindsAgain) {
  PutTable(tables_ / "HOME.TB3", 4);
  ui_.files.push_back(tables_ / "HOME.TB3");
  EXPECT_TRUE(SelectTableForProblem(*table_));  // from the table folder: no question
  EXPECT_EQ("HOME", table_->name);
  EXPECT_TRUE(ui_.messages.empty());

  enum class There { Nothing, Same, Different };
  struct Case {
    const char* name;
    std::string chosen;  // in other_
    Answer answer;
    There there;
    bool taken;
    std::vector<int> messages;
  };
  const Case cases[] = {
      {"refused", "STATE.TB3", Answer::No, There::Nothing, false, {21210}},
      {"copied", "STATE.TB3", Answer::Yes, There::Nothing, true, {21210}},
      {"copied under the table extension", "STATE.dat", Answer::Yes, There::Nothing, true, {21210}},
      {"the same table is there already", "STATE.TB3", Answer::Yes, There::Same, true, {21210}},
      {"another table of that name is there", "STATE.TB3", Answer::Yes, There::Different, false, {21210, 21211}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(tables_ / "STATE.TB3");
    table_->name = "BEFORE";
    ui_.messages.clear();
    PutTable(other_ / c.chosen, 4, "notes");
    const std::string chosenBytes = ReadFile(other_ / c.chosen);
    if (c.there == There::Same) WriteFile(tables_ / "STATE.TB3", chosenBytes);
    if (c.there == There::Different) PutTable(tables_ / "STATE.TB3", 4, "other notes");
    const std::string thereBefore = c.there == There::Nothing ? "" : ReadFile(tables_ / "STATE.TB3");
    ui_.files.push_back(other_ / c.chosen);
    ui_.answers.push_back(c.answer);

    EXPECT_EQ(c.taken, SelectTableForProblem(*table_));
    std::vector<std::string> expected;
    for (int id : c.messages) {
      expected.push_back(id == 21210 ? FormatStringText(id, (other_ / c.chosen).c_str(), tables_.path().c_str())
                                     : FormatStringText(id, (tables_ / "STATE.TB3").c_str()));
    }
    EXPECT_EQ(expected, ui_.Texts());
    EXPECT_EQ(c.taken ? "STATE" : "BEFORE", table_->name);
    EXPECT_EQ(tables_.path(), TableFolder());  // the table folder stays where it was
    EXPECT_EQ(chosenBytes, ReadFile(other_ / c.chosen));
    if (c.there == There::Different) {
      EXPECT_EQ(thereBefore, ReadFile(tables_ / "STATE.TB3"));
    } else if (c.taken) {
      EXPECT_EQ(chosenBytes, ReadFile(tables_ / "STATE.TB3"));
      auto found = std::make_unique<RateTable>();
      EXPECT_TRUE(LoadTableByName(*found, table_->name));  // what opening the problem again does
      EXPECT_EQ("notes", found->notes);
    } else {
      EXPECT_FALSE(FileExists(tables_ / "STATE.TB3"));
    }
  }
}

TEST_F(TableSelectionTest, ANameLongerThanAProblemFileHoldsIsRefused) {
  const std::string longName(96, 'L');
  PutTable(tables_ / (longName + ".TB3"), 4);
  ui_.files.push_back(tables_ / (longName + ".TB3"));
  EXPECT_FALSE(SelectTableForProblem(*table_));
  EXPECT_EQ("BEFORE", table_->name);
  ASSERT_EQ(1u, ui_.messages.size());
  EXPECT_EQ(FormatStringText(21213, longName.c_str(), 95), ui_.messages[0].text);
}

// With no folder chosen, tables are saved in the user's table folder, made for the save dialog; the
// open dialog offers the shipped FEDERAL.TB3 until the user has a copy of their own.
TEST_F(TableSelectionTest, WithoutAChosenFolderTablesGoToTheUserTableFolder) {
  TempFolder data;
  testing::ScopedEnv env("XDG_DATA_HOME", data.path());
  SetTableFolder(program_.path());  // as earlier versions stored after opening FEDERAL.TB3
  const std::string user = data / "Orlendt Software/Zarvic/Tables";
  EXPECT_EQ(user, TableFolder());

  ui_.files.push_back(std::nullopt);
  EXPECT_FALSE(SaveTableAs(*table_, "MINE"));
  ASSERT_EQ(1u, ui_.fileRequests.size());
  EXPECT_EQ(user + "/MINE.TB3", ui_.fileRequests[0].initialPath);
  EXPECT_TRUE(std::filesystem::is_directory(user));
  EXPECT_TRUE(program_.Entries().empty());

  PutTable(program_ / "FEDERAL.TB3", 4);
  ui_.files.push_back(std::nullopt);
  EXPECT_FALSE(SelectTable(*table_));
  EXPECT_EQ(program_ / "FEDERAL.TB3", ui_.fileRequests.back().initialPath);
  PutTable(user + "/FEDERAL.TB3", 4);
  ui_.files.push_back(std::nullopt);
  EXPECT_FALSE(SelectTable(*table_));
  EXPECT_EQ(user + "/FEDERAL.TB3", ui_.fileRequests.back().initialPath);
  SetTableFolder(tables_.path());
}

// The shipped table is found by name as it is, so choosing it for a problem copies nothing; once a
// table of its name comes first, it is offered for copying as any other table would be.
TEST_F(TableSelectionTest, AShippedTableIsTakenByNameUnlessAnotherComesFirst) {
  TempFolder data;
  testing::ScopedEnv env("XDG_DATA_HOME", data.path());
  PutTable(program_ / "FEDERAL.TB3", 4, "shipped");
  ui_.files.push_back(program_ / "FEDERAL.TB3");
  EXPECT_TRUE(SelectTableForProblem(*table_));
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ("FEDERAL", table_->name);
  EXPECT_TRUE(tables_.Entries().empty());

  PutTable(tables_ / "FEDERAL.TB3", 4, "edited");
  table_->name = "BEFORE";
  ui_.files.push_back(program_ / "FEDERAL.TB3");
  ui_.answers.push_back(Answer::No);
  EXPECT_FALSE(SelectTableForProblem(*table_));
  EXPECT_EQ((std::vector<std::string>{
                FormatStringText(21210, (program_ / "FEDERAL.TB3").c_str(), tables_.path().c_str())}),
            ui_.Texts());
  EXPECT_EQ("BEFORE", table_->name);
  EXPECT_EQ((std::vector<std::string>{"FEDERAL.TB3"}), program_.Entries());
}

TEST_F(TableSelectionTest, ANamedTableIsAFileOfTheTableFolder) {
  PutTable(tables_ / "MINE.TB3", 4, "in the table folder");
  PutTable(program_ / "MINE.TB3", 4, "beside the program");
  PutTable(program_ / "ONLYHERE.TB3", 4, "beside the program");
  // A table the user edited lies in the user's table folder and wins over the shipped one.
  TempFolder data;
  testing::ScopedEnv env("XDG_DATA_HOME", data.path());
  std::filesystem::create_directories(UserTableFolder());
  PutTable(JoinPath(UserTableFolder(), "EDITED.TB3"), 4, "the user's copy");
  PutTable(program_ / "EDITED.TB3", 4, "beside the program");
  PutTable(JoinPath(UserTableFolder(), "MINE.TB3"), 4, "the user's copy");
  std::filesystem::create_directories(tables_ / "sub");
  PutTable(tables_ / "sub/DEEP.TB3", 4);
  struct Case {
    std::string name;
    std::string notes;  // empty: not found
  };
  const Case cases[] = {
      {"MINE", "in the table folder"},
      {"ONLYHERE", "beside the program"},
      {"EDITED", "the user's copy"},
      {"sub/DEEP", ""},
      {"../" + FileNameOf(tables_.path()) + "/MINE", ""},
      {tables_ / "MINE", ""},
      {"..", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto table = std::make_unique<RateTable>();
    EXPECT_EQ(!c.notes.empty(), LoadTableByName(*table, c.name));
    EXPECT_EQ(c.notes, table->notes);
  }
}

}  // namespace
}  // namespace zarvic
