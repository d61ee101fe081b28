#include "regutil/ui/CKBNRegistryDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QVBoxLayout>

#include "regutil/RegTypeNames.h"
#include "regutil/ui/CAboutDlg.h"
#include "regutil/ui/CBasicEdit.h"

namespace zarvic::regutil {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

std::string S(const QString& text) {
  return text.toStdString();
}

}  // namespace

CKBNRegistryDlg::CKBNRegistryDlg(QWidget* parent, const std::string& storePath)
    : QDialog(parent), editor_(storePath) {
  setWindowTitle(QStringLiteral("Orlendt Software Registry Entries"));
  setWindowIcon(ProgramIcon());
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  BuildWidgets();
  FillTypeList();
  editor_.Start();
  FillPrograms();
  ShowListing();
}

void CKBNRegistryDlg::BuildWidgets() {
  auto* menuBar = new QMenuBar(this);
  // There is no system menu here, so the about box has a menu of its own.
  QMenu* help = menuBar->addMenu(QStringLiteral("&Help"));
  QAction* about = help->addAction(QStringLiteral("&About KBNRegistry..."));
  about->setObjectName(QStringLiteral("about"));
  connect(about, &QAction::triggered, this, &CKBNRegistryDlg::ShowAbout);

  auto makeLabel = [this](const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(buddy);
    return label;
  };
  auto named = [](QWidget* w, const QString& objectName, const QString& caption) {
    w->setObjectName(objectName);
    w->setAccessibleName(caption);
  };

  programs_ = new QComboBox(this);
  named(programs_, QStringLiteral("programs"), QStringLiteral("Programs"));
  programs_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  programs_->setMinimumContentsLength(24);

  auto* modify = new QGroupBox(QStringLiteral("Modify"), this);
  modify->setObjectName(QStringLiteral("modify"));
  section_ = new QLineEdit(modify);
  named(section_, QStringLiteral("section"), QStringLiteral("Section"));
  name_ = new QLineEdit(modify);
  named(name_, QStringLiteral("name"), QStringLiteral("Name"));
  value_ = new QLineEdit(modify);
  named(value_, QStringLiteral("value"), QStringLiteral("Value"));
  type_ = new QComboBox(modify);
  named(type_, QStringLiteral("type"), QStringLiteral("Type"));
  type_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

  auto button = [this, modify, &named](const QString& caption, const QString& objectName,
                                       void (RegistryEditor::*operation)()) {
    auto* b = new QPushButton(caption, modify);
    named(b, objectName, QString(caption).remove(QLatin1Char('&')));
    // Enter in a field must not press a button nobody chose.
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, operation] { Run(operation); });
    return b;
  };
  QPushButton* save = button(QStringLiteral("&Save"), QStringLiteral("save"), &RegistryEditor::Save);
  QPushButton* add = button(QStringLiteral("&Add"), QStringLiteral("add"), &RegistryEditor::Add);
  QPushButton* del = button(QStringLiteral("&Delete"), QStringLiteral("delete"), &RegistryEditor::Delete);
  QPushButton* addSection =
      button(QStringLiteral("Add Se&ction"), QStringLiteral("addSection"), &RegistryEditor::AddSection);
  QPushButton* deleteSection = button(QStringLiteral("Delete Sec&tion"), QStringLiteral("deleteSection"),
                                      &RegistryEditor::DeleteSection);
  auto* dump = new QPushButton(QStringLiteral("D&ump to File"), modify);
  named(dump, QStringLiteral("dumpToFile"), QStringLiteral("Dump to File"));
  dump->setAutoDefault(false);
  connect(dump, &QPushButton::clicked, this, [this] { editor_.Dump(); });

  auto* grid = new QGridLayout(modify);
  grid->addWidget(makeLabel(QStringLiteral("S&ection:"), section_), 0, 0);
  grid->addWidget(section_, 0, 1);
  grid->addWidget(makeLabel(QStringLiteral("&Name:"), name_), 1, 0);
  grid->addWidget(name_, 1, 1);
  grid->addWidget(makeLabel(QStringLiteral("&Value:"), value_), 2, 0);
  grid->addWidget(value_, 2, 1);
  grid->addWidget(makeLabel(QStringLiteral("T&ype:"), type_), 3, 0);
  grid->addWidget(type_, 3, 1, Qt::AlignLeft);
  grid->addWidget(save, 0, 2);
  grid->addWidget(add, 1, 2);
  grid->addWidget(del, 2, 2);
  grid->addWidget(addSection, 0, 3);
  grid->addWidget(deleteSection, 1, 3);
  grid->addWidget(dump, 2, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnMinimumWidth(1, 260);
  grid->setHorizontalSpacing(10);

  entries_ = new CBasicEdit(this);
  named(entries_, QStringLiteral("entries"), QStringLiteral("Registry Entries:"));
  entries_->setMinimumSize(300, 200);
  connect(entries_, &CBasicEdit::leftPressed, this, &CKBNRegistryDlg::Pick);

  auto* done = new QPushButton(QStringLiteral("Done"), this);
  done->setObjectName(QStringLiteral("done"));
  done->setAccessibleName(QStringLiteral("Done"));
  done->setAutoDefault(false);
  connect(done, &QPushButton::clicked, this, &QDialog::accept);

  auto* top = new QHBoxLayout;
  top->addWidget(makeLabel(QStringLiteral("&Programs:"), programs_));
  top->addWidget(programs_);
  top->addStretch(1);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(done);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menuBar);
  layout->addLayout(top);
  layout->addWidget(modify);
  layout->addWidget(makeLabel(QStringLiteral("&Registry Entries:"), entries_));
  layout->addWidget(entries_, 1);
  layout->addLayout(bottom);
  setMinimumSize(620, 520);

  auto* refresh = new QShortcut(QKeySequence(Qt::Key_F5), this);
  connect(refresh, &QShortcut::activated, this, &CKBNRegistryDlg::Refresh);
  connect(programs_, &QComboBox::currentIndexChanged, this, [this](int index) {
    editor_.SelectProgram(index < 0 ? std::nullopt
                                    : std::optional<std::size_t>(static_cast<std::size_t>(index)));
    ShowListing();
  });
}

void CKBNRegistryDlg::FillTypeList() {
  for (const RegTypeName& row : RegTypeNames()) {
    type_->addItem(Q(std::string(row.name)), QVariant::fromValue(static_cast<qlonglong>(row.code)));
  }
  type_->setCurrentIndex(-1);
}

void CKBNRegistryDlg::FillPrograms() {
  QSignalBlocker quiet(programs_);
  for (const std::string& program : editor_.Programs()) programs_->addItem(Q(program));
  programs_->setCurrentIndex(editor_.SelectedProgram() ? static_cast<int>(*editor_.SelectedProgram()) : -1);
}

void CKBNRegistryDlg::keyPressEvent(QKeyEvent* event) {
  // Escape neither saves nor closes: the window closes by Done or its close box.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CKBNRegistryDlg::ShowAbout() {
  CAboutDlg about(this);
  about.exec();
}

void CKBNRegistryDlg::Refresh() {
  editor_.ShowEntries();
  ShowListing();
}

void CKBNRegistryDlg::ReadFields() {
  editor_.fields.section = S(section_->text());
  editor_.fields.name = S(name_->text());
  editor_.fields.value = S(value_->text());
  int type = type_->currentIndex();
  editor_.fields.typeIndex =
      type < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(type));
}

void CKBNRegistryDlg::ShowFields() {
  section_->setText(Q(editor_.fields.section));
  name_->setText(Q(editor_.fields.name));
  value_->setText(Q(editor_.fields.value));
  type_->setCurrentIndex(editor_.fields.typeIndex ? static_cast<int>(*editor_.fields.typeIndex) : -1);
}

void CKBNRegistryDlg::Run(void (RegistryEditor::*operation)()) {
  ReadFields();
  (editor_.*operation)();
  ShowListing();
}

void CKBNRegistryDlg::ShowListing() {
  if (shownListing_ == editor_.ListingCount()) return;
  shownListing_ = editor_.ListingCount();
  QStringList lines;
  for (const std::string& line : editor_.Entries().lines) {
    // A line break inside a name or a text would make two lines of one and shift every pick below it.
    QString shown = Q(line);
    for (QChar breaking :
         {QChar(u'\n'), QChar(u'\r'), QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator)}) {
      shown.replace(breaking, QChar(u'\u2424'));
    }
    lines << shown;
  }
  entries_->setPlainText(lines.join(QLatin1Char('\n')));
  HighlightRememberedLine();
}

void CKBNRegistryDlg::HighlightRememberedLine() {
  QTextBlock block = entries_->document()->findBlockByNumber(static_cast<int>(editor_.RememberedLine()));
  if (!block.isValid() || editor_.Entries().lines.empty()) return;
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  entries_->setTextCursor(cursor);
  entries_->ensureCursorVisible();
}

void CKBNRegistryDlg::Pick(QPoint viewportPos) {
  int line = entries_->LineAt(viewportPos);
  if (line < 0) return;
  ReadFields();
  if (!editor_.PickLine(static_cast<std::size_t>(line))) return;
  ShowFields();
  HighlightRememberedLine();
}

}  // namespace zarvic::regutil
