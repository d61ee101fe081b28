#pragma once

#include <QDialog>
#include <QIcon>

namespace zarvic::regutil {

// "About KBNRegistry": the program's icon, its name and version, and OK.
class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

// The program's icon (the window and the about box show it).
QIcon ProgramIcon();

}  // namespace zarvic::regutil
