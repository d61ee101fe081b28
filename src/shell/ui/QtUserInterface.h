#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "core/UserInterface.h"

namespace zarvic {

// The program's UserInterface: message boxes over the active window, the file dialogs, the wait
// cursor and view refreshes.
class QtUserInterface : public QObject, public UserInterface {
  Q_OBJECT
 public:
  Answer Show(const std::string& text, MessageKind kind) override;
  std::optional<std::string> ChooseFile(const FileChoice& choice) override;
  void SetWaitCursor(bool on) override;
  void RefreshViews(const CTDoc* problem) override;

  // The window that shows a problem, so its messages open over it (the main frame sets this).
  std::function<QWidget*(const CTDoc* problem)> windowFor;

 private:
  QWidget* DialogParent() const;

 signals:
  // Views connect to this and repaint when the problem is theirs (nullptr: every problem).
  void refreshRequested(const zarvic::CTDoc* problem);
};

}  // namespace zarvic
