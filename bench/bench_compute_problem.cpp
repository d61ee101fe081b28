// ComputeProblem (quiet) on the shipped federal table: a small problem and the largest one (1000
// events, 500 of them payments). Every payment is allocated on a run of the engine to its date, so the
// largest problem costs 501 runs. The largest problem again with every penalty of its era active: its
// payments all go to the tax, so no run but the last needs the penalties. Then the hardest case for
// the penalties: one tax event and 999 payments that pay the tax off and then the penalties, with and
// without every penalty of its era (a run computes the penalty pass, and the interest on penalties,
// only for the payments whose split reaches them: about a third of them, once the tax is paid).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "LargeProblem.h"
#include "PenaltySetup.h"
#include "core/UserInterface.h"
#include "engine/ComputeDriver.h"
#include "penalties/PenaltyRecord.h"
#include "problem/CTDoc.h"
#include "ratetables/TableFile.h"

namespace zarvic {
namespace {

// ComputeProblem (quiet) of doc, once an iteration.
void ComputeEachIteration(benchmark::State& st, CTDoc& doc) {
  for (auto _ : st) {
    bool ok = ComputeProblem(doc, true);
    benchmark::DoNotOptimize(ok);
  }
}

void BM_ComputeProblem(benchmark::State& st) {
  RecordingUserInterface ui;
  ScopedUserInterface scoped(ui);
  std::unique_ptr<CTDoc> doc = MakeLargeProblem(static_cast<int>(st.range(0)));
  ComputeEachIteration(st, *doc);
  st.counters["final"] = doc->m_compute.m_finalTotal / 100;
  st.counters["nodes"] = static_cast<double>(doc->m_normalList.Size());
}
BENCHMARK(BM_ComputeProblem)->ArgName("events")->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

enum PenaltyEra { kBefore1990 = 0, kFrom1990 = 1 };

// The largest problem with every penalty of its era: from 1-15-84, or from 1-15-95 with the later
// penalties and hot interest.
void BM_ComputeLargestProblemWithPenalties(benchmark::State& st) {
  RecordingUserInterface ui;
  ScopedUserInterface scoped(ui);
  const bool from1990 = st.range(0) == kFrom1990;
  const DayNumber first = from1990 ? MakeDate(1, 15, 95) : MakeDate(1, 15, 84);
  std::unique_ptr<CTDoc> doc = MakeLargeProblem(kMaxEvents, first);
  ActivateEveryPenalty(*doc, first, from1990);
  ComputeEachIteration(st, *doc);
  st.counters["final"] = doc->m_compute.m_finalTotal / 100;
  st.counters["penaltyInterest"] = doc->m_penaltyResults.PenaltyInterestTotal / 100;
}
BENCHMARK(BM_ComputeLargestProblemWithPenalties)
    ->ArgName("from1990")
    ->Arg(kBefore1990)
    ->Arg(kFrom1990)
    ->Unit(benchmark::kMillisecond);

// $100,000 of tax due 4-15-87 or 4-15-95 and 999 weekly payments of $150, allocated by the driver in
// the IRS order (tax, then the penalties, then interest). Before 1990: failure to file, failure to pay
// tax shown and an assessment, 6653(a), 6653(b), 6659, 6659A, 6660 and 6661; from 1990: the
// delinquency penalties, 6662(c) to (g), 6663 and hot interest. Computed to 12-31-2015.
std::unique_ptr<CTDoc> MakePenaltyProblem(PenaltyEra era, bool penalties = true) {
  auto doc = std::make_unique<CTDoc>();
  if (!LoadTable(doc->m_rateTable, ZARVIC_BINARY_DIR "/FEDERAL.TB3", false)) std::abort();
  const DayNumber taxDate = era == kFrom1990 ? MakeDate(4, 15, 95) : MakeDate(4, 15, 87);
  CEvent& tax = doc->m_events[0];
  tax.m_type = kEventTax;
  tax.m_date = taxDate;
  tax.m_amount = 10000000.0;
  for (int i = 1; i < kMaxEvents; ++i) {
    CEvent& pay = doc->m_events[i];
    pay.m_type = kEventPayment;
    pay.m_date = AddDays(taxDate, 7 * i);
    pay.m_amount = 15000.0;
  }
  if (penalties) ActivateEveryPenalty(*doc, taxDate, era == kFrom1990);
  doc->m_computeDate = MakeDate(12, 31, 2015);
  return doc;
}

void BM_ComputeProblemWithPenalties(benchmark::State& st) {
  RecordingUserInterface ui;
  ScopedUserInterface scoped(ui);
  std::unique_ptr<CTDoc> doc = MakePenaltyProblem(static_cast<PenaltyEra>(st.range(0)));
  ComputeEachIteration(st, *doc);
  st.counters["final"] = doc->m_compute.m_finalTotal / 100;
  st.counters["penaltyInterest"] = doc->m_penaltyResults.PenaltyInterestTotal / 100;
  st.counters["penaltySteps"] = static_cast<double>(doc->m_penaltyList.Size());
}
BENCHMARK(BM_ComputeProblemWithPenalties)
    ->ArgName("from1990")
    ->Arg(kBefore1990)
    ->Arg(kFrom1990)
    ->Unit(benchmark::kMillisecond);

// The same problems with no penalty active: what the penalties add is measured against these.
void BM_ComputeProblemWithoutPenalties(benchmark::State& st) {
  RecordingUserInterface ui;
  ScopedUserInterface scoped(ui);
  std::unique_ptr<CTDoc> doc = MakePenaltyProblem(static_cast<PenaltyEra>(st.range(0)), false);
  ComputeEachIteration(st, *doc);
  st.counters["final"] = doc->m_compute.m_finalTotal / 100;
}
BENCHMARK(BM_ComputeProblemWithoutPenalties)
    ->ArgName("from1990")
    ->Arg(kBefore1990)
    ->Arg(kFrom1990)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarvic
