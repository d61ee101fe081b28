#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zarvic {

class CTDoc;

enum class MessageKind { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// A request for a file name (open or save); the GUI shows a file dialog, the command line has none.
struct FileChoice {
  bool save = false;
  std::string title;
  std::string initialPath;
  std::string filter;            // e.g. "Rate Tables (*.TB3)"
  std::string defaultExtension;  // added to a typed name without one, e.g. "ZR3"; empty: none
};

// The one way the core talks to the person: messages, questions, the wait cursor and view refreshes.
// A message concerns the problem of the operation that shows it (MessageProblem()); a refresh names
// its problem (nullptr: every problem) and only asks for a repaint later.
class UserInterface {
 public:
  virtual ~UserInterface() = default;
  virtual Answer Show(const std::string& text, MessageKind kind) = 0;
  virtual std::optional<std::string> ChooseFile(const FileChoice& /*choice*/) { return std::nullopt; }
  virtual void SetWaitCursor(bool /*on*/) {}
  virtual void RefreshViews(const CTDoc* /*problem*/) {}
};

// The problem whose operation is running on this thread (the innermost ProblemMessageScope), so a
// window can put a message over the problem it concerns; nullptr outside any.
const CTDoc* MessageProblem();

class ProblemMessageScope {
 public:
  explicit ProblemMessageScope(const CTDoc& problem);
  ~ProblemMessageScope();
  ProblemMessageScope(const ProblemMessageScope&) = delete;
  ProblemMessageScope& operator=(const ProblemMessageScope&) = delete;

 private:
  const CTDoc* previous_;
};

// The interface in force; a StderrUserInterface until someone installs another.
UserInterface& CurrentUi();
// Installs ui (not owned); nullptr goes back to the default. Returns the previous one.
UserInterface* SetCurrentUi(UserInterface* ui);

// Show a message by string-table number or by text. "SpecialCR" is off while the box is up.
Answer MessageBoxId(int id, MessageKind kind = MessageKind::Ok);
Answer MessageBoxText(const std::string& text, MessageKind kind = MessageKind::Ok);
// Cancel of a window with changes: 20008 "Save Changes?" (nothing asked when there are none).
enum class CancelChoice { Discard, Save, Stay };
CancelChoice AskSaveChanges(bool modified);
// Asks for a file name with "SpecialCR" off while the dialog is up; nothing when cancelled or empty.
std::optional<std::string> ChooseFileName(const FileChoice& choice);

// A save dialog's loop: ask(initialPath) shows the dialog and returns the typed name (nothing when
// cancelled); the name is completed (CompleteSaveName) before anything is checked, and a file that
// exists under it is replaced only when the person says Yes to 21520; No shows the dialog again at that
// name. The dialog itself must not ask, since it sees the name without its extension.
std::optional<std::string> ConfirmSaveName(
    const FileChoice& choice, const std::function<std::optional<std::string>(const std::string&)>& ask);

// Command-line modes: messages go to standard error. Questions are asked on the terminal when standard
// input is one; otherwise they are answered without blocking: Ok/OkCancel -> Ok, YesNo -> No,
// YesNoCancel -> Cancel (so nothing is replaced or saved that nobody agreed to).
class StderrUserInterface : public UserInterface {
 public:
  explicit StderrUserInterface(bool askOnTerminal = true) : askOnTerminal_(askOnTerminal) {}
  Answer Show(const std::string& text, MessageKind kind) override;

 private:
  bool askOnTerminal_;
};

// Tests: records every message and answers from a queue (then with the default answer).
class RecordingUserInterface : public UserInterface {
 public:
  struct Message {
    std::string text;
    MessageKind kind;
    const CTDoc* problem = nullptr;  // MessageProblem() when it was shown
  };
  Answer Show(const std::string& text, MessageKind kind) override;
  std::optional<std::string> ChooseFile(const FileChoice& choice) override;
  void RefreshViews(const CTDoc* problem) override {
    ++refreshes;
    refreshed.push_back(problem);
  }

  std::vector<Message> messages;
  std::deque<Answer> answers;  // consumed first
  // Runs once, inside the next message, before it is answered.
  std::function<void(const Message&)> whileShown;
  Answer defaultAnswer = Answer::Ok;             // Ok/Yes, whichever the kind offers
  std::deque<std::optional<std::string>> files;  // answers to ChooseFile
  std::vector<FileChoice> fileRequests;
  int refreshes = 0;
  std::vector<const CTDoc*> refreshed;

  std::vector<std::string> Texts() const;
  bool Saw(const std::string& text) const;
};

// Installs a UserInterface for a scope.
class ScopedUserInterface {
 public:
  explicit ScopedUserInterface(UserInterface& ui) : previous_(SetCurrentUi(&ui)) {}
  ~ScopedUserInterface() { SetCurrentUi(previous_); }
  ScopedUserInterface(const ScopedUserInterface&) = delete;
  ScopedUserInterface& operator=(const ScopedUserInterface&) = delete;

 private:
  UserInterface* previous_;
};

}  // namespace zarvic
