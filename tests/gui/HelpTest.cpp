// The help window over the shipped pages, and the manuals beside the program.

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "core/Paths.h"
#include "gui/GuiTestSupport.h"
#include "shell/HelpTopics.h"
#include "shell/ui/DesktopApplication.h"
#include "shell/ui/Help.h"
#include "shell/ui/HelpWindow.h"

namespace zarvic {

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
