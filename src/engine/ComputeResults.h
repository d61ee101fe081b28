#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/Dates.h"

namespace zarvic {

// What ended a period (ComputeResults::m_kind) besides an event type 0-11. On the penalty interest list
// a penalty slot s ends a period with kind 11 + s.
enum ResultKind : std::int16_t {
  kKindPenaltySlotBase = 11,
  kKindHotStart = 33,     // hot interest starts or restarts (11 + the hot-interest slot 22)
  kKindHotStop = 35,      // hot interest stops on 12-31-97
  kKindRateChange = 100,  // "RATE CHANGE"; also the 12-31-94 GATT start break
  kKindMotivatedRateChange = 101,
  kKindMonthEnd = 200,  // "MON ACC BRK"
  kKindFinal = 500,     // "FINAL FLAG": the compute date
};

// The result node of one interest period on one result list. Amounts in cents, rates in annual percent.
struct ComputeResults {
  DayNumber m_start = NO_DATE;     // the previous break
  DayNumber m_end = NO_DATE;       // the break that ends the period
  std::int16_t m_years = 0;        // Old IRS Method only
  std::int16_t m_months = 0;       // month-based modes
  std::int16_t m_days = 0;         // end - start, or the days left over by the month-based modes
  std::int16_t m_mode = 0;         // computation mode of the governing rate line
  std::int16_t m_kind = 0;         // event type 0-11 or a ResultKind
  std::int16_t m_event = -1;       // index of the event that ended the period; -1 for kinds 100 and above
  int m_hot = 0;                   // 1: computed at the hot interest rate
  double m_normalPrincipal = 0.0;  // "Norm Prin"; negative for an overpayment
  double m_normalInterest = 0.0;   // "Int", rounded; negative for refund interest
  double m_normalRate = 0.0;       // "Rate"
  double m_normalFactor = 0.0;     // "Fact": interest = principal x factor before rounding
  double m_gattPrincipal = 0.0;    // "GATT Prin"
  double m_gattInterest = 0.0;
  double m_gattRate = 0.0;
  double m_gattFactor = 0.0;
  double m_penaltyPayment = 0.0;  // penalty interest list only: money applied to penalties at the step
  double m_amount = 0.0;          // penalty interest list only: the assessment added ("Amt")
  double m_balance = 0.0;         // "Bal": non-compounding modes only, principal plus prior accruals
  double m_principalWas = 0.0;    // "PWas", always 0
  double m_interestWas = 0.0;     // "IWas", always 0
  ComputeResults* m_next = nullptr;
  ComputeResults* m_previous = nullptr;
};

// One node of the sign-change list: the end date of the period closed last when the sign of the
// balances changed, and the new sign (+1 underpayment, -1 overpayment, 0 neither). Kept in the order
// appended; the penalty interest reads it to tell when the taxpayer was in a refund.
struct SignChange {
  DayNumber m_date = NO_DATE;
  int m_sign = 0;
};

// One result list. It owns its nodes; m_next and m_previous link them in the order appended. Every run
// clears and refills the lists (the payment allocation runs the engine once per payment), so cleared
// nodes are kept and reused rather than freed.
class ComputeResultList {
 public:
  ComputeResultList() = default;
  ComputeResultList(const ComputeResultList&) = delete;
  ComputeResultList& operator=(const ComputeResultList&) = delete;
  ComputeResultList(ComputeResultList&& other) noexcept
      : nodes_(std::move(other.nodes_)), used_(std::exchange(other.used_, 0)) {}
  ComputeResultList& operator=(ComputeResultList&& other) noexcept {
    nodes_ = std::move(other.nodes_);
    used_ = std::exchange(other.used_, 0);
    return *this;
  }

  // Appends a zeroed node linked after the last one and returns it; it stays valid until Clear.
  ComputeResults& Append() {
    if (used_ == nodes_.size()) {
      nodes_.push_back(std::make_unique<ComputeResults>());
    } else {
      *nodes_[used_] = ComputeResults{};
    }
    ComputeResults& node = *nodes_[used_];
    if (used_ > 0) {
      ComputeResults& previous = *nodes_[used_ - 1];
      previous.m_next = &node;
      node.m_previous = &previous;
    }
    ++used_;
    return node;
  }
  void Clear() { used_ = 0; }
  // The compute driver picking up an earlier walk: the list becomes its first size nodes as they were
  // last filled (nodes are not touched by Clear). Only for a size the list had since those nodes were
  // appended.
  void RestoreSize(std::size_t size) {
    used_ = std::min(size, nodes_.size());
    if (used_ > 0) nodes_[used_ - 1]->m_next = nullptr;
  }

  ComputeResults* First() const { return used_ == 0 ? nullptr : nodes_.front().get(); }
  ComputeResults* Last() const { return used_ == 0 ? nullptr : nodes_[used_ - 1].get(); }
  std::size_t Size() const { return used_; }
  bool Empty() const { return used_ == 0; }

 private:
  std::vector<std::unique_ptr<ComputeResults>> nodes_;  // the first used_ are the list
  std::size_t used_ = 0;
};

}  // namespace zarvic
