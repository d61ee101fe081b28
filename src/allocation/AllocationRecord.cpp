#include "allocation/AllocationRecord.h"

#include <algorithm>

#include "core/LittleEndian.h"

namespace zarvic {

static_assert(sizeof(double) == 8 && sizeof(char) == 1);
static_assert(2 * kAllocationCategories * 8 + kAllocationCategories + 2 == kAllocationRecordBytes);

AllocationRecord AllocationRecord::Fresh(std::string_view defaultLetters) {
  AllocationRecord record;
  record.SetPriorities(defaultLetters);
  return record;
}

void AllocationRecord::SetPriorities(std::string_view letters) {
  m_priority.fill('\0');
  std::copy_n(letters.begin(), std::min<std::size_t>(letters.size(), kAllocationCategories),
              m_priority.begin());
}

double AllocationRecord::AppliedTotal() const {
  double total = 0.0;
  for (double applied : m_payment) total += applied;
  return total;
}

void EncodeAllocationRecord(const AllocationRecord& record,
                            std::span<std::uint8_t, kAllocationRecordBytes> out) {
  ByteWriter w(out);
  for (double v : record.m_payment) w.F64(v);
  for (double v : record.m_specific) w.F64(v);
  w.Chars(record.m_priority);
  w.Zeros(2);
}

AllocationRecord DecodeAllocationRecord(std::span<const std::uint8_t, kAllocationRecordBytes> in) {
  ByteReader r(in);
  AllocationRecord record;
  for (double& v : record.m_payment) v = r.F64();
  for (double& v : record.m_specific) v = r.F64();
  r.Chars(record.m_priority);
  return record;  // the two padding bytes carry nothing
}

}  // namespace zarvic
