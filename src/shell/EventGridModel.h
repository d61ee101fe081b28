#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "problem/CTDoc.h"

namespace zarvic {

// The columns of the event grid; column 0 is the row number, which selects whole rows.
enum GridColumn : int {
  kGridRowNumber = 0,
  kGridType = 1,
  kGridDate = 2,
  kGridAmount = 3,
  kGridDescription = 4,
};

// Where the keyboard is in a problem window: the taxpayer name, the taxpayer ID, or a grid cell.
struct GridPlace {
  enum class Field { None, Name, Id, Cell };
  Field field = Field::None;
  int row = 0;
  int column = 0;

  static GridPlace Name() { return {Field::Name, 0, 0}; }
  static GridPlace Id() { return {Field::Id, 0, 0}; }
  static GridPlace Cell(int row, int column) { return {Field::Cell, row, column}; }
  bool IsCell() const { return field == Field::Cell; }
  bool operator==(const GridPlace&) const = default;
};

// A key's move: where to go, or a beep and nowhere.
struct GridMove {
  GridPlace to;
  bool beep = false;
};

// What storing an editor's text did. Messages are string ids for the view to show once the focus
// has settled, in this order; returnTo is the cell to go back to, with returnText in its editor.
struct GridCommit {
  bool changed = false;
  std::vector<int> messages;
  bool returnToCell = false;
  std::string returnText;
  int allocateEvent = -1;  // the payment whose allocation window should open
};

// The rules of the problem window's event grid, without widgets: which row shows which event and
// with what texts, where each key goes, the row selection, storing the editors' texts with their
// checks, Delete Line and the one-event Undo (the problem's held event). The view keeps the widgets
// in step with it.
class EventGridModel {
 public:
  static constexpr int kMaxRows = kMaxEvents;
  // Amounts beyond this many cents do not fit the grid's figures.
  static constexpr double kLargestAmount = 999999999999.9;
  static constexpr int kDateTextLimit = 10;
  static constexpr int kAmountTextLimit = 28;
  static constexpr int kDescriptionLimit = 28;
  // What the problem file keeps of the taxpayer name and ID.
  static constexpr int kNameLimit = 59;
  static constexpr int kIdLimit = 11;

  explicit EventGridModel(CTDoc& doc) : doc_(&doc) {}

  CTDoc& Doc() const { return *doc_; }

  // Rows: one per event and the entry row after them (none when all slots are used).
  int EventCount() const { return doc_->EventCount(); }
  int RowCount() const;
  bool RowHasEvent(int row) const;  // a listed event (a dated slot)
  bool IsEntryRow(int row) const { return row == EventCount() && row < kMaxRows; }
  // With every slot used there is no entry row; the row where it would be says why.
  static constexpr int kNoEntryRowId = 21253;
  bool IsFullNoteRow(int row) const { return row == kMaxRows && EventCount() >= kMaxRows; }

  // The texts of one row as the grid shows them; the number only while the entry row is edited.
  struct RowTexts {
    std::string number, type, date, amount, description;
  };
  RowTexts Texts(int row, bool editing) const;
  // What an editor shows when it opens on the cell.
  std::string EditorText(int row, int column) const;
  // The type the type list shows on a row: the slot's type, Payment for a free slot.
  std::uint16_t EditorType(int row) const;
  static bool SkipsAmount(std::uint16_t type);  // suspend and resume interest have no amount

  // Scrolling.
  int TopRow() const { return topRow_; }
  int VisibleRows() const { return visibleRows_; }
  void SetVisibleRows(int rows);
  int ScrollMax() const;
  void ScrollTo(int top);  // kept within 0..ScrollMax
  void EnsureVisible(int row);

  // The column the editor of (row, column) really opens in: no amount on suspend and resume rows,
  // only date and type on a row without an event, and only the type until the entry row has a type.
  int ResolveColumn(int row, int column) const;

  // The current place (the last cell activated, or a heading field).
  const GridPlace& Current() const { return current_; }
  void SetCurrent(const GridPlace& place) { current_ = place; }
  int CurrentEvent() const;  // the event on the current row; -1 on the entry row, in a heading field
  // "&Allocate a Payment..." acts on the current row: a payment, a deposit or a credit.
  bool CurrentEventIsAllocated() const;

  // Keys. Paging moves the scroll position as well.
  GridMove NextField(const GridPlace& from) const;
  GridMove PreviousField(const GridPlace& from) const;
  GridMove Up(const GridPlace& from) const;
  GridMove Down(const GridPlace& from) const;
  GridMove PageUp(const GridPlace& from);
  GridMove PageDown(const GridPlace& from);
  GridMove Home(const GridPlace& from) const;
  GridMove End(const GridPlace& from) const;

  // Whole-row selection from the row-number column, kept highest row first.
  void SelectRow(int row, bool shift, bool ctrl);
  void ClearSelection();
  const std::vector<int>& Selection() const { return selection_; }
  int Anchor() const { return anchor_; }
  bool IsSelected(int row) const;

  // Storing the editors. Each saves the event in the undo buffer before changing it and marks the
  // problem modified; the checks and the penalty rule give their messages in the result.
  GridCommit CommitType(int row, int code);
  GridCommit CommitDate(int row, std::string_view text);
  GridCommit CommitAmount(int row, std::string_view text);
  GridCommit CommitDescription(int row, std::string_view text);
  // The taxpayer name and ID (UTF-8); true when either changed.
  bool CommitTaxpayer(std::string_view name, std::string_view id);
  std::string TaxpayerName() const;
  std::string TaxpayerId() const;

  // Delete Line: the selected rows (highest first, the selection cleared), else the current row.
  // Returns the messages to show (20024 when an event the penalty records rest on went while
  // penalties were active: a tax, motivated tax or debit, a payment on or before the tax date).
  std::vector<int> DeleteLines();
  // Puts the held event back into its row, with the penalty records when its edit reset them; false
  // when there is nothing to undo.
  bool Undo();
  // The undo buffer no longer matches the slots (after a sort, a delete or an import).
  void ForgetUndo();

 private:
  void Hold(int row);
  // The penalty rule after an edit of one event, once it is stored: penalties reset with 20024 when
  // it changes what their records rest on (EditChangesPenaltyBasis); the records go into the undo
  // buffer with the event.
  void CheckPenalties(const CEvent& before, const CEvent& after, DayNumber taxDateBefore, GridCommit& result);
  GridCommit Finish(int row, const CEvent& before, DayNumber taxDateBefore, GridCommit result);

  CTDoc* doc_;
  int topRow_ = 0;
  int visibleRows_ = 1;
  GridPlace current_;
  std::vector<int> selection_;
  int anchor_ = -1;
};

}  // namespace zarvic
