#include "regutil/ui/CKBNRegistryDlg.h"

namespace zarvic::regutil {

CKBNRegistryDlg::CKBNRegistryDlg(QWidget* parent) : QDialog(parent) {}

}  // namespace zarvic::regutil
