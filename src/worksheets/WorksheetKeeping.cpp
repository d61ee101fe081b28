#include "worksheets/WorksheetKeeping.h"

#include "problem/CTDoc.h"

namespace zarvic {
namespace {

template <typename Sheet>
bool Keep(CTDoc& doc, std::optional<Sheet>& kept, DayNumber& keptDate, const Sheet& sheet, DayNumber date) {
  if (kept && *kept == sheet && keptDate == date) return false;
  kept = sheet;
  keptDate = date;
  doc.SetModified();
  return true;
}

}  // namespace

EstimatedTaxWorksheet KeptEstimatedTax(const CTDoc& doc) {
  return doc.m_worksheets.estimatedTax.value_or(EstimatedTaxWorksheet{});
}

DepositPenaltyWorksheet KeptDepositPenalty(const CTDoc& doc) {
  return doc.m_worksheets.depositPenalty.value_or(DepositPenaltyWorksheet{});
}

bool KeepWorksheet(CTDoc& doc, const EstimatedTaxWorksheet& sheet, DayNumber penaltyDate) {
  ProblemWorksheets& w = doc.m_worksheets;
  return Keep(doc, w.estimatedTax, w.estimatedTaxPenaltyDate, sheet, penaltyDate);
}

bool KeepWorksheet(CTDoc& doc, const DepositPenaltyWorksheet& sheet, DayNumber penaltyDate) {
  ProblemWorksheets& w = doc.m_worksheets;
  return Keep(doc, w.depositPenalty, w.depositPenaltyDate, sheet, penaltyDate);
}

DayNumber OfferedPenaltyDate(const CTDoc& doc, WorksheetKind kind) {
  const int event = FindWorksheetPenaltyEvent(doc, kind);
  if (event >= 0) return doc.m_events[static_cast<std::size_t>(event)].m_date;
  const ProblemWorksheets& w = doc.m_worksheets;
  if (kind == WorksheetKind::EstimatedTax) return w.estimatedTaxPenaltyDate;
  if (IsDate(w.depositPenaltyDate)) return w.depositPenaltyDate;
  return w.depositPenalty ? w.depositPenalty->firstNotice : NO_DATE;
}

}  // namespace zarvic
