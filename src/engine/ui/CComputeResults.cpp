#include "engine/ui/CComputeResults.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "core/FieldRules.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "ratetables/ui/CRateTableNotes.h"
#include "reports/ui/ReportCommands.h"
#include "shell/HelpTopics.h"
#include "shell/StartUp.h"
#include "shell/ui/ControlSupport.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

constexpr int kNoEventsId = 20028;
constexpr char kNotesText[] =
    "There is important calculation information associated with the state you are dealing with.  Please "
    "click the \"View Notes\" button for details.";
constexpr char kGattQuestion[] = "Switch to GATT diagnostic mode?";

// The Interest and Penalty Detail in the report window, and the table's notes read-only; tests put
// their own in their place.
CComputeResults::ProblemAction& ReportAction() {
  static CComputeResults::ProblemAction action = [](CTDoc& doc, QWidget* parent) { OpenDetailReport(parent, doc); };
  return action;
}

CComputeResults::ProblemAction& ViewNotesAction() {
  static CComputeResults::ProblemAction action = [](CTDoc& doc, QWidget* parent) {
    ShowTableNotes(parent, doc.m_rateTable, false);
  };
  return action;
}

}  // namespace

CComputeResults::ProblemAction CComputeResults::SetReportAction(ProblemAction action) {
  return std::exchange(ReportAction(), std::move(action));
}

CComputeResults::ProblemAction CComputeResults::SetViewNotesAction(ProblemAction action) {
  return std::exchange(ViewNotesAction(), std::move(action));
}

CComputeResults::CComputeResults(CTDoc& doc, QWidget* anchor, QWidget* parent)
    : QDialog(parent), doc_(doc), anchor_(anchor), model_(doc) {
  setWindowTitle(QStringLiteral("Compute Results"));
  SetHelpTopic(this, kHelpComputeResultsTopic);
  auto* layout = new QVBoxLayout(this);

  auto* dateRow = new QHBoxLayout;
  auto* dateLabel = new QLabel(QStringLiteral("Compute &date:"), this);
  date_ = new QLineEdit(this);
  date_->setAccessibleName(QStringLiteral("Compute date"));
  date_->setMaxLength(DateFieldLimit());
  dateLabel->setBuddy(date_);
  recompute_ = new QPushButton(QStringLiteral("R&ecompute"), this);
  dateRow->addWidget(dateLabel);
  dateRow->addWidget(date_);
  dateRow->addWidget(recompute_);
  dateRow->addStretch();
  layout->addLayout(dateRow);

  auto* rows = new QGridLayout;
  rows->setHorizontalSpacing(24);
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics metrics(font());
  const int valueWidth = metrics.horizontalAdvance(QStringLiteral("<999,999,999,999.99>")) + 8;
  int line = 0;
  for (int row = 0; row < kResultRows; ++row) {
    if (static_cast<ResultRow>(row) == ResultRow::Total) {
      auto* rule = new QFrame(this);
      rule->setFrameShape(QFrame::HLine);
      rule->setFrameShadow(QFrame::Plain);
      rule->setLineWidth(2);
      rows->addWidget(rule, line++, 0, 1, 2);
    }
    auto* label = new QLabel(QString::fromLatin1(ResultRowLabel(static_cast<ResultRow>(row))), this);
    label->setFont(bold);
    auto* value = new QLabel(this);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(valueWidth);
    value->setAccessibleName(label->text());
    values_[row] = value;
    rows->addWidget(label, line, 0);
    rows->addWidget(value, line++, 1);
  }
  layout->addLayout(rows);

  notes_ = new QWidget(this);
  auto* notesLayout = new QHBoxLayout(notes_);
  notesLayout->setContentsMargins(0, 0, 0, 0);
  auto* notesText = new QLabel(QString::fromLatin1(kNotesText), notes_);
  notesText->setWordWrap(true);
  auto* viewNotes = new QPushButton(QStringLiteral("&View Notes"), notes_);
  viewNotes->setEnabled(static_cast<bool>(ViewNotesAction()));
  notesLayout->addWidget(notesText, 1);
  notesLayout->addWidget(viewNotes, 0, Qt::AlignTop);
  layout->addWidget(notes_);
  // Only a table with notes has something to tell here.
  notes_->setVisible(!doc_.m_rateTable.notes.empty());

  auto* buttons = new QHBoxLayout;
  report_ = new QPushButton(QStringLiteral("&Report..."), this);
  close_ = new QPushButton(QStringLiteral("&Close"), this);
  report_->setEnabled(false);
  buttons->addStretch();
  buttons->addWidget(report_);
  buttons->addWidget(close_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  close_->setDefault(true);
  recompute_->setAutoDefault(false);
  report_->setAutoDefault(false);
  viewNotes->setAutoDefault(false);

  connect(recompute_, &QPushButton::clicked, this, &CComputeResults::Recompute);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  connect(date_, &QLineEdit::textEdited, this, &CComputeResults::DateEdited);
  connect(report_, &QPushButton::clicked, this, [this] {
    accept();
    if (ReportAction()) ReportAction()(doc_, parentWidget());
  });
  connect(viewNotes, &QPushButton::clicked, this, [this] {
    if (ViewNotesAction()) ViewNotesAction()(doc_, this);
  });

  LineEditField field(*date_);
  SetDateField(field, model_.ComputeDate());
  date_->installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

CComputeResults::~CComputeResults() = default;

void CComputeResults::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (placed_) return;
  placed_ = true;
  PlaceWindow();
  // Computed once the window stands on the screen at its full size: a caution of the first
  // computation then opens over the finished window instead of inside its showing.
  QMetaObject::invokeMethod(this, &CComputeResults::Recompute, Qt::QueuedConnection);
}

void CComputeResults::PlaceWindow() {
  adjustSize();
  QPoint at(GetIntSetting(SettingId::ComputeX), GetIntSetting(SettingId::ComputeY));
  if (at.x() < 0 || at.y() < 0) {
    // Beside the problem window, else beside the main window.
    QWidget* beside = anchor_ != nullptr ? anchor_ : parentWidget();
    at = beside != nullptr ? beside->mapToGlobal(QPoint(beside->width(), 0)) : QPoint(0, 0);
  }
  QScreen* screen = QGuiApplication::screenAt(at);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    // A position remembered on a larger or another screen still shows the whole window.
    const QRect area = screen->availableGeometry();
    const QSize size = frameGeometry().size().expandedTo(sizeHint());
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - size.width())));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
  }
  move(at);
}

void CComputeResults::done(int result) {
  if (placed_) {
    WriteIntSetting(SettingId::ComputeX, pos().x());
    WriteIntSetting(SettingId::ComputeY, pos().y());
  }
  QDialog::done(result);
}

void CComputeResults::Recompute() {
  LineEditField field(*date_);
  NormalizeDateField(field);
  const bool ok = model_.Recompute(GetDateField(field));
  appliedText_ = date_->text();
  ShowValues();
  close_->setDefault(true);
  recompute_->setDefault(false);
  report_->setEnabled(static_cast<bool>(ReportAction()));
  if (!ok) date_->setFocus(Qt::OtherFocusReason);
}

void CComputeResults::ShowValues() {
  // Plain values stand one ">" to the left, so that their digits line up with bracketed ones.
  const int shift = QFontMetrics(font()).horizontalAdvance(QLatin1Char('>'));
  for (int row = 0; row < kResultRows; ++row) {
    const QString text = QString::fromStdString(model_.Text(static_cast<ResultRow>(row)));
    values_[row]->setText(text);
    values_[row]->setContentsMargins(0, 0, text.endsWith(QLatin1Char('>')) ? 0 : shift, 0);
  }
}

void CComputeResults::DateEdited() {
  report_->setEnabled(false);
  close_->setDefault(false);
  recompute_->setDefault(true);
}

void CComputeResults::DateLeft() {
  if (!isVisible()) return;  // left by closing the window
  LineEditField field(*date_);
  NormalizeDateField(field);
  if (date_->text() != appliedText_ || GetDateField(field) != doc_.m_computeDate) Recompute();
}

void CComputeResults::AskGattDiagnostic() {
  Modes().gattDiagnostic = MessageBoxText(kGattQuestion, MessageKind::YesNo) == Answer::Yes;
}

bool CComputeResults::eventFilter(QObject* watched, QEvent* event) {
  if (watched == date_ && event->type() == QEvent::FocusOut &&
      LeavesField(static_cast<QFocusEvent*>(event))) {
    // After the focus change, so that a message never opens inside it.
    QMetaObject::invokeMethod(this, &CComputeResults::DateLeft, Qt::QueuedConnection);
  }
  if (event->type() == QEvent::MouseButtonDblClick &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    AskGattDiagnostic();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CComputeResults::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    AskGattDiagnostic();
    return;
  }
  QDialog::mouseDoubleClickEvent(event);
}

void ShowComputeResults(CTDoc& doc, QWidget* anchor) {
  if (!doc.m_events[0].HasDate()) {
    MessageBoxId(kNoEventsId);
    return;
  }
  CComputeResults dialog(doc, anchor, anchor != nullptr ? anchor->window() : nullptr);
  dialog.exec();
}

}  // namespace zarvic
