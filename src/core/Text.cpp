#include "core/Text.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>

namespace zarvic {
namespace {

std::string VPrintf(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), format, args);
  out.resize(static_cast<size_t>(n));
  return out;
}

}  // namespace

std::string StringPrintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string s = VPrintf(format, args);
  va_end(args);
  return s;
}

std::string StringPrintfDynamic(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string s = VPrintf(format, args);
  va_end(args);
  return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string Trim(std::string_view text) {
  size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  size_t e = text.find_last_not_of(" \t");
  return std::string(text.substr(b, e - b + 1));
}

}  // namespace zarvic
