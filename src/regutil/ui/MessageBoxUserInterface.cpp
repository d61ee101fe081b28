#include "regutil/ui/MessageBoxUserInterface.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "core/FileExtension.h"

namespace zarvic::regutil {

Answer MessageBoxUserInterface::Show(const std::string& text, MessageKind kind) {
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent) parent = QApplication::activeWindow();
  QMessageBox box(parent);
  box.setWindowTitle(QStringLiteral("KBNRegistry"));
  box.setText(QString::fromStdString(text));
  QMessageBox::StandardButton safest = QMessageBox::Ok;
  switch (kind) {
    case MessageKind::Ok:
      box.setIcon(QMessageBox::Warning);
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageKind::OkCancel:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      safest = QMessageBox::Cancel;
      break;
    case MessageKind::YesNo:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      safest = QMessageBox::No;
      break;
    case MessageKind::YesNoCancel:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      safest = QMessageBox::Cancel;
      break;
  }
  box.setEscapeButton(safest);
  int pressed = box.exec();
  switch (pressed) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    case QMessageBox::Ok:
      return Answer::Ok;
    default:
      // Closed without a button: the safest answer the box offers.
      return safest == QMessageBox::Ok ? Answer::Ok : safest == QMessageBox::No ? Answer::No : Answer::Cancel;
  }
}

std::optional<std::string> MessageBoxUserInterface::ChooseFile(const FileChoice& choice) {
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent) parent = QApplication::activeWindow();
  const QString title = QString::fromStdString(choice.title);
  const QString filter = QString::fromStdString(DialogFilter(choice.filter));
  if (!choice.save) {
    const QString name =
        QFileDialog::getOpenFileName(parent, title, QString::fromStdString(choice.initialPath), filter);
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
  }
  return ConfirmSaveName(choice, [&](const std::string& initial) -> std::optional<std::string> {
    const QString name = QFileDialog::getSaveFileName(parent, title, QString::fromStdString(initial), filter,
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
  });
}

}  // namespace zarvic::regutil
