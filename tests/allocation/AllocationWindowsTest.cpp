#include <gtest/gtest.h>

#include "allocation/AllocationWindows.h"
#include "core/AppOptions.h"
#include "core/Settings.h"
#include "penalties/PenaltyRecord.h"
#include "problem/EventTypes.h"
#include "support/ProblemFixture.h"

namespace zarvic {
namespace {

using testing::Ev;

// The window's model over dues set by hand, as the last computation through the payment would leave
// them (the model itself never computes beyond the allocation).
class AllocationWindowsTest : public testing::ProblemFixture {
 protected:
  // tax $1,000, interest $150, a payment of `payment` dollars as event 1.
  PaymentAllocationModel Open(double payment) {
    SetEvents({{kEventTax, "01-01-2020", 1000}, {kEventPayment, "06-01-2020", payment}});
    Doc().m_compute.m_normalInterestTotal = 15000;
    return OpenOn(1);
  }
  PaymentAllocationModel OpenOn(int index) {
    ComputeDueByCategory(Doc(), index);
    const DueByCategory dues = Doc().m_dueByCategory;
    PaymentAllocationModel model(Doc(), index, dues);
    model.Recompute();
    return model;
  }
  const AllocationRecord& Stored(int index) { return *Doc().m_events[index].m_allocation; }
};

TEST_F(AllocationWindowsTest, RowsOnlyForCategoriesDue) {
  PaymentAllocationModel model = Open(500);
  ASSERT_EQ(2, model.RowCount());
  EXPECT_EQ("Tax", model.Name(0));
  EXPECT_EQ("Interest", model.Name(1));
  EXPECT_EQ("Priority for Interest", model.LetterTip(1));
  EXPECT_EQ("Amount for Tax", model.AmountTip(0));
  EXPECT_EQ(50000.0, model.Applied(0));
  EXPECT_EQ(50000.0, model.DueAfter(0));
  EXPECT_EQ(15000.0, model.DueAfter(1));
  EXPECT_EQ(50000.0, model.PaymentAmount());
  EXPECT_EQ('D', model.Letter(1));
}

TEST_F(AllocationWindowsTest, AtMostTwelveRowsFirstByIndex) {
  // Fifteen categories due: tax, interest, motivated tax and interest, an entered penalty, penalty
  // interest and nine statutory penalties (categories 6 to 14).
  SetEvents({{kEventTax, "01-01-2020", 1000},
             {kEventMotivatedTax, "01-01-2020", 1000},
             {kEventPenalty, "01-01-2020", 100},
             {kEventPayment, "06-01-2020", 5000}});
  Doc().m_compute.m_normalInterestTotal = 1000;
  Doc().m_compute.m_motivatedInterestTotal = 1000;
  Doc().m_penaltyResults.PenaltyInterestTotal = 1000;
  for (int k = 0; k < 9; ++k) {
    Doc().m_penalties[k].SetFlag(PEN_ACTIVE, true);
    Doc().m_penaltyResults.PenaltyAmount[k] = 1000;
  }
  PaymentAllocationModel model = OpenOn(3);
  ASSERT_EQ(12, model.RowCount());
  for (int row = 0; row < 12; ++row) EXPECT_EQ(row, model.Category(row));
  // The categories without a row are still paid by their letters.
  EXPECT_EQ(1000.0, Stored(3).m_payment[14]);
}

TEST_F(AllocationWindowsTest, NothingDue) {
  SetEvents({{kEventTax, "01-01-2020", 1000},
             {kEventPayment, "02-01-2020", 1000},
             {kEventPayment, "06-01-2020", 50}});
  ComputeDueByCategory(Doc(), 1);
  AllocatePayment(Doc(), 1);
  ComputeDueByCategory(Doc(), 2);
  PaymentAllocationModel model(Doc(), 2, Doc().m_dueByCategory);
  EXPECT_TRUE(model.NothingDue());
}

TEST_F(AllocationWindowsTest, ApplyLettersAndAmounts) {
  struct Case {
    const char* name;
    std::vector<PaymentAllocationModel::RowEntry> entries;
    bool accepted;
    double tax;
    double interest;
  };
  const Case cases[] = {
      {"built-in letters pay tax first", {{'A', 0}, {'D', 0}}, true, 50000, 0},
      // Interest joins tax's group: the two share the payment pro rata, interest taking the rest.
      {"interest moved to A", {{'A', 0}, {'a', 0}}, true, 43478, 6522},
      {"interest before tax", {{'B', 0}, {'A', 0}}, true, 35000, 15000},
      {"specific amount for interest", {{'A', 0}, {'D', 10000}}, true, 40000, 10000},
      {"specific amounts add up to the payment", {{'A', 40000}, {'D', 10000}}, true, 40000, 10000},
      {"specific amounts above the payment", {{'A', 45000}, {'D', 10000}}, false, 50000, 0},
  };
  for (const Case& c : cases) {
    PaymentAllocationModel model = Open(500);
    ui_.messages.clear();
    EXPECT_EQ(c.accepted, model.Apply(c.entries)) << c.name;
    EXPECT_EQ(c.accepted ? std::vector<std::string>{} : Texts({20042}), ui_.Texts()) << c.name;
    EXPECT_EQ(c.tax, model.Applied(0)) << c.name;
    EXPECT_EQ(c.interest, model.Applied(1)) << c.name;
    // Written through to the payment's record at once.
    EXPECT_EQ(c.interest, Stored(1).m_payment[1]) << c.name;
    EXPECT_EQ(15000 - c.interest, model.DueAfter(1)) << c.name;
  }
}

TEST_F(AllocationWindowsTest, RestoreUsesTheBuiltInLetters) {
  Options().defaultPaymentAllocation = "DADDDDDDDD";
  PaymentAllocationModel model = Open(500);
  ASSERT_EQ('A', model.Letter(1));
  ASSERT_TRUE(model.Apply({{'D', 5000}, {'A', 0}}));
  model.RestoreIrsDefault();
  EXPECT_EQ(std::string(kBuiltInAllocationLetters),
            std::string(Stored(1).m_priority.begin(), Stored(1).m_priority.end()));
  EXPECT_EQ(0.0, model.Specific(0));
  EXPECT_EQ(50000.0, model.Applied(0));
  EXPECT_EQ(0.0, model.Applied(1));
}

TEST_F(AllocationWindowsTest, DefaultWindow) {
  const auto letters = DefaultAllocationFieldLetters(kBuiltInAllocationLetters);
  EXPECT_EQ("ADBECDCCCCCCCCC", std::string(letters.begin(), letters.end()));
  EXPECT_EQ("ADBECDCCCCCCCCCCCCCCCCCCCCCCCCCCCCC", DefaultAllocationString(letters));
  EXPECT_EQ(35u, DefaultAllocationString(letters)->size());

  const auto shortString = DefaultAllocationFieldLetters("AB");
  EXPECT_EQ('B', shortString[1]);
  EXPECT_EQ('\0', shortString[2]);
  EXPECT_EQ(std::nullopt, DefaultAllocationString(shortString));  // an empty field cancels

  auto lower = letters;
  lower[1] = 'b';
  EXPECT_EQ("ABBECDCCCCCCCCCCCCCCCCCCCCCCCCCCCCC", DefaultAllocationString(lower));

  // Every one of the fifteen positions is in exactly one group.
  std::array<int, kDefaultAllocationFields> seen{};
  for (const DefaultAllocationGroup& group : DefaultAllocationGroups()) {
    for (const DefaultAllocationField& field : group.fields) ++seen[field.position];
  }
  for (int count : seen) EXPECT_EQ(1, count);
}

TEST_F(AllocationWindowsTest, StoreDefaultAllocation) {
  const std::string letters = "BDAECDCCCCCCCCCCCCCCCCCCCCCCCCCCCCC";
  ASSERT_TRUE(StoreDefaultAllocation(letters));
  EXPECT_EQ(letters, Options().defaultPaymentAllocation);
  EXPECT_EQ(letters, GetStringSetting(SettingId::DefaultPaymentAllocation));
  // New records take it.
  SetEvents({{kEventTax, "01-01-2020", 1000}, {kEventPayment, "06-01-2020", 10}});
  EXPECT_EQ('B', Doc().m_events[1].Allocation(DefaultAllocationLetters()).m_priority[0]);
  ASSERT_TRUE(StoreDefaultAllocation(std::string(kBuiltInAllocationLetters)));
}

}  // namespace
}  // namespace zarvic
