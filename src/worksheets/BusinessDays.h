#pragma once

#include "core/Dates.h"

namespace zarvic {

// Due dates of federal tax acts (IRC 7503): when the last day for an act falls on a Saturday, a Sunday or
// a legal holiday, the act is timely on the next day that is none of these. "Legal holiday" there means
// a legal holiday in the District of Columbia: the federal holidays (IsLegalHoliday) and, from 2007, the
// District's Emancipation Day.

// April 16 on a weekday; the Friday before when April 16 is a Saturday, the Monday after when it is a
// Sunday. The District made it a holiday in 2005, but it first moved a federal due date in 2007, and
// the IRS kept the April 15 dates of 2005 and 2006; so it counts from 2007.
bool IsDcEmancipationDay(DayNumber d);

// Neither a Saturday, a Sunday, a legal holiday nor the District's Emancipation Day.
bool IsTaxBusinessDay(DayNumber d);

// The last day on which an act due on `due` is timely: `due` itself when it is a tax business day, else
// the next one. An unset date stays unset.
DayNumber LastTimelyDay(DayNumber due);

}  // namespace zarvic
