#pragma once

#include <span>

#include "allocation/PaymentAllocation.h"
#include "core/Amounts.h"
#include "core/Dates.h"
#include "penalties/PenaltyCatalog.h"
#include "penalties/PenaltyRecord.h"
#include "penalties/PenaltyResults.h"
#include "problem/CEvent.h"

namespace zarvic {

class CTDoc;
struct RateTable;

// Statutory dates the penalty rules turn on.
namespace penalty_date {
inline constexpr DayNumber k1_1_81 = 9862;
inline constexpr DayNumber k1_1_82 = 10227;
inline constexpr DayNumber k9_3_82 = 10472;
inline constexpr DayNumber k1_1_83 = 10592;
inline constexpr DayNumber k7_18_84 = 11156;
inline constexpr DayNumber k7_19_84 = 11157;
inline constexpr DayNumber k10_21_86 = 11981;
inline constexpr DayNumber k10_23_86 = 11983;
inline constexpr DayNumber k1_1_87 = 12053;
inline constexpr DayNumber k1_1_89 = 12784;
inline constexpr DayNumber k1_1_90 = 13149;
inline constexpr DayNumber k12_31_90 = 13513;
inline constexpr DayNumber k1_31_91 = 13544;
inline constexpr DayNumber k1_1_97 = 15706;
inline constexpr DayNumber k12_31_97 = 16070;
inline constexpr DayNumber k12_31_99 = 16800;
}  // namespace penalty_date

// The last day of the grace period after a notice and demand for failure to pay: 10 days before 1997;
// from 1997 on 10 business days (the notice's grace bit, for $100,000 or more) or 21 calendar days.
DayNumber NoticeGraceEnd(DayNumber notice, bool tenDays);

// A date for ordering: an unset date (either marker) compares as the largest date.
inline DayNumber DateKey(DayNumber d) {
  return IsDate(d) ? d : NO_DATE;
}
// a is before b, an unset date being the largest.
inline bool Before(DayNumber a, DayNumber b) {
  return DateKey(a) < DateKey(b);
}

// PaymentsInPeriod over windows that move forward (each starting where an earlier one ended or later),
// in one walk of the events: the monthly penalties ask for one window per month.
class PaymentWindows {
 public:
  PaymentWindows(const CTDoc& doc, int k);
  Amount Next(DayNumber from, DayNumber to);

 private:
  const CTDoc& doc_;
  std::span<const CEvent> events_;  // the list is not changed while the windows are read
  int k_;
  int next_ = 0;           // first event not yet passed
  DayNumber reached_ = 0;  // the end of the last window
};

// Puts one assessment of penalty k in the results: counted in PenaltyAssessedTotal (and
// PenaltyFirstDate while that is 0), listed in date order when its rounded amount is above 0 and it has
// a date.
void AddAssessment(PenaltyResults& results, int k, DayNumber date, Amount amount, int notice);

// PenaltyFullBase and PenaltyBase of k from its entered amount, less the 6653(b) fraud amount where that
// is taken out first.
void SetPenaltyBases(CTDoc& doc, int k);

// The fraud amount of 6653(b) when it is active, else 0.
Amount Fraud6653bAmount(const CTDoc& doc);

// The first event of type 0, 1, 7 or 9; NO_DATE when none.
DayNumber FirstChargeDate(const CTDoc& doc);

// The rate line governing a period that starts on day d: the first line whose break (the day before
// the next line starts) is not before d; the last used line when none.
int RateLineFor(const RateTable& table, DayNumber d);
// The day before line + 1 starts; NO_DATE for the last used line.
DayNumber RateLineBreak(const RateTable& table, int line);

}  // namespace zarvic
