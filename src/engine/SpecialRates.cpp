#include "engine/SpecialRates.h"

#include "penalties/PenaltyRecord.h"
#include "problem/CTDoc.h"
#include "ratetables/TableOperations.h"

namespace zarvic {
namespace {

constexpr std::uint16_t kHotRestartBit = 0x0040;
constexpr int kApplicableDelay = 30;  // the applicable date is 30 days after the 30-day letter

// The letter date plus 30 days, replaced by the applicable date when one is entered.
DayNumber ApplicableDate(DayNumber letter, DayNumber applicable) {
  if (IsDate(applicable)) return applicable;
  return IsDate(letter) ? AddDays(letter, kApplicableDelay) : NO_DATE;
}

}  // namespace

bool GattApplies(const CTDoc& doc) {
  return doc.m_header.m_cCorporation != 0 && TableNameBeginsWithFed(doc.m_rateTable);
}

void HotDateStep(CTDoc& doc, DayNumber computeDate) {
  ComputeState& s = doc.m_compute;
  PenaltyRecord& slot = doc.m_penalties[kHotInterestSlot];
  s.m_hotStartDate = NO_DATE;
  s.m_hotRestartDate = NO_DATE;
  s.m_hotStarted = false;
  s.m_hotStopped = false;
  s.m_hotRestarted = false;
  s.m_hotInEffect = false;
  // The slot mirrors the settings of this run; bit 6 is derived like the active bit, so a restart
  // removed from the settings does not linger in it.
  slot.m_flags &= static_cast<std::uint16_t>(~(PEN_ACTIVE | kHotRestartBit));

  const ProblemHeader& h = doc.m_header;
  if (h.m_hotInterest == 0) return;
  if (computeDate <= kHotNeedsComputeAfter) {
    doc.m_penaltyResults.PenaltyExplainTemplate[kHotInterestSlot] = kHotTooEarlyTemplate;
    return;
  }
  DayNumber start = ApplicableDate(h.m_thirtyDayLetter, h.m_applicableDate);
  if (IsDate(start) && start < kEarliestHotStart) start = kEarliestHotStart;
  s.m_hotStartDate = start;
  slot.m_flags |= PEN_ACTIVE;

  if (h.m_hotStop == 0 || computeDate < kRestartNeedsComputeFrom) return;
  s.m_hotRestartDate = ApplicableDate(h.m_restartThirtyDayLetter, h.m_restartApplicableDate);
  if (IsDate(h.m_restartThirtyDayLetter) || IsDate(h.m_restartApplicableDate)) slot.m_flags |= kHotRestartBit;
}

}  // namespace zarvic
