// The problem file of this version: what the writer puts where, what the reader accepts and refuses, and
// problems that survive a write and a read unchanged.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/StringTable.h"
#include "problem/DamagedProblemFiles.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemFileFixture.h"

namespace zarvic {
namespace {

using namespace zarvic::testing;

std::uint64_t LittleEndianAt(const std::string& bytes, std::size_t offset, std::size_t width) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < width; ++i)
    v |= std::uint64_t{static_cast<std::uint8_t>(bytes[offset + i])} << (8 * i);
  return v;
}

class ProblemFileTest : public ProblemFileFixture {
 protected:
  std::unique_ptr<CTDoc> NewProblem() {
    auto doc = std::make_unique<CTDoc>();
    doc->ResetProblem();
    return doc;
  }
  // Reads bytes into a problem that held something else before.
  std::unique_ptr<CTDoc> Read(const std::string& bytes, bool expectOk = true, bool report = true) {
    auto doc = std::make_unique<CTDoc>();
    doc->m_header.m_taxpayerName.SetText("previous");
    doc->m_events[0].m_date = Day("01-01-99");
    bool ok = ReadProblem(*doc, AsBytes(bytes), report, &status);
    EXPECT_EQ(expectOk, ok);
    return doc;
  }
  std::string Text(int id) const { return std::string(StringText(id)); }

  ProblemReadStatus status = ProblemReadStatus::Read;
};

// A file of one tax and one payment, as this version writes it.
std::string TaxAndPaymentFile(HeaderSpec header = {}, std::vector<PenaltySpec> penalties = {}) {
  header.eventCount = 2;
  return HeaderImage(header) + Penalties88(penalties) +
         EventImage42({.type = 0, .date = Day("04-15-95"), .amount = 100000, .gattAmount = 100000}) +
         EventImage42({.type = 2, .date = Day("06-15-95"), .amount = 5000, .gattAmount = 5000}) +
         Allocation852("ADBEC", {5000});
}

TEST_F(ProblemFileTest, EmptyProblemIs3048Bytes) {
  auto doc = NewProblem();
  doc->m_header.m_headings[0].SetText("Heading");
  std::string bytes = WriteProblem(*doc);
  ASSERT_EQ(3048u, bytes.size());
  EXPECT_EQ(0u, LittleEndianAt(bytes, 168, 2));    // event count
  EXPECT_EQ(101u, LittleEndianAt(bytes, 744, 1));  // version 101.4
  EXPECT_EQ(4u, LittleEndianAt(bytes, 745, 1));
  EXPECT_EQ(25u, LittleEndianAt(bytes, 746, 2));
  EXPECT_EQ("FEDERAL", std::string(bytes.c_str() + 72));
  EXPECT_EQ("Heading", std::string(bytes.c_str() + 170));
  EXPECT_EQ(std::string(88, '\0'), bytes.substr(848 + 24 * 88));  // the reserved 25th record
  EXPECT_EQ(HeaderImage({.headings = {"Heading"}}) + Penalties88({}), bytes);

  auto read = Read(bytes);
  EXPECT_EQ(0, read->EventCount());
  EXPECT_EQ("", read->m_header.m_taxpayerName.Text());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProblemFileTest, EventsAfterTheFirstEventWithoutDateAreNotWritten) {
  auto doc = NewProblem();
  doc->m_events[0].m_type = kEventTax;
  doc->m_events[0].m_date = Day("04-15-95");
  doc->m_events[1].m_type = kEventDebit;
  doc->m_events[1].m_date = Day("05-15-95");
  doc->m_events[3].m_type = kEventTax;  // slot 2 has no date: the list ends there
  doc->m_events[3].m_date = Day("06-15-95");
  std::string bytes = WriteProblem(*doc);
  EXPECT_EQ(2u, LittleEndianAt(bytes, 168, 2));
  EXPECT_EQ(3048u + 2 * 42, bytes.size());
}

TEST_F(ProblemFileTest, PaymentWithoutAllocationIsWrittenWithTheDefaultLetters) {
  auto doc = NewProblem();
  for (std::uint16_t type : {kEventPayment, kEventDeposit, kEventCredit}) {
    SCOPED_TRACE(type);
    doc->m_events[0].Clear();
    doc->m_events[0].m_type = type;
    doc->m_events[0].m_date = Day("04-15-95");
    doc->m_events[0].m_amount = 500;
    std::string bytes = WriteProblem(*doc);
    ASSERT_EQ(3048u + 42 + 852, bytes.size());
    EXPECT_EQ(Allocation852(std::string(kBuiltInAllocationLetters)), bytes.substr(3048 + 42));
    ASSERT_NE(nullptr, doc->m_events[0].m_allocation);
    EXPECT_EQ(AllocationRecord::Fresh(), *doc->m_events[0].m_allocation);
  }

  // The letters are those of the "Default Payment Allocation" setting, as many as it has.
  Options().defaultPaymentAllocation = "DCBA";
  doc->m_events[0].Clear();
  doc->m_events[0].m_type = kEventPayment;
  doc->m_events[0].m_date = Day("04-15-95");
  EXPECT_EQ(Allocation852("DCBA"), WriteProblem(*doc).substr(3048 + 42));
}

TEST_F(ProblemFileTest, EventRecordsCarryTheirChecksumAndNothingInTheReservedFields) {
  auto doc = NewProblem();
  CEvent& debit = doc->m_events[0];
  debit.m_type = kEventDebit;
  debit.m_date = Day("04-15-95");
  debit.m_amount = 1234.0;
  debit.m_gattAmount = 12.0;
  debit.m_balof = -5.0;
  debit.m_reserved = {1, 2, 3, 4};
  debit.SetDescription("Late fee");
  std::string bytes = WriteProblem(*doc);
  EXPECT_EQ(EventImage42({.type = 7,
                          .date = Day("04-15-95"),
                          .amount = 1234,
                          .gattAmount = 12,
                          .balof = -5,
                          .descriptionMarker = 1}) +
                Description41("Late fee"),
            bytes.substr(3048));
  EXPECT_EQ(RecordChecksum(bytes.substr(3048, 42)), debit.m_tag);
}

TEST_F(ProblemFileTest, ChecksumOfSumsSignedBytes) {
  struct Case {
    std::vector<std::uint8_t> bytes;  // the first bytes; the rest are 0
    std::uint16_t expected;
  };
  const Case cases[] = {
      {{}, 0},
      {{1, 2, 3}, 6},
      {{0xFF}, 0xFFFF},              // -1
      {{0x80, 0x80}, 0xFF00},        // -256
      {{0x7F, 0x7F, 0x80}, 0x007E},  // 127 + 127 - 128
  };
  for (const Case& c : cases) {
    std::array<std::uint8_t, 42> record{};
    std::copy(c.bytes.begin(), c.bytes.end(), record.begin());
    EXPECT_EQ(c.expected, ChecksumOf(record));
    record[40] = 0x12;  // the checksum word itself does not count
    record[41] = 0x34;
    EXPECT_EQ(c.expected, ChecksumOf(record));
  }
}

TEST_F(ProblemFileTest, AnyChangedByteOfAnEventRecordIsRefused) {
  const std::string good = TaxAndPaymentFile();
  const std::size_t paymentRecord = 3048 + 42;
  for (std::size_t i = 0; i < 42; ++i) {
    SCOPED_TRACE(i);
    std::string bytes = good;
    bytes[paymentRecord + i] = static_cast<char>(bytes[paymentRecord + i] ^ 0x10);
    ui.messages.clear();
    auto doc = Read(bytes, false);
    EXPECT_EQ((std::vector<std::string>{
                  Text(20013) + "\nevent 2 was changed after it was written (its checksum does not match)."}),
              ui.Texts());
    // A new, empty problem: nothing of the file and nothing of what was there before.
    EXPECT_EQ(0, doc->EventCount());
    EXPECT_EQ("", doc->m_header.m_taxpayerName.Text());
    EXPECT_EQ("FEDERAL", doc->m_rateTable.name);
  }
}

TEST_F(ProblemFileTest, AChangedHeadingCharacterIsRead) {
  std::string bytes = TaxAndPaymentFile({.headings = {"Heading one"}});
  bytes[170 + 3] = 'X';
  auto doc = Read(bytes);
  EXPECT_EQ("HeaXing one", doc->m_header.m_headings[0].Text());
  EXPECT_EQ(2, doc->EventCount());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProblemFileTest, Versions) {
  struct Case {
    std::uint8_t major;
    std::uint8_t minor;
    bool refused;
    bool eightyByteRecords;
  };
  const Case cases[] = {
      {101, 5, true, false},  {102, 0, true, false},  {127, 0, true, false}, {101, 4, false, false},
      {101, 0, false, false}, {100, 0, false, false}, {97, 9, false, false}, {96, 4, false, false},
      {96, 3, false, true},   {1, 0, false, true},  // very old
  };
  PenaltySpec record3;
  record3.dates[0] = Day("04-15-95");
  record3.amounts = {1, 2, 3, 4, 5};
  record3.rate = 5.0;
  record3.flags = PEN_ACTIVE;
  record3.graceBits = 0x0003;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << int{c.major} << "." << int{c.minor});
    HeaderSpec header{.major = c.major, .minor = c.minor, .penaltyCount = 25};
    // A very old file (major below 2) has 12 records, and event records without checksum.
    const bool veryOld = c.major < 2;
    std::string penalties = c.eightyByteRecords ? Penalties80({{}, {}, {}, record3}, veryOld ? 12 : 25)
                                                : Penalties88({{}, {}, {}, record3});
    header.eventCount = 1;
    std::string events = EventImage42({.type = 0, .date = Day("04-15-95"), .amount = 100000}, !veryOld);
    ui.messages.clear();
    auto doc = Read(HeaderImage(header) + penalties + events, !c.refused);
    if (c.refused) {
      EXPECT_EQ(ProblemReadStatus::NewerVersion, status);
      EXPECT_EQ((std::vector<std::string>{Text(20004)}), ui.Texts());
      EXPECT_EQ(0, doc->EventCount());
      continue;
    }
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(1, doc->EventCount());
    EXPECT_EQ(100000.0, doc->m_events[0].m_amount);
    const PenaltyRecord& r = doc->m_penalties[3];
    EXPECT_EQ(PEN_ACTIVE | PEN_EDITED, r.m_flags);
    EXPECT_EQ(Day("04-15-95"), r.m_dates[0]);
    EXPECT_EQ(0x0003, r.m_graceBits);
    EXPECT_EQ((std::array<double, 5>{1, 2, 3, 4, 5}), r.m_amounts);
    EXPECT_EQ(5.0, r.m_rate);
  }
}

TEST_F(ProblemFileTest, Version963ReadsEightyByteRecordsAndCheckedEvents) {
  PenaltySpec record3;
  for (int i = 0; i < 8; ++i) record3.dates[i] = static_cast<std::uint16_t>(1000 + i);
  record3.graceBits = 0x0011;
  record3.monthsCharged = 7;
  record3.amounts = {10, 20, 30, 40, 50};
  record3.rate = 12.5;     // stored through RoundToCents: whole percent
  record3.flags = 0xFF81;  // only bits 0-6 carry over
  record3.reserved = {1, 2, 3, 4, 5, 6, 7, 8};
  std::string penalties = HeaderImage({.eventCount = 1, .major = 96, .minor = 3, .penaltyCount = 24});
  penalties += Penalties80({{}, {}, {}, record3}, 24);
  std::string event = EventImage42({.type = 0, .date = Day("04-15-95"), .amount = 100000});

  auto doc = Read(penalties + event);
  const PenaltyRecord& r = doc->m_penalties[3];
  for (int i = 0; i < 8; ++i) EXPECT_EQ(1000 + i, r.m_dates[i]);
  for (int i = 8; i < 12; ++i) EXPECT_EQ(NO_DATE, r.m_dates[i]);
  EXPECT_EQ(0x0011, r.m_graceBits);
  EXPECT_EQ(7, r.m_monthsCharged);
  EXPECT_EQ((std::array<double, 5>{10, 20, 30, 40, 50}), r.m_amounts);
  EXPECT_EQ(13.0, r.m_rate);
  EXPECT_EQ(PEN_ACTIVE | PEN_EDITED, r.m_flags);
  EXPECT_EQ((std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}), r.m_reserved);
  EXPECT_EQ(0, r.m_reserved2);

  // The events of 96.3 are checked.
  std::string damaged = penalties + event;
  damaged[damaged.size() - 42 + 5] ^= 0x01;
  Read(damaged, false);
  EXPECT_EQ(ProblemReadStatus::BadChecksum, status);
}

TEST_F(ProblemFileTest, PenaltyRecordCountOf26SkipsTheLastTwo) {
  PenaltySpec active;
  active.flags = PEN_ACTIVE;
  std::vector<PenaltySpec> records(24);
  records[23] = active;
  records[23].dates[2] = Day("05-15-95");
  std::string body = Penalties88(records, 24) + std::string(2 * 88, '\x5A');
  HeaderSpec header{.eventCount = 1, .penaltyCount = 26};
  auto doc =
      Read(HeaderImage(header) + body + EventImage42({.type = 0, .date = Day("04-15-95"), .amount = 1}));
  EXPECT_EQ(1, doc->EventCount());
  EXPECT_EQ(PEN_ACTIVE | PEN_EDITED, doc->m_penalties[23].m_flags);
  EXPECT_EQ(Day("05-15-95"), doc->m_penalties[23].m_dates[2]);
}

TEST_F(ProblemFileTest, NamedPenaltyIsReadAsEnteredPenalty) {
  HeaderSpec header{.eventCount = 2};
  auto doc = Read(HeaderImage(header) + Penalties88({}) +
                  EventImage42({.type = 0, .date = Day("04-15-95"), .amount = 1}) +
                  EventImage42({.type = 10, .date = Day("05-15-95"), .amount = 2, .descriptionMarker = 1}) +
                  Description41("Named"));
  EXPECT_EQ(kEventPenalty, doc->m_events[1].m_type);
  EXPECT_EQ("Named", doc->m_events[1].DescriptionText());
}

TEST_F(ProblemFileTest, AfterReadingRecordZeroIsOffAndActiveRecordsAreMarkedEdited) {
  PenaltySpec active;
  active.flags = PEN_ACTIVE;
  active.dates[2] = Day("05-15-95");
  std::vector<PenaltySpec> records(24);
  for (int k : {0, 1, 3, 16, 22}) records[k] = active;
  records[0].dates[0] = Day("06-01-95");  // record 0 moves to record 23
  auto doc = Read(TaxAndPaymentFile({}, records));
  EXPECT_FALSE(doc->m_penalties[0].IsActive());
  for (int k = 1; k < 24; ++k) {
    SCOPED_TRACE(k);
    const PenaltyRecord& r = doc->m_penalties[k];
    bool expectedActive = k == 1 || k == 3 || k == 16 || k == 22 || k == 23;
    EXPECT_EQ(expectedActive, r.IsActive());
    if (r.IsActive()) {
      EXPECT_TRUE(r.HasFlag(PEN_EDITED));
    }
  }
  EXPECT_EQ(Day("06-01-95"), doc->m_penalties[23].m_dates[0]);
}

TEST_F(ProblemFileTest, LegacyMarksSetTheEditedBit) {
  HeaderSpec header;
  header.legacyMarks[4] = 1;
  auto doc = Read(TaxAndPaymentFile(header));
  EXPECT_TRUE(doc->m_penalties[4].HasFlag(PEN_EDITED));
  EXPECT_FALSE(doc->m_penalties[5].HasFlag(PEN_EDITED));
  EXPECT_EQ(1, doc->m_header.m_legacyPenaltyMarks[4]);  // carried for the next save
}

TEST_F(ProblemFileTest, WithoutASingleTaxDateEveryPenaltyIsOff) {
  PenaltySpec active;
  active.flags = PEN_ACTIVE;
  std::vector<PenaltySpec> records(24, active);
  HeaderSpec header{.eventCount = 2};
  auto doc = Read(HeaderImage(header) + Penalties88(records) +
                  EventImage42({.type = 0, .date = Day("04-15-95"), .amount = 1}) +
                  EventImage42({.type = 1, .date = Day("04-15-96"), .amount = 1}));
  for (int k = 0; k < 24; ++k) EXPECT_EQ(k == kHotInterestSlot, doc->m_penalties[k].IsActive()) << k;
}

TEST_F(ProblemFileTest, MissingRateTableIsReportedAndForgotten) {
  for (bool report : {true, false}) {
    SCOPED_TRACE(report);
    ui.messages.clear();
    auto doc = Read(TaxAndPaymentFile({.table = "OLDRATES"}), true, report);
    EXPECT_EQ((std::vector<std::string>{
                  "Can't find the interest rate table that was used with this file (OLDRATES)."}),
              ui.Texts());
    EXPECT_FALSE(doc->m_rateTable.IsLoaded());
    EXPECT_EQ("", doc->m_rateTable.name);
    EXPECT_EQ("", doc->m_header.m_tableName.Text());
    EXPECT_EQ(2, doc->EventCount());

    std::string saved = WriteProblem(*doc);
    EXPECT_EQ(std::string(96, '\0'), saved.substr(72, 96));
  }
}

TEST_F(ProblemFileTest, TheTableNamedInTheFileIsLoaded) {
  auto doc = Read(TaxAndPaymentFile({.table = "MYRATES"}));
  EXPECT_EQ("MYRATES", doc->m_rateTable.name);
  EXPECT_EQ("MYRATES", loadedNames.back());
  EXPECT_EQ("MYRATES", std::string(WriteProblem(*doc).c_str() + 72));
}

TEST_F(ProblemFileTest, HotStopWithoutRestartDatesIsCleared) {
  struct Case {
    std::uint16_t restartLetter;
    std::uint16_t restartApplicable;
    std::uint8_t expected;
  };
  for (Case c : {Case{0, 0, 0}, Case{kUnset, kUnset, 1}, Case{0, Day("01-01-99"), 1}}) {
    HeaderSpec header{.hotStop = 1, .hotDates = {kUnset, kUnset, c.restartLetter, c.restartApplicable}};
    auto doc = Read(TaxAndPaymentFile(header));
    EXPECT_EQ(c.expected, doc->m_header.m_hotStop);
  }
}

TEST_F(ProblemFileTest, AFileThatEndsEarlyLeavesANewEmptyProblem) {
  auto doc = NewProblem();
  doc->m_header.m_taxpayerName.SetText("Taxpayer");
  doc->m_events[0].m_type = kEventTax;
  doc->m_events[0].m_date = Day("04-15-95");
  doc->m_events[1].m_type = kEventCredit;
  doc->m_events[1].m_date = Day("05-15-95");
  doc->m_events[1].SetDescription("Credit");
  const std::string full = WriteProblem(*doc);
  Read(full);
  // Every cut inside a block, and at each block boundary.
  std::vector<std::size_t> cuts = {0, 1, 847, 848, 849, 848 + 88 * 24 + 87, 3047, 3048, 3049};
  for (std::size_t cut = 3048; cut < full.size(); ++cut) cuts.push_back(cut);
  for (std::size_t cut : cuts) {
    SCOPED_TRACE(cut);
    ui.messages.clear();
    auto read = Read(full.substr(0, cut), false);
    EXPECT_EQ(ProblemReadStatus::Truncated, status);
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_TRUE(ui.messages[0].text.starts_with(Text(20013) + "\nthe file ends inside "))
        << ui.messages[0].text;
    EXPECT_EQ(0, read->EventCount());
    EXPECT_EQ("", read->m_header.m_taxpayerName.Text());
    EXPECT_FALSE(read->m_loading);
  }
  // Quiet reads fail the same way without a word.
  ui.messages.clear();
  Read(full.substr(0, 100), false, false);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProblemFileTest, BytesAfterTheLastEventAreIgnored) {
  auto doc = Read(TaxAndPaymentFile() + "trailing bytes");
  EXPECT_EQ(2, doc->EventCount());
}

// Regression: a file of more than 1,000 events was cut to 1,000 without a word. The reader says what it
// left out, whatever reportErrors asks, and the problem remembers it.
TEST_F(ProblemFileTest, EventsBeyondAThousandAreLeftOutWithAMessage) {
  auto events = [](int count, bool checksum) {
    std::string out;
    for (int i = 0; i < count; ++i) {
      const auto day = static_cast<std::uint16_t>(Day("04-15-95") + (i < 1000 ? 0 : 2000 - i));
      out += EventImage42({.type = 0, .date = day, .amount = 1}, checksum);
    }
    return out;
  };
  const std::string expected =
      "The file holds 1,200 events, and a problem holds at most 1,000 events: the last 200, dated 06-24-97 "
      "to 01-09-98, were left out.";
  struct Case {
    const char* layout;
    std::string bytes;
  };
  const Case cases[] = {
      {"current", HeaderImage({.eventCount = 1200}) + Penalties88({}) + events(1200, true)},
      {"old", HeaderImage({.eventCount = 1200, .major = 96, .minor = 2, .penaltyCount = 24}) +
                  Penalties80({}, 24) + events(1200, false)},
  };
  for (const Case& c : cases) {
    for (bool report : {true, false}) {
      SCOPED_TRACE(::testing::Message() << c.layout << " " << report);
      ui.messages.clear();
      std::string reason;
      auto doc = std::make_unique<CTDoc>();
      ASSERT_TRUE(ReadProblem(*doc, AsBytes(c.bytes), report, &status, &reason));
      EXPECT_EQ(1000, doc->EventCount());
      EXPECT_EQ(200, doc->m_eventsLeftOut);
      EXPECT_EQ(1200, doc->m_fileEvents);
      EXPECT_EQ((std::vector<std::string>{expected}), ui.Texts());
      EXPECT_EQ(expected, reason);
    }
  }

  // A count of 1,200 over 1,000 events is a file that ends early.
  ui.messages.clear();
  Read(HeaderImage({.eventCount = 1200}) + Penalties88({}) + events(1000, true), false);
  EXPECT_EQ(ProblemReadStatus::Truncated, status);
  EXPECT_EQ((std::vector<std::string>{Text(20013) + "\nthe file ends inside event 1001."}), ui.Texts());

  // Exactly 1,000 leaves nothing out; a reset forgets what was left out.
  ui.messages.clear();
  auto full = Read(HeaderImage({.eventCount = 1000}) + Penalties88({}) + events(1000, true));
  EXPECT_EQ(0, full->m_eventsLeftOut);
  EXPECT_TRUE(ui.messages.empty());
  auto shortened = Read(HeaderImage({.eventCount = 1001}) + Penalties88({}) + events(1001, true));
  EXPECT_EQ(1, shortened->m_eventsLeftOut);
  shortened->ResetProblem();
  EXPECT_EQ(0, shortened->m_eventsLeftOut);
}

// Regression: one changed byte (the version at 744 set to 0xF0) read as five "Tax 01-01-54" events of
// the amount nan, and random bytes as a problem with a garbage name. A value the format does not allow
// refuses the file, and the message says where and what.
TEST_F(ProblemFileTest, DamagedFilesAreRefusedWithWhatIsWrong) {
  for (const DamagedFile& f : DamagedProblemFiles()) {
    SCOPED_TRACE(f.what);
    ui.messages.clear();
    std::string reason;
    auto doc = std::make_unique<CTDoc>();
    doc->m_header.m_taxpayerName.SetText("previous");
    EXPECT_FALSE(ReadProblem(*doc, AsBytes(f.bytes), true, &status, &reason));
    if (f.status) {
      EXPECT_EQ(*f.status, status);
    }
    if (!f.reason.empty()) {
      EXPECT_EQ(f.reason, reason);
    }
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(Text(20013) + "\n" + reason + ".", ui.messages[0].text);
    EXPECT_EQ(0, doc->EventCount());
    EXPECT_EQ("", doc->m_header.m_taxpayerName.Text());
  }
}

// Events after the first one without a date are not part of the problem: they are not kept in the
// slots, where a date typed before them would bring them back.
TEST_F(ProblemFileTest, EventsAfterTheListAreNotKept) {
  auto doc = Read(HeaderImage({.eventCount = 3}) + Penalties88({}) +
                  EventImage42({.type = 0, .date = Day("04-15-95"), .amount = 1}) +
                  EventImage42({.type = 0, .date = kUnset, .amount = 2}) +
                  EventImage42({.type = 7, .date = Day("05-15-95"), .amount = 3, .descriptionMarker = 1}) +
                  Description41("Hidden"));
  EXPECT_EQ(1, doc->EventCount());
  doc->m_events[1].m_date = Day("06-15-95");
  EXPECT_EQ(2, doc->EventCount());
  EXPECT_FALSE(doc->m_events[2].HasDate());
  EXPECT_FALSE(doc->m_events[2].HasDescription());
}

// Every field a problem holds, set to something other than its default.
std::unique_ptr<CTDoc> EverythingProblem() {
  auto doc = std::make_unique<CTDoc>();
  doc->ResetProblem();
  ProblemHeader& h = doc->m_header;
  h.m_taxpayerName.SetText("Orlendt Holdings, Inc.");
  h.m_taxpayerId.SetText("12-3456789");
  for (int i = 0; i < 3; ++i) h.m_headings[i].SetText("Heading " + std::to_string(i + 1));
  h.m_footer.SetText("Prepared using Zarvic");
  h.m_cCorporation = 1;
  h.m_hotInterest = 1;
  h.m_hotStop = 1;
  h.m_gattThreshold = 2500000.0;
  h.m_thirtyDayLetter = Day("03-01-96");
  h.m_applicableDate = Day("04-01-96");
  h.m_restartThirtyDayLetter = Day("03-01-99");
  h.m_restartApplicableDate = Day("04-01-99");
  h.m_reserved724.fill(0x24);
  h.m_reserved772.fill(0x72);
  h.m_reserved846 = {0x46, 0x08};
  doc->m_computeDate = Day("12-31-2003");

  const std::uint16_t types[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 0};
  for (std::size_t i = 0; i < std::size(types); ++i) {
    CEvent& e = doc->m_events[i];
    e.m_type = types[i];
    e.m_date = Day("04-15-95");
    e.m_amount = 1000.0 * static_cast<double>(i + 1) + 0.25;
    e.m_gattAmount = static_cast<double>(i);
    e.m_balof = -static_cast<double>(i);
    if (CarriesAllocation(e.m_type)) {
      AllocationRecord& a = e.Allocation();
      for (int c = 0; c < kAllocationCategories; ++c) {
        a.m_payment[c] = c * 1.5;
        a.m_specific[c] = c * 0.5;
        a.m_priority[c] = static_cast<char>('A' + c % 26);
      }
    }
    if (i % 2 == 1) e.SetDescription("Description " + std::to_string(i));
  }
  doc->m_events[11].SetDescription("");  // an empty description is still a description

  for (int k = 1; k < kPenaltyRecords; ++k) {
    PenaltyRecord& r = doc->m_penalties[k];
    for (int d = 0; d < kPenaltyDates; ++d) r.m_dates[d] = static_cast<DayNumber>(15000 + k * 12 + d);
    r.m_graceBits = static_cast<std::uint16_t>(k);
    r.m_monthsCharged = static_cast<std::uint16_t>(k + 1);
    for (int a = 0; a < kPenaltyAmounts; ++a) r.m_amounts[a] = k * 100.0 + a + 1;
    r.SetRate(k * 0.25);
    r.m_flags = static_cast<std::uint16_t>(k % 2 == 0 ? (PEN_ACTIVE | PEN_EDITED | PEN_OPTION) : 0x0080);
    r.m_reserved.fill(static_cast<std::uint8_t>(k));
    r.m_reserved2 = static_cast<std::uint16_t>(k * 3);
  }
  // Record 2's later amounts are cleared on every read; it keeps only its first.
  std::fill(doc->m_penalties[2].m_amounts.begin() + 1, doc->m_penalties[2].m_amounts.end(), 0.0);
  return doc;
}

void ExpectSameEvents(const CTDoc& expected, const CTDoc& actual) {
  ASSERT_EQ(expected.EventCount(), actual.EventCount());
  for (int i = 0; i < expected.EventCount(); ++i) {
    SCOPED_TRACE(i);
    const CEvent& a = expected.m_events[i];
    const CEvent& b = actual.m_events[i];
    EXPECT_EQ(a.m_type, b.m_type);
    EXPECT_EQ(a.m_date, b.m_date);
    EXPECT_EQ(a.m_amount, b.m_amount);
    EXPECT_EQ(a.m_gattAmount, b.m_gattAmount);
    EXPECT_EQ(a.m_balof, b.m_balof);
    EXPECT_EQ(a.m_reserved, b.m_reserved);
    EXPECT_EQ(a.m_tag, b.m_tag);
    EXPECT_EQ(a.m_description, b.m_description);
    ASSERT_EQ(a.m_allocation != nullptr, b.m_allocation != nullptr);
    if (a.m_allocation) {
      EXPECT_EQ(*a.m_allocation, *b.m_allocation);
    }
  }
}

TEST_F(ProblemFileTest, EverythingSurvivesAWriteAndARead) {
  auto doc = EverythingProblem();
  const std::string bytes = WriteProblem(*doc);
  auto read = Read(bytes);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(doc->m_header, read->m_header);
  EXPECT_EQ(doc->m_penalties, read->m_penalties);
  EXPECT_EQ(doc->m_computeDate, read->m_computeDate);
  EXPECT_EQ("FEDERAL", read->m_rateTable.name);
  ExpectSameEvents(*doc, *read);
  EXPECT_FALSE(read->IsModified());
  EXPECT_EQ(bytes, WriteProblem(*read));
}

TEST_F(ProblemFileTest, FullProblemSurvives) {
  auto doc = NewProblem();
  for (int i = 0; i < kMaxEvents; ++i) {
    CEvent& e = doc->m_events[i];
    e.m_type = i == 0 ? kEventTax : kEventCredit;
    e.m_date = static_cast<DayNumber>(15000 + i);
    e.m_amount = i;
    e.SetDescription(std::string(40, static_cast<char>('a' + i % 26)));
  }
  const std::string bytes = WriteProblem(*doc);
  EXPECT_EQ(3048u + 42 + 999 * (42 + 852 + 41) + 41, bytes.size());
  auto read = Read(bytes);
  ExpectSameEvents(*doc, *read);
}

TEST_F(ProblemFileTest, WriterNormalisesTheHeader) {
  auto doc = NewProblem();
  doc->m_penalties[0].m_flags = PEN_ACTIVE | PEN_EDITED;
  doc->m_header.m_reserved723 = 7;
  doc->m_header.m_reserved844 = 0x4444;
  doc->m_header.m_versionMajor = 2;
  doc->m_computeDate = Day("06-30-2001");
  doc->m_rateTable.name = std::string(120, 'T');  // longer than the field: cut to 95
  std::string bytes = WriteProblem(*doc);
  EXPECT_EQ(PEN_EDITED, doc->m_penalties[0].m_flags);
  EXPECT_EQ(0u, LittleEndianAt(bytes, 723, 1));
  EXPECT_EQ(0u, LittleEndianAt(bytes, 844, 2));
  EXPECT_EQ(Day("06-30-2001"), LittleEndianAt(bytes, 702, 2));
  EXPECT_EQ(std::string(95, 'T'), std::string(bytes.c_str() + 72));
}

}  // namespace
}  // namespace zarvic
