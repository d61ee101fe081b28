#pragma once

// What every fuzz target needs: messages swallowed, a scratch folder of its own, files from bytes.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/UserInterface.h"

namespace zarvic::fuzz {

// Answers every question with its default, shows nothing.
class QuietUserInterface : public UserInterface {
 public:
  Answer Show(const std::string&, MessageKind kind) override {
    return kind == MessageKind::Ok || kind == MessageKind::OkCancel ? Answer::Ok : Answer::No;
  }
};

inline void InstallQuietUserInterface() {
  static QuietUserInterface ui;
  SetCurrentUi(&ui);
}

// A folder for this process, removed at exit. Never destroyed itself, so that the exit handler can
// still name it.
inline const std::string& ScratchFolder() {
  static const std::string* folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "zarvic-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    auto* made = new std::string(pattern);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(ScratchFolder(), ec);
    });
    return made;
  }();
  return *folder;
}

inline void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace zarvic::fuzz
