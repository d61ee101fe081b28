#include "shell/ui/CEditAmount.h"

#include "core/UserInterface.h"
#include "shell/ui/ControlSupport.h"

namespace zarvic {

CEditAmount::CEditAmount(QWidget* parent) : QLineEdit(parent) {
  // A text the program sets leaves the field unmodified; one the person types does not.
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (!isModified()) held_ = text();
  });
}

void CEditAmount::Hold() {
  held_ = text();
  setModified(false);
}

void CEditAmount::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  SetFieldLimit(*this, kAmountFieldLimit);
  SelectAllLater(*this);
}

void CEditAmount::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!LeavesField(event)) return;
  LineEditField field(*this);
  const bool accepted = LeaveAmountField(field);
  if (!accepted) setText(held_);
  Hold();
  if (accepted) return;
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
  Hold();
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
