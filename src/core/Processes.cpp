#include "core/Processes.h"

#include <signal.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "core/Text.h"

namespace zarvic {

std::uint64_t ProcessStartTime(int pid) {
  std::ifstream in(StringPrintf("/proc/%d/stat", pid));
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // The command name in parentheses may hold blanks; the fields after it are plain. The start time
  // is the 20th of them.
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(stat.substr(close + 1));
  std::string field;
  for (int i = 0; i < 19 && fields >> field; ++i) {
  }
  std::uint64_t start = 0;
  return fields >> start ? start : 0;
}

bool ProcessAlive(int pid, std::uint64_t startTime) {
  if (pid <= 0) return false;
  if (::kill(pid, 0) != 0 && errno != EPERM) return false;
  return startTime == 0 || ProcessStartTime(pid) == startTime;
}

}  // namespace zarvic
