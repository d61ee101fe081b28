#pragma once

#include <string>
#include <string_view>

namespace zarvic {

// The in-house diagnostic log, kept only while the "AtKBN" setting is on: a plain text file that
// grows by the lines the program writes to it (the start of each run, the result nodes of each
// computation of the results window). Nothing else is logged.
inline constexpr char kDiagnosticLogName[] = "Zarvic.log";

// Starts the log when "AtKBN" is on: a bare name goes into the program's data folder (made when
// missing), a path is used as it is; append keeps what earlier runs wrote, else the file starts empty.
// False when "AtKBN" is off, or after the message naming the file and the system's reason when it
// cannot be opened (diagnostics then stay off). A log already started is closed first.
bool DiagnosticLog(const std::string& name, bool append);
bool DiagnosticLogActive();
// The path of the log started last ("" when none).
std::string DiagnosticLogPath();
// Appends text as it is and flushes it, so that a crash loses nothing; nothing without a log.
void WriteDiagnostic(std::string_view text);
void CloseDiagnosticLog();

// The start of a run of the program: with "AtKBN" on, starts kDiagnosticLogName for appending and
// writes the run's first line (version, date and time, and what the run does).
void StartRunDiagnostics(std::string_view run);

}  // namespace zarvic
