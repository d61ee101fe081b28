#include "allocation/PaymentAllocation.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/UserInterface.h"
#include "engine/ComputeDriver.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

constexpr int kCannotAllocateId = 18012;
constexpr int kRefundSituationId = 18017;
constexpr int kEventsNotSortedId = 20046;

signed char Letter(char c) {
  return static_cast<signed char>(c);
}

// Over the priority groups, smallest letter first, while more than half a cent is left to place.
// Every member of a group is served, due or not; the members with something due share the rest pro
// rata and the last of them takes what rounding leaves. The test comes before the first group too:
// specific amounts above the payment leave a negative remainder, which no group may be given.
void PriorityPasses(AllocationRecord& record, std::array<double, kAllocationCategories>& due, Amount amount,
                    Amount& remaining) {
  Amount placed = 0.0;
  while (remaining > 0.5) {
    bool found = false;
    signed char smallest = 0;
    for (char c : record.m_priority) {
      if (c == kServedLetter) continue;
      if (!found || Letter(c) < smallest) smallest = Letter(c);
      found = true;
    }
    if (!found) break;

    std::array<int, kAllocationCategories> members{};
    int count = 0;
    double totalDue = 0.0;
    for (int c = 0; c < kAllocationCategories; ++c) {
      if (record.m_priority[c] == kServedLetter || Letter(record.m_priority[c]) > smallest) continue;
      record.m_priority[c] = kServedLetter;
      if (due[c] > 0) {
        members[count++] = c;
        totalDue += due[c];
      }
    }
    if (totalDue <= 0) continue;

    const Amount base = remaining;
    for (int m = 0; m < count; ++m) {
      const int c = members[m];
      Amount share = m == count - 1 ? remaining : due[c] / totalDue * base;
      RoundAmount(share);
      if (share > due[c]) {
        share = due[c];
        // Kept as the program always did: a specific amount above what is left due is lowered to it.
        if (c != kCategoryTax && record.m_specific[c] > due[c]) record.m_specific[c] = due[c];
      }
      placed += share;
      if (placed > amount) {
        share -= placed - amount;
        placed = amount;
      }
      record.m_payment[c] += share;
      remaining -= share;
    }
  }
}

// What event contributes to the dues: charges add to their category, payments take off what they
// were allocated, and what no category took of a payment reduces the tax.
void AddToDues(std::array<double, kAllocationCategories>& due, const CEvent& event) {
  switch (event.m_type) {
    case kEventTax:
    case kEventDebit:
    case kEventIrsCheck:
      due[kCategoryTax] += event.m_amount;
      break;
    case kEventMotivatedTax:
      due[kCategoryMotivatedTax] += event.m_amount;
      break;
    case kEventPenalty:
    case kEventNamedPenalty:
      due[kCategoryEnteredPenalties] += event.m_amount;
      break;
    default: {
      double applied = 0.0;
      if (event.m_allocation) {
        const std::array<double, kAllocationCategories>& paid = event.m_allocation->m_payment;
        for (int c = 0; c < kAllocationCategories; ++c) due[c] -= paid[c];
        // Most categories are 0, and adding 0 leaves a sum as it is: skipping them keeps the sum
        // exactly what it is in index order without waiting on 50 additions in a row.
        for (double part : paid) {
          if (part != 0.0) applied += part;
        }
      }
      if (event.m_amount > applied) due[kCategoryTax] -= event.m_amount - applied;
      break;
    }
  }
}

}  // namespace

std::string_view DefaultAllocationLetters() {
  return Options().defaultPaymentAllocation;
}

void ResetAllocationAmounts(AllocationRecord& record) {
  record.m_payment.fill(0.0);
  record.m_specific.fill(0.0);
}

namespace {

// ComputeDueByCategory; returns how many events the list holds.
int FillDues(CTDoc& doc, int count) {
  std::array<double, kAllocationCategories>& due = doc.m_dueByCategory;
  due.fill(0.0);
  for (int k = 0; k < kPenaltyRecords; ++k) {
    if (doc.m_penalties[k].IsActive()) due[kCategoryFirstPenalty + k] = doc.m_penaltyResults.PenaltyAmount[k];
  }
  ComputeState& s = doc.m_compute;
  RoundAmount(s.m_normalInterestTotal);
  RoundAmount(s.m_refundInterestTotal);
  RoundAmount(s.m_gattInterestTotal);
  RoundAmount(s.m_motivatedInterestTotal);
  RoundAmount(doc.m_penaltyResults.PenaltyInterestTotal);
  due[kCategoryInterest] = s.m_normalInterestTotal + s.m_refundInterestTotal + s.m_gattInterestTotal;
  if (due[kCategoryInterest] < 0) {
    // Interest owed to the taxpayer reduces the tax.
    due[kCategoryTax] += due[kCategoryInterest];
    due[kCategoryInterest] = 0.0;
  }
  due[kCategoryMotivatedInterest] += s.m_motivatedInterestTotal;
  due[kCategoryPenaltyInterest] += doc.m_penaltyResults.PenaltyInterestTotal;

  std::span<const CEvent> events = doc.ListedEvents();
  const int n = std::min(count, static_cast<int>(events.size()));
  for (int i = 0; i < n; ++i) AddToDues(due, events[i]);
  return static_cast<int>(events.size());
}

}  // namespace

void ComputeDueByCategory(CTDoc& doc, int count) {
  FillDues(doc, count);
}

void AllocatePayment(CTDoc& doc, int index) {
  CEvent& event = doc.m_events[index];
  AllocationRecord& record = event.Allocation(DefaultAllocationLetters());
  for (double& specific : record.m_specific) specific = std::max(specific, 0.0);

  const bool listed = FillDues(doc, index) > index;  // the dues before it; is it part of the list?
  std::array<double, kAllocationCategories>& due = doc.m_dueByCategory;
  const std::array<double, kAllocationCategories> dueBefore = due;
  const Amount amount = event.m_amount;
  const bool deposit = event.m_type == kEventDeposit;
  Amount remaining = amount;

  // Specific amounts first, each at most what is due; only a payment or credit may overpay the tax.
  for (int c = 0; c < kAllocationCategories; ++c) {
    double& specific = record.m_specific[c];
    if ((c > kCategoryTax || deposit) && specific > due[c]) specific = std::max(due[c], 0.0);
    record.m_payment[c] = specific;
    remaining -= specific;
    due[c] -= specific;
  }

  const std::array<char, kAllocationCategories> letters = record.m_priority;
  PriorityPasses(record, due, amount, remaining);
  record.m_priority = letters;

  event.m_balof = 0.0;
  if (remaining > 0.5) {
    if (deposit) {
      event.m_balof = -remaining;  // a deposit is never spent beyond what is due
    } else {
      record.m_payment[kCategoryTax] += remaining;  // the excess is an overpayment of tax
    }
  }
  // The dues after it: those before, then this payment, as ComputeDueByCategory(index + 1) adds them.
  due = dueBefore;
  if (listed) AddToDues(due, event);
}

namespace {

// While a payment is allocated, the computation its split rests on must not see anything of it or of
// a later payment: what they were given by the computation before would act there (a payment early
// in a month reduces the failure-to-pay of that month), and the first computation of a problem would
// differ from the next. So every payment, deposit and credit holds an empty allocation until its turn
// comes; one without a record gets one, as AllocatePayment would give it. Those whose turn does not
// come (a failed run, or after the last one asked for) get back what they had.
class HeldAllocations {
 public:
  explicit HeldAllocations(CTDoc& doc) : doc_(doc) {
    std::span<CEvent> events = doc.ListedEvents();
    held_.resize(events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
      CEvent& event = events[i];
      if (!LowersBalance(event.m_type)) continue;
      Held& h = held_[i];
      h.held = true;
      h.created = !event.m_allocation;
      AllocationRecord& record = event.Allocation(DefaultAllocationLetters());
      h.payment = record.m_payment;
      record.m_payment.fill(0.0);
    }
  }
  ~HeldAllocations() {
    for (std::size_t i = 0; i < held_.size(); ++i) {
      if (!held_[i].held) continue;
      CEvent& event = doc_.m_events[i];
      if (held_[i].created) {
        event.m_allocation.reset();
      } else {
        event.m_allocation->m_payment = held_[i].payment;
      }
    }
  }
  HeldAllocations(const HeldAllocations&) = delete;
  HeldAllocations& operator=(const HeldAllocations&) = delete;

  // Event index has its turn: what it is given now stays.
  void Release(int index) { held_[static_cast<std::size_t>(index)].held = false; }

 private:
  struct Held {
    bool held = false;
    bool created = false;
    std::array<double, kAllocationCategories> payment{};
  };
  CTDoc& doc_;
  std::vector<Held> held_;
};

}  // namespace

void AllocateAllPayments(CTDoc& doc, int last) {
  doc.SortEvents(-1);
  HeldAllocations held(doc);
  AllocationRuns runs;  // each run is RunComputation to the payment's date, quiet, no monthly breaks
  for (int i = 0; i <= last && i < kMaxEvents && doc.m_events[i].HasDate(); ++i) {
    if (!LowersBalance(doc.m_events[i].m_type)) continue;
    if (!runs.RunTo(doc, i)) return;
    held.Release(i);
    AllocatePayment(doc, i);
  }
}

Amount PaymentsInPeriod(const CTDoc& doc, int penalty, DayNumber from, DayNumber to) {
  const int category = penalty < 0 ? -1 : kCategoryFirstPenalty + penalty;
  if (penalty < -1 || category >= kAllocationCategories) return 0.0;
  std::span<const CEvent> events = doc.ListedEvents();
  std::size_t i = 0;
  if (IsDate(from)) {
    while (i < events.size() && events[i].m_date < from) ++i;
  }
  Amount sum = 0.0;
  DayNumber lastTaxDate = NO_DATE;
  for (; i < events.size() && events[i].m_date < to; ++i) {
    const CEvent& event = events[i];
    if (event.m_type == kEventTax || event.m_type == kEventMotivatedTax) {
      lastTaxDate = event.m_date;
    } else if (LowersBalance(event.m_type) && event.m_allocation && event.m_date != lastTaxDate) {
      const AllocationRecord& record = *event.m_allocation;
      sum += category < 0 ? record.m_payment[kCategoryTax] + record.m_payment[kCategoryMotivatedTax]
                          : record.m_payment[category];
    }
  }
  return sum;
}

std::array<Amount, kAllocationCategories> TotalAppliedByCategory(const CTDoc& doc) {
  std::array<Amount, kAllocationCategories> totals{};
  for (const CEvent& event : doc.ListedEvents()) {
    if (!event.m_allocation) continue;
    for (int c = 0; c < kAllocationCategories; ++c) totals[c] += event.m_allocation->m_payment[c];
  }
  return totals;
}

bool PreparePaymentAllocation(CTDoc& doc, int& index) {
  if (index < 0 || index >= kMaxEvents) return false;
  const CEvent& event = doc.m_events[index];
  if (!event.HasDate() || !LowersBalance(event.m_type)) return false;
  std::span<const CEvent> events = doc.ListedEvents();
  if (std::ranges::none_of(events, [](const CEvent& e) { return !LowersBalance(e.m_type); })) return false;
  for (std::size_t i = 1; i < events.size(); ++i) {
    if (events[i].m_date < events[i - 1].m_date) {
      MessageBoxId(kEventsNotSortedId);
      return false;
    }
  }
  // The dates are in order; the order within a date may still change, and the event with it.
  index = doc.SortEvents(index);
  RunComputation(doc, doc.m_events[index].m_date, false, false);
  AllocateAllPayments(doc, index);
  ComputeDueByCategory(doc, index);
  doc.m_events[index].Allocation(DefaultAllocationLetters());
  if (doc.m_compute.m_refundInterestTotal != 0) {
    MessageBoxId(kRefundSituationId);
    return false;
  }
  return true;
}

void OpenPaymentAllocation(CTDoc& doc, int index, const PaymentAllocationWindow& window) {
  if (!PreparePaymentAllocation(doc, index) || !window) return;
  const AllocationRecord saved = *doc.m_events[index].m_allocation;
  switch (window(doc, index)) {
    case AllocationWindowResult::Ok:
      doc.SetModified();
      break;
    case AllocationWindowResult::NothingDue:
      doc.m_events[index].Allocation() = saved;
      MessageBoxId(kCannotAllocateId);
      break;
    case AllocationWindowResult::Cancel:
      doc.m_events[index].Allocation() = saved;
      break;
  }
}

}  // namespace zarvic
