#include "shell/ui/CEditAmount.h"

#include "shell/ui/ControlSupport.h"

namespace zarvic {

CEditAmount::CEditAmount(QWidget* parent) : QLineEdit(parent) {}

void CEditAmount::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  SetFieldLimit(*this, kAmountFieldLimit);
  SelectAllLater(*this);
}

void CEditAmount::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!LeavesField(event)) return;
  LineEditField field(*this);
  LeaveAmountField(field);
}

}  // namespace zarvic
