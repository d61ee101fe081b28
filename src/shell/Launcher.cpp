#include "shell/Launcher.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
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

std::string LaunchFailureMessage(const std::string& path) {
  if (::access(path.c_str(), R_OK) != 0) return path + " could not be opened: " + std::strerror(errno) + ".";
  return "No program could be started to show " + path + ".";
}

}  // namespace zarvic
