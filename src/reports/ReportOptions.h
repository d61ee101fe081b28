#pragma once

#include <array>
#include <string>

#include "core/Dates.h"

namespace zarvic {

inline constexpr int kReportHeaderLines = 3;
inline constexpr std::size_t kReportTextMaxLength = 132;  // heading lines and footer

// The report options of one view, and the application's default report settings.
struct ReportOptions {
  DayNumber computeDate = NO_DATE;  // copied to and from the problem's compute date
  bool includeDate = true;
  bool includeFooter = false;
  bool includeHeader = false;
  bool includeTime = false;
  bool interestAndPenaltyDetail = true;  // "&Interest and Penalty Detail"
  bool interestDetailWithFactors = false;
  bool mainScreenEvents = false;  // the event summary report
  bool paymentAllocationDetail = false;
  bool penaltyComputationDetail = false;
  bool monthlyAccrual = false;
  bool rateTable = false;  // listing of the problem's rate table
  std::array<std::string, kReportHeaderLines> headerLines;
  std::string footer = "Prepared using Zarvic";
  int fiscalYearEnd = 11;  // month index of the fiscal year end: 0 = January ... 11 = December

  // Every report switch off (the state ResetReportOptions leaves before a command chooses).
  void ClearReportSwitches();
};

bool AnyReportSelected(const ReportOptions& options);
bool OnlyRateTableSelected(const ReportOptions& options);
// Any report that reads the problem's computation (every report but the rate table listing).
bool AnyProblemReportSelected(const ReportOptions& options);

}  // namespace zarvic
