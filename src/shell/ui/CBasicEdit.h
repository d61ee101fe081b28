#pragma once

#include <QLineEdit>

namespace zarvic {

// The taxpayer name and ID fields of the problem window: the whole text is selected on entry, and
// Down goes to the grid (kCmdDown) instead of moving the caret.
class CBasicEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit CBasicEdit(QWidget* parent = nullptr);

  bool IsActive() const { return active_; }

 signals:
  void command(int id, QWidget* control);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool active_ = false;
};

}  // namespace zarvic
