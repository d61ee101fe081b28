// The program's own controls driven with real key presses: what they make of the text when they are
// left, the commands they send (always after the key or focus change that raised them), and Enter
// acting as Tab in dialogs.

#include <QAbstractItemView>
#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>
#include <utility>
#include <vector>

#include "core/AppOptions.h"
#include "core/ControlCommands.h"
#include "core/Paths.h"
#include "core/StringTable.h"
#include "gui/GuiTestSupport.h"
#include "problem/EventTypes.h"
#include "shell/ui/CAnyEdit.h"
#include "shell/ui/CBasicEdit.h"
#include "shell/ui/CEditAmount.h"
#include "shell/ui/CEditDate.h"
#include "shell/ui/CSComboBox.h"
#include "shell/ui/CSEdit.h"
#include "shell/ui/CTEdit.h"
#include "shell/ui/DesktopApplication.h"
#include "shell/ui/EnterAsTab.h"
#include "shell/ui/Help.h"
#include "shell/ui/HelpWindow.h"

namespace zarvic {
namespace {

// Records the commands a control sends, with the control passed along.
struct CommandLog {
  std::vector<std::pair<int, QWidget*>> sent;
  template <class Control>
  void Watch(Control* control) {
    QObject::connect(control, &Control::command, [this](int id, QWidget* w) { sent.emplace_back(id, w); });
  }
  std::vector<int> Ids() const {
    std::vector<int> ids;
    for (const auto& s : sent) ids.push_back(s.first);
    return ids;
  }
  bool Has(int id) const {
    for (const auto& s : sent) {
      if (s.first == id) return true;
    }
    return false;
  }
};

// A dialog with the field under test, a plain field after it and a default OK button.
struct FieldDialog {
  explicit FieldDialog(QWidget* field) : next(new QLineEdit), ok(new QPushButton(QStringLiteral("OK"))) {
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(field);
    layout->addWidget(next);
    layout->addWidget(ok);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.show();
  }
  QDialog dialog;
  QLineEdit* next;
  QPushButton* ok;
};

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    testing::FixClock();
    InstallEnterAsTab(*qApp);
  }
  void init() { saved_ = Options(); }
  void cleanup() { Options() = saved_; }

  void dateFieldLeftWithTab_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("century");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("invalid");
    QTest::newRow("short year") << "1/5/95" << false << "01-05-95" << false;
    QTest::newRow("with century") << "1/5/95" << true << "01-05-1995" << false;
    QTest::newRow("already shown form") << "01-05-95" << false << "01-05-95" << false;
    QTest::newRow("empty stays empty") << "" << false << "" << false;
    QTest::newRow("no such date") << "13/45/95" << false << "" << true;
  }
  void dateFieldLeftWithTab() {
    QFETCH(QString, typed);
    QFETCH(bool, century);
    QFETCH(QString, shown);
    QFETCH(bool, invalid);
    Options().showCentury = century;
    testing::RecordingDesktop desktop;
    auto* date = new CEditDate;
    date->SetNotifyChange(true);
    CommandLog log;
    log.Watch(date);
    FieldDialog d(date);
    QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
    date->setFocus();
    QTest::keyClicks(date, typed);
    QTest::keyClick(date, Qt::Key_Tab);
    QVERIFY(desktop.ui.messages.empty());  // nothing inside the focus change
    Settle();
    QCOMPARE(date->text(), shown);
    QCOMPARE(desktop.ui.messages.size(), invalid ? size_t{1} : size_t{0});
    if (invalid)
      QCOMPARE(QString::fromStdString(desktop.ui.messages[0].text), QString::fromUtf8(StringText(20032)));
    QCOMPARE(QApplication::focusWidget(), invalid ? static_cast<QWidget*>(date) : d.next);
    QCOMPARE(log.Ids(), std::vector<int>{kCmdDateFieldLeft});
    QCOMPARE(log.sent[0].second, static_cast<QWidget*>(date));
  }

  // The message about a bad date opens only once the focus has moved on, never inside the change.
  void badDateMessageWaitsForTheFocusChange() {
    testing::RecordingDesktop desktop;
    auto* date = new CEditDate;
    FieldDialog d(date);
    QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
    QWidget* focusDuringMessage = nullptr;
    desktop.ui.whileShown = [&](const RecordingUserInterface::Message&) {
      focusDuringMessage = QApplication::focusWidget();
    };
    date->setFocus();
    QTest::keyClicks(date, QStringLiteral("2/30/96"));
    QTest::mouseClick(d.next, Qt::LeftButton);
    Settle();
    QCOMPARE(focusDuringMessage, static_cast<QWidget*>(d.next));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(date));
    QCOMPARE(date->text(), QString());
  }

  // Cancel takes the focus from a bad date and closes the dialog: no message about a date that is gone.
  void badDateInACancelledDialogIsNotReported() {
    testing::RecordingDesktop desktop;
    auto* date = new CEditDate;
    FieldDialog d(date);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), &d.dialog);
    d.dialog.layout()->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, &d.dialog, &QDialog::reject);
    QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
    date->setFocus();
    QTest::keyClicks(date, QStringLiteral("13/45/95"));
    QTest::mouseClick(cancel, Qt::LeftButton);
    Settle();
    QVERIFY(!d.dialog.isVisible());
    QVERIFY(desktop.ui.messages.empty());
  }

  void amountFieldLeftWithTab_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("wholeDollars");
    QTest::addColumn<QString>("shown");
    QTest::newRow("grouped") << "1234.5" << false << "1,234.50";
    QTest::newRow("whole dollars") << "1234.5" << true << "1,235";
    QTest::newRow("empty") << "" << false << "";
  }
  void amountFieldLeftWithTab() {
    QFETCH(QString, typed);
    QFETCH(bool, wholeDollars);
    QFETCH(QString, shown);
    Options().wholeDollarMode = wholeDollars;
    auto* amount = new CEditAmount;
    FieldDialog d(amount);
    QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
    amount->setFocus();
    QTest::keyClicks(amount, typed);
    QTest::keyClick(amount, Qt::Key_Tab);
    Settle();
    QCOMPARE(amount->text(), shown);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.next));
  }

  // A text that is not an amount gives way to what the field held, with the message that shows the
  // accepted form, and the focus comes back; leaving it again does not ask twice.
  void malformedAmountIsRefused_data() {
    QTest::addColumn<QString>("typed");
    for (const char* typed : {"3,08O,514.86", "1.5E+06", "4x88.26", "12,34", "1.2.3", "2k", "$12", "abc"})
      QTest::newRow(typed) << typed;
  }
  void malformedAmountIsRefused() {
    QFETCH(QString, typed);
    testing::RecordingDesktop desktop;
    auto* amount = new CEditAmount;
    FieldDialog d(amount);
    amount->setText(QStringLiteral("1,234.50"));
    QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
    amount->setFocus();
    Settle();
    amount->selectAll();
    QTest::keyClicks(amount, typed);
    QTest::keyClick(amount, Qt::Key_Tab);
    Settle();
    QCOMPARE(desktop.ui.Texts(), std::vector<std::string>{std::string(StringText(kMalformedAmountId))});
    QCOMPARE(amount->text(), QStringLiteral("1,234.50"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(amount));
    QTest::keyClick(amount, Qt::Key_Tab);
    Settle();
    QCOMPARE(desktop.ui.messages.size(), size_t{1});
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.next));

    // OK pressed while the field still holds such a text refuses it as leaving would.
    amount->setFocus();
    Settle();
    amount->selectAll();
    QTest::keyClicks(amount, typed);
    QVERIFY(!CEditAmount::AcceptAll(d.dialog));
    QCOMPARE(amount->text(), QStringLiteral("1,234.50"));
    QCOMPARE(desktop.ui.messages.size(), size_t{2});
    QVERIFY(CEditAmount::AcceptAll(d.dialog));
  }

  void tableCellReportsToItsOwner_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("reported");  // 0: nothing on leaving
    QTest::newRow("rate too large") << 1 << "150"
                                    << "15.00" << int{kCmdCellRateTooLarge};
    QTest::newRow("rate") << 1 << "8.25"
                          << "8.25" << 0;
    QTest::newRow("rate with a comma") << 1 << "8,25"
                                       << "" << int{kCmdCellRateMalformed};
    QTest::newRow("rate with a letter") << 1 << "4x8"
                                        << "" << int{kCmdCellRateMalformed};
    QTest::newRow("date") << 0 << "1/5/95"
                          << "01-05-95" << int{kCmdCellDateAccepted};
    QTest::newRow("empty date") << 0 << ""
                                << "" << int{kCmdCellDateAccepted};
    QTest::newRow("bad date") << 0 << "13/45/95"
                              << "" << int{kCmdCellDateInvalid};
    QTest::newRow("text") << 2 << "Heading 1/5/95"
                          << "Heading 1/5/95" << 0;
  }
  void tableCellReportsToItsOwner() {
    QFETCH(int, mode);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, reported);
    testing::RecordingDesktop desktop;
    auto* cell = new CTEdit(static_cast<CellMode>(mode));
    CommandLog log;
    log.Watch(cell);
    FieldDialog d(cell);
    QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
    cell->setFocus();
    QTest::keyClicks(cell, typed);
    QTest::keyClick(cell, Qt::Key_Tab);
    QVERIFY(log.sent.empty());  // queued
    Settle();
    QCOMPARE(cell->text(), shown);
    QVERIFY(log.Has(kCmdCellFocused));
    QCOMPARE(log.Has(kCmdCellChanging), !typed.isEmpty());
    for (int id : {int{kCmdCellRateTooLarge}, int{kCmdCellDateAccepted}, int{kCmdCellDateInvalid},
                   int{kCmdCellRateMalformed}}) {
      QCOMPARE(log.Has(id), id == reported);
    }
    for (const auto& s : log.sent) QCOMPARE(s.second, static_cast<QWidget*>(cell));
    QVERIFY(desktop.ui.messages.empty());  // the owner shows the messages
  }

  void tableCellKeys() {
    auto* cell = new CTEdit(CellMode::Text);
    CommandLog log;
    log.Watch(cell);
    FieldDialog d(cell);
    QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
    cell->setFocus();
    QTest::keyClicks(cell, QStringLiteral("ab"));
    Settle();
    log.sent.clear();
    QTest::keyClick(cell, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(cell, Qt::Key_PageDown);
    QTest::keyClick(cell, Qt::Key_Up);
    Settle();
    QCOMPARE(log.Ids(), (std::vector<int>{kCmdDeleteLine, kCmdPageDown, kCmdUp}));
    QCOMPARE(cell->text(), QStringLiteral("ab"));  // Ctrl+D is not typed
  }

  void enterInDialogs_data() {
    QTest::addColumn<bool>("option");
    QTest::addColumn<bool>("exempt");
    QTest::addColumn<bool>("suspended");
    QTest::addColumn<bool>("movesFocus");
    QTest::newRow("option on") << true << false << false << true;
    QTest::newRow("option off") << false << false << false << false;
    QTest::newRow("exempt dialog") << true << true << false << false;
    QTest::newRow("message box or file dialog up") << true << false << true << false;
  }
  void enterInDialogs() {
    QFETCH(bool, option);
    QFETCH(bool, exempt);
    QFETCH(bool, suspended);
    QFETCH(bool, movesFocus);
    Options().specialCR = option;
    auto* first = new QLineEdit;
    FieldDialog d(first);
    if (exempt) ExemptFromEnterAsTab(&d.dialog);
    QVERIFY(QTest::qWaitForWindowActive(&d.dialog));
    first->setFocus();
    std::optional<SpecialCRSuspension> suspension;
    if (suspended) suspension.emplace();
    QTest::keyClick(first, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget() == d.next, movesFocus);
    QCOMPARE(d.dialog.result() == QDialog::Accepted, !movesFocus);
  }

  // The exemption belongs to one dialog: a dialog opened from an exempt one follows the option.
  void dialogOpenedFromAnExemptOneGetsTheOptionBack() {
    Options().specialCR = true;
    QDialog selection;
    ExemptFromEnterAsTab(&selection);
    auto* first = new QLineEdit;
    auto* d = new FieldDialog(first);
    d->dialog.setParent(&selection, Qt::Dialog);
    d->dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&d->dialog));
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->next));
    QTest::keyClick(d->next, Qt::Key_Return, Qt::ShiftModifier);  // Shift goes back, as with Tab
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(first));
    delete d;
  }

  void gridEditorKeysAreQueuedCommands_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("command");
    QTest::newRow("Page Down") << int{Qt::Key_PageDown} << int{kCmdPageDown};
    QTest::newRow("Page Up") << int{Qt::Key_PageUp} << int{kCmdPageUp};
    QTest::newRow("Home") << int{Qt::Key_Home} << int{kCmdHome};
    QTest::newRow("End") << int{Qt::Key_End} << int{kCmdEnd};
    QTest::newRow("Up") << int{Qt::Key_Up} << int{kCmdUp};
    QTest::newRow("Down") << int{Qt::Key_Down} << int{kCmdDown};
    QTest::newRow("Right moves the caret only") << int{Qt::Key_Right} << 0;
  }
  void gridEditorKeysAreQueuedCommands() {
    QFETCH(int, key);
    QFETCH(int, command);
    QWidget grid;
    auto* editor = new CSEdit(&grid);
    CommandLog log;
    log.Watch(editor);
    grid.show();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    editor->setText(QStringLiteral("01-05-95"));
    editor->Activate(3, 2);
    QVERIFY(editor->IsActive());
    QTest::keyClick(editor, static_cast<Qt::Key>(key));
    QVERIFY(log.sent.empty());
    Settle();
    QCOMPARE(log.Ids(), command == 0 ? std::vector<int>{} : std::vector<int>{command});
  }

  // Leaving a grid editor hides it; the grid's commit and redraw follow after the focus change.
  void gridEditorLeftCommitsAfterTheFocusChange() {
    QWidget grid;
    auto* editor = new CSEdit(&grid);
    auto* other = new QLineEdit(&grid);
    CommandLog log;
    log.Watch(editor);
    int commits = 0;
    bool activeAtCommit = false;
    connect(editor, &CSEdit::commitRequested, [&](CSEdit* e) {
      ++commits;
      activeAtCommit = e->IsActive();
    });
    grid.show();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    editor->Activate(7, 4);
    other->setFocus();
    QVERIFY(editor->isHidden());
    QCOMPARE(commits, 0);
    Settle();
    QCOMPARE(commits, 1);
    QVERIFY(activeAtCommit);
    QVERIFY(!editor->IsActive());
    QCOMPARE(log.Ids(), std::vector<int>{kCmdEditorClosed});
    QCOMPARE(editor->Row(), 7);
    QCOMPARE(editor->Column(), 4);
  }

  void typeListKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("command");
    QTest::newRow("Right to the date") << int{Qt::Key_Right} << int{kCmdNextField};
    QTest::newRow("Left") << int{Qt::Key_Left} << int{kCmdPreviousField};
    QTest::newRow("Page Down") << int{Qt::Key_PageDown} << int{kCmdPageDown};
    QTest::newRow("Down to the next row") << int{Qt::Key_Down} << int{kCmdDown};
    QTest::newRow("Up") << int{Qt::Key_Up} << int{kCmdUp};
    QTest::newRow("Home does nothing") << int{Qt::Key_Home} << 0;
    QTest::newRow("End does nothing") << int{Qt::Key_End} << 0;
  }
  // A closed list sends the key to the grid and keeps its choice.
  void typeListKeys() {
    QFETCH(int, key);
    QFETCH(int, command);
    QWidget grid;
    auto* list = new CSComboBox(&grid);
    CommandLog log;
    log.Watch(list);
    grid.show();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    list->SetType(kEventDeposit);
    list->Activate(0);
    QTest::keyClick(list, static_cast<Qt::Key>(key));
    QVERIFY(log.sent.empty());
    Settle();
    QCOMPARE(log.Ids(), command == 0 ? std::vector<int>{} : std::vector<int>{command});
    QCOMPARE(list->SelectedType(), int{kEventDeposit});
  }

  // Regression: opening the list moved the focus into it and the type cell took that for leaving,
  // hid itself and closed the list at once.
  void openTypeListTakesTheKeys() {
    QWidget grid;
    auto* list = new CSComboBox(&grid);
    CommandLog log;
    log.Watch(list);
    grid.show();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    list->SetType(kEventPayment);
    list->Activate(0);
    list->showPopup();
    QTRY_VERIFY(list->view()->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    Settle();
    QCOMPARE(log.Ids(), std::vector<int>{});
    QCOMPARE(list->SelectedType(), int{kEventDeposit});  // the next type in the grid's order
    list->hidePopup();
  }

  void typeListLeftReportsTheChosenType() {
    QWidget grid;
    auto* list = new CSComboBox(&grid);
    auto* other = new QLineEdit(&grid);
    std::vector<std::pair<int, int>> chosen;
    connect(list, &CSComboBox::typeChosen, [&](int row, int code) { chosen.emplace_back(row, code); });
    grid.show();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    QCOMPARE(list->count(), 10);
    QCOMPARE(list->itemText(0), QStringLiteral("Tax"));
    QCOMPARE(list->itemText(9), QStringLiteral("Motivated tax"));
    list->Activate(5);
    list->SetType(kEventIrsCheck);
    other->setFocus();
    QVERIFY(chosen.empty());
    Settle();
    QCOMPARE(chosen, (std::vector<std::pair<int, int>>{{5, int{kEventIrsCheck}}}));
    QVERIFY(list->isHidden());
  }

  void headingFieldDownGoesToTheGrid() {
    QWidget view;
    auto* name = new CBasicEdit(&view);
    CommandLog log;
    log.Watch(name);
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    name->setFocus();
    Settle();
    QVERIFY(name->IsActive());
    QTest::keyClicks(name, QStringLiteral("Jones"));
    QTest::keyClick(name, Qt::Key_Home);
    QTest::keyClick(name, Qt::Key_Down);
    Settle();
    QCOMPARE(log.Ids(), std::vector<int>{kCmdDown});
    QCOMPARE(name->cursorPosition(), 0);  // Down did not move the caret
  }

  void f1ExplainsEachColumn_data() {
    QTest::addColumn<int>("column");  // 1: the type list
    QTest::addColumn<QString>("page");
    QTest::newRow("type list") << 1 << "html/evtypes.htm";
    QTest::newRow("description") << 4 << "html/evdesc.htm";
    QTest::newRow("date") << 2 << "html/evdates.htm";
    QTest::newRow("amount") << 3 << "html/evamounts.htm";
  }
  void f1ExplainsEachColumn() {
    QFETCH(int, column);
    QFETCH(QString, page);
    SetProgramFolder(ZARVIC_BINARY_DIR);
    QWidget grid;
    auto* list = new CSComboBox(&grid);
    auto* editor = new CSEdit(&grid);
    grid.show();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    QWidget* focused = list;
    if (column == 1) {
      list->Activate(0);
    } else {
      editor->Activate(0, column);
      focused = editor;
    }
    QTest::keyClick(focused, Qt::Key_F1);
    QCOMPARE(ShownHelpWindow(), static_cast<HelpWindow*>(nullptr));  // after the key, not inside it
    Settle();
    HelpWindow* help = ShownHelpWindow();
    QCOMPARE(help ? help->CurrentPage() : QString(), page);
    delete help;
  }

  void reportTextFontKeys() {
    QWidget window;
    auto* text = new CAnyEdit(&window);
    text->setPlainText(QStringLiteral("INTEREST AND PENALTY DETAIL\nline 2"));
    CommandLog log;
    log.Watch(text);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    text->setFocus();
    QVERIFY(!text->CaretShown());
    const QFont before = text->font();
    QTest::keyClick(text, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    QTest::keyClick(text, Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(text, Qt::Key_Minus, Qt::ControlModifier);
    Settle();
    QCOMPARE(log.Ids(), (std::vector<int>{kCmdFontLarger, kCmdFontLarger, kCmdFontSmaller}));
    QVERIFY(text->CaretShown());
    QCOMPARE(text->font(), before);  // the report window sets the font, not the text itself
  }

 private:
  AppOptions saved_;
};

}  // namespace zarvic

int main(int argc, char** argv) {
  zarvic::DesktopApplication app(argc, argv);
  zarvic::ControlsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ControlsTest.moc"
