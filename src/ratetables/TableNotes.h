#pragma once

#include <string>

#include "ratetables/RateTable.h"

namespace zarvic {

class CTDoc;

// The notes of a rate table: who may edit them, when they are offered, and the per-table
// "do not show again" choice (section "Don't Auto-show Table Notes", a value named after the table).

inline constexpr char kTableHasNotesText[] =
    "There is important calculation information associated with the state you are dealing with.  Please click "
    "the \"View Notes\" button for details or the \"Close\" button to continue.";
inline constexpr char kTableNotesDontShowText[] = "Do not show this message again for this table";

// "AtKBN": the notes may be edited, and the editor's notes button always shows as "&Edit Notes".
bool TableNotesEditable();
// The editor's notes button: its caption, and whether it is shown for table.
std::string NotesButtonCaption();
bool NotesButtonShown(const RateTable& table);
// Whether the notes window opens at all: the notes may be edited or the table has some.
bool TableNotesShowable(const RateTable& table);

// Whether the person asked not to be shown this table's notes prompt again, and that request.
bool TableNotesPromptHidden(const std::string& tableName);
void HideTableNotesPrompt(const std::string& tableName);
// A table chosen for a problem offers its notes when it has some and the prompt is not hidden.
bool OffersTableNotes(const RateTable& table);

// "Select Rate Table..." on a problem: SelectTableForProblem into the problem's table. When the table
// changed the problem is marked modified and its views repaint; returns whether it changed. A table
// that fails to load leaves the problem with an empty table.
bool SelectProblemTable(CTDoc& doc);

// A table saved in the editor opened from a problem becomes that problem's table at once.
void TakeSavedTable(CTDoc& doc, const RateTable& saved);

}  // namespace zarvic
