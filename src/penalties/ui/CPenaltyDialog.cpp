#include "penalties/ui/CPenaltyDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/AppOptions.h"
#include "core/FieldRules.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "penalties/PenaltyValidation.h"
#include "problem/CTDoc.h"
#include "shell/MenuCommands.h"
#include "shell/ui/CEditAmount.h"
#include "shell/ui/CEditDate.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

constexpr int kNoticeHeadingWidth = 120;
constexpr int kMinTipsWidth = 440;

QFrame* SeparatorLine(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

QComboBox* ChoiceList(QWidget* parent, std::initializer_list<const char*> items, const std::string& tip) {
  auto* list = new QComboBox(parent);
  for (const char* item : items) list->addItem(QString::fromLatin1(item));
  list->setToolTip(QString::fromStdString(tip));
  list->setAccessibleName(QString::fromStdString(tip));
  return list;
}

int DateWidth(const QWidget& w) {
  return w.fontMetrics().horizontalAdvance(QStringLiteral("00-00-0000")) + 20;
}

int AmountWidth(const QWidget& w) {
  return w.fontMetrics().horizontalAdvance(QStringLiteral("9,999,999,999.99")) + 20;
}

}  // namespace

CPenaltyDialog::CPenaltyDialog(CTDoc& doc, int k, PenaltyWindowClass cls, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      k_(k),
      cls_(cls),
      form_(PenaltyFormOf(cls)),
      taxDate_(doc.TaxDate),
      opened_(doc.m_penalties[static_cast<std::size_t>(k)]) {
  setObjectName(Utf8Text(PenaltyWindowClassName(cls)));
  setWindowTitle(Utf8Text(form_.title));
  SetHelpTopic(this, form_.helpTopic);  // the penalty's own page

  auto* outer = new QVBoxLayout(this);
  outer->setSizeConstraint(QLayout::SetFixedSize);

  auto* top = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  activate_ = new QCheckBox(QStringLiteral("&Activate"), this);
  activate_->setToolTip(QStringLiteral("Activate"));
  activate_->setAccessibleName(QStringLiteral("Activate"));
  left->addWidget(activate_, 0, Qt::AlignLeft);  // only the box and its text take the click
  QWidget* fields = BuildFields();
  left->addWidget(fields);
  left->addStretch();
  top->addLayout(left, 1);

  auto* buttons = new QVBoxLayout;
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  // The failure-to-pay windows have room for the box only in two lines.
  tipsBox_ = new QCheckBox(form_.noticeLabels.empty() ? QStringLiteral("Show &Tips") : QStringLiteral("Show\n&Tips"),
                           this);
  tipsBox_->setToolTip(QStringLiteral("Show Tips"));
  tipsBox_->setAccessibleName(QStringLiteral("Show Tips"));
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addSpacing(8);
  buttons->addWidget(tipsBox_);
  buttons->addSpacing(8);
  buttons->addStretch();
  top->addLayout(buttons);
  outer->addLayout(top);

  outer->addWidget(SeparatorLine(this));  // the window ends here while the tips are hidden
  const int width = std::max(kMinTipsWidth, top->sizeHint().width());
  tipsArea_ = BuildTips(width);
  outer->addWidget(tipsArea_);

  connect(ok_, &QPushButton::clicked, this, &CPenaltyDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &CPenaltyDialog::reject);
  connect(activate_, &QCheckBox::clicked, this, [this] {
    SetModified();
    UpdateEnabled();
  });
  connect(tipsBox_, &QCheckBox::clicked, this, [this] {
    // The option is the application's: every later window opens the same way.
    if (const OptionToggle* toggle = FindOptionToggle(CommandId::OptionTips)) ToggleOption(*toggle);
    ShowTips(Options().tips);
  });

  Load();
  modified_ = false;  // loading the fields is no change
}

QWidget* CPenaltyDialog::BuildFields() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  int row = 0;
  for (const PenaltyField* field : ShownPenaltyFields(form_, taxDate_)) {
    FieldWidgets w;
    w.field = field;
    const QString name = QString::fromStdString(PenaltyFieldName(*field));
    switch (field->kind) {
      case PenaltyFieldKind::NoticeRows:
        grid->addWidget(BuildNoticeRows(), row, 0, 1, 2);
        break;
      case PenaltyFieldKind::Check:
        w.check = new QCheckBox(Utf8Text(field->label), box);
        w.check->setToolTip(name);
        w.check->setAccessibleName(name);
        connect(w.check, &QCheckBox::clicked, this, [this] {
          SetModified();
          UpdateEnabled();
        });
        if (field->check == PenaltyCheck::IndividualTimely) individual_ = w.check;
        grid->addWidget(w.check, row, 0, 1, 2, Qt::AlignLeft);
        break;
      case PenaltyFieldKind::Date:
      case PenaltyFieldKind::Money:
      case PenaltyFieldKind::Rate: {
        w.label = new QLabel(Utf8Text(field->label), box);
        QWidget* input = nullptr;
        if (field->kind == PenaltyFieldKind::Date) {
          auto* date = new CEditDate(box);
          date->setFixedWidth(DateWidth(*date));
          w.edit = date;
          input = date;
        } else if (field->kind == PenaltyFieldKind::Money) {
          auto* amount = new CEditAmount(box);
          amount->setAlignment(Qt::AlignRight);
          amount->setFixedWidth(AmountWidth(*amount));
          w.edit = amount;
          input = amount;
        } else {
          w.rate = new QComboBox(box);
          w.rate->setEditable(true);
          w.rate->setInsertPolicy(QComboBox::NoInsert);
          for (int rate : form_.rates) w.rate->addItem(QString::number(rate));
          w.rate->setFixedWidth(DateWidth(*w.rate));
          w.edit = w.rate->lineEdit();
          w.edit->setToolTip(name);
          w.edit->setAccessibleName(name);
          rateList_ = w.rate;
          if (form_.normalizesPercent) w.rate->installEventFilter(this);  // the list passes its focus on to its text
          connect(w.rate, &QComboBox::activated, this, &CPenaltyDialog::SetModified);
          input = w.rate;
        }
        input->setToolTip(name);
        input->setAccessibleName(name);
        w.label->setToolTip(name);
        w.label->setBuddy(input);
        connect(w.edit, &QLineEdit::textEdited, this, &CPenaltyDialog::SetModified);
        grid->addWidget(w.label, row, 0);
        grid->addWidget(input, row, 1, Qt::AlignLeft);
        break;
      }
    }
    fields_.push_back(w);
    ++row;
  }
  grid->setColumnStretch(1, 1);
  return box;
}

QWidget* CPenaltyDialog::BuildNoticeRows() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 6, 0, 6);
  for (std::string_view heading : {kNoticeLevyHeading, kNoticeJeopardyHeading, kNoticeGraceHeading}) {
    auto* label = new QLabel(Utf8Text(heading), box);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label->setFixedWidth(kNoticeHeadingWidth);
    grid->addWidget(label, 0, 2 + static_cast<int>(noticeHeadings_.size()));
    noticeHeadings_.push_back(label);
  }
  for (int i = 0; i < kNoticeRows; ++i) {
    NoticeWidgets& n = notices_[static_cast<std::size_t>(i)];
    const std::string_view labelText = form_.noticeLabels[static_cast<std::size_t>(i)];
    n.label = new QLabel(Utf8Text(labelText), box);
    n.label->setToolTip(Utf8Text(labelText));
    auto* date = new CEditDate(box);
    date->setFixedWidth(DateWidth(*date));
    date->setToolTip(Utf8Text(labelText));
    date->setAccessibleName(Utf8Text(labelText));
    n.label->setBuddy(date);
    n.date = date;
    n.levy = ChoiceList(box, {"No", "Yes"}, NoticeLevyTip(i));
    n.jeopardy = ChoiceList(box, {"No", "Yes"}, NoticeJeopardyTip(i));
    n.grace = ChoiceList(box, {"10 Days", "21 Days"}, NoticeGraceTip(i));
    connect(date, &QLineEdit::textEdited, this, &CPenaltyDialog::SetModified);
    connect(n.levy, &QComboBox::activated, this, [this, i] { ChooseNotice(i, true); });
    connect(n.jeopardy, &QComboBox::activated, this, [this, i] { ChooseNotice(i, false); });
    connect(n.grace, &QComboBox::activated, this, &CPenaltyDialog::SetModified);
    const int row = i + 1;
    grid->addWidget(n.label, row, 0);
    grid->addWidget(date, row, 1);
    grid->addWidget(n.levy, row, 2, Qt::AlignHCenter);
    grid->addWidget(n.jeopardy, row, 3, Qt::AlignHCenter);
    grid->addWidget(n.grace, row, 4, Qt::AlignHCenter);
  }
  return box;
}

QWidget* CPenaltyDialog::BuildTips(int width) {
  auto* area = new QWidget(this);
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  auto addText = [&](std::string_view text, bool heading) {
    auto* label = new QLabel(Utf8Text(text), area);
    label->setWordWrap(true);
    label->setFixedWidth(width);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (heading) {
      QFont bold = label->font();
      bold.setBold(true);
      label->setFont(bold);
    }
    label->setMinimumHeight(label->heightForWidth(width));
    layout->addWidget(label);
  };
  addText(kPenaltyTipsHeading, true);
  addText(form_.tips, false);
  if (form_.extraTipsId != 0) addText(StringText(form_.extraTipsId), false);
  layout->addWidget(SeparatorLine(area));
  return area;
}

void CPenaltyDialog::Load() {
  const PenaltyRecord& record = doc_.m_penalties[static_cast<std::size_t>(k_)];
  for (FieldWidgets& w : fields_) {
    if (w.check != nullptr) {
      w.check->setChecked(PenaltyFieldChecked(*w.field, record));
    } else if (w.edit != nullptr) {
      w.edit->setText(QString::fromStdString(PenaltyFieldText(*w.field, record)));
    }
  }
  if (!form_.noticeLabels.empty()) ShowNotices(ReadNoticeRows(record, k_));
  activate_->setChecked(record.IsActive());
  tipsBox_->setChecked(Options().tips);
  ShowTips(Options().tips);
  UpdateEnabled();
}

void CPenaltyDialog::Store() {
  PenaltyRecord& record = doc_.m_penalties[static_cast<std::size_t>(k_)];
  for (const FieldWidgets& w : fields_) {
    if (w.check != nullptr) {
      StorePenaltyFieldCheck(*w.field, record, w.check->isChecked());
    } else if (w.edit != nullptr) {
      StorePenaltyFieldText(*w.field, record, LineEditField(*w.edit));
    }
  }
  if (!form_.noticeLabels.empty()) StoreNoticeRows(record, k_, ReadNotices());
}

bool CPenaltyDialog::Confirm() {
  if (!CEditAmount::AcceptAll(*this)) return false;
  // The percentage is read by the strict rule of rates: a text that is none is refused, not read as 0.
  if (rateList_ != nullptr && rateList_->isEnabled()) {
    const std::string rate = rateList_->lineEdit()->text().toStdString();
    if (!Trim(rate).empty() && !ParseWellFormedRate(rate)) {
      MessageBoxId(kMalformedRateId);
      rateList_->setFocus(Qt::OtherFocusReason);
      rateList_->lineEdit()->selectAll();
      return false;
    }
  }
  Store();
  if (PenaltyFormOk(doc_, k_, cls_, activate_->isChecked())) return true;
  FocusFinding(PenaltyValidationCode(doc_, k_));
  return false;
}

void CPenaltyDialog::accept() {
  if (Confirm()) QDialog::accept();
}

void CPenaltyDialog::reject() {
  switch (AskSaveChanges(modified_)) {
    case CancelChoice::Save:
      accept();
      return;
    case CancelChoice::Stay:
      return;
    case CancelChoice::Discard:
      break;
  }
  PenaltyFormCancel(doc_, k_, opened_);
  QDialog::reject();
}

bool CPenaltyDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == rateList_ && event->type() == QEvent::FocusOut &&
      LeavesField(static_cast<QFocusEvent*>(event))) {
    // After the focus change, as the other fields do: the message never opens inside it.
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (!isVisible()) return;
          LineEditField text(*rateList_->lineEdit());
          NormalizePercentField(text);
        },
        Qt::QueuedConnection);
  }
  return QDialog::eventFilter(watched, event);
}

void CPenaltyDialog::UpdateEnabled() {
  const bool active = activate_->isChecked();
  const bool individual = individual_ != nullptr && individual_->isChecked();
  for (const FieldWidgets& w : fields_) {
    const bool enabled = PenaltyFieldEnabled(*w.field, active, individual);
    for (QWidget* widget : WidgetsOf(w)) widget->setEnabled(enabled);
  }
  for (QLabel* heading : noticeHeadings_) heading->setEnabled(active);
  for (const NoticeWidgets& n : notices_) {
    for (QWidget* widget : WidgetsOf(n)) widget->setEnabled(active);
  }
}

void CPenaltyDialog::ShowTips(bool shown) {
  tipsBox_->setChecked(shown);
  tipsArea_->setVisible(shown);
}

void CPenaltyDialog::FocusFinding(int code) {
  const PenaltyFindingField found =
      FindingField(form_, doc_.m_penalties[static_cast<std::size_t>(k_)], code, taxDate_);
  if (found.field < 0) return;
  QWidget* target = nullptr;
  if (found.noticeRow >= 0) {
    target = notices_[static_cast<std::size_t>(found.noticeRow)].date;
  } else {
    // fields_ holds the shown fields; find the one of that table entry.
    const PenaltyField* field = &form_.fields[static_cast<std::size_t>(found.field)];
    for (const FieldWidgets& w : fields_) {
      if (w.field == field) target = w.edit != nullptr ? static_cast<QWidget*>(w.edit) : w.check;
    }
  }
  if (target != nullptr && target->isEnabled()) {
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();
  }
}

NoticeRows CPenaltyDialog::ReadNotices() const {
  NoticeRows rows;
  for (int i = 0; i < kNoticeRows; ++i) {
    const NoticeWidgets& n = notices_[static_cast<std::size_t>(i)];
    NoticeRow& row = rows[static_cast<std::size_t>(i)];
    row.date = GetDateField(LineEditField(*n.date));
    row.levy = n.levy->currentIndex() == 1;
    row.jeopardy = n.jeopardy->currentIndex() == 1;
    row.tenDays = n.grace->currentIndex() == 0;
  }
  return rows;
}

void CPenaltyDialog::ShowNotices(const NoticeRows& rows) {
  for (int i = 0; i < kNoticeRows; ++i) {
    const NoticeWidgets& n = notices_[static_cast<std::size_t>(i)];
    const NoticeRow& row = rows[static_cast<std::size_t>(i)];
    LineEditField text(*n.date);
    SetDateField(text, row.date);
    n.levy->setCurrentIndex(row.levy ? 1 : 0);
    n.jeopardy->setCurrentIndex(row.jeopardy ? 1 : 0);
    n.grace->setCurrentIndex(row.tenDays ? 0 : 1);
  }
}

void CPenaltyDialog::ChooseNotice(int row, bool levyColumn) {
  SetModified();
  const NoticeWidgets& n = notices_[static_cast<std::size_t>(row)];
  if ((levyColumn ? n.levy : n.jeopardy)->currentIndex() != 1) return;  // "No" leaves the others
  NoticeRows rows = ReadNotices();
  if (levyColumn) {
    ChooseLevyRow(rows, row);
  } else {
    ChooseJeopardyRow(rows, row);
  }
  for (int i = 0; i < kNoticeRows; ++i) {
    const NoticeWidgets& other = notices_[static_cast<std::size_t>(i)];
    const NoticeRow& r = rows[static_cast<std::size_t>(i)];
    (levyColumn ? other.levy : other.jeopardy)->setCurrentIndex((levyColumn ? r.levy : r.jeopardy) ? 1 : 0);
  }
}

QWidget* CPenaltyDialog::Input(PenaltyFieldKind kind, int slot) const {
  for (const FieldWidgets& w : fields_) {
    if (w.field->kind != kind || w.field->slot != slot) continue;
    if (w.rate != nullptr) return w.rate;
    return w.edit;
  }
  return nullptr;
}

QCheckBox* CPenaltyDialog::Check(PenaltyCheck check) const {
  for (const FieldWidgets& w : fields_) {
    if (w.check != nullptr && w.field->check == check) return w.check;
  }
  return nullptr;
}

std::vector<QWidget*> CPenaltyDialog::GovernedWidgets() const {
  std::vector<QWidget*> widgets;
  for (const FieldWidgets& w : fields_) {
    for (QWidget* widget : WidgetsOf(w)) widgets.push_back(widget);
  }
  widgets.insert(widgets.end(), noticeHeadings_.begin(), noticeHeadings_.end());
  for (const NoticeWidgets& n : notices_) {
    for (QWidget* widget : WidgetsOf(n)) widgets.push_back(widget);
  }
  return widgets;
}

std::vector<QWidget*> CPenaltyDialog::WidgetsOf(const FieldWidgets& w) {
  std::vector<QWidget*> widgets;
  for (QWidget* widget : {static_cast<QWidget*>(w.label), static_cast<QWidget*>(w.check),
                          static_cast<QWidget*>(w.rate), static_cast<QWidget*>(w.edit)}) {
    if (widget != nullptr) widgets.push_back(widget);
  }
  return widgets;
}

std::vector<QWidget*> CPenaltyDialog::WidgetsOf(const NoticeWidgets& n) {
  std::vector<QWidget*> widgets;
  for (QWidget* widget : {static_cast<QWidget*>(n.label), static_cast<QWidget*>(n.date),
                          static_cast<QWidget*>(n.levy), static_cast<QWidget*>(n.jeopardy),
                          static_cast<QWidget*>(n.grace)}) {
    if (widget != nullptr) widgets.push_back(widget);
  }
  return widgets;
}

}  // namespace zarvic
