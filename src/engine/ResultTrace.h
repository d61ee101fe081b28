#pragma once

#include <ostream>

#include "engine/ComputeResults.h"

namespace zarvic {

// The trace dump of result nodes, a debugging aid: three lines per node with its links, dates, length,
// kind, mode, hot flag, and its amounts (in dollars), rates and factors.
void DumpComputeResults(std::ostream& out, const ComputeResults& node);
// Every node of a list, first to last.
void DumpResultList(std::ostream& out, const ComputeResultList& list);

}  // namespace zarvic
