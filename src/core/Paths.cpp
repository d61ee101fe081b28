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

std::string DocumentsFolder() {
  std::string v = Env("XDG_DOCUMENTS_DIR");
  if (!v.empty()) return v;
  // xdg-user-dirs keeps the folder in user-dirs.dirs as XDG_DOCUMENTS_DIR="$HOME/...".
  std::ifstream dirs(ConfigFolder() + "/user-dirs.dirs");
  std::string line;
  while (std::getline(dirs, line)) {
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    if (!value.empty() && value.back() == '"') value.pop_back();
    if (value.rfind("$HOME", 0) == 0) value = HomeFolder() + value.substr(5);
    if (!value.empty()) return value;
  }
  return HomeFolder() + "/Documents";
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
