#include "shell/RecentFiles.h"

#include <algorithm>

#include "core/Paths.h"
#include "core/Settings.h"
#include "core/Text.h"

namespace zarvic {
namespace {

std::string SlotName(int slot) { return StringPrintf("File%d", slot + 1); }

}  // namespace

void RecentFileList::Load() {
  files_.clear();
  for (int slot = 0; slot < size_; ++slot) {
    std::string path = GetProfileString(kSectionRecentFiles, SlotName(slot), "");
    if (!path.empty() && std::find(files_.begin(), files_.end(), path) == files_.end()) files_.push_back(path);
  }
}

void RecentFileList::Save() const {
  for (int slot = 0; slot < size_; ++slot) {
    const auto index = static_cast<std::size_t>(slot);
    WriteProfileString(kSectionRecentFiles, SlotName(slot), index < files_.size() ? files_[index] : "");
  }
}

void RecentFileList::Add(const std::string& path) {
  if (path.empty() || size_ == 0) return;
  Remove(path);
  files_.insert(files_.begin(), path);
  if (files_.size() > static_cast<std::size_t>(size_)) files_.resize(static_cast<std::size_t>(size_));
}

void RecentFileList::Remove(const std::string& path) { std::erase(files_, path); }

std::string RecentFileCaption(int index, const std::string& path, std::size_t maxLength) {
  std::string shown = path;
  if (shown.size() > maxLength) {
    // Keep the first folder and the file name; the folders between them give way first.
    const std::string name = FileNameOf(path);
    std::size_t firstEnd = path.find('/', 1);
    std::string head = firstEnd == std::string::npos ? std::string() : path.substr(0, firstEnd);
    shown = head + "/.../" + name;
    if (shown.size() > maxLength || head.empty()) shown = ".../" + name;
  }
  std::string escaped;
  for (char c : shown) {
    escaped += c;
    if (c == '&') escaped += '&';
  }
  std::string number = std::to_string(index + 1);
  number.insert(number.size() - 1, "&");  // the last digit is the mnemonic: "&1", "1&0"
  return number + " " + escaped;
}

}  // namespace zarvic
