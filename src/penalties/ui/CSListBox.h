#pragma once

#include <QListWidget>
#include <array>

#include "penalties/PenaltyRecord.h"

namespace zarvic {

class CTDoc;

// The penalty list of the Penalty Selection window, drawn by the program: each row the active mark
// (a box, crossed while the penalty is active), the list name at nameX and the section at sectionX.
// A click inside a mark or Space toggles that penalty (TogglePenalty); any other click only selects;
// a double-click or Enter opens the penalty's window (EditPenalty). Item data: the penalty index.
class CSListBox : public QListWidget {
  Q_OBJECT
 public:
  static constexpr int kMarkSize = 14;

  CSListBox(CTDoc& doc, QWidget* owner);

  void AddPenalty(int k);
  void SetTextPositions(int nameX, int sectionX);
  int NameX() const { return nameX_; }
  int SectionX() const { return sectionX_; }
  int PenaltyAt(int row) const;
  // Where the mark of penalty k was drawn last (empty before it is drawn).
  QRect MarkRect(int k) const { return markRect_[static_cast<std::size_t>(k)]; }

  void PaintItem(QPainter& painter, const QStyleOptionViewItem& option, const QModelIndex& index);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Both run after the click or key that asked for them: a penalty window may open.
  void ToggleLater(int k);
  void OpenLater(int k);

  CTDoc& doc_;
  int nameX_ = 30;
  int sectionX_ = 300;
  std::array<QRect, kPenaltyRecords> markRect_{};
};

}  // namespace zarvic
