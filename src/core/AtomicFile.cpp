#include "core/AtomicFile.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "core/FolderIndex.h"
#include "core/Processes.h"
#include "core/Paths.h"
#include "core/Text.h"

namespace zarvic {
namespace {

bool Fail(int code, int* error) {
  if (error) *error = code;
  return false;
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

constexpr std::string_view kTempSuffix = ".tmp";

// The process that made a temporary file ".NAME.PID-N.tmp"; 0 when name is not one.
long TempFileProcess(std::string_view name) {
  if (name.size() <= 1 + kTempSuffix.size() || name.front() != '.' || !name.ends_with(kTempSuffix)) return 0;
  std::string_view body = name.substr(1, name.size() - 1 - kTempSuffix.size());
  const std::size_t dot = body.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return 0;
  std::string_view tail = body.substr(dot + 1);  // PID-N
  const std::size_t dash = tail.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == tail.size() || dash > 9) return 0;
  long pid = 0;
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (i == dash) continue;
    if (tail[i] < '0' || tail[i] > '9') return 0;
    if (i < dash) pid = pid * 10 + (tail[i] - '0');
  }
  return pid;
}

bool ProcessIsGone(long pid) {
  return pid != static_cast<long>(::getpid()) && !ProcessAlive(static_cast<int>(pid));
}

// Where the bytes of path go first: the checks of WriteFileAtomically, then a new file in the same
// folder holding bytes (not yet flushed to disk).
struct PreparedFile {
  std::string target;
  std::string temp;
  dev_t device = 0;  // the file system holding temp
};

// cleaned: the folders whose stale temporary files were removed already (nullptr: remove them now).
bool Prepare(const std::string& path, std::string_view bytes, bool flush, std::vector<std::string>* cleaned,
             PreparedFile& out, int* error) {
  if (path.empty()) return Fail(ENOENT, error);
  std::string target = path;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return Fail(errno, error);
    target = resolved;
  }

  bool exists = false;
  mode_t keepMode = 0;
  if (::stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return Fail(EISDIR, error);
    if (::access(target.c_str(), W_OK) != 0) return Fail(errno, error);
    exists = true;
    keepMode = st.st_mode & 07777;
  }

  std::string folder = FolderOf(target);
  if (!cleaned || std::find(cleaned->begin(), cleaned->end(), folder) == cleaned->end()) {
    RemoveStaleTemporaryFiles(folder);
    if (cleaned) cleaned->push_back(folder);
  }
  static std::atomic<unsigned> counter{0};
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = JoinPath(folder, StringPrintf(".%s.%ld-%u.tmp", FileNameOf(target).c_str(),
                                         static_cast<long>(::getpid()), counter++));
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return Fail(errno, error);
  }
  if (fd < 0) return Fail(EEXIST, error);

  int code = 0;
  struct stat written {};
  if (::fstat(fd, &written) != 0) code = errno;
  if (code == 0 && !WriteAll(fd, bytes)) code = errno;
  if (code == 0 && exists && ::fchmod(fd, keepMode) != 0) code = errno;
  if (code == 0 && flush && ::fsync(fd) != 0) code = errno;
  if (::close(fd) != 0 && code == 0) code = errno;
  if (code != 0) {
    ::unlink(temp.c_str());
    return Fail(code, error);
  }
  out.target = std::move(target);
  out.temp = std::move(temp);
  out.device = written.st_dev;
  return true;
}

// Makes the renames in folder durable; a failure here no longer endangers any file.
void SyncFolder(const std::string& folder) {
  int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace

int RemoveStaleTemporaryFiles(const std::string& folder) {
  const std::string where = folder.empty() ? "." : folder;
  int removed = 0;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(where, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const long pid = TempFileProcess(name);
    if (pid <= 0) continue;
    const std::string path = JoinPath(where, name);
    struct stat st {};
    // Only a file of this user's: never a link, a folder, or what another user left.
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
    if (ProcessIsGone(pid) && ::unlink(path.c_str()) == 0) ++removed;
  }
  return removed;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, int* error) {
  PreparedFile file;
  if (!Prepare(path, bytes, true, nullptr, file, error)) return false;
  if (::rename(file.temp.c_str(), file.target.c_str()) != 0) {
    int code = errno;
    ::unlink(file.temp.c_str());
    return Fail(code, error);
  }
  NoteFileWritten(file.target);
  SyncFolder(FolderOf(file.target));
  return true;
}

struct AtomicFileBatch::Pending {
  std::string path;  // as given
  PreparedFile file;
};

AtomicFileBatch::AtomicFileBatch() = default;

AtomicFileBatch::~AtomicFileBatch() {
  for (const Pending& p : pending_) ::unlink(p.file.temp.c_str());
}

bool AtomicFileBatch::Add(const std::string& path, std::string_view bytes, int* error) {
  Pending p;
  p.path = path;
  if (!Prepare(path, bytes, false, &cleaned_, p.file, error)) return false;
  pending_.push_back(std::move(p));
  return true;
}

bool AtomicFileBatch::Commit(std::vector<std::pair<std::string, int>>* failures) {
  if (pending_.empty()) return true;
  // One sync of each file system holding new files instead of one per file: only then may any of
  // them replace an old one.
  std::unordered_map<dev_t, int> syncErrors;
  for (const Pending& p : pending_) {
    if (syncErrors.contains(p.file.device)) continue;
    int fd = ::open(p.file.temp.c_str(), O_RDONLY | O_CLOEXEC);
    int code = fd < 0 || ::syncfs(fd) != 0 ? (errno ? errno : EIO) : 0;
    if (fd >= 0) ::close(fd);
    syncErrors[p.file.device] = code;
  }
  bool ok = true;
  std::unordered_set<std::string> folders;
  for (const Pending& p : pending_) {
    int code = syncErrors[p.file.device];
    if (code == 0 && ::rename(p.file.temp.c_str(), p.file.target.c_str()) != 0) code = errno;
    if (code != 0) {
      ::unlink(p.file.temp.c_str());
      if (failures) failures->emplace_back(p.path, code);
      ok = false;
      continue;
    }
    NoteFileWritten(p.file.target);
    folders.insert(FolderOf(p.file.target));
  }
  pending_.clear();
  for (const std::string& folder : folders) SyncFolder(folder);
  return ok;
}

}  // namespace zarvic
