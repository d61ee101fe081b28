#pragma once

#include <string>
#include <string_view>

namespace zarvic {

struct ReportSettings;

// The names the report window proposes for the files it writes for the person to keep.

// "<problem> - <report><extension>": the problem file's name without its extension ("Untitled" for a
// problem never saved), then the report's name, in folder: the folder last used for such files
// (lastFolder) while it still exists, else the problem file's folder, else fallbackFolder. Characters a
// file name cannot hold ("/") become "-".
std::string SuggestedReportFile(const std::string& problemPath, std::string_view reportName,
                                std::string_view extension, const std::string& lastFolder,
                                const std::string& fallbackFolder);

// The folder the last workbook or PDF was written to (a setting, so it lasts from run to run); "" when
// none was.
std::string LastExportFolder();
void RememberExportFolder(const std::string& writtenFile);

// The name of what a report run holds, for file names and the PDF's title: the one report chosen
// ("Interest and Penalty Detail", "Interest Detail with Factors", ...), "Reports" for several.
std::string ReportRunName(const ReportSettings& options);

// The PDF's title: the run's name, then the taxpayer's name when there is one ("Interest and Penalty
// Detail - Jordan A. Whitfield").
std::string ReportDocumentTitle(const ReportSettings& options, std::string_view taxpayer);

}  // namespace zarvic
