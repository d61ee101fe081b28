#pragma once

#include <QFont>
#include <memory>

#include "reports/ReportWriter.h"

class QPrinter;
class QPainter;

namespace zarvic {

class ReportRun;

// The printer reports are printed on: the default printer, or, with no printer installed, a PDF
// printer of US Letter size, so that a page can always be measured and "&Print..." can always write
// a PDF file.
std::unique_ptr<QPrinter> MakeReportPrinter();
// Every side of the page keeps at least half an inch, more where the page setup or the printer asks.
void ApplyReportMargins(QPrinter& printer);
bool NoPrinterInstalled();

// The page length the report run lays out: the printable height over the print font's height and two
// units of leading, less two lines.
class PrinterPageLength : public PageLength {
 public:
  PrinterPageLength(QPrinter& printer, const QFont& font) : printer_(printer), font_(font) {}
  int LinesPerPage() override;

 private:
  QPrinter& printer_;
  QFont font_;
};

// The font reports print in: the report font chosen in the main window, made smaller when a report
// line would not fit between the report printer's margins.
QFont ReportPrintFont();

// Draws every page of the run, each line at the left edge, a new printer page where the run began one.
// False when the printer could not be opened (a PDF file that cannot be written).
bool PaintReportPages(QPrinter& printer, const ReportRun& run, const QFont& font);

}  // namespace zarvic
