#pragma once

#include <QMdiSubWindow>

namespace zarvic {

class DocumentManager;
struct ProblemDocument;
class CTView;

// The frame of one problem window inside the main window. Closing it asks the document manager, which
// puts the save question for a changed problem; the manager's removal of the problem closes it too.
class CZrvChildView : public QMdiSubWindow {
  Q_OBJECT
 public:
  static constexpr int kMinWidth = 600;
  static constexpr int kMinHeight = 235;

  CZrvChildView(DocumentManager& documents, ProblemDocument& doc, QWidget* parent = nullptr);

  ProblemDocument* Document() const { return doc_; }
  CTView* View() const { return view_; }
  // The title follows the problem's (after Save As or an open in place).
  void UpdateTitle();
  // Called while the manager removes the problem: the window goes with it.
  void DocumentRemoved();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  DocumentManager& documents_;
  ProblemDocument* doc_;
  CTView* view_;
  bool closing_ = false;
};

}  // namespace zarvic
