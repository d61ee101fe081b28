#include "problem/FileGuards.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/Paths.h"
#include "core/Text.h"

namespace zarvic {
namespace {

std::string HostName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (gethostname(name, sizeof name - 1) != 0) return "localhost";
  return name;
}

std::optional<LockHolder> ReadLock(const std::string& lockPath) {
  std::ifstream in(lockPath);
  if (!in) return std::nullopt;
  LockHolder holder;
  // A lock cut short by a crash between its creation and its write holds nothing.
  if (!(in >> holder.pid >> holder.host) || holder.pid <= 0) return std::nullopt;
  if (!(in >> holder.startTime)) holder.startTime = 0;
  return holder;
}

bool IsOurs(const LockHolder& holder) {
  return holder.pid == static_cast<int>(getpid()) && holder.host == HostName();
}

bool IsStale(const LockHolder& holder) {
  return holder.host == HostName() && !ProcessAlive(holder.pid, holder.startTime);
}

}  // namespace

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  FileStamp stamp;
  stamp.device = static_cast<std::uint64_t>(st.st_dev);
  stamp.inode = static_cast<std::uint64_t>(st.st_ino);
  stamp.size = static_cast<std::int64_t>(st.st_size);
  stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return stamp;
}

std::string ProblemFileLock::LockPathOf(const std::string& problemPath) {
  return JoinPath(FolderOf(problemPath), "." + FileNameOf(problemPath) + ".lock");
}

std::optional<LockHolder> ProblemFileLock::HolderOf(const std::string& problemPath) {
  std::optional<LockHolder> holder = ReadLock(LockPathOf(problemPath));
  if (!holder || IsOurs(*holder) || IsStale(*holder)) return std::nullopt;
  return holder;
}

bool ProblemFileLock::Acquire(const std::string& problemPath) {
  if (held_ == problemPath) return true;
  Release();
  const std::string lockPath = LockPathOf(problemPath);
  const int pid = static_cast<int>(getpid());
  const std::string content = StringPrintf("%d %s %llu\n", pid, HostName().c_str(),
                                           static_cast<unsigned long long>(ProcessStartTime(pid)));
  for (int attempt = 0; attempt < 2; ++attempt) {
    int fd = ::open(lockPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      bool written = ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
      ::close(fd);
      if (!written) {
        ::unlink(lockPath.c_str());
        return true;  // a full disk: the file stays unlocked
      }
      held_ = problemPath;
      return true;
    }
    if (errno != EEXIST) return true;  // a folder we may not write: nothing to hold
    std::optional<LockHolder> holder = ReadLock(lockPath);
    if (holder && !IsOurs(*holder) && !IsStale(*holder)) return false;
    ::unlink(lockPath.c_str());  // stale, or left by an earlier run of this very process id
  }
  return true;
}

void ProblemFileLock::Release() {
  if (held_.empty()) return;
  const std::string lockPath = LockPathOf(held_);
  if (std::optional<LockHolder> holder = ReadLock(lockPath); holder && IsOurs(*holder))
    ::unlink(lockPath.c_str());
  held_.clear();
}

}  // namespace zarvic
