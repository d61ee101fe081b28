// The rate table editor, its notes window and the notes prompt of a table chosen for a problem.

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QtTest>
#include <memory>

#include "core/AppOptions.h"
#include "core/FieldRules.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "engine/ComputeDriver.h"
#include "gui/GuiTestSupport.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableNotes.h"
#include "ratetables/TableOperations.h"
#include "ratetables/TableSelection.h"
#include "ratetables/ui/CRateTableNotes.h"
#include "ratetables/ui/CTableEdit.h"
#include "shell/ui/CTEdit.h"
#include "shell/ui/DesktopApplication.h"
#include "shell/ui/EnterAsTab.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

std::string Text(int id) {
  return std::string(StringText(id));
}

// count monthly lines from 01-01-90 at 8 percent, ending 12-31-26.
RateTable TableOf(int count) {
  RateTable table;
  ClearTable(table);
  table.name = "MINE";
  for (int i = 0; i < count; ++i) {
    table.lines[static_cast<std::size_t>(i)] = {AddMonths(MakeDate(1, 1, 90), i), kModeDaily, 8, 10, 7, 365};
  }
  table.endDate = MakeDate(12, 31, 2026);
  return table;
}

// The editor shown and active, on a table or on an empty one.
struct ShownEditor {
  explicit ShownEditor(const RateTable* table) : editor(table) {
    editor.show();
    editor.activateWindow();
  }
  CTableEdit editor;
};

// Types text into a control that has the focus and leaves it with Tab.
void TypeAndLeave(QWidget* field, const QString& text) {
  field->setFocus();
  Settle();
  QTest::keyClicks(field, text);
  QTest::keyClick(field, Qt::Key_Tab);
  Settle();
}

QPushButton* Button(QWidget* window, const char* name) {
  return window->findChild<QPushButton*>(QString::fromLatin1(name));
}

// Turns the wheel over a control by angle (120 a notch; negative turns it towards the person).
void TurnWheel(QWidget* control, int angle) {
  const QPointF at(control->width() / 2.0, control->height() / 2.0);
  QWheelEvent wheel(at, control->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(control, &wheel);
  Settle();
}

}  // namespace

class TableEditorTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::TempFolder> tables_;

 private slots:
  void initTestCase() {
    testing::FixClock();
    InstallEnterAsTab(*qApp);
  }
  void init() {
    tables_ = std::make_unique<testing::TempFolder>();
    SetTableFolder(tables_->path());
    Options().atKbn = false;
    Options().wholeDollarMode = false;
  }

  void rateReadsBackToHundredthsAfterScrolling() {
    testing::RecordingDesktop desktop;
    RateTable table = TableOf(3);
    ShownEditor shown(&table);
    QVERIFY(QTest::qWaitForWindowActive(&shown.editor));
    CTEdit* normal = shown.editor.RowAt(0).normal;
    normal->setFocus();
    Settle();
    QTest::keyClicks(normal, QStringLiteral("6.125"));
    QTest::keyClick(normal, Qt::Key_PageDown);
    Settle();
    QCOMPARE(shown.editor.Model().Scroll(), 10);
    QCOMPARE(normal->text(), QString());
    QTest::keyClick(normal, Qt::Key_PageUp);
    Settle();
    QCOMPARE(shown.editor.Model().Scroll(), 0);
    QCOMPARE(normal->text(), QStringLiteral("6.13"));
    QCOMPARE(shown.editor.Model().Working().lines[0].normalRate, 6.13);
    // The scroll bar's bottom shows lines 491 to 500 and goes no further.
    shown.editor.ScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    Settle();
    QCOMPARE(shown.editor.Model().Scroll(), 490);
    shown.editor.ScrollBy(5);
    QCOMPARE(shown.editor.Model().Scroll(), 490);
    QVERIFY(desktop.ui.messages.empty());
    desktop.ui.answers = {Answer::No};
    shown.editor.reject();
  }

  // The wheel over a list scrolls the table a line a notch, and the list keeps its choice.
  void wheelOverAListScrollsTheTable_data() {
    QTest::addColumn<int>("column");  // 0 the computation mode list, 1 the days list, 2 a rate
    QTest::newRow("computation mode") << 0;
    QTest::newRow("days per year") << 1;
    QTest::newRow("normal rate") << 2;
  }
  void wheelOverAListScrollsTheTable() {
    QFETCH(int, column);
    testing::RecordingDesktop desktop;
    RateTable table = TableOf(30);
    table.lines[1].mode = kModeSimple;
    ShownEditor shown(&table);
    QVERIFY(QTest::qWaitForWindowActive(&shown.editor));
    shown.editor.ScrollBar()->setValue(0);
    Settle();
    const CTableEdit::Row& row = shown.editor.RowAt(0);
    QWidget* control = column == 0   ? static_cast<QWidget*>(row.mode)
                       : column == 1 ? static_cast<QWidget*>(row.days)
                                     : static_cast<QWidget*>(row.normal);
    control->setFocus();
    Settle();
    TurnWheel(control, -120);
    QCOMPARE(shown.editor.Model().Scroll(), 1);
    // Row 0 now shows line 2, with that line's own choices.
    QCOMPARE(row.mode->currentText(), QStringLiteral("Simple"));
    QCOMPARE(row.days->currentText(), QStringLiteral("365"));
    TurnWheel(control, -60);  // half a notch waits for the other half
    QCOMPARE(shown.editor.Model().Scroll(), 1);
    TurnWheel(control, -60);
    QCOMPARE(shown.editor.Model().Scroll(), 2);
    TurnWheel(control, 240);
    QCOMPARE(shown.editor.Model().Scroll(), 0);
    QCOMPARE(row.mode->currentText(), QStringLiteral("Daily"));
    QCOMPARE(shown.editor.Model().Working().lines[1].mode, std::uint16_t{kModeSimple});
    QVERIFY(!shown.editor.Model().Changed());
    QVERIFY(desktop.ui.messages.empty());
    shown.editor.reject();
    QVERIFY(desktop.ui.messages.empty());
  }

  // A value pasted into a cell is an edit: closing asks to save it.
  void pasteMarksTheTableChanged() {
    testing::RecordingDesktop desktop;
    RateTable table = TableOf(3);
    ShownEditor shown(&table);
    QVERIFY(QTest::qWaitForWindowActive(&shown.editor));
    QVERIFY(!shown.editor.Model().Changed());
    QGuiApplication::clipboard()->setText(QStringLiteral("9.5"));
    CTEdit* normal = shown.editor.RowAt(1).normal;
    normal->setFocus();
    Settle();
    normal->selectAll();
    QTest::keyClick(normal, Qt::Key_V, Qt::ControlModifier);
    Settle();
    QCOMPARE(normal->text(), QStringLiteral("9.5"));
    QVERIFY(shown.editor.Model().Changed());
    desktop.ui.answers = {Answer::No};
    shown.editor.reject();
    QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{Text(20008)});
  }

  void largeRateIsDividedByTen() {
    testing::RecordingDesktop desktop;
    RateTable table = TableOf(3);
    ShownEditor shown(&table);
    QVERIFY(QTest::qWaitForWindowActive(&shown.editor));
    CTEdit* refund = shown.editor.RowAt(1).refund;
    refund->setFocus();
    Settle();
    QTest::keyClicks(refund, QStringLiteral("150"));
    QTest::keyClick(refund, Qt::Key_Tab);
    Settle();
    QCOMPARE(refund->text(), QStringLiteral("15.00"));
    QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{Text(20036)});
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(refund));
    desktop.ui.answers = {Answer::No};
    shown.editor.reject();
  }

  // A rate that is not a decimal number is refused: the message that shows the accepted form, the
  // rate held, the focus back.
  void malformedRateIsRefused_data() {
    QTest::addColumn<QString>("typed");
    for (const char* typed : {"3,08O,514.86", "1.5E+06", "4x88.26", "8,25"}) QTest::newRow(typed) << typed;
  }
  void malformedRateIsRefused() {
    QFETCH(QString, typed);
    testing::RecordingDesktop desktop;
    RateTable table = TableOf(3);
    ShownEditor shown(&table);
    QVERIFY(QTest::qWaitForWindowActive(&shown.editor));
    CTEdit* refund = shown.editor.RowAt(1).refund;
    refund->setFocus();
    Settle();
    QTest::keyClicks(refund, typed);
    QTest::keyClick(refund, Qt::Key_Tab);
    Settle();
    QCOMPARE(refund->text(), QStringLiteral("7.00"));
    QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{Text(kMalformedRateId)});
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(refund));
    shown.editor.ScrollBy(1);  // the rows are read back
    shown.editor.ScrollBy(-1);
    QCOMPARE(shown.editor.Model().Working().lines[1].refundRate, 7.0);
    desktop.ui.answers = {Answer::No};
    shown.editor.reject();
  }

  void daysPerYearFollowTheDate_data() {
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("days");
    QTest::newRow("1996 is a leap year") << "03-15-96"
                                         << "366";
    QTest::newRow("1997 is not") << "03-15-97"
                                 << "365";
  }
  void daysPerYearFollowTheDate() {
    QFETCH(QString, date);
    QFETCH(QString, days);
    testing::RecordingDesktop desktop;
    ShownEditor shown(nullptr);
    QVERIFY(QTest::qWaitForWindowActive(&shown.editor));
    const CTableEdit::Row& row = shown.editor.RowAt(0);
    QCOMPARE(row.days->currentIndex(), -1);
    TypeAndLeave(row.date, date);
    QCOMPARE(row.date->text(), date);
    QCOMPARE(row.days->currentText(), days);
    // Tab went on to the mode list, which chose Daily on the way in.
    QCOMPARE(row.mode->currentText(), QStringLiteral("Daily"));
    QVERIFY(shown.editor.Model().Changed());
    desktop.ui.answers = {Answer::No};
    shown.editor.reject();
  }

  void sortOrdersTheLinesAndDropsEmptyOnes() {
    testing::RecordingDesktop desktop;
    ShownEditor shown(nullptr);
    QVERIFY(QTest::qWaitForWindowActive(&shown.editor));
    TypeAndLeave(shown.editor.RowAt(0).date, QStringLiteral("01-01-95"));
    TypeAndLeave(shown.editor.RowAt(2).date, QStringLiteral("07-01-94"));
    QTest::mouseClick(Button(&shown.editor, "sort"), Qt::LeftButton);
    Settle();
    QCOMPARE(shown.editor.RowAt(0).date->text(), QStringLiteral("07-01-94"));
    QCOMPARE(shown.editor.RowAt(1).date->text(), QStringLiteral("01-01-95"));
    QCOMPARE(shown.editor.RowAt(2).date->text(), QString());
    desktop.ui.answers = {Answer::No};
    shown.editor.reject();
  }

  void saveWithoutAnEndDateWritesNothing() {
    testing::RecordingDesktop desktop;
    RateTable table = TableOf(3);
    table.endDate = NO_DATE;
    ShownEditor shown(&table);
    QVERIFY(QTest::qWaitForWindowActive(&shown.editor));
    QTest::mouseClick(Button(&shown.editor, "save"), Qt::LeftButton);
    Settle();
    QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{Text(20033)});
    QVERIFY(desktop.ui.fileRequests.empty());
    QVERIFY(tables_->Entries().empty());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(shown.editor.EndDateField()));
    QVERIFY(!shown.editor.Model().Saved());
    // Closing now asks, and Cancel keeps the editor open.
    desktop.ui.messages.clear();
    desktop.ui.answers = {Answer::Cancel};
    shown.editor.reject();
    QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{Text(20008)});
    QVERIFY(shown.editor.isVisible());
    desktop.ui.answers = {Answer::No};
    shown.editor.reject();
    QVERIFY(!shown.editor.isVisible());
  }

  // An end date before the last line is refused with the date to reach, the focus on the end date.
  void endDateBeforeTheLastLineIsRefused() {
    testing::RecordingDesktop desktop;
    RateTable table = TableOf(3);
    ShownEditor shown(&table);
    QVERIFY(QTest::qWaitForWindowActive(&shown.editor));
    shown.editor.EndDateField()->setText(QStringLiteral("12-31-89"));
    QTest::mouseClick(Button(&shown.editor, "save"), Qt::LeftButton);
    Settle();
    QCOMPARE(desktop.ui.Texts().size(), std::size_t{1});
    QVERIFY(desktop.ui.Texts()[0].find("on or after 03-01-90") != std::string::npos);
    QVERIFY(desktop.ui.fileRequests.empty());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(shown.editor.EndDateField()));
    QVERIFY(shown.editor.StatusBar()->currentMessage().isEmpty());
    desktop.ui.answers = {Answer::No};
    shown.editor.reject();
  }

  // Saving the problem's own table under its own name: the status bar says where it went, the
  // problem computes with it, and nothing in the problem's file changed, so closing asks nothing.
  void savingTheProblemsOwnTableLeavesTheProblemUntouched() {
    testing::RecordingDesktop desktop;
    CTDoc doc;
    doc.m_rateTable = TableOf(3);
    const std::string path = *tables_ / "MINE.TB3";
    desktop.ui.files.push_back(path);
    QString status;
    testing::WhenModalShown([&](QWidget* window) {
      auto* editor = qobject_cast<CTableEdit*>(window);
      if (editor == nullptr) return;
      QVERIFY(QTest::qWaitForWindowActive(editor));
      TypeAndLeave(editor->RowAt(0).normal, QStringLiteral("9"));
      QTest::mouseClick(Button(editor, "save"), Qt::LeftButton);
      Settle();
      status = editor->StatusBar()->currentMessage();
      QTest::mouseClick(Button(editor, "close"), Qt::LeftButton);
    });
    EditRateTable(nullptr, &doc);
    QCOMPARE(status, QStringLiteral("Rate table saved to ") + QString::fromStdString(path));
    QVERIFY(desktop.ui.messages.empty());
    QCOMPARE(doc.m_rateTable.lines[0].normalRate, 9.0);
    QVERIFY(!doc.IsModified());
  }

  void aSavedTableIsTheProblemsTableAtOnce() {
    testing::RecordingDesktop desktop;
    Options().wholeDollarMode = true;
    CTDoc doc;
    QVERIFY(LoadTable(doc.m_rateTable, ZARVIC_BINARY_DIR "/FEDERAL.TB3", false));
    doc.m_events[0].m_type = kEventTax;
    doc.m_events[0].m_date = MakeDate(4, 15, 2020);
    doc.m_events[0].m_amount = 1000000.0;
    doc.m_computeDate = MakeDate(4, 15, 2022);
    QVERIFY(ComputeProblem(doc, true));
    const Amount federalTotal = FinalTotal(doc);
    desktop.ui.files.push_back(*tables_ / "STATE.TB3");
    bool centsWhileOpen = false;
    testing::WhenModalShown([&](QWidget* window) {
      auto* editor = qobject_cast<CTableEdit*>(window);
      if (editor == nullptr) return;
      QVERIFY(QTest::qWaitForWindowActive(editor));
      centsWhileOpen = !WholeDollarActive();
      QCOMPARE(editor->NameField()->text(), QStringLiteral("FEDERAL"));
      QTest::mouseClick(Button(editor, "new"), Qt::LeftButton);
      Settle();
      editor->NameField()->setFocus();
      editor->NameField()->selectAll();
      QTest::keyClicks(editor->NameField(), QStringLiteral("STATE"));
      TypeAndLeave(editor->DescriptionField(), QStringLiteral("State rates"));
      TypeAndLeave(editor->EndDateField(), QStringLiteral("12-31-26"));
      const CTableEdit::Row& row = editor->RowAt(0);
      TypeAndLeave(row.date, QStringLiteral("01-01-90"));
      TypeAndLeave(row.normal, QStringLiteral("12"));
      TypeAndLeave(row.motivated, QStringLiteral("14.4"));
      TypeAndLeave(row.refund, QStringLiteral("11"));
      QTest::mouseClick(Button(editor, "save"), Qt::LeftButton);
      Settle();
      QTest::mouseClick(Button(editor, "close"), Qt::LeftButton);
    });
    EditRateTable(nullptr, &doc);
    QVERIFY(centsWhileOpen);
    QVERIFY(WholeDollarActive());
    QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{});

    RateTable loaded;
    QVERIFY(LoadTable(loaded, *tables_ / "STATE.TB3", false));
    QCOMPARE(loaded.name, std::string("STATE"));
    QCOMPARE(loaded.description, std::string("State rates"));
    QCOMPARE(loaded.lines[0].normalRate, 12.0);
    QCOMPARE(loaded.lines[0].daysPerYear, std::uint16_t{365});
    QCOMPARE(loaded.lines[0].mode, std::uint16_t{kModeDaily});
    QVERIFY(doc.m_rateTable.lines == loaded.lines);
    QCOMPARE(doc.m_rateTable.name, std::string("STATE"));
    QVERIFY(doc.IsModified());

    QVERIFY(ComputeProblem(doc, true));
    CTDoc fresh;
    fresh.m_rateTable = loaded;
    fresh.m_events[0].m_type = kEventTax;
    fresh.m_events[0].m_date = MakeDate(4, 15, 2020);
    fresh.m_events[0].m_amount = 1000000.0;
    fresh.m_computeDate = MakeDate(4, 15, 2022);
    QVERIFY(ComputeProblem(fresh, true));
    QCOMPARE(FinalTotal(doc), FinalTotal(fresh));
    QVERIFY(FinalTotal(doc) != federalTotal);
    Options().wholeDollarMode = false;
  }

  void closingWithoutSavingLeavesTheProblemsTable() {
    testing::RecordingDesktop desktop;
    CTDoc doc;
    doc.m_rateTable = TableOf(3);
    testing::WhenModalShown([&](QWidget* window) {
      auto* editor = qobject_cast<CTableEdit*>(window);
      if (editor == nullptr) return;
      QVERIFY(QTest::qWaitForWindowActive(editor));
      TypeAndLeave(editor->RowAt(0).normal, QStringLiteral("9"));
      desktop.ui.answers = {Answer::No};
      QTest::keyClick(editor, Qt::Key_Escape);
    });
    EditRateTable(nullptr, &doc);
    QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{Text(20008)});
    QCOMPARE(doc.m_rateTable.lines[0].normalRate, 8.0);
    QVERIFY(!doc.IsModified());
  }

  void federalTableOpensAtItsEnd() {
    testing::RecordingDesktop desktop;
    RateTable federal;
    QVERIFY(LoadTable(federal, ZARVIC_BINARY_DIR "/FEDERAL.TB3", false));
    const int used = UsedLineCount(federal);
    ShownEditor shown(&federal);
    QVERIFY(QTest::qWaitForWindowActive(&shown.editor));
    Settle();
    const int scroll = used >= 497 ? 490 : std::max(0, used - 7);
    QCOMPARE(shown.editor.Model().Scroll(), scroll);
    QCOMPARE(shown.editor.ScrollBar()->value(), scroll);
    const int lastRow = used - 1 - scroll;
    QCOMPARE(shown.editor.RowAt(lastRow).date->text(), QString::fromStdString(FormatDate(EndOfTable(federal))));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(shown.editor.RowAt(lastRow + 1).date));
    QVERIFY(shown.editor.RowAt(lastRow + 1).date->text().isEmpty());
    shown.editor.reject();
    QVERIFY(desktop.ui.messages.empty());
  }

  void everyRowControlIsNamed() {
    ShownEditor shown(nullptr);
    for (int r = 0; r < kEditorRows; ++r) {
      const CTableEdit::Row& row = shown.editor.RowAt(r);
      const QString line = QStringLiteral("Line %1 ").arg(r + 1);
      QCOMPARE(row.date->accessibleName(), line + "Starting date");
      QCOMPARE(row.mode->accessibleName(), line + "Computation mode");
      QCOMPARE(row.normal->accessibleName(), line + "Normal rate");
      QCOMPARE(row.motivated->accessibleName(), line + "Motivated rate");
      QCOMPARE(row.refund->accessibleName(), line + "Refund rate");
      QCOMPARE(row.days->accessibleName(), line + "Days per year");
    }
    QStringList days;
    for (int i = 0; i < shown.editor.RowAt(0).days->count(); ++i) days << shown.editor.RowAt(0).days->itemText(i);
    QCOMPARE(days, (QStringList{"365", "366", QString::fromUtf8("365\u00BC")}));
    shown.editor.reject();
  }

  void notesButtonFollowsAtKbn_data() {
    QTest::addColumn<bool>("atKbn");
    QTest::addColumn<bool>("notes");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("caption");
    QTest::newRow("no notes, not at KBN") << false << false << false << "&View Notes";
    QTest::newRow("notes, not at KBN") << false << true << true << "&View Notes";
    QTest::newRow("no notes, at KBN") << true << false << true << "&Edit Notes";
  }
  void notesButtonFollowsAtKbn() {
    QFETCH(bool, atKbn);
    QFETCH(bool, notes);
    QFETCH(bool, visible);
    QFETCH(QString, caption);
    Options().atKbn = atKbn;
    RateTable table = TableOf(2);
    if (notes) SetNotes(table, "Line one\r\nLine two");
    ShownEditor shown(&table);
    QCOMPARE(shown.editor.NotesButton()->isVisible(), visible);
    QCOMPARE(shown.editor.NotesButton()->text(), caption);
    shown.editor.reject();
  }

  void editedNotesGoIntoTheTable() {
    testing::RecordingDesktop desktop;
    Options().atKbn = true;
    RateTable table = TableOf(2);
    SetNotes(table, "Line one\r\nLine two");
    ShownEditor shown(&table);
    QVERIFY(QTest::qWaitForWindowActive(&shown.editor));
    testing::WhenModalShown([&](QWidget* window) {
      auto* notes = qobject_cast<CRateTableNotes*>(window);
      if (notes == nullptr) return;
      QCOMPARE(notes->NotesField()->toPlainText(), QStringLiteral("Line one\nLine two"));
      QVERIFY(!notes->NotesField()->isReadOnly());
      notes->NotesField()->moveCursor(QTextCursor::End);
      QTest::keyClicks(notes->NotesField(), QStringLiteral("!"));
      notes->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    QTest::mouseClick(shown.editor.NotesButton(), Qt::LeftButton);
    QCOMPARE(shown.editor.Model().Working().notes, std::string("Line one\r\nLine two!"));
    QVERIFY(shown.editor.Model().Changed());
    desktop.ui.answers = {Answer::No};
    shown.editor.reject();
  }

  // Select Rate Table offers the notes of a table that has some; the prompt can be stopped per table.
  void chosenTableOffersItsNotes() {
    testing::RecordingDesktop desktop;
    WriteProfileInt(kSectionTableNotes, "NOTED", 0);
    RateTable noted = TableOf(4);
    SetNotes(noted, "Use the state's own rate.");
    QVERIFY(SaveTable(noted, *tables_ / "NOTED.TB3"));
    CTDoc doc;
    doc.m_rateTable = TableOf(2);
    desktop.ui.files.push_back(*tables_ / "NOTED.TB3");
    bool prompted = false;
    bool notesShown = false;
    testing::WhenModalShown([&](QWidget* window) {
      auto* prompt = qobject_cast<CTableHasNotes*>(window);
      if (prompt == nullptr) return;
      prompted = true;
      QCOMPARE(prompt->windowTitle(), QStringLiteral("Additional Information"));
      prompt->DontShowAgain()->setChecked(true);
      testing::WhenModalShown([&](QWidget* next) {
        auto* notes = qobject_cast<CRateTableNotes*>(next);
        if (notes == nullptr) return;
        notesShown = true;
        QCOMPARE(notes->windowTitle(), QStringLiteral("Interest Rate Table Notes"));
        QCOMPARE(notes->NotesField()->toPlainText(), QStringLiteral("Use the state's own rate."));
        QCOMPARE(notes->NotesField()->accessibleName(), QStringLiteral("Table notes"));
        QVERIFY(notes->NotesField()->isReadOnly());
        QVERIFY(!notes->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->isVisible());
        notes->accept();
      });
      QTest::mouseClick(Button(prompt, "viewNotes"), Qt::LeftButton);
    });
    SelectRateTable(nullptr, doc);
    QVERIFY(prompted);
    QVERIFY(notesShown);
    QCOMPARE(doc.m_rateTable.name, std::string("NOTED"));
    QVERIFY(doc.IsModified());
    QVERIFY(TableNotesPromptHidden("NOTED"));

    // Asked not to, the prompt stays away for this table.
    desktop.ui.files.push_back(*tables_ / "NOTED.TB3");
    prompted = false;
    testing::WhenModalShown([&](QWidget* window) {
      prompted = true;
      window->close();
    }, 20);
    SelectRateTable(nullptr, doc);
    QTest::qWait(300);
    QVERIFY(!prompted);
  }
};

}  // namespace zarvic

int main(int argc, char** argv) {
  zarvic::DesktopApplication app(argc, argv);
  zarvic::TableEditorTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "TableEditorTest.moc"
