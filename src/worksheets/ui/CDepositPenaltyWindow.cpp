#include "worksheets/ui/WorksheetWindows.h"

namespace zarvic {

void OpenDepositPenaltyWorksheet(QWidget* /*parent*/, CTDoc* /*doc*/) {}

}  // namespace zarvic
