#include "reports/ui/ReportPrinting.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/Text.h"
#include "reports/ReportRun.h"
#include "shell/ui/CMainFrame.h"

namespace zarvic {
namespace {

int LineSpacing(const QFont& font, QPrinter& printer) {
  return QFontMetrics(font, &printer).height() + 2;
}

}  // namespace

bool NoPrinterInstalled() {
  return QPrinterInfo::availablePrinters().isEmpty();
}

std::unique_ptr<QPrinter> MakeReportPrinter() {
  if (!NoPrinterInstalled())
    return std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setPageSize(QPageSize(QPageSize::Letter));
  printer->setPageOrientation(QPageLayout::Portrait);
  return printer;
}

int PrinterPageLength::LinesPerPage() {
  const int height = printer_.pageLayout().paintRectPixels(printer_.resolution()).height();
  return height / LineSpacing(font_, printer_) - 2;
}

QFont ReportPrintFont() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* frame = qobject_cast<CMainFrame*>(widget)) return frame->ReportFont();
  }
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(12);
  return font;
}

void PaintReportPages(QPrinter& printer, const ReportRun& run, const QFont& font) {
  QPainter painter;
  if (!painter.begin(&printer)) return;
  painter.setFont(font);
  const int spacing = LineSpacing(font, printer);
  const int ascent = QFontMetrics(font, &printer).ascent();
  for (int page = 1; page <= run.PageCount(); ++page) {
    if (page > 1) printer.newPage();
    int y = ascent;
    for (const std::string& line : run.ReadPage(page)) {
      painter.drawText(0, y, QString::fromStdString(Windows1252ToUtf8(line)));
      y += spacing;
    }
  }
  painter.end();
}

}  // namespace zarvic
