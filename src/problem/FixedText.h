#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zarvic {

// A text field of a stored record: N single-byte characters, zero-terminated and zero-padded. The bytes
// are kept as read, so a record written back is the record that was read.
template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t kWidth = N;
  static constexpr std::size_t kMaxLength = N - 1;  // room for the terminating zero

  FixedText() = default;
  explicit FixedText(std::string_view text) { SetText(text); }

  // Up to the first zero byte; a field that fills its whole width (never written by this program)
  // reads as all N bytes.
  std::string_view View() const {
    auto end = std::find(bytes_.begin(), bytes_.end(), '\0');
    return std::string_view(bytes_.data(), static_cast<std::size_t>(end - bytes_.begin()));
  }
  std::string Text() const { return std::string(View()); }
  bool Empty() const { return bytes_[0] == '\0'; }

  // Longer texts are cut to kMaxLength characters; the rest of the field is zeroed.
  void SetText(std::string_view text) {
    bytes_.fill('\0');
    std::copy_n(text.begin(), std::min(text.size(), kMaxLength), bytes_.begin());
  }
  void Clear() { bytes_.fill('\0'); }

  std::array<char, N>& Bytes() { return bytes_; }
  const std::array<char, N>& Bytes() const { return bytes_; }

  bool operator==(const FixedText&) const = default;

 private:
  std::array<char, N> bytes_{};
};

}  // namespace zarvic
