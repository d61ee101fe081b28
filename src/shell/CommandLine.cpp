#include "shell/CommandLine.h"

#include <memory>
#include <ostream>

#include "core/DiagnosticLog.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/Text.h"
#include "problem/CTDoc.h"
#include "problem/TextInput.h"
#include "ratetables/BatchEdit.h"
#include "shell/BatchDataEntry.h"
#include "shell/TableGenerator.h"
#include "shell/TestRunner.h"

namespace zarvic {
namespace {

struct OptionEntry {
  const char* prefix;
  StartAction action;
};

// In the order they are tested.
constexpr OptionEntry kOptions[] = {
    {"-TS", StartAction::TestFile}, {"-EX", StartAction::BatchDataEntry}, {"-TF", StartAction::TestList},
    {"-C", StartAction::BatchMode}, {"-B", StartAction::BatchEdit},       {"-G", StartAction::BatchGenerate},
    {"-XX", StartAction::NoWindow},
};

const char* Describe(StartAction action) {
  switch (action) {
    case StartAction::NewProblem:
      return "a new problem window";
    case StartAction::TestFile:
      return "-TS (run a test file)";
    case StartAction::BatchDataEntry:
      return "-EX (batch data entry)";
    case StartAction::TestList:
      return "-TF (run a test list)";
    case StartAction::BatchMode:
      return "-C (batch mode)";
    case StartAction::BatchEdit:
      return "-B (batch-mode table edit)";
    case StartAction::BatchGenerate:
      return "-G (batch table generation)";
    case StartAction::NoWindow:
      return "-XX (start without a problem window)";
    case StartAction::OpenProblem:
      return "opening a problem file";
    case StartAction::Unknown:
      return "an unknown option";
    case StartAction::Help:
      return "--help";
    case StartAction::Version:
      return "--version";
  }
  return "";
}

}  // namespace

StartCommand ParseCommandLine(std::string_view commandLine) {
  StartCommand command;
  std::string text = Trim(commandLine);
  if (EqualsNoCase(text, "-GATTDIAGNOSTIC")) {
    command.gattDiagnostic = true;
    return command;  // the rest of the start-up sees an empty command line
  }
  if (text == "--help" || text == "-h") {
    command.action = StartAction::Help;
    return command;
  }
  if (text == "--version") {
    command.action = StartAction::Version;
    return command;
  }
  for (const auto& option : kOptions) {
    if (StartsWithNoCase(text, option.prefix)) {
      command.action = option.action;
      std::string_view rest = std::string_view(text).substr(std::string_view(option.prefix).size());
      // "-EX" takes the path that follows it directly.
      command.argument = option.action == StartAction::BatchDataEntry ? std::string(rest) : Trim(rest);
      return command;
    }
  }
  if (!text.empty()) {
    // A mistyped option must not be taken for the name of a problem file.
    command.action = text.front() == '-' ? StartAction::Unknown : StartAction::OpenProblem;
    command.argument = text;
  }
  return command;
}

std::string CommandLineText(const std::vector<std::string>& arguments) {
  std::string text;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    // The option is read by its beginning ("-EX/my folder/CASE.TXT"), so the first argument stays bare.
    bool quote = i > 0 && argument.find_first_of(" \t\r\n") != std::string::npos;
    if (i > 0) text += ' ';
    text += quote ? "\"" + argument + "\"" : argument;
  }
  return text;
}

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> out;
  size_t i = 0;
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (i < text.size()) {
    while (i < text.size() && blank(text[i])) ++i;
    if (i >= text.size()) break;
    std::string argument;
    bool quoted = false;
    for (; i < text.size() && (quoted || !blank(text[i])); ++i) {
      if (text[i] == '"') {
        quoted = !quoted;
      } else {
        argument += text[i];
      }
    }
    out.push_back(std::move(argument));
  }
  return out;
}

std::string HelpText() {
  return "Usage: wzrv [OPTION | PROBLEM-FILE]\n"
         "Computes US federal tax interest and penalties. Without an argument, opens a new problem.\n"
         "\n"
         "  PROBLEM-FILE      open a problem file (.ZR3) in the window\n"
         "  -GATTDIAGNOSTIC   open a new problem with the GATT diagnostics shown\n"
         "  -EXPATH           batch data entry: fill a problem from the text input file PATH, compute\n"
         "                    it and write its reports to PATH with the extension .rpt, then end\n"
         "                    (-EX PATH works too); a file whose first line is ESTTAX gets its\n"
         "                    estimated tax penalty report, one whose first line is DEPTAX its\n"
         "                    deposit penalty report\n"
         "  -TS [FOLDER]      compute every .ZR2, then every .ZR3 file of FOLDER (default: the current\n"
         "                    folder) and write each one's balance due in cents to NAME.TS, then end\n"
         "  -TF LIST          write the Interest and Penalty Detail report of each problem file LIST\n"
         "                    names (a line: PROBLEM [OUTPUT], default OUTPUT PROBLEM.TXT; \";\" starts\n"
         "                    a comment), then open a new problem (without the window: end)\n"
         "  -C                batch mode: a new problem, with \"Batch Mode Edit...\" in the Options menu\n"
         "  -B FILE           batch-mode table edit: add the rate lines of the CSV file FILE to the\n"
         "                    tables in the program's folder, then end\n"
         "  -G FILE           batch table generation: write the tables the KEY=VALUE script FILE\n"
         "                    describes, each with a .TXT listing beside it, then end\n"
         "  -XX               start without any problem window\n"
         "  --help, -h        show this help\n"
         "  --version         show the version\n"
         "\n"
         "Options are tested in this order and matched by their beginning without regard to case\n"
         "(so -GATTX is -G); any other text starting with \"-\" is refused. -EX, -TS, -TF's list, -B,\n"
         "-G and --help need no display; the others open the window. When -EX cannot read its file\n"
         "the window starts with a new problem.\n"
         "\n"
         "Messages go to standard error. Questions (a duplicate line in -B, a table that exists in -G)\n"
         "are asked on the terminal; without one they are answered No, so nothing is replaced or saved\n"
         "that nobody agreed to.\n"
         "\n"
         "Exit status: 0 when the job was done; 1 when it could not be done or some output was not\n"
         "written (or the window was needed and there is no display); 2 for an unknown option; 3 when\n"
         "the output was written but some input was refused or skipped (the messages say which).\n";
}

namespace {

int ExitStatus(BatchOutcome outcome) {
  switch (outcome) {
    case BatchOutcome::Done:
      return kExitDone;
    case BatchOutcome::Incomplete:
      return kExitIncomplete;
    case BatchOutcome::Failed:
      return kExitFailed;
  }
  return kExitFailed;
}

// A path as given after an option: blanks around it and one pair of double quotes dropped.
std::string PathArgument(const std::string& text) {
  std::string path = Trim(text);
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  return path;
}

// The windows for plan, when there is a display to show them on; otherwise the reason on err.
int StartWindows(const WindowStarter& startWindows, const WindowPlan& plan, const char* what, std::ostream& err) {
  if (!startWindows || !DisplayAvailable()) {
    err << "wzrv: " << what << " needs the window, and there is no display (DISPLAY, WAYLAND_DISPLAY or "
        << "QT_QPA_PLATFORM)\n";
    return kExitFailed;
  }
  return startWindows(plan);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const WindowStarter& startWindows) {
  StartCommand command = ParseCommandLine(CommandLineText(arguments));
  switch (command.action) {
    case StartAction::Help:
      out << HelpText();
      return kExitDone;
    case StartAction::Version:
      out << "Zarvic " << ZARVIC_VERSION << "\n";
      return kExitDone;
    case StartAction::Unknown:
      err << "wzrv: unknown option " << command.argument << " (see wzrv --help)\n";
      return kExitUnavailable;
    // The windows run the start-up of the settings themselves.
    case StartAction::NewProblem:
    case StartAction::BatchMode:
    case StartAction::NoWindow:
    case StartAction::OpenProblem: {
      WindowPlan plan;
      plan.gattDiagnostic = command.gattDiagnostic;
      plan.batchMode = command.action == StartAction::BatchMode;
      if (command.action == StartAction::NoWindow) plan.start = WindowStart::NoProblem;
      if (command.action == StartAction::OpenProblem) {
        plan.start = WindowStart::OpenProblem;
        plan.problemFile = command.argument;
      }
      return StartWindows(startWindows, plan, Describe(command.action), err);
    }
    default:
      break;
  }
  // Start-up as for every run of the program: legacy settings once, then the settings into the cache.
  MoveIniToRegistry();
  LoadSettings();
  StartRunDiagnostics(Describe(command.action));
  switch (command.action) {
    case StartAction::BatchDataEntry: {
      // The path follows the option directly; "-EX PATH" is taken too, as nobody names a file " x".
      std::string path = command.argument;
      if (!path.empty() && (path.front() == ' ' || path.front() == '"')) path = PathArgument(path);
      if (path.empty()) {
        err << "wzrv: -EX needs the path of a text input file right after it (see wzrv --help)\n";
        return kExitFailed;
      }
      TextLineReader reader;
      if (!reader.Open(path)) {
        // With a display the program starts normally; without one the unattended run has failed.
        if (startWindows && DisplayAvailable()) return startWindows(WindowPlan{});
        return ExitStatus(RunBatchDataEntry(path));
      }
      return ExitStatus(RunBatchDataEntry(reader, path));
    }
    case StartAction::TestFile: {
      auto problem = std::make_unique<CTDoc>();
      std::string folder = PathArgument(command.argument);
      return ExitStatus(RunTestFolder(*problem, folder.empty() ? "." : folder, err));
    }
    case StartAction::TestList: {
      int status = ExitStatus(TestList(command.argument));
      // The list is done; a new problem follows when there is a window for it.
      if (startWindows && DisplayAvailable()) return startWindows(WindowPlan{});
      return status;
    }
    case StartAction::BatchEdit:
      return BatchEditTables(command.argument, UserTableFolder(), ProgramFolder()) ? kExitDone : kExitFailed;
    case StartAction::BatchGenerate:
      return GenerateTables(command.argument,
                            [](CTDoc& problem, const std::string& path) {
                              return TesListWriteReport(problem, ListReport::InterestRateTable, path);
                            })
                 ? kExitDone
                 : kExitFailed;
    default:
      return kExitFailed;
  }
}

}  // namespace zarvic
