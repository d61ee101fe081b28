#include <QCoreApplication>
#include <QFontMetrics>
#include <memory>

#include "core/Settings.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "ratetables/TableFile.h"
#include "reports/EngineReportComputation.h"
#include "reports/ReportDialogs.h"
#include "reports/ReportRun.h"
#include "reports/ui/CEditReport.h"
#include "reports/ui/ReportCommands.h"
#include "reports/ui/ReportPrinting.h"
#include "shell/ui/CAnyEdit.h"
#include "tools/screenshots/WorksheetShots.h"
#include "worksheets/ui/CEstimatedTaxWindow.h"

namespace zarvic {
namespace {

// An individual's 2024 return: four installments of 3,000.00 (the prior year's 12,000 is less than
// 90% of this year's 14,200), withholding of 4,000 in equal parts, and the third payment a month late.
CTDoc& Problem() {
  static CTDoc* problem = [] {
    auto doc = std::make_unique<CTDoc>();
    doc->ResetProblem(ReportHeadings{});
    LoadTable(doc->m_rateTable, kFederalTableFile, false);
    doc->m_header.m_tableName.SetText("FEDERAL");
    CEvent& tax = doc->m_events[0];
    tax.m_type = kEventTax;
    tax.m_date = MakeDate(4, 15, 2025);
    tax.m_amount = 220000.0;
    doc->m_computeDate = MakeDate(12, 10, 2026);
    doc->RecomputeTaxTotals();
    EstimatedTaxWorksheet sheet;
    sheet.taxYear = 2024;
    sheet.currentYearTax = 1420000.0;
    sheet.priorYearTax = 1200000.0;
    sheet.priorYearAgi = 9650000.0;
    sheet.withholding = 400000.0;
    sheet.payments = {{MakeDate(4, 15, 2024), 200000.0},
                      {MakeDate(6, 17, 2024), 200000.0},
                      {MakeDate(10, 15, 2024), 200000.0},
                      {MakeDate(1, 15, 2025), 200000.0}};
    doc->m_worksheets.estimatedTax = sheet;
    doc->m_worksheets.estimatedTaxPenaltyDate = MakeDate(6, 2, 2025);
    return &KeepProblem(std::move(doc));
  }();
  return *problem;
}

QWidget* Window() {
  return new CEstimatedTaxWindow(Problem());
}

// Its report in the report window, as "Report..." shows it.
QWidget* Report() {
  return WorksheetReportWindow(Problem(), &ReportSettings::estimatedTaxPenalty, 40);
}

}  // namespace

void RegisterEstimatedTaxShots(std::vector<Shot>& shots) {
  shots.push_back({QStringLiteral("estimated-tax.png"), Window});
  shots.push_back({QStringLiteral("estimated-tax-report.png"), Report});
}

}  // namespace zarvic
