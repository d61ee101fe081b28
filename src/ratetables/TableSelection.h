#pragma once

#include <string>

#include "ratetables/RateTable.h"

namespace zarvic {

// The folder where the table dialogs start: the "TableDirectory" setting, or the program's folder
// when it is empty. Read once per run and kept; SetTableFolder stores a new choice.
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

}  // namespace zarvic
