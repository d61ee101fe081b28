#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/Dates.h"
#include "ratetables/FederalTable.h"
#include "worksheets/EstimatedTax.h"

namespace zarvic {

// Readable failures: "09-15-09 81300".
inline void PrintTo(const DatedAmount& a, std::ostream* os) {
  *os << FormatDate(a.date, false) << ' ' << a.amount;
}

}  // namespace zarvic

namespace zarvic::esttax_test {

// The federal rates, built once from the readable history the shipped table is made from.
inline const RateTable& FederalRates() {
  static const RateTable table = [] {
    RateTable t;
    std::string error;
    if (!BuildFederalTable(ZARVIC_SOURCE_DIR "/data/federal-rates.csv", t, error)) ADD_FAILURE() << error;
    return t;
  }();
  return table;
}

inline DayNumber D(const char* text) {
  bool ok = false;
  const DayNumber d = ParseDate(text, ok);
  EXPECT_TRUE(ok) << text;
  return d;
}

// Whole dollars (the forms' figures) in cents.
inline constexpr Amount Dollars(double dollars) {
  return dollars * 100.0;
}

inline EstimatedTaxWorksheet GivenInstallments(int year, Amount a, Amount b, Amount c, Amount d) {
  EstimatedTaxWorksheet sheet;
  sheet.taxYear = year;
  sheet.basis = InstallmentBasis::Given;
  sheet.installments = {a, b, c, d};
  return sheet;
}

// Publication 505 (2006), Figure 4-B, Regular Installment Method (Ben Brown), Form 2210 (2005): the
// required annual payment from the annual figures (7,031 tax; line 8's 6,116 as the prior year's tax),
// 3,228 withheld, and 1,000 paid on 9/2/05 and on 1/12/06. Its addition is 68.51.
inline EstimatedTaxWorksheet BenBrown2005() {
  EstimatedTaxWorksheet sheet;
  sheet.taxYear = 2005;
  sheet.currentYearTax = Dollars(7031);
  sheet.priorYearTax = Dollars(6116);
  sheet.withholding = Dollars(3228);
  sheet.payments = {{D("09-02-05"), Dollars(1000)}, {D("01-12-06"), Dollars(1000)}};
  return sheet;
}

// A line as the tests write it: which installment and rate period, unpaid amount, days, addition.
struct ExpectedLine {
  int installment;
  int ratePeriod;
  Amount unpaid;
  int days;
  Amount addition;
};

inline void ExpectLines(const EstimatedTaxResult& result, const std::vector<ExpectedLine>& expected) {
  std::vector<ExpectedLine> actual;
  for (size_t i = 0; i < result.installments.size(); ++i) {
    for (const EstimatedTaxLine& line : result.installments[i].lines) {
      actual.push_back({static_cast<int>(i), line.ratePeriod, line.unpaid, line.days, line.addition});
    }
  }
  ASSERT_EQ(expected.size(), actual.size());
  for (size_t k = 0; k < expected.size(); ++k) {
    SCOPED_TRACE("line " + std::to_string(k));
    EXPECT_EQ(expected[k].installment, actual[k].installment);
    EXPECT_EQ(expected[k].ratePeriod, actual[k].ratePeriod);
    EXPECT_EQ(expected[k].unpaid, actual[k].unpaid);
    EXPECT_EQ(expected[k].days, actual[k].days);
    EXPECT_EQ(expected[k].addition, actual[k].addition);
  }
}

struct ExpectedPeriod {
  const char* start;
  const char* end;
  double rate;
  int daysInYear;
};

inline void ExpectRatePeriods(const EstimatedTaxResult& result, const std::vector<ExpectedPeriod>& expected) {
  ASSERT_EQ(expected.size(), result.ratePeriods.size());
  for (size_t k = 0; k < expected.size(); ++k) {
    SCOPED_TRACE("rate period " + std::to_string(k));
    EXPECT_EQ(D(expected[k].start), result.ratePeriods[k].start);
    EXPECT_EQ(D(expected[k].end), result.ratePeriods[k].end);
    EXPECT_EQ(expected[k].rate, result.ratePeriods[k].rate);
    EXPECT_EQ(expected[k].daysInYear, result.ratePeriods[k].daysInYear);
  }
}

}  // namespace zarvic::esttax_test
