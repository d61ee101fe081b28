#pragma once

#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <vector>

namespace zarvic {

// Names in a folder looked up without regard to the extension's case ("rates.tb3" for "RATES.TB3"),
// and the files a run reads again and again. A run over thousands of problems must not list a folder
// or read a rate table once per problem: inside a FileLookupScope each folder is listed at most once,
// its index kept and brought up to date by the files the program itself writes and removes meanwhile,
// and what else the run keeps (the rate tables it read) stays until the scope ends. Outside a scope
// every look-up lists the folder afresh. One thread uses these at a time (the user-interface thread,
// or the one of an unattended run).

struct FolderEntry {
  std::string name;
  bool regular = false;  // a regular file, or a link to one
};

// The entries of folder ("" is the current folder) in name order; none when it cannot be listed.
std::vector<FolderEntry> FolderEntries(const std::string& folder);

// The regular file named as path with its extension in another case: path's folder joined with that
// name (the first in name order when there are several), or "" when there is none. The name with the
// extension exactly as given counts too when it is there.
std::string FindExtensionNoCase(const std::string& path);

// Tell the index that the program has put a file at path, or removed the one there.
void NoteFileWritten(const std::string& path);
void NoteFileRemoved(const std::string& path);

class FileLookupScope {
 public:
  FileLookupScope();  // within another scope it is part of that one
  ~FileLookupScope();
  FileLookupScope(const FileLookupScope&) = delete;
  FileLookupScope& operator=(const FileLookupScope&) = delete;

  // What the run keeps of kind T, made on first use and dropped with the outermost scope; nullptr
  // outside any scope.
  template <class T>
  static T* Kept() {
    std::shared_ptr<void>* slot = KeptSlot(std::type_index(typeid(T)));
    if (slot == nullptr) return nullptr;
    if (!*slot) *slot = std::make_shared<T>();
    return static_cast<T*>(slot->get());
  }

 private:
  static std::shared_ptr<void>* KeptSlot(std::type_index kind);
};

// The look-ups that cost a run the most: listing a folder, and reading a file the run keeps (a rate
// table). Every one of them is told to the installed observer; tests count them. Returns the observer
// it replaces.
enum class FileLookup { FolderListed, FileRead };
using FileLookupObserver = std::function<void(FileLookup what, const std::string& path)>;
FileLookupObserver SetFileLookupObserver(FileLookupObserver observer);
void NoteFileLookup(FileLookup what, const std::string& path);

}  // namespace zarvic
