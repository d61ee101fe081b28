// The one-time move of the legacy INI file into the settings store, on any INI text: never a crash or
// an overrun, and afterwards the file says the move was made.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "FuzzSupport.h"
#include "core/Settings.h"

using namespace zarvic;

namespace {

std::string IniPath() {
  return fuzz::ScratchFolder() + "/WZRV.INI";
}
std::string StorePath() {
  return fuzz::ScratchFolder() + "/registry.sqlite3";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::InstallQuietUserInterface();
  ::setenv("ZARVIC_LEGACY_INI", IniPath().c_str(), 1);
  ::setenv("ZARVIC_REGISTRY", StorePath().c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static int runs = 0;
  // A fresh store now and then, so that it does not grow without end.
  if (++runs % 256 == 0) {
    CloseSettingsStore();
    std::error_code ec;
    std::filesystem::remove(StorePath(), ec);
  }
  fuzz::WriteBytes(IniPath(), data, size);
  MoveIniToRegistry();
  MoveIniToRegistry();  // the second time finds the file marked and does nothing
  return 0;
}
