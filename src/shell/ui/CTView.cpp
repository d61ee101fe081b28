#include "shell/ui/CTView.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "core/AppOptions.h"
#include "core/ControlCommands.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "penalties/PenaltyModel.h"
#include "problem/CTDoc.h"
#include "problem/CsvFile.h"
#include "problem/DocumentManager.h"
#include "ratetables/TableOperations.h"
#include "ratetables/ui/CRateTableNotes.h"
#include "shell/HelpTopics.h"
#include "shell/ui/CBasicEdit.h"
#include "shell/ui/CEditTrap.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CSComboBox.h"
#include "shell/ui/CSEdit.h"
#include "shell/ui/CZrvChildView.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/Help.h"

namespace zarvic {

namespace {

QString Q(std::string_view text) {
  return QString::fromStdString(Windows1252ToUtf8(text));
}
QString Utf8(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

// The grid itself: headings, the visible rows and the lines between them, painted from the model on
// demand, so a problem of 1000 events costs no more to show than one of ten. The editors are its
// children, placed over the cell they edit.
class EventGrid : public QWidget {
 public:
  explicit EventGrid(CTView& view) : QWidget(&view), view_(view) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Events"));
  }

  // Column edges from the font, with the reference widths as the least (x of each column's left
  // edge; the last entry is the description's right edge).
  void Measure(int typeListWidth, int typeListHeight) {
    const QFontMetrics fm(font());
    pitch_ = std::max(fm.height() + 8, typeListHeight + 2);
    edges_[0] = 0;
    edges_[1] = std::max(30, fm.horizontalAdvance(QStringLiteral("1000")) + 12);
    edges_[2] = edges_[1] + std::max(145, typeListWidth + 4);
    edges_[3] = edges_[2] + std::max(75, fm.horizontalAdvance(QStringLiteral("00-00-0000")) + 16);
    edges_[4] = edges_[3] + std::max(110, fm.horizontalAdvance(QStringLiteral("999,999,999,999.99")) + 16);
    edges_[5] = edges_[4] + std::max(205, fm.horizontalAdvance(QString(28, QLatin1Char('n'))) + 12);
    setMinimumWidth(edges_[5] + 1);
    setMinimumHeight(HeadingHeight() + 3 * pitch_);
  }

  int Pitch() const { return pitch_; }
  int HeadingHeight() const { return pitch_ + 3; }
  int VisibleRows() const { return std::max(1, (height() - HeadingHeight()) / pitch_); }
  int Left(int column) const { return edges_[column]; }
  int Right(int column) const {
    return column == kGridDescription ? std::max(edges_[5], width() - 1) : edges_[column + 1];
  }

  QRect CellRect(int row, int column) const {
    const int y = HeadingHeight() + (row - view_.model_.TopRow()) * pitch_;
    return QRect(Left(column), y, Right(column) - Left(column), pitch_);
  }

  // The cell under a point: {row, column}; row -1 outside the rows.
  std::pair<int, int> CellAt(QPoint at) const {
    if (at.y() < HeadingHeight()) return {-1, 0};
    const int row = view_.model_.TopRow() + (at.y() - HeadingHeight()) / pitch_;
    int column = kGridRowNumber;
    for (int c = kGridRowNumber; c <= kGridDescription; ++c) {
      if (at.x() < Right(c) || c == kGridDescription) {
        column = c;
        break;
      }
    }
    return {row, column};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Base));
    const QFontMetrics fm(font());
    const EventGridModel& model = view_.model_;
    const int textPad = 4;
    auto draw = [&](int column, int y, const QString& text, Qt::Alignment align) {
      QRect cell(Left(column) + textPad, y, Right(column) - Left(column) - 2 * textPad, pitch_);
      p.drawText(cell, static_cast<int>(align | Qt::AlignVCenter),
                 fm.elidedText(text, Qt::ElideRight, cell.width()));
    };

    // Headings between two rules.
    p.setPen(pal.color(QPalette::Text));
    draw(kGridType, 0, Q(StringText(19100)), Qt::AlignLeft);
    draw(kGridDate, 0, Q(StringText(19101)), Qt::AlignLeft);
    draw(kGridAmount, 0, Q(StringText(19102)).trimmed(), Qt::AlignRight);
    draw(kGridDescription, 0, Q(StringText(19103)), Qt::AlignLeft);
    const QColor rule = pal.color(QPalette::Mid);
    p.setPen(rule);
    p.drawLine(0, 0, width(), 0);
    p.drawLine(0, HeadingHeight() - 1, width(), HeadingHeight() - 1);

    const int rows = VisibleRows();
    const int rowCount = model.RowCount();
    const QColor lines(220, 220, 220);
    const int current = view_.EditorOpen() ? view_.openRow_ : -1;
    int noteY = -1;
    for (int i = 0; i < rows; ++i) {
      const int row = model.TopRow() + i;
      const int y = HeadingHeight() + i * pitch_;
      if (row < rowCount) {
        const bool selected = model.IsSelected(row);
        if (selected) p.fillRect(QRect(0, y, width(), pitch_), pal.color(QPalette::Highlight));
        p.setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const EventGridModel::RowTexts texts = model.Texts(row, row == current);
        draw(kGridRowNumber, y, Utf8(texts.number), Qt::AlignRight);
        draw(kGridType, y, Utf8(texts.type), Qt::AlignLeft);
        draw(kGridDate, y, Utf8(texts.date), Qt::AlignLeft);
        draw(kGridAmount, y, Utf8(texts.amount), Qt::AlignRight);
        draw(kGridDescription, y, Utf8(texts.description), Qt::AlignLeft);
      } else if (model.IsFullNoteRow(row)) {
        noteY = y;
      }
      p.setPen(lines);
      p.drawLine(0, y + pitch_ - 1, width(), y + pitch_ - 1);
    }
    for (int c = kGridType; c <= kGridDescription; ++c)
      p.drawLine(Left(c), HeadingHeight(), Left(c), height());
    if (noteY >= 0) {  // across the columns, where the entry row would be
      const QRect note(Left(kGridType) + 1, noteY, width() - Left(kGridType) - 1, pitch_ - 1);
      p.fillRect(note, pal.color(QPalette::Base));
      p.setPen(pal.color(QPalette::Text));
      const QRect text = note.adjusted(textPad, 0, -textPad, 0);
      p.drawText(text, static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter),
                 fm.elidedText(Q(StringText(EventGridModel::kNoEntryRowId)), Qt::ElideRight, text.width()));
    }
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) view_.OnGridClick(event->position().toPoint(), event->modifiers());
  }

  void wheelEvent(QWheelEvent* event) override {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) view_.scrollBar_->setValue(view_.scrollBar_->value() - 3 * steps);
    event->accept();
  }

  void resizeEvent(QResizeEvent*) override { view_.Refresh(); }

 private:
  CTView& view_;
  int pitch_ = 25;
  int edges_[6] = {0, 30, 175, 250, 360, 570};
};

CTView::CTView(CTDoc* problem, QWidget* parent)
    : QWidget(parent), doc_(problem), model_(*problem), penaltyBarShown_(Options().showPenaltyStatusBar) {
  setObjectName(QStringLiteral("CTView"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(5, 4, 5, 4);
  layout->addLayout(BuildHeading());

  auto* gridRow = new QHBoxLayout;
  gridRow->setSpacing(0);
  grid_ = new EventGrid(*this);
  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->setAccessibleName(QStringLiteral("Event scroll bar"));
  gridRow->addWidget(grid_, 1);
  gridRow->addWidget(scrollBar_);
  layout->addLayout(gridRow, 1);
  BuildPenaltyBar();
  layout->addWidget(penaltyBar_);

  typeList_ = new CSComboBox(grid_);
  typeList_->setAccessibleName(QStringLiteral("Event type"));
  dateEdit_ = new CSEdit(grid_);
  dateEdit_->setAccessibleName(QStringLiteral("Event date"));
  amountEdit_ = new CSEdit(grid_);
  amountEdit_->setAccessibleName(QStringLiteral("Event amount"));
  amountEdit_->setAlignment(Qt::AlignRight);
  descriptionEdit_ = new CSEdit(grid_);
  descriptionEdit_->setAccessibleName(QStringLiteral("Event description"));
  dateEdit_->setMaxLength(EventGridModel::kDateTextLimit);
  amountEdit_->setMaxLength(EventGridModel::kAmountTextLimit);
  descriptionEdit_->setMaxLength(EventGridModel::kDescriptionLimit);
  RefuseTextTheFileCannotStore(*descriptionEdit_);
  // F1 outside the grid's editors (which explain their columns) explains the window.
  SetHelpTopic(this, kHelpProblemWindowTopic);
  // Out of sight but able to hold the focus while whole rows are selected.
  trap_ = new CEditTrap(grid_);
  trap_->setAccessibleName(QStringLiteral("Selected rows"));
  trap_->setGeometry(-100, -100, 1, 1);
  grid_->Measure(typeList_->sizeHint().width(), typeList_->sizeHint().height());

  for (CSEdit* edit : {dateEdit_, amountEdit_, descriptionEdit_}) {
    connect(edit, &CSEdit::command, this, &CTView::OnControlCommand);
    connect(edit, &CSEdit::commitRequested, this, [this](CSEdit* editor) {
      // Closed by the focus leaving; an editor already reopened elsewhere holds the focus again.
      if (editor->hasFocus() || openColumn_ == 0 || Editor(openColumn_) != editor) return;
      CommitEdits();
    });
    edit->installEventFilter(this);
  }
  connect(typeList_, &CSComboBox::command, this, &CTView::OnControlCommand);
  connect(typeList_, &CSComboBox::typeChosen, this, [this](int, int) {
    if (typeList_->hasFocus() || openColumn_ != kGridType) return;
    CommitEdits();
  });
  connect(trap_, &CEditTrap::command, this, &CTView::OnControlCommand);
  connect(name_, &CBasicEdit::command, this, &CTView::OnControlCommand);
  connect(id_, &CBasicEdit::command, this, &CTView::OnControlCommand);
  for (QWidget* w : {static_cast<QWidget*>(typeList_), static_cast<QWidget*>(trap_),
                     static_cast<QWidget*>(name_), static_cast<QWidget*>(id_)}) {
    w->installEventFilter(this);
  }
  // The taxpayer fields change the problem as they are typed.
  auto taxpayer = [this] {
    if (doc_ != nullptr) model_.CommitTaxpayer(name_->text().toStdString(), id_->text().toStdString());
  };
  connect(name_, &QLineEdit::textEdited, this, taxpayer);
  connect(id_, &QLineEdit::textEdited, this, taxpayer);
  connect(scrollBar_, &QScrollBar::valueChanged, this, &CTView::OnScroll);
  setMinimumWidth(grid_->minimumWidth() + scrollBar_->sizeHint().width() + 10);
  Refresh();
}

CTView::~CTView() {
  // The editors' queued commits must not reach a half-destroyed view.
  for (QObject* child : grid_->children()) child->disconnect(this);
}

QGridLayout* CTView::BuildHeading() {
  auto* heading = new QGridLayout;
  heading->setHorizontalSpacing(6);
  auto caption = [this](int id) { return new QLabel(Q(StringText(id)), this); };
  tableName_ = new QLabel(this);
  tableName_->setAccessibleName(QStringLiteral("Rate table"));
  tableName_->setMinimumWidth(257);
  notes_ = new QPushButton(QStringLiteral("Notes"), this);
  notes_->setFocusPolicy(Qt::NoFocus);
  tableStatus_ = new QLabel(this);
  tableStatus_->setAccessibleName(QStringLiteral("Table status"));
  name_ = new CBasicEdit(this);
  name_->setAccessibleName(QStringLiteral("Taxpayer name"));
  name_->setMaxLength(EventGridModel::kNameLimit);
  RefuseTextTheFileCannotStore(*name_);
  name_->setMinimumWidth(342);
  id_ = new CBasicEdit(this);
  id_->setAccessibleName(QStringLiteral("Taxpayer ID"));
  id_->setMaxLength(EventGridModel::kIdLimit);
  RefuseTextTheFileCannotStore(*id_);
  id_->setMinimumWidth(
      std::max(102, id_->fontMetrics().horizontalAdvance(QStringLiteral("999-99-99999")) + 16));
  heading->addWidget(caption(19110), 0, 0);  // "Table:"
  heading->addWidget(tableName_, 0, 1);
  heading->addWidget(notes_, 0, 2);
  heading->addWidget(tableStatus_, 0, 3, 1, 2);
  heading->addWidget(caption(19111), 1, 0);  // "Name:"
  heading->addWidget(name_, 1, 1, 1, 2);
  heading->addWidget(caption(19112), 1, 3);  // "ID:"
  heading->addWidget(id_, 1, 4);
  heading->setColumnStretch(5, 1);
  heading->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding), 1, 5);
  connect(notes_, &QPushButton::clicked, this, [this] {
    if (doc_ != nullptr) ShowTableNotes(this, doc_->m_rateTable, false);
  });
  return heading;
}

void CTView::BuildPenaltyBar() {
  penaltyBar_ = new QWidget(this);
  penaltyBar_->setObjectName(QStringLiteral("Penalty bar"));
  auto* bar = new QGridLayout(penaltyBar_);
  bar->setContentsMargins(0, 4, 0, 0);
  bar->setVerticalSpacing(2);
  penaltyHeading_ = new QLabel(penaltyBar_);
  bar->addWidget(penaltyHeading_, 0, 0, Qt::AlignTop);
  for (int i = 0; i < 3; ++i) {
    auto* line = new QLabel(penaltyBar_);
    line->setTextFormat(Qt::RichText);
    line->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(line, &QLabel::linkActivated, this, [this](const QString& link) {
      if (doc_ == nullptr || !CommitEdits()) return;
      EditPenalty(*doc_, link.toInt());
      Refresh();
    });
    bar->addWidget(line, i, 1);
    penaltyLines_.push_back(line);
  }
  bar->setColumnStretch(1, 1);
}

QWidget* CTView::Grid() const {
  return grid_;
}

QRect CTView::CellRect(int row, int column) const {
  return grid_->CellRect(row, column);
}

// A description the file held beyond what the editor takes is shown whole, not cut by the field.
void CTView::ShowEditorText(CSEdit& editor, int column, const std::string& text) {
  const int limit = column == kGridDate     ? EventGridModel::kDateTextLimit
                    : column == kGridAmount ? EventGridModel::kAmountTextLimit
                                            : EventGridModel::kDescriptionLimit;
  ShowTextWithin(editor, Utf8(text), limit);
}

CSEdit* CTView::Editor(int column) const {
  switch (column) {
    case kGridDate:
      return dateEdit_;
    case kGridAmount:
      return amountEdit_;
    case kGridDescription:
      return descriptionEdit_;
    default:
      return nullptr;
  }
}

bool CTView::EditorOpen() const {
  return openColumn_ != 0;
}

int CTView::CurrentEvent() const {
  return doc_ == nullptr ? -1 : model_.CurrentEvent();
}

void CTView::Detach() {
  CancelEdits();
  doc_ = nullptr;
}

void CTView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  name_->setFocus(Qt::OtherFocusReason);
  model_.SetCurrent(GridPlace::Name());
}

void CTView::Refresh() {
  if (doc_ == nullptr) return;
  UpdateHeading();
  model_.SetVisibleRows(grid_->VisibleRows());
  UpdateScrollBar();
  if (EditorOpen() && openRow_ >= model_.RowCount()) CancelEdits();
  PlaceEditors();
  UpdatePenaltyBar();
  GridChanged();
}

// Every change of the rows or of the current row ends here: the grid repaints and the commands that
// depend on the current row follow it.
void CTView::GridChanged() {
  grid_->update();
  emit currentChanged();
}

bool CTView::CurrentEventIsAllocated() const {
  return doc_ != nullptr && model_.CurrentEventIsAllocated();
}

void CTView::UpdateHeading() {
  const RateTable& table = doc_->m_rateTable;
  QString name = Q(table.name);
  if (!table.description.empty()) name += QStringLiteral("  ") + Q(table.description);
  tableName_->setText(name);
  tableName_->setToolTip(name);
  notes_->setVisible(!table.notes.empty());
  tableStatus_->setText(Q(TableStatus(table)));
  const QString taxpayerName = Utf8(model_.TaxpayerName());
  const QString taxpayerId = Utf8(model_.TaxpayerId());
  if (!name_->hasFocus() && name_->text() != taxpayerName) name_->setText(taxpayerName);
  if (!id_->hasFocus() && id_->text() != taxpayerId) id_->setText(taxpayerId);
}

void CTView::UpdatePenaltyBar() {
  penaltyBar_->setVisible(penaltyBarShown_);
  if (!penaltyBarShown_) return;
  const ActivePenaltySummary summary = SummarizeActivePenalties(*doc_);
  penaltyHeading_->setText(Q(summary.heading));
  for (std::size_t i = 0; i < penaltyLines_.size(); ++i) {
    QLabel* line = penaltyLines_[i];
    if (i < summary.lines.size()) {
      line->setText(QStringLiteral("<a href=\"%1\" style=\"color: green; text-decoration: underline\">%2</a>")
                        .arg(summary.lines[i].penalty)
                        .arg(Q(summary.lines[i].text).toHtmlEscaped()));
      line->show();
    } else if (i == 0 && !summary.note.empty()) {
      line->setText(Q(summary.note).toHtmlEscaped());
      line->show();
    } else {
      line->clear();
      line->hide();
    }
  }
}

void CTView::UpdateScrollBar() {
  const QSignalBlocker block(scrollBar_);
  scrollBar_->setRange(0, model_.ScrollMax());
  scrollBar_->setPageStep(model_.VisibleRows());
  scrollBar_->setValue(model_.TopRow());
  scrollBar_->setVisible(model_.ScrollMax() > 0);
}

void CTView::PlaceEditors() {
  if (!EditorOpen()) return;
  const bool inView = openRow_ >= model_.TopRow() && openRow_ < model_.TopRow() + model_.VisibleRows();
  QWidget* editor = openColumn_ == kGridType ? static_cast<QWidget*>(typeList_) : Editor(openColumn_);
  QRect cell = grid_->CellRect(openRow_, openColumn_).adjusted(1, 1, -1, -1);
  if (openColumn_ == kGridType) cell.setHeight(std::max(cell.height(), typeList_->sizeHint().height()));
  editor->setGeometry(cell);
  editor->setVisible(inView);
}

void CTView::OnScroll(int value) {
  if (doc_ == nullptr || value == model_.TopRow()) return;
  CommitEdits();
  model_.ScrollTo(value);
  UpdateScrollBar();
  GridChanged();
}

void CTView::ParkFocus(QWidget* leaving) {
  if (leaving->hasFocus()) trap_->setFocus(Qt::OtherFocusReason);
}

void CTView::CancelEdits() {
  if (!EditorOpen()) return;
  QWidget* editor = openColumn_ == kGridType ? static_cast<QWidget*>(typeList_) : Editor(openColumn_);
  openColumn_ = 0;
  ParkFocus(editor);
  editor->hide();
  GridChanged();
}

bool CTView::CommitEdits() {
  if (doc_ == nullptr || doc_->m_loading || doc_->m_saving || committing_) return true;
  committing_ = true;
  model_.CommitTaxpayer(name_->text().toStdString(), id_->text().toStdString());
  bool accepted = true;
  if (EditorOpen()) {
    const int column = openColumn_;
    const int row = openRow_;
    QWidget* editor = column == kGridType ? static_cast<QWidget*>(typeList_) : Editor(column);
    openColumn_ = 0;
    ParkFocus(editor);
    editor->hide();
    GridCommit result;
    switch (column) {
      case kGridType:
        result = model_.CommitType(row, typeList_->SelectedType());
        break;
      case kGridDate:
        result = model_.CommitDate(row, dateEdit_->text().toStdString());
        break;
      case kGridAmount:
        result = model_.CommitAmount(row, amountEdit_->text().toStdString());
        break;
      default:
        result = model_.CommitDescription(row, descriptionEdit_->text().toStdString());
        break;
    }
    accepted = !result.returnToCell;
    AfterCommit(result, row, column);
  }
  committing_ = false;
  Refresh();
  return accepted;
}

// Messages, the return to a refused cell and the allocation window come after the focus change
// that caused the commit is over.
void CTView::AfterCommit(const GridCommit& result, int row, int column) {
  if (result.messages.empty() && !result.returnToCell && result.allocateEvent < 0) return;
  if (result.returnToCell) {
    if (CSEdit* editor = Editor(column)) ShowEditorText(*editor, column, result.returnText);
  }
  QTimer::singleShot(0, this, [this, result, row, column] {
    if (doc_ == nullptr) return;
    for (int id : result.messages) MessageBoxId(id);
    if (result.returnToCell) {
      model_.EnsureVisible(row);
      openRow_ = row;
      openColumn_ = column;
      model_.SetCurrent(GridPlace::Cell(row, column));
      UpdateScrollBar();
      PlaceEditors();
      CSEdit* editor = Editor(column);
      ShowEditorText(*editor, column, result.returnText);
      editor->Activate(row, column);
      GridChanged();
    }
    if (result.allocateEvent >= 0) OpenAllocation(result.allocateEvent);
  });
}

// The main window's "Allocate a Payment" reads the current row of the active view.
void CTView::OpenAllocation(int row) {
  auto* frame = qobject_cast<CMainFrame*>(window());
  if (frame == nullptr) return;
  QAction* allocate = frame->Action(CommandId::AllocatePayment);
  const GridPlace saved = model_.Current();
  model_.SetCurrent(GridPlace::Cell(row, kGridAmount));
  emit currentChanged();  // the command is enabled for the row it acts on
  if (allocate->isEnabled()) allocate->trigger();
  if (doc_ == nullptr) return;
  if (model_.CurrentEvent() == row) model_.SetCurrent(saved);
  Refresh();
}

void CTView::ActivateCell(int column, int row, Qt::KeyboardModifiers modifiers) {
  if (doc_ == nullptr) return;
  if (!CommitEdits()) return;
  row = std::clamp(row, 0, model_.RowCount() - 1);
  model_.EnsureVisible(row);
  UpdateScrollBar();
  column = model_.ResolveColumn(row, column);
  model_.SetCurrent(GridPlace::Cell(row, column));
  if (column == kGridRowNumber) {
    model_.SelectRow(row, modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier));
    trap_->clear();
    trap_->setFocus(Qt::OtherFocusReason);
    GridChanged();
    return;
  }
  openRow_ = row;
  openColumn_ = column;
  PlaceEditors();
  if (column == kGridType) {
    typeList_->SetType(model_.EditorType(row));
    typeList_->Activate(row);
  } else {
    CSEdit* editor = Editor(column);
    ShowEditorText(*editor, column, model_.EditorText(row, column));
    editor->Activate(row, column);
  }
  GridChanged();
}

void CTView::MoveTo(const GridMove& move) {
  if (move.beep) {
    QApplication::beep();
    return;
  }
  switch (move.to.field) {
    case GridPlace::Field::Name:
    case GridPlace::Field::Id:
      if (!CommitEdits()) return;
      model_.SetCurrent(move.to);
      (move.to.field == GridPlace::Field::Name ? name_ : id_)->setFocus(Qt::TabFocusReason);
      break;
    case GridPlace::Field::Cell:
      ActivateCell(move.to.column, move.to.row);
      break;
    case GridPlace::Field::None:
      break;
  }
}

void CTView::OnControlCommand(int id, QWidget* control) {
  if (doc_ == nullptr) return;
  // Keys of a field are about where the person is: the heading fields, or the current cell.
  GridPlace from = model_.Current();
  if (control == name_) from = GridPlace::Name();
  if (control == id_) from = GridPlace::Id();
  switch (id) {
    case kCmdNextField:
      MoveTo(model_.NextField(from));
      break;
    case kCmdPreviousField:
      MoveTo(model_.PreviousField(from));
      break;
    case kCmdUp:
      MoveTo(model_.Up(from));
      break;
    case kCmdDown:
      MoveTo(model_.Down(from));
      break;
    case kCmdPageUp:
      MoveTo(model_.PageUp(from));
      break;
    case kCmdPageDown:
      MoveTo(model_.PageDown(from));
      break;
    case kCmdHome:
      MoveTo(model_.Home(from));
      break;
    case kCmdEnd:
      MoveTo(model_.End(from));
      break;
    case kCmdDeleteLine:
      DeleteLine();
      break;
    case kCmdEditorClosed:
      GridChanged();
      break;
    default:
      break;
  }
}

void CTView::OnGridClick(QPoint at, Qt::KeyboardModifiers modifiers) {
  if (doc_ == nullptr) return;
  const auto [row, column] = grid_->CellAt(at);
  if (row < 0 || row >= model_.RowCount()) {
    CommitEdits();
    return;
  }
  if (column != kGridRowNumber) model_.ClearSelection();
  if (column == kGridAmount && model_.RowHasEvent(row) &&
      EventGridModel::SkipsAmount(doc_->m_events[static_cast<std::size_t>(row)].m_type)) {
    return;
  }
  ActivateCell(column, row, modifiers);
}

bool CTView::eventFilter(QObject* watched, QEvent* event) {
  if (doc_ == nullptr) return QWidget::eventFilter(watched, event);
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
    return QWidget::eventFilter(watched, event);
  }
  auto* key = static_cast<QKeyEvent*>(event);
  if (event->type() == QEvent::ShortcutOverride) {
    // F2 drops the type list down rather than opening the row's window.
    if (key->key() == Qt::Key_F2 && watched == typeList_) {
      event->accept();
      return true;
    }
    return QWidget::eventFilter(watched, event);
  }
  auto* control = static_cast<QWidget*>(watched);
  const int k = key->key();
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  auto post = [this, control](int id) {
    QTimer::singleShot(0, this, [this, id, control = QPointer<QWidget>(control)] {
      if (control) OnControlCommand(id, control);
    });
  };
  // Tab and Enter always move to the next field in the problem window; Shift+Tab to the previous.
  if ((k == Qt::Key_Tab && mods == Qt::NoModifier) ||
      ((k == Qt::Key_Return || k == Qt::Key_Enter) && mods == Qt::NoModifier)) {
    post(kCmdNextField);
    return true;
  }
  if (k == Qt::Key_Backtab || (k == Qt::Key_Tab && mods == Qt::ShiftModifier)) {
    post(kCmdPreviousField);
    return true;
  }
  if (key->matches(QKeySequence::Undo) || (k == Qt::Key_Backspace && mods == Qt::AltModifier)) {
    QTimer::singleShot(0, this, &CTView::Undo);
    return true;
  }
  // The keys that drop the type list down: F2 and Ctrl+Down, and this desktop's own Alt+Down, Alt+Up
  // and F4.
  const bool dropKey = (k == Qt::Key_F2 && mods == Qt::NoModifier) ||
                       (k == Qt::Key_F4 && mods == Qt::NoModifier) ||
                       (k == Qt::Key_Down && (mods == Qt::ControlModifier || mods == Qt::AltModifier)) ||
                       (k == Qt::Key_Up && mods == Qt::AltModifier);
  if (watched == typeList_ && dropKey) {
    typeList_->showPopup();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void CTView::SortEvents() {
  if (doc_ == nullptr || !CommitEdits()) return;
  if (doc_->EventCount() < 2) return;
  doc_->SortEvents(-1);
  Refresh();
}

void CTView::DeleteLine() {
  if (doc_ == nullptr) return;
  const bool rows = !model_.Selection().empty();
  if (!rows && !CommitEdits()) return;
  const std::vector<int> messages = model_.DeleteLines();
  Refresh();
  for (int id : messages) MessageBoxId(id);
  const GridPlace current = model_.Current();
  if (!rows && current.IsCell() && current.column != kGridRowNumber)
    ActivateCell(current.column, current.row);
}

void CTView::Undo() {
  if (doc_ == nullptr) return;
  CancelEdits();
  if (!model_.Undo()) {
    QApplication::beep();
  }
  Refresh();
  const GridPlace current = model_.Current();
  if (current.IsCell() && current.column != kGridRowNumber) ActivateCell(current.column, current.row);
}

void CTView::TogglePenaltyBar() {
  penaltyBarShown_ = !penaltyBarShown_;
  if (doc_ != nullptr) Refresh();
}

void CTView::ExportCsv(const std::string& problemPath) {
  if (doc_ == nullptr || !CommitEdits()) return;
  ExportEventsToCsv(*doc_, problemPath);
}

void RunViewCommand(CZrvChildView& child, CommandId id) {
  CTView* view = child.View();
  switch (id) {
    case CommandId::SortEvents:
      view->SortEvents();
      break;
    case CommandId::DeleteLine:
      view->DeleteLine();
      break;
    case CommandId::PenaltyBar:
      view->TogglePenaltyBar();
      break;
    case CommandId::ExportCsv:
      if (child.Document() != nullptr) view->ExportCsv(child.Document()->pathName);
      break;
    case CommandId::ImportCsv:
      view->ImportCsv();
      break;
    default:
      break;
  }
}

void CTView::ImportCsv() {
  if (doc_ == nullptr || !CommitEdits()) return;
  if (ImportEventsFromCsv(*doc_)) model_.ForgetUndo();
  Refresh();
}

}  // namespace zarvic
