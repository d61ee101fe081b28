#include "worksheets/ui/CEstimatedTaxWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Settings.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "reports/ui/ReportCommands.h"
#include "shell/HelpTopics.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/Help.h"
#include "worksheets/ui/WorksheetGridView.h"
#include "worksheets/ui/WorksheetWindows.h"

namespace zarvic {
namespace {

constexpr int kAmountFields[] = {
    static_cast<int>(EstTaxField::RequiredPayment), static_cast<int>(EstTaxField::CurrentTax),
    static_cast<int>(EstTaxField::PriorTax),        static_cast<int>(EstTaxField::PriorAgi),
    static_cast<int>(EstTaxField::Withholding),     static_cast<int>(EstTaxField::Installment1),
    static_cast<int>(EstTaxField::Installment2),    static_cast<int>(EstTaxField::Installment3),
    static_cast<int>(EstTaxField::Installment4)};

QLabel* Caption(const char* text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setBuddy(buddy);
  return label;
}

QString Shown(const std::string& text) {
  return Utf8Text(text);
}

}  // namespace

CEstimatedTaxWindow::CEstimatedTaxWindow(CTDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), model_(doc) {
  setWindowTitle(QStringLiteral("Estimated Tax Penalty"));
  SetHelpTopic(this, kHelpEstimatedTaxTopic);

  // The year.
  filer_ = new QComboBox(this);
  filer_->addItems(
      {QStringLiteral("Individual"), QStringLiteral("Corporation"), QStringLiteral("Large corporation")});
  filer_->setAccessibleName(QStringLiteral("Filer"));
  auto* yearBox = new QGroupBox(QStringLiteral("Tax year"), this);
  auto* yearForm = new QFormLayout(yearBox);
  yearForm->addRow(Caption("&Filer:", filer_, this), filer_);
  QLineEdit* year = MakeField(EstTaxField::Year, "Tax year");
  yearForm->addRow(Caption("Tax &year:", year, this), year);
  QLineEdit* start = MakeField(EstTaxField::FiscalStart, "Fiscal year starts");
  yearForm->addRow(Caption("Fiscal year &starts:", start, this), start);
  QLineEdit* through = MakeField(EstTaxField::ComputeThrough, "Compute through");
  yearForm->addRow(Caption("Compute &through:", through, this), through);

  // The annual figures.
  auto* annualBox = new QGroupBox(QStringLiteral("Annual figures"), this);
  auto* annualForm = new QFormLayout(annualBox);
  QLineEdit* required = MakeField(EstTaxField::RequiredPayment, "Required annual payment");
  annualForm->addRow(Caption("Required annual payment:", required, this), required);
  QLineEdit* current = MakeField(EstTaxField::CurrentTax, "Tax for the year");
  annualForm->addRow(Caption("Tax for the year:", current, this), current);
  QLineEdit* prior = MakeField(EstTaxField::PriorTax, "Prior year's tax");
  annualForm->addRow(Caption("Prior year's tax:", prior, this), prior);
  QLineEdit* agi = MakeField(EstTaxField::PriorAgi, "Prior year's AGI");
  annualForm->addRow(Caption("Prior year's AGI:", agi, this), agi);
  annualForm->addRow(MakeFlag(EstTaxFlag::PriorYearFull, "Prior year was 12 months"));
  annualForm->addRow(MakeFlag(EstTaxFlag::MarriedFilingSeparately, "Married filing separately"));
  annualForm->addRow(MakeFlag(EstTaxFlag::FarmerOrFisherman, "Farmer or fisherman"));

  // The required installments.
  basis_ = new QComboBox(this);
  basis_->addItems({QStringLiteral("Regular"), QStringLiteral("As given"), QStringLiteral("Annualized")});
  basis_->setAccessibleName(QStringLiteral("Installments"));
  auto* installmentBox = new QGroupBox(QStringLiteral("Installments"), this);
  auto* installmentForm = new QFormLayout(installmentBox);
  installmentForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  installmentForm->addRow(Caption("&Basis:", basis_, this), basis_);
  const char* ordinals[] = {"1st:", "2nd:", "3rd:", "4th:"};
  const char* names[] = {"1st installment", "2nd installment", "3rd installment", "4th installment"};
  for (int k = 0; k < kMaxEstimatedInstallments; ++k) {
    QLineEdit* edit =
        MakeField(static_cast<EstTaxField>(static_cast<int>(EstTaxField::Installment1) + k), names[k]);
    installmentLabels_[static_cast<std::size_t>(k)] = Caption(ordinals[k], edit, this);
    installmentForm->addRow(installmentLabels_[static_cast<std::size_t>(k)], edit);
  }

  // Withholding and payments.
  auto* withheldBox = new QGroupBox(QStringLiteral("Withholding"), this);
  auto* withheldLayout = new QVBoxLayout(withheldBox);
  auto* withheldForm = new QFormLayout;
  QLineEdit* withheld = MakeField(EstTaxField::Withholding, "Withheld in equal parts");
  withheldForm->addRow(Caption("Withheld (equal parts):", withheld, this), withheld);
  withheldLayout->addLayout(withheldForm);
  withheldLayout->addWidget(
      MakeFlag(EstTaxFlag::WithholdingOnActualDates, "Withheld on the dates below (election)"));
  withheldView_ = new WorksheetGridView(model_.WithheldGrid(), this);
  withheldView_->setAccessibleName(QStringLiteral("Amounts withheld on their dates"));
  withheldLayout->addWidget(withheldView_);

  auto* paymentsBox = new QGroupBox(QStringLiteral("Estimated payments"), this);
  auto* paymentsLayout = new QVBoxLayout(paymentsBox);
  paymentsView_ = new WorksheetGridView(model_.PaymentsGrid(), this);
  paymentsView_->setAccessibleName(QStringLiteral("Estimated payments"));
  paymentsLayout->addWidget(paymentsView_);
  offer_ = new QPushButton(QStringLiteral("Add the Problem's &Payments"), this);
  offer_->setAccessibleName(QStringLiteral("Add the problem's payments"));
  auto* offerRow = new QHBoxLayout;
  offerRow->addWidget(offer_);
  offerRow->addStretch();
  paymentsLayout->addLayout(offerRow);
  const int gridHeight = fontMetrics().lineSpacing() * 9;
  for (WorksheetGridView* view : {withheldView_, paymentsView_}) {
    view->setMinimumHeight(gridHeight);
    // Both columns and a scroll bar, once the rows outgrow the grid.
    view->setMinimumWidth(view->columnWidth(0) * 2 + view->frameWidth() * 2 +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
  }

  // The installments' rows and the total.
  rows_ = new QTableWidget(0, 5, this);
  rows_->setHorizontalHeaderLabels({QStringLiteral("Due date"), QStringLiteral("Required"),
                                    QStringLiteral("Paid"), QStringLiteral("Underpayment"),
                                    QStringLiteral("Addition")});
  rows_->setAccessibleName(QStringLiteral("Installments due"));
  rows_->verticalHeader()->setVisible(false);
  rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rows_->setSelectionMode(QAbstractItemView::NoSelection);
  rows_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  rows_->setMinimumHeight(rows_->horizontalHeader()->sizeHint().height() +
                          rows_->verticalHeader()->defaultSectionSize() * kMaxEstimatedInstallments +
                          rows_->frameWidth() * 2 + 2);
  rows_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Underpayment")) * 5 + 60);
  total_ = new QLabel(this);
  total_->setAccessibleName(QStringLiteral("Total penalty"));
  total_->setWordWrap(true);
  total_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* rowsBox = new QGroupBox(QStringLiteral("Installments due"), this);
  auto* rowsLayout = new QVBoxLayout(rowsBox);
  rowsLayout->addWidget(rows_);
  rowsLayout->addWidget(total_);

  // The step into the problem.
  QLineEdit* penaltyDate = MakeField(EstTaxField::PenaltyDate, "Penalty date");
  add_ = new QPushButton(QStringLiteral("&Add to Problem"), this);
  report_ = new QPushButton(QStringLiteral("&Report..."), this);
  close_ = new QPushButton(QStringLiteral("Close"), this);
  add_->setObjectName(QStringLiteral("add"));
  report_->setObjectName(QStringLiteral("report"));
  close_->setObjectName(QStringLiteral("close"));
  for (QPushButton* button : {offer_, add_, report_, close_}) button->setAutoDefault(false);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Caption("Penalty &date:", penaltyDate, this));
  penaltyDate->setMaximumWidth(penaltyDate->minimumWidth());
  bottom->addWidget(penaltyDate);
  bottom->addStretch();
  bottom->addWidget(add_);
  bottom->addWidget(report_);
  bottom->addWidget(close_);

  auto* grid = new QGridLayout;
  grid->addWidget(yearBox, 0, 0);
  grid->addWidget(annualBox, 0, 1);
  grid->addWidget(installmentBox, 0, 2);
  grid->addWidget(paymentsBox, 1, 0);
  grid->addWidget(withheldBox, 1, 1);
  grid->addWidget(rowsBox, 1, 2);
  grid->setRowStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(bottom);

  connect(filer_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_.SetFiler(static_cast<EstimatedTaxFiler>(index));
    ShowResult();
  });
  connect(basis_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_.SetBasis(static_cast<InstallmentBasis>(index));
    ShowResult();
  });
  const std::pair<WorksheetGridView*, WorksheetGrid*> viewedGrids[] = {{withheldView_, &model_.WithheldGrid()},
                                                                  {paymentsView_, &model_.PaymentsGrid()}};
  for (const auto& viewed : viewedGrids) {
    WorksheetGridView* view = viewed.first;
    WorksheetGrid* cells = viewed.second;
    for (auto signal : {&WorksheetGridView::changed, &WorksheetGridView::editEnded}) {
      connect(view, signal, this, [this] {
        model_.GridsChanged();
        ShowResult();
      });
    }
    connect(view, &WorksheetGridView::cellEdited, this, [this, cells](int row, int column, const QString& text) {
      model_.EditCell(*cells, row, column, text.toStdString());
      ShowResult();
    });
  }
  connect(offer_, &QPushButton::clicked, this, [this] {
    if (!CommitEdits()) return;
    if (model_.OfferProblemPayments() > 0) paymentsView_->Reload();
    ShowResult();
  });
  connect(add_, &QPushButton::clicked, this, &CEstimatedTaxWindow::AddToProblem);
  connect(report_, &QPushButton::clicked, this, &CEstimatedTaxWindow::Report);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  ShowFields();
  ShowResult();
}

CEstimatedTaxWindow::~CEstimatedTaxWindow() {
  // The grids' editors close while the window's children go, after the model is gone: nothing may
  // reach it then.
  for (WorksheetGridView* view : {withheldView_, paymentsView_}) view->disconnect(this);
}

QLineEdit* CEstimatedTaxWindow::MakeField(EstTaxField field, const char* name) {
  auto* edit = new QLineEdit(this);
  edit->setAccessibleName(QString::fromLatin1(name));
  const bool amount = std::find(std::begin(kAmountFields), std::end(kAmountFields),
                                static_cast<int>(field)) != std::end(kAmountFields);
  const QString widest = amount ? QStringLiteral("99,999,999,999.99") : QStringLiteral("00-00-0000");
  edit->setMinimumWidth(fontMetrics().horizontalAdvance(widest) + 16);
  if (amount) edit->setAlignment(Qt::AlignRight);
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
    model_.Edit(field, text.toStdString());
    ShowResult();
  });
  fields_[static_cast<std::size_t>(field)] = edit;
  return edit;
}

QCheckBox* CEstimatedTaxWindow::MakeFlag(EstTaxFlag flag, const char* caption) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), this);
  box->setAccessibleName(QString::fromLatin1(caption));
  connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
    model_.SetFlag(flag, on);
    ShowResult();
  });
  flags_[static_cast<std::size_t>(flag)] = box;
  return box;
}

void CEstimatedTaxWindow::ShowFields() {
  for (int f = 0; f < kEstTaxFieldCount; ++f)
    fields_[static_cast<std::size_t>(f)]->setText(Shown(model_.FieldText(static_cast<EstTaxField>(f))));
  const EstimatedTaxWorksheet& sheet = model_.Sheet();
  const QSignalBlocker blockFiler(filer_);
  const QSignalBlocker blockBasis(basis_);
  filer_->setCurrentIndex(static_cast<int>(sheet.filer));
  basis_->setCurrentIndex(static_cast<int>(sheet.basis));
  for (int f = 0; f < static_cast<int>(flags_.size()); ++f) {
    const QSignalBlocker block(flags_[static_cast<std::size_t>(f)]);
    flags_[static_cast<std::size_t>(f)]->setChecked(model_.Flag(static_cast<EstTaxFlag>(f)));
  }
}

void CEstimatedTaxWindow::ShowResult() {
  for (int f = 0; f < kEstTaxFieldCount; ++f)
    fields_[static_cast<std::size_t>(f)]->setEnabled(model_.FieldApplies(static_cast<EstTaxField>(f)));
  for (int f = 0; f < static_cast<int>(flags_.size()); ++f)
    flags_[static_cast<std::size_t>(f)]->setEnabled(model_.FlagApplies(static_cast<EstTaxFlag>(f)));
  for (int k = 0; k < kMaxEstimatedInstallments; ++k) {
    installmentLabels_[static_cast<std::size_t>(k)]->setEnabled(
        model_.FieldApplies(static_cast<EstTaxField>(static_cast<int>(EstTaxField::Installment1) + k)));
  }
  withheldView_->setEnabled(model_.Sheet().withholdingOnActualDates);

  const std::vector<EstimatedTaxWindowModel::Row> rows = model_.Rows();
  rows_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const EstimatedTaxWindowModel::Row& row = rows[static_cast<std::size_t>(r)];
    const std::string* cells[] = {&row.dueDate, &row.required, &row.paid, &row.underpayment, &row.addition};
    for (int c = 0; c < 5; ++c) {
      auto* item = new QTableWidgetItem(Shown(*cells[c]));
      item->setTextAlignment(c == 0 ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                    : Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
      rows_->setItem(r, c, item);
    }
  }
  total_->setText(Shown(model_.TotalText()));
}

bool CEstimatedTaxWindow::LeaveField(QLineEdit* edit) {
  const auto at = std::find(fields_.begin(), fields_.end(), edit);
  if (at == fields_.end()) return true;
  const auto field = static_cast<EstTaxField>(at - fields_.begin());
  const int refused = model_.Leave(field, edit->text().toStdString());
  edit->setText(Shown(model_.FieldText(field)));
  ShowResult();
  if (refused == 0) return true;
  MessageBoxId(refused);
  edit->selectAll();
  edit->setFocus(Qt::OtherFocusReason);
  return false;
}

bool CEstimatedTaxWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && LeavesField(static_cast<QFocusEvent*>(event))) {
    auto* edit = static_cast<QLineEdit*>(watched);
    // After the focus change, and not while the window is closing.
    QMetaObject::invokeMethod(
        this,
        [this, edit] {
          if (isVisible()) LeaveField(edit);
        },
        Qt::QueuedConnection);
  }
  return QDialog::eventFilter(watched, event);
}

bool CEstimatedTaxWindow::CommitEdits() {
  QWidget* focused = QApplication::focusWidget();
  if (focused == nullptr) return true;
  if (auto* edit = qobject_cast<QLineEdit*>(focused);
      edit != nullptr && std::find(fields_.begin(), fields_.end(), edit) != fields_.end()) {
    // The queued check of the same text after it finds nothing left to take.
    return LeaveField(edit);
  }
  // A grid cell being typed into goes to its grid when its editor loses the focus.
  for (WorksheetGridView* view : {paymentsView_, withheldView_}) {
    if (focused != view && view->isAncestorOf(focused)) view->setFocus();
  }
  return true;
}

void CEstimatedTaxWindow::AddToProblem() {
  if (!CommitEdits()) return;
  model_.AddToProblem();
  fields_[static_cast<std::size_t>(EstTaxField::PenaltyDate)]->setText(
      Shown(model_.FieldText(EstTaxField::PenaltyDate)));
}

void CEstimatedTaxWindow::Report() {
  if (!CommitEdits()) return;
  // The report is of the worksheet kept with the problem: this one, as it stands.
  model_.Keep();
  OpenWorksheetReport(this, doc_, &ReportSettings::estimatedTaxPenalty);
}

void CEstimatedTaxWindow::done(int result) {
  if (isVisible() && !CommitEdits()) return;
  model_.KeepIfChanged();
  QDialog::done(result);
}

void OpenEstimatedTaxWorksheet(QWidget* parent, CTDoc* doc) {
  if (doc == nullptr) return;
  CEstimatedTaxWindow window(*doc, parent);
  window.exec();
}

}  // namespace zarvic
