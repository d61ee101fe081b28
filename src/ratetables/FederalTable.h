#pragma once

#include <string>

#include "ratetables/RateTable.h"

namespace zarvic {

// The shipped "FEDERAL.TB3" is built at build time from the readable rate history
// (data/federal-rates.csv: start_date, underpayment, overpayment_noncorporate, ..., source):
// - one line per row; from 01-01-1983 on also one at every January 1 that no row starts, so that each
//   Daily line carries the days of its own year;
// - mode Old IRS Method before 02-01-1980, Simple until 12-31-1982, Daily from 01-01-1983;
// - days per year 366 in leap years and 365 otherwise for Daily lines, 365 for the earlier ones;
// - normal = underpayment rate, motivated = 120% of it to the hundredth, refund = the noncorporate
//   overpayment rate;
// - end date = last day of the quarter of the last row.
// On failure (unreadable file, missing column, bad or unordered row) returns false with error set.
bool BuildFederalTable(const std::string& csvPath, RateTable& table, std::string& error);

inline constexpr std::uint16_t kFederalVendorFlag = 1;

}  // namespace zarvic
