#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/Amounts.h"
#include "core/Dates.h"
#include "penalties/PenaltyCatalog.h"

namespace zarvic {

class CTDoc;
class CEvent;

// Tax figures the penalties start from (the problem's TaxDate, TotalTax and NetTaxDue come from
// RecomputeTaxTotals).
// Charges (types 0, 1, 4, 7, 9) less balance-reducing events (2, 3, 8) dated on the first tax or
// motivated tax event's date; 0 without such an event.
Amount NetAtTaxDate(const CTDoc& doc);
Amount MotivatedTaxTotal(const CTDoc& doc);

// Fills every record that the user has not confirmed (PEN_EDITED) from the events.
void DefaultPenaltyRecords(CTDoc& doc);

// The window of penalty k edits doc.m_penalties[k] in place and answers whether it closed with OK. The
// GUI installs it; without one every window counts as cancelled. The window itself runs the form rules
// (PenaltyFormOk / PenaltyFormCancel of PenaltyForms.h).
using PenaltyWindowHook = std::function<bool(CTDoc& doc, int k, PenaltyWindowClass cls)>;
PenaltyWindowHook SetPenaltyWindowHook(PenaltyWindowHook hook);  // returns the previous hook
// The Penalty Selection window over the listed penalties (TogglePenalty per row). Installed by the GUI;
// without one the selection only fills the defaults.
using PenaltySelectionHook = std::function<void(CTDoc& doc, std::span<const int> list)>;
PenaltySelectionHook SetPenaltySelectionHook(PenaltySelectionHook hook);

// "Penalty Selection...": 18008 for a table that is not FEDERAL (continues), 19200 and false when the
// problem has no single tax date; then the defaults, the window, and a view refresh.
bool OpenPenaltySelection(CTDoc& doc);
// Opens the window of penalty k. On OK the problem is modified, the record confirmed (PEN_EDITED) and,
// for 1 and 2, PEN_INDIVIDUAL_TIMELY copied to the other; on Cancel the record is as before the window.
bool EditPenalty(CTDoc& doc, int k);
// From the selection list: switches an active penalty off, opens the window of an inactive one.
void TogglePenalty(CTDoc& doc, int k);

int CountActivePenalties(const CTDoc& doc);  // records other than 22
bool AnyActivePenalty(const CTDoc& doc);
// Every record except 22 becomes new; views refresh.
void ResetPenaltyRecords(CTDoc& doc);
// Whether an edit of one event (before and after it; a deleted event is after a free slot) changes
// what the penalty records rest on: a tax, motivated tax or debit, a payment, deposit or credit dated
// on or before the tax date, or the tax date itself (moved, or the tax events no longer on one date).
// A payment, deposit or credit dated later does not: the computation takes it from the events at every
// run. taxDateBefore and taxDateAfter are the problem's TaxDate before and after the edit.
bool EditChangesPenaltyBasis(const CEvent& before, const CEvent& after, DayNumber taxDateBefore,
                             DayNumber taxDateAfter);
// Clears PEN_ACTIVE of every record except 22.
void TurnOffPenalties(CTDoc& doc);

// The grid's penalty bar: "Active Penalties:  " then "None", one clickable line per active penalty
// (failure to file first, then 1 to 21), or with four or more the hint to use the toolbar.
struct ActivePenaltySummary {
  struct Line {
    int penalty;  // EditPenalty(penalty) when clicked
    std::string text;
  };
  std::string heading;
  std::vector<Line> lines;  // one to three active penalties
  std::string note;         // "None" or the toolbar hint; empty when there are lines
};
ActivePenaltySummary SummarizeActivePenalties(const CTDoc& doc);

}  // namespace zarvic
