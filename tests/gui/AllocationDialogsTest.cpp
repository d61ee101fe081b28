// The Payment Allocation and Default Payment Allocation windows, driven with keys and clicks, and F2
// on the rows of a problem window.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "allocation/PaymentAllocation.h"
#include "allocation/ui/CDefaultPayment.h"
#include "allocation/ui/CPaymentAllocation.h"
#include "core/AppOptions.h"
#include "core/FieldRules.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "engine/ui/CCorpRefundDlg.h"
#include "gui/ComputeSupport.h"
#include "gui/GuiTestSupport.h"
#include "penalties/PenaltyRecord.h"
#include "problem/DocumentManager.h"
#include "problem/EventTypes.h"
#include "shell/EventGridModel.h"
#include "shell/StartUp.h"
#include "shell/ui/CEditAmount.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTApp.h"
#include "shell/ui/CTView.h"
#include "shell/ui/CZrvChildView.h"

namespace zarvic {
namespace {

std::string Text(int id) {
  return std::string(StringText(id));
}

}  // namespace

class AllocationDialogsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::RecordingDesktop> desktop_;
  std::unique_ptr<CTDoc> doc_;
  std::string work_;

  testing::RecordingDesktop& Desktop() { return *desktop_; }

  // Tax $1,000 and $150 of interest due before a payment of $500 (event 1), as a computation through
  // the payment's date leaves them.
  std::unique_ptr<CPaymentAllocation> OpenOnPayment() {
    doc_ = testing::FederalProblem({{kEventTax, "01-01-2020", 1000}, {kEventPayment, "06-01-2020", 500}});
    doc_->m_compute.m_normalInterestTotal = 15000;
    ComputeDueByCategory(*doc_, 1);
    auto dialog = std::make_unique<CPaymentAllocation>(*doc_, 1, doc_->m_dueByCategory);
    dialog->show();
    if (!QTest::qWaitForWindowActive(dialog.get())) return nullptr;
    return dialog;
  }

 private slots:
  void initTestCase() {
    testing::FixClock();
    work_ = (std::filesystem::temp_directory_path() / "allocation-dialogs-test").string();
  }

  void init() {
    testing::StartFromNothing(work_);
    desktop_ = std::make_unique<testing::RecordingDesktop>();
  }

  void cleanup() {
    doc_.reset();
    desktop_.reset();
    SetProgramFolder("");
  }

  void moreThanTwelveCategoriesShowTwelveRows() {
    // Fifteen categories due: tax, interest, motivated tax and interest, an entered penalty, penalty
    // interest and nine statutory penalties.
    doc_ = testing::FederalProblem({{kEventTax, "01-01-2020", 1000},
                                    {kEventMotivatedTax, "01-01-2020", 1000},
                                    {kEventPenalty, "01-01-2020", 100},
                                    {kEventPayment, "06-01-2020", 500}});
    doc_->m_compute.m_normalInterestTotal = 1000;
    doc_->m_compute.m_motivatedInterestTotal = 1000;
    doc_->m_penaltyResults.PenaltyInterestTotal = 1000;
    for (int k = 0; k < 9; ++k) {
      doc_->m_penalties[k].SetFlag(PEN_ACTIVE, true);
      doc_->m_penaltyResults.PenaltyAmount[k] = 1000;
    }
    ComputeDueByCategory(*doc_, 3);
    CPaymentAllocation dialog(*doc_, 3, doc_->m_dueByCategory);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.RowCount(), 12);
    QCOMPARE(dialog.NameLabel(0)->text(), QString("Tax"));
    QCOMPARE(dialog.NameLabel(11)->text().toStdString(), Text(18500 + 11));
    for (int row = 0; row < 12; ++row) {
      QVERIFY(dialog.LetterField(row)->isVisible());
      QCOMPARE(dialog.LetterField(row)->toolTip(), "Priority for " + dialog.NameLabel(row)->text());
      QCOMPARE(dialog.AmountField(row)->toolTip(), "Amount for " + dialog.NameLabel(row)->text());
    }
    QCOMPARE(dialog.TotalLabel(0)->text(), QString("500.00"));
    QCOMPARE(dialog.DueLabel(0)->text(), QString("500.00"));
  }

  void specificAmountAboveThePayment() {
    auto dialog = OpenOnPayment();
    QVERIFY(dialog);
    testing::TypeInto(dialog->AmountField(1), "100");
    QTest::keyClick(dialog->AmountField(1), Qt::Key_Tab);
    QTRY_COMPARE(dialog->TotalLabel(1)->text(), QString("100.00"));
    QCOMPARE(dialog->TotalLabel(0)->text(), QString("400.00"));
    QVERIFY(Desktop().ui.messages.empty());

    testing::TypeInto(dialog->AmountField(0), "12345678901234567890");
    QTRY_COMPARE(dialog->AmountField(0)->text().size(), 16);  // the window's limit
    testing::TypeInto(dialog->AmountField(0), "450");         // with interest's $100: $550 of a $500 payment
    QTest::keyClick(dialog->AmountField(0), Qt::Key_Tab);
    QTRY_COMPARE(Desktop().ui.Texts(), std::vector<std::string>{Text(20042)});
    QCOMPARE(dialog->AmountField(0)->text(), QString("0.00"));
    QCOMPARE(doc_->m_events[1].m_allocation->m_specific[0], 0.0);
    QCOMPARE(dialog->TotalLabel(1)->text(), QString("100.00"));
  }

  // A malformed specific amount is refused: the message, the amount held, the focus back; OK pressed
  // while the field still holds one refuses it the same way and keeps the window open.
  void malformedSpecificAmountIsRefused_data() {
    QTest::addColumn<QString>("typed");
    for (const char* typed : {"3,08O,514.86", "1.5E+06", "4x88.26", "12,34", "abc"})
      QTest::newRow(typed) << typed;
  }
  void malformedSpecificAmountIsRefused() {
    QFETCH(QString, typed);
    auto dialog = OpenOnPayment();
    QVERIFY(dialog);
    testing::TypeInto(dialog->AmountField(1), "100");
    QTest::keyClick(dialog->AmountField(1), Qt::Key_Tab);
    QTRY_COMPARE(dialog->TotalLabel(1)->text(), QString("100.00"));
    testing::TypeInto(dialog->AmountField(1), typed);
    QTest::keyClick(dialog->AmountField(1), Qt::Key_Tab);
    const std::vector<std::string> refused{Text(kMalformedAmountId)};
    QTRY_COMPARE(Desktop().ui.Texts(), refused);
    QCOMPARE(dialog->AmountField(1)->text(), QString("100.00"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog->AmountField(1)));
    QCOMPARE(doc_->m_events[1].m_allocation->m_specific[1], 10000.0);
    QCOMPARE(dialog->TotalLabel(1)->text(), QString("100.00"));

    testing::TypeInto(dialog->AmountField(1), typed);
    dialog->accept();  // as Enter on the default button does, before the field is left
    QVERIFY(dialog->isVisible());
    QCOMPARE(Desktop().ui.messages.size(), size_t{2});
    QCOMPARE(dialog->AmountField(1)->text(), QString("100.00"));
    QCOMPARE(doc_->m_events[1].m_allocation->m_specific[1], 10000.0);
  }

  void interestLetterMovesMoneyAtOnce() {
    auto dialog = OpenOnPayment();
    QVERIFY(dialog);
    QCOMPARE(dialog->LetterField(1)->text(), QString("D"));
    QCOMPARE(dialog->TotalLabel(0)->text(), QString("500.00"));
    QCOMPARE(dialog->TotalLabel(1)->text(), QString("0.00"));
    testing::TypeInto(dialog->LetterField(1), "a");
    QCOMPARE(dialog->LetterField(1)->text(), QString("A"));  // upper-cased as typed
    QTest::keyClick(dialog->LetterField(1), Qt::Key_Tab);
    // Interest shares tax's letter: the two split the payment pro rata.
    QTRY_COMPARE(dialog->TotalLabel(1)->text(), QString("65.22"));
    QCOMPARE(dialog->TotalLabel(0)->text(), QString("434.78"));
    QCOMPARE(dialog->DueLabel(1)->text(), QString("84.78"));
    QCOMPARE(doc_->m_events[1].m_allocation->m_payment[1], 6522.0);  // written through
  }

  void restoreIrsDefault() {
    Options().defaultPaymentAllocation = "DADDDDDDDDDDDDD";  // the user's default differs
    auto dialog = OpenOnPayment();
    QVERIFY(dialog);
    QCOMPARE(dialog->LetterField(0)->text(), QString("D"));
    testing::TypeInto(dialog->AmountField(0), "50");
    QTest::keyClick(dialog->AmountField(0), Qt::Key_Tab);
    QTRY_COMPARE(dialog->AmountField(0)->text(), QString("50.00"));
    QTest::mouseClick(dialog->RestoreButton(), Qt::LeftButton);
    QCOMPARE(dialog->LetterField(0)->text(), QString("A"));
    QCOMPARE(dialog->LetterField(1)->text(), QString("D"));
    QCOMPARE(dialog->AmountField(0)->text(), QString("0.00"));
    QCOMPARE(dialog->TotalLabel(0)->text(), QString("500.00"));
    QCOMPARE(dialog->TotalLabel(1)->text(), QString("0.00"));
  }

  void cancelAsksToSave_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("open");
    QTest::newRow("yes keeps") << int(Answer::Yes) << int(QDialog::Accepted) << false;
    QTest::newRow("no cancels") << int(Answer::No) << int(QDialog::Rejected) << false;
    QTest::newRow("cancel stays") << int(Answer::Cancel) << -1 << true;
  }
  void cancelAsksToSave() {
    QFETCH(int, answer);
    QFETCH(int, result);
    QFETCH(bool, open);
    auto dialog = OpenOnPayment();
    QVERIFY(dialog);
    dialog->setResult(-1);
    testing::TypeInto(dialog->LetterField(1), "B");
    Desktop().ui.answers.push_back(static_cast<Answer>(answer));
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QCOMPARE(Desktop().ui.Texts(), std::vector<std::string>{Text(20008)});
    QCOMPARE(dialog->isVisible(), open);
    QCOMPARE(dialog->result(), result);
  }

  void okTakesTheFieldBeingEdited() {
    auto dialog = OpenOnPayment();
    QVERIFY(dialog);
    testing::TypeInto(dialog->LetterField(1), "A");
    dialog->accept();  // as Enter on the default button does, before the field is left
    QCOMPARE(doc_->m_events[1].m_allocation->m_priority[1], 'A');
    QCOMPARE(doc_->m_events[1].m_allocation->m_payment[1], 6522.0);
  }

  void defaultWindowStoresThirtyFiveLetters() {
    CDefaultPayment dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QString shown;
    for (int k = 0; k < 15; ++k) shown += dialog.Field(k)->text();
    QCOMPARE(shown, QString("ADBECDCCCCCCCCC"));
    QCOMPARE(dialog.Field(1)->toolTip(), QString("Normal Interest"));
    testing::TypeInto(dialog.Field(3), "b");
    QCOMPARE(dialog.Field(3)->text(), QString("B"));
    QTest::keyClick(dialog.Field(3), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const std::string expected = "ADBBCDCCCCCCCCC" + std::string(20, 'C');
    QCOMPARE(Options().defaultPaymentAllocation, expected);
    QCOMPARE(GetStringSetting(SettingId::DefaultPaymentAllocation), expected);
  }

  void defaultWindowEmptyLetterCancels() {
    Options().defaultPaymentAllocation = "BDAECDCCCCCCCCC";
    CDefaultPayment dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.Field(0)->text(), QString("B"));
    QTest::mouseClick(dialog.RestoreButton(), Qt::LeftButton);
    QCOMPARE(dialog.Field(0)->text(), QString("A"));
    dialog.Field(5)->clear();
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(Desktop().ui.messages.empty());
    QCOMPARE(Options().defaultPaymentAllocation, std::string("BDAECDCCCCCCCCC"));
  }

  // F2 in a problem window acts on the event of the current row.
  void f2OpensTheWindowOfTheRow_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("window");
    QTest::newRow("payment") << "LATE.ZR3" << 2 << "zarvic::CPaymentAllocation";
    QTest::newRow("IRS check") << "GATT.ZR3" << 2 << "zarvic::CCorpRefundDlg";
    QTest::newRow("tax") << "LATE.ZR3" << 0 << "";
  }
  void f2OpensTheWindowOfTheRow() {
    QFETCH(QString, file);
    QFETCH(int, row);
    QFETCH(QString, window);
    WindowPlan plan;
    plan.start = WindowStart::NoProblem;
    CTApp app;
    app.InitInstance(plan, false);
    CZrvChildView* child = app.OpenProblemFile(ZARVIC_SOURCE_DIR "/examples/" + file.toStdString());
    QVERIFY(child != nullptr);
    child->View()->ActivateCell(kGridDate, row);
    QString opened;
    int shownRows = -1;
    testing::WhenModalShown([&](QWidget* modal) {
      opened = QString::fromLatin1(modal->metaObject()->className());
      if (auto* allocation = qobject_cast<CPaymentAllocation*>(modal)) shownRows = allocation->RowCount();
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    CMainFrame& frame = *app.MainFrame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_F2);
    if (window.isEmpty()) {
      QTest::qWait(100);
      QVERIFY(opened.isEmpty());
    } else {
      QTRY_COMPARE(opened, window);
    }
    if (window == "zarvic::CPaymentAllocation") QVERIFY(shownRows >= 2);
  }
};

}  // namespace zarvic

QTEST_MAIN(zarvic::AllocationDialogsTest)
#include "AllocationDialogsTest.moc"
