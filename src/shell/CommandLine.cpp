#include "shell/CommandLine.h"

#include <ostream>

#include "core/Paths.h"
#include "core/Settings.h"
#include "core/Text.h"
#include "ratetables/BatchEdit.h"

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
    case StartAction::Help:
      return "--help";
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
    command.action = StartAction::OpenProblem;
    command.argument = text;
  }
  return command;
}

std::string CommandLineText(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& argument : arguments) {
    if (!text.empty()) text += ' ';
    bool quote = argument.find_first_of(" \t\r\n") != std::string::npos;
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
         "  PROBLEM-FILE      open a problem file (.ZR3)\n"
         "  -GATTDIAGNOSTIC   open a new problem with the GATT diagnostics shown\n"
         "  -TS FILE          run a test file with a temporary problem, then end\n"
         "  -EXPATH           batch data entry from the text input file PATH (no blank before it)\n"
         "  -TF LIST [ARGS]   run the test list LIST, then open a new problem\n"
         "  -C                batch mode: a new problem, with \"Batch Mode Edit...\" in the Options menu\n"
         "  -B FILE           batch-mode table edit: add the rate lines of the CSV file FILE to the\n"
         "                    tables in the program's folder, then end\n"
         "  -G FILE           batch table generation from the script FILE, then end\n"
         "  -XX               start without any problem window\n"
         "  --help, -h        show this help\n"
         "\n"
         "Options are tested in this order and matched by their beginning without regard to case\n"
         "(so -GATTX is -G). In this version only -B and --help work; the others say they are not\n"
         "available yet.\n"
         "\n"
         "Messages go to standard error. Questions (such as a duplicate line in -B) are asked on the\n"
         "terminal; without one they are answered No, so nothing is saved that nobody agreed to.\n"
         "\n"
         "Exit status: 0 when the job was done, 1 when it failed, 2 when the option is not available.\n";
}

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  StartCommand command = ParseCommandLine(CommandLineText(arguments));
  if (command.action == StartAction::Help) {
    out << HelpText();
    return kExitDone;
  }
  // Start-up as for every run of the program: legacy settings once, then the settings into the cache.
  MoveIniToRegistry();
  LoadSettings();
  switch (command.action) {
    case StartAction::BatchEdit:
      return BatchEditTables(command.argument, ProgramFolder()) ? kExitDone : kExitFailed;
    default:
      err << "wzrv: " << Describe(command.action) << " is not available yet"
          << (command.gattDiagnostic ? " (with -GATTDIAGNOSTIC)" : "") << "; see wzrv --help\n";
      return kExitUnavailable;
  }
}

}  // namespace zarvic
