#include "regutil/ui/CBasicEdit.h"

#include <QFocusEvent>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QTextBlock>

namespace zarvic::regutil {

CBasicEdit::CBasicEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Lines are picked by the mouse; the caret is still there for reading with the keyboard.
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

int CBasicEdit::LineAt(const QPoint& viewportPos) const {
  return cursorForPosition(viewportPos).block().blockNumber();
}

void CBasicEdit::mousePressEvent(QMouseEvent* event) {
  // The edit places its caret first, so the window's highlight of the picked line is what stays.
  QPlainTextEdit::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit leftPressed(event->position().toPoint());
}

void CBasicEdit::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  // A click picks the line under it; only focus from the keyboard starts at the top.
  if (event->reason() != Qt::MouseFocusReason) {
    moveCursor(QTextCursor::Start);
    ensureCursorVisible();
  }
}

}  // namespace zarvic::regutil
