// Worksheets kept with a problem: written after the events only when there are any, read back whole,
// refused whole when damaged (the problem still opens), and the one Entered penalty event a worksheet
// adds and later updates.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/StringTable.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemFileFixture.h"
#include "worksheets/ProblemWorksheets.h"
#include "worksheets/WorksheetKeeping.h"
#include "worksheets/WorksheetPenalty.h"

namespace zarvic {
namespace {

using namespace zarvic::testing;

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

EstimatedTaxWorksheet SampleEstimatedTax() {
  EstimatedTaxWorksheet s;
  s.filer = EstimatedTaxFiler::Individual;
  s.taxYear = 2005;
  s.currentYearTax = 1200000.0;
  s.priorYearTax = 1000000.0;
  s.priorYearAgi = 15000001.0;
  s.marriedFilingSeparately = true;
  s.withholding = 50000.0;
  s.withholdingOnActualDates = true;
  s.withheldOnDates = {{Day("05-31-05"), 25000.0}, {Day("11-30-05"), 25000.0}};
  s.payments = {{Day("04-15-05"), 100000.0}, {Day("06-20-05"), 240012.0}, {Day("01-17-06"), 1.0}};
  s.basis = InstallmentBasis::Annualized;
  s.installments = {10000.0, 20000.0, 30000.0, 40000.0};
  s.computeThrough = Day("03-31-06");
  return s;
}

DepositPenaltyWorksheet SampleDeposits() {
  DepositPenaltyWorksheet w;
  w.schedule = DepositSchedule::Semiweekly;
  w.periodStart = Day("01-01-25");
  w.periodEnd = Day("03-31-25");
  w.liabilities = {{Day("01-03-25"), 500000.0, NO_DATE}, {Day("01-17-25"), 480000.0, Day("01-24-25")}};
  w.deposits = {{Day("01-08-25"), 500000.0, false, NO_DATE}, {Day("02-10-25"), 480000.0, true, Day("01-17-25")}};
  w.firstNotice = Day("05-01-25");
  w.demand = Day("06-01-25");
  w.averaged = true;
  return w;
}

class ProblemWorksheetsTest : public ProblemFileFixture {
 protected:
  std::unique_ptr<CTDoc> NewProblemWithEvents() {
    auto doc = std::make_unique<CTDoc>();
    doc->ResetProblem();
    doc->m_events[0].m_type = kEventTax;
    doc->m_events[0].m_date = Day("04-15-05");
    doc->m_events[0].m_amount = 500000.0;
    doc->m_events[1].m_type = kEventPayment;
    doc->m_events[1].m_date = Day("06-15-05");
    doc->m_events[1].m_amount = 100000.0;
    doc->m_events[1].SetDescription("check 1001");
    doc->RecomputeTaxTotals();
    return doc;
  }
  std::unique_ptr<CTDoc> Read(const std::string& bytes) {
    auto doc = std::make_unique<CTDoc>();
    EXPECT_TRUE(ReadProblem(*doc, Bytes(bytes), true));
    return doc;
  }
};

TEST_F(ProblemWorksheetsTest, KeptWorksheetsComeBackAsTheyWereWritten) {
  struct Case {
    const char* name;
    bool estimated;
    bool deposit;
    bool other;
  } cases[] = {
      {"estimated tax", true, false, false},
      {"deposit penalty", false, true, false},
      {"both", true, true, false},
      {"a later version's section beside them", true, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto doc = NewProblemWithEvents();
    if (c.estimated) {
      doc->m_worksheets.estimatedTax = SampleEstimatedTax();
      doc->m_worksheets.estimatedTaxPenaltyDate = Day("06-01-06");
    }
    if (c.deposit) {
      doc->m_worksheets.depositPenalty = SampleDeposits();
      doc->m_worksheets.depositPenaltyDate = Day("07-01-25");
    }
    if (c.other) doc->m_worksheets.otherSections.push_back({{'F', 'U', 'T', 'R'}, std::string("\0\1\2x", 4)});
    const ProblemWorksheets kept = doc->m_worksheets;
    const std::string bytes = WriteProblem(*doc);
    auto read = Read(bytes);
    EXPECT_EQ(kept, read->m_worksheets);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(bytes, WriteProblem(*read)) << "a second save changes nothing";
  }
}

// The worksheets follow the last event block and change nothing before it, so a reader that knows
// nothing of them reads the same problem; without worksheets nothing follows the events at all.
TEST_F(ProblemWorksheetsTest, TheProblemBeforeTheWorksheetsIsWrittenAsWithoutThem) {
  auto doc = NewProblemWithEvents();
  const std::string without = WriteProblem(*doc);
  EXPECT_EQ(std::string(), EncodeWorksheets(doc->m_worksheets));
  doc->m_worksheets.estimatedTax = SampleEstimatedTax();
  const std::string with = WriteProblem(*doc);
  ASSERT_GT(with.size(), without.size());
  EXPECT_EQ(without, with.substr(0, without.size()));
  EXPECT_EQ("ZRVWKSHT", with.substr(without.size(), 8));

  // Bytes after the events that are not worksheets (another program's) are passed over as before.
  auto read = Read(without + "not a worksheet");
  EXPECT_TRUE(read->m_worksheets.Empty());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(without, WriteProblem(*read));
}

// A damaged worksheet block never costs the problem: it opens without the worksheets and says so.
TEST_F(ProblemWorksheetsTest, DamagedWorksheetsAreRefusedWholeAndTheProblemStillOpens) {
  auto doc = NewProblemWithEvents();
  const std::string events = WriteProblem(*doc);
  doc->m_worksheets.estimatedTax = SampleEstimatedTax();
  doc->m_worksheets.depositPenalty = SampleDeposits();
  const std::string whole = WriteProblem(*doc);
  const std::string block = whole.substr(events.size());
  const std::size_t estx = block.find("ESTX");
  const std::size_t depo = block.find("DEPO");
  ASSERT_NE(std::string::npos, estx);
  ASSERT_NE(std::string::npos, depo);
  const std::size_t estContent = estx + 8;
  const std::size_t depContent = depo + 8;

  auto with = [&](std::size_t at, std::string bytes) {
    std::string changed = block;
    changed.replace(at, bytes.size(), bytes);
    return changed;
  };
  auto f64 = [](double v) {
    std::string s(8, '\0');
    const auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>(bits >> (8 * i));
    return s;
  };
  struct Case {
    const char* name;
    std::string block;
    int message;
  } cases[] = {
      {"cut inside the signature's header", block.substr(0, 10), kWorksheetsDamagedId},
      {"cut inside a section", block.substr(0, depContent + 5), kWorksheetsDamagedId},
      {"cut before its last section", block.substr(0, depo), kWorksheetsDamagedId},
      {"a later layout version", with(8, std::string("\2\0", 2)), kWorksheetsNewerId},
      {"an unknown filer", with(estContent, "\7"), kWorksheetsDamagedId},
      {"unknown flags", with(estContent + 5, std::string("\0\xF0", 2)), kWorksheetsDamagedId},
      {"a required payment that is not a number",
       with(estContent + 7, f64(std::numeric_limits<double>::quiet_NaN())), kWorksheetsDamagedId},
      {"an amount beyond the limit", with(estContent + 7, f64(1e17)), kWorksheetsDamagedId},
      {"a date after the calendar's end", with(depContent + 1, std::string("\xF0\xF0", 2)),
       kWorksheetsDamagedId},
      {"a count larger than the section", with(depContent + 5, std::string("\xFF\xFF\xFF\x0F", 4)),
       kWorksheetsDamagedId},
      {"a section longer than what it holds", with(depo + 4, std::string("\xFF\0\0\0", 4)), kWorksheetsDamagedId},
      {"a second worksheet of one kind", with(depo, "ESTX"), kWorksheetsDamagedId},
      {"a flag that is neither 0 nor 1", with(block.size() - 3, "\2"), kWorksheetsDamagedId},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ui.messages.clear();
    auto read = Read(events + c.block);
    EXPECT_TRUE(read->m_worksheets.Empty());
    EXPECT_EQ(2, read->EventCount()) << "the problem itself is read whole";
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(StringText(c.message), ui.messages[0].text);
  }
}

class WorksheetPenaltyTest : public ProblemWorksheetsTest {};

TEST_F(WorksheetPenaltyTest, TheWorksheetAddsOneEnteredPenaltyAndThenUpdatesIt) {
  auto doc = NewProblemWithEvents();
  doc->SetModified(false);

  AddResult first = AddWorksheetPenalty(*doc, WorksheetKind::EstimatedTax, Day("05-01-06"), 6851.0);
  EXPECT_EQ(AddOutcome::Added, first.outcome);
  ASSERT_EQ(3, doc->EventCount());
  EXPECT_EQ(2, first.index);
  const CEvent& added = doc->m_events[2];
  EXPECT_EQ(kEventPenalty, added.m_type);
  EXPECT_EQ(6851.0, added.m_amount);
  EXPECT_EQ("Estimated tax penalty", added.DescriptionText());
  EXPECT_TRUE(doc->IsModified());

  // A later use moves and changes the same event; the list stays in date order.
  AddResult second = AddWorksheetPenalty(*doc, WorksheetKind::EstimatedTax, Day("01-02-05"), 7000.0);
  EXPECT_EQ(AddOutcome::Updated, second.outcome);
  EXPECT_EQ(3, doc->EventCount());
  EXPECT_EQ(0, second.index);
  EXPECT_EQ(Day("01-02-05"), doc->m_events[0].m_date);
  EXPECT_EQ(7000.0, doc->m_events[0].m_amount);
  EXPECT_EQ(Day("04-15-05"), doc->m_events[1].m_date);

  doc->SetModified(false);
  EXPECT_EQ(AddOutcome::Unchanged,
            AddWorksheetPenalty(*doc, WorksheetKind::EstimatedTax, Day("01-02-05"), 7000.0).outcome);
  EXPECT_FALSE(doc->IsModified());

  // The other worksheet has its own event; one the user renamed is no longer the worksheet's.
  EXPECT_EQ(AddOutcome::Added,
            AddWorksheetPenalty(*doc, WorksheetKind::DepositPenalty, Day("07-01-05"), 12345.0).outcome);
  doc->m_events[FindWorksheetPenaltyEvent(*doc, WorksheetKind::EstimatedTax)].SetDescription("penalty per notice");
  EXPECT_EQ(AddOutcome::Added,
            AddWorksheetPenalty(*doc, WorksheetKind::EstimatedTax, Day("05-01-06"), 1.0).outcome);
  EXPECT_EQ(5, doc->EventCount());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(WorksheetPenaltyTest, NothingChangesWhenTheAddIsRefused) {
  struct Case {
    const char* name;
    DayNumber date;
    Amount amount;
    bool full;
    std::string message;
  } cases[] = {
      {"no date", NO_DATE, 100.0, false, std::string(StringText(kWorksheetPenaltyNeedsDateId))},
      {"no penalty", Day("05-01-06"), 0.0, false, std::string(StringText(kWorksheetPenaltyNothingToAddId))},
      {"a negative penalty", Day("05-01-06"), -5.0, false, std::string(StringText(kWorksheetPenaltyNothingToAddId))},
      {"not a number", Day("05-01-06"), std::nan(""), false,
       std::string(StringText(kWorksheetPenaltyNothingToAddId))},
      {"a full problem", Day("05-01-06"), 100.0, true, std::string(StringText(21253))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ui.messages.clear();
    auto doc = NewProblemWithEvents();
    if (c.full) {
      for (int i = 2; i < kMaxEvents; ++i) {
        doc->m_events[i].m_type = kEventPayment;
        doc->m_events[i].m_date = Day("07-01-05");
        doc->m_events[i].m_amount = 1.0;
      }
    }
    doc->SetModified(false);
    const std::string before = WriteProblem(*doc);
    EXPECT_EQ(AddOutcome::Refused, AddWorksheetPenalty(*doc, WorksheetKind::DepositPenalty, c.date, c.amount).outcome);
    EXPECT_EQ(before, WriteProblem(*doc));
    EXPECT_FALSE(doc->IsModified());
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(c.message, ui.messages[0].text);
  }
}

// A worksheet that no longer shows a penalty offers to remove the event it added; nothing changes on No.
TEST_F(WorksheetPenaltyTest, NoPenaltyAnyMoreOffersToRemoveTheWorksheetsEvent) {
  auto doc = NewProblemWithEvents();
  AddWorksheetPenalty(*doc, WorksheetKind::DepositPenalty, Day("07-01-05"), 12345.0);
  ASSERT_EQ(3, doc->EventCount());
  doc->SetModified(false);

  ui.answers.push_back(Answer::No);
  EXPECT_EQ(AddOutcome::Refused, AddWorksheetPenalty(*doc, WorksheetKind::DepositPenalty, NO_DATE, 0.0).outcome);
  EXPECT_EQ(3, doc->EventCount());
  EXPECT_FALSE(doc->IsModified());
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_NE(std::string::npos, ui.messages[0].text.find("\"Failure to deposit penalty\" event of 07-01-05 for 123.45"))
      << ui.messages[0].text;

  ui.answers.push_back(Answer::Yes);
  EXPECT_EQ(AddOutcome::Removed, AddWorksheetPenalty(*doc, WorksheetKind::DepositPenalty, NO_DATE, 0.0).outcome);
  EXPECT_EQ(2, doc->EventCount());
  EXPECT_EQ(-1, FindWorksheetPenaltyEvent(*doc, WorksheetKind::DepositPenalty));
  EXPECT_TRUE(doc->IsModified());
}

// A window keeps its worksheet with the problem; the problem counts as changed only when it changed.
TEST_F(WorksheetPenaltyTest, KeepingAWorksheetChangesTheProblemOnlyWhenItDiffers) {
  auto doc = NewProblemWithEvents();
  doc->SetModified(false);
  EXPECT_EQ(EstimatedTaxWorksheet{}, KeptEstimatedTax(*doc));
  EXPECT_EQ(NO_DATE, OfferedPenaltyDate(*doc, WorksheetKind::EstimatedTax));

  EXPECT_TRUE(KeepWorksheet(*doc, SampleEstimatedTax(), Day("06-01-06")));
  EXPECT_TRUE(doc->IsModified());
  doc->SetModified(false);
  EXPECT_FALSE(KeepWorksheet(*doc, SampleEstimatedTax(), Day("06-01-06")));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(SampleEstimatedTax(), KeptEstimatedTax(*doc));
  EXPECT_EQ(Day("06-01-06"), OfferedPenaltyDate(*doc, WorksheetKind::EstimatedTax));
  // The event in the problem says best when the penalty runs from.
  AddWorksheetPenalty(*doc, WorksheetKind::EstimatedTax, Day("07-01-06"), 100.0);
  EXPECT_EQ(Day("07-01-06"), OfferedPenaltyDate(*doc, WorksheetKind::EstimatedTax));

  // A deposit worksheet without a date of its own offers its first notice.
  KeepWorksheet(*doc, SampleDeposits(), NO_DATE);
  EXPECT_EQ(Day("05-01-25"), OfferedPenaltyDate(*doc, WorksheetKind::DepositPenalty));
  EXPECT_TRUE(KeepWorksheet(*doc, SampleDeposits(), Day("08-01-25")));
  EXPECT_EQ(Day("08-01-25"), OfferedPenaltyDate(*doc, WorksheetKind::DepositPenalty));
}

}  // namespace
}  // namespace zarvic
