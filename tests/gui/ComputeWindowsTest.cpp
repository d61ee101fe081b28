// The results window (F9), the hot interest window and the C-corporation refund window, driven with
// keys and clicks; the results window shows what the core computes for the same problem.

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/AppOptions.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "engine/ComputeDriver.h"
#include "engine/ComputeResultsModel.h"
#include "engine/ui/CComputeResults.h"
#include "engine/ui/CCorpRefundDlg.h"
#include "engine/ui/CHotInterestDlg.h"
#include "gui/ComputeSupport.h"
#include "gui/GuiTestSupport.h"
#include "problem/DocumentManager.h"
#include "problem/EventTypes.h"
#include "problem/ProblemFile.h"
#include "shell/StartUp.h"
#include "shell/ui/CEditAmount.h"
#include "shell/ui/CEditDate.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTApp.h"
#include "shell/ui/CZrvChildView.h"

Q_DECLARE_METATYPE(std::function<zarvic::CZrvChildView*(zarvic::CTApp&)>)

namespace zarvic {
namespace {

std::string Text(int id) {
  return std::string(StringText(id));
}

using ProblemSource = std::function<CZrvChildView*(CTApp& app)>;

// A shipped example problem, opened from its file as File > Open would.
ProblemSource ExampleFile(const char* name) {
  return
      [name](CTApp& app) { return app.OpenProblemFile(std::string(ZARVIC_SOURCE_DIR "/examples/") + name); };
}

QStringList ShownValues(const CComputeResults& dialog) {
  QStringList out;
  for (int row = 0; row < kResultRows; ++row) out << dialog.ValueLabel(static_cast<ResultRow>(row))->text();
  return out;
}

}  // namespace

class ComputeWindowsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::RecordingDesktop> desktop_;
  std::unique_ptr<CTApp> app_;
  std::string work_;

  testing::RecordingDesktop& Desktop() { return *desktop_; }

 private slots:
  void initTestCase() {
    testing::FixClock();
    work_ = (std::filesystem::temp_directory_path() / "compute-windows-test").string();
  }

  void init() {
    testing::StartFromNothing(work_);
    desktop_ = std::make_unique<testing::RecordingDesktop>();
  }

  void cleanup() {
    app_.reset();
    desktop_.reset();
    SetProgramFolder("");
  }

  // Add a row for every way a problem gets into a window; the expected values are the core's own
  // computation of the very problem the window shows.
  void f9ShowsTheCoreTotals_data() {
    QTest::addColumn<ProblemSource>("source");
    QTest::newRow("GATT.ZR3 from file") << ExampleFile("GATT.ZR3");
    QTest::newRow("HOT.ZR3 from file") << ExampleFile("HOT.ZR3");
    QTest::newRow("LATE.ZR3 from file") << ExampleFile("LATE.ZR3");
  }
  void f9ShowsTheCoreTotals() {
    QFETCH(ProblemSource, source);
    WindowPlan plan;
    plan.start = WindowStart::NoProblem;
    app_ = std::make_unique<CTApp>();
    app_->InitInstance(plan, false);
    CMainFrame& frame = *app_->MainFrame();
    CZrvChildView* child = source(*app_);
    QVERIFY(child != nullptr);
    QCOMPARE(frame.ActiveChild(), child);

    // The core's own run on a copy of the problem the window shows (through its file image).
    CTDoc& shownDoc = child->Document()->problem;
    auto copy = std::make_unique<CTDoc>();
    {
      testing::RecordingDesktop quiet;
      const std::string image = WriteProblem(shownDoc);
      QVERIFY(ReadProblem(*copy, std::span(reinterpret_cast<const std::uint8_t*>(image.data()), image.size()),
                          false));
      copy->m_rateTable = shownDoc.m_rateTable;
      copy->m_computeDate = shownDoc.m_computeDate;
      QVERIFY(ComputeProblem(*copy, true));
    }
    const ResultValues values = ComputeResultValues(*copy, copy->m_computeDate);
    QStringList expected;
    for (int row = 0; row < kResultRows; ++row) {
      expected << QString::fromStdString(FormatResultValue(static_cast<ResultRow>(row), values[row]));
    }

    QStringList shown;
    QString date;
    bool opened = false;
    testing::WhenModalShown([&](QWidget* modal) {
      auto* results = qobject_cast<CComputeResults*>(modal);
      if (results == nullptr) return;
      opened = true;
      shown = ShownValues(*results);
      date = results->DateField()->text();
      QTest::keyClick(results, Qt::Key_Escape);
    });
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_F9);
    QTRY_VERIFY(opened);
    QCOMPARE(shown, expected);
    QCOMPARE(date.toStdString(), FormatDate(copy->m_computeDate));
    // The window computes the problem in place.
    QCOMPARE(FinalTotal(child->Document()->problem), values[6]);
  }

  void f9WithoutEventsSays20028() {
    app_ = std::make_unique<CTApp>();
    app_->InitInstance(WindowPlan{}, false);
    app_->MainFrame()->Action(CommandId::ComputeTotals)->trigger();
    QCOMPARE(Desktop().ui.Texts(), std::vector<std::string>{Text(20028)});
  }

  void recomputeWithTheDate() {
    auto doc =
        testing::FederalProblem({{kEventTax, "04-15-1995", 200000}, {kEventPayment, "06-15-1996", 50000}});
    QVERIFY(doc != nullptr);
    doc->m_computeDate = ParseDate("12-31-1997");
    CComputeResults dialog(*doc, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const std::string caution = Text(20022);
    QVERIFY(Desktop().ui.Saw(caution));  // the first computation of the problem
    const QString total = dialog.ValueLabel(ResultRow::Total)->text();
    QCOMPARE(dialog.ValueLabel(ResultRow::PaymentsAndCredits)->text(), QString("<50,000.00>"));

    // The same date again: no cautions.
    Desktop().ui.messages.clear();
    QTest::mouseClick(dialog.RecomputeButton(), Qt::LeftButton);
    QVERIFY(!Desktop().ui.Saw(caution));
    QVERIFY(dialog.ReportButton()->isEnabled());  // the detail report

    // A new date, typed and confirmed with Enter (Recompute is the default while the date is edited).
    testing::TypeInto(dialog.DateField(), "6/30/98");
    QVERIFY(dialog.RecomputeButton()->isDefault());
    QTest::keyClick(dialog.DateField(), Qt::Key_Return);
    QCOMPARE(dialog.DateField()->text(), QString("06-30-98"));
    QVERIFY(Desktop().ui.Saw(caution));
    QCOMPARE(doc->m_computeDate, ParseDate("06-30-1998"));
    QVERIFY(dialog.ValueLabel(ResultRow::Total)->text() != total);
    const QString newTotal = dialog.ValueLabel(ResultRow::Total)->text();

    // An invalid date: 20023, rows 1 to 6 zero, the total kept, the focus back in the date field.
    Desktop().ui.messages.clear();
    testing::TypeInto(dialog.DateField(), "13-45-99");
    QTest::keyClick(dialog.DateField(), Qt::Key_Return);
    QCOMPARE(Desktop().ui.Texts(), std::vector<std::string>{Text(20023)});
    QCOMPARE(ShownValues(dialog),
             (QStringList{"0.00", "0.00", "0.00", "0.00", "<0.00>", "<0.00>", newTotal}));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.DateField()));
    QVERIFY(dialog.isVisible());
  }

  // A caution of the first computation opens over the results window already shown at its full size.
  void fullSizeBeforeTheFirstCaution() {
    auto doc =
        testing::FederalProblem({{kEventTax, "04-15-1995", 200000}, {kEventPayment, "06-15-1996", 50000}});
    QVERIFY(doc != nullptr);
    doc->m_computeDate = ParseDate("12-31-1997");
    CComputeResults dialog(*doc, nullptr);
    bool visible = false;
    QSize sizeDuringCaution;
    Desktop().ui.whileShown = [&](const auto&) {
      visible = dialog.isVisible();
      sizeDuringCaution = dialog.size();
    };
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    Desktop().ui.whileShown = nullptr;
    QVERIFY(Desktop().ui.Saw(Text(20022)));
    QVERIFY(visible);
    QCOMPARE(sizeDuringCaution, dialog.size());
    QCOMPARE(dialog.size(), dialog.sizeHint());
    QCOMPARE(dialog.ValueLabel(ResultRow::PaymentsAndCredits)->text(), QString("<50,000.00>"));
  }

  // Regression: each recompute with another date opened the C Corporation Refund Issues window again.
  void aNewDateDoesNotOpenTheCCorporationWindowAgain() {
    auto doc = testing::FederalProblem({{kEventTax, "04-15-2019", 250000},
                                        {kEventPayment, "04-15-2019", 310000},
                                        {kEventIrsCheck, "09-15-2020", 60000}});
    QVERIFY(doc != nullptr);
    doc->m_header.m_cCorporation = 1;
    doc->m_computeDate = ParseDate("09-15-2020");
    int opened = 0;
    const CCorporationDialog saved = SetCCorporationDialog([&opened](CTDoc&) {
      ++opened;
      return false;
    });
    auto restore = qScopeGuard([&saved] { SetCCorporationDialog(saved); });
    CComputeResults dialog(*doc, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(opened, 1);
    for (const char* date : {"12/31/20", "6/30/21"}) {
      testing::TypeInto(dialog.DateField(), date);
      QTest::keyClick(dialog.DateField(), Qt::Key_Return);
      QCOMPARE(doc->m_computeDate, ParseDate(date));
    }
    QCOMPARE(opened, 1);
  }

  void leavingTheDateRecomputes() {
    auto doc = testing::FederalProblem({{kEventTax, "04-15-1995", 1000}});
    doc->m_computeDate = ParseDate("04-15-1996");
    CComputeResults dialog(*doc, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const QString before = dialog.ValueLabel(ResultRow::Interest)->text();
    testing::TypeInto(dialog.DateField(), "4/15/97");
    QTest::keyClick(dialog.DateField(), Qt::Key_Tab);
    QTRY_COMPARE(dialog.DateField()->text(), QString("04-15-97"));
    QTRY_VERIFY(dialog.ValueLabel(ResultRow::Interest)->text() != before);
    QCOMPARE(doc->m_computeDate, ParseDate("04-15-1997"));
  }

  void rightDoubleClickAsksForGattDiagnostics_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("diagnostic");
    QTest::newRow("yes") << int(Answer::Yes) << true;
    QTest::newRow("no") << int(Answer::No) << false;
  }
  void rightDoubleClickAsksForGattDiagnostics() {
    QFETCH(int, answer);
    QFETCH(bool, diagnostic);
    auto doc = testing::FederalProblem({{kEventTax, "04-15-1995", 1000}});
    Modes().gattDiagnostic = !diagnostic;
    CComputeResults dialog(*doc, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    Desktop().ui.messages.clear();
    Desktop().ui.answers.push_back(static_cast<Answer>(answer));
    QTest::mouseDClick(dialog.ValueLabel(ResultRow::Tax), Qt::RightButton);
    QCOMPARE(Desktop().ui.Texts(), std::vector<std::string>{"Switch to GATT diagnostic mode?"});
    QCOMPARE(Desktop().ui.messages.at(0).kind, MessageKind::YesNo);
    QCOMPARE(Modes().gattDiagnostic, diagnostic);
  }

  void positionIsRememberedOnScreen() {
    auto doc = testing::FederalProblem({{kEventTax, "04-15-1995", 1000}});
    WriteIntSetting(SettingId::ComputeX, 100000);
    WriteIntSetting(SettingId::ComputeY, 100000);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    {
      CComputeResults dialog(*doc, nullptr);
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      QVERIFY(screen.contains(dialog.pos()));
      QVERIFY(dialog.pos().x() + dialog.width() <= screen.right() + 1);
      dialog.move(40, 50);
      dialog.accept();
    }
    QCOMPARE(GetIntSetting(SettingId::ComputeX), 40);
    QCOMPARE(GetIntSetting(SettingId::ComputeY), 50);
    CComputeResults again(*doc, nullptr);
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.pos(), QPoint(40, 50));
  }

  void notesAreaOnlyWithNotes() {
    auto doc = testing::FederalProblem({{kEventTax, "04-15-1995", 1000}});
    doc->m_rateTable.notes.clear();
    CComputeResults plain(*doc, nullptr);
    QVERIFY(plain.NotesArea()->isHidden());
    doc->m_rateTable.notes = "State rules";
    CComputeResults withNotes(*doc, nullptr);
    QVERIFY(!withNotes.NotesArea()->isHidden());
  }

  void reportButtonRunsTheInstalledAction() {
    auto doc = testing::FederalProblem({{kEventTax, "04-15-1995", 1000}});
    CTDoc* reported = nullptr;
    auto previous = CComputeResults::SetReportAction([&](CTDoc& d, QWidget*) { reported = &d; });
    {
      CComputeResults dialog(*doc, nullptr);
      dialog.show();
      QVERIFY(QTest::qWaitForWindowActive(&dialog));
      QVERIFY(dialog.ReportButton()->isEnabled());
      QTest::mouseClick(dialog.ReportButton(), Qt::LeftButton);
      QVERIFY(!dialog.isVisible());
    }
    CComputeResults::SetReportAction(previous);
    QCOMPARE(reported, doc.get());
  }

  // Hot interest: leaving a restart field with a date on or before 12-31-97 while hot interest stops.
  void hotRestartFieldLeft_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("message");
    QTest::newRow("restart letter 12-31-97") << int(HotField::RestartThirtyDayLetter) << "12-31-97" << 20052;
    QTest::newRow("restart applicable 12-31-97")
        << int(HotField::RestartApplicableDate) << "12-31-97" << 20053;
    QTest::newRow("restart applicable 3-1-98") << int(HotField::RestartApplicableDate) << "3/1/98" << 0;
  }
  void hotRestartFieldLeft() {
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(int, message);
    auto doc = testing::FederalProblem({{kEventTax, "04-15-1995", 1000}});
    CHotInterestDlg dialog(*doc, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QVERIFY(!dialog.Field(HotField::ThirtyDayLetter)->isEnabled());
    QTest::mouseClick(dialog.ActiveBox(), Qt::LeftButton);
    QVERIFY(dialog.Field(HotField::ThirtyDayLetter)->isEnabled());
    QVERIFY(!dialog.Field(HotField::RestartApplicableDate)->isEnabled());
    QTest::mouseClick(dialog.StopBox(), Qt::LeftButton);
    CEditDate* edit = dialog.Field(static_cast<HotField>(field));
    QVERIFY(edit->isEnabled());
    testing::TypeInto(edit, typed);
    QTest::keyClick(edit, Qt::Key_Tab);
    QTest::qWait(50);
    if (message == 0) {
      QVERIFY(Desktop().ui.messages.empty());
    } else {
      QCOMPARE(Desktop().ui.Texts(), std::vector<std::string>{Text(message)});
      QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
    }
  }

  void hotAccessibleNamesAndStore() {
    auto doc = testing::FederalProblem({{kEventTax, "04-15-1995", 1000}});
    CHotInterestDlg dialog(*doc, nullptr);
    QCOMPARE(dialog.windowTitle().toStdString(), Text(20003));
    QCOMPARE(dialog.Field(HotField::ThirtyDayLetter)->accessibleName(), QString("30-day date"));
    QCOMPARE(dialog.Field(HotField::ApplicableDate)->accessibleName(), QString("Applicable date"));
    QCOMPARE(dialog.Field(HotField::RestartThirtyDayLetter)->accessibleName(),
             QString("Restart 30-day date"));
    QCOMPARE(dialog.Field(HotField::RestartApplicableDate)->accessibleName(),
             QString("Restart applicable date"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    // Hot interest without either date: 18009, the window stays.
    QTest::mouseClick(dialog.ActiveBox(), Qt::LeftButton);
    dialog.accept();
    QCOMPARE(Desktop().ui.Texts(), std::vector<std::string>{Text(18009)});
    QVERIFY(dialog.isVisible());
    QCOMPARE(doc->m_header.m_hotInterest, 0);

    // A restart applicable date typed without the stop, then the stop: 20055 on OK.
    Desktop().ui.messages.clear();
    testing::TypeInto(dialog.Field(HotField::ThirtyDayLetter), "6/15/95");
    QTest::mouseClick(dialog.StopBox(), Qt::LeftButton);
    dialog.Field(HotField::RestartApplicableDate)->setText("12-31-97");
    dialog.accept();
    QCOMPARE(Desktop().ui.Texts(), std::vector<std::string>{Text(20055)});
    QVERIFY(dialog.isVisible());

    dialog.Field(HotField::RestartApplicableDate)->setText("03-01-98");
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(doc->m_header.m_hotInterest, 1);
    QCOMPARE(doc->m_header.m_hotStop, 1);
    QCOMPARE(doc->m_header.m_thirtyDayLetter, ParseDate("06-15-1995"));
    QCOMPARE(doc->m_header.m_restartApplicableDate, ParseDate("03-01-1998"));
    QVERIFY(doc->IsModified());
  }

  void hotCancelAsksToSave_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("open");
    QTest::newRow("yes stores") << int(Answer::Yes) << true << false;
    QTest::newRow("no drops") << int(Answer::No) << false << false;
    QTest::newRow("cancel stays") << int(Answer::Cancel) << false << true;
  }
  void hotCancelAsksToSave() {
    QFETCH(int, answer);
    QFETCH(bool, stored);
    QFETCH(bool, open);
    auto doc = testing::FederalProblem({{kEventTax, "04-15-1995", 1000}});
    CHotInterestDlg dialog(*doc, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);  // nothing changed: no question
    QVERIFY(Desktop().ui.messages.empty());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::mouseClick(dialog.ActiveBox(), Qt::LeftButton);
    dialog.Field(HotField::ApplicableDate)->setText("07-15-95");
    Desktop().ui.answers.push_back(static_cast<Answer>(answer));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(Desktop().ui.Texts(), std::vector<std::string>{Text(20008)});
    QCOMPARE(Desktop().ui.messages.at(0).kind, MessageKind::YesNoCancel);
    QCOMPARE(doc->m_header.m_hotInterest != 0, stored);
    QCOMPARE(dialog.isVisible(), open);
  }

  void tipsFollowTheOption() {
    auto doc = testing::FederalProblem({{kEventTax, "04-15-1995", 1000}});
    Options().tips = true;
    CHotInterestDlg dialog(*doc, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QVERIFY(dialog.TipsPanel()->isVisible());
    QTest::mouseClick(dialog.TipsBox(), Qt::LeftButton);
    QVERIFY(!dialog.TipsPanel()->isVisible());
    QVERIFY(!Options().tips);
    QCOMPARE(GetIntSetting(SettingId::Tips), 0);
  }

  void cCorporationReductionAboveTheCheck() {
    auto doc = testing::FederalProblem({{kEventTax, "04-15-2019", 250000},
                                        {kEventPayment, "04-15-2019", 310000},
                                        {kEventIrsCheck, "09-15-2020", 600}});
    CCorpRefundDlg dialog(*doc, nullptr);
    QCOMPARE(dialog.RowCount(), 1);
    QCOMPARE(dialog.ThresholdField()->text(), QString("10,000.00"));  // the default for a new problem
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::mouseClick(dialog.CorporationBox(), Qt::LeftButton);
    testing::TypeInto(dialog.ReductionField(0), "700");
    dialog.accept();
    QCOMPARE(Desktop().ui.Texts(), std::vector<std::string>{Text(20043)});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.ReductionField(0)->text(), QString("600.00"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.ReductionField(0)));
    QCOMPARE(doc->m_header.m_cCorporation, 0);

    // A negative reduction: 20034 and the absolute value, once the field is left.
    Desktop().ui.messages.clear();
    testing::TypeInto(dialog.ReductionField(0), "-250");
    QTest::keyClick(dialog.ReductionField(0), Qt::Key_Tab);
    QTRY_COMPARE(Desktop().ui.Texts(), std::vector<std::string>{Text(20034)});
    QCOMPARE(dialog.ReductionField(0)->text(), QString("250.00"));

    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(doc->m_header.m_cCorporation, 1);
    QCOMPARE(doc->m_header.m_gattThreshold, 1000000.0);
    QCOMPARE(doc->m_events[2].m_gattAmount, 25000.0);
  }

  void cCorporationWithoutChecks() {
    auto doc = testing::FederalProblem({{kEventTax, "04-15-2019", 250000}});
    CCorpRefundDlg dialog(*doc, nullptr);
    QCOMPARE(dialog.RowCount(), 0);
    bool shown = false;
    for (QLabel* label : dialog.findChildren<QLabel*>())
      shown = shown || label->text() == "There are no events to allocate";
    QVERIFY(shown);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    testing::TypeInto(dialog.ThresholdField(), "5000");
    Desktop().ui.answers.push_back(Answer::No);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(Desktop().ui.Texts(), std::vector<std::string>{Text(20008)});
    QVERIFY(!dialog.isVisible());
    QCOMPARE(doc->m_header.m_gattThreshold, 1000000.0);
  }

  // The first computation of a C corporation with a refund opens the window through the core's hook.
  void firstComputationOpensTheCCorporationWindow() {
    auto doc = testing::FederalProblem({{kEventTax, "04-15-2019", 250000},
                                        {kEventPayment, "04-15-2019", 310000},
                                        {kEventIrsCheck, "09-15-2020", 60000}});
    doc->m_header.m_cCorporation = 1;
    doc->m_computeDate = ParseDate("09-15-2020");
    InstallCCorporationDialog();
    bool opened = false;
    testing::WhenModalShown([&](QWidget* modal) {
      auto* dialog = qobject_cast<CCorpRefundDlg*>(modal);
      if (dialog == nullptr) return;
      opened = true;
      testing::TypeInto(dialog->ReductionField(0), "1000");
      dialog->accept();
    });
    QVERIFY(ComputeProblem(*doc, false));
    UninstallCCorporationDialog();
    QVERIFY(opened);
    QCOMPARE(doc->m_events[2].m_gattAmount, 100000.0);
    QVERIFY(doc->IsModified());
  }
};

}  // namespace zarvic

QTEST_MAIN(zarvic::ComputeWindowsTest)
#include "ComputeWindowsTest.moc"
