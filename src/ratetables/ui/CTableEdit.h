#pragma once

#include <QDialog>
#include <array>

#include "core/AppOptions.h"
#include "ratetables/TableEditorModel.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QStatusBar;

namespace zarvic {

class CEditDate;
class CTEdit;
class CTDoc;

// The rate table editor ("Interest Rates"): ten rows over the table's 500 lines. Its rules are
// TableEditorModel's; this maps the fields to it. "Whole Dollar Mode" is off while it is open.
class CTableEdit : public QDialog {
  Q_OBJECT
 public:
  // On a copy of table, or on an empty table (nullptr).
  explicit CTableEdit(const RateTable* table, QWidget* parent = nullptr);

  const TableEditorModel& Model() const { return model_; }

  struct Row {
    CTEdit* date;
    QComboBox* mode;
    CTEdit* normal;
    CTEdit* motivated;
    CTEdit* refund;
    QComboBox* days;
  };
  const Row& RowAt(int row) const { return rows_[static_cast<std::size_t>(row)]; }
  QLineEdit* NameField() const { return name_; }
  QLineEdit* DescriptionField() const { return description_; }
  QLineEdit* EndDateField() const;
  QPushButton* NotesButton() const { return notes_; }
  QScrollBar* ScrollBar() const { return scroll_; }
  QStatusBar* StatusBar() const { return status_; }

  // Scrolls by lines (negative: up), as the keys and the wheel do.
  void ScrollBy(int lines);

 public slots:
  void reject() override;  // "&Close", Escape and the window's close button

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  EditorScreen Collect() const;
  void ShowRows();
  void ShowHeader();
  void UpdateNotesButton();
  int RowOf(const QWidget* control) const;
  int ColumnOf(const QWidget* control, int row) const;
  QWidget* ControlAt(int row, int column) const;
  void OnCellCommand(int id, QWidget* control);
  void OnScrollBar(int value);
  void FocusRowDate(int row);
  void Wheel(QWheelEvent* event);

  void Browse();
  void Save();
  void New();
  void DeleteLine();
  void Sort();
  void EditNotes();

  WholeDollarSuspender wholeDollarOff_;
  TableEditorModel model_;
  QLineEdit* name_;
  QLineEdit* description_;
  CEditDate* endDate_;
  QPushButton* notes_;
  std::array<Row, kEditorRows> rows_{};
  QScrollBar* scroll_;
  QStatusBar* status_;
  bool showing_ = false;  // the rows are being filled from the model
  int wheelAngle_ = 0;    // wheel turn not yet a whole line (fine-grained wheels and touchpads)
};

// "Edit Interest &Rate Table...": the editor on the problem's table, or on an empty table without a
// problem. A table saved from a problem's editor becomes that problem's table.
void EditRateTable(QWidget* parent, CTDoc* doc);

// "Select Rate &Table..." on a problem, then the notes prompt for a table that has notes.
void SelectRateTable(QWidget* parent, CTDoc& doc);

}  // namespace zarvic
