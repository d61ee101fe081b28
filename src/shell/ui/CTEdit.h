#pragma once

#include <QLineEdit>

#include "core/FieldRules.h"

namespace zarvic {

// A cell of the rate table editor or a text field of the headers dialog, in one of three modes:
// a date, a rate (above 99.99 it is divided by ten until it fits), or plain text. What it finds is
// reported to its owner through command(); the owner shows the messages. A rate that is not a decimal
// number gives way to the text the cell held when it took the focus.
class CTEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit CTEdit(CellMode mode, QWidget* parent = nullptr);

  CellMode Mode() const { return mode_; }

 signals:
  void command(int id, QWidget* control);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  CellMode mode_;
  QString held_;  // the text before the person's edits
};

}  // namespace zarvic
