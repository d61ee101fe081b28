#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "core/StringTable.h"
#include "engine/ComputeDriver.h"
#include "payoff/PayoffCalculation.h"
#include "problem/EventTypes.h"
#include "support/ProblemFixture.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Ev;

TEST(PayoffPaymentDate, AnchoredOnTheStartDay) {
  struct Case {
    const char* start;
    int k;
    const char* expected;
  };
  const Case cases[] = {
      {"01-31-97", 0, "01-31-97"}, {"01-31-97", 1, "02-28-97"}, {"01-31-97", 2, "03-31-97"},
      {"01-31-97", 3, "04-30-97"}, {"01-31-96", 1, "02-29-96"}, {"12-15-97", 1, "01-15-98"},
      {"08-30-99", 6, "02-29-00"}, {"11-30-26", 14, "01-30-28"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDate(D(c.expected)), FormatDate(PayoffPaymentDate(D(c.start), c.k))) << c.start << " + " << c.k;
  }
}

// A problem on the federal table: $10,000 of tax due 04-15-24, computed on 12-10-26.
class PayoffTest : public testing::ProblemFixture {
 protected:
  void SetUp() override {
    UseFederalTable();
    SetEvents({{kEventTax, "04-15-24", 10000.0}});
    Doc().m_computeDate = D("12-10-26");
    Doc().m_rateTable.endDate = D("12-31-25");
    ASSERT_TRUE(PayoffCalculation::CanOpen(&Doc()));
    calc_.Start();
    ui_.messages.clear();  // the cautions of the first computation
  }

  PayoffCalculation::Field Calculate(PayoffMode mode, const std::string& term, const std::string& amount,
                                     const std::string& start) {
    calc_.SetMode(mode);
    term_.SetText(term);
    amount_.SetText(amount);
    start_.SetText(start);
    return calc_.Calculate(term_, amount_, start_);
  }

  // The balance due at the last payment, computed afresh with the problem as the plan left it.
  Amount BalanceAtLastPayment() {
    EXPECT_EQ(calc_.Plan().back().date, Doc().m_computeDate);
    EXPECT_TRUE(ComputeProblem(Doc(), true));
    return FinalTotal(Doc());
  }

  int PlannedPaymentsInProblem() {
    int count = 0;
    for (const CEvent& event : Doc().ListedEvents()) {
      if (event.m_type == kEventPayment) {
        EXPECT_EQ(event.m_amount, event.m_gattAmount);
        ++count;
      }
    }
    return count;
  }

  PayoffCalculation calc_{Doc()};
  StringField term_;
  StringField amount_;
  StringField start_;
};

TEST_F(PayoffTest, OpensWithTheComputeDateAndTheIntroduction) {
  EXPECT_EQ(PayoffMode::FixedTerm, calc_.Mode());
  EXPECT_EQ(D("12-10-26"), calc_.StartDate());
  EXPECT_EQ(std::string(kPayoffIntroText), calc_.ResultText());
  EXPECT_EQ("$1,234.50", PayoffCalculation::AmountText(123450.0));
}

TEST_F(PayoffTest, FixedTermLeavesNothingDueAfterTheAdjustedLastPayment) {
  const DayNumber tableEnd = Doc().m_rateTable.endDate;
  EXPECT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedTerm, "24", "", "01-31-27"));
  ASSERT_EQ(24u, calc_.Plan().size());
  EXPECT_EQ(24, PlannedPaymentsInProblem());
  const Amount P = calc_.Plan().front().amount;
  for (std::size_t k = 0; k + 1 < calc_.Plan().size(); ++k) EXPECT_EQ(P, calc_.Plan()[k].amount) << k;
  // The residual the last payment absorbed is within a dollar either way.
  EXPECT_LE(std::fabs(calc_.Plan().back().amount - P), kPayoffTolerance);
  EXPECT_EQ(D("02-28-27"), calc_.Plan()[1].date);
  EXPECT_EQ(D("12-31-28"), calc_.Plan().back().date);
  EXPECT_EQ(D("12-31-28"), Doc().m_computeDate);
  EXPECT_EQ(tableEnd, Doc().m_rateTable.endDate);
  EXPECT_TRUE(Doc().IsModified());
  EXPECT_GT(ui_.refreshes, 0);
  EXPECT_NEAR(0.0, BalanceAtLastPayment(), 0.5);

  const std::string money = FormatAmount(P, true, true, false);
  const std::string expected =
      calc_.Plan().back().amount == P
          ? "Payoff will require 24 payments of $" + money + " on 01-31-27 through 12-31-28\n"
          : "Payoff will require 23 payments of $" + money + " on 01-31-27 through 11-30-28\nand 1 payment of $" +
                FormatAmount(calc_.Plan().back().amount, true, true, false) + " on 12-31-28\n";
  EXPECT_EQ(expected +
                "\nIf future payments extend beyond the last rate in the interest rate table, the last rate in the "
                "table will be used.\n\nThe payoff payments have been inserted into your data file.  If you wish "
                "to keep them, close this window and save your data file.  To discard them, close this window, "
                "close your data file, and answer \"No\" when asked if you would like to save changes.\n\nPress "
                "F1 for help.",
            calc_.ResultText());
}

TEST_F(PayoffTest, SecondCalculateReplacesTheFirstPlan) {
  ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedTerm, "24", "", "12-10-26"));
  ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedTerm, "12", "", "12-10-26"));
  EXPECT_EQ(12, PlannedPaymentsInProblem());
  EXPECT_EQ(13, Doc().EventCount());
  EXPECT_NEAR(0.0, BalanceAtLastPayment(), 0.5);
  ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedAmount, "12", "$2,000", "12-10-26"));
  EXPECT_EQ(static_cast<int>(calc_.Plan().size()), PlannedPaymentsInProblem());
  EXPECT_NEAR(0.0, BalanceAtLastPayment(), 0.5);
}

// Regression: the planned payments are found by what they are, so a user's event dated after the
// start, which the engine sorts among them, survives a second plan.
TEST_F(PayoffTest, SecondPlanKeepsAUsersLaterEvent) {
  SetEvents({{kEventTax, "04-15-24", 10000.0}, {kEventDebit, "06-15-27", 50.0}});
  ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedTerm, "12", "", "12-10-26"));
  ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedTerm, "6", "", "12-10-26"));
  EXPECT_EQ(6, PlannedPaymentsInProblem());
  EXPECT_EQ(8, Doc().EventCount());
  EXPECT_EQ(1, std::count_if(Doc().ListedEvents().begin(), Doc().ListedEvents().end(),
                             [](const CEvent& e) { return e.m_type == kEventDebit; }));
}

TEST_F(PayoffTest, FixedAmountAboveTheBalanceIsOnePaymentOfTheBalance) {
  const Amount balance = FinalTotal(Doc());
  ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedAmount, "", "1000000", "12-10-26"));
  ASSERT_EQ(1u, calc_.Plan().size());
  EXPECT_EQ(balance, calc_.Plan().front().amount);
  EXPECT_EQ(balance, Doc().m_events[1].m_amount);
  EXPECT_EQ("$1,000,000.00", amount_.Text());
  EXPECT_EQ(0u, calc_.ResultText().find("Payoff will require 1 payment of $" +
                                        FormatAmount(balance, true, true, false) + " on 12-10-26\n\n"));
  EXPECT_NEAR(0.0, BalanceAtLastPayment(), 0.5);
}

TEST_F(PayoffTest, FixedAmountPaysMonthlyUntilNothingIsDue) {
  ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedAmount, "", "$1,000.00", "01-31-27"));
  const auto& plan = calc_.Plan();
  ASSERT_GT(plan.size(), 10u);
  for (std::size_t k = 0; k + 1 < plan.size(); ++k) EXPECT_EQ(100000.0, plan[k].amount) << k;
  EXPECT_LE(plan.back().amount, 100000.0);
  EXPECT_EQ(D("03-31-27"), plan[2].date);
  EXPECT_NEAR(0.0, BalanceAtLastPayment(), 0.5);
}

TEST_F(PayoffTest, RefusedRequestsNameTheirFieldAndChangeNothing) {
  struct Case {
    PayoffMode mode;
    const char* term;
    const char* amount;
    const char* start;
    PayoffCalculation::Field field;
    const char* message;
  };
  using F = PayoffCalculation::Field;
  const Case cases[] = {
      {PayoffMode::FixedTerm, "12a", "", "12-10-26", F::TermField, kPayoffTermNotInteger},
      {PayoffMode::FixedTerm, "-3", "", "12-10-26", F::TermField, kPayoffTermNotInteger},
      {PayoffMode::FixedTerm, "0", "", "12-10-26", F::TermField, kPayoffTermTooShort},
      {PayoffMode::FixedAmount, "12", "12 dollars", "12-10-26", F::AmountField,
       StringText(kMalformedAmountId).data()},
      {PayoffMode::FixedAmount, "12", "1.5E+06", "12-10-26", F::AmountField,
       StringText(kMalformedAmountId).data()},
      {PayoffMode::FixedAmount, "12", "$0.00", "12-10-26", F::AmountField, kPayoffAmountTooSmall},
      {PayoffMode::FixedAmount, "12", "-500", "12-10-26", F::AmountField, kPayoffAmountTooSmall},
      {PayoffMode::FixedTerm, "12", "", "12.10.26", F::StartField, kPayoffStartNotDate},
      {PayoffMode::FixedTerm, "12", "", "13/10/26", F::StartField, kPayoffStartNotDate},
      {PayoffMode::FixedTerm, "12", "", "", F::StartField, kPayoffStartNotDate},
      {PayoffMode::FixedTerm, "12", "", "12-09-26", F::StartField, kPayoffStartTooEarly},
  };
  for (const Case& c : cases) {
    ui_.messages.clear();
    EXPECT_EQ(c.field, Calculate(c.mode, c.term, c.amount, c.start)) << c.term << c.amount << c.start;
    EXPECT_EQ(std::vector<std::string>{c.message}, ui_.Texts()) << c.term << c.amount << c.start;
    EXPECT_EQ(1, Doc().EventCount());
    EXPECT_FALSE(calc_.HasPlan());
  }
}

TEST_F(PayoffTest, FieldsAreWrittenBackInTheirDisplayForm) {
  term_.SetText("36");
  EXPECT_TRUE(calc_.LeaveTerm(term_));
  EXPECT_EQ(36, calc_.Term());
  amount_.SetText("1234.5");
  EXPECT_TRUE(calc_.LeaveAmount(amount_));
  EXPECT_EQ("$1,234.50", amount_.Text());
  EXPECT_EQ(123450.0, calc_.MonthlyAmount());
  // The start date takes every form the other date fields take.
  for (const char* typed : {"1-31-27", "1/31/27", "01/31/2027", "1 31 27"}) {
    start_.SetText(typed);
    EXPECT_TRUE(calc_.LeaveStart(start_)) << typed;
    EXPECT_EQ("01-31-27", start_.Text()) << typed;
  }
  EXPECT_TRUE(ui_.messages.empty());
}

// What a refused plan must leave as it found it.
struct ProblemState {
  std::vector<std::tuple<std::uint16_t, DayNumber, double>> events;
  DayNumber computeDate;
  bool modified;
  bool operator==(const ProblemState&) const = default;
};

ProblemState StateOf(const CTDoc& doc) {
  ProblemState state{{}, doc.m_computeDate, doc.IsModified()};
  for (const CEvent& e : doc.ListedEvents()) state.events.emplace_back(e.m_type, e.m_date, e.m_amount);
  return state;
}

// Regression: "Fixed Amount" of $10 on a five-figure balance said "This request requires too many
// events." and still inserted some 997 payments and moved the compute date to 2108. A plan that needs
// more events than fit is refused before anything is inserted, whether a plan was there before or not,
// and the refusal says what would fit.
TEST_F(PayoffTest, APlanThatDoesNotFitInsertsNothing) {
  struct Case {
    const char* name;
    bool earlierPlan;
    bool modified;
  };
  // Saved after the plan (not modified): removing the earlier plan must not count once refused.
  for (const Case& c : {Case{"a fresh problem", false, false}, Case{"over an earlier plan", true, false}}) {
    SCOPED_TRACE(c.name);
    SetUp();
    if (c.earlierPlan) {
      ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedTerm, "24", "", "01-31-27"));
      ASSERT_EQ(24u, calc_.Plan().size());
    }
    Doc().SetModified(c.modified);
    const ProblemState before = StateOf(Doc());
    const Amount total = FinalTotal(Doc());
    ui_.messages.clear();
    ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedAmount, "", "$10.00", "12-10-26"));
    EXPECT_EQ(before, StateOf(Doc()));
    if (!c.earlierPlan) {
      EXPECT_EQ(total, FinalTotal(Doc()));
    }
    EXPECT_EQ(c.earlierPlan ? 24u : 0u, calc_.Plan().size());
    EXPECT_TRUE(ui_.messages.empty());
    const std::string text = calc_.ResultText();
    EXPECT_EQ(
        0u,
        text.find(std::string(kPayoffTooManyEvents) +
                  "\n\nThe smallest monthly amount that pays off the balance within the 999 payments that "
                  "fit is $"))
        << text;

    ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedTerm, "999", "", "12-10-26"));
    EXPECT_EQ(before, StateOf(Doc()));
    EXPECT_EQ((std::vector<std::string>{std::string(kPayoffTooManyEvents) +
                                        "\n\nThe longest term that fits is 998 months."}),
              ui_.Texts());
  }
}

// With 990 events the plan has room for 9 payments (fixed term) or 10 (fixed amount). The smallest
// amount the refusal names fits, and a dollar less does not.
TEST_F(PayoffTest, TheRefusalSaysWhatFits) {
  std::vector<Ev> events;
  for (int i = 0; i < 990; ++i) events.push_back({kEventTax, "04-15-24", 10.0});
  SetEvents(events);
  ComputeProblem(Doc(), true);
  const ProblemState before = StateOf(Doc());
  ui_.messages.clear();
  EXPECT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedTerm, "10", "", "12-10-26"));
  EXPECT_EQ((std::vector<std::string>{std::string(kPayoffTooManyEvents) +
                                      "\n\nThe longest term that fits is 9 months."}),
            ui_.Texts());
  EXPECT_EQ(before, StateOf(Doc()));

  ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedAmount, "", "$500.00", "12-10-26"));
  EXPECT_EQ(before, StateOf(Doc()));
  const std::string text = calc_.ResultText();
  const std::string lead =
      std::string(kPayoffTooManyEvents) +
      "\n\nThe smallest monthly amount that pays off the balance within the 10 payments that fit is $";
  ASSERT_EQ(0u, text.find(lead)) << text;
  ASSERT_EQ('.', text.back());
  const std::string smallest = text.substr(lead.size(), text.size() - lead.size() - 1);
  const Amount cents = ParseAmount(smallest);
  ASSERT_GT(cents, 50000.0);
  ASSERT_EQ(PayoffCalculation::Field::None,
            Calculate(PayoffMode::FixedAmount, "", "$" + smallest, "12-10-26"));
  EXPECT_LE(calc_.Plan().size(), 10u);
  EXPECT_NEAR(0.0, BalanceAtLastPayment(), 0.5);
  const ProblemState planned = StateOf(Doc());
  ASSERT_EQ(
      PayoffCalculation::Field::None,
      Calculate(PayoffMode::FixedAmount, "", FormatAmount(cents - 100.0, true, false, false), "12-10-26"));
  EXPECT_EQ(0u, calc_.ResultText().find(lead));
  EXPECT_EQ(planned, StateOf(Doc()));  // the plan that fitted stays

  ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedTerm, "9", "", "12-10-26"));
  EXPECT_EQ(9u, calc_.Plan().size());
}

// After a plan the problem is computed to its last payment, past the rate table's end: the next
// computation shows the caution about it, as any computation past the table's end does.
TEST_F(PayoffTest, TheNextComputationCautionsAboutTheTableEnd) {
  ASSERT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedTerm, "12", "", "12-10-26"));
  EXPECT_TRUE(ui_.messages.empty());
  ASSERT_TRUE(ComputeProblem(Doc(), false));
  EXPECT_EQ(Texts({20015}), ui_.Texts());
  ui_.messages.clear();
  ASSERT_TRUE(ComputeProblem(Doc(), false));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(PayoffTest, AStartOnTheComputeDateIsAccepted) {
  EXPECT_EQ(PayoffCalculation::Field::None, Calculate(PayoffMode::FixedTerm, "1", "", "12-10-26"));
  ASSERT_EQ(1u, calc_.Plan().size());
  EXPECT_EQ(0u, calc_.ResultText().find("Payoff will require 1 payment of $"));
  EXPECT_NEAR(0.0, BalanceAtLastPayment(), 0.5);
}

class PayoffOpeningTest : public testing::ProblemFixture {};

TEST_F(PayoffOpeningTest, RefusesWithoutAProblemOrABalance) {
  EXPECT_FALSE(PayoffCalculation::CanOpen(nullptr));
  UseFederalTable();
  SetEvents({{kEventTax, "04-15-24", 1000.0}, {kEventPayment, "04-15-24", 1000.0}});
  Doc().m_computeDate = D("12-10-26");
  Doc().m_rateTable.endDate = D("12-31-26");
  EXPECT_FALSE(PayoffCalculation::CanOpen(&Doc()));
  EXPECT_EQ((std::vector<std::string>{kPayoffNoProblem, kPayoffNoBalance}), ui_.Texts());
}

TEST_F(PayoffOpeningTest, AnUnsetComputeDateBecomesToday) {
  UseFederalTable();
  SetEvents({{kEventTax, "04-15-24", 1000.0}});
  EXPECT_TRUE(PayoffCalculation::CanOpen(&Doc()));
  EXPECT_EQ(Today(), Doc().m_computeDate);
  EXPECT_GT(FinalTotal(Doc()), 100000.0);
}

}  // namespace
}  // namespace zarvic
