#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "core/Amounts.h"
#include "shell/BatchOutcome.h"

namespace zarvic {

class AtomicFileBatch;
class CTDoc;

// The regression modes: "-TS" computes every problem file of a folder and writes each one's balance
// due beside it; "-TF" writes the Interest and Penalty Detail report of every problem a list names.

// The problem files of folder: the names matching "*.ZR2", then those matching "*.ZR3" (extensions
// compared without case), each group in name order. Entries that are not regular files are left out.
std::vector<std::string> TestFolderFiles(const std::string& folder);

// The balance due of the problem's last computation, cents: the charges (every listed event that is
// not a payment, deposit or credit), the amounts of the active penalties and the five interest totals,
// less the payments, deposits and credits.
Amount BalanceDue(const CTDoc& problem);

// The "-TS" run over the problem files of folder with one temporary problem: for each file that reads,
// has a compute date and computes completely to a balance due that is a number, NAME.TS receives the
// balance written with "%lf". Ends with message 18013. Every other file gets no result file, and a
// NAME.TS of an earlier run is removed; each is named on err. Files that do not read or have no compute
// date make the run Incomplete; a problem that cannot be computed (its rate table cannot be found, the
// engine refuses it, the balance is not a number), a result file that cannot be written and an earlier
// result that cannot be removed fail it. The folder is listed once and each rate table read once per
// run, whatever the number of problems.
BatchOutcome RunTestFolder(CTDoc& problem, const std::string& folder, std::ostream& err);

// One line of a test list: the problem file, and the output path (the problem path with the extension
// ".TXT" when the line gives none). Lines whose first argument starts with ";" are comments.
struct TestListEntry {
  bool comment = false;  // also an empty line
  std::string problemPath;
  std::string outputPath;
};
TestListEntry ParseTestListLine(std::string_view line);

// The "-TF" run over the list file named by the first of arguments. The cautions of each problem's
// computation are shown as "-EX" shows them, one line each. The reports replace their files together
// at the end of the run, after one sync of the disk.
BatchOutcome TestList(const std::string& arguments);

// Writes the report of problem as text to outputPath, every line preceded by one blank and followed
// by CR LF: the Interest and Penalty Detail for the test list, or the Interest Rate Table of the
// problem's table (the table generator's listing). False, after a message that says why, when the
// report or the file could not be made.
enum class ListReport { InterestAndPenaltyDetail, InterestRateTable };
// An existing file at outputPath that is not such a report (IsListReport) is never replaced: false
// after a message naming it. With reports the file is added to that batch, to be put in place by its
// Commit (a run of many reports syncs the disk once), instead of being written at once.
bool TesListWriteReport(CTDoc& problem, ListReport report, const std::string& outputPath,
                        AtomicFileBatch* reports = nullptr);

// Whether bytes are a report file as TesListWriteReport writes them.
bool IsListReport(std::string_view bytes);

// " (PATH: system error text)" to follow a message that gives only the error number.
std::string FileErrorText(const std::string& path, int error);

}  // namespace zarvic
