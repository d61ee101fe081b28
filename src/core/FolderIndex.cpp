#include "core/FolderIndex.h"

#include <filesystem>
#include <map>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "core/FileExtension.h"
#include "core/Paths.h"
#include "core/Text.h"

namespace zarvic {
namespace {

FileLookupObserver& Observer() {
  static FileLookupObserver observer;
  return observer;
}

// The names of one folder as listed, and by their upper-case form for the look-ups without case.
class FolderIndex {
 public:
  explicit FolderIndex(const std::string& folder) {
    const std::string where = folder.empty() ? "." : folder;
    NoteFileLookup(FileLookup::FolderListed, where);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(where, ec), end; !ec && it != end; it.increment(ec)) {
      std::error_code typeError;
      Add(it->path().filename().string(), it->is_regular_file(typeError));
    }
  }

  std::vector<FolderEntry> Entries() const {
    std::vector<FolderEntry> out;
    out.reserve(entries_.size());
    for (const auto& [name, regular] : entries_) out.push_back({name, regular});
    return out;
  }

  // The first regular file in name order whose name is name's with the part after stemLength in any
  // case; "" when there is none.
  std::string Find(const std::string& name, std::size_t stemLength) const {
    auto same = byUpper_.find(ToUpper(name));
    if (same == byUpper_.end()) return {};
    const std::string* first = nullptr;
    for (const std::string& candidate : same->second) {
      if (candidate.compare(0, stemLength, name, 0, stemLength) != 0) continue;
      if (!entries_.at(candidate)) continue;
      if (first == nullptr || candidate < *first) first = &candidate;
    }
    return first ? *first : std::string();
  }

  void Add(const std::string& name, bool regular) {
    if (entries_.insert_or_assign(name, regular).second) byUpper_[ToUpper(name)].push_back(name);
  }

  void Remove(const std::string& name) {
    if (entries_.erase(name) == 0) return;
    auto same = byUpper_.find(ToUpper(name));
    if (same == byUpper_.end()) return;
    std::erase(same->second, name);
    if (same->second.empty()) byUpper_.erase(same);
  }

 private:
  std::map<std::string, bool> entries_;  // name -> regular
  std::unordered_map<std::string, std::vector<std::string>> byUpper_;
};

struct RunState {
  std::unordered_map<std::string, FolderIndex> folders;
  std::unordered_map<std::type_index, std::shared_ptr<void>> kept;
};

int& ScopeDepth() {
  static int depth = 0;
  return depth;
}

std::unique_ptr<RunState>& State() {
  static std::unique_ptr<RunState> state;
  return state;
}

// One key for the spellings of a folder that name it alike ("", ".", "./"; "a/b/", "a/./b").
std::string FolderKey(const std::string& folder) {
  std::string key =
      folder.empty() ? std::string(".") : std::filesystem::path(folder).lexically_normal().string();
  while (key.size() > 1 && key.back() == '/') key.pop_back();
  return key.empty() ? std::string(".") : key;
}

// The kept index of folder, listed on first use; nullptr outside a scope.
FolderIndex* KeptIndex(const std::string& folder) {
  RunState* state = State().get();
  if (state == nullptr) return nullptr;
  std::string key = FolderKey(folder);
  auto at = state->folders.find(key);
  if (at == state->folders.end()) at = state->folders.try_emplace(std::move(key), folder).first;
  return &at->second;
}

// The kept index of folder only when it has been listed already.
FolderIndex* ListedIndex(const std::string& folder) {
  RunState* state = State().get();
  if (state == nullptr) return nullptr;
  auto at = state->folders.find(FolderKey(folder));
  return at == state->folders.end() ? nullptr : &at->second;
}

}  // namespace

std::vector<FolderEntry> FolderEntries(const std::string& folder) {
  if (FolderIndex* index = KeptIndex(folder)) return index->Entries();
  return FolderIndex(folder).Entries();
}

std::string FindExtensionNoCase(const std::string& path) {
  const std::string name = FileNameOf(path);
  const std::string extension = ExtensionOf(name);
  if (extension.empty()) return {};
  const std::size_t stemLength = name.size() - extension.size();
  const std::string folder = FolderOf(path);
  FolderIndex* kept = KeptIndex(folder);
  std::string found = kept ? kept->Find(name, stemLength) : FolderIndex(folder).Find(name, stemLength);
  return found.empty() ? found : JoinPath(folder, found);
}

void NoteFileWritten(const std::string& path) {
  if (FolderIndex* index = ListedIndex(FolderOf(path))) index->Add(FileNameOf(path), true);
}

void NoteFileRemoved(const std::string& path) {
  if (FolderIndex* index = ListedIndex(FolderOf(path))) index->Remove(FileNameOf(path));
}

FileLookupScope::FileLookupScope() {
  if (ScopeDepth()++ == 0) State() = std::make_unique<RunState>();
}

FileLookupScope::~FileLookupScope() {
  if (--ScopeDepth() == 0) State().reset();
}

std::shared_ptr<void>* FileLookupScope::KeptSlot(std::type_index kind) {
  RunState* state = State().get();
  return state == nullptr ? nullptr : &state->kept[kind];
}

FileLookupObserver SetFileLookupObserver(FileLookupObserver observer) {
  return std::exchange(Observer(), std::move(observer));
}

void NoteFileLookup(FileLookup what, const std::string& path) {
  if (Observer()) Observer()(what, path);
}

}  // namespace zarvic
