#pragma once

// Problem files built byte by byte from the stored layouts, independently of the program's encoders.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/Dates.h"
#include "support/TestFiles.h"

namespace zarvic::testing {

inline constexpr std::uint16_t kUnset = 0xFFFF;

struct HeaderSpec {
  std::string name{};
  std::string id{};
  std::string table = "FEDERAL";
  std::uint16_t eventCount = 0;
  std::array<std::string, 3> headings{};
  std::string footer{};
  std::uint16_t computeDate = kUnset;
  std::uint8_t cCorporation = 0;
  std::uint8_t hotInterest = 0;
  std::uint8_t hotStop = 0;
  double gattThreshold = 1000000.0;
  std::array<std::uint16_t, 4> hotDates{kUnset, kUnset, kUnset, kUnset};
  std::uint8_t major = 101;
  std::uint8_t minor = 4;
  std::uint16_t penaltyCount = 25;
  std::array<std::uint8_t, 24> legacyMarks{};
};

inline std::string HeaderImage(const HeaderSpec& h) {
  Bytes b;
  b.Field(h.name, 60).Field(h.id, 12).Field(h.table, 96).U16(h.eventCount);
  for (const std::string& line : h.headings) b.Field(line, 133);
  b.Field(h.footer, 133).U16(h.computeDate);
  b.U8(h.cCorporation).U8(h.hotInterest).U8(h.hotStop).F64(h.gattThreshold);
  for (std::uint16_t d : h.hotDates) b.U16(d);
  b.U8(0).Zeros(20).U8(h.major).U8(h.minor).U16(h.penaltyCount);
  for (std::uint8_t m : h.legacyMarks) b.U8(m);
  b.Zeros(72).U16(0).Zeros(2);
  return b.str();
}

struct PenaltySpec {
  std::array<std::uint16_t, 12> dates{kUnset, kUnset, kUnset, kUnset, kUnset, kUnset,
                                      kUnset, kUnset, kUnset, kUnset, kUnset, kUnset};
  std::uint16_t graceBits = 0x00FF;
  std::uint16_t monthsCharged = 0;
  std::array<double, 5> amounts{};
  double rate = 0.0;
  std::uint16_t flags = 0;
  std::array<std::uint8_t, 8> reserved{};
};

inline std::string Penalty88(const PenaltySpec& p) {
  Bytes b;
  for (std::uint16_t d : p.dates) b.U16(d);
  b.U16(p.graceBits).U16(p.monthsCharged);
  for (double a : p.amounts) b.F64(a);
  b.F64(p.rate).U16(p.flags);
  for (std::uint8_t r : p.reserved) b.U8(r);
  b.U16(0);
  return b.str();
}

// The 80-byte record of generations before 96.4: eight dates only; oldTail fills bytes 78-79.
inline std::string Penalty80(const PenaltySpec& p, std::uint16_t oldTail = 0) {
  Bytes b;
  for (int i = 0; i < 8; ++i) b.U16(p.dates[i]);
  b.U16(p.graceBits).U16(p.monthsCharged);
  for (double a : p.amounts) b.F64(a);
  b.F64(p.rate).U16(p.flags);
  for (std::uint8_t r : p.reserved) b.U8(r);
  b.U16(oldTail);
  return b.str();
}

inline std::string Penalties88(std::vector<PenaltySpec> records, int count = 25) {
  std::string out;
  records.resize(std::max<std::size_t>(records.size(), 24));
  for (int k = 0; k < count; ++k) out += k < 24 ? Penalty88(records[k]) : std::string(88, '\0');
  return out;
}

inline std::string Penalties80(std::vector<PenaltySpec> records, int count) {
  std::string out;
  records.resize(std::max<std::size_t>(records.size(), static_cast<std::size_t>(count)));
  for (int k = 0; k < count; ++k) out += Penalty80(records[k]);
  return out;
}

// Sum of the 42 bytes as signed values, the checksum word taken as 0; low 16 bits.
inline std::uint16_t RecordChecksum(const std::string& record) {
  std::int32_t sum = 0;
  for (std::size_t i = 0; i < 40; ++i) sum += static_cast<std::int8_t>(record[i]);
  return static_cast<std::uint16_t>(sum & 0xFFFF);
}

struct EventSpec {
  std::uint16_t type = 0;
  std::uint16_t date = kUnset;
  double amount = 0.0;
  double gattAmount = 0.0;
  double balof = 0.0;
  std::uint32_t descriptionMarker = 0;
  std::uint32_t allocationRef = 0;
  std::array<std::uint8_t, 4> reserved{};
};

// The 42-byte event record; with checksum false the word at 40 is left 0 (the old layout has none).
inline std::string EventImage42(const EventSpec& e, bool checksum = true) {
  Bytes b;
  b.U16(e.type).U16(e.date).F64(e.amount).F64(e.gattAmount);
  b.U8(static_cast<std::uint8_t>(e.allocationRef)).U8(static_cast<std::uint8_t>(e.allocationRef >> 8));
  b.U8(static_cast<std::uint8_t>(e.allocationRef >> 16)).U8(static_cast<std::uint8_t>(e.allocationRef >> 24));
  b.F64(e.balof).U16(static_cast<std::uint16_t>(e.descriptionMarker)).U16(0);
  for (std::uint8_t r : e.reserved) b.U8(r);
  std::string record = b.str() + std::string(2, '\0');
  if (checksum) {
    std::uint16_t sum = RecordChecksum(record);
    record[40] = static_cast<char>(sum & 0xFF);
    record[41] = static_cast<char>(sum >> 8);
  }
  return record;
}

// Allocation records: applied and designated amounts by category, then the letters.
inline std::string Allocation852(const std::string& letters, const std::vector<double>& applied = {},
                                 const std::vector<double>& designated = {}) {
  Bytes b;
  for (std::size_t i = 0; i < 50; ++i) b.F64(i < applied.size() ? applied[i] : 0.0);
  for (std::size_t i = 0; i < 50; ++i) b.F64(i < designated.size() ? designated[i] : 0.0);
  b.Field(letters, 50).Zeros(2);
  return b.str();
}

inline std::string Allocation344(const std::string& letters, const std::vector<double>& applied = {},
                                 const std::vector<double>& designated = {}) {
  Bytes b;
  for (std::size_t i = 0; i < 20; ++i) b.F64(i < applied.size() ? applied[i] : 0.0);
  for (std::size_t i = 0; i < 20; ++i) b.F64(i < designated.size() ? designated[i] : 0.0);
  b.Field(letters, 20).Zeros(4);
  return b.str();
}

inline std::string Description41(const std::string& text) {
  return Bytes().Field(text, 41).str();
}

inline std::span<const std::uint8_t> AsBytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

inline std::uint16_t Day(const char* date) {
  return ParseDate(date);
}

}  // namespace zarvic::testing
