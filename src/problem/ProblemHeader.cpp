#include "problem/ProblemHeader.h"

#include "core/LittleEndian.h"

namespace zarvic {

static_assert(header_offset::kReserved846 + 2 == kProblemHeaderBytes);
static_assert(header_offset::kHeadings + kReportHeadingLines * kReportLineBytes == header_offset::kFooter);

void EncodeProblemHeader(const ProblemHeader& h, std::span<std::uint8_t, kProblemHeaderBytes> out) {
  ByteWriter w(out);
  w.Chars(h.m_taxpayerName.Bytes());
  w.Chars(h.m_taxpayerId.Bytes());
  w.Chars(h.m_tableName.Bytes());
  w.U16(h.m_eventCount);
  for (const auto& line : h.m_headings) w.Chars(line.Bytes());
  w.Chars(h.m_footer.Bytes());
  w.U16(h.m_computeDate);
  w.U8(h.m_cCorporation);
  w.U8(h.m_hotInterest);
  w.U8(h.m_hotStop);
  w.F64(h.m_gattThreshold);
  w.U16(h.m_thirtyDayLetter);
  w.U16(h.m_applicableDate);
  w.U16(h.m_restartThirtyDayLetter);
  w.U16(h.m_restartApplicableDate);
  w.U8(h.m_reserved723);
  w.Bytes(h.m_reserved724);
  w.U8(static_cast<std::uint8_t>(h.m_versionMajor));
  w.U8(static_cast<std::uint8_t>(h.m_versionMinor));
  w.U16(h.m_penaltyRecordCount);
  w.Bytes(h.m_legacyPenaltyMarks);
  w.Bytes(h.m_reserved772);
  w.U16(h.m_reserved844);
  w.Bytes(h.m_reserved846);
}

ProblemHeader DecodeProblemHeader(std::span<const std::uint8_t, kProblemHeaderBytes> in) {
  ByteReader r(in);
  ProblemHeader h;
  r.Chars(h.m_taxpayerName.Bytes());
  r.Chars(h.m_taxpayerId.Bytes());
  r.Chars(h.m_tableName.Bytes());
  h.m_eventCount = r.U16();
  for (auto& line : h.m_headings) r.Chars(line.Bytes());
  r.Chars(h.m_footer.Bytes());
  h.m_computeDate = r.U16();
  h.m_cCorporation = r.U8();
  h.m_hotInterest = r.U8();
  h.m_hotStop = r.U8();
  h.m_gattThreshold = r.F64();
  h.m_thirtyDayLetter = r.U16();
  h.m_applicableDate = r.U16();
  h.m_restartThirtyDayLetter = r.U16();
  h.m_restartApplicableDate = r.U16();
  h.m_reserved723 = r.U8();
  r.Bytes(h.m_reserved724);
  h.m_versionMajor = static_cast<std::int8_t>(r.U8());
  h.m_versionMinor = static_cast<std::int8_t>(r.U8());
  h.m_penaltyRecordCount = r.U16();
  r.Bytes(h.m_legacyPenaltyMarks);
  r.Bytes(h.m_reserved772);
  h.m_reserved844 = r.U16();
  r.Bytes(h.m_reserved846);
  return h;
}

}  // namespace zarvic
