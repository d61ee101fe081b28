#pragma once

#include <string>

#include "problem/TextInput.h"
#include "shell/BatchOutcome.h"

namespace zarvic {

class CTDoc;

// The report file of a text input file: beside it, its extension replaced by ".rpt" ("CASE.TXT" and
// "CASE" both give "CASE.rpt").
std::string ReportPathForInput(const std::string& inputPath);

// The automatic run of batch data entry on a problem filled from inputPath: loads the problem's rate
// table (19203 when it cannot, the run going on without one), computes, and writes the chosen reports
// (those of the "REP" keywords, else Interest and Penalty Detail followed by Main Screen Events) with
// the file's headings and footer, each line ending in CR LF, whole, to the report file, in one report
// run. Without a compute date it computes to today. The computation's cautions are shown, one line
// each. When refusedLines is not 0, the report's first line says that lines of the input were refused.
// Failed when the report could not be made or written; an earlier report file is then left as it was.
BatchOutcome RunAutomatic(CTDoc& problem, const BatchEntrySettings& batch, const std::string& inputPath,
                          int refusedLines = 0);

// "-EX": reads the text input file, fills a new problem from it and runs it automatically. Failed,
// with the reason, when the file cannot be read; Incomplete when lines were refused. A file whose first
// keyword line is "ESTTAX" is an estimated tax input instead: it is computed with the rate table its
// "TAB" names (FEDERAL by default) and its "Estimated Tax Penalty" report written the same way; Failed,
// with nothing written, when it cannot be computed. One whose first keyword line is "DEPTAX" is a
// deposit penalty input: its "Deposit Penalty" report is written the same way; Failed, with each error
// named as "PATH:LINE: message" and nothing written, when any line cannot be taken.
BatchOutcome RunBatchDataEntry(const std::string& inputPath);
// The same for a file already read into reader (the windows start normally when it cannot be read).
BatchOutcome RunBatchDataEntry(TextLineReader& reader, const std::string& inputPath);

}  // namespace zarvic
