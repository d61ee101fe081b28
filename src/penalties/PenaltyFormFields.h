#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Dates.h"
#include "core/FieldRules.h"
#include "penalties/PenaltyCatalog.h"
#include "penalties/PenaltyRecord.h"

namespace zarvic {

// What each penalty window shows and which record slot each of its fields edits. The GUI builds every
// penalty window from one of these tables, so the nineteen windows differ only here.

enum class PenaltyFieldKind {
  Date,        // m_dates[slot]
  Money,       // m_amounts[slot]
  Rate,        // m_rate, an editable list of the usual percentages
  Check,       // a flag of the record (PenaltyCheck)
  NoticeRows,  // the six notice rows of the failure-to-pay windows (PenaltyForms.h)
};

enum class PenaltyCheck {
  None,
  Option,           // PEN_OPTION
  UseMinimum,       // the inverse of PEN_NO_MINIMUM
  IndividualTimely  // PEN_INDIVIDUAL_TIMELY
};

struct PenaltyField {
  PenaltyFieldKind kind;
  int slot = -1;  // date or amount slot
  PenaltyCheck check = PenaltyCheck::None;
  std::string_view label;  // "\n" between the lines of a two-line label
  bool (*shown)(DayNumber taxDate) = nullptr;  // nullptr: for every tax date
  bool needsIndividual = false;  // enabled only while "Individual return" / "timely filed?" is set too
};

struct PenaltyForm {
  PenaltyWindowClass cls = PenaltyWindowClass::None;
  int penalty = -1;  // k
  std::string_view title;
  std::span<const PenaltyField> fields;  // in window order
  std::span<const int> rates;            // the entries of the percentage list
  bool normalizesPercent = false;        // a typed percentage is rounded to whole on leaving
  std::span<const std::string_view> noticeLabels;  // the six notice rows' date labels
  std::string_view tips;                           // the tips text below the fixed heading
  int extraTipsId = 0;                             // a string shown in the tips area too; 0: none
  std::string_view helpTopic;                      // the help page F1 opens ("::/html/p6651a1.htm")
};

// The heading of every window's tips area.
inline constexpr std::string_view kPenaltyTipsHeading =
    "Here's how Zarvic uses this information.  Press F1 for more detail.";
// Column headings of the notice rows.
inline constexpr std::string_view kNoticeLevyHeading = "Was this the 1st notice of levy?";
inline constexpr std::string_view kNoticeJeopardyHeading = "Was this the 1st jeopardy demand?";
inline constexpr std::string_view kNoticeGraceHeading = "Grace Period";

// The table of window cls; a form without fields for None and C6621c (its window is elsewhere).
const PenaltyForm& PenaltyFormOf(PenaltyWindowClass cls);

bool PenaltyFieldShown(const PenaltyField& field, DayNumber taxDate);
// The fields the window shows for the problem's tax date, in window order.
std::vector<const PenaltyField*> ShownPenaltyFields(const PenaltyForm& form, DayNumber taxDate);

// A field's label on one line: its accessible name and its tooltip.
std::string PenaltyFieldName(const PenaltyField& field);
// Tooltips of the lists of notice row 0 to 5 ("Was the 1st notice the 1st notice of levy?").
std::string NoticeLevyTip(int row);
std::string NoticeJeopardyTip(int row);
std::string NoticeGraceTip(int row);

// Inputs and their labels are enabled only while "Activate" is set; the reduce and reinstate dates
// also need "Individual return" / "timely filed?".
bool PenaltyFieldEnabled(const PenaltyField& field, bool activate, bool individualTimely);

// The text a Date, Money or Rate field opens with, and storing what it holds on OK (a rate is read as
// an amount and kept a whole percent).
std::string PenaltyFieldText(const PenaltyField& field, const PenaltyRecord& record);
void StorePenaltyFieldText(const PenaltyField& field, PenaltyRecord& record, const TextField& text);
// The same for a Check field.
bool PenaltyFieldChecked(const PenaltyField& field, const PenaltyRecord& record);
void StorePenaltyFieldCheck(const PenaltyField& field, PenaltyRecord& record, bool checked);

// Where the window puts the focus after an error of ValidatePenalty (code = message - 19399): the index
// in form.fields, and for the notice rows the row; field -1 when no shown field answers the finding.
struct PenaltyFindingField {
  int field = -1;
  int noticeRow = -1;
};
PenaltyFindingField FindingField(const PenaltyForm& form, const PenaltyRecord& record, int code,
                                 DayNumber taxDate);

}  // namespace zarvic
