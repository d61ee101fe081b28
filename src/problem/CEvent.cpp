#include "problem/CEvent.h"

#include "core/LittleEndian.h"

namespace zarvic {

static_assert(2 + 2 + 8 + 8 + 4 + 8 + 4 + 4 + 2 == kEventRecordBytes);
static_assert(EventDescription::kMaxLength == 40);

CEvent::CEvent(const CEvent& other)
    : m_type(other.m_type),
      m_date(other.m_date),
      m_amount(other.m_amount),
      m_gattAmount(other.m_gattAmount),
      m_allocation(other.m_allocation ? std::make_unique<AllocationRecord>(*other.m_allocation) : nullptr),
      m_balof(other.m_balof),
      m_description(other.m_description),
      m_reserved(other.m_reserved),
      m_tag(other.m_tag) {}

CEvent& CEvent::operator=(const CEvent& other) {
  if (this != &other) {
    CEvent copy(other);
    *this = std::move(copy);
  }
  return *this;
}

void CEvent::Clear() {
  *this = CEvent{};
}

AllocationRecord& CEvent::Allocation(std::string_view defaultLetters) {
  if (!m_allocation)
    m_allocation = std::make_unique<AllocationRecord>(AllocationRecord::Fresh(defaultLetters));
  return *m_allocation;
}

void EncodeEventRecord(const EventRecord& record, std::span<std::uint8_t, kEventRecordBytes> out) {
  ByteWriter w(out);
  w.U16(record.type);
  w.U16(record.date);
  w.F64(record.amount);
  w.F64(record.gattAmount);
  w.U32(record.allocationRef);
  w.F64(record.balof);
  w.U32(record.descriptionMarker);
  w.Bytes(record.reserved);
  w.U16(record.checksum);
}

EventRecord DecodeEventRecord(std::span<const std::uint8_t, kEventRecordBytes> in) {
  ByteReader r(in);
  EventRecord record;
  record.type = r.U16();
  record.date = r.U16();
  record.amount = r.F64();
  record.gattAmount = r.F64();
  record.allocationRef = r.U32();
  record.balof = r.F64();
  record.descriptionMarker = r.U32();
  r.Bytes(record.reserved);
  record.checksum = r.U16();
  return record;
}

EventRecord EventImage(const CEvent& event) {
  EventRecord record;
  record.type = event.m_type;
  record.date = event.m_date;
  record.amount = event.m_amount;
  record.gattAmount = event.m_gattAmount;
  record.balof = event.m_balof;
  record.descriptionMarker = event.HasDescription() ? 1 : 0;
  record.reserved = event.m_reserved;
  record.checksum = event.m_tag;
  return record;
}

void ApplyEventImage(const EventRecord& record, CEvent& event) {
  event.m_type = record.type;
  event.m_date = record.date;
  event.m_amount = record.amount;
  event.m_gattAmount = record.gattAmount;
  event.m_balof = record.balof;
  event.m_reserved = record.reserved;
  event.m_tag = record.checksum;
}

}  // namespace zarvic
