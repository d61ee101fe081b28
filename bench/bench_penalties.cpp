// The penalty pass and the interest on penalties on the largest problem: 1000 events (one tax event
// and 999 weekly payments applied to tax and to penalties) with every penalty of the return's era active
// at once. The compute driver runs both once per run, and the payment allocation runs the driver once
// per payment.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "PenaltySetup.h"
#include "penalties/PenaltyInterest.h"
#include "penalties/PenaltyPass.h"
#include "problem/CTDoc.h"
#include "ratetables/TableFile.h"

namespace zarvic {
namespace {

enum Era { kBefore1990 = 0, kFrom1990 = 1 };

std::unique_ptr<CTDoc> LargestProblem(Era era) {
  auto doc = std::make_unique<CTDoc>();
  if (!LoadTable(doc->m_rateTable, std::string(ZARVIC_BINARY_DIR) + "/FEDERAL.TB3", false)) return nullptr;
  const DayNumber taxDate = era == kFrom1990 ? MakeDate(4, 15, 95) : MakeDate(4, 15, 87);
  CEvent& tax = doc->m_events[0];
  tax.m_type = kEventTax;
  tax.m_date = taxDate;
  tax.m_amount = 10000000.0;  // $100,000
  for (int i = 1; i < kMaxEvents; ++i) {
    CEvent& pay = doc->m_events[i];
    pay.m_type = kEventPayment;
    pay.m_date = AddDays(taxDate, 7 * i);
    pay.m_amount = 10000.0;
    auto& applied = pay.Allocation().m_payment;
    applied[0] = 6000.0;   // tax
    applied[5] = 1000.0;   // penalty interest
    applied[7] = 1000.0;   // failure to pay
    applied[29] = 1000.0;  // failure to file
    applied[era == kFrom1990 ? 17 : 9] = 1000.0;
  }
  doc->RecomputeTaxTotals();
  ActivateEveryPenalty(*doc, taxDate, era == kFrom1990);
  return doc;
}

DayNumber ComputeDate() {
  return MakeDate(1, 1, 2015);
}

void BM_ComputePenalties(benchmark::State& st) {
  auto doc = LargestProblem(static_cast<Era>(st.range(0)));
  if (!doc) {
    st.SkipWithError("FEDERAL.TB3 not found");
    return;
  }
  for (auto _ : st) {
    ComputePenalties(*doc, ComputeDate());
    benchmark::DoNotOptimize(doc->m_penaltyResults.PenaltyAmount);
  }
  st.counters["assessments"] = static_cast<double>(doc->m_penaltyResults.assessments.size());
}
BENCHMARK(BM_ComputePenalties)
    ->ArgName("from1990")
    ->Arg(kBefore1990)
    ->Arg(kFrom1990)
    ->Unit(benchmark::kMicrosecond);

void BM_ComputePenaltyInterest(benchmark::State& st) {
  auto doc = LargestProblem(static_cast<Era>(st.range(0)));
  if (!doc) {
    st.SkipWithError("FEDERAL.TB3 not found");
    return;
  }
  ComputePenalties(*doc, ComputeDate());
  for (auto _ : st) {
    ComputePenaltyInterest(*doc, ComputeDate(), false, OverpaymentProbe{});
    benchmark::DoNotOptimize(doc->m_penaltyResults.PenaltyInterestTotal);
  }
  st.counters["steps"] = static_cast<double>(doc->m_penaltyList.Size());
}
BENCHMARK(BM_ComputePenaltyInterest)
    ->ArgName("from1990")
    ->Arg(kBefore1990)
    ->Arg(kFrom1990)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zarvic
