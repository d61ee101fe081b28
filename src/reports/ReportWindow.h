#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zarvic {

// The rules of the report window that are not about widgets.

inline constexpr int kReportFontDefault = 12;
inline constexpr int kReportFontStep = 2;
// "&Reduce Font" works from 5 up, "&Enlarge Font" below 50; otherwise the size stays.
inline int SmallerReportFont(int size) {
  return size >= 5 ? size - kReportFontStep : size;
}
inline int LargerReportFont(int size) {
  return size < 50 ? size + kReportFontStep : size;
}

// How the window was closed: what the view does next.
enum class ReportCloseCode { Closed = 0, Print = 1, Preview = 2 };

// The report file's lines as the window shows them: one blank of margin before each.
inline std::vector<std::string> WithMargin(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  out.reserve(lines.size());
  for (const auto& line : lines) out.push_back(" " + line);
  return out;
}

}  // namespace zarvic
