#include "reports/ui/ReportCommands.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <memory>

#include "core/Paths.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "problem/DocumentManager.h"
#include "reports/EngineReportComputation.h"
#include "reports/ReportDialogs.h"
#include "reports/ReportFileNames.h"
#include "reports/ReportRun.h"
#include "reports/ReportWindow.h"
#include "reports/ui/CEditReport.h"
#include "reports/ui/ReportDialogWindows.h"
#include "reports/ui/ReportPrinting.h"
#include "shell/HelpTopics.h"
#include "shell/StartUp.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CZrvChildView.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

constexpr int kUnableToOpenId = 20030;
constexpr int kPdfWrittenId = 21522;

QPrinter*& HeldPrinter() {
  static QPrinter* printer = nullptr;
  return printer;
}

void ReleasePrinter() {
  delete HeldPrinter();
  HeldPrinter() = nullptr;
}

bool OnVisibleScreen(const QRect& rect) {
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().contains(rect.topLeft())) return true;
  }
  return false;
}

void RestorePlacement(QWidget& window) {
  const QRect rect(GetIntSetting(SettingId::ReportX), GetIntSetting(SettingId::ReportY),
                   GetIntSetting(SettingId::ReportW), GetIntSetting(SettingId::ReportH));
  if (rect.width() > 0 && rect.height() > 0 && OnVisibleScreen(rect)) window.setGeometry(rect);
}

void StorePlacement(const CEditReport& window) {
  const QRect rect = window.geometry();
  WriteIntSetting(SettingId::ReportX, rect.x());
  WriteIntSetting(SettingId::ReportY, rect.y());
  WriteIntSetting(SettingId::ReportW, rect.width());
  WriteIntSetting(SettingId::ReportH, rect.height());
  WriteIntSetting(SettingId::ReportFontSize, window.FontSize());
}

// Where "&Print..." writes without a printer: a PDF file the person names, proposed from the problem
// and the report.
bool ChoosePdfOutput(QPrinter& printer, const CTDoc& doc, const ReportOptions& options) {
  FileChoice choice;
  choice.save = true;
  choice.title = "Print to PDF";
  choice.filter = "PDF files (*.pdf)|*.pdf|All Files (*.*)|*.*||";
  choice.defaultExtension = "pdf";
  choice.initialPath = SuggestedReportFile(ProblemFileOf(doc), ReportRunName(options), ".pdf",
                                           LastExportFolder(), DocumentsFolder());
  std::optional<std::string> path = ChooseFileName(choice);
  if (!path) return false;
  printer.setOutputFileName(QString::fromStdString(*path));
  return true;
}

void ShowInStatusBar(const std::string& text) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* frame = qobject_cast<CMainFrame*>(widget))
      frame->statusBar()->showMessage(QString::fromStdString(text));
  }
}

}  // namespace

std::string ProblemFileOf(const CTDoc& doc) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    for (CZrvChildView* view : top->findChildren<CZrvChildView*>()) {
      if (view->Document() != nullptr && &view->Document()->problem == &doc)
        return view->Document()->pathName;
    }
  }
  return {};
}

QPrinter& ReportPrinter() {
  if (HeldPrinter() == nullptr) {
    HeldPrinter() = MakeReportPrinter().release();
    qAddPostRoutine(ReleasePrinter);
  }
  return *HeldPrinter();
}

bool PrintReportRun(QWidget* parent, CTDoc& doc, const ReportOptions& options, bool preview) {
  QPrinter& printer = ReportPrinter();
  const bool toPdf = !preview && printer.outputFormat() == QPrinter::PdfFormat;
  if (!preview) {
    if (toPdf) {
      if (!ChoosePdfOutput(printer, doc, options)) return false;
    } else {
      QPrintDialog dialog(&printer, parent);
      if (dialog.exec() != QDialog::Accepted) return false;
    }
  }
  printer.setDocName(QString::fromStdString(
      Windows1252ToUtf8(ReportDocumentTitle(options, doc.m_header.m_taxpayerName.Text()))));
  const QFont font = ReportPrintFont();
  EngineReportComputation computation(Modes().gattDiagnostic);
  ReportRun run(doc, computation);
  run.Options() = options;
  PrinterPageLength page(printer, font);
  if (run.PrepareReports(page, true) == 0) return false;
  bool printed = true;
  if (preview) {
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    SetHelpTopic(&dialog, kHelpReportWindowTopic);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&run, &font](QPrinter* target) { PaintReportPages(*target, run, font); });
    dialog.resize(820, 900);
    dialog.exec();
  } else {
    printed = PaintReportPages(printer, run, font);
  }
  run.CloseReport();
  if (toPdf) {
    const std::string path = printer.outputFileName().toStdString();
    if (!printed) {
      MessageBoxText(StringPrintfDynamic(std::string(StringText(kUnableToOpenId)).c_str(), path.c_str()));
      return false;
    }
    RememberExportFolder(path);
    ShowInStatusBar(StringPrintfDynamic(std::string(StringText(kPdfWrittenId)).c_str(), path.c_str()));
  }
  return printed;
}

void ShowReports(QWidget* parent, CTDoc& doc, const ReportOptions& options) {
  ReportCloseCode code = ReportCloseCode::Closed;
  {
    EngineReportComputation computation(Modes().gattDiagnostic);
    ReportRun run(doc, computation);
    run.Options() = options;
    PrinterPageLength page(ReportPrinter(), ReportPrintFont());
    if (run.PrepareReports(page, false) == 0) return;
    const ReportPageDressing dressing{options.includeHeader, options.includeFooter, page.LinesPerPage()};
    CEditReport window(run.ReportPath(), dressing, GetIntSetting(SettingId::ReportFontSize), parent);
    window.SetProblemFile(ProblemFileOf(doc));
    code = window.CloseCode();
    if (window.Loaded()) {
      RestorePlacement(window);
      window.exec();
      code = window.CloseCode();
      StorePlacement(window);
    }
  }  // the window's report file goes with the run
  if (code != ReportCloseCode::Closed) PrintReportRun(parent, doc, options, code == ReportCloseCode::Preview);
}

void OpenDetailReport(QWidget* parent, CTDoc& doc) {
  ReportOptions options;
  ResetReportOptions(options, doc);
  options.interestAndPenaltyDetail = true;
  ShowReports(parent, doc, options);
}

void OpenWorksheetReport(QWidget* parent, CTDoc& doc, bool ReportSettings::*report) {
  ReportOptions options;
  ResetReportOptions(options, doc);
  options.*report = true;
  ShowReports(parent, doc, options);
}

void OpenReportSelection(QWidget* parent, CTDoc& doc) {
  ReportOptions options;
  const bool show = ReportSelectionCommand(doc, options, [&](PreviewSelectionState& state) {
    CPreviewSelection dialog(state, doc, parent);
    return dialog.exec() == QDialog::Accepted;
  });
  if (show) ShowReports(parent, doc, options);
}

void PrintReports(QWidget* parent, CTDoc& doc, bool preview) {
  ReportOptions options;
  options.computeDate = doc.m_computeDate;
  const bool go = PrintSelection(doc, options, [&](PrintSelectionState& state) {
    CReportSelection dialog(state, doc, parent);
    return dialog.exec() == QDialog::Accepted;
  });
  if (go) PrintReportRun(parent, doc, options, preview);
}

void ReportSetup(QWidget* parent, CTDoc* problem) {
  ReportSetupCommand(problem, [&](ReportSetupState& state) {
    CReportSetup dialog(state, problem, parent);
    return dialog.exec() == QDialog::Accepted;
  });
}

void RunReportCommand(QWidget* parent, CommandId id, CTDoc* problem) {
  switch (id) {
    case CommandId::ReportSetup:
      ReportSetup(parent, nullptr);
      return;
    case CommandId::FilePrintSetup:
      PrintSetup(parent);
      return;
    default:
      break;
  }
  if (problem == nullptr) return;
  switch (id) {
    case CommandId::ReportSelection:
      OpenReportSelection(parent, *problem);
      break;
    case CommandId::FilePrint:
    case CommandId::FilePrintPreview:
      PrintReports(parent, *problem, id == CommandId::FilePrintPreview);
      break;
    case CommandId::ReportSetupProblem:
      ReportSetup(parent, problem);
      break;
    default:
      break;
  }
}

void PrintSetup(QWidget* parent) {
  QPageSetupDialog dialog(&ReportPrinter(), parent);
  dialog.exec();
}

}  // namespace zarvic
