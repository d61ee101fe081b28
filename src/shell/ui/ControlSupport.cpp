#include "shell/ui/ControlSupport.h"

#include <QTimer>
#include <algorithm>

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

void SelectAllLater(QLineEdit& edit) {
  QTimer::singleShot(0, &edit, [e = QPointer<QLineEdit>(&edit)] {
    if (e && e->hasFocus()) e->selectAll();
  });
}

}  // namespace zarvic
