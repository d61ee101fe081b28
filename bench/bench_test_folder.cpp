// Whole unattended runs as an integrator makes them: "-TS" over folders of 500, 4,000 and 20,000 problem
// files, and "-TF" over a list of 4,000. Each run starts in the problem folder ("cd cases && wzrv -TS"),
// where the rate table the problems name is not, so every look-up of it goes through the folder; the
// table and the report templates lie in the program's folder. The figure to watch is items_per_second,
// problems computed and their results written: 1,000 or more for "-TS" at 4,000 and 20,000, and the
// time of 4,000 at most ten times that of 500 (linear is eight). The folders lie in the build folder, on
// the disk the results would go to, not in a RAM disk.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "core/Paths.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "problem/ProblemFile.h"
#include "ratetables/TableFile.h"
#include "shell/TestRunner.h"

namespace zarvic {
namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A folder of count typical problems (a tax, two payments, a compute date) named P0.ZR3, P1.ZR3, ...
// on the federal table, and the list LIST.TXT naming each of them with the report LIST-N.OUT.
class ProblemFolder {
 public:
  explicit ProblemFolder(int count) {
    std::string pattern = std::string(ZARVIC_BINARY_DIR) + "/bench-ts-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) return;
    auto doc = std::make_unique<CTDoc>();
    const std::string table = std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3";
    std::string list;
    for (int i = 0; i < count; ++i) {
      doc->ResetProblem();
      if (!LoadTable(doc->m_rateTable, table, false)) return;
      const DayNumber due = MakeDate(4, 15, 2015 + i % 8);
      const Amount tax = 100000.0 + 137.0 * i;
      CEvent* e = doc->m_events.data();
      e[0].m_type = kEventTax, e[0].m_date = due, e[0].m_amount = e[0].m_gattAmount = tax;
      e[1].m_type = kEventPayment, e[1].m_date = AddDays(due, 200),
      e[1].m_amount = e[1].m_gattAmount = tax / 3;
      e[2].m_type = kEventPayment, e[2].m_date = AddDays(due, 500),
      e[2].m_amount = e[2].m_gattAmount = tax / 4;
      doc->m_header.m_computeDate = AddDays(due, 900);
      doc->m_computeDate = doc->m_header.m_computeDate;
      const std::string name = "P" + std::to_string(i);
      WriteBytes(pattern + "/" + name + ".ZR3", WriteProblem(*doc));
      list += name + ".ZR3 LIST-" + std::to_string(i) + ".OUT\n";
    }
    WriteBytes(pattern + "/LIST.TXT", list);
    path_ = pattern;
  }
  ~ProblemFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Runs in the problem folder with the program's folder on the build folder, messages recorded.
class RunSetting {
 public:
  explicit RunSetting(const std::string& folder) : previous_(std::filesystem::current_path()), quiet_(ui_) {
    std::filesystem::current_path(folder);
    SetProgramFolder(ZARVIC_BINARY_DIR);
  }
  ~RunSetting() {
    SetProgramFolder("");
    std::filesystem::current_path(previous_);
  }

 private:
  std::filesystem::path previous_;
  RecordingUserInterface ui_;
  ScopedUserInterface quiet_;
};

// Times run over a folder of state.range(0) problems, started in the folder.
template <class Run>
void TimeRuns(benchmark::State& state, Run run) {
  const int count = static_cast<int>(state.range(0));
  ProblemFolder folder(count);
  if (folder.Path().empty()) {
    state.SkipWithError("cannot set up the folder (is FEDERAL.TB3 built?)");
    return;
  }
  RunSetting setting(folder.Path());
  for (auto _ : state) {
    if (run() != BatchOutcome::Done) state.SkipWithError("the run did not succeed");
  }
  state.SetItemsProcessed(state.iterations() * count);
}

void BM_TestFolder(benchmark::State& state) {
  auto problem = std::make_unique<CTDoc>();
  std::ostringstream err;
  TimeRuns(state, [&] { return RunTestFolder(*problem, ".", err); });
}
BENCHMARK(BM_TestFolder)
    ->Arg(500)
    ->Arg(4000)
    ->Arg(20000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_TestList(benchmark::State& state) {
  TimeRuns(state, [] { return TestList("LIST.TXT"); });
}
BENCHMARK(BM_TestList)->Arg(4000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zarvic
