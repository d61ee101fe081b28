#include <gtest/gtest.h>

#include "PenaltyTestSupport.h"
#include "penalties/PenaltySupport.h"

namespace zarvic {
namespace {

using testing::D;
using testing::Usd;

class PenaltySupportTest : public testing::PenaltyTest {};

TEST_F(PenaltySupportTest, PaymentsInPeriodSkipsPaymentsOnATaxDate) {
  Pay("01-10-2020", Usd(1));
  Tax("02-01-2020", Usd(1000));
  Pay("02-01-2020", Usd(10));  // on the tax date: not counted
  Pay("02-02-2020", Usd(100));
  PayTo("03-01-2020", {{0, Usd(1000)}, {7, Usd(5)}});
  EXPECT_EQ(Usd(101), PaymentsInPeriod(doc(), -1, NO_DATE, D("03-01-2020")));
  EXPECT_EQ(Usd(100), PaymentsInPeriod(doc(), -1, D("02-02-2020"), D("03-01-2020")));
  // A window starting on the tax date meets the tax event too.
  EXPECT_EQ(Usd(100), PaymentsInPeriod(doc(), -1, D("02-01-2020"), D("02-03-2020")));
  EXPECT_EQ(Usd(5), PaymentsInPeriod(doc(), 1, NO_DATE, D("12-31-2020")));
}

// Windows that move forward give what separate walks give, including windows that skip ahead, are
// empty, or come back (which start a fresh walk).
TEST_F(PenaltySupportTest, PaymentWindowsMatchSeparateWalks) {
  Tax("01-15-2020", Usd(5000));
  Pay("01-15-2020", Usd(7));
  for (int i = 0; i < 40; ++i) Pay(FormatDate(AddDays(D("01-16-2020"), 9 * i), true).c_str(), Usd(i + 1));
  Tax("06-01-2020", Usd(100));  // a second tax date with a payment on it
  Pay("06-01-2020", Usd(11));
  doc().SortEvents(-1);
  const struct {
    const char* from;
    const char* to;
  } windows[] = {{"01-15-2020", "02-17-2020"}, {"02-17-2020", "03-17-2020"}, {"04-01-2020", "04-01-2020"},
                 {"04-01-2020", "06-01-2020"}, {"06-01-2020", "06-03-2020"}, {"05-01-2020", "07-01-2020"},
                 {"07-01-2020", "12-31-2020"}};
  PaymentWindows cursor(doc(), -1);
  for (const auto& w : windows) {
    EXPECT_EQ(PaymentsInPeriod(doc(), -1, D(w.from), D(w.to)), cursor.Next(D(w.from), D(w.to)))
        << w.from << " " << w.to;
  }
}

}  // namespace
}  // namespace zarvic
