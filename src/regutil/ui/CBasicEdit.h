#pragma once

#include <QPlainTextEdit>
#include <QPoint>

namespace zarvic::regutil {

// The listing: read-only text with both scroll bars. A left-button press is also reported to the
// window as a pick at its position; keyboard focus brings the caret to the start of the text.
class CBasicEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit CBasicEdit(QWidget* parent = nullptr);

  // The line under a position of the viewport.
  int LineAt(const QPoint& viewportPos) const;

 signals:
  void leftPressed(QPoint viewportPos);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
};

}  // namespace zarvic::regutil
