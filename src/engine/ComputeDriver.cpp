#include "engine/ComputeDriver.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "allocation/PaymentAllocation.h"
#include "core/UserInterface.h"
#include "engine/Balances.h"
#include "engine/ComputePeriod.h"
#include "engine/SpecialRates.h"
#include "penalties/AccuracyPenalties.h"
#include "penalties/PenaltyPass.h"
#include "problem/CTDoc.h"
#include "ratetables/TableOperations.h"

namespace zarvic {
namespace {

// Messages of the driver.
constexpr int kHotStartBeforeTaxId = 18000;
constexpr int kMotivatedAfter1989Id = 18002;
constexpr int kMotivatedUnder1000Id = 18003;
constexpr int kNoTableId = 18004;
constexpr int kNoEventsRunId = 18005;
constexpr int kEventBeforeTableId = 18006;
constexpr int kAccuracyBaseTooLargeId = 18007;
constexpr int kComputeBeforeLastEventId = 18010;
constexpr int kComputeBeforeFirstEventId = 18014;
constexpr int kPenaltiesWithoutFederalId = 18015;
constexpr int kTooManyIrsChecksId = 18016;
constexpr int kInvalidTableId = 19204;
constexpr int kHotOnSmallDeficiencyId = 20014;
constexpr int kAfterTableEndId = 20015;
constexpr int kPenaltyWithOverpaymentId = 20017;
constexpr int kDepositNotConsumedId = 20019;
constexpr int kTaxOffsetByGattId = 20020;
constexpr int kGattWithPaymentsId = 20021;
constexpr int kLargeWithoutHotId = 20022;
constexpr int kNonDailyCCorpRefundId = 20025;
constexpr int kNoEventsId = 20028;
constexpr int kPenaltyPrepaidId = 20038;

constexpr double kHotDeficiencyCents = 10000000.0;   // $100,000
constexpr double kMotivatedMinimumCents = 100000.0;  // $1,000
constexpr int kMaxAllocatableIrsChecks = 5;

CCorporationDialog& InstalledCCorporationDialog() {
  static CCorporationDialog dialog;
  return dialog;
}

bool IsEnteredPenalty(std::uint16_t type) {
  return type == kEventPenalty || type == kEventNamedPenalty;
}

}  // namespace

// Where a walk stood at the start of the first step that reached an event: everything the walk had
// computed and decided up to there. A later run to a later date with the same problem computes exactly
// the same up to that point, as long as only that event's allocation changed in between.
struct WalkCheckpoint {
  bool valid = false;
  int event = -1;
  ComputeState state;
  int line = 0;
  DayNumber lastBreak = NO_DATE;
  DayNumber motivatedLastBreak = NO_DATE;
  DayNumber monthEnd = NO_DATE;
  bool factorStart = false;
  std::size_t normalNodes = 0;
  std::size_t motivatedNodes = 0;
  std::vector<SignChange> signChanges;
  DayNumber hotFirstDate = NO_DATE;  // PenaltyFirstDate of the hot-interest slot, when the walk set it
};

namespace {

// One walk of the time line (RunComputation step 11): the event and line it stands at, the last break
// of each list, and the month end for monthly breaks.
class Walk {
 public:
  Walk(CTDoc& doc, DayNumber computeDate, bool factorStart)
      : doc_(doc),
        s_(doc.m_compute),
        events_(doc.ListedEvents()),
        D_(computeDate),
        monthly_(doc.m_compute.m_monthlyBreaks),
        factorStart_(factorStart) {
    const RateTable& table = doc.m_rateTable;
    const int used = UsedLineCount(table);
    breaks_.fill(NO_DATE);
    for (int k = 0; k + 1 < used; ++k) {
      const DayNumber next = table.lines[k + 1].start;
      if (next > 0) breaks_[k] = static_cast<DayNumber>(next - 1);
    }
    const DayNumber first = events_[0].m_date;
    L_ = 0;
    while (L_ < used - 1 && breaks_[L_] != NO_DATE && breaks_[L_] < first) ++L_;
    monthEnd_ = first;
    EndOfMonth(monthEnd_);
    // A problem that starts after the GATT start never meets it.
    s_.m_gattStartPassed = first > kGattStartDate;
    // The penalty pass before the walk may have computed periods too; the walk keeps its own account of
    // the non-daily flag so that a checkpoint holds the walk's part only.
    earlierNonDaily_ = std::exchange(s_.m_nonDailyRefundMode, false);
  }

  // Picks up where checkpoint stood (it must be valid for this run).
  void Resume(const WalkCheckpoint& checkpoint) {
    s_ = checkpoint.state;
    j_ = checkpoint.event;
    L_ = checkpoint.line;
    lastBreak_ = checkpoint.lastBreak;
    motivatedLastBreak_ = checkpoint.motivatedLastBreak;
    monthEnd_ = checkpoint.monthEnd;
    factorStart_ = checkpoint.factorStart;
    doc_.m_normalList.RestoreSize(checkpoint.normalNodes);
    doc_.m_motivatedList.RestoreSize(checkpoint.motivatedNodes);
    doc_.m_signChanges = checkpoint.signChanges;
    hotFirstDate_ = checkpoint.hotFirstDate;
    if (IsDate(hotFirstDate_)) doc_.m_penaltyResults.PenaltyFirstDate[kHotInterestSlot] = hotFirstDate_;
  }

  // The walk saves its state into checkpoint when it first stands at event index.
  void CaptureAt(int index, WalkCheckpoint* checkpoint) {
    captureIndex_ = index;
    capture_ = checkpoint;
  }

  std::span<CEvent> Events() const { return events_; }
  // The PenaltyFirstDate of the hot-interest slot that the walk set, or NO_DATE.
  DayNumber HotFirstDate() const { return hotFirstDate_; }

  void Run() {
    for (;;) {
      // 1-2: the event at hand; entered penalties earn their interest on the penalty list.
      while (j_ < static_cast<int>(events_.size()) && IsEnteredPenalty(events_[j_].m_type)) ++j_;
      if (capture_ && j_ == captureIndex_) Capture();
      const bool haveEvent = j_ < static_cast<int>(events_.size());
      E_ = haveEvent ? events_[j_].m_date : NO_DATE;
      // 3: the rate break of the current line, when it comes before the compute date.
      const int breakIndex = std::min(L_, kMaxRateLines - 1);
      R_ = breaks_[breakIndex] < D_ ? breaks_[breakIndex] : NO_DATE;

      // 4: what ends this period. NO_DATE is above every date, so "none" is never before anything.
      int kind;
      if (R_ < E_) {
        kind = kKindRateChange;
      } else {
        // A code beyond the known types makes no node, as type 11 does.
        kind = haveEvent ? std::min<int>(events_[j_].m_type, kEventPenaltyType) : kKindRateChange;
      }
      if (D_ < E_) kind = kKindRateChange;
      if (monthly_ && monthEnd_ < E_ && monthEnd_ < R_) kind = kKindMonthEnd;
      if (D_ < E_ && D_ < R_ && (!monthly_ || D_ <= monthEnd_)) kind = kKindFinal;

      // 5: the statutory breaks; the GATT start works the step out anew.
      if (GattStartBreak()) continue;
      HotBreaks();

      const bool eventKind = kind < kKindRateChange;
      const DayNumber end = eventKind ? E_ : kind == kKindFinal ? D_ : kind == kKindMonthEnd ? monthEnd_ : R_;
      NormalNode(kind, eventKind, end);
      MotivatedNode(kind, eventKind, end);

      // 8: apply the event.
      if (eventKind && LowersBalance(static_cast<std::uint16_t>(kind))) {
        FoldInterest(doc_, L_);
        ApplyPayment(doc_, j_, L_);
        FoldInterest(doc_, L_);
      } else {
        if (eventKind && kind == kEventStopInterest) s_.m_interestRunning = false;
        FoldInterest(doc_, L_);
      }
      // 9: advance.
      if (eventKind) {
        if (kind == kEventStartInterest) s_.m_interestRunning = true;
        ++j_;
      } else if (kind == kKindRateChange && L_ < kMaxRateLines - 1) {
        ++L_;
      }
      // 10: interest accrued under a simple line joins the principal once a compounding line governs.
      FoldInterest(doc_, L_);
      UpdateSignChanges();
      if (monthly_ && kind == kKindMonthEnd) {
        monthEnd_ = AddDays(monthEnd_, 1);
        EndOfMonth(monthEnd_);
      }
      if (kind == kKindFinal) {
        s_.m_nonDailyRefundMode = s_.m_nonDailyRefundMode || earlierNonDaily_;
        return;
      }
    }
  }

 private:
  void Capture() {
    WalkCheckpoint& c = *capture_;
    capture_ = nullptr;
    c.valid = true;
    c.event = j_;
    c.state = s_;
    c.line = L_;
    c.lastBreak = lastBreak_;
    c.motivatedLastBreak = motivatedLastBreak_;
    c.monthEnd = monthEnd_;
    c.factorStart = factorStart_;
    c.normalNodes = doc_.m_normalList.Size();
    c.motivatedNodes = doc_.m_motivatedList.Size();
    c.signChanges = doc_.m_signChanges;
    c.hotFirstDate = hotFirstDate_;
  }

  // A statutory date falls in this step when it comes before everything else that could end it.
  bool BeforeNextBreak(DayNumber date) const {
    return date < E_ && date < R_ && date < D_ && (!monthly_ || date < monthEnd_);
  }

  // The GATT start is also tested in the step that ends at the compute date: BeforeNextBreak keeps it
  // before that date, and a last period running from 1994 into 1995 must not earn the GATT rates for
  // its 1994 days.
  bool GattStartBreak() {
    if (!s_.m_gattApplies || doc_.m_header.m_cCorporation == 0 || !IsDate(lastBreak_) ||
        lastBreak_ >= kGattStartDate || s_.m_gattStartPassed || !(s_.m_balance < 0) ||
        !BeforeNextBreak(kGattStartDate))
      return false;
    SpecialNormalNode(kGattStartDate, kKindRateChange);
    // The refund interest so far joins the balance before the GATT rates begin.
    s_.m_balance += s_.m_accruedRefund;
    s_.m_accruedRefund = 0.0;
    FoldInterest(doc_, L_);
    NetGatt(doc_);
    s_.m_gattStartPassed = true;
    return true;
  }

  // Hot interest start, stop on 12-31-97 and restart, tested in this order.
  void HotBreaks() {
    const ProblemHeader& h = doc_.m_header;
    if (h.m_hotInterest == 0) return;
    if (!s_.m_hotStarted && IsDate(s_.m_hotStartDate) && BeforeNextBreak(s_.m_hotStartDate)) {
      SpecialBreak(s_.m_hotStartDate, kKindHotStart);
      s_.m_hotInEffect = true;
      s_.m_hotStarted = true;
      SetHotFirstDate(s_.m_hotStartDate);
    }
    if (!IsDate(s_.m_hotStopDate)) return;
    if (s_.m_hotStarted && !s_.m_hotStopped && BeforeNextBreak(s_.m_hotStopDate)) {
      SpecialBreak(s_.m_hotStopDate, kKindHotStop);
      s_.m_hotInEffect = false;
      s_.m_hotStopped = true;
    }
    if (!s_.m_hotRestarted && s_.m_hotStarted && s_.m_hotStopped && IsDate(s_.m_hotRestartDate) &&
        BeforeNextBreak(s_.m_hotRestartDate)) {
      SpecialBreak(s_.m_hotRestartDate, kKindHotStart);
      s_.m_hotInEffect = true;
      s_.m_hotRestarted = true;
      SetHotFirstDate(s_.m_hotRestartDate);
    }
  }

  void SetHotFirstDate(DayNumber date) {
    hotFirstDate_ = date;
    doc_.m_penaltyResults.PenaltyFirstDate[kHotInterestSlot] = date;
  }

  // Closes the current period of each list that has one at date, then folds. Time never runs back: a
  // break at or before a list's last break (a GATT start closed first in the same step) has no period
  // of its own there, or its days would be charged twice.
  void SpecialBreak(DayNumber date, int kind) {
    if (IsDate(lastBreak_) && date > lastBreak_) SpecialNormalNode(date, kind);
    if (IsDate(motivatedLastBreak_) && date > motivatedLastBreak_) SpecialMotivatedNode(date, kind);
    FoldInterest(doc_, L_);
  }

  // The normal list at a statutory break: the refund rate while either balance is an overpayment, and
  // normal or refund accrual by the sign of the balance.
  void SpecialNormalNode(DayNumber date, int kind) {
    const RateLine& line = doc_.m_rateTable.lines[L_];
    ComputeResults& node = doc_.m_normalList.Append();
    const double rate = s_.m_balance < 0 || s_.m_gatt < 0 ? line.refundRate : line.normalRate;
    const DayNumber start = IsDate(lastBreak_) ? lastBreak_ : 0;
    ComputePeriod(s_, s_.m_balance, start, date, line.mode, DaysPerYearValue(line.daysPerYear), rate,
                  line.normalRate, node);
    node.m_kind = static_cast<std::int16_t>(kind);
    node.m_event = -1;
    s_.m_accruedGatt += node.m_gattInterest;
    s_.m_gattInterestTotal += node.m_gattInterest;
    if (s_.m_balance > 0) {
      s_.m_accrued += node.m_normalInterest;
      s_.m_normalInterestTotal += node.m_normalInterest;
    } else {
      s_.m_accruedRefund += node.m_normalInterest;
      s_.m_refundInterestTotal += node.m_normalInterest;
    }
    lastBreak_ = date;
    s_.m_lastClosedEnd = date;
  }

  void SpecialMotivatedNode(DayNumber date, int kind) {
    const RateLine& line = doc_.m_rateTable.lines[L_];
    ComputeResults& node = doc_.m_motivatedList.Append();
    const bool savedGatt = std::exchange(s_.m_gattApplies, false);
    ComputePeriod(s_, s_.m_motivated, motivatedLastBreak_, date, line.mode,
                  DaysPerYearValue(line.daysPerYear), line.motivatedRate, line.normalRate, node);
    s_.m_gattApplies = savedGatt;
    node.m_kind = static_cast<std::int16_t>(kind);
    node.m_event = -1;
    s_.m_accruedMotivated += node.m_normalInterest;
    s_.m_motivatedInterestTotal += node.m_normalInterest;
    motivatedLastBreak_ = date;
    s_.m_lastClosedEnd = date;
  }

  // 6: the normal list, then the charge of an event that raises the balance.
  void NormalNode(int kind, bool eventKind, DayNumber end) {
    switch (kind) {
      case kEventTax:
      case kEventPayment:
      case kEventDeposit:
      case kEventStopInterest:
      case kEventStartInterest:
      case kEventDebit:
      case kEventCredit:
      case kEventIrsCheck:
      case kKindRateChange:
      case kKindMonthEnd:
      case kKindFinal:
        break;
      default:
        return;
    }
    const CEvent* event = eventKind ? &events_[j_] : nullptr;
    const bool raises = eventKind && RaisesBalance(static_cast<std::uint16_t>(kind));
    const bool applied = event && event->m_allocation &&
                         (event->m_allocation->m_payment[0] > 0 || event->m_allocation->m_payment[1] > 0);
    const bool make = applied || raises || (!eventKind && IsDate(lastBreak_)) || kind == kEventStopInterest ||
                      kind == kEventStartInterest;
    if (make) {
      ComputeResults& node = doc_.m_normalList.Append();
      node.m_event = static_cast<std::int16_t>(eventKind ? j_ : -1);
      const bool factorStart = factorStart_ && IsDate(lastBreak_) && lastBreak_ != end;
      lastBreak_ = ClosePeriod(doc_, node, lastBreak_, end, kind, L_, ResultListKind::Normal, factorStart);
      if (factorStart) factorStart_ = false;
    }
    if (raises) AddCharge(doc_, *event, L_);
  }

  // 7: the motivated list, for motivated tax, the events that lower the balance or stop and start
  // interest, and the breaks.
  void MotivatedNode(int kind, bool eventKind, DayNumber end) {
    const bool wanted = kind == kEventMotivatedTax ||
                        (eventKind && (LowersBalance(static_cast<std::uint16_t>(kind)) ||
                                       kind == kEventStopInterest || kind == kEventStartInterest)) ||
                        !eventKind;
    if (!wanted) return;
    if (kind == kKindRateChange) kind = kKindMotivatedRateChange;
    if (kind != kEventMotivatedTax && !IsDate(motivatedLastBreak_)) return;
    ComputeResults& node = doc_.m_motivatedList.Append();
    node.m_event = static_cast<std::int16_t>(eventKind ? j_ : -1);
    motivatedLastBreak_ =
        ClosePeriod(doc_, node, motivatedLastBreak_, end, kind, L_, ResultListKind::Motivated, false);
    if (kind == kEventMotivatedTax) s_.m_motivated += events_[j_].m_amount;
  }

  // 11: a node whenever the balances cross from owing to being owed or back; a sign of 0 ends the list.
  void UpdateSignChanges() {
    std::vector<SignChange>& list = doc_.m_signChanges;
    const double balance = s_.m_balance;
    const double gatt = s_.m_gatt;
    bool append = list.empty();
    if (!append) {
      const int sign = list.back().m_sign;
      append = sign > 0 ? (balance < 0 || gatt < 0) : sign < 0 ? (balance > 0 || gatt > 0) : false;
    }
    if (!append) return;
    const int sign = balance > 0 ? 1 : (balance < 0 || gatt < 0) ? -1 : 0;
    list.push_back({s_.m_lastClosedEnd, sign});
  }

  CTDoc& doc_;
  ComputeState& s_;
  std::span<CEvent> events_;
  const DayNumber D_;
  const bool monthly_;
  bool factorStart_;
  std::array<DayNumber, kMaxRateLines> breaks_{};  // break k: the day before line k + 1 starts
  int j_ = 0;                                      // the event at hand
  int L_ = 0;                                      // the line that governs the period
  DayNumber lastBreak_ = NO_DATE;
  DayNumber motivatedLastBreak_ = NO_DATE;
  DayNumber monthEnd_ = NO_DATE;
  DayNumber E_ = NO_DATE;
  DayNumber R_ = NO_DATE;
  DayNumber hotFirstDate_ = NO_DATE;
  bool earlierNonDaily_ = false;
  int captureIndex_ = -1;
  WalkCheckpoint* capture_ = nullptr;
};

// RunComputation step 5: cautions about motivated tax with the federal table; the first one ends it.
void MotivatedTaxCautions(const CTDoc& doc) {
  if (!TableNameIsFederal(doc.m_rateTable)) return;
  for (const CEvent& event : doc.ListedEvents()) {
    if (event.m_type != kEventMotivatedTax) continue;
    if (event.m_date >= kMotivatedRepealDate) {
      MessageBoxId(kMotivatedAfter1989Id);
      return;
    }
    if (event.m_amount <= kMotivatedMinimumCents) {
      MessageBoxId(kMotivatedUnder1000Id);
      return;
    }
  }
}

int CountOfType(const CTDoc& doc, std::uint16_t type) {
  return static_cast<int>(
      std::ranges::count_if(doc.ListedEvents(), [type](const CEvent& e) { return e.m_type == type; }));
}

int CountLowering(const CTDoc& doc) {
  return static_cast<int>(
      std::ranges::count_if(doc.ListedEvents(), [](const CEvent& e) { return LowersBalance(e.m_type); }));
}

// An entered penalty listed after the last payment, deposit or credit (there must be one).
bool PenaltyAfterLastPayment(const CTDoc& doc) {
  std::span<const CEvent> events = doc.ListedEvents();
  int lastPayment = -1;
  for (int i = 0; i < static_cast<int>(events.size()); ++i) {
    if (LowersBalance(events[i].m_type)) lastPayment = i;
  }
  if (lastPayment < 0) return false;
  for (int i = lastPayment + 1; i < static_cast<int>(events.size()); ++i) {
    if (IsEnteredPenalty(events[i].m_type)) return true;
  }
  return false;
}

// Caution 20022: a period closed on more than $100,000 after 1990 while the tax less what was paid by
// the tax date is above $100,000. Of the nodes that share an end date only the last counts.
bool LargeUnderpaymentWithoutHot(const CTDoc& doc) {
  bool large = false;
  for (const ComputeResults* node = doc.m_normalList.First(); node; node = node->m_next) {
    if (node->m_next && node->m_next->m_end == node->m_end) continue;
    if (node->m_normalPrincipal >= kHotDeficiencyCents && node->m_end > kEarliestHotStart) {
      large = true;
      break;
    }
  }
  if (!large) return false;
  Amount net = doc.TotalTax;
  for (const CEvent& event : doc.ListedEvents()) {
    if (IsDate(doc.TaxDate) && event.m_date > doc.TaxDate) break;
    if (LowersBalance(event.m_type)) net -= event.m_amount;
  }
  return net > kHotDeficiencyCents;
}

// ComputeProblem step 9: the cautions of the first computation, in this order. Messages only when not
// quiet; the delinquency checks run in any case.
void FirstComputationCautions(CTDoc& doc, bool quiet) {
  const ComputeState& s = doc.m_compute;
  const ProblemHeader& h = doc.m_header;
  const DayNumber D = doc.m_computeDate;
  auto caution = [quiet](int id) {
    if (!quiet) MessageBoxId(id);
  };
  if (h.m_hotInterest != 0 && doc.TotalTax <= kHotDeficiencyCents) caution(kHotOnSmallDeficiencyId);
  if (doc.m_rateTable.endDate < D) caution(kAfterTableEndId);
  if (s.m_refundInterestTotal < 0 && PenaltyAfterLastPayment(doc)) caution(kPenaltyWithOverpaymentId);
  if (s.m_depositNotConsumed) caution(kDepositNotConsumedId);
  if (!doc.m_payoff && D > kEarliestHotStart && h.m_hotInterest == 0 && LargeUnderpaymentWithoutHot(doc))
    caution(kLargeWithoutHotId);
  if (s.m_taxOffsetByGatt) caution(kTaxOffsetByGattId);
  if (s.m_gattInterestTotal != 0 && CountLowering(doc) > 1) caution(kGattWithPaymentsId);
  if (s.m_nonDailyRefundMode && h.m_cCorporation != 0 && s.m_refundInterestTotal != 0 && s.m_gattApplies)
    caution(kNonDailyCCorpRefundId);
  if (doc.m_penaltyResults.PenaltyPrepaidFlag) caution(kPenaltyPrepaidId);
  if (!TableNameBeginsWithFed(doc.m_rateTable) && AnyActivePenalty(doc)) caution(kPenaltiesWithoutFederalId);
  CheckDelinquencyAmounts(doc, !quiet);
  if (CountOfType(doc, kEventIrsCheck) > kMaxAllocatableIrsChecks) caution(kTooManyIrsChecksId);
}

}  // namespace

CCorporationDialog SetCCorporationDialog(CCorporationDialog dialog) {
  return std::exchange(InstalledCCorporationDialog(), std::move(dialog));
}

void ClearResults(CTDoc& doc) {
  for (CEvent& event : doc.ListedEvents()) {
    if (event.m_type == kEventStopInterest || event.m_type == kEventStartInterest) {
      event.m_amount = 0.0;
      event.m_gattAmount = 0.0;
    }
  }
  doc.m_penaltyResults.Clear();
  doc.m_compute = ComputeState{};
  doc.SortEvents(-1);
  ComputeState& s = doc.m_compute;
  s.m_gattApplies = GattApplies(doc);
  s.m_thresholdA = doc.m_header.m_gattThreshold;
  s.m_thresholdB = doc.m_header.m_gattThreshold;
  doc.m_signChanges.clear();
  doc.m_normalList.Clear();
  doc.m_motivatedList.Clear();
  doc.m_penaltyList.Clear();
  doc.RecomputeTaxTotals();
}

// What an allocation run put off: the penalty pass and the interest on penalties, which only the dues
// of the penalty categories read, and the end of the run (final total, allocation passes) that no
// later run reads. Neither the walk nor the pass reads what the other writes, but for the non-daily
// flag and the hot-interest slot's first date, so they are put together afterwards as one run leaves
// them.
struct DeferredPenalties {
  bool passPending = false;
  bool restPending = false;
  DayNumber date = NO_DATE;
  ComputeState beforePass;  // the run state the pass starts from
  ComputeState walked;      // the run state the walk left
  DayNumber hotFirstDate = NO_DATE;
};

namespace {

// The end of RunComputation, after the walk: the allocation pass, the interest on penalties, the final
// total and the allocation pass again.
void FinishRun(CTDoc& doc, DayNumber D, bool monthlyBreaks) {
  FinalAllocationPass(doc);
  ComputePenaltyInterest(doc, D, monthlyBreaks);
  Amount net = 0.0;
  for (const CEvent& event : doc.ListedEvents()) {
    if (event.m_date > D) continue;
    const bool lowers =
        event.m_type == kEventPayment || event.m_type == kEventDeposit || event.m_type == kEventCredit;
    // A negative payment (only a file written elsewhere can hold one) is allocated nothing, so it nets
    // nothing either: the total then agrees with the balances and the summary built from them.
    if (lowers && event.m_amount < 0.0) continue;
    net += lowers ? -event.m_amount : event.m_amount;
  }
  Amount penalties = 0.0;
  for (int k = 0; k < kPenaltyRecords; ++k) {
    if (doc.m_penalties[k].IsActive()) penalties += doc.m_penaltyResults.PenaltyAmount[k];
  }
  ComputeState& s = doc.m_compute;
  s.m_finalTotal = s.m_normalInterestTotal + s.m_motivatedInterestTotal +
                   doc.m_penaltyResults.PenaltyInterestTotal + s.m_refundInterestTotal +
                   s.m_gattInterestTotal + net + penalties;
  FinalAllocationPass(doc);
}

// RunComputation; with a checkpoint (the allocation's runs) the walk picks up from it when it is valid
// for this run, and saves a new one when it reaches event captureAt. With deferred the penalty pass and
// what follows the walk are left for CompleteRun.
bool Run(CTDoc& doc, DayNumber computeDate, bool showMessages, bool monthlyBreaks, WalkCheckpoint* checkpoint,
         int captureAt, DeferredPenalties* deferred) {
  const bool show = showMessages && !doc.m_computedOnce;
  const DayNumber D = computeDate;
  ClearResults(doc);
  ComputeState& s = doc.m_compute;
  s.m_showMessages = show;

  if (deferred) {
    deferred->passPending = true;
    deferred->restPending = true;
    deferred->date = D;
    deferred->beforePass = s;
  } else {
    ComputePenalties(doc, D);
    // After the pass as ClearResults left them before it (a deferred run has them as they are).
    doc.SortEvents(-1);
    s.m_gattApplies = GattApplies(doc);
    s.m_thresholdA = doc.m_header.m_gattThreshold;
    s.m_thresholdB = doc.m_header.m_gattThreshold;
    doc.RecomputeTaxTotals();
  }
  s.m_interestRunning = true;
  HotDateStep(doc, D);

  const ProblemHeader& h = doc.m_header;
  if (show && IsDate(doc.TaxDate) && h.m_hotInterest != 0 &&
      ((IsDate(h.m_thirtyDayLetter) && h.m_thirtyDayLetter < doc.TaxDate) ||
       (IsDate(h.m_applicableDate) && h.m_applicableDate < doc.TaxDate)))
    MessageBoxId(kHotStartBeforeTaxId);
  if (show) MotivatedTaxCautions(doc);
  if (show && h.m_hotInterest != 0) {
    if (const int refused = RefusedRestartMessage(h)) MessageBoxId(refused);
  }

  auto fail = [&](int id) {
    if (show && id != 0) MessageBoxId(id);
    if (deferred) {
      // A failed run has run the pass (which writes the penalty records) all the same.
      const ComputeState before = std::exchange(s, deferred->beforePass);
      ComputePenalties(doc, D);
      s = before;
      deferred->passPending = false;
      deferred->restPending = false;
    }
    doc.m_penaltyResults.Clear();  // a failed run leaves nothing computed behind
    return false;
  };
  const RateTable& table = doc.m_rateTable;
  const CEvent& first = doc.m_events[0];
  if (!table.IsLoaded()) return fail(kNoTableId);
  // A first slot without a date is as empty as a free one; the walk needs a first date.
  if (first.m_type == kEventFree || !first.HasDate()) return fail(kNoEventsRunId);
  if (first.m_date < table.lines[0].start) return fail(kEventBeforeTableId);
  // Without a compute date there is nothing to walk to; callers set one first.
  if (!IsDate(D)) return fail(0);
  if (first.m_date > D) return fail(kComputeBeforeFirstEventId);

  if (show && CheckAccuracyStacking(doc)) MessageBoxId(kAccuracyBaseTooLargeId);

  s.m_monthlyBreaks = monthlyBreaks;
  bool factorStart = false;
  if (table.lines[0].mode == kModeFactorSum) {
    ExtendMonthly(doc.m_rateTable, D);
    factorStart = true;
  }

  Walk walk(doc, D, factorStart);
  if (checkpoint) {
    // The walk before the checkpoint depends on the compute date only through the hot-interest dates.
    const bool resume = checkpoint->valid && !monthlyBreaks && !show &&
                        checkpoint->event < static_cast<int>(walk.Events().size()) &&
                        doc.m_events[checkpoint->event].m_date <= D &&
                        checkpoint->state.m_hotStartDate == s.m_hotStartDate &&
                        checkpoint->state.m_hotRestartDate == s.m_hotRestartDate;
    if (resume) walk.Resume(*checkpoint);
    checkpoint->valid = false;
    walk.CaptureAt(captureAt, checkpoint);
  }
  walk.Run();

  if (deferred) {
    deferred->walked = s;
    deferred->hotFirstDate = walk.HotFirstDate();
    return true;
  }
  FinishRun(doc, D, monthlyBreaks);
  return true;
}

}  // namespace

bool RunComputation(CTDoc& doc, DayNumber computeDate, bool showMessages, bool monthlyBreaks) {
  return Run(doc, computeDate, showMessages, monthlyBreaks, nullptr, -1, nullptr);
}

AllocationRuns::AllocationRuns()
    : checkpoint_(std::make_unique<WalkCheckpoint>()), deferred_(std::make_unique<DeferredPenalties>()),
      interestWalks_(std::make_unique<InterestComponentMemo>()) {}
AllocationRuns::~AllocationRuns() = default;

bool AllocationRuns::RunTo(CTDoc& doc, int index) {
  const DayNumber date = doc.m_events[index].m_date;
  interestWalks_->SetRun(index);
  // A run that fails leaves nothing to pick up from.
  if (!Run(doc, date, false, false, checkpoint_.get(), index, deferred_.get())) {
    checkpoint_->valid = false;
    return false;
  }
  return true;
}

bool AllocationRuns::PenaltyPassPending() const {
  return deferred_->passPending;
}

bool AllocationRuns::RestPending() const {
  return deferred_->restPending;
}

void AllocationRuns::Complete(CTDoc& doc, bool rest) {
  DeferredPenalties& d = *deferred_;
  ComputeState& s = doc.m_compute;
  if (d.passPending) {
    s = d.beforePass;
    ComputePenalties(doc, d.date);
    const bool passNonDaily = s.m_nonDailyRefundMode;
    s = d.walked;
    s.m_nonDailyRefundMode = s.m_nonDailyRefundMode || passNonDaily;
    // The pass clears the results; the walk set the hot slot's first date after it.
    if (IsDate(d.hotFirstDate)) doc.m_penaltyResults.PenaltyFirstDate[kHotInterestSlot] = d.hotFirstDate;
    d.passPending = false;
  }
  if (rest && d.restPending) {
    FinishRun(doc, d.date, false);
    d.restPending = false;
  }
}

bool ComputeProblem(CTDoc& doc, bool quiet) {
  ProblemRun run(doc);
  if (!run.Acquired()) return RefuseBusyProblem();
  ProblemMessageScope scope(doc);
  return ComputeProblemInRun(doc, quiet);
}

bool ComputeProblemInRun(CTDoc& doc, bool quiet) {
  if (!doc.m_rateTable.IsLoaded()) {
    if (!quiet) MessageBoxId(kInvalidTableId);
    return false;
  }
  if (!IsDate(doc.m_computeDate)) doc.m_computeDate = Today();
  if (!doc.m_events[0].HasDate()) {
    if (!quiet) MessageBoxId(kNoEventsId);
    return false;
  }
  AllocateAllPayments(doc, kMaxEvents);
  const DayNumber D = doc.m_computeDate;

  // A C corporation's first computation since the problem was opened or reset (a recompute to another
  // date is not one): a first run tells whether there is a refund to split over the IRS checks before
  // the run that counts. That run has shown the run's messages already.
  bool messagesShown = false;
  if (GattApplies(doc) && !doc.m_computedOnce && !doc.m_computedSinceReset) {
    RunComputation(doc, D, !quiet, false);
    messagesShown = !quiet;
    const ComputeState& s = doc.m_compute;
    // A copy: the dialog may install another hook while it is open.
    const CCorporationDialog dialog = InstalledCCorporationDialog();
    if ((s.m_refundInterestTotal != 0 || s.m_gattInterestTotal != 0) && !doc.m_suppressCautions && dialog) {
      if (dialog(doc)) doc.SetModified();
    }
  }

  const bool ok = RunComputation(doc, D, !quiet && !messagesShown, false);
  // The cautions read the total tax as a run that shows its messages leaves it.
  if (ok && messagesShown) CheckAccuracyStacking(doc);
  if (ok && !doc.m_suppressCautions) {
    const int count = doc.EventCount();
    if (count > 0 && D < doc.m_events[count - 1].m_date && !quiet) MessageBoxId(kComputeBeforeLastEventId);
  }
  if (ok && !doc.m_computedOnce && !doc.m_suppressCautions) FirstComputationCautions(doc, quiet);
  doc.m_computedOnce = true;
  doc.m_computedSinceReset = true;
  return ok;
}

Amount TotalInterest(const CTDoc& doc) {
  const ComputeState& s = doc.m_compute;
  return s.m_normalInterestTotal + s.m_motivatedInterestTotal + doc.m_penaltyResults.PenaltyInterestTotal;
}

Amount TotalRefundInterest(const CTDoc& doc) {
  return doc.m_compute.m_refundInterestTotal + doc.m_compute.m_gattInterestTotal;
}

Amount TotalAllInterest(const CTDoc& doc) {
  return TotalInterest(doc) + TotalRefundInterest(doc);
}

Amount FinalTotal(const CTDoc& doc) {
  return doc.m_compute.m_finalTotal;
}

}  // namespace zarvic
