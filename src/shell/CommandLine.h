#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "shell/StartUp.h"

namespace zarvic {

// What the program does at start-up, from the text after the program name.
enum class StartAction {
  NewProblem,      // empty command line (also after "-GATTDIAGNOSTIC")
  TestFile,        // "-TS" file
  BatchDataEntry,  // "-EX" path
  TestList,        // "-TF" arguments
  BatchMode,       // "-C"
  BatchEdit,       // "-B" file
  BatchGenerate,   // "-G" file
  NoWindow,        // "-XX"
  OpenProblem,     // any other text: a problem file
  Unknown,         // text starting with "-" that is none of the options: refused, never opened as a file
  Help,            // "--help" or "-h"
  Version,         // "--version"
};

struct StartCommand {
  StartAction action = StartAction::NewProblem;
  std::string argument;         // the text after the option (trimmed), or the problem file
  bool gattDiagnostic = false;  // "-GATTDIAGNOSTIC"
};

// Options are tested in the order of StartAction above, "-GATTDIAGNOSTIC" first and as the whole text;
// the others as prefixes without regard to case (so "-GATTX" is "-G" with "ATTX").
StartCommand ParseCommandLine(std::string_view commandLine);

// The command line as one text, as the option table reads it: arguments joined by blanks, an argument
// after the first with blanks in double quotes (the first is the option, read by its beginning).
std::string CommandLineText(const std::vector<std::string>& arguments);

// Arguments of "-TF": split at blanks, tabs and line breaks; double quotes keep blanks together.
std::vector<std::string> SplitArguments(std::string_view text);

std::string HelpText();

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;       // the job was started and failed (messages say why)
inline constexpr int kExitUnavailable = 2;  // an unknown option
inline constexpr int kExitIncomplete = 3;   // the output was written, some input was refused

// Runs the command line of the program (arguments after the program name) and returns the exit status.
// Help goes to out, the reason of a failure to err or through the UserInterface. The unattended options
// run here; what needs the windows goes to startWindows, and only when a display is available (without
// one, or without startWindows, the reason goes to err and the status is kExitFailed; "-TF" then ends
// with the status of its list and "-EX" with an unreadable file fails as the unattended run it was).
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const WindowStarter& startWindows = {});

}  // namespace zarvic
