// The main window and its start-up: window options, placement, menus, toolbar, the file commands
// over the document manager, the Options toggles, the splash window and the About dialog.

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "core/AppOptions.h"
#include "core/Dates.h"
#include "core/Paths.h"
#include "core/ScopedEnv.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "gui/GuiTestSupport.h"
#include "problem/DocumentManager.h"
#include "problem/EventTypes.h"
#include "problem/ProblemFile.h"
#include "ratetables/TableFile.h"
#include "shell/MenuCommands.h"
#include "shell/StartUp.h"
#include "shell/WindowPlacement.h"
#include "shell/ui/CAboutDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CSplash.h"
#include "shell/ui/CTApp.h"
#include "shell/ui/CZrvChildView.h"
#include "shell/ui/DesktopApplication.h"

namespace zarvic {
namespace {

std::string Text(int id) { return std::string(StringText(id)); }

QStringList Captions(QMenu* menu) {
  QStringList out;
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator() && action->isVisible()) out << action->text();
  }
  return out;
}

QStringList MenuTitles(QMenuBar* bar) {
  QStringList out;
  for (QAction* action : bar->actions()) out << action->text();
  return out;
}

WindowPlan NoProblemPlan() {
  WindowPlan plan;
  plan.start = WindowStart::NoProblem;
  return plan;
}

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::RecordingDesktop> desktop_;
  std::unique_ptr<CTApp> app_;
  std::string work_;

  CTApp& Start(WindowPlan plan = {}, bool splash = false) {
    app_ = std::make_unique<CTApp>();
    app_->InitInstance(plan, splash);
    return *app_;
  }
  CMainFrame& Frame() { return *app_->MainFrame(); }
  void Trigger(CommandId id) { Frame().Action(id)->trigger(); }
  int ChildCount() { return static_cast<int>(Frame().Children().size()); }

 private slots:
  void initTestCase() {
    testing::FixClock();
    work_ = (std::filesystem::temp_directory_path() / "mainframe-test").string();
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

  void windowOptions_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("batchMode");
    QTest::addColumn<bool>("gatt");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("nothing") << int(WindowStart::NewProblem) << false << false << QStringList{"Untitled - 1"};
    QTest::newRow("-XX") << int(WindowStart::NoProblem) << false << false << QStringList{};
    QTest::newRow("-C") << int(WindowStart::NewProblem) << true << false << QStringList{"Untitled - 1"};
    QTest::newRow("-gattdiagnostic") << int(WindowStart::NewProblem) << false << true
                                     << QStringList{"Untitled - 1"};
  }
  void windowOptions() {
    QFETCH(int, start);
    QFETCH(bool, batchMode);
    QFETCH(bool, gatt);
    QFETCH(QStringList, titles);
    WindowPlan plan;
    plan.start = static_cast<WindowStart>(start);
    plan.batchMode = batchMode;
    plan.gattDiagnostic = gatt;
    Start(plan);
    QStringList shown;
    for (CZrvChildView* child : Frame().Children()) shown << child->windowTitle();
    QCOMPARE(shown, titles);
    QCOMPARE(Modes().gattDiagnostic, gatt);
    QCOMPARE(MenuTitles(Frame().menuBar()).size(), titles.isEmpty() ? 4 : 8);
    for (MenuSet set : {MenuSet::NoProblem, MenuSet::Problem}) {
      QStringList options = Captions(Frame().Menu(set, "&Options"));
      QCOMPARE(options.last() == "&Batch Mode Edit...", batchMode);
    }
    QCOMPARE(Frame().Action(CommandId::BatchModeEdit)->isEnabled(), batchMode);
    QVERIFY(desktop_->ui.messages.empty());
  }

  void openProblemFromTheCommandLine() {
    CTDoc problem;
    problem.ResetProblem();
    problem.m_header.m_taxpayerName.SetText("Jane Roe");
    QVERIFY(SaveProblemFile(problem, work_ + "/ROE.ZR3"));
    WindowPlan plan;
    plan.start = WindowStart::OpenProblem;
    plan.problemFile = work_ + "/ROE.ZR3";
    Start(plan);
    QCOMPARE(ChildCount(), 1);
    QCOMPARE(Frame().ActiveChild()->windowTitle(), QString("ROE.ZR3"));
    QCOMPARE(QString::fromStdString(app_->RecentFiles().Files().at(0)), QString::fromStdString(work_ + "/ROE.ZR3"));

    // A file that cannot be read leaves the main window without a problem window.
    app_.reset();
    plan.problemFile = work_ + "/NONE.ZR3";
    Start(plan);
    QCOMPARE(ChildCount(), 0);
    QVERIFY(!desktop_->ui.messages.empty());
  }

  void windowPosTenNumbersOnly_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QSize>("size");
    QTest::newRow("ten") << "0,1,-1,-1,-1,-1,20,30,700,530" << QPoint(20, 30) << QSize(680, 500);
    // Nine numbers are ignored: the first-start place, most of the screen, centred.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const ScreenRect first = FirstStartFrame({area.x(), area.y(), area.width(), area.height()}, 640, 480);
    QVERIFY(first.width > area.width() * 8 / 10 && first.height > area.height() * 8 / 10);
    QTest::newRow("nine") << "0,1,-1,-1,-1,-1,20,30,700" << QPoint(first.x, first.y)
                          << QSize(first.width, first.height);
  }
  void windowPosTenNumbersOnly() {
    QFETCH(QString, stored);
    QFETCH(QPoint, position);
    QFETCH(QSize, size);
    WriteStringSetting(SettingId::WindowPos, stored.toStdString());
    Start();
    QCOMPARE(Frame().size(), size);
    const bool ten = ParseWindowPos(stored.toStdString()).has_value();
    QCOMPARE(ten ? Frame().geometry().topLeft() : Frame().frameGeometry().topLeft(), position);
    QVERIFY(Frame().close());
    // Written back in the ten-number form; the same text when it was read from one.
    std::optional<WindowPlacement> written = ParseWindowPos(GetStringSetting(SettingId::WindowPos));
    QVERIFY(written.has_value());
    QCOMPARE(QSize(written->Width(), written->Height()), size);
    if (ten) QCOMPARE(QString::fromStdString(GetStringSetting(SettingId::WindowPos)), stored);
  }

  void docWindowMax() {
    WriteStringSetting(SettingId::DocWindowMax, "1");
    Start();
    QVERIFY(Frame().ActiveChild()->isMaximized());
    Frame().ActiveChild()->showNormal();
    QVERIFY(Frame().close());
    QCOMPARE(GetStringSetting(SettingId::DocWindowMax), std::string("0"));
  }

  // Problem windows open one cascade step apart from the workspace's corner, wholly inside it and wide
  // enough for every grid column.
  void problemWindowsCascadeInsideTheWorkspace() {
    Start(NoProblemPlan());
    const QMdiArea* workspace = Frame().findChild<QMdiArea*>();
    Frame().resize(1000, 760);
    QTest::qWait(50);
    const QRect inside(QPoint(0, 0), workspace->viewport()->size());
    for (int i = 0; i < 3; ++i) {
      Trigger(CommandId::FileNew);
      CZrvChildView* child = Frame().ActiveChild();
      QVERIFY(inside.contains(child->geometry()));
      QVERIFY(child->width() >= child->minimumSizeHint().width());
      QVERIFY(child->width() >= CZrvChildView::kMinWidth);
      QCOMPARE(child->pos(), QPoint(i * kCascadeStep, i * kCascadeStep));
    }
  }

  // The toolbar pictures are drawn for a double-density screen too, not scaled up from single density.
  void toolbarIconsAreDrawnForDoubleDensity() {
    Start(NoProblemPlan());
    for (QAction* action : Frame().findChild<QToolBar*>()->actions()) {
      if (action->isSeparator()) continue;
      const QPixmap sharp = action->icon().pixmap(QSize(42, 42), 2.0);
      QCOMPARE(sharp.devicePixelRatio(), 2.0);
      QCOMPARE(sharp.size(), QSize(84, 84));
      QVERIFY(action->icon().availableSizes().contains(QSize(84, 84)));
    }
  }

  void minimumSizes() {
    Start();
    QCOMPARE(Frame().minimumSize(), QSize(610, 325));
    QCOMPARE(Frame().ActiveChild()->minimumSize(), QSize(600, 235));
  }

  void minimumPenaltyToggleIsInverted_data() {
    QTest::addColumn<int>("stored");
    QTest::newRow("stored 0") << 0;
    QTest::newRow("stored 1") << 1;
  }
  void minimumPenaltyToggleIsInverted() {
    QFETCH(int, stored);
    WriteIntSetting(SettingId::OverrideIrsPaymentAllocation, stored);
    Start();
    QAction* action = Frame().Action(CommandId::OptionMinimumPenalty);
    QCOMPARE(action->isChecked(), stored == 0);
    action->trigger();
    QCOMPARE(action->isChecked(), stored != 0);
    QCOMPARE(GetIntSetting(SettingId::OverrideIrsPaymentAllocation), 1 - stored);
  }

  void wholeDollarAndCenturyRefreshEveryView() {
    Start();
    Trigger(CommandId::FileNew);
    for (CommandId id : {CommandId::OptionWholeDollar, CommandId::OptionShowCentury}) {
      const int before = desktop_->ui.refreshes;
      Trigger(id);
      QVERIFY(Frame().Action(id)->isChecked());
      QCOMPARE(desktop_->ui.refreshes, before + 1);
    }
    QCOMPARE(GetIntSetting(SettingId::WholeDollarMode), 1);
    QCOMPARE(GetIntSetting(SettingId::ShowCenturyInDates), 1);
  }

  void eleventhNewIsRefused() {
    Start();
    for (int i = 0; i < 10; ++i) Trigger(CommandId::FileNew);
    QCOMPARE(ChildCount(), 10);
    QCOMPARE(desktop_->ui.Texts(), std::vector<std::string>{Text(20050)});
    QCOMPARE(Frame().ActiveChild()->windowTitle(), QString("Untitled - 10"));
  }

  void saveThenOpenGivesTheSameEvents() {
    Start();
    ProblemDocument* doc = Frame().ActiveChild()->Document();
    doc->problem.m_events[0].m_type = kEventTax;
    doc->problem.m_events[0].m_date = ParseDate("04-15-95");
    doc->problem.m_events[0].m_amount = 100000;
    doc->problem.m_events[1].m_type = kEventPayment;
    doc->problem.m_events[1].m_date = ParseDate("06-15-96");
    doc->problem.m_events[1].m_amount = 50000;
    doc->problem.SetModified();
    const std::string path = work_ + "/CASE.ZR3";
    desktop_->ui.files.push_back(path);
    Trigger(CommandId::FileSave);
    QCOMPARE(Frame().ActiveChild()->windowTitle(), QString("CASE.ZR3"));
    QVERIFY(!doc->problem.IsModified());
    Trigger(CommandId::FileClose);
    QTRY_COMPARE(ChildCount(), 0);
    QCOMPARE(MenuTitles(Frame().menuBar()).size(), 4);  // the menus without a problem

    desktop_->ui.files.push_back(path);
    Trigger(CommandId::FileOpen);
    QCOMPARE(ChildCount(), 1);
    const CTDoc& read = Frame().ActiveChild()->Document()->problem;
    QCOMPARE(read.EventCount(), 2);
    QCOMPARE(read.m_events[0].m_date, ParseDate("04-15-95"));
    QCOMPARE(read.m_events[1].m_type, std::uint16_t(kEventPayment));
    QCOMPARE(read.m_events[1].m_amount, 50000.0);
    // The recent-file list has it once, stored with "File1".
    QCOMPARE(app_->RecentFiles().Files(), std::vector<std::string>{path});
    QCOMPARE(GetProfileString(kSectionRecentFiles, "File1", ""), path);
    QVERIFY(desktop_->ui.messages.empty());
  }

  void modifiedProblemAsksBeforeClosing() {
    Start();
    CZrvChildView* child = Frame().ActiveChild();
    child->Document()->problem.SetModified();
    desktop_->ui.answers.push_back(Answer::Cancel);
    QVERIFY(!Frame().close());  // quitting keeps it too
    QCOMPARE(ChildCount(), 1);
    desktop_->ui.answers.push_back(Answer::Cancel);
    Trigger(CommandId::FileClose);
    QCOMPARE(ChildCount(), 1);
    QCOMPARE(desktop_->ui.Texts(),
             (std::vector<std::string>{"Save changes to Untitled - 1?", "Save changes to Untitled - 1?"}));
    desktop_->ui.answers.push_back(Answer::No);
    Trigger(CommandId::FileClose);
    QTRY_COMPARE(ChildCount(), 0);
  }

  // Regression: Ctrl+O on a file that was open already opened a second, editable copy of it.
  void anOpenFileIsShownOnEveryRoute() {
    CTDoc problem;
    problem.ResetProblem();
    problem.m_header.m_taxpayerName.SetText("On disk");
    const std::string path = work_ + "/CASE.ZR3";
    QVERIFY(SaveProblemFile(problem, path));
    Start(NoProblemPlan());
    CZrvChildView* held = app_->OpenProblemFile(path);
    QVERIFY(held != nullptr);
    held->Document()->problem.m_header.m_taxpayerName.SetText("Typed");
    const std::vector<std::function<void()>> routes = {
        [&] {  // File > Open from a problem window in use: a new window
          Frame().ActiveChild()->Document()->problem.m_header.m_taxpayerId.SetText("123");
          desktop_->ui.files.push_back(path);
          Trigger(CommandId::FileOpen);
        },
        [&] {  // File > Open from a new, unused window: in place
          desktop_->ui.files.push_back(path);
          Trigger(CommandId::FileOpen);
        },
        [&] { app_->OpenRecentFile(0); },
        [&] { Frame().OpenDroppedUrls({QUrl::fromLocalFile(QString::fromStdString(path))}); },
        [&] { app_->OpenProblemFile(work_ + "/./CASE.ZR3"); },  // the command line
    };
    for (const auto& route : routes) {
      Trigger(CommandId::FileNew);  // another window is active
      QVERIFY(Frame().ActiveChild() != held);
      const int before = ChildCount();
      route();
      QTRY_COMPARE(Frame().ActiveChild(), held);
      QCOMPARE(ChildCount(), before);
      QCOMPARE(held->Document()->problem.m_header.m_taxpayerName.Text(), std::string("Typed"));
    }
    QCOMPARE(desktop_->ui.Texts(), std::vector<std::string>{});
  }

  // Regression: File > Open opened an eleventh problem.
  void eleventhOpenIsRefused() {
    CTDoc problem;
    problem.ResetProblem();
    QVERIFY(SaveProblemFile(problem, work_ + "/ELEVEN.ZR3"));
    WriteProfileString(kSectionRecentFiles, "File1", work_ + "/ELEVEN.ZR3");
    Start();
    for (int i = 0; i < 9; ++i) Trigger(CommandId::FileNew);
    QCOMPARE(ChildCount(), 10);
    Frame().ActiveChild()->Document()->problem.SetModified();  // in use: Open would add a window
    Trigger(CommandId::FileOpen);
    app_->OpenRecentFile(0);
    app_->OpenProblemFile(work_ + "/ELEVEN.ZR3");
    Frame().OpenDroppedUrls({QUrl::fromLocalFile(QString::fromStdString(work_ + "/ELEVEN.ZR3"))});
    QTRY_COMPARE(desktop_->ui.Texts(), std::vector<std::string>(4, Text(20050)));
    QVERIFY(desktop_->ui.fileRequests.empty());
    QCOMPARE(ChildCount(), 10);
    QCOMPARE(app_->RecentFiles().Files().size(), std::size_t{1});  // a refusal keeps the list
    Frame().ActiveChild()->Document()->problem.SetModified(false);
  }

  // Regression: a table chosen from another folder was not found when the problem was opened again.
  void aTableFromAnotherFolderIsCopiedIntoTheTableFolder() {
    testing::ScopedEnv data("XDG_DATA_HOME", work_ + "/data");
    const std::string elsewhere = work_ + "/elsewhere";
    std::filesystem::create_directories(elsewhere);
    {
      auto table = std::make_unique<RateTable>();
      QVERIFY(LoadTable(*table, work_ + "/FEDERAL.TB3", false));
      table->notes.clear();  // no notes to offer
      QVERIFY(SaveTable(*table, elsewhere + "/STATE.TB3"));
    }
    Start();
    desktop_->ui.files.push_back(elsewhere + "/STATE.TB3");
    desktop_->ui.answers.push_back(Answer::Yes);
    Trigger(CommandId::SelectRateTable);
    QCOMPARE(desktop_->ui.messages.size(), std::size_t{1});
    QCOMPARE(desktop_->ui.messages[0].kind, MessageKind::YesNo);
    QVERIFY(FileExists(work_ + "/data/Orlendt Software/Zarvic/Tables/STATE.TB3"));  // the user's table folder
    QVERIFY(!FileExists(work_ + "/STATE.TB3"));  // never beside the program
    CTDoc& problem = Frame().ActiveChild()->Document()->problem;
    QCOMPARE(problem.m_rateTable.name, std::string("STATE"));
    QVERIFY(problem.IsModified());
    problem.SetModified(false);
  }

  void recentFileThatIsGoneLeavesTheList() {
    WriteProfileString(kSectionRecentFiles, "File1", work_ + "/GONE.ZR3");
    Start(NoProblemPlan());
    QCOMPARE(app_->Documents().ProblemFolder(), work_);  // the folder of the first recent file
    QVERIFY(!app_->OpenRecentFile(0));
    QVERIFY(app_->RecentFiles().Files().empty());
    QCOMPARE(GetProfileString(kSectionRecentFiles, "File1", "x"), std::string());
  }

  void droppedFiles() {
    CTDoc problem;
    problem.ResetProblem();
    QVERIFY(SaveProblemFile(problem, work_ + "/DROP.ZR3"));
    Start(NoProblemPlan());
    QVERIFY(Frame().acceptDrops());
    Frame().OpenDroppedUrls({QUrl::fromLocalFile(QString::fromStdString(work_ + "/DROP.ZR3")),
                             QUrl::fromLocalFile(QString::fromStdString(work_ + "/notes.txt"))});
    QTRY_COMPARE(ChildCount(), 1);
    QTRY_COMPARE(desktop_->ui.Texts(), std::vector<std::string>{Text(20049)});
  }

  void toolbarAndStatusBar() {
    Start();
    QToolBar* bar = Frame().ButtonBar();
    QCOMPARE(bar->windowTitle(), QString("Button bar"));
    const QStringList names = {"New File",      "Open File", "Save File",    "Penalties", "Hot Interest",
                               "GATT Issues",   "ComputeTotals", "Print",    "PrintPreview", "Select Rate Table"};
    QStringList shown;
    int separators = 0;
    for (QAction* action : bar->actions()) {
      if (action->isSeparator()) {
        ++separators;
        continue;
      }
      QWidget* button = bar->widgetForAction(action);
      shown << button->accessibleName();
      QVERIFY(!action->statusTip().isEmpty());
      QVERIFY(!action->icon().isNull());
      QVERIFY(button->width() >= 49 && button->height() >= 49);
    }
    QCOMPARE(shown, names);
    QCOMPARE(separators, 4);
    // The shared action: the toolbar's New is the menu's New.
    QVERIFY(Captions(Frame().Menu(MenuSet::Problem, "&File")).contains("&New"));
    QCOMPARE(Frame().Action(CommandId::FileSave)->statusTip(), QString("Save the current Zarvic problem"));
    QVERIFY(Frame().Action(CommandId::ComputeTotals)->isEnabled());
    QCOMPARE(Frame().Action(CommandId::ComputeTotals)->shortcut(), QKeySequence(Qt::Key_F9));
    QVERIFY(Frame().Action(CommandId::FileSave)->isEnabled());

    QCOMPARE(Frame().statusBar()->currentMessage(), QString("Ready"));
    // Qt cannot tell the lock states, so there are no CAP, NUM and SCRL panes to show a guess.
    QStringList indicators;
    for (QLabel* label : Frame().statusBar()->findChildren<QLabel*>()) {
      if (!label->text().isEmpty()) indicators << label->text();
    }
    QVERIFY(!indicators.contains("CAP") && !indicators.contains("NUM") && !indicators.contains("SCRL"));

    Trigger(CommandId::FileClose);
    QTRY_COMPARE(ChildCount(), 0);
    QVERIFY(!Frame().Action(CommandId::FileSave)->isEnabled());
  }

  void manualsOnlyWhileReadable() {
    Start();
    QMenu* help = Frame().Menu(MenuSet::Problem, "&Help");
    QVERIFY(Captions(help).contains("I&mport/Export"));
    emit help->aboutToShow();
    QVERIFY(!Frame().Action(CommandId::HelpImportExport)->isEnabled());
    std::ofstream(work_ + "/ImportExport.pdf") << "%PDF-1.4\n";
    emit help->aboutToShow();
    QVERIFY(Frame().Action(CommandId::HelpImportExport)->isEnabled());
    QVERIFY(!Frame().Action(CommandId::HelpUsersGuide)->isEnabled());
    Trigger(CommandId::HelpImportExport);
    QCOMPARE(desktop_->launched, std::vector<std::string>{work_ + "/ImportExport.pdf"});
  }

  void changeFontOffersFixedPitchOnly() {
    Start();
    bool monospacedOnly = false;
    testing::WhenModalShown([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFontDialog*>(modal);
      QVERIFY(dialog != nullptr);
      monospacedOnly = dialog->testOption(QFontDialog::MonospacedFonts);
      dialog->reject();
    });
    const QFont before = Frame().ReportFont();
    Trigger(CommandId::ChangeFont);
    QVERIFY(monospacedOnly);
    QCOMPARE(Frame().ReportFont(), before);
    QCOMPARE(before.pointSize(), 12);
  }

  void aboutShowsVersionAndBuild() {
    CAboutDlg about;
    QLabel* version = about.findChild<QLabel*>("version");
    QVERIFY(version->text().contains("2026.4.2"));
    QVERIFY(about.findChild<QLabel*>("build")->text().startsWith("Built "));
  }

  void splashClosesOnAKeyPress() {
    Start({}, true);
    QPointer<CSplash> splash = app_->Splash();
    QVERIFY(splash && splash->isVisible());
    QTest::keyClick(Frame().windowHandle(), Qt::Key_Shift);
    QTRY_VERIFY(!splash);
  }
};

}  // namespace zarvic

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zarvic::KeepNumbersLocaleFree();
  zarvic::MainFrameTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "MainFrameTest.moc"
