#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/Amounts.h"
#include "core/Dates.h"
#include "engine/ComputeResults.h"
#include "engine/ComputeState.h"
#include "penalties/PenaltyRecord.h"
#include "penalties/PenaltyResults.h"
#include "problem/CEvent.h"
#include "problem/ProblemHeader.h"
#include "ratetables/RateTable.h"
#include "worksheets/ProblemWorksheets.h"

namespace zarvic {

inline constexpr int kMaxEvents = 1000;
inline constexpr char kFederalTableFile[] = "FEDERAL.TB3";

// Loads the named table file (a name without folder, looked for where tables are looked for) into
// table; false when it cannot be loaded. Without an installed loader LoadTableByName is used (a name
// with a folder part is never loaded); tests install their own. Returns the loader it replaces.
using TableLoader = std::function<bool(RateTable& table, const std::string& name)>;
TableLoader SetTableLoader(TableLoader loader);
// Loads the named table with the installed loader (LoadTableByName when none is installed).
bool LoadNamedTable(RateTable& table, const std::string& name);

// "No Federal Table Found" (19207) is shown on the first failed reset of a program run only. Tests
// start a new run with this.
void ResetFederalTableWarning();

// The report settings a new problem copies into its header.
struct ReportHeadings {
  std::array<std::string, kReportHeadingLines> headings;
  std::string footer;
};
// Supplies the report settings to ResetProblem(); without one the application's report settings are used.
using ReportHeadingsSource = std::function<ReportHeadings()>;
ReportHeadingsSource SetReportHeadingsSource(ReportHeadingsSource source);

// The order of events: date, then on one date charges before payments, then amount, then description
// (none first, else byte by byte, unsigned). Negative, zero or positive.
int CompareEvents(const CEvent& a, const CEvent& b);

// The results of one computation, moved aside while a window runs partial computations of the
// problem (the allocation window computes through its payment) and moved back when it closes.
struct ComputationResults {
  ComputeState compute;
  ComputeResultList normalList;
  ComputeResultList motivatedList;
  ComputeResultList penaltyList;
  std::vector<SignChange> signChanges;
  PenaltyResults penaltyResults;
  std::array<double, kAllocationCategories> dueByCategory{};
};

// One problem: its events, header, penalty records, rate table, derived tax values, the held event of
// the grid and, after a computation, the run's state and results. It knows nothing of windows.
class CTDoc {
 public:
  // A freshly built problem: every slot free, fresh header and penalty records, no table, nothing
  // computed. New and opened problems then go through ResetProblem.
  CTDoc() = default;

  // The events; the list is the slots before the first one without a date.
  std::array<CEvent, kMaxEvents> m_events;
  DayNumber m_computeDate = NO_DATE;  // the run replaces NO_DATE by Today
  ProblemHeader m_header;
  std::array<PenaltyRecord, kPenaltyRecords> m_penalties;
  RateTable m_rateTable;

  // Derived by RecomputeTaxTotals.
  DayNumber TaxDate = NO_DATE;  // the one date of all tax and motivated tax events, else NO_DATE
  Amount TotalTax = 0.0;
  Amount NetTaxDue = 0.0;

  // Computation state and results, written by the compute driver; released by the next run and by
  // ResetProblem.
  ComputeState m_compute;
  ComputeResultList m_normalList;         // tax, debits, IRS checks, payments, refunds
  ComputeResultList m_motivatedList;      // motivated tax at the motivated rate
  ComputeResultList m_penaltyList;        // interest on penalties
  std::vector<SignChange> m_signChanges;  // when the balances changed sign, in the order found
  bool m_computedOnce = false;            // cautions appear only on the first computation after a reset
  // Computed at all since the problem was opened or reset. Unlike m_computedOnce, a new compute date in
  // the results window leaves it set: the C-corporation dialog opens by itself only once.
  bool m_computedSinceReset = false;
  PenaltyResults m_penaltyResults;        // the penalty pass of the last run
  // Set by their callers and left alone by resets: the test-list runner silences the cautions of a
  // computation, the payoff calculator the large-underpayment caution while it plans.
  bool m_suppressCautions = false;
  bool m_payoff = false;
  // The payment allocation's amounts due per category (cents) at the payment allocated last: after
  // AllocatePayment, the dues after that payment.
  std::array<double, kAllocationCategories> m_dueByCategory{};

  // One event copied aside by the grid, with the index it came from (-1 when none), and the penalty
  // records as they were when that edit reset them (none when it did not), so that Undo puts back both.
  CEvent m_heldEvent;
  int m_heldIndex = -1;
  std::optional<std::array<PenaltyRecord, kPenaltyRecords>> m_heldPenalties;

  // Events of the file this problem was read from that it could not hold (those after the 1,000th),
  // and that file ("" when read from memory): saving over it asks first. Cleared by a reset and by
  // a save over that file.
  int m_eventsLeftOut = 0;
  int m_fileEvents = 0;  // how many events that file holds
  std::string m_leftOutFile;

  // The worksheets kept with the problem (estimated tax, deposit penalty); cleared by a reset.
  ProblemWorksheets m_worksheets;

  // Set only while the problem file is read or written (the grid leaves the problem alone meanwhile).
  bool m_loading = false;
  bool m_saving = false;

  bool IsModified() const { return modified_; }
  void SetModified(bool modified = true) { modified_ = modified; }

  // True while a computation, an allocation or a report run of this problem is under way: a window
  // may be asked for another one from inside a message box of the first, and the two would share
  // the problem's results.
  bool IsBusy() const { return busy_ > 0; }

  // The new-problem state: loads FEDERAL.TB3 (19207 on the run's first failure, then no table),
  // clears every event and gives event 0 type 0, clears the results and run flags, takes the heading
  // lines and footer from the report settings and the C-corporation flag from "Default GATT", drops the
  // held index, refreshes the views and clears the modified flag. The taxpayer, hot-interest and GATT
  // threshold fields of the header, the compute date and the penalty records are left as they are.
  void ResetProblem();  // report settings from the installed source
  void ResetProblem(const ReportHeadings& headings);
  // Releases the results of the last computation and clears the run flags.
  void ClearComputation();
  // Moves the results of the last computation out (the problem holds none afterwards) and back.
  ComputationResults TakeComputation();
  void RestoreComputation(ComputationResults&& results);

  bool IsEmptyProblem() const;  // event 0 has no date, no taxpayer name and no taxpayer ID
  int EventCount() const;       // events before the first one without a date
  std::span<CEvent> ListedEvents() { return std::span<CEvent>(m_events.data(), EventCount()); }
  std::span<const CEvent> ListedEvents() const {
    return std::span<const CEvent>(m_events.data(), EventCount());
  }

  // Puts the list in the order of CompareEvents; returns the new index of the event at current
  // (0 when current is negative or nothing was marked). A list already in order is left alone, and so
  // is the held index.
  int SortEvents(int current);
  void RecomputeTaxTotals();
  // Removes the event at index (0-999), moving the later slots up; false for an index out of range.
  bool DeleteEvent(int index);

  // Sums of the listed events dated on or before date, in list order, stopping at the first later event.
  Amount SumTax(DayNumber date) const;               // types 0, 1
  Amount SumPayments(DayNumber date) const;          // types 2, 3, 8
  Amount SumIrsChecks(DayNumber date) const;         // type 9
  Amount SumDebits(DayNumber date) const;            // type 7
  Amount SumEnteredPenalties(DayNumber date) const;  // types 4, 10
  Amount SumOfType(std::uint16_t type) const;        // the whole list
  Amount PaymentsBeforeTaxDate() const;              // types 2, 3, 8 dated before TaxDate
  bool HasIrsCheck() const;
  bool HasPayment() const;
  // Over the deposits with an allocation record: amount less the 50 applied amounts.
  Amount UnconsumedDeposits() const;

 private:
  template <typename Pred>
  Amount SumThrough(DayNumber date, Pred wanted) const;

  bool modified_ = false;
  int busy_ = 0;
  // What SettledEvents keeps while it lives: the count (-1 when none is held), and once found, the
  // order and the tax totals.
  struct Settled {
    int count = -1;
    bool sorted = false;
    bool totals = false;
    DayNumber taxDate = NO_DATE;
    Amount totalTax = 0.0;
    Amount netTaxDue = 0.0;
  };
  Settled settled_;
  int CountListed() const;
  void ComputeTaxTotals();

  friend class ProblemRun;
  friend class SettledEvents;
};

// While it lives, nothing changes the problem's event list but allocation records, m_balof and the
// amounts of interest stops and starts, which every run zeroes before it sorts. The payment
// allocation's runs, up to a thousand of them, then find the list's length, order and tax totals
// once instead of scanning every slot several times each. An inner one adds nothing.
class SettledEvents {
 public:
  explicit SettledEvents(CTDoc& doc) : doc_(doc), outer_(doc.settled_.count < 0) {
    if (outer_) doc_.settled_.count = doc_.CountListed();
  }
  ~SettledEvents() {
    if (outer_) doc_.settled_ = CTDoc::Settled{};
  }
  SettledEvents(const SettledEvents&) = delete;
  SettledEvents& operator=(const SettledEvents&) = delete;

 private:
  CTDoc& doc_;
  bool outer_;
};

// Marks a problem busy for a run that a window started; Acquired() is false when another run of the
// same problem is under way, and then the caller shows the refusal (RefuseBusyProblem) and does
// nothing. Runs nested inside an acquired one (a report run's computation) do not acquire again.
class ProblemRun {
 public:
  explicit ProblemRun(CTDoc& doc) : doc_(doc), acquired_(!doc.IsBusy()) {
    if (acquired_) ++doc_.busy_;
  }
  ~ProblemRun() {
    if (acquired_) --doc_.busy_;
  }
  ProblemRun(const ProblemRun&) = delete;
  ProblemRun& operator=(const ProblemRun&) = delete;

  bool Acquired() const { return acquired_; }

 private:
  CTDoc& doc_;
  bool acquired_;
};

inline constexpr char kProblemBusyText[] =
    "This problem is still being computed.\nTry again when the computation is done.";
// Shows kProblemBusyText and returns false.
bool RefuseBusyProblem();

}  // namespace zarvic
