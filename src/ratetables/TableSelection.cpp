#include "ratetables/TableSelection.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/FileExtension.h"
#include "core/Paths.h"
#include "core/Text.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableOperations.h"

namespace zarvic {

// The folder is the "TableDirectory" setting (cached by the settings), else the user's table folder.
std::string TableFolder() {
  return GetTableDirectory();
}

void SetTableFolder(const std::string& folder) {
  SetTableDirectory(folder);
}

bool SaveTableAs(RateTable& table, const std::string& proposedPath, bool* written, std::string* savedPath) {
  if (written != nullptr) *written = false;
  std::string proposal = WithShortExtension(proposedPath.empty() ? "*.*" : proposedPath, ".TB3");
  FileChoice choice;
  choice.save = true;
  choice.initialPath = FolderOf(proposal).empty() ? JoinPath(TableFolder(), proposal) : proposal;
  MakeUserTableFolder(FolderOf(choice.initialPath));
  choice.filter = std::string(StringText(20002));
  std::optional<std::string> chosen = CurrentUi().ChooseFile(choice);
  if (!chosen || chosen->empty()) return false;
  table.name = TableNameFromPath(*chosen);
  const bool ok = SaveTable(table, *chosen);
  if (written != nullptr) *written = ok;
  if (ok && savedPath != nullptr) *savedPath = *chosen;
  SetTableFolder(FolderOf(*chosen));
  return true;
}

namespace {

constexpr int kCopyIntoFolderId = 21210;
constexpr int kOtherTableOfThatNameId = 21211;
constexpr int kCopyFailedId = 21212;
constexpr int kTableNameTooLongId = 21213;


// The open dialog of the table choices; nothing on Cancel.
std::optional<std::string> ChooseTableToOpen() {
  FileChoice choice;
  choice.save = false;
  choice.title = std::string(StringText(20010));
  choice.initialPath = JoinPath(TableFolder(), "FEDERAL.TB3");
  // Until the user has a copy of their own, the shipped table beside the program is the one offered.
  const std::string shipped = JoinPath(ProgramFolder(), "FEDERAL.TB3");
  if (!FileExists(choice.initialPath) && FileExists(shipped)) choice.initialPath = shipped;
  choice.filter = std::string(StringText(20002));
  std::optional<std::string> chosen = CurrentUi().ChooseFile(choice);
  if (!chosen || chosen->empty()) return std::nullopt;
  return chosen;
}

bool SameFolder(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a.empty() ? "." : a, b.empty() ? "." : b, ec);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

// Whether a look-up by name finds a table of this name before the shipped tables beside the program.
bool FoundBeforeTheProgramFolder(const std::string& name) {
  for (const std::string& folder : {TableFolder(), UserTableFolder(), std::string(".")}) {
    for (const char* extension : {"", ".TB3", ".TB2"}) {
      if (FileExists(JoinPath(folder, name + extension))) return true;
    }
  }
  return false;
}

}  // namespace

bool SelectTable(RateTable& table) {
  std::optional<std::string> chosen = ChooseTableToOpen();
  if (!chosen) return false;
  if (LoadTable(table, *chosen, true)) {
    SetTableFolder(FolderOf(*chosen));
  } else {
    ClearTable(table);
  }
  return true;
}

bool SelectTableForProblem(RateTable& table) {
  std::optional<std::string> chosen = ChooseTableToOpen();
  if (!chosen) return false;
  const std::string name = TableNameFromPath(*chosen);
  if (name.size() > kTableNameMax) {
    MessageBoxText(FormatStringText(kTableNameTooLongId, name.c_str(), static_cast<int>(kTableNameMax)));
    return false;
  }
  auto loaded = std::make_unique<RateTable>();
  if (!LoadTable(*loaded, *chosen, true)) {
    ClearTable(table);
    return true;
  }
  const std::string folder = TableFolder();
  const bool tableExtension = HasExtensionNoCase(*chosen, ".TB3") || HasExtensionNoCase(*chosen, ".TB2");
  const bool foundByName =
      tableExtension &&
      (SameFolder(FolderOf(*chosen), folder) ||
       (SameFolder(FolderOf(*chosen), ProgramFolder()) && !FoundBeforeTheProgramFolder(name)));
  if (!foundByName) {
    if (MessageBoxText(FormatStringText(kCopyIntoFolderId, chosen->c_str(), folder.c_str()), MessageKind::YesNo) !=
        Answer::Yes) {
      return false;
    }
    MakeUserTableFolder(folder);
    const std::string target = JoinPath(folder, name + ".TB3");
    std::optional<std::string> bytes = ReadWholeFile(*chosen);
    std::optional<std::string> there = ReadWholeFile(target);
    if (there && bytes && *there != *bytes) {
      MessageBoxText(FormatStringText(kOtherTableOfThatNameId, target.c_str()));
      return false;
    }
    int error = 0;
    if (!bytes) error = errno != 0 ? errno : EIO;
    if (!there && (!bytes || !WriteFileAtomically(target, *bytes, &error))) {
      MessageBoxText(FormatStringText(kCopyFailedId, chosen->c_str(), target.c_str(), std::strerror(error)));
      return false;
    }
  }
  table = std::move(*loaded);
  table.name = name;
  return true;
}

bool LoadTableByName(RateTable& table, const std::string& name) {
  if (!IsPlainTableName(name)) return false;
  const std::string folder = TableFolder();
  if (LoadTable(table, JoinPath(folder, name), false)) return true;
  if (UserTableFolder() != folder && LoadTable(table, JoinPath(UserTableFolder(), name), false)) return true;
  return LoadTable(table, name, false);
}

void MakeUserTableFolder(const std::string& folder) {
  if (folder != UserTableFolder()) return;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);  // a failure shows when the table is written
}

}  // namespace zarvic
