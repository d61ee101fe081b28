#pragma once

#include <string>
#include <string_view>

namespace zarvic {

// The names the report window proposes for the files it writes for the person to keep.

// "<problem> - <report><extension>": the problem file's name without its extension ("Untitled" for a
// problem never saved), then the report's name, in folder: the folder last used for such files
// (lastFolder) while it still exists, else the problem file's folder, else fallbackFolder. Characters a
// file name cannot hold ("/") become "-".
std::string SuggestedReportFile(const std::string& problemPath, std::string_view reportName,
                                std::string_view extension, const std::string& lastFolder,
                                const std::string& fallbackFolder);

}  // namespace zarvic
