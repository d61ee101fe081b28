#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/Dates.h"

namespace zarvic {

inline constexpr int kPenaltyRecords = 24;  // penalty index k = 0 to 23
inline constexpr int kPenaltyDates = 12;
inline constexpr int kPenaltyAmounts = 5;
inline constexpr std::size_t kPenaltyRecordBytes = 88;
inline constexpr int kHotInterestSlot = 22;  // set and cleared by the computation, never a penalty

// Bits of PenaltyRecord::m_flags. Bits 4 and 5 are never set here and stay as read; bit 6 belongs to
// the hot-interest record.
enum PenaltyFlag : std::uint16_t {
  PEN_ACTIVE = 0x0001,
  PEN_OPTION = 0x0002,
  PEN_EDITED = 0x0004,
  PEN_NO_MINIMUM = 0x0008,
  PEN_INDIVIDUAL_TIMELY = 0x0080,
};
// The bits that making a record new clears.
inline constexpr std::uint16_t kPenaltyFreshMask = 0x003F;

// The settings of one penalty; stored as 88 bytes: u16 dates[12] at 0, m_graceBits at 24,
// m_monthsCharged at 26, f64 m_amounts[5] at 28, f64 m_rate at 68, m_flags at 76, 8 reserved bytes at 78,
// a reserved u16 at 86. A default-constructed record is fresh with a flags word of 0 (a new problem).
struct PenaltyRecord {
  std::array<DayNumber, kPenaltyDates> m_dates = FreshDates();
  std::uint16_t m_graceBits =
      0x00FF;  // bit i: notice i has the 10-day grace period; every notice in a new record
  std::uint16_t m_monthsCharged = 0;
  std::array<double, kPenaltyAmounts> m_amounts{};  // cents
  double m_rate = 0.0;  // whole percent, always stored through RoundToCents (SetRate)
  std::uint16_t m_flags = 0;
  std::array<std::uint8_t, 8> m_reserved{};  // saved with the record
  std::uint16_t m_reserved2 = 0;

  // Makes the record new: every field fresh, bits 0 to 5 of the flags cleared, the other bits kept.
  void MakeNew();
  void SetRate(double rate);

  bool IsActive() const { return (m_flags & PEN_ACTIVE) != 0; }
  bool HasFlag(PenaltyFlag flag) const { return (m_flags & flag) != 0; }
  void SetFlag(PenaltyFlag flag, bool on);

  bool operator==(const PenaltyRecord&) const = default;

 private:
  static constexpr std::array<DayNumber, kPenaltyDates> FreshDates() {
    std::array<DayNumber, kPenaltyDates> dates{};
    dates.fill(NO_DATE);
    return dates;
  }
};

void EncodePenaltyRecord(const PenaltyRecord& record, std::span<std::uint8_t, kPenaltyRecordBytes> out);
PenaltyRecord DecodePenaltyRecord(std::span<const std::uint8_t, kPenaltyRecordBytes> in);

}  // namespace zarvic
