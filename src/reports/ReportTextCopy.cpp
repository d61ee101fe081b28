#include "reports/ReportTextCopy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <system_error>

#include "core/FileExtension.h"
#include "core/Paths.h"

namespace zarvic {
namespace {

constexpr int kMaxCopiesOfOneName = 1000;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

std::string TextCopyFolder() {
  return JoinPath(ProgramDataFolder(), "Text Copies");
}

std::string WriteNewTextFile(const std::string& folder, const std::string& stem, std::string_view bytes,
                             int* error) {
  auto fail = [&](int code) {
    if (error != nullptr) *error = code;
    return std::string();
  };
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  for (int n = 1; n <= kMaxCopiesOfOneName; ++n) {
    const std::string name = n == 1 ? stem + ".txt" : stem + " (" + std::to_string(n) + ").txt";
    const std::string path = JoinPath(folder, name);
    // O_EXCL: an existing copy (one an editor may show) is never opened for writing.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return fail(errno);
    }
    const bool written = WriteAll(fd, bytes);
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
      ::unlink(path.c_str());
      return fail(written ? EIO : writeError);
    }
    return path;
  }
  return fail(EEXIST);
}

int RemoveOldTextCopies(const std::string& folder, std::filesystem::file_time_type now) {
  const auto limit = now - std::chrono::hours(24 * kTextCopyDays);
  int removed = 0;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fileError;
    if (!it->is_regular_file(fileError) || !HasExtensionNoCase(it->path().filename().string(), ".txt"))
      continue;
    const auto written = it->last_write_time(fileError);
    if (fileError || written >= limit) continue;
    if (std::filesystem::remove(it->path(), fileError)) ++removed;
  }
  return removed;
}

}  // namespace zarvic
