// LoadTable on any file: never a crash or an overrun; a table that loads saves and loads again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "ratetables/RateTable.h"
#include "ratetables/TableFile.h"

using namespace zarvic;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::InstallQuietUserInterface();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fuzz::ScratchFolder() + "/INPUT.TB3";
  static const std::string saved = fuzz::ScratchFolder() + "/SAVED.TB3";
  fuzz::WriteBytes(path, data, size);
  auto table = std::make_unique<RateTable>();
  if (!LoadTable(*table, path, true)) return 0;
  if (table->lineCount > kMaxRateLines) std::abort();
  if (!SaveTable(*table, saved)) std::abort();
  auto again = std::make_unique<RateTable>();
  if (!LoadTable(*again, saved, true)) std::abort();
  for (int i = 0; i < kMaxRateLines && table->lines[i].IsUsed(); ++i) {
    const RateLine& a = table->lines[i];
    const RateLine& b = again->lines[i];
    // Compared bit for bit: a NaN rate must survive as it was.
    if (a.start != b.start || a.mode != b.mode || a.daysPerYear != b.daysPerYear ||
        std::memcmp(&a.normalRate, &b.normalRate, sizeof(double)) != 0 ||
        std::memcmp(&a.motivatedRate, &b.motivatedRate, sizeof(double)) != 0 ||
        std::memcmp(&a.refundRate, &b.refundRate, sizeof(double)) != 0) {
      std::abort();
    }
  }
  if (again->notes != table->notes) std::abort();
  return 0;
}
