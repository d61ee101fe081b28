// A full report run (all seven reports) of a problem of 1000 events.

#include <benchmark/benchmark.h>

#include <array>

#include "core/Paths.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "reports/EngineReportComputation.h"
#include "reports/ReportRun.h"

namespace zarvic {
namespace {

// Results laid out in advance, so that the figure is the report engine's own.
class PrecomputedResults : public ReportComputation {
 public:
  bool ComputeProblem(CTDoc&) override { return true; }
  bool RunComputation(CTDoc&, DayNumber, bool) override { return true; }
  ReportTotals Totals(const CTDoc&) const override { return {123456, 2345, 678, 0, 0, 987654}; }
  DayNumber HotStartDate(const CTDoc&) const override { return NO_DATE; }
  bool PenaltyWhileRefund(const CTDoc&) const override { return false; }
  std::array<Amount, 3> NegligenceAmounts(const CTDoc&) const override { return {}; }
  bool AccuracyStacking(CTDoc&) override { return false; }
  Amount PaymentsInPeriod(const CTDoc&, int, DayNumber, DayNumber) const override { return 0; }
  bool GattDiagnostic() const override { return false; }
};

void BuildProblem(CTDoc& doc) {
  doc.m_header.m_taxpayerName.SetText("Benchmark Taxpayer");
  doc.m_header.m_taxpayerId.SetText("98-7654321");
  doc.m_rateTable.name = "FEDERAL";
  doc.m_rateTable.description = "Benchmark rates";
  for (int i = 0; i < 40; ++i) {
    doc.m_rateTable.lines[static_cast<size_t>(i)] = {
        AddMonths(MakeDate(1, 1, 90), 3 * i), kModeDaily, 8, 9.6, 7, 365};
  }
  doc.m_rateTable.lineCount = 40;
  DayNumber date = MakeDate(1, 15, 90);
  doc.m_events[0].m_type = kEventTax;
  doc.m_events[0].m_date = date;
  doc.m_events[0].m_amount = 100000000;
  for (int i = 1; i < kMaxEvents; ++i) {
    CEvent& e = doc.m_events[static_cast<size_t>(i)];
    e.m_type = i % 10 == 0 ? kEventDeposit : kEventPayment;
    e.m_date = AddDays(date, 9 * i);
    e.m_amount = 50000;
    e.Allocation().m_payment[0] = 40000;
    e.Allocation().m_payment[1] = 10000;
  }
  doc.m_computeDate = AddDays(date, 9 * kMaxEvents);
  doc.m_penalties[23].m_flags = PEN_ACTIVE;
  doc.m_penalties[1].m_flags = PEN_ACTIVE;
  for (int i = 0; i < 24; ++i) {
    doc.m_penaltyResults.failureToPayMonths.push_back(
        {AddMonths(date, i), 1, 100000000.0 - 400000.0 * i, 500, false});
  }
  ComputeResultList* lists[] = {&doc.m_normalList, &doc.m_penaltyList};
  for (ComputeResultList* list : lists) {
    DayNumber start = 0;
    for (int i = 0; i < kMaxEvents; ++i) {
      ComputeResults& n = list->Append();
      n.m_start = start;
      n.m_end = doc.m_events[static_cast<size_t>(i)].m_date;
      n.m_days = static_cast<std::int16_t>(i == 0 ? 0 : 9);
      n.m_mode = kModeDaily;
      n.m_kind = static_cast<std::int16_t>(doc.m_events[static_cast<size_t>(i)].m_type);
      n.m_event = static_cast<std::int16_t>(i);
      n.m_normalPrincipal = 100000000.0 - 50000.0 * i;
      n.m_normalInterest = i == 0 ? 0 : 19726;
      n.m_normalRate = 8;
      n.m_normalFactor = 0.0019726;
      start = n.m_end;
    }
  }
}

class QuietUi : public UserInterface {
 public:
  Answer Show(const std::string&, MessageKind) override { return Answer::Ok; }
};

void BM_FullReportRun(benchmark::State& state) {
  SetProgramFolder(ZARVIC_BINARY_DIR);
  QuietUi ui;
  ScopedUserInterface scoped(ui);
  CTDoc doc;
  BuildProblem(doc);
  PrecomputedResults results;
  ReportRun run(doc, results);
  ReportOptions& o = run.Options();
  o.computeDate = doc.m_computeDate;
  o.interestAndPenaltyDetail = o.interestDetailWithFactors = o.mainScreenEvents = true;
  o.paymentAllocationDetail = o.penaltyComputationDetail = o.monthlyAccrual = o.rateTable = true;
  FixedPageLength page;
  int pages = 0;
  for (auto _ : state) {
    pages = run.PrepareReports(page, false);
    benchmark::DoNotOptimize(pages);
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_FullReportRun)->Unit(benchmark::kMillisecond);

// The same run with the compute driver: it computes the problem, once more for the balance of every
// event date and twice for the monthly accrual.
void BM_FullReportRunComputed(benchmark::State& state) {
  SetProgramFolder(ZARVIC_BINARY_DIR);
  QuietUi ui;
  ScopedUserInterface scoped(ui);
  CTDoc doc;
  BuildProblem(doc);
  doc.m_computedOnce = true;
  EngineReportComputation computation;
  ReportRun run(doc, computation);
  ReportOptions& o = run.Options();
  o.computeDate = doc.m_computeDate;
  o.interestAndPenaltyDetail = o.interestDetailWithFactors = o.mainScreenEvents = true;
  o.paymentAllocationDetail = o.penaltyComputationDetail = o.monthlyAccrual = o.rateTable = true;
  FixedPageLength page;
  int pages = 0;
  for (auto _ : state) {
    pages = run.PrepareReports(page, false);
    benchmark::DoNotOptimize(pages);
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_FullReportRunComputed)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarvic
