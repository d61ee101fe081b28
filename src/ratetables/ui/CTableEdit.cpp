#include "ratetables/ui/CTableEdit.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "core/ControlCommands.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "ratetables/TableNotes.h"
#include "ratetables/ui/CRateTableNotes.h"
#include "shell/HelpTopics.h"
#include "shell/ui/CEditDate.h"
#include "shell/ui/CTEdit.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

constexpr int kColumns = 6;
constexpr int kPageLines = 10;       // page up and page down keys
constexpr int kScrollBarPage = 9;    // the scroll bar's page areas
constexpr int kFirstRowLine = 4;     // grid line of the first row

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QComboBox* MakeList(QWidget* parent, const EditorChoice* choices, std::size_t count) {
  auto* list = new QComboBox(parent);
  for (std::size_t i = 0; i < count; ++i) list->addItem(QString::fromUtf8(choices[i].text));
  list->setCurrentIndex(-1);
  return list;
}

}  // namespace

CTableEdit::CTableEdit(const RateTable* table, QWidget* parent) : QDialog(parent), model_(table) {
  setWindowTitle(QStringLiteral("Interest Rates"));
  SetHelpTopic(this, kHelpRateTableEditorTopic);

  name_ = new QLineEdit(this);
  name_->setMaxLength(kTableNameLimit);
  name_->setAccessibleName(QStringLiteral("Table Name"));
  description_ = new QLineEdit(this);
  description_->setMaxLength(kTableDescriptionLimit);
  RefuseTextTheFileCannotStore(*description_);
  description_->setAccessibleName(QStringLiteral("Table Description"));
  endDate_ = new CEditDate(this);
  endDate_->setAccessibleName(QStringLiteral("Table End Date"));
  auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
  notes_ = new QPushButton(this);
  notes_->setObjectName(QStringLiteral("notes"));
  auto* save = new QPushButton(QStringLiteral("&Save"), this);
  auto* newTable = new QPushButton(QStringLiteral("&New"), this);
  auto* deleteLine = new QPushButton(QStringLiteral("&Delete Line"), this);
  auto* sort = new QPushButton(QStringLiteral("S&ort"), this);
  auto* close = new QPushButton(QStringLiteral("&Close"), this);
  browse->setObjectName(QStringLiteral("browse"));
  save->setObjectName(QStringLiteral("save"));
  newTable->setObjectName(QStringLiteral("new"));
  deleteLine->setObjectName(QStringLiteral("deleteLine"));
  sort->setObjectName(QStringLiteral("sort"));
  close->setObjectName(QStringLiteral("close"));
  for (QPushButton* button : {browse, notes_, save, newTable, deleteLine, sort, close}) button->setAutoDefault(false);
  connect(browse, &QPushButton::clicked, this, &CTableEdit::Browse);
  connect(notes_, &QPushButton::clicked, this, &CTableEdit::EditNotes);
  connect(save, &QPushButton::clicked, this, &CTableEdit::Save);
  connect(newTable, &QPushButton::clicked, this, &CTableEdit::New);
  connect(deleteLine, &QPushButton::clicked, this, &CTableEdit::DeleteLine);
  connect(sort, &QPushButton::clicked, this, &CTableEdit::Sort);
  connect(close, &QPushButton::clicked, this, &CTableEdit::reject);
  // Typing in the header fields is a change like any other.
  for (QLineEdit* field : {name_, description_, static_cast<QLineEdit*>(endDate_)}) {
    connect(field, &QLineEdit::textEdited, this, [this] { model_.MarkChanged(); });
  }

  auto* header = new QGridLayout;
  header->addWidget(new QLabel(QStringLiteral("Table Name:"), this), 0, 0);
  header->addWidget(name_, 0, 1);
  header->addWidget(browse, 0, 2);
  header->addWidget(new QLabel(QStringLiteral("Table Description:"), this), 1, 0);
  header->addWidget(description_, 1, 1, 1, 2);
  header->addWidget(new QLabel(QStringLiteral("Table End Date:"), this), 2, 0);
  header->addWidget(endDate_, 2, 1);
  header->addWidget(notes_, 2, 2);
  name_->setMinimumWidth(120);
  description_->setMinimumWidth(220);
  auto* commands = new QVBoxLayout;
  commands->addWidget(save);
  commands->addWidget(newTable);
  commands->addWidget(deleteLine);
  commands->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(header);
  top->addStretch();
  top->addLayout(commands);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  auto* annual = new QLabel(QStringLiteral("** Annual Interest Rates **"), this);
  annual->setAlignment(Qt::AlignCenter);
  grid->addWidget(annual, kFirstRowLine - 2, 2, 1, 3);
  const char* headings[kColumns] = {"Starting Date", "Computation Mode", "Normal", "Motivated", "Refund",
                                    "Days Per Year"};
  for (int c = 0; c < kColumns; ++c) {
    auto* heading = new QLabel(QString::fromLatin1(headings[c]), this);
    heading->setAlignment(c >= 2 && c <= 4 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(heading, kFirstRowLine - 1, c);
  }
  for (int r = 0; r < kEditorRows; ++r) {
    Row& row = rows_[static_cast<std::size_t>(r)];
    const QString line = QStringLiteral("Line %1 ").arg(r + 1);
    row.date = new CTEdit(CellMode::Date, this);
    row.mode = MakeList(this, kEditorModes.data(), kEditorModes.size());
    row.normal = new CTEdit(CellMode::Rate, this);
    row.motivated = new CTEdit(CellMode::Rate, this);
    row.refund = new CTEdit(CellMode::Rate, this);
    row.days = MakeList(this, kEditorDays.data(), kEditorDays.size());
    row.date->setAccessibleName(line + QStringLiteral("Starting date"));
    row.mode->setAccessibleName(line + QStringLiteral("Computation mode"));
    row.normal->setAccessibleName(line + QStringLiteral("Normal rate"));
    row.motivated->setAccessibleName(line + QStringLiteral("Motivated rate"));
    row.refund->setAccessibleName(line + QStringLiteral("Refund rate"));
    row.days->setAccessibleName(line + QStringLiteral("Days per year"));
    row.date->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00-00-00000")) + 12);
    for (CTEdit* rate : {row.normal, row.motivated, row.refund}) {
      rate->setAlignment(Qt::AlignRight);
      rate->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("Motivated")) + 16);
    }
    for (int c = 0; c < kColumns; ++c) {
      QWidget* control = ControlAt(r, c);
      grid->addWidget(control, kFirstRowLine + r, c);
      control->installEventFilter(this);
    }
    for (CTEdit* cell : {row.date, row.normal, row.motivated, row.refund}) {
      connect(cell, &CTEdit::command, this, &CTableEdit::OnCellCommand);
      // Every edit by the person counts, pasted, cut or undone as much as typed.
      connect(cell, &QLineEdit::textEdited, this, [this] { model_.MarkChanged(); });
    }
    for (QComboBox* list : {row.mode, row.days}) {
      connect(list, &QComboBox::activated, this, [this] { model_.MarkChanged(); });
    }
  }
  scroll_ = new QScrollBar(Qt::Vertical, this);
  scroll_->setAccessibleName(QStringLiteral("Table lines"));
  scroll_->setRange(0, kEditorMaxScroll);
  scroll_->setSingleStep(1);
  scroll_->setPageStep(kScrollBarPage);
  connect(scroll_, &QScrollBar::valueChanged, this, &CTableEdit::OnScrollBar);
  grid->addWidget(scroll_, kFirstRowLine, kColumns, kEditorRows, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(sort);
  bottom->addWidget(close);

  status_ = new QStatusBar(this);
  status_->setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addLayout(grid);
  layout->addLayout(bottom);
  layout->addWidget(status_);

  model_.PositionForOpening();
  ShowHeader();
  ShowRows();
  UpdateNotesButton();
  FocusRowDate(model_.FocusRow());
}

QLineEdit* CTableEdit::EndDateField() const {
  return endDate_;
}

QWidget* CTableEdit::ControlAt(int row, int column) const {
  const Row& r = rows_[static_cast<std::size_t>(row)];
  switch (column) {
    case 0:
      return r.date;
    case 1:
      return r.mode;
    case 2:
      return r.normal;
    case 3:
      return r.motivated;
    case 4:
      return r.refund;
    default:
      return r.days;
  }
}

int CTableEdit::RowOf(const QWidget* control) const {
  for (int r = 0; r < kEditorRows; ++r) {
    if (ColumnOf(control, r) >= 0) return r;
  }
  return -1;
}

int CTableEdit::ColumnOf(const QWidget* control, int row) const {
  for (int c = 0; c < kColumns; ++c) {
    if (ControlAt(row, c) == control) return c;
  }
  return -1;
}

EditorScreen CTableEdit::Collect() const {
  EditorScreen screen;
  screen.name = name_->text().toStdString();
  screen.description = description_->text().toStdString();
  screen.endDate = endDate_->text().toStdString();
  for (int r = 0; r < kEditorRows; ++r) {
    const Row& row = rows_[static_cast<std::size_t>(r)];
    EditorRow& out = screen.rows[static_cast<std::size_t>(r)];
    out.date = row.date->text().toStdString();
    out.mode = row.mode->currentIndex();
    out.normal = row.normal->text().toStdString();
    out.motivated = row.motivated->text().toStdString();
    out.refund = row.refund->text().toStdString();
    out.days = row.days->currentIndex();
  }
  return screen;
}

void CTableEdit::ShowHeader() {
  const EditorScreen screen = model_.Show();
  name_->setText(Text(screen.name));
  description_->setText(Text(screen.description));
  endDate_->setText(Text(screen.endDate));
}

void CTableEdit::ShowRows() {
  showing_ = true;
  for (int r = 0; r < kEditorRows; ++r) {
    const EditorRow shown = model_.ShowRow(r);
    const Row& row = rows_[static_cast<std::size_t>(r)];
    row.date->setText(Text(shown.date));
    row.mode->setCurrentIndex(shown.mode);
    row.normal->setText(Text(shown.normal));
    row.motivated->setText(Text(shown.motivated));
    row.refund->setText(Text(shown.refund));
    row.days->setCurrentIndex(shown.days);
  }
  scroll_->setValue(model_.Scroll());
  showing_ = false;
}

void CTableEdit::UpdateNotesButton() {
  notes_->setText(Text(NotesButtonCaption()));
  notes_->setVisible(NotesButtonShown(model_.Working()));
}

void CTableEdit::FocusRowDate(int row) {
  rows_[static_cast<std::size_t>(row)].date->setFocus(Qt::OtherFocusReason);
}

void CTableEdit::OnScrollBar(int value) {
  if (showing_) return;
  model_.ScrollTo(Collect(), value);
  ShowRows();
}

void CTableEdit::ScrollBy(int lines) {
  scroll_->setValue(std::clamp(model_.Scroll() + lines, 0, kEditorMaxScroll));
}

void CTableEdit::wheelEvent(QWheelEvent* event) {
  Wheel(event);
}

// One line per notch (120); finer wheels add up until they make a line.
void CTableEdit::Wheel(QWheelEvent* event) {
  wheelAngle_ += event->angleDelta().y();
  const int steps = wheelAngle_ / 120;
  wheelAngle_ -= steps * 120;
  if (steps != 0) ScrollBy(-steps);
  event->accept();
}

bool CTableEdit::eventFilter(QObject* watched, QEvent* event) {
  // The wheel over any row scrolls the table; a list under the pointer must not take it as a choice.
  if (event->type() == QEvent::Wheel && RowOf(static_cast<QWidget*>(watched)) >= 0) {
    Wheel(static_cast<QWheelEvent*>(event));
    return true;
  }
  if (event->type() == QEvent::FocusIn) {
    auto* control = static_cast<QWidget*>(watched);
    const int row = RowOf(control);
    if (row >= 0) {
      model_.SetLastFocusedRow(row);
      QComboBox* mode = rows_[static_cast<std::size_t>(row)].mode;
      if (control == mode && mode->currentIndex() < 0) {
        mode->setCurrentIndex(kEditorDefaultMode);
        if (!rows_[static_cast<std::size_t>(row)].date->text().isEmpty()) model_.MarkChanged();
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CTableEdit::OnCellCommand(int id, QWidget* control) {
  const int row = RowOf(control);
  if (row < 0) return;
  const int column = ColumnOf(control, row);
  const Row& cells = rows_[static_cast<std::size_t>(row)];
  switch (id) {
    case kCmdCellChanging:
      model_.MarkChanged();
      break;
    case kCmdCellDateInvalid:
      if (!isVisible()) return;
      MessageBoxId(20032);
      control->setFocus(Qt::OtherFocusReason);
      break;
    case kCmdCellRateTooLarge:
      if (!isVisible()) return;
      MessageBoxId(20036);
      control->setFocus(Qt::OtherFocusReason);
      break;
    case kCmdCellRateMalformed:
      if (!isVisible()) return;
      MessageBoxId(kMalformedRateId);
      control->setFocus(Qt::OtherFocusReason);
      break;
    case kCmdCellDateAccepted:
      if (cells.days->currentIndex() < 0 && !cells.date->text().isEmpty()) {
        cells.days->setCurrentIndex(TableEditorModel::DefaultDaysFor(ParseDate(cells.date->text().toStdString())));
        model_.MarkChanged();
      }
      break;
    case kCmdPageUp:
      ScrollBy(-kPageLines);
      break;
    case kCmdPageDown:
      ScrollBy(kPageLines);
      break;
    case kCmdUp:
      if (row == 0) {
        ScrollBy(-1);
      } else {
        ControlAt(row - 1, column)->setFocus(Qt::OtherFocusReason);
      }
      break;
    case kCmdDown:
      if (row < kEditorRows - 1) {
        ControlAt(row + 1, column)->setFocus(Qt::OtherFocusReason);
      } else {
        ScrollBy(1);
        FocusRowDate(kEditorRows - 1);
      }
      break;
    case kCmdDeleteLine:
      DeleteLine();
      break;
    default:
      break;
  }
}

void CTableEdit::Browse() {
  // The header fields keep what was typed unless another table came in.
  const bool replaced = model_.Browse(Collect());
  if (replaced) ShowHeader();
  ShowRows();
  UpdateNotesButton();
  if (replaced) FocusRowDate(model_.FocusRow());
}

void CTableEdit::Save() {
  status_->clearMessage();
  const TableEditorModel::SaveOutcome outcome = model_.Save(Collect());
  if (outcome == TableEditorModel::SaveOutcome::Saved) {
    ShowHeader();
    status_->showMessage(
        Text(StringPrintfDynamic(std::string(StringText(21540)).c_str(), model_.SavedPath().c_str())));
  }
  ShowRows();
  // Both refusals ask for another end date.
  if (outcome == TableEditorModel::SaveOutcome::NoEndDate ||
      outcome == TableEditorModel::SaveOutcome::EndBeforeLastLine) {
    endDate_->setFocus(Qt::OtherFocusReason);
  }
}

void CTableEdit::New() {
  if (!model_.New(Collect())) {
    ShowRows();
    return;
  }
  ShowHeader();
  ShowRows();
  UpdateNotesButton();
  FocusRowDate(0);
}

void CTableEdit::DeleteLine() {
  model_.DeleteLine(Collect());
  ShowRows();
  const int row = model_.LastFocusedRow();
  if (row >= 0) ControlAt(row, 0)->setFocus(Qt::OtherFocusReason);
}

void CTableEdit::Sort() {
  model_.Sort(Collect());
  ShowRows();
}

void CTableEdit::EditNotes() {
  if (std::optional<std::string> notes = ShowTableNotes(this, model_.Working(), TableNotesEditable())) {
    model_.SetNotes(*notes);
  }
  UpdateNotesButton();
}

void CTableEdit::reject() {
  if (!model_.Close(Collect())) {
    ShowRows();
    return;
  }
  QDialog::reject();
}

void EditRateTable(QWidget* parent, CTDoc* doc) {
  CTableEdit editor(doc != nullptr ? &doc->m_rateTable : nullptr, parent);
  editor.exec();
  if (doc != nullptr && editor.Model().Saved()) TakeSavedTable(*doc, editor.Model().SavedCopy());
}

void SelectRateTable(QWidget* parent, CTDoc& doc) {
  if (SelectProblemTable(doc)) ShowTableHasNotes(parent, doc.m_rateTable);
}

}  // namespace zarvic
