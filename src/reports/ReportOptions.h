#pragma once

#include "core/Dates.h"
#include "core/Settings.h"

namespace zarvic {

// The report options of one view: the report settings (switches, page dressing, fiscal year end) and
// the date through which the reports compute.
struct ReportOptions : ReportSettings {
  DayNumber computeDate = NO_DATE;  // copied to and from the problem's compute date
  // The window leaves the event summary out when the Interest and Penalty Detail (which opens with the
  // detailed event list) is chosen too; batch data entry asks for both, in one run, so that the page
  // numbers run on. Not a stored setting.
  bool eventSummaryWithDetail = false;

  ReportOptions() = default;
  explicit ReportOptions(const ReportSettings& settings, DayNumber date = NO_DATE)
      : ReportSettings(settings), computeDate(date) {}

  // Every report switch off (the state ResetReportOptions leaves before a command chooses).
  void ClearReportSwitches();
};

bool AnyReportSelected(const ReportSettings& options);
bool OnlyRateTableSelected(const ReportSettings& options);
// Any report that reads the problem's computation (every report but the rate table listing and the
// worksheets' reports, which figure their own).
bool AnyProblemReportSelected(const ReportSettings& options);
bool AnyWorksheetReportSelected(const ReportSettings& options);

}  // namespace zarvic
