#include "shell/ui/Help.h"

#include <QFileInfo>

#include "core/Paths.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "shell/Launcher.h"

namespace zarvic {

void OpenHelpTopic(QWidget*, const QString&) {}
void OpenHelpContext(QWidget*, int) {}
void OpenHelpIndex(QWidget*) {}

QString ManualPath(const QString& fileName) {
  return QString::fromStdString(ProgramFolder()) + QLatin1Char('/') + fileName;
}

bool ManualAvailable(const QString& fileName) {
  QFileInfo info(ManualPath(fileName));
  return info.isFile() && info.isReadable();
}

void OpenManual(const QString& fileName) {
  const std::string path = ManualPath(fileName).toStdString();
  if (!LaunchFile(path)) {
    MessageBoxText(StringPrintf("ShellExecute(\"%s\") failed. Error code = %ld\n", path.c_str(), 0L));
  }
}

}  // namespace zarvic
