#include "problem/RecoveryStore.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/Clock.h"
#include "core/Paths.h"
#include "core/Text.h"
#include "problem/CTDoc.h"
#include "problem/ProblemFile.h"

namespace zarvic {
namespace {

constexpr int kDefaultIntervalMs = 60 * 1000;
constexpr char kImageExtension[] = ".ZR3";
constexpr char kInfoExtension[] = ".info";

// One value per line: a line break or a backslash in a value is written as "\n" or "\\".
std::string Escape(const std::string& value) {
  std::string out;
  for (char c : value) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string Unescape(const std::string& value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      out += value[i + 1] == 'n' ? '\n' : value[i + 1];
      ++i;
    } else {
      out += value[i];
    }
  }
  return out;
}

std::string Describe(const RecoveryCopy& copy) {
  std::ostringstream out;
  out << "pid=" << copy.pid << '\n'
      << "start=" << copy.pidStart << '\n'
      << "path=" << Escape(copy.originalPath) << '\n'
      << "title=" << Escape(copy.title) << '\n'
      << "taxpayer=" << Escape(copy.taxpayer) << '\n'
      << "copied=" << Escape(copy.copiedAt) << '\n';
  if (copy.stamp) {
    out << "stamp=" << copy.stamp->device << ' ' << copy.stamp->inode << ' ' << copy.stamp->size << ' '
        << copy.stamp->modifiedNs << '\n';
  }
  return out.str();
}

std::optional<RecoveryCopy> ParseDescription(const std::string& id, std::istream& in) {
  RecoveryCopy copy;
  copy.id = id;
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == "pid") {
      copy.pid = std::atoi(value.c_str());
    } else if (key == "start") {
      copy.pidStart = std::strtoull(value.c_str(), nullptr, 10);
    } else if (key == "path") {
      copy.originalPath = Unescape(value);
    } else if (key == "title") {
      copy.title = Unescape(value);
    } else if (key == "taxpayer") {
      copy.taxpayer = Unescape(value);
    } else if (key == "copied") {
      copy.copiedAt = Unescape(value);
    } else if (key == "stamp") {
      FileStamp stamp;
      std::istringstream fields(value);
      if (fields >> stamp.device >> stamp.inode >> stamp.size >> stamp.modifiedNs) copy.stamp = stamp;
    }
  }
  if (copy.pid <= 0) return std::nullopt;
  return copy;
}

std::string CopyTime() {
  const ClockTime now = Now();
  return StringPrintf("%02d-%02d-%04d %02d:%02d", now.date.month, now.date.day, now.date.year, now.hour,
                      now.minute);
}

}  // namespace

RecoveryStore::RecoveryStore(std::string folder) : folder_(std::move(folder)) {}

std::string RecoveryStore::DefaultFolder() {
  return JoinPath(ProgramDataFolder(), "Recovery");
}

int RecoveryStore::IntervalMs() {
  const char* text = std::getenv("ZARVIC_RECOVERY_INTERVAL_MS");
  if (text == nullptr) return kDefaultIntervalMs;
  const int ms = std::atoi(text);
  return ms > 0 ? ms : kDefaultIntervalMs;
}

std::string RecoveryStore::NewId() {
  return StringPrintf("%d-%d", static_cast<int>(getpid()), next_++);
}

std::string RecoveryStore::PathOf(const std::string& id, const char* extension) const {
  return JoinPath(folder_, id + extension);
}

bool RecoveryStore::Write(const RecoveryCopy& copy, const CTDoc& problem, int* error) {
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  if (ec) {
    if (error) *error = ec.value();
    return false;
  }
  // Taxpayer data: the folder is the user's alone.
  std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ec);

  // The image is made from a copy of what the file holds, so the open problem is left as it is.
  auto image = std::make_unique<CTDoc>();
  image->m_events = problem.m_events;
  image->m_computeDate = problem.m_computeDate;
  image->m_header = problem.m_header;
  image->m_penalties = problem.m_penalties;
  image->m_rateTable = problem.m_rateTable;
  RecoveryCopy described = copy;
  described.pid = static_cast<int>(getpid());
  described.pidStart = ProcessStartTime(described.pid);
  described.copiedAt = CopyTime();
  return WriteFileAtomically(PathOf(copy.id, kImageExtension), WriteProblem(*image), error) &&
         WriteFileAtomically(PathOf(copy.id, kInfoExtension), Describe(described), error);
}

void RecoveryStore::Remove(const std::string& id) {
  if (id.empty()) return;
  // The description goes first: an image without one is never offered.
  std::error_code ec;
  std::filesystem::remove(PathOf(id, kInfoExtension), ec);
  std::filesystem::remove(PathOf(id, kImageExtension), ec);
}

std::vector<RecoveryCopy> RecoveryStore::Orphans() const {
  std::vector<RecoveryCopy> found;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path entry = it->path();
    if (entry.extension() != kInfoExtension) continue;
    const std::string id = entry.stem().string();
    if (!FileExists(PathOf(id, kImageExtension))) continue;
    std::ifstream in(entry);
    std::optional<RecoveryCopy> copy = ParseDescription(id, in);
    if (!copy || ProcessAlive(copy->pid, copy->pidStart))
      continue;  // still in the hands of a running program
    found.push_back(*copy);
  }
  std::sort(found.begin(), found.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
    // "MM-DD-YYYY HH:MM" sorts by year, then month and day, then time.
    auto key = [](const std::string& t) {
      return t.size() >= 16 ? t.substr(6, 4) + t.substr(0, 5) + t.substr(10) : t;
    };
    return key(a.copiedAt) != key(b.copiedAt) ? key(a.copiedAt) < key(b.copiedAt) : a.id < b.id;
  });
  return found;
}

bool RecoveryStore::Read(const RecoveryCopy& copy, CTDoc& problem) const {
  return LoadProblemFile(problem, PathOf(copy.id, kImageExtension), true);
}

}  // namespace zarvic
