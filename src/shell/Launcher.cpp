#include "shell/Launcher.h"

#include <utility>

namespace zarvic {
namespace {

FileLauncher& Installed() {
  static FileLauncher launcher;
  return launcher;
}

}  // namespace

bool LaunchFile(const std::string& path) {
  // A copy, so a launcher that replaces itself while it runs is not destroyed under its own feet.
  FileLauncher launcher = Installed();
  return launcher ? launcher(path) : false;
}

FileLauncher SetFileLauncher(FileLauncher launcher) { return std::exchange(Installed(), std::move(launcher)); }

}  // namespace zarvic
