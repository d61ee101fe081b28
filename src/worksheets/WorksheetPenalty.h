#pragma once

#include <string_view>

#include "core/Amounts.h"
#include "core/Dates.h"

namespace zarvic {

class CTDoc;

// The one step from a worksheet into the problem: its penalty as one Entered penalty event. The event
// carries the worksheet's description, which is how a later use finds it again and updates it instead
// of adding another; an event whose description the user changed is the user's own from then on.
enum class WorksheetKind { EstimatedTax, DepositPenalty };

// "Estimated tax penalty", "Failure to deposit penalty".
std::string_view WorksheetEventDescription(WorksheetKind kind);

// The index of the worksheet's Entered penalty event, -1 when the problem has none.
int FindWorksheetPenaltyEvent(const CTDoc& doc, WorksheetKind kind);

enum class AddOutcome {
  Added,
  Updated,
  Unchanged,  // the event already holds that date and amount
  Removed,    // no penalty any more: the user agreed to remove the event it had added
  Refused,    // nothing changed; the reason was shown
};

struct AddResult {
  AddOutcome outcome = AddOutcome::Refused;
  int index = -1;  // the event's index after the list was put in order
};

// Adds or updates the worksheet's event: dated date (the day interest on the penalty runs from, the
// notice date as a rule), of amount cents. Refused with a message when the date is not a date, the
// amount is not above 0, the problem is busy or its 1,000 events leave no room. An amount of 0 when
// the problem holds the worksheet's event asks whether to remove it (Removed on Yes). The list is put in
// order, the tax totals recomputed, the grid's undo dropped (it would put back an event of a list that
// changed under it) and the problem marked changed.
AddResult AddWorksheetPenalty(CTDoc& doc, WorksheetKind kind, DayNumber date, Amount amount);

inline constexpr int kWorksheetPenaltyNeedsDateId = 21602;
inline constexpr int kWorksheetPenaltyNothingToAddId = 21603;
inline constexpr int kWorksheetPenaltyRemoveId = 21605;

}  // namespace zarvic
