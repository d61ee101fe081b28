#include "allocation/PaymentAllocation.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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

// Categories whose due the last computation has not worked out yet.
using UnknownDues = std::array<bool, kAllocationCategories>;

signed char Letter(char c) {
  return static_cast<signed char>(c);
}

// Over the priority groups, smallest letter first, while more than half a cent is left to place.
// Every member of a group is served, due or not; the members with something due share the rest pro
// rata and the last of them takes what rounding leaves. The test comes before the first group too:
// specific amounts above the payment leave a negative remainder, which no group may be given.
// False, with the passes half done, when a group would hold a category whose due is unknown.
bool PriorityPasses(AllocationRecord& record, std::array<double, kAllocationCategories>& due, Amount amount,
                    Amount& remaining, const UnknownDues* unknown) {
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
    if (unknown) {
      for (int c = 0; c < kAllocationCategories; ++c) {
        if ((*unknown)[c] && record.m_priority[c] != kServedLetter && Letter(record.m_priority[c]) <= smallest)
          return false;
      }
    }

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
  return true;
}

// The split of a payment of amount on the dues before it: specific amounts first, each at most what
// is due (only a payment or credit may overpay the tax), then the priority passes. False, half done,
// when it would read the due of an unknown category.
bool Split(AllocationRecord& record, std::array<double, kAllocationCategories>& due, Amount amount, bool deposit,
           Amount& remaining, const UnknownDues* unknown) {
  for (int c = 0; c < kAllocationCategories; ++c) {
    double& specific = record.m_specific[c];
    // Without a specific amount the due is left as it is, whatever it is.
    if (unknown && (*unknown)[c] && specific != 0.0) return false;
    if ((c > kCategoryTax || deposit) && specific > due[c]) specific = std::max(due[c], 0.0);
    record.m_payment[c] = specific;
    remaining -= specific;
    due[c] -= specific;
  }
  const std::array<char, kAllocationCategories> letters = record.m_priority;
  const bool done = PriorityPasses(record, due, amount, remaining, unknown);
  record.m_priority = letters;
  return done;
}

// What event changes in the dues, change by change in the order they are made: charges add to their
// category, payments take off what they were allocated, and what no category took of a payment
// reduces the tax. Taking off a part of +0 changes no sum (not even a -0), so those are left out:
// most of a payment's 50 parts are 0.
template <typename Change>
void ForEachDueChange(const CEvent& event, Change&& change) {
  switch (event.m_type) {
    case kEventTax:
    case kEventDebit:
    case kEventIrsCheck:
      change(kCategoryTax, event.m_amount);
      break;
    case kEventMotivatedTax:
      change(kCategoryMotivatedTax, event.m_amount);
      break;
    case kEventPenalty:
    case kEventNamedPenalty:
      change(kCategoryEnteredPenalties, event.m_amount);
      break;
    default: {
      double applied = 0.0;
      if (event.m_allocation) {
        const std::array<double, kAllocationCategories>& paid = event.m_allocation->m_payment;
        for (int c = 0; c < kAllocationCategories; ++c) {
          if (paid[c] != 0.0 || std::signbit(paid[c])) change(c, -paid[c]);
        }
        for (double part : paid) {
          if (part != 0.0) applied += part;
        }
      }
      if (event.m_amount > applied) change(kCategoryTax, -(event.m_amount - applied));
      break;
    }
  }
}

void AddToDues(std::array<double, kAllocationCategories>& due, const CEvent& event) {
  ForEachDueChange(event, [&due](int c, double change) { due[c] += change; });
}

std::uint64_t Bits(double value) {
  return std::bit_cast<std::uint64_t>(value);
}

// The changes the events before a payment make to the dues, for the payments of one AllocateAllPayments
// in date order: the events before a payment no longer change once it is allocated. Each category keeps
// its changes in order, and the sum it reached from its base is taken on from there while the base is
// the same: the same additions in the same order give the same sum.
class DueLedger {
 public:
  // due[c] (holding the base) += the changes of events 0 to count - 1, in order, for every category
  // not unknown. count must not be below that of an earlier call.
  void Add(std::span<const CEvent> events, int count, std::array<double, kAllocationCategories>& due,
           const UnknownDues* unknown) {
    if (count < recorded_) std::abort();
    for (; recorded_ < count; ++recorded_) {
      ForEachDueChange(events[static_cast<std::size_t>(recorded_)],
                       [this](int c, double change) { changes_[c].push_back(change); });
    }
    for (int c = 0; c < kAllocationCategories; ++c) {
      if (unknown && (*unknown)[c]) continue;
      Sum& sum = sums_[c];
      const std::vector<double>& changes = changes_[c];
      std::size_t from = 0;
      double value = due[c];
      if (sum.valid && sum.baseBits == Bits(due[c])) {
        from = sum.done;
        value = sum.value;
      }
      for (std::size_t k = from; k < changes.size(); ++k) value += changes[k];
      sum = {true, Bits(due[c]), changes.size(), value};
      due[c] = value;
    }
  }

 private:
  struct Sum {
    bool valid = false;
    std::uint64_t baseBits = 0;
    std::size_t done = 0;
    double value = 0.0;
  };
  std::array<std::vector<double>, kAllocationCategories> changes_;
  std::array<Sum, kAllocationCategories> sums_{};
  int recorded_ = 0;
};

}  // namespace

std::string_view DefaultAllocationLetters() {
  return Options().defaultPaymentAllocation;
}

void ResetAllocationAmounts(AllocationRecord& record) {
  record.m_payment.fill(0.0);
  record.m_specific.fill(0.0);
}

namespace {

// The dues before the events: the penalties and interest of the last computation, its interest
// totals rounded (RoundAmount gives a rounded amount back as it is).
void DueBases(const CTDoc& doc, std::array<double, kAllocationCategories>& due) {
  due.fill(0.0);
  for (int k = 0; k < kPenaltyRecords; ++k) {
    if (doc.m_penalties[k].IsActive()) due[kCategoryFirstPenalty + k] = doc.m_penaltyResults.PenaltyAmount[k];
  }
  const ComputeState& s = doc.m_compute;
  auto rounded = [](double total) {
    RoundAmount(total);
    return total;
  };
  due[kCategoryInterest] =
      rounded(s.m_normalInterestTotal) + rounded(s.m_refundInterestTotal) + rounded(s.m_gattInterestTotal);
  if (due[kCategoryInterest] < 0) {
    // Interest owed to the taxpayer reduces the tax.
    due[kCategoryTax] += due[kCategoryInterest];
    due[kCategoryInterest] = 0.0;
  }
  due[kCategoryMotivatedInterest] += rounded(s.m_motivatedInterestTotal);
  due[kCategoryPenaltyInterest] += rounded(doc.m_penaltyResults.PenaltyInterestTotal);
}

// ComputeDueByCategory, the events' part from ledger when there is one; returns how many events the
// list holds.
int FillDues(CTDoc& doc, int count, DueLedger* ledger) {
  ComputeState& s = doc.m_compute;
  RoundAmount(s.m_normalInterestTotal);
  RoundAmount(s.m_refundInterestTotal);
  RoundAmount(s.m_gattInterestTotal);
  RoundAmount(s.m_motivatedInterestTotal);
  RoundAmount(doc.m_penaltyResults.PenaltyInterestTotal);
  std::array<double, kAllocationCategories>& due = doc.m_dueByCategory;
  DueBases(doc, due);

  std::span<const CEvent> events = doc.ListedEvents();
  const int n = std::min(count, static_cast<int>(events.size()));
  if (ledger) {
    ledger->Add(events, n, due, nullptr);
  } else {
    for (int i = 0; i < n; ++i) AddToDues(due, events[i]);
  }
  return static_cast<int>(events.size());
}

// AllocatePayment, the dues from ledger when there is one.
void AllocatePayment(CTDoc& doc, int index, DueLedger* ledger) {
  CEvent& event = doc.m_events[index];
  AllocationRecord& record = event.Allocation(DefaultAllocationLetters());
  for (double& specific : record.m_specific) specific = std::max(specific, 0.0);

  const bool listed = FillDues(doc, index, ledger) > index;  // the dues before it; is it part of the list?
  std::array<double, kAllocationCategories>& due = doc.m_dueByCategory;
  const std::array<double, kAllocationCategories> dueBefore = due;
  const Amount amount = event.m_amount;
  const bool deposit = event.m_type == kEventDeposit;
  Amount remaining = amount;
  Split(record, due, amount, deposit, remaining, nullptr);

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

// Whether the split of payment index, on the run the problem holds, would read the due of a category
// in unknown. Changes nothing.
bool SplitReadsUnknown(const CTDoc& doc, int index, DueLedger& ledger, const UnknownDues& unknown) {
  const CEvent& event = doc.m_events[index];
  AllocationRecord record = event.m_allocation ? *event.m_allocation : AllocationRecord::Fresh(DefaultAllocationLetters());
  for (double& specific : record.m_specific) specific = std::max(specific, 0.0);
  std::array<double, kAllocationCategories> due;
  DueBases(doc, due);
  ledger.Add(doc.ListedEvents(), index, due, &unknown);
  Amount remaining = event.m_amount;
  return !Split(record, due, event.m_amount, event.m_type == kEventDeposit, remaining, &unknown);
}

// The categories whose dues the penalty pass gives: the active penalties and the penalty interest.
UnknownDues PenaltyCategories(const CTDoc& doc) {
  UnknownDues unknown{};
  unknown[kCategoryPenaltyInterest] = true;
  for (int k = 0; k < kPenaltyRecords; ++k) unknown[kCategoryFirstPenalty + k] = doc.m_penalties[k].IsActive();
  return unknown;
}

}  // namespace

void ComputeDueByCategory(CTDoc& doc, int count) {
  FillDues(doc, count, nullptr);
}

void AllocatePayment(CTDoc& doc, int index) {
  AllocatePayment(doc, index, nullptr);
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

namespace {

// Whether the split of payment index must be made again with its own tax part in place: it gave a
// statutory penalty something, and its tax part may end the base of a penalty month that has begun by
// its date (a failure-to-pay month counts the payments of its first days, 6651(b)(2)), so that the
// penalty it paid was more than is really due. With the tax part only, and nothing else of this
// payment or of a later one, the split rests on what the payment itself settles.
bool SplitsAgainOnItsTaxPart(const CTDoc& doc, int index) {
  const AllocationRecord& record = *doc.m_events[index].m_allocation;
  if (record.m_payment[kCategoryTax] + record.m_payment[kCategoryMotivatedTax] <= 0.0) return false;
  for (int k = 0; k < kPenaltyRecords; ++k) {
    if (doc.m_penalties[k].IsActive() && record.m_payment[kCategoryFirstPenalty + k] > 0.0) return true;
  }
  return false;
}

// The payment keeps what its first split gave tax and motivated tax, and nothing else, for the run
// its second split rests on.
void KeepTaxPart(AllocationRecord& record) {
  const double tax = record.m_payment[kCategoryTax];
  const double motivated = record.m_payment[kCategoryMotivatedTax];
  record.m_payment.fill(0.0);
  record.m_payment[kCategoryTax] = tax;
  record.m_payment[kCategoryMotivatedTax] = motivated;
}

}  // namespace

bool AllocatePaymentAtItsDate(CTDoc& doc, int index) {
  const DayNumber date = doc.m_events[index].m_date;
  if (!RunComputation(doc, date, false, false)) return false;
  AllocatePayment(doc, index);
  if (!SplitsAgainOnItsTaxPart(doc, index)) return true;
  KeepTaxPart(*doc.m_events[index].m_allocation);
  if (!RunComputation(doc, date, false, false)) return false;
  AllocatePayment(doc, index);
  return true;
}

void AllocateAllPayments(CTDoc& doc, int last) {
  doc.SortEvents(-1);
  SettledEvents settled(doc);  // the runs below change allocation records only
  HeldAllocations held(doc);
  AllocationRuns runs;  // each run is RunComputation to the payment's date, quiet, no monthly breaks
  DueLedger ledger;
  int lastPayment = -1;
  for (int i = 0; i <= last && i < kMaxEvents && doc.m_events[i].HasDate(); ++i) {
    if (LowersBalance(doc.m_events[i].m_type)) lastPayment = i;
  }
  UnknownDues penaltyInterest{};
  penaltyInterest[kCategoryPenaltyInterest] = true;
  // A run computes its penalties, and then the interest on them, only when the split reaches a
  // category that needs them. The last run is completed: the problem is left as it always was.
  auto runTo = [&](int i) {
    if (!runs.RunTo(doc, i)) return false;
    if (i == lastPayment) {
      runs.Complete(doc, true);
    } else {
      if (runs.PenaltyPassPending() && SplitReadsUnknown(doc, i, ledger, PenaltyCategories(doc)))
        runs.Complete(doc, false);
      if (!runs.PenaltyPassPending() && runs.RestPending() && SplitReadsUnknown(doc, i, ledger, penaltyInterest))
        runs.Complete(doc, true);
    }
    return true;
  };
  for (int i = 0; i <= lastPayment; ++i) {
    if (!LowersBalance(doc.m_events[i].m_type)) continue;
    if (!runTo(i)) return;
    held.Release(i);
    AllocatePayment(doc, i, &ledger);
    if (!SplitsAgainOnItsTaxPart(doc, i)) continue;
    // The run again to the same payment, which now holds its tax part (AllocatePaymentAtItsDate).
    KeepTaxPart(*doc.m_events[i].m_allocation);
    if (!runTo(i)) return;
    AllocatePayment(doc, i, &ledger);
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
  ProblemRun run(doc);
  if (!run.Acquired()) {
    RefuseBusyProblem();
    return;
  }
  ProblemMessageScope scope(doc);
  // The checks compute through the payment; what the problem showed before comes back afterwards.
  struct KeepResults {
    CTDoc& doc;
    ComputationResults saved;
    ~KeepResults() { doc.RestoreComputation(std::move(saved)); }
  } keep{doc, doc.TakeComputation()};
  if (!PreparePaymentAllocation(doc, index) || !window) return;
  const AllocationRecord saved = *doc.m_events[index].m_allocation;
  const DueByCategory dueBefore = doc.m_dueByCategory;
  switch (window(doc, index, dueBefore)) {
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
