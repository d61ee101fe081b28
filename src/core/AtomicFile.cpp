#include "core/AtomicFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

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

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, int* error) {
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
  if (!WriteAll(fd, bytes)) code = errno;
  if (code == 0 && exists && ::fchmod(fd, keepMode) != 0) code = errno;
  if (code == 0 && ::fsync(fd) != 0) code = errno;
  if (::close(fd) != 0 && code == 0) code = errno;
  if (code == 0 && ::rename(temp.c_str(), target.c_str()) != 0) code = errno;
  if (code != 0) {
    ::unlink(temp.c_str());
    return Fail(code, error);
  }
  // Make the rename itself durable; a failure here no longer endangers either file.
  int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace zarvic
