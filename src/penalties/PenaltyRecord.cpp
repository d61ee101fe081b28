#include "penalties/PenaltyRecord.h"

#include "core/Amounts.h"
#include "core/LittleEndian.h"

namespace zarvic {

static_assert(kPenaltyDates * 2 + 2 + 2 + (kPenaltyAmounts + 1) * 8 + 2 + 8 + 2 == kPenaltyRecordBytes);

void PenaltyRecord::MakeNew() {
  std::uint16_t kept = static_cast<std::uint16_t>(m_flags & ~kPenaltyFreshMask);
  *this = PenaltyRecord{};
  m_flags = kept;
}

void PenaltyRecord::SetRate(double rate) {
  RoundToCents(rate);
  m_rate = rate;
}

void PenaltyRecord::SetFlag(PenaltyFlag flag, bool on) {
  m_flags = static_cast<std::uint16_t>(on ? (m_flags | flag) : (m_flags & ~flag));
}

void EncodePenaltyRecord(const PenaltyRecord& record, std::span<std::uint8_t, kPenaltyRecordBytes> out) {
  ByteWriter w(out);
  for (DayNumber d : record.m_dates) w.U16(d);
  w.U16(record.m_graceBits);
  w.U16(record.m_monthsCharged);
  for (double a : record.m_amounts) w.F64(a);
  w.F64(record.m_rate);
  w.U16(record.m_flags);
  w.Bytes(record.m_reserved);
  w.U16(record.m_reserved2);
}

PenaltyRecord DecodePenaltyRecord(std::span<const std::uint8_t, kPenaltyRecordBytes> in) {
  ByteReader r(in);
  PenaltyRecord record;
  for (DayNumber& d : record.m_dates) d = r.U16();
  record.m_graceBits = r.U16();
  record.m_monthsCharged = r.U16();
  for (double& a : record.m_amounts) a = r.F64();
  record.m_rate = r.F64();
  record.m_flags = r.U16();
  r.Bytes(record.m_reserved);
  record.m_reserved2 = r.U16();
  return record;
}

}  // namespace zarvic
