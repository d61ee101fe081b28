#pragma once

#include <functional>
#include <memory>

#include "core/Amounts.h"
#include "core/Dates.h"

namespace zarvic {

class CTDoc;

// The compute driver: runs the interest engine over a problem and leaves the results in it
// (doc.m_normalList, m_motivatedList, m_penaltyList, m_signChanges; balances, totals and flags in
// doc.m_compute; the penalty pass in doc.m_penaltyResults).

// The user's Compute: checks the table and the events, allocates every payment, computes to the
// problem's compute date (Today when unset) and, on the first computation after a reset or an open,
// shows the cautions about the whole problem. quiet: no messages at all (reports, payoff planning).
// Marks the problem computed once. False when the computation could not be made.
bool ComputeProblem(CTDoc& doc, bool quiet);
// ComputeProblem for a caller that holds the problem's run already (a report run); ComputeProblem
// itself refuses, with a message, while another run of the problem is under way.
bool ComputeProblemInRun(CTDoc& doc, bool quiet);

// One engine run to computeDate: clears the previous results, runs the penalty pass, sorts the events
// and walks the time line. showMessages is obeyed only while the problem has not been computed once;
// monthlyBreaks also ends a period at every month end (the monthly accrual report). A failed run leaves
// the cleared state: no nodes, zero totals.
bool RunComputation(CTDoc& doc, DayNumber computeDate, bool showMessages, bool monthlyBreaks);

struct WalkCheckpoint;
struct DeferredPenalties;
class InterestComponentMemo;

// The payment allocation's engine runs: one per payment in date order, each through the date of the
// payment about to be allocated. Each run, once completed, gives exactly what RunComputation (date, no
// messages, no monthly breaks) gives, provided that between two runs nothing changes in the problem but
// the allocation of the payment of the previous run (and what the allocation writes: m_balof, the
// dues). The walk then picks up where the previous run stood at that payment instead of starting over,
// which makes allocating every payment of a large problem linear rather than quadratic. A run leaves
// the penalty pass, and after it the interest on penalties, the final total and the allocation passes,
// until Complete asks for them: most payments are split before their penalties or their penalty
// interest are reached. The pass and the penalty interest must not change the events (nor any
// allocation record before the payment), and of the run state they may set only the non-daily flag
// (through ComputePeriod).
class AllocationRuns {
 public:
  AllocationRuns();
  ~AllocationRuns();
  AllocationRuns(const AllocationRuns&) = delete;
  AllocationRuns& operator=(const AllocationRuns&) = delete;

  // Computes the problem through the date of event index (a listed event), all but the penalties;
  // false when the run fails.
  bool RunTo(CTDoc& doc, int index);
  // The last run has not computed the penalty amounts (PenaltyAmount and the rest of the pass), or
  // what follows the walk (PenaltyInterestTotal and the penalty interest list, the final total, m_balof).
  bool PenaltyPassPending() const;
  bool RestPending() const;
  // Computes the penalty amounts of the last run; with rest, all it left. The run is then the same as
  // RunComputation's up to what was not asked for.
  void Complete(CTDoc& doc, bool rest);

 private:
  std::unique_ptr<WalkCheckpoint> checkpoint_;
  std::unique_ptr<DeferredPenalties> deferred_;
  // The penalty pass of each run walks the interest part of 6653 again, a payment further each time.
  std::unique_ptr<InterestComponentMemo> interestWalks_;
};

// Releases the results of the last run and zeroes the balances, totals and caution flags; sorts the
// events. The results window uses it when the compute date is not valid.
void ClearResults(CTDoc& doc);

// The "C Corporation Refund Issues" dialog that the first computation of a C-corporation problem with a
// refund opens between its two runs, so that the user can split the IRS checks. The GUI installs it; it
// returns true on OK (the problem is then marked modified). With none installed (the command line,
// tests) the IRS checks are left as they are. Returns the hook it replaces.
using CCorporationDialog = std::function<bool(CTDoc& doc)>;
CCorporationDialog SetCCorporationDialog(CCorporationDialog dialog);

// Totals of the last run, cents.
Amount TotalInterest(const CTDoc& doc);        // normal + motivated + penalty interest
Amount TotalRefundInterest(const CTDoc& doc);  // refund + GATT interest (negative)
Amount TotalAllInterest(const CTDoc& doc);     // both of the above
Amount FinalTotal(const CTDoc& doc);           // balance due at the compute date; negative: a refund

}  // namespace zarvic
