#include "worksheets/DepositPenalty.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/StringTable.h"
#include "core/Text.h"
#include "worksheets/DepositCalendar.h"

namespace zarvic {
namespace {

constexpr int kPeriodId = 21400;
constexpr int kPeriodTooLongId = 21401;
constexpr int kLiabilityDateId = 21402;
constexpr int kLiabilityOutsideId = 21403;
constexpr int kLiabilityNegativeId = 21404;
constexpr int kLiabilityDueDateId = 21405;
constexpr int kDueBeforeLiabilityId = 21406;
constexpr int kDepositDateId = 21407;
constexpr int kDepositAmountId = 21408;
constexpr int kDesignationId = 21409;

// A return period is a quarter or a year.
constexpr int kLongestPeriodDays = 366;
// The $100,000 next-day rule (Treas. Reg. 31.6302-1(c)(3)), in cents.
constexpr Amount kNextDayThreshold = 10000000.0;
// The accuracy of deposits rule (Treas. Reg. 31.6302-1(f)(1)): a shortfall of at most $100, or 2% of
// the amount required, if greater.
constexpr Amount kShortfallAllowance = 10000.0;
// The de minimis rule (Treas. Reg. 31.6302-1(f)(4)): a period's taxes below $2,500.
constexpr Amount kDeMinimisLimit = 250000.0;

DepositWorksheetError Error(int id, int liability, int deposit, DayNumber first = NO_DATE,
                            DayNumber second = NO_DATE) {
  DepositWorksheetError e;
  e.messageId = id;
  const std::string text(StringText(id));
  e.message = StringPrintfDynamic(text.c_str(), FormatDate(first).c_str(), FormatDate(second).c_str());
  e.liability = liability;
  e.deposit = deposit;
  return e;
}

bool InPeriod(const DepositPenaltyWorksheet& w, DayNumber d) {
  return IsDate(d) && d >= w.periodStart && d <= w.periodEnd;
}

// One liability as the computation walks it.
struct Work {
  LiabilityPenalty out;
  Amount open = 0.0;  // not yet paid
  int order = 0;      // entry order, to keep equal dates stable
};

// The accumulation of the $100,000 rule: liabilities of one deposit period not yet due the next day.
// A monthly depositor that reaches it becomes a semiweekly depositor the next day.
void AssignDueDates(const DepositPenaltyWorksheet& w, std::vector<Work>& work) {
  bool semiweekly = w.schedule == DepositSchedule::Semiweekly;
  long periodKey = -1;
  Amount accumulated = 0.0;
  std::vector<Work*> pending;
  for (std::size_t i = 0; i < work.size();) {
    const DayNumber day = work[i].out.date;
    std::size_t next = i;
    while (next < work.size() && work[next].out.date == day) ++next;
    const long key = semiweekly ? SemiweeklyPeriodEnd(day) : 12L * YearOf(day) + MonthOf(day);
    if (key != periodKey) {
      periodKey = key;
      accumulated = 0.0;
      pending.clear();
    }
    for (std::size_t j = i; j < next; ++j) {
      LiabilityPenalty& l = work[j].out;
      if (IsDate(w.liabilities[l.liability].dueDate)) {
        l.rule = DueDateRule::Entered;
        l.dueDate = LastTimelyDay(w.liabilities[l.liability].dueDate);
        continue;
      }
      l.rule = semiweekly ? DueDateRule::Semiweekly : DueDateRule::Monthly;
      l.dueDate = semiweekly ? SemiweeklyDepositDueDate(day) : MonthlyDepositDueDate(day);
      accumulated += l.amount;
      pending.push_back(&work[j]);
    }
    if (accumulated >= kNextDayThreshold) {
      for (Work* p : pending) {
        p->out.rule = DueDateRule::NextDay;
        p->out.dueDate = NextDayDepositDueDate(day);
      }
      // Accumulation begins anew the next day.
      accumulated = 0.0;
      pending.clear();
      if (!semiweekly) {
        semiweekly = true;
        periodKey = -1;
      }
    }
    i = next;
  }
}

// The deposit due dates of the period under the schedule, each with the day its averaged liability is
// taken to arise: the last day of each month, of each semiweekly period, or (entered due dates) of the
// latest liability due that day, but never after the period.
std::vector<Work> AveragedLiabilities(const DepositPenaltyWorksheet& w) {
  std::vector<Work> work;
  auto add = [&](DayNumber date, DayNumber due, DueDateRule rule) {
    Work item;
    item.out.date = date;
    item.out.dueDate = due;
    item.out.rule = rule;
    item.order = static_cast<int>(work.size());
    work.push_back(item);
  };
  switch (w.schedule) {
    case DepositSchedule::Monthly:
      for (DayNumber d = w.periodStart; IsDate(d) && d <= w.periodEnd;) {
        DayNumber end = d;
        EndOfMonth(end);
        const DayNumber date = std::min(end, w.periodEnd);
        add(date, MonthlyDepositDueDate(date), DueDateRule::Monthly);
        d = AddDays(end, 1);
      }
      break;
    case DepositSchedule::Semiweekly:
      for (DayNumber d = w.periodStart; IsDate(d) && d <= w.periodEnd;) {
        const DayNumber end = SemiweeklyPeriodEnd(d);
        add(std::min(end, w.periodEnd), SemiweeklyDepositDueDate(d), DueDateRule::Semiweekly);
        d = AddDays(end, 1);
      }
      break;
    case DepositSchedule::Dates: {
      std::vector<std::pair<DayNumber, DayNumber>> dues;  // due date, latest liability due then
      for (const DepositLiability& l : w.liabilities) {
        const DayNumber due = LastTimelyDay(l.dueDate);
        auto it = std::find_if(dues.begin(), dues.end(), [&](const auto& p) { return p.first == due; });
        if (it == dues.end()) {
          dues.emplace_back(due, l.date);
        } else {
          it->second = std::max(it->second, l.date);
        }
      }
      std::sort(dues.begin(), dues.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
      for (const auto& [due, date] : dues) add(date, due, DueDateRule::Entered);
      break;
    }
  }
  Amount total = 0.0;
  for (const DepositLiability& l : w.liabilities) total += l.amount;
  if (work.empty()) return work;
  // Whole cents each; the last due date takes the cents left over.
  const double n = static_cast<double>(work.size());
  const Amount share = std::floor(total / n);
  for (Work& item : work) item.out.amount = share;
  work.back().out.amount = total - share * (n - 1.0);
  return work;
}

void Apply(Work& target, int index, const TaxDeposit& deposit, bool designated, Amount& left) {
  const Amount part = std::min(left, target.open);
  if (part <= 0.0) return;
  DepositApplication a;
  a.deposit = index;
  a.date = deposit.date;
  a.amount = part;
  a.direct = deposit.direct;
  a.designated = designated;
  target.out.applications.push_back(a);
  target.open -= part;
  left -= part;
}

// 6656(e): a deposit pays the liability its depositor designated; otherwise, and with what is left, the
// most recent liability already due, then the older ones, then those not yet due, earliest due first.
void ApplyDeposit(const DepositPenaltyWorksheet& w, std::vector<Work>& work, int index) {
  const TaxDeposit& deposit = w.deposits[index];
  Amount left = deposit.amount;
  if (IsDate(deposit.designated)) {
    for (Work& item : work) {
      // An averaged liability stands for its whole deposit period: the first one ending on or after
      // the designated day.
      const bool match =
          w.averaged ? item.out.date >= deposit.designated : item.out.date == deposit.designated;
      if (!match) continue;
      Apply(item, index, deposit, true, left);
      if (w.averaged) break;
    }
  }
  std::vector<Work*> due;
  std::vector<Work*> notDue;
  for (Work& item : work) {
    if (item.open <= 0.0) continue;
    (item.out.dueDate <= deposit.date ? due : notDue).push_back(&item);
  }
  std::stable_sort(due.begin(), due.end(), [](const Work* a, const Work* b) {
    if (a->out.date != b->out.date) return a->out.date > b->out.date;
    return a->order > b->order;
  });
  for (Work* item : due) Apply(*item, index, deposit, false, left);
  // Most deposits are spent on what is due: the liabilities of the rest of the period are ordered only
  // when something is left for them (a year of daily payrolls sorted them for every deposit).
  if (left <= 0.0) return;
  std::stable_sort(notDue.begin(), notDue.end(), [](const Work* a, const Work* b) {
    if (a->out.dueDate != b->out.dueDate) return a->out.dueDate < b->out.dueDate;
    return a->out.date < b->out.date;
  });
  for (Work* item : notDue) Apply(*item, index, deposit, false, left);
}

// The last day before the 15% rate, for a liability due before the notice or the demand.
DayNumber LastDayBeforeFifteen(const DepositPenaltyWorksheet& w, DayNumber dueDate) {
  DayNumber last = NO_DATE;
  if (IsDate(w.firstNotice) && dueDate < w.firstNotice) last = AddDays(w.firstNotice, 10);
  if (IsDate(w.demand) && dueDate < w.demand && (!IsDate(last) || w.demand < last)) last = w.demand;
  return last;
}

// Treas. Reg. 31.6302-1(f)(3): under the monthly rule, the due date of the return; under the semiweekly
// and next-day rules, SemiweeklyShortfallMakeupDate, or the due date of the return if that is earlier.
DayNumber MakeupDate(const DepositPenaltyWorksheet& w, const LiabilityPenalty& l) {
  const DayNumber returnDue = ReturnDueDate(w.periodEnd);
  switch (l.rule) {
    case DueDateRule::Monthly:
      return returnDue;
    case DueDateRule::Semiweekly:
    case DueDateRule::NextDay:
      return std::min(SemiweeklyShortfallMakeupDate(l.dueDate), returnDue);
    case DueDateRule::Entered:
      break;
  }
  return NO_DATE;
}

// Treas. Reg. 31.6302-1(f): whether the shortfall of the deposit obligation the liability belongs to
// (every liability due the same day under the same rule: the paydays of one month, or of one semiweekly
// period) is forgiven: at most $100 or 2% of the obligation, and all of it paid by the makeup date
// (deposited, or under the monthly rule also paid with the return).
bool ShortfallMadeUp(const std::vector<Work>& work, const LiabilityPenalty& l) {
  if (!IsDate(l.makeupDate)) return false;
  Amount required = 0.0;
  Amount shortfall = 0.0;
  for (const Work& other : work) {
    if (other.out.dueDate != l.dueDate || other.out.rule != l.rule) continue;
    if (other.open > 0.0) return false;
    required += other.out.amount;
    for (const DepositApplication& a : other.out.applications) {
      if (!a.direct && a.date <= l.dueDate) continue;
      if (a.date > l.makeupDate || (a.direct && l.rule != DueDateRule::Monthly)) return false;
      shortfall += a.amount;
    }
  }
  return shortfall > 0.0 && (shortfall <= kShortfallAllowance || shortfall * 100.0 <= required * 2.0);
}

// Whether the period's taxes are below the de minimis limit and all paid by the due date of the return.
bool DeMinimis(const DepositPenaltyWorksheet& w, const std::vector<Work>& work, Amount totalLiability) {
  if (totalLiability >= kDeMinimisLimit) return false;
  const DayNumber returnDue = ReturnDueDate(w.periodEnd);
  for (const Work& item : work) {
    if (item.open > 0.0) return false;
    for (const DepositApplication& a : item.out.applications) {
      if (a.date > returnDue) return false;
    }
  }
  return true;
}

void FigurePenalty(const DepositPenaltyWorksheet& w, Work& item, bool deMinimis) {
  LiabilityPenalty& l = item.out;
  l.lastDayBeforeFifteen = LastDayBeforeFifteen(w, l.dueDate);
  const bool fifteen = IsDate(l.lastDayBeforeFifteen);
  if (item.open > 0.0) {
    DepositApplication unpaid;
    unpaid.amount = item.open;
    l.applications.push_back(unpaid);
    l.unpaid = item.open;
  }
  for (DepositApplication& a : l.applications) {
    if (a.deposit < 0) {
      // Never paid: the failure is for more than 15 days, and past the notice when there was one.
      a.rate = fifteen ? 15 : 10;
    } else {
      a.daysLate = std::max(0, a.date - l.dueDate);
      a.rate = DepositPenaltyRate(a.daysLate, a.direct, fifteen && a.date > l.lastDayBeforeFifteen);
      if ((l.safeHarbor || deMinimis) && a.rate > 0) {
        a.excused = true;
        a.rate = 0;
      }
    }
    a.penalty = RoundedToCents(a.amount * a.rate / 100.0);
    l.penalty += a.penalty;
  }
}

}  // namespace

std::string DepositScheduleText(DepositSchedule schedule) {
  switch (schedule) {
    case DepositSchedule::Monthly:
      return "Monthly";
    case DepositSchedule::Semiweekly:
      return "Semiweekly";
    case DepositSchedule::Dates:
      return "Due dates as entered";
  }
  return {};
}

std::string DueDateRuleText(DueDateRule rule) {
  switch (rule) {
    case DueDateRule::Monthly:
      return "by the monthly rule";
    case DueDateRule::Semiweekly:
      return "by the semiweekly rule";
    case DueDateRule::NextDay:
      return "by the $100,000 next-day rule";
    case DueDateRule::Entered:
      return "as entered";
  }
  return {};
}

std::string HowPaidText(const DepositApplication& a) {
  if (a.deposit < 0) return "never paid";
  std::string text = a.direct ? "direct" : "deposited";
  if (a.designated) text += ", designated";
  return text;
}

int DepositPenaltyRate(int daysLate, bool direct, bool afterFifteenDate) {
  if (afterFifteenDate) return 15;
  if (direct) return 10;
  if (daysLate <= 0) return 0;
  if (daysLate <= 5) return 2;
  if (daysLate <= 15) return 5;
  return 10;
}

std::optional<DepositWorksheetError> CheckDepositWorksheet(const DepositPenaltyWorksheet& w) {
  if (!IsDate(w.periodStart) || !IsDate(w.periodEnd) || w.periodEnd < w.periodStart)
    return Error(kPeriodId, -1, -1);
  if (w.periodEnd - w.periodStart > kLongestPeriodDays) return Error(kPeriodTooLongId, -1, -1);
  for (std::size_t i = 0; i < w.liabilities.size(); ++i) {
    const DepositLiability& l = w.liabilities[i];
    const int row = static_cast<int>(i);
    if (!IsDate(l.date)) return Error(kLiabilityDateId, row, -1);
    if (!InPeriod(w, l.date)) return Error(kLiabilityOutsideId, row, -1, l.date);
    if (l.amount < 0.0) return Error(kLiabilityNegativeId, row, -1, l.date);
    if (w.schedule == DepositSchedule::Dates && !IsDate(l.dueDate))
      return Error(kLiabilityDueDateId, row, -1, l.date);
    if (IsDate(l.dueDate) && l.dueDate < l.date) return Error(kDueBeforeLiabilityId, row, -1, l.date);
  }
  for (std::size_t i = 0; i < w.deposits.size(); ++i) {
    const TaxDeposit& d = w.deposits[i];
    const int row = static_cast<int>(i);
    if (!IsDate(d.date)) return Error(kDepositDateId, -1, row);
    if (!(d.amount > 0.0)) return Error(kDepositAmountId, -1, row, d.date);
    if (!IsDate(d.designated)) continue;
    const bool known = w.averaged
                           ? InPeriod(w, d.designated)
                           : std::any_of(w.liabilities.begin(), w.liabilities.end(),
                                         [&](const DepositLiability& l) { return l.date == d.designated; });
    if (!known) return Error(kDesignationId, -1, row, d.date, d.designated);
  }
  return std::nullopt;
}

DepositPenaltyResult ComputeDepositPenalty(const DepositPenaltyWorksheet& w) {
  DepositPenaltyResult result;
  result.error = CheckDepositWorksheet(w);
  if (result.error) return result;

  std::vector<Work> work;
  if (w.averaged) {
    work = AveragedLiabilities(w);
  } else {
    for (std::size_t i = 0; i < w.liabilities.size(); ++i) {
      Work item;
      item.out.liability = static_cast<int>(i);
      item.out.date = w.liabilities[i].date;
      item.out.amount = w.liabilities[i].amount;
      item.order = static_cast<int>(i);
      work.push_back(item);
    }
    std::stable_sort(work.begin(), work.end(),
                     [](const Work& a, const Work& b) { return a.out.date < b.out.date; });
    if (w.schedule == DepositSchedule::Dates) {
      for (Work& item : work) {
        item.out.rule = DueDateRule::Entered;
        item.out.dueDate = LastTimelyDay(w.liabilities[item.out.liability].dueDate);
      }
    } else {
      AssignDueDates(w, work);
    }
  }
  for (Work& item : work) {
    item.open = item.out.amount;
    result.totalLiability += item.out.amount;
  }

  // Deposits are applied in the order they were made; those of one day in the order entered.
  std::vector<int> order(w.deposits.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return w.deposits[a].date < w.deposits[b].date; });
  for (int index : order) {
    result.totalDeposits += w.deposits[index].amount;
    ApplyDeposit(w, work, index);
  }

  for (Work& item : work) item.out.makeupDate = MakeupDate(w, item.out);
  for (Work& item : work) item.out.safeHarbor = ShortfallMadeUp(work, item.out);
  result.deMinimis = DeMinimis(w, work, result.totalLiability);

  Amount applied = 0.0;
  for (Work& item : work) {
    for (const DepositApplication& a : item.out.applications) applied += a.amount;
    FigurePenalty(w, item, result.deMinimis);
    result.totalUnpaid += item.out.unpaid;
    result.totalPenalty += item.out.penalty;
    result.liabilities.push_back(std::move(item.out));
  }
  result.excessDeposits = result.totalDeposits - applied;
  return result;
}

}  // namespace zarvic
