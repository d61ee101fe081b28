#include "engine/ui/CHotInterestDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/AppOptions.h"
#include "core/ControlCommands.h"
#include "core/FieldRules.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "shell/HelpTopics.h"
#include "shell/ui/CEditDate.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

constexpr int kTitleId = 20003;

constexpr const char* kTips[] = {
    "Certain corporate underpayments are subject to a \"Hot\" interest rate that is 2% higher than the "
    "normal "
    "rate.  This higher rate is on underpayments over $100,000.  The higher rate begins after a so-called "
    "\"applicable date.\"",
    "Generally, the applicable date is 30 days after the \"30-day letter.\"  The 30-day letter is the IRS "
    "letter advising the taxpayer of the opportunity to have the matter considered by Appeals.",
    "If you enter a 30-day letter date, Zarvic computes the applicable date.  Alternatively, you can "
    "override "
    "the computation by entering a date.",
};

DayNumber FieldDate(const QLineEdit& edit) {
  return GetDateField(StringField(edit.text().toStdString()));
}

void ShowDate(QLineEdit& edit, DayNumber date) {
  LineEditField field(edit);
  SetDateField(field, date);
}

CEditDate* DateEdit(QWidget* parent, const char* accessibleName) {
  auto* edit = new CEditDate(parent);
  edit->setAccessibleName(QString::fromLatin1(accessibleName));
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00-00-0000")) + 16);
  return edit;
}

}  // namespace

CHotInterestDlg::CHotInterestDlg(CTDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), initial_(ReadHotInterest(doc.m_header)) {
  setWindowTitle(
      QString::fromLatin1(StringText(kTitleId).data(), static_cast<int>(StringText(kTitleId).size())));
  SetHelpTopic(this, kHelpHotInterestTopic);
  auto* layout = new QVBoxLayout(this);

  active_ = new QCheckBox(QStringLiteral("&Activate  6621(c) \"Hot\" interest calculation"), this);
  layout->addWidget(active_, 0, Qt::AlignLeft);

  auto* grid = new QGridLayout;
  letterLabel_ = new QLabel(QStringLiteral("Enter either the \"30-day\" letter date, or"), this);
  applicableLabel_ = new QLabel(QStringLiteral("the  6621(c) \"applicable date\""), this);
  letter_ = DateEdit(this, "30-day date");
  applicable_ = DateEdit(this, "Applicable date");
  restartLetter_ = DateEdit(this, "Restart 30-day date");
  restartApplicable_ = DateEdit(this, "Restart applicable date");
  letterLabel_->setBuddy(letter_);
  applicableLabel_->setBuddy(applicable_);
  stop_ = new QCheckBox(QStringLiteral("Stop \"Hot\" Interest on 12-31-97"), this);
  restartLabel_ = new QLabel(QStringLiteral("To restart \"Hot\" interest after 1997"), this);
  restartLabel_->setWordWrap(true);
  grid->addWidget(stop_, 0, 0, Qt::AlignLeft);
  grid->addWidget(restartLabel_, 0, 2);
  grid->addWidget(letterLabel_, 1, 0);
  grid->addWidget(letter_, 1, 1);
  grid->addWidget(restartLetter_, 1, 2);
  grid->addWidget(applicableLabel_, 2, 0);
  grid->addWidget(applicable_, 2, 1);
  grid->addWidget(restartApplicable_, 2, 2);
  grid->setColumnStretch(0, 1);
  layout->addLayout(grid);

  tipsBox_ = new QCheckBox(QStringLiteral("Show &Tips"), this);
  layout->addWidget(tipsBox_, 0, Qt::AlignLeft);
  tips_ = new QWidget(this);
  auto* tipsLayout = new QVBoxLayout(tips_);
  tipsLayout->setContentsMargins(0, 0, 0, 0);
  for (const char* tip : kTips) {
    auto* text = new QLabel(QString::fromLatin1(tip), tips_);
    text->setWordWrap(true);
    tipsLayout->addWidget(text);
  }
  layout->addWidget(tips_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setMinimumWidth(520);
  tips_->setMinimumWidth(480);

  active_->setChecked(initial_.active);
  stop_->setChecked(initial_.stop);
  ShowDate(*letter_, initial_.thirtyDayLetter);
  ShowDate(*applicable_, initial_.applicableDate);
  ShowDate(*restartLetter_, initial_.restartThirtyDayLetter);
  ShowDate(*restartApplicable_, initial_.restartApplicableDate);
  tipsBox_->setChecked(Options().tips);
  tips_->setVisible(Options().tips);
  UpdateEnabling();

  connect(active_, &QCheckBox::toggled, this, &CHotInterestDlg::UpdateEnabling);
  connect(stop_, &QCheckBox::toggled, this, &CHotInterestDlg::UpdateEnabling);
  connect(tipsBox_, &QCheckBox::toggled, this, &CHotInterestDlg::ShowTips);
  connect(buttons, &QDialogButtonBox::accepted, this, &CHotInterestDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CHotInterestDlg::reject);
  for (auto [field, edit] : {std::pair{HotField::RestartThirtyDayLetter, restartLetter_},
                             std::pair{HotField::RestartApplicableDate, restartApplicable_}}) {
    edit->SetNotifyChange(true);
    connect(edit, &CEditDate::command, this, [this, field, edit](int id, QWidget*) {
      if (id == kCmdDateFieldLeft) RestartFieldLeft(field, edit);
    });
  }
}

CEditDate* CHotInterestDlg::Field(HotField field) const {
  switch (field) {
    case HotField::ThirtyDayLetter:
      return letter_;
    case HotField::ApplicableDate:
      return applicable_;
    case HotField::RestartThirtyDayLetter:
      return restartLetter_;
    case HotField::RestartApplicableDate:
      return restartApplicable_;
    case HotField::None:
      break;
  }
  return nullptr;
}

HotInterestSettings CHotInterestDlg::Current() const {
  HotInterestSettings s;
  s.active = active_->isChecked();
  s.thirtyDayLetter = FieldDate(*letter_);
  s.applicableDate = FieldDate(*applicable_);
  s.stop = stop_->isChecked();
  s.restartThirtyDayLetter = FieldDate(*restartLetter_);
  s.restartApplicableDate = FieldDate(*restartApplicable_);
  return s;
}

void CHotInterestDlg::UpdateEnabling() {
  const bool active = active_->isChecked();
  if (!active) stop_->setChecked(false);
  for (QWidget* w :
       std::initializer_list<QWidget*>{letterLabel_, applicableLabel_, letter_, applicable_, stop_}) {
    w->setEnabled(active);
  }
  const bool restart = active && stop_->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{restartLabel_, restartLetter_, restartApplicable_}) {
    w->setEnabled(restart);
  }
}

void CHotInterestDlg::RestartFieldLeft(HotField field, CEditDate* edit) {
  if (!isVisible()) return;  // left by closing the window
  if (!AcceptRestartField(field, stop_->isChecked(), FieldDate(*edit))) edit->setFocus(Qt::OtherFocusReason);
}

void CHotInterestDlg::ShowTips(bool on) {
  Options().tips = on;
  WriteIntSetting(SettingId::Tips, on ? 1 : 0);
  tips_->setVisible(on);
}

void CHotInterestDlg::accept() {
  const HotInterestSettings s = Current();
  if (const HotField refused = CheckHotInterest(s); refused != HotField::None) {
    Field(refused)->setFocus(Qt::OtherFocusReason);
    return;
  }
  StoreHotInterest(doc_.m_header, s);
  doc_.SetModified();
  QDialog::accept();
}

void CHotInterestDlg::reject() {
  switch (AskSaveChanges(Current() != initial_)) {
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

void ShowHotInterest(CTDoc& doc, QWidget* parent) {
  CHotInterestDlg dialog(doc, parent);
  if (dialog.exec() == QDialog::Accepted) CurrentUi().RefreshViews(&doc);
}

}  // namespace zarvic
