#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

struct Ev {
  std::uint16_t type;
  const char* date;
  double amount;
  const char* description = nullptr;
};

CEvent MakeEvent(const Ev& e) {
  CEvent event;
  event.m_type = e.type;
  event.m_date = ParseDate(e.date);
  event.m_amount = e.amount;
  if (e.description) event.SetDescription(e.description);
  return event;
}

class CTDocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLoader_ = SetTableLoader(nullptr);
    savedHeadings_ = SetReportHeadingsSource(nullptr);
    savedOptions_ = Options();
    ResetFederalTableWarning();
  }
  void TearDown() override {
    SetTableLoader(savedLoader_);
    SetReportHeadingsSource(savedHeadings_);
    Options() = savedOptions_;
    ResetFederalTableWarning();
  }

  void SetEvents(const std::vector<Ev>& events) {
    for (CEvent& event : doc_->m_events) event.Clear();
    for (std::size_t i = 0; i < events.size(); ++i) doc_->m_events[i] = MakeEvent(events[i]);
  }
  std::vector<std::string> Descriptions() const {
    std::vector<std::string> out;
    for (const CEvent& event : doc_->ListedEvents()) out.push_back(event.DescriptionText());
    return out;
  }

  RecordingUserInterface ui_;
  ScopedUserInterface scopedUi_{ui_};
  std::unique_ptr<CTDoc> doc_ = std::make_unique<CTDoc>();

 private:
  TableLoader savedLoader_;
  ReportHeadingsSource savedHeadings_;
  AppOptions savedOptions_;
};

TEST_F(CTDocTest, ListEndsAtTheFirstEventWithoutDate) {
  SetEvents({{kEventTax, "01-15-95", 100}, {kEventPayment, "02-15-95", 50}});
  doc_->m_events[3] = MakeEvent({kEventPayment, "03-15-95", 25});
  doc_->m_events[999] = MakeEvent({kEventPayment, "03-15-95", 25});
  EXPECT_EQ(2, doc_->EventCount());
  EXPECT_EQ(50.0, doc_->SumPayments(ParseDate("12-31-99")));
  EXPECT_EQ(50.0, doc_->SumOfType(kEventPayment));

  doc_->m_events[2].m_date = NO_DATE_ALT;  // the other unset value ends it too
  EXPECT_EQ(2, doc_->EventCount());
}

TEST_F(CTDocTest, FullListHasAThousandEvents) {
  for (CEvent& event : doc_->m_events) event = MakeEvent({kEventPayment, "01-01-95", 1});
  EXPECT_EQ(1000, doc_->EventCount());
  EXPECT_EQ(1000.0, doc_->SumOfType(kEventPayment));
}

TEST(CompareEventsTest, Order) {
  struct Case {
    Ev a;
    Ev b;
    int expected;  // sign
  };
  const Case cases[] = {
      {{kEventPayment, "01-01-95", 1}, {kEventTax, "01-02-95", 1}, -1},   // date first
      {{kEventPayment, "01-15-95", 1}, {kEventTax, "01-15-95", 900}, 1},  // tax before payment
      {{kEventTax, "01-15-95", 900}, {kEventCredit, "01-15-95", 1}, -1},
      {{kEventIrsCheck, "01-15-95", 900}, {kEventDeposit, "01-15-95", 1}, -1},
      {{kEventPayment, "01-15-95", 200}, {kEventPayment, "01-15-95", 100}, 1},  // by amount
      {{kEventTax, "01-15-95", 100}, {kEventDebit, "01-15-95", 200}, -1},       // same class: amount
      {{kEventStopInterest, "01-15-95", 0}, {kEventTax, "01-15-95", 100}, -1},  // neither class: amount
      {{kEventPayment, "01-15-95", 0}, {kEventStopInterest, "01-15-95", 0}, 0},
      {{kEventDebit, "01-15-95", 5, "x"}, {kEventDebit, "01-15-95", 5}, 1},           // no description first
      {{kEventDebit, "01-15-95", 5, "ab"}, {kEventDebit, "01-15-95", 5, "abc"}, -1},  // shorter prefix first
      {{kEventDebit, "01-15-95", 5, "\xE9"}, {kEventDebit, "01-15-95", 5, "z"}, 1},   // unsigned bytes
      {{kEventDebit, "01-15-95", 5, ""}, {kEventDebit, "01-15-95", 5, ""}, 0},
  };
  for (const Case& c : cases) {
    int result = CompareEvents(MakeEvent(c.a), MakeEvent(c.b));
    EXPECT_EQ(c.expected, (result > 0) - (result < 0)) << c.a.type << " vs " << c.b.type;
    int reverse = CompareEvents(MakeEvent(c.b), MakeEvent(c.a));
    EXPECT_EQ(-c.expected, (reverse > 0) - (reverse < 0));
  }
}

TEST_F(CTDocTest, SortPutsTaxBeforePaymentOnOneDateAndPaymentsByAmount) {
  SetEvents({{kEventPayment, "01-15-95", 300, "pay 300"},
             {kEventPayment, "01-15-95", 100, "pay 100"},
             {kEventTax, "01-15-95", 5000, "tax"},
             {kEventDebit, "01-01-95", 10, "debit"}});
  doc_->m_heldIndex = 2;
  EXPECT_EQ(2, doc_->SortEvents(1));  // "pay 100" moved from 1 to 2
  EXPECT_EQ((std::vector<std::string>{"debit", "tax", "pay 100", "pay 300"}), Descriptions());
  EXPECT_EQ(-1, doc_->m_heldIndex);
  EXPECT_EQ(1, ui_.refreshes);
}

TEST_F(CTDocTest, SortingASortedListChangesNothing) {
  SetEvents({{kEventTax, "01-15-95", 5000, "tax"}, {kEventPayment, "02-15-95", 100, "pay"}});
  doc_->m_heldIndex = 1;
  doc_->m_events[0].m_tag = 0x1234;
  struct Case {
    int current;
    int expected;
  };
  for (Case c : {Case{1, 1}, Case{-1, 0}, Case{0, 0}}) EXPECT_EQ(c.expected, doc_->SortEvents(c.current));
  EXPECT_EQ(1, doc_->m_heldIndex);
  EXPECT_EQ(0x1234, doc_->m_events[0].m_tag);
  EXPECT_EQ(0, ui_.refreshes);
}

TEST_F(CTDocTest, SortWithoutCurrentReturnsZero) {
  SetEvents({{kEventPayment, "02-15-95", 100}, {kEventTax, "01-15-95", 5000}});
  EXPECT_EQ(0, doc_->SortEvents(-1));
  EXPECT_EQ(kEventTax, doc_->m_events[0].m_type);
}

// Regression: a stop-interest event with an amount between a charge and a payment of the same date
// makes the order cyclic (charge < payment < stop < charge); sorting must still end inside the list.
TEST_F(CTDocTest, SortEndsOnACyclicOrder) {
  std::vector<Ev> events;
  for (int i = 0; i < 40; ++i) {
    events.push_back({kEventStopInterest, "01-15-95", 75});
    events.push_back({kEventTax, "01-15-95", 100});
    events.push_back({kEventPayment, "01-15-95", 50});
  }
  SetEvents(events);
  doc_->SortEvents(-1);
  EXPECT_EQ(120, doc_->EventCount());
  EXPECT_EQ(4000.0, doc_->SumOfType(kEventTax));
}

TEST_F(CTDocTest, TaxTotals) {
  struct Case {
    const char* name;
    std::vector<Ev> events;
    DayNumber taxDate;
    double totalTax;
    double netTaxDue;
  };
  const Case cases[] = {
      {"no events", {}, NO_DATE, 0, 0},
      {"one date",
       {{kEventTax, "04-15-95", 1000}, {kEventMotivatedTax, "04-15-95", 500}},
       ParseDate("04-15-95"),
       1500,
       1500},
      {"mixed dates", {{kEventTax, "04-15-95", 1000}, {kEventTax, "04-15-96", 500}}, NO_DATE, 1500, 1500},
      {"payment before the first tax",
       {{kEventPayment, "01-15-95", 200}, {kEventTax, "04-15-95", 1000}},
       ParseDate("04-15-95"),
       1000,
       800},
      {"payment on the tax date counts, later ones do not",
       {{kEventTax, "04-15-95", 1000}, {kEventPayment, "04-15-95", 100}, {kEventPayment, "05-15-95", 300}},
       ParseDate("04-15-95"),
       1000,
       900},
      {"credits always count, deposits never",
       {{kEventTax, "04-15-95", 1000}, {kEventDeposit, "04-15-95", 100}, {kEventCredit, "06-15-96", 300}},
       ParseDate("04-15-95"),
       1000,
       700},
      {"later tax moves the last tax date",
       {{kEventTax, "04-15-95", 1000}, {kEventPayment, "05-15-95", 300}, {kEventTax, "06-15-95", 10}},
       NO_DATE,
       1010,
       1010},
      {"no tax: every payment counts", {{kEventPayment, "05-15-95", 300}}, NO_DATE, 0, -300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetEvents(c.events);
    doc_->RecomputeTaxTotals();
    EXPECT_EQ(c.taxDate, doc_->TaxDate);
    EXPECT_EQ(c.totalTax, doc_->TotalTax);
    EXPECT_EQ(c.netTaxDue, doc_->NetTaxDue);
  }
}

// While the list is settled, its length, order and tax totals are found once; what a run wrote over
// the totals is put back, and once the last scope ends the list is read afresh.
TEST_F(CTDocTest, SettledListKeepsWhatItFoundUntilTheScopeEnds) {
  SetEvents(
      {{kEventTax, "04-15-95", 1000}, {kEventPayment, "01-15-95", 200}, {kEventCredit, "06-15-96", 300}});
  {
    SettledEvents settled(*doc_);
    EXPECT_EQ(0, doc_->SortEvents(-1));
    EXPECT_EQ(ParseDate("01-15-95"), doc_->m_events[0].m_date);
    doc_->RecomputeTaxTotals();
    { SettledEvents inner(*doc_); }
    doc_->TotalTax = 1.0;  // as the accuracy stacking check leaves it
    doc_->NetTaxDue = 2.0;
    doc_->RecomputeTaxTotals();
    EXPECT_EQ(3, doc_->EventCount());
    EXPECT_EQ(ParseDate("04-15-95"), doc_->TaxDate);
    EXPECT_EQ(1000, doc_->TotalTax);
    EXPECT_EQ(500, doc_->NetTaxDue);
  }
  doc_->m_events[3] = MakeEvent({kEventTax, "04-15-94", 50});
  EXPECT_EQ(4, doc_->EventCount());
  EXPECT_EQ(0, doc_->SortEvents(3));
  doc_->RecomputeTaxTotals();
  EXPECT_EQ(NO_DATE, doc_->TaxDate);
  EXPECT_EQ(1050, doc_->TotalTax);
}

TEST_F(CTDocTest, SumsThroughADate) {
  SetEvents({{kEventTax, "01-15-95", 1000},
             {kEventPayment, "01-15-95", 10},
             {kEventMotivatedTax, "02-15-95", 500},
             {kEventDeposit, "02-15-95", 20},
             {kEventPenalty, "02-15-95", 7},
             {kEventNamedPenalty, "02-15-95", 3},
             {kEventDebit, "03-15-95", 40},
             {kEventIrsCheck, "03-15-95", 60},
             {kEventCredit, "04-15-95", 80},
             {kEventTax, "01-15-95", 1}});  // out of order: counted only when no earlier event is later
  struct Case {
    const char* date;
    double tax, payments, irsChecks, debits, penalties;
  };
  const Case cases[] = {
      {"01-14-95", 0, 0, 0, 0, 0},         {"01-15-95", 1000, 10, 0, 0, 0},
      {"02-15-95", 1500, 30, 0, 0, 10},    {"03-15-95", 1500, 30, 60, 40, 10},
      {"12-31-99", 1501, 110, 60, 40, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.date);
    DayNumber d = ParseDate(c.date);
    EXPECT_EQ(c.tax, doc_->SumTax(d));
    EXPECT_EQ(c.payments, doc_->SumPayments(d));
    EXPECT_EQ(c.irsChecks, doc_->SumIrsChecks(d));
    EXPECT_EQ(c.debits, doc_->SumDebits(d));
    EXPECT_EQ(c.penalties, doc_->SumEnteredPenalties(d));
  }
  EXPECT_EQ(1001.0, doc_->SumOfType(kEventTax));
  EXPECT_TRUE(doc_->HasIrsCheck());
  EXPECT_TRUE(doc_->HasPayment());
}

TEST_F(CTDocTest, PaymentsBeforeTaxDate) {
  SetEvents({{kEventPayment, "01-10-95", 10},
             {kEventCredit, "01-11-95", 20},
             {kEventDeposit, "01-12-95", 40},
             {kEventTax, "01-15-95", 1000},
             {kEventPayment, "01-15-95", 80}});
  doc_->RecomputeTaxTotals();
  EXPECT_EQ(70.0, doc_->PaymentsBeforeTaxDate());
}

TEST_F(CTDocTest, NoPaymentsNoChecks) {
  SetEvents({{kEventTax, "01-15-95", 1000}, {kEventStopInterest, "02-15-95", 0}});
  EXPECT_FALSE(doc_->HasIrsCheck());
  EXPECT_FALSE(doc_->HasPayment());
  EXPECT_EQ(0.0, doc_->UnconsumedDeposits());
}

TEST_F(CTDocTest, UnconsumedDeposits) {
  SetEvents({{kEventDeposit, "01-15-95", 100000},
             {kEventDeposit, "02-15-95", 5000},  // no allocation record: not counted
             {kEventPayment, "03-15-95", 7000},
             {kEventDeposit, "04-15-95", 3000}});
  doc_->m_events[0].Allocation().m_payment[0] = 50000;
  doc_->m_events[0].Allocation().m_payment[1] = 10000;
  doc_->m_events[2].Allocation().m_payment[0] = 1000;
  doc_->m_events[3].Allocation().m_payment[4] = 3000;
  EXPECT_EQ(40000.0, doc_->UnconsumedDeposits());
}

TEST_F(CTDocTest, DeleteEventMovesTheRestUp) {
  SetEvents({{kEventTax, "01-15-95", 1, "a"},
             {kEventPayment, "02-15-95", 2, "b"},
             {kEventPayment, "03-15-95", 3, "c"}});
  doc_->m_events[1].Allocation();
  doc_->m_events[999] = MakeEvent({kEventDebit, "04-15-95", 9, "last"});
  ASSERT_TRUE(doc_->DeleteEvent(1));
  EXPECT_EQ((std::vector<std::string>{"a", "c"}), Descriptions());
  EXPECT_EQ(nullptr, doc_->m_events[1].m_allocation);
  EXPECT_EQ("last", doc_->m_events[998].DescriptionText());
  EXPECT_EQ(kEventFree, doc_->m_events[999].m_type);
  EXPECT_FALSE(doc_->m_events[999].HasDescription());
  EXPECT_TRUE(doc_->IsModified());

  EXPECT_TRUE(doc_->DeleteEvent(998));  // the last used slot
  EXPECT_EQ(kEventFree, doc_->m_events[998].m_type);
}

TEST_F(CTDocTest, DeleteEventOutOfRangeChangesNothing) {
  SetEvents({{kEventTax, "01-15-95", 1}});
  for (int index : {-1, 1000}) EXPECT_FALSE(doc_->DeleteEvent(index));
  EXPECT_EQ(1, doc_->EventCount());
  EXPECT_FALSE(doc_->IsModified());
}

TEST_F(CTDocTest, EmptyProblem) {
  EXPECT_TRUE(doc_->IsEmptyProblem());
  doc_->m_events[0].m_type = kEventTax;  // a type alone is not an event
  EXPECT_TRUE(doc_->IsEmptyProblem());
  doc_->m_header.m_taxpayerId.SetText("12-3456789");
  EXPECT_FALSE(doc_->IsEmptyProblem());
  doc_->m_header.m_taxpayerId.Clear();
  doc_->m_header.m_taxpayerName.SetText("Acme");
  EXPECT_FALSE(doc_->IsEmptyProblem());
  doc_->m_header.m_taxpayerName.Clear();
  SetEvents({{kEventTax, "01-15-95", 1}});
  EXPECT_FALSE(doc_->IsEmptyProblem());
}

TEST_F(CTDocTest, ResetLoadsTheFederalTable) {
  std::vector<std::string> asked;
  SetTableLoader([&](RateTable& table, const std::string& name) {
    asked.push_back(name);
    table.name = "FEDERAL";
    table.lines[0].start = ParseDate("01-01-75");
    return true;
  });
  doc_->ResetProblem(ReportHeadings{});
  EXPECT_EQ(std::vector<std::string>{"FEDERAL.TB3"}, asked);
  EXPECT_EQ("FEDERAL", doc_->m_rateTable.name);
  EXPECT_TRUE(doc_->m_rateTable.IsLoaded());
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(CTDocTest, MissingFederalTableIsReportedOncePerRun) {
  SetTableLoader([](RateTable& table, const std::string&) {
    table.lines[0].start = 100;  // half read, then failed
    return false;
  });
  doc_->m_rateTable.name = "OLD";
  doc_->ResetProblem(ReportHeadings{});
  CTDoc second;
  second.ResetProblem(ReportHeadings{});
  doc_->ResetProblem(ReportHeadings{});
  EXPECT_EQ(std::vector<std::string>{"No Federal Table Found"}, ui_.Texts());
  EXPECT_FALSE(doc_->m_rateTable.IsLoaded());
  EXPECT_EQ("", doc_->m_rateTable.name);

  ResetFederalTableWarning();  // a new run
  second.ResetProblem(ReportHeadings{});
  EXPECT_EQ(2u, ui_.messages.size());
}

TEST_F(CTDocTest, WithoutALoaderNoTableLoads) {
  doc_->ResetProblem(ReportHeadings{});
  EXPECT_FALSE(doc_->m_rateTable.IsLoaded());
  EXPECT_EQ(std::vector<std::string>{"No Federal Table Found"}, ui_.Texts());
}

TEST_F(CTDocTest, ResetGivesTheNewProblemState) {
  SetEvents({{kEventPayment, "01-15-95", 1, "a"}, {kEventTax, "02-15-95", 2}});
  doc_->m_events[0].Allocation();
  doc_->m_events[500] = MakeEvent({kEventDebit, "01-15-95", 1});
  doc_->m_header.m_taxpayerName.SetText("Acme");
  doc_->m_header.m_hotInterest = 1;
  doc_->m_header.m_gattThreshold = 5.0;
  doc_->m_heldIndex = 3;
  doc_->m_computedOnce = true;
  doc_->m_compute.m_hotInEffect = true;
  doc_->m_normalList.Append();
  doc_->m_motivatedList.Append();
  doc_->m_penaltyList.Append();
  doc_->SetModified();
  doc_->RecomputeTaxTotals();
  Options().defaultGatt = true;

  doc_->ResetProblem(ReportHeadings{{"Heading 1", "Heading 2", std::string(140, 'h')}, "Footer"});

  EXPECT_EQ(0, doc_->EventCount());
  EXPECT_EQ(kEventTax, doc_->m_events[0].m_type);
  EXPECT_EQ(nullptr, doc_->m_events[0].m_allocation);
  EXPECT_FALSE(doc_->m_events[0].HasDescription());
  EXPECT_EQ(kEventFree, doc_->m_events[500].m_type);
  EXPECT_EQ(NO_DATE, doc_->m_events[500].m_date);
  EXPECT_EQ(NO_DATE, doc_->TaxDate);
  EXPECT_EQ(0.0, doc_->TotalTax);
  EXPECT_TRUE(doc_->m_normalList.Empty());
  EXPECT_TRUE(doc_->m_motivatedList.Empty());
  EXPECT_TRUE(doc_->m_penaltyList.Empty());
  EXPECT_FALSE(doc_->m_computedOnce);
  EXPECT_FALSE(doc_->m_compute.m_hotInEffect);
  EXPECT_EQ("Heading 1", doc_->m_header.m_headings[0].Text());
  EXPECT_EQ("Heading 2", doc_->m_header.m_headings[1].Text());
  EXPECT_EQ(std::string(132, 'h'), doc_->m_header.m_headings[2].Text());
  EXPECT_EQ("Footer", doc_->m_header.m_footer.Text());
  EXPECT_EQ(1, doc_->m_header.m_cCorporation);
  EXPECT_EQ(-1, doc_->m_heldIndex);
  EXPECT_FALSE(doc_->IsModified());
  EXPECT_EQ(1, ui_.refreshes);
  // Left alone by the reset.
  EXPECT_EQ("Acme", doc_->m_header.m_taxpayerName.Text());
  EXPECT_EQ(1, doc_->m_header.m_hotInterest);
  EXPECT_EQ(5.0, doc_->m_header.m_gattThreshold);

  Options().defaultGatt = false;
  doc_->ResetProblem(ReportHeadings{});
  EXPECT_EQ(0, doc_->m_header.m_cCorporation);
  EXPECT_EQ("", doc_->m_header.m_footer.Text());
}

TEST_F(CTDocTest, ResetTakesHeadingsFromTheInstalledSource) {
  doc_->ResetProblem();
  EXPECT_EQ("", doc_->m_header.m_headings[0].Text());
  SetReportHeadingsSource([] { return ReportHeadings{{"From settings", "", ""}, "Foot"}; });
  doc_->ResetProblem();
  EXPECT_EQ("From settings", doc_->m_header.m_headings[0].Text());
  EXPECT_EQ("Foot", doc_->m_header.m_footer.Text());
}

TEST(CTDocFreshTest, NewlyBuiltProblem) {
  CTDoc doc;
  EXPECT_EQ(NO_DATE, doc.m_computeDate);
  EXPECT_EQ(ProblemHeader{}, doc.m_header);
  EXPECT_EQ(NO_DATE, doc.m_header.m_thirtyDayLetter);
  EXPECT_EQ(1000000.0, doc.m_header.m_gattThreshold);
  for (const PenaltyRecord& record : doc.m_penalties) EXPECT_EQ(PenaltyRecord{}, record);
  EXPECT_EQ(-1, doc.m_heldIndex);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(doc.IsEmptyProblem());
}

}  // namespace
}  // namespace zarvic
