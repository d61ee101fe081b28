#pragma once

#include <string>
#include <vector>

namespace zarvic {

// The recent-file list of the File menus, kept in the settings under "Recent File List" as "File1"
// (the newest) to "FileN", N being "Number of MRU files".
class RecentFileList {
 public:
  explicit RecentFileList(int size) : size_(size < 0 ? 0 : size) {}

  // Reads "File1" ... "FileN"; empty values and repeats are left out.
  void Load();
  // Writes every slot, "" where the list is shorter, so that no stale name survives a shorter list.
  void Save() const;

  // Puts path first (moving it when it is listed) and drops what falls off the end.
  void Add(const std::string& path);
  void Remove(const std::string& path);

  const std::vector<std::string>& Files() const { return files_; }
  int Size() const { return size_; }

 private:
  int size_;
  std::vector<std::string> files_;
};

// The menu caption of entry index (0 = the newest): "&1 " to "&9 ", "1&0 " and so on, then the path
// shortened to at most maxLength characters by leaving out folders in the middle ("/home/.../A.ZR3"),
// with "&" doubled so that it shows.
std::string RecentFileCaption(int index, const std::string& path, std::size_t maxLength = 40);

}  // namespace zarvic
