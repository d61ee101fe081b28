#include "engine/ui/CCorpRefundDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <cmath>

#include "core/AppOptions.h"
#include "core/FieldRules.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "engine/ComputeDriver.h"
#include "problem/CTDoc.h"
#include "shell/HelpTopics.h"
#include "shell/ui/CEditAmount.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {


constexpr char kThresholdText[] =
    "C Corporation refunds in excess of a threshold amount are subject to \"GATT\" refund rates.  The "
    "default "
    "threshold is $10,000, but you can change that amount here.";
constexpr char kChecksText[] =
    "When a taxpayer receives a refund or credit, the payment or credit reduces either the GATT rate or the "
    "high rate portion of any remaining refund balance.  You can use the IRS Check event to allocate the "
    "amount that reduces the high rate.";
constexpr char kTipsHeading[] = "How Zarvic uses this information:";
constexpr char kTipsText[] =
    "When the checkbox is checked, Zarvic will automatically compute a lower C Corporation refund rate.  "
    "Refunds in excess of the threshold amount will be subject to the even lower GATT rate.";

Amount FieldAmount(const QLineEdit& edit) {
  return GetAmountField(StringField(edit.text().toStdString()));
}

void ShowAmount(QLineEdit& edit, Amount cents) {
  LineEditField field(edit);
  SetAmountField(field, cents, false);
}

QLabel* WrappedText(const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setWordWrap(true);
  return label;
}

}  // namespace

CCorpRefundDlg::CCorpRefundDlg(CTDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), initial_(ReadCCorporation(doc)) {
  setWindowTitle(QStringLiteral("C Corporation Refund Issues"));
  SetHelpTopic(this, kHelpCorpRefundTopic);
  auto* outer = new QHBoxLayout(this);
  auto* body = new QVBoxLayout;
  outer->addLayout(body);

  corporation_ =
      new QCheckBox(QStringLiteral("Treat taxpayer as a C Corporation.  (1% refund rate reduction.)"), this);
  body->addWidget(corporation_, 0, Qt::AlignLeft);
  body->addWidget(WrappedText(kThresholdText, this));
  auto* thresholdRow = new QHBoxLayout;
  auto* thresholdLabel = new QLabel(QStringLiteral("GATT threshold amount:"), this);
  threshold_ = new CEditAmount(this);
  threshold_->setAccessibleName(QStringLiteral("GATT threshold amount"));
  threshold_->setAlignment(Qt::AlignRight);
  thresholdLabel->setBuddy(threshold_);
  thresholdRow->addWidget(thresholdLabel);
  thresholdRow->addWidget(threshold_);
  thresholdRow->addStretch();
  body->addLayout(thresholdRow);
  body->addWidget(WrappedText(kChecksText, this));

  if (initial_.checks.empty()) {
    body->addWidget(new QLabel(QStringLiteral("There are no events to allocate"), this));
  } else {
    auto* grid = new QGridLayout;
    const char* headings[] = {"Check from IRS", "Total amount of IRS check",
                              "Reduction of high rate portion"};
    for (int column = 0; column < 3; ++column) {
      auto* heading = new QLabel(QString::fromLatin1(headings[column]), this);
      heading->setAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignBottom : Qt::AlignRight | Qt::AlignBottom);
      grid->addWidget(heading, 0, column);
    }
    const int amountWidth = fontMetrics().horizontalAdvance(QStringLiteral("999,999,999.99")) + 16;
    for (std::size_t row = 0; row < initial_.checks.size(); ++row) {
      const IrsCheckRow& check = initial_.checks[row];
      const int line = static_cast<int>(row) + 1;
      grid->addWidget(new QLabel(QString::fromStdString(DateFieldText(check.date)), this), line, 0);
      auto* amount = new QLabel(QString::fromStdString(AmountFieldText(check.amount, false)), this);
      amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid->addWidget(amount, line, 1);
      auto* reduction = new CEditAmount(this);
      reduction->setAlignment(Qt::AlignRight);
      reduction->setMinimumWidth(amountWidth);
      reduction->setAccessibleName(QStringLiteral("Reduction of high rate portion %1").arg(line));
      ShowAmount(*reduction, check.reduction);
      reduction->installEventFilter(this);
      grid->addWidget(reduction, line, 2);
      reductions_.push_back(reduction);
    }
    body->addLayout(grid);
  }

  tipsBox_ = new QCheckBox(QStringLiteral("Show &Tips"), this);
  body->addWidget(tipsBox_, 0, Qt::AlignLeft);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  body->addWidget(buttons);
  body->addStretch();

  tips_ = new QWidget(this);
  auto* tipsLayout = new QVBoxLayout(tips_);
  tipsLayout->setContentsMargins(12, 0, 0, 0);
  auto* tipsHeading = WrappedText(kTipsHeading, tips_);
  QFont bold = tipsHeading->font();
  bold.setBold(true);
  tipsHeading->setFont(bold);
  tipsLayout->addWidget(tipsHeading);
  tipsLayout->addWidget(WrappedText(kTipsText, tips_));
  tipsLayout->addStretch();
  tips_->setFixedWidth(220);
  outer->addWidget(tips_);
  outer->setSizeConstraint(QLayout::SetFixedSize);
  for (QLabel* label : findChildren<QLabel*>()) {
    if (label->wordWrap() && label->parentWidget() == this) label->setMinimumWidth(460);
  }

  corporation_->setChecked(initial_.cCorporation);
  ShowAmount(*threshold_, initial_.threshold);
  tipsBox_->setChecked(Options().tips);
  tips_->setVisible(Options().tips);

  connect(tipsBox_, &QCheckBox::toggled, this, &CCorpRefundDlg::ShowTips);
  connect(buttons, &QDialogButtonBox::accepted, this, &CCorpRefundDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CCorpRefundDlg::reject);
}

CCorporationSettings CCorpRefundDlg::Current() const {
  CCorporationSettings s = initial_;
  s.cCorporation = corporation_->isChecked();
  s.threshold = FieldAmount(*threshold_);
  for (std::size_t row = 0; row < reductions_.size(); ++row)
    s.checks[row].reduction = FieldAmount(*reductions_[row]);
  return s;
}

bool CCorpRefundDlg::Changed() const {
  const CCorporationSettings now = Current();
  if (now.cCorporation != initial_.cCorporation || now.threshold != initial_.threshold) return true;
  for (std::size_t row = 0; row < now.checks.size(); ++row) {
    if (now.checks[row].reduction != initial_.checks[row].reduction) return true;
  }
  return false;
}

bool CCorpRefundDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && LeavesField(static_cast<QFocusEvent*>(event))) {
    for (std::size_t row = 0; row < reductions_.size(); ++row) {
      if (watched != reductions_[row]) continue;
      // After the focus change, so that the message never opens inside it.
      QMetaObject::invokeMethod(
          this, [this, row] { ReductionLeft(static_cast<int>(row)); }, Qt::QueuedConnection);
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CCorpRefundDlg::ReductionLeft(int row) {
  if (!isVisible()) return;
  CEditAmount* field = ReductionField(row);
  Amount reduction = FieldAmount(*field);
  if (!AcceptReduction(reduction)) ShowAmount(*field, reduction);
}

void CCorpRefundDlg::ShowTips(bool on) {
  Options().tips = on;
  WriteIntSetting(SettingId::Tips, on ? 1 : 0);
  tips_->setVisible(on);
}

void CCorpRefundDlg::accept() {
  if (!CEditAmount::AcceptAll(*this)) return;
  CCorporationSettings s = Current();
  for (std::size_t row = 0; row < s.checks.size(); ++row) {
    // A negative reduction counts as its absolute value, as leaving the field makes it.
    s.checks[row].reduction = std::abs(s.checks[row].reduction);
  }
  if (const int row = CheckReductions(s); row >= 0) {
    ShowAmount(*ReductionField(row), s.checks[static_cast<std::size_t>(row)].reduction);
    ReductionField(row)->setFocus(Qt::OtherFocusReason);
    return;
  }
  StoreCCorporation(doc_, s);
  QDialog::accept();
}

void CCorpRefundDlg::reject() {
  switch (AskSaveChanges(Changed())) {
    case CancelChoice::Save:
      accept();
      return;
    case CancelChoice::Stay:
      return;
    case CancelChoice::Discard:
      break;
  }
  QDialog::reject();
}

bool ShowCCorporationDialog(CTDoc& doc, QWidget* parent) {
  CCorpRefundDlg dialog(doc, parent);
  const bool ok = dialog.exec() == QDialog::Accepted;
  if (ok) doc.SetModified();
  return ok;
}

void InstallCCorporationDialog() {
  SetCCorporationDialog([](CTDoc& doc) {
    CCorpRefundDlg dialog(doc, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
  });
}

void UninstallCCorporationDialog() {
  SetCCorporationDialog({});
}

}  // namespace zarvic
