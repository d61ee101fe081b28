#include "shell/ui/ControlSupport.h"

#include <QTimer>
#include <algorithm>

#include "core/Text.h"
#include "core/UserInterface.h"

namespace zarvic {

NavKey NavKeyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_PageUp:
      return NavKey::PageUp;
    case Qt::Key_PageDown:
      return NavKey::PageDown;
    case Qt::Key_Up:
      return NavKey::Up;
    case Qt::Key_Down:
      return NavKey::Down;
    case Qt::Key_Left:
      return NavKey::Left;
    case Qt::Key_Right:
      return NavKey::Right;
    case Qt::Key_Home:
      return NavKey::Home;
    case Qt::Key_End:
      return NavKey::End;
    case Qt::Key_Delete:
      return NavKey::Delete;
    default:
      return NavKey::Other;
  }
}

void SetFieldLimit(QLineEdit& edit, int limit) {
  constexpr int kUnlimited = 32767;  // QLineEdit's own default
  edit.setMaxLength(limit < 0 ? kUnlimited : std::max(limit, static_cast<int>(edit.text().size())));
}

void ShowTextWithin(QLineEdit& edit, const QString& text, int limit) {
  edit.setMaxLength(std::max(limit, static_cast<int>(text.size())));
  edit.setText(text);
}

QValidator::State ProblemTextValidator::validate(QString& input, int&) const {
  if (FitsWindows1252(input.toStdString())) return Acceptable;
  if (!telling_) {
    telling_ = true;
    QMetaObject::invokeMethod(
        const_cast<ProblemTextValidator*>(this),
        [this] {
          MessageBoxId(kTextDoesNotFitId);
          telling_ = false;
        },
        Qt::QueuedConnection);
  }
  return Invalid;
}

void RefuseTextTheFileCannotStore(QLineEdit& edit) {
  edit.setValidator(new ProblemTextValidator(&edit));
}

void SelectAllLater(QLineEdit& edit) {
  QTimer::singleShot(0, &edit, [e = QPointer<QLineEdit>(&edit)] {
    if (e && e->hasFocus()) e->selectAll();
  });
}

}  // namespace zarvic
