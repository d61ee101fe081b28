#include "shell/ui/CZrvChildView.h"

#include <QCloseEvent>
#include <QResizeEvent>

#include "problem/DocumentManager.h"
#include "shell/ui/CTView.h"
#include "shell/ui/ToolbarIcons.h"

namespace zarvic {

CZrvChildView::CZrvChildView(DocumentManager& documents, ProblemDocument& doc, QWidget* parent)
    : QMdiSubWindow(parent), documents_(documents), doc_(&doc), view_(new CTView(&doc.problem)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWidget(view_);
  setMinimumSize(kMinWidth, kMinHeight);
  setWindowIcon(ProgramIcon(16));
  UpdateTitle();
}

void CZrvChildView::UpdateTitle() {
  if (doc_ != nullptr) setWindowTitle(QString::fromStdString(doc_->title));
}

void CZrvChildView::DocumentRemoved() {
  doc_ = nullptr;
  view_->Detach();
  if (!closing_) close();
}

void CZrvChildView::resizeEvent(QResizeEvent* event) {
  // The cell being edited is stored before the grid's rows and editors move under it. Only a window
  // the person sees can hold an edit; the first sizing of a new window has none.
  if (doc_ != nullptr && isVisible() && event->oldSize().isValid()) view_->CommitEdits();
  QMdiSubWindow::resizeEvent(event);
}

void CZrvChildView::closeEvent(QCloseEvent* event) {
  if (doc_ == nullptr) {
    QMdiSubWindow::closeEvent(event);
    return;
  }
  closing_ = true;
  const bool closed = documents_.CloseDocument(*doc_);  // removes the problem when it may go
  closing_ = false;
  if (!closed) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}

}  // namespace zarvic
