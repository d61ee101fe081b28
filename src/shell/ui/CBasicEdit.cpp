#include "shell/ui/CBasicEdit.h"

#include <QKeyEvent>

#include "shell/ui/ControlSupport.h"

namespace zarvic {

CBasicEdit::CBasicEdit(QWidget* parent) : QLineEdit(parent) {}

void CBasicEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  SelectAllLater(*this);
  active_ = true;
}

void CBasicEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  active_ = false;
}

void CBasicEdit::keyPressEvent(QKeyEvent* event) {
  KeyRoute route = RouteKey(ControlKind::HeadingEdit, NavKeyOf(event->key()));
  if (route.command != 0) PostCommand(this, route.command);
  if (route.passOn) {
    QLineEdit::keyPressEvent(event);
  } else {
    event->accept();
  }
}

}  // namespace zarvic
