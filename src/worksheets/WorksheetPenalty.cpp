#include "worksheets/WorksheetPenalty.h"

#include "core/Amounts.h"
#include "core/StringTable.h"
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
  int at = FindWorksheetPenaltyEvent(doc, kind);
  if (amount == 0.0 && at >= 0) {
    // The worksheet no longer shows a penalty: the one it added earlier would stay in silence.
    const CEvent& e = doc.m_events[static_cast<std::size_t>(at)];
    const std::string question =
        FormatStringText(kWorksheetPenaltyRemoveId, std::string(WorksheetEventDescription(kind)).c_str(),
                         FormatDate(e.m_date).c_str(), FormatAmount(e.m_amount, true, false, false).c_str());
    if (MessageBoxText(question, MessageKind::YesNo) != Answer::Yes) return {};
    doc.m_heldIndex = -1;
    doc.m_heldPenalties.reset();
    doc.DeleteEvent(at);
    doc.RecomputeTaxTotals();
    doc.SetModified();
    CurrentUi().RefreshViews(&doc);
    return {AddOutcome::Removed, -1};
  }
  if (!(amount > 0.0)) {
    MessageBoxId(kWorksheetPenaltyNothingToAddId);
    return {};
  }
  if (!IsDate(date)) {
    MessageBoxId(kWorksheetPenaltyNeedsDateId);
    return {};
  }
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
