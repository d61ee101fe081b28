#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "allocation/AllocationRecord.h"
#include "core/Dates.h"
#include "problem/EventTypes.h"
#include "problem/FixedText.h"

namespace zarvic {

inline constexpr std::size_t kEventRecordBytes = 42;       // 21 words
inline constexpr std::size_t kEventDescriptionBytes = 41;  // at most 40 characters
using EventDescription = FixedText<kEventDescriptionBytes>;

// One dated event of a problem. The allocation record (types 2, 3, 8) and the description are owned by
// the event: copying an event copies them, clearing or destroying it releases them. The 42-byte stored
// image is EventRecord below.
class CEvent {
 public:
  std::uint16_t m_type = kEventFree;
  DayNumber m_date = NO_DATE;  // NO_DATE ends the list
  double m_amount = 0.0;       // cents, entered positive; the type decides the direction
  double m_gattAmount = 0.0;   // IRS check: the part that reduces the high-rate (non-GATT) portion
  std::unique_ptr<AllocationRecord> m_allocation;
  double m_balof = 0.0;  // unallocated remainder (payments) or unpaid remainder (charges)
  std::optional<EventDescription> m_description;
  std::array<std::uint8_t, 4> m_reserved{};
  std::uint16_t m_tag = 0;  // the checksum in the file; SortEvents' scratch mark in memory

  CEvent() = default;
  CEvent(const CEvent& other);
  CEvent& operator=(const CEvent& other);
  CEvent(CEvent&&) noexcept = default;
  CEvent& operator=(CEvent&&) noexcept = default;
  ~CEvent() = default;

  bool HasDate() const { return IsDate(m_date); }
  // Back to a free slot: type 0xFFFF, no date, amounts 0, no allocation and no description.
  void Clear();

  // The allocation record, created with the given default letters when first needed.
  AllocationRecord& Allocation(std::string_view defaultLetters = kBuiltInAllocationLetters);

  bool HasDescription() const { return m_description.has_value(); }
  std::string DescriptionText() const { return m_description ? m_description->Text() : std::string(); }
  // Gives the event a description (possibly empty), cut to 40 characters.
  void SetDescription(std::string_view text) { m_description.emplace(text); }
  void ClearDescription() { m_description.reset(); }
};

// The stored 42-byte image of an event (the event record of the problem file):
// u16 type at 0, date at 2, f64 amount at 4, f64 GATT amount at 12, u32 allocation reference at 20,
// f64 balof at 24, u32 description marker at 32, 4 reserved bytes at 36, u16 checksum at 40.
struct EventRecord {
  std::uint16_t type = kEventFree;
  DayNumber date = NO_DATE;
  double amount = 0.0;
  double gattAmount = 0.0;
  std::uint32_t allocationRef = 0;  // meaningless in a file: written as 0, ignored on reading
  double balof = 0.0;
  std::uint32_t descriptionMarker = 0;  // non-zero: a 41-byte description follows
  std::array<std::uint8_t, 4> reserved{};
  std::uint16_t checksum = 0;

  bool operator==(const EventRecord&) const = default;
};

void EncodeEventRecord(const EventRecord& record, std::span<std::uint8_t, kEventRecordBytes> out);
EventRecord DecodeEventRecord(std::span<const std::uint8_t, kEventRecordBytes> in);

// The image of an event: allocation reference 0, description marker 1 when it has a description, and
// m_tag in the checksum word (the writer replaces it).
EventRecord EventImage(const CEvent& event);
// Takes the scalar fields of an image; the event's allocation and description are left alone.
void ApplyEventImage(const EventRecord& record, CEvent& event);

}  // namespace zarvic
