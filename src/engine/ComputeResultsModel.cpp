#include "engine/ComputeResultsModel.h"

#include <cmath>
#include <sstream>
#include <utility>

#include "core/AppOptions.h"
#include "core/DiagnosticLog.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "engine/ComputeDriver.h"
#include "engine/ResultTrace.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

constexpr int kInvalidComputeDateId = 20023;

constexpr const char* kLabels[kResultRows] = {
    "Tax",  "Penalties", "Interest", "Debit and IRS Check", "Refund Interest", "Payments and Credits",
    "Total"};

int Index(ResultRow row) {
  return static_cast<int>(row);
}

}  // namespace

const char* ResultRowLabel(ResultRow row) {
  return kLabels[Index(row)];
}

ResultValues ComputeResultValues(const CTDoc& doc, DayNumber computeDate) {
  ResultValues v{};
  Amount penalties = doc.SumEnteredPenalties(computeDate);
  for (Amount amount : doc.m_penaltyResults.PenaltyAmount) penalties += amount;
  v[Index(ResultRow::Tax)] = doc.SumTax(computeDate);
  v[Index(ResultRow::Penalties)] = penalties;
  v[Index(ResultRow::Interest)] = TotalInterest(doc);
  v[Index(ResultRow::DebitAndIrsCheck)] = doc.SumIrsChecks(computeDate) + doc.SumDebits(computeDate);
  v[Index(ResultRow::RefundInterest)] = TotalRefundInterest(doc);
  v[Index(ResultRow::PaymentsAndCredits)] = -doc.SumPayments(computeDate);
  v[Index(ResultRow::Total)] = FinalTotal(doc);
  return v;
}

std::string FormatResultValue(ResultRow row, Amount value) {
  const bool bracket = Index(row) >= Index(ResultRow::DebitAndIrsCheck);
  // These two rows only subtract: their zero keeps the brackets of the column. A positive value (a
  // negative payment read from a file) is shown as it is rather than hidden behind "<0.00>".
  const bool subtracting = row == ResultRow::RefundInterest || row == ResultRow::PaymentsAndCredits;
  if (subtracting && std::fabs(value) < 0.009) return WholeDollarActive() ? "<0>" : "<0.00>";
  return FormatAmount(value, true, bracket, false);
}

ComputeResultsModel::ComputeResultsModel(CTDoc& doc) : doc_(doc) {
  if (!IsDate(doc_.m_computeDate)) doc_.m_computeDate = Today();
  lastApplied_ = doc_.m_computeDate;
}

DayNumber ComputeResultsModel::ComputeDate() const {
  return doc_.m_computeDate;
}

bool ComputeResultsModel::Recompute(DayNumber date) {
  if (!IsDate(date)) date = NO_DATE;
  doc_.m_computeDate = date;
  // Another date is another computation: its cautions are worth showing again.
  if (date != lastApplied_) doc_.m_computedOnce = false;
  lastApplied_ = date;
  if (!IsDate(date)) {
    ClearResults(doc_);
    const Amount total = values_[Index(ResultRow::Total)];
    values_ = ResultValues{};
    values_[Index(ResultRow::Total)] = total;
    MessageBoxId(kInvalidComputeDateId);
    return false;
  }
  CurrentUi().SetWaitCursor(true);
  ComputeProblem(doc_, false);
  CurrentUi().SetWaitCursor(false);
  values_ = ComputeResultValues(doc_, date);
  if (DiagnosticLogActive()) WriteDiagnostic(ComputationTrace(doc_));
  return true;
}

std::string ComputationTrace(const CTDoc& doc) {
  std::ostringstream trace;
  trace << "Computed " << Windows1252ToUtf8(doc.m_header.m_taxpayerName.View()) << " to "
        << FormatDate(doc.m_computeDate, true) << "\n";
  const std::pair<const char*, const ComputeResultList*> lists[] = {{"Normal", &doc.m_normalList},
                                                                    {"Motivated", &doc.m_motivatedList},
                                                                    {"Penalty interest", &doc.m_penaltyList}};
  for (const auto& [name, list] : lists) {
    trace << name << " list:\n";
    DumpResultList(trace, *list);
  }
  return trace.str();
}

}  // namespace zarvic
