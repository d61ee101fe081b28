#include "reports/ui/ReportDialogWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <span>
#include <utility>

#include "core/FieldRules.h"
#include "problem/CTDoc.h"
#include "shell/HelpTopics.h"
#include "shell/ui/CTEdit.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/EnterAsTab.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

using Member = bool ReportSettings::*;

struct BoxInfo {
  const char* caption;
  Member member;
};

// The boxes in the order of the selection dialogs; the setup lists the rate table before the accrual.
constexpr std::array<BoxInfo, 9> kSelectionBoxes = {{
    {"&Interest and Penalty Detail", &ReportSettings::interestAndPenaltyDetail},
    {"Payment &Allocation Detail", &ReportSettings::paymentAllocationDetail},
    {"Interest Detail (with &Factors)", &ReportSettings::interestDetailWithFactors},
    {"&Penalty Computation Detail", &ReportSettings::penaltyComputationDetail},
    {"&Main Screen Events", &ReportSettings::mainScreenEvents},
    {"Monthly Accrual", &ReportSettings::monthlyAccrual},
    {"Interest &Rate Table", &ReportSettings::rateTable},
    // The worksheets' reports: a problem's own, so not among the default selection.
    {"&Estimated Tax Penalty", &ReportSettings::estimatedTaxPenalty},
    {"Dep&osit Penalty", &ReportSettings::depositPenalty},
}};
constexpr std::array<BoxInfo, 7> kSetupBoxes = {{
    kSelectionBoxes[0],
    kSelectionBoxes[1],
    kSelectionBoxes[2],
    kSelectionBoxes[3],
    kSelectionBoxes[4],
    kSelectionBoxes[6],
    kSelectionBoxes[5],
}};

const char* const kMonths[] = {"Jan",  "Feb", "Mar",  "Apr", "May", "June",
                               "July", "Aug", "Sept", "Oct", "Nov", "Dec"};

QGroupBox* ReportGroup(const QString& title, std::span<const BoxInfo> infos, ReportBoxes& boxes,
                       QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(group);
  boxes.boxes.clear();
  boxes.members.clear();
  for (const BoxInfo& info : infos) {
    boxes.boxes.push_back(new QCheckBox(QString::fromLatin1(info.caption), group));
    boxes.members.push_back(info.member);
    layout->addWidget(boxes.boxes.back());
  }
  return group;
}

// Re-formats the date typed when the field is left (1/5/95 becomes 01-05-95); a text that is no date
// stays for the dialog's own check.
class DateNormalizer : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    // A field being destroyed loses its focus too, and is no line edit any more by then.
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::FocusOut && edit != nullptr) {
      LineEditField field(*edit);
      NormalizeDateField(field);
    }
    return false;
  }
};

QLineEdit* DateGroup(QGroupBox*& group, QWidget* parent) {
  group = new QGroupBox(QStringLiteral("Enter Compute Date"), parent);
  auto* layout = new QHBoxLayout(group);
  auto* label = new QLabel(QStringLiteral("Compute Date"), group);
  auto* edit = new QLineEdit(group);
  edit->setMaxLength(10);
  edit->setAccessibleName(QStringLiteral("Compute Date"));
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00-00-0000")) + 16);
  edit->installEventFilter(new DateNormalizer(edit));
  label->setBuddy(edit);
  layout->addWidget(label);
  layout->addWidget(edit);
  layout->addStretch();
  return edit;
}

void ShowDate(QLineEdit* edit, DayNumber date) {
  LineEditField field(*edit);
  SetDateField(field, IsDate(date) ? date : Today());
}

QComboBox* YearEndCombo(QWidget* parent) {
  auto* combo = new QComboBox(parent);
  for (const char* month : kMonths) combo->addItem(QString::fromLatin1(month));
  combo->setAccessibleName(QStringLiteral("Year End"));
  return combo;
}

QGroupBox* PairGroup(const QString& title, QWidget* a, QWidget* b, QWidget* parent, QWidget* c = nullptr) {
  auto* group = new QGroupBox(title, parent);
  auto* layout = new QHBoxLayout(group);
  a->setParent(group);
  b->setParent(group);
  layout->addWidget(a);
  layout->addWidget(b);
  if (c != nullptr) {
    c->setParent(group);
    layout->addWidget(c);
  }
  layout->addStretch();
  return group;
}

QGroupBox* YearEndGroup(const QString& title, QComboBox* combo, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* layout = new QHBoxLayout(group);
  auto* label = new QLabel(QStringLiteral("Year End"), group);
  label->setBuddy(combo);
  combo->setParent(group);
  layout->addWidget(label);
  layout->addWidget(combo);
  layout->addStretch();
  return group;
}

QHBoxLayout* Buttons(QPushButton*& ok, QPushButton*& cancel, const QString& okText, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  ok = new QPushButton(okText, parent);
  ok->setDefault(true);
  ok->setAutoDefault(true);
  cancel = new QPushButton(QStringLiteral("Cancel"), parent);
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

void Dress(QDialog* dialog, const QString& title, std::string_view helpTopic) {
  dialog->setWindowTitle(title);
  SetHelpTopic(dialog, helpTopic);
  dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

}  // namespace

QCheckBox* ReportBoxes::Box(Member member) const {
  for (size_t i = 0; i < boxes.size(); ++i) {
    if (members[i] == member) return boxes[i];
  }
  return nullptr;
}

void ReportBoxes::Show(const ReportSettings& record) {
  for (size_t i = 0; i < boxes.size(); ++i) boxes[i]->setChecked(record.*members[i]);
}

void ReportBoxes::Take(ReportSettings& record) const {
  for (size_t i = 0; i < boxes.size(); ++i) record.*members[i] = boxes[i]->isChecked();
}

void ReportBoxes::Disable(const ReportAvailability& available) {
  if (!available.paymentAllocation) {
    Box(&ReportSettings::paymentAllocationDetail)->setChecked(false);
    Box(&ReportSettings::paymentAllocationDetail)->setEnabled(false);
  }
  if (!available.penaltyComputation) {
    Box(&ReportSettings::penaltyComputationDetail)->setChecked(false);
    Box(&ReportSettings::penaltyComputationDetail)->setEnabled(false);
  }
  const std::pair<Member, bool> worksheets[] = {{&ReportSettings::estimatedTaxPenalty, available.estimatedTax},
                                                {&ReportSettings::depositPenalty, available.depositPenalty}};
  for (const auto& [member, kept] : worksheets) {
    QCheckBox* box = Box(member);
    if (box == nullptr || kept) continue;
    box->setChecked(false);
    box->setEnabled(false);
  }
}

QVBoxLayout* ReportOptionBoxes::Build(const Captions& captions, QWidget* parent) {
  descriptions = new QRadioButton(QString::fromLatin1(captions.descriptions));
  eventName = new QRadioButton(QString::fromLatin1(captions.eventName));
  QGroupBox* namesGroup =
      PairGroup(QString::fromLatin1(captions.namesTitle), descriptions, eventName, parent);
  includeDate = new QCheckBox(QString::fromLatin1(captions.date));
  includeTime = new QCheckBox(QStringLiteral("&Time"));
  QGroupBox* dateTimeGroup =
      PairGroup(QStringLiteral("Include Date or Time?"), includeDate, includeTime, parent);
  includeHeader = new QCheckBox(QStringLiteral("&Header"));
  includeFooter = new QCheckBox(QStringLiteral("F&ooter"));
  edit = new QPushButton(QStringLiteral("Edit..."));
  QGroupBox* headerGroup =
      PairGroup(QStringLiteral("Include Header or Footer?"), includeHeader, includeFooter, parent, edit);
  yearEnd = YearEndCombo(parent);
  QGroupBox* yearGroup = YearEndGroup(QString::fromLatin1(captions.yearTitle), yearEnd, parent);
  auto* column = new QVBoxLayout;
  column->addWidget(namesGroup);
  column->addWidget(dateTimeGroup);
  column->addWidget(headerGroup);
  column->addWidget(yearGroup);
  column->addStretch();
  return column;
}

void ReportOptionBoxes::Show(const ReportSettings& record, bool useDescriptions) {
  (useDescriptions ? descriptions : eventName)->setChecked(true);
  includeDate->setChecked(record.includeDate);
  includeTime->setChecked(record.includeTime);
  includeHeader->setChecked(record.includeHeader);
  includeFooter->setChecked(record.includeFooter);
  const int month = record.fiscalYearEnd;
  yearEnd->setCurrentIndex(month >= 0 && month < 12 ? month : 11);  // an unknown month shows December
}

void ReportOptionBoxes::Take(ReportSettings& record, bool& useDescriptions) const {
  record.includeDate = includeDate->isChecked();
  record.includeTime = includeTime->isChecked();
  record.includeHeader = includeHeader->isChecked();
  record.includeFooter = includeFooter->isChecked();
  record.fiscalYearEnd = yearEnd->currentIndex();
  useDescriptions = descriptions->isChecked();
}

CReportSelection::CReportSelection(PrintSelectionState& state, CTDoc& doc, QWidget* parent)
    : QDialog(parent), state_(state), doc_(doc) {
  Dress(this, QStringLiteral("Report Selection"), kHelpReportSelectionTopic);
  ExemptFromEnterAsTab(this);
  QGroupBox* dateGroup = nullptr;
  date_ = DateGroup(dateGroup, this);
  QGroupBox* reportsGroup = ReportGroup(QStringLiteral("Reports to Print"), kSelectionBoxes, reports_, this);
  QVBoxLayout* right = options_.Build({"Description", "Event name", "Use Description or Event name?", "&Date",
                                       "Year End for Monthly Accrual "},
                                      this);
  QPushButton* cancel = nullptr;
  QHBoxLayout* buttons = Buttons(ok_, cancel, QStringLiteral("OK"), this);

  auto* left = new QVBoxLayout;
  left->addWidget(dateGroup);
  left->addWidget(reportsGroup);
  left->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(buttons);

  ShowDate(date_, state.current.computeDate);
  reports_.Show(state.current);
  reports_.Disable(AvailableReports(doc));
  options_.Show(state.current, state.useDescriptions);

  connect(options_.edit, &QPushButton::clicked, this, &CReportSelection::EditHeaders);
  connect(ok_, &QPushButton::clicked, this, &CReportSelection::Accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CReportSelection::EditHeaders() {
  HeadersModel model(TextsOf(state_.defaults), TextsOf(state_.current));
  if (!RunHeaders(model, this)) return;
  SetTexts(state_.defaults, model.NewFileTexts());
  SetTexts(state_.current, model.FileTexts());
  // The problem takes its texts at once (and is then known to be changed).
  StoreReportTexts(doc_, model.FileTexts());
}

void CReportSelection::Accept() {
  LineEditField field(*date_);
  state_.current.computeDate = GetDateField(field);
  reports_.Take(state_.current);
  options_.Take(state_.current, state_.useDescriptions);
  accept();
}

CPreviewSelection::CPreviewSelection(PreviewSelectionState& state, const CTDoc& doc, QWidget* parent)
    : QDialog(parent), state_(state) {
  Dress(this, QStringLiteral("Report Selection"), kHelpReportSelectionTopic);
  ExemptFromEnterAsTab(this);
  QGroupBox* dateGroup = nullptr;
  date_ = DateGroup(dateGroup, this);
  QGroupBox* reportsGroup =
      ReportGroup(QStringLiteral("Reports to Preview"), kSelectionBoxes, reports_, this);
  QPushButton* cancel = nullptr;
  QHBoxLayout* buttons = Buttons(start_, cancel, QStringLiteral("&Start"), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(dateGroup);
  layout->addWidget(reportsGroup);
  layout->addLayout(buttons);

  date_->setText(QString::fromStdString(FormatDate(IsDate(state.computeDate) ? state.computeDate : Today())));
  reports_.Show(state.switches);
  reports_.Disable(AvailableReports(doc));
  connect(start_, &QPushButton::clicked, this, &CPreviewSelection::Start);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CPreviewSelection::Start() {
  const DayNumber date = ReadPreviewDate(date_->text().toStdString());
  if (!IsDate(date)) {
    date_->setFocus();
    date_->selectAll();
    return;
  }
  state_.computeDate = date;
  reports_.Take(state_.switches);
  accept();
}

CReportSetup::CReportSetup(ReportSetupState& state, CTDoc* problem, QWidget* parent)
    : QDialog(parent), state_(state), problem_(problem) {
  Dress(this, QStringLiteral("Report Setup"), kHelpReportSetupTopic);
  ExemptFromEnterAsTab(this);
  QGroupBox* reportsGroup =
      ReportGroup(QStringLiteral("Default Report Selection"), kSetupBoxes, reports_, this);
  QVBoxLayout* right = options_.Build(
      {"&Descriptions ", "&Event name", "Use Description or Event name? ", "D&ate", "Fiscal Year End"}, this);
  QHBoxLayout* buttons = Buttons(ok_, cancel_, QStringLiteral("OK"), this);

  auto* columns = new QHBoxLayout;
  columns->addWidget(reportsGroup, 0, Qt::AlignTop);
  columns->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(buttons);

  reports_.Show(state.record);
  options_.Show(state.record, state.useDescriptions);

  for (QCheckBox* box : reports_.boxes) connect(box, &QCheckBox::clicked, this, [this] { modified_ = true; });
  for (QCheckBox* box :
       {options_.includeDate, options_.includeTime, options_.includeHeader, options_.includeFooter})
    connect(box, &QCheckBox::clicked, this, [this] { modified_ = true; });
  connect(options_.yearEnd, &QComboBox::activated, this, [this] { modified_ = true; });
  connect(options_.edit, &QPushButton::clicked, this, &CReportSetup::EditHeaders);
  connect(ok_, &QPushButton::clicked, this, &CReportSetup::Accept);
  connect(cancel_, &QPushButton::clicked, this, &CReportSetup::reject);
}

void CReportSetup::EditHeaders() {
  std::optional<ReportTexts> fileTexts;
  if (problem_ != nullptr && state_.problemRecord) fileTexts = TextsOf(*state_.problemRecord);
  HeadersModel model(TextsOf(state_.record), fileTexts);
  if (!RunHeaders(model, this)) return;
  SetTexts(state_.record, model.NewFileTexts());
  if (problem_ != nullptr && state_.problemRecord) {
    SetTexts(*state_.problemRecord, model.FileTexts());
    StoreReportTexts(*problem_, model.FileTexts());
  }
}

void CReportSetup::Accept() {
  reports_.Take(state_.record);
  options_.Take(state_.record, state_.useDescriptions);
  accept();
}

void CReportSetup::reject() {
  switch (AskSaveChanges(modified_)) {
    case CancelChoice::Save:
      Accept();
      break;
    case CancelChoice::Discard:
      QDialog::reject();
      break;
    case CancelChoice::Stay:
      break;
  }
}

CHeaders::CHeaders(HeadersModel& model, QWidget* parent) : QDialog(parent), model_(model) {
  Dress(this, QStringLiteral("Report Headers and Footers"), kHelpHeadersTopic);
  thisFile_ = new QRadioButton(QStringLiteral("Use text below for this file "));
  allFiles_ = new QRadioButton(QStringLiteral("Use text below for this file AND all new files"));
  auto* choice = new QGroupBox(QStringLiteral("Header and Footer text"), this);
  auto* choiceLayout = new QVBoxLayout(choice);
  thisFile_->setParent(choice);
  allFiles_->setParent(choice);
  choiceLayout->addWidget(thisFile_);
  choiceLayout->addWidget(allFiles_);

  static const char* const kNames[] = {"Header line 1", "Header line 2", "Header line 3", "Footer"};
  auto* header = new QGroupBox(QStringLiteral("Header text"), this);
  auto* headerLayout = new QVBoxLayout(header);
  auto* footer = new QGroupBox(QStringLiteral("Footer text"), this);
  auto* footerLayout = new QVBoxLayout(footer);
  for (int i = 0; i < 4; ++i) {
    auto* field = new CTEdit(CellMode::Text, i < 3 ? header : footer);
    field->setMaxLength(kHeaderFieldMax);
    RefuseTextTheFileCannotStore(*field);
    field->setAccessibleName(QString::fromLatin1(kNames[i]));
    constexpr int kShownCharacters = 70;  // longer texts scroll in their field
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * kShownCharacters + 12);
    (i < 3 ? headerLayout : footerLayout)->addWidget(field);
    fields_[static_cast<size_t>(i)] = field;
    connect(field, &QLineEdit::textEdited, this,
            [this, i](const QString& text) { model_.SetField(i, text.toStdString()); });
    connect(field, &CTEdit::command, this, [this](int id, QWidget*) {
      if (id == kCmdUp) focusPreviousChild();
      if (id == kCmdDown) focusNextChild();
    });
  }
  QPushButton* cancel = nullptr;
  QHBoxLayout* buttons = Buttons(ok_, cancel, QStringLiteral("OK"), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(choice);
  layout->addWidget(header);
  layout->addWidget(footer);
  layout->addLayout(buttons);

  thisFile_->setEnabled(model.HasProblem());
  (model.AllNewFiles() ? allFiles_ : thisFile_)->setChecked(true);
  ShowFields();
  connect(thisFile_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Choose(false);
  });
  connect(allFiles_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Choose(true);
  });
  connect(ok_, &QPushButton::clicked, this, [this] {
    model_.Accept();
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &CHeaders::reject);
  initialising_ = false;
}

void CHeaders::ShowFields() {
  for (size_t i = 0; i < fields_.size(); ++i) fields_[i]->setText(QString::fromStdString(model_.Fields()[i]));
}

void CHeaders::Choose(bool allFiles) {
  if (initialising_) return;
  model_.Choose(allFiles);
  ShowFields();
}

void CHeaders::reject() {
  switch (AskSaveChanges(model_.Modified())) {
    case CancelChoice::Save:
      model_.Accept();
      accept();
      break;
    case CancelChoice::Discard:
      QDialog::reject();
      break;
    case CancelChoice::Stay:
      break;
  }
}

bool RunHeaders(HeadersModel& model, QWidget* parent) {
  CHeaders dialog(model, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace zarvic
