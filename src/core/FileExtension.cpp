#include "core/FileExtension.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

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
  std::string name = FileNameOf(path);
  std::string extension = ExtensionOf(name);
  if (extension.empty()) return path;
  std::string_view stem = std::string_view(name).substr(0, name.size() - extension.size());
  std::string folder = FolderOf(path);
  std::vector<std::string> found;
  for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (entry.size() == name.size() && std::string_view(entry).substr(0, stem.size()) == stem &&
        EqualsNoCase(std::string_view(entry).substr(stem.size()), extension) && it->is_regular_file(ec)) {
      found.push_back(entry);
    }
  }
  if (found.empty()) return path;
  std::sort(found.begin(), found.end());
  return JoinPath(folder, found.front());
}

}  // namespace zarvic
