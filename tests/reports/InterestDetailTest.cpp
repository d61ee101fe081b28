#include <string>
#include <vector>

#include "reports/ReportTestSupport.h"
#include "reports/Reports.h"

namespace zarvic::testing {
namespace {

void Add(ComputeResultList& list, const ComputeResults& values) {
  ComputeResults& node = list.Append();
  ComputeResults* next = node.m_next;
  ComputeResults* previous = node.m_previous;
  node = values;
  node.m_next = next;
  node.m_previous = previous;
}

class InterestDetailTest : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    doc.m_computeDate = MakeDate(12, 31, 96);
    AddEvent(kEventTax, MakeDate(4, 15, 95), 1000000);
  }
  // A tax of 10,000.00 on 04-15-95 compounded daily to the compute date.
  void DailyTaxList() {
    Add(doc.m_normalList,
        {.m_start = 0, .m_end = MakeDate(4, 15, 95), .m_mode = 2, .m_kind = 0, .m_event = 0});
    Add(doc.m_normalList, {.m_start = MakeDate(4, 15, 95),
                           .m_end = MakeDate(12, 31, 95),
                           .m_days = 260,
                           .m_mode = 2,
                           .m_kind = 100,
                           .m_normalPrincipal = 1000000,
                           .m_normalInterest = 65123,
                           .m_normalRate = 9,
                           .m_normalFactor = 0.065123});
    Add(doc.m_normalList, {.m_start = MakeDate(12, 31, 95),
                           .m_end = MakeDate(12, 31, 96),
                           .m_days = 366,
                           .m_mode = 2,
                           .m_kind = 500,
                           .m_normalPrincipal = 1065123,
                           .m_normalInterest = 88888,
                           .m_normalRate = 8,
                           .m_normalFactor = 0.083453});
  }
  std::vector<std::string> Detail(bool withFactors) {
    ReportWriter& w = Writer();
    if (!withFactors) w.StartReportPage();  // it continues the event list's page
    EXPECT_GT(WriteInterestDetail(w, withFactors), 0);
    return WrittenLines();
  }
  static std::vector<std::string> Slice(const std::vector<std::string>& lines, size_t from, size_t count) {
    return std::vector<std::string>(lines.begin() + static_cast<long>(from),
                                    lines.begin() + static_cast<long>(std::min(lines.size(), from + count)));
  }
};

TEST_F(InterestDetailTest, WithoutFactorsShowsRatesAndTheRunningBalance) {
  DailyTaxList();
  std::vector<std::string> lines = Detail(false);
  const std::vector<std::string> expected = {
      " ",
      "Interest Detail -- Interest on Tax",
      std::string(78, '-'),
      "Event                  Date    Rate          Base      Interest        Balance",
      std::string(78, '-'),
      "Tax                  04-15-95           10,000.00                    10,000.00",
      "Interest             12-31-95  9.00     10,000.00        651.23      10,651.23",
      "Interest             12-31-96  8.00     10,651.23        888.88      11,540.11",
      " ",
      " ",
      "                              Summary as of 12-31-96",
  };
  EXPECT_EQ(expected, Slice(lines, 0, expected.size()));
}

TEST_F(InterestDetailTest, WithFactorsShowsThePeriodAndItsFactor) {
  DailyTaxList();
  std::vector<std::string> lines = Detail(true);
  EXPECT_EQ(0u, lines[0].find("INTEREST COMPUTATION DETAIL REPORT"));
  const std::vector<std::string> expected = {
      "Interest on Tax",
      "Event         Date   Yr Mo Dy M  Rate Factor         Principal        Interest",
      std::string(78, '-'),
      "Tax         04-15-95                                  10,000.00",
      "Interest    12-31-95      260 D  9.00 0.065123000     10,000.00         651.23",
      "Interest    12-31-96      366 D  8.00 0.083453000     10,651.23         888.88",
  };
  EXPECT_EQ(expected, Slice(lines, 3, expected.size()));
}

TEST_F(InterestDetailTest, PeriodLinesThatAreNotShown) {
  Add(doc.m_normalList, {.m_start = 0, .m_end = MakeDate(4, 15, 95), .m_mode = 1, .m_kind = 0, .m_event = 0});
  // A period of no length, and one whose factor cannot be right.
  Add(doc.m_normalList, {.m_start = MakeDate(4, 15, 95),
                         .m_end = MakeDate(4, 15, 95),
                         .m_days = 0,
                         .m_mode = 1,
                         .m_kind = 100,
                         .m_normalPrincipal = 1000000,
                         .m_normalRate = 9});
  Add(doc.m_normalList, {.m_start = MakeDate(4, 15, 95),
                         .m_end = MakeDate(6, 30, 95),
                         .m_days = 76,
                         .m_mode = 1,
                         .m_kind = 100,
                         .m_normalPrincipal = 1000000,
                         .m_normalInterest = 18740,
                         .m_normalRate = 9,
                         .m_normalFactor = 80.0});
  Add(doc.m_normalList, {.m_start = MakeDate(6, 30, 95),
                         .m_end = MakeDate(12, 31, 96),
                         .m_years = 1,
                         .m_months = 6,
                         .m_days = 1,
                         .m_mode = 0,
                         .m_kind = 500,
                         .m_normalPrincipal = 1000000,
                         .m_normalInterest = 135000,
                         .m_normalRate = 9,
                         .m_normalFactor = 0.135});
  std::vector<std::string> withFactors = Detail(true);
  EXPECT_EQ("Interest    12-31-96  1  6  1 O  9.00 0.135000000     10,000.00       1,350.00", withFactors[7]);
  EXPECT_EQ(" ", withFactors[8]);  // the list ends: the zero-length and the implausible periods gave no line

  std::vector<std::string> withoutFactors = Detail(false);
  EXPECT_EQ(0u, withoutFactors[6].find("Interest             06-30-95"));  // the factor is not judged here
  EXPECT_EQ(0u, withoutFactors[7].find("Interest             12-31-96"));
}

TEST_F(InterestDetailTest, GattPartAtTheNormalRateJoinsTheNormalLine) {
  Add(doc.m_normalList, {.m_start = 0, .m_end = MakeDate(4, 15, 95), .m_mode = 2, .m_kind = 0, .m_event = 0});
  Add(doc.m_normalList, {.m_start = MakeDate(4, 15, 95),
                         .m_end = MakeDate(12, 31, 96),
                         .m_days = 626,
                         .m_mode = 2,
                         .m_kind = 500,
                         .m_normalPrincipal = -500000,
                         .m_normalInterest = -40000,
                         .m_normalRate = 7,
                         .m_gattPrincipal = -300000,
                         .m_gattInterest = -24000,
                         .m_gattRate = 7});
  std::vector<std::string> lines = Detail(false);
  EXPECT_EQ("Interest             12-31-96  7.00     <8,000.00>      <640.00>     <8,640.00>", lines[6]);
  EXPECT_EQ(" ", lines[7]);
}

TEST_F(InterestDetailTest, GattStartIsMarkedAndBothPartsShown) {
  Add(doc.m_normalList, {.m_start = 0, .m_end = MakeDate(4, 15, 94), .m_mode = 2, .m_kind = 0, .m_event = 0});
  Add(doc.m_normalList, {.m_start = MakeDate(12, 31, 94),
                         .m_end = MakeDate(12, 31, 95),
                         .m_days = 365,
                         .m_mode = 2,
                         .m_kind = 500,
                         .m_normalPrincipal = -1000000,
                         .m_normalInterest = -60000,
                         .m_normalRate = 6,
                         .m_gattPrincipal = -2000000,
                         .m_gattInterest = -90000,
                         .m_gattRate = 4.5});
  std::vector<std::string> lines = Detail(false);
  const std::vector<std::string> expected = {
      " ",
      "GATT Starts 12-31-94       Refund on start date.:    <30,000.00>",
      " ",
      "GATT Rate            12-31-95  4.50    <20,000.00>      <900.00>    <20,900.00>",
      "High Rate            12-31-95  6.00    <10,000.00>      <600.00>    <10,600.00>",
  };
  EXPECT_EQ(expected, Slice(lines, 6, expected.size()));

  ReportWriter& w = Writer();
  w.gattStart.date = MakeDate(12, 31, 94);
  w.FillTemplateLine(Marked("GATT from ~GDAT"), -1, true);
  EXPECT_EQ("GATT from 12-31-94", WrittenLines()[0]);
}

TEST_F(InterestDetailTest, GattListsNameTheEventsUpToTheStart) {
  AddEvent(kEventMotivatedTax, MakeDate(3, 1, 94), 50000);
  AddEvent(kEventPayment, MakeDate(6, 1, 94), 250000);
  AddEvent(kEventIrsCheck, MakeDate(9, 1, 94), 300000).m_gattAmount = 120000;
  AddEvent(kEventCredit, MakeDate(12, 31, 94), 5000);
  AddEvent(kEventDebit, MakeDate(1, 5, 95), 7000);
  AddEvent(kEventPayment, MakeDate(2, 1, 95), 100);
  doc.SortEvents(0);
  ReportWriter& w = Writer();
  w.FillTemplateLine(Marked("~GDP!"), -1, true);  // nothing before the start is known
  w.gattStart.date = MakeDate(12, 31, 94);
  for (const char* line : {"~GDP!", "~GDC!", "~GDT!"}) w.FillTemplateLine(Marked(line), -1, true);
  const std::vector<std::string> expected = {
      "        Payment on 06-01-94.......................:       2,500.00",
      "        Payment on 12-31-94.......................:          50.00",
      "        Principal in Check from IRS 09-01-94......:       1,200.00",
      "        Tax on 03-01-94...........................:         500.00",
  };
  std::vector<std::string> lines = WrittenLines();
  EXPECT_EQ(expected, lines);
}

TEST_F(InterestDetailTest, EmptySectionsWriteNothingAndWarningsFollowTheSummary) {
  DailyTaxList();
  computation.penaltyWhileRefund = true;
  std::vector<std::string> lines = Detail(false);
  for (const auto& line : lines) {
    EXPECT_EQ(std::string::npos, line.find("Motivated Deficiencies"));
    EXPECT_EQ(std::string::npos, line.find("Interest on Penalties"));
  }
  EXPECT_EQ(0u, lines[lines.size() - 4].find("WARNING: Penalties were owed"));
}

TEST_F(InterestDetailTest, HotInterestSectionEndsTheDetail) {
  DailyTaxList();
  doc.m_header.m_hotInterest = 1;
  doc.m_header.m_thirtyDayLetter = MakeDate(6, 15, 95);
  std::vector<std::string> lines = Detail(false);
  size_t at = 0;
  while (at < lines.size() && lines[at].find("IRC 6621(c)") == std::string::npos) ++at;
  ASSERT_LT(at, lines.size());
  EXPECT_EQ(std::string(79, '*'), lines[at - 5]);  // on a page of its own
  EXPECT_EQ(0u, lines[at - 4].find("PENALTY COMPUTATION DETAIL REPORT"));
  EXPECT_EQ("30-day letter date ...................: 06-15-95", lines[at + 4]);
}

}  // namespace
}  // namespace zarvic::testing
