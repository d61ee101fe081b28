#pragma once

#include <string>
#include <vector>

#include "core/Amounts.h"
#include "core/Dates.h"

namespace zarvic {

class CTDoc;
struct ProblemHeader;

// The six settings of the hot interest window, as the window edits them. Empty dates are NO_DATE.
struct HotInterestSettings {
  bool active = false;
  DayNumber thirtyDayLetter = NO_DATE;
  DayNumber applicableDate = NO_DATE;
  bool stop = false;
  DayNumber restartThirtyDayLetter = NO_DATE;
  DayNumber restartApplicableDate = NO_DATE;

  bool operator==(const HotInterestSettings&) const = default;
};

// A stored date of 0 is shown as empty, like an unset one.
HotInterestSettings ReadHotInterest(const ProblemHeader& header);
void StoreHotInterest(ProblemHeader& header, const HotInterestSettings& settings);

enum class HotField { None, ThirtyDayLetter, ApplicableDate, RestartThirtyDayLetter, RestartApplicableDate };

// A restart field left while the stop box is checked with a date on or before 12-31-97: shows 20052
// (30-day letter) or 20053 (applicable date) and returns false; the window puts the focus back.
bool AcceptRestartField(HotField field, bool stopChecked, DayNumber date);

// OK: shows the first refusal (20054, 20055, 18009) and returns the field it concerns, for the
// focus; None when the settings may be stored.
HotField CheckHotInterest(const HotInterestSettings& settings);

// The "C Corporation Refund Issues" window: the C-corporation flag, the GATT threshold and, for each
// of the first five IRS check events, the part of the check that reduces the high-rate refund.
inline constexpr int kCCorporationCheckRows = 5;

struct IrsCheckRow {
  int event = -1;
  DayNumber date = NO_DATE;
  Amount amount = 0.0;     // the check
  Amount reduction = 0.0;  // m_gattAmount
};

struct CCorporationSettings {
  bool cCorporation = false;
  Amount threshold = 0.0;
  std::vector<IrsCheckRow> checks;  // at most five, in list order
};

// What the window opens with: a problem that is not a C corporation and has no threshold gets the
// default threshold (1,000,000 cents) in the field.
CCorporationSettings ReadCCorporation(const CTDoc& doc);

// A reduction field left: a negative amount shows 20034 and becomes its absolute value (false); true
// when the amount may stand.
bool AcceptReduction(Amount& reduction);

// OK with the box checked: the first row whose reduction is above its check shows 20043, takes the
// check's amount and is returned for the focus; -1 when every row is right (or the box is clear).
int CheckReductions(CCorporationSettings& settings);

// Stores the flag, the threshold and the reductions into the problem's header and IRS check events.
void StoreCCorporation(CTDoc& doc, const CCorporationSettings& settings);

}  // namespace zarvic
