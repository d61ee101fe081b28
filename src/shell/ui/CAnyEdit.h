#pragma once

#include <QPlainTextEdit>

namespace zarvic {

// The report text: read only, without a caret until the first key press or click. Ctrl with "+"
// or "-" (main keys or keypad) asks the report window for a larger or smaller font (kCmdFontLarger,
// kCmdFontSmaller) instead of zooming the text itself.
class CAnyEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit CAnyEdit(QWidget* parent = nullptr);

  bool CaretShown() const { return caretShown_; }

 signals:
  void command(int id, QWidget* control);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void ShowCaret();

  bool caretShown_ = false;
};

}  // namespace zarvic
