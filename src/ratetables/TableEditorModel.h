#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/Dates.h"
#include "ratetables/RateTable.h"
#include "ratetables/TableFile.h"

namespace zarvic {

// The rules of the rate table editor ("Interest Rates"): a working copy of a table shown ten lines at a
// time, read back from the screen before every command, and the saved copy a problem takes over.

inline constexpr int kEditorRows = 10;
inline constexpr int kEditorMaxScroll = kMaxRateLines - kEditorRows;  // 490
inline constexpr int kTableNameLimit = 9;
// The description field admits what the table file keeps, so that opening and saving a table never
// cuts it.
inline constexpr std::size_t kTableDescriptionKept = tablefile::kDescriptionBytes - 1;
inline constexpr int kTableDescriptionLimit = static_cast<int>(kTableDescriptionKept);

// The computation mode list of a row, in its order, with the mode codes.
struct EditorChoice {
  const char* text;  // UTF-8
  std::uint16_t code;
};
inline constexpr std::array<EditorChoice, 4> kEditorModes = {{
    {"Old IRS Method", 0},
    {"Simple", 1},
    {"Daily", 2},
    {"Monthly + exact days", 3},
}};
inline constexpr int kEditorDefaultMode = 2;  // "Daily", selected when an empty list gets the focus
// The days-per-year list: 365, 366 and 365 1/4 (code 100).
inline constexpr std::array<EditorChoice, 3> kEditorDays = {{
    {"365", 365},
    {"366", 366},
    {"365\u00BC", 100},
}};

// What one row shows; a list's selection is its index, -1 for none.
struct EditorRow {
  std::string date;
  int mode = -1;
  std::string normal;
  std::string motivated;
  std::string refund;
  int days = -1;
  bool operator==(const EditorRow&) const = default;
};

// The fields of the dialog as they stand on screen.
struct EditorScreen {
  std::string name;
  std::string description;
  std::string endDate;
  std::array<EditorRow, kEditorRows> rows;
};

class TableEditorModel {
 public:
  // On a table, or on an empty one (nullptr). The saved copy starts as the working copy.
  explicit TableEditorModel(const RateTable* table);

  const RateTable& Working() const { return working_; }
  const RateTable& SavedCopy() const { return saved_; }
  bool Saved() const { return savedFlag_; }
  // The file the last successful Save wrote.
  const std::string& SavedPath() const { return savedPath_; }
  bool Changed() const { return changed_; }
  void MarkChanged() { changed_ = true; }
  int Scroll() const { return scroll_; }

  // The screen for the working copy at the scroll position (the name field shows the table's name).
  EditorScreen Show() const;
  EditorRow ShowRow(int row) const;

  // Takes the description, the end date and the visible rows off the screen into the working copy.
  void ReadBack(const EditorScreen& screen);

  // The opening position: the first line without a start date is visible (seven rows down where the
  // table allows); the row whose date gets the focus.
  void PositionForOpening();
  int FocusRow() const;

  // A new scroll position (kept within 0..490) after reading the screen back; the caller shows it.
  void ScrollTo(const EditorScreen& screen, int position);

  // The row (0..9) that last had the focus, -1 for none (Delete Line acts on it).
  void SetLastFocusedRow(int row) { lastRow_ = row; }
  int LastFocusedRow() const { return lastRow_; }

  // The days-per-year entry a row gets when a date is entered and its list is empty: 366 in years
  // divisible by four, else 365 (as an index of kEditorDays; -1 for no date).
  static int DefaultDaysFor(DayNumber date);

  // The commands. Each reads the screen back first; the caller shows the rows afterwards.
  enum class SaveOutcome { Saved, NoEndDate, EndBeforeLastLine, NotSaved };
  SaveOutcome Save(const EditorScreen& screen);
  void Sort(const EditorScreen& screen);
  // Asks 20012 about the last focused row; true when the line went.
  bool DeleteLine(const EditorScreen& screen);
  // "Save Changes?" before the working copy is replaced or the editor closes: false when the person
  // cancelled or the save did not happen (the editor stays as it is).
  bool MayDiscard(const EditorScreen& screen);
  // False when the person kept the editor; otherwise the working copy is empty at position 0.
  bool New(const EditorScreen& screen);
  // The table open dialog into the working copy; false when nothing changed. Positions as on opening.
  bool Browse(const EditorScreen& screen);
  // False when the editor stays open.
  bool Close(const EditorScreen& screen);

  // The notes of the working copy (the notes window stores edited notes here).
  void SetNotes(const std::string& notes);

 private:
  RateTable working_;
  RateTable saved_;
  bool savedFlag_ = false;
  std::string savedPath_;
  bool changed_ = false;
  int scroll_ = 0;
  int lastRow_ = -1;
};

}  // namespace zarvic
