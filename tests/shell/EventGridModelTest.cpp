#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/FieldRules.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "penalties/PenaltyCatalog.h"
#include "penalties/PenaltyModel.h"
#include "shell/EventGridModel.h"
#include "support/ProblemFixture.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Ev;

// Tax 1000 on 04-15-95, payment 300 on 06-15-96, suspend 01-01-97, debit 50 on 03-01-97, then the entry row.
class EventGridModelTest : public testing::ProblemFixture {
 protected:
  void SetUp() override {
    SetEvents({{kEventTax, "04-15-95", 1000},
               {kEventPayment, "06-15-96", 300},
               {kEventStopInterest, "01-01-97", 0},
               {kEventDebit, "03-01-97", 50}});
    Doc().m_events[1].Allocation().m_specific[0] = 12300;
  }
  void ActivatePenalty() { Doc().m_penalties[kPenaltyFailureToPay].SetFlag(PEN_ACTIVE, true); }

  EventGridModel grid_{Doc()};
};

// What one editor stores, which messages follow and where the focus goes back.
TEST_F(EventGridModelTest, CommitsCheckWhatWasTyped) {
  struct Case {
    const char* name;
    int row;
    int column;
    const char* text;
    bool penalties;
    std::vector<int> messages;
    bool returnToCell;
    const char* returnText;
    double amount;  // of the row afterwards, cents
    const char* date;
    bool modified;
  };
  const std::array cases{
      Case{"bad date keeps the old one",
           1,
           kGridDate,
           "13/45/96",
           false,
           {20032},
           true,
           "06-15-96",
           30000,
           "06-15-96",
           false},
      Case{"1/5/97 is a date", 1, kGridDate, "1/5/97", false, {}, false, "", 30000, "01-05-97", true},
      Case{"an emptied date keeps the event",
           1,
           kGridDate,
           "",
           false,
           {},
           false,
           "",
           30000,
           "06-15-96",
           false},
      Case{
          "same date is no change", 1, kGridDate, "06-15-96", false, {}, false, "", 30000, "06-15-96", false},
      Case{"too large",
           1,
           kGridAmount,
           "10,000,000,000",
           false,
           {20041},
           true,
           "300.00",
           30000,
           "06-15-96",
           false},
      Case{"largest that fits",
           1,
           kGridAmount,
           "9,999,999,999.99",
           false,
           {},
           false,
           "",
           999999999999.0,
           "06-15-96",
           true},
      Case{"negative stored positive",
           1,
           kGridAmount,
           "-500",
           false,
           {20034},
           true,
           "500.00",
           50000,
           "06-15-96",
           true},
      // Regression: letters alone read as 0.00 and wiped the amount; now refused as not an amount.
      Case{"letters alone keep the amount",
           1,
           kGridAmount,
           "abc",
           false,
           {kMalformedAmountId},
           true,
           "300.00",
           30000,
           "06-15-96",
           false},
      // Regressions: the lenient reader skipped what was not a figure and stored another amount.
      Case{"letter O for zero",
           1,
           kGridAmount,
           "3,08O,514.86",
           false,
           {kMalformedAmountId},
           true,
           "300.00",
           30000,
           "06-15-96",
           false},
      Case{"exponent",
           1,
           kGridAmount,
           "1.5E+06",
           false,
           {kMalformedAmountId},
           true,
           "300.00",
           30000,
           "06-15-96",
           false},
      Case{"letter inside",
           1,
           kGridAmount,
           "4x88.26",
           false,
           {kMalformedAmountId},
           true,
           "300.00",
           30000,
           "06-15-96",
           false},
      Case{"comma out of place",
           1,
           kGridAmount,
           "12,34",
           false,
           {kMalformedAmountId},
           true,
           "300.00",
           30000,
           "06-15-96",
           false},
      Case{"an emptied amount keeps the amount",
           1,
           kGridAmount,
           "  ",
           false,
           {},
           false,
           "",
           30000,
           "06-15-96",
           false},
      Case{"amount", 1, kGridAmount, "1,234.56", false, {}, false, "", 123456, "06-15-96", true},
      // Regression: a later payment reset the penalties, though every run takes it from the events.
      Case{"payment after the tax date with penalties",
           1,
           kGridAmount,
           "400",
           true,
           {},
           false,
           "",
           40000,
           "06-15-96",
           true},
      Case{"tax amount with penalties",
           0,
           kGridAmount,
           "900",
           true,
           {20024},
           false,
           "",
           90000,
           "04-15-95",
           true},
      Case{"debit date with penalties",
           3,
           kGridDate,
           "3/2/97",
           true,
           {20024},
           false,
           "",
           5000,
           "03-02-97",
           true},
      Case{"payment moved before the tax date with penalties",
           1,
           kGridDate,
           "1/1/95",
           true,
           {20024},
           false,
           "",
           30000,
           "01-01-95",
           true},
      Case{"negative tax with penalties",
           0,
           kGridAmount,
           "-900",
           true,
           {20034, 20024},
           true,
           "900.00",
           90000,
           "04-15-95",
           true},
      Case{"bad date with penalties changes nothing",
           0,
           kGridDate,
           "xx",
           true,
           {20032},
           true,
           "04-15-95",
           100000,
           "04-15-95",
           false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    Doc().SetModified(false);
    for (auto& record : Doc().m_penalties) record.MakeNew();
    if (c.penalties) ActivatePenalty();
    GridCommit result =
        c.column == kGridDate ? grid_.CommitDate(c.row, c.text) : grid_.CommitAmount(c.row, c.text);
    EXPECT_EQ(c.messages, result.messages);
    EXPECT_EQ(c.returnToCell, result.returnToCell);
    EXPECT_EQ(std::string(c.returnText), result.returnText);
    const CEvent& event = Doc().m_events[static_cast<std::size_t>(c.row)];
    EXPECT_EQ(c.amount, event.m_amount);
    EXPECT_EQ(D(c.date), event.m_date);
    EXPECT_EQ(c.modified, Doc().IsModified());
    const bool switchedOff = c.penalties && !AnyActivePenalty(Doc());
    EXPECT_EQ(std::count(c.messages.begin(), c.messages.end(), 20024) == 1, switchedOff);
  }
}

TEST_F(EventGridModelTest, AnAmountChangeResetsTheAllocationAndMayOpenItsWindow) {
  for (bool show : {false, true}) {
    SetUp();
    Options().alwaysShowPaymentAllocation = show;
    GridCommit result = grid_.CommitAmount(1, "250");
    EXPECT_EQ(0.0, Doc().m_events[1].m_allocation->m_specific[0]);
    EXPECT_EQ(25000.0, Doc().m_events[1].m_gattAmount);
    EXPECT_EQ(show ? 1 : -1, result.allocateEvent);
    // The same amount again changes nothing and opens nothing.
    EXPECT_EQ(-1, grid_.CommitAmount(1, "250.00").allocateEvent);
  }
  // A tax is not allocated.
  Options().alwaysShowPaymentAllocation = true;
  EXPECT_EQ(-1, grid_.CommitAmount(0, "5").allocateEvent);
}

// "&Allocate a Payment..." only on a payment, deposit or credit row.
TEST_F(EventGridModelTest, OnlyPaymentsDepositsAndCreditsAreAllocated) {
  SetEvents({{kEventTax, "04-15-95", 1000},
             {kEventPayment, "06-15-96", 300},
             {kEventDeposit, "07-15-96", 100},
             {kEventCredit, "08-15-96", 50},
             {kEventIrsCheck, "09-15-96", 20},
             {kEventDebit, "03-01-97", 50}});
  const bool allocated[] = {false, true, true, true, false, false, false};  // the last: the entry row
  for (int row = 0; row < 7; ++row) {
    grid_.SetCurrent(GridPlace::Cell(row, kGridAmount));
    EXPECT_EQ(allocated[row], grid_.CurrentEventIsAllocated()) << row;
  }
  grid_.SetCurrent(GridPlace::Name());
  EXPECT_FALSE(grid_.CurrentEventIsAllocated());
}

TEST_F(EventGridModelTest, TypeChanges) {
  struct Case {
    const char* name;
    int row;
    int code;
    bool penalties;
    std::vector<int> messages;
  };
  const std::array cases{
      Case{"payment to credit, no penalties", 1, kEventCredit, false, {}},
      Case{"a later payment made a credit keeps the penalties", 1, kEventCredit, true, {}},
      Case{"a later payment made a tax", 1, kEventTax, true, {20024}},
      Case{"tax to motivated tax", 0, kEventMotivatedTax, true, {20024}},
      Case{"suspend to resume", 2, kEventStartInterest, true, {}},
      Case{"same type", 0, kEventTax, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    for (auto& record : Doc().m_penalties) record.MakeNew();
    if (c.penalties) ActivatePenalty();
    EXPECT_EQ(c.messages, grid_.CommitType(c.row, c.code).messages);
    EXPECT_EQ(c.code, Doc().m_events[static_cast<std::size_t>(c.row)].m_type);
  }
  // A payment made a suspension loses its amount and its allocation.
  SetUp();
  grid_.CommitType(1, kEventStopInterest);
  EXPECT_EQ(0.0, Doc().m_events[1].m_amount);
  EXPECT_FALSE(Doc().m_events[1].m_allocation);
}

TEST_F(EventGridModelTest, TheEntryRowTakesATypeThenADate) {
  EXPECT_EQ(4, grid_.EventCount());
  EXPECT_TRUE(grid_.IsEntryRow(4));
  EXPECT_EQ(kGridType, grid_.ResolveColumn(4, kGridDate));
  EXPECT_EQ(kGridType, grid_.ResolveColumn(4, kGridDescription));
  EXPECT_EQ(kEventPayment, grid_.EditorType(4));
  grid_.CommitType(4, kEventPayment);
  EXPECT_EQ(kGridDate, grid_.ResolveColumn(4, kGridAmount));
  EXPECT_EQ(4, grid_.EventCount());
  EXPECT_TRUE(grid_.CommitDate(4, "1/5/98").changed);
  EXPECT_EQ(5, grid_.EventCount());
  EXPECT_EQ(kGridAmount, grid_.ResolveColumn(4, kGridAmount));
  EXPECT_EQ(kGridDate, grid_.ResolveColumn(2, kGridAmount));  // no amount on a suspension
  // A date typed straight into a free slot makes a payment.
  EXPECT_TRUE(grid_.CommitDate(5, "2/5/98").changed);
  EXPECT_EQ(kEventPayment, Doc().m_events[5].m_type);
}

TEST_F(EventGridModelTest, RowTexts) {
  Doc().m_events[3].SetDescription("Caf\xE9");  // stored as Windows-1252
  auto tax = grid_.Texts(0, false);
  EXPECT_EQ("1", tax.number);
  EXPECT_EQ("Tax", tax.type);
  EXPECT_EQ("04-15-95", tax.date);
  EXPECT_EQ("1,000.00", tax.amount);
  EXPECT_EQ("", grid_.Texts(2, false).amount);
  EXPECT_EQ("Suspend interest", grid_.Texts(2, false).type);
  EXPECT_EQ("Caf\u00e9", grid_.Texts(3, false).description);
  EXPECT_EQ("", grid_.Texts(4, false).number);
  EXPECT_EQ("5", grid_.Texts(4, true).number);
  // The editor stops at its 28 characters; a longer description a file brought is kept whole.
  grid_.CommitDescription(3, "Caf\u00e9 au lait and a long tail of text");
  EXPECT_EQ("Caf\xE9 au lait and a long tail of text", Doc().m_events[3].DescriptionText());
}

// Text the problem file cannot store never becomes "?": the description is refused with its message
// and the old text goes back into the editor; the taxpayer fields keep what they held.
TEST_F(EventGridModelTest, TextTheFileCannotStoreIsRefused) {
  grid_.CommitDescription(1, "Check 101");
  const GridCommit refused = grid_.CommitDescription(1, "Check \xE4\xB8\xAD");
  EXPECT_EQ(std::vector<int>{kTextDoesNotFitId}, refused.messages);
  EXPECT_TRUE(refused.returnToCell);
  EXPECT_EQ("Check 101", refused.returnText);
  EXPECT_EQ("Check 101", Doc().m_events[1].DescriptionText());
  grid_.CommitTaxpayer(
      "Ren\xC3\xA9"
      "e",
      "1");
  EXPECT_FALSE(
      grid_.CommitTaxpayer("Ren\xC3\xA9"
                           "e \xF0\x9F\x98\x80",
                           "1"));
  EXPECT_EQ(
      "Ren\xC3\xA9"
      "e",
      grid_.TaxpayerName());
}

// With every event slot used there is no entry row; the row where it would be says why.
TEST_F(EventGridModelTest, AFullProblemSaysWhyThereIsNoEntryRow) {
  EXPECT_FALSE(grid_.IsFullNoteRow(4));
  EXPECT_FALSE(grid_.IsFullNoteRow(EventGridModel::kMaxRows));
  for (int i = 0; i < kMaxEvents; ++i) {
    CEvent& e = Doc().m_events[static_cast<std::size_t>(i)];
    e.m_type = kEventPayment;
    e.m_date = D("06-15-96");
  }
  EXPECT_EQ(EventGridModel::kMaxRows, grid_.RowCount());
  EXPECT_FALSE(grid_.IsEntryRow(EventGridModel::kMaxRows - 1));
  EXPECT_TRUE(grid_.IsFullNoteRow(EventGridModel::kMaxRows));
  grid_.SetVisibleRows(10);
  grid_.ScrollTo(grid_.ScrollMax());
  EXPECT_EQ(EventGridModel::kMaxRows, grid_.TopRow() + grid_.VisibleRows() - 1);  // the note row shows
  EXPECT_EQ("A problem holds at most 1,000 events.  Delete an event to make room for another.",
            std::string(StringText(EventGridModel::kNoEntryRowId)));
}

TEST_F(EventGridModelTest, DescriptionCaseAloneIsNoChange) {
  grid_.CommitDescription(1, "Check 101");
  EXPECT_TRUE(Doc().IsModified());
  Doc().SetModified(false);
  EXPECT_FALSE(grid_.CommitDescription(1, "CHECK 101").changed);
  EXPECT_EQ("CHECK 101", Doc().m_events[1].DescriptionText());
  EXPECT_FALSE(Doc().IsModified());
  EXPECT_FALSE(grid_.CommitDescription(0, "").changed);
  EXPECT_FALSE(Doc().m_events[0].HasDescription());
}

// The fields take what the problem file keeps (their editors stop there): 59 and 11 characters.
TEST_F(EventGridModelTest, TaxpayerFieldsKeepWhatTheFileKeeps) {
  EXPECT_TRUE(grid_.CommitTaxpayer(std::string(60, 'N'), "123-45-67890123"));
  EXPECT_EQ(std::string(59, 'N'), grid_.TaxpayerName());
  EXPECT_EQ("123-45-6789", grid_.TaxpayerId());
  EXPECT_TRUE(Doc().IsModified());
  EXPECT_FALSE(grid_.CommitTaxpayer(std::string(59, 'N'), "123-45-6789"));
}

TEST_F(EventGridModelTest, Keys) {
  using P = GridPlace;
  grid_.SetVisibleRows(3);
  enum Key { Next, Previous, Up, Down, Home, End };
  struct Case {
    Key key;
    P from;
    P to;
    bool beep;
  };
  const std::array cases{
      Case{Next, P::Name(), P::Id(), false},
      Case{Next, P::Id(), P::Cell(0, kGridType), false},
      Case{Next, P::Cell(0, kGridType), P::Cell(0, kGridDate), false},
      Case{Next, P::Cell(0, kGridDate), P::Cell(0, kGridAmount), false},
      Case{Next, P::Cell(2, kGridDate), P::Cell(2, kGridDescription), false},  // suspend: no amount
      Case{Next, P::Cell(0, kGridDescription), P::Cell(1, kGridType), false},
      Case{Previous, P::Cell(0, kGridType), P::Id(), false},
      Case{Previous, P::Id(), P::Name(), false},
      Case{Previous, P::Cell(1, kGridType), P::Cell(0, kGridDescription), false},
      Case{Previous, P::Cell(2, kGridDescription), P::Cell(2, kGridDate), false},
      Case{Previous, P::Cell(1, kGridDescription), P::Cell(1, kGridAmount), false},
      Case{Up, P::Cell(0, kGridDate), P::Id(), false},
      Case{Up, P::Cell(2, kGridAmount), P::Cell(1, kGridAmount), false},
      Case{Up, P::Cell(3, kGridDate), P::Cell(2, kGridType), false},  // onto a suspension from a date
      Case{Down, P::Name(), P::Cell(0, kGridType), false},
      Case{Down, P::Cell(1, kGridDate), P::Cell(2, kGridType), false},
      Case{Down, P::Cell(3, kGridAmount), P::Cell(4, kGridAmount), false},  // into the entry row
      Case{Down, P::Cell(4, kGridType), P::Cell(4, kGridType), true},       // the entry row stays
      Case{Home, P::Cell(1, kGridAmount), P::Cell(1, kGridType), false},
      Case{End, P::Cell(1, kGridDate), P::Cell(1, kGridDescription), false},
  };
  for (const Case& c : cases) {
    GridMove move;
    switch (c.key) {
      case Next:
        move = grid_.NextField(c.from);
        break;
      case Previous:
        move = grid_.PreviousField(c.from);
        break;
      case Up:
        move = grid_.Up(c.from);
        break;
      case Down:
        move = grid_.Down(c.from);
        break;
      case Home:
        move = grid_.Home(c.from);
        break;
      case End:
        move = grid_.End(c.from);
        break;
    }
    EXPECT_EQ(c.to, move.to) << "key " << c.key << " from row " << c.from.row << " column " << c.from.column;
    EXPECT_EQ(c.beep, move.beep);
  }
}

TEST_F(EventGridModelTest, PagingAndScrolling) {
  std::vector<Ev> events;
  for (int i = 0; i < 30; ++i) events.push_back({kEventPayment, "06-15-96", 10.0 + i});
  SetEvents(events);
  grid_.SetVisibleRows(10);
  EXPECT_EQ(21, grid_.ScrollMax());  // the entry row shows last
  GridMove move = grid_.PageDown(GridPlace::Cell(2, kGridDate));
  EXPECT_EQ(GridPlace::Cell(12, kGridDate), move.to);
  EXPECT_EQ(10, grid_.TopRow());
  grid_.PageDown(move.to);
  move = grid_.PageDown(GridPlace::Cell(25, kGridDate));
  EXPECT_EQ(GridPlace::Cell(30, kGridDate), move.to);  // not past the entry row
  EXPECT_EQ(21, grid_.TopRow());
  move = grid_.PageUp(GridPlace::Cell(5, kGridAmount));
  EXPECT_EQ(GridPlace::Cell(0, kGridAmount), move.to);
  EXPECT_EQ(11, grid_.TopRow());
  grid_.EnsureVisible(0);
  EXPECT_EQ(0, grid_.TopRow());
  grid_.EnsureVisible(30);
  EXPECT_EQ(21, grid_.TopRow());
  grid_.ScrollTo(500);
  EXPECT_EQ(21, grid_.TopRow());
}

TEST_F(EventGridModelTest, SelectionWithCtrlAndShift) {
  grid_.SelectRow(2, false, true);  // Ctrl without an anchor starts a selection
  grid_.SelectRow(0, false, true);
  grid_.SelectRow(3, false, true);
  EXPECT_EQ((std::vector<int>{3, 2, 0}), grid_.Selection());
  grid_.SelectRow(2, false, true);  // the anchor leaves: the highest selected row takes over
  EXPECT_EQ((std::vector<int>{3, 0}), grid_.Selection());
  EXPECT_EQ(3, grid_.Anchor());
  grid_.SelectRow(1, false, false);
  grid_.SelectRow(3, true, false);
  EXPECT_EQ((std::vector<int>{3, 2, 1}), grid_.Selection());
}

TEST_F(EventGridModelTest, DeleteLines) {
  struct Case {
    const char* name;
    std::vector<int> ctrlRows;  // empty: the current row
    int currentRow;
    bool penalties;
    std::vector<int> messages;
    std::vector<std::uint16_t> left;
  };
  const std::array cases{
      Case{"rows 1 and 3", {0, 2}, 1, false, {}, {kEventPayment, kEventDebit}},
      Case{"the current row", {}, 1, true, {}, {kEventTax, kEventStopInterest, kEventDebit}},
      Case{"a debit with penalties", {}, 3, true, {20024}, {kEventTax, kEventPayment, kEventStopInterest}},
      Case{"the entry row", {}, 4, true, {}, {kEventTax, kEventPayment, kEventStopInterest, kEventDebit}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    for (auto& record : Doc().m_penalties) record.MakeNew();
    if (c.penalties) ActivatePenalty();
    grid_.ClearSelection();
    for (int row : c.ctrlRows) grid_.SelectRow(row, false, true);
    grid_.SetCurrent(GridPlace::Cell(c.currentRow, kGridDate));
    EXPECT_EQ(c.messages, grid_.DeleteLines());
    std::vector<std::uint16_t> left;
    for (const CEvent& event : Doc().ListedEvents()) left.push_back(event.m_type);
    EXPECT_EQ(c.left, left);
    EXPECT_TRUE(grid_.Selection().empty());
  }
}

// A payment typed into the entry row, date first and then amount, with failure to pay active: one
// dated after the tax date leaves the penalty records alone; one on the tax date resets them once its
// amount is stored (a payment of nothing changes nothing), and Undo puts back the amount and the
// records together.
TEST_F(EventGridModelTest, ANewPaymentResetsThePenaltiesOnlyWhenTheyRestOnIt) {
  struct Case {
    const char* date;
    std::vector<int> afterDate;
    std::vector<int> afterAmount;
  };
  for (const Case& c : {Case{"3/1/98", {}, {}}, Case{"4/15/95", {}, {20024}}, Case{"1/1/95", {}, {20024}}}) {
    SCOPED_TRACE(c.date);
    SetUp();
    for (auto& record : Doc().m_penalties) record.MakeNew();
    ActivatePenalty();
    PenaltyRecord& pay = Doc().m_penalties[kPenaltyFailureToPay];
    pay.m_dates[0] = D("04-15-95");
    pay.m_dates[1] = D("06-01-95");
    pay.m_amounts[0] = 100000;
    pay.SetFlag(PEN_EDITED, true);
    const auto records = Doc().m_penalties;
    EXPECT_TRUE(grid_.CommitType(4, kEventPayment).messages.empty());
    EXPECT_EQ(c.afterDate, grid_.CommitDate(4, c.date).messages);
    EXPECT_EQ(c.afterAmount, grid_.CommitAmount(4, "250").messages);
    EXPECT_EQ(25000.0, Doc().m_events[4].m_amount);
    EXPECT_EQ(c.afterAmount.empty(), Doc().m_penalties == records);
    if (c.afterAmount.empty()) continue;
    EXPECT_FALSE(AnyActivePenalty(Doc()));
    EXPECT_TRUE(grid_.Undo());
    EXPECT_EQ(0.0, Doc().m_events[4].m_amount);
    EXPECT_EQ(records, Doc().m_penalties);
    EXPECT_FALSE(grid_.Undo());
    EXPECT_EQ(records, Doc().m_penalties);
  }
}

// An edit after the one that reset the penalties holds its own event only: Undo then leaves the
// reset records as they are.
TEST_F(EventGridModelTest, UndoPutsBackOnlyTheRecordsItsOwnEditReset) {
  ActivatePenalty();
  EXPECT_EQ(std::vector<int>{20024}, grid_.CommitAmount(0, "900").messages);
  EXPECT_TRUE(grid_.CommitAmount(1, "450").messages.empty());
  EXPECT_TRUE(grid_.Undo());
  EXPECT_EQ(30000.0, Doc().m_events[1].m_amount);
  EXPECT_EQ(90000.0, Doc().m_events[0].m_amount);
  EXPECT_FALSE(AnyActivePenalty(Doc()));
}

TEST_F(EventGridModelTest, UndoRestoresOnce) {
  grid_.CommitAmount(1, "777");
  EXPECT_TRUE(grid_.Undo());
  EXPECT_EQ(30000.0, Doc().m_events[1].m_amount);
  EXPECT_EQ(12300.0, Doc().m_events[1].m_allocation->m_specific[0]);  // the allocation comes back too
  EXPECT_FALSE(grid_.Undo());
  EXPECT_EQ(30000.0, Doc().m_events[1].m_amount);
}

// Regression: the held row could hold another event after a delete, which Undo then overwrote.
TEST_F(EventGridModelTest, UndoAfterADeleteOverwritesNothing) {
  grid_.CommitAmount(3, "60");
  grid_.SetCurrent(GridPlace::Cell(1, kGridDate));
  grid_.DeleteLines();
  EXPECT_FALSE(grid_.Undo());
  EXPECT_EQ(kEventStopInterest, Doc().m_events[1].m_type);
  EXPECT_EQ(kEventDebit, Doc().m_events[2].m_type);
  EXPECT_EQ(3, grid_.EventCount());
}

// Undoing the creation of the last event empties the entry row again; nothing else may be cut off.
TEST_F(EventGridModelTest, UndoOfANewEventKeepsTheList) {
  grid_.CommitDate(4, "1/5/98");
  EXPECT_EQ(5, grid_.EventCount());
  EXPECT_TRUE(grid_.Undo());
  EXPECT_EQ(4, grid_.EventCount());
}

}  // namespace
}  // namespace zarvic
