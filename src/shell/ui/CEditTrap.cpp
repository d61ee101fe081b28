#include "shell/ui/CEditTrap.h"

#include <QKeyEvent>

#include "shell/ui/ControlSupport.h"

namespace zarvic {

CEditTrap::CEditTrap(QWidget* parent) : QLineEdit(parent) {}

void CEditTrap::keyPressEvent(QKeyEvent* event) {
  if (KeyRoute route = RouteKey(ControlKind::KeyTrap, NavKeyOf(event->key())); route.command != 0) {
    PostCommand(this, route.command);
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace zarvic
