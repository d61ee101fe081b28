// ComputeProblem (quiet) on the shipped federal table: a small problem and the largest one (1000
// events, 500 of them payments). Every payment is allocated on a run of the engine to its date, so the
// largest problem costs 501 runs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "core/UserInterface.h"
#include "engine/ComputeDriver.h"
#include "problem/CTDoc.h"
#include "ratetables/TableFile.h"

namespace zarvic {
namespace {

// count events from 1984 on, every 15 days; every other one a payment of $500, the rest taxes of
// $1,000 and now and then a debit or an IRS check. Computed to 12-31-2025.
std::unique_ptr<CTDoc> MakeProblem(int count) {
  auto doc = std::make_unique<CTDoc>();
  if (!LoadTable(doc->m_rateTable, ZARVIC_BINARY_DIR "/FEDERAL.TB3", false)) std::abort();
  const DayNumber first = MakeDate(1, 15, 84);
  const int step = count > 100 ? 15 : 300;
  for (int i = 0; i < count; ++i) {
    CEvent& event = doc->m_events[i];
    event.m_date = AddDays(first, i * step);
    if (i % 2 == 1) {
      event.m_type = kEventPayment;
      event.m_amount = 50000.0;
    } else {
      event.m_type = i % 10 == 4 ? kEventDebit : i % 10 == 8 ? kEventIrsCheck : kEventTax;
      event.m_amount = 100000.0 + i;
    }
  }
  doc->m_computeDate = MakeDate(12, 31, 2025);
  return doc;
}

void BM_ComputeProblem(benchmark::State& st) {
  RecordingUserInterface ui;
  ScopedUserInterface scoped(ui);
  std::unique_ptr<CTDoc> doc = MakeProblem(static_cast<int>(st.range(0)));
  for (auto _ : st) {
    bool ok = ComputeProblem(*doc, true);
    benchmark::DoNotOptimize(ok);
  }
  st.counters["final"] = doc->m_compute.m_finalTotal / 100;
  st.counters["nodes"] = static_cast<double>(doc->m_normalList.Size());
}
BENCHMARK(BM_ComputeProblem)->ArgName("events")->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarvic
