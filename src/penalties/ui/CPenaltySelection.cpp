#include "penalties/ui/CPenaltySelection.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "penalties/PenaltyCatalog.h"
#include "penalties/ui/CSListBox.h"
#include "shell/HelpTopics.h"
#include "shell/ui/EnterAsTab.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

constexpr int kNameX = 30;  // the list names start right of the marks
constexpr int kColumnGap = 24;
constexpr int kHeadingGap = 10;

}  // namespace

CPenaltySelection::CPenaltySelection(CTDoc& doc, std::span<const int> list, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CPenaltySelection"));
  setWindowTitle(QStringLiteral("Penalty Selection"));
  SetHelpTopic(this, kHelpPenaltySelectionTopic);
  ExemptFromEnterAsTab(this);

  list_ = new CSListBox(doc, this);
  // The names keep clear of the heading "Active" in any font.
  const int nameX =
      std::max(kNameX, list_->fontMetrics().horizontalAdvance(QStringLiteral("Active")) + kHeadingGap);
  int nameWidth = 0;
  for (int k : list) {
    list_->AddPenalty(k);
    const std::string_view name = PenaltyInfoOf(k).listName;
    nameWidth = std::max(nameWidth, list_->fontMetrics().horizontalAdvance(
                                        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))));
  }
  const int sectionX = nameX + nameWidth + kColumnGap;
  list_->SetTextPositions(nameX, sectionX);
  if (list_->count() > 0) list_->setCurrentRow(0);

  // The headings sit over their columns: the list's frame is the only offset.
  auto* headings = new QWidget(this);
  const int frame = list_->frameWidth();
  auto place = [&](const QString& text, int x) {
    auto* label = new QLabel(text, headings);
    label->adjustSize();
    label->move(frame + x, 0);
    return label;
  };
  QLabel* active = place(QStringLiteral("Active"), 0);
  place(QStringLiteral("Penalty"), nameX);
  QLabel* section = place(QStringLiteral("IRC Section"), sectionX);
  headings->setFixedHeight(active->height());
  const int sectionWidth = list_->fontMetrics().horizontalAdvance(QStringLiteral("18684.2(a)(1)")) + kColumnGap;
  const int listWidth = std::max(sectionX + sectionWidth, section->x() + section->width()) + 2 * frame;
  headings->setMinimumWidth(listWidth);
  list_->setMinimumWidth(listWidth);
  const int rowHeight = list_->sizeHintForRow(0) > 0 ? list_->sizeHintForRow(0) : 18;
  list_->setFixedHeight(rowHeight * std::max(list_->count(), 1) + 2 * frame + 2);

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(headings);
  layout->addWidget(list_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  list_->setFocus();
}

}  // namespace zarvic
