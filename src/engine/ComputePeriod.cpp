#include "engine/ComputePeriod.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "ratetables/RateTable.h"

namespace zarvic {
namespace {

constexpr int kInternalDateErrorId = 18011;

// The day terms of the factors divide by the days per year; an invalid code (0) earns no day interest
// rather than an infinite factor. Tables never carry such a code.
double PerYear(double numerator, double daysPerYear) {
  return daysPerYear > 0.0 ? numerator / daysPerYear : 0.0;
}

// (1 + perDay)^days - 1, the factor of a daily period. The power is the costly part, and periods
// between weekly or monthly payments ask for the same few day counts at one rate over and over (the
// allocation's runs and the penalty computations the more so): the last ones asked for are kept. The
// same power of the same numbers is the same number, so nothing changes but the time.
double DailyFactor(double perDay, int days) {
  struct Entry {
    double perDay = 0.0;
    int days = -1;
    double factor = 0.0;
  };
  thread_local std::array<Entry, 64> kept;
  Entry& entry = kept[(static_cast<std::size_t>(days) * 7 + std::bit_cast<std::uint64_t>(perDay) % 61) % kept.size()];
  if (entry.days != days || std::bit_cast<std::uint64_t>(entry.perDay) != std::bit_cast<std::uint64_t>(perDay)) {
    entry = {perDay, days, std::pow(1 + perDay, days) - 1};
  }
  return entry.factor;
}

}  // namespace

bool SplitOldIrsPeriod(DayNumber start, DayNumber end, bool monthlyBreaks, int& years, int& months,
                       int& days) {
  days = DayOf(end) - DayOf(start);
  int month = MonthOf(end);
  int year = YearOf(end);
  while (days < 0) {
    if (month == 1) {
      days += 31;  // December
      month = 12;
      --year;
    } else {
      days += DaysInMonth(month - 1, year);
      --month;
    }
  }
  months = month - MonthOf(start);
  years = year - YearOf(start);
  if (months < 0) {
    months += 12;
    --years;
  }
  if (years < 0 || months < 0 || days < 0) return false;
  if (monthlyBreaks) {
    if (IsLastDayOfMonth(start) && IsLastDayOfMonth(end)) {
      months = 1;
      days = 0;
    } else if (months == 0 && days == 1) {
      days = 0;
    }
  }
  return true;
}

void ComputePeriod(ComputeState& state, Amount principal, DayNumber start, DayNumber end, int mode,
                   double daysPerYear, double rate, double normalRate, ComputeResults& node) {
  const double V = daysPerYear;
  const bool afterGattStart = end > kGattStartDate;
  const bool afterReducedRefund = end > kReducedRefundDate;

  // Hot interest: 2 points more on normal tax, 120% of the hot rate on motivated tax.
  double t = rate;
  node.m_hot = 0;
  if (state.m_hotInEffect && principal >= 0) {
    t = rate == normalRate ? rate + 2.0 : (normalRate + 2.0) * 1.2;
    node.m_hot = 1;
  }

  // The rates shown; only the Daily mode computes with the reduced C-corporation refund rate.
  node.m_normalRate = t - (state.m_gattApplies && principal < 0 && afterReducedRefund ? 1.0 : 0.0);
  node.m_gattRate = std::max(afterReducedRefund ? t - 2.5 : afterGattStart ? t - 1.5 : t, 0.0);

  double r = t / 100.0;
  const std::int16_t n = static_cast<std::int16_t>(static_cast<std::uint16_t>(end - start));
  node.m_start = start;
  node.m_end = end;
  node.m_years = 0;
  node.m_months = 0;
  node.m_days = n;
  node.m_mode = static_cast<std::int16_t>(mode);
  node.m_normalPrincipal = principal;
  node.m_gattPrincipal = state.m_gattApplies ? state.m_gatt : 0.0;
  node.m_normalInterest = 0.0;
  node.m_normalFactor = 0.0;
  node.m_gattInterest = 0.0;
  node.m_gattFactor = 0.0;
  if (n <= 0) return;

  double rG = std::max(afterGattStart ? r - 0.015 : r, 0.0);
  double factor = 0.0;
  double gattFactor = 0.0;
  switch (mode) {
    case kModeOldIrs: {
      state.m_nonDailyRefundMode = true;
      int years = 0, months = 0, days = 0;
      if (!SplitOldIrsPeriod(start, end, state.m_monthlyBreaks, years, months, days)) {
        // The table has a number but no text for this one; never show an empty box.
        if (HasString(kInternalDateErrorId)) {
          MessageBoxId(kInternalDateErrorId);
        } else {
          MessageBoxText("Internal date error (18011)");
        }
        break;
      }
      node.m_years = static_cast<std::int16_t>(years);
      node.m_months = static_cast<std::int16_t>(months);
      node.m_days = static_cast<std::int16_t>(days);
      factor = months * r / 12 + years * r + PerYear(days * r, V);
      gattFactor = months * rG / 12 + years * rG + PerYear(days * rG, V);
      break;
    }
    case kModeFactorSum:
      // The line's "rate" is the factor of the whole period, whatever its length: scale it to an annual
      // rate over the period's days and compute as Simple.
      r = r * V / n;
      rG = std::max(afterGattStart ? r - 0.015 : r, 0.0);
      [[fallthrough]];
    case kModeSimple:
      state.m_nonDailyRefundMode = true;
      factor = PerYear(n * r, V);
      gattFactor = PerYear(n * rG, V);
      break;
    case kModeMonthly: {
      state.m_nonDailyRefundMode = true;
      int months = 0, days = 0;
      MonthsAndDays(start, end, months, days);
      node.m_months = static_cast<std::int16_t>(months);
      node.m_days = static_cast<std::int16_t>(days);
      factor = std::pow(1 + r / 12, months) * (1 + PerYear(days * r, V)) - 1;
      gattFactor = std::pow(1 + rG / 12, months) * (1 + PerYear(days * rG, V)) - 1;
      break;
    }
    case kModeMonthlyWhole: {
      int months = MonthsBetween(AddDays(start, 1), end) + 1;
      node.m_months = static_cast<std::int16_t>(months);
      node.m_days = 0;
      factor = std::pow(1 + r / 12, months) - 1;
      gattFactor = std::pow(1 + rG / 12, months) - 1;
      break;
    }
    default: {  // Daily, and every other code (PQUARTERLY and PMONTHLY compound daily within the period)
      const bool reducedRefund = afterReducedRefund && principal <= 0;
      // A reduction never turns a refund rate into a charge.
      if (state.m_gattApplies && reducedRefund) r = std::max(r - 0.01, 0.0);
      factor = DailyFactor(PerYear(r, V), n);
      if (state.m_gatt > 0) node.m_gattPrincipal = 0.0;  // waits to be netted, earns nothing here
      if (reducedRefund) rG = std::max(rG - 0.01, 0.0);
      // Used only when GATT applies; the power is the costly part of a daily period.
      if (state.m_gattApplies) gattFactor = DailyFactor(PerYear(rG, V), n);
      break;
    }
  }

  node.m_normalFactor = factor;
  node.m_normalInterest = principal * factor;
  if (state.m_gattApplies) {
    node.m_gattFactor = gattFactor;
    node.m_gattInterest = node.m_gattPrincipal * gattFactor;
  }
  if (!state.m_interestRunning) {
    node.m_normalInterest = 0.0;
    node.m_normalFactor = 0.0;
    node.m_gattInterest = 0.0;
    node.m_gattFactor = 0.0;
  }
  RoundAmount(node.m_gattInterest);
  RoundAmount(node.m_normalInterest);

  if (mode != kModeDaily && mode != kModeMonthly && mode != kModeMonthlyWhole) {
    node.m_balance = principal + state.m_accruedMotivated + state.m_accrued + state.m_accruedRefund;
  }
}

}  // namespace zarvic
