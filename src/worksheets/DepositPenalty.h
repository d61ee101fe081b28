#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Amounts.h"
#include "core/Dates.h"

namespace zarvic {

// The failure-to-deposit penalty of IRC 6656 on one return period (a quarter or a year) of employment
// or excise taxes: the liabilities of the period, their deposit due dates by the schedule, the deposits
// applied to them, and the penalty on every part deposited late, paid directly or never paid.
// Amounts are cents; each penalty part is rounded to the cent, and the total is the sum of the parts.

enum class DepositSchedule {
  Monthly,     // the 15th of the next month
  Semiweekly,  // the Wednesday or Friday after the semiweekly period
  Dates,       // each liability names its own due date
};

// Where a liability's due date came from.
enum class DueDateRule {
  Monthly,
  Semiweekly,
  NextDay,  // $100,000 or more accumulated in a deposit period: the next business day
  Entered,
};

struct DepositLiability {
  DayNumber date = NO_DATE;  // the day the tax was incurred (wages paid)
  Amount amount = 0.0;
  DayNumber dueDate = NO_DATE;  // when entered, it overrides the schedule

  bool operator==(const DepositLiability&) const = default;
};

struct TaxDeposit {
  DayNumber date = NO_DATE;
  Amount amount = 0.0;
  bool direct = false;             // paid to the IRS directly or with the return instead of deposited
  DayNumber designated = NO_DATE;  // the date of the liability the depositor designated (6656(e))

  bool operator==(const TaxDeposit&) const = default;
};

struct DepositPenaltyWorksheet {
  DepositSchedule schedule = DepositSchedule::Monthly;
  DayNumber periodStart = NO_DATE;
  DayNumber periodEnd = NO_DATE;
  std::vector<DepositLiability> liabilities;
  std::vector<TaxDeposit> deposits;
  DayNumber firstNotice = NO_DATE;  // the first delinquency notice (IRC 6303)
  DayNumber demand = NO_DATE;       // notice and demand for immediate payment (6861, 6862, 6331(a))
  // The liabilities are not known by date: their total is spread evenly over the period's deposit due
  // dates (the averaged penalty).
  bool averaged = false;

  // A window asks whether anything was changed since it opened.
  bool operator==(const DepositPenaltyWorksheet&) const = default;
};

// A deposit, or the part of one, applied to a liability; or (deposit -1) the part never paid.
struct DepositApplication {
  int deposit = -1;  // index in the worksheet's deposits
  DayNumber date = NO_DATE;
  Amount amount = 0.0;
  bool direct = false;
  bool designated = false;
  int daysLate = 0;  // calendar days from the due date to the deposit; 0 when on time or never paid
  int rate = 0;      // percent: 0, 2, 5, 10 or 15
  Amount penalty = 0.0;
  // Late or paid directly, but excused: a shortfall made up in time under the accuracy of deposits rule,
  // or a period under the de minimis rule.
  bool excused = false;
};

struct LiabilityPenalty {
  int liability = -1;  // index in the worksheet's liabilities; -1 for an averaged liability
  DayNumber date = NO_DATE;
  Amount amount = 0.0;
  DayNumber dueDate = NO_DATE;
  DueDateRule rule = DueDateRule::Monthly;
  // The last day on which a payment escapes the 15% rate: 10 days after the first notice, or the day of
  // notice and demand, whichever is earlier, for a liability due before them; NO_DATE when none.
  DayNumber lastDayBeforeFifteen = NO_DATE;
  // The accuracy of deposits rule (Treas. Reg. 31.6302-1(f)): a shortfall of no more than $100 or 2% of
  // the liability, if greater, bears no penalty when it is made up by this day (NO_DATE for a due date
  // entered by the user, whose deposit rule is not known).
  DayNumber makeupDate = NO_DATE;
  bool safeHarbor = false;                       // the rule spared this liability's shortfall
  std::vector<DepositApplication> applications;  // in the order the deposits were applied
  Amount unpaid = 0.0;
  Amount penalty = 0.0;
};

// A worksheet that cannot be figured: the message (from the string table, dates filled in) and the row
// it is about, so that a window can put the cursor there.
struct DepositWorksheetError {
  int messageId = 0;
  std::string message;
  int liability = -1;
  int deposit = -1;
};

struct DepositPenaltyResult {
  std::optional<DepositWorksheetError> error;  // when set, nothing below was figured
  std::vector<LiabilityPenalty> liabilities;   // in date order
  Amount totalLiability = 0.0;
  Amount totalDeposits = 0.0;
  Amount excessDeposits = 0.0;  // what was left of the deposits after every liability was paid
  Amount totalUnpaid = 0.0;
  // The de minimis rule (Treas. Reg. 31.6302-1(f)(4)): less than $2,500 for the whole period, all of it
  // paid by the due date of the return, is timely however it was paid.
  bool deMinimis = false;
  Amount totalPenalty = 0.0;
};

// The first thing that keeps the worksheet from being figured, if any.
std::optional<DepositWorksheetError> CheckDepositWorksheet(const DepositPenaltyWorksheet& worksheet);

DepositPenaltyResult ComputeDepositPenalty(const DepositPenaltyWorksheet& worksheet);

// The texts the report and the window show: the schedule ("Monthly", "Semiweekly", "Due dates as
// entered"), where a due date came from ("by the semiweekly rule") and how a part was paid ("deposited",
// "direct", either followed by ", designated"; "never paid").
std::string DepositScheduleText(DepositSchedule schedule);
std::string DueDateRuleText(DueDateRule rule);
std::string HowPaidText(const DepositApplication& application);

// The applicable percentage of 6656(b) for a payment made daysLate calendar days after its due date:
// 2 up to 5 days, 5 up to 15, 10 beyond, 10 for a payment made directly to the IRS instead of deposited,
// 15 for one made after the last day before the 15% rate.
int DepositPenaltyRate(int daysLate, bool direct, bool afterFifteenDate);

}  // namespace zarvic
