#include "engine/Balances.h"

#include <algorithm>

#include "core/Amounts.h"
#include "core/UserInterface.h"
#include "engine/ComputePeriod.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

constexpr int kRefundWithSimpleId = 20045;

bool WithGatt(const CTDoc& doc) {
  return doc.m_header.m_cCorporation != 0 && doc.m_compute.m_gattApplies;
}

// NetGatt's second half: a negative GATT balance against a positive normal balance.
void NetNegativeGatt(ComputeState& s) {
  if (s.m_gatt < 0 && s.m_balance > 0) {
    double sum = s.m_gatt + s.m_balance;
    if (sum > 0) {
      s.m_balance = sum;
      s.m_gatt = 0.0;
    } else {
      s.m_gatt = sum;
      s.m_balance = 0.0;
    }
  }
}

}  // namespace

bool IsCompoundingMode(int mode) {
  return mode == kModeDaily || mode == kModeMonthly || mode == kModeMonthlyWhole;
}

void NetGatt(CTDoc& doc) {
  ComputeState& s = doc.m_compute;
  if (s.m_gatt > 0) {
    s.m_balance += s.m_gatt;
    s.m_gatt = 0.0;
  } else {
    NetNegativeGatt(s);
  }
}

int FoldInterest(CTDoc& doc, int line) {
  const int mode = doc.m_rateTable.lines[line].mode;
  if (!IsCompoundingMode(mode)) return mode;  // simple interest waits in the accumulators
  ComputeState& s = doc.m_compute;
  s.m_balance += s.m_accrued + s.m_accruedRefund;
  s.m_motivated += s.m_accruedMotivated;
  s.m_gatt += s.m_accruedGatt;
  s.m_accrued = 0.0;
  s.m_accruedRefund = 0.0;
  s.m_accruedMotivated = 0.0;
  s.m_accruedGatt = 0.0;
  if (s.m_motivated < 0) {
    s.m_balance += s.m_motivated;
    s.m_motivated = 0.0;
  }
  NetGatt(doc);
  return mode;
}

DayNumber ClosePeriod(CTDoc& doc, ComputeResults& node, DayNumber start, DayNumber end, int kind, int line,
                      ResultListKind list, bool factorStart) {
  ComputeState& s = doc.m_compute;
  const RateLine& rates = doc.m_rateTable.lines[line];
  node.m_kind = static_cast<std::int16_t>(kind);
  double normalRate = rates.normalRate;

  const bool onNormal =
      list == ResultListKind::Normal && kind != kEventMotivatedTax && kind != kKindMotivatedRateChange;
  double principal = onNormal ? s.m_balance : s.m_motivated;
  double rate = onNormal ? rates.normalRate : rates.motivatedRate;

  // An overpayment earns the refund rate and is never hot.
  const bool savedHot = s.m_hotInEffect;
  const bool savedGatt = s.m_gattApplies;
  if (principal <= 0) {
    rate = rates.refundRate;
    s.m_hotInEffect = false;
  }
  if (list == ResultListKind::Motivated) s.m_gattApplies = false;
  if (!IsDate(start)) start = 0;
  if (factorStart) rate = normalRate = 1.0;

  ComputePeriod(s, principal, start, end, rates.mode, DaysPerYearValue(rates.daysPerYear), rate, normalRate,
                node);
  s.m_hotInEffect = savedHot;
  s.m_gattApplies = savedGatt;

  s.m_accruedGatt += node.m_gattInterest;
  s.m_gattInterestTotal += node.m_gattInterest;
  const double interest = node.m_normalInterest;
  if (interest < 0) {
    s.m_accruedRefund += interest;
    s.m_refundInterestTotal += interest;
  } else if (list == ResultListKind::Normal) {
    s.m_accrued += interest;
    s.m_normalInterestTotal += interest;
  } else {
    s.m_accruedMotivated += interest;
    s.m_motivatedInterestTotal += interest;
  }
  s.m_lastClosedEnd = end;
  return end;
}

void AddCharge(CTDoc& doc, const CEvent& event, int line) {
  ComputeState& s = doc.m_compute;
  const double amount = event.m_amount;
  if (!WithGatt(doc)) {
    s.m_balance += amount;
    if (!IsCompoundingMode(doc.m_rateTable.lines[line].mode) && s.m_balance > 0.001 &&
        s.m_accruedRefund < -0.001 && s.m_showMessages && !s.m_refundWithSimpleShown) {
      s.m_refundWithSimpleShown = true;
      MessageBoxId(kRefundWithSimpleId);
    }
    return;
  }
  const double threshold = doc.m_header.m_gattThreshold;
  if (event.m_type != kEventIrsCheck) {
    NetGatt(doc);
    FoldInterest(doc, line);
    s.m_gatt += amount;
    if (s.m_gattInterestTotal != 0) s.m_taxOffsetByGatt = true;
    if (s.m_gatt > 0) {
      s.m_thresholdA = std::max(std::min(s.m_thresholdA + s.m_gatt, threshold), 0.0);
      s.m_balance += s.m_gatt;
      s.m_gatt = 0.0;
    } else {
      NetNegativeGatt(s);
    }
    return;
  }
  // An IRS check: the GATT amount reduces the high-rate portion, the rest the GATT balance.
  const double highRate = event.m_gattAmount;
  FoldInterest(doc, line);
  s.m_gatt += amount - highRate;
  s.m_balance += highRate;
  NetGatt(doc);
  s.m_thresholdB = std::max(s.m_thresholdB - highRate, 0.0);
}

void ApplyPayment(CTDoc& doc, int eventIndex, int line) {
  const CEvent& event = doc.m_events[eventIndex];
  if (!event.m_allocation) return;
  const AllocationRecord& record = *event.m_allocation;
  const double toTax = record.m_payment[0];
  const double toInterest = record.m_payment[1];
  ComputeState& s = doc.m_compute;

  const double room = std::min(s.m_thresholdA, s.m_thresholdB);
  const double thresholdWas = s.m_thresholdA;
  double balanceWas = s.m_balance;

  // Compared with a hair of tolerance: the applied parts are sums of whole cents.
  if (event.m_type == kEventDeposit && event.m_amount > record.AppliedTotal() + 0.001)
    s.m_depositNotConsumed = true;

  s.m_motivated -= record.m_payment[2];
  s.m_accruedMotivated -= record.m_payment[3];

  const bool compounding = IsCompoundingMode(doc.m_rateTable.lines[line].mode);
  double h = toTax;
  if (compounding) h += toInterest;  // the interest already sits in the principal

  if (!WithGatt(doc) || event.m_type == kEventDeposit) {
    s.m_balance -= toTax;
    s.m_accrued -= toInterest;
  } else {
    double t = 0.0;
    if (!compounding) {
      s.m_accrued -= toInterest;
      t = toInterest;
    }
    FoldInterest(doc, line);
    double x = s.m_balance;
    if (x > h) {
      s.m_balance = x - h;
      s.m_thresholdA -= h;
    } else {
      if (x > 0) {
        h -= x;
        s.m_balance = 0.0;
        x = 0.0;
      }
      if (room <= 0) {
        s.m_gatt -= h;  // no room under the threshold: all of it earns the GATT rate
      } else if (room >= h) {
        s.m_balance = x - h;
        s.m_thresholdA -= toTax + toInterest;
        FoldInterest(doc, line);
      } else {
        s.m_balance = x - room;
        s.m_gatt -= h - room;
        FoldInterest(doc, line);
        s.m_thresholdA = 0.0;
        balanceWas = 0.0;
      }
    }
    s.m_thresholdA += t;
    if (balanceWas > 0 && room > 0) s.m_thresholdA = std::min(s.m_thresholdA + balanceWas, thresholdWas);
    if (s.m_thresholdA < 0) s.m_thresholdA = 0.0;
  }

  // Paying more interest or motivated tax than is owed pays the normal balance instead.
  if (s.m_accrued < 0) {
    s.m_balance += s.m_accrued;
    s.m_accrued = 0.0;
  }
  if (s.m_accruedMotivated < 0) {
    s.m_motivated += s.m_accruedMotivated;
    s.m_accruedMotivated = 0.0;
  }
  if (s.m_motivated < 0) {
    s.m_balance += s.m_motivated;
    s.m_motivated = 0.0;
  }
}

void FinalAllocationPass(CTDoc& doc) {
  // Only tax, motivated tax and entered penalties pay charges; the other categories are not summed.
  double paidTax = 0.0;
  double paidMotivated = 0.0;
  double paidPenalties = 0.0;
  std::span<CEvent> events = doc.ListedEvents();
  for (CEvent& event : events) {
    event.m_balof = 0.0;
    if (const AllocationRecord* record = event.m_allocation.get()) {
      paidTax += record->m_payment[0];
      paidMotivated += record->m_payment[2];
      paidPenalties += record->m_payment[4];
    }
  }
  for (CEvent& event : events) {
    double* remaining;
    switch (event.m_type) {
      case kEventTax:
      case kEventDebit:
      case kEventIrsCheck:
        remaining = &paidTax;
        break;
      case kEventMotivatedTax:
        remaining = &paidMotivated;
        break;
      case kEventPenalty:
      case kEventNamedPenalty:
        remaining = &paidPenalties;
        break;
      default:
        continue;
    }
    event.m_balof = event.m_amount - std::min(event.m_amount, *remaining);
    *remaining = std::max(*remaining - event.m_amount, 0.0);
  }
}

}  // namespace zarvic
