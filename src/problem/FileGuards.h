#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/Processes.h"

namespace zarvic {

// What a file on disk was when a problem read or wrote it: another program that saves over it
// changes at least one of these (a save that renames a new file over it changes the inode).
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = -1;
  std::int64_t modifiedNs = 0;

  bool operator==(const FileStamp&) const = default;
};
// The stamp of the file at path; nothing when there is no such file.
std::optional<FileStamp> StampOf(const std::string& path);


// Who holds a problem file: the process id and the machine named in its lock file.
struct LockHolder {
  int pid = 0;
  std::string host;
  std::uint64_t startTime = 0;  // ProcessStartTime of pid; 0 when the lock does not say
};

// The advisory lock of a problem file while a program has it open: ".NAME.lock" beside the file,
// holding "PID HOST START". Advisory only: a program that does not look at it is not stopped, and a folder
// where no lock can be written leaves the file unlocked. A lock whose process is gone (on this
// machine) is stale and taken over.
class ProblemFileLock {
 public:
  ProblemFileLock() = default;
  ~ProblemFileLock() { Release(); }
  ProblemFileLock(const ProblemFileLock&) = delete;
  ProblemFileLock& operator=(const ProblemFileLock&) = delete;

  static std::string LockPathOf(const std::string& problemPath);
  // Another live program's hold on the file at path; nothing when it is free, stale or ours.
  static std::optional<LockHolder> HolderOf(const std::string& problemPath);

  // Takes the lock of path (releasing one held before). False when another program holds it; the
  // lock is then not taken. A lock that cannot be written is no refusal (true, nothing held).
  bool Acquire(const std::string& problemPath);
  // Removes the lock file when it is still this program's.
  void Release();
  const std::string& HeldPath() const { return held_; }

 private:
  std::string held_;  // the problem file whose lock this program wrote
};

}  // namespace zarvic
