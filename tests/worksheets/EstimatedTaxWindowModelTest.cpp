// The estimated tax window's rules without a widget: fields taken whole or refused with the old value
// kept, the rows and total after every change, the problem's payments offered once, and what the
// window keeps with the problem and adds to it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "worksheets/EstimatedTaxSupport.h"
#include "worksheets/EstimatedTaxWindowModel.h"
#include "worksheets/WorksheetPenalty.h"

namespace zarvic {
namespace {

using esttax_test::D;
using esttax_test::FederalRates;

struct Event {
  std::uint16_t type;
  const char* date;
  Amount cents;
};

std::unique_ptr<CTDoc> Problem(const std::vector<Event>& events = {{kEventTax, "04-15-06", 500000.0}}) {
  auto doc = std::make_unique<CTDoc>();
  doc->m_rateTable = FederalRates();
  for (std::size_t i = 0; i < events.size(); ++i) {
    doc->m_events[i].m_type = events[i].type;
    doc->m_events[i].m_date = D(events[i].date);
    doc->m_events[i].m_amount = events[i].cents;
  }
  doc->RecomputeTaxTotals();
  return doc;
}

// The Ben Brown example typed field by field, as the window takes it.
void TypeBenBrown(EstimatedTaxWindowModel& m) {
  ASSERT_EQ(0, m.Leave(EstTaxField::Year, "2005"));
  ASSERT_EQ(0, m.Leave(EstTaxField::CurrentTax, "7,031"));
  ASSERT_EQ(0, m.Leave(EstTaxField::PriorTax, "6116"));
  ASSERT_EQ(0, m.Leave(EstTaxField::PriorAgi, "60000"));
  ASSERT_EQ(0, m.Leave(EstTaxField::Withholding, "3,228.00"));
  ASSERT_EQ(0, m.PaymentsGrid().Set(0, 0, "09-02-05").messageId);
  ASSERT_EQ(0, m.PaymentsGrid().Set(0, 1, "1000").messageId);
  ASSERT_EQ(0, m.PaymentsGrid().Set(1, 0, "01-12-06").messageId);
  ASSERT_EQ(0, m.PaymentsGrid().Set(1, 1, "1000").messageId);
  m.GridsChanged();
}

TEST(EstimatedTaxWindowModelTest, BenBrownTypedGivesItsRowsAndTotal) {
  auto doc = Problem();
  EstimatedTaxWindowModel m(*doc);
  TypeBenBrown(m);
  EXPECT_EQ("Total penalty: 68.51", m.TotalText());
  const std::vector<EstimatedTaxWindowModel::Row> rows = m.Rows();
  ASSERT_EQ(4u, rows.size());
  EXPECT_EQ("04-15-05", rows[0].dueDate);
  EXPECT_EQ("01-15-06", rows[3].dueDate);
  EXPECT_EQ("1,529.00", rows[0].required);  // the lesser of 6,327.90 and 6,116, in quarters
  EXPECT_EQ("807.00", rows[0].paid);
  EXPECT_EQ("722.00", rows[0].underpayment);
  EXPECT_EQ("1,807.00", rows[2].paid);
  EstimatedTaxWorksheet typed = esttax_test::BenBrown2005();
  typed.priorYearAgi = 6000000.0;
  EXPECT_EQ(typed, m.Sheet());
  EXPECT_EQ(Amount{6851}, m.Result().total);
  // Nothing of it is the problem's yet.
  EXPECT_FALSE(doc->m_worksheets.estimatedTax);
  EXPECT_FALSE(doc->IsModified());
}

// Every field takes a value whole or refuses it: the message id, and the field shows what it held.
TEST(EstimatedTaxWindowModelTest, FieldsTakeValuesWholeOrRefuseThem) {
  struct Case {
    EstTaxField field;
    const char* typed;
    int refusal;        // 0: taken
    const char* shown;  // what the field shows afterwards
  };
  const Case cases[] = {
      {EstTaxField::Year, "2006", 0, "2006"},
      {EstTaxField::Year, "20x5", kEstTaxNeedsYear, "2005"},
      {EstTaxField::Year, "1954", kEstTaxNeedsYear, "2005"},
      {EstTaxField::Year, "2099", kEstTaxNeedsYear, "2005"},
      {EstTaxField::Year, "", kEstTaxNeedsYear, "2005"},
      {EstTaxField::FiscalStart, "7/1/05", 0, "07-01-05"},
      {EstTaxField::FiscalStart, "07-15-05", kEstTaxBadFiscalStart, ""},
      {EstTaxField::FiscalStart, "07-01-06", kEstTaxBadFiscalStart, ""},
      {EstTaxField::FiscalStart, "02-30-05", kGridBadDateId, ""},
      {EstTaxField::CurrentTax, "1234.5", 0, "1,234.50"},
      {EstTaxField::CurrentTax, "7,03,1", kGridBadAmountId, "7,031.00"},
      {EstTaxField::CurrentTax, "1.5E+06", kGridBadAmountId, "7,031.00"},
      {EstTaxField::CurrentTax, "-5", kGridNegativeId, "7,031.00"},
      {EstTaxField::CurrentTax, "0.005", kGridBeyondCentsId, "7,031.00"},
      {EstTaxField::CurrentTax, "12.3400", 0, "12.34"},
      {EstTaxField::CurrentTax, "", 0, ""},
      {EstTaxField::RequiredPayment, "6,116.01", 0, "6,116.01"},
      {EstTaxField::Withholding, "", 0, "0.00"},
      {EstTaxField::Withholding, "12x", kGridBadAmountId, "3,228.00"},
      {EstTaxField::Installment3, "250.25", 0, "250.25"},
      {EstTaxField::Installment3, "abc", kGridBadAmountId, "0.00"},
      {EstTaxField::ComputeThrough, "12-31-05", 0, "12-31-05"},
      {EstTaxField::ComputeThrough, "12-32-05", kGridBadDateId, ""},
      {EstTaxField::PenaltyDate, "06-01-07", 0, "06-01-07"},
      {EstTaxField::PenaltyDate, "13-01-07", kGridBadDateId, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    auto doc = Problem();
    EstimatedTaxWindowModel m(*doc);
    TypeBenBrown(m);
    const EstimatedTaxWorksheet before = m.Sheet();
    EXPECT_EQ(c.refusal, m.Leave(c.field, c.typed));
    EXPECT_EQ(c.shown, m.FieldText(c.field));
    if (c.refusal != 0) {
      EXPECT_EQ(before, m.Sheet());
      EXPECT_EQ("Total penalty: 68.51", m.TotalText());
    }
  }
}

// Amounts are the IRS's figures to the cent, whatever Whole Dollar Mode says.
TEST(EstimatedTaxWindowModelTest, AmountsKeepTheirCentsInWholeDollarMode) {
  Options().wholeDollarMode = true;
  auto doc = Problem();
  EstimatedTaxWindowModel m(*doc);
  EXPECT_EQ(0, m.Leave(EstTaxField::CurrentTax, "7,031.49"));
  EXPECT_EQ(Amount{703149}, *m.Sheet().currentYearTax);
  EXPECT_EQ("7,031.49", m.FieldText(EstTaxField::CurrentTax));
  Options().wholeDollarMode = false;
}

// The rows follow what is being typed once it reads as a value; the field takes it only when left.
TEST(EstimatedTaxWindowModelTest, RowsFollowTypingBeforeTheFieldIsLeft) {
  auto doc = Problem();
  EstimatedTaxWindowModel m(*doc);
  TypeBenBrown(m);
  m.Edit(EstTaxField::Withholding, "7031");
  EXPECT_EQ(StringText(kEstTaxUnderThousand), m.TotalText());
  EXPECT_EQ(Amount{322800}, m.Sheet().withholding);
  m.Edit(EstTaxField::Withholding, "70x");  // not a value: the rows of the field's own value
  EXPECT_EQ("Total penalty: 68.51", m.TotalText());

  // The same for a grid cell: the first payment typed as made on time (09-15-05) lowers the total
  // at once; the grid keeps what it held until the cell is left.
  m.EditCell(m.PaymentsGrid(), 0, 0, "09-15-05");
  EXPECT_NE("Total penalty: 68.51", m.TotalText());
  EXPECT_EQ("09-02-05", m.PaymentsGrid().Text(0, 0));
  EXPECT_EQ(D("09-02-05"), m.Sheet().payments[0].date);
  m.EditCell(m.PaymentsGrid(), 0, 0, "09-15-0");  // not a date yet
  EXPECT_EQ("Total penalty: 68.51", m.TotalText());
  // A payment begun in the empty row counts as soon as its amount reads (it has no date yet, which the
  // worksheet says).
  m.EditCell(m.PaymentsGrid(), 2, 1, "500");
  EXPECT_EQ(StringText(kEstTaxUndatedPayment), m.TotalText());
  EXPECT_EQ(2, m.PaymentsGrid().RowCount());
}

// Without an addition the total says why, and the rows leave the addition empty; a worksheet that
// cannot be computed shows why instead of rows.
TEST(EstimatedTaxWindowModelTest, NoAdditionAndErrorsAreSaidInWords) {
  auto doc = Problem({});
  EstimatedTaxWindowModel m(*doc);
  EXPECT_EQ(0, m.Sheet().taxYear);
  EXPECT_TRUE(m.Rows().empty());
  EXPECT_EQ(StringText(kEstTaxNeedsYear), m.TotalText());

  TypeBenBrown(m);
  EXPECT_EQ(0, m.Leave(EstTaxField::Withholding, "6,500"));
  EXPECT_EQ(StringText(kEstTaxUnderThousand), m.TotalText());
  ASSERT_EQ(4u, m.Rows().size());
  EXPECT_EQ("", m.Rows()[0].addition);

  EXPECT_EQ(0, m.Leave(EstTaxField::Withholding, "3228"));
  EXPECT_EQ(0, m.PaymentsGrid().Set(2, 1, "50").messageId);  // an amount without its date yet
  m.GridsChanged();
  EXPECT_TRUE(m.Rows().empty());
  EXPECT_EQ(StringText(kEstTaxUndatedPayment), m.TotalText());
}

TEST(EstimatedTaxWindowModelTest, ChoicesSayWhichFieldsApply) {
  auto doc = Problem();
  EstimatedTaxWindowModel m(*doc);
  EXPECT_FALSE(m.FieldApplies(EstTaxField::Installment1));
  m.SetBasis(InstallmentBasis::Given);
  EXPECT_TRUE(m.FieldApplies(EstTaxField::Installment4));
  EXPECT_FALSE(m.FieldApplies(EstTaxField::RequiredPayment));
  m.SetFlag(EstTaxFlag::FarmerOrFisherman, true);
  EXPECT_TRUE(m.FieldApplies(EstTaxField::Installment1));
  EXPECT_FALSE(m.FieldApplies(EstTaxField::Installment2));
  m.SetFlag(EstTaxFlag::WithholdingOnActualDates, true);
  EXPECT_FALSE(m.FieldApplies(EstTaxField::Withholding));
  m.SetFiler(EstimatedTaxFiler::Corporation);
  EXPECT_FALSE(m.FieldApplies(EstTaxField::PriorAgi));
  // Still open while set, so a corporation's worksheet can be put right.
  EXPECT_TRUE(m.FlagApplies(EstTaxFlag::FarmerOrFisherman));
  EXPECT_FALSE(m.FlagApplies(EstTaxFlag::MarriedFilingSeparately));
  EXPECT_EQ(StringText(kEstTaxIndividualOnly), m.TotalText());
}

// The new worksheet's year is the one before the problem's tax date (a return's due date).
TEST(EstimatedTaxWindowModelTest, NewWorksheetYearFromTheTaxDate) {
  auto doc = Problem({{kEventTax, "04-17-06", 100000.0}});
  EstimatedTaxWindowModel m(*doc);
  EXPECT_EQ(2005, m.Sheet().taxYear);
  EXPECT_EQ("2005", m.FieldText(EstTaxField::Year));
}

// The problem's payments and credits of the tax year through the end of the period go into the grid
// once; those the grid holds already (same date and amount) are not added again.
TEST(EstimatedTaxWindowModelTest, ProblemPaymentsAreOfferedOnce) {
  RecordingUserInterface ui;
  ScopedUserInterface scoped(ui);
  auto doc = Problem({{kEventTax, "04-15-06", 703100.0},
                      {kEventPayment, "12-31-04", 5000.0},  // before the year
                      {kEventPayment, "09-02-05", 100000.0},
                      {kEventCredit, "01-12-06", 100000.0},
                      {kEventDebit, "02-01-06", 7000.0},       // not a payment
                      {kEventPayment, "04-15-06", 20000.0},    // the last day of the period
                      {kEventPayment, "04-18-06", 30000.0}});  // after it
  EstimatedTaxWindowModel m(*doc);
  ASSERT_EQ(2005, m.Sheet().taxYear);
  ASSERT_EQ(0, m.PaymentsGrid().Set(0, 0, "09-02-05").messageId);
  ASSERT_EQ(0, m.PaymentsGrid().Set(0, 1, "1,000").messageId);
  m.GridsChanged();
  EXPECT_EQ(2, m.OfferProblemPayments());
  const std::vector<DatedAmount> expected = {
      {D("09-02-05"), 100000.0}, {D("01-12-06"), 100000.0}, {D("04-15-06"), 20000.0}};
  EXPECT_EQ(expected, m.Sheet().payments);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(0, m.OfferProblemPayments());
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(StringText(kEstWinNoNewPayments), ui.messages[0].text);
  EXPECT_EQ(expected, m.Sheet().payments);
}

TEST(EstimatedTaxWindowModelTest, OfferingNeedsAYearAndRoomForAll) {
  RecordingUserInterface ui;
  ScopedUserInterface scoped(ui);
  auto doc = Problem({{kEventPayment, "09-02-05", 100000.0}, {kEventPayment, "09-03-05", 100000.0}});
  EstimatedTaxWindowModel m(*doc);
  EXPECT_EQ(0, m.OfferProblemPayments());
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(StringText(kEstTaxNeedsYear), ui.messages[0].text);

  ASSERT_EQ(0, m.Leave(EstTaxField::Year, "2005"));
  for (int row = 0; row < kEstWinMaxPayments - 1; ++row)
    ASSERT_EQ(0, m.PaymentsGrid().Set(row, 1, "1").messageId);
  m.GridsChanged();
  EXPECT_EQ(0, m.OfferProblemPayments());  // one row left for two payments: none added
  ASSERT_EQ(2u, ui.messages.size());
  EXPECT_EQ(StringText(kGridFullId), ui.messages[1].text);
  EXPECT_EQ(kEstWinMaxPayments - 1, m.PaymentsGrid().RowCount());
}

// A window opened and closed without a change leaves the problem as it was; a change is kept.
TEST(EstimatedTaxWindowModelTest, OnlyAChangedWorksheetIsKept) {
  auto doc = Problem();
  {
    EstimatedTaxWindowModel m(*doc);
    m.Edit(EstTaxField::Year, "2007");  // typed, never left
    EXPECT_FALSE(m.KeepIfChanged());
  }
  EXPECT_FALSE(doc->IsModified());
  EXPECT_FALSE(doc->m_worksheets.estimatedTax);
  {
    EstimatedTaxWindowModel m(*doc);
    TypeBenBrown(m);
    EXPECT_TRUE(m.KeepIfChanged());
  }
  EXPECT_TRUE(doc->IsModified());
  ASSERT_TRUE(doc->m_worksheets.estimatedTax);
  EXPECT_EQ(D("01-12-06"), doc->m_worksheets.estimatedTax->payments[1].date);
  doc->SetModified(false);
  {
    EstimatedTaxWindowModel m(*doc);  // the kept worksheet again
    EXPECT_EQ("Total penalty: 68.51", m.TotalText());
    EXPECT_EQ(0, m.Leave(EstTaxField::CurrentTax, "7,031.00"));  // the same value again
    EXPECT_FALSE(m.KeepIfChanged());
  }
  EXPECT_FALSE(doc->IsModified());
}

// "Add to Problem" keeps the worksheet and adds one Entered penalty event for the total; a second use
// updates that event. Without an addition or a date nothing is added, and the message says why.
TEST(EstimatedTaxWindowModelTest, AddToProblemAddsOneEventAndUpdatesIt) {
  RecordingUserInterface ui;
  ScopedUserInterface scoped(ui);
  auto doc = Problem();
  EstimatedTaxWindowModel m(*doc);
  TypeBenBrown(m);
  EXPECT_EQ(AddOutcome::Refused, m.AddToProblem().outcome);  // no date yet
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(StringText(kWorksheetPenaltyNeedsDateId), ui.messages[0].text);
  EXPECT_TRUE(doc->m_worksheets.estimatedTax);

  ASSERT_EQ(0, m.Leave(EstTaxField::PenaltyDate, "06-01-07"));
  EXPECT_EQ(AddOutcome::Added, m.AddToProblem().outcome);
  int at = FindWorksheetPenaltyEvent(*doc, WorksheetKind::EstimatedTax);
  ASSERT_GE(at, 0);
  EXPECT_EQ(Amount{6851}, doc->m_events[static_cast<std::size_t>(at)].m_amount);
  EXPECT_EQ(D("06-01-07"), doc->m_events[static_cast<std::size_t>(at)].m_date);
  EXPECT_EQ(D("06-01-07"), doc->m_worksheets.estimatedTaxPenaltyDate);

  ASSERT_EQ(0, m.Leave(EstTaxField::Withholding, "3,000"));
  EXPECT_EQ(AddOutcome::Updated, m.AddToProblem().outcome);
  EXPECT_EQ(2, doc->EventCount());
  at = FindWorksheetPenaltyEvent(*doc, WorksheetKind::EstimatedTax);
  EXPECT_EQ(m.Result().total, doc->m_events[static_cast<std::size_t>(at)].m_amount);
  EXPECT_EQ(3000.0 * 100, doc->m_worksheets.estimatedTax->withholding);
  EXPECT_FALSE(m.KeepIfChanged());  // nothing left to keep

  // No addition any more: the event added earlier is offered for removal, and kept on No.
  ASSERT_EQ(0, m.Leave(EstTaxField::Withholding, "6,500"));
  ui.answers.push_back(Answer::No);
  EXPECT_EQ(AddOutcome::Refused, m.AddToProblem().outcome);
  EXPECT_EQ(MessageKind::YesNo, ui.messages.back().kind);
  EXPECT_EQ(2, doc->EventCount());
  ui.answers.push_back(Answer::Yes);
  EXPECT_EQ(AddOutcome::Removed, m.AddToProblem().outcome);
  EXPECT_EQ(1, doc->EventCount());
  // Without an event to remove, the reason is the answer.
  EXPECT_EQ(AddOutcome::Refused, m.AddToProblem().outcome);
  EXPECT_EQ(StringText(kEstTaxUnderThousand), ui.messages.back().text);
}

}  // namespace
}  // namespace zarvic
