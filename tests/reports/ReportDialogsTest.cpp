// The rules of the report dialogs: the print selection (20016, 20023, the rate table without a date,
// reports that cannot apply), the report window's selection (20035, the date stored), the report
// setup and the headers and footers with their two sets of texts.

#include <gtest/gtest.h>

#include <memory>

#include "core/AppOptions.h"
#include "core/Clock.h"
#include "core/ScopedEnv.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "penalties/PenaltyModel.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "reports/ReportDialogs.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::ScopedEnv;
using testing::TempFolder;

class ReportDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseSettingsStore();
    Options() = AppOptions{};
    CurrentReportSettings() = DefaultReportSettings();
    SetClock([] { return ClockTime{{2026, 12, 10}, 10, 0, 0}; });
    doc_ = std::make_unique<CTDoc>();
    doc_->ResetProblem();
    AddEvent(0, kEventTax, MakeDate(4, 15, 2023), 1000000.0);
    doc_->SetModified(false);
    ui_.messages.clear();  // the missing federal table of a new problem is not what these tests look at
  }
  void TearDown() override {
    CloseSettingsStore();
    Options() = AppOptions{};
    CurrentReportSettings() = DefaultReportSettings();
    SetClock(nullptr);
  }

  void AddEvent(int slot, int type, DayNumber date, double amount) {
    CEvent& e = doc_->m_events[static_cast<size_t>(slot)];
    e.m_type = static_cast<decltype(e.m_type)>(type);
    e.m_date = date;
    e.m_amount = amount;
  }

  static std::string Text(int id) { return std::string(StringText(id)); }

  TempFolder scratch_;
  ScopedEnv registryEnv_{"ZARVIC_REGISTRY", scratch_ / "registry.sqlite3"};
  RecordingUserInterface ui_;
  ScopedUserInterface scoped_{ui_};
  std::unique_ptr<CTDoc> doc_;
};

TEST_F(ReportDialogsTest, ResetTakesTheDefaultsTheProblemsDateAndNoReport) {
  CurrentReportSettings().includeDate = true;
  CurrentReportSettings().interestAndPenaltyDetail = true;
  CurrentReportSettings().fiscalYearEnd = 5;
  ReportOptions options;
  ResetReportOptions(options, *doc_);
  EXPECT_EQ(Today(), options.computeDate);
  EXPECT_EQ(Today(), doc_->m_computeDate);  // a problem without a date takes today's
  EXPECT_TRUE(options.includeDate);
  EXPECT_EQ(5, options.fiscalYearEnd);
  EXPECT_FALSE(AnyReportSelected(options));

  doc_->m_computeDate = MakeDate(1, 5, 1995);
  ResetReportOptions(options, *doc_);
  EXPECT_EQ(MakeDate(1, 5, 1995), options.computeDate);
}

TEST_F(ReportDialogsTest, PrintSelectionChecksReportsAndDate) {
  struct Case {
    const char* name;
    bool detail, accrual, rateTable;
    DayNumber date;
    bool result;
    int message;  // 0: none
  };
  const DayNumber good = MakeDate(6, 30, 2025);
  const Case cases[] = {
      {"nothing chosen", false, false, false, good, false, 20016},
      {"rate table without a date", false, false, true, NO_DATE, true, 0},
      {"rate table and accrual without a date", false, true, true, NO_DATE, false, 20023},
      {"detail without a date", true, false, false, NO_DATE, false, 20023},
      {"detail with a date", true, false, false, good, true, 0},
  };
  for (const Case& c : cases) {
    ui_.messages.clear();
    doc_->m_computeDate = NO_DATE;
    ReportOptions view;
    bool result = PrintSelection(*doc_, view, [&](PrintSelectionState& state) {
      state.current.interestAndPenaltyDetail = c.detail;
      state.current.monthlyAccrual = c.accrual;
      state.current.rateTable = c.rateTable;
      state.current.computeDate = c.date;
      return true;
    });
    EXPECT_EQ(c.result, result) << c.name;
    EXPECT_EQ(c.message == 0 ? std::vector<std::string>{} : std::vector<std::string>{Text(c.message)},
              ui_.Texts())
        << c.name;
    EXPECT_EQ(c.result && IsDate(c.date) ? c.date : NO_DATE, doc_->m_computeDate) << c.name;
  }
}

TEST_F(ReportDialogsTest, PrintSelectionOffersOnlyReportsThatApply) {
  CurrentReportSettings().paymentAllocationDetail = true;
  CurrentReportSettings().penaltyComputationDetail = true;
  ReportOptions view;
  PrintSelectionState shown;
  PrintSelection(*doc_, view, [&](PrintSelectionState& state) {
    shown = state;
    return false;
  });
  EXPECT_FALSE(shown.current.paymentAllocationDetail);   // no payment
  EXPECT_FALSE(shown.current.penaltyComputationDetail);  // no active penalty

  AddEvent(1, kEventPayment, MakeDate(5, 1, 2023), 50000.0);
  PrintSelection(*doc_, view, [&](PrintSelectionState& state) {
    shown = state;
    return false;
  });
  EXPECT_TRUE(shown.current.paymentAllocationDetail);
}

TEST_F(ReportDialogsTest, PrintSelectionKeepsItsChoicesForTheRun) {
  doc_->m_computeDate = MakeDate(6, 30, 2025);
  ReportOptions view;
  // An unchanged dialog leaves the problem unmodified.
  EXPECT_TRUE(PrintSelection(*doc_, view, [](PrintSelectionState& state) {
    state.current.interestAndPenaltyDetail = true;
    return true;
  }));
  EXPECT_FALSE(doc_->IsModified());

  // Event names for the rest of the run, not stored; new heading texts go to the problem.
  PrintSelection(*doc_, view, [](PrintSelectionState& state) {
    state.current.interestAndPenaltyDetail = true;
    state.current.headerLines[0] = "For the examiner";
    state.useDescriptions = false;
    return true;
  });
  EXPECT_FALSE(Options().useDescriptions);
  EXPECT_EQ(1, GetIntSetting(SettingId::UseDescriptions));
  EXPECT_EQ("For the examiner", doc_->m_header.m_headings[0].Text());
  EXPECT_TRUE(doc_->IsModified());
}

TEST_F(ReportDialogsTest, PreviewDateIsReadOrRefused) {
  EXPECT_EQ(MakeDate(1, 5, 1995), ReadPreviewDate("1/5/95"));
  EXPECT_TRUE(ui_.messages.empty());
  for (const char* bad : {"13/5/95", "", "tomorrow"}) {
    ui_.messages.clear();
    EXPECT_EQ(NO_DATE, ReadPreviewDate(bad)) << bad;
    EXPECT_EQ(std::vector<std::string>{Text(20035)}, ui_.Texts()) << bad;
  }
}

TEST_F(ReportDialogsTest, ReportSelectionStoresTheDateAndTheChosenReports) {
  CurrentReportSettings().includeFooter = true;
  CurrentReportSettings().rateTable = true;
  CurrentReportSettings().paymentAllocationDetail = true;
  ReportOptions view;
  PreviewSelectionState shown;
  EXPECT_TRUE(ReportSelectionCommand(*doc_, view, [&](PreviewSelectionState& state) {
    shown = state;
    state.computeDate = MakeDate(1, 5, 1995);
    state.switches.rateTable = false;
    state.switches.interestAndPenaltyDetail = true;
    return true;
  }));
  EXPECT_TRUE(shown.switches.rateTable);
  EXPECT_FALSE(shown.switches.paymentAllocationDetail);
  EXPECT_EQ(MakeDate(1, 5, 1995), doc_->m_computeDate);
  EXPECT_EQ(MakeDate(1, 5, 1995), view.computeDate);
  EXPECT_TRUE(view.interestAndPenaltyDetail);
  EXPECT_FALSE(view.rateTable);
  EXPECT_TRUE(view.includeFooter);

  EXPECT_FALSE(ReportSelectionCommand(*doc_, view, [](PreviewSelectionState& state) {
    state.switches = ReportSettings{};
    return true;
  }));
}

TEST_F(ReportDialogsTest, ProblemReportSetupStoresSelectionAndTexts) {
  doc_->m_header.m_footer.SetText("old footer");
  EXPECT_TRUE(ReportSetupCommand(doc_.get(), [](ReportSetupState& state) {
    EXPECT_TRUE(state.problemRecord.has_value());
    EXPECT_EQ("old footer", state.problemRecord->footer);
    state.record.monthlyAccrual = true;
    state.record.fiscalYearEnd = 8;
    state.problemRecord->footer = "new footer";
    state.useDescriptions = false;
    return true;
  }));
  EXPECT_EQ("new footer", doc_->m_header.m_footer.Text());
  EXPECT_TRUE(doc_->IsModified());
  EXPECT_TRUE(LoadReportSettings().monthlyAccrual);
  EXPECT_EQ(8, LoadReportSettings().fiscalYearEnd);
  EXPECT_EQ(0, GetIntSetting(SettingId::UseDescriptions));
  EXPECT_FALSE(Options().useDescriptions);

  // Cancel changes nothing.
  EXPECT_FALSE(ReportSetupCommand(nullptr, [](ReportSetupState& state) {
    EXPECT_FALSE(state.problemRecord.has_value());
    state.record.monthlyAccrual = false;
    return false;
  }));
  EXPECT_TRUE(LoadReportSettings().monthlyAccrual);
}

TEST_F(ReportDialogsTest, SaveChangesQuestion) {
  EXPECT_EQ(CancelChoice::Discard, AskSaveChanges(false));
  EXPECT_TRUE(ui_.messages.empty());
  ui_.answers = {Answer::Yes, Answer::No, Answer::Cancel};
  EXPECT_EQ(CancelChoice::Save, AskSaveChanges(true));
  EXPECT_EQ(CancelChoice::Discard, AskSaveChanges(true));
  EXPECT_EQ(CancelChoice::Stay, AskSaveChanges(true));
  EXPECT_EQ(Text(20008), ui_.messages.back().text);
  EXPECT_EQ(MessageKind::YesNoCancel, ui_.messages.back().kind);
}

TEST_F(ReportDialogsTest, HeadersSwitchBetweenTheTwoSets) {
  const ReportTexts newFile = {"new 1", "new 2", "new 3", "new footer"};
  const ReportTexts file = {"file 1", "file 2", "file 3", "file footer"};
  HeadersModel model(newFile, file);
  EXPECT_FALSE(model.AllNewFiles());
  EXPECT_EQ(file, model.Fields());
  model.SetField(0, "file 1 changed");
  EXPECT_TRUE(model.Modified());

  model.Choose(true);  // the typed text stays with this file's set; the fields show the new-file texts
  EXPECT_EQ(newFile, model.Fields());
  model.SetField(3, "footer for all");
  ASSERT_TRUE(model.Accept());
  const ReportTexts expected = {"new 1", "new 2", "new 3", "footer for all"};
  EXPECT_EQ(expected, model.NewFileTexts());
  EXPECT_EQ(expected, model.FileTexts());
  EXPECT_EQ("footer for all", GetStringSetting(SettingId::Footer));
  EXPECT_EQ("new 1", GetStringSetting(SettingId::HeadingLine1));
  EXPECT_EQ("footer for all", CurrentReportSettings().footer);

  // Choosing the texts for all new files makes them this file's too, so going back shows them.
  HeadersModel again(newFile, file);
  again.SetField(1, "typed");
  again.Choose(true);
  again.Choose(false);
  EXPECT_EQ(newFile, again.Fields());
}

TEST_F(ReportDialogsTest, HeadersWithoutAProblemEditTheNewFileTexts) {
  HeadersModel model({"a", "b", "c", "d"}, std::nullopt);
  EXPECT_TRUE(model.AllNewFiles());
  model.Choose(false);  // not offered without a problem
  EXPECT_TRUE(model.AllNewFiles());
  model.SetField(2, std::string(kHeaderFieldMax + 8, 'x'));  // 132: what the problem file keeps
  EXPECT_EQ(std::string(kHeaderFieldMax, 'x'), model.Fields()[2]);
  ASSERT_TRUE(model.Accept());
  EXPECT_EQ(std::string(kHeaderFieldMax, 'x'), GetStringSetting(SettingId::HeadingLine3));
}

TEST_F(ReportDialogsTest, StoreReportTextsMarksOnlyAChange) {
  ReportSettings record;
  SetTexts(record, TextsOf(*doc_));
  StoreReportTexts(*doc_, record);
  EXPECT_FALSE(doc_->IsModified());
  record.headerLines[2] = std::string(200, 'y');
  StoreReportTexts(*doc_, record);
  EXPECT_TRUE(doc_->IsModified());
  EXPECT_EQ(kReportTextMax, doc_->m_header.m_headings[2].Text().size());
}

}  // namespace
}  // namespace zarvic
