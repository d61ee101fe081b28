#include "shell/ui/QtUserInterface.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

#include "core/AppOptions.h"
#include "core/FileExtension.h"
#include "shell/HelpTopics.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

// Restores whatever cursor was in force (the wait cursor of a computation) when the box closes.
class NormalCursor {
 public:
  NormalCursor() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~NormalCursor() { QGuiApplication::restoreOverrideCursor(); }
  NormalCursor(const NormalCursor&) = delete;
  NormalCursor& operator=(const NormalCursor&) = delete;
};

}  // namespace

QWidget* QtUserInterface::DialogParent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (const CTDoc* problem = MessageProblem(); problem && windowFor) {
    if (QWidget* window = windowFor(problem)) return window;
  }
  return QApplication::activeWindow();
}

Answer QtUserInterface::Show(const std::string& text, MessageKind kind) {
  QMessageBox box(DialogParent());
  box.setWindowTitle(QStringLiteral("Zarvic"));
  box.setText(QString::fromStdString(text));
  if (auto topic = TopicForMessage(text)) SetHelpTopic(&box, *topic);  // "Press F1 for help."
  switch (kind) {
    case MessageKind::Ok:
      box.setIcon(QMessageBox::Information);
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageKind::OkCancel:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MessageKind::YesNo:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case MessageKind::YesNoCancel:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  NormalCursor cursor;
  SpecialCRSuspension suspend;
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      // Escape or the close button: the safest answer the box offers.
      return kind == MessageKind::Ok ? Answer::Ok : kind == MessageKind::YesNo ? Answer::No : Answer::Cancel;
  }
}

std::optional<std::string> QtUserInterface::ChooseFile(const FileChoice& choice) {
  SpecialCRSuspension suspend;
  NormalCursor cursor;
  QString filter = QString::fromStdString(DialogFilter(choice.filter));
  QString title = QString::fromStdString(choice.title);
  if (!choice.save) {
    QString name = QFileDialog::getOpenFileName(DialogParent(), title,
                                                QString::fromStdString(choice.initialPath), filter);
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
  }
  // The dialog would ask about the name as typed, before its extension is added; the question is
  // asked here about the file that will really be written.
  return ConfirmSaveName(choice, [&](const std::string& initial) -> std::optional<std::string> {
    QString name = QFileDialog::getSaveFileName(DialogParent(), title, QString::fromStdString(initial),
                                                filter, nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
  });
}

void QtUserInterface::SetWaitCursor(bool on) {
  if (on) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

void QtUserInterface::RefreshViews(const CTDoc* problem) {
  emit refreshRequested(problem);
}

}  // namespace zarvic
