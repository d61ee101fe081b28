#include "shell/ui/CEditAmount.h"

#include "core/UserInterface.h"
#include "shell/ui/ControlSupport.h"

namespace zarvic {

CEditAmount::CEditAmount(QWidget* parent) : QLineEdit(parent) {}

void CEditAmount::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (LeavesField(event)) held_ = text();  // back from a message box the field still holds its old text
  SetFieldLimit(*this, kAmountFieldLimit);
  SelectAllLater(*this);
}

void CEditAmount::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!LeavesField(event)) return;
  LineEditField field(*this);
  if (LeaveAmountField(field)) {
    held_ = text();
    return;
  }
  setText(held_);
  // After the focus change: the message, then the field takes the focus back.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (!isVisible()) return;  // left by closing its window (Cancel): nothing to correct
        MessageBoxId(kMalformedAmountId);
        setFocus(Qt::OtherFocusReason);
      },
      Qt::QueuedConnection);
}

bool CEditAmount::Accept() {
  if (ReadAmountField(text().toStdString())) return true;
  setText(held_);
  MessageBoxId(kMalformedAmountId);
  setFocus(Qt::OtherFocusReason);
  return false;
}

bool CEditAmount::AcceptAll(QWidget& window) {
  for (CEditAmount* field : window.findChildren<CEditAmount*>()) {
    if (field->isEnabled() && !field->Accept()) return false;
  }
  return true;
}

}  // namespace zarvic
