// The problem window's event grid driven as a person would: typing a whole problem with the keyboard,
// the checks of each editor, row selection and Delete, Undo, the keys that move between cells, the
// penalty bar and the main window's commands the view carries out.

#include <QAbstractItemView>
#include <QClipboard>
#include <QLabel>
#include <QScrollBar>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "core/AppOptions.h"
#include "core/Dates.h"
#include "core/FieldRules.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "engine/ComputeDriver.h"
#include "engine/ComputeResultsModel.h"
#include "engine/ui/CComputeResults.h"
#include "gui/GuiTestSupport.h"
#include "penalties/PenaltyCatalog.h"
#include "penalties/PenaltyModel.h"
#include "problem/DocumentManager.h"
#include "problem/EventTypes.h"
#include "problem/ProblemFile.h"
#include "ratetables/TableFile.h"
#include "shell/MenuCommands.h"
#include "shell/StartUp.h"
#include "shell/ui/CBasicEdit.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CSComboBox.h"
#include "shell/ui/CSEdit.h"
#include "shell/ui/CTApp.h"
#include "shell/ui/CTView.h"
#include "shell/ui/CZrvChildView.h"
#include "shell/ui/DesktopApplication.h"
#include "shell/ui/Help.h"
#include "shell/ui/HelpWindow.h"

namespace zarvic {
namespace {

std::string Text(int id) {
  return std::string(StringText(id));
}

DayNumber Date(const char* text) {
  return ParseDate(text);
}

struct TypedEvent {
  std::uint16_t type;
  QString typeKey;  // the letter that picks the type in the list
  QString date;
  QString amount;  // empty for suspend and resume
  double cents;
};

// A problem as typed: tax, three payments, suspend and resume.
std::vector<TypedEvent> Problem(int variant) {
  if (variant == 0) {
    return {{kEventTax, "T", "4/15/95", "10000", 1000000},
            {kEventPayment, "P", "6/15/96", "2,500.00", 250000},
            {kEventPayment, "P", "1/15/97", "1500.5", 150050},
            {kEventStopInterest, "S", "3/1/97", "", 0},
            {kEventStartInterest, "R", "9/1/97", "", 0},
            {kEventPayment, "P", "12/31/98", "3000", 300000}};
  }
  return {
      {kEventTax, "T", "04-15-2003", "48,210.77", 4821077}, {kEventPayment, "P", "5/1/03", "10000", 1000000},
      {kEventStopInterest, "S", "7/1/04", "", 0},           {kEventStartInterest, "R", "7/1/05", "", 0},
      {kEventPayment, "P", "8/15/05", "20000", 2000000},    {kEventPayment, "P", "2/1/07", "5000", 500000}};
}

}  // namespace

class EventGridTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::RecordingDesktop> desktop_;
  std::unique_ptr<CTApp> app_;
  std::string work_;

  void Start(const WindowPlan& plan = {}) {
    app_ = std::make_unique<CTApp>();
    app_->InitInstance(plan, false);
    Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Frame()));
    Settle();
  }
  CMainFrame& Frame() { return *app_->MainFrame(); }
  CTView& View() { return *Frame().ActiveChild()->View(); }
  CTDoc& Doc() { return Frame().ActiveChild()->Document()->problem; }
  static void Settle() {
    for (int i = 0; i < 8; ++i) QCoreApplication::processEvents();
  }
  static QWidget* Focus() { return QApplication::focusWidget(); }
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Focus(), key, modifiers);
    Settle();
  }
  static void Type(const QString& text) {
    QTest::keyClicks(Focus(), text);
    Settle();
  }
  void ClickCell(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(View().Grid(), Qt::LeftButton, modifiers, View().CellRect(row, column).center());
    Settle();
  }
  // Events straight into the problem, as an opened file would bring them.
  void SetEvents(const std::vector<std::tuple<std::uint16_t, const char*, double>>& events) {
    for (CEvent& event : Doc().m_events) event.Clear();
    for (std::size_t i = 0; i < events.size(); ++i) {
      Doc().m_events[i].m_type = std::get<0>(events[i]);
      Doc().m_events[i].m_date = Date(std::get<1>(events[i]));
      Doc().m_events[i].m_amount = std::get<2>(events[i]);
    }
    View().Refresh();
  }
  void ThreeEvents() {
    SetEvents({{kEventTax, "04-15-95", 100000},
               {kEventPayment, "06-15-96", 30000},
               {kEventDebit, "03-01-97", 5000}});
  }

 private slots:
  void initTestCase() {
    testing::FixClock();
    work_ = (std::filesystem::temp_directory_path() / "eventgrid-test").string();
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

  void typingAWholeProblem_data() {
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("id");
    QTest::newRow("1995 tax") << 0 << "Ada Lovelace"
                              << "123-45-6789";
    QTest::newRow("2003 tax, century typed") << 1 << "Grace Hopper & Co."
                                             << "98-7654321";
  }
  void typingAWholeProblem() {
    QFETCH(int, variant);
    QFETCH(QString, name);
    QFETCH(QString, id);
    Start();
    QCOMPARE(Focus(), View().NameField());
    Type(name);
    Key(Qt::Key_Tab);
    Type(id);
    Key(Qt::Key_Tab);
    const std::vector<TypedEvent> typed = Problem(variant);
    for (const TypedEvent& e : typed) {
      QCOMPARE(Focus(), View().TypeList());
      // A person types the letter on its own, not as part of the letters typed just before.
      QTest::qWait(QApplication::keyboardInputInterval() + 50);
      Type(e.typeKey);
      QCOMPARE(View().TypeList()->SelectedType(), int(e.type));
      Key(Qt::Key_Tab);
      QCOMPARE(Focus(), View().Editor(kGridDate));
      Type(e.date);
      Key(Qt::Key_Return);  // Enter moves on as Tab does
      if (!e.amount.isEmpty()) {
        QCOMPARE(Focus(), View().Editor(kGridAmount));
        Type(e.amount);
        Key(Qt::Key_Tab);
      }
      QCOMPARE(Focus(), View().Editor(kGridDescription));
      Key(Qt::Key_Tab);
    }
    QCOMPARE(Focus(), View().TypeList());  // on the entry row
    QCOMPARE(View().CurrentEvent(), -1);
    QCOMPARE(desktop_->ui.Texts(), std::vector<std::string>{});

    QCOMPARE(QString::fromStdString(Doc().m_header.m_taxpayerName.Text()), name);
    QCOMPARE(QString::fromStdString(Doc().m_header.m_taxpayerId.Text()), id);
    QCOMPARE(Doc().EventCount(), static_cast<int>(typed.size()));
    QVERIFY(Doc().IsModified());
    CTDoc built;
    QVERIFY(LoadTable(built.m_rateTable, work_ + "/FEDERAL.TB3", false));
    for (std::size_t i = 0; i < typed.size(); ++i) {
      const CEvent& event = Doc().m_events[i];
      QCOMPARE(event.m_type, typed[i].type);
      QCOMPARE(event.m_date, Date(typed[i].date.toLatin1().constData()));
      QCOMPARE(event.m_amount, typed[i].cents);
      built.m_events[i].m_type = typed[i].type;
      built.m_events[i].m_date = event.m_date;
      built.m_events[i].m_amount = typed[i].cents;
    }
    // F9 from the entry row: the results window shows the seven values the core gives the same
    // problem built in code, computed to the date the window shows.
    QStringList shown;
    QString date;
    testing::WhenModalShown([&](QWidget* modal) {
      auto* results = qobject_cast<CComputeResults*>(modal);
      if (results == nullptr) return;
      for (int row = 0; row < kResultRows; ++row)
        shown << results->ValueLabel(static_cast<ResultRow>(row))->text();
      date = results->DateField()->text();
      QTest::keyClick(results, Qt::Key_Escape);
    });
    Key(Qt::Key_F9);
    QTRY_COMPARE(shown.size(), kResultRows);
    built.m_computeDate = ParseDate(date.toStdString());
    QVERIFY(IsDate(built.m_computeDate));
    QVERIFY(ComputeProblem(built, true));
    QVERIFY(FinalTotal(built) > 0);
    const ResultValues values = ComputeResultValues(built, built.m_computeDate);
    QStringList expected;
    for (int row = 0; row < kResultRows; ++row)
      expected << QString::fromStdString(FormatResultValue(static_cast<ResultRow>(row), values[row]));
    QCOMPARE(shown, expected);
    QCOMPARE(FinalTotal(Doc()), FinalTotal(built));
  }

  // Each refused entry: its message after the focus change, the old or corrected text back in the
  // editor, and the focus back in the cell.
  void refusedEntries_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("leaveByClick");
    QTest::addColumn<bool>("penalties");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("editorText");
    QTest::addColumn<double>("amount");
    QTest::addColumn<bool>("focusBack");
    const QString badDate = QString::fromStdString(Text(20032));
    const QString tooLarge = QString::fromStdString(Text(20041));
    const QString negative = QString::fromStdString(Text(20034));
    const QString off = QString::fromStdString(Text(20024));
    QTest::newRow("bad date, Tab") << 1 << int(kGridDate) << "2/30/96" << false << false
                                   << QStringList{badDate} << "06-15-96" << 30000.0 << true;
    QTest::newRow("bad date, click away") << 1 << int(kGridDate) << "13/1/96" << true << false
                                          << QStringList{badDate} << "06-15-96" << 30000.0 << true;
    QTest::newRow("too large") << 1 << int(kGridAmount) << "99,999,999,999" << false << false
                               << QStringList{tooLarge} << "300.00" << 30000.0 << true;
    QTest::newRow("negative") << 1 << int(kGridAmount) << "-500" << false << false << QStringList{negative}
                              << "500.00" << 50000.0 << true;
    // Amounts are read strictly: a malformed one is refused, the old amount stays.
    const QString malformed = QString::fromStdString(Text(kMalformedAmountId));
    for (const char* typed : {"3,08O,514.86", "1.5E+06", "4x88.26", "12,34", "2k", "abc"}) {
      QTest::newRow(typed) << 1 << int(kGridAmount) << typed << false << false << QStringList{malformed}
                           << "300.00" << 30000.0 << true;
    }
    QTest::newRow("malformed, click away") << 1 << int(kGridAmount) << "1.5E+06" << true << false
                                           << QStringList{malformed} << "300.00" << 30000.0 << true;
    QTest::newRow("tax amount with penalties")
        << 0 << int(kGridAmount) << "900" << false << true << QStringList{off} << "" << 90000.0 << false;
  }
  void refusedEntries() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(bool, leaveByClick);
    QFETCH(bool, penalties);
    QFETCH(QStringList, messages);
    QFETCH(QString, editorText);
    QFETCH(double, amount);
    QFETCH(bool, focusBack);
    Start();
    ThreeEvents();
    if (penalties) {
      Doc().m_penalties[kPenaltyFailureToFile].SetFlag(PEN_ACTIVE, true);
      Doc().m_penalties[kPenaltyFailureToPay].SetFlag(PEN_ACTIVE, true);
    }
    ClickCell(row, column);
    CSEdit* editor = View().Editor(column);
    QCOMPARE(Focus(), editor);
    Type(typed);
    if (leaveByClick) {
      QTest::mouseClick(View().NameField(), Qt::LeftButton);
      Settle();
    } else {
      Key(Qt::Key_Tab);
    }
    QStringList shown;
    for (const std::string& text : desktop_->ui.Texts()) shown << QString::fromStdString(text);
    QCOMPARE(shown, messages);
    if (focusBack) {
      QTRY_COMPARE(Focus(), editor);
      QCOMPARE(editor->text(), editorText);
      QVERIFY(editor->isVisible());
    }
    QCOMPARE(Doc().m_events[static_cast<std::size_t>(row)].m_amount, amount);
    QCOMPARE(Doc().m_events[1].m_date, Date("06-15-96"));
    QCOMPARE(AnyActivePenalty(Doc()), false);
  }

  // Regression: recording "the rest paid later" in a problem with failure to file and failure to pay
  // erased the filing date and every notice typed, and the amount typed after the date went to the
  // message. A later payment typed into the entry row, date then amount, leaves the penalties as they
  // are, and F9 shows the penalties the core computes for the same problem built in code. Changing
  // the tax amount resets them after it is stored; Ctrl+Z brings back the amount and the penalties.
  void aLaterPaymentKeepsThePenalties() {
    Start();
    auto build = [](CTDoc& doc) {
      const std::vector<std::tuple<std::uint16_t, const char*, double>> events = {
          {kEventTax, "04-15-19", 1000000}, {kEventPayment, "06-17-19", 400000}};
      for (std::size_t i = 0; i < events.size(); ++i) {
        doc.m_events[i].m_type = std::get<0>(events[i]);
        doc.m_events[i].m_date = Date(std::get<1>(events[i]));
        doc.m_events[i].m_amount = std::get<2>(events[i]);
      }
      PenaltyRecord& file = doc.m_penalties[kPenaltyFailureToFile];
      file.SetFlag(PEN_ACTIVE, true);
      file.SetFlag(PEN_EDITED, true);
      file.m_dates[0] = Date("04-15-19");
      file.m_dates[2] = Date("12-02-19");
      file.m_amounts[0] = 1000000;
      PenaltyRecord& pay = doc.m_penalties[kPenaltyFailureToPay];
      pay.SetFlag(PEN_ACTIVE, true);
      pay.SetFlag(PEN_EDITED, true);
      pay.m_dates[0] = Date("04-15-19");
      pay.m_dates[1] = Date("07-01-19");
      pay.m_dates[2] = Date("09-02-19");
      pay.m_amounts[0] = 1000000;
    };
    for (CEvent& event : Doc().m_events) event.Clear();
    build(Doc());
    const auto records = Doc().m_penalties;
    View().Refresh();

    ClickCell(2, kGridType);
    QCOMPARE(Focus(), View().TypeList());
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    Type("P");
    Key(Qt::Key_Tab);
    QCOMPARE(Focus(), View().Editor(kGridDate));
    Type("3/2/20");
    Key(Qt::Key_Tab);
    QCOMPARE(Focus(), View().Editor(kGridAmount));
    Type("5,000.50");
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    QCOMPARE(desktop_->ui.Texts(), std::vector<std::string>{});
    QCOMPARE(Doc().EventCount(), 3);
    QCOMPARE(Doc().m_events[2].m_type, std::uint16_t(kEventPayment));
    QCOMPARE(Doc().m_events[2].m_date, Date("03-02-20"));
    QCOMPARE(Doc().m_events[2].m_amount, 500050.0);
    QVERIFY(Doc().m_penalties == records);

    QString shown;
    QString date;
    testing::WhenModalShown([&](QWidget* modal) {
      auto* results = qobject_cast<CComputeResults*>(modal);
      if (results == nullptr) return;
      shown = results->ValueLabel(ResultRow::Penalties)->text();
      date = results->DateField()->text();
      QTest::keyClick(results, Qt::Key_Escape);
    });
    Key(Qt::Key_F9);
    QTRY_VERIFY(!shown.isEmpty());
    Frame().activateWindow();  // back from the results window
    QVERIFY(QTest::qWaitForWindowActive(&Frame()));
    auto built = std::make_unique<CTDoc>();
    QVERIFY(LoadTable(built->m_rateTable, work_ + "/FEDERAL.TB3", false));
    build(*built);
    built->m_events[2].m_type = kEventPayment;
    built->m_events[2].m_date = Date("03-02-20");
    built->m_events[2].m_amount = 500050.0;
    built->m_computeDate = ParseDate(date.toStdString());
    QVERIFY(ComputeProblem(*built, true));
    QVERIFY(built->m_penaltyResults.PenaltyAmount[kPenaltyFailureToPay] > 0);
    QVERIFY(built->m_penaltyResults.PenaltyAmount[kPenaltyFailureToFile] > 0);
    QVERIFY(Doc().m_penaltyResults.PenaltyAmount == built->m_penaltyResults.PenaltyAmount);
    const ResultValues values = ComputeResultValues(*built, built->m_computeDate);
    QCOMPARE(shown, QString::fromStdString(FormatResultValue(ResultRow::Penalties, values[1])));

    const auto computed = Doc().m_penalties;
    desktop_->ui.messages.clear();
    ClickCell(0, kGridAmount);
    Type("12000");
    Key(Qt::Key_Tab);
    QCOMPARE(desktop_->ui.Texts(), std::vector<std::string>{Text(20024)});
    QCOMPARE(Doc().m_events[0].m_amount, 1200000.0);
    QVERIFY(!AnyActivePenalty(Doc()));
    Key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Doc().m_events[0].m_amount, 1000000.0);
    QVERIFY(Doc().m_penalties == computed);
    QVERIFY(AnyActivePenalty(Doc()));
  }

  void ctrlSelectedRowsAreDeleted() {
    Start();
    std::vector<std::tuple<std::uint16_t, const char*, double>> events;
    for (int i = 1; i <= 8; ++i) events.emplace_back(kEventPayment, "06-15-96", 100.0 * i);
    SetEvents(events);
    for (int shownRow : {3, 5, 7}) ClickCell(shownRow - 1, kGridRowNumber, Qt::ControlModifier);
    QCOMPARE(View().Model().Selection(), (std::vector<int>{6, 4, 2}));
    Key(Qt::Key_Delete);
    std::vector<double> left;
    for (const CEvent& event : Doc().ListedEvents()) left.push_back(event.m_amount);
    QCOMPARE(left, (std::vector<double>{100, 200, 400, 600, 800}));
    QVERIFY(View().Model().Selection().empty());
  }

  void shiftSelectionAndCtrlD() {
    Start();
    std::vector<std::tuple<std::uint16_t, const char*, double>> events;
    for (int i = 1; i <= 6; ++i) events.emplace_back(kEventPayment, "06-15-96", 100.0 * i);
    SetEvents(events);
    ClickCell(1, kGridRowNumber);
    ClickCell(3, kGridRowNumber, Qt::ShiftModifier);
    Key(Qt::Key_D, Qt::ControlModifier);
    std::vector<double> left;
    for (const CEvent& event : Doc().ListedEvents()) left.push_back(event.m_amount);
    QCOMPARE(left, (std::vector<double>{100, 500, 600}));
  }

  void ctrlDInAnEditorDeletesItsRow() {
    Start();
    ThreeEvents();
    ClickCell(1, kGridDate);
    Type("7/4/96");  // committed first, then the row goes
    Key(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(Doc().EventCount(), 2);
    QCOMPARE(Doc().m_events[1].m_type, kEventDebit);
    QCOMPARE(Focus(), View().Editor(kGridDate));
    QCOMPARE(View().Editor(kGridDate)->text(), QString("03-01-97"));
  }

  void undoRestoresOneAmountOnce() {
    Start();
    ThreeEvents();
    ClickCell(1, kGridAmount);
    Type("777");
    Key(Qt::Key_Tab);
    QCOMPARE(Doc().m_events[1].m_amount, 77700.0);
    Key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Doc().m_events[1].m_amount, 30000.0);
    ClickCell(0, kGridDescription);
    Type("first");
    Key(Qt::Key_Z, Qt::ControlModifier);  // drops the typing; the buffer is empty
    Key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Doc().m_events[1].m_amount, 30000.0);
    QCOMPARE(Doc().m_events[0].DescriptionText(), std::string());
  }

  // Where each key goes from a cell of three events and their entry row.
  void keys_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<int>("toColumn");  // -1: the taxpayer ID
    QTest::newRow("Down in the entry row stays")
        << 3 << int(kGridType) << int(Qt::Key_Down) << 0 << 3 << int(kGridType);
    QTest::newRow("Down into the entry row")
        << 2 << int(kGridAmount) << int(Qt::Key_Down) << 0 << 3 << int(kGridType);
    QTest::newRow("Up from row 1 to the ID") << 0 << int(kGridDate) << int(Qt::Key_Up) << 0 << 0 << -1;
    QTest::newRow("Up") << 2 << int(kGridDescription) << int(Qt::Key_Up) << 0 << 1 << int(kGridDescription);
    QTest::newRow("Home") << 1 << int(kGridAmount) << int(Qt::Key_Home) << 0 << 1 << int(kGridType);
    QTest::newRow("End") << 1 << int(kGridDate) << int(Qt::Key_End) << 0 << 1 << int(kGridDescription);
    QTest::newRow("Shift+Tab to the row above") << 2 << int(kGridType) << int(Qt::Key_Backtab)
                                                << int(Qt::ShiftModifier) << 1 << int(kGridDescription);
    QTest::newRow("Left in the type list")
        << 1 << int(kGridType) << int(Qt::Key_Left) << 0 << 0 << int(kGridDescription);
    QTest::newRow("Right in the type list")
        << 1 << int(kGridType) << int(Qt::Key_Right) << 0 << 1 << int(kGridDate);
    QTest::newRow("PageDown stops at the entry row")
        << 0 << int(kGridDate) << int(Qt::Key_PageDown) << 0 << 3 << int(kGridType);
  }
  void keys() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, toRow);
    QFETCH(int, toColumn);
    Start();
    ThreeEvents();
    ClickCell(row, column);
    Key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (toColumn < 0) {
      QCOMPARE(Focus(), View().IdField());
      return;
    }
    QCOMPARE(View().Model().Current(), GridPlace::Cell(toRow, toColumn));
    QWidget* editor =
        toColumn == kGridType ? static_cast<QWidget*>(View().TypeList()) : View().Editor(toColumn);
    QCOMPARE(Focus(), editor);
    QCOMPARE(Doc().EventCount(), 3);
  }

  void tabFromTheIdGoesToTheFirstTypeCellAtTheTop() {
    Start();
    std::vector<std::tuple<std::uint16_t, const char*, double>> events;
    for (int i = 0; i < 200; ++i) events.emplace_back(kEventPayment, "06-15-96", 100.0 + i);
    SetEvents(events);
    ClickCell(View().Model().TopRow() + 2, kGridDate);
    for (int i = 0; i < 3; ++i) Key(Qt::Key_PageDown);
    QVERIFY(View().Model().TopRow() > 0);
    QVERIFY(View().ScrollBar()->isVisible());
    QTest::mouseClick(View().IdField(), Qt::LeftButton);
    Settle();
    Key(Qt::Key_Tab);
    QCOMPARE(View().Model().Current(), GridPlace::Cell(0, kGridType));
    QCOMPARE(View().Model().TopRow(), 0);
    QCOMPARE(View().ScrollBar()->value(), 0);
  }

  // Fields stop at their limits instead of cutting silently: the description takes its 28 characters
  // and refuses a 29th, the name takes the 59 the file keeps; a longer description that a file brought
  // is shown and kept whole.
  void fieldsStopAtTheirLimits() {
    Start();
    ThreeEvents();
    ClickCell(1, kGridDescription);
    Type(QString(29, 'd'));
    QCOMPARE(View().Editor(kGridDescription)->text(), QString(28, 'd'));
    Key(Qt::Key_Tab);
    QCOMPARE(Doc().m_events[1].DescriptionText(), std::string(28, 'd'));

    Doc().m_events[2].SetDescription(std::string(35, 'f'));  // as a file written elsewhere holds it
    View().Refresh();
    ClickCell(2, kGridDescription);
    QCOMPARE(View().Editor(kGridDescription)->text(), QString(35, 'f'));
    Key(Qt::Key_Tab);
    QCOMPARE(Doc().m_events[2].DescriptionText(), std::string(35, 'f'));

    QTest::mouseClick(View().NameField(), Qt::LeftButton);
    Settle();
    View().NameField()->selectAll();
    Type(QString(60, 'n'));
    QCOMPARE(Doc().m_header.m_taxpayerName.Text(), std::string(59, 'n'));
    QCOMPARE(desktop_->ui.Texts(), std::vector<std::string>{});
  }

  // Regression: the name field took 39 characters, so opening and saving a problem cut the name the
  // file held (59 characters).
  void aLongNameSurvivesOpenAndSave() {
    const std::string path = work_ + "/LONG.ZR3";
    const std::string name = "Whitfield-Okonkwo Family Trust, Jordan A. Whitfield Trustee";
    QCOMPARE(name.size(), size_t{59});
    {
      CTDoc problem;
      problem.ResetProblem();
      problem.m_header.m_taxpayerName.SetText(name);
      problem.m_events[0].m_type = kEventTax;
      problem.m_events[0].m_date = Date("04-15-95");
      problem.m_events[0].m_amount = problem.m_events[0].m_gattAmount = 100000;
      QVERIFY(SaveProblemFile(problem, path));
    }
    WindowPlan plan;
    plan.start = WindowStart::OpenProblem;
    plan.problemFile = path;
    Start(plan);
    QCOMPARE(View().NameField()->text(), QString::fromStdString(name));
    ClickCell(0, kGridAmount);
    Type("2000");
    Key(Qt::Key_Tab);
    QTest::keyClick(Focus(), Qt::Key_S, Qt::ControlModifier);
    Settle();
    QVERIFY(!Doc().IsModified());
    CTDoc saved;
    QVERIFY(LoadProblemFile(saved, path, false));
    QCOMPARE(saved.m_header.m_taxpayerName.Text(), name);
    QCOMPARE(saved.m_events[0].m_amount, 200000.0);
  }

  // Text a problem file cannot store is refused where it is typed, with a message, instead of
  // becoming "?".
  void textTheFileCannotStoreIsRefused() {
    Start();
    ThreeEvents();
    const std::vector<std::string> refused{Text(kTextDoesNotFitId)};
    QTest::mouseClick(View().NameField(), Qt::LeftButton);
    Settle();
    // Keys that type characters beyond Latin-1 (an input method's), one key each.
    auto typeKeys = [](const QString& text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
      QApplication::sendEvent(Focus(), &press);
      Settle();
    };
    typeKeys(QStringLiteral("Zo\u00eb \u20ac"));  // Windows-1252 has them
    typeKeys(QStringLiteral("\u4e2d"));
    QCOMPARE(View().NameField()->text(), QStringLiteral("Zo\u00eb \u20ac"));
    QCOMPARE(desktop_->ui.Texts(), refused);
    QCOMPARE(Doc().m_header.m_taxpayerName.Text(), std::string("Zo\xEB \x80"));

    desktop_->ui.messages.clear();
    ClickCell(1, kGridDescription);
    QApplication::clipboard()->setText(QStringLiteral("Check \U0001F600"));
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(View().Editor(kGridDescription)->text(), QString());
    Type(QStringLiteral("Check 101"));
    Key(Qt::Key_Tab);
    QCOMPARE(desktop_->ui.Texts(), refused);
    QCOMPARE(Doc().m_events[1].DescriptionText(), std::string("Check 101"));
  }

  void pasteIntoTheDescription() {
    Start();
    ThreeEvents();
    QApplication::clipboard()->setText(QStringLiteral("Check 101"));
    ClickCell(1, kGridDescription);
    Key(Qt::Key_V, Qt::ControlModifier);
    Key(Qt::Key_Tab);
    QCOMPARE(Doc().m_events[1].DescriptionText(), std::string("Check 101"));
  }

  // Regression: a command on the problem (here Save, by its key) acted on the problem without what
  // was still in the grid's editor, so the saved file lacked the amount on screen.
  void aCommandTakesWhatIsTypedFirst() {
    Start();
    ThreeEvents();
    ClickCell(1, kGridAmount);
    Type("777");
    const std::string path = work_ + "/typed.ZR3";
    desktop_->ui.files.push_back(path);
    QTest::keyClick(Focus(), Qt::Key_S, Qt::ControlModifier);
    Settle();
    QCOMPARE(Doc().m_events[1].m_amount, 77700.0);
    QVERIFY(!Doc().IsModified());
    CTDoc saved;
    std::ifstream in(path, std::ios::binary);
    const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    QVERIFY(ReadProblem(saved, std::span(reinterpret_cast<const std::uint8_t*>(image.data()), image.size()), false));
    QCOMPARE(saved.m_events[1].m_amount, 77700.0);
  }

  void anAmountChangeOpensTheAllocationOfItsPayment() {
    Start();
    Options().alwaysShowPaymentAllocation = true;
    ThreeEvents();
    Doc().m_events[1].Allocation().m_specific[0] = 10000;
    std::vector<int> asked;
    QString opened;
    testing::WhenModalShown([&](QWidget* modal) {
      opened = QString::fromLatin1(modal->metaObject()->className());
      asked.push_back(View().CurrentEvent());
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    ClickCell(1, kGridAmount);
    Type("250");
    Key(Qt::Key_Down);  // leaves the payment's row
    QTRY_COMPARE(opened, QString("zarvic::CPaymentAllocation"));
    QCOMPARE(asked, std::vector<int>{1});
    QCOMPARE(Doc().m_events[1].m_allocation->m_specific[0], 0.0);
    QCOMPARE(View().Model().Current().row, 2);
  }

  void penaltyBar() {
    Start();
    ThreeEvents();
    QVERIFY(View().PenaltyBar()->isVisible());
    auto lines = [this] {
      QStringList out;
      for (QLabel* label : View().PenaltyBar()->findChildren<QLabel*>()) {
        if (label->isVisible()) out << label->text();
      }
      return out;
    };
    QVERIFY(lines().join("|").contains("None"));
    Doc().m_penalties[kPenaltyFailureToFile].SetFlag(PEN_ACTIVE, true);
    Doc().m_penalties[kPenaltyFailureToPay].SetFlag(PEN_ACTIVE, true);
    View().Refresh();
    QStringList shown = lines();
    QCOMPARE(shown.size(), 3);  // heading and two links
    QVERIFY(shown[1].contains(QString::fromStdString(Text(18800 + kPenaltyFailureToFile))));
    QVERIFY(shown[2].contains(QString::fromStdString(Text(18800 + kPenaltyFailureToPay))));
    std::vector<int> opened;
    PenaltyWindowHook previous = SetPenaltyWindowHook([&](CTDoc&, int k, PenaltyWindowClass) {
      opened.push_back(k);
      return false;
    });
    QLabel* link = nullptr;
    for (QLabel* label : View().PenaltyBar()->findChildren<QLabel*>()) {
      if (label->isVisible() &&
          label->text().contains(QString::fromStdString(Text(18800 + kPenaltyFailureToPay)))) {
        link = label;
      }
    }
    QVERIFY(link != nullptr);
    emit link->linkActivated(QString::number(kPenaltyFailureToPay));
    SetPenaltyWindowHook(previous);
    QCOMPARE(opened, std::vector<int>{kPenaltyFailureToPay});
    for (int k : {1, 3, 4}) Doc().m_penalties[static_cast<std::size_t>(k)].SetFlag(PEN_ACTIVE, true);
    View().Refresh();
    QCOMPARE(lines().size(), 2);
    QVERIFY(lines()[1].contains(QString::fromStdString(Text(18900))));

    QAction* toggle = Frame().Action(CommandId::PenaltyBar);
    QVERIFY(toggle->isEnabled());
    QVERIFY(toggle->isChecked());
    toggle->trigger();
    QVERIFY(!View().PenaltyBar()->isVisible());
    QVERIFY(!toggle->isChecked());
  }

  void penaltyBarFollowsTheDefaultSetting() {
    WriteIntSetting(SettingId::ShowPenaltyStatusBar, 0);
    Start();
    QVERIFY(!View().PenaltyBar()->isVisible());
    QVERIFY(!Frame().Action(CommandId::PenaltyBar)->isChecked());
  }

  void headingShowsTheTable() {
    Start();
    QLabel* status = View().findChild<QLabel*>(QString(), Qt::FindChildrenRecursively);
    QVERIFY(status != nullptr);
    QString all;
    for (QLabel* label : View().findChildren<QLabel*>()) all += label->text() + "|";
    QVERIFY(all.contains("FEDERAL"));
    QVERIFY(all.contains(QString::fromStdString(Text(20007))));
    Doc().m_rateTable.vendorFlag = 0;
    View().Refresh();
    all.clear();
    for (QLabel* label : View().findChildren<QLabel*>()) all += label->text() + "|";
    // A user's table names its end date too.
    QVERIFY(all.contains(QString::fromStdString(Text(20026) + " -- " + Text(20007) +
                                                FormatDate(Doc().m_rateTable.endDate, true))));
  }

  // The keys that drop the type list down; F2 there is the list's, not the payment allocation's.
  void typeListDropKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("F2") << int(Qt::Key_F2) << int(Qt::NoModifier);
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
    QTest::newRow("Alt+Up") << int(Qt::Key_Up) << int(Qt::AltModifier);
    QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << int(Qt::ControlModifier);
    QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier);
  }
  void typeListDropKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Start();
    ThreeEvents();
    ClickCell(1, kGridType);  // the payment's row
    QCOMPARE(Focus(), static_cast<QWidget*>(View().TypeList()));
    QTest::keyClick(View().TypeList(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    Settle();
    QTRY_VERIFY(View().TypeList()->view()->isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(View().Model().Current().row, 1);
    View().TypeList()->hidePopup();
    Settle();
  }

  // "&Allocate a Payment..." follows the current row: a payment, deposit or credit only. F2 stays for
  // every row (an IRS check opens its own window).
  void allocateFollowsTheRow() {
    Start();
    SetEvents({{kEventTax, "04-15-95", 100000},
               {kEventPayment, "06-15-96", 30000},
               {kEventCredit, "08-15-96", 1000},
               {kEventDebit, "03-01-97", 5000}});
    QAction* allocate = Frame().Action(CommandId::AllocatePayment);
    const bool enabled[] = {false, true, true, false, false};  // the last: the entry row
    for (int row = 0; row < 5; ++row) {
      ClickCell(row, kGridDate);
      QCOMPARE(allocate->isEnabled(), enabled[row]);
    }
    QVERIFY(allocate->text().endsWith(QStringLiteral("\tF2")));
  }

  // At two device pixels per point the grid's rules are whole device pixels: two rows of the rule's own
  // colour, nothing half-tinted beside them.
  void gridRulesAreSharpAtDoubleDensity() {
    Start();
    QWidget* grid = View().Grid();
    QPixmap picture(grid->size() * 2);
    picture.setDevicePixelRatio(2);
    grid->render(&picture);
    const QImage image = picture.toImage();
    const QColor base = grid->palette().color(QPalette::Base);
    auto tinted = [&](QColor c) { return c != base; };
    // Down through the middle of an empty date cell, across the rule below it.
    const QRect cell = View().CellRect(View().Model().TopRow() + 2, kGridDate);
    const int x = 2 * cell.center().x();
    std::vector<int> rows;
    for (int y = 2 * cell.bottom() - 3; y <= 2 * cell.bottom() + 4; ++y) {
      if (tinted(image.pixelColor(x, y))) rows.push_back(y);
    }
    QCOMPARE(rows.size(), std::size_t{2});
    QCOMPARE(rows[1], rows[0] + 1);
    QCOMPARE(image.pixelColor(x, rows[0]), image.pixelColor(x, rows[1]));
    // Across the rule left of the date column.
    const int y = 2 * cell.center().y();
    std::vector<int> columns;
    for (int c = 2 * cell.left() - 3; c <= 2 * cell.left() + 4; ++c) {
      if (tinted(image.pixelColor(c, y))) columns.push_back(c);
    }
    QCOMPARE(columns.size(), std::size_t{2});
    QCOMPARE(columns[1], columns[0] + 1);
  }

  // Resizing the problem window stores the cell being edited.
  void resizingCommitsTheEdit() {
    Start();
    ThreeEvents();
    ClickCell(0, kGridAmount);
    Type(QStringLiteral("2000"));
    QCOMPARE(Doc().m_events[0].m_amount, 100000.0);
    CZrvChildView* child = Frame().ActiveChild();
    child->resize(child->width() + 40, child->height() - 20);
    Settle();
    QCOMPARE(Doc().m_events[0].m_amount, 200000.0);
  }

  // F1 in a column of the grid explains that column, not the whole program.
  void f1OnTheTypeListAndDescription_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("page");
    QTest::newRow("type list") << int(kGridType) << "html/evtypes.htm";
    QTest::newRow("description") << int(kGridDescription) << "html/evdesc.htm";
    QTest::newRow("date") << int(kGridDate) << "html/evdates.htm";
    QTest::newRow("amount") << int(kGridAmount) << "html/evamounts.htm";
  }
  void f1OnTheTypeListAndDescription() {
    QFETCH(int, column);
    QFETCH(QString, page);
    SetProgramFolder(ZARVIC_BINARY_DIR);
    Start();
    ThreeEvents();
    ClickCell(1, column);
    Key(Qt::Key_F1);
    HelpWindow* help = ShownHelpWindow();
    QCOMPARE(help ? help->CurrentPage() : QString(), page);
    delete help;
  }

  void sortEventsAndCsvCommands() {
    Start();
    SetEvents({{kEventPayment, "06-15-96", 30000}, {kEventTax, "04-15-95", 100000}});
    Doc().m_events[0].SetDescription("Check 101");
    Frame().Action(CommandId::SortEvents)->trigger();
    Settle();
    QCOMPARE(Doc().m_events[0].m_type, kEventTax);
    const std::string csv = work_ + "/EVENTS.CSV";
    desktop_->ui.files.push_back(csv);
    Frame().Action(CommandId::ExportCsv)->trigger();
    std::ifstream in(csv, std::ios::binary);
    std::stringstream written;
    written << in.rdbuf();
    QCOMPARE(written.str(),
             std::string("NORMALTAX,04-15-1995,1000.00,\"\"\r\nPAYMENT,06-15-1996,300.00,\"Check 101\"\r\n"));
    {
      std::ofstream out(csv, std::ios::binary | std::ios::trunc);
      out << "DEBIT,1/2/97,50\r\n";
    }
    desktop_->ui.answers.push_back(Answer::Yes);
    desktop_->ui.files.push_back(csv);
    Frame().Action(CommandId::ImportCsv)->trigger();
    Settle();
    QCOMPARE(Doc().m_events[0].m_type, kEventDebit);
    QCOMPARE(Doc().m_events[0].m_amount, 5000.0);
  }
};

}  // namespace zarvic

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zarvic::KeepNumbersLocaleFree();
  zarvic::EventGridTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "EventGridTest.moc"
