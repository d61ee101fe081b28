#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zarvic {

// The copies of a report that "Open in Text Editor" hands to the desktop's editor. Each is a new file
// that nothing replaces or removes while an editor may still hold it; copies a week old are removed
// at the next start.

inline constexpr int kTextCopyDays = 7;

// ProgramDataFolder()/Text Copies (made by WriteNewTextFile when missing).
std::string TextCopyFolder();

// Writes bytes to a file of folder that did not exist before: "<stem>.txt", else "<stem> (2).txt", ...
// (the folder is made when missing). Returns its path; "" with error set (an errno value) when none
// could be written.
std::string WriteNewTextFile(const std::string& folder, const std::string& stem, std::string_view bytes,
                             int* error = nullptr);

// Removes the ".txt" files of folder last written more than kTextCopyDays days before now; anything
// else there stays. Returns how many were removed.
int RemoveOldTextCopies(const std::string& folder, std::filesystem::file_time_type now);

}  // namespace zarvic
