// Files of earlier generations: the old event layout, 80-byte penalty records, 344-byte allocation
// records, and the moves that bring their records up to this version.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/StringTable.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemFileFixture.h"

namespace zarvic {
namespace {

using namespace zarvic::testing;

struct OldEvent {
  EventSpec record;
  std::string blocks;  // what follows among the additional blocks
};

// The old layout: every event record, then the additional blocks in event order.
std::string OldFile(HeaderSpec header, const std::vector<PenaltySpec>& penalties,
                    const std::vector<OldEvent>& events) {
  header.eventCount = static_cast<std::uint16_t>(events.size());
  std::string out = HeaderImage(header) + Penalties80(penalties, header.penaltyCount);
  for (const OldEvent& e : events) out += EventImage42(e.record, false);
  for (const OldEvent& e : events) out += e.blocks;
  return out;
}

std::string Description21(const std::string& text) {
  return Bytes().Field(text, 21).str();
}

PenaltySpec Active() {
  PenaltySpec p;
  p.flags = PEN_ACTIVE;
  return p;
}

class ProblemUpgradeTest : public ProblemFileFixture {
 protected:
  std::unique_ptr<CTDoc> Read(const std::string& bytes, bool report = true) {
    auto doc = std::make_unique<CTDoc>();
    EXPECT_TRUE(ReadProblem(*doc, AsBytes(bytes), report));
    return doc;
  }
};

const OldEvent kTax{{.type = 0, .date = Day("04-15-95"), .amount = 100000}, ""};

// A current file of one tax event.
std::string TaxOnlyFile(const std::vector<PenaltySpec>& penalties) {
  return HeaderImage({.eventCount = 1}) + Penalties88(penalties) +
         EventImage42({.type = 0, .date = Day("04-15-95"), .amount = 1});
}

TEST_F(ProblemUpgradeTest, TaxAndPaymentOnOneDayInA2xFileSwitchPenaltiesOff) {
  struct Case {
    const char* name;
    const char* paymentDate;
    bool report;
    bool switchedOff;
  };
  const Case cases[] = {
      {"same day", "04-15-95", true, true},
      {"same day, quiet", "04-15-95", false, true},
      {"another day", "05-15-95", true, false},
  };
  const std::string message(StringText(20039));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ui.messages.clear();
    std::vector<PenaltySpec> records(24);
    records[3] = Active();
    records[16] = Active();
    OldEvent payment{{.type = 2, .date = Day(c.paymentDate), .amount = 500}, Allocation852("ADBEC")};
    auto doc =
        Read(OldFile({.major = 2, .minor = 20, .penaltyCount = 24}, records, {kTax, payment}), c.report);
    EXPECT_EQ(!c.switchedOff, doc->m_penalties[3].IsActive());
    EXPECT_EQ(!c.switchedOff, doc->m_penalties[16].IsActive());
    EXPECT_EQ(c.switchedOff && c.report, ui.Saw(message));
    EXPECT_EQ(2, doc->EventCount());
  }
}

TEST_F(ProblemUpgradeTest, TheRuleIsForTheOldestGenerationsOnly) {
  std::vector<PenaltySpec> records(24);
  records[3] = Active();
  OldEvent payment{{.type = 2, .date = Day("04-15-95"), .amount = 500}, Allocation852("ADBEC")};
  auto doc = Read(OldFile({.major = 96, .minor = 1, .penaltyCount = 24}, records, {kTax, payment}));
  EXPECT_TRUE(doc->m_penalties[3].IsActive());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProblemUpgradeTest, OldBlocksOfEveryType) {
  std::vector<double> applied, designated;
  for (int j = 0; j < 20; ++j) {
    applied.push_back(100.0 + j);
    designated.push_back(200.0 + j);
  }
  // Category 3 was never used (letter below "0"), nor is category 7 (a byte above 0x7F).
  std::string letters = "ABC/EFG\xC1IJKLMNOPQRST";
  const std::vector<OldEvent> events = {
      kTax,
      {{.type = 2, .date = Day("05-01-95"), .amount = 1, .reserved = {9, 9, 9, 9}},
       Allocation344(letters, applied, designated)},
      {{.type = 7, .date = Day("05-02-95"), .amount = 2, .descriptionMarker = 5},
       Description21("Debit text")},
      {{.type = 8, .date = Day("05-03-95"), .amount = 3},
       Allocation344(letters, applied, designated) + Description21("Credit of twenty-one")},
      {{.type = 4, .date = Day("05-04-95"), .amount = 4}, ""},
      {{.type = 10, .date = Day("05-05-95"), .amount = 5}, Description21("Named penalty")},
      {{.type = 9, .date = Day("05-06-95"), .amount = 6}, ""},
  };
  auto doc = Read(OldFile({.major = 2, .minor = 5, .penaltyCount = 24}, {}, events));
  ASSERT_EQ(7, doc->EventCount());
  const auto& e = doc->m_events;

  EXPECT_EQ((std::array<std::uint8_t, 4>{}), e[1].m_reserved);
  EXPECT_FALSE(e[0].HasDescription());
  EXPECT_FALSE(e[1].HasDescription());
  EXPECT_EQ("Debit text", e[2].DescriptionText());
  EXPECT_EQ("Credit of twenty-one", e[3].DescriptionText());
  EXPECT_EQ(kEventPenalty, e[4].m_type);  // through 10 and back: now with an empty description
  EXPECT_TRUE(e[4].HasDescription());
  EXPECT_EQ("", e[4].DescriptionText());
  EXPECT_EQ(kEventPenalty, e[5].m_type);
  EXPECT_EQ("Named penalty", e[5].DescriptionText());
  EXPECT_FALSE(e[6].HasDescription());
  EXPECT_EQ(nullptr, e[2].m_allocation);

  // The 20 old categories: 0-4 stay, 5-19 move to 6-20, the new category 5 is empty with letter of 1.
  for (int event : {1, 3}) {
    SCOPED_TRACE(event);
    ASSERT_NE(nullptr, e[event].m_allocation);
    const AllocationRecord& a = *e[event].m_allocation;
    AllocationRecord expected = AllocationRecord::Fresh();
    for (int j = 0; j < 20; ++j) {
      if (j == 3 || j == 7) continue;
      int to = j < 5 ? j : j + 1;
      expected.m_payment[to] = 100.0 + j;
      expected.m_specific[to] = 200.0 + j;
      expected.m_priority[to] = letters[j];
    }
    // The unused old categories keep the new record's values, and move like the others.
    expected.m_payment[8] = 0.0;
    expected.m_specific[8] = 0.0;
    expected.m_priority[8] = kBuiltInAllocationLetters[7];
    expected.m_priority[5] = 'B';
    EXPECT_EQ(expected, a);
  }
}

TEST_F(ProblemUpgradeTest, AllocationWithoutLettersGetsTheDefaultLetters) {
  OldEvent payment{{.type = 2, .date = Day("05-01-95"), .amount = 1}, Allocation852("", {7.0})};
  Options().defaultPaymentAllocation = "ABCABC";
  auto doc = Read(OldFile({.major = 96, .minor = 0, .penaltyCount = 24}, {}, {kTax, payment}));
  AllocationRecord expected = AllocationRecord::Fresh("ABCABC");
  expected.m_payment[0] = 7.0;
  EXPECT_EQ(expected, *doc->m_events[1].m_allocation);
}

TEST_F(ProblemUpgradeTest, NoticeDatesOfRecordsOneAndTwoMove) {
  const std::uint16_t a = Day("01-01-96"), c = Day("03-01-96"), d = Day("04-01-96"), e = Day("05-01-96");
  PenaltySpec r1;
  r1.dates = {a, kUnset, c, kUnset, e, kUnset, kUnset, kUnset};
  PenaltySpec r2;
  r2.dates = {a, kUnset, c, d, kUnset, kUnset, kUnset, kUnset};
  auto doc = Read(OldFile({.major = 50, .minor = 0, .penaltyCount = 24}, {{}, r1, r2}, {kTax}));
  EXPECT_EQ((std::array<DayNumber, 12>{a, c, e, NO_DATE, NO_DATE, c, NO_DATE, NO_DATE, NO_DATE, NO_DATE,
                                       NO_DATE, NO_DATE}),
            doc->m_penalties[1].m_dates);
  EXPECT_EQ((std::array<DayNumber, 12>{a, c, d, NO_DATE, c, d, NO_DATE, NO_DATE, NO_DATE, NO_DATE, NO_DATE,
                                       NO_DATE}),
            doc->m_penalties[2].m_dates);
}

TEST_F(ProblemUpgradeTest, Record4AmountsMoveForOldFilesAndLaterTaxYears) {
  struct Case {
    const char* name;
    std::uint8_t major;
    std::uint8_t minor;
    const char* taxDate;
    std::array<double, 5> expected;
  };
  const Case cases[] = {
      {"2.13", 2, 13, "04-15-85", {10, 10, 20, 30, 50}},
      {"2.20, tax before 1989", 2, 20, "04-15-88", {10, 20, 30, 40, 50}},
      {"2.20, tax in 1989", 2, 20, "04-15-89", {10, 10, 20, 30, 50}},
      {"50.0, tax in 1995", 50, 0, "04-15-95", {10, 10, 20, 30, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PenaltySpec r4 = Active();
    r4.amounts = {10, 20, 30, 40, 50};
    OldEvent tax{{.type = 0, .date = Day(c.taxDate), .amount = 1}, ""};
    auto doc =
        Read(OldFile({.major = c.major, .minor = c.minor, .penaltyCount = 24}, {{}, {}, {}, {}, r4}, {tax}));
    EXPECT_EQ(c.expected, doc->m_penalties[4].m_amounts);
  }
}

TEST_F(ProblemUpgradeTest, Record4WithoutItsSecondAmountTakesTheFirst) {
  PenaltySpec r4 = Active();
  r4.amounts = {10, 0, 30, 40, 50};
  auto doc = Read(TaxOnlyFile({{}, {}, {}, {}, r4}));
  EXPECT_EQ((std::array<double, 5>{10, 10, 30, 40, 50}), doc->m_penalties[4].m_amounts);
}

TEST_F(ProblemUpgradeTest, HotInterestRecordBecomesHeaderSettings) {
  struct Case {
    std::uint16_t letter;
    std::uint16_t applicable;
    DayNumber expectedLetter;
    DayNumber expectedApplicable;
  };
  const Case cases[] = {
      {Day("03-01-96"), Day("04-01-96"), Day("03-01-96"), Day("04-01-96")},
      {0, kUnset, NO_DATE, NO_DATE},
  };
  for (const Case& c : cases) {
    std::vector<PenaltySpec> records(24);
    records[22] = Active();
    records[22].dates[0] = c.letter;
    records[22].dates[1] = c.applicable;
    HeaderSpec header{.hotDates = {0, 0, kUnset, kUnset}, .major = 50, .minor = 0, .penaltyCount = 24};
    auto doc = Read(OldFile(header, records, {kTax}));
    EXPECT_EQ(1, doc->m_header.m_hotInterest);
    EXPECT_EQ(c.expectedLetter, doc->m_header.m_thirtyDayLetter);
    EXPECT_EQ(c.expectedApplicable, doc->m_header.m_applicableDate);
    EXPECT_FALSE(doc->m_penalties[22].IsActive());
  }
}

TEST_F(ProblemUpgradeTest, SlotsOfEarlierGenerationsAreSwitchedOff) {
  std::vector<PenaltySpec> records(24, Active());
  auto doc = Read(OldFile({.major = 50, .minor = 0, .penaltyCount = 24}, records, {kTax}));
  EXPECT_FALSE(doc->m_penalties[5].IsActive());
  EXPECT_FALSE(doc->m_penalties[6].IsActive());
  EXPECT_TRUE(doc->m_penalties[7].IsActive());
}

TEST_F(ProblemUpgradeTest, Version2Before14HasNoFailureToFileRecord) {
  std::vector<PenaltySpec> records(24);
  records[23] = Active();
  records[23].dates[0] = Day("01-01-96");
  auto doc = Read(OldFile({.major = 2, .minor = 13, .penaltyCount = 24}, records, {kTax}));
  EXPECT_EQ(PenaltyRecord{}, doc->m_penalties[23]);
  doc = Read(OldFile({.major = 2, .minor = 14, .penaltyCount = 24}, records, {kTax}));
  EXPECT_TRUE(doc->m_penalties[23].IsActive());
}

TEST_F(ProblemUpgradeTest, VeryOldFiles) {
  std::vector<PenaltySpec> records(12, Active());
  records[0] = {};  // else it would move to record 23
  records[11].flags = PEN_ACTIVE | PEN_EDITED | PEN_OPTION;
  HeaderSpec header{.cCorporation = 1,
                    .hotInterest = 1,
                    .gattThreshold = 5.0,
                    .hotDates = {Day("01-01-96"), Day("02-01-96"), kUnset, kUnset},
                    .major = 1,
                    .minor = 0,
                    .penaltyCount = 12};
  OldEvent payment{{.type = 2, .date = Day("05-01-95"), .amount = 1}, Allocation344("ABCDE", {1, 2, 3})};
  auto doc = Read(OldFile(header, records, {kTax, payment}));
  const ProblemHeader& h = doc->m_header;
  EXPECT_EQ(0, h.m_cCorporation);
  EXPECT_EQ(0, h.m_hotInterest);
  EXPECT_EQ(1000000.0, h.m_gattThreshold);
  EXPECT_EQ(NO_DATE, h.m_thirtyDayLetter);
  EXPECT_EQ(NO_DATE, h.m_applicableDate);
  EXPECT_EQ(PEN_OPTION, doc->m_penalties[11].m_flags);
  EXPECT_TRUE(doc->m_penalties[10].IsActive());
  for (int k = 12; k < 24; ++k) EXPECT_EQ(PenaltyRecord{}, doc->m_penalties[k]) << k;
  EXPECT_EQ(3.0, doc->m_events[1].m_allocation->m_payment[2]);

  // A current version with fewer than 12 records counts as very old too, and is read with 12.
  HeaderSpec current{.eventCount = 1, .cCorporation = 1, .penaltyCount = 3};
  std::string bytes = HeaderImage(current) + Penalties88(std::vector<PenaltySpec>(12, Active()), 12) +
                      EventImage42({.type = 0, .date = Day("04-15-95"), .amount = 1});
  doc = Read(bytes);
  EXPECT_EQ(0, doc->m_header.m_cCorporation);
  EXPECT_TRUE(doc->m_penalties[10].IsActive());
  EXPECT_EQ(1, doc->EventCount());
}

TEST_F(ProblemUpgradeTest, OldFailureToFileRecordMovesToRecord23) {
  PenaltySpec r0 = Active();
  r0.flags = PEN_ACTIVE | PEN_OPTION | 0x0100;
  r0.dates[0] = Day("04-15-91");
  r0.dates[1] = Day("05-15-91");
  r0.dates[2] = Day("06-15-91");
  r0.graceBits = 3;
  r0.monthsCharged = 4;
  r0.amounts = {1, 2, 3, 4, 5};
  r0.rate = 25;
  r0.reserved = {1, 2, 3, 4, 5, 6, 7, 8};
  struct Case {
    const char* taxDate;
    DayNumber expectedDate1;
  };
  for (Case c : {Case{"04-15-91", Day("06-15-91")}, Case{"04-15-89", Day("05-15-91")}}) {
    SCOPED_TRACE(c.taxDate);
    HeaderSpec header{.eventCount = 2};
    std::string bytes = HeaderImage(header) + Penalties88({r0}) +
                        EventImage42({.type = 0, .date = Day(c.taxDate), .amount = 1}) +
                        EventImage42({.type = 2, .date = Day("05-01-95"), .amount = 1}) +
                        Allocation852("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefg", std::vector<double>(30, 5.0),
                                      std::vector<double>(30, 2.0));
    auto doc = Read(bytes);
    EXPECT_FALSE(doc->m_penalties[0].IsActive());
    const PenaltyRecord& r23 = doc->m_penalties[23];
    EXPECT_EQ(PEN_ACTIVE | PEN_OPTION | PEN_EDITED, r23.m_flags);  // only bits 0-7 move
    EXPECT_EQ(Day("04-15-91"), r23.m_dates[0]);
    EXPECT_EQ(c.expectedDate1, r23.m_dates[1]);
    EXPECT_EQ(Day("06-15-91"), r23.m_dates[2]);
    EXPECT_EQ(3, r23.m_graceBits);
    EXPECT_EQ(4, r23.m_monthsCharged);
    EXPECT_EQ((std::array<double, 5>{1, 2, 3, 4, 5}), r23.m_amounts);
    EXPECT_EQ(25.0, r23.m_rate);
    EXPECT_EQ((std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}), r23.m_reserved);

    // Its allocation category 6 joins category 29.
    const AllocationRecord& a = *doc->m_events[1].m_allocation;
    EXPECT_EQ(0.0, a.m_payment[6]);
    EXPECT_EQ(0.0, a.m_specific[6]);
    EXPECT_EQ(10.0, a.m_payment[29]);
    EXPECT_EQ(4.0, a.m_specific[29]);
    EXPECT_EQ('G', a.m_priority[29]);
  }
}

TEST_F(ProblemUpgradeTest, ActiveRecord23KeepsItsOwnFiguresAndGetsItsThirdDate) {
  PenaltySpec r23 = Active();
  r23.dates[0] = Day("04-15-95");
  r23.dates[1] = Day("05-15-95");
  PenaltySpec r0 = Active();
  r0.dates[0] = Day("01-01-90");
  std::vector<PenaltySpec> records(24);
  records[0] = r0;
  records[23] = r23;
  HeaderSpec header{.eventCount = 1};
  auto doc = Read(HeaderImage(header) + Penalties88(records) +
                  EventImage42({.type = 0, .date = Day("04-15-88"), .amount = 1}));
  const PenaltyRecord& r = doc->m_penalties[23];
  EXPECT_EQ(Day("04-15-95"), r.m_dates[0]);
  EXPECT_EQ(Day("05-15-95"), r.m_dates[1]);
  EXPECT_EQ(Day("05-15-95"), r.m_dates[2]);
  EXPECT_FALSE(doc->m_penalties[0].IsActive());
}

// Regression (found by fuzzing): a record 0 moved to record 23 did not get date word 2 from word 1,
// so the problem changed when its saved file was read again.
TEST_F(ProblemUpgradeTest, MovedFailureToFileRecordGetsItsThirdDateAtOnce) {
  PenaltySpec r0 = Active();
  r0.dates[0] = Day("04-15-88");
  r0.dates[1] = Day("05-15-88");
  HeaderSpec header{.eventCount = 1};
  auto doc = Read(HeaderImage(header) + Penalties88({r0}) +
                  EventImage42({.type = 0, .date = Day("04-15-88"), .amount = 1}));
  EXPECT_EQ(Day("05-15-88"), doc->m_penalties[23].m_dates[1]);
  EXPECT_EQ(Day("05-15-88"), doc->m_penalties[23].m_dates[2]);

  const std::string saved = WriteProblem(*doc);
  auto again = Read(saved);
  EXPECT_EQ(doc->m_penalties, again->m_penalties);
  EXPECT_EQ(saved, WriteProblem(*again));
}

// Regression (found by fuzzing): the legacy mark of a record beyond the file's records marked that new
// record as edited only after the problem was saved and read again.
TEST_F(ProblemUpgradeTest, LegacyMarksOfRecordsNotInTheFileAreDropped) {
  HeaderSpec header{.eventCount = 1, .penaltyCount = 3};  // very old: read as 12 records
  header.legacyMarks[5] = 1;
  header.legacyMarks[12] = 1;
  header.legacyMarks[23] = 1;
  auto doc = Read(HeaderImage(header) + Penalties88({}, 12) +
                  EventImage42({.type = 0, .date = Day("04-15-95"), .amount = 1}));
  EXPECT_TRUE(doc->m_penalties[5].HasFlag(PEN_EDITED));
  EXPECT_EQ(PenaltyRecord{}, doc->m_penalties[12]);
  std::array<std::uint8_t, 24> marks{};
  marks[5] = 1;
  EXPECT_EQ(marks, doc->m_header.m_legacyPenaltyMarks);

  const std::string saved = WriteProblem(*doc);
  auto again = Read(saved);
  EXPECT_EQ(doc->m_penalties, again->m_penalties);
  EXPECT_EQ(saved, WriteProblem(*again));
}

}  // namespace
}  // namespace zarvic
