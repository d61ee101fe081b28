#include "reports/ReportOptions.h"

namespace zarvic {

void ReportOptions::ClearReportSwitches() {
  interestAndPenaltyDetail = false;
  interestDetailWithFactors = false;
  mainScreenEvents = false;
  paymentAllocationDetail = false;
  penaltyComputationDetail = false;
  monthlyAccrual = false;
  rateTable = false;
  estimatedTaxPenalty = false;
  depositPenalty = false;
}

bool AnyProblemReportSelected(const ReportSettings& o) {
  return o.interestAndPenaltyDetail || o.interestDetailWithFactors || o.mainScreenEvents ||
         o.paymentAllocationDetail || o.penaltyComputationDetail || o.monthlyAccrual;
}

bool AnyWorksheetReportSelected(const ReportSettings& o) {
  return o.estimatedTaxPenalty || o.depositPenalty;
}

bool AnyReportSelected(const ReportSettings& o) {
  return AnyProblemReportSelected(o) || o.rateTable || AnyWorksheetReportSelected(o);
}

bool OnlyRateTableSelected(const ReportSettings& o) {
  return o.rateTable && !AnyProblemReportSelected(o) && !AnyWorksheetReportSelected(o);
}

}  // namespace zarvic
