// A deposit penalty worksheet is figured again on every keystroke of its window. The largest a user has
// is a year of daily payrolls (a next-day depositor filing an annual return): 365 liabilities and as
// many deposits, some late, some paid directly. Each size must figure in well under the 1 ms of a
// keystroke. The same worksheet, kept with a problem of 1,000 events, is written and read back with it.
#include <benchmark/benchmark.h>

#include <memory>
#include <span>
#include <string>

#include "problem/CTDoc.h"
#include "problem/ProblemFile.h"
#include "worksheets/DepositPenalty.h"

namespace {

using zarvic::DayNumber;

zarvic::DepositPenaltyWorksheet DailyYear(int liabilities) {
  zarvic::DepositPenaltyWorksheet w;
  w.schedule = zarvic::DepositSchedule::Dates;
  w.periodStart = zarvic::MakeDate(1, 1, 2025);
  w.periodEnd = zarvic::MakeDate(12, 31, 2025);
  for (int i = 0; i < liabilities; ++i) {
    const DayNumber day = zarvic::AddDays(w.periodStart, i * 365 / liabilities);
    w.liabilities.push_back({day, 500000.0 + i, zarvic::AddDays(day, 1)});
    // Every tenth deposit a week late, every 25th paid directly.
    const DayNumber paid = zarvic::AddDays(day, i % 10 == 0 ? 8 : 1);
    w.deposits.push_back({paid, 500000.0 + i, i % 25 == 0, zarvic::NO_DATE});
  }
  return w;
}

void BM_DepositPenaltyYear(benchmark::State& state) {
  const zarvic::DepositPenaltyWorksheet w = DailyYear(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    zarvic::DepositPenaltyResult result = zarvic::ComputeDepositPenalty(w);
    if (result.error) {
      state.SkipWithError(result.error->message.c_str());
      return;
    }
    benchmark::DoNotOptimize(result.totalPenalty);
  }
}
// A semiweekly quarter, a semiweekly year, a daily year.
BENCHMARK(BM_DepositPenaltyYear)->Arg(26)->Arg(104)->Arg(365)->Unit(benchmark::kMicrosecond);

void BM_ProblemWithWorksheetsWrittenAndRead(benchmark::State& state) {
  // The file names no table: the reading is timed, not a table search.
  zarvic::SetTableLoader([](zarvic::RateTable& table, const std::string&) {
    table = zarvic::RateTable{};
    return true;
  });
  auto doc = std::make_unique<zarvic::CTDoc>();
  for (int i = 0; i < zarvic::kMaxEvents; ++i) {
    zarvic::CEvent& e = doc->m_events[static_cast<std::size_t>(i)];
    e.m_type = i == 0 ? zarvic::kEventTax : zarvic::kEventPenalty;
    e.m_date = zarvic::AddDays(zarvic::MakeDate(1, 1, 2025), i / 3);
    e.m_amount = 100000.0 + i;
  }
  doc->m_worksheets.depositPenalty = DailyYear(365);
  zarvic::EstimatedTaxWorksheet& est = doc->m_worksheets.estimatedTax.emplace();
  est.taxYear = 2025;
  for (int i = 0; i < 200; ++i) est.payments.push_back({zarvic::AddDays(zarvic::MakeDate(1, 2, 2025), i), 100.0});
  auto read = std::make_unique<zarvic::CTDoc>();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string image = zarvic::WriteProblem(*doc);
    bytes = image.size();
    zarvic::ReadProblem(*read, {reinterpret_cast<const std::uint8_t*>(image.data()), image.size()}, false);
    benchmark::DoNotOptimize(read->m_worksheets.depositPenalty->deposits.size());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ProblemWithWorksheetsWrittenAndRead)->Unit(benchmark::kMicrosecond);

}  // namespace
