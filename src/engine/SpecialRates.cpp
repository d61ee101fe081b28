#include "engine/SpecialRates.h"

#include "penalties/PenaltyRecord.h"
#include "problem/CTDoc.h"
#include "ratetables/TableOperations.h"

namespace zarvic {
namespace {

constexpr std::uint16_t kHotRestartBit = 0x0040;
constexpr int kRestartLetterRefusedId = 20054;
constexpr int kRestartApplicableRefusedId = 20055;
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
  s.m_hotStopDate = NO_DATE;
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
  // Hot interest is charged for the days after 12-31-90, whatever the compute date; a computation that
  // ends by then has none to charge.
  if (computeDate <= kEarliestHotStart) {
    doc.m_penaltyResults.PenaltyExplainTemplate[kHotInterestSlot] = kHotTooEarlyTemplate;
    return;
  }
  DayNumber start = ApplicableDate(h.m_thirtyDayLetter, h.m_applicableDate);
  if (IsDate(start) && start < kEarliestHotStart) start = kEarliestHotStart;
  s.m_hotStartDate = start;
  slot.m_flags |= PEN_ACTIVE;

  // A stop that comes before hot interest begins stops nothing, and there is nothing to restart.
  if (h.m_hotStop == 0 || !IsDate(start) || start >= kHotStopDate) return;
  s.m_hotStopDate = kHotStopDate;
  if (computeDate < kRestartNeedsComputeFrom || RefusedRestartMessage(h) != 0) return;
  s.m_hotRestartDate = ApplicableDate(h.m_restartThirtyDayLetter, h.m_restartApplicableDate);
  if (IsDate(h.m_restartThirtyDayLetter) || IsDate(h.m_restartApplicableDate)) slot.m_flags |= kHotRestartBit;
}

int RefusedRestartMessage(const ProblemHeader& h) {
  if (h.m_hotStop == 0) return 0;
  if (IsDate(h.m_restartThirtyDayLetter) && !RestartDateAccepted(h.m_restartThirtyDayLetter))
    return kRestartLetterRefusedId;
  if (IsDate(h.m_restartApplicableDate) && !RestartDateAccepted(h.m_restartApplicableDate))
    return kRestartApplicableRefusedId;
  return 0;
}

}  // namespace zarvic
