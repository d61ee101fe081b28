#pragma once

#include <QWidget>

class QLabel;
class QTreeWidget;

namespace zarvic {

class CTDoc;

// Stands in for the event grid view inside a problem window until the grid itself is built: shows
// the problem's rate table, taxpayer and events, read-only, and repaints when its problem changes.
class ProblemViewPlaceholder : public QWidget {
  Q_OBJECT
 public:
  explicit ProblemViewPlaceholder(const CTDoc* problem, QWidget* parent = nullptr);

  void Refresh();
  // The index of the event on the current row (the commands that act on "this event" use it); -1 on
  // the entry row or with no row current.
  int CurrentEvent() const;
  void Detach() { problem_ = nullptr; }  // the problem is about to go

 private:
  const CTDoc* problem_;
  QLabel* table_;
  QLabel* name_;
  QLabel* id_;
  QTreeWidget* events_;
};

}  // namespace zarvic
