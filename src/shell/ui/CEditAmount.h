#pragma once

#include <QLineEdit>
#include <QString>

namespace zarvic {

// An amount field: what was typed is written back grouped, with two decimals, when the field is
// left (1234.5 becomes 1,234.50). A text that is not an amount ("1.5E+06", "4x88.26") is refused:
// the field gets back what it held before it was typed into, the message shows the accepted form,
// and the focus returns to the field.
class CEditAmount : public QLineEdit {
  Q_OBJECT
 public:
  explicit CEditAmount(QWidget* parent = nullptr);

  // For a window's OK, which may come while the field still has the focus: true when the text is an
  // amount (or empty); otherwise refuses it as leaving the field does, at once, and returns false.
  bool Accept();
  // Every amount field of a window, in the order they were made; false at the first refused.
  static bool AcceptAll(QWidget& window);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // The text before the person's edits (the last one the program set or the field accepted): what a
  // refused text gives way to.
  QString held_;
  void Hold();
};

}  // namespace zarvic
