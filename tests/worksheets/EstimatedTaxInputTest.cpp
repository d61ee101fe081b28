#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EstimatedTaxSupport.h"
#include "core/AppOptions.h"
#include "core/StringTable.h"
#include "support/TestFiles.h"
#include "worksheets/EstimatedTaxInput.h"

namespace zarvic {
namespace {

using esttax_test::D;
using esttax_test::Dollars;
using esttax_test::FederalRates;

struct Read {
  bool ok = false;
  EstimatedTaxInput input;
  std::vector<std::string> messages;
};

Read ReadText(const std::string& text) {
  TextLineReader reader;
  reader.SetContent(text);
  Read r;
  r.ok = ReadEstimatedTaxInput(reader, r.input, r.messages);
  return r;
}

// Publication 505 (2006), Figure 4-B (Ben Brown, 2005) as an input file: the report's total is 68.51.
TEST(EstimatedTaxInput, ReadsAWholeIndividualInput) {
  const Read r = ReadText(
      "ESTTAX\tINDIVIDUAL\r\n"
      "YEAR\t2005\r\n"
      "CURTAX\t7,031.00\r\n"
      "PRIORTAX\t6116\r\n"
      "PRIORAGI\t60,000\r\n"
      "WITHHELD\t3228\r\n"
      "\r\n"
      "ESTPAY\t09-02-05\t1000\r\n"
      "estpay\t1/12/2006\t1000\r\n"
      "TAB\tFEDERAL\r\n");
  ASSERT_TRUE(r.ok);
  EXPECT_TRUE(r.messages.empty());
  EstimatedTaxWorksheet expected;
  expected.taxYear = 2005;
  expected.currentYearTax = Dollars(7031);
  expected.priorYearTax = Dollars(6116);
  expected.priorYearAgi = Dollars(60000);
  expected.withholding = Dollars(3228);
  expected.payments = {{D("09-02-05"), Dollars(1000)}, {D("01-12-06"), Dollars(1000)}};
  EXPECT_EQ(expected, r.input.sheet);
  EXPECT_EQ("FEDERAL", r.input.tableName);
  EXPECT_EQ(6851, ComputeEstimatedTax(r.input.sheet, FederalRates()).total);
}

// The IRS figures the addition to the cent: Whole Dollar Mode, a display convention of the event
// list, does not round what the input gives.
TEST(EstimatedTaxInput, AmountsKeepTheirCentsInWholeDollarMode) {
  const AppOptions saved = Options();
  Options().wholeDollarMode = true;
  const Read r = ReadText("ESTTAX\tINDIVIDUAL\nYEAR\t2005\nREQUIRED\t1,234.56\nESTPAY\t04-15-05\t0.49\n");
  Options() = saved;
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(123456.0, r.input.sheet.requiredAnnualPayment.value_or(0.0));
  ASSERT_EQ(1u, r.input.sheet.payments.size());
  EXPECT_EQ(49.0, r.input.sheet.payments[0].amount);
}

TEST(EstimatedTaxInput, ReadsCorporationsFiscalYearsAndInstallments) {
  const Read r = ReadText(
      "ESTTAX\tLARGECORP\n"
      "YEAR\t2016\t07-01-2016\n"
      "REQUIRED\t400000\n"
      "ANNUALIZED\t100\t500\t4,000\t4000.50\n"
      "WITHHELD\t10-14-16\t50\n"
      "WITHHELD\t12-15-16\t25.25\n"
      "COM\t06-30-17\n");
  ASSERT_TRUE(r.ok);
  EXPECT_TRUE(r.messages.empty());
  const EstimatedTaxWorksheet& s = r.input.sheet;
  EXPECT_EQ(EstimatedTaxFiler::LargeCorporation, s.filer);
  EXPECT_EQ(D("07-01-16"), s.fiscalYearStart);
  EXPECT_EQ(Dollars(400000), s.requiredAnnualPayment);
  EXPECT_EQ(InstallmentBasis::Annualized, s.basis);
  EXPECT_EQ((std::array<Amount, 4>{Dollars(100), Dollars(500), Dollars(4000), 400050}), s.installments);
  EXPECT_TRUE(s.withholdingOnActualDates);
  EXPECT_EQ((std::vector<DatedAmount>{{D("10-14-16"), Dollars(50)}, {D("12-15-16"), 2525}}),
            s.withheldOnDates);
  EXPECT_EQ(D("06-30-17"), s.computeThrough);

  const Read given = ReadText("esttax\tcorporation\nYEAR\t2019\nINSTALLMENTS\t1\t2\t3\t4\n");
  ASSERT_TRUE(given.ok);
  EXPECT_EQ(EstimatedTaxFiler::Corporation, given.input.sheet.filer);
  EXPECT_EQ(InstallmentBasis::Given, given.input.sheet.basis);
}

// Each line that cannot be used is refused whole with its reason; the lines before and after stand.
TEST(EstimatedTaxInput, RefusesLinesItCannotUse) {
  struct Case {
    const char* line;
    int reason;
  };
  const Case cases[] = {
      {"BOGUS\t1", kEstTaxInputUnknownKeyword},
      {"YEARS\t2019", kEstTaxInputUnknownKeyword},  // whole keywords only
      {"ESTTAX\tINDIVIDUAL", kEstTaxInputRepeated},
      {"YEAR\t2020", kEstTaxInputRepeated},
      {"CURTAX\t1.5E+06", kEstTaxInputBadValue},
      {"CURTAX\t12,34", kEstTaxInputBadValue},
      {"CURTAX\t7,031.005", kEstTaxInputBadValue},
      {"CURTAX\t-5", kEstTaxInputNegative},
      {"CURTAX\t5\t6", kEstTaxInputBadValue},
      {"CURTAX", kEstTaxInputBadValue},
      {"PRIORTAX\t2k", kEstTaxInputBadValue},
      {"FARMER\tyes", kEstTaxInputBadValue},
      {"ESTPAY\t02-30-19\t100", kEstTaxInputBadValue},
      {"ESTPAY\t04-15-19", kEstTaxInputBadValue},
      {"ESTPAY\t04-15-19\t-100", kEstTaxInputNegative},
      {"WITHHELD\t04-15-19\t100", kEstTaxInputWithholdingBothWays},
      {"WITHHELD\t200", kEstTaxInputRepeated},
      {"INSTALLMENTS\t1\t2\t3", kEstTaxInputBadValue},
      {"ANNUALIZED\t1\t2\t3\t4", kEstTaxInputInstallmentsBothWays},
      {"INSTALLMENTS\t1\t2\t3\t4", kEstTaxInputRepeated},
      {"TAB\t../FEDERAL", kEstTaxInputBadTableName},
      {"COM\t13-01-19", kEstTaxInputBadValue},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const Read r =
        ReadText(std::string("ESTTAX\tINDIVIDUAL\nYEAR\t2019\nWITHHELD\t100\nINSTALLMENTS\t1\t2\t3\t4\n") +
                 c.line + "\nCURTAX\t9000\n");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ((std::vector<std::string>{std::string(StringText(c.reason))}), r.messages);
    EXPECT_EQ(2019, r.input.sheet.taxYear);
    EXPECT_EQ(Dollars(100), r.input.sheet.withholding);
    EXPECT_EQ(Dollars(9000), r.input.sheet.currentYearTax);  // the line after still counts
  }

  const Read fiscal = ReadText("ESTTAX\tINDIVIDUAL\nYEAR\t2019\t07-15-2019\n");
  EXPECT_EQ((std::vector<std::string>{std::string(StringText(kEstTaxBadFiscalStart))}), fiscal.messages);
  EXPECT_EQ(0, fiscal.input.sheet.taxYear);
  const Read corporation = ReadText("ESTTAX\tCORPORATION\nMFS\n");
  EXPECT_EQ((std::vector<std::string>{std::string(StringText(kEstTaxIndividualOnly))}), corporation.messages);
  EXPECT_FALSE(corporation.input.sheet.marriedFilingSeparately);
}

TEST(EstimatedTaxInput, NeedsTheEsttaxLineFirst) {
  for (const char* text :
       {"", "\n\n", "YEAR\t2019\nESTTAX\tINDIVIDUAL\n", "ESTTAX\tPARTNERSHIP\n", "ESTTAX\n"}) {
    SCOPED_TRACE(text);
    const Read r = ReadText(text);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ((std::vector<std::string>{std::string(StringText(kEstTaxInputNotEsttax))}), r.messages);
  }
  EXPECT_TRUE(IsEstimatedTaxKeywordLine("esttax\tINDIVIDUAL"));
  EXPECT_FALSE(IsEstimatedTaxKeywordLine("TAX\t04-15-19\t100"));
}

TEST(EstimatedTaxInput, NamesFileAndLine) {
  testing::TempFolder folder;
  const std::string path = folder / "CASE.TXT";
  testing::WriteFile(path, "ESTTAX\tINDIVIDUAL\r\n\r\nYEAR\tnineteen\r\n");
  TextLineReader reader;
  ASSERT_TRUE(reader.Open(path));
  EstimatedTaxInput input;
  std::vector<std::string> messages;
  EXPECT_TRUE(ReadEstimatedTaxInput(reader, input, messages));
  EXPECT_EQ((std::vector<std::string>{path + ":3: " + std::string(StringText(kEstTaxInputBadValue))}),
            messages);
}

}  // namespace
}  // namespace zarvic
