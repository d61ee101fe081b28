#include "shell/ui/DesktopApplication.h"

#include <QDesktopServices>
#include <QUrl>
#include <clocale>

#include "core/UserInterface.h"
#include "penalties/ui/PenaltyWindows.h"
#include "engine/ui/CCorpRefundDlg.h"
#include "shell/Launcher.h"
#include "shell/ui/EnterAsTab.h"
#include "shell/ui/Help.h"
#include "shell/ui/QtUserInterface.h"

namespace zarvic {

void KeepNumbersLocaleFree() { std::setlocale(LC_NUMERIC, "C"); }

DesktopApplication::DesktopApplication(int& argc, char** argv)
    : QApplication(argc, argv), ui_(std::make_unique<QtUserInterface>()) {
  KeepNumbersLocaleFree();
  setApplicationName(QStringLiteral("Zarvic"));
  setApplicationVersion(QStringLiteral(ZARVIC_VERSION));
  setOrganizationName(QStringLiteral("Orlendt Software"));
  SetCurrentUi(ui_.get());
  InstallEnterAsTab(*this);
  InstallHelpKey(*this);
  InstallPenaltyWindows();
  InstallCCorporationDialog();
  SetFileLauncher([](const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
  });
}

DesktopApplication::~DesktopApplication() {
  UninstallPenaltyWindows();
  SetFileLauncher({});
  UninstallCCorporationDialog();
  SetCurrentUi(nullptr);
}

}  // namespace zarvic
