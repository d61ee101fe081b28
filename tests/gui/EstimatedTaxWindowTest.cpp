// The "Estimated Tax Penalty" window: a Publication 505 example typed with keys, refusals that give
// the old value back, the one Entered penalty event it adds and updates, the problem's penalties after
// F9, the worksheet saved and read back, and a window opened and closed without a change.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "core/StringTable.h"
#include "engine/ComputeDriver.h"
#include "engine/ComputeResultsModel.h"
#include "gui/ComputeSupport.h"
#include "gui/GuiTestSupport.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "problem/ProblemFile.h"
#include "reports/ui/CEditReport.h"
#include "shell/ui/CAnyEdit.h"
#include "shell/ui/DesktopApplication.h"
#include "shell/ui/EnterAsTab.h"
#include "shell/ui/Help.h"
#include "shell/ui/HelpWindow.h"
#include "worksheets/WorksheetPenalty.h"
#include "worksheets/ui/CEstimatedTaxWindow.h"
#include "worksheets/ui/WorksheetGridView.h"
#include "worksheets/ui/WorksheetWindows.h"

namespace zarvic {
namespace {

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// The balance of Ben Brown's 2005 return due 04-17-06, computed on 12-10-26.
std::unique_ptr<CTDoc> BenBrownProblem() {
  auto doc = testing::FederalProblem({{kEventTax, "04-17-2006", 1803}});
  if (doc) {
    doc->m_computeDate = MakeDate(12, 10, 2026);
    doc->RecomputeTaxTotals();
  }
  return doc;
}

// Typed with keys and left with Tab, as a person does.
void Type(CEstimatedTaxWindow& w, EstTaxField field, const QString& text) {
  QLineEdit* edit = w.Field(field);
  testing::TypeInto(edit, text);
  QTest::keyClick(edit, Qt::Key_Tab);
  Settle();
}

// A grid cell typed into: F2 opens its editor, the typing replaces what it held, Tab leaves it.
void TypeCell(WorksheetGridView* view, int row, int column, const QString& text) {
  view->setFocus(Qt::TabFocusReason);
  view->setCurrentCell(row, column);
  QTest::keyClick(view, Qt::Key_F2);
  Settle();
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  QVERIFY(editor != nullptr && view->isAncestorOf(editor));
  editor->selectAll();
  QTest::keyClicks(editor, text);
  QTest::keyClick(editor, Qt::Key_Tab);
  Settle();
}

void TypeBenBrown(CEstimatedTaxWindow& w) {
  Type(w, EstTaxField::Year, QStringLiteral("2005"));
  Type(w, EstTaxField::CurrentTax, QStringLiteral("7,031"));
  Type(w, EstTaxField::PriorTax, QStringLiteral("6116"));
  Type(w, EstTaxField::PriorAgi, QStringLiteral("60000"));
  Type(w, EstTaxField::Withholding, QStringLiteral("3228"));
  TypeCell(w.PaymentsView(), 0, 0, QStringLiteral("09-02-05"));
  TypeCell(w.PaymentsView(), 0, 1, QStringLiteral("1000"));
  TypeCell(w.PaymentsView(), 1, 0, QStringLiteral("01-12-06"));
  TypeCell(w.PaymentsView(), 1, 1, QStringLiteral("1,000"));
}

// Shows the window and types Ben Brown's figures into it.
bool ShownWithBenBrown(CEstimatedTaxWindow& w) {
  w.show();
  if (!QTest::qWaitForWindowActive(&w)) return false;
  TypeBenBrown(w);
  return true;
}

Amount Penalties(CTDoc& doc) {
  if (!ComputeProblem(doc, true)) return -1.0;
  return ComputeResultValues(doc, doc.m_computeDate)[static_cast<int>(ResultRow::Penalties)];
}

int PenaltyEvents(const CTDoc& doc) {
  int n = 0;
  for (const CEvent& e : doc.ListedEvents()) n += e.m_type == kEventPenalty ? 1 : 0;
  return n;
}

QByteArray Saved(CTDoc& doc, const QString& path) {
  if (!SaveProblemFile(doc, path.toStdString())) return {};
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class EstimatedTaxWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    testing::FixClock();
    InstallEnterAsTab(*qApp);
    InstallHelpKey(*qApp);
  }

  void init() {
    testing::StartFromNothing((QDir::tempPath() + QStringLiteral("/esttax-window")).toStdString());
  }

  // Publication 505 (2006), Figure 4-B: Ben Brown's 2005 figures typed with keys give 68.51.
  void typingBenBrownGivesItsTotal() {
    testing::RecordingDesktop desktop;
    auto doc = BenBrownProblem();
    QVERIFY(doc);
    CEstimatedTaxWindow w(*doc);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.windowTitle(), QStringLiteral("Estimated Tax Penalty"));
    QCOMPARE(w.Field(EstTaxField::Year)->text(), QStringLiteral("2005"));  // the year before the tax date
    QCOMPARE(w.Field(EstTaxField::CurrentTax)->accessibleName(), QStringLiteral("Tax for the year"));
    TypeBenBrown(w);
    QVERIFY2(desktop.ui.messages.empty(),
             desktop.ui.messages.empty() ? "" : desktop.ui.messages[0].text.c_str());
    QCOMPARE(w.Total()->text(), QStringLiteral("Total penalty: 68.51"));
    QCOMPARE(w.Rows()->rowCount(), 4);
    QCOMPARE(w.Rows()->item(0, 0)->text(), QStringLiteral("04-15-05"));
    QCOMPARE(w.Rows()->item(0, 1)->text(), QStringLiteral("1,529.00"));
    QCOMPARE(w.Rows()->item(2, 2)->text(), QStringLiteral("1,807.00"));
    QCOMPARE(w.Field(EstTaxField::CurrentTax)->text(), QStringLiteral("7,031.00"));

    // The rows follow what is typed before the field is left.
    testing::TypeInto(w.Field(EstTaxField::Withholding), QStringLiteral("7031"));
    QCOMPARE(w.Total()->text(), QString::fromUtf8(StringText(kEstTaxUnderThousand).data()));
    QCOMPARE(w.Rows()->item(0, 4)->text(), QString());
    w.Field(EstTaxField::Withholding)->selectAll();
    QTest::keyClicks(w.Field(EstTaxField::Withholding), QStringLiteral("3,228.00"));
    QCOMPARE(w.Total()->text(), QStringLiteral("Total penalty: 68.51"));

    // And what is typed into a grid cell: the payment of 09-02-05 typed as made on 09-15-05 takes most
    // of the addition away at once; Escape leaves the payment, and the rows, as they were.
    WorksheetGridView* payments = w.PaymentsView();
    payments->setFocus(Qt::TabFocusReason);
    payments->setCurrentCell(0, 0);
    QTest::keyClick(payments, Qt::Key_F2);
    Settle();
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr && payments->isAncestorOf(editor));
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("09-15-05"));
    QVERIFY(w.Total()->text() != QStringLiteral("Total penalty: 68.51"));
    QTest::keyClick(editor, Qt::Key_Escape);
    Settle();
    QCOMPARE(payments->item(0, 0)->text(), QStringLiteral("09-02-05"));
    QCOMPARE(w.Total()->text(), QStringLiteral("Total penalty: 68.51"));
    w.CloseButton()->click();
  }

  // A value that does not read is refused with its message and the field, or cell, shows its old value.
  void badInputIsRefusedWithTheOldValueBack_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("year") << int(EstTaxField::Year) << "20O5" << kEstTaxNeedsYear << "2005";
    QTest::newRow("misread amount") << int(EstTaxField::CurrentTax) << "7,03,1" << kGridBadAmountId
                                    << "7,031.00";
    QTest::newRow("negative amount") << int(EstTaxField::PriorTax) << "-6116" << kGridNegativeId
                                     << "6,116.00";
    QTest::newRow("beyond the cents")
        << int(EstTaxField::Withholding) << "3228.005" << kGridBeyondCentsId << "3,228.00";
    QTest::newRow("fiscal start") << int(EstTaxField::FiscalStart) << "07-15-05" << kEstTaxBadFiscalStart
                                  << "";
    QTest::newRow("date") << int(EstTaxField::PenaltyDate) << "02-30-07" << kGridBadDateId << "";
  }
  void badInputIsRefusedWithTheOldValueBack() {
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(int, message);
    QFETCH(QString, shown);
    testing::RecordingDesktop desktop;
    auto doc = BenBrownProblem();
    CEstimatedTaxWindow w(*doc);
    QVERIFY(ShownWithBenBrown(w));
    QVERIFY(desktop.ui.messages.empty());
    const auto f = static_cast<EstTaxField>(field);
    Type(w, f, typed);
    QCOMPARE(desktop.ui.messages.size(), size_t{1});
    QCOMPARE(desktop.ui.messages[0].text, std::string(StringText(message)));
    QCOMPARE(w.Field(f)->text(), shown);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Field(f)));
    QCOMPARE(w.Total()->text(), QStringLiteral("Total penalty: 68.51"));
  }

  void badGridCellsAreRefusedWithTheOldValueBack() {
    testing::RecordingDesktop desktop;
    auto doc = BenBrownProblem();
    CEstimatedTaxWindow w(*doc);
    QVERIFY(ShownWithBenBrown(w));
    TypeCell(w.PaymentsView(), 0, 1, QStringLiteral("1.000,00"));
    TypeCell(w.PaymentsView(), 1, 0, QStringLiteral("13-12-06"));
    QCOMPARE(desktop.ui.Texts(), (std::vector<std::string>{std::string(StringText(kGridBadAmountId)),
                                                           std::string(StringText(kGridBadDateId))}));
    QCOMPARE(w.PaymentsView()->item(0, 1)->text(), QStringLiteral("1,000.00"));
    QCOMPARE(w.PaymentsView()->item(1, 0)->text(), QStringLiteral("01-12-06"));
    QCOMPARE(w.Total()->text(), QStringLiteral("Total penalty: 68.51"));
  }

  // "Add to Problem" adds one Entered penalty event; a second use updates it; F9's penalties grow by
  // exactly the addition.
  void addToProblemAddsOneEventAndF9SeesIt() {
    testing::RecordingDesktop desktop;
    auto doc = BenBrownProblem();
    QVERIFY(doc);
    const Amount before = Penalties(*doc);
    QVERIFY(before >= 0.0);
    CEstimatedTaxWindow w(*doc);
    QVERIFY(ShownWithBenBrown(w));
    QVERIFY(!doc->IsModified());
    Type(w, EstTaxField::PenaltyDate, QStringLiteral("06-01-07"));
    QTest::mouseClick(w.AddButton(), Qt::LeftButton);
    Settle();
    QVERIFY(desktop.ui.messages.empty());
    QCOMPARE(PenaltyEvents(*doc), 1);
    const int at = FindWorksheetPenaltyEvent(*doc, WorksheetKind::EstimatedTax);
    QVERIFY(at >= 0);
    QCOMPARE(doc->m_events[static_cast<std::size_t>(at)].m_amount, Amount{6851});
    QCOMPARE(doc->m_events[static_cast<std::size_t>(at)].m_date, MakeDate(6, 1, 2007));
    QVERIFY(doc->IsModified());
    QVERIFY(doc->m_worksheets.estimatedTax.has_value());

    // A second use, the payments changed: the same event, updated.
    TypeCell(w.PaymentsView(), 1, 1, QStringLiteral("500"));
    const Amount second = w.Model().Result().total;
    QVERIFY(second > 6851.0);
    QTest::mouseClick(w.AddButton(), Qt::LeftButton);
    Settle();
    QCOMPARE(PenaltyEvents(*doc), 1);
    QCOMPARE(
        doc->m_events[static_cast<std::size_t>(FindWorksheetPenaltyEvent(*doc, WorksheetKind::EstimatedTax))]
            .m_amount,
        second);
    w.CloseButton()->click();

    // The problem's penalties at the compute date, before and after: exactly the addition more.
    QCOMPARE(Penalties(*doc), before + second);
  }

  // The worksheet is saved with the problem and shown again when the problem is read back.
  void theSavedProblemReopensWithItsWorksheet() {
    testing::RecordingDesktop desktop;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BROWN.ZR3"));
    {
      auto doc = BenBrownProblem();
      CEstimatedTaxWindow w(*doc);
      QVERIFY(ShownWithBenBrown(w));
      w.FlagBox(EstTaxFlag::MarriedFilingSeparately)->click();
      w.CloseButton()->click();
      QVERIFY(doc->IsModified());
      QVERIFY(SaveProblemFile(*doc, path.toStdString()));
    }
    CTDoc reopened;
    QVERIFY(LoadProblemFile(reopened, path.toStdString(), true));
    reopened.RecomputeTaxTotals();
    CEstimatedTaxWindow w(reopened);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.Field(EstTaxField::Year)->text(), QStringLiteral("2005"));
    QCOMPARE(w.Field(EstTaxField::PriorAgi)->text(), QStringLiteral("60,000.00"));
    QVERIFY(w.FlagBox(EstTaxFlag::MarriedFilingSeparately)->isChecked());
    QCOMPARE(w.PaymentsView()->item(1, 0)->text(), QStringLiteral("01-12-06"));
    QCOMPARE(w.Total()->text(), QStringLiteral("Total penalty: 68.51"));
    w.CloseButton()->click();
    QVERIFY(!reopened.IsModified());
  }

  // Opened and closed without a change, a problem (with or without a worksheet) is not modified and
  // is saved byte for byte as before.
  void openedAndClosedWithoutChangeLeavesTheProblemAlone() {
    testing::RecordingDesktop desktop;
    QTemporaryDir dir;
    auto doc = BenBrownProblem();
    const QByteArray first = Saved(*doc, dir.filePath(QStringLiteral("A.ZR3")));
    QVERIFY(!first.isEmpty());
    doc->SetModified(false);
    for (int round = 0; round < 2; ++round) {
      CEstimatedTaxWindow w(*doc);
      w.show();
      QVERIFY(QTest::qWaitForWindowActive(&w));
      testing::TypeInto(w.Field(EstTaxField::Year), QStringLiteral("2004"));  // typed, then taken back
      w.Field(EstTaxField::Year)->selectAll();
      QTest::keyClicks(w.Field(EstTaxField::Year), QStringLiteral("2005"));
      QTest::keyClick(w.Field(EstTaxField::Year), Qt::Key_Tab);
      Settle();
      if (round == 0) {
        QTest::keyClick(&w, Qt::Key_Escape);
      } else {
        w.CloseButton()->click();
      }
      QVERIFY(!w.isVisible());
    }
    QVERIFY(!doc->IsModified());
    QVERIFY(!doc->m_worksheets.estimatedTax.has_value());
    QCOMPARE(Saved(*doc, dir.filePath(QStringLiteral("B.ZR3"))), first);
    QVERIFY(desktop.ui.messages.empty());
  }

  // The problem's payments of the year go into the grid with one click, never twice.
  void theProblemsPaymentsAreOfferedOnce() {
    testing::RecordingDesktop desktop;
    auto doc = testing::FederalProblem({{kEventTax, "04-17-2006", 1803},
                                        {kEventPayment, "09-02-2005", 1000},
                                        {kEventPayment, "01-12-2006", 1000},
                                        {kEventPayment, "06-01-2006", 1000}});
    doc->RecomputeTaxTotals();
    CEstimatedTaxWindow w(*doc);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::mouseClick(w.OfferButton(), Qt::LeftButton);
    Settle();
    QCOMPARE(w.PaymentsView()->rowCount(), 3);  // two and the empty row
    QCOMPARE(w.PaymentsView()->item(0, 0)->text(), QStringLiteral("09-02-05"));
    QCOMPARE(w.PaymentsView()->item(1, 1)->text(), QStringLiteral("1,000.00"));
    QTest::mouseClick(w.OfferButton(), Qt::LeftButton);
    Settle();
    QCOMPARE(w.PaymentsView()->rowCount(), 3);
    QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{std::string(StringText(kEstWinNoNewPayments))});
  }

  // The Compute menu's command opens the window over its problem, and nothing without one.
  void theMenuCommandOpensTheWindow() {
    testing::RecordingDesktop desktop;
    auto doc = BenBrownProblem();
    OpenEstimatedTaxWorksheet(nullptr, nullptr);
    QString title;
    testing::WhenModalShown([&](QWidget* modal) {
      auto closeAnyway = qScopeGuard([modal] { modal->close(); });
      auto* window = qobject_cast<CEstimatedTaxWindow*>(modal);
      QVERIFY(window != nullptr);
      title = window->windowTitle();
      QCOMPARE(&window->Model().Problem(), static_cast<const CTDoc*>(doc.get()));
      QTest::keyClick(window, Qt::Key_Escape);
    });
    OpenEstimatedTaxWorksheet(nullptr, doc.get());
    QCOMPARE(title, QStringLiteral("Estimated Tax Penalty"));
    QVERIFY(!doc->IsModified());
    QVERIFY(desktop.ui.messages.empty());
  }

  // "Report..." keeps the worksheet and shows its report in the report window; F1 opens the window's page.
  void reportAndHelp() {
    testing::RecordingDesktop desktop;
    SetProgramFolder(ZARVIC_BINARY_DIR);  // the templates and the help
    auto doc = BenBrownProblem();
    CEstimatedTaxWindow w(*doc);
    QVERIFY(ShownWithBenBrown(w));
    QString shown;
    testing::WhenModalShown([&](QWidget* modal) {
      auto closeAnyway = qScopeGuard([modal] { modal->close(); });
      if (auto* report = qobject_cast<CEditReport*>(modal)) shown = report->TextField()->toPlainText();
    });
    QTest::mouseClick(w.ReportButton(), Qt::LeftButton);
    QVERIFY(doc->m_worksheets.estimatedTax.has_value());
    QVERIFY2(shown.contains(QStringLiteral("Total penalty")) && shown.contains(QStringLiteral("68.51")),
             qPrintable(shown));

    QTest::keyClick(w.Field(EstTaxField::Year), Qt::Key_F1);
    QTRY_VERIFY(ShownHelpWindow() != nullptr);
    QTRY_COMPARE(ShownHelpWindow()->PageTitle(), QStringLiteral("Estimated Tax Penalties"));
    delete ShownHelpWindow();
    w.CloseButton()->click();
  }
};

}  // namespace zarvic

int main(int argc, char** argv) {
  zarvic::DesktopApplication app(argc, argv);
  zarvic::EstimatedTaxWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "EstimatedTaxWindowTest.moc"
