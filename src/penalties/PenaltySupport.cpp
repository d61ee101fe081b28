#include "penalties/PenaltySupport.h"

#include <algorithm>

#include "penalties/PenaltyResults.h"
#include "problem/CTDoc.h"

namespace zarvic {

DayNumber NoticeGraceEnd(DayNumber notice, bool tenDays) {
  if (!IsDate(notice)) return notice;
  if (notice < penalty_date::k1_1_97) return AddDays(notice, 10);
  return tenDays ? AddBusinessDays(notice, 10) : AddDays(notice, 21);
}

PaymentWindows::PaymentWindows(const CTDoc& doc, int k) : doc_(doc), events_(doc.ListedEvents()), k_(k) {}

Amount PaymentWindows::Next(DayNumber from, DayNumber to) {
  if (IsDate(from) && from < reached_) return PaymentsInPeriod(doc_, k_, from, to);
  const std::span<const CEvent> events = events_;
  const int count = static_cast<int>(events.size());
  while (next_ < count && IsDate(from) && events[next_].m_date < from) ++next_;
  // A payment dated on a tax event follows it in the list, so the window that holds the one holds the
  // other: starting each window afresh gives what PaymentsInPeriod gives.
  Amount sum = 0.0;
  DayNumber lastTax = NO_DATE;
  for (; next_ < count && Before(events[next_].m_date, to); ++next_) {
    const CEvent& event = events[next_];
    if (event.m_type == kEventTax || event.m_type == kEventMotivatedTax) {
      lastTax = event.m_date;
    } else if (LowersBalance(event.m_type) && event.m_allocation && event.m_date != lastTax) {
      const AllocationRecord& a = *event.m_allocation;
      sum += k_ < 0 ? a.m_payment[0] + a.m_payment[2] : a.m_payment[6 + k_];
    }
  }
  reached_ = std::max(reached_, DateKey(to));
  return sum;
}

void AddAssessment(PenaltyResults& results, int k, DayNumber date, Amount amount, int notice) {
  RoundAmount(amount);
  if (amount < 0.0) amount = 0.0;  // a reduction below nothing assesses nothing
  if (results.PenaltyAssessedTotal[k] == 0.0) results.PenaltyFirstDate[k] = IsDate(date) ? date : NO_DATE;
  results.PenaltyAssessedTotal[k] += amount;
  if (amount <= 0.0 || !IsDate(date)) return;
  auto at = std::upper_bound(results.assessments.begin(), results.assessments.end(), date,
                             [](DayNumber d, const PenaltyAssessment& e) { return d < e.date; });
  results.assessments.insert(at, PenaltyAssessment{k, date, amount, notice, -1});
}

Amount Fraud6653bAmount(const CTDoc& doc) {
  const PenaltyRecord& fraud = doc.m_penalties[kPenalty6653b];
  return fraud.IsActive() ? fraud.m_amounts[0] : 0.0;
}

DayNumber FirstChargeDate(const CTDoc& doc) {
  // Usually the first event: walked without counting the list first.
  for (const CEvent& event : doc.m_events) {
    if (!event.HasDate()) break;
    switch (event.m_type) {
      case kEventTax:
      case kEventMotivatedTax:
      case kEventDebit:
      case kEventIrsCheck:
        return event.m_date;
      default:
        break;
    }
  }
  return NO_DATE;
}

void SetPenaltyBases(CTDoc& doc, int k) {
  PenaltyResults& r = doc.m_penaltyResults;
  const Amount entered = doc.m_penalties[k].m_amounts[0];
  r.PenaltyFullBase[k] = entered;
  r.PenaltyBase[k] = entered;
  const DayNumber first = FirstChargeDate(doc);
  if (k == kPenaltyFailureToFile || (IsDate(first) && first > penalty_date::k1_1_90)) {
    r.PenaltyFullBase[k] -= Fraud6653bAmount(doc);
    r.PenaltyBase[k] = std::min(r.PenaltyFullBase[k], entered);
  }
}

bool HotInterestDates::HotAfter(DayNumber d) const {
  if (!IsDate(start) || d < start) return false;
  if (IsDate(stop) && d >= stop && start < stop) return IsDate(restart) && d >= restart;
  return true;
}

DayNumber RateLineBreak(const RateTable& table, int line) {
  if (line + 1 >= kMaxRateLines || !table.lines[line + 1].IsUsed()) return NO_DATE;
  return AddDays(table.lines[line + 1].start, -1);
}

int RateLineFor(const RateTable& table, DayNumber d) {
  int line = 0;
  while (line + 1 < kMaxRateLines && table.lines[line + 1].IsUsed() && Before(RateLineBreak(table, line), d))
    ++line;
  return line;
}

}  // namespace zarvic
