#pragma once

#include <memory>

#include "core/Amounts.h"
#include "core/Dates.h"

namespace zarvic {

class CTDoc;

// Negligence, fraud, valuation and understatement penalties, computed into doc.m_penaltyResults with
// one assessment each (dated where interest on the penalty starts).

void ComputeNegligence6653a(CTDoc& doc, DayNumber computeDate);
void ComputeFraud6653b(CTDoc& doc, DayNumber computeDate);
// Penalties 7 to 16: a rate applied to the entered underpayment, limited by the tax and thresholds.
void ComputeRatePenalty(CTDoc& doc, int k);

enum class InterestKind { Normal, Motivated };
// The interest the amount x would bear from `from` to `to` on the problem's rate table, reduced by the
// payments allocated to tax and interest (motivated tax and interest for the motivated kind); with
// followIrs the payments first pay the tax not subject to penalty k's interest part.
Amount InterestComponent(const CTDoc& doc, Amount x, InterestKind kind, DayNumber from, DayNumber to,
                         bool followIrs, int k);

// While one exists, InterestComponent keeps where each of its walks stood after every step and picks a
// walk up from the last step whose inputs have not changed since, instead of walking from the start.
// The payment allocation's runs compute the penalties once per payment, each time with one more
// payment allocated and a later end, so most of each walk is the one before. The result is exactly
// the walk from the start: a step is reused only when every input it read is equal.
class InterestComponentMemo {
 public:
  InterestComponentMemo();
  ~InterestComponentMemo();
  InterestComponentMemo(const InterestComponentMemo&) = delete;
  InterestComponentMemo& operator=(const InterestComponentMemo&) = delete;

  // The coming run of the allocation goes to event index. The runs come in event order, and between
  // two runs only the allocation of the earlier run's event changes: so the payments listed before
  // the event of a walk's last run are read again from what that walk kept of them.
  void SetRun(int index);

  struct Walks;

 private:
  std::unique_ptr<Walks> walks_;
  Walks* previous_;
};

// The accuracy-related stacking test (returns due after 1989): the amounts entered for the active
// 6662(c) to (g) penalties exceed the tax. Sets doc.TotalTax to the tax, motivated tax, debit and IRS
// check amounts and the results' AccuracyStackingFlag; with showMessages, message 18007.
bool CheckAccuracyStacking(CTDoc& doc, bool showMessages);

}  // namespace zarvic
