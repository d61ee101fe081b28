// The penalty windows driven as a person would: the Penalty Selection list with its marks, the input
// windows built from the field tables (notice rows, Activate, tips, percentages, OK and Cancel), and a
// penalty entered through its window reaching the problem's total.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/AppOptions.h"
#include "core/FieldRules.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "engine/ComputeDriver.h"
#include "engine/ComputeResultsModel.h"
#include "engine/ui/CComputeResults.h"
#include "gui/GuiTestSupport.h"
#include "penalties/PenaltyCatalog.h"
#include "penalties/PenaltyModel.h"
#include "penalties/ui/CPenaltyDialog.h"
#include "penalties/ui/CPenaltySelection.h"
#include "penalties/ui/CSListBox.h"
#include "problem/CTDoc.h"
#include "problem/DocumentManager.h"
#include "problem/EventTypes.h"
#include "ratetables/TableFile.h"
#include "shell/MenuCommands.h"
#include "shell/StartUp.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CTApp.h"
#include "shell/ui/CZrvChildView.h"
#include "shell/ui/DesktopApplication.h"

namespace zarvic {
namespace {

std::string Text(int id) { return std::string(StringText(id)); }

DayNumber D(const char* text) {
  bool ok = false;
  const DayNumber d = ParseDate(text, ok);
  if (!ok) qFatal("bad date %s", text);
  return d;
}

void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

// Watches still polling; a test's watches end with it, so none acts on a later test's windows.
std::vector<std::shared_ptr<bool>>& Watches() {
  static std::vector<std::shared_ptr<bool>> watches;
  return watches;
}

void CancelWatches() {
  for (const auto& armed : Watches()) *armed = false;
  Watches().clear();
}

void Poll(const QString& name, std::function<void(QWidget*)> act, std::shared_ptr<bool> armed) {
  QTimer::singleShot(10, [name, act = std::move(act), armed]() mutable {
    if (!*armed) return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->isVisible() && modal->objectName() == name) {
      *armed = false;
      act(modal);
    } else {
      Poll(name, std::move(act), std::move(armed));
    }
  });
}

// Calls act with the modal window of that object name once it is the active one (a penalty window
// opened from the selection is found only when it is on top).
void WhenDialogShown(const QString& name, std::function<void(QWidget*)> act) {
  auto armed = std::make_shared<bool>(true);
  Watches().push_back(armed);
  Poll(name, std::move(act), std::move(armed));
}

void CloseSelectionWhenShown() {
  WhenDialogShown(QStringLiteral("CPenaltySelection"), [](QWidget* w) {
    QTest::mouseClick(static_cast<CPenaltySelection*>(w)->OkButton(), Qt::LeftButton);
  });
}

void Type(QLineEdit* edit, const QString& text) {
  edit->setFocus(Qt::TabFocusReason);
  Settle();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

QLineEdit* Edit(QWidget* input) {
  if (auto* combo = qobject_cast<QComboBox*>(input)) return combo->lineEdit();
  return qobject_cast<QLineEdit*>(input);
}

int RowOf(const CSListBox* list, int k) {
  for (int row = 0; row < list->count(); ++row) {
    if (list->PenaltyAt(row) == k) return row;
  }
  return -1;
}

// The mark of penalty k as the list drew it.
QPoint MarkCentre(CSListBox* list, int k) {
  list->viewport()->repaint();
  return list->MarkRect(k).center();
}

}  // namespace

class PenaltyWindowsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::RecordingDesktop> desktop_;
  std::unique_ptr<CTDoc> doc_;
  AppOptions saved_;

  CTDoc& Doc() { return *doc_; }
  RecordingUserInterface& Ui() { return desktop_->ui; }
  void Add(std::uint16_t type, const char* date, double cents) {
    CEvent& e = doc_->m_events[static_cast<std::size_t>(doc_->EventCount())];
    e.m_type = type;
    e.m_date = D(date);
    e.m_amount = cents;
    doc_->RecomputeTaxTotals();
  }
  // Record k confirmed once and active with its due date and amount.
  PenaltyRecord& Confirmed(int k, const char* due, double cents, double rate = 0.0) {
    PenaltyRecord& r = doc_->m_penalties[static_cast<std::size_t>(k)];
    r.m_dates[0] = D(due);
    r.m_amounts[0] = cents;
    r.SetRate(rate);
    r.SetFlag(PEN_ACTIVE, true);
    r.SetFlag(PEN_EDITED, true);
    return r;
  }
  std::vector<std::string> Messages() const { return desktop_->ui.Texts(); }

 private slots:
  void initTestCase() { testing::FixClock(); }
  void init() {
    saved_ = Options();
    desktop_ = std::make_unique<testing::RecordingDesktop>();
    doc_ = std::make_unique<CTDoc>();
    doc_->m_rateTable.name = "FEDERAL";
  }
  void cleanup() {
    CancelWatches();
    doc_.reset();
    desktop_.reset();
    Options() = saved_;
  }

  // --- The Penalty Selection window ---

  void selectionListsTheTaxYearsPenalties_data() {
    QTest::addColumn<QString>("taxDate");
    QTest::addColumn<std::vector<int>>("penalties");
    QTest::newRow("12-31-89") << "12-31-1989" << std::vector<int>{23, 1, 2, 3, 4, 7, 8, 9, 10};
    QTest::newRow("01-01-90") << "01-01-1990" << std::vector<int>{23, 1, 2, 11, 12, 13, 14, 15, 16};
  }
  void selectionListsTheTaxYearsPenalties() {
    QFETCH(QString, taxDate);
    QFETCH(std::vector<int>, penalties);
    Add(kEventTax, taxDate.toLatin1().constData(), 100000.0);
    std::vector<int> listed;
    QStringList headings;
    WhenDialogShown(QStringLiteral("CPenaltySelection"), [&](QWidget* w) {
      auto* selection = static_cast<CPenaltySelection*>(w);
      for (int row = 0; row < selection->List()->count(); ++row) listed.push_back(selection->List()->PenaltyAt(row));
      for (QLabel* label : selection->findChildren<QLabel*>()) headings << label->text();
      QTest::mouseClick(selection->OkButton(), Qt::LeftButton);
    });
    const int refreshes = Ui().refreshes;
    QVERIFY(OpenPenaltySelection(Doc()));
    QCOMPARE(listed, penalties);
    headings.sort();
    QCOMPARE(headings, (QStringList{"Active", "IRC Section", "Penalty"}));
    QVERIFY(Messages().empty());
    QCOMPARE(Ui().refreshes, refreshes + 1);  // every view redrawn afterwards
  }

  void selectionRefusesOrWarns_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("twoTaxDates");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("opens");
    QTest::newRow("two tax dates") << "FEDERAL" << true << QStringList{QString::fromStdString(Text(19200))}
                                   << false;
    QTest::newRow("state table") << "CALIF" << false << QStringList{QString::fromStdString(Text(18008))} << true;
    QTest::newRow("state table, two tax dates")
        << "CALIF" << true
        << QStringList{QString::fromStdString(Text(18008)), QString::fromStdString(Text(19200))} << false;
  }
  void selectionRefusesOrWarns() {
    QFETCH(QString, table);
    QFETCH(bool, twoTaxDates);
    QFETCH(QStringList, messages);
    QFETCH(bool, opens);
    Doc().m_rateTable.name = table.toStdString();
    Add(kEventTax, "04-15-2019", 100000.0);
    if (twoTaxDates) Add(kEventTax, "04-15-2020", 100000.0);
    bool opened = false;
    WhenDialogShown(
        QStringLiteral("CPenaltySelection"),
        [&](QWidget* w) {
          opened = true;
          QTest::mouseClick(static_cast<CPenaltySelection*>(w)->OkButton(), Qt::LeftButton);
        });
    QCOMPARE(OpenPenaltySelection(Doc()), opens);
    Settle();
    QCOMPARE(opened, opens);
    QStringList shown;
    for (const std::string& m : Messages()) shown << QString::fromStdString(m);
    QCOMPARE(shown, messages);
  }

  // A click in the mark of an inactive penalty opens its window; Cancel leaves it inactive.
  void markOfAnInactivePenaltyOpensItsWindow() {
    Add(kEventTax, "04-15-2019", 100000.0);
    bool windowOpened = false;
    WhenDialogShown(QStringLiteral("CPenaltySelection"), [&](QWidget* w) {
      CSListBox* list = static_cast<CPenaltySelection*>(w)->List();
      WhenDialogShown(QStringLiteral("C6662E"), [&](QWidget* d) {
        windowOpened = true;
        QTest::mouseClick(static_cast<CPenaltyDialog*>(d)->CancelButton(), Qt::LeftButton);
        CloseSelectionWhenShown();
      });
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, MarkCentre(list, kPenalty6662e));
    });
    QVERIFY(OpenPenaltySelection(Doc()));
    QVERIFY(windowOpened);
    QVERIFY(!Doc().m_penalties[kPenalty6662e].IsActive());
    QVERIFY(Messages().empty());
  }

  // Space on an active penalty switches it off without a window; a click on the name only selects.
  void spaceSwitchesOffAndANameClickSelects() {
    Add(kEventTax, "04-15-2019", 100000.0);
    Confirmed(kPenalty6663, "04-15-2019", 50000.0);
    bool windowOpened = false;
    int selectedAfterClick = -1;
    bool activeAfterClick = false;
    WhenDialogShown(QStringLiteral("C6663"), [&](QWidget* d) {
      windowOpened = true;
      static_cast<QDialog*>(d)->done(QDialog::Rejected);
    });
    WhenDialogShown(QStringLiteral("CPenaltySelection"), [&](QWidget* w) {
      auto* selection = static_cast<CPenaltySelection*>(w);
      CSListBox* list = selection->List();
      const int row = RowOf(list, kPenalty6663);
      const QRect rect = list->visualItemRect(list->item(row));
      // On the name: selects, toggles nothing.
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(list->NameX() + 10, rect.center().y()));
      Settle();
      selectedAfterClick = list->currentRow() == row ? kPenalty6663 : -1;
      activeAfterClick = Doc().m_penalties[kPenalty6663].IsActive();
      QTest::keyClick(list, Qt::Key_Space);
      Settle();
      QTest::mouseClick(selection->OkButton(), Qt::LeftButton);
    });
    QVERIFY(OpenPenaltySelection(Doc()));
    QCOMPARE(selectedAfterClick, int{kPenalty6663});
    QVERIFY(activeAfterClick);
    QVERIFY(!Doc().m_penalties[kPenalty6663].IsActive());
    QVERIFY(Doc().m_penalties[kPenalty6663].HasFlag(PEN_EDITED));  // only switched off
    QTest::qWait(700);
    QVERIFY(!windowOpened);
  }

  // Enter opens the selected penalty's window even with Enter acting as Tab; in the penalty window Enter
  // moves on to the next field again.
  void enterOpensAndActsAsTabInThePenaltyWindow() {
    Options().specialCR = true;
    Add(kEventTax, "04-15-2019", 100000.0);
    Confirmed(kPenalty6663, "04-15-2019", 50000.0);
    QString focusAfterEnter;
    QString secondField;
    bool stillOpen = false;
    WhenDialogShown(QStringLiteral("CPenaltySelection"), [&](QWidget* w) {
      CSListBox* list = static_cast<CPenaltySelection*>(w)->List();
      WhenDialogShown(QStringLiteral("C6663"), [&](QWidget* d) {
        auto* dialog = static_cast<CPenaltyDialog*>(d);
        QWidget* due = dialog->Input(PenaltyFieldKind::Date, 0);
        secondField = dialog->Input(PenaltyFieldKind::Money, 0)->accessibleName();
        due->setFocus();
        Settle();
        QTest::keyClick(due, Qt::Key_Return);
        Settle();
        focusAfterEnter = QApplication::focusWidget()->accessibleName();
        stillOpen = dialog->isVisible();
        QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
        CloseSelectionWhenShown();
      });
      list->setCurrentRow(RowOf(list, kPenalty6663));
      list->setFocus();
      QTest::keyClick(list, Qt::Key_Return);
    });
    QVERIFY(OpenPenaltySelection(Doc()));
    QVERIFY(stillOpen);
    QCOMPARE(focusAfterEnter, secondField);
  }

  void f3OpensTheSelection() {
    const std::string work = (std::filesystem::temp_directory_path() / "penalty-windows-test").string();
    std::filesystem::create_directories(work);
    std::filesystem::copy_file(ZARVIC_BINARY_DIR "/FEDERAL.TB3", work + "/FEDERAL.TB3",
                               std::filesystem::copy_options::overwrite_existing);
    SetProgramFolder(work);
    {
      CTApp app;
      WindowPlan plan;
      plan.start = WindowStart::NewProblem;
      app.InitInstance(plan, false);
      CMainFrame& frame = *app.MainFrame();
      QAction* action = frame.Action(CommandId::PenaltySelection);
      QCOMPARE(action->shortcut(), QKeySequence(Qt::Key_F3));
      QVERIFY(action->isEnabled());
      CTDoc& problem = frame.ActiveChild()->Document()->problem;
      CEvent& tax = problem.m_events[0];
      tax.m_type = kEventTax;
      tax.m_date = D("04-15-2019");
      tax.m_amount = 100000.0;
      bool opened = false;
      WhenDialogShown(QStringLiteral("CPenaltySelection"), [&](QWidget* w) {
        opened = true;
        QTest::mouseClick(static_cast<CPenaltySelection*>(w)->OkButton(), Qt::LeftButton);
      });
      action->trigger();
      QVERIFY(opened);
      problem.SetModified(false);
    }
    SetProgramFolder("");
  }

  // --- The input windows ---

  // Choosing "Yes" for levy on row 3 after row 1 said "Yes" leaves only row 3; OK stores its date.
  void levyYesIsExclusivePerColumn() {
    Add(kEventTax, "04-15-2019", 100000.0);
    PenaltyRecord& r = Confirmed(kPenaltyFailureToPay, "04-15-2019", 100000.0);
    r.m_dates[1] = D("05-01-2019");
    r.m_dates[2] = D("06-01-2019");
    r.m_dates[3] = D("07-01-2019");
    r.m_dates[5] = D("05-01-2019");  // levy: notice 1
    QStringList levy;
    QStringList jeopardy;
    WhenDialogShown(QStringLiteral("C6651A2"), [&](QWidget* w) {
      auto* dialog = static_cast<CPenaltyDialog*>(w);
      QCOMPARE(dialog->NoticeLevy(0)->currentText(), QStringLiteral("Yes"));
      dialog->NoticeLevy(2)->setFocus();
      QTest::keyClick(dialog->NoticeLevy(2), Qt::Key_Down);  // "No" to "Yes"
      dialog->NoticeJeopardy(1)->setFocus();
      QTest::keyClick(dialog->NoticeJeopardy(1), Qt::Key_Down);
      for (int row = 0; row < kNoticeRows; ++row) {
        levy << dialog->NoticeLevy(row)->currentText();
        jeopardy << dialog->NoticeJeopardy(row)->currentText();
      }
      QVERIFY(dialog->Modified());
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    QVERIFY(EditPenalty(Doc(), kPenaltyFailureToPay));
    QCOMPARE(levy, (QStringList{"No", "No", "Yes", "No", "No", "No"}));
    QCOMPARE(jeopardy, (QStringList{"No", "Yes", "No", "No", "No", "No"}));
    QCOMPARE(Doc().m_penalties[1].m_dates[5], D("07-01-2019"));
    QCOMPARE(Doc().m_penalties[1].m_dates[6], D("06-01-2019"));
  }

  // Notice 1 empty and notice 2 filled: 19405, the window stays with the focus on notice 2.
  void noticesOutOfOrderKeepTheWindowOpen() {
    Add(kEventTax, "04-15-2019", 100000.0);
    Confirmed(kPenaltyFailureToPay, "04-15-2019", 100000.0);
    bool stayed = false;
    QWidget* focus = nullptr;
    QWidget* notice2 = nullptr;
    WhenDialogShown(QStringLiteral("C6651A2"), [&](QWidget* w) {
      auto* dialog = static_cast<CPenaltyDialog*>(w);
      notice2 = dialog->NoticeDate(1);
      Type(dialog->NoticeDate(1), QStringLiteral("6/1/19"));
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      Settle();
      stayed = dialog->isVisible();
      focus = QApplication::focusWidget();
      Ui().answers.push_back(Answer::No);  // "Save Changes?"
      QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    });
    const PenaltyRecord before = Doc().m_penalties[1];
    QVERIFY(!EditPenalty(Doc(), kPenaltyFailureToPay));
    QVERIFY(stayed);
    QCOMPARE(focus, notice2);
    QCOMPARE(Messages(), (std::vector<std::string>{Text(19405), Text(20008)}));
    QVERIFY(Doc().m_penalties[1] == before);
  }

  // A rate of 25 with an amount above the tax: a caution on 6662(e) (the window closes), an error on
  // 6659 (it stays).
  void percentageAndAmountFindings_data() {
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("taxDate");
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("message");
    QTest::addColumn<bool>("closes");
    QTest::newRow("6662(e) caution") << int{kPenalty6662e} << "04-15-2019"
                                     << "C6662E" << 19412 << true;
    QTest::newRow("6659 error") << int{kPenalty6659} << "04-15-1985"
                                << "C6659" << 19400 << false;
  }
  void percentageAndAmountFindings() {
    QFETCH(int, k);
    QFETCH(QString, taxDate);
    QFETCH(QString, window);
    QFETCH(int, message);
    QFETCH(bool, closes);
    const std::string date = taxDate.toStdString();
    Add(kEventTax, date.c_str(), 100000.0);
    Confirmed(k, date.c_str(), 50000.0, 20.0);
    bool closed = false;
    WhenDialogShown(window, [&](QWidget* w) {
      auto* dialog = static_cast<CPenaltyDialog*>(w);
      Type(Edit(dialog->Input(PenaltyFieldKind::Money, 0)), QStringLiteral("2000"));
      Type(Edit(dialog->Input(PenaltyFieldKind::Rate, -1)), QStringLiteral("25"));
      QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
      Settle();
      closed = !dialog->isVisible();
      if (!closed) {
        Ui().answers.push_back(Answer::No);
        dialog->reject();
      }
    });
    EditPenalty(Doc(), k);
    QCOMPARE(closed, closes);
    QCOMPARE(Messages().front(), Text(message));
    const PenaltyRecord& r = Doc().m_penalties[static_cast<std::size_t>(k)];
    if (closes) {
      QCOMPARE(r.m_rate, 25.0);
      QCOMPARE(r.m_amounts[0], 200000.0);
      QVERIFY(r.IsActive());
    } else {
      QCOMPARE(r.m_rate, 20.0);  // restored by Cancel
    }
  }

  // Cancel after a change asks 20008: No restores the record (switched off when even the restored
  // record has a finding), Yes acts as OK, Cancel keeps the window.
  void cancelAfterAChange_data() {
    QTest::addColumn<double>("rateBefore");
    QTest::addColumn<QList<int>>("answers");  // Answer values
    QTest::addColumn<bool>("restored");
    QTest::addColumn<bool>("activeAfter");
    QTest::newRow("no restores") << 20.0 << QList<int>{int(Answer::No)} << true << true;
    QTest::newRow("restored record gives a caution: off") << 25.0 << QList<int>{int(Answer::No)} << true << false;
    QTest::newRow("yes acts as OK") << 20.0 << QList<int>{int(Answer::Yes)} << false << true;
    QTest::newRow("cancel keeps the window, then no")
        << 20.0 << QList<int>{int(Answer::Cancel), int(Answer::No)} << true << true;
  }
  void cancelAfterAChange() {
    QFETCH(double, rateBefore);
    QFETCH(QList<int>, answers);
    QFETCH(bool, restored);
    QFETCH(bool, activeAfter);
    Add(kEventTax, "04-15-2019", 100000.0);
    Confirmed(kPenalty6662e, "04-15-2019", 50000.0, rateBefore);
    PenaltyRecord before = Doc().m_penalties[kPenalty6662e];
    for (int a : answers) Ui().answers.push_back(static_cast<Answer>(a));
    int cancelClicks = 0;
    WhenDialogShown(QStringLiteral("C6662E"), [&](QWidget* w) {
      auto* dialog = static_cast<CPenaltyDialog*>(w);
      Type(Edit(dialog->Input(PenaltyFieldKind::Money, 0)), QStringLiteral("600"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      while (dialog->isVisible() && cancelClicks < 3) {
        ++cancelClicks;
        QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
        Settle();
      }
    });
    EditPenalty(Doc(), kPenalty6662e);
    QCOMPARE(cancelClicks, answers.size());
    const PenaltyRecord& r = Doc().m_penalties[kPenalty6662e];
    if (restored) {
      before.SetFlag(PEN_ACTIVE, activeAfter);
      QVERIFY(r == before);
    } else {
      QCOMPARE(r.m_amounts[0], 60000.0);
    }
    QCOMPARE(r.IsActive(), activeAfter);
  }

  // "Activate" cleared disables every input and its label; set again, the reduce and reinstate dates
  // still wait for "Individual return" / "timely filed?".
  void activateGovernsEveryInput_data() {
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("taxDate");
    QTest::addColumn<QString>("window");
    QTest::newRow("6651(a)(2)") << int{kPenaltyFailureToPay} << "04-15-2019"
                                << "C6651A2";
    QTest::newRow("6651(a)(3)") << int{kPenaltyFailureToPayAssessment} << "04-15-2019"
                                << "C6651A3";
    QTest::newRow("6651(a)(1) 1984") << int{kPenaltyFailureToFile} << "06-01-1984"
                                     << "C6651A1";
    QTest::newRow("6653(a) 1985") << int{kPenalty6653a} << "04-15-1985"
                                  << "C6653A1";
    QTest::newRow("6662(g)") << int{kPenalty6662g} << "04-15-2019"
                             << "C6662G";
  }
  void activateGovernsEveryInput() {
    QFETCH(int, k);
    QFETCH(QString, taxDate);
    QFETCH(QString, window);
    const std::string date = taxDate.toStdString();
    Add(kEventTax, date.c_str(), 100000.0);
    Confirmed(k, date.c_str(), 50000.0);
    QStringList enabledWhenOff;
    QStringList disabledWhenOn;
    QStringList enabledWithIndividual;
    bool modified = false;
    WhenDialogShown(window, [&](QWidget* w) {
      auto* dialog = static_cast<CPenaltyDialog*>(w);
      const std::vector<QWidget*> governed = dialog->GovernedWidgets();
      QTest::mouseClick(dialog->ActivateBox(), Qt::LeftButton);
      modified = dialog->Modified();
      for (QWidget* widget : governed) {
        if (widget->isEnabled()) enabledWhenOff << widget->accessibleName() + widget->objectName();
      }
      QTest::mouseClick(dialog->ActivateBox(), Qt::LeftButton);
      for (QWidget* widget : governed) {
        if (!widget->isEnabled()) {
          disabledWhenOn << (widget->accessibleName().isEmpty() ? widget->toolTip() : widget->accessibleName());
        }
      }
      if (QCheckBox* individual = dialog->Check(PenaltyCheck::IndividualTimely)) {
        QTest::mouseClick(individual, Qt::LeftButton);
        for (QWidget* widget : governed) {
          if (!widget->isEnabled()) enabledWithIndividual << widget->toolTip();
        }
      }
      Ui().answers.push_back(Answer::No);
      QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    });
    EditPenalty(Doc(), k);
    QVERIFY(modified);
    QCOMPARE(enabledWhenOff, QStringList{});
    if (window.startsWith(QStringLiteral("C6651A2")) || window.startsWith(QStringLiteral("C6651A3"))) {
      // label and input of each of the two dates
      QCOMPARE(disabledWhenOn.size(), 4);
      QVERIFY(disabledWhenOn.join('|').contains(QStringLiteral("reinstated to 0.5%")));
      QCOMPARE(enabledWithIndividual, QStringList{});
    } else {
      QCOMPARE(disabledWhenOn, QStringList{});
    }
  }

  // Fields by tax date, seen in the window itself.
  void failureToFileFieldsFollowTheTaxDate_data() {
    QTest::addColumn<QString>("taxDate");
    QTest::addColumn<bool>("notice");
    QTest::addColumn<bool>("fraud");
    QTest::newRow("06-01-84") << "06-01-1984" << true << false;
    QTest::newRow("04-15-91") << "04-15-1991" << false << true;
  }
  void failureToFileFieldsFollowTheTaxDate() {
    QFETCH(QString, taxDate);
    QFETCH(bool, notice);
    QFETCH(bool, fraud);
    Add(kEventTax, taxDate.toStdString().c_str(), 100000.0);
    bool noticeShown = false;
    bool fraudShown = false;
    WhenDialogShown(QStringLiteral("C6651A1"), [&](QWidget* w) {
      auto* dialog = static_cast<CPenaltyDialog*>(w);
      noticeShown = dialog->Input(PenaltyFieldKind::Date, 1) != nullptr;
      fraudShown = dialog->Check(PenaltyCheck::Option) != nullptr;
      QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    });
    EditPenalty(Doc(), kPenaltyFailureToFile);
    QCOMPARE(noticeShown, notice);
    QCOMPARE(fraudShown, fraud);
  }

  // "Show Tips" flips the application's option and the window's height; 6662(c) also shows 21005.
  void tipsToggleTheOptionAndTheHeight() {
    Options().tips = true;
    Add(kEventTax, "04-15-2019", 100000.0);
    int tallHeight = 0;
    int shortHeight = 0;
    bool optionAfter = true;
    bool has21005 = false;
    bool modified = true;
    WhenDialogShown(QStringLiteral("C6662C"), [&](QWidget* w) {
      auto* dialog = static_cast<CPenaltyDialog*>(w);
      for (QLabel* label : dialog->TipsArea()->findChildren<QLabel*>()) {
        if (label->text() == QString::fromStdString(Text(21005))) has21005 = true;
      }
      tallHeight = dialog->height();
      QTest::mouseClick(dialog->TipsBox(), Qt::LeftButton);
      Settle();
      shortHeight = dialog->height();
      optionAfter = Options().tips;
      modified = dialog->Modified();
      QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    });
    EditPenalty(Doc(), kPenalty6662c);
    QVERIFY(has21005);
    QVERIFY(!optionAfter);
    QVERIFY(!modified);
    QVERIFY2(shortHeight < tallHeight, qPrintable(QStringLiteral("%1 %2").arg(shortHeight).arg(tallHeight)));
    QCOMPARE(GetIntSetting(SettingId::Tips), 0);
    Options().tips = true;
    WriteIntSetting(SettingId::Tips, 1);
  }

  // Bad input: a date that is none (20032, emptied, focus back), a percentage with decimals (19208,
  // rounded), an amount that is none (the amount held stays, focus back).
  void badInput_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("message");  // 0: none
    QTest::newRow("bad date") << int(PenaltyFieldKind::Date) << 0 << "13/45/19"
                              << "" << 20032;
    QTest::newRow("percentage with decimals") << int(PenaltyFieldKind::Rate) << -1 << "25.4"
                                              << "25" << 19208;
    QTest::newRow("whole percentage") << int(PenaltyFieldKind::Rate) << -1 << "40"
                                      << "40" << 0;
    for (const char* typed : {"abc", "3,08O,514.86", "1.5E+06", "4x88.26"}) {
      QTest::newRow(typed) << int(PenaltyFieldKind::Money) << 0 << typed << "500.00"
                           << int{kMalformedAmountId};
    }
    QTest::newRow("well-formed amount") << int(PenaltyFieldKind::Money) << 0 << "1234.5"
                                        << "1,234.50" << 0;
  }
  void badInput() {
    QFETCH(int, kind);
    QFETCH(int, slot);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, message);
    Add(kEventTax, "04-15-2019", 100000.0);
    Confirmed(kPenalty6662f, "04-15-2019", 50000.0, 20.0);
    QString text;
    QWidget* focus = nullptr;
    QWidget* field = nullptr;
    WhenDialogShown(QStringLiteral("C6662F"), [&](QWidget* w) {
      auto* dialog = static_cast<CPenaltyDialog*>(w);
      QLineEdit* edit = Edit(dialog->Input(static_cast<PenaltyFieldKind>(kind), slot));
      field = edit;
      Type(edit, typed);
      QTest::keyClick(edit, Qt::Key_Tab);
      Settle();
      text = edit->text();
      focus = QApplication::focusWidget();
      Ui().answers.push_back(Answer::No);
      QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    });
    EditPenalty(Doc(), kPenalty6662f);
    QCOMPARE(text, shown);
    std::vector<std::string> expected;
    if (message != 0) expected.push_back(Text(message));
    expected.push_back(Text(20008));
    QCOMPARE(Messages(), expected);
    QCOMPARE(focus == field, message == 20032 || message == kMalformedAmountId);
  }

  // --- End to end ---

  // Failure to file entered through its window, reached from the selection with keys: the final
  // total grows by the penalty the core computes for the record (and the interest on it).
  void enteredPenaltyReachesTheTotal() {
    QVERIFY(LoadTable(Doc().m_rateTable, ZARVIC_BINARY_DIR "/FEDERAL.TB3", false));
    Add(kEventTax, "04-15-2019", 1000000.0);
    QVERIFY(ComputeProblem(Doc(), true));
    const Amount totalBefore = FinalTotal(Doc());
    const Amount interestBefore = TotalInterest(Doc());
    QCOMPARE(Doc().m_penaltyResults.PenaltyAmount[kPenaltyFailureToFile], 0.0);

    WhenDialogShown(QStringLiteral("CPenaltySelection"), [&](QWidget* w) {
      CSListBox* list = static_cast<CPenaltySelection*>(w)->List();
      WhenDialogShown(QStringLiteral("C6651A1"), [&](QWidget* d) {
        auto* dialog = static_cast<CPenaltyDialog*>(d);
        dialog->ActivateBox()->setFocus();
        QTest::keyClick(dialog->ActivateBox(), Qt::Key_Space);
        Type(Edit(dialog->Input(PenaltyFieldKind::Date, 2)), QStringLiteral("8/15/19"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // OK
        CloseSelectionWhenShown();
      });
      list->setFocus();
      list->setCurrentRow(RowOf(list, kPenaltyFailureToFile));
      QTest::keyClick(list, Qt::Key_Return);
    });
    QVERIFY(OpenPenaltySelection(Doc()));
    const PenaltyRecord& r = Doc().m_penalties[kPenaltyFailureToFile];
    QVERIFY(r.IsActive());
    QCOMPARE(r.m_dates[2], D("08-15-2019"));

    QVERIFY(ComputeProblem(Doc(), true));
    const Amount penalty = Doc().m_penaltyResults.PenaltyAmount[kPenaltyFailureToFile];
    QCOMPARE(penalty, 200000.0);  // 4 months late at 5% of $10,000
    const Amount interestGrowth = TotalInterest(Doc()) - interestBefore;
    QVERIFY(interestGrowth > 0.0);
    QCOMPARE(FinalTotal(Doc()) - totalBefore, penalty + interestGrowth);

    // The results window (F9's) shows the same total and the penalty among the penalties.
    CComputeResults results(Doc(), nullptr);
    results.show();
    QVERIFY(QTest::qWaitForWindowExposed(&results));
    QCOMPARE(results.ValueLabel(ResultRow::Total)->text().toStdString(),
             FormatResultValue(ResultRow::Total, FinalTotal(Doc())));
    QCOMPARE(results.ValueLabel(ResultRow::Penalties)->text().toStdString(),
             FormatResultValue(ResultRow::Penalties, ComputeResultValues(Doc(), Doc().m_computeDate)[1]));
    QVERIFY(ComputeResultValues(Doc(), Doc().m_computeDate)[1] >= penalty);
  }
};

}  // namespace zarvic

int main(int argc, char** argv) {
  zarvic::DesktopApplication app(argc, argv);
  zarvic::PenaltyWindowsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "PenaltyWindowsTest.moc"
