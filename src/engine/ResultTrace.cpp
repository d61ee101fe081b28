#include "engine/ResultTrace.h"

#include <cstdint>
#include <string>

#include "core/Text.h"

namespace zarvic {
namespace {

// The low 32 bits of an address identify a node well enough in a trace.
unsigned Address(const void* p) {
  return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(p) & 0xFFFFFFFFu);
}

std::string KindName(int kind) {
  static const char* const kEventKinds[] = {"NORMALTAX  ", "MOT TAX    ", "PAYMENT    ", "DEPOSIT    ",
                                            "USR PEN    ", "STP INT    ", "RES INT    ", "DEBIT      ",
                                            "CREDIT     ", "IRS CHECK  ", "USR NMD PEN", "PEN TYPE   "};
  if (kind >= 0 && kind < 12) return kEventKinds[kind];
  if (kind == kKindRateChange) return "RATE CHANGE";
  if (kind == kKindMonthEnd) return "MON ACC BRK";
  if (kind == kKindFinal) return "FINAL FLAG ";
  return StringPrintf("<unk %2.2d>   ", kind);
}

std::string ModeName(int mode) {
  static const char* const kModes[] = {"OLDIRS  ", "SIMPLE  ", "DAILY   ", "MONTHLY ", "SUM FCTR"};
  if (mode >= 0 && mode < 5) return kModes[mode];
  return StringPrintf("<unk %2.2d>", mode);
}

}  // namespace

void DumpComputeResults(std::ostream& out, const ComputeResults& node) {
  out << StringPrintf(
      "ComputeResults (0X%8.8X)    Next: 0X%8.8X, Prev: 0X%8.8X    Start: %s, End: %s  "
      "(%2.2d yrs, %2.2d mos, %2.2d dys)\n",
      Address(&node), Address(node.m_next), Address(node.m_previous), FormatDate(node.m_start).c_str(),
      FormatDate(node.m_end).c_str(), node.m_years, node.m_months, node.m_days);
  out << StringPrintf("    Evt: %2.2d Type: %s Comp: %s Hot? %s\n", node.m_event,
                      KindName(node.m_kind).c_str(), ModeName(node.m_mode).c_str(),
                      node.m_hot ? "Yes" : "No");
  out << StringPrintf("    Norm Prin: %7.2f Int: %7.2f Rate: %4.2f Fact %7.5f Amt:  %7.2f Bal:  %7.2f\n",
                      node.m_normalPrincipal / 100, node.m_normalInterest / 100, node.m_normalRate,
                      node.m_normalFactor, node.m_amount / 100, node.m_balance / 100);
  out << StringPrintf("    GATT Prin: %7.2f Int: %7.2f Rate: %4.2f Fact %7.5f PWas: %7.2f IWas: %7.2f\n",
                      node.m_gattPrincipal / 100, node.m_gattInterest / 100, node.m_gattRate,
                      node.m_gattFactor, node.m_principalWas / 100, node.m_interestWas / 100);
}

void DumpResultList(std::ostream& out, const ComputeResultList& list) {
  for (const ComputeResults* node = list.First(); node; node = node->m_next) DumpComputeResults(out, *node);
}

}  // namespace zarvic
