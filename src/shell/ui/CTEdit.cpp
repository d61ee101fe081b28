#include "shell/ui/CTEdit.h"

#include <QKeyEvent>

#include "shell/ui/ControlSupport.h"

namespace zarvic {

CTEdit::CTEdit(CellMode mode, QWidget* parent) : QLineEdit(parent), mode_(mode) {
  // A text the program sets leaves the cell unmodified; one the person types does not.
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (!isModified()) held_ = text();
  });
}

void CTEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (mode_ != CellMode::Text) SetFieldLimit(*this, CellFieldLimit(static_cast<int>(mode_)));
  SelectAllLater(*this);
  PostCommand(this, kCmdCellFocused);
}

void CTEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_D && (event->modifiers() & Qt::ControlModifier)) {
    PostCommand(this, kCmdDeleteLine);  // not typed
    return;
  }
  if (KeyRoute route = RouteKey(ControlKind::TableCell, NavKeyOf(event->key())); route.command != 0) {
    PostCommand(this, route.command);
  } else if (!event->text().isEmpty() && !(event->modifiers() & Qt::ControlModifier)) {
    PostCommand(this, kCmdCellChanging);
  }
  QLineEdit::keyPressEvent(event);
}

void CTEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!LeavesField(event)) return;
  LineEditField field(*this);
  const CellOutcome outcome = LeaveCellField(field, mode_);
  if (outcome == CellOutcome::RateMalformed) setText(held_);
  held_ = text();
  setModified(false);
  switch (outcome) {
    case CellOutcome::DateAccepted:
      PostCommand(this, kCmdCellDateAccepted);
      break;
    case CellOutcome::DateInvalid:
      PostCommand(this, kCmdCellDateInvalid);
      break;
    case CellOutcome::RateReduced:
      PostCommand(this, kCmdCellRateTooLarge);
      break;
    case CellOutcome::RateMalformed:
      PostCommand(this, kCmdCellRateMalformed);
      break;
    case CellOutcome::RateAccepted:
    case CellOutcome::None:
      break;
  }
}

}  // namespace zarvic
