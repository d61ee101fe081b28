#include "reports/ReportFileNames.h"

#include <filesystem>
#include <system_error>

#include "core/FileExtension.h"
#include "core/Paths.h"

namespace zarvic {
namespace {

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_directory(path, ec);
}

}  // namespace

std::string SuggestedReportFile(const std::string& problemPath, std::string_view reportName,
                                std::string_view extension, const std::string& lastFolder,
                                const std::string& fallbackFolder) {
  std::string stem = FileNameOf(problemPath);
  stem.resize(stem.size() - ExtensionOf(stem).size());
  if (stem.empty()) stem = "Untitled";
  std::string name = stem + " - " + std::string(reportName) + std::string(extension);
  for (char& c : name) {
    if (c == '/') c = '-';
  }
  std::string folder = lastFolder;
  if (!IsFolder(folder)) folder = FolderOf(problemPath);
  if (!IsFolder(folder)) folder = fallbackFolder;
  return JoinPath(folder, name);
}

}  // namespace zarvic
