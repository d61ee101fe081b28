// The event grid's work per keystroke and per screen on a full problem (1000 events): the texts of one
// screen of rows (what a repaint asks for), storing an amount with penalties active, and deleting the
// first line. Each must stay far below a frame's time so typing and scrolling feel instant.

#include <benchmark/benchmark.h>

#include <string>

#include "core/Dates.h"
#include "penalties/PenaltyCatalog.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "shell/EventGridModel.h"

namespace zarvic {
namespace {

void FillProblem(CTDoc& doc, int count) {
  const DayNumber start = ParseDate("01-15-95");
  for (int i = 0; i < count; ++i) {
    CEvent& event = doc.m_events[static_cast<std::size_t>(i)];
    event.m_type = i == 0 ? kEventTax : kEventPayment;
    event.m_date = AddDays(start, i * 7);
    event.m_amount = 100000.0 + i;
    event.SetDescription("Check " + std::to_string(1000 + i));
  }
}

constexpr int kScreenRows = 30;

void BM_ScreenOfRowTexts(benchmark::State& state) {
  CTDoc doc;
  FillProblem(doc, kMaxEvents);
  EventGridModel grid(doc);
  grid.SetVisibleRows(kScreenRows);
  grid.ScrollTo(grid.ScrollMax());
  for (auto _ : state) {
    for (int row = grid.TopRow(); row < grid.TopRow() + kScreenRows; ++row) {
      benchmark::DoNotOptimize(grid.Texts(row, false));
    }
  }
}
BENCHMARK(BM_ScreenOfRowTexts);

void BM_CommitAmountWithPenalties(benchmark::State& state) {
  CTDoc doc;
  FillProblem(doc, kMaxEvents);
  EventGridModel grid(doc);
  int flip = 0;
  for (auto _ : state) {
    // The payment lies after the tax date: every run goes through the whole rule and switches off.
    doc.m_penalties[kPenaltyFailureToPay].SetFlag(PEN_ACTIVE, true);
    benchmark::DoNotOptimize(grid.CommitAmount(500, (flip++ % 2) != 0 ? "1,234.56" : "2,345.67"));
  }
}
BENCHMARK(BM_CommitAmountWithPenalties);

void BM_DeleteFirstLine(benchmark::State& state) {
  CTDoc doc;
  EventGridModel grid(doc);
  for (auto _ : state) {
    state.PauseTiming();
    FillProblem(doc, kMaxEvents);
    grid.SetCurrent(GridPlace::Cell(0, kGridDate));
    state.ResumeTiming();
    benchmark::DoNotOptimize(grid.DeleteLines());
  }
}
BENCHMARK(BM_DeleteFirstLine);

}  // namespace
}  // namespace zarvic
