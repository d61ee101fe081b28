#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/Dates.h"

namespace zarvic {

inline constexpr int kMaxRateLines = 500;

// Computation mode codes of a rate line.
enum ComputationMode : std::uint16_t {
  kModeOldIrs = 0,
  kModeSimple = 1,
  kModeDaily = 2,
  kModeMonthly = 3,       // monthly compounding plus exact days
  kModeFactorSum = 4,     // the three "rates" are factors for the whole line period
  kModeMonthlyWhole = 5,  // monthly compounding, whole months
  kModePQuarterly = 10,
  kModePMonthly = 11,
};

// One 30-byte line of a table (file layout: start, mode, three f64 rates, days-per-year code).
struct RateLine {
  DayNumber start = NO_DATE;
  std::uint16_t mode = 0;
  double normalRate = 0.0;        // annual percent
  double motivatedRate = 0.0;     // annual percent
  double refundRate = 0.0;        // annual percent
  std::uint16_t daysPerYear = 0;  // 365, 366, or 100 meaning 365.25

  bool IsUsed() const { return IsDate(start); }
  bool operator==(const RateLine&) const = default;
};
inline constexpr std::size_t kRateLineBytes = 30;

// Days per year of a line's code: 365, 366, 365.25 for 100, and 0 for anything else.
double DaysPerYearValue(std::uint16_t code);

// The interest rate table a problem computes with. Header fields keep the file's layout (136 bytes).
struct RateTable {
  std::uint8_t formatMark = 0;
  std::int8_t version = 0;
  std::uint16_t lineCount = 0;
  std::uint8_t reserved4 = 0;       // offset 4, preserved from the file read
  DayNumber endDate = NO_DATE;      // "Table End Date"
  std::array<char, 4> writerTag{};  // offset 26
  std::uint16_t word30 = 0;         // offset 30
  std::string notes;                // "Interest Rate Table Notes"; its length is the file's notes length
  std::string description;          // "Table Description", at most 93 characters stored
  std::uint16_t word132 = 0;
  std::uint16_t vendorFlag = 0;  // non-zero: shipped with the program
  std::array<RateLine, kMaxRateLines> lines{};
  std::string name;  // file name without folder and extension, e.g. FEDERAL

  bool IsLoaded() const { return lines[0].IsUsed(); }
};
inline constexpr std::size_t kRateTableHeaderBytes = 136;

}  // namespace zarvic
