#pragma once

#include <array>

#include "core/Dates.h"
#include "penalties/PenaltyCatalog.h"
#include "penalties/PenaltyRecord.h"

namespace zarvic {

class CTDoc;

// The rules every penalty window follows when it closes; the windows read and write their fields and
// leave the rest to these.

// What a window stores beyond its fields once it has written them into the record: the slots its era
// of returns fixes (for example C6653B82 dates the penalty and its assessment at the tax date) and the
// amounts it does not ask for.
void StorePenaltyFormExtras(PenaltyWindowClass cls, PenaltyRecord& record, DayNumber taxDate);

// OK: the fields are in the record; stores the extras, sets PEN_ACTIVE from the Activate box and runs
// ValidatePenalty with messages. True when the window may close (no error; a caution passes).
bool PenaltyFormOk(CTDoc& doc, int k, PenaltyWindowClass cls, bool activate);
// Cancel: puts back the record as it was when the window opened and checks it quietly, which switches
// the penalty off when even that record has a finding.
void PenaltyFormCancel(CTDoc& doc, int k, const PenaltyRecord& opened);

// One notice row of the two failure-to-pay windows.
struct NoticeRow {
  DayNumber date = NO_DATE;
  bool levy = false;      // "Was this the 1st notice of levy?"
  bool jeopardy = false;  // "Was this the 1st jeopardy demand?"
  bool tenDays = true;    // grace period "10 Days"; false: "21 Days"
};
inline constexpr int kNoticeRows = 6;
using NoticeRows = std::array<NoticeRow, kNoticeRows>;

// The record slots of notices 1 to 6 and of the levy and jeopardy dates, for penalty 1 or 2.
std::array<int, kNoticeRows> NoticeSlots(int k);
int LevySlot(int k);
int JeopardySlot(int k);

// The rows a failure-to-pay window opens with: levy (jeopardy) says "Yes" on every row dated as the
// record's levy (jeopardy) date.
NoticeRows ReadNoticeRows(const PenaltyRecord& record, int k);
// OK: the notice dates, the levy and jeopardy dates from the last row that says "Yes" (cleared when none
// does) and the grace bits, one per row.
void StoreNoticeRows(PenaltyRecord& record, int k, const NoticeRows& rows);
// Choosing "Yes" in a levy (jeopardy) list sets that list of every other row to "No".
void ChooseLevyRow(NoticeRows& rows, int row);
void ChooseJeopardyRow(NoticeRows& rows, int row);

}  // namespace zarvic
