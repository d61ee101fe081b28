#include "shell/ui/CSComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <algorithm>
#include <vector>

#include "problem/EventTypes.h"
#include "shell/HelpTopics.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/Help.h"

namespace zarvic {

CSComboBox::CSComboBox(QWidget* parent) : QComboBox(parent) {
  SetHelpTopic(this, kHelpEventTypesTopic);
  std::vector<const EventTypeInfo*> offered;
  for (const EventTypeInfo& info : EventTypes()) {
    if (info.gridPosition > 0) offered.push_back(&info);
  }
  std::sort(offered.begin(), offered.end(),
            [](const EventTypeInfo* a, const EventTypeInfo* b) { return a->gridPosition < b->gridPosition; });
  for (const EventTypeInfo* info : offered) {
    addItem(QString::fromUtf8(info->gridName.data(), static_cast<qsizetype>(info->gridName.size())),
            static_cast<int>(info->code));
  }
  SetType(kEventPayment);
  hide();
}

void CSComboBox::Activate(int row) {
  row_ = row;
  show();
  setFocus(Qt::OtherFocusReason);
}

void CSComboBox::SetType(std::uint16_t code) {
  setCurrentIndex(findData(static_cast<int>(code)));
}

int CSComboBox::SelectedType() const {
  return currentIndex() < 0 ? -1 : currentData().toInt();
}

void CSComboBox::focusInEvent(QFocusEvent* event) {
  QComboBox::focusInEvent(event);
  active_ = true;
}

void CSComboBox::keyPressEvent(QKeyEvent* event) {
  if (view()->isVisible()) {
    QComboBox::keyPressEvent(event);
    return;
  }
  KeyRoute route = RouteKey(ControlKind::GridTypeList, NavKeyOf(event->key()));
  if (route.command != 0) PostCommand(this, route.command);
  if (route.passOn) {
    QComboBox::keyPressEvent(event);
  } else {
    event->accept();
  }
}

void CSComboBox::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  // Opening the list moves the focus into the list itself: that is not leaving the type cell.
  if (!active_ || !LeavesField(event) || view()->isVisible()) return;
  active_ = false;
  hide();
  const int row = row_;
  const int code = SelectedType();
  QMetaObject::invokeMethod(
      this,
      [this, row, code] {
        if (code >= 0) emit typeChosen(row, code);
        emit command(kCmdEditorClosed, this);
      },
      Qt::QueuedConnection);
}

}  // namespace zarvic
