#include "core/DiagnosticLog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/AppOptions.h"
#include "core/Clock.h"
#include "core/Paths.h"
#include "core/Text.h"
#include "core/UserInterface.h"

namespace zarvic {
namespace {

struct LogFile {
  std::FILE* file = nullptr;
  std::string path;
  ~LogFile() { Close(); }
  void Close() {
    if (file != nullptr) std::fclose(file);
    file = nullptr;
  }
};

LogFile& TheLog() {
  static LogFile log;
  return log;
}

}  // namespace

bool DiagnosticLog(const std::string& name, bool append) {
  LogFile& log = TheLog();
  log.Close();
  log.path.clear();
  if (!Options().atKbn) return false;
  std::string path = name;
  if (name.find('/') == std::string::npos) {
    std::error_code ec;
    std::filesystem::create_directories(ProgramDataFolder(), ec);  // a failure shows when opening
    path = JoinPath(ProgramDataFolder(), name);
  }
  log.file = std::fopen(path.c_str(), append ? "a" : "w");
  if (log.file == nullptr) {
    const int error = errno;
    MessageBoxText(StringPrintf("The diagnostic log %s could not be created: %s.\nDiagnostics stay off.",
                                path.c_str(), std::strerror(error)));
    return false;
  }
  log.path = path;
  return true;
}

bool DiagnosticLogActive() {
  return TheLog().file != nullptr;
}

std::string DiagnosticLogPath() {
  return TheLog().path;
}

void WriteDiagnostic(std::string_view text) {
  LogFile& log = TheLog();
  if (log.file == nullptr) return;
  std::fwrite(text.data(), 1, text.size(), log.file);
  std::fflush(log.file);
}

void CloseDiagnosticLog() {
  TheLog().Close();
}

void StartRunDiagnostics(std::string_view run) {
  if (!DiagnosticLog(kDiagnosticLogName, true)) return;
  const ClockTime now = Now();
  WriteDiagnostic(StringPrintf("Zarvic %s, %04d-%02d-%02d %02d:%02d:%02d: %.*s\n", ZARVIC_VERSION,
                               now.date.year, now.date.month, now.date.day, now.hour, now.minute, now.second,
                               static_cast<int>(run.size()), run.data()));
}

}  // namespace zarvic
