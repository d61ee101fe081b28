#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "allocation/PaymentAllocation.h"
#include "engine/ComputeDriver.h"
#include "support/ProblemFixture.h"
#include "support/ResultSnapshot.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Ev;
using testing::Line;
using testing::MakeTable;
using testing::TakeSnapshot;

void SetEvents(CTDoc& doc, const std::vector<Ev>& events) {
  for (CEvent& event : doc.m_events) event.Clear();
  for (std::size_t i = 0; i < events.size(); ++i) {
    doc.m_events[i].m_type = events[i].type;
    doc.m_events[i].m_date = D(events[i].date);
    doc.m_events[i].m_amount = events[i].dollars * 100;
  }
}

void LoadFederal(CTDoc& doc) {
  ASSERT_TRUE(LoadTable(doc.m_rateTable, ZARVIC_BINARY_DIR "/FEDERAL.TB3", false));
}

// Problems whose allocation runs touch every part of the walk: hot interest around its date limits,
// motivated tax, stopped interest, same-day events, C-corporation refunds with the GATT start, simple and
// Sum of Factors tables, and a long list.
struct Problem {
  const char* name;
  std::function<void(CTDoc&)> build;
};

const Problem kProblems[] = {
    {"federal, everything at once",
     [](CTDoc& doc) {
       LoadFederal(doc);
       SetEvents(doc, {{kEventTax, "04-15-1990", 150000},
                       {kEventMotivatedTax, "04-15-1990", 5000},
                       {kEventPayment, "01-15-1991", 10000},
                       {kEventPayment, "02-15-1991", 10000},
                       {kEventPenalty, "07-01-1993", 1000},
                       {kEventDebit, "01-15-1994", 2000},
                       {kEventDeposit, "03-01-1995", 20000},
                       {kEventStopInterest, "06-01-1995", 0},
                       {kEventPayment, "07-01-1995", 1000},
                       {kEventStartInterest, "09-01-1995", 0},
                       {kEventCredit, "12-31-1996", 3000},
                       {kEventPayment, "01-01-1997", 30000},
                       {kEventPayment, "01-01-1998", 30000},
                       {kEventIrsCheck, "01-15-1998", 500},
                       {kEventPayment, "06-01-1998", 80000}});
       doc.m_header.m_hotInterest = 1;
       doc.m_header.m_thirtyDayLetter = D("06-01-1990");
       doc.m_header.m_hotStop = 1;
       doc.m_header.m_restartThirtyDayLetter = D("02-01-1998");
       doc.m_computeDate = D("12-31-1999");
     }},
    {"payments on one day with the charges of that day",
     [](CTDoc& doc) {
       LoadFederal(doc);
       SetEvents(doc, {{kEventTax, "04-15-2001", 5000},
                       {kEventPayment, "04-15-2001", 1000},
                       {kEventPayment, "04-15-2001", 500},
                       {kEventTax, "06-15-2001", 700},
                       {kEventCredit, "06-15-2001", 300},
                       {kEventPayment, "06-15-2001", 300},
                       {kEventPayment, "06-15-2001", 9000},
                       {kEventPayment, "12-31-2001", 10}});
       doc.m_computeDate = D("12-31-2002");
     }},
    {"C corporation across the GATT start",
     [](CTDoc& doc) {
       doc.m_rateTable = MakeTable(
           "FEDTEST", {Line("01-01-93", kModeDaily, 8, 9.6, 7), Line("07-01-95", kModeDaily, 9, 10.8, 8),
                       Line("01-01-99", kModeDaily, 8, 9.6, 8)});
       SetEvents(doc, {{kEventTax, "04-15-93", 5000},
                       {kEventPayment, "06-30-94", 20000},
                       {kEventIrsCheck, "03-01-95", 4000},
                       {kEventTax, "06-01-95", 3000},
                       {kEventPayment, "01-15-96", 2000},
                       {kEventCredit, "03-15-99", 1000},
                       {kEventPayment, "04-15-99", 500}});
       doc.m_events[2].m_gattAmount = 150000;
       doc.m_header.m_cCorporation = 1;
       doc.m_computeDate = D("12-31-99");
     }},
    {"simple interest paid before tax",
     [](CTDoc& doc) {
       doc.m_rateTable = MakeTable(
           "STATE", {Line("01-01-90", kModeSimple, 10, 12, 9), Line("01-01-96", kModeOldIrs, 8, 9.6, 7)});
       SetEvents(doc, {{kEventTax, "01-01-95", 1000},
                       {kEventMotivatedTax, "01-01-95", 2000},
                       {kEventPayment, "03-01-95", 100},
                       {kEventPayment, "06-01-95", 100},
                       {kEventPayment, "03-01-96", 3000},
                       {kEventPayment, "06-01-96", 100}});
       for (int i : {2, 3, 4, 5}) doc.m_events[i].Allocation().SetPriorities("DAECBD");
       doc.m_computeDate = D("12-31-96");
     }},
    {"Sum of Factors table run past its end",
     [](CTDoc& doc) {
       doc.m_rateTable = MakeTable("SUMS", {Line("01-01-95", kModeFactorSum, 1.5, 2, 1),
                                            Line("02-01-95", kModeFactorSum, 2, 2.5, 1.5)});
       SetEvents(doc, {{kEventTax, "01-15-95", 1000},
                       {kEventPayment, "03-15-95", 200},
                       {kEventPayment, "06-15-95", 200},
                       {kEventPayment, "06-20-95", 2000}});
       doc.m_computeDate = D("12-31-95");
     }},
    {"a long list",
     [](CTDoc& doc) {
       LoadFederal(doc);
       const DayNumber first = D("01-15-1984");
       for (int i = 0; i < 300; ++i) {
         CEvent& event = doc.m_events[i];
         event.m_date = AddDays(first, i * 45);
         event.m_type = i % 2 ? kEventPayment : i % 6 == 2 ? kEventDebit : kEventTax;
         event.m_amount = i % 2 ? 50000.0 + 37 * i : 100000.0 + i;
       }
       doc.m_computeDate = D("12-31-2025");
     }},
};

// The allocation's runs pick up the walk where the previous one stood; each must give exactly what a
// run from the beginning gives.
TEST(AllocationRunsTest, EveryRunEqualsARunFromTheStart) {
  RecordingUserInterface ui;
  ScopedUserInterface scoped(ui);
  for (const Problem& problem : kProblems) {
    SCOPED_TRACE(problem.name);
    auto resumed = std::make_unique<CTDoc>();
    auto fresh = std::make_unique<CTDoc>();
    problem.build(*resumed);
    problem.build(*fresh);
    AllocationRuns runs;
    int payments = 0;
    for (int i = 0; i < resumed->EventCount(); ++i) {
      if (!LowersBalance(resumed->m_events[i].m_type)) continue;
      SCOPED_TRACE(i);
      ASSERT_TRUE(runs.RunTo(*resumed, i));
      ASSERT_TRUE(RunComputation(*fresh, fresh->m_events[i].m_date, false, false));
      ASSERT_EQ(TakeSnapshot(*fresh), TakeSnapshot(*resumed));
      AllocatePayment(*resumed, i);
      AllocatePayment(*fresh, i);
      ++payments;
    }
    EXPECT_GT(payments, 1);
    ASSERT_TRUE(ComputeProblem(*resumed, true));
    ASSERT_TRUE(ComputeProblem(*fresh, true));
    EXPECT_EQ(TakeSnapshot(*fresh), TakeSnapshot(*resumed));
  }
}

}  // namespace
}  // namespace zarvic
