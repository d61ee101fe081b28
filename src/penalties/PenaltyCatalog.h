#pragma once

#include <span>
#include <string_view>

#include "core/Dates.h"

namespace zarvic {

// Fixed penalty indexes (k) used by every array of the penalties; allocation category 6 + k.
enum PenaltyIndex : int {
  kPenaltyRetiredFailureToFile = 0,
  kPenaltyFailureToPay = 1,            // 6651(a)(2), tax shown on return
  kPenaltyFailureToPayAssessment = 2,  // 6651(a)(3)
  kPenalty6653a = 3,                   // negligence, returns due before 1990
  kPenalty6653b = 4,                   // fraud, returns due before 1990
  kPenalty6659 = 7,
  kPenalty6659A = 8,
  kPenalty6660 = 9,
  kPenalty6661 = 10,
  kPenalty6662c = 11,
  kPenalty6662d = 12,
  kPenalty6662e = 13,
  kPenalty6662f = 14,
  kPenalty6662g = 15,
  kPenalty6663 = 16,
  kPenaltyHotInterest = 22,    // the 6621(c) switch, never a penalty
  kPenaltyFailureToFile = 23,  // 6651(a)(1)
};

// The input window of a penalty (the GUI's class of the same name).
enum class PenaltyWindowClass {
  None,
  C6651A1,
  C6651A2,
  C6651A3,
  C6653A0,
  C6653A1,
  C6653A8,
  C6653B82,
  C6653B,
  C6653B89,
  C6659,
  C6659A,
  C6660,
  C6661,
  C6662C,
  C6662D,
  C6662E,
  C6662F,
  C6662G,
  C6663,
  C6621c,
};

struct PenaltyInfo {
  std::string_view listName;        // as the Penalty Selection window lists it; empty: never listed
  std::string_view section;         // e.g. "6651(a)(2)"
  std::string_view detailTemplate;  // the penalty's detail report template
};

const PenaltyInfo& PenaltyInfoOf(int k);  // k = 0 to 23
// Summary text of penalty k (string 18800 + k).
inline int PenaltySummaryTextId(int k) {
  return 18800 + k;
}
std::string_view PenaltyWindowClassName(PenaltyWindowClass cls);  // "C6651A2", ...; "" for None

// The penalties the selection window offers for a tax date, in list order: 1990 on (year offset 90 or
// more) the section 6662 family, before that the older sections.
std::span<const int> PenaltySelectionList(DayNumber taxDate);

// The window EditPenalty opens for penalty k with the problem's tax date (6653(a) and 6653(b) have one
// window per era of returns).
PenaltyWindowClass PenaltyWindowFor(int k, DayNumber taxDate);

}  // namespace zarvic
