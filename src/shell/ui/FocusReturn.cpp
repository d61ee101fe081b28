#include "shell/ui/FocusReturn.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace zarvic {
namespace {

class FocusReturn : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide) return false;
    if (!watched->isWidgetType()) return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow() || !window->isModal()) return false;
    if (event->type() == QEvent::Show) {
      QWidget* opener = QApplication::focusWidget();
      if (opener != nullptr && opener->window() != window) openers_.push_back({window, opener});
      return false;
    }
    for (auto it = openers_.rbegin(); it != openers_.rend(); ++it) {
      if (it->dialog != window) continue;
      QPointer<QWidget> opener = it->opener;
      openers_.erase(std::next(it).base());
      // Before exec() returns, so that a caller that puts the focus elsewhere afterwards wins.
      if (opener && opener->isVisible() && opener->isEnabled()) {
        opener->window()->activateWindow();
        opener->setFocus(Qt::OtherFocusReason);
      }
      break;
    }
    // Dialogs that went without a Hide (destroyed while shown) leave nothing behind.
    std::erase_if(openers_, [](const Opened& o) { return o.dialog.isNull(); });
    return false;
  }

 private:
  struct Opened {
    QPointer<QWidget> dialog;
    QPointer<QWidget> opener;
  };
  std::vector<Opened> openers_;
};

}  // namespace

void InstallFocusReturn(QApplication& app) {
  app.installEventFilter(new FocusReturn(&app));
}

}  // namespace zarvic
