#include "worksheets/ui/CDepositPenaltyWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Settings.h"
#include "problem/CTDoc.h"
#include "reports/ui/ReportCommands.h"
#include "shell/HelpTopics.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/Help.h"
#include "worksheets/ui/WorksheetGridView.h"
#include "worksheets/ui/WorksheetWindows.h"

namespace zarvic {
namespace {

struct FieldLabel {
  DepositField field;
  const char* caption;
  const char* name;  // what a screen reader announces
};

constexpr FieldLabel kFieldLabels[] = {
    {DepositField::PeriodStart, "Return period &from:", "Return period from"},
    {DepositField::PeriodEnd, "&to:", "Return period to"},
    {DepositField::FirstNotice, "First &notice:", "First notice"},
    {DepositField::Demand, "Notice and &demand:", "Notice and demand"},
    {DepositField::PenaltyDate, "&Penalty date:", "Penalty date"},
};

constexpr DepositSchedule kSchedules[] = {DepositSchedule::Monthly, DepositSchedule::Semiweekly,
                                          DepositSchedule::Dates};

bool RightAligned(int column) {
  return column == kResultAmount || column == kResultPaid || column == kResultDaysLate ||
         column == kResultRate || column == kResultPenalty;
}

// Wide enough for every column and the vertical scroll bar, so that no caption is cut.
void FitWidth(QTableWidget& table) {
  table.setMinimumWidth(table.horizontalHeader()->length() + table.verticalScrollBar()->sizeHint().width() +
                        2 * table.frameWidth() + 2);
}

QLabel* BuddyLabel(const char* caption, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(caption), parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

CDepositPenaltyWindow::CDepositPenaltyWindow(CTDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), model_(doc) {
  setWindowTitle(QStringLiteral("Deposit Penalty"));
  SetHelpTopic(this, kHelpDepositPenaltyTopic);

  // A date with its century, and room for the frame and the cursor.
  const int dateWidth =
      fontMetrics().horizontalAdvance(QStringLiteral("99-99-9999")) + 4 * fontMetrics().averageCharWidth();
  for (const FieldLabel& f : kFieldLabels) {
    auto* edit = new QLineEdit(this);
    edit->setAccessibleName(QString::fromLatin1(f.name));
    edit->setFixedWidth(dateWidth);
    edit->setText(QString::fromStdString(model_.FieldText(f.field)));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, field = f.field](const QString& text) {
      model_.Edit(field, text.toStdString());
      Refresh();
    });
    fields_[static_cast<std::size_t>(f.field)] = edit;
  }
  auto label = [this](DepositField field) {
    for (const FieldLabel& f : kFieldLabels) {
      if (f.field == field) return BuddyLabel(f.caption, Field(field), this);
    }
    return static_cast<QLabel*>(nullptr);
  };

  schedule_ = new QComboBox(this);
  schedule_->setAccessibleName(QStringLiteral("Schedule"));
  for (DepositSchedule s : kSchedules)
    schedule_->addItem(QString::fromStdString(DepositScheduleText(s)), static_cast<int>(s));
  schedule_->setCurrentIndex(schedule_->findData(static_cast<int>(model_.Worksheet().schedule)));
  averaged_ = new QCheckBox(QStringLiteral("A&veraged penalty (liabilities not known by date)"), this);
  averaged_->setAccessibleName(QStringLiteral("Averaged penalty"));
  averaged_->setChecked(model_.Worksheet().averaged);

  liabilities_ = new WorksheetGridView(model_.Liabilities(), this);
  liabilities_->setAccessibleName(QStringLiteral("Liabilities"));
  liabilities_->SetPlaceholder([this](int row, int column) {
    return column == kLiabilityDueDateColumn ? QString::fromStdString(model_.FiguredDueDate(row)) : QString();
  });
  deposits_ = new WorksheetGridView(model_.Deposits(), this);
  deposits_->setAccessibleName(QStringLiteral("Deposits"));
  for (WorksheetGridView* grid : {liabilities_, deposits_}) {
    FitWidth(*grid);
    grid->setMinimumHeight(grid->horizontalHeader()->sizeHint().height() +
                           7 * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth());
  }

  results_ = new QTableWidget(0, kDepositResultColumns, this);
  results_->setAccessibleName(QStringLiteral("Penalty by liability"));
  QStringList captions;
  for (const char* caption : kDepositResultCaptions) captions << QString::fromLatin1(caption);
  results_->setHorizontalHeaderLabels(captions);
  results_->verticalHeader()->setVisible(false);
  results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  results_->setSelectionBehavior(QAbstractItemView::SelectRows);
  results_->setWordWrap(false);
  results_->setMinimumHeight(results_->horizontalHeader()->sizeHint().height() +
                             8 * results_->verticalHeader()->defaultSectionSize());

  notes_ = new QLabel(this);
  notes_->setWordWrap(true);
  notes_->setAccessibleName(QStringLiteral("Notes"));
  notes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  total_ = new QLabel(this);
  total_->setAccessibleName(QStringLiteral("Total penalty"));
  QFont bold = total_->font();
  bold.setBold(true);
  total_->setFont(bold);
  total_->setAlignment(Qt::AlignRight | Qt::AlignTop);

  add_ = new QPushButton(QStringLiteral("&Add to Problem"), this);
  report_ = new QPushButton(QStringLiteral("&Report..."), this);
  close_ = new QPushButton(QStringLiteral("Close"), this);
  // A click does not take the focus: what is being typed is taken by the button's own step.
  for (QPushButton* button : {add_, report_, close_}) {
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(false);
  }

  // The first label and field of each row line up; the rest of the row follows them.
  auto* top = new QGridLayout;
  auto* periodRow = new QHBoxLayout;
  periodRow->addWidget(label(DepositField::PeriodEnd));
  periodRow->addWidget(Field(DepositField::PeriodEnd));
  periodRow->addSpacing(fontMetrics().averageCharWidth() * 3);
  periodRow->addWidget(BuddyLabel("&Schedule:", schedule_, this));
  periodRow->addWidget(schedule_);
  periodRow->addStretch();
  auto* noticeRow = new QHBoxLayout;
  noticeRow->addWidget(label(DepositField::Demand));
  noticeRow->addWidget(Field(DepositField::Demand));
  noticeRow->addSpacing(fontMetrics().averageCharWidth() * 3);
  noticeRow->addWidget(averaged_);
  noticeRow->addStretch();
  top->addWidget(label(DepositField::PeriodStart), 0, 0);
  top->addWidget(Field(DepositField::PeriodStart), 0, 1);
  top->addLayout(periodRow, 0, 2);
  top->addWidget(label(DepositField::FirstNotice), 1, 0);
  top->addWidget(Field(DepositField::FirstNotice), 1, 1);
  top->addLayout(noticeRow, 1, 2);
  top->setColumnStretch(2, 1);

  auto* grids = new QGridLayout;
  grids->addWidget(
      BuddyLabel("&Liabilities (wages paid; a due date overrides the schedule):", liabilities_, this), 0, 0);
  grids->addWidget(liabilities_, 1, 0);
  grids->addWidget(BuddyLabel("D&eposits and payments:", deposits_, this), 0, 1);
  grids->addWidget(deposits_, 1, 1);

  auto* totals = new QHBoxLayout;
  totals->addWidget(notes_, 1);
  totals->addWidget(total_);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(label(DepositField::PenaltyDate));
  bottom->addWidget(Field(DepositField::PenaltyDate));
  bottom->addStretch();
  bottom->addWidget(add_);
  bottom->addWidget(report_);
  bottom->addWidget(close_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(grids);
  layout->addWidget(BuddyLabel("Penalty &by liability:", results_, this));
  layout->addWidget(results_, 1);
  layout->addLayout(totals);
  layout->addLayout(bottom);

  connect(schedule_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index < 0) return;
    model_.SetSchedule(static_cast<DepositSchedule>(schedule_->itemData(index).toInt()));
    Refresh();
  });
  connect(averaged_, &QCheckBox::toggled, this, [this](bool on) {
    model_.SetAveraged(on);
    Refresh();
  });
  const std::pair<WorksheetGridView*, WorksheetGrid*> viewedGrids[] = {{liabilities_, &model_.Liabilities()},
                                                                  {deposits_, &model_.Deposits()}};
  for (const auto& viewed : viewedGrids) {
    WorksheetGridView* view = viewed.first;
    WorksheetGrid* cells = viewed.second;
    for (auto signal : {&WorksheetGridView::changed, &WorksheetGridView::editEnded}) {
      connect(view, signal, this, [this] {
        model_.GridChanged();
        Refresh();
      });
    }
    connect(view, &WorksheetGridView::cellEdited, this, [this, cells](int row, int column, const QString& text) {
      model_.EditCell(*cells, row, column, text.toStdString());
      Refresh();
    });
  }
  connect(add_, &QPushButton::clicked, this, &CDepositPenaltyWindow::AddToProblem);
  connect(report_, &QPushButton::clicked, this, &CDepositPenaltyWindow::Report);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  // The order of the window, top to bottom, whatever the order the widgets were made in.
  QWidget* const order[] = {Field(DepositField::PeriodStart),
                            Field(DepositField::PeriodEnd),
                            schedule_,
                            Field(DepositField::FirstNotice),
                            Field(DepositField::Demand),
                            averaged_,
                            liabilities_,
                            deposits_,
                            results_,
                            Field(DepositField::PenaltyDate),
                            add_,
                            report_,
                            close_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  Refresh();
  results_->setMinimumWidth(std::max(results_->horizontalHeader()->length() + 2 * results_->frameWidth() + 2,
                                     liabilities_->minimumWidth() + deposits_->minimumWidth()));
}

CDepositPenaltyWindow::~CDepositPenaltyWindow() {
  // The grids' editors close while the window's children go, after the model is gone: nothing may
  // reach it then.
  for (WorksheetGridView* view : {liabilities_, deposits_}) view->disconnect(this);
}

bool CDepositPenaltyWindow::TakeField(DepositField field) {
  QLineEdit* edit = Field(field);
  const std::string text = edit->text().toStdString();
  if (text == model_.FieldText(field)) return true;
  const bool taken = model_.SetField(field, text);
  edit->setText(QString::fromStdString(model_.FieldText(field)));
  if (!taken) {
    edit->selectAll();
    edit->setFocus(Qt::OtherFocusReason);
    return false;
  }
  Refresh();
  return true;
}

bool CDepositPenaltyWindow::TakePending() {
  liabilities_->CommitEdit();
  deposits_->CommitEdit();
  for (const FieldLabel& f : kFieldLabels) {
    if (!TakeField(f.field)) return false;
  }
  return true;
}

bool CDepositPenaltyWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && LeavesField(static_cast<QFocusEvent*>(event))) {
    for (const FieldLabel& f : kFieldLabels) {
      if (watched != Field(f.field)) continue;
      // After the focus change, and not while the window is closing.
      QMetaObject::invokeMethod(
          this,
          [this, field = f.field] {
            if (isVisible()) TakeField(field);
          },
          Qt::QueuedConnection);
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CDepositPenaltyWindow::Refresh() {
  const auto& rows = model_.Rows();
  results_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < results_->rowCount(); ++r) {
    for (int c = 0; c < kDepositResultColumns; ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(rows[static_cast<std::size_t>(r)].cells[c]));
      item->setTextAlignment(RightAligned(c) ? Qt::Alignment(Qt::AlignRight | Qt::AlignTop)
                                             : Qt::Alignment(Qt::AlignLeft | Qt::AlignTop));
      results_->setItem(r, c, item);
    }
  }
  results_->resizeColumnsToContents();
  // Room between a column's text and the next one's.
  for (int c = 0; c < kDepositResultColumns; ++c)
    results_->setColumnWidth(c, results_->columnWidth(c) + 2 * fontMetrics().averageCharWidth());
  results_->resizeRowsToContents();
  notes_->setText(QString::fromStdString(model_.HasError() ? model_.ErrorText() : model_.NotesText()));
  total_->setText(QString::fromStdString(model_.TotalText()));
  // The figured due dates shown in the liabilities' empty cells.
  liabilities_->viewport()->update();
  // The row at fault, selected where it is.
  auto select = [](WorksheetGridView* grid, int row) {
    if (row < 0 || row >= grid->rowCount()) return;
    const QItemSelection line(grid->model()->index(row, 0),
                              grid->model()->index(row, grid->columnCount() - 1));
    grid->selectionModel()->select(line, QItemSelectionModel::ClearAndSelect);
  };
  select(liabilities_, model_.ErrorLiability());
  select(deposits_, model_.ErrorDeposit());
}

void CDepositPenaltyWindow::AddToProblem() {
  if (!TakePending()) return;
  const AddResult added = model_.AddToProblem();
  if (added.outcome == AddOutcome::Refused && !model_.HasError() && !IsDate(model_.PenaltyDate())) {
    QLineEdit* date = Field(DepositField::PenaltyDate);
    date->selectAll();
    date->setFocus(Qt::OtherFocusReason);
  }
}

void CDepositPenaltyWindow::Report() {
  if (!TakePending()) return;
  if (!model_.KeepForReport()) return;
  OpenWorksheetReport(this, doc_, &ReportSettings::depositPenalty);
}

void CDepositPenaltyWindow::done(int result) {
  if (!TakePending()) return;
  model_.Close();
  QDialog::done(result);
}

void OpenDepositPenaltyWorksheet(QWidget* parent, CTDoc* doc) {
  if (doc == nullptr) return;
  CDepositPenaltyWindow window(*doc, parent);
  window.exec();
}

}  // namespace zarvic
