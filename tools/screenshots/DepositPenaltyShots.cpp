#include <QCoreApplication>
#include <memory>

#include "core/Settings.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "problem/TextInput.h"
#include "ratetables/TableFile.h"
#include "reports/EngineReportComputation.h"
#include "reports/ReportDialogs.h"
#include "reports/ReportRun.h"
#include "reports/ui/CEditReport.h"
#include "reports/ui/ReportCommands.h"
#include "reports/ui/ReportPrinting.h"
#include "shell/ui/CAnyEdit.h"
#include "tools/screenshots/WorksheetShots.h"
#include "worksheets/DepositPenaltyInput.h"
#include "worksheets/WorksheetKeeping.h"
#include "worksheets/ui/CDepositPenaltyWindow.h"

namespace zarvic {
namespace {

#ifdef ZARVIC_SOURCE_DIR
constexpr char kDepositExample[] = ZARVIC_SOURCE_DIR "/examples/DEPTAX.TXT";
#else
constexpr char kDepositExample[] = "examples/DEPTAX.TXT";
#endif

// The shipped semiweekly quarter (a deposit 7 days late, the last one paid with the return) kept with a
// problem of its tax, the penalty dated on the notice that assessed it.
CTDoc& ExampleProblem() {
  static CTDoc* problem = [] {
    auto doc = std::make_unique<CTDoc>();
    doc->ResetProblem(ReportHeadings{});
    LoadTable(doc->m_rateTable, kFederalTableFile, false);
    doc->m_header.m_taxpayerName.SetText("Harbor Street Bakery, Inc.");
    doc->m_events[0].m_type = kEventTax;
    doc->m_events[0].m_date = MakeDate(10, 31, 2025);
    doc->m_events[0].m_amount = 2400000.0;
    doc->RecomputeTaxTotals();
    TextLineReader reader;
    if (reader.Open(kDepositExample)) {
      const DepositPenaltyInput input = ReadDepositPenaltyInput(reader);
      KeepWorksheet(*doc, input.worksheet, MakeDate(12, 1, 2025));
    }
    doc->SetModified(false);
    return &KeepProblem(std::move(doc));
  }();
  return *problem;
}

QWidget* Window() {
  return new CDepositPenaltyWindow(ExampleProblem());
}

// Its Deposit Penalty report in the report window, as "&Report..." shows it.
QWidget* Report() {
  return WorksheetReportWindow(ExampleProblem(), &ReportSettings::depositPenalty, 46);
}

}  // namespace

void RegisterDepositPenaltyShots(std::vector<Shot>& shots) {
  shots.push_back({QStringLiteral("deposit-penalty.png"), Window});
  shots.push_back({QStringLiteral("deposit-penalty-report.png"), Report});
}

}  // namespace zarvic
