#include "reports/ReportFileNames.h"

#include <filesystem>
#include <system_error>

#include "core/FileExtension.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/Text.h"

namespace zarvic {
namespace {

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_directory(path, ec);
}

constexpr char kExportSection[] = "Report Settings";
constexpr char kExportFolderName[] = "Export Folder";

}  // namespace

std::string LastExportFolder() {
  return GetProfileString(kExportSection, kExportFolderName, "");
}

void RememberExportFolder(const std::string& writtenFile) {
  const std::string folder = FolderOf(writtenFile);
  if (!folder.empty() && folder != LastExportFolder())
    WriteProfileString(kExportSection, kExportFolderName, folder);
}

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

std::string ReportRunName(const ReportSettings& options) {
  const std::pair<bool ReportSettings::*, const char*> reports[] = {
      {&ReportSettings::interestAndPenaltyDetail, "Interest and Penalty Detail"},
      {&ReportSettings::paymentAllocationDetail, "Payment Allocation Detail"},
      {&ReportSettings::interestDetailWithFactors, "Interest Detail with Factors"},
      {&ReportSettings::penaltyComputationDetail, "Penalty Computation Detail"},
      {&ReportSettings::mainScreenEvents, "Main Screen Events"},
      {&ReportSettings::monthlyAccrual, "Monthly Accrual"},
      {&ReportSettings::rateTable, "Interest Rate Table"},
      {&ReportSettings::estimatedTaxPenalty, "Estimated Tax Penalty"},
      {&ReportSettings::depositPenalty, "Deposit Penalty"},
  };
  std::string name;
  for (const auto& [member, title] : reports) {
    if (!(options.*member)) continue;
    if (!name.empty()) return "Reports";
    name = title;
  }
  return name.empty() ? "Reports" : name;
}

std::string ReportDocumentTitle(const ReportSettings& options, std::string_view taxpayer) {
  const std::string name = Trim(std::string(taxpayer));
  return name.empty() ? ReportRunName(options) : ReportRunName(options) + " - " + name;
}

}  // namespace zarvic
