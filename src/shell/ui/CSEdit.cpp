#include "shell/ui/CSEdit.h"

#include <QKeyEvent>

#include "shell/EventGridModel.h"
#include "shell/HelpTopics.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/Help.h"

namespace zarvic {

CSEdit::CSEdit(QWidget* parent) : QLineEdit(parent) {
  hide();
}

void CSEdit::Activate(int row, int column) {
  row_ = row;
  column_ = column;
  // F1 explains the column being edited.
  SetHelpTopic(this, column == kGridDate     ? kHelpEventDatesTopic
                     : column == kGridAmount ? kHelpEventAmountsTopic
                                             : kHelpEventDescriptionsTopic);
  show();
  setFocus(Qt::OtherFocusReason);
  selectAll();
}

void CSEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  active_ = true;
}

void CSEdit::keyPressEvent(QKeyEvent* event) {
  if (KeyRoute route = RouteKey(ControlKind::GridEdit, NavKeyOf(event->key())); route.command != 0) {
    PostCommand(this, route.command);
  }
  QLineEdit::keyPressEvent(event);
}

void CSEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!active_ || !LeavesField(event)) return;
  hide();
  // The grid's commit may show a message; it runs once the focus has settled. The editor stays
  // active until then, so the commit still takes its text.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (!active_) return;
        emit commitRequested(this);
        emit command(kCmdEditorClosed, this);
        if (!hasFocus()) active_ = false;
      },
      Qt::QueuedConnection);
}

}  // namespace zarvic
