// The Deposit Penalty window's rules without the window: fields taken whole or refused, the grids read
// into the worksheet, the rows and total figured after every change, and the worksheet kept with the
// problem only when it changed.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "worksheets/DepositPenaltyTestSupport.h"
#include "worksheets/DepositPenaltyWindowModel.h"
#include "worksheets/WorksheetKeeping.h"

namespace zarvic {
namespace {

using namespace deposit_testing;

std::string Message(int id) {
  return std::string(StringText(id));
}

// examples/DEPTAX.TXT: a semiweekly quarter, every payday a Friday ($4,000 each), the deposit for
// 08-08-25 made 08-20-25 (due 08-13: 7 days, 5%, $200.00) and the last one paid with the return
// (10%, $400.00).
DepositPenaltyWorksheet Example() {
  DepositPenaltyWorksheet w;
  w.schedule = DepositSchedule::Semiweekly;
  w.periodStart = D("07-01-2025");
  w.periodEnd = D("09-30-2025");
  for (const char* day : {"07-11-2025", "07-25-2025", "08-08-2025", "08-22-2025", "09-05-2025", "09-19-2025"})
    w.liabilities.push_back({D(day), Usd(4000), NO_DATE});
  for (const char* day : {"07-16-2025", "07-30-2025", "08-20-2025", "08-27-2025", "09-10-2025"})
    w.deposits.push_back({D(day), Usd(4000), false, NO_DATE});
  w.deposits.push_back({D("10-31-2025"), Usd(4000), true, NO_DATE});
  return w;
}

class DepositPenaltyWindowModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Options();
    doc_.ResetProblem();
    doc_.m_events[0].m_type = kEventTax;
    doc_.m_events[0].m_date = D("10-31-2025");
    doc_.m_events[0].m_amount = Usd(24000);
    doc_.RecomputeTaxTotals();
    doc_.SetModified(false);
    ui.messages.clear();  // a problem made anew may say it found no federal table
  }
  void TearDown() override { Options() = saved_; }

  // The example kept with the problem, as a saved problem brings it back.
  void KeepExample(DayNumber penaltyDate = NO_DATE) {
    KeepWorksheet(doc_, Example(), penaltyDate);
    doc_.SetModified(false);
  }

  RecordingUserInterface ui;
  ScopedUserInterface scopedUi{ui};
  CTDoc doc_;
  AppOptions saved_;
};

TEST_F(DepositPenaltyWindowModelTest, ANewWorksheetOpensEmptyAndAsksForThePeriod) {
  DepositPenaltyWindowModel model(doc_);
  EXPECT_EQ(DepositPenaltyWorksheet{}, model.Worksheet());
  for (DepositField f : {DepositField::PeriodStart, DepositField::PeriodEnd, DepositField::FirstNotice,
                         DepositField::Demand, DepositField::PenaltyDate})
    EXPECT_EQ("", model.FieldText(f));
  EXPECT_EQ(0, model.Liabilities().RowCount());
  EXPECT_EQ(0, model.Deposits().RowCount());
  EXPECT_TRUE(model.HasError());
  EXPECT_EQ(Message(21400), model.ErrorText());
  EXPECT_TRUE(model.Rows().empty());
  EXPECT_EQ("", model.TotalText());
  EXPECT_FALSE(model.Changed());
  EXPECT_FALSE(model.Close());
  EXPECT_FALSE(doc_.IsModified()) << "a window opened and closed changes nothing";
  EXPECT_FALSE(doc_.m_worksheets.depositPenalty.has_value());
}

TEST_F(DepositPenaltyWindowModelTest, TheKeptWorksheetShowsItsFiguresRowByRow) {
  KeepExample(D("12-01-2025"));
  DepositPenaltyWindowModel model(doc_);
  EXPECT_EQ("07-01-25", model.FieldText(DepositField::PeriodStart));
  EXPECT_EQ("09-30-25", model.FieldText(DepositField::PeriodEnd));
  EXPECT_EQ("12-01-25", model.FieldText(DepositField::PenaltyDate));
  EXPECT_EQ(6, model.Liabilities().RowCount());
  EXPECT_EQ("4,000.00", model.Liabilities().Text(0, kLiabilityAmountColumn));
  EXPECT_EQ("Yes", model.Deposits().Text(5, kDepositDirectColumn));
  ASSERT_FALSE(model.HasError()) << model.ErrorText();

  using Cells = std::array<std::string, kDepositResultColumns>;
  const std::vector<Cells> expected = {
      {"07-11-25", "4,000.00", "07-16-25", "by the semiweekly rule", "07-16-25", "4,000.00", "deposited", "0",
       "0%", "0.00"},
      {"07-25-25", "4,000.00", "07-30-25", "by the semiweekly rule", "07-30-25", "4,000.00", "deposited", "0",
       "0%", "0.00"},
      {"08-08-25", "4,000.00", "08-13-25", "by the semiweekly rule", "08-20-25", "4,000.00", "deposited", "7",
       "5%", "200.00"},
      {"08-22-25", "4,000.00", "08-27-25", "by the semiweekly rule", "08-27-25", "4,000.00", "deposited", "0",
       "0%", "0.00"},
      {"09-05-25", "4,000.00", "09-10-25", "by the semiweekly rule", "09-10-25", "4,000.00", "deposited", "0",
       "0%", "0.00"},
      {"09-19-25", "4,000.00", "09-24-25", "by the semiweekly rule", "10-31-25", "4,000.00", "direct", "37",
       "10%", "400.00"},
  };
  ASSERT_EQ(expected.size(), model.Rows().size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(static_cast<int>(i), model.Rows()[i].liability);
    EXPECT_EQ(expected[i], model.Rows()[i].cells) << "row " << i;
  }
  EXPECT_EQ("Total penalty: 600.00", model.TotalText());
  EXPECT_EQ("", model.NotesText());
  EXPECT_EQ("08-13-25", model.FiguredDueDate(2));
  EXPECT_FALSE(model.Close());
  EXPECT_FALSE(doc_.IsModified());
}

// Each field takes a date in any form the program reads, or nothing; anything else is refused with the
// date message, and the field keeps what it held.
TEST_F(DepositPenaltyWindowModelTest, FieldsTakeADateWholeOrRefuseIt) {
  struct Case {
    DepositField field;
    const char* typed;
    bool taken;
    const char* shown;  // what the field then holds
  } cases[] = {
      {DepositField::PeriodStart, "7/1/2025", true, "07-01-25"},
      {DepositField::PeriodStart, "", true, ""},
      {DepositField::PeriodStart, "07-32-25", false, "07-01-25"},
      {DepositField::PeriodEnd, "9-30-25x", false, "09-30-25"},
      {DepositField::PeriodEnd, "093025", true, "09-30-25"},
      {DepositField::FirstNotice, "11-03-2025", true, "11-03-25"},
      {DepositField::FirstNotice, "tomorrow", false, ""},
      {DepositField::Demand, "  12-01-25 ", true, "12-01-25"},
      {DepositField::PenaltyDate, "02-30-26", false, "12-01-25"},
      {DepositField::PenaltyDate, "", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    KeepExample(D("12-01-2025"));
    DepositPenaltyWindowModel model(doc_);
    ui.messages.clear();
    EXPECT_EQ(c.taken, model.SetField(c.field, c.typed));
    EXPECT_EQ(c.shown, model.FieldText(c.field));
    EXPECT_EQ(c.taken ? std::vector<std::string>{} : std::vector<std::string>{Message(kGridBadDateId)},
              ui.Texts());
  }
}

// The figures follow every change; a worksheet that cannot be figured shows its message and the row at
// fault instead of rows.
TEST_F(DepositPenaltyWindowModelTest, EveryChangeIsFiguredAgain) {
  KeepExample();
  DepositPenaltyWindowModel model(doc_);

  // A first notice before the last payment: what is paid after its 10th day bears 15%.
  ASSERT_TRUE(model.SetField(DepositField::FirstNotice, "10-01-2025"));
  EXPECT_EQ("Total penalty: 800.00", model.TotalText());
  ASSERT_TRUE(model.SetField(DepositField::FirstNotice, ""));

  // The period cut short: the last liability is outside it, and its row is the one at fault.
  ASSERT_TRUE(model.SetField(DepositField::PeriodEnd, "09-15-2025"));
  EXPECT_TRUE(model.HasError());
  EXPECT_EQ(StringPrintfDynamic(Message(21403).c_str(), "09-19-25"), model.ErrorText());
  EXPECT_EQ(5, model.ErrorLiability());
  EXPECT_EQ(-1, model.ErrorDeposit());
  EXPECT_TRUE(model.Rows().empty());
  EXPECT_EQ("", model.TotalText());
  EXPECT_EQ("", model.FiguredDueDate(0));
  ASSERT_TRUE(model.SetField(DepositField::PeriodEnd, "09-30-2025"));

  // A deposit row begun with its amount has no date yet.
  ASSERT_TRUE(model.Deposits().Set(6, kDepositAmountColumn, "50").changed);
  model.GridChanged();
  EXPECT_EQ(Message(21407), model.ErrorText());
  EXPECT_EQ(6, model.ErrorDeposit());
  ASSERT_TRUE(model.Deposits().Set(6, kDepositDateColumn, "11-20-2025").changed);
  model.GridChanged();
  EXPECT_EQ("Total penalty: 600.00", model.TotalText());
  EXPECT_EQ("Deposits left over: 50.00", model.NotesText());

  // The deposit of 08-20 designated to the liability of 09-19 instead: each later deposit then pays the
  // most recent liability due, and 08-08 is left to the payment with the return (10%).
  ASSERT_TRUE(model.Deposits().Set(2, kDepositDesignatedColumn, "09-19-2025").changed);
  model.GridChanged();
  ASSERT_FALSE(model.HasError()) << model.ErrorText();
  EXPECT_EQ("deposited, designated", model.Rows()[5].cells[kResultHowPaid]);
  EXPECT_EQ("direct", model.Rows()[2].cells[kResultHowPaid]);
  EXPECT_EQ("Total penalty: 400.00", model.TotalText());

  // A due date entered for a liability is its own; the schedule's shows where none is entered.
  ASSERT_TRUE(model.Liabilities().Set(0, kLiabilityDueDateColumn, "07-15-2025").changed);
  model.GridChanged();
  EXPECT_EQ("", model.FiguredDueDate(0));
  EXPECT_EQ("07-30-25", model.FiguredDueDate(1));
  EXPECT_EQ("as entered", model.Rows()[0].cells[kResultRule]);
  EXPECT_EQ("1", model.Rows()[0].cells[kResultDaysLate]);

  // Averaged: the grid's liabilities are not the rows, so none of them shows a figured due date.
  model.SetAveraged(true);
  EXPECT_FALSE(model.HasError());
  EXPECT_EQ(-1, model.Rows()[0].liability);
  EXPECT_EQ("", model.FiguredDueDate(1));

  model.SetSchedule(DepositSchedule::Dates);
  model.SetAveraged(false);
  EXPECT_EQ(StringPrintfDynamic(Message(21405).c_str(), "07-25-25"), model.ErrorText());
  EXPECT_EQ(1, model.ErrorLiability());
  EXPECT_TRUE(model.Changed());
}

// The rows follow what is typed into a date field as soon as it reads as a date; the field takes it only
// when left, so a window closed meanwhile keeps nothing.
TEST_F(DepositPenaltyWindowModelTest, RowsFollowTypingBeforeTheFieldIsLeft) {
  KeepExample();
  DepositPenaltyWindowModel model(doc_);
  model.Edit(DepositField::FirstNotice, "10-01-2");  // not a date yet: the rows stay
  EXPECT_EQ("Total penalty: 600.00", model.TotalText());
  model.Edit(DepositField::FirstNotice, "10-01-25");
  EXPECT_EQ("Total penalty: 800.00", model.TotalText());
  EXPECT_EQ("", model.FieldText(DepositField::FirstNotice));
  EXPECT_FALSE(model.Changed());
  model.Edit(DepositField::FirstNotice, "10-01-25x");
  EXPECT_EQ("Total penalty: 600.00", model.TotalText());
  EXPECT_TRUE(ui.messages.empty()) << "typing is never refused; leaving the field is";

  // The same for a grid cell: the late deposit of 08-20 typed as made on 08-13 takes its 200.00 away;
  // the grid keeps what it held until the cell is left.
  model.EditCell(model.Deposits(), 2, kDepositDateColumn, "08-13-25");
  EXPECT_EQ("Total penalty: 400.00", model.TotalText());
  EXPECT_EQ("08-20-25", model.Deposits().Text(2, kDepositDateColumn));
  model.EditCell(model.Liabilities(), 5, kLiabilityAmountColumn, "4,000.0x");
  EXPECT_EQ("Total penalty: 600.00", model.TotalText());
  model.EditCell(model.Liabilities(), 5, kLiabilityAmountColumn, "2,000");
  // The last liability typed as 2,000.00: the payment with the return pays 10% of that, 200.00.
  EXPECT_EQ("Total penalty: 400.00", model.TotalText());
  EXPECT_FALSE(model.Changed());
  EXPECT_TRUE(ui.messages.empty());
}

// A part never paid shows on its own line, without a date or days; cents are shown in Whole Dollar
// Mode too, since the worksheet is figured to the cent.
TEST_F(DepositPenaltyWindowModelTest, PartsOfALiabilityShowOneALine) {
  Options().wholeDollarMode = true;
  DepositPenaltyWorksheet w;
  w.schedule = DepositSchedule::Monthly;
  w.periodStart = D("04-01-2025");
  w.periodEnd = D("06-30-2025");
  w.liabilities = {{D("04-30-2025"), Usd(3000.50), NO_DATE}};
  w.deposits = {{D("05-15-2025"), Usd(1000), false, NO_DATE}};
  KeepWorksheet(doc_, w, NO_DATE);
  DepositPenaltyWindowModel model(doc_);
  ASSERT_EQ(1u, model.Rows().size());
  const auto& c = model.Rows()[0].cells;
  EXPECT_EQ("3,000.50", c[kResultAmount]);
  EXPECT_EQ("05-15-25\n", c[kResultPaidOn]);
  EXPECT_EQ("1,000.00\n2,000.50", c[kResultPaid]);
  EXPECT_EQ("deposited\nnever paid", c[kResultHowPaid]);
  EXPECT_EQ("0\n", c[kResultDaysLate]);
  EXPECT_EQ("0%\n10%", c[kResultRate]);
  EXPECT_EQ("0.00\n200.05", c[kResultPenalty]);
  EXPECT_EQ("Total penalty: 200.05", model.TotalText());
}

TEST_F(DepositPenaltyWindowModelTest, ClosingKeepsTheWorksheetOnlyWhenItChanged) {
  KeepExample(D("12-01-2025"));
  {
    // Changed and changed back: nothing to keep.
    DepositPenaltyWindowModel model(doc_);
    ASSERT_TRUE(model.SetField(DepositField::Demand, "12-15-2025"));
    model.SetAveraged(true);
    EXPECT_TRUE(model.Changed());
    ASSERT_TRUE(model.SetField(DepositField::Demand, ""));
    model.SetAveraged(false);
    EXPECT_FALSE(model.Close());
    EXPECT_FALSE(doc_.IsModified());
  }
  {
    DepositPenaltyWindowModel model(doc_);
    ASSERT_TRUE(model.Liabilities().Set(0, kLiabilityAmountColumn, "4,100").changed);
    model.GridChanged();
    EXPECT_TRUE(model.Close());
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_EQ(Usd(4100), KeptDepositPenalty(doc_).liabilities[0].amount);
  }
  doc_.SetModified(false);
  {
    // The penalty date alone is kept too.
    DepositPenaltyWindowModel model(doc_);
    ASSERT_TRUE(model.SetField(DepositField::PenaltyDate, "01-05-2026"));
    EXPECT_TRUE(model.Close());
    EXPECT_EQ(D("01-05-2026"), doc_.m_worksheets.depositPenaltyDate);
  }
}

TEST_F(DepositPenaltyWindowModelTest, AddToProblemAddsOneEventAndThenUpdatesIt) {
  KeepExample();
  DepositPenaltyWindowModel model(doc_);
  // Without a date: refused, and the problem has no penalty event.
  EXPECT_EQ(AddOutcome::Refused, model.AddToProblem().outcome);
  EXPECT_EQ((std::vector<std::string>{Message(kWorksheetPenaltyNeedsDateId)}), ui.Texts());
  EXPECT_EQ(-1, FindWorksheetPenaltyEvent(doc_, WorksheetKind::DepositPenalty));

  ASSERT_TRUE(model.SetField(DepositField::PenaltyDate, "12-01-2025"));
  const AddResult first = model.AddToProblem();
  EXPECT_EQ(AddOutcome::Added, first.outcome);
  ASSERT_EQ(2, doc_.EventCount());
  const CEvent& event = doc_.m_events[static_cast<std::size_t>(first.index)];
  EXPECT_EQ(kEventPenalty, event.m_type);
  EXPECT_EQ(D("12-01-2025"), event.m_date);
  EXPECT_EQ(Usd(600), event.m_amount);
  EXPECT_EQ(D("12-01-2025"), doc_.m_worksheets.depositPenaltyDate);
  EXPECT_EQ(Example(), KeptDepositPenalty(doc_));

  // A second use updates the same event.
  ASSERT_TRUE(model.SetField(DepositField::FirstNotice, "10-01-2025"));
  EXPECT_EQ(AddOutcome::Updated, model.AddToProblem().outcome);
  EXPECT_EQ(2, doc_.EventCount());
  EXPECT_EQ(
      Usd(800),
      doc_.m_events[static_cast<std::size_t>(FindWorksheetPenaltyEvent(doc_, WorksheetKind::DepositPenalty))]
          .m_amount);
  EXPECT_FALSE(model.Changed()) << "what was added is what the problem keeps";
  EXPECT_FALSE(model.Close());

  // A worksheet that cannot be figured is refused with its own message; nothing is kept or added.
  doc_.SetModified(false);
  ui.messages.clear();
  DepositPenaltyWindowModel broken(doc_);
  ASSERT_TRUE(broken.SetField(DepositField::PeriodStart, "10-01-2025"));
  EXPECT_EQ(AddOutcome::Refused, broken.AddToProblem().outcome);
  EXPECT_FALSE(broken.KeepForReport());
  EXPECT_EQ((std::vector<std::string>{Message(21400), Message(21400)}), ui.Texts());
  EXPECT_FALSE(doc_.IsModified());
  EXPECT_EQ(D("07-01-2025"), KeptDepositPenalty(doc_).periodStart);
}

TEST_F(DepositPenaltyWindowModelTest, TheReportGetsTheWorksheetAsShown) {
  DepositPenaltyWindowModel model(doc_);
  ASSERT_TRUE(model.SetField(DepositField::PeriodStart, "07-01-2025"));
  ASSERT_TRUE(model.SetField(DepositField::PeriodEnd, "09-30-2025"));
  model.SetSchedule(DepositSchedule::Semiweekly);
  ASSERT_TRUE(model.KeepForReport());
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(model.Worksheet(), KeptDepositPenalty(doc_));
  EXPECT_FALSE(model.Changed());
}

}  // namespace
}  // namespace zarvic
