#pragma once

#include <sys/wait.h>
#include <unistd.h>

namespace zarvic::testing {

// The id of a process that has ended and been reaped: what a crashed program leaves behind.
inline int EndedProcessId() {
  pid_t child = fork();
  if (child == 0) _exit(0);
  int status = 0;
  waitpid(child, &status, 0);
  return static_cast<int>(child);
}

}  // namespace zarvic::testing
