#include "shell/WindowPlacement.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "core/Text.h"

namespace zarvic {

std::optional<WindowPlacement> ParseWindowPos(const std::string& text) {
  std::vector<long> numbers;
  std::size_t start = 0;
  while (true) {
    std::size_t comma = text.find(',', start);
    std::string field = Trim(std::string_view(text).substr(start, comma == std::string::npos ? comma : comma - start));
    if (field.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(field.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || value < INT_MIN || value > static_cast<long>(UINT_MAX)) return std::nullopt;
    numbers.push_back(value);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (numbers.size() != 10) return std::nullopt;
  for (std::size_t i = 2; i < numbers.size(); ++i) {
    if (numbers[i] > INT_MAX) return std::nullopt;
  }
  if (numbers[0] < 0 || numbers[1] < 0) return std::nullopt;
  // A rectangle without area, or wider than a number holds, places no window.
  for (std::size_t low : {std::size_t{6}, std::size_t{7}}) {
    long extent = numbers[low + 2] - numbers[low];
    if (extent <= 0 || extent > INT_MAX) return std::nullopt;
  }
  WindowPlacement p;
  p.flags = static_cast<unsigned>(numbers[0]);
  p.showCommand = static_cast<unsigned>(numbers[1]);
  p.minX = static_cast<int>(numbers[2]);
  p.minY = static_cast<int>(numbers[3]);
  p.maxX = static_cast<int>(numbers[4]);
  p.maxY = static_cast<int>(numbers[5]);
  p.left = static_cast<int>(numbers[6]);
  p.top = static_cast<int>(numbers[7]);
  p.right = static_cast<int>(numbers[8]);
  p.bottom = static_cast<int>(numbers[9]);
  return p;
}

ScreenRect FirstStartFrame(const ScreenRect& available, int minWidth, int minHeight) {
  ScreenRect frame;
  frame.width = std::min(available.width, std::max(minWidth, available.width * 9 / 10));
  frame.height = std::min(available.height, std::max(minHeight, available.height * 9 / 10));
  frame.x = available.x + (available.width - frame.width) / 2;
  frame.y = available.y + (available.height - frame.height) / 2;
  return frame;
}

ScreenRect CascadedProblemWindow(int width, int height, int open, int minWidth, int minHeight) {
  constexpr int kRoom = kCascadeStep * kCascadeRoom;
  ScreenRect window;
  window.width = std::max(0, std::min(width, std::max(minWidth, width - kRoom)));
  window.height = std::max(0, std::min(height, std::max(minHeight, height - kRoom)));
  // Positions that keep the whole window inside: the corner, then one step down and right each.
  const int steps =
      1 + std::min((width - window.width) / kCascadeStep, (height - window.height) / kCascadeStep);
  const int offset = (std::max(0, open) % steps) * kCascadeStep;
  window.x = offset;
  window.y = offset;
  return window;
}

std::string FormatWindowPos(const WindowPlacement& p) {
  return StringPrintf("%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", p.flags, p.showCommand, p.minX, p.minY, p.maxX, p.maxY,
                      p.left, p.top, p.right, p.bottom);
}

}  // namespace zarvic
