#pragma once

#include "reports/ReportWriter.h"

namespace zarvic {

class CTDoc;
struct ReportSettings;

// Writes the reports of the worksheets kept with doc that options selects, each figured afresh (the
// estimated tax with the problem's rate table). A worksheet that cannot be figured writes no report and
// shows why. Returns whether anything was written.
bool WriteWorksheetReports(ReportWriter& w, const CTDoc& doc, const ReportSettings& options);

}  // namespace zarvic
