#include "core/FileExtension.h"

#include <cctype>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/FolderIndex.h"
#include "core/Paths.h"
#include "core/Text.h"

namespace zarvic {
namespace {

// Position of the "." that starts the file name's extension, or npos.
size_t ExtensionDot(std::string_view path) {
  size_t slash = path.find_last_of('/');
  size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || dot < nameStart) return std::string_view::npos;
  return dot;
}

}  // namespace

void SetExtension(std::string& path, std::string_view extension) {
  size_t dot = ExtensionDot(path);
  if (dot != std::string::npos) path.erase(dot);
  path += extension;
}

std::string ExtensionOf(std::string_view path) {
  size_t dot = ExtensionDot(path);
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

bool HasExtensionNoCase(std::string_view path, std::string_view extension) {
  return EqualsNoCase(ExtensionOf(path), extension);
}

std::string WithExistingExtensionCase(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) return path;
  std::string existing = FindExtensionNoCase(path);
  return existing.empty() ? path : existing;
}

namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// "*.ZR3;*.ZR2" -> "*.ZR3 *.zr3 *.ZR2 *.zr2"; "*.*" -> "*".
std::string Patterns(std::string_view list) {
  std::string out;
  auto add = [&out](const std::string& p) {
    if (out.find(p) != std::string::npos) return;
    if (!out.empty()) out += ' ';
    out += p;
  };
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find_first_of("; ", start);
    if (end == std::string_view::npos) end = list.size();
    std::string_view one = list.substr(start, end - start);
    if (one == "*.*" || one == "*") {
      add("*");
    } else if (!one.empty()) {
      add(Upper(one));
      add(Lower(one));
    }
    start = end + 1;
  }
  return out;
}

}  // namespace

std::string DialogFilter(std::string_view stored) {
  std::string out;
  size_t pos = 0;
  while (pos < stored.size()) {
    size_t bar = stored.find('|', pos);
    if (bar == std::string_view::npos) break;
    std::string_view label = stored.substr(pos, bar - pos);
    size_t next = stored.find('|', bar + 1);
    if (next == std::string_view::npos) next = stored.size();
    std::string_view patterns = stored.substr(bar + 1, next - bar - 1);
    pos = next + 1;
    if (label.empty()) break;
    // The label's own "(...)" is replaced by the patterns the dialog really uses.
    if (size_t open = label.rfind('('); open != std::string_view::npos) label = label.substr(0, open);
    while (!label.empty() && label.back() == ' ') label.remove_suffix(1);
    if (!out.empty()) out += ";;";
    out += std::string(label) + " (" + Patterns(patterns) + ")";
  }
  if (out.empty() && !stored.empty()) {
    // Not in the stored form: offer it as one pattern list.
    out = "Files (" + Patterns(stored) + ")";
  }
  return out;
}

}  // namespace zarvic
