#include "allocation/ui/CPaymentAllocation.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/FieldRules.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "shell/HelpTopics.h"
#include "shell/ui/CEditAmount.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

constexpr int kAmountLimit = 16;
constexpr char kHint[] =
    "You can allocate payments by specific dollar amounts or by alphabetical priority.  Specific overrides "
    "alpha.";

QString AmountText(Amount cents) {
  return QString::fromStdString(AmountFieldText(cents, false));
}

QString LetterText(char letter) {
  // A NUL letter (served first) shows as an empty field.
  return letter == '\0' ? QString() : QString(QChar::fromLatin1(letter)).toUpper();
}

char FieldLetter(const QLineEdit& edit) {
  const QByteArray text = edit.text().toUpper().toLatin1();
  return text.isEmpty() ? '\0' : text[0];
}

QLabel* AmountLabel(QWidget* parent, int width) {
  auto* label = new QLabel(parent);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setMinimumWidth(width);
  return label;
}

// The amount control sets its usual limit as it takes the focus; this window's is shorter.
class AllocationAmount : public CEditAmount {
 public:
  using CEditAmount::CEditAmount;

 protected:
  void focusInEvent(QFocusEvent* event) override {
    CEditAmount::focusInEvent(event);
    SetFieldLimit(*this, kAmountLimit);
  }
};

}  // namespace

CPaymentAllocation::CPaymentAllocation(CTDoc& doc, int index, const DueByCategory& dueBefore, QWidget* parent)
    : QDialog(parent), model_(doc, index, dueBefore) {
  setWindowTitle(QStringLiteral("Payment Allocation"));
  SetHelpTopic(this, kHelpPaymentAllocationTopic);
  auto* layout = new QVBoxLayout(this);

  auto* payment = new QGridLayout;
  payment->addWidget(new QLabel(QStringLiteral("Payment Date:"), this), 0, 0);
  payment->addWidget(new QLabel(QString::fromStdString(DateFieldText(model_.PaymentDate())), this), 0, 1,
                     Qt::AlignRight);
  payment->addWidget(new QLabel(QStringLiteral("Payment Amount:"), this), 1, 0);
  payment->addWidget(new QLabel(AmountText(model_.PaymentAmount()), this), 1, 1, Qt::AlignRight);
  payment->setColumnStretch(2, 1);
  layout->addLayout(payment);
  auto* hint = new QLabel(QString::fromLatin1(kHint), this);
  hint->setWordWrap(true);
  layout->addWidget(hint);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  const char* headings[] = {"Category", "Alpha priority", "Specific Dollar Allocation", "Total",
                            "Due After Payment"};
  for (int column = 0; column < 5; ++column) {
    auto* heading = new QLabel(QString::fromLatin1(headings[column]), this);
    heading->setAlignment((column == 0   ? Qt::AlignLeft
                           : column == 1 ? Qt::AlignHCenter
                                         : Qt::AlignRight) |
                          Qt::AlignBottom);
    grid->addWidget(heading, 0, column);
  }
  const int amountWidth = fontMetrics().horizontalAdvance(QStringLiteral("9,999,999,999.99")) + 16;
  for (int row = 0; row < model_.RowCount(); ++row) {
    const QString name = QString::fromStdString(model_.Name(row));
    Row r{};
    r.name = new QLabel(name, this);
    r.letter = new QLineEdit(this);
    r.letter->setMaxLength(1);
    r.letter->setAlignment(Qt::AlignCenter);
    r.letter->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) + 20);
    r.letter->setToolTip(QString::fromStdString(model_.LetterTip(row)));
    r.letter->setAccessibleName(QString::fromStdString(model_.LetterTip(row)));
    r.amount = new AllocationAmount(this);
    r.amount->setAlignment(Qt::AlignRight);
    r.amount->setMinimumWidth(amountWidth);
    r.amount->setToolTip(QString::fromStdString(model_.AmountTip(row)));
    r.amount->setAccessibleName(QString::fromStdString(model_.AmountTip(row)));
    r.total = AmountLabel(this, amountWidth);
    r.due = AmountLabel(this, amountWidth);
    grid->addWidget(r.name, row + 1, 0);
    grid->addWidget(r.letter, row + 1, 1, Qt::AlignHCenter);
    grid->addWidget(r.amount, row + 1, 2);
    grid->addWidget(r.total, row + 1, 3);
    grid->addWidget(r.due, row + 1, 4);
    r.letter->installEventFilter(this);
    r.amount->installEventFilter(this);
    connect(r.letter, &QLineEdit::textEdited, this, [this, edit = r.letter](const QString& text) {
      modified_ = true;
      // Upper-cased as typed.
      if (text != text.toUpper()) edit->setText(text.toUpper());
    });
    connect(r.amount, &QLineEdit::textEdited, this, [this] { modified_ = true; });
    rows_.push_back(r);
  }
  layout->addLayout(grid);

  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  layout->addWidget(rule);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  restore_ = new QPushButton(QStringLiteral("Restore IRS Default Allocation"), this);
  ok->setDefault(true);
  restore_->setAutoDefault(false);
  cancel->setAutoDefault(false);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();
  buttons->addWidget(restore_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(ok, &QPushButton::clicked, this, &CPaymentAllocation::accept);
  connect(cancel, &QPushButton::clicked, this, &CPaymentAllocation::reject);
  connect(restore_, &QPushButton::clicked, this, [this] {
    model_.RestoreIrsDefault();
    modified_ = true;
    ShowRows(true);
  });

  if (model_.NothingDue()) return;
  model_.Recompute();
  ShowRows(true);
  modified_ = false;
}

std::vector<PaymentAllocationModel::RowEntry> CPaymentAllocation::Entries() const {
  std::vector<PaymentAllocationModel::RowEntry> entries;
  for (const Row& r : rows_) {
    entries.push_back({FieldLetter(*r.letter), GetAmountField(StringField(r.amount->text().toStdString()))});
  }
  return entries;
}

void CPaymentAllocation::ShowRows(bool withFields) {
  for (int row = 0; row < model_.RowCount(); ++row) {
    const Row& r = rows_[static_cast<std::size_t>(row)];
    if (withFields) {
      r.letter->setText(LetterText(model_.Letter(row)));
      r.amount->setText(AmountText(model_.Specific(row)));
    }
    r.total->setText(AmountText(model_.Applied(row)));
    r.due->setText(AmountText(model_.DueAfter(row)));
  }
}

void CPaymentAllocation::LetterLeft() {
  const std::vector<PaymentAllocationModel::RowEntry> entries = Entries();
  bool differs = false;
  for (int row = 0; row < model_.RowCount(); ++row) {
    differs = differs || entries[static_cast<std::size_t>(row)].letter != model_.Letter(row);
  }
  if (differs && model_.Apply(entries)) ShowRows(false);
}

bool CPaymentAllocation::AmountLeft(int row) {
  CEditAmount* field = AmountField(row);
  if (!field->Accept()) return false;
  LineEditField text(*field);
  NormalizeAmountField(text);
  if (GetAmountField(text) == model_.Specific(row)) return true;
  if (!model_.Apply(Entries())) {
    field->setText(AmountText(model_.Specific(row)));
    return false;
  }
  // A specific amount above its category's due is cut to the due by the allocation.
  ShowRows(true);
  return true;
}

bool CPaymentAllocation::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && LeavesField(static_cast<QFocusEvent*>(event))) {
    for (int row = 0; row < model_.RowCount(); ++row) {
      const Row& r = rows_[static_cast<std::size_t>(row)];
      // After the focus change, so that a message never opens inside it.
      if (watched == r.letter) {
        QMetaObject::invokeMethod(
            this,
            [this] {
              if (isVisible()) LetterLeft();
            },
            Qt::QueuedConnection);
      } else if (watched == r.amount) {
        QMetaObject::invokeMethod(
            this,
            [this, row] {
              if (isVisible()) AmountLeft(row);
            },
            Qt::QueuedConnection);
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CPaymentAllocation::accept() {
  // What was typed into the field that had the focus counts, although leaving it is still pending.
  for (int row = 0; row < model_.RowCount(); ++row) {
    if (!AmountLeft(row)) {
      AmountField(row)->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
  LetterLeft();
  QDialog::accept();
}

void CPaymentAllocation::reject() {
  switch (AskSaveChanges(modified_)) {
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

AllocationWindowResult RunPaymentAllocationWindow(CTDoc& doc, int index, const DueByCategory& dueBefore) {
  CPaymentAllocation dialog(doc, index, dueBefore, QApplication::activeWindow());
  if (dialog.NothingDue()) return AllocationWindowResult::NothingDue;
  return dialog.exec() == QDialog::Accepted ? AllocationWindowResult::Ok : AllocationWindowResult::Cancel;
}

void AllocatePaymentOf(CTDoc& doc, int index) {
  OpenPaymentAllocation(doc, index, RunPaymentAllocationWindow);
  CurrentUi().RefreshViews(&doc);
}

}  // namespace zarvic
