#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "allocation/PaymentAllocation.h"
#include "engine/ComputeDriver.h"
#include "support/ProblemFixture.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Ev;
using testing::Line;
using testing::MakeTable;

constexpr int kFailureToPay = 1;  // penalty 1, category 7

// The allocation on dues set by hand: the engine totals and penalty amounts a run would have left.
class PaymentAllocationTest : public testing::ProblemFixture {
 protected:
  void SetDues(double interest, double penaltyInterest = 0, double failureToPay = 0) {
    Doc().m_compute.m_normalInterestTotal = interest;
    Doc().m_penaltyResults.PenaltyInterestTotal = penaltyInterest;
    if (failureToPay > 0) {
      Doc().m_penalties[kFailureToPay].SetFlag(PEN_ACTIVE, true);
      Doc().m_penaltyResults.PenaltyAmount[kFailureToPay] = failureToPay;
    }
  }
  const std::array<double, kAllocationCategories>& Paid(int index) {
    return Doc().m_events[index].m_allocation->m_payment;
  }
  std::array<double, kAllocationCategories> Cents(std::initializer_list<std::pair<int, double>> parts) {
    std::array<double, kAllocationCategories> a{};
    for (auto [c, v] : parts) a[c] = v;
    return a;
  }
};

// Tax 1,000 due, interest 150, penalty interest 50, failure-to-pay penalty 40; a payment of 1,100.
TEST_F(PaymentAllocationTest, WorkedExample) {
  SetEvents({{kEventTax, "01-01-95", 1000}, {kEventPayment, "02-01-95", 1100}});
  SetDues(15000, 5000, 4000);
  AllocatePayment(Doc(), 1);
  EXPECT_EQ(Cents({{0, 100000}, {7, 4000}, {1, 4500}, {5, 1500}}), Paid(1));
  EXPECT_EQ(0.0, Doc().m_events[1].m_balof);
  EXPECT_EQ(Cents({{1, 10500}, {5, 3500}}), Doc().m_dueByCategory);  // what is left due after it
  EXPECT_EQ(std::string(kBuiltInAllocationLetters),
            std::string(Doc().m_events[1].m_allocation->m_priority.data(), kAllocationCategories));
}

// Equal letters share pro rata; the last of the group in index order takes the rounding remainder.
TEST_F(PaymentAllocationTest, LastOfAGroupTakesTheRemainder) {
  SetEvents({{kEventPayment, "02-01-95", 100}});
  SetDues(5000, 10000);
  AllocatePayment(Doc(), 0);
  EXPECT_EQ(Cents({{1, 3333}, {5, 6667}}), Paid(0));
}

TEST_F(PaymentAllocationTest, SpecificAmountsAndLetters) {
  struct Case {
    const char* name;
    std::uint16_t type;
    double amount;                                   // dollars
    std::vector<std::pair<int, double>> specific;    // cents
    std::vector<std::pair<int, char>> letters;       // changed from the built-in ones
    std::array<double, kAllocationCategories> paid;  // cents
    double balof;                                    // cents
  };
  // Tax 1,000 due, interest 50 due.
  const std::array<double, kAllocationCategories> none{};
  const Case cases[] = {
      {"a payment below the tax goes to tax", kEventPayment, 600, {}, {}, Cents({{0, 60000}}), 0},
      {"specific amounts come before the letters",
       kEventPayment,
       600,
       {{1, 2000}},
       {},
       Cents({{0, 58000}, {1, 2000}}),
       0},
      {"a specific amount is cut to the due",
       kEventPayment,
       600,
       {{1, 9000}},
       {},
       Cents({{0, 55000}, {1, 5000}}),
       0},
      {"a negative specific amount counts as none",
       kEventPayment,
       600,
       {{1, -2000}},
       {},
       Cents({{0, 60000}}),
       0},
      {"a payment may overpay the tax on purpose",
       kEventPayment,
       1200,
       {{0, 110000}},
       {},
       Cents({{0, 115000}, {1, 5000}}),
       0},
      {"a deposit may not", kEventDeposit, 1200, {{0, 110000}}, {}, Cents({{0, 100000}, {1, 5000}}), -15000},
      {"a payment beyond every due overpays the tax",
       kEventPayment,
       1200,
       {},
       {},
       Cents({{0, 115000}, {1, 5000}}),
       0},
      {"a deposit beyond every due stays unallocated",
       kEventDeposit,
       1200,
       {},
       {},
       Cents({{0, 100000}, {1, 5000}}),
       -15000},
      // Regression: the remainder went negative and the first group with a due was given it.
      {"specific amounts above the payment leave nothing for the letters",
       kEventPayment,
       1000,
       {{0, 150000}},
       {{1, '\0'}},
       Cents({{0, 150000}}),
       0},
      {"a blank letter is served before A",
       kEventPayment,
       600,
       {},
       {{1, '\0'}},
       Cents({{0, 55000}, {1, 5000}}),
       0},
      {"a served letter takes nothing",
       kEventDeposit,
       600,
       {},
       {{0, kServedLetter}},
       Cents({{1, 5000}}),
       -55000},
      {"letters are signed bytes",
       kEventPayment,
       600,
       {},
       {{1, static_cast<char>(0xC1)}},
       Cents({{0, 55000}, {1, 5000}}),
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    doc_ = std::make_unique<CTDoc>();
    SetEvents({{kEventTax, "01-01-95", 1000}, {c.type, "02-01-95", c.amount}});
    SetDues(5000);
    AllocationRecord& record = Doc().m_events[1].Allocation();
    for (auto [category, cents] : c.specific) record.m_specific[category] = cents;
    for (auto [category, letter] : c.letters) record.m_priority[category] = letter;
    const std::array<char, kAllocationCategories> letters = record.m_priority;
    AllocatePayment(Doc(), 1);
    EXPECT_EQ(c.paid, Paid(1));
    EXPECT_EQ(c.balof, Doc().m_events[1].m_balof);
    EXPECT_EQ(letters, record.m_priority);  // restored after the passes
    EXPECT_NE(none, Paid(1));
  }
}

TEST_F(PaymentAllocationTest, DuesAfterAnOverpaymentShowNegativeTax) {
  SetEvents({{kEventTax, "01-01-95", 1000}, {kEventPayment, "02-01-95", 1500}});
  AllocatePayment(Doc(), 1);
  EXPECT_EQ(Cents({{0, 150000}}), Paid(1));
  EXPECT_EQ(Cents({{0, -50000}}), Doc().m_dueByCategory);
}

TEST_F(PaymentAllocationTest, DuesByCategory) {
  SetEvents({{kEventTax, "01-01-95", 1000},
             {kEventMotivatedTax, "01-01-95", 300},
             {kEventPayment, "02-01-95", 300},  // no record: all of it reduces the tax
             {kEventDebit, "03-01-95", 200},
             {kEventPenalty, "03-01-95", 50},
             {kEventPayment, "04-01-95", 400},  // 100 applied to motivated tax, the rest unallocated
             {kEventIrsCheck, "05-01-95", 70}});
  Doc().m_events[5].Allocation().m_payment[2] = 10000;
  Doc().m_compute.m_normalInterestTotal = 2000.4;  // the totals are rounded in place
  Doc().m_compute.m_refundInterestTotal = -500;
  Doc().m_compute.m_motivatedInterestTotal = 300;
  Doc().m_penaltyResults.PenaltyInterestTotal = 40;
  Doc().m_penaltyResults.PenaltyAmount[3] = 999;  // inactive: not due
  Doc().m_penaltyResults.PenaltyAmount[kFailureToPay] = 800;
  Doc().m_penalties[kFailureToPay].SetFlag(PEN_ACTIVE, true);

  ComputeDueByCategory(Doc(), 7);
  EXPECT_EQ(Cents({{0, 100000 - 30000 + 20000 - 30000 + 7000},
                   {1, 1500},
                   {2, 20000},
                   {3, 300},
                   {4, 5000},
                   {5, 40},
                   {7, 800}}),
            Doc().m_dueByCategory);
  EXPECT_EQ(2000.0, Doc().m_compute.m_normalInterestTotal);

  // Refund interest beyond the interest owed reduces the tax.
  Doc().m_compute.m_refundInterestTotal = -2500;
  ComputeDueByCategory(Doc(), 1);
  EXPECT_EQ(Cents({{0, 100000 - 500}, {3, 300}, {5, 40}, {7, 800}}), Doc().m_dueByCategory);
}

TEST_F(PaymentAllocationTest, PaymentsInPeriod) {
  SetEvents({{kEventTax, "01-01-95", 1000},
             {kEventPayment, "01-01-95", 100},  // the day of the tax: not counted
             {kEventPayment, "02-01-95", 200},
             {kEventMotivatedTax, "03-01-95", 100},
             {kEventPayment, "03-01-95", 50},  // the day of the motivated tax: not counted
             {kEventCredit, "04-01-95", 10},
             {kEventDeposit, "05-01-95", 10}});  // no record
  auto apply = [this](int i, std::initializer_list<std::pair<int, double>> parts) {
    for (auto [c, v] : parts) Doc().m_events[i].Allocation().m_payment[c] = v;
  };
  apply(1, {{0, 10000}});
  apply(2, {{0, 10000}, {2, 5000}, {7, 3000}, {1, 2000}});
  apply(4, {{0, 5000}});
  apply(5, {{0, 1000}});
  struct Case {
    int penalty;
    const char* from;
    const char* to;
    double cents;
  };
  const Case cases[] = {
      {-1, "", "", 16000},              // tax and motivated tax of the payments on other days
      {kFailureToPay, "", "", 3000},    // category 7
      {-1, "", "04-01-95", 15000},      // to is excluded
      {-1, "02-02-95", "", 1000},       // the motivated tax of 03-01-95 is met, so that day's payment drops
      {-1, "01-01-95", "01-02-95", 0},  // the payment on the tax day
      {2, "", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.penalty) + " " + c.from + " " + c.to);
    EXPECT_EQ(c.cents,
              PaymentsInPeriod(Doc(), c.penalty, *c.from ? D(c.from) : NO_DATE, *c.to ? D(c.to) : NO_DATE));
  }
}

TEST_F(PaymentAllocationTest, TotalsAndReset) {
  SetEvents(
      {{kEventTax, "01-01-95", 1000}, {kEventPayment, "02-01-95", 100}, {kEventCredit, "03-01-95", 100}});
  AllocationRecord& a = Doc().m_events[1].Allocation();
  AllocationRecord& b = Doc().m_events[2].Allocation();
  a.m_payment[0] = 100;
  a.m_payment[5] = 7;
  b.m_payment[0] = 50;
  EXPECT_EQ(Cents({{0, 150}, {5, 7}}), TotalAppliedByCategory(Doc()));

  a.m_specific[3] = 12;
  a.m_priority[0] = 'Z';
  ResetAllocationAmounts(a);
  EXPECT_EQ(Cents({}), a.m_payment);
  EXPECT_EQ(Cents({}), a.m_specific);
  EXPECT_EQ('Z', a.m_priority[0]);
}

TEST_F(PaymentAllocationTest, NewRecordsTakeTheDefaultLetters) {
  // The default allocation window writes 35 letters; the rest of a new record stays NUL.
  Options().defaultPaymentAllocation = "DABECDCCCCCCCCCCCCCCCCCCCCCCCCCCCCC";
  SetEvents({{kEventTax, "01-01-95", 1000}, {kEventPayment, "02-01-95", 100}});
  SetDues(5000);
  AllocatePayment(Doc(), 1);
  const AllocationRecord& record = *Doc().m_events[1].m_allocation;
  EXPECT_EQ(Options().defaultPaymentAllocation, std::string(record.m_priority.data(), 35));
  EXPECT_EQ('\0', record.m_priority[35]);
  EXPECT_EQ(Cents({{1, 5000}, {0, 5000}}), Paid(1));  // interest first now
}

// Through the engine: tax $600 and a $1,000 deposit on 04-15-95. Only $600 of the deposit is used.
TEST_F(PaymentAllocationTest, DepositPartlyConsumed) {
  UseTable(MakeTable("STATE", {Line("01-01-90", kModeDaily, 10, 12, 9)}));
  SetEvents({{kEventTax, "04-15-95", 600}, {kEventDeposit, "04-15-95", 1000}});
  Doc().m_computeDate = D("12-31-95");
  ASSERT_TRUE(ComputeProblem(Doc(), false));
  EXPECT_EQ(Texts({20019}), ui_.Texts());
  EXPECT_EQ(Cents({{0, 60000}}), Paid(1));
  EXPECT_EQ(0.0, Doc().m_events[1].m_balof);  // every run ends by clearing it
  EXPECT_EQ(-40000.0, FinalTotal(Doc()));     // the unused part of the deposit is the taxpayer's
}

// Tax $1,000 on 01-01-95; payment $500 on 03-01-95 after 59 days at simple 10% ($16.16): interest waits
// for tax with the built-in letters. A second payment of $600 on 05-01-95: tax 500 left, interest
// 16.16 + 61 days on $500 = 8.36.
TEST_F(PaymentAllocationTest, AllocateAllPaymentsComputesToEachPayment) {
  UseTable(MakeTable("STATE", {Line("01-01-90", kModeSimple, 10, 12, 9)}));
  SetEvents(
      {{kEventTax, "01-01-95", 1000}, {kEventPayment, "03-01-95", 500}, {kEventPayment, "05-01-95", 600}});
  AllocateAllPayments(Doc(), kMaxEvents);
  EXPECT_EQ(Cents({{0, 50000}}), Paid(1));
  EXPECT_EQ(Cents({{0, 50000 + 10000 - 1616 - 836}, {1, 1616 + 836}}), Paid(2));

  // Only up to the index asked for.
  Doc().m_events[2].m_allocation.reset();
  AllocateAllPayments(Doc(), 1);
  EXPECT_FALSE(Doc().m_events[2].m_allocation);
}

TEST_F(PaymentAllocationTest, AllocateAllPaymentsStopsAtAFailedRun) {
  SetEvents({{kEventTax, "01-01-95", 1000}, {kEventPayment, "03-01-95", 500}});
  Doc().m_events[1].Allocation().m_payment[1] = 123;  // left from before
  AllocateAllPayments(Doc(), kMaxEvents);             // no table: every run fails
  EXPECT_EQ(Cents({{1, 123}}), Paid(1));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(PaymentAllocationTest, PrepareTheAllocationWindow) {
  struct Case {
    const char* name;
    std::vector<Ev> events;
    int index;
    bool ready;
    std::vector<int> messages;
  };
  const Case cases[] = {
      {"a tax event", {{kEventTax, "01-01-95", 1000}, {kEventPayment, "03-01-95", 500}}, 0, false, {}},
      {"an empty slot", {{kEventTax, "01-01-95", 1000}, {kEventPayment, "03-01-95", 500}}, 2, false, {}},
      {"nothing but payments",
       {{kEventPayment, "01-01-95", 1000}, {kEventPayment, "03-01-95", 500}},
       1,
       false,
       {}},
      {"out of date order",
       {{kEventTax, "04-01-95", 1000}, {kEventPayment, "03-01-95", 500}},
       1,
       false,
       {20046}},
      {"after a refund",
       {{kEventTax, "01-01-95", 1000}, {kEventPayment, "02-01-95", 1500}, {kEventPayment, "06-01-95", 100}},
       2,
       false,
       {18017}},
      {"ready", {{kEventTax, "01-01-95", 1000}, {kEventPayment, "03-01-95", 500}}, 1, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    doc_ = std::make_unique<CTDoc>();
    UseTable(MakeTable("STATE", {Line("01-01-90", kModeSimple, 10, 12, 9)}));
    SetEvents(c.events);
    ui_.messages.clear();
    int index = c.index;
    EXPECT_EQ(c.ready, PreparePaymentAllocation(Doc(), index));
    EXPECT_EQ(Texts(c.messages), ui_.Texts());
    EXPECT_EQ(c.index, index);
  }
  // Ready: the record exists and the dues are those before the payment (interest 59 days: $16.16).
  EXPECT_TRUE(Doc().m_events[1].m_allocation);
  EXPECT_EQ(Cents({{0, 100000}, {1, 1616}}), Doc().m_dueByCategory);
}

TEST_F(PaymentAllocationTest, PrepareFollowsTheEventWithinItsDate) {
  UseTable(MakeTable("STATE", {Line("01-01-90", kModeSimple, 10, 12, 9)}));
  // Same date, the larger payment first: the computation orders them by amount.
  SetEvents(
      {{kEventTax, "01-01-95", 1000}, {kEventPayment, "03-01-95", 300}, {kEventPayment, "03-01-95", 100}});
  int index = 1;
  ASSERT_TRUE(PreparePaymentAllocation(Doc(), index));
  EXPECT_EQ(2, index);
  EXPECT_EQ(30000.0, Doc().m_events[index].m_amount);
}

TEST_F(PaymentAllocationTest, OpenTheAllocationWindow) {
  struct Case {
    AllocationWindowResult result;
    bool modified;
    bool restored;
    std::vector<int> messages;
  };
  const Case cases[] = {
      {AllocationWindowResult::Ok, true, false, {}},
      {AllocationWindowResult::Cancel, false, true, {}},
      {AllocationWindowResult::NothingDue, false, true, {18012}},
  };
  for (const Case& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    UseTable(MakeTable("STATE", {Line("01-01-90", kModeSimple, 10, 12, 9)}));
    SetEvents({{kEventTax, "01-01-95", 1000}, {kEventPayment, "03-01-95", 500}});
    ui_.messages.clear();
    int opened = -1;
    OpenPaymentAllocation(Doc(), 1, [&](CTDoc& doc, int index, const DueByCategory&) {
      opened = index;
      doc.m_events[index].Allocation().m_specific[1] = 1000;  // the window edits the record in place
      return c.result;
    });
    EXPECT_EQ(1, opened);
    EXPECT_EQ(c.modified, Doc().IsModified());
    EXPECT_EQ(c.restored ? 0.0 : 1000.0, Doc().m_events[1].m_allocation->m_specific[1]);
    EXPECT_EQ(Texts(c.messages), ui_.Texts());
  }
  // Without a window only the checks run.
  OpenPaymentAllocation(Doc(), 1, nullptr);
  EXPECT_FALSE(Doc().IsModified());
}

}  // namespace
}  // namespace zarvic
