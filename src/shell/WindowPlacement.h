#pragma once

#include <optional>
#include <string>

namespace zarvic {

// The main window's saved placement, "Settings"/"WindowPos": ten numbers joined by commas in the
// order below, written as "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d".
struct WindowPlacement {
  static constexpr unsigned kRestoreToMaximized = 2;  // flags: returns maximised from an icon
  static constexpr unsigned kShowNormal = 1;
  static constexpr unsigned kShowMinimized = 2;
  static constexpr unsigned kShowMaximized = 3;

  unsigned flags = 0;
  unsigned showCommand = kShowNormal;
  int minX = -1, minY = -1;  // position when minimised
  int maxX = -1, maxY = -1;  // position when maximised
  int left = 0, top = 0, right = 0, bottom = 0;  // the normal (restored) rectangle

  bool operator==(const WindowPlacement&) const = default;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // Shown maximised at start-up. A window that was closed minimised comes back as it was before
  // (maximised when its flags say so), never as an icon nobody sees.
  bool StartsMaximized() const {
    return showCommand == kShowMaximized || (showCommand == kShowMinimized && (flags & kRestoreToMaximized));
  }
};

// Exactly ten whole numbers separated by commas (blanks around them allowed), else nothing: a value
// with nine numbers, extra text or a normal rectangle without area is ignored.
std::optional<WindowPlacement> ParseWindowPos(const std::string& text);
std::string FormatWindowPos(const WindowPlacement& placement);

// A rectangle on the screen or in the workspace, in logical pixels.
struct ScreenRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const ScreenRect&) const = default;
};

// The main window on the first start (no stored placement): most of the screen's free area (nine
// tenths each way, at least the least size, never more than the area), centred on it.
ScreenRect FirstStartFrame(const ScreenRect& available, int minWidth, int minHeight);

// A new problem window in a workspace of width x height that already holds `open` problem windows: as
// large as leaves room for a few cascade steps, never narrower than minWidth (every grid column) nor
// lower than minHeight unless the workspace itself is smaller, and placed on the cascade from the
// top-left corner, starting over at the corner when the next step would stick out.
inline constexpr int kCascadeStep = 24;
inline constexpr int kCascadeRoom = 4;  // steps of room kept beside and below a new window
ScreenRect CascadedProblemWindow(int width, int height, int open, int minWidth, int minHeight);

// "DocWindowMax": "1" when the first problem window starts maximised.
inline bool DocWindowStartsMaximized(const std::string& value) { return value == "1"; }

}  // namespace zarvic
