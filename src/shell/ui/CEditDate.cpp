#include "shell/ui/CEditDate.h"

#include "core/UserInterface.h"
#include "shell/ui/ControlSupport.h"

namespace zarvic {

CEditDate::CEditDate(QWidget* parent) : QLineEdit(parent) {}

void CEditDate::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  SetFieldLimit(*this, DateFieldLimit());
  SelectAllLater(*this);
}

void CEditDate::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!LeavesField(event)) return;
  LineEditField field(*this);
  if (!LeaveDateField(field)) {
    // After the focus change: the message, then the field takes the focus back.
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (!isVisible()) return;  // left by closing its window (Cancel): nothing to correct
          MessageBoxId(20032);
          setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
  }
  if (notifyChange_) PostCommand(this, kCmdDateFieldLeft);
}

}  // namespace zarvic
