#include "penalties/PenaltyValidation.h"

#include <cmath>
#include <initializer_list>

#include "core/UserInterface.h"
#include "penalties/PenaltyModel.h"
#include "penalties/PenaltySupport.h"
#include "problem/CTDoc.h"

namespace zarvic {
namespace {

namespace pd = penalty_date;
constexpr int kFirstMessageId = 19399;

bool NearOneOf(double rate, std::initializer_list<double> rates) {
  for (double r : rates) {
    if (std::fabs(rate - r) < 0.001) return true;
  }
  return false;
}
bool Standard102030(double rate) {
  return NearOneOf(rate, {10.0, 20.0, 30.0});
}
bool Standard2040(double rate) {
  return NearOneOf(rate, {20.0, 40.0});
}

// Any of the slots set and before the slot listed before it (an unset earlier slot is the largest).
bool OutOfOrder(const PenaltyRecord& r, std::initializer_list<int> slots) {
  const int* previous = nullptr;
  for (const int& slot : slots) {
    if (previous && IsDate(r.m_dates[slot]) && Before(r.m_dates[slot], r.m_dates[*previous])) return true;
    previous = &slot;
  }
  return false;
}

// Reduce (slot 8) and reinstate (slot 9) of the failure-to-pay penalties: 21 for a reinstate date
// without a reduce date, 6 when the reinstate date comes first, else 0.
int ReduceReinstateCode(const PenaltyRecord& r) {
  const DayNumber reduce = r.m_dates[8];
  const DayNumber reinstate = r.m_dates[9];
  if (IsDate(reinstate) && !IsDate(reduce)) return 21;
  if (IsDate(reinstate) && IsDate(reduce) && reinstate < reduce) return 6;
  return 0;
}

}  // namespace

int PenaltyValidationCode(const CTDoc& doc, int k) {
  const PenaltyRecord& r = doc.m_penalties[k];
  const DayNumber T = doc.TaxDate;
  const Amount N = NetAtTaxDate(doc);
  const Amount A0 = r.m_amounts[0];
  const Amount A1 = r.m_amounts[1];
  const Amount A2 = r.m_amounts[2];
  const DayNumber D0 = r.m_dates[0];
  const DayNumber D1 = r.m_dates[1];
  const DayNumber D2 = r.m_dates[2];
  const bool set0 = IsDate(D0);
  const bool set1 = IsDate(D1);
  const bool set2 = IsDate(D2);
  int code = 0;

  switch (k) {
    case kPenaltyFailureToFile:
      code = !set2 ? 3 : !set0 ? 20 : A0 > N ? 1 : 0;
      if (set1 && Before(D1, D0)) code = 8;
      if (Before(D0, T)) code = 2;
      return code;

    case kPenaltyFailureToPay: {
      code = Before(D0, T) ? 7 : A0 > N ? 1 : !set0 ? 20 : 0;
      if (OutOfOrder(r, {1, 2, 3, 4})) code = 6;
      const int dates = ReduceReinstateCode(r);
      return dates != 0 ? dates : code;
    }

    case kPenaltyFailureToPayAssessment: {
      code = Before(D0, T) ? 4 : !set0 ? 8 : 0;
      if (OutOfOrder(r, {0, 1, 2, 3})) code = 6;
      if (const int dates = ReduceReinstateCode(r)) code = dates;
      if (doc.TotalTax < A0 + A1 + A2 + r.m_amounts[3]) code = 15;
      return code;
    }

    case kPenalty6653a: {
      int first = 0;
      if (!Before(T, pd::k1_1_81) && Before(T, pd::k1_1_89)) {
        first = A1 > A0                       ? 9
                : A2 > MotivatedTaxTotal(doc) ? 10
                : set2 && Before(D1, D2)      ? 19
                : !set2 && set1               ? 17
                                              : 0;
      }
      code = A0 > N ? 1 : first;
      if (!set1 && YearOf(T) < 81) code = 8;
      if (set1 && Before(D1, T)) return 8;
      return code;
    }

    case kPenalty6653b: {
      int first = 0;
      if (Before(T, pd::k1_1_89)) {
        first = A1 > N || A1 > A0 || A1 < A2     ? 18
                : A2 > MotivatedTaxTotal(doc)    ? 10
                : set2 && set0 && Before(D2, D0) ? 11
                : set2 && Before(D1, D2)         ? 19
                                                 : 0;
        if (!set2 && set1) first = 17;
        if (set1 && Before(D1, D0)) first = 8;
      }
      code = A0 > N ? 1 : first;
      if (set1 && Before(D1, T)) code = 8;
      if (!Before(T, pd::k1_1_89) && Before(D0, T)) code = 2;
      return code;
    }

    case kPenalty6659:
    case kPenalty6660: {
      const int first = !Standard102030(r.m_rate) ? 12 : !set0 ? 20 : 0;
      code = A0 > N ? 1 : first;
      if (set1 && Before(D1, D0)) code = 8;
      if (Before(D0, T)) code = 2;
      return code;
    }

    case kPenalty6659A:
      return Before(D1, T) ? 8 : A0 > N ? 1 : !Standard102030(r.m_rate) ? 12 : 0;

    case kPenalty6661:
      code = A0 > N ? 1 : !set0 ? 20 : 0;
      if (Before(T, pd::k7_18_84) && !set1) code = 11;
      if (Before(D1, D0) && Before(T, pd::k10_21_86)) code = 11;
      if (Before(D0, T)) code = 2;
      return code;

    case kPenalty6662c:
    case kPenalty6662d:
    case kPenalty6663:
      code = A0 > N ? 1 : !set0 ? 20 : 0;
      if (Before(D0, T)) code = 2;
      return code;

    case kPenalty6662e:
    case kPenalty6662f:
    case kPenalty6662g:
      code = Before(D0, T) ? 2 : A0 > N ? 1 : !set0 ? 20 : 0;
      if (Before(T, pd::k1_1_90) && !Standard102030(r.m_rate)) code = 12;
      if (!Before(T, pd::k1_1_90) && !Standard2040(r.m_rate)) code = 13;
      return code;

    default:
      return 0;
  }
}

bool ValidatePenalty(CTDoc& doc, int k, bool show) {
  if (k < 0 || k >= kPenaltyRecords || !doc.m_penalties[k].IsActive()) return true;
  doc.RecomputeTaxTotals();
  const int code = PenaltyValidationCode(doc, k);
  if (code == 0) return true;
  if (show) {
    MessageBoxId(kFirstMessageId + code);
  } else {
    doc.m_penalties[k].SetFlag(PEN_ACTIVE, false);
  }
  return IsPenaltyCaution(code);
}

}  // namespace zarvic
