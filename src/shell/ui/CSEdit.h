#pragma once

#include <QLineEdit>

namespace zarvic {

// The grid's date, amount and description editor. It is shown over a cell by Activate; paging and
// row keys go to the grid as commands. When the person leaves it, it hides, and after the focus
// change the grid commits the edit (commitRequested) and redraws its rows (kCmdEditorClosed).
class CSEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit CSEdit(QWidget* parent = nullptr);

  void Activate(int row, int column);
  bool IsActive() const { return active_; }
  int Row() const { return row_; }
  int Column() const { return column_; }

 signals:
  void command(int id, QWidget* control);
  void commitRequested(zarvic::CSEdit* editor);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool active_ = false;
  int row_ = 0;
  int column_ = 0;
};

}  // namespace zarvic
