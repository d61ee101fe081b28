#pragma once

// Shared set-up of the window tests: a fixed clock, a recording UserInterface that answers from a
// script, a launcher that records instead of starting programs, and a way to answer a real modal
// window from inside its own event loop.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/Clock.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "problem/RecoveryStore.h"
#include "shell/Launcher.h"
#include "shell/StartUp.h"

namespace zarvic::testing {

// 12-10-2026 10:00, the day every window test lives on.
inline void FixClock() {
  SetClock([] { return ClockTime{{2026, 12, 10}, 10, 0, 0}; });
}

// A test case's start from nothing: an empty settings store, no recovery copies (an earlier run that
// was stopped half-way leaves its copies to be offered), the default options and modes, and a fresh
// program folder `work` holding the federal table.
inline void StartFromNothing(const std::string& work) {
  CloseSettingsStore();
  std::filesystem::remove(std::getenv("ZARVIC_REGISTRY"));
  std::filesystem::remove_all(RecoveryStore::DefaultFolder());
  Options() = AppOptions{};
  Modes() = ApplicationModes{};
  std::filesystem::remove_all(work);
  std::filesystem::create_directories(work);
  std::filesystem::copy_file(ZARVIC_BINARY_DIR "/FEDERAL.TB3", work + "/FEDERAL.TB3");
  SetProgramFolder(work);
}

// Installs a RecordingUserInterface and a recording launcher for the life of the object.
class RecordingDesktop {
 public:
  RecordingDesktop() : scoped_(ui) {
    previousLauncher_ = SetFileLauncher([this](const std::string& path) {
      launched.push_back(path);
      return true;
    });
  }
  ~RecordingDesktop() { SetFileLauncher(previousLauncher_); }
  RecordingDesktop(const RecordingDesktop&) = delete;
  RecordingDesktop& operator=(const RecordingDesktop&) = delete;

  RecordingUserInterface ui;
  std::vector<std::string> launched;

 private:
  ScopedUserInterface scoped_;
  FileLauncher previousLauncher_;
};

// Calls act with the next modal window once it is shown (polling the event loop), so a test can
// answer a real QDialog or QMessageBox that blocks in exec().
inline void WhenModalShown(std::function<void(QWidget*)> act, int attempts = 200) {
  QTimer::singleShot(10, [act = std::move(act), attempts]() mutable {
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
      act(modal);
    } else if (attempts > 0) {
      WhenModalShown(std::move(act), attempts - 1);
    }
  });
}

}  // namespace zarvic::testing
