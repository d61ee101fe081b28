#include "allocation/ui/CDefaultPayment.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "allocation/PaymentAllocation.h"
#include "shell/HelpTopics.h"
#include "shell/ui/Help.h"

namespace zarvic {

CDefaultPayment::CDefaultPayment(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Default Payment Allocation"));
  SetHelpTopic(this, kHelpDefaultAllocationTopic);
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(QString::fromLatin1(kDefaultAllocationHeading), this);
  heading->setWordWrap(true);
  layout->addWidget(heading);

  const int letterWidth = fontMetrics().horizontalAdvance(QLatin1Char('W')) + 20;
  for (const DefaultAllocationGroup& group : DefaultAllocationGroups()) {
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* box = new QVBoxLayout(frame);
    auto* text = new QLabel(QString::fromLatin1(group.text), frame);
    text->setWordWrap(true);
    QFont bold = text->font();
    bold.setBold(true);
    text->setFont(bold);
    box->addWidget(text);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    // Long groups in two columns of label and letter.
    const int perColumn = group.fields.size() > 4 ? static_cast<int>((group.fields.size() + 1) / 2) : 4;
    for (std::size_t i = 0; i < group.fields.size(); ++i) {
      const DefaultAllocationField& f = group.fields[i];
      auto* edit = new QLineEdit(frame);
      edit->setMaxLength(1);
      edit->setFixedWidth(letterWidth);
      edit->setAlignment(Qt::AlignCenter);
      edit->setToolTip(QString::fromLatin1(f.label));
      edit->setAccessibleName(QString::fromLatin1(f.label));
      connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& t) {
        if (t != t.toUpper()) edit->setText(t.toUpper());
      });
      auto* label = new QLabel(QString::fromLatin1(f.label), frame);
      label->setBuddy(edit);
      const int line = static_cast<int>(i) % perColumn;
      const int column = static_cast<int>(i) / perColumn * 3;
      grid->addWidget(edit, line, column);
      grid->addWidget(label, line, column + 1);
      fields_[static_cast<std::size_t>(f.position)] = edit;
    }
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(5, 1);
    box->addLayout(grid);
    layout->addWidget(frame);
  }

  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  restore_ = new QPushButton(QStringLiteral("Restore IRS Default Allocation"), this);
  ok->setDefault(true);
  cancel->setAutoDefault(false);
  restore_->setAutoDefault(false);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();
  buttons->addWidget(restore_);
  layout->addLayout(buttons);
  setMinimumWidth(520);

  connect(ok, &QPushButton::clicked, this, &CDefaultPayment::accept);
  connect(cancel, &QPushButton::clicked, this, &CDefaultPayment::reject);
  connect(restore_, &QPushButton::clicked, this,
          [this] { ShowLetters(DefaultAllocationFieldLetters(kBuiltInAllocationLetters)); });
  ShowLetters(DefaultAllocationFieldLetters(DefaultAllocationLetters()));
}

void CDefaultPayment::ShowLetters(const std::array<char, kDefaultAllocationFields>& letters) {
  for (std::size_t k = 0; k < letters.size(); ++k) {
    fields_[k]->setText(letters[k] == '\0' ? QString() : QString(QChar::fromLatin1(letters[k])).toUpper());
  }
}

void CDefaultPayment::accept() {
  std::array<char, kDefaultAllocationFields> letters{};
  for (std::size_t k = 0; k < letters.size(); ++k) {
    const QByteArray text = fields_[k]->text().toLatin1();
    letters[k] = text.isEmpty() ? '\0' : text[0];
  }
  // A letter left empty closes the window as Cancel: the old default stays.
  const std::optional<std::string> value = DefaultAllocationString(letters);
  if (!value || !StoreDefaultAllocation(*value)) {
    QDialog::reject();
    return;
  }
  QDialog::accept();
}

void ShowDefaultPaymentAllocation(QWidget* parent) {
  CDefaultPayment dialog(parent);
  dialog.exec();
}

}  // namespace zarvic
