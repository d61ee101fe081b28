#pragma once

#include <QTableWidget>
#include <functional>

#include "worksheets/WorksheetGrid.h"

namespace zarvic {

// A worksheet grid in a table: its rows and one empty row after them for a new entry. What is typed
// into a cell goes to the grid when the cell is left; a refusal shows its message and the cell shows
// what it held again, with the cursor back in it. Flag columns are check boxes; Delete removes the
// current row. changed() follows every change to the grid.
class WorksheetGridView : public QTableWidget {
  Q_OBJECT
 public:
  WorksheetGridView(WorksheetGrid& grid, QWidget* parent = nullptr);

  // Shows the grid's rows again (after the model changed them).
  void Reload();

  // A text shown greyed in an empty cell, such as a value the worksheet figured where none was entered;
  // it is not the cell's value, and typing into the cell starts from nothing. Shown again on update().
  using Placeholder = std::function<QString(int row, int column)>;
  void SetPlaceholder(Placeholder placeholder);
  // Takes what is being typed into a cell, as leaving the cell would (a button pressed meanwhile).
  void CommitEdit();

 signals:
  void changed();
  // What is being typed into a cell, before the cell is left (the grid does not hold it yet).
  void cellEdited(int row, int column, const QString& text);
  // A cell's editor closed, whether what it held was taken or not (Escape): what the rows show from
  // cellEdited must be figured from the grid again.
  void editEnded();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  void Commit(QTableWidgetItem* item);
  void Fill(int row);

  WorksheetGrid& grid_;
  bool filling_ = false;
  Placeholder placeholder_;
};

}  // namespace zarvic
