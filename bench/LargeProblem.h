#pragma once

#include <cstdlib>
#include <memory>

#include "core/Dates.h"
#include "problem/CTDoc.h"
#include "problem/EventTypes.h"
#include "ratetables/TableFile.h"

namespace zarvic {

// count events from first on, every 15 days (every 300 days for 100 events or fewer); every other
// one a payment of $500, the rest taxes of $1,000 and now and then a debit or an IRS check. On the
// shipped federal table, computed to 12-31-2025.
inline std::unique_ptr<CTDoc> MakeLargeProblem(int count, DayNumber first = MakeDate(1, 15, 84)) {
  auto doc = std::make_unique<CTDoc>();
  if (!LoadTable(doc->m_rateTable, ZARVIC_BINARY_DIR "/FEDERAL.TB3", false)) std::abort();
  const int step = count > 100 ? 15 : 300;
  for (int i = 0; i < count; ++i) {
    CEvent& event = doc->m_events[static_cast<std::size_t>(i)];
    event.m_date = AddDays(first, i * step);
    if (i % 2 == 1) {
      event.m_type = kEventPayment;
      event.m_amount = 50000.0;
    } else {
      event.m_type = i % 10 == 4 ? kEventDebit : i % 10 == 8 ? kEventIrsCheck : kEventTax;
      event.m_amount = 100000.0 + i;
    }
  }
  doc->m_computeDate = MakeDate(12, 31, 2025);
  return doc;
}

}  // namespace zarvic
