#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

#include "problem/DocumentManager.h"
#include "problem/RecoveryStore.h"
#include "shell/RecentFiles.h"
#include "shell/StartUp.h"

namespace zarvic {

class CMainFrame;
class CSplash;
class CZrvChildView;

// The calculator's windows for one run: the start-up of the windows, the open problems and their
// files, the recent-file list and the main window. Needs a QApplication (DesktopApplication).
class CTApp : public QObject {
  Q_OBJECT
 public:
  CTApp();
  ~CTApp() override;

  // The start-up of the windows: settings (with the one-time INI move), recent files, the main
  // window with its placement, the remembered problem folder, the plan of the command line,
  // "DocWindowMax", batch mode's menu item and the splash window. False when the windows could not
  // start.
  bool InitInstance(const WindowPlan& plan, bool showSplash = true);

  CMainFrame* MainFrame() const { return frame_.get(); }
  DocumentManager& Documents() { return documents_; }
  RecentFileList& RecentFiles() { return *recent_; }
  CSplash* Splash() const;

  // The file commands of the windows.
  CZrvChildView* NewProblem();
  // "&Open...": in place from an unused problem window, else in a new window.
  CZrvChildView* OpenProblem(CZrvChildView* from);
  // A named file in a new window (command line); the window that has it when it is open already;
  // nullptr with 20050 when ten are open.
  CZrvChildView* OpenProblemFile(const std::string& path);
  CZrvChildView* OpenRecentFile(int slot);    // a file that no longer opens leaves the list
  CZrvChildView* OpenDroppedFile(const std::string& path);  // 20049 for a file that is not a problem
  bool SaveProblem(CZrvChildView& child, bool askForName);

  // Repaints every view of every open problem (after "Whole Dollar Mode" or "Show Century in Dates").
  void UpdateAllProblemViews();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RefreshTitles();
  void CloseSplash();
  // The window of doc: activated when it has one, else a new one; nullptr for nullptr.
  CZrvChildView* Show(ProblemDocument* doc);

  std::unique_ptr<RecentFileList> recent_;
  RecoveryStore recovery_;  // before documents_, which removes its copies as it goes
  DocumentManager documents_;
  std::unique_ptr<CMainFrame> frame_;  // after documents_: its windows refer to them
  QPointer<CSplash> splash_;
};

// wzrv's windows: a DesktopApplication, the start-up of plan, the event loop; the exit status.
int RunWindows(const WindowPlan& plan);

}  // namespace zarvic
