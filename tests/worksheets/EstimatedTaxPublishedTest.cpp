// The worked examples of IRS Publication 505, reproduced from their published inputs. The forms work
// in whole dollars; the same dollars in cents give the same lines to the cent.
#include <gtest/gtest.h>

#include "EstimatedTaxSupport.h"

namespace zarvic {
namespace {

using esttax_test::D;
using esttax_test::Dollars;
using esttax_test::ExpectLines;
using esttax_test::ExpectRatePeriods;
using esttax_test::FederalRates;

struct SectionA {
  Amount required;
  Amount paidInPeriod;  // line 19
  Amount available;     // line 23
  Amount underpayment;  // line 25
  Amount overpayment;   // line 26
};

void ExpectSectionA(const EstimatedTaxResult& result, const std::vector<SectionA>& expected) {
  ASSERT_EQ(expected.size(), result.installments.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("column " + std::to_string(i));
    const EstimatedTaxInstallment& c = result.installments[i];
    EXPECT_EQ(expected[i].required, c.required);
    EXPECT_EQ(expected[i].paidInPeriod, c.paidInPeriod);
    EXPECT_EQ(expected[i].available, c.available);
    EXPECT_EQ(expected[i].underpayment, c.underpayment);
    EXPECT_EQ(expected[i].overpayment, c.overpayment);
  }
}

void ExpectPaidLater(const EstimatedTaxInstallment& c, const std::vector<DatedAmount>& expected) {
  EXPECT_EQ(expected, c.paidLater);
}

// Publication 505 (2006), Figure 4-B (Ben Brown, 2005; see BenBrown2005). The fourth column counts from
// Sunday 1/15/06.
TEST(EstimatedTaxPublished, Pub505RegularMethodBenBrown2005) {
  const EstimatedTaxResult result = ComputeEstimatedTax(esttax_test::BenBrown2005(), FederalRates());
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ(Dollars(6116), result.requiredAnnualPayment);
  ExpectSectionA(result, {{Dollars(1529), Dollars(807), Dollars(807), Dollars(722), 0},
                          {Dollars(1529), Dollars(807), Dollars(85), Dollars(1444), 0},
                          {Dollars(1529), Dollars(1807), Dollars(363), Dollars(1166), 0},
                          {Dollars(1529), Dollars(1807), Dollars(641), Dollars(888), 0}});
  ExpectPaidLater(result.installments[0], {{D("06-15-05"), Dollars(722)}});
  ExpectPaidLater(result.installments[1], {{D("09-02-05"), Dollars(1000)}, {D("09-15-05"), Dollars(444)}});
  ExpectPaidLater(result.installments[2], {{D("01-12-06"), Dollars(1000)}, {D("01-15-06"), Dollars(166)}});
  ExpectPaidLater(result.installments[3], {});
  ExpectRatePeriods(result, {{"04-16-05", "09-30-05", 6.0, 365}, {"10-01-05", "04-15-06", 7.0, 365}});
  ExpectLines(result, {{0, 0, Dollars(722), 61, 724},
                       {1, 0, Dollars(1000), 79, 1299},
                       {1, 0, Dollars(444), 92, 671},
                       {2, 0, Dollars(1166), 15, 288},
                       {2, 1, Dollars(1000), 104, 1995},
                       {2, 1, Dollars(166), 107, 341},
                       {3, 1, Dollars(888), 90, 1533}});
  EXPECT_EQ(6851, result.total);
  EXPECT_EQ(0, result.reasonId);
}

// Publication 505 (2004), Example 4.6, Form 2210 (2003) Section A: the same payer a year earlier; the
// underpayments and the dates they were paid.
TEST(EstimatedTaxPublished, Pub505RegularMethodSectionA2003) {
  EstimatedTaxWorksheet sheet;
  sheet.taxYear = 2003;
  sheet.requiredAnnualPayment = Dollars(6116);
  sheet.withholding = Dollars(3228);
  sheet.payments = {{D("09-02-03"), Dollars(1000)}, {D("01-12-04"), Dollars(1000)}};

  const EstimatedTaxResult result = ComputeEstimatedTax(sheet, FederalRates());
  ASSERT_TRUE(result.Ok());
  ExpectSectionA(result, {{Dollars(1529), Dollars(807), Dollars(807), Dollars(722), 0},
                          {Dollars(1529), Dollars(807), Dollars(85), Dollars(1444), 0},
                          {Dollars(1529), Dollars(1807), Dollars(363), Dollars(1166), 0},
                          {Dollars(1529), Dollars(1807), Dollars(641), Dollars(888), 0}});
  EXPECT_EQ(Dollars(722), result.installments[1].earlierUnpaid);
  EXPECT_EQ(Dollars(1444), result.installments[2].earlierUnpaid);
  EXPECT_EQ(Dollars(1166), result.installments[3].earlierUnpaid);
  ExpectPaidLater(result.installments[1], {{D("09-02-03"), Dollars(1000)}, {D("09-15-03"), Dollars(444)}});
  ExpectPaidLater(result.installments[2], {{D("01-12-04"), Dollars(1000)}, {D("01-15-04"), Dollars(166)}});
}

// Publication 505 (2010), Figure 4-B, Regular Installment Method (Ben and Sally Brown), Form 2210 (2009)
// Section A: 1,605 required each period, 1,584 withheld, 900 paid on 9/15/09 and on 1/15/10.
TEST(EstimatedTaxPublished, Pub505RegularMethodSectionA2009) {
  EstimatedTaxWorksheet sheet;
  sheet.taxYear = 2009;
  sheet.requiredAnnualPayment = Dollars(6420);
  sheet.withholding = Dollars(1584);
  sheet.payments = {{D("09-15-09"), Dollars(900)}, {D("01-15-10"), Dollars(900)}};

  const EstimatedTaxResult result = ComputeEstimatedTax(sheet, FederalRates());
  ASSERT_TRUE(result.Ok());
  ExpectSectionA(result, {{Dollars(1605), Dollars(396), Dollars(396), Dollars(1209), 0},
                          {Dollars(1605), Dollars(396), 0, Dollars(1605), 0},
                          {Dollars(1605), Dollars(1296), 0, Dollars(1605), 0},
                          {Dollars(1605), Dollars(1296), 0, Dollars(1605), 0}});
  EXPECT_EQ(Dollars(1209), result.installments[1].earlierUnpaid);
  EXPECT_EQ(Dollars(2418), result.installments[2].earlierUnpaid);
  EXPECT_EQ(Dollars(2727), result.installments[3].earlierUnpaid);
  ExpectPaidLater(result.installments[0], {{D("06-15-09"), Dollars(396)}, {D("09-15-09"), Dollars(813)}});
  ExpectPaidLater(result.installments[1], {{D("09-15-09"), Dollars(483)}, {D("01-15-10"), Dollars(1122)}});
  ExpectPaidLater(result.installments[2], {{D("01-15-10"), Dollars(174)}});
}

// Publication 505 (2003), Examples 4.7 and 4.9, Form 2210 (2002) with the annualized installments of
// Schedule AI line 25 (338, 1,732, 1,385, 2,089), 3,228 withheld, 1,000 paid on 9/2/02 and on 1/12/03.
TEST(EstimatedTaxPublished, Pub505AnnualizedIncomeMethod2002) {
  EstimatedTaxWorksheet sheet =
      esttax_test::GivenInstallments(2002, Dollars(338), Dollars(1732), Dollars(1385), Dollars(2089));
  sheet.withholding = Dollars(3228);
  sheet.payments = {{D("09-02-02"), Dollars(1000)}, {D("01-12-03"), Dollars(1000)}};

  const EstimatedTaxResult result = ComputeEstimatedTax(sheet, FederalRates());
  ASSERT_TRUE(result.Ok());
  ExpectSectionA(result, {{Dollars(338), Dollars(807), Dollars(807), 0, Dollars(469)},
                          {Dollars(1732), Dollars(807), Dollars(1276), Dollars(456), 0},
                          {Dollars(1385), Dollars(1807), Dollars(1351), Dollars(34), 0},
                          {Dollars(2089), Dollars(1807), Dollars(1773), Dollars(316), 0}});
  ExpectPaidLater(result.installments[1], {{D("09-02-02"), Dollars(456)}});
  ExpectPaidLater(result.installments[2], {{D("01-12-03"), Dollars(34)}});
  ExpectRatePeriods(result, {{"04-16-02", "12-31-02", 6.0, 365}, {"01-01-03", "04-15-03", 5.0, 365}});
  ExpectLines(result, {{1, 0, Dollars(456), 79, 592},
                       {2, 0, Dollars(34), 107, 60},
                       {2, 1, Dollars(34), 12, 6},
                       {3, 1, Dollars(316), 90, 390}});
  EXPECT_EQ(1048, result.total);
}

// Publication 505 (2008), Figure 4-C, Annualized Income Method (Laura Maple), Form 2210 (2007): Schedule
// AI line 25 (0, 140, 1,169, 1,867), 1,500 withheld, 100 paid in the third period and 500 on 12/3/07.
// The third period's payment is undated in that edition; the next edition's example dates it 8/15.
// The rate of March 2008 (7%) runs to 4/15/08 (6621(b)(2)(B)) and 2008 has 366 days.
TEST(EstimatedTaxPublished, Pub505AnnualizedIncomeMethodLauraMaple2007) {
  EstimatedTaxWorksheet sheet =
      esttax_test::GivenInstallments(2007, 0, Dollars(140), Dollars(1169), Dollars(1867));
  sheet.withholding = Dollars(1500);
  sheet.payments = {{D("08-15-07"), Dollars(100)}, {D("12-03-07"), Dollars(500)}};

  const EstimatedTaxResult result = ComputeEstimatedTax(sheet, FederalRates());
  ASSERT_TRUE(result.Ok());
  ExpectSectionA(result, {{0, Dollars(375), Dollars(375), 0, Dollars(375)},
                          {Dollars(140), Dollars(375), Dollars(750), 0, Dollars(610)},
                          {Dollars(1169), Dollars(475), Dollars(1085), Dollars(84), 0},
                          {Dollars(1867), Dollars(875), Dollars(791), Dollars(1076), 0}});
  ExpectRatePeriods(result, {{"04-16-07", "12-31-07", 8.0, 365}, {"01-01-08", "04-15-08", 7.0, 366}});
  ExpectLines(result, {{2, 0, Dollars(84), 79, 145}, {3, 1, Dollars(1076), 91, 1873}});
  EXPECT_EQ(2018, result.total);
}

// Publication 505 (2009), Figure 4-C, Form 2210 (2008) Section A: Schedule AI line 25 (0, 77, 1,137,
// 1,814), 1,488 withheld, 100 paid on 8/15/08 and 500 on 12/3/08; overpayments carried to the fourth
// column, whose 940 stays unpaid.
TEST(EstimatedTaxPublished, Pub505AnnualizedIncomeMethodSectionA2008) {
  EstimatedTaxWorksheet sheet =
      esttax_test::GivenInstallments(2008, 0, Dollars(77), Dollars(1137), Dollars(1814));
  sheet.withholding = Dollars(1488);
  sheet.payments = {{D("08-15-08"), Dollars(100)}, {D("12-03-08"), Dollars(500)}};

  const EstimatedTaxResult result = ComputeEstimatedTax(sheet, FederalRates());
  ASSERT_TRUE(result.Ok());
  ExpectSectionA(result, {{0, Dollars(372), Dollars(372), 0, Dollars(372)},
                          {Dollars(77), Dollars(372), Dollars(744), 0, Dollars(667)},
                          {Dollars(1137), Dollars(472), Dollars(1139), 0, Dollars(2)},
                          {Dollars(1814), Dollars(872), Dollars(874), Dollars(940), 0}});
  EXPECT_EQ(Dollars(372), result.installments[1].overpaymentIn);
  EXPECT_EQ(Dollars(667), result.installments[2].overpaymentIn);
  EXPECT_EQ(Dollars(2), result.installments[3].overpaymentIn);
}

}  // namespace
}  // namespace zarvic
