#pragma once

#include <QDialog>

namespace zarvic {

// "&About Zarvic...": the version and the date and time of the build.
class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

  static QString BuildText();  // "Built Dec 10 2026 at 18:30:00"
};

}  // namespace zarvic
