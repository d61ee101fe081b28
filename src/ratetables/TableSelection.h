#pragma once

#include <string>

#include "ratetables/RateTable.h"

namespace zarvic {

// The folder where the table dialogs start and tables are saved: the "TableDirectory" setting, or
// the user's table folder (UserTableFolder) when it is empty or names the program's folder. Read once
// per run and kept; SetTableFolder stores a new choice.
std::string TableFolder();
void SetTableFolder(const std::string& folder);

// Save dialog (starting in the table folder with the proposal, ".TB3" as its extension), then
// SaveTable. On OK the table's name and the table folder follow the chosen file; returns whether a
// file was chosen (a failed save has shown its message); written, when given, tells whether the file
// was written, and savedPath, when given, the file written.
bool SaveTableAs(RateTable& table, const std::string& proposedPath, bool* written = nullptr,
                 std::string* savedPath = nullptr);

// Open dialog ("FEDERAL.TB3" proposed in the table folder), then LoadTable with errors reported. A
// table that fails to load leaves table cleared. Returns whether a file was chosen; Cancel leaves
// table unchanged.
bool SelectTable(RateTable& table);

// The table choice for a problem, which keeps only the table's name: the same open dialog, and then a
// table that the name would not find again (a file outside the table folder, other than a shipped
// table beside the program that no table of its name comes before, or with an extension other than
// ".TB3" and ".TB2") is copied into the table folder as NAME.TB3 when the person agrees
// (21210). A different table of that name there (21211), a failed copy (21212), a name longer than a
// problem file holds (21213) or No leave table unchanged and return false. A chosen table that fails
// to load leaves table cleared, as SelectTable does. True when table was replaced or cleared.
bool SelectTableForProblem(RateTable& table);

// The table a problem names: a plain file name (IsPlainTableName), looked for in the table folder,
// then in the user's table folder, then where LoadTable looks for a bare name (the current folder, the
// program's folder), so that a user's copy wins over the shipped table of that name. False, with
// nothing shown, when there is none.
bool LoadTableByName(RateTable& table, const std::string& name);

// Makes folder when it is the user's table folder and missing, so that a first save can go there;
// other folders are the user's own choice and are left as they are.
void MakeUserTableFolder(const std::string& folder);

}  // namespace zarvic
