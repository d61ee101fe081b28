#pragma once

#include <QComboBox>
#include <cstdint>

namespace zarvic {

// The grid's event-type list: the types in the grid's order, each item carrying its type code.
// While it is closed, paging, row and Left/Right keys go to the grid as commands and Home and End
// do nothing; an open list takes every key. When the person leaves it, it hides and, after the
// focus change, reports the chosen type for its row (typeChosen) and kCmdEditorClosed.
class CSComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit CSComboBox(QWidget* parent = nullptr);

  void Activate(int row);
  bool IsActive() const { return active_; }
  int Row() const { return row_; }

  void SetType(std::uint16_t code);  // selects that type; none when it is not in the list
  int SelectedType() const;          // -1 when nothing is selected

 signals:
  void command(int id, QWidget* control);
  void typeChosen(int row, int code);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool active_ = false;
  int row_ = 0;
};

}  // namespace zarvic
