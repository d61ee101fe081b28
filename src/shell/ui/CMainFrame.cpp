#include "shell/ui/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "core/AppOptions.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "penalties/PenaltyModel.h"
#include "payoff/ui/CPayoffCalculation.h"
#include "worksheets/ui/WorksheetWindows.h"
#include "engine/ui/ComputeCommands.h"
#include "problem/DocumentManager.h"
#include "ratetables/ui/CTableEdit.h"
#include "shell/RecentFiles.h"
#include "shell/StartUp.h"
#include "reports/ui/ReportCommands.h"
#include "shell/ui/CAboutDlg.h"
#include "shell/ui/CTApp.h"
#include "shell/ui/CTView.h"
#include "shell/ui/CZrvChildView.h"
#include "shell/ui/Help.h"
#include "shell/ui/ToolbarIcons.h"

namespace zarvic {
namespace {

constexpr int kStartWidth = 640;
constexpr int kStartHeight = 480;
constexpr int kButtonSize = 49;
constexpr int kImageSize = 42;
const char kReady[] = "Ready";

QString ToolTipOf(const char* caption) {
  QString text = QString::fromLatin1(caption);
  text.remove(QLatin1Char('&'));
  if (text.endsWith(QStringLiteral("..."))) text.chop(3);
  return text;
}

std::size_t Index(MenuSet set) { return set == MenuSet::NoProblem ? 0 : 1; }

}  // namespace

CMainFrame::CMainFrame(CTApp& app) : app_(app), mdi_(new QMdiArea(this)) {
  setObjectName(QStringLiteral("CMainFrame"));
  setWindowTitle(QStringLiteral("Zarvic"));
  setWindowIcon(ProgramIcon(48));
  setMinimumSize(kMinWidth, kMinHeight);
  setAcceptDrops(true);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  reportFont_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  reportFont_.setPointSize(12);

  CreateActions();
  CreateMenus();
  CreateToolbar();
  CreateStatusBar();
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { UpdateCommandStates(); });
  UpdateRecentFiles();
  UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
  // The problem windows and the area go after this class's part of the object: nothing may call back.
  if (qApp != nullptr) qApp->removeEventFilter(this);
  QObject::disconnect(mdi_, nullptr, this, nullptr);
  for (QMdiSubWindow* window : mdi_->subWindowList()) QObject::disconnect(window, nullptr, this, nullptr);
}

void CMainFrame::CreateActions() {
  for (const CommandInfo& info : Commands()) {
    auto* action = new QAction(QString::fromLatin1(info.caption), this);
    if (*info.shortcut != '\0') action->setShortcut(QKeySequence(QString::fromLatin1(info.shortcut)));
    action->setStatusTip(QString::fromLatin1(info.statusTip));
    action->setToolTip(ToolTipOf(info.caption));
    action->setCheckable(info.checkable);
    action->setEnabled(info.available);
    if (info.available) {
      const CommandId id = info.id;
      connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
    actions_.push_back(action);
  }
  Action(CommandId::About)->setMenuRole(QAction::AboutRole);

  // F2 does more than its menu item, which is enabled only on the rows it allocates: on an IRS check
  // it opens the C corporation refund window, and in the type list it drops the list down (the list
  // takes the key itself). The menu still names the key.
  QAction* allocate = Action(CommandId::AllocatePayment);
  allocate->setText(allocate->text() + QLatin1Char('\t') +
                    allocate->shortcut().toString(QKeySequence::NativeText));
  auto* rowWindow = new QAction(this);
  rowWindow->setShortcut(allocate->shortcut());
  allocate->setShortcut(QKeySequence());
  addAction(rowWindow);
  connect(rowWindow, &QAction::triggered, this, [this] {
    if (CZrvChildView* child = ActiveChild()) RunComputeCommand(CommandId::AllocatePayment, *this, child);
  });

  const int slotCount = app_.RecentFiles().Size();
  for (int slot = 0; slot < slotCount; ++slot) {
    auto* action = new QAction(this);
    action->setVisible(false);
    connect(action, &QAction::triggered, this, [this, slot] { app_.OpenRecentFile(slot); });
    recentActions_.push_back(action);
  }
}

void CMainFrame::CreateMenus() {
  for (MenuSet set : {MenuSet::NoProblem, MenuSet::Problem}) {
    for (const MenuInfo& info : MenuBar(set)) {
      auto* menu = new QMenu(QString::fromLatin1(info.caption), this);
      for (const MenuEntry& entry : info.entries) {
        switch (entry.kind) {
          case MenuEntry::Kind::Command:
            menu->addAction(Action(entry.id));
            break;
          case MenuEntry::Kind::Separator:
            menu->addSeparator();
            break;
          case MenuEntry::Kind::RecentFiles:
            for (QAction* action : recentActions_) menu->addAction(action);
            break;
          case MenuEntry::Kind::WindowList:
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { FillWindowMenu(menu); });
            break;
        }
      }
      // The manuals' items follow whether their files can be read just now.
      connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
      menuSets_[Index(set)].menus.push_back(menu);
    }
  }
  ShowMenuSet(MenuSet::NoProblem);
}

void CMainFrame::CreateToolbar() {
  toolbar_ = addToolBar(QStringLiteral("Button bar"));
  toolbar_->setObjectName(QStringLiteral("Button bar"));
  toolbar_->setIconSize(QSize(kImageSize, kImageSize));
  toolbar_->setMovable(false);
  for (const ToolbarButton& button : ToolbarButtons()) {
    if (button.separatorBefore) toolbar_->addSeparator();
    QAction* action = Action(button.id);
    action->setIcon(ToolbarIcon(button.id));
    toolbar_->addAction(action);
    QWidget* widget = toolbar_->widgetForAction(action);
    widget->setAccessibleName(QString::fromLatin1(button.accessibleName));
    widget->setMinimumSize(kButtonSize, kButtonSize);
  }
  QAction* toggle = Action(CommandId::ViewToolbar);
  toggle->setChecked(true);
  connect(toolbar_, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void CMainFrame::CreateStatusBar() {
  // No CAP, NUM and SCRL panes: Qt cannot read the keyboard's lock states, and a pane that guesses
  // from the keys pressed here is wrong whenever a lock was set before or outside the program.
  QStatusBar* bar = statusBar();
  // The idle text whenever no prompt is shown.
  connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& text) {
    if (text.isEmpty()) bar->showMessage(QString::fromLatin1(kReady));
  });
  bar->showMessage(QString::fromLatin1(kReady));
  QAction* toggle = Action(CommandId::ViewStatusBar);
  toggle->setChecked(true);
}

QMenu* CMainFrame::Menu(MenuSet set, const QString& caption) const {
  for (QMenu* menu : menuSets_[Index(set)].menus) {
    if (menu->title() == caption) return menu;
  }
  return nullptr;
}

MenuSet CMainFrame::CurrentMenuSet() const { return Children().empty() ? MenuSet::NoProblem : MenuSet::Problem; }

void CMainFrame::ShowMenuSet(MenuSet set) {
  if (shownSet_ == set) return;
  menuBar()->clear();
  for (QMenu* menu : menuSets_[Index(set)].menus) menuBar()->addMenu(menu);
  shownSet_ = set;
}

std::vector<CZrvChildView*> CMainFrame::Children() const {
  std::vector<CZrvChildView*> out;
  for (QMdiSubWindow* window : mdi_->subWindowList(QMdiArea::ActivationHistoryOrder)) {
    auto* child = qobject_cast<CZrvChildView*>(window);
    if (child != nullptr && child->Document() != nullptr) out.push_back(child);
  }
  return out;
}

CZrvChildView* CMainFrame::ActiveChild() const {
  auto* current = qobject_cast<CZrvChildView*>(mdi_->currentSubWindow());
  if (current != nullptr && current->Document() != nullptr) return current;
  std::vector<CZrvChildView*> children = Children();
  return children.empty() ? nullptr : children.back();
}

CZrvChildView* CMainFrame::ChildOf(const ProblemDocument& doc) const {
  for (CZrvChildView* child : Children()) {
    if (child->Document() == &doc) return child;
  }
  return nullptr;
}

CZrvChildView* CMainFrame::AddChild(ProblemDocument& doc) {
  auto* child = new CZrvChildView(app_.Documents(), doc);
  mdi_->addSubWindow(child);
  // Cascaded from the top-left corner, wholly inside the workspace and wide enough for every column.
  const QSize area = mdi_->viewport()->size();
  const QSize least = child->minimumSizeHint().expandedTo(child->minimumSize());
  const int open = static_cast<int>(Children().size()) - 1;
  const ScreenRect place =
      CascadedProblemWindow(area.width(), area.height(), open, least.width(), least.height());
  child->setGeometry(place.x, place.y, place.width, place.height);
  child->show();
  connect(child, &QObject::destroyed, this, [this] { QTimer::singleShot(0, this, &CMainFrame::UpdateCommandStates); });
  connect(child->View(), &CTView::currentChanged, this, [this, child] {
    if (child == ActiveChild())
      Action(CommandId::AllocatePayment)->setEnabled(child->View()->CurrentEventIsAllocated());
  });
  mdi_->setActiveSubWindow(child);
  UpdateCommandStates();
  return child;
}

void CMainFrame::UpdateCommandStates() {
  ShowMenuSet(CurrentMenuSet());
  const bool problem = ActiveChild() != nullptr;
  for (const CommandInfo& info : Commands()) {
    QAction* action = Action(info.id);
    if (!info.available) continue;  // left to the window that connects it
    bool enabled = !info.needsProblem || problem;
    if (*info.manualFile != '\0') enabled = ManualAvailable(QString::fromLatin1(info.manualFile));
    if (info.id == CommandId::BatchModeEdit) enabled = Modes().batchMode;
    action->setEnabled(enabled);
    if (const OptionToggle* toggle = FindOptionToggle(info.id)) action->setChecked(OptionChecked(*toggle));
  }
  UpdateComputeCommandChecks(*this);
  Action(CommandId::AllocatePayment)->setEnabled(problem && ActiveChild()->View()->CurrentEventIsAllocated());
  Action(CommandId::PenaltyBar)->setChecked(problem && ActiveChild()->View()->PenaltyBarShown());
}

void CMainFrame::UpdateRecentFiles() {
  const std::vector<std::string>& files = app_.RecentFiles().Files();
  for (std::size_t slot = 0; slot < recentActions_.size(); ++slot) {
    QAction* action = recentActions_[slot];
    const bool used = slot < files.size();
    action->setVisible(used);
    if (!used) continue;
    action->setText(QString::fromStdString(RecentFileCaption(static_cast<int>(slot), files[slot])));
    action->setStatusTip(QStringLiteral("Open ") + QString::fromStdString(files[slot]));
  }
}

void CMainFrame::AddBatchModeEdit() {
  if (batchModeEditAdded_) return;
  for (MenuSet set : {MenuSet::NoProblem, MenuSet::Problem}) {
    QMenu* options = Menu(set, QStringLiteral("&Options"));
    if (options == nullptr) {
      MessageBoxText("Can't add items to \"Options\" menu.");
      continue;
    }
    options->addSeparator();
    options->addAction(Action(CommandId::BatchModeEdit));
  }
  batchModeEditAdded_ = true;
  UpdateCommandStates();
}

void CMainFrame::FillWindowMenu(QMenu* menu) {
  for (QAction* action : menu->actions()) {
    if (action->property("windowEntry").toBool()) {
      menu->removeAction(action);
      action->deleteLater();
    }
  }
  int number = 1;
  CZrvChildView* active = ActiveChild();
  for (QMdiSubWindow* window : mdi_->subWindowList(QMdiArea::CreationOrder)) {
    auto* child = qobject_cast<CZrvChildView*>(window);
    if (child == nullptr || child->Document() == nullptr) continue;
    QString text = QStringLiteral("&%1 %2").arg(number++).arg(child->windowTitle());
    auto* action = menu->addAction(text, this, [this, child] { mdi_->setActiveSubWindow(child); });
    action->setProperty("windowEntry", true);
    action->setCheckable(true);
    action->setChecked(child == active);
  }
}

void CMainFrame::OnCommand(CommandId id) {
  const CommandInfo& info = Command(id);
  if (const OptionToggle* toggle = FindOptionToggle(id)) {
    ToggleOption(*toggle);
    Action(id)->setChecked(OptionChecked(*toggle));
    if (toggle->refreshViews) app_.UpdateAllProblemViews();
    return;
  }
  if (*info.helpTopic != '\0') {
    OpenHelpTopic(this, QString::fromLatin1(info.helpTopic));
    return;
  }
  if (*info.manualFile != '\0') {
    OpenManual(QString::fromLatin1(info.manualFile));
    return;
  }
  CZrvChildView* child = ActiveChild();
  // What is typed in the grid belongs to the problem before any command acts on it (a save, a
  // computation, a report); an entry the grid refuses stops the command, with the grid's message.
  if (info.needsProblem && child != nullptr && !child->View()->CommitEdits()) return;
  switch (id) {
    case CommandId::FileNew:
      app_.NewProblem();
      break;
    case CommandId::FileOpen:
      app_.OpenProblem(child);
      break;
    case CommandId::FileClose:
      if (child != nullptr) child->close();
      break;
    case CommandId::FileSave:
    case CommandId::FileSaveAs:
      if (child != nullptr) app_.SaveProblem(*child, id == CommandId::FileSaveAs);
      break;
    case CommandId::Exit:
      close();
      break;
    case CommandId::ViewToolbar:
      toolbar_->setVisible(Action(id)->isChecked());
      break;
    case CommandId::ViewStatusBar:
      statusBar()->setVisible(Action(id)->isChecked());
      break;
    case CommandId::ChangeFont:
      ChangeFont();
      break;
    case CommandId::BatchModeEdit:
      BatchModeEdit();
      break;
    case CommandId::WindowCascade:
      mdi_->cascadeSubWindows();
      break;
    case CommandId::WindowTile:
      mdi_->tileSubWindows();
      break;
    case CommandId::ReportSelection:
    case CommandId::FilePrint:
    case CommandId::FilePrintPreview:
    case CommandId::ReportSetupProblem:
    case CommandId::ReportSetup:
    case CommandId::FilePrintSetup:
      RunReportCommand(this, id, child != nullptr ? &child->Document()->problem : nullptr);
      break;
    case CommandId::PenaltySelection:
      if (child != nullptr) OpenPenaltySelection(child->Document()->problem);
      break;
    case CommandId::SortEvents:
    case CommandId::DeleteLine:
    case CommandId::PenaltyBar:
    case CommandId::ExportCsv:
    case CommandId::ImportCsv:
      if (child != nullptr) RunViewCommand(*child, id);
      Action(CommandId::PenaltyBar)->setChecked(child != nullptr && child->View()->PenaltyBarShown());
      break;
    case CommandId::About: {
      CAboutDlg about(this);
      about.exec();
      break;
    }
    case CommandId::EditRateTable:
      EditRateTable(this, child != nullptr ? &child->Document()->problem : nullptr);
      break;
    case CommandId::SelectRateTable:
      if (child != nullptr) SelectRateTable(this, child->Document()->problem);
      break;
    case CommandId::PayoffCalculator:
      OpenPayoffCalculator(this, child != nullptr ? &child->Document()->problem : nullptr);
      break;
    case CommandId::EstimatedTaxPenalty:
      OpenEstimatedTaxWorksheet(this, child != nullptr ? &child->Document()->problem : nullptr);
      break;
    case CommandId::DepositPenalty:
      OpenDepositPenaltyWorksheet(this, child != nullptr ? &child->Document()->problem : nullptr);
      break;
    case CommandId::ComputeTotals:
    case CommandId::HotInterest:
    case CommandId::CCorpRefund:
    case CommandId::AllocatePayment:
    case CommandId::DefaultPaymentAllocation:
      RunComputeCommand(id, *this, child);
      break;
    default:
      break;
  }
}

void CMainFrame::ChangeFont() {
  QFontDialog dialog(reportFont_, this);
  dialog.setOption(QFontDialog::MonospacedFonts);
  dialog.setWindowTitle(QStringLiteral("Font"));
  if (dialog.exec() == QDialog::Accepted) reportFont_ = dialog.selectedFont();
}

void CMainFrame::RestorePlacement() {
  std::optional<WindowPlacement> stored = ParseWindowPos(GetStringSetting(SettingId::WindowPos));
  if (!stored) {
    // The first start: most of the screen, centred, room for the work.
    ScreenRect start{0, 0, kStartWidth, kStartHeight};
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      start = FirstStartFrame({area.x(), area.y(), area.width(), area.height()}, kStartWidth, kStartHeight);
    }
    resize(start.width, start.height);
    move(start.x, start.y);  // the frame's corner
    show();
    return;
  }
  placement_ = *stored;
  setGeometry(stored->left, stored->top, stored->Width(), stored->Height());
  if (stored->StartsMaximized()) {
    showMaximized();
  } else {
    show();
  }
}

void CMainFrame::StorePlacement() {
  QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  if (normal.isEmpty()) normal = geometry();
  placement_.left = normal.x();
  placement_.top = normal.y();
  placement_.right = normal.x() + normal.width();
  placement_.bottom = normal.y() + normal.height();
  placement_.flags = (placement_.flags & ~WindowPlacement::kRestoreToMaximized) |
                     (isMaximized() ? WindowPlacement::kRestoreToMaximized : 0u);
  placement_.showCommand = isMaximized()   ? WindowPlacement::kShowMaximized
                           : isMinimized() ? WindowPlacement::kShowMinimized
                                           : WindowPlacement::kShowNormal;
  WriteStringSetting(SettingId::WindowPos, FormatWindowPos(placement_));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  StorePlacement();
  if (CZrvChildView* child = ActiveChild()) {
    WriteStringSetting(SettingId::DocWindowMax, child->isMaximized() ? "1" : "0");
  }
  if (!app_.Documents().CloseAll()) {
    event->ignore();
    UpdateCommandStates();
    return;
  }
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!event->mimeData()->hasUrls()) return;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void CMainFrame::dropEvent(QDropEvent* event) {
  event->acceptProposedAction();
  OpenDroppedUrls(event->mimeData()->urls());
}

void CMainFrame::OpenDroppedUrls(const QList<QUrl>& urls) {
  std::vector<std::string> paths;
  for (const QUrl& url : urls) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  // Opened after the drop has returned, so that a message box does not hold the other program's drag.
  QTimer::singleShot(0, this, [this, paths] {
    for (const std::string& path : paths) app_.OpenDroppedFile(path);
  });
}

}  // namespace zarvic
