#include "problem/DocumentManager.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
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
constexpr int kHeldElsewhereOpenId = 21200;
constexpr int kChangedOnDiskId = 21201;
constexpr int kHeldElsewhereSaveId = 21202;
constexpr int kRecoveryNotWrittenId = 21203;
constexpr int kRecoveryOfferId = 21204;
constexpr int kNeverSavedId = 21205;


std::string AbsolutePath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

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

DocumentManager::~DocumentManager() {
  for (const auto& open : documents_) RemoveRecoveryCopy(*open);
}

bool DocumentManager::RefuseEleventh() const {
  if (OpenCount() < kMaxOpenProblems) return false;
  MessageBoxId(kTooManyDocumentsId);
  return true;
}

ProblemDocument* DocumentManager::FindOpen(const std::string& path) const {
  const std::string absolute = AbsolutePath(path);
  for (const auto& open : documents_) {
    if (!open->diskPath.empty() && SameFile(open->diskPath, absolute)) return open.get();
  }
  return nullptr;
}

bool DocumentManager::TakeLock(ProblemDocument& doc, const std::string& path) {
  if (doc.lock.Acquire(path)) return true;
  std::optional<LockHolder> holder = ProblemFileLock::HolderOf(path);
  if (!holder) {  // let go of just now
    doc.lock.Acquire(path);
    return true;
  }
  return MessageBoxText(FormatStringText(kHeldElsewhereOpenId, path.c_str(), holder->pid, holder->host.c_str()),
                        MessageKind::YesNo) == Answer::Yes;
}

ProblemDocument* DocumentManager::OpenDocument() {
  if (RefuseEleventh()) return nullptr;
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

ProblemDocument* DocumentManager::OpenDocumentFile(const std::string& given) {
  const std::string path = AbsolutePath(given);
  if (ProblemDocument* open = FindOpen(path)) return open;
  if (RefuseEleventh()) return nullptr;
  auto doc = std::make_unique<ProblemDocument>();
  if (!TakeLock(*doc, path)) return nullptr;
  // Taken before the read: a save that lands while the file is read is noticed at the next save.
  doc->diskStamp = StampOf(path);
  bool saved = std::exchange(opening_, true);
  bool read = LoadProblemFile(doc->problem, path, true);
  opening_ = saved;
  if (!read) return nullptr;  // the window is not created; the messages have been shown
  doc->diskPath = path;
  doc->pathName = path;
  doc->saveName = path;
  doc->title = FileNameOf(path);
  documents_.push_back(std::move(doc));
  AddRecent(path);
  return documents_.back().get();
}

ProblemDocument* DocumentManager::OpenFromDocument(ProblemDocument& current) {
  // An open in place adds no problem; one in a new window is refused there with ten open.
  if (InUse(current.problem)) return OpenDocument();

  std::optional<std::string> chosen = PromptProblemFileName("", true);
  if (!chosen) return nullptr;
  std::string name = AbsolutePath(*chosen);
  if (HasNoExtension(name)) name += kProblemExtension;
  if (ProblemDocument* open = FindOpen(name)) return open;
  // The reset problem is no longer the one of any file it came from.
  current.problem.ResetProblem();
  current.lock.Release();
  current.diskPath.clear();
  current.diskStamp.reset();
  if (!HasExtensionNoCase(name, kProblemExtension) && !HasExtensionNoCase(name, kOldProblemExtension)) {
    MessageBoxId(kNotZarvicInPlaceId);
    return nullptr;
  }
  if (!TakeLock(current, name)) return nullptr;
  const std::optional<FileStamp> stamp = StampOf(name);
  bool read = LoadProblemFile(current.problem, name, true);
  CurrentUi().RefreshViews(&current.problem);
  if (!read) {
    current.lock.Release();
    return nullptr;
  }
  current.diskPath = name;
  current.diskStamp = stamp;
  RemoveRecoveryCopy(current);
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
  name = WithExistingExtensionCase(AbsolutePath(name));

  std::optional<FileStamp> onDisk = StampOf(name);
  if (onDisk && !doc.diskPath.empty() && SameFile(doc.diskPath, name)) {
    // Another program saved over the file since this problem read or wrote it.
    if (doc.diskStamp && *onDisk != *doc.diskStamp &&
        MessageBoxText(FormatStringText(kChangedOnDiskId, name.c_str()), MessageKind::YesNo) != Answer::Yes) {
      return false;
    }
  } else if (std::optional<LockHolder> holder = ProblemFileLock::HolderOf(name)) {
    if (MessageBoxText(FormatStringText(kHeldElsewhereSaveId, name.c_str(), holder->pid, holder->host.c_str()),
                       MessageKind::YesNo) != Answer::Yes) {
      return false;
    }
  }

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

  if (doc.diskPath.empty() || !SameFile(doc.diskPath, name)) doc.lock.Acquire(name);
  doc.diskPath = name;
  doc.diskStamp = StampOf(name);
  RemoveRecoveryCopy(doc);
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
  RemoveRecoveryCopy(doc);
  std::erase_if(documents_, [&](const std::unique_ptr<ProblemDocument>& open) { return open.get() == &doc; });
}

void DocumentManager::AddRecent(const std::string& path) {
  if (onRecentFile) onRecentFile(path);
}

void DocumentManager::RemoveRecoveryCopy(ProblemDocument& doc) {
  if (recovery_ != nullptr) recovery_->Remove(doc.recoveryId);
  doc.recoveryId.clear();
}

void DocumentManager::WriteRecoveryCopies() {
  if (recovery_ == nullptr) return;
  for (const auto& open : documents_) {
    ProblemDocument& doc = *open;
    if (!doc.problem.IsModified()) {
      RemoveRecoveryCopy(doc);
      continue;
    }
    // A run or a file operation under way holds the problem in between states; the next turn copies it.
    if (doc.problem.IsBusy() || doc.problem.m_loading || doc.problem.m_saving) continue;
    WriteRecoveryCopy(doc);
  }
}

bool DocumentManager::WriteRecoveryCopy(ProblemDocument& doc) {
  if (doc.recoveryId.empty()) doc.recoveryId = recovery_->NewId();
  RecoveryCopy copy;
  copy.id = doc.recoveryId;
  copy.originalPath = doc.diskPath;
  copy.title = doc.title;
  copy.taxpayer = Windows1252ToUtf8(doc.problem.m_header.m_taxpayerName.Text());
  copy.stamp = doc.diskStamp;
  int error = 0;
  if (recovery_->Write(copy, doc.problem, &error)) return true;
  // Said once a run: the copies are a safety net, and a message every minute would be a nuisance.
  if (!recoveryFailureShown_) {
    recoveryFailureShown_ = true;
    MessageBoxText(FormatStringText(kRecoveryNotWrittenId, recovery_->Folder().c_str(), std::strerror(error)));
  }
  return false;
}

std::vector<RecoveryCopy> DocumentManager::RecoverableProblems() const {
  return recovery_ != nullptr ? recovery_->Orphans() : std::vector<RecoveryCopy>{};
}

ProblemDocument* DocumentManager::OpenRecovered(const RecoveryCopy& copy) {
  if (recovery_ == nullptr || RefuseEleventh()) return nullptr;
  auto doc = std::make_unique<ProblemDocument>();
  if (!recovery_->Read(copy, doc->problem)) return nullptr;
  doc->title = copy.title.empty() ? FileNameOf(copy.originalPath) : copy.title;
  // A restored "Untitled - N" keeps its number to itself.
  int number = 0;
  if (std::sscanf(doc->title.c_str(), "Untitled - %d", &number) == 1 && number >= nextUntitled_) {
    nextUntitled_ = number + 1;
  }
  doc->pathName = copy.originalPath;
  doc->saveName = copy.originalPath.empty() ? std::string(kUnsavedName) : copy.originalPath;
  if (!copy.originalPath.empty()) {
    doc->diskPath = copy.originalPath;
    doc->diskStamp = copy.stamp;
    TakeLock(*doc, copy.originalPath);  // told when another program holds it; the work is kept anyway
  }
  doc->problem.SetModified();
  documents_.push_back(std::move(doc));
  ProblemDocument* recovered = documents_.back().get();
  // The copy now belongs to this run: written again under its own id before the old one goes.
  if (WriteRecoveryCopy(*recovered)) recovery_->Remove(copy.id);
  return recovered;
}

void DocumentManager::DiscardRecovered(const RecoveryCopy& copy) {
  if (recovery_ != nullptr) recovery_->Remove(copy.id);
}

std::vector<ProblemDocument*> DocumentManager::OfferRecovery() {
  std::vector<ProblemDocument*> opened;
  const std::vector<RecoveryCopy> copies = RecoverableProblems();
  const int count = static_cast<int>(copies.size());
  for (int i = 0; i < count; ++i) {
    const RecoveryCopy& copy = copies[static_cast<std::size_t>(i)];
    const std::string file = copy.originalPath.empty() ? std::string(StringText(kNeverSavedId)) : copy.originalPath;
    const std::string question = FormatStringText(kRecoveryOfferId, i + 1, count, copy.title.c_str(), file.c_str(),
                                        copy.taxpayer.c_str(), copy.copiedAt.c_str());
    switch (MessageBoxText(question, MessageKind::YesNoCancel)) {
      case Answer::Yes:
        if (ProblemDocument* doc = OpenRecovered(copy)) opened.push_back(doc);
        break;
      case Answer::No:
        DiscardRecovered(copy);
        break;
      default:
        break;
    }
  }
  return opened;
}

}  // namespace zarvic
