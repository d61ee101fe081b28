#pragma once

#include <QFont>
#include <QMainWindow>
#include <QUrl>
#include <optional>
#include <vector>

#include "shell/MenuCommands.h"
#include "shell/WindowPlacement.h"

class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace zarvic {

class CTApp;
class CZrvChildView;
struct ProblemDocument;

// The main window: the problem windows in a multiple-document area, the two menu sets (no problem,
// a problem active), the toolbar "Button bar", the status bar, the saved placement and the report
// font. One action per command, shared by menu and toolbar; a later window connects its command
// through Action() and enables it.
class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kMinWidth = 610;  // the grid's last column (600) and a margin
  static constexpr int kMinHeight = 325;

  explicit CMainFrame(CTApp& app);
  ~CMainFrame() override;

  QAction* Action(CommandId id) const { return actions_[static_cast<std::size_t>(id)]; }
  QMenu* Menu(MenuSet set, const QString& caption) const;
  MenuSet CurrentMenuSet() const;
  QToolBar* ButtonBar() const { return toolbar_; }
  QMdiArea* MdiArea() const { return mdi_; }

  CZrvChildView* AddChild(ProblemDocument& doc);
  CZrvChildView* ChildOf(const ProblemDocument& doc) const;
  CZrvChildView* ActiveChild() const;
  std::vector<CZrvChildView*> Children() const;

  // "WindowPos": exactly ten numbers place and show the window; anything else shows it at its
  // start-up place. StorePlacement writes it back in the same form.
  void RestorePlacement();
  void StorePlacement();

  // Step 13 of the start-up in batch mode: a separator and "&Batch Mode Edit..." end both Options menus.
  void AddBatchModeEdit();
  void UpdateRecentFiles();
  void UpdateCommandStates();
  // Files dropped on the window open as problems, after the drop has returned.
  void OpenDroppedUrls(const QList<QUrl>& urls);

  const QFont& ReportFont() const { return reportFont_; }
  void SetReportFont(const QFont& font) { reportFont_ = font; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolbar();
  void CreateStatusBar();
  void OnCommand(CommandId id);
  void ShowMenuSet(MenuSet set);
  void ChangeFont();
  void FillWindowMenu(QMenu* menu);

  CTApp& app_;
  QMdiArea* mdi_;
  QToolBar* toolbar_ = nullptr;
  std::vector<QAction*> actions_;
  std::vector<QAction*> recentActions_;  // one per slot of the recent-file list, shared by both File menus
  struct MenuSetMenus {
    std::vector<QMenu*> menus;
  };
  MenuSetMenus menuSets_[2];
  std::optional<MenuSet> shownSet_;
  QFont reportFont_;
  WindowPlacement placement_;  // as read, so that the positions it does not track are written back
  bool batchModeEditAdded_ = false;
};

}  // namespace zarvic
