#pragma once

// Small helpers for tests that work with files: a temporary folder removed afterwards, whole-file
// reads and writes, and a little-endian byte builder for files made byte by byte.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace zarvic::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zarvic-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  // Names of the entries, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_;
};

// Changes the current folder for a scope.
class ScopedCurrentFolder {
 public:
  explicit ScopedCurrentFolder(const std::string& folder) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~ScopedCurrentFolder() { std::filesystem::current_path(previous_); }
  ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
  ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Builds binary files field by field, little-endian.
class Bytes {
 public:
  Bytes& U8(std::uint8_t v) {
    data_ += static_cast<char>(v);
    return *this;
  }
  Bytes& U16(std::uint16_t v) {
    return U8(static_cast<std::uint8_t>(v & 0xFF)).U8(static_cast<std::uint8_t>(v >> 8));
  }
  Bytes& F64(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i) U8(static_cast<std::uint8_t>(bits >> (8 * i)));
    return *this;
  }
  Bytes& Text(const std::string& s) {
    data_ += s;
    return *this;
  }
  Bytes& Zeros(size_t n) {
    data_.append(n, '\0');
    return *this;
  }
  // Text in a field of width bytes, padded with zeros.
  Bytes& Field(const std::string& s, size_t width) {
    data_ += s.substr(0, width);
    if (s.size() < width) Zeros(width - s.size());
    return *this;
  }
  const std::string& str() const { return data_; }
  size_t size() const { return data_.size(); }

 private:
  std::string data_;
};

}  // namespace zarvic::testing
