// A problem file that the reader accepts is computed and reported: every amount in the report, and the
// balance a "-TS" run would write, is a finite number, and no line of the report holds a control
// character. Never a crash, an overrun or a hang.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "core/Clock.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "problem/CTDoc.h"
#include "problem/ProblemFile.h"
#include "reports/EngineReportComputation.h"
#include "reports/ReportRun.h"
#include "shell/TestRunner.h"

using namespace zarvic;

namespace {

// A table of every computation mode and each days-per-year code, from the calendar's first day on.
RateTable FuzzTable() {
  const RateLine rows[] = {
      {MakeDate(1, 1, 54), kModeOldIrs, 6, 6, 6, 365},
      {MakeDate(1, 1, 75), kModeSimple, 9, 9, 9, 365},
      {MakeDate(2, 1, 82), kModeFactorSum, 1.05, 1.06, 1.04, 365},
      {MakeDate(1, 1, 83), kModeDaily, 16, 19.2, 16, 365},
      {MakeDate(1, 1, 88), kModeMonthly, 11, 13.2, 10, 366},
      {MakeDate(1, 1, 92), kModeMonthlyWhole, 9, 10.8, 8, 365},
      {MakeDate(1, 1, 2000), kModeDaily, 8, 9.6, 7, 100},
      {MakeDate(1, 1, 2010), kModePQuarterly, 4, 4, 3, 365},
      {MakeDate(1, 1, 2012), kModePMonthly, 3, 3, 2, 365},
      {MakeDate(1, 1, 2014), kModeDaily, 3, 3, 2, 365},
  };
  RateTable table;
  std::copy(std::begin(rows), std::end(rows), table.lines.begin());
  table.lineCount = static_cast<std::uint16_t>(std::size(rows));
  table.endDate = kLastCalendarDay;
  table.vendorFlag = 1;
  table.name = "FEDERAL";
  return table;
}

// Texts are no amounts: their letters become "x", so that a name "NaN" is not taken for one. Their
// other bytes, control characters included, stay.
template <std::size_t N>
void Neutralize(FixedText<N>& text) {
  for (char& c : text.Bytes()) {
    if (std::isalpha(static_cast<unsigned char>(c))) c = 'x';
  }
}

// A word of the report that is a number that is not finite, as printf writes one: nan, -nan, inf,
// <inf>, ...
bool IsNonFiniteNumber(std::string_view word) {
  while (!word.empty() && std::string_view("<>()$-+*").find(word.front()) != std::string_view::npos)
    word.remove_prefix(1);
  while (!word.empty() && std::string_view("<>()$%.,").find(word.back()) != std::string_view::npos)
    word.remove_suffix(1);
  std::string lower;
  for (char c : word) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == "nan" || lower == "inf" || lower == "infinity";
}

void Fail(const char* what, std::string_view line) {
  std::fprintf(stderr, "%s: %.*s\n", what, static_cast<int>(line.size()), line.data());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::InstallQuietUserInterface();
  // Tables come from memory: names in a file must not reach the file system.
  SetTableLoader([](RateTable& table, const std::string& name) {
    if (name != "FEDERAL" && name != "FEDERAL.TB3") return false;
    table = FuzzTable();
    return true;
  });
  SetReportHeadingsSource([] { return ReportHeadings{}; });
  SetClock([] { return ClockTime{{2024, 6, 28}, 12, 0, 0}; });
  // The report templates of the source tree; the report file goes to the scratch folder.
  SetProgramFolder(ZARVIC_TEMPLATE_DIR);
  ::setenv("TEMP", fuzz::ScratchFolder().c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto problem = std::make_unique<CTDoc>();
  if (!ReadProblem(*problem, std::span<const std::uint8_t>(data, size), false)) return 0;
  ProblemHeader& h = problem->m_header;
  Neutralize(h.m_taxpayerName);
  Neutralize(h.m_taxpayerId);
  for (auto& heading : h.m_headings) Neutralize(heading);
  Neutralize(h.m_footer);
  for (CEvent& event : problem->ListedEvents()) {
    if (event.m_description) Neutralize(*event.m_description);
  }
  if (!IsDate(problem->m_computeDate)) problem->m_computeDate = Today();

  EngineReportComputation computation;
  ReportRun run(*problem, computation);
  run.Options() = ReportOptions(DefaultReportSettings(), problem->m_computeDate);
  ReportOptions& options = run.Options();
  options.ClearReportSwitches();
  options.interestAndPenaltyDetail = true;
  options.interestDetailWithFactors = true;
  options.mainScreenEvents = true;
  options.paymentAllocationDetail = true;
  options.penaltyComputationDetail = true;
  options.monthlyAccrual = true;
  options.includeHeader = true;
  options.includeFooter = true;
  FixedPageLength page;
  if (run.PrepareReports(page, false) == 0) return 0;

  if (!std::isfinite(BalanceDue(*problem))) Fail("balance due is not finite", "");
  ReportTextFormat format;
  format.lineEnd = "\n";
  const std::string text = ReportText(run, format);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + start, end - start);
    for (std::size_t i = 0; i < line.size(); ++i) {
      const auto byte = static_cast<unsigned char>(line[i]);
      // C0 controls and DEL, and the C1 controls U+0080-U+009F in their UTF-8 form.
      const bool c1 = byte == 0xC2 && i + 1 < line.size() && static_cast<unsigned char>(line[i + 1]) < 0xA0;
      if (byte < 0x20 || byte == 0x7F || c1) Fail("control character in the report", line);
    }
    std::size_t at = 0;
    while (at < line.size()) {
      std::size_t next = line.find(' ', at);
      if (next == std::string_view::npos) next = line.size();
      if (IsNonFiniteNumber(line.substr(at, next - at))) Fail("an amount that is not finite", line);
      at = next + 1;
    }
    start = end + 1;
  }
  return 0;
}
