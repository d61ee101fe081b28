#include "shell/StartUp.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/Paths.h"

namespace zarvic {

ApplicationModes& Modes() {
  static ApplicationModes modes;
  return modes;
}

bool DisplayAvailable(const std::function<const char*(const char*)>& getenv) {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

bool DisplayAvailable() {
  return DisplayAvailable([](const char* name) { return std::getenv(name); });
}

std::string RememberedProblemFolder(const std::string& recentFile1, const std::string& documentsFolder) {
  if (!recentFile1.empty()) return FolderOf(recentFile1);
  std::error_code ec;
  if (documentsFolder.empty()) {
    std::filesystem::path current = std::filesystem::current_path(ec);
    return ec ? std::string() : current.string();
  }
  // DocumentsFolder passes over folders that are gone; a home folder that is gone leaves no folder.
  if (!std::filesystem::is_directory(documentsFolder, ec)) return {};
  const std::string folder = JoinPath(documentsFolder, "Zarvic");
  std::filesystem::create_directory(folder, ec);
  return std::filesystem::is_directory(folder, ec) ? folder : documentsFolder;
}

void RemoveLeftoverTemporaryFiles(const std::vector<std::string>& recentFiles,
                                  const std::string& problemFolder) {
  std::vector<std::string> folders;
  for (const std::string& file : recentFiles) folders.push_back(FolderOf(file));
  folders.push_back(problemFolder);
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  for (const std::string& folder : folders) {
    if (!folder.empty()) RemoveStaleTemporaryFiles(folder);
  }
}

}  // namespace zarvic
