#include "penalties/ui/CSListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "penalties/PenaltyCatalog.h"
#include "penalties/PenaltyModel.h"
#include "problem/CTDoc.h"
#include "shell/ui/ControlSupport.h"

namespace zarvic {
namespace {

class PenaltyItemDelegate : public QStyledItemDelegate {
 public:
  explicit PenaltyItemDelegate(CSListBox* list) : QStyledItemDelegate(list), list_(list) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    list_->PaintItem(*painter, option, index);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {list_->SectionX() + 120, std::max(option.fontMetrics.height(), CSListBox::kMarkSize + 2) + 2};
  }

 private:
  CSListBox* list_;
};

}  // namespace

CSListBox::CSListBox(CTDoc& doc, QWidget* owner) : QListWidget(owner), doc_(doc) {
  setItemDelegate(new PenaltyItemDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the window is as wide as the columns
  setAccessibleName(QStringLiteral("Penalties"));
}

void CSListBox::AddPenalty(int k) {
  auto* item = new QListWidgetItem(Utf8Text(PenaltyInfoOf(k).listName), this);
  item->setData(Qt::UserRole, k);
}

void CSListBox::SetTextPositions(int nameX, int sectionX) {
  nameX_ = nameX;
  sectionX_ = sectionX;
  viewport()->update();
}

int CSListBox::PenaltyAt(int row) const {
  const QListWidgetItem* it = item(row);
  return it != nullptr ? it->data(Qt::UserRole).toInt() : -1;
}

void CSListBox::PaintItem(QPainter& painter, const QStyleOptionViewItem& option, const QModelIndex& index) {
  const int k = index.data(Qt::UserRole).toInt();
  if (k < 0 || k >= kPenaltyRecords) return;
  const QRect r = option.rect;
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  painter.save();
  painter.fillRect(r, selected ? option.palette.highlight() : option.palette.base());
  painter.setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
  const QRect nameRect(r.left() + nameX_, r.top(), sectionX_ - nameX_ - 4, r.height());
  const QRect sectionRect(r.left() + sectionX_, r.top(), std::max(r.right() - r.left() - sectionX_, 0), r.height());
  painter.drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, index.data(Qt::DisplayRole).toString());
  painter.drawText(sectionRect, Qt::AlignLeft | Qt::AlignVCenter, Utf8Text(PenaltyInfoOf(k).section));

  // The mark: a white box with a frame, crossed while the penalty is active.
  const QRect mark(r.left() + 5, r.top() + 1, kMarkSize, kMarkSize);
  markRect_[static_cast<std::size_t>(k)] = mark;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(mark, Qt::white);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(mark.adjusted(0, 0, -1, -1));
  if (doc_.m_penalties[static_cast<std::size_t>(k)].IsActive()) {
    painter.setPen(QPen(Qt::black, 2));
    const QRect inner = mark.adjusted(3, 3, -4, -4);
    painter.drawLine(inner.topLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomLeft());
  }
  painter.restore();
}

void CSListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const QPoint at = event->position().toPoint();
    const QModelIndex index = indexAt(at);
    if (index.isValid()) {
      const int k = index.data(Qt::UserRole).toInt();
      if (k >= 0 && k < kPenaltyRecords && markRect_[static_cast<std::size_t>(k)].contains(at)) ToggleLater(k);
    }
  }
  QListWidget::mousePressEvent(event);  // the click also selects
}

void CSListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid()) {
    const int k = index.data(Qt::UserRole).toInt();
    // The first click of a double-click on a mark toggled already; the second does not open.
    if (!markRect_[static_cast<std::size_t>(k)].contains(event->position().toPoint())) OpenLater(k);
    event->accept();
    return;
  }
  QListWidget::mouseDoubleClickEvent(event);
}

void CSListBox::keyPressEvent(QKeyEvent* event) {
  const int k = PenaltyAt(currentRow());
  switch (event->key()) {
    case Qt::Key_Space:
      if (k >= 0) ToggleLater(k);
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (k >= 0) OpenLater(k);
      event->accept();
      return;
    default:
      QListWidget::keyPressEvent(event);
  }
}

void CSListBox::ToggleLater(int k) {
  QMetaObject::invokeMethod(
      this,
      [this, k] {
        TogglePenalty(doc_, k);
        viewport()->update();
      },
      Qt::QueuedConnection);
}

void CSListBox::OpenLater(int k) {
  QMetaObject::invokeMethod(
      this,
      [this, k] {
        EditPenalty(doc_, k);
        viewport()->update();
      },
      Qt::QueuedConnection);
}

}  // namespace zarvic
