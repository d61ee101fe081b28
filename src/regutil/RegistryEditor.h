#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "regutil/RegistryListing.h"

namespace zarvic::regutil {

// The fields of the window an operation reads and a pick fills.
struct EditorFields {
  std::string section;
  std::string name;
  std::string value;
  std::optional<std::size_t> typeIndex;  // the Type list's row; none until one is chosen
};

// The registry utility's window without its widgets: the program list, the listing of the selected
// program, the remembered line, the fields, and the operations on the settings store. Messages and the
// question of Delete Section go through the UserInterface. Every operation reads the store afresh, so
// what another program wrote in between is what it sees.
class RegistryEditor {
 public:
  explicit RegistryEditor(std::string storePath);

  // Reads the programs (sorted), selects the first one and lists it.
  void Start();

  const std::vector<std::string>& Programs() const { return programs_; }
  std::optional<std::size_t> SelectedProgram() const { return selected_; }
  // Selects a program (nothing: none) and lists it.
  void SelectProgram(std::optional<std::size_t> index);

  // Lists the selected program again (also on F5).
  void ShowEntries();
  const Listing& Entries() const { return listing_; }
  // Counts the listings made, so a window knows when to show the text again.
  int ListingCount() const { return listingCount_; }
  // The line that is highlighted; it keeps its number across listings.
  std::size_t RememberedLine() const { return rememberedLine_; }

  EditorFields fields;

  // Fills the fields from a line of the listing; true when the line became the remembered line.
  bool PickLine(std::size_t line);

  void Save();
  void Add();
  void Delete();
  void AddSection();
  void DeleteSection();
  // "Dump to File": asks where to write (first kDumpFileName beside the settings store), writes the
  // selected program's entries there and says where it wrote.
  void Dump();
  // Writes the selected program's entries to path, replacing it whole; false after a message.
  bool DumpToFile(const std::string& path);

 private:
  std::string Program() const;
  RegKey SectionKey() const { return {Program(), fields.section}; }
  // The open store when the section exists; otherwise shows why not and gives nullptr.
  RegistryStore* OpenSection();
  // Writes the Value text with type unless it is refused; shows failures.
  void WriteValue(RegistryStore& store, std::int64_t type, bool adding);

  RegistryRoot root_;
  std::string storePath_;
  std::vector<std::string> programs_;
  std::optional<std::size_t> selected_;
  Listing listing_;
  int listingCount_ = 0;
  std::size_t rememberedLine_ = 0;
};

}  // namespace zarvic::regutil
