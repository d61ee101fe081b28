#include "worksheets/ui/WorksheetWindows.h"

namespace zarvic {

void OpenEstimatedTaxWorksheet(QWidget* /*parent*/, CTDoc* /*doc*/) {}

}  // namespace zarvic
