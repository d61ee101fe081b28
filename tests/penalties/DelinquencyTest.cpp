#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PenaltyTestSupport.h"
#include "core/StringTable.h"
#include "penalties/Delinquency.h"
#include "penalties/PenaltyPass.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Usd;

class DelinquencyTest : public testing::PenaltyTest {
 protected:
  std::vector<int> StepCodes(const std::vector<PenaltyMonth>& months) {
    std::vector<int> codes;
    for (const PenaltyMonth& m : months) codes.push_back(m.rateStep);
    return codes;
  }
  std::vector<double> Amounts(const std::vector<PenaltyMonth>& months) {
    std::vector<double> amounts;
    for (const PenaltyMonth& m : months) amounts.push_back(m.amount);
    return amounts;
  }
};

// Failure to file on $10,000 due 4-15-2021, minimum rule off: 5% (15% for fraud) per month or part of
// one, at most five months.
struct FileCase {
  const char* received;
  bool fraud;
  int monthsCharged;
  int monthsLate;
  double amount;
};

TEST_F(DelinquencyTest, FailureToFileMonths) {
  const FileCase cases[] = {
      {"04-25-2021", false, 1, 1, Usd(500)},   // 10 days late: one month
      {"09-10-2021", false, 5, 5, Usd(2500)},  // within the fifth month
      {"11-10-2021", false, 5, 7, Usd(2500)},  // seven months late: 25%
      {"11-10-2021", true, 5, 7, Usd(7500)},   // due to fraud: 75%
      {"05-15-2021", false, 1, 1, Usd(500)},   // exactly one month late
  };
  for (const FileCase& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    Tax("04-15-2021", Usd(10000));
    PenaltyRecord& r = Activate(23, Usd(10000), {{0, "04-15-2021"}, {2, c.received}});
    r.SetFlag(PEN_OPTION, c.fraud);
    r.SetFlag(PEN_NO_MINIMUM, true);
    ComputePenalties(doc(), D("01-01-2024"));
    EXPECT_EQ(c.monthsCharged, r.m_monthsCharged) << c.received;
    EXPECT_EQ(c.monthsLate, r.m_amounts[1]) << c.received;
    EXPECT_EQ(c.fraud ? 15.0 : 5.0, r.m_rate);
    EXPECT_EQ(c.amount, res().PenaltyAmount[23]) << c.received;
    EXPECT_EQ(c.amount, res().PenaltyGross[23]);
    ASSERT_EQ(1u, res().assessments.size());
    EXPECT_EQ(D("04-15-2021"), res().assessments[0].date);
    EXPECT_EQ(c.amount, res().assessments[0].amount);
  }
}

// The minimum ($435 for returns due in 2020 to 2022) applies from 60 days late, and never exceeds the
// base.
struct MinimumCase {
  const char* received;
  double base;
  double minimum;
  double amount;
};

TEST_F(DelinquencyTest, FailureToFileMinimum) {
  const MinimumCase cases[] = {
      {"06-13-2021", Usd(1000), 0.0, Usd(100)},         // 59 days: two months of 5%
      {"06-14-2021", Usd(1000), 0.0, Usd(100)},         // 60 days: still filed within 60 days
      {"06-15-2021", Usd(1000), Usd(435), Usd(435)},    // 61 days
      {"06-15-2021", Usd(300), Usd(300), Usd(300)},     // the whole base when smaller
      {"06-15-2021", Usd(20000), Usd(435), Usd(2000)},  // the rule does not lower a larger penalty
  };
  for (const MinimumCase& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    Tax("04-15-2021", Usd(20000));
    Activate(23, c.base, {{0, "04-15-2021"}, {2, c.received}});
    ComputePenalties(doc(), D("01-01-2024"));
    EXPECT_EQ(c.minimum, res().PenaltyMinimum[23]) << c.received << " " << c.base;
    EXPECT_EQ(c.amount, res().PenaltyAmount[23]) << c.received << " " << c.base;
  }
  EXPECT_EQ(Usd(100), MinimumFailureToFile(D("12-31-2008")));
  EXPECT_EQ(Usd(135), MinimumFailureToFile(D("01-01-2009")));
  EXPECT_EQ(Usd(450), MinimumFailureToFile(D("04-15-2023")));
  EXPECT_EQ(Usd(525), MinimumFailureToFile(D("04-15-2026")));
}

// Regression: the minimum applied to a return filed on the 60th day after its due date, which 6651(a)
// spares ("not filed within 60 days"). $900 due 4-15-2024, filed and paid on the day shown:
//   failure to pay: months of 4-15 and 5-15 at 0.5% of $900 = $4.50 + $4.50 = $9.00;
//   failure to file: two months (4-15, 5-15) at 5% of $900 = $90.00, less those $9.00 = $81.00.
// On 6-14 (day 60) that stands; on 6-15 (day 61) the minimum, min($485, $900) = $485, replaces it.
TEST_F(DelinquencyTest, MinimumOnlyAfterTheSixtiethDay) {
  struct Case {
    const char* filed;
    double minimum;
    double toFile;
  };
  for (const Case& c : {Case{"06-14-2024", 0.0, Usd(81)}, Case{"06-15-2024", Usd(485), Usd(485)}}) {
    doc_ = std::make_unique<CTDoc>();
    Tax("04-15-2024", Usd(900));
    Pay(c.filed, Usd(900));
    Activate(1, Usd(900), {{0, "04-15-2024"}});
    Activate(23, Usd(900), {{0, "04-15-2024"}, {2, c.filed}});
    ComputePenalties(doc(), D("12-31-2024"));
    EXPECT_EQ(Usd(9), res().PenaltyAmount[1]) << c.filed;
    EXPECT_EQ(Usd(9), res().PenaltyOverlap[23]) << c.filed;
    EXPECT_EQ(c.minimum, res().PenaltyMinimum[23]) << c.filed;
    EXPECT_EQ(c.toFile, res().PenaltyAmount[23]) << c.filed;
  }
}

TEST_F(DelinquencyTest, FailureToFileLessTheOverlappingFailureToPay) {
  Tax("04-15-2021", Usd(10000));
  Activate(1, Usd(10000), {{0, "04-15-2021"}});
  Activate(23, Usd(10000), {{0, "04-15-2021"}, {2, "07-01-2021"}});
  ComputePenalties(doc(), D("08-01-2021"));
  // Failure to pay: 0.5% of $10,000 for the months from 4-15, 5-15, 6-15 and 7-15.
  EXPECT_EQ(std::vector<double>(4, Usd(50)), Amounts(res().failureToPayMonths));
  EXPECT_EQ(Usd(200), res().PenaltyAmount[1]);
  EXPECT_EQ(4.0, rec(1).m_rate);  // months run
  // Failure to file: three months of 5%, less the failure to pay of those three months.
  EXPECT_EQ(Usd(1500), res().PenaltyGross[23]);
  EXPECT_EQ(Usd(150), res().PenaltyOverlap[23]);
  EXPECT_EQ(Usd(1350), res().PenaltyAmount[23]);
  ASSERT_EQ(1u, res().assessments.size());
  EXPECT_EQ(Usd(1350), res().assessments[0].amount);
}

// Failure to pay starting after failure to file: only its months that start within a charged month of
// failure to file overlap (6-15, 7-15 and 8-15 of the five months from 4-15).
TEST_F(DelinquencyTest, OverlapPairsMonthsOfTheSamePeriod) {
  Tax("04-15-2021", Usd(10000));
  Activate(1, Usd(10000), {{0, "06-15-2021"}});
  Activate(23, Usd(10000), {{0, "04-15-2021"}, {2, "11-01-2021"}});
  ComputePenalties(doc(), D("12-01-2021"));
  EXPECT_EQ(Usd(2500), res().PenaltyGross[23]);
  EXPECT_EQ(Usd(150), res().PenaltyOverlap[23]);
  EXPECT_EQ(Usd(2350), res().PenaltyAmount[23]);
}

TEST_F(DelinquencyTest, OverlapThatLeavesNothingGetsNoMinimum) {
  Tax("04-15-2021", Usd(10000));
  Activate(1, Usd(10000), {{0, "04-15-2021"}});
  Activate(23, Usd(100), {{0, "04-15-2021"}, {2, "07-01-2021"}});
  ComputePenalties(doc(), D("08-01-2021"));
  EXPECT_EQ(Usd(15), res().PenaltyGross[23]);
  EXPECT_EQ(Usd(150), res().PenaltyOverlap[23]);
  EXPECT_EQ(0.0, res().PenaltyAmount[23]);
  EXPECT_EQ(0.0, res().PenaltyAssessedTotal[23]);
  EXPECT_TRUE(res().assessments.empty());
}

TEST_F(DelinquencyTest, FailureToPayStopsAtTwentyFivePercent) {
  Tax("04-15-2015", Usd(10000));
  Activate(1, Usd(10000), {{0, "04-15-2015"}});
  ComputePenalties(doc(), D("01-01-2026"));
  EXPECT_EQ(50u, res().failureToPayMonths.size());  // 100 steps of 0.25%
  EXPECT_EQ(Usd(2500), res().PenaltyGross[1]);
  EXPECT_EQ(Usd(2500), res().PenaltyCap[1]);
  EXPECT_EQ(Usd(2500), res().PenaltyAmount[1]);
  EXPECT_EQ(129.0, rec(1).m_rate);  // every month from 4-15-2015 to 12-15-2025 was run
}

struct RateCase {
  const char* name;
  std::vector<std::pair<int, const char*>> dates;
  bool individual;
  std::vector<int> steps;  // 0 = 0.25%, 1 = 0.5%, 3 = 1%
  double amount;
};

TEST_F(DelinquencyTest, FailureToPayRates) {
  const RateCase cases[] = {
      {"plain", {}, false, {1, 1, 1, 1, 1}, Usd(250)},
      // The month starting 10 days after the first notice of levy and later: 1%.
      {"levy", {{5, "06-20-2021"}}, false, {1, 1, 1, 3, 3}, Usd(350)},
      {"jeopardy", {{6, "06-15-2021"}}, false, {1, 1, 3, 3, 3}, Usd(400)},
      // Installment agreement: 0.25% after the reduce date, the former rate after the reinstate date.
      {"installment", {{8, "06-01-2021"}, {9, "08-01-2021"}}, true, {1, 1, 0, 0, 1}, Usd(200)},
      {"installmentNotIndividual", {{8, "06-01-2021"}, {9, "08-01-2021"}}, false, {1, 1, 1, 1, 1}, Usd(250)},
  };
  for (const RateCase& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    Tax("04-15-2021", Usd(10000));
    PenaltyRecord& r = Activate(1, Usd(10000), {{0, "04-15-2021"}});
    for (const auto& [slot, date] : c.dates) r.m_dates[slot] = D(date);
    r.SetFlag(PEN_INDIVIDUAL_TIMELY, c.individual);
    ComputePenalties(doc(), D("09-01-2021"));
    EXPECT_EQ(c.steps, StepCodes(res().failureToPayMonths)) << c.name;
    EXPECT_EQ(c.amount, res().PenaltyAmount[1]) << c.name;
  }
}

TEST_F(DelinquencyTest, InstallmentRateOnlyAfter1999) {
  Tax("04-15-1999", Usd(10000));
  PenaltyRecord& r = Activate(1, Usd(10000), {{0, "04-15-1999"}, {8, "05-01-1999"}});
  r.SetFlag(PEN_INDIVIDUAL_TIMELY, true);
  ComputePenalties(doc(), D("02-01-2000"));
  // Months from 5-15-1999 to 12-15-1999 keep 0.5%; 1-15-2000 is after 12-31-99.
  std::vector<int> expected(9, 1);
  expected.push_back(0);
  EXPECT_EQ(expected, StepCodes(res().failureToPayMonths));
}

// A payment lowers the base of the month it falls in when it is made on the month's first or second
// day (4000 of 10000 paid): the window of a month runs to two days into the next one.
TEST_F(DelinquencyTest, PaymentsOnTheFirstDaysOfAMonth) {
  struct Case {
    const char* paid;
    std::vector<double> amounts;
  };
  const Case cases[] = {
      {"05-15-2021", {Usd(50), Usd(30), Usd(30)}},
      {"05-16-2021", {Usd(50), Usd(30), Usd(30)}},
      {"05-17-2021", {Usd(50), Usd(50), Usd(30)}},
  };
  for (const Case& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    Tax("04-15-2021", Usd(10000));
    Pay(c.paid, Usd(4000));
    Activate(1, Usd(10000), {{0, "04-15-2021"}});
    ComputePenalties(doc(), D("07-01-2021"));
    EXPECT_EQ(c.amounts, Amounts(res().failureToPayMonths)) << c.paid;
  }
}

TEST_F(DelinquencyTest, EventsOutOfOrderAreSortedFirst) {
  Pay("06-20-2021", Usd(4000));
  Pay("05-16-2021", Usd(2000));
  Tax("04-15-2021", Usd(10000));
  Activate(1, Usd(10000), {{0, "04-15-2021"}});
  ComputePenalties(doc(), D("08-01-2021"));
  EXPECT_EQ(kEventTax, doc().m_events[0].m_type);
  // $10,000, then $8,000 from the month of 5-15 (paid on its second day) and $4,000 from the month of
  // 7-15 (paid on the sixth day of the month of 6-15).
  EXPECT_EQ(std::vector<double>({Usd(50), Usd(40), Usd(40), Usd(20)}), Amounts(res().failureToPayMonths));
}

TEST_F(DelinquencyTest, FailureToPayAssessedAtNotices) {
  Tax("04-15-2021", Usd(10000));
  Activate(1, Usd(10000), {{0, "04-15-2021"}, {1, "06-01-2021"}, {2, "08-01-2021"}});
  ComputePenalties(doc(), D("10-01-2021"));
  // Accrued to the month that reaches each notice; what accrues after the last notice is not assessed.
  ASSERT_EQ(2u, res().assessments.size());
  EXPECT_EQ(D("06-01-2021"), res().assessments[0].date);
  EXPECT_EQ(Usd(100), res().assessments[0].amount);  // months of 4-15 and 5-15
  EXPECT_EQ(0, res().assessments[0].notice);
  EXPECT_EQ(Usd(100), res().assessments[1].amount);  // 6-15 and 7-15
  EXPECT_EQ(1, res().assessments[1].notice);
  EXPECT_EQ(Usd(200), res().PenaltyAssessedTotal[1]);
  EXPECT_EQ(D("06-01-2021"), res().PenaltyFirstDate[1]);
  EXPECT_EQ(Usd(300), res().PenaltyAmount[1]);  // six months, 4-15 to 9-15
}

TEST_F(DelinquencyTest, AssessmentPaidWithinTheGracePeriodIsNotCharged) {
  struct Case {
    const char* paid;
    double amount;
  };
  // Notice 3-1-98 with 21 days: the penalty starts 3-22-98.
  for (const Case& c : {Case{"03-15-1998", 0.0}, Case{"03-22-1998", 0.0}, Case{"03-25-1998", Usd(50)}}) {
    doc_ = std::make_unique<CTDoc>();
    Tax("01-15-1998", Usd(10000));
    Pay(c.paid, Usd(10000));
    PenaltyRecord& r = Activate(2, Usd(10000), {{0, "03-01-1998"}});
    r.m_graceBits = 0x00FE;
    ComputePenalties(doc(), D("06-01-1998"));
    EXPECT_EQ(c.amount, res().PenaltyAmount[2]) << c.paid;
  }
}

// Regression: "10 business days" were counted as 14 calendar days. A notice of 6-7-2023 (Wednesday)
// with the 10-day grace bit on $250,000: the business days are 6-8, 6-9, 6-12 to 6-16, 6-20 (6-19 is
// Juneteenth), 6-21 and 6-22, so paying in full on 6-22 is in time; on 6-23 one month (from 6-22) of
// 0.5% of $250,000 = $1,250 is due. Without a holiday inside (notice 3-1-2023) the tenth business day
// is 3-15, two weeks on.
TEST_F(DelinquencyTest, TenBusinessDaysSkipLegalHolidays) {
  struct Case {
    const char* notice;
    const char* paid;
    double amount;
  };
  const Case cases[] = {
      {"06-07-2023", "06-22-2023", 0.0},
      {"06-07-2023", "06-23-2023", Usd(1250)},
      {"03-01-2023", "03-15-2023", 0.0},
      {"03-01-2023", "03-16-2023", Usd(1250)},
  };
  for (const Case& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    Tax("04-15-2022", Usd(250000));
    Pay(c.paid, Usd(250000));
    Activate(2, Usd(250000), {{0, c.notice}}).m_graceBits = 0x00FF;  // notice 1: "10 Days"
    ComputePenalties(doc(), AddDays(D(c.notice), 40));
    EXPECT_EQ(c.amount, res().PenaltyAmount[2]) << c.notice << " paid " << c.paid;
  }
}

// Regression: payments made early in a 21-day (or 10-business-day) grace period were lost, because
// only those from 9 days before its end counted. Each month is charged on what is unpaid when it
// begins. $10,000 assessed with notice on 2-1-2022, $6,000 paid on the day shown, the rest 6-10-2022:
// - 21 days: the grace period ends 2-22, the first month begins the day after. $6,000 paid by 2-22
//   leaves $4,000 for the months from 2-22, 3-22, 4-22 and 5-22: 4 x 0.5% x $4,000 = $80; the rest is
//   paid before the month from 6-22. Paid on 2-23 the first month is charged on $10,000: $50 + $60.
// - 10 business days: the grace period ends 2-15 (2-2 to 2-4, 2-7 to 2-11, 2-14, 2-15); months from
//   2-15, 3-15, 4-15 and 5-15 on $4,000: $80.
TEST_F(DelinquencyTest, PaymentsAnywhereInTheGracePeriodLowerTheBase) {
  struct Case {
    std::uint16_t graceBits;
    const char* paid;
    double amount;
    double firstBase;
  };
  const Case cases[] = {
      {0x00FE, "02-04-2022", Usd(80), Usd(4000)},
      {0x00FE, "02-22-2022", Usd(80), Usd(4000)},
      {0x00FE, "02-23-2022", Usd(110), Usd(10000)},
      {0x00FF, "02-04-2022", Usd(80), Usd(4000)},
  };
  for (const Case& c : cases) {
    doc_ = std::make_unique<CTDoc>();
    Tax("04-15-2021", Usd(10000));
    Pay(c.paid, Usd(6000));
    Pay("06-10-2022", Usd(4000));
    Activate(2, Usd(10000), {{0, "02-01-2022"}}).m_graceBits = c.graceBits;
    ComputePenalties(doc(), D("01-01-2023"));
    EXPECT_EQ(c.amount, res().PenaltyAmount[2]) << c.paid << " " << c.graceBits;
    ASSERT_LE(2u, res().failureToPayAssessmentMonths.size());
    EXPECT_EQ(c.firstBase, res().failureToPayAssessmentMonths[1].base) << c.paid << " " << c.graceBits;
  }
}

TEST_F(DelinquencyTest, AssessmentMonthsAndFurtherAmounts) {
  Tax("01-15-1998", Usd(20000));
  // Notice 1 on Sunday 3-1-98 with 10 days: the tenth business day is 3-13-98, when the penalty starts
  // on $10,000; notice 2 on 5-1-98 adds a further $4,000.
  PenaltyRecord& r = Activate(2, Usd(10000), {{0, "03-01-1998"}, {1, "05-01-1998"}});
  r.m_amounts[1] = Usd(4000);
  ComputePenalties(doc(), D("07-01-1998"));
  const auto& months = res().failureToPayAssessmentMonths;
  ASSERT_EQ(5u, months.size());
  EXPECT_TRUE(months[0].graceLead);
  EXPECT_EQ(D("03-13-1998"), months[0].start);
  EXPECT_EQ(std::vector<double>({0.0, Usd(50), Usd(50), Usd(70), Usd(70)}), Amounts(months));
  ASSERT_EQ(1u, res().assessments.size());
  EXPECT_EQ(D("05-01-1998"), res().assessments[0].date);
  EXPECT_EQ(Usd(100), res().assessments[0].amount);  // months of 3-13 and 4-13
  EXPECT_EQ(1, res().assessments[0].notice);
  EXPECT_EQ(Usd(240), res().PenaltyAmount[2]);
  EXPECT_EQ("R6653AH.DM", res().PenaltyHistoryTemplate[2]);
}

// Returns due before 7-18-84: interest on failure to file runs from a notice before that day (only the
// months that begin before it bear interest), else from 7-18-84.
TEST_F(DelinquencyTest, FailureToFileBefore1984NoticeRule) {
  struct Case {
    const char* notice;
    const char* assessedOn;
    double assessed;
  };
  for (const Case& c :
       {Case{"06-01-1984", "06-01-1984", Usd(1000)}, Case{nullptr, "07-18-1984", Usd(2500)}}) {
    doc_ = std::make_unique<CTDoc>();
    Tax("04-15-1984", Usd(10000));
    PenaltyRecord& r = Activate(23, Usd(10000), {{0, "04-15-1984"}, {2, "09-01-1984"}});
    if (c.notice) r.m_dates[1] = D(c.notice);
    ComputePenalties(doc(), D("01-01-1986"));
    EXPECT_EQ(Usd(2500), res().PenaltyAmount[23]);
    ASSERT_EQ(1u, res().assessments.size());
    EXPECT_EQ(D(c.assessedOn), res().assessments[0].date);
    EXPECT_EQ(c.assessed, res().assessments[0].amount);
    EXPECT_EQ("R6651A1H.DM", res().PenaltyHistoryTemplate[23]);
  }
}

// Returns due before 1987: failure to file computed on the assessed amount ($4,000: three months of 5%,
// $600) is charged against failure to pay the assessment, first against what accrues by each notice.
TEST_F(DelinquencyTest, AssessmentBefore1987BearsTheFailureToFileShare) {
  Tax("04-15-1985", Usd(10000));
  Activate(23, Usd(10000), {{0, "04-15-1985"}, {2, "07-01-1985"}});
  Activate(2, Usd(4000), {{0, "09-01-1985"}, {1, "12-01-1985"}});
  ComputePenalties(doc(), D("03-01-1986"));
  EXPECT_EQ(Usd(600), res().PenaltyOverlap[2]);
  EXPECT_EQ(Usd(1000), res().PenaltyCap[2]);
  EXPECT_EQ(Usd(400), res().PenaltyCapRemaining[2]);
  // Six months from 9-11-85 at 0.5% of $4,000.
  EXPECT_EQ(Usd(120), res().PenaltyGross[2]);
  EXPECT_EQ(Usd(120), res().PenaltyAmount[2]);
  EXPECT_EQ("R6651A3H.DM", res().PenaltyHistoryTemplate[2]);
  // Failure to file itself is as computed on its own, and assessed once.
  EXPECT_EQ(Usd(1500), res().PenaltyAmount[23]);
  ASSERT_EQ(1u, res().assessments.size());
  EXPECT_EQ(23, res().assessments[0].penalty);
  // The $60 accrued by notice 2 is taken up by the share.
  EXPECT_EQ(0.0, res().PenaltyAssessedTotal[2]);
}

TEST_F(DelinquencyTest, DelinquencyCautions) {
  Tax("04-15-2021", Usd(10000));
  Pay("04-15-2021", Usd(2000));
  PenaltyRecord& a = Activate(2, Usd(6000), {{0, "06-01-2021"}, {1, "07-01-2021"}});
  a.m_amounts[1] = Usd(3000);  // $9,000 assessed against $8,000 due at notice 1
  Activate(1, Usd(2000), {{0, "04-15-2021"}});
  CheckDelinquencyAmounts(doc(), false);
  EXPECT_EQ(std::vector<std::string>({std::string(StringText(19415)), std::string(StringText(20048))}),
            ui_.Texts());
}

}  // namespace
}  // namespace zarvic
