// An estimated tax worksheet recomputes on every keystroke of its window: one with 200 payments, each
// paying part of an earlier underpayment, must compute in well under 1 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "ratetables/TableFile.h"
#include "worksheets/EstimatedTax.h"

namespace {

void BM_EstimatedTaxWith200Payments(benchmark::State& state) {
  auto table = std::make_unique<zarvic::RateTable>();
  if (!zarvic::LoadTable(*table, std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3", false)) {
    state.SkipWithError("FEDERAL.TB3 not found");
    return;
  }
  zarvic::EstimatedTaxWorksheet sheet;
  sheet.taxYear = 2019;
  sheet.currentYearTax = 40000000.0;  // $400,000: $90,000 per installment
  sheet.withholding = 2000000.0;
  const zarvic::DayNumber start = zarvic::MakeDate(1, 2, 2019);
  for (int i = 0; i < 200; ++i) {
    sheet.payments.push_back({zarvic::AddDays(start, i * 2), 150000.0 + i});
  }
  size_t lines = 0;
  for (auto _ : state) {
    zarvic::EstimatedTaxResult result = zarvic::ComputeEstimatedTax(sheet, *table);
    benchmark::DoNotOptimize(result.total);
    lines = 0;
    for (const zarvic::EstimatedTaxInstallment& i : result.installments) lines += i.lines.size();
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_EstimatedTaxWith200Payments)->Unit(benchmark::kMicrosecond);

}  // namespace
