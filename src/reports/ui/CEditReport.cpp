#include "reports/ui/CEditReport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
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
#include "reports/ReportRun.h"
#include "reports/ReportWorkbook.h"
#include "shell/HelpTopics.h"
#include "shell/Launcher.h"
#include "shell/ui/CAnyEdit.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

constexpr int kUnableToOpen = 20030;
constexpr int kReportSaved = 20031;
constexpr char kNotepadFileName[] = "ZRVFILE.TXT";
constexpr int kDefaultColumns = 82;
constexpr int kDefaultRows = 30;
constexpr char kTempFileWarning[] =
    "The report will be exported to Excel in a temporary file that is subject to re-use.  If you wish to "
    "save your changes to the spreadsheet, use the File/Save As... feature of Excel to give it a new "
    "name and/or location.";

std::string BaseNameOf(const std::string& path) {
  return std::filesystem::path(path).stem().string();
}

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

CEditReport::~CEditReport() {
  // The Notepad copy goes with the window that made it.
  if (!notepadFile_.empty()) {
    std::error_code ec;
    std::filesystem::remove(notepadFile_, ec);
  }
}

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
  notepad_ = file->addAction(QStringLiteral("&Export to Notepad"), this, &CEditReport::ExportToNotepad);
  excel_ = file->addAction(QStringLiteral("Export to Excel"), this, &CEditReport::ExportToExcel);
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

bool CEditReport::WriteWindowText(const std::string& path) {
  std::string text;
  for (const auto& line : lines_) text += Windows1252ToUtf8(line) + "\r\n";
  if (WriteFileAtomically(path, text)) return true;
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
  // In the TEMP folder rather than wherever the program was started from; removed with the window.
  const std::string path = TempPath(kNotepadFileName);
  if (!WriteWindowText(path)) return;
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
  const std::string folder = ExportFolder();
  if (folder.empty()) return;
  const std::string path = ExportFileName(folder, ".xlsx");
  if (path.empty()) {
    MessageBoxText("Every export file name temp0.xlsx to temp99.xlsx in " + folder + " is in use.");
    return;
  }
  if (!WriteDetailWorkbook(*sheet, path, BaseNameOf(path), &error)) {
    MessageBoxText("The workbook " + path + " could not be written: " + error);
    return;
  }
  if (!LaunchFile(path)) {
    MessageBoxText(LaunchFailureMessage(path));
    return;
  }
  ShowTempFileWarning(this);
}

void CEditReport::CloseWith(ReportCloseCode code) {
  closeCode_ = code;
  accept();
}

CTempFileWarning::CTempFileWarning(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Zarvic"));
  SetHelpTopic(this, kHelpReportWindowTopic);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QString::fromLatin1(kTempFileWarning), this);
  label->setWordWrap(true);
  label->setMinimumWidth(360);
  layout->addWidget(label);
  dontShow_ = new QCheckBox(QStringLiteral("Do not show this message again"), this);
  layout->addWidget(dontShow_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

void ShowTempFileWarning(QWidget* parent) {
  if (Options().dontShowTempFileWarning) return;
  CTempFileWarning warning(parent);
  if (warning.exec() == QDialog::Accepted && warning.DontShowBox()->isChecked()) {
    Options().dontShowTempFileWarning = true;
    WriteIntSetting(SettingId::DontShowTempFileWarning, 1);
  }
}

}  // namespace zarvic
