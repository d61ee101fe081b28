#include "core/UserInterface.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <utility>

#include "core/AppOptions.h"
#include "core/FileExtension.h"
#include "core/Paths.h"
#include "core/StringTable.h"
#include "core/Text.h"

namespace zarvic {
namespace {

UserInterface*& Installed() {
  static UserInterface* ui = nullptr;
  return ui;
}

Answer Fallback(MessageKind kind) {
  switch (kind) {
    case MessageKind::Ok:
    case MessageKind::OkCancel:
      return Answer::Ok;
    case MessageKind::YesNo:
      return Answer::No;
    case MessageKind::YesNoCancel:
      return Answer::Cancel;
  }
  return Answer::Ok;
}

thread_local const CTDoc* messageProblem = nullptr;

}  // namespace

const CTDoc* MessageProblem() {
  return messageProblem;
}

ProblemMessageScope::ProblemMessageScope(const CTDoc& problem) : previous_(messageProblem) {
  messageProblem = &problem;
}

ProblemMessageScope::~ProblemMessageScope() {
  messageProblem = previous_;
}

UserInterface& CurrentUi() {
  static StderrUserInterface fallback;
  return Installed() ? *Installed() : fallback;
}

UserInterface* SetCurrentUi(UserInterface* ui) {
  UserInterface* previous = Installed();
  Installed() = ui;
  return previous;
}

Answer MessageBoxText(const std::string& text, MessageKind kind) {
  // Enter must answer the box, not move to the next field.
  SpecialCRSuspension suspend;
  return CurrentUi().Show(text, kind);
}

std::optional<std::string> ChooseFileName(const FileChoice& choice) {
  SpecialCRSuspension suspend;
  std::optional<std::string> chosen = CurrentUi().ChooseFile(choice);
  if (chosen && chosen->empty()) chosen.reset();
  return chosen;
}

std::optional<std::string> ConfirmSaveName(
    const FileChoice& choice, const std::function<std::optional<std::string>(const std::string&)>& ask) {
  constexpr int kReplaceQuestionId = 21520;
  std::string initial = choice.initialPath;
  for (;;) {
    std::optional<std::string> typed = ask(initial);
    if (!typed || typed->empty()) return std::nullopt;
    std::string path = CompleteSaveName(*typed, choice.defaultExtension);
    if (!FileExists(path)) return path;
    const std::string question =
        StringPrintfDynamic(std::string(StringText(kReplaceQuestionId)).c_str(), FileNameOf(path).c_str());
    if (MessageBoxText(question, MessageKind::YesNo) == Answer::Yes) return path;
    initial = path;
  }
}

Answer MessageBoxId(int id, MessageKind kind) {
  return MessageBoxText(std::string(StringText(id)), kind);
}

CancelChoice AskSaveChanges(bool modified) {
  constexpr int kSaveChangesId = 20008;
  if (!modified) return CancelChoice::Discard;
  switch (MessageBoxId(kSaveChangesId, MessageKind::YesNoCancel)) {
    case Answer::Yes:
      return CancelChoice::Save;
    case Answer::No:
      return CancelChoice::Discard;
    default:
      return CancelChoice::Stay;
  }
}

Answer StderrUserInterface::Show(const std::string& text, MessageKind kind) {
  std::cerr << "Zarvic: " << EscapeForTerminal(text) << '\n';
  if (kind == MessageKind::Ok || !askOnTerminal_ || !isatty(STDIN_FILENO)) {
    Answer a = Fallback(kind);
    if (kind != MessageKind::Ok) {
      std::cerr << "  (answered "
                << (a == Answer::Ok   ? "OK"
                    : a == Answer::No ? "No"
                                      : "Cancel")
                << ": no terminal to ask)\n";
    }
    return a;
  }
  const char* prompt = kind == MessageKind::OkCancel ? "[o]k / [c]ancel? "
                       : kind == MessageKind::YesNo  ? "[y]es / [n]o? "
                                                     : "[y]es / [n]o / [c]ancel? ";
  for (;;) {
    std::cerr << prompt << std::flush;
    std::string line;
    if (!std::getline(std::cin, line)) return Fallback(kind);
    char c = line.empty() ? '\0' : static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
    if (kind == MessageKind::OkCancel) {
      if (c == 'o') return Answer::Ok;
      if (c == 'c') return Answer::Cancel;
    } else {
      if (c == 'y') return Answer::Yes;
      if (c == 'n') return Answer::No;
      if (c == 'c' && kind == MessageKind::YesNoCancel) return Answer::Cancel;
    }
  }
}

Answer RecordingUserInterface::Show(const std::string& text, MessageKind kind) {
  messages.push_back({text, kind, MessageProblem()});
  // What the person does while the box is up (another command of the same window, a toggle).
  if (whileShown) {
    auto act = std::exchange(whileShown, nullptr);
    act(messages.back());
  }
  if (!answers.empty()) {
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  if (defaultAnswer == Answer::Ok && (kind == MessageKind::YesNo || kind == MessageKind::YesNoCancel)) {
    return Answer::Yes;
  }
  if (defaultAnswer == Answer::Yes && (kind == MessageKind::Ok || kind == MessageKind::OkCancel)) {
    return Answer::Ok;
  }
  return defaultAnswer;
}

std::optional<std::string> RecordingUserInterface::ChooseFile(const FileChoice& choice) {
  fileRequests.push_back(choice);
  if (files.empty()) return std::nullopt;
  auto f = files.front();
  files.pop_front();
  return f;
}

std::vector<std::string> RecordingUserInterface::Texts() const {
  std::vector<std::string> out;
  for (const auto& m : messages) out.push_back(m.text);
  return out;
}

bool RecordingUserInterface::Saw(const std::string& text) const {
  return std::any_of(messages.begin(), messages.end(), [&](const Message& m) { return m.text == text; });
}

}  // namespace zarvic
