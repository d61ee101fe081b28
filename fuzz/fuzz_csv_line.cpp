// The CSV line splitter and the import on any text: never a crash or an overrun, fields within their
// count, amounts whole 32-bit cents, at most 1000 events imported.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "problem/CTDoc.h"
#include "problem/CsvFile.h"

using namespace zarvic;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::InstallQuietUserInterface();
  SetTableLoader([](RateTable&, const std::string&) { return false; });
  SetReportHeadingsSource([] { return ReportHeadings{}; });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);

  CCSVLine csv;
  std::string error = csv.Parse(text);
  if (error.empty() == csv.Error()) std::abort();
  std::size_t commas = 0;
  for (char c : text) commas += c == ',';
  if (csv.FieldCount() != (text.empty() ? 0 : static_cast<int>(commas) + 1)) std::abort();
  for (int n = -1; n <= csv.FieldCount() + 1; ++n) {
    std::string field = csv.FieldText(n);
    if (field.size() > text.size()) std::abort();
    csv.FieldDate(n);
    double cents = csv.FieldAmount(n);
    if (cents != std::trunc(cents) || cents < -2147483648.0 || cents > 2147483647.0) std::abort();
  }

  static auto problem = [] {
    auto p = std::make_unique<CTDoc>();
    p->ResetProblem();
    return p;
  }();
  for (CEvent& event : problem->m_events) event.Clear();
  std::istringstream in{std::string(text)};
  int imported = ImportCsvLines(*problem, in);
  if (imported < 0 || imported > kMaxEvents) std::abort();
  for (int i = 0; i < imported; ++i) {
    const CEvent& e = problem->m_events[i];
    if (!e.HasDate() || e.m_amount < 0 || e.DescriptionText().size() > kCsvDescriptionLength) std::abort();
  }
  return 0;
}
