#include "shell/ui/EnterAsTab.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QWidget>

#include "core/AppOptions.h"

namespace zarvic {
namespace {

constexpr char kExemptProperty[] = "zarvicEnterExempt";
constexpr char kFilterName[] = "zarvicEnterAsTab";

class EnterAsTabFilter : public QObject {
 public:
  explicit EnterAsTabFilter(QObject* parent) : QObject(parent) { setObjectName(QLatin1String(kFilterName)); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (!SpecialCRActive()) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    auto* dialog = qobject_cast<QDialog*>(widget->window());
    if (dialog == nullptr || IsExemptFromEnterAsTab(dialog)) return false;
    // The same key, as Tab: the dialog moves the focus on (Shift goes back, as with Tab).
    QKeyEvent tab(event->type(), Qt::Key_Tab, key->modifiers() & ~Qt::KeypadModifier, QStringLiteral("\t"),
                  key->isAutoRepeat(), static_cast<quint16>(key->count()));
    QCoreApplication::sendEvent(widget, &tab);
    return true;
  }
};

}  // namespace

void InstallEnterAsTab(QApplication& app) {
  if (app.findChild<EnterAsTabFilter*>(QLatin1String(kFilterName), Qt::FindDirectChildrenOnly)) return;
  app.installEventFilter(new EnterAsTabFilter(&app));
}

void ExemptFromEnterAsTab(QDialog* dialog) {
  dialog->setProperty(kExemptProperty, true);
}

bool IsExemptFromEnterAsTab(const QDialog* dialog) {
  return dialog->property(kExemptProperty).toBool() || qobject_cast<const QMessageBox*>(dialog) ||
         qobject_cast<const QFileDialog*>(dialog);
}

}  // namespace zarvic
