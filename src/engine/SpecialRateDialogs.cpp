#include "engine/SpecialRateDialogs.h"

#include <cmath>

#include "core/UserInterface.h"
#include "engine/SpecialRates.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"

namespace zarvic {
namespace {

constexpr int kRestartLetterTooEarlyId = 20052;
constexpr int kRestartApplicableTooEarlyId = 20053;
constexpr int kRestartLetterRefusedId = 20054;
constexpr int kNeedHotDateId = 18009;
constexpr int kNegativeNumbersId = 20034;
constexpr int kAboveCheckId = 20043;

// Files of early versions hold 0 for a date never entered.
DayNumber Shown(DayNumber date) {
  return date == 0 || !IsDate(date) ? NO_DATE : date;
}

}  // namespace

HotInterestSettings ReadHotInterest(const ProblemHeader& h) {
  HotInterestSettings s;
  s.active = h.m_hotInterest != 0;
  s.thirtyDayLetter = Shown(h.m_thirtyDayLetter);
  s.applicableDate = Shown(h.m_applicableDate);
  s.stop = h.m_hotStop != 0;
  s.restartThirtyDayLetter = Shown(h.m_restartThirtyDayLetter);
  s.restartApplicableDate = Shown(h.m_restartApplicableDate);
  return s;
}

void StoreHotInterest(ProblemHeader& h, const HotInterestSettings& s) {
  h.m_hotInterest = s.active ? 1 : 0;
  h.m_thirtyDayLetter = s.thirtyDayLetter;
  h.m_applicableDate = s.applicableDate;
  h.m_hotStop = s.stop ? 1 : 0;
  h.m_restartThirtyDayLetter = s.restartThirtyDayLetter;
  h.m_restartApplicableDate = s.restartApplicableDate;
}

bool AcceptRestartField(HotField field, bool stopChecked, DayNumber date) {
  if (!stopChecked || !IsDate(date) || RestartDateAccepted(date)) return true;
  if (field == HotField::RestartThirtyDayLetter) {
    MessageBoxId(kRestartLetterTooEarlyId);
    return false;
  }
  if (field == HotField::RestartApplicableDate) {
    MessageBoxId(kRestartApplicableTooEarlyId);
    return false;
  }
  return true;
}

HotField CheckHotInterest(const HotInterestSettings& s) {
  ProblemHeader h;
  StoreHotInterest(h, s);
  // The run refuses the same restart dates when a file holds them; one rule for both.
  if (const int id = RefusedRestartMessage(h); id != 0) {
    MessageBoxId(id);
    return id == kRestartLetterRefusedId ? HotField::RestartThirtyDayLetter : HotField::RestartApplicableDate;
  }
  if (s.active && !IsDate(s.thirtyDayLetter) && !IsDate(s.applicableDate)) {
    MessageBoxId(kNeedHotDateId);
    return HotField::ThirtyDayLetter;
  }
  return HotField::None;
}

CCorporationSettings ReadCCorporation(const CTDoc& doc) {
  CCorporationSettings s;
  s.cCorporation = doc.m_header.m_cCorporation != 0;
  s.threshold = doc.m_header.m_gattThreshold;
  if (!s.cCorporation && s.threshold == 0.0) s.threshold = kDefaultGattThreshold;
  const std::span<const CEvent> events = doc.ListedEvents();
  for (std::size_t i = 0; i < events.size() && s.checks.size() < kCCorporationCheckRows; ++i) {
    if (events[i].m_type != kEventIrsCheck) continue;
    s.checks.push_back({static_cast<int>(i), events[i].m_date, events[i].m_amount, events[i].m_gattAmount});
  }
  return s;
}

bool AcceptReduction(Amount& reduction) {
  if (reduction >= 0.0) return true;
  MessageBoxId(kNegativeNumbersId);
  reduction = std::fabs(reduction);
  return false;
}

int CheckReductions(CCorporationSettings& s) {
  if (!s.cCorporation) return -1;
  for (std::size_t row = 0; row < s.checks.size(); ++row) {
    IrsCheckRow& check = s.checks[row];
    if (check.reduction > check.amount) {
      MessageBoxId(kAboveCheckId);
      check.reduction = check.amount;
      return static_cast<int>(row);
    }
  }
  return -1;
}

void StoreCCorporation(CTDoc& doc, const CCorporationSettings& s) {
  doc.m_header.m_cCorporation = s.cCorporation ? 1 : 0;
  doc.m_header.m_gattThreshold = s.threshold;
  for (const IrsCheckRow& check : s.checks) {
    // The rows name their events by index; an event that is no longer an IRS check keeps its value.
    if (check.event < 0 || check.event >= kMaxEvents) continue;
    CEvent& event = doc.m_events[check.event];
    if (event.m_type == kEventIrsCheck) event.m_gattAmount = check.reduction;
  }
}

}  // namespace zarvic
