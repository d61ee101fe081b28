// Loading the shipped table happens for every new problem and every problem file opened; sorting a
// full table is the editor's heaviest step.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "ratetables/TableFile.h"
#include "ratetables/TableOperations.h"

namespace {

void BM_LoadFederalTable(benchmark::State& state) {
  const std::string path = std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3";
  auto table = std::make_unique<zarvic::RateTable>();
  for (auto _ : state) {
    bool ok = zarvic::LoadTable(*table, path, false);
    benchmark::DoNotOptimize(ok);
  }
}
BENCHMARK(BM_LoadFederalTable);

void BM_SortFullReversedTable(benchmark::State& state) {
  auto reversed = std::make_unique<zarvic::RateTable>();
  for (int i = 0; i < zarvic::kMaxRateLines; ++i) {
    reversed->lines[i] = {static_cast<zarvic::DayNumber>(20000 - i), 2, 8, 9.6, 8, 365};
  }
  auto table = std::make_unique<zarvic::RateTable>();
  for (auto _ : state) {
    *table = *reversed;
    zarvic::SortLines(*table);
    benchmark::DoNotOptimize(table->lines[0].start);
  }
}
BENCHMARK(BM_SortFullReversedTable);

void BM_LineIndexForLastLine(benchmark::State& state) {
  auto table = std::make_unique<zarvic::RateTable>();
  zarvic::LoadTable(*table, std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3", false);
  zarvic::DayNumber date = zarvic::EndOfTable(*table);
  for (auto _ : state) benchmark::DoNotOptimize(zarvic::LineIndexFor(*table, date));
}
BENCHMARK(BM_LineIndexForLastLine);

}  // namespace
