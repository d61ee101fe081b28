#include "core/FileExtension.h"

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

}  // namespace zarvic
