#include "worksheets/WorksheetPenalty.h"

#include "core/UserInterface.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

constexpr int kProblemFullId = 21253;

}  // namespace

std::string_view WorksheetEventDescription(WorksheetKind kind) {
  return kind == WorksheetKind::EstimatedTax ? "Estimated tax penalty" : "Failure to deposit penalty";
}

int FindWorksheetPenaltyEvent(const CTDoc& doc, WorksheetKind kind) {
  const auto listed = doc.ListedEvents();
  for (std::size_t i = 0; i < listed.size(); ++i) {
    const CEvent& e = listed[i];
    if (e.m_type == kEventPenalty && e.HasDescription() && e.DescriptionText() == WorksheetEventDescription(kind))
      return static_cast<int>(i);
  }
  return -1;
}

AddResult AddWorksheetPenalty(CTDoc& doc, WorksheetKind kind, DayNumber date, Amount amount) {
  if (doc.IsBusy()) {
    RefuseBusyProblem();
    return {};
  }
  if (!IsDate(date)) {
    MessageBoxId(kWorksheetPenaltyNeedsDateId);
    return {};
  }
  if (!(amount > 0.0)) {
    MessageBoxId(kWorksheetPenaltyNothingToAddId);
    return {};
  }
  int at = FindWorksheetPenaltyEvent(doc, kind);
  AddOutcome outcome = AddOutcome::Updated;
  if (at >= 0) {
    const CEvent& e = doc.m_events[static_cast<std::size_t>(at)];
    if (e.m_date == date && e.m_amount == amount) return {AddOutcome::Unchanged, at};
  } else {
    at = doc.EventCount();
    if (at >= kMaxEvents) {
      MessageBoxId(kProblemFullId);
      return {};
    }
    outcome = AddOutcome::Added;
    CEvent& fresh = doc.m_events[static_cast<std::size_t>(at)];
    fresh.Clear();
    fresh.m_type = kEventPenalty;
    fresh.SetDescription(WorksheetEventDescription(kind));
  }
  CEvent& event = doc.m_events[static_cast<std::size_t>(at)];
  event.m_date = date;
  event.m_amount = amount;
  event.m_gattAmount = 0.0;
  event.m_balof = 0.0;
  doc.m_heldIndex = -1;
  doc.m_heldPenalties.reset();
  const int index = doc.SortEvents(at);
  doc.RecomputeTaxTotals();
  doc.SetModified();
  CurrentUi().RefreshViews(&doc);
  return {outcome, index};
}

}  // namespace zarvic
