#include "reports/ui/CEditReport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/AppOptions.h"
#include "core/AtomicFile.h"
#include "core/ControlCommands.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "reports/ReportFileNames.h"
#include "reports/ReportRun.h"
#include "reports/ReportTextCopy.h"
#include "reports/ReportWorkbook.h"
#include "shell/HelpTopics.h"
#include "shell/Launcher.h"
#include "shell/ui/CAnyEdit.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

constexpr int kUnableToOpen = 20030;
constexpr int kReportSaved = 20031;
constexpr int kDefaultColumns = 82;
constexpr int kDefaultRows = 30;
constexpr int kNoSpreadsheetProgram = 21521;
constexpr char kDetailReportName[] = "Interest and Penalty Detail";

}  // namespace

CEditReport::CEditReport(const std::string& reportPath, const ReportPageDressing& dressing, int fontSize,
                         QWidget* parent)
    : QDialog(parent), dressing_(dressing), fontSize_(fontSize) {
  setWindowTitle(QStringLiteral("Report"));
  SetHelpTopic(this, kHelpReportWindowTopic);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setSizeGripEnabled(true);

  text_ = new CAnyEdit(this);
  text_->setAccessibleName(QStringLiteral("Report"));
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->installEventFilter(this);
  connect(text_, &CAnyEdit::command, this, [this](int id, QWidget*) {
    if (id == kCmdFontLarger) ChangeFont(LargerReportFont(fontSize_));
    if (id == kCmdFontSmaller) ChangeFont(SmallerReportFont(fontSize_));
  });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  CreateMenus();
  layout->setMenuBar(findChild<QMenuBar*>());
  layout->addWidget(text_);
  ApplyFont();
  // Wide enough for a whole report line (80 columns and the margin) unless a placement is restored.
  const QFontMetrics metrics(text_->font());
  const int width = metrics.horizontalAdvance(QString(kDefaultColumns, QLatin1Char('M'))) +
                    text_->verticalScrollBar()->sizeHint().width() + 4 * text_->frameWidth() + 8;
  resize(width, metrics.lineSpacing() * kDefaultRows + 60);

  // Any report opens here, whatever its size: the text field has no size limit to send a long one
  // to print preview.
  std::ifstream in(reportPath, std::ios::binary);
  if (!in) return;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  lines_ = WithMargin(SplitReportLines(bytes));
  QString shown;
  for (const auto& line : lines_) {
    if (!shown.isEmpty()) shown += QLatin1Char('\n');
    shown += QString::fromStdString(Windows1252ToUtf8(line));
  }
  text_->setPlainText(shown);
  text_->moveCursor(QTextCursor::Start);
  loaded_ = true;
}

// The text editor's copy stays when the window closes: the editor may still show it (old copies go
// at a later start).
CEditReport::~CEditReport() = default;

bool CEditReport::eventFilter(QObject* watched, QEvent* event) {
  // The text field would copy only a selection; the window's Copy takes everything when there is none.
  if (watched == text_ && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
      if (event->type() == QEvent::KeyPress) Copy();
      event->accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CEditReport::CreateMenus() {
  auto* bar = new QMenuBar(this);
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  saveAs_ = file->addAction(QStringLiteral("Save &As Text File..."), this, &CEditReport::SaveAsText);
  file->addSeparator();
  print_ = file->addAction(QStringLiteral("&Print..."), this, [this] { CloseWith(ReportCloseCode::Print); });
  preview_ = file->addAction(QStringLiteral("Print Pre&view..."), this,
                             [this] { CloseWith(ReportCloseCode::Preview); });
  file->addSeparator();
  notepad_ = file->addAction(QStringLiteral("Open in &Text Editor"), this, &CEditReport::ExportToNotepad);
  excel_ = file->addAction(QStringLiteral("Export to Spreadsheet..."), this, &CEditReport::ExportToExcel);
  file->addSeparator();
  file->addAction(QStringLiteral("E&xit"), this, [this] { CloseWith(ReportCloseCode::Closed); });

  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  copy_ = edit->addAction(QStringLiteral("Copy"), this, &CEditReport::Copy);
  copy_->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
  copy_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  edit->addSeparator();
  smaller_ = edit->addAction(QStringLiteral("&Reduce Font"), this,
                             [this] { ChangeFont(SmallerReportFont(fontSize_)); });
  // The keypad's keys come through the text field, which sends the same commands.
  smaller_->setShortcut(QKeySequence(QStringLiteral("Ctrl+-")));
  larger_ = edit->addAction(QStringLiteral("&Enlarge Font"), this,
                            [this] { ChangeFont(LargerReportFont(fontSize_)); });
  larger_->setShortcuts({QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
  for (QAction* action : {smaller_, larger_}) action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addActions({copy_, smaller_, larger_});
}

void CEditReport::ApplyFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setWeight(QFont::Medium);
  font.setPointSize(fontSize_);
  text_->setFont(font);
}

void CEditReport::ChangeFont(int size) {
  if (size == fontSize_) return;
  fontSize_ = size;
  ApplyFont();
}

void CEditReport::Copy() {
  if (text_->textCursor().hasSelection()) {
    text_->copy();
    return;
  }
  // Nothing selected: the whole report, the caret and the scroll position left as they were.
  QApplication::clipboard()->setText(text_->toPlainText());
}

std::string CEditReport::WindowText() const {
  std::string text;
  for (const auto& line : lines_) text += Windows1252ToUtf8(line) + "\r\n";
  return text;
}

bool CEditReport::WriteWindowText(const std::string& path) {
  if (WriteFileAtomically(path, WindowText())) return true;
  MessageBoxText(StringPrintfDynamic(std::string(StringText(kUnableToOpen)).c_str(), path.c_str()));
  return false;
}

void CEditReport::SaveAsText() {
  FileChoice choice;
  choice.save = true;
  choice.title = "Save As";
  choice.filter = "Text files (*.TXT)|*.txt|All Files (*.*)|*.*||";
  choice.defaultExtension = "TXT";
  std::optional<std::string> path = ChooseFileName(choice);
  if (!path) return;
  if (WriteWindowText(*path))
    MessageBoxText(StringPrintfDynamic(std::string(StringText(kReportSaved)).c_str(), path->c_str()));
}

void CEditReport::SetExportLock(bool locked, bool forGood) {
  if (lockedForGood_) return;
  exportLock_ = locked;
  lockedForGood_ = forGood;
  notepad_->setEnabled(!locked);
  excel_->setEnabled(!locked);
}

void CEditReport::ExportToNotepad() {
  if (exportLock_) return;
  // A new file for every copy, so that an editor still showing an earlier one keeps it.
  const std::string folder = TextCopyFolder();
  const std::string stem = FileNameOf(SuggestedReportFile(problemFile_, "Report", "", "", ""));
  int error = 0;
  const std::string path = WriteNewTextFile(folder, stem, WindowText(), &error);
  if (path.empty()) {
    MessageBoxText(StringPrintfDynamic(std::string(StringText(kUnableToOpen)).c_str(),
                                       JoinPath(folder, stem + ".txt").c_str()) +
                   ": " + std::strerror(error));
    return;
  }
  notepadFile_ = path;
  SetExportLock(true, true);
  if (!LaunchFile(path)) MessageBoxText(LaunchFailureMessage(path));
}

void CEditReport::ExportToExcel() {
  if (exportLock_) return;
  SetExportLock(true, false);
  struct Unlock {
    CEditReport* window;
    ~Unlock() { window->SetExportLock(false, false); }
  } unlock{this};

  std::string error;
  std::optional<DetailSheet> sheet = ConvertDetailReport(lines_, dressing_, &error);
  if (!sheet) {
    MessageBoxText(error);
    return;
  }
  // A file of the person's own, named and placed by them: nothing is written that they did not choose.
  FileChoice choice;
  choice.save = true;
  choice.title = "Export to Spreadsheet";
  choice.filter = "Spreadsheets (*.xlsx)|*.xlsx|All Files (*.*)|*.*||";
  choice.defaultExtension = "xlsx";
  choice.initialPath =
      SuggestedReportFile(problemFile_, kDetailReportName, ".xlsx", LastExportFolder(), DocumentsFolder());
  std::optional<std::string> path = ChooseFileName(choice);
  if (!path) return;
  if (!WriteDetailWorkbook(*sheet, *path, kDetailReportName, &error)) {
    MessageBoxText("The workbook " + *path + " could not be written: " + error);
    return;
  }
  RememberExportFolder(*path);
  if (LaunchFile(*path)) return;
  const std::string question =
      StringPrintfDynamic(std::string(StringText(kNoSpreadsheetProgram)).c_str(), path->c_str());
  if (MessageBoxText(question, MessageKind::YesNo) == Answer::Yes) {
    const std::string folder = FolderOf(*path).empty() ? "." : FolderOf(*path);
    if (!LaunchFile(folder)) MessageBoxText(LaunchFailureMessage(folder));
  }
}

void CEditReport::CloseWith(ReportCloseCode code) {
  closeCode_ = code;
  accept();
}

}  // namespace zarvic
