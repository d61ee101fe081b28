#include "ratetables/TableEditorModel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableNotes.h"
#include "ratetables/TableOperations.h"
#include "ratetables/TableSelection.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::TempFolder;

DayNumber D(const char* text) {
  return ParseDate(text);
}

RateLine Line(const char* start, double normal = 8.0, std::uint16_t days = 365, std::uint16_t mode = kModeDaily) {
  return {D(start), mode, normal, normal + 2.0, normal - 1.0, days};
}

// A table of count monthly lines from 01-01-80.
RateTable TableOf(int count) {
  RateTable table;
  ClearTable(table);
  table.name = "MINE";
  table.description = "Mine";
  for (int i = 0; i < count; ++i) table.lines[static_cast<std::size_t>(i)] = {AddMonths(D("01-01-80"), i), kModeDaily, 8, 10, 7, 365};
  table.endDate = D("12-31-25");
  return table;
}

class TableEditorModelTest : public ::testing::Test {
 protected:
  TableEditorModelTest() : guard_(ui_) {}
  void SetUp() override { SetTableFolder(tables_.path()); }
  void TearDown() override { Options() = saved_; }

  std::vector<std::string> Texts(const std::vector<int>& ids) {
    std::vector<std::string> texts;
    for (int id : ids) texts.emplace_back(StringText(id));
    return texts;
  }

  RecordingUserInterface ui_;
  ScopedUserInterface guard_;
  TempFolder tables_;
  AppOptions saved_ = Options();
};

TEST_F(TableEditorModelTest, RowsShowTheLinesAndReadBackToHundredths) {
  RateTable table = TableOf(0);
  table.lines[0] = Line("01-01-94", 7.0, 365, kModeOldIrs);
  table.lines[1] = Line("07-01-94", 8.0, 100, kModeMonthly);
  table.lines[2] = Line("01-01-95", 9.0, 366, kModeFactorSum);  // a mode the list does not offer
  TableEditorModel model(&table);
  EditorScreen screen = model.Show();
  EXPECT_EQ((EditorRow{"01-01-94", 0, "7.00", "9.00", "6.00", 0}), screen.rows[0]);
  EXPECT_EQ((EditorRow{"07-01-94", 3, "8.00", "10.00", "7.00", 2}), screen.rows[1]);
  EXPECT_EQ(-1, screen.rows[2].mode);
  EXPECT_EQ(EditorRow{}, screen.rows[3]);
  EXPECT_EQ("MINE", screen.name);
  EXPECT_EQ("12-31-25", screen.endDate);

  screen.rows[0].normal = "6.125";
  screen.rows[0].motivated = "8";
  screen.rows[3] = {"03-15-96", 2, "5", "7", "4", 1};
  screen.description = "Changed";
  screen.endDate = "";
  model.ScrollTo(screen, 5);
  model.ScrollTo(model.Show(), 0);
  screen = model.Show();
  EXPECT_EQ("6.13", screen.rows[0].normal);
  EXPECT_EQ("8.00", screen.rows[0].motivated);
  EXPECT_EQ((EditorRow{"03-15-96", 2, "5.00", "7.00", "4.00", 1}), screen.rows[3]);
  EXPECT_EQ("Changed", model.Working().description);
  // Regression: a mode the list does not offer was lost by reading the row back.
  EXPECT_EQ(kModeFactorSum, model.Working().lines[2].mode);
  EXPECT_FALSE(IsDate(model.Working().endDate));

  // A row whose date was removed is a free line: no mode, no rates, 365 days.
  screen.rows[1].date = "";
  model.ReadBack(screen);
  const RateLine& freed = model.Working().lines[1];
  EXPECT_FALSE(freed.IsUsed());
  EXPECT_EQ(0xFFFF, freed.mode);
  EXPECT_EQ(0.0, freed.normalRate);
  EXPECT_EQ(365, freed.daysPerYear);
}

TEST_F(TableEditorModelTest, OpensWithTheFirstFreeLineInView) {
  struct Case {
    int used;
    int scroll;
    int focusRow;
  };
  const Case cases[] = {{0, 0, 0}, {5, 0, 5}, {7, 0, 7}, {20, 13, 7}, {496, 489, 7}, {497, 490, 7}, {500, 490, 9}};
  for (const Case& c : cases) {
    RateTable table = TableOf(c.used);
    TableEditorModel model(&table);
    model.PositionForOpening();
    EXPECT_EQ(c.scroll, model.Scroll()) << c.used;
    EXPECT_EQ(c.focusRow, model.FocusRow()) << c.used;
  }
}

TEST_F(TableEditorModelTest, ScrollingStaysWithinTheTable) {
  TableEditorModel model(nullptr);
  const struct {
    int to;
    int expected;
  } cases[] = {{-1, 0}, {9, 9}, {490, 490}, {491, 490}, {100000, 490}};
  for (const auto& c : cases) {
    model.ScrollTo(model.Show(), c.to);
    EXPECT_EQ(c.expected, model.Scroll()) << c.to;
  }
}

TEST_F(TableEditorModelTest, DaysPerYearFollowTheYear) {
  EXPECT_EQ(1, TableEditorModel::DefaultDaysFor(D("03-15-96")));
  EXPECT_EQ(0, TableEditorModel::DefaultDaysFor(D("03-15-97")));
  EXPECT_EQ(1, TableEditorModel::DefaultDaysFor(D("03-15-2000")));
  EXPECT_EQ(-1, TableEditorModel::DefaultDaysFor(NO_DATE));
  EXPECT_STREQ("366", kEditorDays[1].text);
  EXPECT_STREQ("Daily", kEditorModes[kEditorDefaultMode].text);
}

TEST_F(TableEditorModelTest, SortCompactsAndOrders) {
  TableEditorModel model(nullptr);
  EditorScreen screen = model.Show();
  screen.rows[0] = {"01-01-95", 2, "9", "11", "8", 0};
  screen.rows[2] = {"07-01-94", 2, "8", "10", "7", 0};
  model.Sort(screen);
  screen = model.Show();
  EXPECT_EQ("07-01-94", screen.rows[0].date);
  EXPECT_EQ("01-01-95", screen.rows[1].date);
  EXPECT_EQ("", screen.rows[2].date);
  EXPECT_EQ(2, UsedLineCount(model.Working()));
  EXPECT_TRUE(model.Changed());
}

TEST_F(TableEditorModelTest, SaveRefusesABadEndDateAndWritesNothing) {
  // Each refusal says what to change: an end date at all, or one no earlier than the last line.
  struct Case {
    const char* endDate;
    std::string message;
    TableEditorModel::SaveOutcome outcome;
  };
  const Case cases[] = {
      {"",
       "Invalid Table End Date\nEnter the date the table's rates run to in Table End Date, then save again.",
       TableEditorModel::SaveOutcome::NoEndDate},
      {"12-31-93",
       "WARNING\nTable end date is before the last event date in table.\nEnter an end date on or after "
       "01-01-94, or delete the lines that start after the end date, then save again.",
       TableEditorModel::SaveOutcome::EndBeforeLastLine},
  };
  for (const Case& c : cases) {
    ui_.messages.clear();
    RateTable table = TableOf(3);
    TableEditorModel model(&table);
    EditorScreen screen = model.Show();
    screen.endDate = c.endDate;
    screen.rows[5] = {"01-01-94", 2, "9", "11", "8", 0};  // Sort puts it last
    EXPECT_EQ(c.outcome, model.Save(screen)) << c.endDate;
    EXPECT_EQ(std::vector<std::string>{c.message}, ui_.Texts());
    EXPECT_TRUE(ui_.fileRequests.empty());
    EXPECT_TRUE(tables_.Entries().empty());
    EXPECT_FALSE(model.Saved());
    EXPECT_TRUE(model.Changed());
    EXPECT_EQ("01-01-94", model.Show().rows[3].date);
  }
}

TEST_F(TableEditorModelTest, SaveWritesATableThatLoadsBackEqual) {
  TableEditorModel model(nullptr);
  EditorScreen screen = model.Show();
  screen.name = "STATE";
  screen.description = "State rates";
  screen.endDate = "12-31-97";
  screen.rows[0] = {"01-01-97", 2, "6.125", "8.125", "5", 0};
  screen.rows[1] = {"01-01-96", 1, "7", "9", "6", 1};
  ui_.files.push_back(tables_ / "STATE.TB3");
  EXPECT_EQ(TableEditorModel::SaveOutcome::Saved, model.Save(screen));
  ASSERT_EQ(1u, ui_.fileRequests.size());
  EXPECT_TRUE(ui_.fileRequests[0].save);
  EXPECT_EQ(tables_ / "STATE.TB3", ui_.fileRequests[0].initialPath);
  EXPECT_TRUE(model.Saved());
  EXPECT_FALSE(model.Changed());
  EXPECT_EQ(tables_ / "STATE.TB3", model.SavedPath());

  RateTable loaded;
  ASSERT_TRUE(LoadTable(loaded, tables_ / "STATE.TB3", false));
  EXPECT_EQ("STATE", loaded.name);
  EXPECT_EQ(model.SavedCopy().lines, loaded.lines);
  EXPECT_EQ("State rates", loaded.description);
  EXPECT_EQ(D("12-31-97"), loaded.endDate);
  EXPECT_EQ(D("01-01-96"), loaded.lines[0].start);
  EXPECT_EQ(6.13, loaded.lines[1].normalRate);
  EXPECT_EQ(366, loaded.lines[0].daysPerYear);
}

TEST_F(TableEditorModelTest, ACancelledOrFailedSaveIsNotASave) {
  RateTable table = TableOf(2);
  TableEditorModel model(&table);
  ui_.files.push_back(std::nullopt);
  EXPECT_EQ(TableEditorModel::SaveOutcome::NotSaved, model.Save(model.Show()));
  // Regression: a file that cannot be written was reported as saved, and the problem took the table.
  ui_.files.push_back(tables_ / "no-such-folder/MINE.TB3");
  EXPECT_EQ(TableEditorModel::SaveOutcome::NotSaved, model.Save(model.Show()));
  EXPECT_TRUE(ui_.Saw(std::string(StringText(20011))));
  EXPECT_FALSE(model.Saved());
  EXPECT_TRUE(model.Changed());
}

TEST_F(TableEditorModelTest, DeleteLineAsksAboutTheLastFocusedRow) {
  struct Case {
    int row;
    Answer answer;
    bool asked;
    int usedAfter;
  };
  const Case cases[] = {{2, Answer::Yes, true, 19}, {2, Answer::No, true, 20}, {-1, Answer::Yes, false, 20}};
  for (const Case& c : cases) {
    ui_.messages.clear();
    RateTable table = TableOf(20);
    TableEditorModel model(&table);
    model.ScrollTo(model.Show(), 10);
    model.SetLastFocusedRow(c.row);
    ui_.answers = {c.answer};
    model.DeleteLine(model.Show());
    EXPECT_EQ(c.asked ? Texts({20012}) : std::vector<std::string>{}, ui_.Texts()) << c.row;
    EXPECT_EQ(c.usedAfter, UsedLineCount(model.Working()));
    if (c.usedAfter == 19) {
      EXPECT_EQ(AddMonths(D("01-01-80"), 13), model.Working().lines[12].start);
    }
    EXPECT_TRUE(model.Changed());
    ui_.answers.clear();
  }
}

TEST_F(TableEditorModelTest, LosingChangesAsksToSave) {
  struct Case {
    bool changed;
    Answer answer;
    bool closes;
  };
  const Case cases[] = {
      {false, Answer::Yes, true},
      {true, Answer::No, true},
      {true, Answer::Cancel, false},
      {true, Answer::Yes, false},  // the save refuses: no end date
  };
  for (const Case& c : cases) {
    ui_.messages.clear();
    TableEditorModel model(nullptr);
    if (c.changed) model.MarkChanged();
    ui_.answers = {c.answer};
    EXPECT_EQ(c.closes, model.Close(model.Show()));
    EXPECT_EQ(c.changed, !ui_.messages.empty());
    if (c.changed) {
      EXPECT_EQ(std::string(StringText(20008)), ui_.messages[0].text);
    }
    ui_.answers.clear();
  }
}

TEST_F(TableEditorModelTest, NewAndBrowseReplaceTheWorkingCopy) {
  RateTable table = TableOf(30);
  TableEditorModel model(&table);
  model.ScrollTo(model.Show(), 20);
  ASSERT_TRUE(model.New(model.Show()));
  EXPECT_EQ(0, UsedLineCount(model.Working()));
  EXPECT_EQ(0, model.Scroll());
  EXPECT_FALSE(model.Changed());

  RateTable other = TableOf(25);
  ASSERT_TRUE(SaveTable(other, tables_ / "OTHER.TB3"));
  model.MarkChanged();
  ui_.answers = {Answer::No};
  ui_.files.push_back(tables_ / "OTHER.TB3");
  ASSERT_TRUE(model.Browse(model.Show()));
  EXPECT_EQ(25, UsedLineCount(model.Working()));
  EXPECT_EQ("OTHER", model.Working().name);
  EXPECT_EQ(18, model.Scroll());
  EXPECT_FALSE(model.Changed());
  EXPECT_FALSE(model.Saved());
}

TEST_F(TableEditorModelTest, NotesFollowTheAtKbnSetting) {
  RateTable plain = TableOf(1);
  RateTable noted = TableOf(1);
  SetNotes(noted, "Use the state rate after 1995.");
  Options().atKbn = false;
  EXPECT_EQ("&View Notes", NotesButtonCaption());
  EXPECT_FALSE(NotesButtonShown(plain));
  EXPECT_TRUE(NotesButtonShown(noted));
  Options().atKbn = true;
  EXPECT_EQ("&Edit Notes", NotesButtonCaption());
  EXPECT_TRUE(NotesButtonShown(plain));

  TableEditorModel model(&plain);
  model.SetNotes("");
  EXPECT_FALSE(model.Changed());
  model.SetNotes("New notes");
  EXPECT_TRUE(model.Changed());
  EXPECT_EQ("New notes", model.Working().notes);
}

TEST_F(TableEditorModelTest, TheNotesPromptCanBeHiddenPerTable) {
  WriteProfileInt(kSectionTableNotes, "PROMPTED", 0);  // the store outlives a run of the tests
  RateTable noted = TableOf(1);
  noted.name = "PROMPTED";
  SetNotes(noted, "Notes");
  RateTable other = noted;
  other.name = "OTHERSTATE";
  RateTable plain = TableOf(1);
  plain.name = "PLAINTABLE";
  EXPECT_TRUE(OffersTableNotes(noted));
  EXPECT_FALSE(OffersTableNotes(plain));
  HideTableNotesPrompt("PROMPTED");
  EXPECT_FALSE(OffersTableNotes(noted));
  EXPECT_TRUE(OffersTableNotes(other));
  EXPECT_TRUE(TableNotesPromptHidden("PROMPTED"));
}

TEST_F(TableEditorModelTest, AProblemTakesAChosenOrSavedTable) {
  CTDoc doc;
  doc.m_rateTable = TableOf(3);
  RateTable other = TableOf(25);
  ASSERT_TRUE(SaveTable(other, tables_ / "OTHER.TB3"));

  ui_.files.push_back(std::nullopt);
  EXPECT_FALSE(SelectProblemTable(doc));
  EXPECT_EQ("MINE", doc.m_rateTable.name);
  EXPECT_FALSE(doc.IsModified());

  ui_.files.push_back(tables_ / "OTHER.TB3");
  EXPECT_TRUE(SelectProblemTable(doc));
  EXPECT_EQ("OTHER", doc.m_rateTable.name);
  EXPECT_EQ(25, UsedLineCount(doc.m_rateTable));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(std::vector<const CTDoc*>{&doc}, ui_.refreshed);

  RateTable saved = TableOf(4);
  saved.name = "SAVED";
  doc.SetModified(false);
  TakeSavedTable(doc, saved);
  EXPECT_EQ("SAVED", doc.m_rateTable.name);
  EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace zarvic
