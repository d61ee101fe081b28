#include "reports/EngineReportComputation.h"

#include "allocation/PaymentAllocation.h"
#include "engine/ComputeDriver.h"
#include "penalties/PenaltyPass.h"
#include "problem/CTDoc.h"

namespace zarvic {

bool EngineReportComputation::ComputeProblem(CTDoc& doc) {
  // A report run computes as the Compute command does, cautions of a first computation included.
  return zarvic::ComputeProblemInRun(doc, false);
}

bool EngineReportComputation::RunComputation(CTDoc& doc, DayNumber date, bool monthlyBreaks) {
  return zarvic::RunComputation(doc, date, false, monthlyBreaks);
}

ReportTotals EngineReportComputation::Totals(const CTDoc& doc) const {
  const ComputeState& s = doc.m_compute;
  return {s.m_normalInterestTotal, s.m_motivatedInterestTotal, doc.m_penaltyResults.PenaltyInterestTotal,
          s.m_refundInterestTotal, s.m_gattInterestTotal,      s.m_finalTotal};
}

DayNumber EngineReportComputation::HotStartDate(const CTDoc& doc) const {
  return doc.m_compute.m_hotStartDate;
}

bool EngineReportComputation::PenaltyWhileRefund(const CTDoc& doc) const {
  return doc.m_penaltyResults.PenaltyWhileRefundFlag;
}

std::array<Amount, 3> EngineReportComputation::NegligenceAmounts(const CTDoc& doc) const {
  return doc.m_penaltyResults.NegligenceAmounts;
}

bool EngineReportComputation::AccuracyStacking(CTDoc& doc) {
  return CheckAccuracyStacking(doc);
}

Amount EngineReportComputation::PaymentsInPeriod(const CTDoc& doc, int k, DayNumber from,
                                                 DayNumber to) const {
  return zarvic::PaymentsInPeriod(doc, k, from, to);
}

}  // namespace zarvic
