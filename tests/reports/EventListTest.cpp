#include <string>
#include <vector>

#include "reports/ReportTestSupport.h"
#include "reports/Reports.h"

namespace zarvic::testing {
namespace {

// The event list and the summary with the shipped templates.
class EventListTest : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    doc.m_computeDate = MakeDate(12, 31, 96);
  }
  std::vector<std::string> EventList(bool summaryForm = false) {
    ReportWriter& w = Writer();
    EXPECT_TRUE(WriteEventList(w, summaryForm));
    return WrittenLines();
  }
  // The event lines: after the 3 page header and 3 heading lines, up to the first blank line.
  static std::vector<std::string> EventLines(const std::vector<std::string>& lines) {
    std::vector<std::string> events;
    for (size_t i = 6; i < lines.size() && lines[i] != " "; ++i) events.push_back(lines[i]);
    return events;
  }
};

TEST_F(EventListTest, EventLinesShowDateAmountAndTheBalanceOncePerDate) {
  AddEvent(kEventTax, MakeDate(4, 15, 95), 1000000);
  AddEvent(kEventPayment, MakeDate(4, 15, 95), 100000);
  AddEvent(kEventStopInterest, MakeDate(6, 1, 95), 0);
  AddEvent(kEventPayment, MakeDate(6, 15, 96), 250000);
  computation.balanceOnDate = {{MakeDate(4, 15, 95), 900000},
                               {MakeDate(6, 1, 95), 912345},
                               {MakeDate(6, 15, 96), 712345},
                               {MakeDate(12, 31, 96), 734567}};
  std::vector<std::string> events = EventLines(EventList());
  const std::vector<std::string> expected = {
      "Tax                                      04-15-95     10,000.00",
      "Payment                                  04-15-95     <1,000.00>      9,000.00",
      "Stop interest                            06-01-95                     9,123.45",
      "Payment                                  06-15-96     <2,500.00>      7,123.45",
  };
  EXPECT_EQ(expected, events);
  // The runs for the balances: one per date shown, then the compute date.
  ASSERT_EQ(4u, computation.runs.size());
  EXPECT_EQ(MakeDate(12, 31, 96), computation.runs.back().date);
}

TEST_F(EventListTest, HeadingsAndClosingLinesSuitTheSpreadsheetExport) {
  AddEvent(kEventTax, MakeDate(4, 15, 95), 1000000);
  computation.balanceOnDate = {{MakeDate(12, 31, 96), 1123456}};
  std::vector<std::string> lines = EventList();
  EXPECT_EQ(0u, lines[0].find("INTEREST AND PENALTY DETAIL REPORT"));
  EXPECT_EQ(0u, lines[1].find("Taxpayer name...: Avery Holloway"));
  EXPECT_EQ("04-15-26", lines[1].substr(70, 8));
  EXPECT_EQ(0u, lines[2].find("Taxpayer ID#....: 123-45-6789"));
  EXPECT_EQ("Page 1", lines[2].substr(72));
  EXPECT_EQ(68u, lines[3].find("Event Date"));
  EXPECT_EQ(67u, lines[4].find("Balance (1)"));
  EXPECT_EQ(0u, lines[5].find("-----------"));
  ASSERT_EQ(" ", lines[7]);
  EXPECT_EQ("Balance due (1) as of                    12-31-96                    11,234.56", lines[8]);
  EXPECT_EQ(0u, lines[9].find("----------"));
  EXPECT_EQ(0u, lines[10].find("(1) "));
  EXPECT_EQ(" ", lines[11]);
  EXPECT_EQ(12u, lines.size());
}

TEST_F(EventListTest, DescriptionsAreCutAndTheOptionChoosesThem) {
  AddEvent(kEventPayment, MakeDate(1, 2, 96), 5000, "Estimated payment, fourth quarter of 1995");
  Options().useDescriptions = true;
  EXPECT_EQ("Estimated payment, fourth quarter of 19  01-02-96", EventLines(EventList())[0].substr(0, 49));
  Options().useDescriptions = false;
  EXPECT_EQ("Payment                                  01-02-96", EventLines(EventList())[0].substr(0, 49));
}

TEST_F(EventListTest, LargeCorporateLineComesBeforeTheFirstLaterEvent) {
  doc.m_header.m_hotInterest = 1;
  AddEvent(kEventTax, MakeDate(4, 15, 95), 1000000);
  AddEvent(kEventPayment, MakeDate(6, 15, 96), 100000);
  computation.hotStart = MakeDate(1, 10, 96);
  std::vector<std::string> events = EventLines(EventList());
  ASSERT_EQ(3u, events.size());
  EXPECT_EQ("Large corp. rate increase                01-10-96", events[1]);

  computation.hotStart = MakeDate(7, 1, 96);  // after the last event
  events = EventLines(EventList());
  ASSERT_EQ(3u, events.size());
  EXPECT_EQ("Large corp. rate increase                07-01-96", events[2]);

  doc.m_header.m_hotInterest = 0;  // hot interest off: no line, whatever the run says
  EXPECT_EQ(2u, EventLines(EventList()).size());
}

TEST_F(EventListTest, ProblemWithoutEventsWritesHeadingsAndClosingLines) {
  std::vector<std::string> lines = EventList();
  EXPECT_EQ(" ", lines[6]);
  EXPECT_EQ(0u, lines[7].find("Balance due (1) as of"));
}

class SummaryTest : public EventListTest {
 protected:
  std::vector<std::string> Summary(int linesPerPage = 60, int lineOnPage = 0) {
    ReportWriter& w = Writer(linesPerPage);
    w.StartReportPage();
    w.lineOnPage = lineOnPage;
    WriteSummary(w);
    return WrittenLines();
  }
};

TEST_F(SummaryTest, LinesWithoutAmountsAreLeftOutAndTheTotalAddsTheRest) {
  AddEvent(kEventTax, MakeDate(4, 15, 95), 1000000);
  CEvent& payment = AddEvent(kEventPayment, MakeDate(6, 15, 95), 500000);
  payment.Allocation().m_payment[0] = 400000;  // tax
  payment.Allocation().m_payment[1] = 100000;  // interest
  computation.totals.normalInterest = 100000;  // all interest paid: balance 0, still shown
  computation.totals.penaltyInterest = 0;
  doc.m_rateTable.vendorFlag = 0;
  std::vector<std::string> lines = Summary();
  const std::vector<std::string> expected = {
      "                              Summary as of 12-31-96",
      "                           Amount       Payments       Deposits        Balance",
      "Tax ..............     10,000.00      <4,000.00>          0.00       6,000.00",
      "Interest on tax ..      1,000.00      <1,000.00>          0.00           0.00",
      std::string(78, '-'),
      "Total ............     11,000.00      <5,000.00>          0.00       6,000.00",
      std::string(78, '='),
      " Payments and deposits are shown as <negative> amounts.",
      " Interest table:FEDERAL       Federal underpayment and overpayment rates",
      " Table ends....:12-31-26      USER Table",
  };
  EXPECT_EQ(expected, lines);
}

TEST_F(SummaryTest, ActivePenaltiesAndDepositsHaveTheirLines) {
  AddEvent(kEventTax, MakeDate(4, 15, 95), 1000000);
  CEvent& deposit = AddEvent(kEventDeposit, MakeDate(5, 1, 95), 300000);
  deposit.Allocation().m_payment[0] = 200000;  // 1,000.00 of it unallocated
  doc.m_penalties[23].m_flags = PEN_ACTIVE;
  doc.m_penaltyResults.PenaltyAmount[23] = 45000;
  doc.m_penaltyResults.PenaltyAmount[12] = 99999;  // inactive slot: not shown
  std::vector<std::string> lines = Summary();
  EXPECT_EQ("Tax ..............     10,000.00           0.00      <3,000.00>      7,000.00", lines[2]);
  EXPECT_EQ("6651(a)(1) penalty        450.00           0.00           0.00         450.00", lines[3]);
  EXPECT_EQ(0u, lines[4].find("-----"));
}

TEST_F(SummaryTest, MovesToANewPageWhenItDoesNotFit) {
  AddEvent(kEventTax, MakeDate(4, 15, 95), 1000000);
  std::vector<std::string> lines = Summary(40, 30);  // 9 lines and 4 of margin do not fit in 10
  EXPECT_EQ(std::string(79, '*'), lines[0]);
  EXPECT_NE(std::string::npos, lines[1].find("Zarvic Version"));  // the page header
  EXPECT_EQ("Taxpayer ID#....: 123-45-6789", lines[3].substr(0, 29));
  EXPECT_EQ("                              Summary as of 12-31-96", lines[4]);

  lines = Summary(40, 25);  // it fits
  EXPECT_EQ("                              Summary as of 12-31-96", lines[0]);
}

TEST_F(SummaryTest, AccuracyCautionFollowsTheTable) {
  AddEvent(kEventTax, MakeDate(4, 15, 95), 1000000);
  computation.stacking = true;
  std::vector<std::string> lines = Summary();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ("         applied to more than the total tax.", lines.back());
  EXPECT_EQ("CAUTION: Accuracy-related penalties have been", lines[lines.size() - 2]);
  EXPECT_EQ(" ", lines[lines.size() - 3]);
}

TEST_F(SummaryTest, SummaryFormOfTheEventListEndsWithTheSummary) {
  AddEvent(kEventTax, MakeDate(4, 15, 95), 1000000);
  std::vector<std::string> lines = EventList(true);
  EXPECT_EQ(0u, lines[0].find("EVENT SUMMARY REPORT"));
  EXPECT_EQ(" ", lines[11]);
  EXPECT_EQ(" ", lines[12]);
  EXPECT_EQ("                              Summary as of 12-31-96", lines[13]);
}

}  // namespace
}  // namespace zarvic::testing
