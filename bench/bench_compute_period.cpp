// ComputePeriod per computation mode. The compute driver calls it once per period and list, and the
// payment allocation reruns the driver for every payment, so this is the innermost step of a run.
#include <benchmark/benchmark.h>

#include "core/Dates.h"
#include "engine/ComputePeriod.h"
#include "ratetables/RateTable.h"

namespace zarvic {
namespace {

void BM_ComputePeriod(benchmark::State& st) {
  const int mode = static_cast<int>(st.range(0));
  const bool gatt = st.range(1) != 0;
  ComputeState state;
  state.m_gattApplies = gatt;
  state.m_gatt = gatt ? -250000.0 : 0.0;
  const DayNumber start = MakeDate(1, 15, 99);
  const DayNumber end = MakeDate(11, 20, 99);
  const double principal = gatt ? -1000000.0 : 1000000.0;
  ComputeResults node;
  for (auto _ : st) {
    ComputePeriod(state, principal, start, end, mode, 365.0, 8.0, 9.0, node);
    benchmark::DoNotOptimize(node);
  }
}

void Modes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"mode", "gatt"});
  for (int mode : {kModeOldIrs, kModeSimple, kModeDaily, kModeMonthly, kModeFactorSum, kModeMonthlyWhole,
                   kModePQuarterly}) {
    b->Args({mode, 0});
    b->Args({mode, 1});
  }
}
BENCHMARK(BM_ComputePeriod)->Apply(Modes);

}  // namespace
}  // namespace zarvic
