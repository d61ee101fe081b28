#include "penalties/PenaltyModel.h"

#include <string_view>
#include <utility>

#include "core/AppOptions.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "penalties/PenaltySupport.h"
#include "penalties/PenaltyValidation.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

constexpr int kStateTableWarningId = 18008;
constexpr int kNoPenaltiesId = 19200;
constexpr int kSummaryHeadingId = 18800;
constexpr int kSummaryToolbarHintId = 18900;
constexpr int kSummaryNoneId = 18901;

PenaltyWindowHook& WindowHook() {
  static PenaltyWindowHook hook;
  return hook;
}

PenaltySelectionHook& SelectionHook() {
  static PenaltySelectionHook hook;
  return hook;
}

bool IsCharge(std::uint16_t type) {
  return RaisesBalance(type);
}

// The common default: the charge date, no other dates, the tax less what was paid by that date.
void CommonDefault(PenaltyRecord& r, DayNumber chargeDate, Amount netAtCharge) {
  r.m_dates[0] = chargeDate;
  for (int i = 1; i <= 9; ++i) r.m_dates[i] = NO_DATE;
  r.m_amounts[0] = netAtCharge;
  r.SetFlag(PEN_OPTION, false);
  r.SetFlag(PEN_NO_MINIMUM, Options().overrideIrsAllocation);
  r.SetRate(0.0);
}

// The net tax due as the tax date leaves it. A credit dated later is one of the payments every
// computation takes from the events (it lowers the monthly bases as it is paid), so a record that
// counted it too would take it off twice and would no longer fit the events once it was changed.
Amount NetTaxDueOnTaxDate(const CTDoc& doc) {
  Amount net = doc.NetTaxDue;
  if (!IsDate(doc.TaxDate)) return net;
  for (const CEvent& event : doc.ListedEvents()) {
    if (event.m_type == kEventCredit && event.m_date > doc.TaxDate) net += event.m_amount;
  }
  return net;
}

// Failure to pay: from the tax date on the net tax due, no notices.
void FailureToPayDefault(PenaltyRecord& r, const CTDoc& doc) {
  r.m_dates[0] = doc.TaxDate;
  // The reinstate date (slot 9) goes too: without a reduce date it would not pass its window's checks.
  for (int i = 1; i <= 10; ++i) r.m_dates[i] = NO_DATE;
  r.m_amounts[0] = NetTaxDueOnTaxDate(doc);
  r.SetFlag(PEN_OPTION, false);
  r.SetFlag(PEN_NO_MINIMUM, Options().overrideIrsAllocation);
  r.SetRate(0.0);
}

}  // namespace

Amount NetAtTaxDate(const CTDoc& doc) {
  DayNumber date = NO_DATE;
  for (const CEvent& event : doc.ListedEvents()) {
    if (event.m_type == kEventTax || event.m_type == kEventMotivatedTax) {
      date = event.m_date;
      break;
    }
  }
  if (!IsDate(date)) return 0.0;
  Amount net = 0.0;
  for (const CEvent& event : doc.ListedEvents()) {
    if (event.m_date != date) continue;
    if (IsCharge(event.m_type)) net += event.m_amount;
    if (LowersBalance(event.m_type)) net -= event.m_amount;
  }
  return net;
}

Amount MotivatedTaxTotal(const CTDoc& doc) {
  return doc.SumOfType(kEventMotivatedTax);
}

void DefaultPenaltyRecords(CTDoc& doc) {
  doc.RecomputeTaxTotals();
  const DayNumber d = FirstChargeDate(doc);
  if (!IsDate(d)) return;
  Amount paidByD = 0.0;
  for (const CEvent& event : doc.ListedEvents()) {
    if (LowersBalance(event.m_type) && event.m_date <= d) paidByD += event.m_amount;
  }
  const Amount net = doc.TotalTax - paidByD;
  const Amount motivated = MotivatedTaxTotal(doc);

  auto fill = [&](int k, auto&& how) {
    PenaltyRecord& r = doc.m_penalties[k];
    if (!r.HasFlag(PEN_EDITED)) how(r);
  };
  fill(kPenaltyFailureToFile, [&](PenaltyRecord& r) {
    CommonDefault(r, d, net);
    r.m_dates[2] = Today();
  });
  fill(kPenaltyFailureToPay, [&](PenaltyRecord& r) { FailureToPayDefault(r, doc); });
  fill(kPenaltyFailureToPayAssessment, [&](PenaltyRecord& r) {
    FailureToPayDefault(r, doc);
    r.m_dates[0] = NO_DATE;
  });
  fill(kPenalty6653a, [&](PenaltyRecord& r) {
    CommonDefault(r, d, net);
    r.m_amounts[1] = net;
    r.m_amounts[2] = motivated;
    r.SetFlag(PEN_OPTION, true);
  });
  fill(kPenalty6653b, [&](PenaltyRecord& r) {
    CommonDefault(r, d, net);
    r.m_amounts[1] = r.m_amounts[0];
    r.m_amounts[2] = motivated;
  });
  for (int k : {7, 8, 9, 12, 13, 14, 15}) {
    fill(k, [&](PenaltyRecord& r) {
      CommonDefault(r, d, net);
      r.SetRate(20.0);
    });
  }
  for (int k : {10, 11, 16}) fill(k, [&](PenaltyRecord& r) { CommonDefault(r, d, net); });
}

PenaltyWindowHook SetPenaltyWindowHook(PenaltyWindowHook hook) {
  return std::exchange(WindowHook(), std::move(hook));
}

PenaltySelectionHook SetPenaltySelectionHook(PenaltySelectionHook hook) {
  return std::exchange(SelectionHook(), std::move(hook));
}

bool OpenPenaltySelection(CTDoc& doc) {
  if (std::string_view(doc.m_rateTable.name).substr(0, 7) != "FEDERAL") MessageBoxId(kStateTableWarningId);
  doc.RecomputeTaxTotals();
  if (!IsDate(doc.TaxDate)) {
    MessageBoxId(kNoPenaltiesId);
    return false;
  }
  DefaultPenaltyRecords(doc);
  // Copies: a window may install another hook while it is open.
  if (const PenaltySelectionHook hook = SelectionHook()) hook(doc, PenaltySelectionList(doc.TaxDate));
  CurrentUi().RefreshViews(&doc);
  return true;
}

bool EditPenalty(CTDoc& doc, int k) {
  // Record 22 is the hot-interest switch: its settings have their own window and command.
  if (k < 0 || k >= kPenaltyRecords || k == kPenaltyHotInterest) return false;
  doc.RecomputeTaxTotals();
  const PenaltyWindowClass cls = PenaltyWindowFor(k, doc.TaxDate);
  const PenaltyWindowHook hook = WindowHook();
  if (cls == PenaltyWindowClass::None || !hook) return false;
  const PenaltyRecord before = doc.m_penalties[k];
  if (!hook(doc, k, cls)) {
    // As a cancelled window leaves it: the record as it was, switched off if even that has a finding.
    doc.m_penalties[k] = before;
    ValidatePenalty(doc, k, false);
    return false;
  }
  PenaltyRecord& record = doc.m_penalties[k];
  record.SetFlag(PEN_EDITED, true);
  if (k == kPenaltyFailureToPay || k == kPenaltyFailureToPayAssessment) {
    const int other = k == kPenaltyFailureToPay ? kPenaltyFailureToPayAssessment : kPenaltyFailureToPay;
    doc.m_penalties[other].SetFlag(PEN_INDIVIDUAL_TIMELY, record.HasFlag(PEN_INDIVIDUAL_TIMELY));
  }
  doc.SetModified();
  return true;
}

void TogglePenalty(CTDoc& doc, int k) {
  if (k < 0 || k >= kPenaltyRecords) return;
  PenaltyRecord& record = doc.m_penalties[k];
  if (record.IsActive()) {
    record.SetFlag(PEN_ACTIVE, false);
    doc.SetModified();  // the switch is saved with the problem
    return;
  }
  EditPenalty(doc, k);
}

int CountActivePenalties(const CTDoc& doc) {
  int count = 0;
  for (int k = 0; k < kPenaltyRecords; ++k) {
    if (k != kPenaltyHotInterest && doc.m_penalties[k].IsActive()) ++count;
  }
  return count;
}

bool AnyActivePenalty(const CTDoc& doc) {
  return CountActivePenalties(doc) > 0;
}

void ResetPenaltyRecords(CTDoc& doc) {
  for (int k = 0; k < kPenaltyRecords; ++k) {
    if (k != kPenaltyHotInterest) doc.m_penalties[k].MakeNew();
  }
  CurrentUi().RefreshViews(&doc);
}

namespace {

// What the penalty records rest on of one event: its type, date and amount when it is a tax, motivated
// tax or debit, or a payment, deposit or credit dated on or before the tax date; nothing for any other
// event, for one without a date and for one of no amount (a new row before its amount is typed).
struct PenaltyBasis {
  bool counts = false;
  std::uint16_t type = 0;
  DayNumber date = NO_DATE;
  Amount amount = 0.0;
  bool operator==(const PenaltyBasis&) const = default;
};

PenaltyBasis BasisOf(const CEvent& event, DayNumber taxDate) {
  if (!event.HasDate() || event.m_amount == 0.0) return {};
  const bool charge =
      event.m_type == kEventTax || event.m_type == kEventMotivatedTax || event.m_type == kEventDebit;
  const bool paidByTaxDate = LowersBalance(event.m_type) && IsDate(taxDate) && event.m_date <= taxDate;
  if (!charge && !paidByTaxDate) return {};
  return {true, event.m_type, event.m_date, event.m_amount};
}

}  // namespace

bool EditChangesPenaltyBasis(const CEvent& before, const CEvent& after, DayNumber taxDateBefore,
                             DayNumber taxDateAfter) {
  if (IsDate(taxDateBefore) && taxDateAfter != taxDateBefore) return true;  // moved, or split over dates
  const DayNumber taxDate = IsDate(taxDateAfter) ? taxDateAfter : taxDateBefore;
  return BasisOf(before, taxDate) != BasisOf(after, taxDate);
}

void TurnOffPenalties(CTDoc& doc) {
  for (int k = 0; k < kPenaltyRecords; ++k) {
    if (k != kPenaltyHotInterest) doc.m_penalties[k].SetFlag(PEN_ACTIVE, false);
  }
}

ActivePenaltySummary SummarizeActivePenalties(const CTDoc& doc) {
  ActivePenaltySummary summary;
  summary.heading = std::string(StringText(kSummaryHeadingId));
  const int count = CountActivePenalties(doc);
  if (count == 0) {
    summary.note = std::string(StringText(kSummaryNoneId));
  } else if (count >= 4) {
    summary.note = std::string(StringText(kSummaryToolbarHintId));
  } else {
    auto add = [&](int k) {
      if (doc.m_penalties[k].IsActive())
        summary.lines.push_back({k, std::string(StringText(PenaltySummaryTextId(k)))});
    };
    add(kPenaltyFailureToFile);
    for (int k = 1; k <= 21; ++k) add(k);
  }
  return summary;
}

}  // namespace zarvic
