#include "worksheets/ui/WorksheetGridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTimer>

#include "core/UserInterface.h"

namespace zarvic {
namespace {

// Paints a placeholder in an empty cell (editing still starts from the cell's own, empty, text), and
// tells the view what is typed into a cell's editor as it is typed.
class CellDelegate : public QStyledItemDelegate {
 public:
  CellDelegate(const WorksheetGridView::Placeholder& placeholder, WorksheetGridView* view)
      : QStyledItemDelegate(view), placeholder_(placeholder), view_(view) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      QObject::connect(line, &QLineEdit::textEdited, view_,
                       [view = view_, row = index.row(), column = index.column()](const QString& text) {
                         emit view->cellEdited(row, column, text);
                       });
    }
    return editor;
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!placeholder_ || !option->text.isEmpty() || index.data(Qt::CheckStateRole).isValid()) return;
    option->text = placeholder_(index.row(), index.column());
    if (option->text.isEmpty()) return;
    option->features |= QStyleOptionViewItem::HasDisplay;
    const QColor grey = option->palette.color(QPalette::PlaceholderText);
    option->palette.setColor(QPalette::Text, grey);
    option->palette.setColor(QPalette::HighlightedText, grey);
  }

 private:
  const WorksheetGridView::Placeholder& placeholder_;
  WorksheetGridView* view_;
};

}  // namespace

WorksheetGridView::WorksheetGridView(WorksheetGrid& grid, QWidget* parent)
    : QTableWidget(parent), grid_(grid) {
  const auto& columns = grid_.Columns();
  setColumnCount(static_cast<int>(columns.size()));
  QStringList captions;
  for (const WorksheetColumn& c : columns) captions << QString::fromLatin1(c.caption);
  setHorizontalHeaderLabels(captions);
  verticalHeader()->setVisible(false);
  horizontalHeader()->setStretchLastSection(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::AllEditTriggers);
  setTabKeyNavigation(true);
  // Wide enough for a date or an amount with its thousands commas and cents.
  const int width = fontMetrics().horizontalAdvance(QStringLiteral("999,999,999.99")) + 16;
  for (int c = 0; c < columnCount(); ++c) {
    if (columns[static_cast<std::size_t>(c)].kind == WorksheetCellKind::Flag)
      horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    else
      setColumnWidth(c, width);
  }
  setItemDelegate(new CellDelegate(placeholder_, this));
  connect(this, &QTableWidget::itemChanged, this, &WorksheetGridView::Commit);
  Reload();
}

void WorksheetGridView::SetPlaceholder(Placeholder placeholder) {
  placeholder_ = std::move(placeholder);
  viewport()->update();
}

void WorksheetGridView::CommitEdit() {
  if (state() != QAbstractItemView::EditingState) return;
  if (QWidget* editor = indexWidget(currentIndex())) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void WorksheetGridView::Reload() {
  filling_ = true;
  setRowCount(grid_.RowCount() + 1);
  for (int row = 0; row < rowCount(); ++row) Fill(row);
  filling_ = false;
}

void WorksheetGridView::Fill(int row) {
  const auto& columns = grid_.Columns();
  for (int c = 0; c < columnCount(); ++c) {
    auto* item = new QTableWidgetItem;
    if (columns[static_cast<std::size_t>(c)].kind == WorksheetCellKind::Flag) {
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      const bool on = row < grid_.RowCount() && grid_.Row(row)[static_cast<std::size_t>(c)].flag;
      item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    } else {
      item->setText(QString::fromStdString(grid_.Text(row, c)));
      item->setTextAlignment(columns[static_cast<std::size_t>(c)].kind == WorksheetCellKind::Money
                                 ? Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter)
                                 : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    setItem(row, c, item);
  }
}

void WorksheetGridView::Commit(QTableWidgetItem* item) {
  if (filling_ || item == nullptr) return;
  const int row = item->row();
  const int column = item->column();
  const bool flag = grid_.Columns()[static_cast<std::size_t>(column)].kind == WorksheetCellKind::Flag;
  bool changed = false;
  int message = 0;
  if (flag) {
    changed = grid_.SetFlag(row, column, item->checkState() == Qt::Checked);
    if (!changed && row >= grid_.RowCount() && item->checkState() == Qt::Checked) message = kGridFullId;
  } else {
    const WorksheetGrid::Commit commit = grid_.Set(row, column, item->text().toStdString());
    changed = commit.changed;
    message = commit.messageId;
  }
  // The cells show what the grid holds: the typed text in its own form, or what the cell held.
  const int rowsBefore = rowCount();
  filling_ = true;
  if (grid_.RowCount() + 1 != rowsBefore) setRowCount(grid_.RowCount() + 1);
  Fill(row);
  if (row + 1 < rowCount()) Fill(row + 1);
  filling_ = false;
  if (message != 0) {
    MessageBoxId(message);
    // Back into the cell once the message is gone, as every field of the program does.
    QTimer::singleShot(0, this, [this, row, column] {
      if (row < rowCount()) setCurrentCell(row, column);
    });
  }
  if (changed) emit this->changed();
}

void WorksheetGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTableWidget::closeEditor(editor, hint);
  emit editEnded();
}

void WorksheetGridView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState) {
    const int row = currentRow();
    if (row >= 0 && row < grid_.RowCount()) {
      grid_.RemoveRow(row);
      Reload();
      setCurrentCell(std::min(row, rowCount() - 1), std::max(currentColumn(), 0));
      emit changed();
    }
    return;
  }
  QTableWidget::keyPressEvent(event);
}

}  // namespace zarvic
