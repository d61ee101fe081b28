// The Deposit Penalty window driven with keys and clicks: a quarter typed in and its total, refusals
// with the old value back, "Add to Problem" and the problem's penalties, the worksheet kept with the
// saved problem, and a window opened and closed without change.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/Paths.h"
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
#include "worksheets/WorksheetKeeping.h"
#include "worksheets/WorksheetPenalty.h"
#include "worksheets/ui/CDepositPenaltyWindow.h"
#include "worksheets/ui/WorksheetGridView.h"
#include "worksheets/ui/WorksheetWindows.h"

namespace zarvic {
namespace {

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

QString Message(int id) {
  return QString::fromUtf8(StringText(id).data(), static_cast<qsizetype>(StringText(id).size()));
}

// The tax of the third quarter of 2025, computed on 12-10-2026.
std::unique_ptr<CTDoc> Problem() {
  auto doc = testing::FederalProblem({{kEventTax, "10-31-2025", 24000.00}});
  if (doc) {
    doc->m_computeDate = MakeDate(12, 10, 2026);
    doc->RecomputeTaxTotals();
    doc->SetModified(false);
  }
  return doc;
}

// examples/DEPTAX.TXT: a semiweekly quarter with a deposit made 7 days late (5%, $200.00) and a payment
// made with the return (10%, $400.00).
DepositPenaltyWorksheet Example() {
  DepositPenaltyWorksheet w;
  w.schedule = DepositSchedule::Semiweekly;
  w.periodStart = MakeDate(7, 1, 2025);
  w.periodEnd = MakeDate(9, 30, 2025);
  for (int day : {11, 25}) w.liabilities.push_back({MakeDate(7, day, 2025), 400000.0, NO_DATE});
  for (int day : {8, 22}) w.liabilities.push_back({MakeDate(8, day, 2025), 400000.0, NO_DATE});
  for (int day : {5, 19}) w.liabilities.push_back({MakeDate(9, day, 2025), 400000.0, NO_DATE});
  w.deposits = {
      {MakeDate(7, 16, 2025), 400000.0, false, NO_DATE}, {MakeDate(7, 30, 2025), 400000.0, false, NO_DATE},
      {MakeDate(8, 20, 2025), 400000.0, false, NO_DATE}, {MakeDate(8, 27, 2025), 400000.0, false, NO_DATE},
      {MakeDate(9, 10, 2025), 400000.0, false, NO_DATE}, {MakeDate(10, 31, 2025), 400000.0, true, NO_DATE}};
  return w;
}

// The penalties row of the results window (F9) at the problem's compute date.
Amount ComputedPenalties(CTDoc& doc) {
  if (!ComputeProblem(doc, true)) return -1.0;
  return ComputeResultValues(doc, doc.m_computeDate)[static_cast<int>(ResultRow::Penalties)];
}

void TypeField(QLineEdit* field, const QString& text) {
  testing::TypeInto(field, text);
  QTest::keyClick(field, Qt::Key_Tab);
  Settle();
}

// Types into a grid cell as a person would: F2 on the cell, the text over what it held, Tab.
void TypeCell(WorksheetGridView* grid, int row, int column, const QString& text) {
  grid->setFocus(Qt::TabFocusReason);
  grid->setCurrentCell(row, column);
  QTest::keyClick(grid, Qt::Key_F2);
  QWidget* editor = QApplication::focusWidget();
  QVERIFY(editor != nullptr && editor != grid);
  if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
  QTest::keyClicks(editor, text);
  QTest::keyClick(editor, Qt::Key_Tab);
  Settle();
}

void TypeRow(WorksheetGridView* grid, int row, const QStringList& cells) {
  for (int c = 0; c < cells.size(); ++c) {
    if (!cells[c].isEmpty()) TypeCell(grid, row, c, cells[c]);
  }
}

// When the window opens: act on it, then close it with its Close button (rejected instead when a
// check in act fails, so that a failure never hangs).
void WhenWindowShown(std::function<void(CDepositPenaltyWindow*)> act) {
  testing::WhenModalShown([act = std::move(act)](QWidget* window) {
    auto* w = qobject_cast<CDepositPenaltyWindow*>(window);
    if (w == nullptr) return;
    auto closeAnyway = qScopeGuard([w] {
      if (w->isVisible()) w->reject();
    });
    QVERIFY(QTest::qWaitForWindowActive(w));
    act(w);
    QTest::mouseClick(w->CloseButton(), Qt::LeftButton);
  });
}

}  // namespace

class DepositPenaltyWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    testing::FixClock();
    InstallEnterAsTab(*qApp);
    SetProgramFolder(ZARVIC_BINARY_DIR);  // the report templates
  }

  // A monthly second quarter of 2025, $3,000 of wages paid at each month's end. Worked by hand under
  // IRC 6656 and Treas. Reg. 31.6302-1: April's deposit is due 05-15 (a Thursday), May's on 06-15, a
  // Sunday, so on Monday 06-16 (IRC 7503), June's 07-15. The May deposit made 06-24 is 8 calendar days
  // late: 5% of $3,000 = $150.00; the others are on time. The quarter's $9,000 is above the $2,500 de
  // minimis limit and the $3,000 shortfall above the $100 / 2% allowance, so nothing spares it.
  void aQuarterTypedWithKeysGivesItsTotal() {
    testing::RecordingDesktop desktop;
    std::unique_ptr<CTDoc> doc = Problem();
    QVERIFY(doc);
    QString total;
    QString title;
    QString help;
    int rows = -1;
    QString mayRow;
    QStringList unnamed;
    QString figuredDue;
    QString typedTotal;
    QString escapedTotal;
    WhenWindowShown([&](CDepositPenaltyWindow* w) {
      title = w->windowTitle();
      help = HelpTopicOf(w);
      for (QWidget* child : w->findChildren<QWidget*>()) {
        const bool field = qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child) ||
                           qobject_cast<QCheckBox*>(child) || qobject_cast<QTableWidget*>(child);
        // The editor a combo box owns is announced by the combo box.
        if (field && child->accessibleName().isEmpty() && !qobject_cast<QComboBox*>(child->parentWidget()))
          unnamed << child->metaObject()->className();
      }
      TypeField(w->Field(DepositField::PeriodStart), QStringLiteral("4/1/2025"));
      TypeField(w->Field(DepositField::PeriodEnd), QStringLiteral("6/30/2025"));
      QCOMPARE(w->ScheduleBox()->currentText(), QStringLiteral("Monthly"));
      TypeRow(w->LiabilitiesGrid(), 0, {QStringLiteral("4/30/25"), QStringLiteral("3000")});
      TypeRow(w->LiabilitiesGrid(), 1, {QStringLiteral("5/30/25"), QStringLiteral("3,000.00")});
      TypeRow(w->LiabilitiesGrid(), 2, {QStringLiteral("6/30/25"), QStringLiteral("3000")});
      TypeRow(w->DepositsGrid(), 0, {QStringLiteral("5/15/25"), QStringLiteral("3000")});
      TypeRow(w->DepositsGrid(), 1, {QStringLiteral("6/24/25"), QStringLiteral("3000")});
      TypeRow(w->DepositsGrid(), 2, {QStringLiteral("7/15/25"), QStringLiteral("3000")});
      total = w->TotalLabel()->text();
      rows = w->ResultTable()->rowCount();
      QStringList cells;
      for (int c = 0; c < w->ResultTable()->columnCount(); ++c) cells << w->ResultTable()->item(1, c)->text();
      mayRow = cells.join(QLatin1Char('|'));
      figuredDue = w->Model().FiguredDueDate(1).c_str();
      // The total follows a cell as it is typed: the late deposit typed as made on its due date.
      WorksheetGridView* deposits = w->DepositsGrid();
      deposits->setFocus(Qt::TabFocusReason);
      deposits->setCurrentCell(1, 0);
      QTest::keyClick(deposits, Qt::Key_F2);
      auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
      QVERIFY(editor != nullptr && deposits->isAncestorOf(editor));
      editor->selectAll();
      QTest::keyClicks(editor, QStringLiteral("6/16/25"));
      typedTotal = w->TotalLabel()->text();
      QTest::keyClick(editor, Qt::Key_Escape);
      Settle();
      escapedTotal = w->TotalLabel()->text();
    });
    OpenDepositPenaltyWorksheet(nullptr, doc.get());
    QCOMPARE(title, QStringLiteral("Deposit Penalty"));
    QCOMPARE(help, QStringLiteral("::/html/ka_6ah.htm"));
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
    QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{});
    QCOMPARE(rows, 3);
    QCOMPARE(mayRow,
             QStringLiteral(
                 "05-30-25|3,000.00|06-16-25|by the monthly rule|06-24-25|3,000.00|deposited|8|5%|150.00"));
    QCOMPARE(figuredDue, QStringLiteral("06-16-25"));
    QCOMPARE(total, QStringLiteral("Total penalty: 150.00"));
    QCOMPARE(typedTotal, QStringLiteral("Total penalty: 0.00"));
    QCOMPARE(escapedTotal, QStringLiteral("Total penalty: 150.00"));
    // Closing kept the worksheet with the problem.
    QVERIFY(doc->IsModified());
    QCOMPARE(KeptDepositPenalty(*doc).liabilities.size(), std::size_t{3});
    QCOMPARE(KeptDepositPenalty(*doc).deposits[1].date, MakeDate(6, 24, 2025));
  }

  void badInputIsRefusedWithTheOldValueBack_data() {
    QTest::addColumn<QString>("where");  // a field, or "liabilities"/"deposits" and a column
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("kept");
    QTest::newRow("period start") << "start" << 0 << "07-32-25" << Message(kGridBadDateId) << "07-01-25";
    QTest::newRow("first notice") << "notice" << 0 << "soon" << Message(kGridBadDateId) << "";
    QTest::newRow("liability date") << "liabilities" << 0 << "7/11/2025x" << Message(kGridBadDateId)
                                    << "07-11-25";
    QTest::newRow("liability of a tenth of a cent")
        << "liabilities" << 1 << "4,000.005" << Message(kGridBeyondCentsId) << "4,000.00";
    QTest::newRow("negative deposit") << "deposits" << 1 << "-4000" << Message(kGridNegativeId) << "4,000.00";
    QTest::newRow("designated liability") << "deposits" << 3 << "8/32/25" << Message(kGridBadDateId) << "";
  }
  void badInputIsRefusedWithTheOldValueBack() {
    QFETCH(QString, where);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, kept);
    testing::RecordingDesktop desktop;
    std::unique_ptr<CTDoc> doc = Problem();
    QVERIFY(doc);
    KeepWorksheet(*doc, Example(), NO_DATE);
    doc->SetModified(false);
    QString shown;
    QString total;
    WhenWindowShown([&](CDepositPenaltyWindow* w) {
      if (where == QLatin1String("start") || where == QLatin1String("notice")) {
        QLineEdit* field =
            w->Field(where == QLatin1String("start") ? DepositField::PeriodStart : DepositField::FirstNotice);
        TypeField(field, typed);
        shown = field->text();
        QCOMPARE(QApplication::focusWidget(), field);
        QCOMPARE(field->selectedText(), field->text());
      } else {
        WorksheetGridView* grid =
            where == QLatin1String("liabilities") ? w->LiabilitiesGrid() : w->DepositsGrid();
        TypeCell(grid, 0, column, typed);
        shown = grid->item(0, column)->text();
        QCOMPARE(grid->currentRow(), 0);
        QCOMPARE(grid->currentColumn(), column);
      }
      total = w->TotalLabel()->text();
    });
    OpenDepositPenaltyWorksheet(nullptr, doc.get());
    QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{message.toStdString()});
    QCOMPARE(shown, kept);
    QCOMPARE(total, QStringLiteral("Total penalty: 600.00"));
    QVERIFY(!doc->IsModified());
    QCOMPARE(KeptDepositPenalty(*doc), Example());
  }

  // A change that leaves the worksheet unfigurable shows the message instead of rows, with the row at
  // fault selected.
  void anErrorShowsItsMessageAndTheRowAtFault() {
    testing::RecordingDesktop desktop;
    std::unique_ptr<CTDoc> doc = Problem();
    QVERIFY(doc);
    KeepWorksheet(*doc, Example(), NO_DATE);
    QString notes;
    QString total;
    int rows = -1;
    QModelIndexList selected;
    WhenWindowShown([&](CDepositPenaltyWindow* w) {
      TypeField(w->Field(DepositField::PeriodEnd), QStringLiteral("09-15-25"));
      notes = w->NotesLabel()->text();
      total = w->TotalLabel()->text();
      rows = w->ResultTable()->rowCount();
      selected = w->LiabilitiesGrid()->selectionModel()->selectedIndexes();
      TypeField(w->Field(DepositField::PeriodEnd), QStringLiteral("09-30-25"));
    });
    OpenDepositPenaltyWorksheet(nullptr, doc.get());
    QCOMPARE(notes, QStringLiteral("The liability of 09-19-25 is not in the return period."));
    QCOMPARE(total, QString());
    QCOMPARE(rows, 0);
    QVERIFY(!selected.isEmpty());
    for (const QModelIndex& index : selected) QCOMPARE(index.row(), 5);
  }

  // A liability paid in parts shows each part on a line of its own, all of them visible.
  void partsOfALiabilityShowOneALine() {
    testing::RecordingDesktop desktop;
    std::unique_ptr<CTDoc> doc = Problem();
    QVERIFY(doc);
    DepositPenaltyWorksheet w = Example();
    w.deposits[2].amount = 100000.0;  // $1,000 of the 08-08 liability on 08-20, the rest with the next
    w.deposits[3].amount = 700000.0;
    KeepWorksheet(*doc, w, NO_DATE);
    QString paid;
    int height = 0;
    int oneLine = 0;
    WhenWindowShown([&](CDepositPenaltyWindow* window) {
      QTableWidget* results = window->ResultTable();
      paid = results->item(2, kResultPaidOn)->text();
      height = results->rowHeight(2);
      oneLine = results->fontMetrics().height();
    });
    OpenDepositPenaltyWorksheet(nullptr, doc.get());
    QCOMPARE(paid, QStringLiteral("08-20-25\n08-27-25"));
    QVERIFY2(height >= 2 * oneLine, qPrintable(QStringLiteral("%1 %2").arg(height).arg(oneLine)));
  }

  void addToProblemAddsOnePenaltyThatComputeCounts() {
    testing::RecordingDesktop desktop;
    std::unique_ptr<CTDoc> doc = Problem();
    QVERIFY(doc);
    KeepWorksheet(*doc, Example(), NO_DATE);
    doc->SetModified(false);
    const Amount before = ComputedPenalties(*doc);
    QVERIFY(before >= 0.0);
    int eventsAfterFirst = -1;
    Amount afterFirst = -1.0;
    WhenWindowShown([&](CDepositPenaltyWindow* w) {
      // Without a date the event is refused, and the cursor goes to the date.
      QTest::mouseClick(w->AddButton(), Qt::LeftButton);
      Settle();
      QCOMPARE(QApplication::focusWidget(), w->Field(DepositField::PenaltyDate));
      QCOMPARE(FindWorksheetPenaltyEvent(*doc, WorksheetKind::DepositPenalty), -1);
      // A date typed and the button pressed before the field was left: the date is taken.
      testing::TypeInto(w->Field(DepositField::PenaltyDate), QStringLiteral("12-01-2025"));
      QTest::mouseClick(w->AddButton(), Qt::LeftButton);
      Settle();
      eventsAfterFirst = doc->EventCount();
      afterFirst = ComputedPenalties(*doc);
      // A first notice on 10-01-25: the payment with the return, after its 10th day, bears 15%. The
      // total follows the keys before the field is left.
      testing::TypeInto(w->Field(DepositField::FirstNotice), QStringLiteral("10-01-25"));
      QCOMPARE(w->TotalLabel()->text(), QStringLiteral("Total penalty: 800.00"));
      QTest::keyClick(w->Field(DepositField::FirstNotice), Qt::Key_Tab);
      Settle();
      QCOMPARE(w->TotalLabel()->text(), QStringLiteral("Total penalty: 800.00"));
      QTest::mouseClick(w->AddButton(), Qt::LeftButton);
      Settle();
    });
    OpenDepositPenaltyWorksheet(nullptr, doc.get());
    QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{StringText(kWorksheetPenaltyNeedsDateId).data()});
    QCOMPARE(eventsAfterFirst, 2);
    QCOMPARE(afterFirst - before, 60000.0);
    QCOMPARE(doc->EventCount(), 2);
    const int index = FindWorksheetPenaltyEvent(*doc, WorksheetKind::DepositPenalty);
    QVERIFY(index >= 0);
    const CEvent& event = doc->m_events[static_cast<std::size_t>(index)];
    QCOMPARE(event.m_type, kEventPenalty);
    QCOMPARE(event.m_date, MakeDate(12, 1, 2025));
    QCOMPARE(event.m_amount, 80000.0);
    QCOMPARE(ComputedPenalties(*doc) - before, 80000.0);
    QVERIFY(doc->IsModified());
  }

  void theSavedProblemShowsTheWorksheetAgain() {
    testing::RecordingDesktop desktop;
    std::unique_ptr<CTDoc> doc = Problem();
    QVERIFY(doc);
    WhenWindowShown([&](CDepositPenaltyWindow* w) {
      TypeField(w->Field(DepositField::PeriodStart), QStringLiteral("07-01-25"));
      TypeField(w->Field(DepositField::PeriodEnd), QStringLiteral("09-30-25"));
      w->ScheduleBox()->setFocus();
      QTest::keyClick(w->ScheduleBox(), Qt::Key_Down);
      QTest::mouseClick(w->AveragedBox(), Qt::LeftButton);
      TypeRow(w->LiabilitiesGrid(), 0,
              {QStringLiteral("07-11-25"), QStringLiteral("4000"), QStringLiteral("07-17-25")});
      TypeRow(w->DepositsGrid(), 0, {QStringLiteral("07-18-25"), QStringLiteral("4000")});
      w->DepositsGrid()->setFocus();
      w->DepositsGrid()->setCurrentCell(0, kDepositDirectColumn);
      QTest::keyClick(w->DepositsGrid(), Qt::Key_Space);
      Settle();
      TypeField(w->Field(DepositField::Demand), QStringLiteral("11-20-25"));
      TypeField(w->Field(DepositField::PenaltyDate), QStringLiteral("11-20-25"));
    });
    OpenDepositPenaltyWorksheet(nullptr, doc.get());
    const DepositPenaltyWorksheet typed = KeptDepositPenalty(*doc);
    QCOMPARE(typed.schedule, DepositSchedule::Semiweekly);
    QVERIFY(typed.averaged);
    QCOMPARE(typed.liabilities.size(), std::size_t{1});
    QCOMPARE(typed.liabilities[0].dueDate, MakeDate(7, 17, 2025));
    QCOMPARE(typed.deposits.size(), std::size_t{1});
    QVERIFY(typed.deposits[0].direct);

    const std::string path = (std::filesystem::temp_directory_path() / "deposit-window-test.ZR3").string();
    QVERIFY(SaveProblemFile(*doc, path));
    CTDoc reopened;
    QVERIFY(LoadProblemFile(reopened, path, true));
    std::filesystem::remove(path);
    QStringList shown;
    WhenWindowShown([&](CDepositPenaltyWindow* w) {
      for (DepositField f : {DepositField::PeriodStart, DepositField::PeriodEnd, DepositField::Demand,
                             DepositField::PenaltyDate})
        shown << w->Field(f)->text();
      shown << w->ScheduleBox()->currentText() << (w->AveragedBox()->isChecked() ? "averaged" : "by date");
      shown << w->LiabilitiesGrid()->item(0, kLiabilityDueDateColumn)->text();
      shown << (w->DepositsGrid()->item(0, kDepositDirectColumn)->checkState() == Qt::Checked ? "direct"
                                                                                              : "deposited");
      shown << w->TotalLabel()->text();
    });
    OpenDepositPenaltyWorksheet(nullptr, &reopened);
    QCOMPARE(shown.join(QLatin1Char('|')),
             QStringLiteral("07-01-25|09-30-25|11-20-25|11-20-25|Semiweekly|averaged|07-17-25|direct|") +
                 QString::fromStdString(DepositPenaltyWindowModel(reopened).TotalText()));
    QVERIFY(!reopened.IsModified());
    QCOMPARE(KeptDepositPenalty(reopened), typed);
  }

  void openedAndClosedWithoutChangeLeavesTheProblemAlone() {
    testing::RecordingDesktop desktop;
    OpenDepositPenaltyWorksheet(nullptr, nullptr);  // no problem, no window
    for (bool kept : {false, true}) {
      std::unique_ptr<CTDoc> doc = Problem();
      QVERIFY(doc);
      if (kept) KeepWorksheet(*doc, Example(), NO_DATE);
      doc->SetModified(false);
      const ProblemWorksheets before = doc->m_worksheets;
      // Fields and cells visited, nothing typed; then Escape.
      testing::WhenModalShown([](QWidget* window) {
        auto* w = qobject_cast<CDepositPenaltyWindow*>(window);
        if (w == nullptr) return;
        auto closeAnyway = qScopeGuard([w] {
          if (w->isVisible()) w->reject();
        });
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->Field(DepositField::PeriodStart)->setFocus();
        for (int i = 0; i < 8; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Settle();
        // The first Escape may only close a cell's editor.
        for (int i = 0; i < 2 && w->isVisible(); ++i) {
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
          Settle();
        }
      });
      OpenDepositPenaltyWorksheet(nullptr, doc.get());
      QVERIFY(!doc->IsModified());
      QVERIFY(doc->m_worksheets == before);
      QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{});
    }
  }

  void reportShowsTheWorksheetAsTyped() {
    testing::RecordingDesktop desktop;
    std::unique_ptr<CTDoc> doc = Problem();
    QVERIFY(doc);
    KeepWorksheet(*doc, Example(), NO_DATE);
    doc->SetModified(false);
    QString report;
    WhenWindowShown([&](CDepositPenaltyWindow* w) {
      // The notice typed but not yet left goes into the report.
      testing::TypeInto(w->Field(DepositField::FirstNotice), QStringLiteral("10-01-25"));
      testing::WhenModalShown([&](QWidget* shown) {
        auto* window = qobject_cast<CEditReport*>(shown);
        if (window == nullptr) return;
        report = window->TextField()->toPlainText();
        window->reject();
      });
      QTest::mouseClick(w->ReportButton(), Qt::LeftButton);
      Settle();
    });
    OpenDepositPenaltyWorksheet(nullptr, doc.get());
    QVERIFY2(report.contains(QStringLiteral("Deposit Penalty -- IRC 6656")), qPrintable(report));
    QVERIFY(report.contains(QRegularExpression(QStringLiteral("Total penalty \\.+ +800\\.00"))));
    QCOMPARE(KeptDepositPenalty(*doc).firstNotice, MakeDate(10, 1, 2025));
  }
};

}  // namespace zarvic

int main(int argc, char** argv) {
  zarvic::DesktopApplication app(argc, argv);
  zarvic::DepositPenaltyWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "DepositPenaltyWindowTest.moc"
