// Byte layouts of the stored records: every field at its offset, little-endian, and a record read from
// bytes writes back the same bytes.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <random>
#include <vector>

#include "allocation/AllocationRecord.h"
#include "penalties/PenaltyRecord.h"
#include "problem/CEvent.h"
#include "problem/ProblemHeader.h"

namespace zarvic {
namespace {

template <std::size_t N>
std::uint64_t ReadLe(const std::array<std::uint8_t, N>& bytes, std::size_t offset, std::size_t width) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < width; ++i) v |= std::uint64_t{bytes[offset + i]} << (8 * i);
  return v;
}

template <std::size_t N>
std::array<std::uint8_t, N> RandomBytes(unsigned seed) {
  std::mt19937 gen(seed);
  std::array<std::uint8_t, N> bytes{};
  for (auto& b : bytes) b = static_cast<std::uint8_t>(gen());
  return bytes;
}

std::uint64_t Bits(double v) {
  return std::bit_cast<std::uint64_t>(v);
}

TEST(EventRecordTest, FieldsSitAtTheirOffsets) {
  EventRecord record;
  record.type = 0x0102;
  record.date = 0x0304;
  record.amount = 123456.0;
  record.gattAmount = -7.5;
  record.allocationRef = 0x05060708;
  record.balof = -42.0;
  record.descriptionMarker = 1;
  record.reserved = {0xA1, 0xA2, 0xA3, 0xA4};
  record.checksum = 0xBEEF;
  std::array<std::uint8_t, kEventRecordBytes> bytes{};
  EncodeEventRecord(record, bytes);

  EXPECT_EQ(0x0102u, ReadLe(bytes, 0, 2));
  EXPECT_EQ(0x0304u, ReadLe(bytes, 2, 2));
  EXPECT_EQ(Bits(123456.0), ReadLe(bytes, 4, 8));
  EXPECT_EQ(Bits(-7.5), ReadLe(bytes, 12, 8));
  EXPECT_EQ(0x05060708u, ReadLe(bytes, 20, 4));
  EXPECT_EQ(Bits(-42.0), ReadLe(bytes, 24, 8));
  EXPECT_EQ(1u, ReadLe(bytes, 32, 4));
  EXPECT_EQ(0xA4A3A2A1u, ReadLe(bytes, 36, 4));
  EXPECT_EQ(0xBEEFu, ReadLe(bytes, 40, 2));
  EXPECT_EQ(record, DecodeEventRecord(bytes));
}

TEST(EventRecordTest, AnyBytesWriteBackUnchanged) {
  auto bytes = RandomBytes<kEventRecordBytes>(1);
  std::array<std::uint8_t, kEventRecordBytes> out{};
  EncodeEventRecord(DecodeEventRecord(bytes), out);
  EXPECT_EQ(bytes, out);
}

TEST(EventRecordTest, FreeEventImage) {
  std::array<std::uint8_t, kEventRecordBytes> bytes{};
  EncodeEventRecord(EventImage(CEvent{}), bytes);
  std::array<std::uint8_t, kEventRecordBytes> expected{};
  expected[0] = expected[1] = expected[2] = expected[3] = 0xFF;  // type 0xFFFF, date NO_DATE
  EXPECT_EQ(expected, bytes);
}

TEST(AllocationRecordTest, FieldsSitAtTheirOffsets) {
  AllocationRecord record = AllocationRecord::Fresh();
  record.m_payment[0] = 1.0;
  record.m_payment[49] = 2.0;
  record.m_specific[0] = 3.0;
  record.m_specific[49] = 4.0;
  std::array<std::uint8_t, kAllocationRecordBytes> bytes{};
  bytes.fill(0xCC);
  EncodeAllocationRecord(record, bytes);

  EXPECT_EQ(Bits(1.0), ReadLe(bytes, 0, 8));
  EXPECT_EQ(Bits(2.0), ReadLe(bytes, 392, 8));
  EXPECT_EQ(Bits(3.0), ReadLe(bytes, 400, 8));
  EXPECT_EQ(Bits(4.0), ReadLe(bytes, 792, 8));
  EXPECT_EQ(std::string(kBuiltInAllocationLetters), std::string(bytes.begin() + 800, bytes.begin() + 850));
  EXPECT_EQ(0u, ReadLe(bytes, 850, 2));  // padding
  EXPECT_EQ(record, DecodeAllocationRecord(bytes));
}

TEST(AllocationRecordTest, AnyBytesWriteBackUnchangedExceptThePadding) {
  auto bytes = RandomBytes<kAllocationRecordBytes>(2);
  bytes[850] = bytes[851] = 0;
  std::array<std::uint8_t, kAllocationRecordBytes> out{};
  EncodeAllocationRecord(DecodeAllocationRecord(bytes), out);
  EXPECT_EQ(bytes, out);
}

TEST(AllocationRecordTest, FreshRecordTakesAsManyLettersAsTheDefaultHas) {
  struct Case {
    std::string letters;
    std::string expected;  // all 50 priority bytes
  };
  const Case cases[] = {
      {std::string(kBuiltInAllocationLetters), std::string(kBuiltInAllocationLetters)},
      {"ADBEC", "ADBEC" + std::string(45, '\0')},
      {"", std::string(50, '\0')},
      {std::string(60, 'Z'), std::string(50, 'Z')},
  };
  for (const Case& c : cases) {
    AllocationRecord record = AllocationRecord::Fresh(c.letters);
    EXPECT_EQ(c.expected, std::string(record.m_priority.begin(), record.m_priority.end())) << c.letters;
    EXPECT_EQ(0.0, record.AppliedTotal());
  }
}

TEST(PenaltyRecordTest, FreshRecordBytes) {
  std::array<std::uint8_t, kPenaltyRecordBytes> bytes{};
  EncodePenaltyRecord(PenaltyRecord{}, bytes);
  std::array<std::uint8_t, kPenaltyRecordBytes> expected{};
  for (int i = 0; i < 24; ++i) expected[i] = 0xFF;  // twelve NO_DATE words
  expected[24] = 0xFF;                              // every notice has the 10-day grace period
  EXPECT_EQ(expected, bytes);
}

TEST(PenaltyRecordTest, FieldsSitAtTheirOffsets) {
  PenaltyRecord record;
  record.m_dates[0] = 0x1111;
  record.m_dates[11] = 0x2222;
  record.m_graceBits = 0x0033;
  record.m_monthsCharged = 5;
  record.m_amounts = {10.0, 20.0, 30.0, 40.0, 50.0};
  record.m_rate = 15.0;
  record.m_flags = 0x8081;
  record.m_reserved = {1, 2, 3, 4, 5, 6, 7, 8};
  record.m_reserved2 = 0x4444;
  std::array<std::uint8_t, kPenaltyRecordBytes> bytes{};
  EncodePenaltyRecord(record, bytes);

  EXPECT_EQ(0x1111u, ReadLe(bytes, 0, 2));
  EXPECT_EQ(0x2222u, ReadLe(bytes, 22, 2));
  EXPECT_EQ(0x0033u, ReadLe(bytes, 24, 2));
  EXPECT_EQ(5u, ReadLe(bytes, 26, 2));
  EXPECT_EQ(Bits(10.0), ReadLe(bytes, 28, 8));
  EXPECT_EQ(Bits(20.0), ReadLe(bytes, 36, 8));
  EXPECT_EQ(Bits(30.0), ReadLe(bytes, 44, 8));
  EXPECT_EQ(Bits(40.0), ReadLe(bytes, 52, 8));
  EXPECT_EQ(Bits(50.0), ReadLe(bytes, 60, 8));
  EXPECT_EQ(Bits(15.0), ReadLe(bytes, 68, 8));
  EXPECT_EQ(0x8081u, ReadLe(bytes, 76, 2));
  EXPECT_EQ(0x0807060504030201u, ReadLe(bytes, 78, 8));
  EXPECT_EQ(0x4444u, ReadLe(bytes, 86, 2));
  EXPECT_EQ(record, DecodePenaltyRecord(bytes));
}

TEST(PenaltyRecordTest, AnyBytesWriteBackUnchanged) {
  auto bytes = RandomBytes<kPenaltyRecordBytes>(3);
  std::array<std::uint8_t, kPenaltyRecordBytes> out{};
  EncodePenaltyRecord(DecodePenaltyRecord(bytes), out);
  EXPECT_EQ(bytes, out);
}

TEST(PenaltyRecordTest, MakingNewClearsBitsZeroToFiveOnly) {
  PenaltyRecord record;
  record.m_dates[3] = 100;
  record.m_graceBits = 0;
  record.m_monthsCharged = 4;
  record.m_amounts[2] = 99.0;
  record.m_rate = 25.0;
  record.m_flags = 0xFFFF;
  record.m_reserved[0] = 9;
  record.m_reserved2 = 9;
  record.MakeNew();

  PenaltyRecord expected;
  expected.m_flags = 0xFFC0;
  EXPECT_EQ(expected, record);
}

TEST(PenaltyRecordTest, RateIsStoredToWholeCents) {
  struct Case {
    double rate;
    double stored;
  };
  const Case cases[] = {{20.0, 20.0}, {5.4, 5.0}, {14.5, 15.0}, {-2.5, -3.0}};
  for (const Case& c : cases) {
    PenaltyRecord record;
    record.SetRate(c.rate);
    EXPECT_EQ(c.stored, record.m_rate) << c.rate;
  }
}

TEST(ProblemHeaderTest, FieldsSitAtTheirOffsets) {
  ProblemHeader h;
  h.m_taxpayerName.SetText("N");
  h.m_taxpayerId.SetText("I");
  h.m_tableName.SetText("T");
  h.m_eventCount = 0x0102;
  h.m_headings[0].SetText("1");
  h.m_headings[1].SetText("2");
  h.m_headings[2].SetText("3");
  h.m_footer.SetText("F");
  h.m_computeDate = 0x0A0B;
  h.m_cCorporation = 0x11;
  h.m_hotInterest = 0x12;
  h.m_hotStop = 0x13;
  h.m_gattThreshold = 1234.5;
  h.m_thirtyDayLetter = 0x2122;
  h.m_applicableDate = 0x2324;
  h.m_restartThirtyDayLetter = 0x2526;
  h.m_restartApplicableDate = 0x2728;
  h.m_reserved723 = 0x31;
  h.m_reserved724.front() = 0x32;
  h.m_reserved724.back() = 0x33;
  h.m_versionMajor = kFormatMajor;
  h.m_versionMinor = kFormatMinor;
  h.m_penaltyRecordCount = kPenaltyRecordsWritten;
  h.m_legacyPenaltyMarks.front() = 0x41;
  h.m_legacyPenaltyMarks.back() = 0x42;
  h.m_reserved772.front() = 0x51;
  h.m_reserved772.back() = 0x52;
  h.m_reserved844 = 0x6162;
  h.m_reserved846 = {0x71, 0x72};
  std::array<std::uint8_t, kProblemHeaderBytes> bytes{};
  EncodeProblemHeader(h, bytes);

  struct Field {
    std::size_t offset;
    std::size_t width;
    std::uint64_t value;
  };
  const Field fields[] = {
      {0, 2, 'N'},      {59, 1, 0},       {60, 2, 'I'},     {72, 2, 'T'},     {168, 2, 0x0102},
      {170, 2, '1'},    {303, 2, '2'},    {436, 2, '3'},    {569, 2, 'F'},    {701, 1, 0},
      {702, 2, 0x0A0B}, {704, 1, 0x11},   {705, 1, 0x12},   {706, 1, 0x13},   {707, 8, Bits(1234.5)},
      {715, 2, 0x2122}, {717, 2, 0x2324}, {719, 2, 0x2526}, {721, 2, 0x2728}, {723, 1, 0x31},
      {724, 1, 0x32},   {743, 1, 0x33},   {744, 1, 101},    {745, 1, 4},      {746, 2, 25},
      {748, 1, 0x41},   {771, 1, 0x42},   {772, 1, 0x51},   {843, 1, 0x52},   {844, 2, 0x6162},
      {846, 2, 0x7271},
  };
  for (const Field& f : fields) EXPECT_EQ(f.value, ReadLe(bytes, f.offset, f.width)) << "offset " << f.offset;
  EXPECT_EQ(h, DecodeProblemHeader(bytes));
}

TEST(ProblemHeaderTest, FreshHeaderBytes) {
  std::array<std::uint8_t, kProblemHeaderBytes> bytes{};
  EncodeProblemHeader(ProblemHeader{}, bytes);
  std::array<std::uint8_t, kProblemHeaderBytes> expected{};
  for (std::size_t offset : {702, 715, 717, 719, 721}) expected[offset] = expected[offset + 1] = 0xFF;
  for (std::size_t i = 0; i < 8; ++i)
    expected[707 + i] = static_cast<std::uint8_t>(Bits(1000000.0) >> (8 * i));
  EXPECT_EQ(expected, bytes);
}

TEST(ProblemHeaderTest, AnyBytesWriteBackUnchanged) {
  auto bytes = RandomBytes<kProblemHeaderBytes>(4);
  std::array<std::uint8_t, kProblemHeaderBytes> out{};
  EncodeProblemHeader(DecodeProblemHeader(bytes), out);
  EXPECT_EQ(bytes, out);
}

TEST(FixedTextTest, TextsAreCutToLeaveTheTerminator) {
  FixedText<12> id;
  id.SetText("123456789012345");
  EXPECT_EQ("12345678901", id.Text());
  EXPECT_EQ('\0', id.Bytes().back());
  id.SetText("12");
  EXPECT_EQ("12", id.Text());
  EXPECT_EQ(std::vector<char>(10, '\0'), std::vector<char>(id.Bytes().begin() + 2, id.Bytes().end()));
  // A full field without terminator (never written here) reads as all its bytes.
  id.Bytes().fill('x');
  EXPECT_EQ(std::string(12, 'x'), id.Text());
}

}  // namespace
}  // namespace zarvic
