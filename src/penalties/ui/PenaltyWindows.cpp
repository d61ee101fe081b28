#include "penalties/ui/PenaltyWindows.h"

#include <QApplication>
#include <QWidget>

#include "penalties/PenaltyModel.h"
#include "penalties/ui/CPenaltyDialog.h"
#include "penalties/ui/CPenaltySelection.h"

namespace zarvic {
namespace {

QWidget* Owner() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

}  // namespace

void InstallPenaltyWindows() {
  SetPenaltyWindowHook([](CTDoc& doc, int k, PenaltyWindowClass cls) {
    CPenaltyDialog dialog(doc, k, cls, Owner());
    return dialog.exec() == QDialog::Accepted;
  });
  SetPenaltySelectionHook([](CTDoc& doc, std::span<const int> list) {
    CPenaltySelection selection(doc, list, Owner());
    selection.exec();
  });
}

void UninstallPenaltyWindows() {
  SetPenaltyWindowHook(nullptr);
  SetPenaltySelectionHook(nullptr);
}

}  // namespace zarvic
