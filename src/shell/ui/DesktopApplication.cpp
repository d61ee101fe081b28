#include "shell/ui/DesktopApplication.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>
#include <clocale>

#include "core/UserInterface.h"
#include "penalties/ui/PenaltyWindows.h"
#include "engine/ui/CCorpRefundDlg.h"
#include "shell/Launcher.h"
#include "shell/ui/EnterAsTab.h"
#include "shell/ui/FocusReturn.h"
#include "shell/ui/Help.h"
#include "shell/ui/QtUserInterface.h"

namespace zarvic {

void KeepNumbersLocaleFree() { std::setlocale(LC_NUMERIC, "C"); }

namespace {

// xdg-open hands the file on and returns before anyone knows whether a program took it; the
// desktop's defaults say beforehand when no program is set for the file's type. False when that
// cannot be told (no xdg-mime): then opening is simply tried.
bool NoProgramOpens(const QString& file) {
  QProcess query;
  query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                           QMimeDatabase().mimeTypeForFile(file).name()});
  if (!query.waitForFinished(3000)) {
    query.kill();
    query.waitForFinished(1000);
    return false;
  }
  return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
         query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

DesktopApplication::DesktopApplication(int& argc, char** argv)
    : QApplication(argc, argv), ui_(std::make_unique<QtUserInterface>()) {
  KeepNumbersLocaleFree();
  setApplicationName(QStringLiteral("Zarvic"));
  setApplicationVersion(QStringLiteral(ZARVIC_VERSION));
  setOrganizationName(QStringLiteral("Orlendt Software"));
  SetCurrentUi(ui_.get());
  InstallEnterAsTab(*this);
  InstallFocusReturn(*this);
  InstallHelpKey(*this);
  InstallPenaltyWindows();
  InstallCCorporationDialog();
  SetFileLauncher([](const std::string& path) {
    const QString file = QString::fromStdString(path);
    return !NoProgramOpens(file) && QDesktopServices::openUrl(QUrl::fromLocalFile(file));
  });
}

DesktopApplication::~DesktopApplication() {
  UninstallPenaltyWindows();
  SetFileLauncher({});
  UninstallCCorporationDialog();
  SetCurrentUi(nullptr);
}

}  // namespace zarvic
