#include "reports/KeptWorksheetReports.h"

#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "reports/DepositPenaltyReport.h"
#include "reports/EstimatedTaxReport.h"

namespace zarvic {

bool WriteWorksheetReports(ReportWriter& w, const CTDoc& doc, const ReportSettings& options) {
  bool written = false;
  const ProblemWorksheets& kept = doc.m_worksheets;
  if (options.estimatedTaxPenalty && kept.estimatedTax) {
    const EstimatedTaxResult result = ComputeEstimatedTax(*kept.estimatedTax, doc.m_rateTable);
    if (result.Ok()) {
      written = WriteEstimatedTaxReport(w, *kept.estimatedTax, result) || written;
    } else {
      MessageBoxId(result.errorId);
    }
  }
  if (options.depositPenalty && kept.depositPenalty) {
    const DepositPenaltyResult result = ComputeDepositPenalty(*kept.depositPenalty);
    if (result.error) {
      MessageBoxText(result.error->message);
    } else {
      written = WriteDepositPenaltyReport(w, *kept.depositPenalty, result) || written;
    }
  }
  return written;
}

}  // namespace zarvic
