#include "penalties/PenaltyInterest.h"

#include <algorithm>
#include <span>
#include <vector>

#include "engine/ComputePeriod.h"
#include "penalties/PenaltySupport.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

namespace pd = penalty_date;

// Penalty categories of the allocation (entered penalties 4, penalty interest 5, penalty k at 6 + k).
constexpr int kEnteredPenaltyCategory = 4;
constexpr int kPenaltyInterestCategory = 5;
constexpr int kLastPenaltyCategory = 29;

bool Compounds(int mode) {
  return mode == kModeDaily || mode == kModeMonthly || mode == kModeMonthlyWhole;
}

bool IsCharge(std::uint16_t type) {
  return RaisesBalance(type);
}

bool AppliesToPenalties(const CEvent& event) {
  if (!LowersBalance(event.m_type) || !event.m_allocation) return false;
  for (int c = kEnteredPenaltyCategory; c <= kLastPenaltyCategory; ++c) {
    if (event.m_allocation->m_payment[c] > 0.005) return true;
  }
  return false;
}

// The entered penalty events join the assessment list, each after the entries of its date.
void AddEnteredPenalties(std::span<const CEvent> events, std::vector<PenaltyAssessment>& list) {
  std::erase_if(list, [](const PenaltyAssessment& e) { return e.penalty < 0; });
  for (int i = 0; i < static_cast<int>(events.size()); ++i) {
    const CEvent& event = events[i];
    if ((event.m_type != kEventPenalty && event.m_type != kEventNamedPenalty) || !(event.m_amount > 0.0))
      continue;
    const auto at = std::upper_bound(list.begin(), list.end(), event.m_date,
                                     [](DayNumber d, const PenaltyAssessment& e) { return d < e.date; });
    list.insert(at, PenaltyAssessment{-1, event.m_date, RoundedAmount(event.m_amount), -1, i});
  }
}

// What ends a step, in the order that wins on equal dates.
enum class StepEnd { RatePeriod, Event, Entry, ComputeDate, MonthEnd, HotStart, HotStop, HotRestart };

}  // namespace

namespace {

// The additions whose interest runs from the return's due date to payment, without the grace period
// of a notice and demand (6601(e)(2)(B)): failure to file, 6653, 6659, 6660, 6661 and the accuracy-related
// and fraud penalties of 6662 and 6663. The rule holds for interest from 7-18-84; an assessment dated
// earlier stands for a notice and demand under the older law and keeps its 10 days.
bool RunsFromDueDate(int k) {
  switch (k) {
    case kPenaltyFailureToFile:
    case kPenalty6653a:
    case kPenalty6653b:
    case kPenalty6659:
    case kPenalty6660:
    case kPenalty6661:
    case kPenalty6662c:
    case kPenalty6662d:
    case kPenalty6662e:
    case kPenalty6662f:
    case kPenalty6662g:
    case kPenalty6663:
      return true;
    default:
      return false;
  }
}

bool PaidInGrace(const CTDoc& doc, std::span<const CEvent> events, const PenaltyAssessment& entry,
                 DayNumber date, const PenaltyCredits& credit) {
  const int k = entry.penalty;
  if (k < 0 || k >= kPenaltyRecords) return false;
  DayNumber graceEnd = AddDays(entry.date, 10);
  if (k == kPenaltyFailureToPay || k == kPenaltyFailureToPayAssessment) {
    const int bit = entry.notice >= 0 && entry.notice < 16 ? entry.notice : 0;
    graceEnd = NoticeGraceEnd(entry.date, (doc.m_penalties[k].m_graceBits >> bit) & 1);
  } else if (RunsFromDueDate(k) && !Before(entry.date, pd::k7_18_84)) {
    graceEnd = entry.date;  // no grace: only a payment on the day itself keeps interest off
  }
  if (!Before(graceEnd, date)) return true;
  Amount paid = 0.0;
  auto it = std::partition_point(events.begin(), events.end(),
                                 [&](const CEvent& event) { return event.m_date < entry.date; });
  for (; it != events.end() && it->m_date <= graceEnd; ++it) {
    if (LowersBalance(it->m_type) && it->m_allocation) paid += it->m_allocation->m_payment[6 + k];
  }
  return paid + credit[k] >= entry.amount;
}

// Whether a payment's record sends any money to the penalty categories.
bool PaysPenalties(const AllocationRecord* record) {
  if (!record) return false;
  for (int c = kEnteredPenaltyCategory; c <= kLastPenaltyCategory; ++c) {
    if (record->m_payment[c] != 0.0) return true;
  }
  return false;
}

}  // namespace

bool AssessmentPaidInGrace(const CTDoc& doc, const PenaltyAssessment& entry, DayNumber date,
                           const PenaltyCredits& credit) {
  return PaidInGrace(doc, doc.ListedEvents(), entry, date, credit);
}

int ComputePenaltyInterest(CTDoc& doc, DayNumber computeDate, bool monthEnds,
                           const OverpaymentProbe& overpaidAt) {
  PenaltyResults& res = doc.m_penaltyResults;
  ComputeResultList& steps = doc.m_penaltyList;
  steps.Clear();
  res.PenaltyInterestTotal = 0.0;
  res.PenaltyPrepaidFlag = false;
  res.PenaltyWhileRefundFlag = false;
  std::vector<PenaltyAssessment>& list = res.assessments;
  const auto events = doc.ListedEvents();
  AddEnteredPenalties(events, list);
  const RateTable& table = doc.m_rateTable;
  if (!table.IsLoaded() || !IsDate(computeDate)) return 0;

  PenaltyCredits credit{};
  std::array<Amount, kPenaltyRecords> assessed{};
  std::array<Amount, kPenaltyRecords> paid{};

  std::size_t entry = 0;
  for (; entry < list.size(); ++entry) {
    const PenaltyAssessment& e = list[entry];
    if (!PaidInGrace(doc, events, e, computeDate, credit)) break;
    credit[e.penalty] -= e.amount;
  }
  if (entry == list.size()) return 0;
  const DayNumber S = list[entry].date;

  ComputeState state;
  state.m_gattApplies = false;
  state.m_interestRunning = true;
  state.m_monthlyBreaks = monthEnds;
  bool hot = false;

  const int eventCount = static_cast<int>(events.size());
  int ev = 0;
  for (; ev < eventCount; ++ev) {
    const CEvent& event = events[ev];
    const bool switchesInterest = event.m_type == kEventStopInterest || event.m_type == kEventStartInterest;
    if (AppliesToPenalties(event) || (switchesInterest && event.m_date >= S)) break;
    if (event.m_type == kEventStopInterest) state.m_interestRunning = false;
    if (event.m_type == kEventStartInterest) state.m_interestRunning = true;
  }
  auto skipCharges = [&] {
    while (ev < eventCount && IsCharge(events[ev].m_type)) ++ev;
  };
  skipCharges();

  int line = RateLineFor(table, S);
  DayNumber monthEnd = S;
  EndOfMonth(monthEnd);
  if (monthEnd == S) {
    monthEnd = AddDays(S, 1);
    EndOfMonth(monthEnd);
  }
  const HotInterestDates& hotDates = res.hotDates;
  bool hotStartUsed = !IsDate(hotDates.start);
  bool hotStopUsed = !IsDate(hotDates.stop) || !IsDate(hotDates.start);
  bool hotRestartUsed = !IsDate(hotDates.restart);

  Amount F = 0.0;
  Amount accrued = 0.0;
  DayNumber D = S;
  for (;;) {
    // Interest of a simple period joins the balance once a compounding period takes over.
    if (Compounds(table.lines[line].mode) && accrued != 0.0) {
      F += accrued;
      accrued = 0.0;
    }
    const DayNumber periodEnd = RateLineBreak(table, line);
    DayNumber end = computeDate;
    StepEnd what = StepEnd::ComputeDate;
    auto consider = [&](DayNumber date, StepEnd kind) {
      if (IsDate(date) && date <= end) {
        // Candidates come in winning order; a later one must be strictly earlier.
        if (date < end || static_cast<int>(kind) < static_cast<int>(what)) {
          end = date;
          what = kind;
        }
      }
    };
    // Considered from the weakest to the strongest so that ties go to the stronger.
    if (entry < list.size()) consider(list[entry].date, StepEnd::Entry);
    if (ev < eventCount) consider(events[ev].m_date, StepEnd::Event);
    consider(periodEnd, StepEnd::RatePeriod);
    auto strictlyEarlier = [&](DayNumber date, StepEnd kind) {
      if (IsDate(date) && date < end) {
        end = date;
        what = kind;
      }
    };
    if (monthEnds) strictlyEarlier(monthEnd, StepEnd::MonthEnd);
    if (!hotStartUsed) strictlyEarlier(hotDates.start, StepEnd::HotStart);
    if (!hotStopUsed) strictlyEarlier(hotDates.stop, StepEnd::HotStop);
    if (!hotRestartUsed) strictlyEarlier(hotDates.restart, StepEnd::HotRestart);
    if (end < D) end = D;  // what lies before the run's start takes effect at its start

    // A payment that sends nothing to the penalties, with no credit waiting to be used, applies nothing:
    // its step would be dropped, so it is passed over at once.
    if (what == StepEnd::Event && LowersBalance(events[ev].m_type) &&
        !PaysPenalties(events[ev].m_allocation.get()) &&
        std::none_of(credit.begin(), credit.end(), [](Amount c) { return c > 0.0; })) {
      ++ev;
      skipCharges();
      continue;
    }

    const RateLine& L = table.lines[line];
    ComputeResults node;
    node.m_start = D;
    node.m_end = end;
    node.m_mode = static_cast<std::int16_t>(L.mode);
    node.m_kind = kKindRateChange;
    node.m_event = -1;
    node.m_normalPrincipal = std::max(F, 0.0);
    if (L.normalRate > 0.0) {
      state.m_hotInEffect = hot && F > 0.0;
      ComputePeriod(state, std::max(F, 0.0), D, end, L.mode, DaysPerYearValue(L.daysPerYear), L.normalRate,
                    L.normalRate, node);
      node.m_kind = kKindRateChange;
      node.m_event = -1;
    }

    bool keep = true;
    bool finished = false;
    switch (what) {
      case StepEnd::Entry: {
        const PenaltyAssessment& e = list[entry];
        ++entry;
        if (e.penalty < 0) {
          node.m_kind = static_cast<std::int16_t>(events[e.event].m_type);
          node.m_event = static_cast<std::int16_t>(e.event);
          node.m_amount = e.amount;
          F += e.amount;
          break;
        }
        const int k = e.penalty;
        if (PaidInGrace(doc, events, e, computeDate, credit)) {
          credit[k] -= e.amount;
          keep = false;
          break;
        }
        node.m_kind = static_cast<std::int16_t>(kKindPenaltySlotBase + k);
        node.m_amount = e.amount;
        assessed[k] += e.amount;
        if (credit[k] > 0.0) {
          if (credit[k] > e.amount) {
            credit[k] -= e.amount;
          } else {
            F += e.amount - credit[k];
            credit[k] = 0.0;
          }
        } else {
          F += e.amount;
        }
        break;
      }
      case StepEnd::Event: {
        const CEvent& event = events[ev];
        node.m_kind = static_cast<std::int16_t>(event.m_type);
        node.m_event = static_cast<std::int16_t>(ev);
        if (LowersBalance(event.m_type)) {
          // A payment without a record has applied nothing to the penalties.
          const AllocationRecord applied = event.m_allocation ? *event.m_allocation : AllocationRecord{};
          Amount total =
              applied.m_payment[kEnteredPenaltyCategory] + applied.m_payment[kPenaltyInterestCategory];
          for (int k = 0; k < kPenaltyRecords; ++k) {
            Amount P = applied.m_payment[6 + k] + credit[k];
            credit[k] = 0.0;
            if (P < 0.0) {
              credit[k] = P;
              P = 0.0;
            }
            if (P == 0.0) continue;
            if (assessed[k] > paid[k]) {
              const Amount against = std::min(P, assessed[k] - paid[k]);
              paid[k] += against;
              total += against;
              if (P > against) {
                credit[k] += P - against;
                res.PenaltyPrepaidFlag = true;
              }
            } else {
              credit[k] += P;
            }
          }
          node.m_penaltyPayment = total;
          F -= total;
          if (total == 0.0) keep = false;
        } else if (event.m_type == kEventStopInterest) {
          state.m_interestRunning = false;
        } else if (event.m_type == kEventStartInterest) {
          state.m_interestRunning = true;
        }
        ++ev;
        skipCharges();
        break;
      }
      case StepEnd::RatePeriod:
        break;
      case StepEnd::MonthEnd:
        break;
      case StepEnd::HotStart:
        hot = true;
        hotStartUsed = true;
        node.m_kind = kKindHotStart;
        break;
      case StepEnd::HotStop:
        hot = false;
        hotStopUsed = true;
        node.m_kind = kKindHotStop;
        break;
      case StepEnd::HotRestart:
        hot = true;
        hotRestartUsed = true;
        node.m_kind = kKindHotStart;
        break;
      case StepEnd::ComputeDate:
        finished = true;
        break;
    }
    if (keep) {
      res.PenaltyInterestTotal += node.m_normalInterest;
      accrued += node.m_normalInterest;
      if (Compounds(L.mode)) {
        F += accrued;
        accrued = 0.0;
      }
      ComputeResults& kept = steps.Append();
      ComputeResults* const previous = kept.m_previous;
      kept = node;
      kept.m_previous = previous;
      kept.m_next = nullptr;
      if (F > 0.0 && overpaidAt && overpaidAt(end)) res.PenaltyWhileRefundFlag = true;
      D = end;
    }
    if (what == StepEnd::RatePeriod) ++line;
    if (what == StepEnd::MonthEnd) {
      monthEnd = AddDays(monthEnd, 1);
      EndOfMonth(monthEnd);
    }
    if (finished) return 1;
  }
}

}  // namespace zarvic
