// The worked examples of the penalty windows' help pages, computed by the penalty pass, so the figures
// the pages print are the program's. (Examples the other penalty tests already compute are not repeated:
// 6651(a)(1) to (a)(3), 6659A, 6661, 6662(c) with 6663, 6662(d), the 6662(e) and (f) thresholds.)

#include <gtest/gtest.h>

#include "PenaltyTestSupport.h"
#include "penalties/PenaltyCatalog.h"
#include "penalties/PenaltyPass.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Usd;

class HelpExamplesTest : public testing::PenaltyTest {};

struct Example {
  const char* page;
  int k;
  const char* taxDate;
  double amount;   // subject to the penalty
  double rate;     // the window's percentage; 0: none asked
  double penalty;  // the fixed part the page shows (any interest part aside)
};

TEST_F(HelpExamplesTest, PenaltyPagesComputeAsTheyPrint) {
  const Example examples[] = {
      {"p6653a0.htm", kPenalty6653a, "04-15-1979", Usd(8000), 0, Usd(400)},
      {"p6653a1.htm", kPenalty6653a, "04-15-1985", Usd(10000), 0, Usd(500)},
      {"p6653a8.htm", kPenalty6653a, "04-15-1989", Usd(10000), 0, Usd(500)},
      {"p6653b82.htm", kPenalty6653b, "04-15-1980", Usd(20000), 0, Usd(10000)},
      {"p6653b.htm", kPenalty6653b, "04-15-1988", Usd(20000), 0, Usd(15000)},
      {"p6653b89.htm", kPenalty6653b, "04-15-1989", Usd(20000), 0, Usd(15000)},
      {"p6659.htm", kPenalty6659, "04-15-1985", Usd(10000), 30, Usd(3000)},
      {"p6659.htm below $1,000", kPenalty6659, "04-15-1985", 99999, 30, 0.0},
      {"p6660.htm", kPenalty6660, "04-15-1985", Usd(10000), 30, Usd(3000)},
      {"p6662c.htm", kPenalty6662c, "04-15-1995", Usd(10000), 0, Usd(2000)},
      {"p6662e.htm", kPenalty6662e, "04-15-1995", Usd(10000), 20, Usd(2000)},
      {"p6662e.htm at $5,000", kPenalty6662e, "04-15-1995", Usd(5000), 40, 0.0},
      {"p6662f.htm", kPenalty6662f, "04-15-1995", Usd(10000), 20, Usd(2000)},
      {"p6662g.htm", kPenalty6662g, "04-15-1995", Usd(10000), 40, Usd(4000)},
      {"p6662g.htm at $5,000", kPenalty6662g, "04-15-1995", Usd(5000), 40, 0.0},
      {"p6663.htm", kPenalty6663, "04-15-1995", Usd(40000), 0, Usd(30000)},
  };
  for (const Example& e : examples) {
    doc_ = std::make_unique<CTDoc>();
    doc_->m_rateTable.name = "FEDERAL";
    FlatTable(10.0, 2);
    Tax(e.taxDate, Usd(100000));
    PenaltyRecord& r = Activate(e.k, e.amount, {{0, e.taxDate}, {1, e.taxDate}});
    r.m_amounts[1] = e.amount;  // attributable to negligence or fraud, where the window asks
    if (e.rate > 0) r.SetRate(e.rate);
    ComputePenalties(doc(), D("01-01-2000"));
    EXPECT_EQ(e.penalty, res().PenaltyGross[e.k]) << e.page;
  }
}

}  // namespace
}  // namespace zarvic
