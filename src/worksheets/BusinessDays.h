#pragma once

#include "core/Dates.h"

namespace zarvic {

// The calendar of federal tax acts (IRC 7503): when the last day for an act (a payment, a deposit, a
// return) falls on a Saturday, a Sunday or a legal holiday, the act is timely on the next day that is
// none of these. "Legal holiday" there means a legal holiday in the District of Columbia: the federal
// holidays (IsLegalHoliday) and the District's own two, Emancipation Day and Inauguration Day.

// April 16 on a weekday; the Friday before when April 16 is a Saturday, the Monday after when it is a
// Sunday. It counts from 2007: the District's code makes it a legal public holiday "beginning in the
// year 2007", the IRS first moved a due date for it in 2007, and it kept the April 15, 2005 and
// April 17, 2006 dates.
bool IsDcEmancipationDay(DayNumber d);

// The day of the inauguration of the President: January 20 of every fourth year from 1969, January 21
// when the 20th is a Sunday (it is not moved off a Saturday).
bool IsInaugurationDay(DayNumber d);

// A legal holiday in the District of Columbia: IsLegalHoliday, Emancipation Day or Inauguration Day.
bool IsTaxHoliday(DayNumber d);

// Neither a Saturday, a Sunday nor a tax holiday.
bool IsTaxBusinessDay(DayNumber d);

// The last day on which an act due on `due` is timely: `due` itself when it is a tax business day, else
// the next one. An unset date stays unset.
DayNumber LastTimelyDay(DayNumber due);

// The n-th tax business day after d (n >= 0; d itself for 0). An unset date stays unset.
DayNumber AddTaxBusinessDays(DayNumber d, int n);

}  // namespace zarvic
