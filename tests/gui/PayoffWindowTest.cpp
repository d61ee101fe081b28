// The payoff calculator's window: a plan typed and calculated, its payments in the problem, the
// field checks and the report hook.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "core/AppOptions.h"
#include "core/StringTable.h"
#include "engine/ComputeDriver.h"
#include "gui/GuiTestSupport.h"
#include "payoff/PayoffCalculation.h"
#include "payoff/ui/CPayoffCalculation.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "ratetables/TableFile.h"
#include "shell/ui/DesktopApplication.h"
#include "shell/ui/EnterAsTab.h"

namespace zarvic {
namespace {

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// $10,000 of tax due 04-15-24 on the federal table, computed on 12-10-26.
std::unique_ptr<CTDoc> MakeProblem() {
  auto doc = std::make_unique<CTDoc>();
  if (!LoadTable(doc->m_rateTable, ZARVIC_BINARY_DIR "/FEDERAL.TB3", false)) return nullptr;
  doc->m_events[0].m_type = kEventTax;
  doc->m_events[0].m_date = MakeDate(4, 15, 2024);
  doc->m_events[0].m_amount = 1000000.0;
  doc->m_computeDate = MakeDate(12, 10, 2026);
  return doc;
}

int Payments(const CTDoc& doc) {
  const auto events = doc.ListedEvents();
  return static_cast<int>(
      std::count_if(events.begin(), events.end(), [](const CEvent& e) { return e.m_type == kEventPayment; }));
}

void Retype(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, text);
}

// When the payoff window opens: act on it, then close it with its Close button (rejected instead
// when a check in act fails, so that a failure never hangs).
void WhenPayoffShown(std::function<void(CPayoffCalculation*)> act) {
  testing::WhenModalShown([act = std::move(act)](QWidget* window) {
    auto* payoff = qobject_cast<CPayoffCalculation*>(window);
    if (payoff == nullptr) return;
    auto closeAnyway = qScopeGuard([payoff] { payoff->reject(); });
    QVERIFY(QTest::qWaitForWindowActive(payoff));
    act(payoff);
    payoff->findChild<QPushButton*>(QStringLiteral("close"))->click();
  });
}

}  // namespace

class PayoffWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    testing::FixClock();
    InstallEnterAsTab(*qApp);
  }

  void aFixedTermPlanIsInsertedIntoTheProblem() {
    testing::RecordingDesktop desktop;
    std::unique_ptr<CTDoc> doc = MakeProblem();
    QVERIFY(doc);
    const DayNumber tableEnd = doc->m_rateTable.endDate;
    DayNumber endSeenByReport = NO_DATE;
    CPayoffCalculation::ReportHook previous =
        CPayoffCalculation::SetPayoffReportHook([&](CTDoc& problem, QWidget*) { endSeenByReport = problem.m_rateTable.endDate; });
    QString results;
    WhenPayoffShown([&](CPayoffCalculation* payoff) {
      QCOMPARE(payoff->windowTitle(), QStringLiteral("Payoff Calculation"));
      QVERIFY(payoff->FixedTermButton()->isChecked());
      QVERIFY(payoff->TermField()->isEnabled());
      QVERIFY(!payoff->AmountField()->isEnabled());
      QCOMPARE(payoff->StartField()->text(), QStringLiteral("12-10-26"));
      QCOMPARE(payoff->AmountField()->accessibleName(), QStringLiteral("Ficed amount"));
      QCOMPARE(payoff->Results()->toPlainText(), QString::fromLatin1(kPayoffIntroText));
      QVERIFY(!payoff->ReportButton()->isEnabled());
      Retype(payoff->TermField(), QStringLiteral("24"));
      QTest::mouseClick(payoff->CalculateButton(), Qt::LeftButton);
      Settle();
      results = payoff->Results()->toPlainText();
      QVERIFY(payoff->ReportButton()->isEnabled());
      QTest::mouseClick(payoff->ReportButton(), Qt::LeftButton);
    });
    OpenPayoffCalculator(nullptr, doc.get());
    CPayoffCalculation::SetPayoffReportHook(previous);

    QVERIFY2(results.startsWith(QStringLiteral("Payoff will require ")), qPrintable(results));
    QVERIFY(results.contains(QStringLiteral(" on 12-10-26 through ")));
    QCOMPARE(Payments(*doc), 24);
    QVERIFY(doc->IsModified());
    QCOMPARE(doc->m_rateTable.endDate, tableEnd);
    QCOMPARE(doc->m_computeDate, MakeDate(11, 10, 2028));
    // Regression: the report's "Table ends" line named the last payment's date.
    QCOMPARE(endSeenByReport, tableEnd);
    QVERIFY(std::find(desktop.ui.refreshed.begin(), desktop.ui.refreshed.end(), doc.get()) !=
            desktop.ui.refreshed.end());
    QVERIFY(ComputeProblem(*doc, true));
    QVERIFY(std::abs(FinalTotal(*doc)) < 0.5);
  }

  void aFixedAmountUsesItsOwnField() {
    testing::RecordingDesktop desktop;
    std::unique_ptr<CTDoc> doc = MakeProblem();
    QVERIFY(doc);
    WhenPayoffShown([&](CPayoffCalculation* payoff) {
      QTest::mouseClick(payoff->FixedAmountButton(), Qt::LeftButton);
      QVERIFY(payoff->AmountField()->isEnabled());
      QVERIFY(!payoff->TermField()->isEnabled());
      Retype(payoff->AmountField(), QStringLiteral("2500"));
      QTest::keyClick(payoff->AmountField(), Qt::Key_Tab);
      Settle();
      QCOMPARE(payoff->AmountField()->text(), QStringLiteral("$2,500.00"));
      QTest::mouseClick(payoff->CalculateButton(), Qt::LeftButton);
      Settle();
    });
    OpenPayoffCalculator(nullptr, doc.get());
    QVERIFY(Payments(*doc) >= 4);
    QCOMPARE(doc->m_events[1].m_amount, 250000.0);
  }

  // Regression: a monthly amount too small for the event limit inserted payments up to it.
  void aPlanThatDoesNotFitInsertsNothing() {
    testing::RecordingDesktop desktop;
    std::unique_ptr<CTDoc> doc = MakeProblem();
    QVERIFY(doc);
    doc->SetModified(false);
    QString results;
    bool reportEnabled = true;
    WhenPayoffShown([&](CPayoffCalculation* payoff) {
      QTest::mouseClick(payoff->FixedAmountButton(), Qt::LeftButton);
      Retype(payoff->AmountField(), QStringLiteral("10"));
      QTest::mouseClick(payoff->CalculateButton(), Qt::LeftButton);
      Settle();
      results = payoff->Results()->toPlainText();
      reportEnabled = payoff->ReportButton()->isEnabled();
    });
    const DayNumber computeDate = MakeDate(12, 10, 2026);
    OpenPayoffCalculator(nullptr, doc.get());
    QVERIFY2(results.startsWith(
                 QString::fromLatin1(kPayoffTooManyEvents) +
                 QStringLiteral("\n\nThe smallest monthly amount that pays off the balance within the "
                                "999 payments that fit is $")),
             qPrintable(results));
    QVERIFY(!reportEnabled);
    QCOMPARE(Payments(*doc), 0);
    QCOMPARE(doc->EventCount(), 1);
    QCOMPARE(doc->m_computeDate, computeDate);
    QVERIFY(!doc->IsModified());
  }

  void badInputIsRefusedInItsField_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("kept");   // what the field holds after the refusal
    QTest::addColumn<QString>("again");  // what Calculate then says
    const QString malformed = QString::fromUtf8(StringText(kMalformedAmountId).data());
    QTest::newRow("term") << 0 << "1y" << kPayoffTermNotInteger << "1y" << kPayoffTermNotInteger;
    QTest::newRow("start") << 2 << "1.31.27" << kPayoffStartNotDate << "1.31.27" << kPayoffStartNotDate;
    // A malformed amount gives way to the amount held, which Calculate then finds too small.
    for (const char* typed : {"ten", "3,08O,514.86", "1.5E+06", "4x88.26"})
      QTest::newRow(typed) << 1 << typed << malformed << "$0.00" << kPayoffAmountTooSmall;
  }
  void badInputIsRefusedInItsField() {
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, kept);
    QFETCH(QString, again);
    testing::RecordingDesktop desktop;
    std::unique_ptr<CTDoc> doc = MakeProblem();
    QVERIFY(doc);
    QLineEdit* focused = nullptr;
    QLineEdit* refused = nullptr;
    QString selected;
    WhenPayoffShown([&](CPayoffCalculation* payoff) {
      desktop.ui.messages.clear();  // the cautions of the opening computation
      if (field == 1) QTest::mouseClick(payoff->FixedAmountButton(), Qt::LeftButton);
      QLineEdit* edits[] = {payoff->TermField(), payoff->AmountField(), payoff->StartField()};
      refused = edits[field];
      Retype(refused, typed);
      QTest::keyClick(refused, Qt::Key_Tab);
      Settle();
      focused = qobject_cast<QLineEdit*>(QApplication::focusWidget());
      selected = refused->selectedText();
      // Calculate checks again and plans nothing.
      QTest::mouseClick(payoff->CalculateButton(), Qt::LeftButton);
      Settle();
    });
    OpenPayoffCalculator(nullptr, doc.get());
    QCOMPARE(focused, refused);
    QCOMPARE(selected, kept);
    QCOMPARE(desktop.ui.Texts(), (std::vector<std::string>{message.toStdString(), again.toStdString()}));
    QCOMPARE(Payments(*doc), 0);
  }

  void noProblemOrNoBalanceOpensNothing() {
    testing::RecordingDesktop desktop;
    OpenPayoffCalculator(nullptr, nullptr);
    std::unique_ptr<CTDoc> doc = MakeProblem();
    QVERIFY(doc);
    doc->m_events[1].m_type = kEventPayment;
    doc->m_events[1].m_date = MakeDate(4, 15, 2024);
    doc->m_events[1].m_amount = 1000000.0;
    doc->m_rateTable.endDate = MakeDate(12, 31, 2026);
    OpenPayoffCalculator(nullptr, doc.get());
    QCOMPARE(desktop.ui.Texts(), (std::vector<std::string>{kPayoffNoProblem, kPayoffNoBalance}));
  }
};

}  // namespace zarvic

int main(int argc, char** argv) {
  zarvic::DesktopApplication app(argc, argv);
  zarvic::PayoffWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "PayoffWindowTest.moc"
