#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "PenaltyTestSupport.h"
#include "core/StringTable.h"
#include "penalties/PenaltyCatalog.h"
#include "penalties/PenaltyForms.h"
#include "penalties/PenaltyModel.h"
#include "penalties/PenaltyValidation.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Usd;

class PenaltyModelTest : public testing::PenaltyTest {
 protected:
  void TearDown() override {
    SetPenaltyWindowHook(nullptr);
    SetPenaltySelectionHook(nullptr);
  }
  std::string Text(int id) { return std::string(StringText(id)); }
};

TEST_F(PenaltyModelTest, SelectionRefusesSeveralTaxDates) {
  Tax("04-15-1995", Usd(1000));
  Tax("04-15-1996", Usd(1000));
  bool opened = false;
  SetPenaltySelectionHook([&](CTDoc&, std::span<const int>) { opened = true; });
  EXPECT_FALSE(OpenPenaltySelection(doc()));
  EXPECT_FALSE(opened);
  EXPECT_EQ(std::vector<std::string>{Text(19200)}, ui_.Texts());
}

TEST_F(PenaltyModelTest, SelectionListFollowsTheTaxYear) {
  const std::vector<int> before1990 = {23, 1, 2, 3, 4, 7, 8, 9, 10};
  const std::vector<int> from1990 = {23, 1, 2, 11, 12, 13, 14, 15, 16};
  struct Case {
    const char* taxDate;
    std::vector<int> list;
  };
  for (const Case& c : {Case{"12-31-1989", before1990}, Case{"01-01-1990", from1990}}) {
    doc_ = std::make_unique<CTDoc>();
    doc().m_rateTable.name = "FEDERAL";
    Tax(c.taxDate, Usd(1000));
    std::vector<int> shown;
    SetPenaltySelectionHook(
        [&](CTDoc&, std::span<const int> list) { shown.assign(list.begin(), list.end()); });
    EXPECT_TRUE(OpenPenaltySelection(doc()));
    EXPECT_EQ(c.list, shown) << c.taxDate;
  }
  EXPECT_TRUE(ui_.Texts().empty());
}

TEST_F(PenaltyModelTest, SelectionWarnsOfAStateTableAndStillOpens) {
  doc().m_rateTable.name = "CALIFORNIA";
  Tax("04-15-1995", Usd(1000));
  EXPECT_TRUE(OpenPenaltySelection(doc()));
  EXPECT_EQ(std::vector<std::string>{Text(18008)}, ui_.Texts());
}

TEST_F(PenaltyModelTest, DefaultsFillUnconfirmedRecordsOnly) {
  Tax("04-15-1995", Usd(10000));
  Add(kEventMotivatedTax, "04-15-1995", Usd(2000));
  Pay("04-15-1995", Usd(1500));
  Pay("06-01-1995", Usd(500));
  rec(11).SetFlag(PEN_EDITED, true);
  rec(11).m_amounts[0] = Usd(42);
  DefaultPenaltyRecords(doc());

  EXPECT_EQ(Usd(42), rec(11).m_amounts[0]);  // confirmed by the user: kept
  EXPECT_EQ(Usd(10500), rec(12).m_amounts[0]);
  EXPECT_EQ(D("04-15-1995"), rec(12).m_dates[0]);
  EXPECT_EQ(20.0, rec(12).m_rate);
  EXPECT_EQ(0.0, rec(16).m_rate);
  EXPECT_EQ(D("06-01-2026"), rec(23).m_dates[2]);  // received today
  EXPECT_EQ(Usd(10500), rec(1).m_amounts[0]);      // the net tax due
  EXPECT_EQ(D("04-15-1995"), rec(1).m_dates[0]);
  EXPECT_EQ(NO_DATE, rec(2).m_dates[0]);
  EXPECT_EQ(Usd(10500), rec(3).m_amounts[1]);
  EXPECT_EQ(Usd(2000), rec(3).m_amounts[2]);
  EXPECT_TRUE(rec(3).HasFlag(PEN_OPTION));
  EXPECT_EQ(Usd(10500), rec(4).m_amounts[1]);
  EXPECT_FALSE(rec(23).HasFlag(PEN_NO_MINIMUM));

  Options().overrideIrsAllocation = true;  // "do not use the minimum penalty rule"
  DefaultPenaltyRecords(doc());
  EXPECT_TRUE(rec(23).HasFlag(PEN_NO_MINIMUM));
}

// Regression: a credit dated after the tax date was taken off failure to pay's default amount, and the
// computation took it off the monthly bases again as it was paid.
TEST_F(PenaltyModelTest, FailureToPayDefaultLeavesLaterPaymentsToTheComputation) {
  Tax("04-15-2019", Usd(10000));
  Add(kEventCredit, "04-15-2019", Usd(1000));
  Pay("04-15-2019", Usd(500));
  Add(kEventCredit, "06-01-2019", Usd(2000));
  Pay("07-01-2019", Usd(700));
  DefaultPenaltyRecords(doc());
  EXPECT_EQ(Usd(8500), rec(kPenaltyFailureToPay).m_amounts[0]);
  EXPECT_EQ(Usd(8500), rec(kPenaltyFailureToFile).m_amounts[0]);
}

// Which edits of one event change what the penalty records rest on. Tax date 04-15-95.
TEST_F(PenaltyModelTest, EditsThatChangeThePenaltyBasis) {
  auto event = [](std::uint16_t type, const char* date, double dollars) {
    CEvent e;
    e.m_type = type;
    e.m_date = date ? D(date) : NO_DATE;
    e.m_amount = Usd(dollars);
    return e;
  };
  const DayNumber taxDate = D("04-15-1995");
  struct Case {
    const char* name;
    CEvent before;
    CEvent after;
    const char* taxDateAfter;  // nullptr: the tax events no longer share one date
    bool changes;
  };
  const Case cases[] = {
      {"a later payment typed in", {}, event(kEventPayment, "06-15-1996", 300), "04-15-1995", false},
      {"a later payment's amount", event(kEventPayment, "06-15-1996", 300),
       event(kEventPayment, "06-15-1996", 400), "04-15-1995", false},
      {"a later payment moved later", event(kEventPayment, "06-15-1996", 300),
       event(kEventPayment, "06-15-1997", 300), "04-15-1995", false},
      {"a later payment deleted", event(kEventPayment, "06-15-1996", 300), {}, "04-15-1995", false},
      {"a later payment made a credit", event(kEventPayment, "06-15-1996", 300),
       event(kEventCredit, "06-15-1996", 300), "04-15-1995", false},
      {"a later deposit's amount", event(kEventDeposit, "06-15-1996", 300),
       event(kEventDeposit, "06-15-1996", 1), "04-15-1995", false},
      {"a payment on the tax date", event(kEventPayment, "04-15-1995", 300),
       event(kEventPayment, "04-15-1995", 400), "04-15-1995", true},
      {"a payment moved onto the tax date", event(kEventPayment, "06-15-1996", 300),
       event(kEventPayment, "04-15-1995", 300), "04-15-1995", true},
      {"a payment moved from before to after", event(kEventCredit, "01-15-1995", 300),
       event(kEventCredit, "06-15-1996", 300), "04-15-1995", true},
      {"a payment before the tax date deleted",
       event(kEventPayment, "01-15-1995", 300),
       {},
       "04-15-1995",
       true},
      {"a new payment's date before its amount",
       {},
       event(kEventPayment, "04-15-1995", 0),
       "04-15-1995",
       false},
      {"a later payment made a tax", event(kEventPayment, "06-15-1996", 300),
       event(kEventTax, "06-15-1996", 300), nullptr, true},
      {"a tax amount", event(kEventTax, "04-15-1995", 1000), event(kEventTax, "04-15-1995", 900),
       "04-15-1995", true},
      {"a debit's date", event(kEventDebit, "03-01-1997", 50), event(kEventDebit, "03-02-1997", 50),
       "04-15-1995", true},
      {"the only tax moved", event(kEventTax, "04-15-1995", 1000), event(kEventTax, "04-16-1995", 1000),
       "04-16-1995", true},
      {"a new tax on another date", {}, event(kEventTax, "04-15-1996", 0), nullptr, true},
      {"a suspension moved", event(kEventStopInterest, "01-01-1997", 0),
       event(kEventStopInterest, "01-02-1997", 0), "04-15-1995", false},
      {"a description alone", event(kEventPayment, "04-15-1995", 300),
       event(kEventPayment, "04-15-1995", 300), "04-15-1995", false},
  };
  for (const Case& c : cases) {
    const DayNumber after = c.taxDateAfter ? D(c.taxDateAfter) : NO_DATE;
    EXPECT_EQ(c.changes, EditChangesPenaltyBasis(c.before, c.after, taxDate, after)) << c.name;
  }
}

TEST_F(PenaltyModelTest, WindowClassFollowsTheTaxDate) {
  struct Case {
    int k;
    const char* taxDate;
    PenaltyWindowClass cls;
  };
  const Case cases[] = {
      {3, "04-15-1980", PenaltyWindowClass::C6653A0},  {3, "04-15-1985", PenaltyWindowClass::C6653A1},
      {3, "04-15-1988", PenaltyWindowClass::C6653A1},  {3, "04-15-1989", PenaltyWindowClass::C6653A8},
      {4, "09-02-1982", PenaltyWindowClass::C6653B82}, {4, "09-03-1982", PenaltyWindowClass::C6653B},
      {4, "04-15-1989", PenaltyWindowClass::C6653B89}, {23, "04-15-1995", PenaltyWindowClass::C6651A1},
      {13, "04-15-1995", PenaltyWindowClass::C6662E},  {0, "04-15-1995", PenaltyWindowClass::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.cls, PenaltyWindowFor(c.k, D(c.taxDate))) << c.k << " " << c.taxDate;
}

TEST_F(PenaltyModelTest, EditPenaltyConfirmsOrRestores) {
  Tax("04-15-1995", Usd(10000));
  SetPenaltyWindowHook([](CTDoc& doc, int k, PenaltyWindowClass cls) {
    EXPECT_EQ(PenaltyWindowClass::C6651A2, cls);
    doc.m_penalties[k].m_amounts[0] = 12345.0;
    doc.m_penalties[k].m_dates[0] = doc.TaxDate;
    doc.m_penalties[k].SetFlag(PEN_INDIVIDUAL_TIMELY, true);
    return PenaltyFormOk(doc, k, cls, true);
  });
  EXPECT_TRUE(EditPenalty(doc(), 1));
  EXPECT_TRUE(rec(1).IsActive());
  EXPECT_TRUE(rec(1).HasFlag(PEN_EDITED));
  EXPECT_TRUE(rec(2).HasFlag(PEN_INDIVIDUAL_TIMELY));
  EXPECT_TRUE(doc().IsModified());

  doc().SetModified(false);
  const PenaltyRecord before = rec(13);
  SetPenaltyWindowHook([](CTDoc& doc, int k, PenaltyWindowClass) {
    doc.m_penalties[k].m_amounts[0] = 1.0;
    return false;
  });
  EXPECT_FALSE(EditPenalty(doc(), 13));
  EXPECT_EQ(before, rec(13));
  EXPECT_FALSE(doc().IsModified());
}

TEST_F(PenaltyModelTest, CancelRestoresAndSwitchesOffARecordWithACaution) {
  Tax("04-15-1995", Usd(10000));
  PenaltyRecord& r = Activate(13, Usd(1000), {{0, "04-15-1995"}});
  r.SetRate(25.0);  // not a standard rate: a caution
  SetPenaltyWindowHook([](CTDoc& doc, int k, PenaltyWindowClass) {
    doc.m_penalties[k].SetRate(20.0);
    return false;
  });
  EXPECT_FALSE(EditPenalty(doc(), 13));
  EXPECT_EQ(25.0, r.m_rate);
  EXPECT_FALSE(r.IsActive());
  EXPECT_TRUE(ui_.Texts().empty());
}

TEST_F(PenaltyModelTest, ToggleSwitchesOffOrOpensTheWindow) {
  Tax("04-15-1995", Usd(10000));
  int opened = 0;
  SetPenaltyWindowHook([&](CTDoc&, int, PenaltyWindowClass) {
    ++opened;
    return false;
  });
  rec(11).SetFlag(PEN_ACTIVE, true);
  TogglePenalty(doc(), 11);
  EXPECT_FALSE(rec(11).IsActive());
  EXPECT_EQ(0, opened);
  TogglePenalty(doc(), 11);
  EXPECT_EQ(1, opened);
  EXPECT_FALSE(rec(11).IsActive());
}

TEST_F(PenaltyModelTest, CountResetAndTurnOffLeaveTheHotInterestRecord) {
  rec(22).SetFlag(PEN_ACTIVE, true);
  EXPECT_EQ(0, CountActivePenalties(doc()));
  EXPECT_FALSE(AnyActivePenalty(doc()));
  rec(1).SetFlag(PEN_ACTIVE, true);
  rec(23).SetFlag(PEN_ACTIVE, true);
  rec(23).m_amounts[0] = 5.0;
  EXPECT_EQ(2, CountActivePenalties(doc()));
  TurnOffPenalties(doc());
  EXPECT_EQ(0, CountActivePenalties(doc()));
  EXPECT_EQ(5.0, rec(23).m_amounts[0]);
  ResetPenaltyRecords(doc());
  EXPECT_EQ(0.0, rec(23).m_amounts[0]);
  EXPECT_TRUE(rec(22).IsActive());
}

TEST_F(PenaltyModelTest, SummaryListsUpToThreeActivePenalties) {
  ActivePenaltySummary none = SummarizeActivePenalties(doc());
  EXPECT_EQ("Active Penalties:  ", none.heading);
  EXPECT_EQ("None", none.note);

  for (int k : {11, 23, 1}) rec(k).SetFlag(PEN_ACTIVE, true);
  ActivePenaltySummary three = SummarizeActivePenalties(doc());
  ASSERT_EQ(3u, three.lines.size());
  EXPECT_EQ(23, three.lines[0].penalty);
  EXPECT_EQ("Failure to File Return When Due -- IRC  6651(a)(1)", three.lines[0].text);
  EXPECT_EQ(1, three.lines[1].penalty);
  EXPECT_EQ(11, three.lines[2].penalty);
  EXPECT_TRUE(three.note.empty());

  rec(16).SetFlag(PEN_ACTIVE, true);
  ActivePenaltySummary four = SummarizeActivePenalties(doc());
  EXPECT_TRUE(four.lines.empty());
  EXPECT_EQ(Text(18900), four.note);
}

TEST_F(PenaltyModelTest, FormExtrasOfTheOlderWindows) {
  const DayNumber taxDate = D("04-15-1982");
  PenaltyRecord r;
  r.m_amounts = {1.0, 2.0, 3.0, 4.0, 5.0};
  r.m_dates[1] = D("06-01-1983");
  StorePenaltyFormExtras(PenaltyWindowClass::C6653B82, r, taxDate);
  EXPECT_EQ(taxDate, r.m_dates[0]);
  EXPECT_EQ(taxDate, r.m_dates[2]);
  EXPECT_EQ(0.0, r.m_amounts[1]);
  EXPECT_EQ(0.0, r.m_amounts[2]);

  PenaltyRecord a8;
  a8.m_dates[0] = D("04-15-1989");
  StorePenaltyFormExtras(PenaltyWindowClass::C6653A8, a8, D("04-15-1989"));
  EXPECT_EQ(D("04-15-1989"), a8.m_dates[1]);

  PenaltyRecord a1;
  a1.m_dates[0] = D("04-15-1985");
  StorePenaltyFormExtras(PenaltyWindowClass::C6653A1, a1, D("04-15-1985"));
  EXPECT_EQ(NO_DATE, a1.m_dates[0]);

  PenaltyRecord b89;
  StorePenaltyFormExtras(PenaltyWindowClass::C6653B89, b89, D("04-15-1989"));
  EXPECT_EQ(D("04-15-1989"), b89.m_dates[1]);
}

TEST_F(PenaltyModelTest, NoticeRowsKeepOneLevyAndRebuildGraceBits) {
  PenaltyRecord r;
  r.m_dates[0] = D("03-01-1998");
  r.m_dates[1] = D("04-01-1998");
  r.m_dates[2] = D("05-01-1998");
  r.m_dates[4] = D("03-01-1998");  // levy on notice 1
  r.m_graceBits = 0x00FE;          // notice 1 has 21 days
  NoticeRows rows = ReadNoticeRows(r, 2);
  EXPECT_TRUE(rows[0].levy);
  EXPECT_FALSE(rows[0].tenDays);
  EXPECT_TRUE(rows[1].tenDays);

  ChooseLevyRow(rows, 2);
  EXPECT_FALSE(rows[0].levy);
  EXPECT_TRUE(rows[2].levy);
  rows[1].tenDays = false;
  rows[1].jeopardy = true;
  StoreNoticeRows(r, 2, rows);
  EXPECT_EQ(D("05-01-1998"), r.m_dates[4]);
  EXPECT_EQ(D("04-01-1998"), r.m_dates[5]);
  EXPECT_EQ(0x00FC, r.m_graceBits);
  const auto slots = NoticeSlots(1);
  EXPECT_EQ(std::vector<int>({1, 2, 3, 4, 7, 10}), std::vector<int>(slots.begin(), slots.end()));
}

// Validation: the message shown on OK, and whether the window may close.
struct ValidationCase {
  const char* name;
  int k;
  double amount0;
  std::vector<std::pair<int, const char*>> dates;
  double rate;
  std::vector<std::pair<int, double>> moreAmounts;
  int message;  // 0: none
  bool passes;
};

void PrintTo(const ValidationCase& c, std::ostream* os) {
  *os << c.name;
}

class PenaltyValidationTest : public testing::PenaltyTest,
                              public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(PenaltyValidationTest, MessageAndResult) {
  const ValidationCase& c = GetParam();
  const char* taxDate = c.k == 7 || c.k == 3 || c.k == 4 || c.k == 10 ? "04-15-1985" : "04-15-1995";
  Tax(taxDate, Usd(10000));
  PenaltyRecord& r = rec(c.k);
  r.SetFlag(PEN_ACTIVE, true);
  r.m_amounts[0] = c.amount0;
  for (const auto& [slot, date] : c.dates) r.m_dates[slot] = D(date);
  for (const auto& [slot, amount] : c.moreAmounts) r.m_amounts[slot] = amount;
  r.SetRate(c.rate);
  EXPECT_EQ(c.passes, ValidatePenalty(doc(), c.k, true));
  std::vector<std::string> expected;
  if (c.message) expected.push_back(std::string(StringText(c.message)));
  EXPECT_EQ(expected, ui_.Texts());
  EXPECT_TRUE(r.IsActive());  // shown findings never switch the penalty off
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PenaltyValidationTest,
    ::testing::Values(
        ValidationCase{"FailureToPayNotice2WithoutNotice1",
                       1,
                       Usd(1000),
                       {{0, "04-15-1995"}, {2, "06-01-1995"}},
                       0,
                       {},
                       19405,
                       false},
        ValidationCase{"FailureToPayInOrder",
                       1,
                       Usd(1000),
                       {{0, "04-15-1995"}, {1, "05-01-1995"}, {2, "06-01-1995"}},
                       0,
                       {},
                       0,
                       true},
        ValidationCase{"FailureToPayReinstateWithoutReduce",
                       1,
                       Usd(1000),
                       {{0, "04-15-1995"}, {9, "06-01-1995"}},
                       0,
                       {},
                       19420,
                       false},
        ValidationCase{
            "FailureToPayDueBeforeTaxDate", 1, Usd(1000), {{0, "04-14-1995"}}, 0, {}, 19406, false},
        ValidationCase{"AssessmentOutOfOrderButTooLarge",
                       2,
                       Usd(8000),
                       {{0, "06-01-1995"}, {1, "05-01-1995"}},
                       0,
                       {{1, Usd(3000)}},
                       19414,
                       true},
        ValidationCase{"AssessmentOutOfOrder",
                       2,
                       Usd(8000),
                       {{0, "06-01-1995"}, {1, "05-01-1995"}},
                       0,
                       {},
                       19405,
                       false},
        ValidationCase{"AssessmentWithoutNotice", 2, Usd(8000), {}, 0, {}, 19407, false},
        ValidationCase{
            "AccuracyRateCautionOverridesAmount", 13, Usd(20000), {{0, "04-15-1995"}}, 25, {}, 19412, true},
        ValidationCase{"AccuracyAmountTooLarge", 13, Usd(20000), {{0, "04-15-1995"}}, 20, {}, 19400, false},
        ValidationCase{
            "ValuationAmountErrorOverridesRate", 7, Usd(20000), {{0, "04-15-1985"}}, 25, {}, 19400, false},
        ValidationCase{"ValuationRateCaution", 7, Usd(2000), {{0, "04-15-1985"}}, 25, {}, 19411, true},
        ValidationCase{
            "FailureToFileWithoutReceivedDate", 23, Usd(1000), {{0, "04-15-1995"}}, 0, {}, 19402, false},
        ValidationCase{"FailureToFileDueBeforeTaxDate",
                       23,
                       Usd(1000),
                       {{0, "04-01-1995"}, {2, "06-01-1995"}},
                       0,
                       {},
                       19401,
                       false},
        ValidationCase{"NegligenceInterestPartTooLarge",
                       3,
                       Usd(1000),
                       {{1, "06-01-1986"}, {2, "05-01-1986"}},
                       0,
                       {{1, Usd(2000)}},
                       19408,
                       false},
        ValidationCase{"NegligenceNoticeBeforeAssessment",
                       3,
                       Usd(1000),
                       {{1, "05-01-1986"}, {2, "06-01-1986"}},
                       0,
                       {},
                       19418,
                       false},
        ValidationCase{"FraudInconsistentAmounts",
                       4,
                       Usd(1000),
                       {{0, "04-15-1985"}, {1, "06-01-1986"}, {2, "05-01-1986"}},
                       0,
                       {{1, Usd(500)}, {2, Usd(600)}},
                       19417,
                       false},
        ValidationCase{"SubstantialUnderstatementMissingDue", 10, Usd(1000), {}, 0, {}, 19419, false},
        ValidationCase{"SubstantialUnderstatementAssessedBeforeDue",
                       10,
                       Usd(1000),
                       {{0, "04-15-1985"}, {1, "04-01-1985"}},
                       0,
                       {},
                       19410,
                       false},
        ValidationCase{"FraudOk", 16, Usd(1000), {{0, "04-15-1995"}}, 0, {}, 0, true}),
    [](const ::testing::TestParamInfo<ValidationCase>& p) { return std::string(p.param.name); });

TEST_F(PenaltyModelTest, QuietValidationSwitchesOffOnAnyFinding) {
  Tax("04-15-1995", Usd(10000));
  rec(13).SetFlag(PEN_ACTIVE, true);
  rec(13).m_amounts[0] = Usd(1000);
  rec(13).m_dates[0] = D("04-15-1995");
  rec(13).SetRate(25.0);  // a caution only
  const PenaltyRecord opened = rec(13);
  rec(13).SetRate(20.0);
  PenaltyFormCancel(doc(), 13, opened);
  EXPECT_EQ(25.0, rec(13).m_rate);
  EXPECT_FALSE(rec(13).IsActive());
  EXPECT_TRUE(ui_.Texts().empty());
  EXPECT_TRUE(ValidatePenalty(doc(), 13, true));  // inactive passes
}

}  // namespace
}  // namespace zarvic
