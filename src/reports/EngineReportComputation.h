#pragma once

#include "reports/ReportComputation.h"

namespace zarvic {

// The reports' computation through the compute driver and the penalty computations: what the GUI and
// the batch modes give a report run.
class EngineReportComputation : public ReportComputation {
 public:
  // gattDiagnostic: the application's GATT diagnostic mode ("-GATTDIAGNOSTIC").
  explicit EngineReportComputation(bool gattDiagnostic = false) : gattDiagnostic_(gattDiagnostic) {}

  bool ComputeProblem(CTDoc& doc) override;
  bool RunComputation(CTDoc& doc, DayNumber date, bool monthlyBreaks) override;
  ReportTotals Totals(const CTDoc& doc) const override;
  DayNumber HotStartDate(const CTDoc& doc) const override;
  bool PenaltyWhileRefund(const CTDoc& doc) const override;
  std::array<Amount, 3> NegligenceAmounts(const CTDoc& doc) const override;
  bool AccuracyStacking(CTDoc& doc) override;
  Amount PaymentsInPeriod(const CTDoc& doc, int k, DayNumber from, DayNumber to) const override;
  bool GattDiagnostic() const override { return gattDiagnostic_; }
  void SetGattDiagnostic(bool on) { gattDiagnostic_ = on; }

 private:
  bool gattDiagnostic_;
};

}  // namespace zarvic
