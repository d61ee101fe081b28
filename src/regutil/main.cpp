#include <QApplication>
#include <clocale>

#include "core/UserInterface.h"
#include "regutil/ui/CKBNRegistryDlg.h"
#include "regutil/ui/MessageBoxUserInterface.h"

int main(int argc, char** argv) {
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
