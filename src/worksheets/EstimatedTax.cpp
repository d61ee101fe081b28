#include "worksheets/EstimatedTax.h"

#include <algorithm>
#include <deque>

#include "ratetables/TableOperations.h"
#include "worksheets/BusinessDays.h"

namespace zarvic {

namespace {

constexpr Amount kCentsPerDollar = 100.0;

// amount x num / den to the cent, half up; the product is exact for any amount the worksheet holds.
Amount Scaled(Amount cents, double num, double den) {
  return RoundedToCents(cents * num / den);
}

int DaysInYearOf(DayNumber d) {
  return DaysInMonth(2, YearOf(d)) == 29 ? 366 : 365;
}

DayNumber YearStart(const EstimatedTaxWorksheet& sheet) {
  return IsDate(sheet.fiscalYearStart) ? sheet.fiscalYearStart : MakeDate(1, 1, sheet.taxYear);
}

// The given day of the month that lies `months` months after the first month of the tax year (0 is
// the first month itself).
DayNumber DayOfYearMonth(const EstimatedTaxWorksheet& sheet, int months, int day) {
  const DayNumber start = YearStart(sheet);
  const int index = (YearOf(start) + 1900) * 12 + MonthOf(start) - 1 + months;
  return MakeDate(index % 12 + 1, day, index / 12);
}

bool IsIndividual(const EstimatedTaxWorksheet& sheet) {
  return !sheet.IsCorporation();
}

int BeginYear(const EstimatedTaxWorksheet& sheet) {
  return YearOf(YearStart(sheet)) + 1900;
}

// Months after the first month of the year of the day that ends the period of underpayment: the 15th
// day of the 4th month after the close (month 15), or of the 3rd (month 14).
int PeriodEndMonth(const EstimatedTaxWorksheet& sheet) {
  constexpr int kFourthMonthAfter = 15;
  constexpr int kThirdMonthAfter = 14;
  if (IsIndividual(sheet)) return kFourthMonthAfter;
  // The corporate return moved to the 4th month for years beginning after 2015, and with it the end of
  // the period (6655(b)(2)(A)); a year ending June 30 moves only for years beginning after 2025.
  const int begins = BeginYear(sheet);
  const bool endsJune30 = MonthOf(YearStart(sheet)) == 7;
  if (begins <= 2015 || (endsJune30 && begins <= 2025)) return kThirdMonthAfter;
  return kFourthMonthAfter;
}

// The percentage of the prior year's tax an individual pays (6654(d)(1)(C)), by the calendar year in
// which the prior year began, in tenths of a percent. The rule began with years after 1993; the
// rule of 1991 to 1993 (which needed the current year's income) is not figured here.
int PriorYearTenths(const EstimatedTaxWorksheet& sheet) {
  constexpr int kFull = 1000;
  if (sheet.farmerOrFisherman || !sheet.priorYearAgi) return kFull;
  const Amount threshold = (sheet.marriedFilingSeparately ? 75000.0 : 150000.0) * kCentsPerDollar;
  if (*sheet.priorYearAgi <= threshold) return kFull;
  const int prior = BeginYear(sheet) - 1;
  if (prior < 1993 || prior == 1997) return kFull;
  if (prior <= 1996) return 1100;
  switch (prior) {
    case 1998:
      return 1050;
    case 1999:
      return 1086;
    case 2001:
      return 1120;
    default:
      return 1100;
  }
}

bool PriorYearUsable(const EstimatedTaxWorksheet& sheet) {
  if (!sheet.priorYearTax || !sheet.priorYearFull) return false;
  // A corporation may use only a prior year whose return showed a tax (6655(d)(1)(B)(ii)).
  return IsIndividual(sheet) || *sheet.priorYearTax > 0.0;
}

int Validate(const EstimatedTaxWorksheet& sheet, const RateTable& table) {
  if (!IsEstimatedTaxYear(sheet.taxYear)) return kEstTaxNeedsYear;
  if (IsDate(sheet.fiscalYearStart) &&
      (DayOf(sheet.fiscalYearStart) != 1 || YearOf(sheet.fiscalYearStart) + 1900 != sheet.taxYear)) {
    return kEstTaxBadFiscalStart;
  }
  if (sheet.IsCorporation() && (sheet.farmerOrFisherman || sheet.marriedFilingSeparately)) {
    return kEstTaxIndividualOnly;
  }
  if (sheet.farmerOrFisherman && sheet.basis == InstallmentBasis::Annualized) return kEstTaxFarmerAnnualized;
  if (sheet.basis != InstallmentBasis::Given && !sheet.requiredAnnualPayment && !sheet.currentYearTax) {
    return kEstTaxNeedsRequiredPayment;
  }
  auto negative = [](const std::optional<Amount>& a) { return a && *a < 0.0; };
  if (negative(sheet.requiredAnnualPayment) || negative(sheet.currentYearTax) ||
      negative(sheet.priorYearTax) || negative(sheet.priorYearAgi) || sheet.withholding < 0.0) {
    return kEstTaxNegativeAmount;
  }
  for (Amount a : sheet.installments) {
    if (a < 0.0) return kEstTaxNegativeAmount;
  }
  for (const auto* list : {&sheet.payments, &sheet.withheldOnDates}) {
    for (const DatedAmount& p : *list) {
      if (!IsDate(p.date)) return kEstTaxUndatedPayment;
      if (p.amount < 0.0) return kEstTaxNegativeAmount;
    }
  }
  if (!table.IsLoaded()) return kEstTaxNoRates;
  return 0;
}

// The required annual payment, and the percentage of the prior year's tax it allows.
Amount RequiredAnnualPayment(const EstimatedTaxWorksheet& sheet, double& priorPercent) {
  priorPercent = 100.0;
  if (sheet.requiredAnnualPayment) return *sheet.requiredAnnualPayment;
  const Amount tax = *sheet.currentYearTax;
  if (sheet.IsCorporation()) {
    // A large corporation may use the prior year for its first installment only (RegularInstallments).
    if (sheet.filer == EstimatedTaxFiler::LargeCorporation || !PriorYearUsable(sheet)) return tax;
    return std::min(tax, *sheet.priorYearTax);
  }
  const Amount current = sheet.farmerOrFisherman ? Scaled(tax, 2.0, 3.0) : Scaled(tax, 9.0, 10.0);
  if (!PriorYearUsable(sheet)) return current;
  const int tenths = PriorYearTenths(sheet);
  priorPercent = tenths / 10.0;
  return std::min(current, Scaled(*sheet.priorYearTax, tenths, 1000.0));
}

std::vector<Amount> RegularInstallments(const EstimatedTaxWorksheet& sheet, Amount required, int count) {
  std::vector<Amount> parts = EqualParts(required, count);
  if (sheet.filer == EstimatedTaxFiler::LargeCorporation && PriorYearUsable(sheet) &&
      count == kMaxEstimatedInstallments) {
    // 6655(d)(2)(B): the first installment may rest on the prior year; what it saves is added to the
    // second.
    const Amount first = EqualParts(*sheet.priorYearTax, count)[0];
    if (first < parts[0]) {
      parts[1] += parts[0] - first;
      parts[0] = first;
    }
  }
  return parts;
}

// The lesser of each annualized and regular installment, the shortfall of a lower annualized one added
// to the next regular one until it is recaptured (Schedule AI lines 20-25, Form 2220 Schedule A).
std::vector<Amount> WithRecapture(const std::vector<Amount>& regular, const std::vector<Amount>& annualized) {
  std::vector<Amount> required(regular.size());
  Amount carried = 0.0;
  for (size_t i = 0; i < regular.size(); ++i) {
    const Amount regularWithCarry = regular[i] + carried;
    if (annualized[i] < regularWithCarry) {
      required[i] = annualized[i];
      carried = regularWithCarry - annualized[i];
    } else {
      required[i] = regularWithCarry;
      carried = 0.0;
    }
  }
  return required;
}

// A payment made after a due date but by its last timely day (IRC 7503) counts as made on the due date.
DayNumber EffectiveDate(DayNumber paid, const std::vector<DayNumber>& dueDates) {
  for (DayNumber due : dueDates) {
    if (paid > due && paid <= LastTimelyDay(due)) return due;
  }
  return paid;
}

std::vector<DatedAmount> DatedPayments(const EstimatedTaxWorksheet& sheet,
                                       const std::vector<DayNumber>& dueDates) {
  std::vector<DatedAmount> all;
  for (const DatedAmount& p : sheet.payments) all.push_back({EffectiveDate(p.date, dueDates), p.amount});
  if (sheet.withholdingOnActualDates) {
    for (const DatedAmount& w : sheet.withheldOnDates)
      all.push_back({EffectiveDate(w.date, dueDates), w.amount});
  } else if (sheet.withholding > 0.0) {
    const std::vector<Amount> parts = EqualParts(sheet.withholding, static_cast<int>(dueDates.size()));
    for (size_t i = 0; i < dueDates.size(); ++i) all.push_back({dueDates[i], parts[i]});
  }
  std::stable_sort(all.begin(), all.end(),
                   [](const DatedAmount& a, const DatedAmount& b) { return a.date < b.date; });
  return all;
}

// Payments go first to the earliest underpayment still unpaid, whatever period the payer named; what
// is left is an overpayment for the installments to come.
void ApplyPayments(const std::vector<DatedAmount>& payments, std::vector<EstimatedTaxInstallment>& columns) {
  struct Unpaid {
    size_t column;
    Amount amount;
  };
  std::deque<Unpaid> unpaid;
  Amount credit = 0.0;
  size_t next = 0;
  auto apply = [&](const DatedAmount& p) {
    Amount left = p.amount;
    while (left > 0.0 && !unpaid.empty()) {
      Unpaid& front = unpaid.front();
      const Amount part = std::min(left, front.amount);
      // Payments of one day (an estimated payment and that day's withholding) pay as one.
      std::vector<DatedAmount>& paid = columns[front.column].paidLater;
      if (!paid.empty() && paid.back().date == p.date) {
        paid.back().amount += part;
      } else {
        paid.push_back({p.date, part});
      }
      front.amount -= part;
      left -= part;
      if (front.amount <= 0.0) unpaid.pop_front();
    }
    credit += left;
  };
  Amount unpaidTotal = 0.0;
  for (size_t i = 0; i < columns.size(); ++i) {
    EstimatedTaxInstallment& c = columns[i];
    c.overpaymentIn = credit;
    c.earlierUnpaid = unpaidTotal;
    for (; next < payments.size() && payments[next].date <= c.dueDate; ++next) {
      c.paidInPeriod += payments[next].amount;
      apply(payments[next]);
    }
    c.available = credit;
    const Amount covered = std::min(credit, c.required);
    credit -= covered;
    c.underpayment = c.required - covered;
    c.overpayment = credit;
    if (c.underpayment > 0.0) unpaid.push_back({i, c.underpayment});
    unpaidTotal = 0.0;
    for (const Unpaid& u : unpaid) unpaidTotal += u.amount;
  }
  for (; next < payments.size(); ++next) apply(payments[next]);
}

// Runs of days at one rate and one length of year from `first` through `last`. For 6654 the rate of
// the 3rd month after the year also holds for the first 15 days of the 4th (6621(b)(2)(B)).
std::vector<EstimatedTaxRatePeriod> RatePeriods(const EstimatedTaxWorksheet& sheet, const RateTable& table,
                                                DayNumber first, DayNumber last) {
  std::vector<EstimatedTaxRatePeriod> periods;
  const bool fifteenDays = IsIndividual(sheet);
  const DayNumber windowStart = DayOfYearMonth(sheet, 15, 1);
  const DayNumber windowEnd = DayOfYearMonth(sheet, 15, 15);
  for (DayNumber d = first; IsDate(d) && d <= last;) {
    const bool inWindow = fifteenDays && d >= windowStart && d <= windowEnd;
    const DayNumber rateDate = inWindow ? AddDays(windowStart, -1) : d;
    const int index = LineIndexFor(table, rateDate);
    DayNumber end = last;
    if (inWindow) {
      end = std::min(end, windowEnd);
    } else {
      const DayNumber nextLine = NextLineStart(table, index);
      if (IsDate(nextLine) && nextLine > d) end = std::min<DayNumber>(end, AddDays(nextLine, -1));
      if (fifteenDays && d < windowStart) end = std::min<DayNumber>(end, AddDays(windowStart, -1));
    }
    DayNumber yearEnd = MakeDate(12, 31, YearOf(d));
    end = std::min(end, yearEnd);
    const EstimatedTaxRatePeriod run{d, end, table.lines[index].normalRate, DaysInYearOf(d)};
    if (!periods.empty() && periods.back().rate == run.rate && periods.back().daysInYear == run.daysInYear) {
      periods.back().end = end;
    } else {
      periods.push_back(run);
    }
    d = AddDays(end, 1);
  }
  return periods;
}

// One line per rate period and payment date: the parts of the underpayment paid after the period
// share one line up to its end.
void FigureLines(EstimatedTaxInstallment& c, const std::vector<EstimatedTaxRatePeriod>& periods) {
  std::vector<DatedAmount> parts = c.paidLater;
  Amount paid = 0.0;
  for (const DatedAmount& p : parts) paid += p.amount;
  if (c.underpayment > paid) parts.push_back({NO_DATE, c.underpayment - paid});
  for (size_t k = 0; k < periods.size(); ++k) {
    const EstimatedTaxRatePeriod& period = periods[k];
    if (period.end <= c.dueDate) continue;
    const DayNumber from = std::max<DayNumber>(c.dueDate, AddDays(period.start, -1));
    auto add = [&](Amount unpaid, DayNumber to) {
      EstimatedTaxLine line{static_cast<int>(k), from, to, unpaid, to - from, period.rate,
                            period.daysInYear,   0.0};
      line.addition = RoundedToCents(unpaid * line.days * line.rate / (line.daysInYear * 100.0));
      c.addition += line.addition;
      c.lines.push_back(line);
    };
    Amount pending = 0.0;
    DayNumber pendingTo = NO_DATE;
    for (const DatedAmount& p : parts) {
      const DayNumber to = IsDate(p.date) && p.date < period.end ? p.date : period.end;
      if (to <= from) continue;
      if (pending > 0.0 && to != pendingTo) {
        add(pending, pendingTo);
        pending = 0.0;
      }
      pending += p.amount;
      pendingTo = to;
    }
    if (pending > 0.0) add(pending, pendingTo);
  }
}

// The reason there is no addition at all, from the annual figures (0 when none applies).
int NoAdditionReason(const EstimatedTaxWorksheet& sheet) {
  if (sheet.IsCorporation()) {
    return sheet.currentYearTax && *sheet.currentYearTax < 500.0 * kCentsPerDollar
               ? kEstTaxUnderFiveHundredCorporation
               : 0;
  }
  if (sheet.currentYearTax) {
    // $1,000 for years beginning after 1997, $500 before.
    const bool thousand = BeginYear(sheet) >= 1998;
    const Amount threshold = (thousand ? 1000.0 : 500.0) * kCentsPerDollar;
    if (*sheet.currentYearTax - sheet.TotalWithholding() < threshold) {
      return thousand ? kEstTaxUnderThousand : kEstTaxUnderFiveHundredIndividual;
    }
  }
  if (sheet.priorYearTax && sheet.priorYearFull && *sheet.priorYearTax == 0.0) return kEstTaxNoPriorLiability;
  return 0;
}

}  // namespace

Amount EstimatedTaxWorksheet::TotalWithholding() const {
  if (!withholdingOnActualDates) return withholding;
  Amount total = 0.0;
  for (const DatedAmount& w : withheldOnDates) total += w.amount;
  return total;
}

std::vector<Amount> EqualParts(Amount total, int n) {
  std::vector<Amount> parts;
  Amount before = 0.0;
  for (int k = 1; k <= n; ++k) {
    const Amount upTo = Scaled(total, k, n);
    parts.push_back(upTo - before);
    before = upTo;
  }
  return parts;
}

std::vector<DayNumber> EstimatedTaxDueDates(const EstimatedTaxWorksheet& sheet) {
  constexpr int kDay = 15;
  if (!sheet.IsCorporation() && sheet.farmerOrFisherman) return {DayOfYearMonth(sheet, 12, kDay)};
  const int last = sheet.IsCorporation() ? 11 : 12;  // the 12th month, or the 1st of the next year
  return {DayOfYearMonth(sheet, 3, kDay), DayOfYearMonth(sheet, 5, kDay), DayOfYearMonth(sheet, 8, kDay),
          DayOfYearMonth(sheet, last, kDay)};
}

DayNumber EstimatedTaxPeriodEnd(const EstimatedTaxWorksheet& sheet) {
  return DayOfYearMonth(sheet, PeriodEndMonth(sheet), 15);
}

EstimatedTaxResult ComputeEstimatedTax(const EstimatedTaxWorksheet& sheet, const RateTable& table) {
  EstimatedTaxResult result;
  result.errorId = Validate(sheet, table);
  if (result.errorId != 0) return result;

  const std::vector<DayNumber> dueDates = EstimatedTaxDueDates(sheet);
  const int count = static_cast<int>(dueDates.size());
  std::vector<Amount> regular;
  std::vector<Amount> required;
  if (sheet.basis == InstallmentBasis::Given) {
    regular.assign(sheet.installments.begin(), sheet.installments.begin() + count);
    required = regular;
    result.requiredAnnualPayment = 0.0;
    for (Amount a : required) result.requiredAnnualPayment += a;
  } else {
    result.requiredAnnualPayment = RequiredAnnualPayment(sheet, result.priorYearPercent);
    regular = RegularInstallments(sheet, result.requiredAnnualPayment, count);
    required = sheet.basis == InstallmentBasis::Annualized
                   ? WithRecapture(regular, {sheet.installments.begin(), sheet.installments.end()})
                   : regular;
  }

  for (int i = 0; i < count; ++i) {
    EstimatedTaxInstallment c;
    c.dueDate = dueDates[i];
    c.lastTimelyDay = LastTimelyDay(dueDates[i]);
    c.regular = regular[i];
    c.required = required[i];
    result.installments.push_back(c);
  }
  ApplyPayments(DatedPayments(sheet, dueDates), result.installments);

  result.periodEnd = EstimatedTaxPeriodEnd(sheet);
  result.computedThrough =
      IsDate(sheet.computeThrough) ? std::min(sheet.computeThrough, result.periodEnd) : result.periodEnd;
  if (result.computedThrough > dueDates.front()) {
    result.ratePeriods = RatePeriods(sheet, table, AddDays(dueDates.front(), 1), result.computedThrough);
  }
  if (IsDate(table.endDate) && result.computedThrough > table.endDate)
    result.cautionIds.push_back(kEstTaxBeyondTable);

  result.reasonId = NoAdditionReason(sheet);
  bool underpaid = false;
  for (EstimatedTaxInstallment& c : result.installments) {
    underpaid = underpaid || c.underpayment > 0.0;
    if (result.reasonId == 0) FigureLines(c, result.ratePeriods);
    result.total += c.addition;
  }
  if (result.reasonId == 0 && !underpaid) result.reasonId = kEstTaxPaidInFull;
  if (result.reasonId == 0 && result.total == 0.0) result.reasonId = kEstTaxUnderACent;
  return result;
}

}  // namespace zarvic
