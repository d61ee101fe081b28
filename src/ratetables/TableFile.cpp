#include "ratetables/TableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/AtomicFile.h"
#include "core/FileExtension.h"
#include "core/FolderIndex.h"
#include "core/Paths.h"
#include "core/Text.h"
#include "core/UserInterface.h"

namespace zarvic {
namespace tablefile {
namespace {

std::uint16_t GetU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

double GetF64(const std::uint8_t* p) {
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
  return std::bit_cast<double>(bits);
}

void PutU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v & 0xFF);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutF64(std::uint8_t* p, double v) {
  auto bits = std::bit_cast<std::uint64_t>(v);
  for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>((bits >> (8 * i)) & 0xFF);
}

}  // namespace

LineBytes EncodeLine(const RateLine& line) {
  LineBytes b{};
  PutU16(&b[kLineStartAt], line.start);
  PutU16(&b[kLineModeAt], line.mode);
  PutF64(&b[kLineNormalAt], line.normalRate);
  PutF64(&b[kLineMotivatedAt], line.motivatedRate);
  PutF64(&b[kLineRefundAt], line.refundRate);
  PutU16(&b[kLineDaysAt], line.daysPerYear);
  return b;
}

RateLine DecodeLine(const std::uint8_t* b) {
  RateLine line;
  line.start = GetU16(b + kLineStartAt);
  line.mode = GetU16(b + kLineModeAt);
  line.normalRate = GetF64(b + kLineNormalAt);
  line.motivatedRate = GetF64(b + kLineMotivatedAt);
  line.refundRate = GetF64(b + kLineRefundAt);
  line.daysPerYear = GetU16(b + kLineDaysAt);
  return line;
}

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens a regular file for binary reading (a folder would "open" too, and fail only on reading).
// O_NONBLOCK keeps a FIFO of that name from hanging the open; regular files do not notice it.
File OpenRegular(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return File();
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return File();
  }
  File f(::fdopen(fd, "rb"));
  if (!f) ::close(fd);
  return f;
}

// A table file as opened: the file, the path it was found under, and what identifies its content.
struct OpenedTable {
  File file;
  std::string path;
  struct stat st {};
};

OpenedTable OpenCandidate(const std::string& path, bool extensionNoCase) {
  OpenedTable opened{OpenRegular(path), path};
  if (!opened.file && extensionNoCase) {
    // A table copied from a system that ignores case may be called "rates.tb3".
    opened.path = FindExtensionNoCase(path);
    if (!opened.path.empty()) opened.file = OpenRegular(opened.path);
  }
  if (opened.file && ::fstat(::fileno(opened.file.get()), &opened.st) != 0) opened.st = {};
  return opened;
}

OpenedTable OpenTableFile(const std::string& path) {
  if (path.empty()) return {};
  if (OpenedTable t = OpenCandidate(path, false); t.file) return t;
  for (const char* extension : {".TB3", ".TB2"}) {
    std::string candidate = path;
    SetExtension(candidate, extension);
    if (OpenedTable t = OpenCandidate(candidate, true); t.file) return t;
  }
  return OpenCandidate(JoinPath(ProgramFolder(), WithShortExtension(path, ".TB3")), true);
}

bool ReadExactly(std::FILE* f, void* buffer, size_t size) {
  return std::fread(buffer, 1, size, f) == size;
}

TableLoadStatus ReadTable(std::FILE* f, RateTable& t) {
  HeaderBytes h{};
  if (!ReadExactly(f, h.data(), h.size())) return TableLoadStatus::Damaged;
  t.formatMark = h[kFormatMarkAt];
  t.version = static_cast<std::int8_t>(h[kVersionAt]);
  if (t.version > kNewestVersion) return TableLoadStatus::NewerVersion;
  t.lineCount = GetU16(&h[kLineCountAt]);
  // This program never writes more; reading on would run past the table.
  if (t.lineCount > kMaxRateLines) return TableLoadStatus::Damaged;
  t.reserved4 = h[kReserved4At];
  t.endDate = GetU16(&h[kEndDateAt]);
  std::memcpy(t.writerTag.data(), &h[kWriterTagAt], t.writerTag.size());
  t.word30 = GetU16(&h[kWord30At]);
  const char* description = reinterpret_cast<const char*>(&h[kDescriptionAt]);
  t.description.assign(description, strnlen(description, kDescriptionBytes));
  t.word132 = GetU16(&h[kWord132At]);
  t.vendorFlag = GetU16(&h[kVendorFlagAt]);

  for (int i = 0; i < t.lineCount; ++i) {
    LineBytes b{};
    if (!ReadExactly(f, b.data(), b.size())) return TableLoadStatus::Damaged;
    t.lines[i] = DecodeLine(b.data());
  }
  std::uint16_t notesLength = GetU16(&h[kNotesLengthAt]);
  if (notesLength != 0) {
    std::string notes(notesLength, '\0');
    // Notes shorter than announced are dropped; the table itself is intact.
    if (ReadExactly(f, notes.data(), notes.size())) t.notes = std::move(notes);
  }
  return TableLoadStatus::Loaded;
}

// The tables a run has read, by the path each was read from. A table is taken again only while its
// file is the very one that was read: same file, size and times of change (a table saved meanwhile is
// a new file, and is read again).
class KeptTables {
 public:
  struct Read {
    TableLoadStatus status = TableLoadStatus::NotFound;
    std::shared_ptr<const RateTable> table;
  };

  const Read* Find(const OpenedTable& opened) const {
    auto at = byPath_.find(opened.path);
    if (at == byPath_.end() || opened.st.st_ino == 0 || !SameFile(at->second.st, opened.st)) return nullptr;
    return &at->second.read;
  }
  void Keep(const OpenedTable& opened, Read read) { byPath_[opened.path] = {opened.st, std::move(read)}; }

 private:
  static bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
  }
  struct Entry {
    struct stat st {};
    Read read;
  };
  std::unordered_map<std::string, Entry> byPath_;
};

// The table in the opened file: read from it, or, within a run that read this very file already,
// the table read then.
KeptTables::Read ReadOpenedTable(const OpenedTable& opened) {
  KeptTables* kept = FileLookupScope::Kept<KeptTables>();
  if (kept != nullptr) {
    if (const KeptTables::Read* before = kept->Find(opened)) return *before;
  }
  auto table = std::make_shared<RateTable>();
  KeptTables::Read loaded{ReadTable(opened.file.get(), *table), table};
  NoteFileLookup(FileLookup::FileRead, opened.path);
  if (kept != nullptr) kept->Keep(opened, loaded);
  return loaded;
}

}  // namespace
}  // namespace tablefile

using namespace tablefile;

bool IsPlainTableName(const std::string& name) {
  return !name.empty() && name.find_first_of("/\\") == std::string::npos && name != "." && name != "..";
}

std::string TableNameFromPath(const std::string& path) {
  std::string name = FileNameOf(path);
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

std::string WithShortExtension(const std::string& path, const std::string& extension) {
  std::string out = path;
  size_t dot = out.find_last_of('.');
  size_t slash = out.find_last_of('/');
  bool inName = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  if (inName && dot + 4 >= out.size()) out.erase(dot);
  return out + extension;
}

bool LoadTable(RateTable& table, const std::string& path, bool reportErrors, TableLoadStatus* status) {
  KeptTables::Read loaded;
  if (OpenedTable opened = OpenTableFile(path); opened.file) loaded = ReadOpenedTable(opened);
  if (status) *status = loaded.status;
  if (loaded.status == TableLoadStatus::NewerVersion && reportErrors) MessageBoxId(20001);
  // A failure leaves the caller's table as it was.
  if (loaded.status != TableLoadStatus::Loaded) return false;
  table = *loaded.table;
  table.name = TableNameFromPath(path);
  return true;
}

bool SaveTable(RateTable& table, const std::string& path, std::uint16_t vendorFlag) {
  std::string target = path;
  SetExtension(target, ".TB3");
  // "rates.tb3" and "rates.TB3" are one table: replace the file that is there rather than add a second.
  target = WithExistingExtensionCase(target);

  int count = 0;
  std::int8_t version = kVersionPlain;
  while (count < kMaxRateLines && table.lines[count].IsUsed()) {
    std::uint16_t days = table.lines[count].daysPerYear;
    if (days != 365 && days != 366) version = kVersionQuarterDays;
    ++count;
  }
  size_t notesLength = std::min(table.notes.size(), kMaxNotesBytes);

  HeaderBytes h{};
  h[kFormatMarkAt] = kFormatMark;
  h[kVersionAt] = static_cast<std::uint8_t>(version);
  PutU16(&h[kLineCountAt], static_cast<std::uint16_t>(count));
  h[kReserved4At] = table.reserved4;
  PutU16(&h[kEndDateAt], table.endDate);
  std::memcpy(&h[kWriterTagAt], kWriterTag.data(), kWriterTag.size());
  PutU16(&h[kWord30At], kWord30Value);
  PutU16(&h[kNotesLengthAt], static_cast<std::uint16_t>(notesLength));
  std::memcpy(&h[kDescriptionAt], table.description.data(),
              std::min(table.description.size(), kDescriptionBytes - 1));
  PutU16(&h[kWord132At], 0);
  PutU16(&h[kVendorFlagAt], vendorFlag);

  std::string bytes(reinterpret_cast<const char*>(h.data()), h.size());
  bytes.reserve(h.size() + count * kLineBytes + notesLength);
  for (int i = 0; i < count; ++i) {
    LineBytes b = EncodeLine(table.lines[i]);
    bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
  }
  bytes.append(table.notes, 0, notesLength);

  if (!WriteFileAtomically(target, bytes)) {
    MessageBoxId(20011);
    return false;
  }
  table.formatMark = kFormatMark;
  table.version = version;
  table.lineCount = static_cast<std::uint16_t>(count);
  table.writerTag = kWriterTag;
  table.word30 = kWord30Value;
  table.word132 = 0;
  table.vendorFlag = vendorFlag;
  if (table.notes.size() > notesLength) table.notes.resize(notesLength);
  if (table.description.size() >= kDescriptionBytes) table.description.resize(kDescriptionBytes - 1);
  return true;
}

}  // namespace zarvic
