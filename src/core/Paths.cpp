#include "core/Paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "core/Text.h"

namespace zarvic {
namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string& ProgramFolderOverride() {
  static std::string folder;
  return folder;
}

}  // namespace

std::string TempPath(const std::string& name) {
  std::string temp = Env("TEMP");
  if (temp.empty()) temp = Env("TMPDIR");
  if (temp.empty()) temp = "/tmp";
  if (temp.size() >= 800) return name;
  if (temp.back() != '/') temp += '/';
  return temp + name;
}

std::string ProgramFolder() {
  if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
  std::string buf(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return ".";
  buf.resize(static_cast<size_t>(n));
  std::string folder = FolderOf(buf);
  return folder.empty() ? "/" : folder;
}

void SetProgramFolder(const std::string& folder) {
  ProgramFolderOverride() = folder;
}

std::string HomeFolder() {
  std::string home = Env("HOME");
  return home.empty() ? "/tmp" : home;
}

std::string ConfigFolder() {
  std::string v = Env("XDG_CONFIG_HOME");
  return v.empty() ? HomeFolder() + "/.config" : v;
}

std::string DataFolder() {
  std::string v = Env("XDG_DATA_HOME");
  return v.empty() ? HomeFolder() + "/.local/share" : v;
}

namespace {

bool IsFolder(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The documents folder that xdg-user-dirs keeps in user-dirs.dirs, as xdg-user-dir reads it: a line
// XDG_DOCUMENTS_DIR="$HOME/..." or XDG_DOCUMENTS_DIR="/...", with backslash escapes; "" when none.
std::string UserDirsDocumentsFolder() {
  std::ifstream dirs(ConfigFolder() + "/user-dirs.dirs");
  std::string line;
  std::string found;
  const std::string key = "XDG_DOCUMENTS_DIR=\"";
  while (std::getline(dirs, line)) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
    std::string value;
    bool closed = false;
    for (std::size_t i = start + key.size(); i < line.size() && !closed; ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) {
        value += line[++i];
      } else if (line[i] == '"') {
        closed = true;
      } else {
        value += line[i];
      }
    }
    if (!closed) continue;
    if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/')) {
      value = HomeFolder() + value.substr(5);
    } else if (value.empty() || value[0] != '/') {
      continue;  // neither under $HOME nor absolute: not a folder xdg-user-dirs writes
    }
    found = value;  // the last line wins, as when the shell reads the file
  }
  while (found.size() > 1 && found.back() == '/') found.pop_back();
  return found;
}

}  // namespace

std::string ProgramDataFolder() {
  return JoinPath(JoinPath(DataFolder(), "Orlendt Software"), "Zarvic");
}

std::string UserTableFolder() {
  return JoinPath(ProgramDataFolder(), "Tables");
}

std::string DocumentsFolder() {
  for (const std::string& folder :
       {UserDirsDocumentsFolder(), Env("XDG_DOCUMENTS_DIR"), HomeFolder() + "/Documents"}) {
    if (IsFolder(folder)) return folder;
  }
  return HomeFolder();
}

std::string FileNameOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {};
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace zarvic
