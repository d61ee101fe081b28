#include "core/RegistryStore.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <utility>

#include "core/LittleEndian.h"
#include "core/Paths.h"
#include "core/Text.h"

namespace zarvic {
namespace {

// Marks the file as ours ("ZRVG"), so that an SQLite database of some other program is never
// taken for an empty store and written to.
constexpr int kApplicationId = 0x5A525647;
constexpr int kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 10000;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS programs (
  id   INTEGER PRIMARY KEY,
  name TEXT NOT NULL COLLATE NOCASE UNIQUE
);
CREATE TABLE IF NOT EXISTS sections (
  id         INTEGER PRIMARY KEY,
  program_id INTEGER NOT NULL REFERENCES programs(id) ON DELETE CASCADE,
  name       TEXT NOT NULL COLLATE NOCASE,
  UNIQUE (program_id, name)
);
CREATE TABLE IF NOT EXISTS section_values (
  id         INTEGER PRIMARY KEY,
  section_id INTEGER NOT NULL REFERENCES sections(id) ON DELETE CASCADE,
  name       TEXT NOT NULL COLLATE NOCASE,
  type       INTEGER NOT NULL CHECK (type BETWEEN 0 AND 4294967295),
  data       BLOB NOT NULL,
  UNIQUE (section_id, name)
);
)sql";

// One prepared statement; finalized when it goes out of scope.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) { rc_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool prepared() const { return rc_ == SQLITE_OK; }
  Statement& Bind(int index, const std::string& text) {
    if (rc_ == SQLITE_OK) {
      rc_ = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    return *this;
  }
  Statement& Bind(int index, sqlite3_int64 number) {
    if (rc_ == SQLITE_OK) rc_ = sqlite3_bind_int64(stmt_, index, number);
    return *this;
  }
  Statement& Bind(int index, const std::vector<unsigned char>& bytes) {
    // A zero-length blob must still be a blob, not NULL.
    if (rc_ == SQLITE_OK) {
      rc_ = sqlite3_bind_blob(stmt_, index, bytes.empty() ? "" : static_cast<const void*>(bytes.data()),
                              static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    }
    return *this;
  }
  // SQLITE_ROW, SQLITE_DONE or an error code.
  int Step() {
    if (rc_ != SQLITE_OK && rc_ != SQLITE_ROW && rc_ != SQLITE_DONE) return rc_;
    rc_ = sqlite3_step(stmt_);
    return rc_;
  }
  bool Run() { return Step() == SQLITE_DONE; }
  sqlite3_int64 Int(int column) const { return sqlite3_column_int64(stmt_, column); }
  std::string Text(int column) const {
    const unsigned char* p = sqlite3_column_text(stmt_, column);
    return p ? std::string(reinterpret_cast<const char*>(p),
                           static_cast<size_t>(sqlite3_column_bytes(stmt_, column)))
             : std::string();
  }
  std::vector<unsigned char> Blob(int column) const {
    const auto* p = static_cast<const unsigned char*>(sqlite3_column_blob(stmt_, column));
    int n = sqlite3_column_bytes(stmt_, column);
    return p ? std::vector<unsigned char>(p, p + n) : std::vector<unsigned char>();
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int rc_ = SQLITE_OK;
};

StoreResult Ok() {
  return {};
}
StoreResult Result(StoreStatus status, std::string error) {
  return {status, std::move(error)};
}

bool Exec(sqlite3* db, const char* sql) {
  return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Creates every missing folder of path (like mkdir -p); settings are private to the user.
bool MakeFolders(const std::string& folder, std::string& error) {
  if (folder.empty()) return true;
  std::string partial;
  size_t pos = 0;
  while (pos != std::string::npos) {
    size_t next = folder.find('/', pos + 1);
    partial = folder.substr(0, next);
    pos = next;
    if (partial.empty()) continue;
    if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
      error = StringPrintf("Cannot create the folder \"%s\": %s.", partial.c_str(), std::strerror(errno));
      return false;
    }
  }
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    error = StringPrintf("\"%s\" is not a folder.", folder.c_str());
    return false;
  }
  return true;
}

// Looks at the file before SQLite does: anything that is not an SQLite database is refused here, so
// that nothing ever writes to it.
StoreResult CheckExistingFile(const std::string& path, bool& exists) {
  struct stat st {};
  exists = false;
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return Ok();
    return Result(StoreStatus::Failed, StringPrintf("Cannot read the settings store \"%s\": %s.",
                                                    path.c_str(), std::strerror(errno)));
  }
  exists = true;
  if (!S_ISREG(st.st_mode)) {
    return Result(StoreStatus::Failed,
                  StringPrintf("The settings store \"%s\" is not a file.", path.c_str()));
  }
  if (st.st_size == 0) return Ok();  // an empty file holds nothing to lose: it becomes a new store
  static constexpr char kMagic[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f',
                                      'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};
  char head[sizeof kMagic] = {};
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return Result(StoreStatus::Failed, StringPrintf("Cannot read the settings store \"%s\": %s.",
                                                    path.c_str(), std::strerror(errno)));
  }
  in.read(head, sizeof head);
  if (in.gcount() != static_cast<std::streamsize>(sizeof head) ||
      std::memcmp(head, kMagic, sizeof head) != 0) {
    return Result(StoreStatus::Failed,
                  StringPrintf("The settings store \"%s\" is not an SQLite database; it was left as it is.",
                               path.c_str()));
  }
  return Ok();
}

}  // namespace

RegistryValue RegistryValue::String(std::string name, const std::string& text) {
  return {std::move(name), kRegString, std::vector<unsigned char>(text.begin(), text.end())};
}

RegistryValue RegistryValue::Dword(std::string name, std::int32_t number) {
  return {std::move(name), kRegDword, DwordBytes(number)};
}

RegistryValue RegistryValue::Binary(std::string name, std::vector<unsigned char> bytes) {
  return {std::move(name), kRegBinary, std::move(bytes)};
}

std::vector<unsigned char> DwordBytes(std::int32_t number) {
  std::vector<unsigned char> bytes(4);
  ByteWriter(bytes).U32(static_cast<std::uint32_t>(number));
  return bytes;
}

std::optional<std::int32_t> DwordFromBytes(const std::vector<unsigned char>& data) {
  if (data.size() != 4) return std::nullopt;
  return static_cast<std::int32_t>(ByteReader(data).U32());
}

std::string StringFromBytes(const std::vector<unsigned char>& data) {
  std::string text(data.begin(), data.end());
  size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

std::string DefaultRegistryPath() {
  const char* over = std::getenv("ZARVIC_REGISTRY");
  if (over && *over) return over;
  return JoinPath(JoinPath(ConfigFolder(), "Orlendt Software Applications"), "registry.sqlite3");
}

RegistryStore::~RegistryStore() {
  Close();
}

RegistryStore::RegistryStore(RegistryStore&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), path_(std::move(other.path_)), busyWait_(std::move(other.busyWait_)) {}

RegistryStore& RegistryStore::operator=(RegistryStore&& other) noexcept {
  if (this != &other) {
    Close();
    db_ = std::exchange(other.db_, nullptr);
    path_ = std::move(other.path_);
    busyWait_ = std::move(other.busyWait_);
  }
  return *this;
}

void RegistryStore::SetBusyWait(int timeoutMs, std::function<void()> onWait) {
  busyWait_ = std::make_unique<BusyWait>(BusyWait{timeoutMs, std::move(onWait)});
  if (db_) sqlite3_busy_handler(db_, &RegistryStore::OnBusy, busyWait_.get());
}

int RegistryStore::OnBusy(void* wait, int count) {
  constexpr int kStepMs = 20;
  auto* busy = static_cast<BusyWait*>(wait);
  if (count * kStepMs >= busy->timeoutMs) return 0;
  if (count == 0 && busy->onWait) busy->onWait();
  sqlite3_sleep(kStepMs);
  return 1;
}

void RegistryStore::Close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

StoreResult RegistryStore::Open(const std::string& path) {
  Close();
  path_ = path;
  if (path.empty()) return Result(StoreStatus::Failed, "No settings store file is named.");
  bool exists = false;
  StoreResult checked = CheckExistingFile(path, exists);
  if (!checked.ok()) return checked;
  if (!exists) {
    std::string error;
    if (!MakeFolders(FolderOf(path), error)) {
      return Result(StoreStatus::Failed,
                    StringPrintf("Cannot create the settings store \"%s\": %s", path.c_str(), error.c_str()));
    }
  }
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close_v2(db);
    return Result(StoreStatus::Failed,
                  StringPrintf("Cannot open the settings store \"%s\": %s.", path.c_str(), message.c_str()));
  }
  db_ = db;
  if (busyWait_) {
    sqlite3_busy_handler(db_, &RegistryStore::OnBusy, busyWait_.get());
  } else {
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  }
  Exec(db_, "PRAGMA foreign_keys = ON");
  StoreResult prepared = Prepare();
  if (!prepared.ok()) Close();
  return prepared;
}

// Checks that the open file is a sound store of ours and gives a new, empty file its tables.
StoreResult RegistryStore::Prepare() {
  auto damaged = [this](const std::string& detail) {
    return Result(StoreStatus::Failed,
                  StringPrintf("The settings store \"%s\" is damaged (%s); it was left as it is.",
                               path_.c_str(), detail.c_str()));
  };
  // Only a file that SQLite finds damaged is called so; a store that is busy or cannot be read is not.
  auto unreadable = [&]() {
    int code = sqlite3_errcode(db_) & 0xFF;
    if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT) return damaged(sqlite3_errmsg(db_));
    return Failure("read");
  };
  {
    Statement check(db_, "PRAGMA quick_check(1)");
    int rc = check.Step();
    if (rc != SQLITE_ROW) return unreadable();
    std::string verdict = check.Text(0);
    if (verdict != "ok") {
      // The verdict may begin with a line that names the database; the finding is the last line.
      size_t last = verdict.find_last_of('\n');
      return damaged(last == std::string::npos ? verdict : verdict.substr(last + 1));
    }
  }
  auto readHeader = [this](sqlite3_int64& appId, sqlite3_int64& version, sqlite3_int64& objects) {
    Statement a(db_, "PRAGMA application_id");
    Statement v(db_, "PRAGMA user_version");
    Statement n(db_, "SELECT count(*) FROM sqlite_schema");
    if (a.Step() != SQLITE_ROW || v.Step() != SQLITE_ROW || n.Step() != SQLITE_ROW) return false;
    appId = a.Int(0);
    version = v.Int(0);
    objects = n.Int(0);
    return true;
  };
  auto foreign = [this]() {
    return Result(
        StoreStatus::Failed,
        StringPrintf("\"%s\" is an SQLite database of another program, not a settings store; it was "
                     "left as it is.",
                     path_.c_str()));
  };
  auto check = [&](sqlite3_int64 appId, sqlite3_int64 version) {
    if (appId != kApplicationId) return foreign();
    if (version > kSchemaVersion) {
      return Result(
          StoreStatus::Failed,
          StringPrintf("The settings store \"%s\" was written by a newer version of the program; it "
                       "was left as it is.",
                       path_.c_str()));
    }
    return Ok();
  };

  sqlite3_int64 appId = 0, version = 0, objects = 0;
  if (!readHeader(appId, version, objects)) return unreadable();
  if (appId != 0 || objects != 0) return check(appId, version);

  // A new file. Another process may be creating it at this moment: decide again inside the lock.
  return Write("set up", [&]() -> StoreResult {
    if (!readHeader(appId, version, objects)) return Failure("set up");
    if (appId != 0 || objects != 0) return check(appId, version);
    if (!Exec(db_, kSchema)) return Failure("set up");
    std::string pragmas =
        StringPrintf("PRAGMA application_id = %d; PRAGMA user_version = %d;", kApplicationId, kSchemaVersion);
    if (!Exec(db_, pragmas.c_str())) return Failure("set up");
    return Ok();
  });
}

StoreResult RegistryStore::Failure(const std::string& what) const {
  StoreResult result = Result(StoreStatus::Failed, StringPrintf("Cannot %s the settings store \"%s\": %s.",
                                                                what.c_str(), path_.c_str(), sqlite3_errmsg(db_)));
  result.busy = (sqlite3_errcode(db_) & 0xFF) == SQLITE_BUSY;
  return result;
}

StoreResult RegistryStore::NotOpen() const {
  return Result(StoreStatus::Failed, "The settings store is not open.");
}

StoreResult RegistryStore::Write(const char* what, const std::function<StoreResult()>& body) {
  if (!db_) return NotOpen();
  if (!Exec(db_, "BEGIN IMMEDIATE")) return Failure(what);
  StoreResult result = body();
  if (result.ok()) {
    if (Exec(db_, "COMMIT")) return result;
    result = Failure(what);
  }
  if (!sqlite3_get_autocommit(db_)) Exec(db_, "ROLLBACK");
  return result;
}

namespace {

// Ids of existing rows, or 0.
sqlite3_int64 ProgramId(sqlite3* db, const std::string& program, bool& failed) {
  Statement s(db, "SELECT id FROM programs WHERE name = ?");
  s.Bind(1, program);
  int rc = s.Step();
  failed = rc != SQLITE_ROW && rc != SQLITE_DONE;
  return rc == SQLITE_ROW ? s.Int(0) : 0;
}

sqlite3_int64 SectionId(sqlite3* db, const std::string& program, const std::string& section, bool& failed) {
  Statement s(db,
              "SELECT s.id FROM sections s JOIN programs p ON p.id = s.program_id "
              "WHERE p.name = ? AND s.name = ?");
  s.Bind(1, program).Bind(2, section);
  int rc = s.Step();
  failed = rc != SQLITE_ROW && rc != SQLITE_DONE;
  return rc == SQLITE_ROW ? s.Int(0) : 0;
}

// Within a write transaction: the section's id, creating the program and the section when missing.
sqlite3_int64 EnsureSection(sqlite3* db, const std::string& program, const std::string& section) {
  Statement p(db, "INSERT INTO programs (name) VALUES (?) ON CONFLICT (name) DO NOTHING");
  if (!p.Bind(1, program).Run()) return 0;
  Statement s(db,
              "INSERT INTO sections (program_id, name) SELECT id, ? FROM programs WHERE name = ? "
              "ON CONFLICT (program_id, name) DO NOTHING");
  if (!s.Bind(1, section).Bind(2, program).Run()) return 0;
  bool failed = false;
  return SectionId(db, program, section, failed);
}

bool UpsertValue(sqlite3* db, sqlite3_int64 sectionId, const RegistryValue& value) {
  // DO UPDATE keeps the row, and so the value's place and the spelling of its name.
  Statement s(db,
              "INSERT INTO section_values (section_id, name, type, data) VALUES (?, ?, ?, ?) "
              "ON CONFLICT (section_id, name) DO UPDATE SET type = excluded.type, data = excluded.data");
  return s.Bind(1, sectionId)
      .Bind(2, value.name)
      .Bind(3, static_cast<sqlite3_int64>(value.type))
      .Bind(4, value.data)
      .Run();
}

// A read of several statements sees one state of the file.
class ReadTransaction {
 public:
  explicit ReadTransaction(sqlite3* db) : db_(db), ok_(Exec(db, "BEGIN")) {}
  ~ReadTransaction() {
    if (ok_) Exec(db_, "COMMIT");
  }
  ReadTransaction(const ReadTransaction&) = delete;
  ReadTransaction& operator=(const ReadTransaction&) = delete;
  bool ok() const { return ok_; }

 private:
  sqlite3* db_;
  bool ok_;
};

bool ValidName(const std::string& name) {
  return !name.empty();
}

}  // namespace

StoreResult RegistryStore::ListPrograms(std::vector<std::string>& programs) const {
  programs.clear();
  if (!db_) return NotOpen();
  Statement s(db_, "SELECT name FROM programs ORDER BY id");
  int rc;
  while ((rc = s.Step()) == SQLITE_ROW) programs.push_back(s.Text(0));
  return rc == SQLITE_DONE ? Ok() : Failure("list the programs of");
}

StoreResult RegistryStore::ListSections(const std::string& program,
                                        std::vector<std::string>& sections) const {
  sections.clear();
  if (!db_) return NotOpen();
  ReadTransaction read(db_);
  if (!read.ok()) return Failure("list the sections of");
  bool failed = false;
  sqlite3_int64 id = ProgramId(db_, program, failed);
  if (failed) return Failure("list the sections of");
  if (id == 0)
    return Result(StoreStatus::NotFound, StringPrintf("There is no program \"%s\".", program.c_str()));
  Statement s(db_, "SELECT name FROM sections WHERE program_id = ? ORDER BY id");
  s.Bind(1, id);
  int rc;
  while ((rc = s.Step()) == SQLITE_ROW) sections.push_back(s.Text(0));
  return rc == SQLITE_DONE ? Ok() : Failure("list the sections of");
}

StoreResult RegistryStore::ListValues(const std::string& program, const std::string& section,
                                      std::vector<RegistryValue>& values) const {
  values.clear();
  if (!db_) return NotOpen();
  ReadTransaction read(db_);
  if (!read.ok()) return Failure("list the values of");
  bool failed = false;
  sqlite3_int64 id = SectionId(db_, program, section, failed);
  if (failed) return Failure("list the values of");
  if (id == 0) {
    return Result(StoreStatus::NotFound,
                  StringPrintf("There is no section \"%s\" of \"%s\".", section.c_str(), program.c_str()));
  }
  Statement s(db_, "SELECT name, type, data FROM section_values WHERE section_id = ? ORDER BY id");
  s.Bind(1, id);
  int rc;
  while ((rc = s.Step()) == SQLITE_ROW) {
    values.push_back({s.Text(0), static_cast<std::uint32_t>(s.Int(1)), s.Blob(2)});
  }
  return rc == SQLITE_DONE ? Ok() : Failure("list the values of");
}

StoreResult RegistryStore::GetValue(const std::string& program, const std::string& section,
                                    const std::string& name, RegistryValue& value) const {
  value = {};
  if (!db_) return NotOpen();
  Statement s(db_,
              "SELECT v.name, v.type, v.data FROM section_values v JOIN sections s ON s.id = v.section_id "
              "JOIN programs p ON p.id = s.program_id WHERE p.name = ? AND s.name = ? AND v.name = ?");
  s.Bind(1, program).Bind(2, section).Bind(3, name);
  int rc = s.Step();
  if (rc == SQLITE_ROW) {
    value = {s.Text(0), static_cast<std::uint32_t>(s.Int(1)), s.Blob(2)};
    return Ok();
  }
  if (rc == SQLITE_DONE) {
    return Result(StoreStatus::NotFound, StringPrintf("The value %s\\%s\\%s does not exist.", program.c_str(),
                                                      section.c_str(), name.c_str()));
  }
  return Failure("read a value from");
}

StoreResult RegistryStore::HasSection(const std::string& program, const std::string& section) const {
  if (!db_) return NotOpen();
  bool failed = false;
  sqlite3_int64 id = SectionId(db_, program, section, failed);
  if (failed) return Failure("find a section in");
  if (id == 0) {
    return Result(StoreStatus::NotFound,
                  StringPrintf("There is no section \"%s\" of \"%s\".", section.c_str(), program.c_str()));
  }
  return Ok();
}

namespace {

StoreResult InvalidNames(const std::string& program, const std::string& section) {
  if (!ValidName(program)) return Result(StoreStatus::Failed, "A program needs a name.");
  if (!ValidName(section)) return Result(StoreStatus::Failed, "A section needs a name.");
  return Ok();
}

}  // namespace

StoreResult RegistryStore::SetValue(const std::string& program, const std::string& section,
                                    const RegistryValue& value) {
  return SetValues(program, {{section, value}});
}

StoreResult RegistryStore::AddValue(const std::string& program, const std::string& section,
                                    const RegistryValue& value) {
  if (StoreResult bad = InvalidNames(program, section); !bad.ok()) return bad;
  return Write("add a value to", [&]() -> StoreResult {
    sqlite3_int64 id = EnsureSection(db_, program, section);
    if (id == 0) return Failure("add a value to");
    Statement s(db_, "INSERT INTO section_values (section_id, name, type, data) VALUES (?, ?, ?, ?)");
    s.Bind(1, id).Bind(2, value.name).Bind(3, static_cast<sqlite3_int64>(value.type)).Bind(4, value.data);
    int rc = s.Step();
    if (rc == SQLITE_DONE) return Ok();
    if (sqlite3_extended_errcode(db_) == SQLITE_CONSTRAINT_UNIQUE) {
      return Result(StoreStatus::AlreadyExists,
                    StringPrintf("The value %s\\%s\\%s already exists.", program.c_str(), section.c_str(),
                                 value.name.c_str()));
    }
    return Failure("add a value to");
  });
}

StoreResult RegistryStore::SetValues(const std::string& program, const std::vector<RegistryEntry>& entries) {
  for (const RegistryEntry& e : entries) {
    if (StoreResult bad = InvalidNames(program, e.section); !bad.ok()) return bad;
  }
  return Write("write values to", [&]() -> StoreResult {
    for (const RegistryEntry& e : entries) {
      sqlite3_int64 id = EnsureSection(db_, program, e.section);
      if (id == 0 || !UpsertValue(db_, id, e.value)) return Failure("write values to");
    }
    return Ok();
  });
}

StoreResult RegistryStore::DeleteValue(const std::string& program, const std::string& section,
                                       const std::string& name) {
  return Write("delete a value from", [&]() -> StoreResult {
    bool failed = false;
    sqlite3_int64 id = SectionId(db_, program, section, failed);
    if (failed) return Failure("delete a value from");
    Statement s(db_, "DELETE FROM section_values WHERE section_id = ? AND name = ?");
    if (id != 0 && !s.Bind(1, id).Bind(2, name).Run()) return Failure("delete a value from");
    if (id == 0 || sqlite3_changes(db_) == 0) {
      return Result(StoreStatus::NotFound, StringPrintf("The value %s\\%s\\%s does not exist.",
                                                        program.c_str(), section.c_str(), name.c_str()));
    }
    return Ok();
  });
}

StoreResult RegistryStore::AddSection(const std::string& program, const std::string& section) {
  if (StoreResult bad = InvalidNames(program, section); !bad.ok()) return bad;
  return Write("add a section to", [&]() -> StoreResult {
    bool failed = false;
    if (SectionId(db_, program, section, failed) != 0) {
      return Result(StoreStatus::AlreadyExists, StringPrintf("The section \"%s\" of \"%s\" already exists.",
                                                             section.c_str(), program.c_str()));
    }
    if (failed || EnsureSection(db_, program, section) == 0) return Failure("add a section to");
    return Ok();
  });
}

StoreResult RegistryStore::DeleteSection(const std::string& program, const std::string& section) {
  return Write("delete a section from", [&]() -> StoreResult {
    bool failed = false;
    sqlite3_int64 id = SectionId(db_, program, section, failed);
    if (failed) return Failure("delete a section from");
    if (id == 0) {
      return Result(StoreStatus::NotFound,
                    StringPrintf("There is no section \"%s\" of \"%s\".", section.c_str(), program.c_str()));
    }
    // Explicitly, so that a connection without foreign keys enabled leaves no orphans either.
    Statement values(db_, "DELETE FROM section_values WHERE section_id = ?");
    Statement sections(db_, "DELETE FROM sections WHERE id = ?");
    if (!values.Bind(1, id).Run() || !sections.Bind(1, id).Run()) return Failure("delete a section from");
    return Ok();
  });
}

}  // namespace zarvic
