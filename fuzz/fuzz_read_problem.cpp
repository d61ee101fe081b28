// ReadProblem on any bytes: never a crash, an overrun or a hang; and a problem that was read writes a
// file that reads back to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "FuzzSupport.h"
#include "problem/CTDoc.h"
#include "problem/ProblemFile.h"

using namespace zarvic;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::InstallQuietUserInterface();
  // Tables come from memory: names in a file must not reach the file system.
  SetTableLoader([](RateTable& table, const std::string& name) {
    if (name != "FEDERAL" && name != "FEDERAL.TB3") return false;
    table = RateTable{};
    table.lines[0].start = 9000;
    table.lines[0].daysPerYear = 365;
    table.name = "FEDERAL";
    return true;
  });
  SetReportHeadingsSource([] { return ReportHeadings{}; });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto problem = std::make_unique<CTDoc>();
  if (!ReadProblem(*problem, std::span<const std::uint8_t>(data, size), true)) {
    if (problem->EventCount() != 0 || !problem->m_header.m_taxpayerName.Empty()) std::abort();
    return 0;
  }
  const std::string written = WriteProblem(*problem);
  auto again = std::make_unique<CTDoc>();
  std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(written.data()), written.size());
  if (!ReadProblem(*again, bytes, true)) std::abort();
  const std::string rewritten = WriteProblem(*again);
  if (rewritten != written) {
    std::size_t at = 0;
    while (at < written.size() && at < rewritten.size() && written[at] == rewritten[at]) ++at;
    std::fprintf(stderr, "written again differs at byte %zu of %zu (then %zu)\n", at, written.size(),
                 rewritten.size());
    std::abort();
  }
  return 0;
}
