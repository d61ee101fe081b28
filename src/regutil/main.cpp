#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "core/UserInterface.h"
#include "regutil/ui/CKBNRegistryDlg.h"
#include "regutil/ui/MessageBoxUserInterface.h"
#include "shell/StartUp.h"

int main(int argc, char** argv) {
  // Without a display Qt would abort; say why and end like any program that cannot do its job.
  bool platformNamed = false;
  for (int i = 1; i < argc; ++i) platformNamed = platformNamed || std::strcmp(argv[i], "-platform") == 0;
  if (!platformNamed && !zarvic::DisplayAvailable()) {
    std::fputs(
        "kbnregistry: there is no display to show the window on (DISPLAY, WAYLAND_DISPLAY or "
        "QT_QPA_PLATFORM)\n",
        stderr);
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KBNRegistry"));
  // Numbers in messages and the dump are written the same way under every locale.
  std::setlocale(LC_NUMERIC, "C");
  zarvic::regutil::MessageBoxUserInterface ui;
  zarvic::ScopedUserInterface installed(ui);
  zarvic::regutil::CKBNRegistryDlg dialog;
  dialog.exec();
  return 0;
}
