#include "shell/ui/ProblemViewPlaceholder.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

#include "core/Amounts.h"
#include "core/AppOptions.h"
#include "core/Dates.h"
#include "core/StringTable.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"

namespace zarvic {
namespace {

QString Str(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

QLabel* Caption(int stringId, QWidget* parent) { return new QLabel(Str(StringText(stringId)), parent); }

QLabel* Field(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setFrameShape(QFrame::StyledPanel);
  label->setFrameShadow(QFrame::Sunken);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

ProblemViewPlaceholder::ProblemViewPlaceholder(const CTDoc* problem, QWidget* parent)
    : QWidget(parent), problem_(problem), table_(Field(this)), name_(Field(this)), id_(Field(this)),
      events_(new QTreeWidget(this)) {
  setObjectName(QStringLiteral("CTView placeholder"));
  auto* layout = new QGridLayout(this);
  layout->addWidget(Caption(19110, this), 0, 0);  // "Table:"
  layout->addWidget(table_, 0, 1, 1, 3);
  layout->addWidget(Caption(19111, this), 1, 0);  // "Name:"
  layout->addWidget(name_, 1, 1);
  layout->addWidget(Caption(19112, this), 1, 2);  // "ID:"
  layout->addWidget(id_, 1, 3);
  layout->setColumnStretch(1, 3);
  layout->setColumnStretch(3, 1);
  events_->setRootIsDecorated(false);
  events_->setHeaderLabels({Str(StringText(19100)), Str(StringText(19101)), Str(StringText(19102)).trimmed(),
                            Str(StringText(19103))});
  events_->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
  events_->setColumnWidth(0, 145);
  events_->setColumnWidth(1, 90);
  events_->setColumnWidth(2, 110);
  events_->setAccessibleName(QStringLiteral("Events"));
  layout->addWidget(events_, 2, 0, 1, 4);
  Refresh();
}

int ProblemViewPlaceholder::CurrentEvent() const {
  const QTreeWidgetItem* item = events_->currentItem();
  return item == nullptr ? -1 : events_->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
}

void ProblemViewPlaceholder::Refresh() {
  events_->clear();
  if (problem_ == nullptr) return;
  const RateTable& table = problem_->m_rateTable;
  table_->setText(table.name.empty() ? QString() : Str(table.name) + QStringLiteral("  ") + Str(table.description));
  name_->setText(Str(problem_->m_header.m_taxpayerName.View()));
  id_->setText(Str(problem_->m_header.m_taxpayerId.View()));
  for (const CEvent& event : problem_->ListedEvents()) {
    auto* item = new QTreeWidgetItem(events_);
    item->setText(0, Str(GridTypeName(event.m_type)));
    item->setText(1, Str(FormatDate(event.m_date)));
    if (event.m_type != kEventStopInterest && event.m_type != kEventStartInterest) {
      item->setText(2, Str(FormatAmount(event.m_amount, true, false, false)));
    }
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(3, Str(event.DescriptionText()));
  }
}

}  // namespace zarvic
