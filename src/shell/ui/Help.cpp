#include "shell/ui/Help.h"

#include <QFileInfo>
#include <QPointer>

#include "core/Paths.h"
#include "core/UserInterface.h"
#include "shell/HelpTopics.h"
#include "shell/Launcher.h"
#include "shell/ui/HelpWindow.h"

namespace zarvic {
namespace {

constexpr char kNoHelpMessage[] =
    "Zarvic cannot find a help file of either of the supported types.\nPlease contact Orlendt Software.";

QPointer<HelpWindow>& TheHelpWindow() {
  static QPointer<HelpWindow> window;
  return window;
}

}  // namespace

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
  if (!window) {
    // A window of its own that stays open beside the program; it deletes itself when closed.
    window = new HelpWindow(HelpFolder(), parent ? parent->window() : nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
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

bool ManualAvailable(const QString& fileName) {
  QFileInfo info(ManualPath(fileName));
  return info.isFile() && info.isReadable();
}

void OpenManual(const QString& fileName) {
  const std::string path = ManualPath(fileName).toStdString();
  if (!LaunchFile(path)) MessageBoxText(LaunchFailureMessage(path));
}

}  // namespace zarvic
