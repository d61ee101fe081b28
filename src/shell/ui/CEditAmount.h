#pragma once

#include <QLineEdit>

namespace zarvic {

// An amount field: what was typed is written back grouped, with two decimals, when the field is
// left (1234.5 becomes 1,234.50; 2k becomes 2,000.00).
class CEditAmount : public QLineEdit {
  Q_OBJECT
 public:
  explicit CEditAmount(QWidget* parent = nullptr);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace zarvic
