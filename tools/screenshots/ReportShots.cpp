#include "tools/screenshots/ReportShots.h"

#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <memory>

#include "core/Settings.h"
#include "problem/CTDoc.h"
#include "problem/ProblemFile.h"
#include "reports/EngineReportComputation.h"
#include "reports/ReportDialogs.h"
#include "reports/ReportRun.h"
#include "reports/ui/CEditReport.h"
#include "reports/ui/ReportCommands.h"
#include "reports/ui/ReportDialogWindows.h"
#include "reports/ui/ReportPrinting.h"

namespace zarvic {
namespace {

// What the shown windows work on lives until the QApplication ends.
struct ShotData {
  CTDoc doc;
  EngineReportComputation computation;
  std::unique_ptr<ReportRun> run;
  PrintSelectionState print;
  ReportSetupState setup;
  std::unique_ptr<HeadersModel> headers;
};

ShotData& Data() {
  static ShotData* data = [] {
    auto* d = new ShotData;
    qAddPostRoutine([] { delete &Data(); });
#ifdef ZARVIC_SOURCE_DIR
    const char* example = ZARVIC_SOURCE_DIR "/examples/LATE.ZR3";
#else
    const char* example = "examples/LATE.ZR3";
#endif
    LoadProblemFile(d->doc, example, false);
    d->doc.m_computeDate = d->doc.m_header.m_computeDate;
    return d;
  }();
  return *data;
}

ReportOptions DetailOptions() {
  ReportOptions options;
  ResetReportOptions(options, Data().doc);
  options.interestAndPenaltyDetail = true;
  return options;
}

// The report window over the Interest and Penalty Detail of the shipped late-return example.
QWidget* Report() {
  ShotData& d = Data();
  ReportRun run(d.doc, d.computation);
  run.Options() = DetailOptions();
  PrinterPageLength page(ReportPrinter(), ReportPrintFont());
  run.PrepareReports(page, false);
  ReportOptions options = run.Options();
  auto* window =
      new CEditReport(run.ReportPath(), {options.includeHeader, options.includeFooter, page.LinesPerPage()},
                      GetIntSetting(SettingId::ReportFontSize));
  return window;
}

QWidget* PrintPreview() {
  ShotData& d = Data();
  d.run = std::make_unique<ReportRun>(d.doc, d.computation);
  ReportOptions options = DetailOptions();
  options.includeHeader = true;
  options.includeFooter = true;
  d.doc.m_header.m_headings[0].SetText("Whitfield engagement -- late return 2018");
  d.run->Options() = options;
  const QFont font = ReportPrintFont();
  PrinterPageLength page(ReportPrinter(), font);
  d.run->PrepareReports(page, true);
  auto* dialog = new QPrintPreviewDialog(&ReportPrinter());
  dialog->setWindowTitle(QStringLiteral("Print Preview"));
  QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                   [font](QPrinter* printer) { PaintReportPages(*printer, *Data().run, font); });
  dialog->resize(820, 900);
  return dialog;
}

QWidget* Selection() {
  ShotData& d = Data();
  d.print.current = ReportOptions(CurrentReportSettings(), d.doc.m_computeDate);
  d.print.current.interestAndPenaltyDetail = true;
  d.print.current.includeDate = true;
  d.print.current.includeFooter = true;
  d.print.defaults = CurrentReportSettings();
  return new CReportSelection(d.print, d.doc);
}

QWidget* Setup() {
  ShotData& d = Data();
  d.setup.record = CurrentReportSettings();
  d.setup.record.interestAndPenaltyDetail = true;
  d.setup.record.mainScreenEvents = true;
  d.setup.record.includeDate = true;
  d.setup.record.fiscalYearEnd = 11;
  return new CReportSetup(d.setup, nullptr);
}

QWidget* Headers() {
  ShotData& d = Data();
  ReportTexts file = {"Holloway & Lin, CPAs", "Interest and penalty computation for tax year 2018",
                      "Prepared for client review", "Prepared using Zarvic"};
  d.headers = std::make_unique<HeadersModel>(TextsOf(CurrentReportSettings()), file);
  return new CHeaders(*d.headers);
}

}  // namespace

void RegisterReportShots(std::vector<Shot>& shots) {
  shots.push_back({QStringLiteral("report.png"), Report});
  shots.push_back({QStringLiteral("print-preview.png"), PrintPreview});
  shots.push_back({QStringLiteral("report-selection.png"), Selection});
  shots.push_back({QStringLiteral("report-setup.png"), Setup});
  shots.push_back({QStringLiteral("headers.png"), Headers});
}

}  // namespace zarvic
