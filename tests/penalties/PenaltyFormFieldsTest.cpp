// The field tables the penalty windows are built from: which window a penalty opens for a tax date,
// which fields it shows then, and how a field's text reaches its record slot.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PenaltyTestSupport.h"
#include "penalties/PenaltyCatalog.h"
#include "penalties/PenaltyFormFields.h"

namespace zarvic {
namespace {

using testing::D;

std::vector<std::string> ShownNames(PenaltyWindowClass cls, DayNumber taxDate) {
  std::vector<std::string> names;
  for (const PenaltyField* field : ShownPenaltyFields(PenaltyFormOf(cls), taxDate)) {
    names.push_back(field->kind == PenaltyFieldKind::NoticeRows ? "(notice rows)" : PenaltyFieldName(*field));
  }
  return names;
}

struct WindowCase {
  int k;
  const char* taxDate;
  const char* window;
  std::vector<std::string> fields;
};

const std::string kDue = "Due date (with extensions)";
const std::string kPercent = "Applicable Penalty Percentage";
const std::string kIndividual = "Individual return timely filed?";
const std::string kReduce = "Date the penalty rate was reduced to 0.25% (installment agreement)";
const std::string kReinstate = "Date the penalty rate was reinstated to 0.5%";

TEST(PenaltyFormFieldsTest, WindowAndFieldsFollowTheTaxDate) {
  const std::string notice6651 = "Notice date (for due dates before 7-19-84)";
  const std::string fraud = "Was failure-to-file due to fraud?";
  const std::string minimum = "Use minimum penalty rule for income taxes";
  const std::vector<std::string> failureToFileHead = {"Date return was received by IRS", kDue, "Net tax due"};
  auto with = [](std::vector<std::string> head, std::initializer_list<std::string> tail) {
    head.insert(head.end(), tail);
    return head;
  };
  const std::vector<WindowCase> cases = {
      // The notice date is asked only for returns due before 7-19-84, the fraud box from 1990 on.
      {23, "06-01-1984", "C6651A1", with(failureToFileHead, {notice6651, minimum})},
      {23, "07-19-1984", "C6651A1", with(failureToFileHead, {minimum})},
      {23, "12-31-1989", "C6651A1", with(failureToFileHead, {minimum})},
      {23, "01-01-1990", "C6651A1", with(failureToFileHead, {fraud, minimum})},
      {23, "04-15-1991", "C6651A1", with(failureToFileHead, {fraud, minimum})},
      {1, "04-15-2019", "C6651A2",
       {"Tax shown on return but not paid", "Tax due date not including extensions of time to file",
        "(notice rows)", kIndividual, kReduce, kReinstate}},
      {2, "04-15-2019", "C6651A3",
       {"Enter amount of tax assessed", "(notice rows)", kIndividual, kReduce, kReinstate}},
      // 6653(a) and 6653(b) have a window per era of returns.
      {3, "12-31-1980", "C6653A0",
       {"Underpayment subject to the penalty", "Date of the any notice to pay the penalty"}},
      {3, "01-01-1981", "C6653A1",
       {"Amount subject to 5% penalty", "Amount of the underpayment attributable to negligence",
        "Amount attributable to negligence that is also subject to the motivated rate ",
        "Tax assessment date (if any)", "Notice date (if any)", "Follow IRS payment allocation regulations "}},
      {3, "12-31-1988", "C6653A1",
       {"Amount subject to 5% penalty", "Amount of the underpayment attributable to negligence",
        "Amount attributable to negligence that is also subject to the motivated rate ",
        "Tax assessment date (if any)", "Notice date (if any)", "Follow IRS payment allocation regulations "}},
      {3, "04-15-1989", "C6653A8", {kDue, "Amount subject to penalty"}},
      {4, "09-02-1982", "C6653B82", {"Amount subject to 50% penalty", "Notice date"}},
      {4, "09-03-1982", "C6653B",
       {"Amount subject to the 50% or 75%  component of the penalty",
        "Amount of the underpayment attributable to fraud",
        "Amount attributable to fraud that is also subject to the motivated rate ", "Tax assessment date (if any)",
        "Notice date (if any)"}},
      {4, "04-15-1989", "C6653B89", {kDue, "Underpayment attributable to fraud"}},
      // 6659 drops its notice date from 7-18-84, 6660 after 7-18-84, 6661 its assessment after 10-21-86.
      {7, "07-17-1984", "C6659", {kDue, "Notice date", "Underpayment Due to Valuation Overstatement", kPercent}},
      {7, "07-18-1984", "C6659", {kDue, "Underpayment Due to Valuation Overstatement", kPercent}},
      {8, "04-15-1986", "C6659A", {"Notice date", "Underpayment Due to Pension Liability Overstatement", kPercent}},
      {9, "07-18-1984", "C6660", {kDue, "Underpayment due to understatement", kPercent, "Notice date"}},
      {9, "07-19-1984", "C6660", {kDue, "Underpayment due to understatement", kPercent}},
      {10, "10-21-1986", "C6661",
       {kDue, "Amount of the substantial understatement of income tax", "Tax assessment date"}},
      {10, "10-22-1986", "C6661", {kDue, "Amount of the substantial understatement of income tax"}},
      {11, "01-01-1990", "C6662C", {kDue, "Amount of the underpayment attributable to negligence."}},
      {12, "04-15-2019", "C6662D", {kDue, "Underpayment due to understatement of tax"}},
      {13, "04-15-2019", "C6662E", {kDue, "Underpayment subject to valuation misstatement penalty", kPercent}},
      {14, "04-15-2019", "C6662F", {kDue, "Underpayment due to pension liability overstatement", kPercent}},
      {15, "04-15-2019", "C6662G", {kDue, "Underpayment due to valuation understatement", kPercent}},
      {16, "04-15-2019", "C6663", {kDue, "Underpayment due to fraud"}},
  };
  for (const WindowCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.k) + " " + c.taxDate);
    const DayNumber taxDate = D(c.taxDate);
    const PenaltyWindowClass cls = PenaltyWindowFor(c.k, taxDate);
    EXPECT_EQ(c.window, PenaltyWindowClassName(cls));
    EXPECT_EQ(c.k, PenaltyFormOf(cls).penalty);
    EXPECT_EQ(c.fields, ShownNames(cls, taxDate));
  }
}

// Each window's dialog title and percentage list; only 6659 leaves a typed percentage as it is.
TEST(PenaltyFormFieldsTest, TitlesAndPercentageLists) {
  struct Case {
    PenaltyWindowClass cls;
    std::string title;
    std::vector<int> rates;
    bool normalizes;
  };
  const std::vector<Case> cases = {
      {PenaltyWindowClass::C6651A2, "Failure to Pay Tax Shown on Return -- IRC  6651(a)(2)", {}, false},
      {PenaltyWindowClass::C6653A8, "Negligence (Return due during 1989) -- IRC  6653(a) ", {}, false},
      {PenaltyWindowClass::C6659, "Valuation Overstatement of Income Tax -- IRC  6659", {10, 20, 30}, false},
      {PenaltyWindowClass::C6659A, "Pension Liability Overstatement -- IRC  6659A", {10, 20, 30}, true},
      {PenaltyWindowClass::C6660, "Valuation Understatement -- Estate/Gift -- IRC  6660", {10, 20, 30}, true},
      {PenaltyWindowClass::C6662E, "Substantial Valuation Misstatement -- IRC  6662(e)", {20, 40}, true},
      {PenaltyWindowClass::C6662G, "Valuation Understatement -- Estate/Gift -- IRC  6662(g)", {20, 40}, true},
  };
  for (const Case& c : cases) {
    const PenaltyForm& form = PenaltyFormOf(c.cls);
    EXPECT_EQ(c.title, form.title);
    EXPECT_EQ(c.rates, std::vector<int>(form.rates.begin(), form.rates.end())) << c.title;
    EXPECT_EQ(c.normalizes, form.normalizesPercent) << c.title;
  }
  EXPECT_EQ(21005, PenaltyFormOf(PenaltyWindowClass::C6662C).extraTipsId);
  EXPECT_TRUE(PenaltyFormOf(PenaltyWindowClass::C6621c).fields.empty());
}

TEST(PenaltyFormFieldsTest, FieldTextReachesItsSlot) {
  const PenaltyField date{PenaltyFieldKind::Date, 8, PenaltyCheck::None, "d"};
  const PenaltyField money{PenaltyFieldKind::Money, 2, PenaltyCheck::None, "m"};
  const PenaltyField rate{PenaltyFieldKind::Rate, -1, PenaltyCheck::None, "r"};
  struct Case {
    const PenaltyField* field;
    const char* typed;
    DayNumber date;
    double amount;
    double rate;
  };
  const std::vector<Case> cases = {
      {&date, "4/15/19", D("04-15-2019"), 0.0, 0.0},
      {&date, "", NO_DATE, 0.0, 0.0},
      {&money, "1,234.56", NO_DATE, 123456.0, 0.0},
      {&money, "", NO_DATE, 0.0, 0.0},
      {&rate, "40", NO_DATE, 0.0, 40.0},
      {&rate, "25.4", NO_DATE, 0.0, 25.0},  // kept a whole percent
      {&rate, "", NO_DATE, 0.0, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    PenaltyRecord record;
    StorePenaltyFieldText(*c.field, record, StringField(c.typed));
    EXPECT_EQ(c.date, record.m_dates[8]);
    EXPECT_EQ(c.amount, record.m_amounts[2]);
    EXPECT_EQ(c.rate, record.m_rate);
  }

  PenaltyRecord record;
  record.m_dates[8] = D("04-15-2019");
  record.m_amounts[2] = 123456.0;
  record.SetRate(20.0);
  EXPECT_EQ("04-15-19", PenaltyFieldText(date, record));
  EXPECT_EQ("1,234.56", PenaltyFieldText(money, record));
  EXPECT_EQ("20", PenaltyFieldText(rate, record));
  EXPECT_EQ("", PenaltyFieldText(date, PenaltyRecord{}));
}

TEST(PenaltyFormFieldsTest, CheckFieldsAndTheInvertedMinimumRule) {
  const PenaltyField minimum{PenaltyFieldKind::Check, -1, PenaltyCheck::UseMinimum, "m"};
  const PenaltyField option{PenaltyFieldKind::Check, -1, PenaltyCheck::Option, "o"};
  const PenaltyField individual{PenaltyFieldKind::Check, -1, PenaltyCheck::IndividualTimely, "i"};
  PenaltyRecord record;
  EXPECT_TRUE(PenaltyFieldChecked(minimum, record));
  StorePenaltyFieldCheck(minimum, record, false);
  EXPECT_TRUE(record.HasFlag(PEN_NO_MINIMUM));
  EXPECT_FALSE(PenaltyFieldChecked(minimum, record));
  StorePenaltyFieldCheck(option, record, true);
  StorePenaltyFieldCheck(individual, record, true);
  EXPECT_EQ(PEN_NO_MINIMUM | PEN_OPTION | PEN_INDIVIDUAL_TIMELY, record.m_flags);
  StorePenaltyFieldCheck(individual, record, false);
  EXPECT_FALSE(PenaltyFieldChecked(individual, record));
}

TEST(PenaltyFormFieldsTest, ReduceAndReinstateNeedActivateAndIndividual) {
  const PenaltyForm& form = PenaltyFormOf(PenaltyWindowClass::C6651A2);
  const PenaltyField& amount = form.fields[0];
  const PenaltyField& reduce = form.fields[4];
  ASSERT_EQ(8, reduce.slot);
  EXPECT_TRUE(PenaltyFieldEnabled(amount, true, false));
  EXPECT_FALSE(PenaltyFieldEnabled(amount, false, true));
  EXPECT_FALSE(PenaltyFieldEnabled(reduce, true, false));
  EXPECT_FALSE(PenaltyFieldEnabled(reduce, false, true));
  EXPECT_TRUE(PenaltyFieldEnabled(reduce, true, true));
}

TEST(PenaltyFormFieldsTest, NoticeTips) {
  EXPECT_EQ("Was the 1st notice the 1st notice of levy?", NoticeLevyTip(0));
  EXPECT_EQ("Was the 3rd notice the 1st jeopardy demand?", NoticeJeopardyTip(2));
  EXPECT_EQ("Grace period for 6th notice", NoticeGraceTip(5));
}

// An error puts the focus on the field it is about.
TEST(PenaltyFormFieldsTest, FindingFieldPointsAtTheCulprit) {
  struct Case {
    PenaltyWindowClass cls;
    const char* taxDate;
    int code;
    int field;
    int noticeRow;
  };
  const std::vector<Case> cases = {
      {PenaltyWindowClass::C6651A1, "04-15-2019", 3, 0, -1},    // received date
      {PenaltyWindowClass::C6651A1, "04-15-2019", 1, 2, -1},    // net tax due
      {PenaltyWindowClass::C6651A2, "04-15-2019", 6, 2, 2},     // notice 3 before notice 2
      {PenaltyWindowClass::C6651A2, "04-15-2019", 21, 4, -1},   // reduce date
      {PenaltyWindowClass::C6651A3, "04-15-2019", 8, 1, 0},     // notice to pay
      {PenaltyWindowClass::C6662E, "04-15-2019", 13, 2, -1},    // percentage
      {PenaltyWindowClass::C6653B, "04-15-1986", 18, 1, -1},    // amount attributable to fraud
      {PenaltyWindowClass::C6661, "04-15-1985", 11, 2, -1},     // assessment date
      {PenaltyWindowClass::C6661, "04-15-1987", 11, -1, -1},    // hidden then
  };
  PenaltyRecord record;
  record.m_dates[1] = D("05-01-2019");
  record.m_dates[2] = D("06-01-2019");
  record.m_dates[3] = D("05-15-2019");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(PenaltyWindowClassName(c.cls)) + " " + std::to_string(c.code));
    const PenaltyFindingField found = FindingField(PenaltyFormOf(c.cls), record, c.code, D(c.taxDate));
    EXPECT_EQ(c.field, found.field);
    EXPECT_EQ(c.noticeRow, found.noticeRow);
  }
}

}  // namespace
}  // namespace zarvic
