#include "shell/ui/Help.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

#include "core/Paths.h"
#include "core/UserInterface.h"
#include "shell/HelpTopics.h"
#include "shell/Launcher.h"
#include "shell/ui/HelpWindow.h"

namespace zarvic {
namespace {

constexpr char kNoHelpMessage[] =
    "Zarvic cannot find a help file of either of the supported types.\nPlease contact Orlendt Software.";

constexpr char kHelpTopicProperty[] = "zarvicHelpTopic";

QPointer<HelpWindow>& TheHelpWindow() {
  static QPointer<HelpWindow> window;
  return window;
}

bool IsHelpKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  return key->key() == Qt::Key_F1 && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Takes F1 before the widgets and the menu shortcut see it, so every window answers it the same way.
class HelpKey : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!IsHelpKey(event) || !watched->isWidgetType()) return false;
    QWidget* from = QApplication::focusWidget();
    if (from == nullptr) from = static_cast<QWidget*>(watched);
    const QString topic = HelpTopicOf(from);
    if (topic.isEmpty()) return false;
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();  // the key press follows; no shortcut takes it
      return true;
    }
    // After the key's own handling, so a window opened now does not take the key's release.
    QTimer::singleShot(0, from, [from, topic] { OpenHelpTopic(from, topic); });
    return true;
  }
};

}  // namespace

void SetHelpTopic(QWidget* widget, std::string_view topic) {
  widget->setProperty(kHelpTopicProperty,
                      QString::fromUtf8(topic.data(), static_cast<qsizetype>(topic.size())));
}

QString HelpTopicOf(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const QVariant topic = w->property(kHelpTopicProperty);
    if (topic.isValid() && !topic.toString().isEmpty()) return topic.toString();
  }
  return {};
}

void InstallHelpKey(QCoreApplication& app) {
  static constexpr char kName[] = "zarvicHelpKey";
  if (app.findChild<QObject*>(QLatin1String(kName), Qt::FindDirectChildrenOnly) != nullptr) return;  // once
  auto* key = new HelpKey(&app);
  key->setObjectName(QLatin1String(kName));
  app.installEventFilter(key);
}

QString HelpFolder() {
  return QString::fromStdString(JoinPath(ProgramFolder(), "help"));
}

HelpWindow* ShownHelpWindow() {
  return TheHelpWindow().data();
}

void OpenHelpTopic(QWidget* parent, const QString& topic) {
  const auto page = HelpPageOf(topic.toStdString());
  const QString pagePath = page ? QString::fromStdString(*page) : QString();
  QFileInfo info(HelpFolder() + QLatin1Char('/') + pagePath);
  if (!page || !info.isFile() || !info.isReadable()) {
    MessageBoxText(kNoHelpMessage);
    return;
  }
  QPointer<HelpWindow>& window = TheHelpWindow();
  QWidget* owner = parent ? parent->window() : nullptr;
  if (window && window == owner) owner = window->parentWidget();  // F1 in the help window itself
  if (!window) {
    // A window of its own that stays open beside the program; it deletes itself when closed.
    window = new HelpWindow(HelpFolder(), owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
  } else if (QApplication::activeModalWidget() != nullptr && window->parentWidget() != owner) {
    // A modal window blocks every window but its own; the help must be one of them to be read.
    window->setParent(owner, window->windowFlags());
  }
  window->ShowPage(pagePath);
  window->show();
  window->raise();
  window->activateWindow();
}

void OpenHelpContext(QWidget* parent, int context) {
  if (auto topic = TopicForContext(context))
    OpenHelpTopic(parent, QString::fromUtf8(topic->data(), topic->size()));
}

void OpenHelpIndex(QWidget* parent) {
  OpenHelpTopic(parent, QString::fromUtf8(kHelpIndexTopic.data(), kHelpIndexTopic.size()));
}

QString ManualPath(const QString& fileName) {
  return QString::fromStdString(ProgramFolder()) + QLatin1Char('/') + fileName;
}

QString ManualHelpPage(const QString& fileName) {
  return QStringLiteral("manuals/") + QFileInfo(fileName).completeBaseName() + QStringLiteral(".htm");
}

namespace {

bool Readable(const QString& path) {
  QFileInfo info(path);
  return info.isFile() && info.isReadable();
}

}  // namespace

bool ManualAvailable(const QString& fileName) {
  return Readable(ManualPath(fileName)) ||
         Readable(HelpFolder() + QLatin1Char('/') + ManualHelpPage(fileName));
}

void OpenManual(const QString& fileName) {
  const std::string path = ManualPath(fileName).toStdString();
  if (Readable(ManualPath(fileName)) && LaunchFile(path)) return;
  // No viewer took the PDF (or it is missing): the same guide in the help window.
  const QString page = ManualHelpPage(fileName);
  if (Readable(HelpFolder() + QLatin1Char('/') + page)) {
    OpenHelpTopic(QApplication::activeWindow(), QStringLiteral("::/") + page);
    return;
  }
  MessageBoxText(LaunchFailureMessage(path));
}

}  // namespace zarvic
