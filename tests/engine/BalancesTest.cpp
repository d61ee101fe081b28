#include <gtest/gtest.h>

#include "engine/Balances.h"
#include "engine/ComputePeriod.h"
#include "support/ProblemFixture.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Line;
using testing::MakeTable;

// The balances on their own: the state is set up by hand, as the walk would leave it.
class BalancesTest : public testing::ProblemFixture {
 protected:
  // A one-line table of the given mode, named so that GATT applies to a C corporation.
  void UseLine(int mode) { UseTable(MakeTable("FEDTEST", {Line("01-01-90", mode, 10, 12, 9)})); }
  void MakeCCorporation() {
    Doc().m_header.m_cCorporation = 1;
    Doc().m_header.m_gattThreshold = 1000000.0;
    S().m_gattApplies = true;
    S().m_thresholdA = 1000000.0;
    S().m_thresholdB = 1000000.0;
  }
  ComputeState& S() { return Doc().m_compute; }
  // Event index with an allocation applying the given cents to tax, interest, motivated tax and
  // motivated interest.
  AllocationRecord& Applied(int index, double tax, double interest = 0, double motivated = 0,
                            double motivatedInterest = 0) {
    AllocationRecord& record = Doc().m_events[index].Allocation();
    record.m_payment[0] = tax;
    record.m_payment[1] = interest;
    record.m_payment[2] = motivated;
    record.m_payment[3] = motivatedInterest;
    return record;
  }
};

TEST_F(BalancesTest, DailyPaymentOfTaxAndInterestClearsTheBalance) {
  UseLine(kModeDaily);
  SetEvents({{kEventPayment, "06-01-95", 1050}});
  Applied(0, 100000, 5000);
  S().m_balance = 100000;
  S().m_accrued = 5000;
  EXPECT_EQ(kModeDaily, FoldInterest(Doc(), 0));
  ApplyPayment(Doc(), 0, 0);
  EXPECT_EQ(0.0, S().m_balance);
  EXPECT_EQ(0.0, S().m_accrued);
}

TEST_F(BalancesTest, PaymentsWithoutGatt) {
  struct Case {
    const char* name;
    int mode;
    double tax, interest, motivated, motivatedInterest;  // applied, cents
    double balance, accrued, motivatedBalance, accruedMotivated;
  };
  // Before each payment: balance 100,000, accrued 3,000, motivated 10,000, accrued motivated 500.
  const Case cases[] = {
      {"simple: interest first reduces the accrued interest", kModeSimple, 0, 2000, 0, 0, 100000, 1000, 10000,
       500},
      {"simple: more interest than accrued spills into the balance", kModeSimple, 0, 5000, 0, 0, 98000, 0,
       10000, 500},
      {"motivated tax beyond its principal reduces the normal balance", kModeSimple, 0, 0, 15000, 0, 95000,
       3000, 0, 500},
      {"motivated interest beyond what accrued reduces motivated tax", kModeSimple, 0, 0, 0, 800, 100000,
       3000, 9700, 0},
      {"an overpayment of tax turns the balance negative", kModeSimple, 150000, 0, 0, 0, -50000, 3000, 10000,
       500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseLine(c.mode);
    SetEvents({{kEventPayment, "06-01-95", 0}});
    Applied(0, c.tax, c.interest, c.motivated, c.motivatedInterest);
    S() = ComputeState{};
    S().m_balance = 100000;
    S().m_accrued = 3000;
    S().m_motivated = 10000;
    S().m_accruedMotivated = 500;
    ApplyPayment(Doc(), 0, 0);
    EXPECT_EQ(c.balance, S().m_balance);
    EXPECT_EQ(c.accrued, S().m_accrued);
    EXPECT_EQ(c.motivatedBalance, S().m_motivated);
    EXPECT_EQ(c.accruedMotivated, S().m_accruedMotivated);
  }
}

TEST_F(BalancesTest, PaymentWithoutRecordChangesNothing) {
  UseLine(kModeSimple);
  SetEvents({{kEventPayment, "06-01-95", 500}});
  S().m_balance = 100000;
  ApplyPayment(Doc(), 0, 0);
  EXPECT_EQ(100000.0, S().m_balance);
}

TEST_F(BalancesTest, CCorporationOverpaymentBeyondTheThresholdGoesToGatt) {
  UseLine(kModeSimple);
  MakeCCorporation();
  SetEvents({{kEventPayment, "06-01-95", 15000}});
  Applied(0, 1500000);
  ApplyPayment(Doc(), 0, 0);
  EXPECT_EQ(-1000000.0, S().m_balance);  // -$10,000 at the ordinary refund rate
  EXPECT_EQ(-500000.0, S().m_gatt);      // -$5,000 at the GATT rate
  EXPECT_EQ(0.0, S().m_thresholdA);
}

TEST_F(BalancesTest, CCorporationPaymentsAgainstTheThreshold) {
  struct Case {
    const char* name;
    double balanceBefore, thresholdA, thresholdB, tax;
    double balance, gatt, thresholdAAfter;
  };
  const Case cases[] = {
      // Paying part of an underpayment: room is used and given back up to where it was.
      {"pays down an underpayment", 300000, 1000000, 1000000, 100000, 200000, 0, 1000000},
      // Paying off $3,000 and overpaying $5,000: the overpayment stays at the ordinary rate and takes
      // $5,000 of the room.
      {"overpays within the room", 300000, 1000000, 1000000, 800000, -500000, 0, 500000},
      // No room left: the whole overpayment earns the GATT rate.
      {"no room left", 0, 0, 1000000, 200000, 0, -200000, 0},
      // The IRS-check counter limits the room too.
      {"room limited by the high-rate reductions", 0, 1000000, 400000, 600000, -400000, -200000, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseLine(kModeSimple);
    S() = ComputeState{};
    MakeCCorporation();
    S().m_thresholdA = c.thresholdA;
    S().m_thresholdB = c.thresholdB;
    S().m_balance = c.balanceBefore;
    SetEvents({{kEventPayment, "06-01-95", 0}});
    Applied(0, c.tax);
    ApplyPayment(Doc(), 0, 0);
    EXPECT_EQ(c.balance, S().m_balance);
    EXPECT_EQ(c.gatt, S().m_gatt);
    EXPECT_EQ(c.thresholdAAfter, S().m_thresholdA);
  }
}

TEST_F(BalancesTest, DepositNotConsumed) {
  UseLine(kModeDaily);
  SetEvents({{kEventDeposit, "06-01-95", 1000}});
  Applied(0, 60000);
  ApplyPayment(Doc(), 0, 0);
  EXPECT_TRUE(S().m_depositNotConsumed);

  S() = ComputeState{};
  Applied(0, 100000);
  ApplyPayment(Doc(), 0, 0);
  EXPECT_FALSE(S().m_depositNotConsumed);
}

TEST_F(BalancesTest, NetGatt) {
  struct Case {
    double balance, gatt;
    double balanceAfter, gattAfter;
  };
  const Case cases[] = {
      {-1000, 500, -500, 0},  // a positive GATT balance joins the balance
      {800, -500, 300, 0},    // an underpayment absorbs the GATT refund
      {300, -500, 0, -200},   // the GATT refund outlasts it
      {-300, -500, -300, -500}, {0, -500, 0, -500},
  };
  for (const Case& c : cases) {
    S().m_balance = c.balance;
    S().m_gatt = c.gatt;
    NetGatt(Doc());
    EXPECT_EQ(c.balanceAfter, S().m_balance);
    EXPECT_EQ(c.gattAfter, S().m_gatt);
  }
}

TEST_F(BalancesTest, FoldInterestOnlyForCompoundingModes) {
  for (int mode : {kModeOldIrs, kModeSimple, kModeDaily, kModeMonthly, kModeFactorSum, kModeMonthlyWhole,
                   kModePQuarterly, kModePMonthly}) {
    SCOPED_TRACE(mode);
    UseLine(mode);
    S() = ComputeState{};
    S().m_balance = 1000;
    S().m_accrued = 100;
    S().m_accruedRefund = -10;
    S().m_motivated = 50;
    S().m_accruedMotivated = 5;
    S().m_gatt = -200;
    S().m_accruedGatt = -20;
    EXPECT_EQ(mode, FoldInterest(Doc(), 0));
    const bool compounds = mode == kModeDaily || mode == kModeMonthly || mode == kModeMonthlyWhole;
    // Folded: 1,000 + 100 - 10, then the GATT refund of -220 nets against it.
    EXPECT_EQ(compounds ? 870.0 : 1000.0, S().m_balance);
    EXPECT_EQ(compounds ? 0.0 : 100.0, S().m_accrued);
    EXPECT_EQ(compounds ? 55.0 : 50.0, S().m_motivated);
    EXPECT_EQ(compounds ? 0.0 : -200.0, S().m_gatt);
    EXPECT_EQ(compounds ? 0.0 : -20.0, S().m_accruedGatt);
  }
}

TEST_F(BalancesTest, ChargesWithoutGatt) {
  UseLine(kModeSimple);
  SetEvents({{kEventTax, "06-01-95", 1000}});
  S().m_balance = -300;
  AddCharge(Doc(), Doc().m_events[0], 0);
  EXPECT_EQ(99700.0, S().m_balance);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(BalancesTest, TaxAfterSimpleRefundInterestIsCautionedOncePerRun) {
  UseLine(kModeSimple);
  SetEvents({{kEventTax, "06-01-95", 1000}, {kEventDebit, "07-01-95", 1000}});
  S().m_showMessages = true;
  S().m_balance = -500;
  S().m_accruedRefund = -25;
  AddCharge(Doc(), Doc().m_events[0], 0);
  AddCharge(Doc(), Doc().m_events[1], 0);
  EXPECT_EQ(Texts({20045}), ui_.Texts());

  // Not when the run shows no messages, nor with a compounding line.
  ui_.messages.clear();
  S().m_refundWithSimpleShown = false;
  S().m_showMessages = false;
  AddCharge(Doc(), Doc().m_events[0], 0);
  S().m_showMessages = true;
  UseLine(kModeDaily);
  AddCharge(Doc(), Doc().m_events[0], 0);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(BalancesTest, ChargesWithGatt) {
  UseLine(kModeSimple);
  MakeCCorporation();
  SetEvents({{kEventTax, "06-01-95", 2000}});

  // The tax first uses up the GATT refund.
  S().m_gatt = -500000;
  S().m_gattInterestTotal = -100;
  AddCharge(Doc(), Doc().m_events[0], 0);
  EXPECT_EQ(-300000.0, S().m_gatt);
  EXPECT_EQ(0.0, S().m_balance);
  EXPECT_TRUE(S().m_taxOffsetByGatt);

  // What is left after the GATT refund is owed, and gives back room under the threshold.
  S() = ComputeState{};
  MakeCCorporation();
  S().m_thresholdA = 900000;
  S().m_gatt = -50000;
  AddCharge(Doc(), Doc().m_events[0], 0);
  EXPECT_EQ(150000.0, S().m_balance);
  EXPECT_EQ(0.0, S().m_gatt);
  EXPECT_EQ(1000000.0, S().m_thresholdA);  // never above the threshold
  EXPECT_FALSE(S().m_taxOffsetByGatt);
}

TEST_F(BalancesTest, IrsCheckWithGatt) {
  UseLine(kModeSimple);
  MakeCCorporation();
  SetEvents({{kEventIrsCheck, "06-01-95", 3000}});
  Doc().m_events[0].m_gattAmount = 300000;  // all of it reduces the high-rate portion
  S().m_balance = -1000000;
  AddCharge(Doc(), Doc().m_events[0], 0);
  EXPECT_EQ(-700000.0, S().m_balance);
  EXPECT_EQ(0.0, S().m_gatt);
  EXPECT_EQ(700000.0, S().m_thresholdB);
  EXPECT_EQ(1000000.0, S().m_thresholdA);

  // Without a high-rate part the check reduces the GATT balance.
  S().m_gatt = -500000;
  Doc().m_events[0].m_gattAmount = 0;
  AddCharge(Doc(), Doc().m_events[0], 0);
  EXPECT_EQ(-700000.0, S().m_balance);
  EXPECT_EQ(-200000.0, S().m_gatt);
  EXPECT_EQ(700000.0, S().m_thresholdB);
}

TEST_F(BalancesTest, ClosePeriodChoosesRateAndAccumulators) {
  struct Case {
    const char* name;
    ResultListKind list;
    int kind;
    double balance, motivated;
    bool hot;
    double rate;  // used, percent
    double normalTotal, refundTotal, motivatedTotal;
  };
  // One year at the line's rates: normal 10, motivated 12, refund 9.
  const Case cases[] = {
      {"underpayment at the normal rate", ResultListKind::Normal, kEventTax, 100000, 0, false, 10, 10000, 0,
       0},
      {"hot underpayment", ResultListKind::Normal, kEventTax, 100000, 0, true, 12, 12000, 0, 0},
      {"overpayment at the refund rate, never hot", ResultListKind::Normal, kEventTax, -100000, 0, true, 9, 0,
       -9000, 0},
      {"motivated list at the motivated rate", ResultListKind::Motivated, kKindFinal, 0, 100000, false, 12, 0,
       0, 12000},
      {"motivated kinds on the normal list", ResultListKind::Normal, kKindMotivatedRateChange, 0, 100000,
       false, 12, 10000 + 2000, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseLine(kModeSimple);
    S() = ComputeState{};
    S().m_balance = c.balance;
    S().m_motivated = c.motivated;
    S().m_hotInEffect = c.hot;
    ComputeResults node;
    EXPECT_EQ(D("01-01-96"),
              ClosePeriod(Doc(), node, D("01-01-95"), D("01-01-96"), c.kind, 0, c.list, false));
    EXPECT_EQ(c.kind, node.m_kind);
    EXPECT_EQ(c.rate, node.m_normalRate);
    EXPECT_EQ(c.normalTotal, S().m_normalInterestTotal);
    EXPECT_EQ(c.normalTotal, S().m_accrued);
    EXPECT_EQ(c.refundTotal, S().m_refundInterestTotal);
    EXPECT_EQ(c.refundTotal, S().m_accruedRefund);
    EXPECT_EQ(c.motivatedTotal, S().m_motivatedInterestTotal);
    EXPECT_EQ(c.motivatedTotal, S().m_accruedMotivated);
    EXPECT_EQ(c.hot, S().m_hotInEffect);  // restored
    EXPECT_EQ(D("01-01-96"), S().m_lastClosedEnd);
  }
}

TEST_F(BalancesTest, ClosePeriodStartsAtDayZeroAndFactorTablesStartAtOne) {
  UseLine(kModeSimple);
  ComputeResults first;
  ClosePeriod(Doc(), first, NO_DATE, D("04-15-95"), kEventTax, 0, ResultListKind::Normal, false);
  EXPECT_EQ(0, first.m_start);
  EXPECT_EQ(0.0, first.m_normalInterest);

  UseTable(MakeTable("SUMS", {Line("01-01-95", kModeFactorSum, 2.5, 3, 2)}));
  S().m_balance = 100000;
  ComputeResults node;
  ClosePeriod(Doc(), node, D("04-15-95"), D("05-15-95"), kKindRateChange, 0, ResultListKind::Normal, true);
  EXPECT_EQ(1000.0, node.m_normalInterest);  // factor 1% whatever the line says
}

TEST_F(BalancesTest, MotivatedListIsComputedWithoutGatt) {
  UseLine(kModeDaily);
  MakeCCorporation();
  S().m_motivated = 100000;
  S().m_gatt = -50000;
  ComputeResults node;
  ClosePeriod(Doc(), node, D("01-01-96"), D("06-01-96"), kKindFinal, 0, ResultListKind::Motivated, false);
  EXPECT_EQ(0.0, node.m_gattPrincipal);
  EXPECT_EQ(0.0, S().m_gattInterestTotal);
  EXPECT_TRUE(S().m_gattApplies);  // restored
}

TEST_F(BalancesTest, FinalAllocationPassSpreadsPaymentsOldestFirst) {
  UseLine(kModeDaily);
  SetEvents({{kEventTax, "01-01-95", 1000},
             {kEventMotivatedTax, "01-01-95", 300},
             {kEventPayment, "02-01-95", 1200},
             {kEventStopInterest, "03-01-95", 0},
             {kEventDebit, "04-01-95", 400},
             {kEventTax, "05-01-95", 500}});
  AllocationRecord& record = Applied(2, 120000, 0, 10000);
  Doc().m_events[2].m_balof = -5;
  record.m_payment[1] = 5000;  // interest pays no charge
  FinalAllocationPass(Doc());
  const double expected[] = {0, 20000, 0, 0, 20000, 50000};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(expected[i], Doc().m_events[i].m_balof) << i;
}

}  // namespace
}  // namespace zarvic
