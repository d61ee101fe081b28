#include "ratetables/TableNotes.h"

#include "core/AppOptions.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "ratetables/TableSelection.h"

namespace zarvic {

bool TableNotesEditable() {
  return Options().atKbn;
}

std::string NotesButtonCaption() {
  return TableNotesEditable() ? "&Edit Notes" : "&View Notes";
}

bool NotesButtonShown(const RateTable& table) {
  return TableNotesEditable() || !table.notes.empty();
}

bool TableNotesShowable(const RateTable& table) {
  return NotesButtonShown(table);
}

bool TableNotesPromptHidden(const std::string& tableName) {
  return GetProfileInt(kSectionTableNotes, tableName, 0) != 0;
}

void HideTableNotesPrompt(const std::string& tableName) {
  WriteProfileInt(kSectionTableNotes, tableName, 1);
}

bool OffersTableNotes(const RateTable& table) {
  return !table.notes.empty() && !TableNotesPromptHidden(table.name);
}

bool SelectProblemTable(CTDoc& doc) {
  ProblemMessageScope scope(doc);
  if (!SelectTableForProblem(doc.m_rateTable)) return false;
  doc.SetModified();
  CurrentUi().RefreshViews(&doc);
  return true;
}

void TakeSavedTable(CTDoc& doc, const RateTable& saved) {
  doc.m_rateTable = saved;
  doc.SetModified();
  CurrentUi().RefreshViews(&doc);
}

}  // namespace zarvic
