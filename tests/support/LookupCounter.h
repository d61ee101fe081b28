#pragma once

// Counts the folder listings and the reads of kept files (rate tables) by path while it is installed;
// then runs whileRead, when set, after each read.

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "core/FolderIndex.h"

namespace zarvic::testing {

class LookupCounter {
 public:
  LookupCounter()
      : previous_(SetFileLookupObserver([this](FileLookup what, const std::string& path) {
          if (what == FileLookup::FolderListed) {
            ++listed[path];
            return;
          }
          ++read[path];
          if (whileRead) whileRead(path);
        })) {}
  ~LookupCounter() { SetFileLookupObserver(std::move(previous_)); }
  LookupCounter(const LookupCounter&) = delete;
  LookupCounter& operator=(const LookupCounter&) = delete;

  int Listings() const { return Sum(listed); }
  int Reads() const { return Sum(read); }

  std::map<std::string, int> listed, read;
  std::function<void(const std::string& path)> whileRead;

 private:
  static int Sum(const std::map<std::string, int>& counts) {
    int sum = 0;
    for (const auto& [path, n] : counts) sum += n;
    return sum;
  }
  FileLookupObserver previous_;
};

}  // namespace zarvic::testing
