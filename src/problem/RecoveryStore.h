#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "problem/FileGuards.h"

namespace zarvic {

class CTDoc;

// A recovery copy of a problem with unsaved changes, as the recovery folder keeps it: the problem
// file image "ID.ZR3" and beside it "ID.info", which says what the copy is of.
struct RecoveryCopy {
  std::string id;            // "PID-N": the process that wrote it and its own number
  std::string originalPath;  // the file the problem was read from or saved to; "" for a new problem
  std::string title;         // the window title ("Untitled - 3", "CASE.ZR3")
  std::string taxpayer;
  std::string copiedAt;  // "MM-DD-YYYY HH:MM", the time of the copy
  int pid = 0;
  std::uint64_t pidStart = 0;  // the start time of that process (ProcessStartTime)
  // The original file as the problem last read or wrote it, so that a save after recovery still
  // notices another program's save.
  std::optional<FileStamp> stamp;
};

// The recovery folder: copies of the problems that have unsaved changes, written atomically while
// they are modified and removed when they are saved, closed or discarded. Only the program that wrote
// a copy removes it, unless its process is gone: then the copy is a left-over of a crash, offered at
// the next start.
class RecoveryStore {
 public:
  explicit RecoveryStore(std::string folder = DefaultFolder());

  // "Orlendt Software/Zarvic/Recovery" under the data folder ("AppData").
  static std::string DefaultFolder();
  // How often copies are written: ZARVIC_RECOVERY_INTERVAL_MS when set (tests), else a minute.
  static int IntervalMs();

  const std::string& Folder() const { return folder_; }
  // A new id for a copy of this process.
  std::string NewId();

  // Writes the copy of problem under copy.id (the image first, then the description); the folder is
  // made, readable by the user alone, when missing. False with error set (an errno value) on failure.
  bool Write(const RecoveryCopy& copy, const CTDoc& problem, int* error = nullptr);
  void Remove(const std::string& id);
  // The copies whose process is gone, oldest first.
  std::vector<RecoveryCopy> Orphans() const;
  // Reads a copy's image into problem (errors reported, as an open does); false when it cannot.
  bool Read(const RecoveryCopy& copy, CTDoc& problem) const;

 private:
  std::string PathOf(const std::string& id, const char* extension) const;

  std::string folder_;
  int next_ = 1;
};

}  // namespace zarvic
