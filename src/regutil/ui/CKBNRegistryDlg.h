#pragma once

#include <QDialog>

namespace zarvic::regutil {

class CKBNRegistryDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CKBNRegistryDlg(QWidget* parent = nullptr);
};

}  // namespace zarvic::regutil
