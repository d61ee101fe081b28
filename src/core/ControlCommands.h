#pragma once

namespace zarvic {

// Commands the program's controls send to the window that owns them. They are queued, so they run
// after the focus change or key press that raised them is over.
enum ControlCommand : int {
  kCmdPageUp = 32809,
  kCmdPageDown = 32810,
  kCmdUp = 32821,
  kCmdDown = 32822,
  kCmdNextField = 32781,
  kCmdPreviousField = 32782,
  kCmdHome = 32864,  // to the type cell of the row
  kCmdEnd = 32865,   // to the description cell of the row
  kCmdDeleteLine = 32786,
  kCmdCellChanging = 32833,       // the text of a table cell is being changed
  kCmdCellDateInvalid = 32834,    // the cell is passed along
  kCmdCellRateTooLarge = 32835,   // the cell is passed along
  kCmdCellDateAccepted = 32837,   // a valid or empty date
  kCmdCellRateMalformed = 32838,  // not a rate: the cell holds its old text again
  kCmdCellFocused = 32847,
  kCmdEditorClosed = 32866,  // a grid editor closed: redraw the rows
  kCmdFontSmaller = 32890,
  kCmdFontLarger = 32891,
  kCmdDateFieldLeft = 1512,  // a date field that asked to be told was left
};

// The navigation keys the controls look at, apart from the toolkit's key codes.
enum class NavKey { PageUp, PageDown, Up, Down, Left, Right, Home, End, Delete, Other };

// What a control does with a key: the command it sends (0: none), and whether the key then goes on
// to the control's own handling (moving the caret, changing the list's choice).
struct KeyRoute {
  int command = 0;
  bool passOn = true;
  bool operator==(const KeyRoute&) const = default;
};

enum class ControlKind {
  TableCell,     // table and header cells: paging and rows, then the key as usual
  GridEdit,      // the grid's date, amount and description editors
  GridTypeList,  // the grid's type list while it is closed (an open list takes every key)
  HeadingEdit,   // the taxpayer name and ID fields: Down goes to the grid
  KeyTrap,       // the hidden field that holds the focus while whole rows are selected
};

KeyRoute RouteKey(ControlKind kind, NavKey key);

}  // namespace zarvic
