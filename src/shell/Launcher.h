#pragma once

#include <functional>
#include <string>

namespace zarvic {

// Opens a file with the desktop's default application (the text viewer, the spreadsheet, a PDF
// manual). The windows install the desktop's opener at start-up; tests install one that records the
// path. Without one nothing is opened and the call says so.
using FileLauncher = std::function<bool(const std::string& path)>;

bool LaunchFile(const std::string& path);
// Installs launcher (an empty one removes it) and returns the previous one.
FileLauncher SetFileLauncher(FileLauncher launcher);

// What to tell the person when path could not be opened: the system's reason when the file itself
// cannot be read, else that no program of the desktop took it.
std::string LaunchFailureMessage(const std::string& path);

}  // namespace zarvic
