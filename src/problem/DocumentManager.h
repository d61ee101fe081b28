#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "problem/CTDoc.h"
#include "problem/FileGuards.h"
#include "problem/RecoveryStore.h"

namespace zarvic {

inline constexpr char kProblemExtension[] = ".ZR3";
inline constexpr char kOldProblemExtension[] = ".ZR2";
inline constexpr char kUnsavedName[] = "*.ZR3";  // the remembered save name of a problem never saved
inline constexpr int kMaxOpenProblems = 10;
// The problem dialogs' filter list, in the order shown: "Zarvic", "Zarvic 2", "All Files".
inline constexpr char kProblemFileFilter[] =
    "Zarvic (*.ZR3)|*.ZR3|Zarvic 2 (*.ZR2)|*.ZR2|All Files (*.*)|*.*||";
inline constexpr char kInvalidSaveName[] = "Invalid file name\nZarvic files must have a ZR3 extension";

// One open problem and what its window knows of its file.
struct ProblemDocument {
  CTDoc problem;
  // Set by Save, Save As and the application's Open; empty for a new problem and for one opened in
  // place from its own window.
  std::string pathName;
  // Decides whether Save asks for a name: it asks while this is empty or "*.ZR3".
  std::string saveName;
  std::string title;  // "Untitled - N" for a new problem, else the file name

  // The file this problem was last read from or written to (also after an open in place, whose path
  // name stays empty), and what it was then: a second open of it shows this problem, and a save over
  // it first checks that no other program wrote it meanwhile.
  std::string diskPath;
  std::optional<FileStamp> diskStamp;
  ProblemFileLock lock;    // the advisory lock of diskPath while this problem has it
  std::string recoveryId;  // its recovery copy, while it has one
};

// The open problems of one program run and the commands on their files: New, both Opens, Save,
// Save As and the question on closing a changed problem. The windows call these; files are chosen
// through the user interface's ChooseFile and messages go through it too.
class DocumentManager {
 public:
  DocumentManager() = default;
  // A normal end closes every problem: their recovery copies go with them.
  ~DocumentManager();
  DocumentManager(const DocumentManager&) = delete;
  DocumentManager& operator=(const DocumentManager&) = delete;

  // At most ten problems are open: every command that would open an eleventh shows 20050 instead.
  // A file that is open already is not opened again: the commands return the problem that has it.

  // "&New": a new problem titled "Untitled - N" (N counts from 1 for the run and is never reused);
  // nullptr with message 20050 when it would make more than ten.
  ProblemDocument* NewDocument();

  // The application's "&Open...": asks for a file and opens it as a new problem; nullptr when
  // nothing was opened (20050 with ten open, 20049 for a name without ".ZR3" or ".ZR2", cancel, or a
  // file that could not be read, whose message has been shown).
  ProblemDocument* OpenDocument();
  // Opens a named file as a new problem (recent files, the command line, the shell); nullptr when it
  // cannot be read, with ten open, or when another program holds it and the person does not open it
  // all the same (21200).
  ProblemDocument* OpenDocumentFile(const std::string& path);
  // A problem window's "&Open...": a problem in use (changed, with a dated event, a taxpayer name or
  // ID) leaves the file to the application's Open; otherwise the file is read into this very problem,
  // which then has no path name, so that its next Save asks for one. Returns the document showing the
  // file, or nullptr (20047 for an extension other than ZR3 and ZR2, cancel, a failed read).
  ProblemDocument* OpenFromDocument(ProblemDocument& current);
  // The open problem that has the file at path (read from it or written to it last), or nullptr.
  ProblemDocument* FindOpen(const std::string& path) const;
  // With ten problems open: shows 20050 and returns true.
  bool RefuseEleventh() const;

  // "&Save" asks for a name only while the remembered one is empty or "*.ZR3"; "Save &As..." always.
  // Before writing over the file the problem came from, a file that another program changed since
  // asks first (21201); a file that another program holds asks too (21202). False when nothing was
  // written (cancel, an invalid name, No, a failed write, all reported).
  bool Save(ProblemDocument& doc) { return DoSave(doc, false); }
  bool SaveAs(ProblemDocument& doc) { return DoSave(doc, true); }

  // Closing a problem window: a changed problem asks to save first (Yes saves and closes only when the
  // save succeeds, No closes, Cancel keeps it). False when the problem stays open; a problem that is
  // being computed or reported stays open too (with a message).
  bool CloseDocument(ProblemDocument& doc);
  // Exit: the question for every changed problem; false as soon as one stays open.
  bool CloseAll();

  // Recovery copies: with a store set, WriteRecoveryCopies (every minute) writes a copy of each
  // problem with unsaved changes; saving, closing and discarding a problem remove its copy.
  void SetRecoveryStore(RecoveryStore* store) { recovery_ = store; }
  void WriteRecoveryCopies();
  // The copies a crashed run left, oldest first.
  std::vector<RecoveryCopy> RecoverableProblems() const;
  // Opens a copy as a new problem under its original file name and title, modified; the copy then
  // belongs to this problem. nullptr when it cannot be read (or with ten open); the copy stays.
  ProblemDocument* OpenRecovered(const RecoveryCopy& copy);
  void DiscardRecovered(const RecoveryCopy& copy);
  // At start-up: each copy a crashed run left is offered in turn with its problem's name, file,
  // taxpayer and time (21204): Yes opens it, No discards it, Cancel keeps it for the next start.
  // Returns the problems opened.
  std::vector<ProblemDocument*> OfferRecovery();

  const std::vector<std::unique_ptr<ProblemDocument>>& Documents() const { return documents_; }
  int OpenCount() const { return static_cast<int>(documents_.size()); }
  // Set while the application's Open reads a file (the grid skips its edit checks meanwhile).
  bool IsOpening() const { return opening_; }

  // The folder the problem dialogs start in; after a choice, the chosen file's folder.
  const std::string& ProblemFolder() const { return problemFolder_; }
  void SetProblemFolder(const std::string& folder) { problemFolder_ = folder; }

  // Told of every file opened or saved (the recent-file list).
  std::function<void(const std::string& path)> onRecentFile;
  // Told before a document is removed (its window closes first, while the document still exists).
  std::function<void(ProblemDocument& doc)> beforeRemove;

  // The problem file dialog: proposal "UNTITLED" (any case) becomes "*.ZR3"; a proposal without
  // folder starts in the problem folder. "SpecialCR" is off while it is up.
  std::optional<std::string> PromptProblemFileName(const std::string& proposal, bool open);
  // The name Save As proposes: the path name, else the title cut at its first blank, "#", "%", ";",
  // "/" or "\" and upper-cased; either with the extension ".ZR3".
  static std::string ProposedSaveName(const ProblemDocument& doc);

 private:
  bool DoSave(ProblemDocument& doc, bool askForName);
  void Remove(ProblemDocument& doc);
  void AddRecent(const std::string& path);
  // Takes the lock of path for doc; when another program holds it, asks whether to open it all the
  // same (true) or not.
  bool TakeLock(ProblemDocument& doc, const std::string& path);
  bool WriteRecoveryCopy(ProblemDocument& doc);
  void RemoveRecoveryCopy(ProblemDocument& doc);

  std::vector<std::unique_ptr<ProblemDocument>> documents_;
  int nextUntitled_ = 1;
  bool opening_ = false;
  std::string problemFolder_;
  RecoveryStore* recovery_ = nullptr;
  bool recoveryFailureShown_ = false;
};

}  // namespace zarvic
