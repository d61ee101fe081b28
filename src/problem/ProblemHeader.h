#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/Dates.h"
#include "penalties/PenaltyRecord.h"
#include "problem/FixedText.h"

namespace zarvic {

inline constexpr std::size_t kProblemHeaderBytes = 848;
inline constexpr int kReportHeadingLines = 3;
inline constexpr std::size_t kReportLineBytes = 133;        // at most 132 characters
inline constexpr double kDefaultGattThreshold = 1000000.0;  // cents: $10,000.00

// The version this program writes, and the penalty record count it writes with it (24 used + 1 reserved).
inline constexpr std::int8_t kFormatMajor = 101;
inline constexpr std::int8_t kFormatMinor = 4;
inline constexpr std::uint16_t kPenaltyRecordsWritten = 25;

// Byte offsets of the header fields in the file.
namespace header_offset {
inline constexpr std::size_t kTaxpayerName = 0;
inline constexpr std::size_t kTaxpayerId = 60;
inline constexpr std::size_t kTableName = 72;
inline constexpr std::size_t kEventCount = 168;
inline constexpr std::size_t kHeadings = 170;  // three lines of 133 bytes
inline constexpr std::size_t kFooter = 569;
inline constexpr std::size_t kComputeDate = 702;
inline constexpr std::size_t kCCorporation = 704;
inline constexpr std::size_t kHotInterest = 705;
inline constexpr std::size_t kHotStop = 706;
inline constexpr std::size_t kGattThreshold = 707;
inline constexpr std::size_t kThirtyDayLetter = 715;
inline constexpr std::size_t kApplicableDate = 717;
inline constexpr std::size_t kRestartThirtyDayLetter = 719;
inline constexpr std::size_t kRestartApplicableDate = 721;
inline constexpr std::size_t kReserved723 = 723;
inline constexpr std::size_t kReserved724 = 724;
inline constexpr std::size_t kVersionMajor = 744;
inline constexpr std::size_t kVersionMinor = 745;
inline constexpr std::size_t kPenaltyRecordCount = 746;
inline constexpr std::size_t kLegacyPenaltyMarks = 748;
inline constexpr std::size_t kReserved772 = 772;
inline constexpr std::size_t kReserved844 = 844;
inline constexpr std::size_t kReserved846 = 846;
}  // namespace header_offset

// The 848-byte problem header, every field as stored. A default-constructed header is the freshly built
// one: zero except the compute date and the four hot-interest dates (NO_DATE) and the GATT threshold.
struct ProblemHeader {
  FixedText<60> m_taxpayerName;
  FixedText<12> m_taxpayerId;
  FixedText<96> m_tableName;       // rate table file name without folder and extension, e.g. FEDERAL
  std::uint16_t m_eventCount = 0;  // maintained by the writer
  std::array<FixedText<kReportLineBytes>, kReportHeadingLines> m_headings{};
  FixedText<kReportLineBytes> m_footer;
  DayNumber m_computeDate = NO_DATE;  // the problem's compute date, copied here when saving
  std::uint8_t m_cCorporation = 0;    // C-corporation refund rules (lower rate, GATT above the threshold)
  std::uint8_t m_hotInterest = 0;     // 6621(c) hot interest
  std::uint8_t m_hotStop = 0;         // hot interest stops on 12-31-97 and may restart
  double m_gattThreshold = kDefaultGattThreshold;  // cents
  DayNumber m_thirtyDayLetter = NO_DATE;
  DayNumber m_applicableDate = NO_DATE;
  DayNumber m_restartThirtyDayLetter = NO_DATE;
  DayNumber m_restartApplicableDate = NO_DATE;
  std::uint8_t m_reserved723 = 0;                // written as 0
  std::array<std::uint8_t, 20> m_reserved724{};  // carried unchanged
  std::int8_t m_versionMajor = 0;
  std::int8_t m_versionMinor = 0;
  std::uint16_t m_penaltyRecordCount = 0;
  std::array<std::uint8_t, kPenaltyRecords> m_legacyPenaltyMarks{};  // carried unchanged
  std::array<std::uint8_t, 72> m_reserved772{};                      // carried unchanged
  std::uint16_t m_reserved844 = 0;                                   // written as 0
  std::array<std::uint8_t, 2> m_reserved846{};                       // carried unchanged

  bool operator==(const ProblemHeader&) const = default;
};

void EncodeProblemHeader(const ProblemHeader& header, std::span<std::uint8_t, kProblemHeaderBytes> out);
ProblemHeader DecodeProblemHeader(std::span<const std::uint8_t, kProblemHeaderBytes> in);

}  // namespace zarvic
