#pragma once

#include <string>

namespace zarvic {

// Prefixes a bare file name with the TEMP folder (TEMP, else TMPDIR, else /tmp); a TEMP of 800
// characters or more is not used.
std::string TempPath(const std::string& name);

// Folder of the running executable (shipped data lies beside it), without a trailing "/".
std::string ProgramFolder();
void SetProgramFolder(const std::string& folder);  // tests and tools that run from elsewhere

std::string HomeFolder();
std::string ConfigFolder();     // XDG_CONFIG_HOME, else ~/.config
std::string DataFolder();       // XDG_DATA_HOME, else ~/.local/share ("AppData")
// The program's own folder in the data folder: DataFolder()/Orlendt Software/Zarvic (not made here).
std::string ProgramDataFolder();
// The rate tables a user makes or edits: ProgramDataFolder()/Tables (made when a table is first
// written there). The shipped tables beside the program stay read-only.
std::string UserTableFolder();
// The desktop's documents folder: the one user-dirs.dirs names (as xdg-user-dir DOCUMENTS reads it),
// else the variable XDG_DOCUMENTS_DIR, else ~/Documents, else the home folder; a named folder that
// does not exist is passed over.
std::string DocumentsFolder();

// Text after the last "/" (the whole text when there is none).
std::string FileNameOf(const std::string& path);
std::string FolderOf(const std::string& path);  // without the trailing "/"; "" for a bare name
std::string JoinPath(const std::string& folder, const std::string& name);
bool FileExists(const std::string& path);

}  // namespace zarvic
