#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/Amounts.h"
#include "core/Dates.h"
#include "ratetables/RateTable.h"

namespace zarvic {

// The addition to tax for underpaid estimated tax: IRC 6654 (individuals, Form 2210 and 2210-F) and
// IRC 6655 (corporations, Form 2220), figured as a worksheet outside the event list. Amounts are cents
// (Amount); every figure is exact to the cent and each line of the addition is rounded half up.

enum class EstimatedTaxFiler { Individual, Corporation, LargeCorporation };

// How the required installments are found.
enum class InstallmentBasis {
  Regular,     // equal parts of the required annual payment (the large corporation's rule applied)
  Given,       // entered as they stand (for example the last line of Schedule AI)
  Annualized,  // annualized (or adjusted seasonal) installments, compared with the regular ones
};

struct DatedAmount {
  DayNumber date = NO_DATE;
  Amount amount = 0.0;
  bool operator==(const DatedAmount&) const = default;
};

inline constexpr int kMaxEstimatedInstallments = 4;

struct EstimatedTaxWorksheet {
  EstimatedTaxFiler filer = EstimatedTaxFiler::Individual;
  int taxYear = 0;                      // full year in which the tax year begins
  DayNumber fiscalYearStart = NO_DATE;  // the first day of a fiscal year; unset for a calendar year

  // The required annual payment as entered; when unset it is figured from the annual figures.
  std::optional<Amount> requiredAnnualPayment;
  std::optional<Amount> currentYearTax;  // the tax shown on the return for the year
  std::optional<Amount> priorYearTax;    // the prior year's tax; unset when no return was filed for it
  bool priorYearFull = true;             // the prior year was a year of 12 months
  std::optional<Amount> priorYearAgi;    // individuals: the prior year's adjusted gross income
  bool marriedFilingSeparately = false;
  bool farmerOrFisherman = false;

  // Withholding is paid in equal parts on the due dates unless its actual dates are elected.
  Amount withholding = 0.0;
  bool withholdingOnActualDates = false;
  std::vector<DatedAmount> withheldOnDates;

  std::vector<DatedAmount> payments;  // estimated tax paid, in any order

  InstallmentBasis basis = InstallmentBasis::Regular;
  std::array<Amount, kMaxEstimatedInstallments> installments{};  // Given or Annualized

  DayNumber computeThrough = NO_DATE;  // unset: through the end of the period

  bool IsCorporation() const { return filer != EstimatedTaxFiler::Individual; }
  // The withholding of the year, whichever way it is entered.
  Amount TotalWithholding() const;
  bool operator==(const EstimatedTaxWorksheet&) const = default;
};

// A run of days at one rate and one length of year (days start..end, both included).
struct EstimatedTaxRatePeriod {
  DayNumber start = NO_DATE;
  DayNumber end = NO_DATE;
  double rate = 0.0;  // annual percent
  int daysInYear = 365;
};

// One line of the addition: an amount of one installment's underpayment, unpaid over one rate period
// from `from` (excluded) up to `to` (a payment date or the end of the period, included).
struct EstimatedTaxLine {
  int ratePeriod = 0;  // index into EstimatedTaxResult::ratePeriods
  DayNumber from = NO_DATE;
  DayNumber to = NO_DATE;
  Amount unpaid = 0.0;
  int days = 0;
  double rate = 0.0;
  int daysInYear = 365;
  Amount addition = 0.0;  // unpaid x days x rate / days in year, rounded half up to the cent
};

// One required installment, with the figures of Form 2210 Part III (Form 2220 Part IV).
struct EstimatedTaxInstallment {
  DayNumber dueDate = NO_DATE;         // as the form prints it: the 15th of the month
  DayNumber lastTimelyDay = NO_DATE;   // the next business day when the due date is not one (IRC 7503)
  Amount regular = 0.0;                // the installment before the annualized comparison
  Amount required = 0.0;               // line 18 (Form 2220 line 9)
  Amount paidInPeriod = 0.0;           // line 19: payments and withholding of the period
  Amount overpaymentIn = 0.0;          // line 20: the previous column's overpayment
  Amount earlierUnpaid = 0.0;          // line 22: earlier underpayments still unpaid
  Amount available = 0.0;              // line 23: what is left for this installment
  Amount underpayment = 0.0;           // line 25
  Amount overpayment = 0.0;            // line 26
  std::vector<DatedAmount> paidLater;  // later payments applied to this underpayment, in order
  std::vector<EstimatedTaxLine> lines;
  Amount addition = 0.0;
};

struct EstimatedTaxResult {
  int errorId = 0;  // a string id when the worksheet cannot be computed; nothing else is then set
  Amount requiredAnnualPayment = 0.0;
  double priorYearPercent = 100.0;  // of the prior year's tax, as the required annual payment uses it
  DayNumber periodEnd = NO_DATE;    // 15th day of the 4th (3rd) month after the year
  DayNumber computedThrough = NO_DATE;
  std::vector<EstimatedTaxInstallment> installments;
  std::vector<EstimatedTaxRatePeriod> ratePeriods;
  Amount total = 0.0;
  int reasonId = 0;             // why there is no addition (string id); 0 when there is one
  std::vector<int> cautionIds;  // computed all the same, but worth a word

  bool Ok() const { return errorId == 0; }
};

// Message ids of the worksheet.
inline constexpr int kEstTaxUnderThousand = 21350;
inline constexpr int kEstTaxUnderFiveHundredIndividual = 21351;
inline constexpr int kEstTaxNoPriorLiability = 21352;
inline constexpr int kEstTaxUnderFiveHundredCorporation = 21353;
inline constexpr int kEstTaxPaidInFull = 21354;
inline constexpr int kEstTaxNeedsYear = 21355;
inline constexpr int kEstTaxBadFiscalStart = 21356;
inline constexpr int kEstTaxNeedsRequiredPayment = 21357;
inline constexpr int kEstTaxFarmerAnnualized = 21358;
inline constexpr int kEstTaxIndividualOnly = 21359;
inline constexpr int kEstTaxUndatedPayment = 21360;
inline constexpr int kEstTaxNegativeAmount = 21361;
inline constexpr int kEstTaxNoRates = 21362;
inline constexpr int kEstTaxBeyondTable = 21363;
inline constexpr int kEstTaxUnderACent = 21364;

// The tax years the worksheet figures (those the calendar and the rate tables reach).
inline constexpr int kFirstEstimatedTaxYear = 1955;
inline constexpr int kLastEstimatedTaxYear = 2098;
inline constexpr bool IsEstimatedTaxYear(int year) {
  return year >= kFirstEstimatedTaxYear && year <= kLastEstimatedTaxYear;
}

// The due dates of the required installments (four; one, January 15, for a farmer or fisherman).
std::vector<DayNumber> EstimatedTaxDueDates(const EstimatedTaxWorksheet& sheet);
// The 15th day of the 4th month after the close of the year (IRC 6654(c)(2), 6655(b)(2)(A)); for a
// corporation the 3rd month for years beginning before 2016 and for years ending June 30 that begin
// before 2026.
DayNumber EstimatedTaxPeriodEnd(const EstimatedTaxWorksheet& sheet);
// Parts of total in cents that add up to it exactly: part k is round(total*k/n) - round(total*(k-1)/n).
std::vector<Amount> EqualParts(Amount total, int n);

EstimatedTaxResult ComputeEstimatedTax(const EstimatedTaxWorksheet& sheet, const RateTable& table);

}  // namespace zarvic
