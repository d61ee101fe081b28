#include "penalties/PenaltyCatalog.h"

#include <array>

#include "penalties/PenaltyRecord.h"

namespace zarvic {
namespace {

constexpr std::array<PenaltyInfo, kPenaltyRecords> kInfo = {{
    {"", "", ""},
    {"Failure to pay tax shown on return", "6651(a)(2)", "P6651A2.DM"},
    {"Failure to pay amount assessed", "6651(a)(3)", "P6651A3.DM"},
    {"Negligence", "6653(a)", "P6653A.DM"},
    {"Fraud", "6653(b)", "P6653B.DM"},
    {"", "", ""},
    {"", "", ""},
    {"Valuation overstatement--income tax", "6659", "P6659.DM"},
    {"Overstatement of pension liabilities", "6659A", "P6659A.DM"},
    {"Valuation understatement--estate/gift", "6660", "P6660.DM"},
    {"Substantial understatement of income tax", "6661", "P6661.DM"},
    {"Negligence", "6662(c)", "P6662C.DM"},
    {"Substantial understatement of income tax", "6662(d)", "P6662D.DM"},
    {"Valuation misstatement", "6662(e)", "P6662E.DM"},
    {"Overstatement of pension liabilities", "6662(f)", "P6662F.DM"},
    {"Valuation understatement -- estate/gift", "6662(g)", "P6662G.DM"},
    {"Fraud", "6663", "P6663.DM"},
    {"Failure to file return when due", "18681", "P18681.DM"},
    {"Failure to pay tax shown on return", "18684.2(a)(1)", "P18684A1.DM"},
    {"Failure to pay amount assessed", "18684.2(a)(2)", "P18684A2.DM"},
    {"Negligence", "18684", "P18684N.DM"},
    {"Fraud", "18684", "P18684F.DM"},
    {"Interest on large corporate underpayment", "6621(c)", "P6621C.DM"},
    {"Failure to file return when due", "6651(a)(1)", "P6651A1.DM"},
}};

constexpr std::array<int, 9> kList1990 = {23, 1, 2, 11, 12, 13, 14, 15, 16};
constexpr std::array<int, 9> kListBefore1990 = {23, 1, 2, 3, 4, 7, 8, 9, 10};

constexpr DayNumber kSeptember3_1982 = 10472;  // 9-3-82

}  // namespace

const PenaltyInfo& PenaltyInfoOf(int k) {
  static constexpr PenaltyInfo kNone{};
  return k >= 0 && k < kPenaltyRecords ? kInfo[k] : kNone;
}

std::string_view PenaltyWindowClassName(PenaltyWindowClass cls) {
  switch (cls) {
    case PenaltyWindowClass::None:
      return "";
    case PenaltyWindowClass::C6651A1:
      return "C6651A1";
    case PenaltyWindowClass::C6651A2:
      return "C6651A2";
    case PenaltyWindowClass::C6651A3:
      return "C6651A3";
    case PenaltyWindowClass::C6653A0:
      return "C6653A0";
    case PenaltyWindowClass::C6653A1:
      return "C6653A1";
    case PenaltyWindowClass::C6653A8:
      return "C6653A8";
    case PenaltyWindowClass::C6653B82:
      return "C6653B82";
    case PenaltyWindowClass::C6653B:
      return "C6653B";
    case PenaltyWindowClass::C6653B89:
      return "C6653B89";
    case PenaltyWindowClass::C6659:
      return "C6659";
    case PenaltyWindowClass::C6659A:
      return "C6659A";
    case PenaltyWindowClass::C6660:
      return "C6660";
    case PenaltyWindowClass::C6661:
      return "C6661";
    case PenaltyWindowClass::C6662C:
      return "C6662C";
    case PenaltyWindowClass::C6662D:
      return "C6662D";
    case PenaltyWindowClass::C6662E:
      return "C6662E";
    case PenaltyWindowClass::C6662F:
      return "C6662F";
    case PenaltyWindowClass::C6662G:
      return "C6662G";
    case PenaltyWindowClass::C6663:
      return "C6663";
    case PenaltyWindowClass::C6621c:
      return "C6621c";
  }
  return "";
}

std::span<const int> PenaltySelectionList(DayNumber taxDate) {
  if (YearOf(taxDate) >= 90) return kList1990;
  return kListBefore1990;
}

PenaltyWindowClass PenaltyWindowFor(int k, DayNumber taxDate) {
  const int year = YearOf(taxDate);
  switch (k) {
    case kPenaltyFailureToFile:
      return PenaltyWindowClass::C6651A1;
    case kPenaltyFailureToPay:
      return PenaltyWindowClass::C6651A2;
    case kPenaltyFailureToPayAssessment:
      return PenaltyWindowClass::C6651A3;
    case kPenalty6653a:
      if (year <= 80) return PenaltyWindowClass::C6653A0;
      if (year > 88) return PenaltyWindowClass::C6653A8;
      return PenaltyWindowClass::C6653A1;
    case kPenalty6653b:
      if (IsDate(taxDate) && taxDate < kSeptember3_1982) return PenaltyWindowClass::C6653B82;
      if (year > 88) return PenaltyWindowClass::C6653B89;
      return PenaltyWindowClass::C6653B;
    case kPenalty6659:
      return PenaltyWindowClass::C6659;
    case kPenalty6659A:
      return PenaltyWindowClass::C6659A;
    case kPenalty6660:
      return PenaltyWindowClass::C6660;
    case kPenalty6661:
      return PenaltyWindowClass::C6661;
    case kPenalty6662c:
      return PenaltyWindowClass::C6662C;
    case kPenalty6662d:
      return PenaltyWindowClass::C6662D;
    case kPenalty6662e:
      return PenaltyWindowClass::C6662E;
    case kPenalty6662f:
      return PenaltyWindowClass::C6662F;
    case kPenalty6662g:
      return PenaltyWindowClass::C6662G;
    case kPenalty6663:
      return PenaltyWindowClass::C6663;
    case kPenaltyHotInterest:
      return PenaltyWindowClass::C6621c;
    default:
      return PenaltyWindowClass::None;
  }
}

}  // namespace zarvic
