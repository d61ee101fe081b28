#include "payoff/ui/CPayoffCalculation.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "problem/CTDoc.h"
#include "reports/ui/ReportCommands.h"
#include "shell/HelpTopics.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

CPayoffCalculation::ReportHook& InstalledReportHook() {
  // The Interest and Penalty Detail in the report window; tests put their own in its place.
  static CPayoffCalculation::ReportHook hook = [](CTDoc& doc, QWidget* parent) { OpenDetailReport(parent, doc); };
  return hook;
}

}  // namespace

CPayoffCalculation::ReportHook CPayoffCalculation::SetPayoffReportHook(ReportHook hook) {
  ReportHook previous = std::move(InstalledReportHook());
  InstalledReportHook() = std::move(hook);
  return previous;
}

CPayoffCalculation::CPayoffCalculation(CTDoc& doc, QWidget* parent) : QDialog(parent), doc_(doc), model_(doc) {
  setWindowTitle(QStringLiteral("Payoff Calculation"));
  SetHelpTopic(this, kHelpPayoffTopic);
  model_.Start();

  fixedTerm_ = new QRadioButton(QStringLiteral("Fixed Term"), this);
  fixedAmount_ = new QRadioButton(QStringLiteral("Fixed Amount"), this);
  term_ = new QLineEdit(this);
  amount_ = new QLineEdit(this);
  start_ = new QLineEdit(this);
  term_->setAccessibleName(QStringLiteral("Fixed Term"));
  amount_->setAccessibleName(QStringLiteral("Ficed amount"));  // the name screen readers have always announced
  start_->setAccessibleName(QStringLiteral("Start date"));
  for (QLineEdit* field : {term_, amount_, start_}) {
    field->setAlignment(Qt::AlignRight);
    field->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("$999,999,999.99")) + 16);
    field->installEventFilter(this);
  }
  results_ = new QPlainTextEdit(this);
  results_->setReadOnly(true);
  results_->setAccessibleName(QStringLiteral("Results"));
  results_->setMinimumSize(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 78, fontMetrics().lineSpacing() * 15);
  calculate_ = new QPushButton(QStringLiteral("Calculate"), this);
  report_ = new QPushButton(QStringLiteral("Report..."), this);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  calculate_->setObjectName(QStringLiteral("calculate"));
  report_->setObjectName(QStringLiteral("report"));
  close->setObjectName(QStringLiteral("close"));
  // A click does not take the focus, so a field being left is checked once, by Calculate itself.
  for (QPushButton* button : {calculate_, report_, close}) {
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(false);
  }
  report_->setEnabled(false);
  connect(calculate_, &QPushButton::clicked, this, &CPayoffCalculation::Calculate);
  connect(report_, &QPushButton::clicked, this, &CPayoffCalculation::Report);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(fixedTerm_, &QRadioButton::toggled, this, [this](bool on) {
    model_.SetMode(on ? PayoffMode::FixedTerm : PayoffMode::FixedAmount);
    ShowMode();
  });

  auto* fields = new QGridLayout;
  fields->addWidget(fixedTerm_, 0, 0);
  fields->addWidget(new QLabel(QStringLiteral("Term (months)"), this), 0, 1);
  fields->addWidget(term_, 0, 2);
  fields->addWidget(fixedAmount_, 1, 0);
  fields->addWidget(new QLabel(QStringLiteral("Amount (per month)"), this), 1, 1);
  fields->addWidget(amount_, 1, 2);
  fields->addWidget(new QLabel(QStringLiteral("Start date"), this), 2, 1);
  fields->addWidget(start_, 2, 2);
  fields->setColumnStretch(3, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(calculate_);
  buttons->addWidget(report_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(results_);
  layout->addLayout(buttons);

  LineEditField term(*term_), amount(*amount_), start(*start_);
  SetIntField(term, model_.Term());
  amount.SetText(PayoffCalculation::AmountText(model_.MonthlyAmount()));
  SetDateField(start, model_.StartDate());
  results_->setPlainText(QString::fromStdString(model_.ResultText()));
  fixedTerm_->setChecked(model_.Mode() == PayoffMode::FixedTerm);
  fixedAmount_->setChecked(model_.Mode() == PayoffMode::FixedAmount);
  ShowMode();
}

void CPayoffCalculation::ShowMode() {
  const bool term = model_.Mode() == PayoffMode::FixedTerm;
  term_->setEnabled(term);
  amount_->setEnabled(!term);
}

QLineEdit* CPayoffCalculation::FieldOf(PayoffCalculation::Field field) const {
  switch (field) {
    case PayoffCalculation::Field::TermField:
      return term_;
    case PayoffCalculation::Field::AmountField:
      return amount_;
    case PayoffCalculation::Field::StartField:
      return start_;
    case PayoffCalculation::Field::None:
      break;
  }
  return nullptr;
}

void CPayoffCalculation::Refuse(QLineEdit* field) {
  field->selectAll();
  field->setFocus(Qt::OtherFocusReason);
}

bool CPayoffCalculation::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && LeavesField(static_cast<QFocusEvent*>(event))) {
    auto* field = static_cast<QLineEdit*>(watched);
    // After the focus change, and not while the window is closing.
    QMetaObject::invokeMethod(
        this,
        [this, field] {
          if (!isVisible()) return;
          LineEditField text(*field);
          bool ok = true;
          if (field == term_) ok = model_.LeaveTerm(text);
          if (field == amount_) ok = model_.LeaveAmount(text);
          if (field == start_) ok = model_.LeaveStart(text);
          if (!ok) Refuse(field);
        },
        Qt::QueuedConnection);
  }
  return QDialog::eventFilter(watched, event);
}

void CPayoffCalculation::Calculate() {
  LineEditField term(*term_), amount(*amount_), start(*start_);
  const PayoffCalculation::Field failed = model_.Calculate(term, amount, start);
  if (QLineEdit* field = FieldOf(failed)) {
    Refuse(field);
    return;
  }
  results_->setPlainText(QString::fromStdString(model_.ResultText()));
  report_->setEnabled(model_.HasPlan() && static_cast<bool>(InstalledReportHook()));
}

void CPayoffCalculation::Report() {
  const ReportHook hook = InstalledReportHook();
  if (!hook) return;
  // The report names the rate table's own end date; its run computes quietly.
  hook(doc_, this);
}

void OpenPayoffCalculator(QWidget* parent, CTDoc* doc) {
  if (!PayoffCalculation::CanOpen(doc)) return;
  CPayoffCalculation dialog(*doc, parent);
  dialog.exec();
}

}  // namespace zarvic
