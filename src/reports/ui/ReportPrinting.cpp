#include "reports/ui/ReportPrinting.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/Text.h"
#include "reports/PrintedPage.h"
#include "reports/ReportRun.h"
#include "reports/ui/ReportCommands.h"
#include "shell/ui/CMainFrame.h"

namespace zarvic {
namespace {

int LineSpacing(const QFont& font, QPrinter& printer) {
  return QFontMetrics(font, &printer).height() + 2;
}

}  // namespace

void ApplyReportMargins(QPrinter& printer) {
  QPageLayout layout = printer.pageLayout();
  layout.setUnits(QPageLayout::Point);
  const QMarginsF asked = layout.margins();
  const QMarginsF minimum = layout.minimumMargins();
  const QMarginsF margins(PrintMargin(asked.left(), minimum.left()), PrintMargin(asked.top(), minimum.top()),
                          PrintMargin(asked.right(), minimum.right()),
                          PrintMargin(asked.bottom(), minimum.bottom()));
  if (margins != asked) printer.setPageMargins(margins, QPageLayout::Point);
}

bool NoPrinterInstalled() {
  return QPrinterInfo::availablePrinters().isEmpty();
}

std::unique_ptr<QPrinter> MakeReportPrinter() {
  if (!NoPrinterInstalled()) {
    auto printer = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    ApplyReportMargins(*printer);
    return printer;
  }
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setPageSize(QPageSize(QPageSize::Letter));
  printer->setPageOrientation(QPageLayout::Portrait);
  ApplyReportMargins(*printer);
  return printer;
}

int PrinterPageLength::LinesPerPage() {
  ApplyReportMargins(printer_);
  const int height = printer_.pageLayout().paintRectPixels(printer_.resolution()).height();
  return PrintLinesPerPage(height, LineSpacing(font_, printer_));
}

QFont ReportPrintFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(12);
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* frame = qobject_cast<CMainFrame*>(widget)) font = frame->ReportFont();
  }
  // A report line must fit between the margins: a font too wide for the page is made smaller.
  QPrinter& printer = ReportPrinter();
  ApplyReportMargins(printer);
  if (font.pointSizeF() > 0) {
    const double toPoints = 72.0 / printer.resolution();
    const double advance = QFontMetricsF(font, &printer).horizontalAdvance(QLatin1Char('M')) * toPoints;
    const double width = printer.pageLayout().paintRect(QPageLayout::Point).width();
    font.setPointSizeF(FittedFontPoints(font.pointSizeF(), advance, width));
  }
  return font;
}

bool PaintReportPages(QPrinter& printer, const ReportRun& run, const QFont& font) {
  // The file is read once; the run's page offsets say where each printer page begins.
  std::ifstream in(run.ReportPath(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int64_t> starts = run.PageStarts();
  ApplyReportMargins(printer);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setFont(font);
  const int spacing = LineSpacing(font, printer);
  const int ascent = QFontMetrics(font, &printer).ascent();
  for (size_t page = 0; page < starts.size(); ++page) {
    if (page > 0) printer.newPage();
    const auto begin = std::min(static_cast<size_t>(starts[page]), bytes.size());
    const auto end = page + 1 < starts.size() ? std::min(static_cast<size_t>(starts[page + 1]), bytes.size())
                                              : bytes.size();
    int y = ascent;
    for (const std::string& line : SplitReportLines(std::string_view(bytes).substr(begin, end - begin))) {
      painter.drawText(0, y, QString::fromStdString(Windows1252ToUtf8(line)));
      y += spacing;
    }
  }
  return painter.end();
}

}  // namespace zarvic
