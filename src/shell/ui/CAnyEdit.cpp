#include "shell/ui/CAnyEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "shell/ui/ControlSupport.h"

namespace zarvic {

CAnyEdit::CAnyEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse);  // no caret yet
}

void CAnyEdit::ShowCaret() {
  if (caretShown_) return;
  caretShown_ = true;
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void CAnyEdit::keyPressEvent(QKeyEvent* event) {
  ShowCaret();
  if (event->modifiers() & Qt::ControlModifier) {
    const int key = event->key();
    if (key == Qt::Key_Plus || key == Qt::Key_Equal) {
      PostCommand(this, kCmdFontLarger);
      event->accept();
      return;
    }
    if (key == Qt::Key_Minus || key == Qt::Key_Underscore) {
      PostCommand(this, kCmdFontSmaller);
      event->accept();
      return;
    }
  }
  QPlainTextEdit::keyPressEvent(event);
}

void CAnyEdit::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) ShowCaret();
  QPlainTextEdit::mousePressEvent(event);
}

}  // namespace zarvic
