#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace zarvic {

inline constexpr int kAllocationCategories = 50;
inline constexpr std::size_t kAllocationRecordBytes = 852;

// The IRS default order (Rev. Proc. 84-58): tax A, motivated tax B, penalties C, interest and penalty
// interest D, motivated interest E. Also the built-in value of "Default Payment Allocation".
inline constexpr std::string_view kBuiltInAllocationLetters =
    "ADBECDCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC";
static_assert(kBuiltInAllocationLetters.size() == kAllocationCategories);

// How one payment, deposit or credit is split over the 50 allocation categories. Stored as 852 bytes:
// f64 m_payment[50] at 0, f64 m_specific[50] at 400, char m_priority[50] at 800, 2 zero bytes at 850.
struct AllocationRecord {
  std::array<double, kAllocationCategories> m_payment{};   // cents applied by the last allocation run
  std::array<double, kAllocationCategories> m_specific{};  // cents the user designated; 0 = none
  // Compared as signed 8-bit codes, smallest first; NUL sorts before "A", 127 marks a served category.
  std::array<char, kAllocationCategories> m_priority{};

  // A new record: amounts zero, letters copied from the default allocation string (at most 50; the
  // positions beyond its length stay NUL).
  static AllocationRecord Fresh(std::string_view defaultLetters = kBuiltInAllocationLetters);

  void SetPriorities(std::string_view letters);
  double AppliedTotal() const;  // sum of the 50 applied amounts

  bool operator==(const AllocationRecord&) const = default;
};

void EncodeAllocationRecord(const AllocationRecord& record,
                            std::span<std::uint8_t, kAllocationRecordBytes> out);
AllocationRecord DecodeAllocationRecord(std::span<const std::uint8_t, kAllocationRecordBytes> in);

}  // namespace zarvic
