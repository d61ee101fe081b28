#include <gtest/gtest.h>

#include "engine/SpecialRateDialogs.h"
#include "problem/EventTypes.h"
#include "support/ProblemFixture.h"

namespace zarvic {
namespace {

using testing::D;

class SpecialRateDialogsTest : public testing::ProblemFixture {};

TEST_F(SpecialRateDialogsTest, RestartFieldLeft) {
  struct Case {
    HotField field;
    bool stop;
    const char* date;  // "" for none
    int message;       // 0: accepted
  };
  const Case cases[] = {
      {HotField::RestartThirtyDayLetter, true, "12-31-1997", 20052},
      {HotField::RestartApplicableDate, true, "12-31-1997", 20053},
      {HotField::RestartApplicableDate, true, "06-01-1995", 20053},
      {HotField::RestartThirtyDayLetter, true, "01-01-1998", 0},
      {HotField::RestartThirtyDayLetter, false, "12-31-1997", 0},  // no stop, nothing to restart
      {HotField::RestartThirtyDayLetter, true, "", 0},
      {HotField::ThirtyDayLetter, true, "12-31-1997", 0},  // the first dates may be early
  };
  for (const Case& c : cases) {
    ui_.messages.clear();
    const DayNumber date = *c.date ? D(c.date) : NO_DATE;
    EXPECT_EQ(c.message == 0, AcceptRestartField(c.field, c.stop, date)) << c.date;
    EXPECT_EQ(c.message == 0 ? std::vector<std::string>{} : Texts({c.message}), ui_.Texts()) << c.date;
  }
}

TEST_F(SpecialRateDialogsTest, OkChecks) {
  struct Case {
    const char* name;
    HotInterestSettings settings;
    int message;
    HotField focus;
  };
  const DayNumber early = D("12-31-1997");
  const DayNumber late = D("03-01-1998");
  const DayNumber letter = D("06-15-1995");
  const Case cases[] = {
      {"off", {}, 0, HotField::None},
      {"on without dates",
       {true, NO_DATE, NO_DATE, false, NO_DATE, NO_DATE},
       18009,
       HotField::ThirtyDayLetter},
      {"on with a letter", {true, letter, NO_DATE, false, NO_DATE, NO_DATE}, 0, HotField::None},
      {"on with an applicable date", {true, NO_DATE, letter, false, NO_DATE, NO_DATE}, 0, HotField::None},
      {"restart letter 12-31-97",
       {true, letter, NO_DATE, true, early, late},
       20054,
       HotField::RestartThirtyDayLetter},
      {"restart applicable 12-31-97",
       {true, letter, NO_DATE, true, late, early},
       20055,
       HotField::RestartApplicableDate},
      {"restart after 1997", {true, letter, NO_DATE, true, NO_DATE, late}, 0, HotField::None},
      // Restart dates count only while hot interest stops.
      {"early restart without stop", {true, letter, NO_DATE, false, early, early}, 0, HotField::None},
      // The restart refusals come first, then the missing start date.
      {"both wrong", {true, NO_DATE, NO_DATE, true, early, NO_DATE}, 20054, HotField::RestartThirtyDayLetter},
  };
  for (const Case& c : cases) {
    ui_.messages.clear();
    EXPECT_EQ(c.focus, CheckHotInterest(c.settings)) << c.name;
    EXPECT_EQ(c.message == 0 ? std::vector<std::string>{} : Texts({c.message}), ui_.Texts()) << c.name;
  }
}

TEST_F(SpecialRateDialogsTest, HotSettingsRoundTrip) {
  ProblemHeader header;
  header.m_thirtyDayLetter = 0;  // a date never entered in an early file
  EXPECT_EQ(NO_DATE, ReadHotInterest(header).thirtyDayLetter);
  const HotInterestSettings s{true, D("06-15-1995"), NO_DATE, true, NO_DATE, D("03-01-1998")};
  StoreHotInterest(header, s);
  EXPECT_EQ(1, header.m_hotInterest);
  EXPECT_EQ(1, header.m_hotStop);
  EXPECT_EQ(D("03-01-1998"), header.m_restartApplicableDate);
  EXPECT_EQ(s, ReadHotInterest(header));
}

TEST_F(SpecialRateDialogsTest, ThresholdDefault) {
  struct Case {
    bool cCorporation;
    double stored;
    double shown;
  };
  const Case cases[] = {{false, 0, 1000000}, {true, 0, 0}, {false, 250000, 250000}, {true, 250000, 250000}};
  for (const Case& c : cases) {
    Doc().m_header.m_cCorporation = c.cCorporation ? 1 : 0;
    Doc().m_header.m_gattThreshold = c.stored;
    EXPECT_EQ(c.shown, ReadCCorporation(Doc()).threshold) << c.cCorporation << " " << c.stored;
  }
}

TEST_F(SpecialRateDialogsTest, FirstFiveIrsChecksGetRows) {
  std::vector<testing::Ev> events = {{kEventTax, "01-01-1995", 1000}};
  const char* dates[] = {"02-01-1995", "03-01-1995", "04-01-1995", "05-01-1995",
                         "06-01-1995", "07-01-1995", "08-01-1995"};
  for (int i = 0; i < 7; ++i) events.push_back({kEventIrsCheck, dates[i], 100.0 * (i + 1)});
  SetEvents(events);
  Doc().m_events[2].m_gattAmount = 5000;
  const CCorporationSettings s = ReadCCorporation(Doc());
  ASSERT_EQ(5u, s.checks.size());
  EXPECT_EQ(1, s.checks[0].event);
  EXPECT_EQ(5, s.checks[4].event);
  EXPECT_EQ(D("06-01-1995"), s.checks[4].date);
  EXPECT_EQ(50000.0, s.checks[4].amount);
  EXPECT_EQ(5000.0, s.checks[1].reduction);
}

TEST_F(SpecialRateDialogsTest, ReductionChecksAndStore) {
  SetEvents({{kEventTax, "01-01-1995", 1000},
             {kEventIrsCheck, "02-01-1995", 300},
             {kEventIrsCheck, "03-01-1995", 200}});
  CCorporationSettings s = ReadCCorporation(Doc());
  s.cCorporation = true;
  s.checks[0].reduction = 10000;
  s.checks[1].reduction = 25000;  // above the $200 check
  EXPECT_EQ(1, CheckReductions(s));
  EXPECT_EQ(Texts({20043}), ui_.Texts());
  EXPECT_EQ(20000.0, s.checks[1].reduction);
  ui_.messages.clear();
  EXPECT_EQ(-1, CheckReductions(s));
  EXPECT_TRUE(ui_.messages.empty());

  // With the box clear the reductions are not checked.
  s.cCorporation = false;
  s.checks[1].reduction = 99999;
  EXPECT_EQ(-1, CheckReductions(s));
  s.cCorporation = true;
  s.checks[1].reduction = 20000;

  s.threshold = 500000;
  StoreCCorporation(Doc(), s);
  EXPECT_EQ(1, Doc().m_header.m_cCorporation);
  EXPECT_EQ(500000.0, Doc().m_header.m_gattThreshold);
  EXPECT_EQ(10000.0, Doc().m_events[1].m_gattAmount);
  EXPECT_EQ(20000.0, Doc().m_events[2].m_gattAmount);

  Amount negative = -1234;
  EXPECT_FALSE(AcceptReduction(negative));
  EXPECT_EQ(1234.0, negative);
  EXPECT_EQ(Texts({20034}), ui_.Texts());
  Amount zero = 0;
  EXPECT_TRUE(AcceptReduction(zero));
}

}  // namespace
}  // namespace zarvic
