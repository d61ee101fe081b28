#pragma once

#include "core/Dates.h"
#include "penalties/PenaltyRecord.h"
#include "problem/CTDoc.h"

namespace zarvic {

// Switches on every penalty that can be active at once for a return of the era: the delinquency
// penalties, and either 6662(c)-(g), 6663 and hot interest (from 1990) or the older sections.
inline void ActivateEveryPenalty(CTDoc& doc, DayNumber taxDate, bool from1990) {
  const DayNumber notice = AddDays(taxDate, 120);
  auto activate = [&](int k, double amount) -> PenaltyRecord& {
    PenaltyRecord& r = doc.m_penalties[k];
    r.SetFlag(PEN_ACTIVE, true);
    r.m_amounts[0] = amount;
    r.m_dates[0] = taxDate;
    r.m_dates[1] = notice;
    r.SetRate(20.0);
    return r;
  };
  activate(23, 10000000.0).m_dates[2] = AddDays(taxDate, 200);
  PenaltyRecord& shown = activate(1, 5000000.0);
  for (int n = 0; n < 4; ++n) shown.m_dates[1 + n] = AddDays(notice, 90 * n);
  PenaltyRecord& assessed = activate(2, 4000000.0);
  for (int n = 0; n < 4; ++n) assessed.m_dates[n] = AddDays(notice, 60 * n);
  if (from1990) {
    for (int k = 11; k <= 16; ++k) activate(k, 1500000.0);
    doc.m_header.m_hotInterest = 1;
    doc.m_header.m_applicableDate = MakeDate(1, 1, 96);
  } else {
    activate(3, 2000000.0).m_amounts[1] = 2000000.0;
    activate(4, 2000000.0).m_amounts[1] = 2000000.0;
    for (int k : {7, 8, 9, 10}) activate(k, 1500000.0);
  }
}

}  // namespace zarvic
