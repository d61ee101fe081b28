#include "penalties/Delinquency.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/UserInterface.h"
#include "penalties/PenaltyPass.h"
#include "penalties/PenaltyResults.h"
#include "penalties/PenaltySupport.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

namespace pd = penalty_date;

// Failure-to-pay months count in steps of 0.25%; 25% is 100 steps.
constexpr double kStepRate = 0.0025;
constexpr int kMaxSteps = 100;

struct MinimumRow {
  DayNumber from;
  Amount cents;
};
// Returns due before 1-1-2009 have the minimum of $100.
constexpr Amount kFirstMinimum = 10000.0;
constexpr std::array<MinimumRow, 8> kMinimums = {{
    {20089, 13500.0},  // 1-1-2009
    {22645, 20500.0},  // 1-1-2016
    {23376, 21000.0},  // 1-1-2018
    {24106, 43500.0},  // 1-1-2020
    {25202, 45000.0},  // 1-1-2023
    {25567, 48500.0},  // 1-1-2024
    {25933, 51000.0},  // 1-1-2025
    {26298, 52500.0},  // 1-1-2026
}};

// Notices 1 to 6 of failure to pay tax shown, and of failure to pay assessment.
constexpr std::array<int, 6> kFailureToPayNotices = {1, 2, 3, 4, 7, 10};
constexpr std::array<int, 6> kAssessmentNotices = {0, 1, 2, 3, 7, 10};

// The month amounts as the report totals them: runs of equal amount and rate summed and rounded first.
Amount SumMonths(const std::vector<PenaltyMonth>& months) {
  Amount total = 0.0;
  for (std::size_t i = 0; i < months.size();) {
    Amount run = 0.0;
    std::size_t j = i;
    for (; j < months.size() && months[j].amount == months[i].amount &&
           months[j].rateStep == months[i].rateStep;
         ++j)
      run += months[j].amount;
    total += RoundedAmount(run);
    i = j;
  }
  return total;
}

bool LevyOrJeopardy(DayNumber month, DayNumber levy, DayNumber jeopardy) {
  return (IsDate(levy) && month >= AddDays(levy, 10)) || (IsDate(jeopardy) && month >= jeopardy);
}

// Under an installment agreement an individual's timely return is charged 0.25% for the months after
// the reduce date (slot 8) up to the reinstate date (slot 9), from 2000 on.
bool InstallmentRate(const PenaltyRecord& r, DayNumber month) {
  const DayNumber reduce = r.m_dates[8];
  const DayNumber reinstate = r.m_dates[9];
  return r.HasFlag(PEN_INDIVIDUAL_TIMELY) && month > pd::k12_31_99 && IsDate(reduce) && reduce < month &&
         (!IsDate(reinstate) || month <= reinstate);
}

// Failure to pay tax shown: the levy and jeopardy rate wins over the installment rate.
int FailureToPaySteps(const PenaltyRecord& r, DayNumber month) {
  if (LevyOrJeopardy(month, r.m_dates[5], r.m_dates[6])) return 4;
  return InstallmentRate(r, month) ? 1 : 2;
}

// Failure to pay assessment: the installment rate replaces even the 1% rate.
int AssessmentSteps(const PenaltyRecord& r, DayNumber month) {
  if (InstallmentRate(r, month)) return 1;
  return LevyOrJeopardy(month, r.m_dates[4], r.m_dates[5]) ? 4 : 2;
}

DayNumber FirstEventDate(const CTDoc& doc) {
  return doc.m_events[0].m_date;
}

DayNumber FailureToPayStart(const CTDoc& doc) {
  const DayNumber due = doc.m_penalties[kPenaltyFailureToPay].m_dates[0];
  return IsDate(due) ? due : doc.TaxDate;
}

// The day failure to pay assessment starts: the last day of the grace period after notice 1. False
// without a notice, or when from 1997 on the tax payments up to and including that day reach the net
// tax due (paid within the grace period).
bool AssessmentStart(const CTDoc& doc, DayNumber& start) {
  const PenaltyRecord& r = doc.m_penalties[kPenaltyFailureToPayAssessment];
  const DayNumber notice = r.m_dates[0];
  if (!IsDate(notice)) return false;
  start = NoticeGraceEnd(notice, (r.m_graceBits & 1) != 0);
  if (notice < pd::k1_1_97) return true;
  return PaymentsInPeriod(doc, -1, FirstEventDate(doc), AddDays(start, 1)) < doc.NetTaxDue;
}

// Failure to pay tax shown on return (1). False when its tax due date is before the tax date, which
// stops failure to file as well.
bool FailureToPay(CTDoc& doc, DayNumber computeDate, bool noAssess) {
  PenaltyResults& res = doc.m_penaltyResults;
  PenaltyRecord& rec = doc.m_penalties[kPenaltyFailureToPay];
  constexpr int k = kPenaltyFailureToPay;
  res.failureToPayMonths.clear();
  res.PenaltyFullBase[k] = rec.m_amounts[0];
  if (Before(doc.TaxDate, pd::k1_1_90)) res.PenaltyFullBase[k] = doc.NetTaxDue - Fraud6653bAmount(doc);
  res.PenaltyBase[k] = std::min(res.PenaltyFullBase[k], rec.m_amounts[0]);
  res.PenaltyGross[k] = 0.0;
  res.PenaltyAmount[k] = 0.0;
  res.PenaltyOverlap[k] = 0.0;
  if (rec.IsActive() && Before(rec.m_dates[0], doc.TaxDate)) return false;
  const DayNumber S0 = FailureToPayStart(doc);
  if (!rec.IsActive() || !Before(S0, computeDate)) return true;

  std::vector<PenaltyMonth>& months = res.failureToPayMonths;
  const Amount ceiling = 0.25 * res.PenaltyBase[k];
  Amount B = std::max(res.PenaltyBase[k], 0.0);
  int used = 0;
  int m = 0;
  Amount accrued = 0.0;
  Amount assessed = 0.0;
  std::size_t notice = 0;
  bool zeroWritten = false;
  PaymentWindows payments(doc, -1);
  const MonthSteps monthsFromStart(S0);
  for (DayNumber M = S0; Before(M, computeDate);) {
    const int steps = std::min(FailureToPaySteps(rec, M), kMaxSteps - used);
    if (used < kMaxSteps && (B > 0.0 || !zeroWritten)) {
      if (B <= 0.0) zeroWritten = true;
      const Amount amount = RoundedAmount(B * steps * kStepRate);
      months.push_back({M, steps - 1, B, amount, false});
      used += steps;
      accrued += amount;
    }
    ++m;
    const DayNumber next = monthsFromStart.At(m);
    if (!IsDate(next)) break;
    // Once every step is charged no month is charged again, so the base no longer matters: a long
    // computation does not add up the payments of decades for nothing.
    if (used < kMaxSteps) {
      B -= payments.Next(AddDays(M, m == 1 ? 1 : 2), AddDays(next, 2));
      if (B < -0.5) B = 0.0;
    }
    auto noticeDate = [&](std::size_t i) { return rec.m_dates[kFailureToPayNotices[i]]; };
    if (!noAssess && notice < kFailureToPayNotices.size() && IsDate(noticeDate(notice)) &&
        next >= noticeDate(notice)) {
      Amount amount = std::max(std::min(accrued, ceiling - assessed), 0.0);
      RoundAmount(amount);
      AddAssessment(res, k, noticeDate(notice), amount, static_cast<int>(notice));
      assessed += amount;
      accrued = 0.0;
      while (notice < kFailureToPayNotices.size() && IsDate(noticeDate(notice)) && noticeDate(notice) <= next)
        ++notice;
    }
    M = next;
  }
  rec.SetRate(m);
  res.PenaltyGross[k] = SumMonths(months);
  res.PenaltyCap[k] = RoundedAmount(DelinquencyCap(doc, k));
  res.PenaltyAmount[k] = std::min(res.PenaltyGross[k], res.PenaltyCap[k]);
  return true;
}

// Failure to file (23), after failure to pay so that the months they share are charged once.
void FailureToFile(CTDoc& doc, DayNumber computeDate, bool noAssess) {
  PenaltyResults& res = doc.m_penaltyResults;
  PenaltyRecord& rec = doc.m_penalties[kPenaltyFailureToFile];
  constexpr int k = kPenaltyFailureToFile;
  SetPenaltyBases(doc, k);
  res.PenaltyGross[k] = 0.0;
  res.PenaltyComponent[k] = 0.0;
  res.PenaltyOverlap[k] = 0.0;
  rec.SetRate(0.0);
  rec.m_monthsCharged = 0;
  rec.m_amounts[1] = 0.0;

  const DayNumber D = rec.m_dates[0];
  const DayNumber R = rec.m_dates[2];
  if (!rec.IsActive() || !Before(doc.TaxDate, R) || !Before(D, computeDate) || !Before(D, R)) return;
  const DayNumber E = Before(R, computeDate) ? R : computeDate;
  const bool fraud = rec.HasFlag(PEN_OPTION);
  const double rate = fraud ? 0.15 : 0.05;
  rec.SetRate(fraud ? 15.0 : 5.0);

  // Before 7-18-84 a notice date limits the months that bear interest to those before it.
  const DayNumber notice = rec.m_dates[1];
  const bool oldNotice = D < pd::k7_18_84 && IsDate(notice) && notice < pd::k7_18_84;
  const Amount B = res.PenaltyBase[k];
  int charged = 0;
  int late = 0;
  Amount total = 0.0;
  Amount bearing = 0.0;
  const MonthSteps monthsFromDue(D);
  for (int j = 0;; ++j) {
    const DayNumber start = monthsFromDue.At(j);
    if (!IsDate(start) || !Before(start, E)) break;
    ++late;
    if (charged < 5) {
      ++charged;
      total += B * rate;
      if (!oldNotice || start < notice) bearing += B * rate;
    }
  }
  rec.m_monthsCharged = static_cast<std::uint16_t>(charged);
  rec.m_amounts[1] = late;

  // 6651(c)(1): the failure-to-pay amounts of the months charged here come off this penalty. Months of
  // failure to pay that start before the due date fall outside the failure-to-file months and are not
  // matched; the others are matched while they start within a charged month.
  if (!res.failureToPayMonths.empty()) {
    const DayNumber chargedEnd = AddMonths(D, charged);
    Amount overlap = 0.0;
    int matched = 0;
    for (const PenaltyMonth& month : res.failureToPayMonths) {
      if (month.start < D) continue;
      if (matched >= charged || !Before(month.start, chargedEnd)) break;
      overlap += month.amount;
      ++matched;
    }
    res.PenaltyOverlap[k] = RoundedAmount(std::max(overlap, 0.0));
  }
  res.PenaltyGross[k] = RoundedAmount(total);
  Amount P = RoundedAmount(bearing);

  Amount minimum = 0.0;
  // "Not filed within 60 days" of the due date: a return received on the 60th day has no minimum.
  const bool filedWithin60Days = DateKey(R) <= AddDays(D, 60);
  if (!rec.HasFlag(PEN_NO_MINIMUM) && !filedWithin60Days)
    minimum = std::max(std::min(MinimumFailureToFile(D), res.PenaltyBase[k]), 0.0);
  res.PenaltyMinimum[k] = minimum;
  if (minimum > P) P = minimum;
  Amount amount = res.PenaltyGross[k] - res.PenaltyOverlap[k];
  if (amount > 0.0 && amount < minimum) amount = minimum;
  res.PenaltyAmount[k] = RoundedAmount(amount);

  if (!noAssess) {
    DayNumber at = D;
    if (D < pd::k7_18_84) at = IsDate(notice) && notice < pd::k7_18_84 ? notice : pd::k7_18_84;
    AddAssessment(res, k, at, std::min(P, res.PenaltyAmount[k]), -1);
  }
}

// The payments of types 2 and 8 (their tax allocation, or their amount when unallocated) beyond the
// first `skip` cents of payments, dated no later than lastDate.
Amount PaymentsBeyond(const CTDoc& doc, Amount skip, DayNumber lastDate) {
  skip = std::max(skip, 0.0);
  Amount sum = 0.0;
  for (const CEvent& event : doc.ListedEvents()) {
    if (event.m_type != kEventPayment && event.m_type != kEventCredit) continue;
    Amount paid = event.m_allocation ? event.m_allocation->m_payment[0] + event.m_allocation->m_payment[2]
                                     : event.m_amount;
    const Amount skipped = std::min(skip, std::max(paid, 0.0));
    skip -= skipped;
    paid -= skipped;
    if (event.m_date <= lastDate) sum += paid;
  }
  return sum;
}

}  // namespace

Amount MinimumFailureToFile(DayNumber dueDate) {
  Amount minimum = kFirstMinimum;
  for (const MinimumRow& row : kMinimums) {
    if (IsDate(dueDate) && dueDate >= row.from) minimum = row.cents;
  }
  return minimum;
}

void ComputeFailureToFileAndPay(CTDoc& doc, DayNumber computeDate, bool noAssess) {
  if (!FailureToPay(doc, computeDate, noAssess)) return;
  FailureToFile(doc, computeDate, noAssess);
  if (Before(doc.TaxDate, pd::k1_1_90)) {
    PenaltyResults& res = doc.m_penaltyResults;
    if (doc.m_penalties[kPenaltyFailureToFile].IsActive())
      res.PenaltyHistoryTemplate[kPenaltyFailureToFile] = "R6651A1H.DM";
    if (doc.m_penalties[kPenaltyFailureToPay].IsActive())
      res.PenaltyHistoryTemplate[kPenaltyFailureToPay] = "R6651A2H.DM";
  }
}

Amount DelinquencyCap(const CTDoc& doc, int k) {
  const PenaltyResults& res = doc.m_penaltyResults;
  if (k == kPenaltyFailureToPay) {
    const PenaltyRecord& rec = doc.m_penalties[k];
    const DayNumber S = FailureToPayStart(doc);
    if (!IsDate(S)) return 0.0;
    const DayNumber levy = rec.m_dates[5];
    const DayNumber jeopardy = rec.m_dates[6];
    bool full = (IsDate(levy) && AddDays(levy, 10) < S) || (IsDate(jeopardy) && jeopardy < S);
    Amount B = std::max(res.PenaltyBase[k], 0.0);
    Amount cap = 0.0;
    int halfSteps = 0;
    DayNumber monthStart = S;
    PaymentWindows payments(doc, -1);
    const MonthSteps monthsFromStart(S);
    for (int n = 1; halfSteps < 50; ++n) {
      const bool onePercent = full && halfSteps <= 48;
      cap += RoundedAmount(B * (onePercent ? 0.01 : 0.005));
      halfSteps += onePercent ? 2 : 1;
      const DayNumber next = monthsFromStart.At(n);
      if (!IsDate(next)) break;
      B -= payments.Next(AddDays(monthStart, n == 1 ? 1 : 2), AddDays(next, 2));
      if (B < -0.5) B = 0.0;
      if (!(B > 0.0)) break;
      monthStart = next;
      if (LevyOrJeopardy(monthStart, levy, jeopardy)) full = true;
    }
    return cap;
  }
  if (k == kPenaltyFailureToPayAssessment) {
    const PenaltyRecord& rec = doc.m_penalties[k];
    DayNumber start = NO_DATE;
    if (!AssessmentStart(doc, start)) return 0.0;
    const Amount B = std::min(res.PenaltyFullBase[k], rec.m_amounts[0]);
    if (!(B > 0.0)) return 0.0;
    Amount cap = 0.0;
    int halfSteps = 0;
    const MonthSteps monthsFromStart(start);
    for (int n = 1; halfSteps < 50; ++n) {
      const bool onePercent =
          halfSteps <= 48 && LevyOrJeopardy(monthsFromStart.At(n), rec.m_dates[4], rec.m_dates[5]);
      cap += RoundedAmount(B * (onePercent ? 0.01 : 0.005));
      halfSteps += onePercent ? 2 : 1;
    }
    return cap;
  }
  return 0.0;
}

void ComputeFailureToPayAssessment(CTDoc& doc, DayNumber computeDate) {
  PenaltyResults& res = doc.m_penaltyResults;
  PenaltyRecord& rec = doc.m_penalties[kPenaltyFailureToPayAssessment];
  const PenaltyRecord& shown = doc.m_penalties[kPenaltyFailureToPay];
  constexpr int k = kPenaltyFailureToPayAssessment;
  res.failureToPayAssessmentMonths.clear();
  res.PenaltyHistoryTemplate[k] = Before(doc.TaxDate, pd::k1_1_90) ? "R6651A3H.DM" : "R6653AH.DM";

  const DayNumber notice1 = rec.m_dates[0];
  // What is left of the tax shown on the return: payments go against it first.
  Amount leftShown = 0.0;
  if (shown.IsActive())
    leftShown = std::max(shown.m_amounts[0] - PaymentsInPeriod(doc, -1, FirstEventDate(doc), notice1), 0.0);

  Amount full = doc.NetTaxDue;
  if (Before(doc.TaxDate, pd::k1_1_90)) full -= Fraud6653bAmount(doc);
  if (shown.IsActive()) full -= std::min(res.PenaltyFullBase[kPenaltyFailureToPay], shown.m_amounts[0]);
  full = std::max(full, 0.0);
  res.PenaltyFullBase[k] = full;
  res.PenaltyBase[k] = std::min(full, rec.m_amounts[0]);
  res.PenaltyComponent[k] = 0.0;
  res.PenaltyGross[k] = 0.0;

  DayNumber start = NO_DATE;
  if (!rec.IsActive() || !AssessmentStart(doc, start) || Before(computeDate, start)) return;

  // Returns due before 1987: the failure-to-file amount charged on the assessed amount is charged
  // against this penalty.
  Amount fileShare = 0.0;
  PenaltyRecord& file = doc.m_penalties[kPenaltyFailureToFile];
  if (file.IsActive() && Before(doc.TaxDate, pd::k1_1_87)) {
    const PenaltyRecord savedShown = shown;
    const PenaltyRecord savedFile = file;
    doc.m_penalties[kPenaltyFailureToPay].SetFlag(PEN_ACTIVE, false);
    file.m_amounts[0] =
        res.PenaltyBase[k] - PaymentsBeyond(doc, doc.TotalTax - rec.m_amounts[0], AddDays(notice1, 10));
    ComputeFailureToFileAndPay(doc, computeDate, true);
    const Amount share = res.PenaltyAmount[kPenaltyFailureToFile];
    doc.m_penalties[kPenaltyFailureToPay] = savedShown;
    file = savedFile;
    ComputeFailureToFileAndPay(doc, computeDate, true);
    res.PenaltyOverlap[k] = share;
    fileShare = std::max(share, 0.0);
  }

  res.PenaltyCap[k] = std::max(RoundedAmount(DelinquencyCap(doc, k)), 0.0);

  std::vector<PenaltyMonth>& months = res.failureToPayAssessmentMonths;
  const Amount ceiling = 0.25 * res.PenaltyBase[k];
  Amount B = res.PenaltyBase[k];
  Amount paidSoFar = 0.0;
  PaymentWindows payments(doc, -1);
  auto applyPayments = [&](DayNumber from, DayNumber to) {
    const Amount paid = payments.Next(from, to);
    paidSoFar += paid;
    if (paidSoFar > leftShown) B -= std::min(paid, paidSoFar - leftShown);
    if (B < -0.5) B = 0.0;
  };
  // The grace period after notice 1: no charge, but every payment made in it, from the day after the
  // notice, lowers the base of the first month (whatever the length of the grace period).
  months.push_back({start, AssessmentSteps(rec, start) - 1, B, 0.0, true});
  applyPayments(AddDays(notice1, 1), AddDays(start, 1));

  int used = 0;
  Amount accrued = 0.0;
  Amount assessed = 0.0;
  std::size_t notice = 1;
  auto noticeDate = [&](std::size_t i) { return rec.m_dates[kAssessmentNotices[i]]; };
  DayNumber M = start;
  const MonthSteps monthsFromStart(start);
  for (int n = 1; Before(M, computeDate); ++n) {
    const int steps = std::min(AssessmentSteps(rec, M), kMaxSteps - used);
    if (B > 0.0 && used < kMaxSteps) {
      const Amount amount = RoundedAmount(B * steps * kStepRate);
      months.push_back({M, steps - 1, B, amount, false});
      used += steps;
      accrued += amount;
    }
    const DayNumber next = monthsFromStart.At(n);
    if (!IsDate(next)) break;
    if (used < kMaxSteps) applyPayments(AddDays(M, 1), AddDays(next, 1));  // the base matters no more
    if (notice < kAssessmentNotices.size() && IsDate(noticeDate(notice)) && next >= noticeDate(notice)) {
      accrued -= fileShare;
      if (accrued < 0.0) {
        fileShare = -accrued;  // carried to the next notice
        accrued = 0.0;
      } else {
        fileShare = 0.0;
      }
      Amount amount = std::max(std::min(accrued, ceiling - assessed), 0.0);
      RoundAmount(amount);
      assessed += amount;
      AddAssessment(res, k, noticeDate(notice), amount, static_cast<int>(notice));
      accrued = 0.0;
      // The further amounts assessed at this notice, and at any later one this month also passed,
      // join the base.
      while (notice < kAssessmentNotices.size() && IsDate(noticeDate(notice)) && noticeDate(notice) <= next) {
        if (notice < kPenaltyAmounts) B += rec.m_amounts[notice];
        ++notice;
      }
    }
    M = next;
  }

  const Amount total = RoundedAmount(SumMonths(months));
  if (total > res.PenaltyCap[k]) {
    res.PenaltyGross[k] = res.PenaltyCap[k];
    res.PenaltyComponent[k] = total - res.PenaltyCap[k];
  } else {
    res.PenaltyGross[k] = total;
  }
  res.PenaltyCapRemaining[k] = std::max(res.PenaltyCap[k] - res.PenaltyOverlap[k], 0.0);
  res.PenaltyAmount[k] = RoundedAmount(std::min(res.PenaltyGross[k], res.PenaltyCapRemaining[k]));
}

}  // namespace zarvic

namespace zarvic {

void CheckDelinquencyAmounts(CTDoc& doc, bool /*showMessages*/) {
  constexpr int kAssessedExceedsDueId = 19415;
  constexpr int kDelinquencyExceedsTaxId = 20048;
  // These cautions show even when the driver otherwise runs quietly.
  const PenaltyRecord& assessment = doc.m_penalties[kPenaltyFailureToPayAssessment];
  Amount assessed = 0.0;
  if (assessment.IsActive()) {
    for (int j = 0; j < 4; ++j) {
      if (IsDate(assessment.m_dates[j])) assessed += assessment.m_amounts[j];
    }
    const DayNumber notice1 = assessment.m_dates[0];
    if (IsDate(notice1)) {
      Amount due = 0.0;
      for (const CEvent& event : doc.ListedEvents()) {
        if (event.m_date > notice1) continue;
        if (event.m_type == kEventTax || event.m_type == kEventMotivatedTax || event.m_type == kEventDebit)
          due += event.m_amount;
        if (LowersBalance(event.m_type)) due -= event.m_amount;
      }
      if (assessed > due) MessageBoxId(kAssessedExceedsDueId);
    }
  }
  const PenaltyRecord& shown = doc.m_penalties[kPenaltyFailureToPay];
  if (shown.IsActive() && doc.TotalTax < assessed + shown.m_amounts[0])
    MessageBoxId(kDelinquencyExceedsTaxId);
}

}  // namespace zarvic
