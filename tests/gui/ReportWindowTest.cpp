// The report window over a shipped example's Interest and Penalty Detail, its exports, printing to a
// PDF (the page count and each page's text against the report run), and the report dialogs' rules.

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/AppOptions.h"
#include "core/Dates.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "gui/GuiTestSupport.h"
#include "problem/CTDoc.h"
#include "problem/DocumentManager.h"
#include "problem/EventTypes.h"
#include "problem/ProblemFile.h"
#include "reports/EngineReportComputation.h"
#include "reports/ReportDialogs.h"
#include "reports/ReportRun.h"
#include "reports/ReportSpreadsheet.h"
#include "reports/ReportTextCopy.h"
#include "reports/ReportWindow.h"
#include "reports/ui/CEditReport.h"
#include "reports/ui/ReportCommands.h"
#include "reports/ui/ReportDialogWindows.h"
#include "reports/ui/ReportPrinting.h"
#include "shell/MenuCommands.h"
#include "shell/StartUp.h"
#include "shell/ui/CAnyEdit.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTApp.h"
#include "shell/ui/CTEdit.h"
#include "shell/ui/CZrvChildView.h"
#include "shell/ui/QtUserInterface.h"
#include "support/TestFiles.h"
#include "support/ZipEntries.h"

namespace zarvic {
namespace {

std::string Text(int id) {
  return std::string(StringText(id));
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string RightTrimmed(std::string line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
  return line;
}

// Runs act on the report window once it is up, then closes it.
void WithReportWindow(std::function<void(CEditReport&)> act) {
  testing::WhenModalShown([act = std::move(act)](QWidget* modal) {
    auto* window = qobject_cast<CEditReport*>(modal);
    QVERIFY2(window != nullptr, "the report window did not open");
    act(*window);
    window->reject();
  });
}

// Calls act with the next modal window of class T once it is shown, so that a script of windows that
// open one over the other is answered in order.
template <typename T>
void WhenShown(std::function<void(T*)> act, int attempts = 300) {
  QTimer::singleShot(10, [act = std::move(act), attempts]() mutable {
    auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
    if (modal != nullptr && modal->isVisible()) {
      act(modal);
    } else if (attempts > 0) {
      WhenShown<T>(std::move(act), attempts - 1);
    }
  });
}

// Types name into a real file dialog and presses Enter.
void TypeIntoFileDialog(QFileDialog* dialog, const QString& name) {
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  QVERIFY(edit != nullptr);
  edit->setText(name);
  QTest::keyClick(edit, Qt::Key_Return);
}

}  // namespace

class ReportWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::RecordingDesktop> desktop_;
  std::unique_ptr<CTDoc> doc_;
  std::string work_;

  ReportOptions DetailOptions() {
    ReportOptions options;
    ResetReportOptions(options, *doc_);
    options.interestAndPenaltyDetail = true;
    return options;
  }

  // The run the window or the printer is given, made again on its own.
  std::unique_ptr<ReportRun> SameRun(EngineReportComputation& computation, const ReportOptions& options,
                                     bool printing) {
    auto run = std::make_unique<ReportRun>(*doc_, computation);
    run->Options() = options;
    PrinterPageLength page(ReportPrinter(), ReportPrintFont());
    run->PrepareReports(page, printing);
    return run;
  }

 private slots:
  void initTestCase() {
    testing::FixClock();
    work_ = (std::filesystem::temp_directory_path() / "report-window-test").string();
    SetProgramFolder(ZARVIC_BINARY_DIR);  // the templates and FEDERAL.TB3
  }

  void init() {
    CloseSettingsStore();
    std::filesystem::remove(std::getenv("ZARVIC_REGISTRY"));
    Options() = AppOptions{};
    CurrentReportSettings() = DefaultReportSettings();
    std::filesystem::remove_all(work_);
    std::filesystem::create_directories(work_);
    desktop_ = std::make_unique<testing::RecordingDesktop>();
    doc_ = std::make_unique<CTDoc>();
    QVERIFY(LoadProblemFile(*doc_, std::string(ZARVIC_SOURCE_DIR) + "/examples/LATE.ZR3", true));
    doc_->m_computeDate = doc_->m_header.m_computeDate;
  }

  void cleanup() {
    doc_.reset();
    desktop_.reset();
  }

  void windowShowsTheReportFileWithItsMargin() {
    EngineReportComputation computation;
    auto expected = SameRun(computation, DetailOptions(), false);
    QString expectedText;
    for (const auto& line : WithMargin(expected->ReadLines())) {
      if (!expectedText.isEmpty()) expectedText += '\n';
      expectedText += QString::fromStdString(line);
    }
    bool shown = false;
    WithReportWindow([&](CEditReport& window) {
      shown = true;
      QCOMPARE(window.TextField()->toPlainText(), expectedText);
      QCOMPARE(window.TextField()->accessibleName(), QString("Report"));
      QVERIFY(window.TextField()->font().fixedPitch());
      // Copy with nothing selected: the whole report, the caret where it was.
      window.TextField()->setFocus();
      QTest::keyClick(window.TextField(), Qt::Key_C, Qt::ControlModifier);
      QCOMPARE(QApplication::clipboard()->text(), expectedText);
      QVERIFY(!window.TextField()->textCursor().hasSelection());
      QCOMPARE(window.TextField()->textCursor().position(), 0);
    });
    OpenDetailReport(nullptr, *doc_);
    QVERIFY(shown);
  }

  void saveAsTextWritesTheWindowText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("written");
    QTest::newRow("a new file") << "saved.txt" << true;
    QTest::newRow("a folder that does not exist") << "missing/saved.txt" << false;
  }
  void saveAsTextWritesTheWindowText() {
    QFETCH(QString, name);
    QFETCH(bool, written);
    const std::string path = work_ + "/" + name.toStdString();
    desktop_->ui.files.push_back(path);
    std::string expected;
    WithReportWindow([&](CEditReport& window) {
      for (const auto& line : window.TextField()->toPlainText().split('\n'))
        expected += line.toStdString() + "\r\n";
      window.SaveAsAction()->trigger();
    });
    OpenDetailReport(nullptr, *doc_);
    QCOMPARE(desktop_->ui.fileRequests.at(0).defaultExtension, std::string("TXT"));
    const std::string message = written ? "Report saved to " + path : "Unable to open " + path;
    QCOMPARE(desktop_->ui.Texts(), std::vector<std::string>{message});
    QCOMPARE(std::filesystem::exists(path), written);
    if (written) QCOMPARE(ReadAll(path), expected);
  }

  // The save dialog asks before replacing a file, with the extension typed or added: the real file
  // dialog and message boxes of the program, answered by keys and clicks.
  void saveAsTextAsksBeforeReplacing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("answer");   // to the question; empty: no question expected
    QTest::addColumn<QString>("written");  // the file written; empty: nothing written
    QTest::newRow("no extension typed, No") << "kept"
                                            << "No"
                                            << "";
    QTest::newRow("extension typed, No") << "kept.TXT"
                                         << "No"
                                         << "";
    QTest::newRow("no extension typed, Yes") << "kept"
                                             << "Yes"
                                             << "kept.TXT";
    QTest::newRow("extension typed, Yes") << "kept.TXT"
                                          << "Yes"
                                          << "kept.TXT";
    QTest::newRow("lower-case file, no extension typed") << "lower"
                                                         << "Yes"
                                                         << "lower.txt";
    QTest::newRow("a new file") << "fresh"
                                << ""
                                << "fresh.TXT";
  }
  void saveAsTextAsksBeforeReplacing() {
    QFETCH(QString, typed);
    QFETCH(QString, answer);
    QFETCH(QString, written);
    QtUserInterface dialogs;
    ScopedUserInterface scoped(dialogs);
    for (const char* name : {"/kept.TXT", "/lower.txt"}) testing::WriteFile(work_ + name, "old");
    const QString folder = QString::fromStdString(work_);
    QString question;
    QString savedMessage;
    QString shownAgainAt;
    WithReportWindow([&](CEditReport& window) {
      WhenShown<QFileDialog>([&](QFileDialog* dialog) {
        if (!answer.isEmpty()) {
          WhenShown<QMessageBox>([&](QMessageBox* box) {
            question = box->text();
            if (answer == "No") {
              // The dialog comes back at the completed name; Cancel leaves everything as it was.
              WhenShown<QFileDialog>([&](QFileDialog* again) {
                shownAgainAt = again->selectedFiles().value(0);
                again->reject();
              });
            } else {
              WhenShown<QMessageBox>([&](QMessageBox* saved) {
                savedMessage = saved->text();
                saved->accept();
              });
            }
            box->button(answer == "No" ? QMessageBox::No : QMessageBox::Yes)->click();
          });
        } else {
          WhenShown<QMessageBox>([&](QMessageBox* saved) {
            savedMessage = saved->text();
            saved->accept();
          });
        }
        TypeIntoFileDialog(dialog, folder + "/" + typed);
      });
      window.SaveAsAction()->trigger();
    });
    OpenDetailReport(nullptr, *doc_);
    const QString target = typed.startsWith("lower")  ? "lower.txt"
                           : typed.startsWith("kept") ? "kept.TXT"
                                                      : "";
    QCOMPARE(question,
             answer.isEmpty() ? QString() : target + " already exists.\nDo you want to replace it?");
    if (answer == "No") QCOMPARE(shownAgainAt, folder + "/kept.TXT");
    for (const char* name : {"kept.TXT", "lower.txt"}) {
      const bool replaced = written == name;
      QCOMPARE(ReadAll(work_ + "/" + name) == "old", !replaced);
    }
    QCOMPARE(std::filesystem::exists(work_ + "/kept.txt"), false);  // never a second file beside it
    if (!written.isEmpty()) {
      QVERIFY(
          ReadAll(work_ + "/" + written.toStdString()).starts_with(" INTEREST AND PENALTY DETAIL REPORT"));
      QCOMPARE(savedMessage, "Report saved to " + folder + "/" + written);
    } else {
      QVERIFY(savedMessage.isEmpty());
    }
  }

  void fontSizeStaysWithinItsBounds() {
    WithReportWindow([&](CEditReport& window) {
      QCOMPARE(window.FontSize(), kReportFontDefault);
      for (int i = 0; i < 30; ++i) QTest::keyClick(window.TextField(), Qt::Key_Plus, Qt::ControlModifier);
      QTRY_COMPARE(window.FontSize(), 50);
      QTest::keyClick(window.TextField(), Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
      QTRY_COMPARE(window.FontSize(), 48);
      QTest::keyClick(window.TextField(), Qt::Key_Equal, Qt::ControlModifier);
      QTRY_COMPARE(window.FontSize(), 50);
      for (int i = 0; i < 30; ++i) QTest::keyClick(window.TextField(), Qt::Key_Minus, Qt::ControlModifier);
      QTRY_COMPARE(window.FontSize(), 4);
      QCOMPARE(window.TextField()->font().pointSize(), 4);
    });
    OpenDetailReport(nullptr, *doc_);
    QCOMPARE(GetIntSetting(SettingId::ReportFontSize), 4);  // stored when the window closed
  }

  // The stored placement is used only where a screen shows it, and is stored again on closing.
  void placementIsRestoredOnlyOnAVisibleScreen_data() {
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<bool>("restored");
    QTest::newRow("on the screen") << QRect(20, 30, 600, 400) << true;
    QTest::newRow("off every screen") << QRect(-5000, -4000, 600, 400) << false;
    QTest::newRow("no size") << QRect(20, 30, 0, 0) << false;
  }
  void placementIsRestoredOnlyOnAVisibleScreen() {
    QFETCH(QRect, stored);
    QFETCH(bool, restored);
    WriteIntSetting(SettingId::ReportX, stored.x());
    WriteIntSetting(SettingId::ReportY, stored.y());
    WriteIntSetting(SettingId::ReportW, stored.width());
    WriteIntSetting(SettingId::ReportH, stored.height());
    QRect shown;
    WithReportWindow([&](CEditReport& window) { shown = window.geometry(); });
    OpenDetailReport(nullptr, *doc_);
    QCOMPARE(shown == stored, restored);
    QCOMPARE(GetIntSetting(SettingId::ReportW), shown.width());
    QCOMPARE(GetIntSetting(SettingId::ReportX), shown.x());
  }

  // Any report opens in the window, whatever its size: a 1,000-event detail report (far beyond the
  // 65,000 bytes that once went to print preview) shows the report file's text, margin included.
  void thousandEventReportOpensInTheWindow() {
    const CEvent first = doc_->m_events[0];
    for (int i = 0; i < kMaxEvents; ++i) {
      CEvent& event = doc_->m_events[static_cast<std::size_t>(i)];
      event.Clear();
      event.m_type = i == 0 ? kEventTax : kEventPayment;
      event.m_date = i == 0 ? first.m_date : AddDays(first.m_date, 30 + i);
      event.m_amount = event.m_gattAmount = i == 0 ? 90000000.0 : 1000.0 + i;
    }
    doc_->m_computeDate = AddDays(first.m_date, 30 + kMaxEvents + 10);
    doc_->m_header.m_computeDate = doc_->m_computeDate;
    EngineReportComputation computation;
    auto expected = SameRun(computation, DetailOptions(), false);
    QVERIFY(std::filesystem::file_size(expected->ReportPath()) > 65000);
    QString expectedText;
    for (const auto& line : WithMargin(expected->ReadLines())) {
      if (!expectedText.isEmpty()) expectedText += '\n';
      expectedText += QString::fromStdString(line);
    }
    bool shown = false;
    WithReportWindow([&](CEditReport& window) {
      shown = true;
      QCOMPARE(window.TextField()->toPlainText(), expectedText);
      QCOMPARE(window.CloseCode(), ReportCloseCode::Closed);
    });
    OpenDetailReport(nullptr, *doc_);
    QVERIFY(shown);
    QVERIFY(QApplication::activeModalWidget() == nullptr);  // no print preview after the window
  }

  // "Open in Text Editor" writes a new copy each time, which stays after the window has closed.
  void textEditorCopiesAreNewAndKept() {
    std::filesystem::remove_all(TextCopyFolder());
    std::string copy;
    WithReportWindow([&](CEditReport& window) {
      QCOMPARE(window.NotepadAction()->text(), QString("Open in &Text Editor"));
      window.NotepadAction()->trigger();
      copy = window.NotepadFile();
      QCOMPARE(desktop_->launched, std::vector<std::string>{copy});
      QVERIFY(ReadAll(copy).starts_with(" INTEREST AND PENALTY DETAIL REPORT"));
      QVERIFY(!window.NotepadAction()->isEnabled());
      QVERIFY(!window.ExcelAction()->isEnabled());
      window.ExcelAction()->trigger();  // does nothing
      QCOMPARE(desktop_->launched.size(), size_t{1});
    });
    OpenDetailReport(nullptr, *doc_);
    QCOMPARE(copy, TextCopyFolder() + "/Untitled - Report.txt");
    QVERIFY(std::filesystem::exists(copy));  // the editor may still show it
    testing::WriteFile(copy, "edited in the editor");
    std::string second;
    WithReportWindow([&](CEditReport& window) {
      window.NotepadAction()->trigger();
      second = window.NotepadFile();
    });
    OpenDetailReport(nullptr, *doc_);
    QCOMPARE(second, TextCopyFolder() + "/Untitled - Report (2).txt");
    QCOMPARE(ReadAll(copy), std::string("edited in the editor"));
    QVERIFY(desktop_->ui.messages.empty());
  }

  // "Export to Spreadsheet..." writes where the dialog says, first proposed in the problem's folder,
  // then in the folder last used; a second export to another name leaves the first file as it was.
  void spreadsheetExportWritesWhereTheDialogSays() {
    const std::string cases = work_ + "/cases";
    const std::string out = work_ + "/out";
    std::filesystem::create_directories(cases);
    std::filesystem::create_directories(out);
    std::filesystem::copy_file(std::string(ZARVIC_SOURCE_DIR) + "/examples/LATE.ZR3", cases + "/LATE.ZR3");
    WindowPlan plan;
    plan.start = WindowStart::NoProblem;
    CTApp app;
    app.InitInstance(plan, false);
    CZrvChildView* view = app.OpenProblemFile(cases + "/LATE.ZR3");
    QVERIFY(view != nullptr);
    CTDoc& doc = view->Document()->problem;
    desktop_->ui.messages.clear();
    desktop_->ui.files = {out + "/first.xlsx", out + "/second.xlsx"};
    const std::string first = out + "/first.xlsx";
    std::string firstBytes;
    std::filesystem::file_time_type firstTime;
    WithReportWindow([&](CEditReport& window) {
      QCOMPARE(window.ExcelAction()->text(), QString("Export to Spreadsheet..."));
      window.ExcelAction()->trigger();
      QCOMPARE(desktop_->launched, std::vector<std::string>{first});
      firstBytes = ReadAll(first);
      firstTime = std::filesystem::last_write_time(first);
      QVERIFY(window.NotepadAction()->isEnabled());  // an export leaves both enabled
      QVERIFY(window.ExcelAction()->isEnabled());
      window.ExcelAction()->trigger();
    });
    OpenDetailReport(nullptr, doc);
    const std::string name = "/LATE - Interest and Penalty Detail.xlsx";
    QCOMPARE(desktop_->ui.fileRequests.size(), size_t{2});
    QCOMPARE(desktop_->ui.fileRequests[0].initialPath, cases + name);
    QCOMPARE(desktop_->ui.fileRequests[1].initialPath, out + name);
    QCOMPARE(desktop_->ui.fileRequests[0].defaultExtension, std::string("xlsx"));
    QCOMPARE(desktop_->launched, (std::vector<std::string>{first, out + "/second.xlsx"}));
    QVERIFY(desktop_->ui.messages.empty());
    QVERIFY(!firstBytes.empty());
    QCOMPARE(ReadAll(first), firstBytes);
    QVERIFY(std::filesystem::last_write_time(first) == firstTime);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(out))
      files.push_back(entry.path().filename());
    std::sort(files.begin(), files.end());
    QCOMPARE(files, (std::vector<std::string>{"first.xlsx", "second.xlsx"}));  // nothing else left there
    auto zip = testing::ZipEntries(ReadAll(out + "/second.xlsx"));
    QVERIFY(zip["xl/workbook.xml"].find("name=\"Interest and Penalty Detail\"") != std::string::npos);
    QVERIFY(zip["xl/sharedStrings.xml"].find("INTEREST AND PENALTY DETAIL REPORT<") != std::string::npos);
    // The first event's amount is a number, not a text.
    const std::string sheet = zip["xl/worksheets/sheet1.xml"];
    const size_t e7 = sheet.find("<c r=\"E7\"");
    QVERIFY(e7 != std::string::npos);
    QVERIFY(sheet.substr(e7, sheet.find("</c>", e7) - e7).find("t=\"s\"") == std::string::npos);
  }

  // With no program for ".xlsx" one message names the saved workbook and offers its folder.
  void spreadsheetExportWithoutAProgramNamesTheFile() {
    const std::string path = work_ + "/kept.xlsx";
    desktop_->ui.files = {path};
    desktop_->ui.answers = {Answer::Yes};
    std::vector<std::string> tried;
    FileLauncher recording = SetFileLauncher([&](const std::string& file) {
      tried.push_back(file);
      return file == work_;  // the folder opens, the workbook finds no program
    });
    WithReportWindow([&](CEditReport& window) { window.ExcelAction()->trigger(); });
    OpenDetailReport(nullptr, *doc_);
    SetFileLauncher(recording);
    QCOMPARE(desktop_->ui.fileRequests.at(0).initialPath,
             DocumentsFolder() + "/Untitled - Interest and Penalty Detail.xlsx");
    QCOMPARE(desktop_->ui.Texts(),
             std::vector<std::string>{"The workbook was saved as " + path +
                                      ", but no program opened it.\n\nDo you want to open its folder?"});
    QCOMPARE(desktop_->ui.messages.at(0).kind, MessageKind::YesNo);
    QCOMPARE(tried, (std::vector<std::string>{path, work_}));
    QVERIFY(ReadAll(path).starts_with("PK"));
  }

  void excelExportRefusesOtherReports() {
    ReportOptions options = DetailOptions();
    options.interestAndPenaltyDetail = false;
    options.mainScreenEvents = true;
    WithReportWindow([&](CEditReport& window) { window.ExcelAction()->trigger(); });
    ShowReports(nullptr, *doc_, options);
    QCOMPARE(desktop_->ui.Texts(), std::vector<std::string>{kOnlyDetailExports});
    QVERIFY(desktop_->launched.empty());
  }

  // With no printer the report printer is a US Letter PDF printer; the PDF holds the run's pages.
  void printWritesThePagesOfTheRun() {
    QVERIFY(NoPrinterInstalled());
    QCOMPARE(ReportPrinter().pageLayout().pageSize().id(), QPageSize::Letter);
    const std::string pdf = work_ + "/report.pdf";
    desktop_->ui.files.push_back(pdf);
    ReportOptions options = DetailOptions();
    options.includeHeader = true;
    options.includeFooter = true;
    doc_->m_header.m_headings[0].SetText("Whitfield engagement");
    doc_->m_header.m_footer.SetText("Prepared with Zarvic");
    QVERIFY(PrintReportRun(nullptr, *doc_, options, false));
    QCOMPARE(desktop_->ui.fileRequests.size(), size_t{1});
    QCOMPARE(desktop_->ui.fileRequests[0].defaultExtension, std::string("pdf"));
    QCOMPARE(desktop_->ui.fileRequests[0].initialPath,
             DocumentsFolder() + "/Untitled - Interest and Penalty Detail.pdf");

    EngineReportComputation computation;
    auto run = SameRun(computation, options, true);
    QVERIFY(run->PageCount() >= 1);
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(pdf)});
    QVERIFY(info.waitForFinished());
    const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(infoText.contains(QRegularExpression(QString("Pages:\\s+%1\\n").arg(run->PageCount()))),
             qPrintable(infoText));
    QVERIFY(infoText.contains("612 x 792 pts"));  // US Letter
    QVERIFY2(infoText.contains(
                 QRegularExpression("Title:\\s+Interest and Penalty Detail - Jordan A. Whitfield\\n")),
             qPrintable(infoText));
    // Each word of the PDF goes back to the line and column its position gives, in the print font's
    // character cell, so the comparison holds every blank and every blank line.
    QPrinter& printer = ReportPrinter();
    const QFont font = ReportPrintFont();
    const double toPoints = 72.0 / printer.resolution();
    const double charWidth = QFontMetricsF(font, &printer).horizontalAdvance(QLatin1Char('M')) * toPoints;
    const double lineSpacing = (QFontMetrics(font, &printer).height() + 2) * toPoints;
    const QPointF origin = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
    for (int page = 1; page <= run->PageCount(); ++page) {
      QProcess text;
      text.start("pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page),
                               QString::fromStdString(pdf), "-"});
      QVERIFY(text.waitForFinished());
      const QString html = QString::fromUtf8(text.readAllStandardOutput());
      std::vector<std::string> printed;
      static const QRegularExpression word(
          "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">(.*?)</word>");
      for (auto m = word.globalMatch(html); m.hasNext();) {
        auto match = m.next();
        // Half an inch of margin on every side of the US Letter page.
        const QRectF box(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                         QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
        QVERIFY2(box.left() >= 36.0 && box.top() >= 36.0 && box.right() <= 612.0 - 36.0 &&
                     box.bottom() <= 792.0 - 36.0,
                 qPrintable(QString("page %1: %2 at %3,%4-%5,%6")
                                .arg(page)
                                .arg(match.captured(5))
                                .arg(box.left())
                                .arg(box.top())
                                .arg(box.right())
                                .arg(box.bottom())));
        const auto row =
            static_cast<size_t>(std::lround((match.captured(2).toDouble() - origin.y()) / lineSpacing));
        const auto column =
            static_cast<size_t>(std::lround((match.captured(1).toDouble() - origin.x()) / charWidth));
        QString w = match.captured(5);
        w.replace("&lt;", "<")
            .replace("&gt;", ">")
            .replace("&quot;", "\"")
            .replace("&#39;", "'")
            .replace("&amp;", "&");
        if (printed.size() <= row) printed.resize(row + 1);
        std::string& line = printed[row];
        const std::string bytes = w.toStdString();
        if (line.size() < column) line.resize(column, ' ');
        line.replace(column, std::min(bytes.size(), line.size() - column), bytes);
      }
      std::vector<std::string> expected = run->ReadPage(page);
      for (auto& line : expected) line = RightTrimmed(line);
      while (!expected.empty() && expected.back().empty()) expected.pop_back();
      for (auto& line : printed) line = RightTrimmed(line);
      QCOMPARE(printed, expected);
      for (const auto& line : expected) QVERIFY(line.find("*****") == std::string::npos);  // no rule lines
    }
  }

  // Print to PDF from a problem window: the name proposed from the problem and the report, and the
  // status bar names the file written.
  void printToPdfNamesTheFileInTheStatusBar() {
    const std::string cases = work_ + "/cases";
    std::filesystem::create_directories(cases);
    std::filesystem::copy_file(std::string(ZARVIC_SOURCE_DIR) + "/examples/LATE.ZR3", cases + "/LATE.ZR3");
    WindowPlan plan;
    plan.start = WindowStart::NoProblem;
    CTApp app;
    app.InitInstance(plan, false);
    CZrvChildView* view = app.OpenProblemFile(cases + "/LATE.ZR3");
    QVERIFY(view != nullptr);
    desktop_->ui.messages.clear();
    const std::string pdf = work_ + "/printed.pdf";
    desktop_->ui.files = {pdf};
    ReportOptions options;
    ResetReportOptions(options, view->Document()->problem);
    options.monthlyAccrual = true;
    QVERIFY(PrintReportRun(nullptr, view->Document()->problem, options, false));
    QCOMPARE(desktop_->ui.fileRequests.at(0).initialPath, cases + "/LATE - Monthly Accrual.pdf");
    QVERIFY(std::filesystem::file_size(pdf) > 0);
    QCOMPARE(app.MainFrame()->statusBar()->currentMessage(),
             QString::fromStdString("Report printed to " + pdf));
    QVERIFY(desktop_->ui.messages.empty());
    // The next PDF is proposed in the folder this one went to.
    desktop_->ui.files = {std::nullopt};
    QVERIFY(!PrintReportRun(nullptr, view->Document()->problem, options, false));
    QCOMPARE(desktop_->ui.fileRequests.at(1).initialPath, work_ + "/LATE - Monthly Accrual.pdf");
  }

  // The main window's report commands open their dialogs (answered with Cancel here).
  void mainWindowCommandsOpenTheirDialogs_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("withProblem");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("Report Selection")
        << int(CommandId::ReportSelection) << true << "zarvic::CPreviewSelection";
    QTest::newRow("Print") << int(CommandId::FilePrint) << true << "zarvic::CReportSelection";
    QTest::newRow("Print Preview") << int(CommandId::FilePrintPreview) << true << "zarvic::CReportSelection";
    QTest::newRow("problem Report Setup")
        << int(CommandId::ReportSetupProblem) << true << "zarvic::CReportSetup";
    QTest::newRow("Report Setup") << int(CommandId::ReportSetup) << false << "zarvic::CReportSetup";
    QTest::newRow("Print Setup") << int(CommandId::FilePrintSetup) << false << "QPageSetupDialog";
  }
  void mainWindowCommandsOpenTheirDialogs() {
    QFETCH(int, command);
    QFETCH(bool, withProblem);
    QFETCH(QString, dialog);
    WindowPlan plan;
    plan.start = withProblem ? WindowStart::NewProblem : WindowStart::NoProblem;
    CTApp app;
    app.InitInstance(plan, false);
    desktop_->ui.messages.clear();
    QAction* action = app.MainFrame()->Action(static_cast<CommandId>(command));
    QVERIFY(action->isEnabled());
    QString opened;
    testing::WhenModalShown([&](QWidget* modal) {
      opened = QString::fromLatin1(modal->metaObject()->className());
      static_cast<QDialog*>(modal)->done(QDialog::Rejected);
    });
    action->trigger();
    QCOMPARE(opened, dialog);
    QVERIFY(desktop_->ui.messages.empty());
  }

  void selectionOffersOnlyReportsThatApply() {
    CurrentReportSettings().paymentAllocationDetail = true;
    CurrentReportSettings().penaltyComputationDetail = true;
    CTDoc plain;
    plain.ResetProblem();
    plain.m_events[0].m_type = kEventTax;
    plain.m_events[0].m_date = MakeDate(4, 15, 2023);
    plain.m_events[0].m_amount = 100000.0;
    PrintSelectionState print;
    print.current = ReportOptions(CurrentReportSettings());
    CReportSelection selection(print, plain);
    PreviewSelectionState preview;
    preview.switches = CurrentReportSettings();
    CPreviewSelection previewSelection(preview, plain);
    for (const ReportBoxes* boxes : {&selection.Reports(), &previewSelection.Reports()}) {
      for (auto member :
           {&ReportSettings::paymentAllocationDetail, &ReportSettings::penaltyComputationDetail}) {
        QVERIFY(!boxes->Box(member)->isEnabled());
        QVERIFY(!boxes->Box(member)->isChecked());
      }
    }
    // LATE has payments: offered as the defaults say.
    PrintSelectionState late;
    late.current = ReportOptions(CurrentReportSettings());
    CReportSelection lateSelection(late, *doc_);
    QVERIFY(lateSelection.Reports().Box(&ReportSettings::paymentAllocationDetail)->isEnabled());
    QVERIFY(lateSelection.Reports().Box(&ReportSettings::paymentAllocationDetail)->isChecked());
  }

  void printSelectionChecks_data() {
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("printed");
    QTest::newRow("nothing") << QStringList{} << "06-15-22" << QString::fromStdString(Text(20016)) << false;
    QTest::newRow("accrual, no date")
        << QStringList{"Monthly Accrual"} << "" << QString::fromStdString(Text(20023)) << false;
    QTest::newRow("detail, not a date") << QStringList{"&Interest and Penalty Detail"} << "13/45/99"
                                        << QString::fromStdString(Text(20023)) << false;
    QTest::newRow("rate table, no date") << QStringList{"Interest &Rate Table"} << "" << QString() << true;
    QTest::newRow("detail, 7/1/22") << QStringList{"&Interest and Penalty Detail"} << "7/1/22" << QString()
                                    << true;
  }
  void printSelectionChecks() {
    QFETCH(QStringList, boxes);
    QFETCH(QString, date);
    QFETCH(QString, message);
    QFETCH(bool, printed);
    desktop_->ui.files.push_back(work_ + "/selection.pdf");
    testing::WhenModalShown([&](QWidget* modal) {
      auto* dialog = qobject_cast<CReportSelection*>(modal);
      QVERIFY(dialog != nullptr);
      for (QCheckBox* box : dialog->Reports().boxes) box->setChecked(boxes.contains(box->text()));
      dialog->DateField()->selectAll();
      QTest::keyClick(dialog->DateField(), Qt::Key_Delete);
      QTest::keyClicks(dialog->DateField(), date);
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    PrintReports(nullptr, *doc_, false);
    QCOMPARE(desktop_->ui.Texts(), message.isEmpty() ? std::vector<std::string>{}
                                                     : std::vector<std::string>{message.toStdString()});
    QCOMPARE(std::filesystem::exists(work_ + "/selection.pdf"), printed);
    if (date == "7/1/22") QCOMPARE(doc_->m_computeDate, MakeDate(7, 1, 2022));
  }

  void previewSelectionRefusesABadDate() {
    PreviewSelectionState state;
    state.computeDate = NO_DATE;
    CPreviewSelection dialog(state, *doc_);
    dialog.show();
    QCOMPARE(dialog.DateField()->text(), QString("12-10-26"));  // today
    dialog.DateField()->selectAll();
    QTest::keyClicks(dialog.DateField(), "13/01/95");
    QTest::keyClick(dialog.DateField(), Qt::Key_Return);
    QCOMPARE(desktop_->ui.Texts(), std::vector<std::string>{Text(20035)});
    QVERIFY(dialog.isVisible());
    dialog.DateField()->selectAll();
    QTest::keyClicks(dialog.DateField(), "1/5/95");
    QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(state.computeDate, MakeDate(1, 5, 1995));
  }

  void setupCancelAsksToSaveChanges() {
    ReportSetupState state;
    state.record = CurrentReportSettings();
    CReportSetup dialog(state, nullptr);
    dialog.show();
    QTest::mouseClick(dialog.Reports().Box(&ReportSettings::monthlyAccrual), Qt::LeftButton);
    desktop_->ui.answers = {Answer::Cancel};
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    QCOMPARE(desktop_->ui.Texts(), std::vector<std::string>{Text(20008)});
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.Reports().Box(&ReportSettings::monthlyAccrual)->isChecked());
    desktop_->ui.answers = {Answer::Yes};
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(state.record.monthlyAccrual);
  }

  // Texts for all new problems reach the settings at the headers' OK, whatever the setup does next.
  void headersForAllNewFilesAreStoredEvenWhenTheSetupIsCancelled() {
    doc_->m_header.m_headings[0].SetText("this file");
    doc_->SetModified(false);
    ReportSetupState state;
    state.record = CurrentReportSettings();
    ReportSettings problemRecord = CurrentReportSettings();
    SetTexts(problemRecord, TextsOf(*doc_));
    state.problemRecord = problemRecord;
    CReportSetup dialog(state, doc_.get());
    dialog.show();
    testing::WhenModalShown([&](QWidget* modal) {
      auto* headers = qobject_cast<CHeaders*>(modal);
      QVERIFY(headers != nullptr);
      QVERIFY(headers->ThisFileButton()->isChecked());
      QCOMPARE(headers->Field(0)->text(), QString("this file"));
      QCOMPARE(headers->Field(3)->maxLength(), 132);  // what the problem file keeps of the footer
      QCOMPARE(headers->Field(3)->accessibleName(), QString("Footer"));
      // Up and Down move between the fields.
      headers->Field(1)->setFocus();
      QTest::keyClick(headers->Field(1), Qt::Key_Down);
      QTRY_VERIFY(headers->Field(2)->hasFocus());
      QTest::keyClick(headers->Field(2), Qt::Key_Up);
      QTRY_VERIFY(headers->Field(1)->hasFocus());
      QTest::mouseClick(headers->AllFilesButton(), Qt::LeftButton);
      QCOMPARE(headers->Field(0)->text(), QString(""));  // the new-file texts
      QCOMPARE(headers->Field(3)->text(), QString("Prepared using Zarvic"));
      headers->Field(3)->setFocus();
      headers->Field(3)->selectAll();
      QTest::keyClicks(headers->Field(3), "Footer for everyone");
      QTest::mouseClick(headers->OkButton(), Qt::LeftButton);
    });
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    QVERIFY(!dialog.Modified());
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);  // no question: "Edit..." changes nothing here
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(desktop_->ui.messages.empty());
    QCOMPARE(GetStringSetting(SettingId::Footer), std::string("Footer for everyone"));
    QCOMPARE(doc_->m_header.m_footer.Text(), std::string("Footer for everyone"));
    QCOMPARE(doc_->m_header.m_headings[0].Text(), std::string(""));
    QVERIFY(doc_->IsModified());  // the problem's texts changed at once, so it must be saved
  }
};

}  // namespace zarvic

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zarvic::ReportWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ReportWindowTest.moc"
