// "-TS" over a folder of 1000 typical problems (a tax, two payments, a compute date): the figure to
// watch is items_per_second, problems computed and their result files written (goal: 1000 or more).
// The folder lies in the build folder, on the disk the results would go to, not in a RAM disk.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "core/AtomicFile.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "problem/ProblemFile.h"
#include "ratetables/TableFile.h"
#include "shell/TestRunner.h"

namespace zarvic {
namespace {

constexpr int kProblems = 1000;

std::string MakeFolder() {
  std::string pattern = std::string(ZARVIC_BINARY_DIR) + "/bench-ts-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  auto doc = std::make_unique<CTDoc>();
  if (!LoadTable(doc->m_rateTable, std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3", false)) return {};
  for (int i = 0; i < kProblems; ++i) {
    doc->ResetProblem();
    LoadTable(doc->m_rateTable, std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3", false);
    const DayNumber due = MakeDate(4, 15, 2015 + i % 8);
    const Amount tax = 100000.0 + 137.0 * i;
    CEvent* e = doc->m_events.data();
    e[0].m_type = kEventTax, e[0].m_date = due, e[0].m_amount = e[0].m_gattAmount = tax;
    e[1].m_type = kEventPayment, e[1].m_date = AddDays(due, 200), e[1].m_amount = e[1].m_gattAmount = tax / 3;
    e[2].m_type = kEventPayment, e[2].m_date = AddDays(due, 500), e[2].m_amount = e[2].m_gattAmount = tax / 4;
    doc->m_header.m_computeDate = AddDays(due, 900);
    doc->m_computeDate = doc->m_header.m_computeDate;
    WriteFileAtomically(pattern + "/P" + std::to_string(i) + ".ZR3", WriteProblem(*doc));
  }
  return pattern;
}

void BM_TestFolder(benchmark::State& state) {
  const std::string folder = MakeFolder();
  if (folder.empty()) {
    state.SkipWithError("cannot set up the folder (is FEDERAL.TB3 built?)");
    return;
  }
  RecordingUserInterface ui;
  ScopedUserInterface quiet(ui);
  auto problem = std::make_unique<CTDoc>();
  std::ostringstream err;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RunTestFolder(*problem, folder, err));
  }
  state.SetItemsProcessed(state.iterations() * kProblems);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}
BENCHMARK(BM_TestFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zarvic
