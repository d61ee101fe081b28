#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/RegistryStore.h"

namespace zarvic::regutil {

// The key every program's settings live under; the store's programs are its subkeys.
inline constexpr const char* kBaseKey = "Software\\Orlendt Software Applications";

// A key below the base key: no parts for the base key, then the program and the section.
using RegKey = std::vector<std::string>;
// "Software\Orlendt Software Applications\Zarvic\Options", as the messages name a key.
std::string KeyPath(const RegKey& key);

// The settings store seen as the root of the keys. It is opened when first needed and only when its
// file exists, so that looking at the settings never creates them.
class RegistryRoot {
 public:
  explicit RegistryRoot(std::string path) : path_(std::move(path)) {}
  // The open store; nullptr with error set when there is none.
  RegistryStore* Store(std::string& error);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  RegistryStore store_;
};

// The value types the listing can show as they are; the others are shown as characters with a warning.
bool IsShownType(std::uint32_t type);
// The text the listing and the dump show for a value's data.
std::string DisplayText(const RegistryValue& value);

struct RegEntryValue {
  std::string name;
  std::uint32_t type = kRegNone;
  std::string text;  // DisplayText

  bool operator==(const RegEntryValue&) const = default;
};

// What one key holds: its subkeys' names and its values, in the order the store lists them.
struct RegEntries {
  std::vector<std::string> subkeys;
  std::vector<RegEntryValue> values;
};

// Reads the entries of key. Failures are shown (what was read before stays in the result), and so is
// a warning for each value whose type cannot be shown.
RegEntries GetRegEntries(RegistryRoot& root, const RegKey& key);

// One program's sections, each with its values.
struct ProgramSection {
  std::string name;
  std::vector<RegEntryValue> values;
};
std::vector<ProgramSection> ReadProgram(RegistryRoot& root, const std::string& program);

// What a line of the listing shows: a section line, else the value's type code.
using LineType = std::int64_t;
inline constexpr LineType kSectionLine = -1;

struct Listing {
  std::string text;                // every line ends with CR LF
  std::vector<std::string> lines;  // the same lines without their ends
  std::vector<LineType> lineTypes;

  bool operator==(const Listing&) const = default;
};
Listing MakeListing(const std::vector<ProgramSection>& sections);

// What picking a line of the listing fills in.
enum class PickKind { Nothing, Section, Value, Other };
struct PickResult {
  PickKind kind = PickKind::Nothing;
  std::string section;                  // Section and Value
  std::string name;                     // Value (emptied by Section)
  std::string value;                    // Value (emptied by Section)
  std::optional<std::size_t> typeIndex;  // Value: the Type list's row for the line's type, if any

  bool operator==(const PickResult&) const = default;
};
PickResult PickLine(const Listing& listing, std::size_t line);

// The data a value text gives for a type. Empty data with no error: nothing is to be written (a type
// the utility cannot write). A text that cannot be written as it stands is refused with error.
inline constexpr std::size_t kValueBufferSize = 128;
struct ValueData {
  std::vector<unsigned char> bytes;
  std::string error;
};
ValueData ValueFromText(const std::string& text, std::int64_t type);

// The contents of the dump file, with CR LF line ends.
std::string DumpText(const std::vector<ProgramSection>& sections);
inline constexpr const char* kDumpFileName = "ZrvNetReg.txt";

}  // namespace zarvic::regutil
