// Two programs and a crash: the real windows of this program, run as a child process, get a problem
// typed into their grid and are killed once its recovery copy is written; the next start offers the
// copy and the restored problem holds every event. A child that holds a file open tells a second
// program that opens it.

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>
#include <filesystem>
#include <iostream>
#include <memory>

#include "core/Dates.h"
#include "core/Paths.h"
#include "core/StringTable.h"
#include "gui/GuiTestSupport.h"
#include "problem/DocumentManager.h"
#include "problem/EventTypes.h"
#include "problem/ProblemFile.h"
#include "problem/RecoveryStore.h"
#include "shell/MenuCommands.h"
#include "shell/StartUp.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CSComboBox.h"
#include "shell/ui/CTApp.h"
#include "shell/ui/CTView.h"
#include "shell/ui/CZrvChildView.h"
#include "shell/ui/DesktopApplication.h"

namespace zarvic {
namespace {

constexpr char kChildOption[] = "--type-then-wait";
constexpr char kTypedSignal[] = "TYPED";
constexpr char kHoldOption[] = "--hold";
constexpr char kHoldingSignal[] = "HOLDING";

struct TypedEvent {
  std::uint16_t type;
  QString typeKey;
  QString date;
  QString amount;
  double cents;
};

const std::vector<TypedEvent>& TypedProblem() {
  static const std::vector<TypedEvent> events = {{kEventTax, "T", "4/15/95", "10000", 1000000},
                                                 {kEventPayment, "P", "6/15/96", "2,500.00", 250000},
                                                 {kEventStopInterest, "S", "3/1/97", "", 0},
                                                 {kEventPayment, "P", "12/31/98", "3000", 300000}};
  return events;
}

void Settle() {
  for (int i = 0; i < 8; ++i) QCoreApplication::processEvents();
}

void Type(const QString& text) {
  QTest::keyClicks(QApplication::focusWidget(), text);
  Settle();
}

void Key(Qt::Key key) {
  QTest::keyClick(QApplication::focusWidget(), key);
  Settle();
}

// Whether a recovery copy was written after the given moment.
bool HasRecoveryCopySince(std::filesystem::file_time_type since) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(RecoveryStore::DefaultFolder(), ec), end; !ec && it != end;
       it.increment(ec)) {
    if (it->path().extension() == ".info" && it->last_write_time(ec) > since) return true;
  }
  return false;
}

std::vector<std::string> RecoveryFiles() {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(RecoveryStore::DefaultFolder(), ec), end; !ec && it != end;
       it.increment(ec)) {
    names.push_back(it->path().filename().string());
  }
  return names;
}

// The program that is killed: a new problem typed as a person would, then running on until the end.
int TypeThenWait(int argc, char** argv) {
  QApplication application(argc, argv);
  KeepNumbersLocaleFree();
  testing::FixClock();
  SetProgramFolder(argv[2]);
  testing::RecordingDesktop desktop;
  CTApp app;
  app.InitInstance(WindowPlan{}, false);
  app.MainFrame()->activateWindow();
  if (!QTest::qWaitForWindowActive(app.MainFrame())) return 2;
  Settle();
  Type("Ada Lovelace");
  Key(Qt::Key_Tab);
  Type("123-45-6789");
  Key(Qt::Key_Tab);
  for (const TypedEvent& e : TypedProblem()) {
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    Type(e.typeKey);
    Key(Qt::Key_Tab);
    Type(e.date);
    Key(Qt::Key_Return);
    if (!e.amount.isEmpty()) {
      Type(e.amount);
      Key(Qt::Key_Tab);
    }
    Key(Qt::Key_Tab);
  }
  // The copy is written on the program's own timer (copies of the half-typed problem may be there
  // already); the test is killed from outside when this lasts.
  const auto typed = std::filesystem::file_time_type::clock::now();
  while (!HasRecoveryCopySince(typed)) QTest::qWait(50);
  std::cout << kTypedSignal << std::endl;
  return application.exec();
}

// The other program: the windows with a problem file open, running on until they are killed.
int HoldFile(int argc, char** argv) {
  QApplication application(argc, argv);
  KeepNumbersLocaleFree();
  SetProgramFolder(argv[2]);
  testing::RecordingDesktop desktop;
  WindowPlan plan;
  plan.start = WindowStart::OpenProblem;
  plan.problemFile = argv[3];
  CTApp app;
  app.InitInstance(plan, false);
  if (app.MainFrame()->ActiveChild() == nullptr) return 2;
  std::cout << kHoldingSignal << std::endl;
  return application.exec();
}

// Starts this test program in one of its child roles and waits for its signal on standard output.
bool StartChild(QProcess& child, const QStringList& arguments, const char* signal) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("ZARVIC_RECOVERY_INTERVAL_MS"), QStringLiteral("200"));
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(), arguments);
  if (!child.waitForStarted()) return false;
  QByteArray output;
  QElapsedTimer waited;
  waited.start();
  while (!output.contains(signal) && child.state() == QProcess::Running && waited.elapsed() < 180000) {
    child.waitForReadyRead(500);
    output += child.readAllStandardOutput();
  }
  if (!output.contains(signal)) std::cerr << child.readAllStandardError().constData();
  return output.contains(signal);
}

}  // namespace

class RecoveryTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::RecordingDesktop> desktop_;
  std::unique_ptr<CTApp> app_;
  std::string work_;

  CMainFrame& Frame() { return *app_->MainFrame(); }

 private slots:
  void initTestCase() {
    testing::FixClock();
    work_ = (std::filesystem::temp_directory_path() / "recovery-test").string();
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

  void typedWorkSurvivesAKill() {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZARVIC_RECOVERY_INTERVAL_MS"), QStringLiteral("200"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kChildOption), QString::fromStdString(work_)});
    QVERIFY(child.waitForStarted());
    QByteArray output;
    QElapsedTimer waited;
    waited.start();
    while (!output.contains(kTypedSignal) && child.state() == QProcess::Running &&
           waited.elapsed() < 180000) {
      child.waitForReadyRead(500);
      output += child.readAllStandardOutput();
    }
    QVERIFY2(output.contains(kTypedSignal), child.readAllStandardError().constData());
    child.kill();
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    // The next start lists the problem with its name and time and opens it when asked.
    desktop_->ui.answers.push_back(Answer::Yes);
    WindowPlan plan;
    plan.start = WindowStart::NoProblem;
    app_ = std::make_unique<CTApp>();
    app_->InitInstance(plan, false);
    QCOMPARE(desktop_->ui.messages.size(), std::size_t{1});
    const std::string question = desktop_->ui.messages[0].text;
    QVERIFY2(question.find("Problem: Untitled - 1\n") != std::string::npos, question.c_str());
    QVERIFY2(question.find("Taxpayer: Ada Lovelace\n") != std::string::npos, question.c_str());
    QVERIFY2(question.find("Copied: 12-10-2026 10:00") != std::string::npos, question.c_str());
    QCOMPARE(desktop_->ui.messages[0].kind, MessageKind::YesNoCancel);

    QCOMPARE(Frame().Children().size(), std::size_t{1});
    CZrvChildView* window = Frame().ActiveChild();
    QCOMPARE(window->windowTitle(), QString("Untitled - 1"));
    const CTDoc& restored = window->Document()->problem;
    QVERIFY(restored.IsModified());
    QCOMPARE(restored.m_header.m_taxpayerName.Text(), std::string("Ada Lovelace"));
    QCOMPARE(restored.m_header.m_taxpayerId.Text(), std::string("123-45-6789"));
    const std::vector<TypedEvent>& typed = TypedProblem();
    QCOMPARE(restored.EventCount(), static_cast<int>(typed.size()));
    for (std::size_t i = 0; i < typed.size(); ++i) {
      QCOMPARE(restored.m_events[i].m_type, typed[i].type);
      QCOMPARE(restored.m_events[i].m_date, ParseDate(typed[i].date.toStdString()));
      QCOMPARE(restored.m_events[i].m_amount, typed[i].cents);
    }

    // Saved, it keeps no copy.
    desktop_->ui.files.push_back(work_ + "/RESTORED.ZR3");
    Frame().Action(CommandId::FileSave)->trigger();
    QVERIFY(!restored.IsModified());
    QCOMPARE(RecoveryFiles(), std::vector<std::string>{});
  }

  // A second program that opens a file the first one has open is told so; once the first is gone
  // (killed, so its lock stays behind), the file opens without a word.
  void aFileHeldByAnotherProgram() {
    const std::string path = work_ + "/HELD.ZR3";
    {
      CTDoc problem;
      problem.ResetProblem();
      QVERIFY(SaveProblemFile(problem, path));
    }
    QProcess other;
    QVERIFY(StartChild(
        other,
        {QString::fromLatin1(kHoldOption), QString::fromStdString(work_), QString::fromStdString(path)},
        kHoldingSignal));
    WindowPlan plan;
    plan.start = WindowStart::NoProblem;
    app_ = std::make_unique<CTApp>();
    app_->InitInstance(plan, false);
    desktop_->ui.answers.push_back(Answer::No);
    QVERIFY(app_->OpenProblemFile(path) == nullptr);
    QCOMPARE(desktop_->ui.messages.size(), std::size_t{1});
    const std::string told = desktop_->ui.messages[0].text;
    QVERIFY2(
        told.find(path + "\nis open in another Zarvic (process " + std::to_string(other.processId())) == 0,
        told.c_str());
    QCOMPARE(Frame().Children().size(), std::size_t{0});

    other.kill();
    QVERIFY(other.waitForFinished());
    QVERIFY(std::filesystem::exists(work_ + "/.HELD.ZR3.lock"));  // left behind by the killed program
    desktop_->ui.messages.clear();
    QVERIFY(app_->OpenProblemFile(path) != nullptr);
    QCOMPARE(desktop_->ui.Texts(), std::vector<std::string>{});
  }
};

}  // namespace zarvic

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == zarvic::kChildOption) return zarvic::TypeThenWait(argc, argv);
  if (argc >= 4 && std::string(argv[1]) == zarvic::kHoldOption) return zarvic::HoldFile(argc, argv);
  QApplication app(argc, argv);
  zarvic::KeepNumbersLocaleFree();
  zarvic::RecoveryTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "RecoveryTest.moc"
