#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zarvic {

// Replaces the file at path with bytes so that a failure at any point leaves the previous file as it
// was: the bytes go to a new file in the same folder, are flushed to disk, and the new file is renamed
// over path. A symbolic link at path is followed (its target is replaced). A new file gets the usual
// permissions (0666 less the umask), a replaced one keeps its own. An existing file that is not
// writable is refused. On failure returns false and sets error (an errno value) when given.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, int* error = nullptr);

// The temporary files ".NAME.PID-N.tmp" that these writers leave in folder when their process ends
// before the rename (killed, crashed, the power gone) hold what was being saved, taxpayer data
// included. Removes each one whose process is gone; those of a process still running (this one
// included) and those of another user stay. Writers call it for their folder before they write;
// returns how many were removed.
int RemoveStaleTemporaryFiles(const std::string& folder);

// Many files written the same way with one sync for all of them (a run that writes a result file per
// problem): Add checks the path and writes the bytes to a new file beside it; Commit flushes the file
// system once, then renames every new file over its path, so that each file is either the old one or
// the whole new one at any moment. Files not committed are removed with the batch.
class AtomicFileBatch {
 public:
  AtomicFileBatch();
  ~AtomicFileBatch();
  AtomicFileBatch(const AtomicFileBatch&) = delete;
  AtomicFileBatch& operator=(const AtomicFileBatch&) = delete;

  // False (error set) when path cannot be written; nothing is then pending for it.
  bool Add(const std::string& path, std::string_view bytes, int* error = nullptr);
  // False when any file could not be put in place; failures then holds each path and its errno value.
  bool Commit(std::vector<std::pair<std::string, int>>* failures = nullptr);

 private:
  struct Pending;
  std::vector<Pending> pending_;
  std::vector<std::string> cleaned_;  // folders whose stale temporary files are gone already
};

}  // namespace zarvic
