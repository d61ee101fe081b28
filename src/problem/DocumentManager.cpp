#include "problem/DocumentManager.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/Amounts.h"
#include "core/AppOptions.h"
#include "core/FileExtension.h"
#include "core/Paths.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "core/UserInterface.h"
#include "problem/ProblemFile.h"

namespace zarvic {
namespace {

constexpr int kNotZarvicInPlaceId = 20047;
constexpr int kNotZarvicId = 20049;
constexpr int kTooManyDocumentsId = 20050;
constexpr int kSaveOverShortenedId = 21163;

// Whether the file name (not its folder) contains extension, without regard to case.
bool NameContainsNoCase(const std::string& path, std::string_view extension) {
  return ToUpper(FileNameOf(path)).find(ToUpper(extension)) != std::string::npos;
}

bool HasNoExtension(const std::string& path) {
  return FileNameOf(path).find('.') == std::string::npos;
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

// Saving a problem over the file it was read from when that file held events the problem could not:
// they would be gone for good. Yes saves.
bool ConfirmSaveOverShortened(const CTDoc& problem, const std::string& path) {
  std::string text = StringPrintfDynamic(
      std::string(StringText(kSaveOverShortenedId)).c_str(), EscapeForMessage(path).c_str(),
      FormatCount(problem.m_fileEvents).c_str(), FormatCount(problem.m_eventsLeftOut).c_str());
  return MessageBoxText(text, MessageKind::YesNo) == Answer::Yes;
}

bool InUse(const CTDoc& problem) {
  return problem.IsModified() || !problem.m_header.m_taxpayerName.Empty() ||
         !problem.m_header.m_taxpayerId.Empty() ||
         std::any_of(problem.m_events.begin(), problem.m_events.end(),
                     [](const CEvent& e) { return e.HasDate(); });
}

}  // namespace

ProblemDocument* DocumentManager::NewDocument() {
  if (OpenCount() + 1 > kMaxOpenProblems) {
    MessageBoxId(kTooManyDocumentsId);
    return nullptr;
  }
  auto doc = std::make_unique<ProblemDocument>();
  doc->problem.ResetProblem();
  doc->title = StringPrintf("Untitled - %d", nextUntitled_++);
  doc->saveName = kUnsavedName;
  documents_.push_back(std::move(doc));
  return documents_.back().get();
}

ProblemDocument* DocumentManager::OpenDocument() {
  if (OpenCount() > kMaxOpenProblems) {
    MessageBoxId(kTooManyDocumentsId);
    return nullptr;
  }
  std::optional<std::string> chosen = PromptProblemFileName("", true);
  if (!chosen) return nullptr;
  std::string name = *chosen;
  if (HasNoExtension(name)) name += kProblemExtension;
  if (!NameContainsNoCase(name, kProblemExtension) && !NameContainsNoCase(name, kOldProblemExtension)) {
    MessageBoxId(kNotZarvicId);
    return nullptr;
  }
  return OpenDocumentFile(name);
}

ProblemDocument* DocumentManager::OpenDocumentFile(const std::string& path) {
  bool saved = std::exchange(opening_, true);
  auto doc = std::make_unique<ProblemDocument>();
  bool read = LoadProblemFile(doc->problem, path, true);
  opening_ = saved;
  if (!read) return nullptr;  // the window is not created; the messages have been shown
  doc->pathName = path;
  doc->saveName = path;
  doc->title = FileNameOf(path);
  documents_.push_back(std::move(doc));
  AddRecent(path);
  return documents_.back().get();
}

ProblemDocument* DocumentManager::OpenFromDocument(ProblemDocument& current) {
  if (OpenCount() > kMaxOpenProblems) {
    MessageBoxId(kTooManyDocumentsId);
    return nullptr;
  }
  if (InUse(current.problem)) return OpenDocument();

  std::optional<std::string> chosen = PromptProblemFileName("", true);
  if (!chosen) return nullptr;
  std::string name = *chosen;
  current.problem.ResetProblem();
  if (HasNoExtension(name)) name += kProblemExtension;
  if (!HasExtensionNoCase(name, kProblemExtension) && !HasExtensionNoCase(name, kOldProblemExtension)) {
    MessageBoxId(kNotZarvicInPlaceId);
    return nullptr;
  }
  bool read = LoadProblemFile(current.problem, name, true);
  CurrentUi().RefreshViews(&current.problem);
  if (!read) return nullptr;
  AddRecent(name);
  current.title = FileNameOf(name);
  // Not the file's problem until it is saved under a name: the next Save asks for one rather than
  // writing over whatever this window saved before.
  current.pathName.clear();
  current.saveName = kUnsavedName;
  return &current;
}

std::string DocumentManager::ProposedSaveName(const ProblemDocument& doc) {
  std::string proposal = doc.pathName;
  if (proposal.empty()) {
    proposal = doc.title.substr(0, doc.title.find_first_of(" #%;/\\"));
    SetExtension(proposal, kProblemExtension);
    return ToUpper(proposal);
  }
  // Paths are case-sensitive here: only the extension changes case.
  SetExtension(proposal, kProblemExtension);
  return proposal;
}

std::optional<std::string> DocumentManager::PromptProblemFileName(const std::string& proposal, bool open) {
  std::string name = EqualsNoCase(proposal, "UNTITLED") ? std::string(kUnsavedName) : proposal;
  FileChoice choice;
  choice.save = !open;
  choice.title = open ? "Open" : "Save As";
  choice.initialPath = FolderOf(name).empty() ? JoinPath(problemFolder_, name) : name;
  choice.filter = kProblemFileFilter;
  choice.defaultExtension = "ZR3";
  std::optional<std::string> chosen = ChooseFileName(choice);
  if (!chosen) return std::nullopt;
  problemFolder_ = FolderOf(*chosen);
  return chosen;
}

bool DocumentManager::DoSave(ProblemDocument& doc, bool askForName) {
  std::string name = doc.saveName;
  if (askForName || name.empty() || name == kUnsavedName) {
    std::optional<std::string> chosen = PromptProblemFileName(ProposedSaveName(doc), false);
    if (!chosen) return false;
    if (!NameContainsNoCase(*chosen, kProblemExtension)) {
      MessageBoxText(kInvalidSaveName);
      return false;
    }
    name = *chosen;
  }
  SetExtension(name, kProblemExtension);
  name = WithExistingExtensionCase(name);

  // Another problem open on this file is closed once its file has been replaced; a failed save closes
  // nothing.
  ProblemDocument* other = nullptr;
  for (const auto& open : documents_) {
    if (open.get() != &doc && !open->pathName.empty() && SameFile(open->pathName, name)) other = open.get();
  }
  // That problem could not be closed under a run of its own that is under way.
  if (other && other->problem.IsBusy()) return RefuseBusyProblem();
  const bool overShortened = doc.problem.m_eventsLeftOut > 0 && SameFile(doc.problem.m_leftOutFile, name);
  if (overShortened && !ConfirmSaveOverShortened(doc.problem, name)) return false;
  if (!SaveProblemFile(doc.problem, name)) return false;
  if (overShortened) {
    doc.problem.m_eventsLeftOut = 0;
    doc.problem.m_leftOutFile.clear();
  }
  if (other) Remove(*other);

  doc.pathName = name;
  doc.title = FileNameOf(name);
  doc.saveName = name;
  AddRecent(name);
  return true;
}

bool DocumentManager::CloseDocument(ProblemDocument& doc) {
  if (doc.problem.IsBusy()) return RefuseBusyProblem();
  if (doc.problem.IsModified()) {
    const std::string& name = !doc.pathName.empty() ? doc.pathName
                              : !doc.title.empty()  ? doc.title
                                                    : "Untitled";
    Answer answer = MessageBoxText(StringPrintf("Save changes to %s?", EscapeForMessage(name).c_str()),
                                   MessageKind::YesNoCancel);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::Yes && !DoSave(doc, false)) return false;
  }
  Remove(doc);
  return true;
}

bool DocumentManager::CloseAll() {
  while (!documents_.empty()) {
    if (!CloseDocument(*documents_.front())) return false;
  }
  return true;
}

void DocumentManager::Remove(ProblemDocument& doc) {
  if (beforeRemove) beforeRemove(doc);
  std::erase_if(documents_, [&](const std::unique_ptr<ProblemDocument>& open) { return open.get() == &doc; });
}

void DocumentManager::AddRecent(const std::string& path) {
  if (onRecentFile) onRecentFile(path);
}

}  // namespace zarvic
