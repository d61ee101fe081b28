// The help window over the shipped pages, and the manuals beside the program.

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>
#include <functional>
#include <memory>

#include "allocation/ui/CDefaultPayment.h"
#include "allocation/ui/CPaymentAllocation.h"
#include "core/Paths.h"
#include "core/StringTable.h"
#include "engine/ui/CComputeResults.h"
#include "engine/ui/CCorpRefundDlg.h"
#include "engine/ui/CHotInterestDlg.h"
#include "gui/ComputeSupport.h"
#include "gui/GuiTestSupport.h"
#include "payoff/ui/CPayoffCalculation.h"
#include "penalties/PenaltyFormFields.h"
#include "penalties/ui/CPenaltyDialog.h"
#include "penalties/ui/CPenaltySelection.h"
#include "problem/EventTypes.h"
#include "ratetables/ui/CRateTableNotes.h"
#include "ratetables/ui/CTableEdit.h"
#include "reports/ui/CEditReport.h"
#include "reports/ui/ReportDialogWindows.h"
#include "shell/EventGridModel.h"
#include "shell/HelpTopics.h"
#include "shell/ui/CAboutDlg.h"
#include "shell/ui/CSComboBox.h"
#include "shell/ui/CTView.h"
#include "shell/ui/DesktopApplication.h"
#include "shell/ui/Help.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/QtUserInterface.h"

namespace zarvic {
namespace {

// A window as F1 meets it: made for a problem, with the control the key is pressed in (nullptr: the
// window's own focus), and the title its help page must have.
struct WindowCase {
  QString name;
  std::function<std::unique_ptr<QWidget>(CTDoc&)> make;
  QString pageTitle;
  std::function<QWidget*(QWidget&)> control = nullptr;
};

template <typename T>
QWidget* Child(QWidget& window) {
  return window.findChild<T*>();
}

// The grid column's editor, opened on the first row.
std::function<QWidget*(QWidget&)> Column(int column) {
  return [column](QWidget& window) -> QWidget* {
    auto& view = static_cast<CTView&>(window);
    view.ActivateCell(column, 0);
    return QApplication::focusWidget();
  };
}

std::vector<WindowCase> WindowCases() {
  static ReportTexts texts{"Heading 1", "Heading 2", "Heading 3", "Footer"};
  static HeadersModel headers(texts, texts);
  static PrintSelectionState print;
  static PreviewSelectionState preview;
  static ReportSetupState setup;
  std::vector<WindowCase> cases = {
      {"problem window", [](CTDoc& d) { return std::make_unique<CTView>(&d); }, "The Problem Window"},
      {"type column", [](CTDoc& d) { return std::make_unique<CTView>(&d); }, "Event Types",
       Column(kGridType)},
      {"date column", [](CTDoc& d) { return std::make_unique<CTView>(&d); }, "Event Dates",
       Column(kGridDate)},
      {"amount column", [](CTDoc& d) { return std::make_unique<CTView>(&d); }, "Event Amounts",
       Column(kGridAmount)},
      {"description column", [](CTDoc& d) { return std::make_unique<CTView>(&d); }, "Event Descriptions",
       Column(kGridDescription)},
      {"Penalty Selection",
       [](CTDoc& d) { return std::make_unique<CPenaltySelection>(d, PenaltySelectionList(d.TaxDate)); },
       "Penalty Selection"},
      {"hot interest", [](CTDoc& d) { return std::make_unique<CHotInterestDlg>(d); },
       "\"Hot\" Interest Information -- IRC 6621(c)"},
      {"C corporation refunds", [](CTDoc& d) { return std::make_unique<CCorpRefundDlg>(d); },
       "C Corporation Refund Issues"},
      {"Compute Results", [](CTDoc& d) { return std::make_unique<CComputeResults>(d, nullptr); },
       "Compute Results"},
      {"Payment Allocation",
       [](CTDoc& d) {
         d.m_compute.m_normalInterestTotal = 15000;
         ComputeDueByCategory(d, 1);
         return std::make_unique<CPaymentAllocation>(d, 1, d.m_dueByCategory);
       },
       "Payment Allocation"},
      {"Default Payment Allocation", [](CTDoc&) { return std::make_unique<CDefaultPayment>(); },
       "Default Payment Allocation"},
      {"Payoff Calculation", [](CTDoc& d) { return std::make_unique<CPayoffCalculation>(d); },
       "Payoff Calculation"},
      {"rate table editor", [](CTDoc& d) { return std::make_unique<CTableEdit>(&d.m_rateTable); },
       "Interest Rates (Rate Table Editor)"},
      {"rate table notes", [](CTDoc& d) { return std::make_unique<CRateTableNotes>(d.m_rateTable, true); },
       "Interest Rate Table Notes"},
      {"table has notes", [](CTDoc&) { return std::make_unique<CTableHasNotes>(); },
       "Interest Rate Table Notes"},
      {"report window",
       [](CTDoc&) {
         const QString path = QDir::temp().filePath(QStringLiteral("help-test-report.txt"));
         QFile file(path);
         if (file.open(QIODevice::WriteOnly)) file.write("Report line\r\n");
         file.close();
         return std::make_unique<CEditReport>(path.toStdString(), ReportPageDressing{}, 10);
       },
       "Report Window"},
      {"Report Selection (print)", [](CTDoc& d) { return std::make_unique<CReportSelection>(print, d); },
       "Report Selection"},
      {"Report Selection (report window)",
       [](CTDoc& d) { return std::make_unique<CPreviewSelection>(preview, d); }, "Report Selection"},
      {"Report Setup", [](CTDoc& d) { return std::make_unique<CReportSetup>(setup, &d); }, "Report Setup"},
      {"Report Headers and Footers", [](CTDoc&) { return std::make_unique<CHeaders>(headers); },
       "Report Headers and Footers"},
      {"About Zarvic", [](CTDoc&) { return std::make_unique<CAboutDlg>(); }, "About Zarvic"},
  };
  // The penalty windows, each from its row of the form table.
  for (int c = static_cast<int>(PenaltyWindowClass::C6651A1);
       c <= static_cast<int>(PenaltyWindowClass::C6663); ++c) {
    const auto cls = static_cast<PenaltyWindowClass>(c);
    const PenaltyForm& form = PenaltyFormOf(cls);
    const QString title = QString::fromUtf8(form.title.data(), form.title.size()).simplified();
    cases.push_back(
        {QString::fromUtf8(PenaltyWindowClassName(cls).data()),
         [cls, k = form.penalty](CTDoc& d) { return std::make_unique<CPenaltyDialog>(d, k, cls); }, title});
  }
  return cases;
}

QString Title(std::string_view title) {
  return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
}

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    testing::FixClock();
    SetProgramFolder(ZARVIC_BINARY_DIR);  // the build copies the help and the manuals there
  }
  void cleanup() {
    if (HelpWindow* w = ShownHelpWindow()) delete w;
    SetProgramFolder(ZARVIC_BINARY_DIR);
  }

  void menuTopicsOpenTheirPages_data() {
    QTest::addColumn<QString>("topic");
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::newRow("Index") << "::/html/ka_7_l.htm" << 0 << "html/ka_7_l.htm"
                           << "Index";
    QTest::newRow("Getting Started") << "::/html/n8a_hr.htm" << 99596 << "html/n8a_hr.htm"
                                     << "Getting Started";
    QTest::newRow("Refunds") << "::/html/ka_6cf.htm" << 99598 << "html/ka_6cf.htm"
                             << "Refunds and Refund Interest";
    QTest::newRow("Netting") << "::/html/ka_6cg.htm" << 99597 << "html/ka_6cg.htm"
                             << "Netting";
    QTest::newRow("Estimated Tax Penalties") << "::/html/ka_6ag.htm" << 99595 << "html/ka_6ag.htm"
                                             << "Estimated Tax Penalties";
    QTest::newRow("Tax Deposit Penalties") << "::/html/ka_6ah.htm" << 99599 << "html/ka_6ah.htm"
                                           << "Tax Deposit Penalties";
    QTest::newRow("Technical Support") << "::/html/2m265vp.htm" << 99594 << "html/2m265vp.htm"
                                       << "Technical Support";
    QTest::newRow("F1 in the type list") << "" << kHelpTypeListContext << "html/evtypes.htm"
                                         << "Event Types";
    QTest::newRow("F1 in the description") << "" << kHelpDescriptionContext << "html/evdesc.htm"
                                           << "Event Descriptions";
  }
  void menuTopicsOpenTheirPages() {
    QFETCH(QString, topic);
    QFETCH(int, context);
    QFETCH(QString, page);
    QFETCH(QString, title);
    testing::RecordingDesktop desktop;
    QWidget frame;
    if (!topic.isEmpty()) {
      OpenHelpTopic(&frame, topic);
      Check(page, title);
      delete ShownHelpWindow();
    }
    if (context != 0) {
      OpenHelpContext(&frame, context);
      Check(page, title);
    } else {
      OpenHelpIndex(&frame);
      Check(page, title);
    }
    QVERIFY(desktop.ui.messages.empty());
  }

  // Every request reuses the one help window, and its buttons walk the pages seen.
  void oneWindowWithBackForwardAndContents() {
    OpenHelpTopic(nullptr, QStringLiteral("::/html/ka_6cg.htm"));
    HelpWindow* window = ShownHelpWindow();
    QVERIFY(window != nullptr);
    OpenHelpIndex(nullptr);
    QCOMPARE(ShownHelpWindow(), window);
    QCOMPARE(window->CurrentPage(), QStringLiteral("html/ka_7_l.htm"));
    Button(window, "&Back")->click();
    QCOMPARE(window->CurrentPage(), QStringLiteral("html/ka_6cg.htm"));
    Button(window, "&Forward")->click();
    QCOMPARE(window->CurrentPage(), QStringLiteral("html/ka_7_l.htm"));
    Button(window, "&Contents")->click();
    QCOMPARE(window->CurrentPage(), QStringLiteral("html/contents.htm"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Zarvic Help - Zarvic Help"));
  }

  // A page that links to a page that is not shipped would leave the reader on an empty window.
  void everyLinkOfEveryPageIsShipped() {
    QDir html(HelpFolder() + QStringLiteral("/html"));
    const QStringList pages = html.entryList({QStringLiteral("*.htm")}, QDir::Files);
    QVERIFY(pages.size() >= 10);
    static const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)"));
    for (const QString& name : pages) {
      QFile file(html.filePath(name));
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QString text = QString::fromUtf8(file.readAll());
      QVERIFY2(text.contains(QStringLiteral("<title>")), qPrintable(name));
      for (auto it = href.globalMatch(text); it.hasNext();) {
        const QString target = it.next().captured(1);
        if (target.isEmpty()) continue;
        QVERIFY2(html.exists(target), qPrintable(name + QStringLiteral(" -> ") + target));
      }
    }
  }

  // F1 in every window opens a page of its own, whose title names the window.
  void f1OpensTheWindowsOwnPage_data() {
    QTest::addColumn<int>("row");
    const auto cases = WindowCases();
    for (size_t i = 0; i < cases.size(); ++i) QTest::newRow(qPrintable(cases[i].name)) << static_cast<int>(i);
  }
  void f1OpensTheWindowsOwnPage() {
    QFETCH(int, row);
    const WindowCase c = WindowCases()[static_cast<size_t>(row)];
    testing::RecordingDesktop desktop;
    auto doc = testing::FederalProblem({{kEventTax, "04-15-2021", 1000}, {kEventPayment, "06-01-2021", 500}});
    QVERIFY(doc != nullptr);
    doc->RecomputeTaxTotals();
    std::unique_ptr<QWidget> window = c.make(*doc);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QWidget* control = c.control ? c.control(*window) : QApplication::focusWidget();
    if (control == nullptr) control = window.get();
    QCOMPARE(control->window(), window->window());
    QTest::keyClick(control, Qt::Key_F1);
    QTRY_VERIFY(ShownHelpWindow() != nullptr);
    HelpWindow* help = ShownHelpWindow();
    QTRY_COMPARE(help->PageTitle(), c.pageTitle);
    QVERIFY(!help->Browser()->toPlainText().trimmed().isEmpty());
    const QString shown = window->windowTitle().simplified();
    if (qobject_cast<QDialog*>(window.get()) && c.name != "table has notes" &&
        c.name != "temporary file warning")
      QVERIFY2(c.pageTitle.startsWith(shown), qPrintable(shown));  // the page names the window
    delete help;
  }

  // The messages that say "Press F1" lead to the page that answers them.
  void pressF1InAMessage_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("title");
    QTest::newRow("allocation after a refund") << 18017 << "Payment Allocation";
    QTest::newRow("entered penalty and overpayment") << 20017 << "Netting";
    QTest::newRow("deposit not used") << 20019 << "How Interest Is Computed";
    QTest::newRow("delinquency above the tax") << 20048 << "Failure to Pay Amount Assessed -- IRC 6651(a)(3)";
  }
  void pressF1InAMessage() {
    QFETCH(int, id);
    QFETCH(QString, title);
    QVERIFY(StringText(id).find("F1") != std::string_view::npos);
    // Help already open from the main window: a modal message must take it over to let it be read.
    OpenHelpIndex(nullptr);
    QVERIFY(ShownHelpWindow() != nullptr);
    QString seen;
    bool ownedByTheBox = false;
    testing::WhenModalShown([&](QWidget* box) {
      QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_F1);
      QTRY_VERIFY(ShownHelpWindow() != nullptr && ShownHelpWindow()->PageTitle() != QStringLiteral("Index"));
      seen = ShownHelpWindow()->PageTitle();
      ownedByTheBox = ShownHelpWindow()->parentWidget() == box;
      QTest::keyClick(box, Qt::Key_Escape);
    });
    auto& app = static_cast<DesktopApplication&>(*qApp);
    app.Ui().Show(std::string(StringText(id)), MessageKind::Ok);
    QCOMPARE(seen, title);
    QVERIFY(ownedByTheBox);
  }

  // The index lists every page, and every page has the title the help's table gives it.
  void indexListsEveryPage() {
    QDir html(HelpFolder() + QStringLiteral("/html"));
    QFile index(html.filePath(QStringLiteral("ka_7_l.htm")));
    QVERIFY(index.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(index.readAll());
    const QStringList pages = html.entryList({QStringLiteral("*.htm")}, QDir::Files);
    for (const QString& page : pages)
      QVERIFY2(text.contains(QStringLiteral("href=\"") + page + QLatin1Char('"')), qPrintable(page));
    QCOMPARE(static_cast<size_t>(pages.size()), HelpTopics().size());
    for (const HelpTopic& t : HelpTopics()) {
      OpenHelpTopic(nullptr, Title(t.topic));
      QVERIFY(ShownHelpWindow() != nullptr);
      QCOMPARE(ShownHelpWindow()->PageTitle(), Title(t.title));
    }
  }

  void missingHelpIsReported() {
    QTemporaryDir empty;
    SetProgramFolder(empty.path().toStdString());
    testing::RecordingDesktop desktop;
    OpenHelpTopic(nullptr, QStringLiteral("::/html/ka_6cg.htm"));
    QCOMPARE(ShownHelpWindow(), static_cast<HelpWindow*>(nullptr));
    QCOMPARE(desktop.ui.messages.size(), size_t{1});
    QCOMPARE(QString::fromStdString(desktop.ui.messages[0].text),
             QStringLiteral("Zarvic cannot find a help file of either of the supported types.\n"
                            "Please contact Orlendt Software."));
  }

  void unknownContextShowsNothing() {
    testing::RecordingDesktop desktop;
    OpenHelpContext(nullptr, 4711);
    QCOMPARE(ShownHelpWindow(), static_cast<HelpWindow*>(nullptr));
    QVERIFY(desktop.ui.messages.empty());
  }

  void manualsAreBuiltBesideTheProgram() {
    for (const char* manual : {kUsersGuideManual, kImportExportManual}) {
      QVERIFY2(ManualAvailable(QString::fromLatin1(manual)), manual);
      QFile pdf(ManualPath(QString::fromLatin1(manual)));
      QVERIFY(pdf.open(QIODevice::ReadOnly));
      QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
    }
  }

  // Without a PDF viewer the same guide, made from the same sources, opens in the help window.
  void manualsWithoutAViewerOpenInTheHelpWindow_data() {
    QTest::addColumn<QString>("manual");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::newRow("User's Guide") << kUsersGuideManual << "manuals/Zarvic-Users-Guide.htm"
                                  << "Zarvic User's Guide";
    QTest::newRow("Import/Export") << kImportExportManual << "manuals/ImportExport.htm"
                                   << "Zarvic Import and Export Guide";
  }
  void manualsWithoutAViewerOpenInTheHelpWindow() {
    QFETCH(QString, manual);
    QFETCH(QString, page);
    QFETCH(QString, title);
    testing::RecordingDesktop desktop;
    SetFileLauncher([](const std::string&) { return false; });
    OpenManual(manual);
    QVERIFY(desktop.ui.messages.empty());
    HelpWindow* help = ShownHelpWindow();
    QVERIFY(help != nullptr);
    QCOMPARE(help->CurrentPage(), page);
    QCOMPARE(help->PageTitle(), title);
    QVERIFY(help->Browser()->toPlainText().contains(QStringLiteral("Rate")));
    // The guide alone, without its PDF, keeps the menu item usable.
    QTemporaryDir folder;
    SetProgramFolder(folder.path().toStdString());
    QVERIFY(!ManualAvailable(manual));
    QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("help/manuals")));
    QVERIFY(QFile::copy(QStringLiteral(ZARVIC_BINARY_DIR "/help/") + page,
                        folder.filePath(QStringLiteral("help/") + page)));
    QVERIFY(ManualAvailable(manual));
  }

  void manualsOpenThroughTheLauncher() {
    QTemporaryDir folder;
    SetProgramFolder(folder.path().toStdString());
    const QString guide = QString::fromLatin1(kUsersGuideManual);
    QVERIFY(!ManualAvailable(guide));  // missing: the menu item is disabled
    QFile file(folder.filePath(guide));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n");
    file.close();
    QVERIFY(ManualAvailable(guide));
    file.setPermissions(QFileDevice::Permissions{});
    if (!QFileInfo(file.fileName()).isReadable()) QVERIFY(!ManualAvailable(guide));  // root reads anyway
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    testing::RecordingDesktop desktop;
    OpenManual(guide);
    QCOMPARE(desktop.launched, std::vector<std::string>{folder.filePath(guide).toStdString()});
    QVERIFY(desktop.ui.messages.empty());

    SetFileLauncher([](const std::string&) { return false; });
    OpenManual(guide);
    QCOMPARE(desktop.ui.messages.size(), size_t{1});
    QCOMPARE(QString::fromStdString(desktop.ui.messages[0].text),
             QStringLiteral("No program could be started to show ") + folder.filePath(guide) +
                 QStringLiteral("."));
  }

 private:
  static void Check(const QString& page, const QString& title) {
    HelpWindow* window = ShownHelpWindow();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QCOMPARE(window->CurrentPage(), page);
    QCOMPARE(window->PageTitle(), title);
    QVERIFY(!window->Browser()->toPlainText().trimmed().isEmpty());
  }
  static QPushButton* Button(QWidget* window, const char* text) {
    for (QPushButton* b : window->findChildren<QPushButton*>()) {
      if (b->text() == QLatin1String(text)) return b;
    }
    return nullptr;
  }
};

}  // namespace zarvic

int main(int argc, char** argv) {
  zarvic::DesktopApplication app(argc, argv);
  zarvic::HelpTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "HelpTest.moc"
