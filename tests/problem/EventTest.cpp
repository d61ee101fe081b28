#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "problem/CEvent.h"
#include "problem/EventTypes.h"

namespace zarvic {
namespace {

CEvent PaymentWithBlocks() {
  CEvent event;
  event.m_type = kEventPayment;
  event.m_date = 1000;
  event.m_amount = 5000.0;
  event.Allocation().m_payment[0] = 5000.0;
  event.SetDescription("first payment");
  return event;
}

TEST(CEventTest, FreeEvent) {
  CEvent event;
  EXPECT_EQ(0xFFFF, event.m_type);
  EXPECT_EQ(NO_DATE, event.m_date);
  EXPECT_FALSE(event.HasDate());
  EXPECT_EQ(0.0, event.m_amount);
  EXPECT_EQ(0.0, event.m_gattAmount);
  EXPECT_EQ(0.0, event.m_balof);
  EXPECT_EQ(nullptr, event.m_allocation);
  EXPECT_FALSE(event.HasDescription());
}

TEST(CEventTest, CopyOwnsItsOwnBlocks) {
  CEvent original = PaymentWithBlocks();
  CEvent copy = original;
  copy.m_allocation->m_payment[0] = 1.0;
  copy.SetDescription("changed");
  EXPECT_EQ(5000.0, original.m_allocation->m_payment[0]);
  EXPECT_EQ("first payment", original.DescriptionText());

  CEvent assigned;
  assigned = original;
  EXPECT_NE(original.m_allocation.get(), assigned.m_allocation.get());
  EXPECT_EQ(*original.m_allocation, *assigned.m_allocation);
  EXPECT_EQ("first payment", assigned.DescriptionText());
}

TEST(CEventTest, ClearReleasesTheBlocks) {
  CEvent event = PaymentWithBlocks();
  event.Clear();
  EXPECT_EQ(nullptr, event.m_allocation);
  EXPECT_FALSE(event.HasDescription());
  EXPECT_EQ(kEventFree, event.m_type);
  EXPECT_EQ(NO_DATE, event.m_date);
}

TEST(CEventTest, AllocationIsCreatedOnceWithTheDefaultLetters) {
  CEvent event;
  AllocationRecord& first = event.Allocation("AB");
  first.m_specific[3] = 7.0;
  AllocationRecord& again = event.Allocation("ZZ");
  EXPECT_EQ(&first, &again);
  EXPECT_EQ('A', again.m_priority[0]);
  EXPECT_EQ('\0', again.m_priority[2]);
}

TEST(CEventTest, DescriptionIsCutTo40AndMayBeEmpty) {
  CEvent event;
  event.SetDescription(std::string(50, 'd'));
  EXPECT_EQ(std::string(40, 'd'), event.DescriptionText());
  event.SetDescription("");
  EXPECT_TRUE(event.HasDescription());  // an empty description is still one (the file marker says so)
  EXPECT_EQ(1u, EventImage(event).descriptionMarker);
  event.ClearDescription();
  EXPECT_EQ(0u, EventImage(event).descriptionMarker);
}

TEST(CEventTest, ImageCarriesTheScalarFieldsOnly) {
  CEvent event = PaymentWithBlocks();
  event.m_gattAmount = 12.0;
  event.m_balof = -3.0;
  event.m_reserved = {1, 2, 3, 4};
  event.m_tag = 7;
  EventRecord image = EventImage(event);
  EXPECT_EQ(0u, image.allocationRef);

  CEvent other = PaymentWithBlocks();
  other.SetDescription("kept");
  ApplyEventImage(image, other);
  EXPECT_EQ(image, EventImage(other));
  EXPECT_EQ("kept", other.DescriptionText());
  EXPECT_NE(nullptr, other.m_allocation);
}

TEST(EventTypesTest, EveryNameOfEveryType) {
  struct Row {
    std::uint16_t code;
    const char* csv;
    const char* text;
    int gridPosition;
    const char* gridName;
    const char* label;
    bool raises;
    bool lowers;
  };
  const Row rows[] = {
      {0, "NORMALTAX", "TAX", 1, "Tax", "Tax", true, false},
      {1, "MOTIVATEDTAX", "", 10, "Motivated tax", "Motiv. Tax", true, false},
      {2, "PAYMENT", "PAY", 2, "Payment", "Payment", false, true},
      {3, "DEPOSIT", "", 3, "Deposit as bond", "Deposit", false, true},
      {4, "USER_PENALTY", "", 9, "Entered penalty", "Penalty", true, false},
      {5, "STOPINTEREST", "STO", 4, "Suspend interest", "Stop Int", false, false},
      {6, "STARTINTEREST", "STA", 5, "Resume interest", "Start Int", false, false},
      {7, "DEBIT", "", 6, "Debit", "Debit", true, false},
      {8, "CREDIT", "", 7, "Credit", "Credit", false, true},
      {9, "IRS_CHECK", "IRS", 8, "IRS Check", "IRS Check", true, false},
      {10, "USER_NAMED_PENALTY", "", 0, "", "Penalty", false, false},
      {11, "PENALTY_TYPE", "", 0, "", "Penalty", false, false},
  };
  ASSERT_EQ(std::size(rows), EventTypes().size());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    const EventTypeInfo* info = FindEventType(row.code);
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(row.csv, CsvKeyword(row.code));
    EXPECT_EQ(row.text, info->textKeyword);
    EXPECT_EQ(row.gridPosition, info->gridPosition);
    EXPECT_EQ(row.gridName, GridTypeName(row.code));
    EXPECT_EQ(row.label, EventReportLabel(row.code));
    EXPECT_EQ(row.raises, RaisesBalance(row.code));
    EXPECT_EQ(row.lowers, LowersBalance(row.code));
    EXPECT_EQ(row.lowers, CarriesAllocation(row.code));
    EXPECT_EQ(row.code, EventTypeFromCsvKeyword(row.csv));
  }
}

TEST(EventTypesTest, OtherCodes) {
  for (std::uint16_t code : {std::uint16_t{12}, std::uint16_t{100}, std::uint16_t{kEventFree}}) {
    EXPECT_EQ(nullptr, FindEventType(code));
    EXPECT_EQ("<Unknown>", CsvKeyword(code));
    EXPECT_EQ("", GridTypeName(code));
    EXPECT_EQ("# DO NOT REMOVE THIS", EventReportLabel(code));
    EXPECT_FALSE(RaisesBalance(code));
    EXPECT_FALSE(LowersBalance(code));
  }
}

TEST(EventTypesTest, GridChoicesInListOrder) {
  std::vector<std::pair<std::string, int>> choices;
  for (const GridTypeChoice& c : GridTypeChoices()) choices.emplace_back(std::string(c.name), c.code);
  const std::vector<std::pair<std::string, int>> expected = {
      {"Tax", 0},   {"Payment", 2}, {"Deposit as bond", 3}, {"Suspend interest", 5}, {"Resume interest", 6},
      {"Debit", 7}, {"Credit", 8},  {"IRS Check", 9},       {"Entered penalty", 4},  {"Motivated tax", 1},
  };
  EXPECT_EQ(expected, choices);
  EXPECT_EQ("#end of list", kGridListEnd);
}

TEST(EventTypesTest, CsvKeywordsAreUpperCasedBeforeTheLookup) {
  EXPECT_EQ(kEventPayment, EventTypeFromCsvKeyword("payment"));
  EXPECT_EQ(kEventPenaltyType, EventTypeFromCsvKeyword("Penalty_Type"));
  EXPECT_EQ(std::nullopt, EventTypeFromCsvKeyword("<Unknown>"));
  EXPECT_EQ(std::nullopt, EventTypeFromCsvKeyword("PAY"));
  EXPECT_EQ(std::nullopt, EventTypeFromCsvKeyword(""));
}

TEST(EventTypesTest, TextKeywordsMatchTheStartOfTheLine) {
  struct Case {
    const char* line;
    std::optional<std::uint16_t> type;
  };
  const Case cases[] = {
      {"TAX\t01-15-95\t100", kEventTax},
      {"taxes\t01-15-95", kEventTax},
      {"Pay\t", kEventPayment},
      {"STOP", kEventStopInterest},
      {"start", kEventStartInterest},
      {"IRS\t1\t2", kEventIrsCheck},
      {" TAX", std::nullopt},
      {"DEBIT", std::nullopt},
      {"TA", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(c.type, EventTypeFromTextLine(c.line)) << c.line;
}

}  // namespace
}  // namespace zarvic
