#pragma once

#include "core/Dates.h"
#include "worksheets/BusinessDays.h"

namespace zarvic {

// The calendar of federal tax deposits. A deposit due on a Saturday, Sunday or legal holiday is timely
// on the next business day (IRC 7503, Treas. Reg. 31.6302-1(c)(4)): the business days are those of
// BusinessDays.h, shared with every other act due under the tax laws.

// The semiweekly period (Wednesday to Friday, Saturday to Tuesday) that holds d: its last day.
DayNumber SemiweeklyPeriodEnd(DayNumber d);

// Deposit due dates of a liability incurred (wages paid) on d, already moved off weekends and holidays:
// monthly, the 15th of the next month; semiweekly, the third business day after its semiweekly period
// ends (the Wednesday after a Wednesday-to-Friday payday, the Friday after a Saturday-to-Tuesday one,
// a day later for each holiday among those three weekdays); the $100,000 rule, the next business day.
DayNumber MonthlyDepositDueDate(DayNumber d);
DayNumber SemiweeklyDepositDueDate(DayNumber d);
DayNumber NextDayDepositDueDate(DayNumber d);

// The due date of the return of a period ending on periodEnd: the last day of the next month (for a
// quarterly and an annual return alike), moved off a weekend or holiday.
DayNumber ReturnDueDate(DayNumber periodEnd);
// Where a semiweekly or next-day deposit due on dueDate falls short, the day by which the shortfall is
// made up (Treas. Reg. 31.6302-1(f)(3)(ii)): the first Wednesday or Friday on or after the 15th of the
// next month, moved off a holiday. The return's due date, when earlier, comes first.
DayNumber SemiweeklyShortfallMakeupDate(DayNumber dueDate);

}  // namespace zarvic
