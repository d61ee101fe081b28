#include "tools/screenshots/WorksheetShots.h"

#include <QFontMetrics>

#include "core/Settings.h"
#include "problem/CTDoc.h"
#include "reports/EngineReportComputation.h"
#include "reports/ReportDialogs.h"
#include "reports/ReportRun.h"
#include "reports/ui/CEditReport.h"
#include "reports/ui/ReportCommands.h"
#include "reports/ui/ReportPrinting.h"
#include "shell/ui/CAnyEdit.h"

namespace zarvic {

QWidget* WorksheetReportWindow(CTDoc& doc, bool ReportSettings::*report, int lines) {
  static EngineReportComputation computation;
  ReportRun run(doc, computation);
  ResetReportOptions(run.Options(), doc);
  run.Options().*report = true;
  PrinterPageLength page(ReportPrinter(), ReportPrintFont());
  run.PrepareReports(page, false);
  const ReportOptions& options = run.Options();
  auto* window =
      new CEditReport(run.ReportPath(), {options.includeHeader, options.includeFooter, page.LinesPerPage()},
                      GetIntSetting(SettingId::ReportFontSize));
  const QFontMetrics text = window->TextField()->fontMetrics();
  window->resize(text.horizontalAdvance(QLatin1Char('x')) * 84, text.lineSpacing() * lines);
  return window;
}

}  // namespace zarvic
