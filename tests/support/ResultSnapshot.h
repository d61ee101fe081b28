#pragma once

// Everything a computation leaves behind that reports, the penalties or a later allocation read, as
// one list of numbers, so that two computations can be compared whole.

#include <vector>

#include "problem/CTDoc.h"

namespace zarvic::testing {

struct Snapshot {
  std::vector<double> values;
  bool operator==(const Snapshot&) const = default;
};

inline Snapshot TakeSnapshot(const CTDoc& doc) {
  Snapshot s;
  auto add = [&s](double v) { s.values.push_back(v); };
  for (const CEvent& e : doc.ListedEvents()) {
    add(e.m_type);
    add(e.m_date);
    add(e.m_amount);
    add(e.m_balof);
    if (e.m_allocation) {
      for (double v : e.m_allocation->m_payment) add(v);
      for (double v : e.m_allocation->m_specific) add(v);
    }
  }
  const ComputeState& c = doc.m_compute;
  for (double v : {c.m_normalInterestTotal, c.m_motivatedInterestTotal, c.m_refundInterestTotal,
                   c.m_gattInterestTotal, c.m_finalTotal, c.m_balance, c.m_motivated, c.m_gatt, c.m_accrued,
                   c.m_accruedRefund, c.m_accruedMotivated, c.m_accruedGatt, c.m_thresholdA, c.m_thresholdB})
    add(v);
  for (bool flag : {c.m_hotInEffect, c.m_interestRunning, c.m_depositNotConsumed, c.m_taxOffsetByGatt,
                    c.m_nonDailyRefundMode, c.m_hotStarted, c.m_hotStopped, c.m_hotRestarted})
    add(flag ? 1 : 0);
  for (const ComputeResultList* list : {&doc.m_normalList, &doc.m_motivatedList}) {
    add(-1);
    for (const ComputeResults* n = list->First(); n; n = n->m_next) {
      for (double v :
           {double(n->m_start), double(n->m_end), double(n->m_years), double(n->m_months), double(n->m_days),
            double(n->m_mode), double(n->m_kind), double(n->m_event), double(n->m_hot), n->m_normalPrincipal,
            n->m_normalInterest, n->m_normalRate, n->m_normalFactor, n->m_gattPrincipal, n->m_gattInterest,
            n->m_gattRate, n->m_gattFactor, n->m_balance})
        add(v);
    }
  }
  for (const SignChange& sc : doc.m_signChanges) {
    add(sc.m_date);
    add(sc.m_sign);
  }
  add(doc.m_penaltyResults.PenaltyFirstDate[kHotInterestSlot]);
  for (double v : doc.m_dueByCategory) add(v);
  return s;
}

}  // namespace zarvic::testing
