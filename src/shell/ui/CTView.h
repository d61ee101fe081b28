#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "shell/EventGridModel.h"

class QGridLayout;
class QLabel;
class QPushButton;
class QScrollBar;

namespace zarvic {

enum class CommandId;
class CZrvChildView;
class CBasicEdit;
class CEditTrap;
class CSComboBox;
class CSEdit;
class CTDoc;
class EventGrid;
struct GridCommit;

// The view of one problem inside its window: the heading (rate table, its status, the taxpayer name
// and ID), the grid of events with its in-place editors and the entry row, and the bar of active
// penalties. The rules live in EventGridModel; this class places the editors, paints the visible
// rows only and turns keys and clicks into the model's moves.
class CTView : public QWidget {
  Q_OBJECT
 public:
  explicit CTView(CTDoc* problem, QWidget* parent = nullptr);
  ~CTView() override;

  // Repaints from the problem (headings, rows, scroll range, penalty bar); open editors stay open.
  void Refresh();
  void Detach();  // the problem is about to go
  // The index of the event on the current row (the commands that act on "this event" use it); -1 on
  // the entry row or with no row current.
  int CurrentEvent() const;
  // The current row holds a payment, a deposit or a credit ("&Allocate a Payment..." applies).
  bool CurrentEventIsAllocated() const;

  // Stores what the open editors and the taxpayer fields hold. False when an entry was refused: its
  // message and the return to its cell follow once the current event is over.
  bool CommitEdits();
  // Commits, scrolls the row into view and opens the editor of the column there (0 selects the row,
  // with Shift or Ctrl as given).
  void ActivateCell(int column, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

  // The commands of the problem window.
  void SortEvents();
  void DeleteLine();
  void Undo();
  void TogglePenaltyBar();
  bool PenaltyBarShown() const { return penaltyBarShown_; }
  void ExportCsv(const std::string& problemPath);
  void ImportCsv();

  // For the window tests and the screenshots.
  EventGridModel& Model() { return model_; }
  QWidget* Grid() const;
  QRect CellRect(int row, int column) const;  // in the grid's coordinates
  CBasicEdit* NameField() const { return name_; }
  CBasicEdit* IdField() const { return id_; }
  CSComboBox* TypeList() const { return typeList_; }
  CSEdit* Editor(int column) const;  // the date, amount or description editor
  static void ShowEditorText(CSEdit& editor, int column, const std::string& text);
  QWidget* PenaltyBar() const { return penaltyBar_; }
  QScrollBar* ScrollBar() const { return scrollBar_; }

 signals:
  // The rows or the current row changed.
  void currentChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  friend class EventGrid;

  QGridLayout* BuildHeading();
  void BuildPenaltyBar();
  void UpdateHeading();
  void GridChanged();
  void UpdatePenaltyBar();
  void UpdateScrollBar();
  void OnControlCommand(int id, QWidget* control);
  void OnGridClick(QPoint at, Qt::KeyboardModifiers modifiers);
  void OnScroll(int value);
  void MoveTo(const GridMove& move);
  void CancelEdits();
  void ParkFocus(QWidget* leaving);
  void AfterCommit(const GridCommit& result, int row, int column);
  void OpenAllocation(int row);
  void PlaceEditors();
  bool EditorOpen() const;

  CTDoc* doc_;
  EventGridModel model_;
  bool penaltyBarShown_;
  bool shownOnce_ = false;
  bool committing_ = false;

  QLabel* tableName_ = nullptr;
  QPushButton* notes_ = nullptr;
  QLabel* tableStatus_ = nullptr;
  CBasicEdit* name_ = nullptr;
  CBasicEdit* id_ = nullptr;
  EventGrid* grid_ = nullptr;
  QScrollBar* scrollBar_ = nullptr;
  QWidget* penaltyBar_ = nullptr;
  QLabel* penaltyHeading_ = nullptr;
  std::vector<QLabel*> penaltyLines_;

  CSComboBox* typeList_ = nullptr;
  CSEdit* dateEdit_ = nullptr;
  CSEdit* amountEdit_ = nullptr;
  CSEdit* descriptionEdit_ = nullptr;
  CEditTrap* trap_ = nullptr;
  // The editor open on a cell (column 1 to 4; 0 none) and its row: the one whose text the next
  // commit stores.
  int openColumn_ = 0;
  int openRow_ = 0;
};

// The main window's commands that the problem view carries out: Sort Events, Delete Line, Penalty
// Bar, and the CSV export and import.
void RunViewCommand(CZrvChildView& child, CommandId id);

}  // namespace zarvic
