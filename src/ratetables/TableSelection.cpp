#include "ratetables/TableSelection.h"

#include "core/Paths.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableOperations.h"

namespace zarvic {

// The folder is the "TableDirectory" setting (cached by the settings), else the program's folder.
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

bool SelectTable(RateTable& table) {
  FileChoice choice;
  choice.save = false;
  choice.title = std::string(StringText(20010));
  choice.initialPath = JoinPath(TableFolder(), "FEDERAL.TB3");
  choice.filter = std::string(StringText(20002));
  std::optional<std::string> chosen = CurrentUi().ChooseFile(choice);
  if (!chosen || chosen->empty()) return false;
  if (LoadTable(table, *chosen, true)) {
    SetTableFolder(FolderOf(*chosen));
  } else {
    ClearTable(table);
  }
  return true;
}

}  // namespace zarvic
