#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "ratetables/RateTable.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace zarvic {

// "Interest Rate Table Notes": the notes in a multi-line field, read-only with only OK unless they may
// be edited.
class CRateTableNotes : public QDialog {
  Q_OBJECT
 public:
  CRateTableNotes(const RateTable& table, bool editable, QWidget* parent = nullptr);
  // The notes as the table stores them (Windows-1252, CR LF line ends).
  std::string Notes() const;
  QPlainTextEdit* NotesField() const { return notes_; }

 private:
  QPlainTextEdit* notes_;
};

// Shows the notes (when they may be edited or the table has some). Returns the new notes after OK on
// edited notes, else nothing. The grid's "Notes" button calls this with editable false.
std::optional<std::string> ShowTableNotes(QWidget* parent, const RateTable& table, bool editable);

// "Additional Information": tells that the table has notes, with "&View Notes", "&Close" and the
// check box that stops the prompt for this table.
class CTableHasNotes : public QDialog {
  Q_OBJECT
 public:
  explicit CTableHasNotes(QWidget* parent = nullptr);
  QCheckBox* DontShowAgain() const { return dontShow_; }
  bool ViewNotesChosen() const { return viewNotes_; }

 private:
  QCheckBox* dontShow_;
  bool viewNotes_ = false;
};

// The prompt for a table just chosen for a problem, unless it has no notes or the person asked not to
// see it again for this table.
void ShowTableHasNotes(QWidget* parent, const RateTable& table);

}  // namespace zarvic
