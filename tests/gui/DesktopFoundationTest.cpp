// The layer every window builds on: real message boxes, the wait cursor around them, number texts
// under a user's locale with a decimal comma, and the launcher seam.

#include <QAbstractButton>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QtTest>
#include <clocale>
#include <cstdio>

#include "core/Amounts.h"
#include "core/AppOptions.h"
#include "core/Text.h"
#include "gui/GuiTestSupport.h"
#include "shell/ui/DesktopApplication.h"
#include "shell/ui/QtUserInterface.h"

namespace zarvic {

class DesktopFoundationTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { testing::FixClock(); }

  // Regression: Qt's start-up took the C library's decimal comma from a German user, and the core's
  // amounts printed as "1,234,,56".
  void numbersStayLocaleFreeUnderAGermanUser() {
    QCOMPARE(QString::fromLatin1(std::setlocale(LC_NUMERIC, nullptr)), QStringLiteral("C"));
    QCOMPARE(QString::fromStdString(FormatAmount(123456, true, true, false)), QStringLiteral("1,234.56"));
    QCOMPARE(QString::fromStdString(FormatAmount(-123456, true, true, false)), QStringLiteral("<1,234.56>"));
    QCOMPARE(QString::fromStdString(StringPrintf("%.3f", 6.125)), QStringLiteral("6.125"));
    QCOMPARE(ParseAmountCents("1234.56"), 123456.0);
  }

  // A dialog without a parent window, closed: the focus is back in the field it was opened from, and
  // the opener may still send it elsewhere afterwards.
  void focusGoesBackToTheFieldADialogWasOpenedFrom() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    second->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(second));
    for (int round = 0; round < 2; ++round) {
      QDialog dialog;
      auto* inside = new QLineEdit(&dialog);
      (new QVBoxLayout(&dialog))->addWidget(inside);
      testing::WhenModalShown([inside](QWidget* modal) {
        inside->setFocus();
        static_cast<QDialog*>(modal)->accept();
      });
      dialog.exec();
      if (round == 0) {
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(second));
        QTRY_VERIFY(window.isActiveWindow());
      } else {
        first->setFocus();  // the opener's own choice after the dialog
        QTest::qWait(50);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(first));
      }
    }
  }

  void realMessageBoxIsAnsweredByItsButtons() {
    QtUserInterface ui;
    Options().specialCR = true;
    bool enterWasTab = true;
    QString shownText;
    testing::WhenModalShown([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      shownText = box->text();
      enterWasTab = SpecialCRActive();
      QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
      box->button(QMessageBox::No)->click();
    });
    ui.SetWaitCursor(true);
    ScopedUserInterface scoped(ui);
    Answer answer = MessageBoxText("Save Changes?", MessageKind::YesNoCancel);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.SetWaitCursor(false);
    QCOMPARE(static_cast<int>(answer), static_cast<int>(Answer::No));
    QCOMPARE(shownText, QStringLiteral("Save Changes?"));
    QVERIFY(!enterWasTab);
    QVERIFY(Options().specialCR);
    QVERIFY(SpecialCRActive());
    Options().specialCR = false;
  }

  void escapeGivesTheSafestAnswer() {
    QtUserInterface ui;
    struct Case {
      MessageKind kind;
      Answer expected;
    };
    for (Case c : {Case{MessageKind::Ok, Answer::Ok}, Case{MessageKind::OkCancel, Answer::Cancel},
                   Case{MessageKind::YesNoCancel, Answer::Cancel}}) {
      testing::WhenModalShown([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
      QCOMPARE(static_cast<int>(ui.Show("x", c.kind)), static_cast<int>(c.expected));
    }
  }

  void launcherIsReplaceableAndRecords() {
    testing::RecordingDesktop desktop;
    QVERIFY(LaunchFile("/tmp/report.txt"));
    QCOMPARE(desktop.launched.size(), size_t{1});
    QCOMPARE(QString::fromStdString(desktop.launched[0]), QStringLiteral("/tmp/report.txt"));
  }

  // Regression: a launcher that replaces itself while it runs must not be destroyed under its own feet.
  void launcherReplacingItselfKeepsRunning() {
    FileLauncher previous = SetFileLauncher([](const std::string& path) {
      SetFileLauncher([](const std::string&) { return false; });
      return path == "x";  // still reads its captured state after being replaced
    });
    QVERIFY(LaunchFile("x"));
    QVERIFY(!LaunchFile("x"));
    SetFileLauncher(previous);
  }
};

}  // namespace zarvic

int main(int argc, char** argv) {
  // A user whose numbers use a decimal comma; the application must not hand it to the C library.
  qputenv("LC_ALL", "de_DE.UTF-8");
  zarvic::DesktopApplication app(argc, argv);
  zarvic::DesktopFoundationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "DesktopFoundationTest.moc"
