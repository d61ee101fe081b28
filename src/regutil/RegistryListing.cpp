#include "regutil/RegistryListing.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "core/Text.h"
#include "core/UserInterface.h"
#include "regutil/RegTypeNames.h"

namespace zarvic::regutil {
namespace {

void ShowOpenFailure(const RegKey& key, const std::string& error) {
  MessageBoxText(StringPrintf("Failed to open key \"%s\"\n%s\n", KeyPath(key).c_str(), error.c_str()));
}

int HexDigit(char c) {
  return c <= '9' ? c - '0' : c - 'A' + 10;
}

// Leading blanks, an optional sign, then digits up to the first other character; no digits give 0.
// A number beyond 32 bits is held at the nearest end of the range.
std::int32_t LeadingNumber(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  std::int64_t number = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    number = std::min(number * 10 + (text[i] - '0'), kLimit);
  }
  if (negative) return static_cast<std::int32_t>(-number);
  return static_cast<std::int32_t>(std::min(number, kLimit - 1));
}

}  // namespace

std::string KeyPath(const RegKey& key) {
  std::string path = kBaseKey;
  for (const std::string& part : key) path += "\\" + part;
  return path;
}

RegistryStore* RegistryRoot::Store(std::string& error) {
  if (store_.IsOpen()) return &store_;
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0) {
    error = errno == ENOENT ? StringPrintf("The settings store \"%s\" does not exist.", path_.c_str())
                            : StringPrintf("Cannot read the settings store \"%s\": %s.", path_.c_str(),
                                           std::strerror(errno));
    return nullptr;
  }
  StoreResult opened = store_.Open(path_);
  if (!opened.ok()) {
    error = opened.error;
    return nullptr;
  }
  return &store_;
}

bool IsShownType(std::uint32_t type) {
  return type >= kRegString && type <= kRegDword;
}

std::string DisplayText(const RegistryValue& value) {
  switch (value.type) {
    case kRegBinary: {
      std::string text;
      for (unsigned char byte : value.data) text += StringPrintf("%02X ", byte);
      return text;
    }
    case kRegDword: {
      // A number stored with fewer than 4 bytes reads as if the missing ones were 0.
      std::vector<unsigned char> four(value.data.begin(),
                                      value.data.begin() + static_cast<std::ptrdiff_t>(
                                                               std::min<std::size_t>(value.data.size(), 4)));
      four.resize(4, 0);
      return StringPrintf("%d ", *DwordFromBytes(four));
    }
    default:
      // REG_SZ and REG_EXPAND_SZ as they are; any other type read as characters the same way.
      return StringFromBytes(value.data);
  }
}

RegEntries GetRegEntries(RegistryRoot& root, const RegKey& key) {
  RegEntries entries;
  std::string error;
  RegistryStore* store = root.Store(error);
  if (!store) {
    ShowOpenFailure(key, error);
    return entries;
  }
  StoreResult read;
  if (key.empty()) {
    read = store->ListPrograms(entries.subkeys);
  } else if (key.size() == 1) {
    read = store->ListSections(key[0], entries.subkeys);
  } else {
    // Sections hold values only.
    std::vector<RegistryValue> values;
    read = store->ListValues(key[0], key[1], values);
    for (const RegistryValue& v : values) {
      entries.values.push_back({v.name, v.type, DisplayText(v)});
      if (!IsShownType(v.type)) {
        MessageBoxText(StringPrintf(
            "The value\n%s\\%s\nhas the type %s, which is listed as text up to its first NUL byte.\n"
            "Click OK to continue.",
            KeyPath(key).c_str(), v.name.c_str(), Trim(WarningTypeName(v.type)).c_str()));
      }
    }
  }
  if (read.status == StoreStatus::NotFound) {
    ShowOpenFailure(key, read.error);
  } else if (!read.ok()) {
    MessageBoxText(StringPrintf(key.size() < 2 ? "The entries of \"%s\" could not be read.\n%s\n"
                                               : "The values of \"%s\" could not be read.\n%s\n",
                                KeyPath(key).c_str(), read.error.c_str()));
  }
  return entries;
}

std::vector<ProgramSection> ReadProgram(RegistryRoot& root, const std::string& program) {
  std::vector<ProgramSection> sections;
  for (std::string& name : GetRegEntries(root, {program}).subkeys) {
    std::vector<RegEntryValue> values = GetRegEntries(root, {program, name}).values;
    sections.push_back({std::move(name), std::move(values)});
  }
  return sections;
}

Listing MakeListing(const std::vector<ProgramSection>& sections) {
  Listing listing;
  auto add = [&listing](std::string line, LineType type) {
    listing.text += line + "\r\n";
    listing.lines.push_back(std::move(line));
    listing.lineTypes.push_back(type);
  };
  for (const ProgramSection& section : sections) {
    add("[" + section.name + "]", kSectionLine);
    for (const RegEntryValue& v : section.values) add(v.name + "=" + v.text, v.type);
  }
  return listing;
}

PickResult PickLine(const Listing& listing, std::size_t line) {
  PickResult picked;
  if (line >= listing.lines.size()) return picked;
  // The whole line: a cut one would hand a shortened name or value to Save.
  std::string text = Trim(listing.lines[line]);
  auto inBrackets = [](const std::string& s) { return s.size() < 2 ? std::string() : s.substr(1, s.size() - 2); };
  if (text.empty()) return picked;
  if (text.front() == '[') {
    picked.kind = PickKind::Section;
    picked.section = inBrackets(text);
    return picked;
  }
  std::size_t equals = text.find('=');
  if (equals == std::string::npos) {
    picked.kind = PickKind::Other;
    return picked;
  }
  picked.kind = PickKind::Value;
  picked.name = text.substr(0, equals);
  picked.value = text.substr(equals + 1);
  for (std::size_t above = line; above-- > 0;) {
    std::string candidate = Trim(listing.lines[above]);
    if (!candidate.empty() && candidate.front() == '[') {
      picked.section = inBrackets(candidate);
      break;
    }
  }
  if (line < listing.lineTypes.size()) picked.typeIndex = RegTypeIndexOf(listing.lineTypes[line]);
  return picked;
}

ValueData ValueFromText(const std::string& text, std::int64_t type) {
  ValueData data;
  switch (type) {
    case kRegString:
    case kRegExpandString:
      data.bytes.assign(text.begin(), text.end());
      break;
    case kRegDword:
      data.bytes = DwordBytes(LeadingNumber(text));
      break;
    case kRegBinary: {
      std::string upper = ToUpper(text);
      if (upper.find_first_not_of("0123456789ABCDEF ") != std::string::npos) {
        data.error = StringPrintf(
            "The value \"%s\" is not binary data: write it as pairs of hexadecimal digits (0-9, A-F), "
            "separated by blanks.\nNothing was written.",
            text.c_str());
        return data;
      }
      for (std::size_t i = 0; i < upper.size();) {
        if (upper[i] == ' ') {
          ++i;
          continue;
        }
        char high = upper[i];
        char low = i + 1 < upper.size() ? upper[i + 1] : '\0';
        if (low < '0') low = '0';
        data.bytes.push_back(static_cast<unsigned char>(HexDigit(high) * 16 + HexDigit(low)));
        i += 2;
      }
      break;
    }
    default:
      break;  // nothing the utility can write
  }
  if (data.bytes.size() > kValueBufferSize) {
    data.error = StringPrintf(
        "The value text gives %zu bytes of data, more than the %zu bytes a value can take here.\n"
        "Nothing was written.",
        data.bytes.size(), kValueBufferSize);
    data.bytes.clear();
  }
  return data;
}

std::string DumpText(const std::vector<ProgramSection>& sections) {
  std::string text;
  for (const ProgramSection& section : sections) {
    text += StringPrintf("[%s]\r\n", section.name.c_str());
    for (const RegEntryValue& v : section.values) {
      text += StringPrintf("%s %s=%s\r\n", std::string(RegTypeNameOf(v.type)).c_str(), v.name.c_str(),
                           v.text.c_str());
    }
  }
  return text;
}

}  // namespace zarvic::regutil
