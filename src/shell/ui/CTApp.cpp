#include "shell/ui/CTApp.h"

#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QTimer>
#include <cstdlib>

#include "core/AppOptions.h"
#include "core/DiagnosticLog.h"
#include "core/FileExtension.h"
#include "core/FolderIndex.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "reports/ReportTextCopy.h"
#include "shell/CommandLine.h"
#include "shell/WindowPlacement.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CSplash.h"
#include "shell/ui/CZrvChildView.h"
#include "shell/ui/DesktopApplication.h"
#include "shell/ui/CTView.h"
#include "shell/ui/Help.h"
#include "shell/ui/QtUserInterface.h"

namespace zarvic {
namespace {

constexpr int kNotZarvicId = 20049;

}  // namespace

CTApp::CTApp() = default;

CSplash* CTApp::Splash() const { return splash_.data(); }

CTApp::~CTApp() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
  if (splash_) delete splash_.data();
  frame_.reset();
}

bool CTApp::InitInstance(const WindowPlan& plan, bool showSplash) {
  MoveIniToRegistry();
  // "Number of MRU files" and "Tips" are read and written back, the options and report settings cached.
  LoadSettings();
  StartRunDiagnostics("the windows");
  InstallHelpKey(*QCoreApplication::instance());
  recent_ = std::make_unique<RecentFileList>(Options().numberOfMruFiles);
  recent_->Load();
  Modes().batchMode = plan.batchMode;
  Modes().gattDiagnostic = plan.gattDiagnostic;

  documents_.onRecentFile = [this](const std::string& path) {
    recent_->Add(path);
    recent_->Save();
    if (frame_) frame_->UpdateRecentFiles();
  };
  documents_.beforeRemove = [this](ProblemDocument& doc) {
    if (!frame_) return;
    if (CZrvChildView* child = frame_->ChildOf(doc)) child->DocumentRemoved();
  };
  if (auto* qt = dynamic_cast<QtUserInterface*>(&CurrentUi())) {
    connect(qt, &QtUserInterface::refreshRequested, this, [this](const CTDoc* problem) {
      if (!frame_) return;
      for (CZrvChildView* child : frame_->Children()) {
        if (problem == nullptr || &child->Document()->problem == problem) child->View()->Refresh();
      }
    });
  }

  frame_ = std::make_unique<CMainFrame>(*this);
  frame_->RestorePlacement();

  // Work a crashed run left comes first, so that the command line's file finds its recovered window.
  documents_.SetRecoveryStore(&recovery_);
  for (ProblemDocument* doc : documents_.OfferRecovery()) frame_->AddChild(*doc);
  auto* recoveryTimer = new QTimer(this);
  connect(recoveryTimer, &QTimer::timeout, this, [this] { documents_.WriteRecoveryCopies(); });
  recoveryTimer->start(RecoveryStore::IntervalMs());

  documents_.SetProblemFolder(
      RememberedProblemFolder(GetProfileString(kSectionRecentFiles, "File1", ""), DocumentsFolder()));
  RemoveLeftoverTemporaryFiles(recent_->Files(), documents_.ProblemFolder());
  RemoveOldTextCopies(TextCopyFolder(), std::filesystem::file_time_type::clock::now());

  switch (plan.start) {
    case WindowStart::NewProblem:
      NewProblem();
      break;
    case WindowStart::OpenProblem:
      // A file that cannot be read leaves the main window open without a problem (its message shown).
      OpenProblemFile(plan.problemFile);
      break;
    case WindowStart::NoProblem:
      break;
  }

  if (DocWindowStartsMaximized(GetStringSetting(SettingId::DocWindowMax))) {
    if (CZrvChildView* child = frame_->ActiveChild()) child->showMaximized();
  }
  if (plan.batchMode) frame_->AddBatchModeEdit();

  if (showSplash) {
    splash_ = new CSplash(frame_.get());
    splash_->show();
    splash_->raise();
    qApp->installEventFilter(this);
    QTimer::singleShot(CSplash::kShownMs, this, &CTApp::CloseSplash);
  }
  return true;
}

void CTApp::CloseSplash() {
  if (splash_) splash_->close();
  if (qApp != nullptr) qApp->removeEventFilter(this);
}

bool CTApp::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
      if (splash_) CloseSplash();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

CZrvChildView* CTApp::NewProblem() {
  ProblemDocument* doc = documents_.NewDocument();
  return doc ? frame_->AddChild(*doc) : nullptr;
}

CZrvChildView* CTApp::OpenProblem(CZrvChildView* from) {
  // The reading looks for the problem's rate table several times; a large folder is listed once.
  FileLookupScope lookups;
  if (from != nullptr && from->Document() != nullptr) {
    ProblemDocument* current = from->Document();
    ProblemDocument* doc = documents_.OpenFromDocument(*current);
    from->View()->Refresh();  // an open in place resets the problem even when the read fails
    from->UpdateTitle();
    return Show(doc);
  }
  return Show(documents_.OpenDocument());
}

CZrvChildView* CTApp::Show(ProblemDocument* doc) {
  if (doc == nullptr) return nullptr;
  CZrvChildView* child = frame_->ChildOf(*doc);
  if (child == nullptr) return frame_->AddChild(*doc);
  frame_->MdiArea()->setActiveSubWindow(child);
  return child;
}

CZrvChildView* CTApp::OpenProblemFile(const std::string& path) {
  FileLookupScope lookups;
  return Show(documents_.OpenDocumentFile(path));
}

CZrvChildView* CTApp::OpenRecentFile(int slot) {
  const std::vector<std::string>& files = recent_->Files();
  if (slot < 0 || static_cast<std::size_t>(slot) >= files.size()) return nullptr;
  const std::string path = files[static_cast<std::size_t>(slot)];
  if (documents_.FindOpen(path) == nullptr && documents_.RefuseEleventh()) return nullptr;
  CZrvChildView* child = OpenProblemFile(path);
  // A file another program holds stays listed when the person chose not to open it.
  if (child == nullptr && !ProblemFileLock::HolderOf(path)) {
    recent_->Remove(path);
    recent_->Save();
    frame_->UpdateRecentFiles();
  }
  return child;
}

CZrvChildView* CTApp::OpenDroppedFile(const std::string& path) {
  if (!HasExtensionNoCase(path, kProblemExtension) && !HasExtensionNoCase(path, kOldProblemExtension)) {
    MessageBoxId(kNotZarvicId);
    return nullptr;
  }
  return OpenProblemFile(path);
}

bool CTApp::SaveProblem(CZrvChildView& child, bool askForName) {
  ProblemDocument* doc = child.Document();
  if (doc == nullptr) return false;
  const bool saved = askForName ? documents_.SaveAs(*doc) : documents_.Save(*doc);
  RefreshTitles();
  return saved;
}

void CTApp::RefreshTitles() {
  for (CZrvChildView* child : frame_->Children()) child->UpdateTitle();
}

void CTApp::UpdateAllProblemViews() {
  if (frame_) {
    for (CZrvChildView* child : frame_->Children()) child->View()->Refresh();
  }
  CurrentUi().RefreshViews(nullptr);
}

int RunWindows(const WindowPlan& plan) {
  // Qt reads its own options from the arguments; the program's were read already.
  static int argc = 1;
  static char name[] = "wzrv";
  static char* argv[] = {name, nullptr};
  DesktopApplication application(argc, argv);
  CTApp app;
  if (!app.InitInstance(plan)) return kExitFailed;
  // Measuring the start-up: end as soon as the first window has been shown.
  if (std::getenv("ZARVIC_QUIT_AFTER_FIRST_SHOW") != nullptr) {
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
  }
  return application.exec();
}

}  // namespace zarvic
