#include <QApplication>
#include <clocale>

#include "regutil/ui/CKBNRegistryDlg.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  zarvic::regutil::CKBNRegistryDlg dialog;
  return dialog.exec() == QDialog::Accepted ? 0 : 0;
}
