// The payoff calculator on the largest problem it accepts for a five-year plan: 939 events of tax,
// payments, debits and IRS checks since 1984 (as in the compute benchmark) and a fixed term of 60
// months, so the plan fills the problem to 999 events. Each pass of the plan recomputes the whole
// problem, allocating every payment; fixed amount plans one payment per recomputation.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "LargeProblem.h"
#include "core/FieldRules.h"
#include "core/UserInterface.h"
#include "engine/ComputeDriver.h"
#include "payoff/PayoffCalculation.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "ratetables/TableFile.h"

namespace zarvic {
namespace {

constexpr int kEvents = 939;

void BM_PayoffFixedTerm(benchmark::State& st) {
  RecordingUserInterface ui;
  ScopedUserInterface scoped(ui);
  for (auto _ : st) {
    st.PauseTiming();
    std::unique_ptr<CTDoc> doc = MakeLargeProblem(kEvents);
    st.ResumeTiming();
    if (!PayoffCalculation::CanOpen(doc.get())) std::abort();
    PayoffCalculation calc(*doc);
    calc.Start();
    StringField term("60"), amount("$0.00"), start(FormatDate(doc->m_computeDate));
    calc.SetMode(PayoffMode::FixedTerm);
    calc.Calculate(term, amount, start);
    if (calc.Plan().size() != 60 || doc->EventCount() != kEvents + 60) std::abort();
    benchmark::DoNotOptimize(calc.ResultText());
  }
  st.counters["events"] = kEvents + 60;
}
BENCHMARK(BM_PayoffFixedTerm)->Unit(benchmark::kMillisecond);

// The same balance by a fixed monthly amount that takes 59 of the 61 payments that fit: one
// recomputation of the whole problem per payment, after one with all 61 that tells the plan fits.
// (A 55th of the balance needs more than 61 payments and is refused.)
void BM_PayoffFixedAmount(benchmark::State& st) {
  RecordingUserInterface ui;
  ScopedUserInterface scoped(ui);
  std::size_t payments = 0;
  for (auto _ : st) {
    st.PauseTiming();
    std::unique_ptr<CTDoc> doc = MakeLargeProblem(kEvents);
    st.ResumeTiming();
    if (!PayoffCalculation::CanOpen(doc.get())) std::abort();
    PayoffCalculation calc(*doc);
    calc.Start();
    StringField term("0"), amount(FormatAmount(FinalTotal(*doc) / 50.0, false, false, false)),
        start(FormatDate(doc->m_computeDate));
    calc.SetMode(PayoffMode::FixedAmount);
    calc.Calculate(term, amount, start);
    payments = calc.Plan().size();
    if (payments < 50) std::abort();
  }
  st.counters["payments"] = static_cast<double>(payments);
}
BENCHMARK(BM_PayoffFixedAmount)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarvic
