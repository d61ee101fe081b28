#include "penalties/AccuracyPenalties.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/UserInterface.h"
#include "engine/ComputePeriod.h"
#include "penalties/PenaltyResults.h"
#include "penalties/PenaltySupport.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

namespace pd = penalty_date;
constexpr int kStackingId = 18007;
constexpr char kExplainThousand[] = "R6662FF.DM";
constexpr char kExplainFiveThousand[] = "R6662DD.DM";

bool Compounds(int mode) {
  return mode == kModeDaily || mode == kModeMonthly || mode == kModeMonthlyWhole;
}

// Where interest on the older penalties starts: the due date, but for returns due before 7-18-84 the
// notice or assessment date (slot 1) when it is before that day, otherwise 7-18-84.
DayNumber OldNoticeDate(const PenaltyRecord& r) {
  const DayNumber due = r.m_dates[0];
  if (!Before(due, pd::k7_18_84)) return due;
  return Before(r.m_dates[1], pd::k7_18_84) ? r.m_dates[1] : pd::k7_18_84;
}

// The end of the interest part of 6653(a) and (b): the computation date, or the tax assessment date
// (slot 2) when it is earlier.
DayNumber InterestPartEnd(const PenaltyRecord& r, DayNumber computeDate) {
  return Before(r.m_dates[2], computeDate) ? r.m_dates[2] : computeDate;
}

// Applies penalty k at a rate (a fraction) to its base, or explains why not.
void ApplyRate(PenaltyResults& res, int k, double rate, bool applies, const char* explain) {
  if (!applies) {
    res.PenaltyExplainTemplate[k] = explain;
    return;
  }
  const Amount amount = RoundedAmount(res.PenaltyBase[k] * rate);
  res.PenaltyGross[k] = amount;
  res.PenaltyAmount[k] = amount;
}

// The bases of the section 6662 penalties: the tax less the 6663 fraud amount, at most the entry.
void Set6662Bases(CTDoc& doc, int k) {
  PenaltyResults& res = doc.m_penaltyResults;
  const PenaltyRecord& fraud = doc.m_penalties[kPenalty6663];
  res.PenaltyFullBase[k] = doc.TotalTax - (fraud.IsActive() ? fraud.m_amounts[0] : 0.0);
  res.PenaltyBase[k] = std::min(res.PenaltyFullBase[k], doc.m_penalties[k].m_amounts[0]);
}

}  // namespace

namespace {

struct ComponentPayment {
  DayNumber date;
  Amount applied;
  int event;  // its index in the list
  bool operator==(const ComponentPayment&) const = default;
};

// Where a walk stood at the end of one of its steps.
struct ComponentStep {
  DayNumber d = NO_DATE;
  int line = 0;
  std::size_t next = 0;  // payments taken
  Amount x = 0.0;
  Amount total = 0.0;
  Amount accruedInPeriod = 0.0;
  Amount paid = 0.0;
  Amount reduced = 0.0;
  ComputeState state;
};

// One walk's inputs and steps. Its steps read the payments before `next` and the rate lines up to
// line + 1; they do not depend on the end date beyond their own day.
struct ComponentWalk {
  Amount x = 0.0;
  DayNumber from = NO_DATE;
  Amount untouched = 0.0;
  std::array<DayNumber, 3> hot{};
  std::vector<ComponentPayment> payments;
  std::vector<RateLine> lines;
  std::vector<ComponentStep> steps;
  std::vector<ComponentPayment> incoming;  // the next call's payments, kept for its capacity
  // Of the last call: the allocation run it was part of (-1 when none) and the events its payments
  // were read from (those before `scanned`).
  int run = -1;
  int scanned = 0;
};

}  // namespace

struct InterestComponentMemo::Walks {
  std::array<ComponentWalk, 2 * kPenaltyRecords> walks;  // per penalty and kind
  int run = -1;
};

namespace {

thread_local InterestComponentMemo::Walks* activeWalks = nullptr;

// The last kept step of walk that a walk over the new inputs passes through unchanged; nullptr when
// none (and the walk's steps are dropped). The new payments are equal to those of the last call
// before firstPayment, and differ there or are of another number.
const ComponentStep* ReusableStep(ComponentWalk& walk, const RateTable& table, Amount x, DayNumber from,
                                  DayNumber to, Amount untouched, const std::array<DayNumber, 3>& hot,
                                  const std::vector<ComponentPayment>& payments, std::size_t firstPayment) {
  if (walk.x != x || walk.from != from || walk.untouched != untouched || walk.hot != hot) {
    walk.steps.clear();
    return nullptr;
  }
  std::size_t firstLine = 0;
  while (firstLine < walk.lines.size() && table.lines[firstLine] == walk.lines[firstLine]) ++firstLine;
  while (!walk.steps.empty()) {
    const ComponentStep& step = walk.steps.back();
    const std::size_t lastLine = static_cast<std::size_t>(std::min(step.line + 1, kMaxRateLines - 1));
    // A payment that differs must come after the step's day, or the step would have taken it.
    const bool paymentsEqual = step.next < firstPayment ||
                               (step.next == firstPayment &&
                                (firstPayment == payments.size() || payments[firstPayment].date > step.d));
    if (step.d <= to && paymentsEqual && lastLine < firstLine) return &step;
    walk.steps.pop_back();
  }
  return nullptr;
}

}  // namespace

InterestComponentMemo::InterestComponentMemo() : walks_(std::make_unique<Walks>()), previous_(activeWalks) {
  activeWalks = walks_.get();
}

InterestComponentMemo::~InterestComponentMemo() {
  activeWalks = previous_;
}

void InterestComponentMemo::SetRun(int index) {
  walks_->run = index;
}

Amount InterestComponent(const CTDoc& doc, Amount x, InterestKind kind, DayNumber from, DayNumber to,
                         bool followIrs, int k) {
  const RateTable& table = doc.m_rateTable;
  if (!(x > 0.0) || !IsDate(from) || !Before(from, to) || !table.IsLoaded()) return 0.0;
  const bool motivated = kind == InterestKind::Motivated;
  Amount untouched = 0.0;  // the tax that payments pay before they reach x
  if (followIrs) {
    const PenaltyRecord& r = doc.m_penalties[k];
    untouched = doc.TotalTax - (k == kPenalty6653b ? r.m_amounts[0] : r.m_amounts[1]);
  }

  ComponentWalk* memo = nullptr;
  if (activeWalks != nullptr && k >= 0 && k < kPenaltyRecords)
    memo = &activeWalks->walks[static_cast<std::size_t>(2 * k + (motivated ? 1 : 0))];

  // The payments the walk may take, in list order. It stops at to: it never takes a payment dated
  // later, nor one listed after such a payment. Those of the events before start are what the last
  // call read, unchanged since: they are kept (the first `kept` of them), the rest read again.
  std::vector<ComponentPayment> own;
  std::vector<ComponentPayment>& payments = memo != nullptr ? memo->incoming : own;
  payments.clear();
  int start = 0;
  std::size_t kept = 0;
  int scanned = -1;  // the events read: those before the payment the reading ended at, else all
  if (memo != nullptr && memo->from == from && memo->run >= 0 && activeWalks->run >= memo->run) {
    start = std::min(memo->run, memo->scanned);
    for (const ComponentPayment& p : memo->payments) {
      if (p.event >= start) break;
      if (p.date > to) {
        scanned = p.event;
        break;
      }
      ++kept;
    }
  }
  const std::span<const CEvent> events = doc.ListedEvents();
  for (int i = start; scanned < 0 && i < static_cast<int>(events.size()); ++i) {
    const CEvent& event = events[static_cast<std::size_t>(i)];
    if (!LowersBalance(event.m_type) || event.m_date < from) continue;
    if (event.m_date > to) {
      scanned = i;
      break;
    }
    Amount applied = 0.0;
    if (event.m_allocation) {
      const auto& p = event.m_allocation->m_payment;
      applied = motivated ? p[2] + p[3] : p[0] + p[1];
    } else if (!motivated) {
      applied = event.m_amount;  // an unallocated payment goes to tax
    }
    payments.push_back({event.m_date, applied, i});
  }
  const HotInterestDates& hot = doc.m_penaltyResults.hotDates;
  const std::array<DayNumber, 3> hotDates = {hot.start, hot.stop, hot.restart};

  ComponentStep at;
  at.d = from;
  at.line = RateLineFor(table, from);
  at.x = x;
  at.state.m_gattApplies = false;
  if (memo != nullptr) {
    // The new payments: the kept ones, then those read now.
    std::size_t firstPayment = kept;
    while (firstPayment - kept < payments.size() && firstPayment < memo->payments.size() &&
           payments[firstPayment - kept] == memo->payments[firstPayment])
      ++firstPayment;
    memo->payments.resize(kept);
    memo->payments.insert(memo->payments.end(), payments.begin(), payments.end());
    if (const ComponentStep* step =
            ReusableStep(*memo, table, x, from, to, untouched, hotDates, memo->payments, firstPayment)) {
      at = *step;
    }
    memo->x = x;
    memo->from = from;
    memo->untouched = untouched;
    memo->hot = hotDates;
  }

  const std::vector<ComponentPayment>& all = memo != nullptr ? memo->payments : payments;
  ComputeState& state = at.state;
  DayNumber& d = at.d;
  int& line = at.line;
  std::size_t& next = at.next;
  while (at.x > 0.0 && d < to) {
    const DayNumber periodEnd = RateLineBreak(table, line);
    DayNumber end = to;
    if (Before(periodEnd, end)) end = periodEnd;
    if (next < all.size() && all[next].date < end) end = all[next].date;
    for (DayNumber h : hotDates) {
      if (IsDate(h) && h > d && h < end) end = h;
    }
    const RateLine& L = table.lines[line];
    if (end > d) {
      state.m_hotInEffect = hot.HotAfter(d);
      ComputeResults node;
      ComputePeriod(state, at.x, d, end, L.mode, DaysPerYearValue(L.daysPerYear),
                    motivated ? L.motivatedRate : L.normalRate, L.normalRate, node);
      at.total += node.m_normalInterest;
      at.accruedInPeriod += node.m_normalInterest;
    }
    d = end;
    while (next < all.size() && all[next].date == d) at.paid += all[next++].applied;
    const Amount beyond = std::max(at.paid - untouched, 0.0);
    at.x -= beyond - at.reduced;
    at.reduced = beyond;
    if (d == periodEnd) {
      if (Compounds(L.mode)) at.x += at.accruedInPeriod;
      at.accruedInPeriod = 0.0;
      ++line;
    }
    if (memo != nullptr && d < to) memo->steps.push_back(at);
  }
  if (memo != nullptr) {
    memo->run = activeWalks->run;
    memo->scanned = scanned < 0 ? static_cast<int>(events.size()) : scanned;
    const auto read = static_cast<std::ptrdiff_t>(std::min(line + 2, kMaxRateLines));
    memo->lines.assign(table.lines.begin(), table.lines.begin() + read);
  }
  return at.total;
}

void ComputeNegligence6653a(CTDoc& doc, DayNumber computeDate) {
  PenaltyResults& res = doc.m_penaltyResults;
  PenaltyRecord& rec = doc.m_penalties[kPenalty6653a];
  constexpr int k = kPenalty6653a;
  const bool fraud = doc.m_penalties[kPenalty6653b].IsActive();
  const Amount limit = doc.TotalTax - Fraud6653bAmount(doc);
  res.PenaltyFullBase[k] = limit;
  for (int i = 0; i < 3; ++i)
    res.NegligenceAmounts[i] = fraud ? std::min(rec.m_amounts[i], limit) : rec.m_amounts[i];
  res.PenaltyBase[k] = res.NegligenceAmounts[0];
  rec.SetRate(5.0);
  res.PenaltyGross[k] = res.PenaltyAmount[k] = RoundedAmount(0.05 * res.NegligenceAmounts[0]);
  res.PenaltyComponent[k] = 0.0;

  const DayNumber T = doc.TaxDate;
  if (Before(T, pd::k1_1_82)) {
    AddAssessment(res, k, IsDate(rec.m_dates[1]) ? rec.m_dates[1] : rec.m_dates[0], res.PenaltyAmount[k], -1);
  } else if (Before(T, pd::k1_1_89)) {
    // 1982 to 1988: half the interest the negligent underpayment bears is added.
    const DayNumber end = InterestPartEnd(rec, computeDate);
    const bool followIrs = rec.HasFlag(PEN_OPTION);
    const Amount motivatedPart = res.NegligenceAmounts[2];
    const Amount interest =
        InterestComponent(doc, res.NegligenceAmounts[1] - motivatedPart, InterestKind::Normal, T, end,
                          followIrs, k) +
        InterestComponent(doc, motivatedPart, InterestKind::Motivated, T, end, followIrs, k);
    res.PenaltyComponent[k] = RoundedAmount(0.5 * interest);
    res.PenaltyAmount[k] += res.PenaltyComponent[k];
    AddAssessment(res, k, rec.m_dates[1], res.PenaltyAmount[k], -1);
  } else {
    AddAssessment(res, k, rec.m_dates[0], res.PenaltyAmount[k], -1);
  }
}

void ComputeFraud6653b(CTDoc& doc, DayNumber computeDate) {
  PenaltyResults& res = doc.m_penaltyResults;
  PenaltyRecord& rec = doc.m_penalties[kPenalty6653b];
  constexpr int k = kPenalty6653b;
  const DayNumber T = doc.TaxDate;
  res.PenaltyBase[k] = rec.m_amounts[0];
  rec.SetRate(Before(T, pd::k1_1_87) ? 50.0 : 75.0);
  res.PenaltyGross[k] = res.PenaltyAmount[k] = RoundedAmount(rec.m_rate * res.PenaltyBase[k] / 100.0);
  res.PenaltyComponent[k] = 0.0;

  if (IsDate(T) && T > pd::k9_3_82 && T < pd::k1_1_89) {
    const DayNumber end = InterestPartEnd(rec, computeDate);
    const Amount interest =
        InterestComponent(doc, rec.m_amounts[1] - rec.m_amounts[2], InterestKind::Normal, T, end, true, k) +
        InterestComponent(doc, rec.m_amounts[2], InterestKind::Motivated, T, end, true, k);
    res.PenaltyComponent[k] = RoundedAmount(0.5 * interest);
    res.PenaltyAmount[k] += res.PenaltyComponent[k];
    AddAssessment(res, k, rec.m_dates[1], res.PenaltyAmount[k], -1);
  } else if (!Before(T, pd::k1_1_89)) {
    AddAssessment(res, k, rec.m_dates[0], res.PenaltyAmount[k], -1);
  } else {
    AddAssessment(res, k, rec.m_dates[1], res.PenaltyAmount[k], -1);
  }
}

void ComputeRatePenalty(CTDoc& doc, int k) {
  PenaltyResults& res = doc.m_penaltyResults;
  PenaltyRecord& rec = doc.m_penalties[k];
  const DayNumber T = doc.TaxDate;
  const auto assess = [&](DayNumber at) {
    if (res.PenaltyAmount[k] > 0.0) AddAssessment(res, k, at, res.PenaltyAmount[k], -1);
  };
  switch (k) {
    case kPenalty6659:
    case kPenalty6660:
      SetPenaltyBases(doc, k);
      ApplyRate(res, k, rec.m_rate / 100.0, res.PenaltyBase[k] >= 100000.0, kExplainThousand);
      assess(OldNoticeDate(rec));
      return;
    case kPenalty6659A:
      SetPenaltyBases(doc, k);
      ApplyRate(res, k, rec.m_rate / 100.0, res.PenaltyBase[k] >= 100000.0 && !Before(T, pd::k10_23_86),
                kExplainThousand);
      assess(rec.m_dates[1]);
      return;
    case kPenalty6661: {
      SetPenaltyBases(doc, k);
      const DayNumber assessed = rec.m_dates[1];
      const bool late = (IsDate(T) && T > pd::k10_21_86) || (IsDate(assessed) && assessed > pd::k10_21_86);
      rec.SetRate(late ? 25.0 : 10.0);
      ApplyRate(res, k, rec.m_rate / 100.0, !Before(T, pd::k1_1_83) && res.PenaltyBase[k] > 500000.0,
                kExplainFiveThousand);
      assess(OldNoticeDate(rec));
      return;
    }
    case kPenalty6662c:
      Set6662Bases(doc, k);
      rec.SetRate(20.0);
      ApplyRate(res, k, 0.20, true, "");
      assess(rec.m_dates[0]);
      return;
    case kPenalty6662d:
    case kPenalty6662e:
    case kPenalty6662g: {
      Set6662Bases(doc, k);
      // A C corporation's substantial understatement and valuation misstatement must exceed $10,000
      // (6662(d)(1)(B), 6662(e)(2)).
      const bool corporate = doc.m_header.m_cCorporation != 0 && k != kPenalty6662g;
      const Amount floor = corporate ? 1000000.0 : 500000.0;
      ApplyRate(res, k, rec.m_rate / 100.0, res.PenaltyBase[k] > floor, kExplainFiveThousand);
      assess(rec.m_dates[0]);
      return;
    }
    case kPenalty6662f:
      Set6662Bases(doc, k);
      ApplyRate(res, k, rec.m_rate / 100.0, res.PenaltyBase[k] > 100000.0, kExplainThousand);
      assess(rec.m_dates[0]);
      return;
    case kPenalty6663:
      res.PenaltyBase[k] = res.PenaltyFullBase[k] = rec.m_amounts[0];
      rec.SetRate(75.0);
      ApplyRate(res, k, 0.75, true, "");
      assess(rec.m_dates[0]);
      return;
    default:
      return;
  }
}

bool CheckAccuracyStacking(CTDoc& doc, bool showMessages) {
  PenaltyResults& res = doc.m_penaltyResults;
  res.AccuracyStackingFlag = false;
  if (Before(doc.TaxDate, pd::k1_1_90)) return false;
  Amount tax = 0.0;
  for (const CEvent& event : doc.ListedEvents()) {
    switch (event.m_type) {
      case kEventTax:
      case kEventMotivatedTax:
      case kEventDebit:
      case kEventIrsCheck:
        tax += event.m_amount;
        break;
      default:
        break;
    }
  }
  doc.TotalTax = tax;
  Amount entered = 0.0;
  for (int k : {kPenalty6662c, kPenalty6662d, kPenalty6662e, kPenalty6662f, kPenalty6662g}) {
    if (doc.m_penalties[k].IsActive()) entered += doc.m_penalties[k].m_amounts[0];
  }
  if (entered > doc.TotalTax) {
    res.AccuracyStackingFlag = true;
    if (showMessages) MessageBoxId(kStackingId);
  }
  return res.AccuracyStackingFlag;
}

}  // namespace zarvic
