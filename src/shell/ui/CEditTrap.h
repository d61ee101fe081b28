#pragma once

#include <QLineEdit>

namespace zarvic {

// The hidden field that holds the focus while whole grid rows are selected, so Delete deletes them.
class CEditTrap : public QLineEdit {
  Q_OBJECT
 public:
  explicit CEditTrap(QWidget* parent = nullptr);

 signals:
  void command(int id, QWidget* control);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zarvic
